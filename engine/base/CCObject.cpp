#include "CCObject.h"

#include "CCAutoreleasePool.h"

#include <algorithm>
#include <vector>

NS_CC_BEGIN

static std::vector<CCScriptObjectObserver*>& scriptObservers()
{
    static std::vector<CCScriptObjectObserver*> observers;
    return observers;
}

void CCObjectAddScriptObserver(CCScriptObjectObserver* observer)
{
    std::vector<CCScriptObjectObserver*>& observers = scriptObservers();
    if (std::find(observers.begin(), observers.end(), observer) == observers.end())
    {
        observers.push_back(observer);
    }
}

void CCObjectRemoveScriptObserver(CCScriptObjectObserver* observer)
{
    std::vector<CCScriptObjectObserver*>& observers = scriptObservers();
    observers.erase(std::remove(observers.begin(), observers.end(), observer), observers.end());
}

CCObject::CCObject()
    : m_nLuaID(0)
    , m_uReference(1)
    , m_uAutoReleaseCount(0)
{
    static unsigned int s_uObjectCount = 0;
    m_uID = ++s_uObjectCount;
}

CCObject::~CCObject()
{
    if (m_uAutoReleaseCount > 0)
    {
        CCPoolManager::sharedPoolManager()->removeObject(this);
    }
    if (m_nLuaID)
    {
        // Copy: an observer may unregister itself while being told.
        std::vector<CCScriptObjectObserver*> observers = scriptObservers();
        for (size_t i = 0; i < observers.size(); ++i)
        {
            observers[i]->objectDestroyed(this);
        }
    }
}

void CCObject::retain()
{
    CCAssert(m_uReference > 0, "reference count should be greater than 0");
    ++m_uReference;
}

void CCObject::release()
{
    CCAssert(m_uReference > 0, "reference count should be greater than 0");
    if (m_uReference == 0)
    {
        return;
    }
    --m_uReference;
    if (m_uReference == 0)
    {
        delete this;
    }
}

CCObject* CCObject::autorelease()
{
    CCPoolManager::sharedPoolManager()->addObject(this);
    return this;
}

CCObject* CCObject::copy()
{
    retain();
    return this;
}

bool CCObject::isEqual(const CCObject* pObject)
{
    return this == pObject;
}

NS_CC_END
