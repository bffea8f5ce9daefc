#ifndef __CC_EXT_CONTROLS_MODULE_H__
#define __CC_EXT_CONTROLS_MODULE_H__

// Umbrella of the controls extension module.

#include "extensions/controls/CCControl.h"
#include "extensions/controls/CCControlButton.h"
#include "extensions/controls/CCScale9Sprite.h"
#include "extensions/controls/CCScrollView.h"

#endif
