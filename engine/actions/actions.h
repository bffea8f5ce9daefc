#ifndef __CC_ACTIONS_MODULE_H__
#define __CC_ACTIONS_MODULE_H__

// Umbrella of the actions module.

#include "actions/CCAction.h"
#include "actions/CCActionManager.h"
#include "actions/CCActionInterval.h"
#include "actions/CCActionInstant.h"
#include "actions/CCActionEase.h"

#endif
