#ifndef __ANALYTICS_MANAGER_H__
#define __ANALYTICS_MANAGER_H__

#include "AnalyticsBackend.h"

NS_CC_BEGIN

/** The front for an analytics back end; without one (as shipped) every call is harmless. */
class AnalyticsManager : public CCObject
{
public:
    /** The newest analytics manager becomes the shared one until it is destroyed. */
    AnalyticsManager();
    virtual ~AnalyticsManager();

    static AnalyticsManager* create(const char* key);
    static AnalyticsManager* sharedAnalyticsManager();

    /** True without a back end, else the back end's answer. */
    bool init(const char* key);
    void logEvent(const char* eventName);

    virtual AnalyticsBackend* getBackend() { return m_pBackend; }
    /** Retains the new back end and releases the old one. */
    virtual void setBackend(AnalyticsBackend* backend);

private:
    AnalyticsBackend* m_pBackend;  ///< retained, NULL as shipped
};

NS_CC_END

#endif // __ANALYTICS_MANAGER_H__
