#include "CRegSettings.h"
