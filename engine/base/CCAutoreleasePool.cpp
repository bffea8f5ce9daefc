#include "CCAutoreleasePool.h"

#include <algorithm>

NS_CC_BEGIN

void CCAutoreleasePool::addObject(CCObject* pObject)
{
    m_pManagedObjects.push_back(pObject);
    ++pObject->m_uAutoReleaseCount;
}

void CCAutoreleasePool::removeObject(CCObject* pObject)
{
    std::vector<CCObject*>::iterator it = std::find(m_pManagedObjects.begin(), m_pManagedObjects.end(), pObject);
    while (it != m_pManagedObjects.end())
    {
        --pObject->m_uAutoReleaseCount;
        it = m_pManagedObjects.erase(it);
        it = std::find(it, m_pManagedObjects.end(), pObject);
    }
}

bool CCAutoreleasePool::contains(CCObject* pObject) const
{
    return std::find(m_pManagedObjects.begin(), m_pManagedObjects.end(), pObject) != m_pManagedObjects.end();
}

void CCAutoreleasePool::clear()
{
    // Releasing may autorelease more objects into this pool; keep draining until empty.
    while (!m_pManagedObjects.empty())
    {
        std::vector<CCObject*> objects;
        objects.swap(m_pManagedObjects);
        for (size_t i = 0; i < objects.size(); ++i)
        {
            --objects[i]->m_uAutoReleaseCount;
        }
        for (size_t i = 0; i < objects.size(); ++i)
        {
            objects[i]->release();
        }
    }
}

CCPoolManager* CCPoolManager::sharedPoolManager()
{
    static CCPoolManager* s_pPoolManager = new CCPoolManager();
    return s_pPoolManager;
}

void CCPoolManager::purgePoolManager()
{
    CCPoolManager* manager = sharedPoolManager();
    while (manager->m_pReleasePoolStack.size() > 1)
    {
        manager->pop();
    }
    manager->finalize();
}

CCPoolManager::CCPoolManager()
{
    push();
}

CCPoolManager::~CCPoolManager()
{
    while (!m_pReleasePoolStack.empty())
    {
        pop();
    }
}

void CCPoolManager::push()
{
    m_pReleasePoolStack.push_back(new CCAutoreleasePool());
}

void CCPoolManager::pop()
{
    if (m_pReleasePoolStack.empty())
    {
        return;
    }
    CCAutoreleasePool* pool = m_pReleasePoolStack.back();
    pool->clear();
    m_pReleasePoolStack.pop_back();
    pool->release();
    if (m_pReleasePoolStack.empty())
    {
        push();
    }
}

void CCPoolManager::finalize()
{
    getCurReleasePool()->clear();
}

CCAutoreleasePool* CCPoolManager::getCurReleasePool()
{
    if (m_pReleasePoolStack.empty())
    {
        push();
    }
    return m_pReleasePoolStack.back();
}

void CCPoolManager::addObject(CCObject* pObject)
{
    getCurReleasePool()->addObject(pObject);
}

void CCPoolManager::removeObject(CCObject* pObject)
{
    for (size_t i = 0; i < m_pReleasePoolStack.size(); ++i)
    {
        m_pReleasePoolStack[i]->removeObject(pObject);
    }
}

NS_CC_END
