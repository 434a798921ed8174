#include "AppInfo.h"

bool gbUserMode = false;
