#include "TaskPopupItem.h"
