#ifndef __CC_EVENT_H__
#define __CC_EVENT_H__

#include "base/CCObject.h"

NS_CC_BEGIN

/** Passed with touches; carries nothing of its own. */
class CCEvent : public CCObject
{
};

NS_CC_END

#endif // __CC_EVENT_H__
