#ifndef __CC_BASE_MODULE_H__
#define __CC_BASE_MODULE_H__

#include "CCPlatformMacros.h"
#include "CCConsole.h"
#include "CCObject.h"
#include "CCAutoreleasePool.h"
#include "CCString.h"
#include "CCNumber.h"
#include "CCArray.h"
#include "CCDictionary.h"
#include "CCSet.h"
#include "CCGeometry.h"
#include "CCPointExtension.h"
#include "CCAffineTransform.h"
#include "ccTypes.h"

#endif
