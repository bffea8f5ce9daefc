#ifndef __ANALYTICS_BACKEND_H__
#define __ANALYTICS_BACKEND_H__

#include "CCObject.h"

NS_CC_BEGIN

/** What an analytics service would plug in; the game ships without one. */
class AnalyticsBackend : public CCObject
{
public:
    virtual bool init(const char* key) = 0;
    virtual void logEvent(const char* eventName) = 0;
};

NS_CC_END

#endif // __ANALYTICS_BACKEND_H__
