#include "AnalyticsManager.h"

NS_CC_BEGIN

static AnalyticsManager* s_sharedAnalyticsManager = NULL;

AnalyticsManager::AnalyticsManager() : m_pBackend(NULL)
{
    s_sharedAnalyticsManager = this;
}

AnalyticsManager::~AnalyticsManager()
{
    if (s_sharedAnalyticsManager == this)
    {
        s_sharedAnalyticsManager = NULL;
    }
    CC_SAFE_RELEASE(m_pBackend);
}

AnalyticsManager* AnalyticsManager::create(const char* key)
{
    AnalyticsManager* manager = new AnalyticsManager();
    if (!manager->init(key))
    {
        delete manager;
        return NULL;
    }
    manager->autorelease();
    return manager;
}

AnalyticsManager* AnalyticsManager::sharedAnalyticsManager()
{
    return s_sharedAnalyticsManager;
}

bool AnalyticsManager::init(const char* key)
{
    return m_pBackend == NULL || m_pBackend->init(key ? key : "");
}

void AnalyticsManager::logEvent(const char* eventName)
{
    if (m_pBackend != NULL && eventName != NULL)
    {
        m_pBackend->logEvent(eventName);
    }
}

void AnalyticsManager::setBackend(AnalyticsBackend* backend)
{
    CC_SAFE_RETAIN(backend);
    CC_SAFE_RELEASE(m_pBackend);
    m_pBackend = backend;
}

NS_CC_END
