#ifndef __CC_PLATFORM_MODULE_H__
#define __CC_PLATFORM_MODULE_H__

// Umbrella of the platform module: application, window, event pump and input dispatch.

#include "platform/CCApplicationProtocol.h"
#include "platform/CCApplication.h"
#include "platform/CCEGLView.h"
#include "platform/CCTouchDispatcher.h"
#include "platform/CCKeyboardDispatcher.h"
#include "platform/CCKeypadDispatcher.h"
#include "platform/CCGamepadDelegate.h"
#include "platform/CCGamepadDispatcher.h"

#endif
