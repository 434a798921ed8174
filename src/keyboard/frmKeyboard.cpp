#include "frmKeyboard.h"

frmKeyboard::frmKeyboard(QWidget *parent) : QDialog(parent) {}
