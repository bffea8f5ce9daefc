#include "CCNotificationCenter.h"

NS_CC_BEGIN

static CCNotificationCenter* s_sharedNotificationCenter = NULL;

CCNotificationCenter* CCNotificationCenter::sharedNotificationCenter()
{
    if (!s_sharedNotificationCenter)
    {
        s_sharedNotificationCenter = new CCNotificationCenter();
    }
    return s_sharedNotificationCenter;
}

void CCNotificationCenter::purgeNotificationCenter()
{
    CC_SAFE_DELETE(s_sharedNotificationCenter);
}

CCNotificationCenter::CCNotificationCenter() : m_postingDepth(0) {}

CCNotificationCenter::~CCNotificationCenter()
{
    for (size_t i = 0; i < m_observers.size(); ++i)
    {
        delete m_observers[i];
    }
}

void CCNotificationCenter::addObserver(CCObject* target, SEL_CallFuncO selector, const char* name, CCObject* obj)
{
    if (!target || !selector || !name)
    {
        return;
    }
    for (size_t i = 0; i < m_observers.size(); ++i)
    {
        const Observer* o = m_observers[i];
        if (!o->removed && o->target == target && o->name == name)
        {
            return;
        }
    }
    Observer* observer = new Observer();
    observer->target = target;
    observer->selector = selector;
    observer->name = name;
    observer->object = obj;
    observer->removed = false;
    m_observers.push_back(observer);
}

void CCNotificationCenter::removeObserver(CCObject* target, const char* name)
{
    for (size_t i = 0; i < m_observers.size(); ++i)
    {
        Observer* o = m_observers[i];
        if (o->target == target && name && o->name == name)
        {
            o->removed = true;
        }
    }
    compact();
}

int CCNotificationCenter::removeAllObservers(CCObject* target)
{
    int count = 0;
    for (size_t i = 0; i < m_observers.size(); ++i)
    {
        Observer* o = m_observers[i];
        if (o->target == target && !o->removed)
        {
            o->removed = true;
            ++count;
        }
    }
    compact();
    return count;
}

// Removed observers are freed only when no post is running, so a post never touches a freed one.
void CCNotificationCenter::compact()
{
    if (m_postingDepth > 0)
    {
        return;
    }
    std::vector<Observer*> kept;
    for (size_t i = 0; i < m_observers.size(); ++i)
    {
        if (m_observers[i]->removed)
        {
            delete m_observers[i];
        }
        else
        {
            kept.push_back(m_observers[i]);
        }
    }
    m_observers.swap(kept);
}

void CCNotificationCenter::postNotification(const char* name)
{
    postNotification(name, NULL);
}

void CCNotificationCenter::postNotification(const char* name, CCObject* object)
{
    if (!name)
    {
        return;
    }
    ++m_postingDepth;
    // Observers added during the post are not told of it.
    const size_t count = m_observers.size();
    for (size_t i = 0; i < count; ++i)
    {
        Observer* o = m_observers[i];
        // A filter passes its own object and posts that carry none, as callers of the stock engine expect.
        if (o->removed || o->name != name || (o->object && object && o->object != object))
        {
            continue;
        }
        (o->target->*o->selector)(object);
    }
    --m_postingDepth;
    compact();
}

NS_CC_END
