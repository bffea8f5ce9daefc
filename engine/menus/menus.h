#ifndef __CC_MENUS_MODULE_H__
#define __CC_MENUS_MODULE_H__

// Umbrella of the menus module: include every public header of the module here.

#include "menus/CCMenuItem.h"
#include "menus/CCMenu.h"

#endif
