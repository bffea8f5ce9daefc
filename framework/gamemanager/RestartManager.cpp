#include "RestartManager.h"

#include "CCUserDefault.h"

#include <vector>

NS_CC_BEGIN

static const char* const kHasCheckpointKey = "hasCheckpoint";

RestartManager::RestartManager() : m_pDelegates(NULL), m_bHasCheckpoint(false) {}

RestartManager::~RestartManager()
{
    CC_SAFE_RELEASE_NULL(m_pDelegates);
}

RestartManager* RestartManager::create()
{
    RestartManager* manager = new RestartManager();
    if (manager->init())
    {
        manager->autorelease();
        return manager;
    }
    delete manager;
    return NULL;
}

bool RestartManager::init()
{
    CC_SAFE_RELEASE_NULL(m_pDelegates);
    m_pDelegates = new CCArray();
    if (!m_pDelegates->init())
    {
        CC_SAFE_RELEASE_NULL(m_pDelegates);
        return false;
    }
    m_bHasCheckpoint = CCUserDefault::sharedUserDefault()->getBoolForKey(kHasCheckpointKey, false);
    return true;
}

void RestartManager::setHasCheckpoint(bool hasCheckpoint)
{
    if (hasCheckpoint == m_bHasCheckpoint)
    {
        return;
    }
    m_bHasCheckpoint = hasCheckpoint;
    CCUserDefault::sharedUserDefault()->setBoolForKey(kHasCheckpointKey, hasCheckpoint);
    // The purge writes the change to the file first.
    CCUserDefault::purgeSharedUserDefault();
}

void RestartManager::addDelegate(RestartDelegateBase* delegate)
{
    if (delegate != NULL)
    {
        m_pDelegates->addObject(delegate);
    }
}

bool RestartManager::removeDelegateWithKey(const char* key)
{
    RestartDelegateBase* delegate = getDelegateWithKey(key);
    if (delegate == NULL)
    {
        return false;
    }
    m_pDelegates->removeObjectAtIndex(m_pDelegates->indexOfObject(delegate));
    return true;
}

RestartDelegateBase* RestartManager::getDelegateWithKey(const char* key)
{
    if (key == NULL)
    {
        return NULL;
    }
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_pDelegates, object)
    {
        RestartDelegateBase* delegate = static_cast<RestartDelegateBase*>(object);
        if (delegate->getKey() == key)
        {
            return delegate;
        }
    }
    return NULL;
}

unsigned int RestartManager::getDelegateCount() const
{
    return m_pDelegates ? m_pDelegates->count() : 0;
}

void RestartManager::walkDelegates(void (RestartDelegateBase::*operation)())
{
    // A setter may start a level that registers or drops values: walk a retained copy.
    std::vector<RestartDelegateBase*> delegates;
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_pDelegates, object)
    {
        object->retain();
        delegates.push_back(static_cast<RestartDelegateBase*>(object));
    }
    for (size_t i = 0; i < delegates.size(); ++i)
    {
        (delegates[i]->*operation)();
    }
    for (size_t i = 0; i < delegates.size(); ++i)
    {
        delegates[i]->release();
    }
}

void RestartManager::storeAll()
{
    walkDelegates(&RestartDelegateBase::store);
}

void RestartManager::restoreAll()
{
    walkDelegates(&RestartDelegateBase::restore);
}

void RestartManager::saveAll()
{
    walkDelegates(&RestartDelegateBase::save);
    // The purge writes every saved value to the file before it drops the store.
    CCUserDefault::purgeSharedUserDefault();
    setHasCheckpoint(true);
}

void RestartManager::loadAll()
{
    if (!m_bHasCheckpoint)
    {
        return;
    }
    walkDelegates(&RestartDelegateBase::load);
}

NS_CC_END
