#ifndef __CC_SUPPORT_MODULE_H__
#define __CC_SUPPORT_MODULE_H__

#include "CCFileUtils.h"
#include "CCPlistParser.h"
#include "CCUserDefault.h"
#include "CCNotificationCenter.h"

#endif
