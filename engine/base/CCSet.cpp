#include "CCSet.h"

NS_CC_BEGIN

CCSet::CCSet() {}

CCSet::CCSet(const CCSet& rSetObject) : CCObject(), m_set(rSetObject.m_set)
{
    for (std::set<CCObject*>::iterator it = m_set.begin(); it != m_set.end(); ++it)
    {
        (*it)->retain();
    }
}

CCSet::~CCSet()
{
    removeAllObjects();
}

CCSet* CCSet::create()
{
    CCSet* pRet = new CCSet();
    pRet->autorelease();
    return pRet;
}

void CCSet::addObject(CCObject* pObject)
{
    if (pObject && m_set.insert(pObject).second)
    {
        pObject->retain();
    }
}

void CCSet::removeObject(CCObject* pObject)
{
    if (m_set.erase(pObject) > 0)
    {
        pObject->release();
    }
}

void CCSet::removeAllObjects()
{
    std::set<CCObject*> old;
    old.swap(m_set);
    for (std::set<CCObject*>::iterator it = old.begin(); it != old.end(); ++it)
    {
        (*it)->release();
    }
}

bool CCSet::containsObject(CCObject* pObject) const
{
    return m_set.find(pObject) != m_set.end();
}

CCObject* CCSet::anyObject()
{
    return m_set.empty() ? NULL : *m_set.begin();
}

CCSet* CCSet::mutableCopy()
{
    return new CCSet(*this);
}

NS_CC_END
