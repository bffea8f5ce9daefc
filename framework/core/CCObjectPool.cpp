#include "CCObjectPool.h"

NS_CC_BEGIN

CCObjectPool::CCObjectPool() : m_pFree(NULL), m_pUsed(NULL) {}

CCObjectPool::~CCObjectPool()
{
    CC_SAFE_RELEASE(m_pFree);
    CC_SAFE_RELEASE(m_pUsed);
}

CCObjectPool* CCObjectPool::create(CCArray* array)
{
    CCObjectPool* pool = new CCObjectPool();
    if (pool->initWithArray(array))
    {
        pool->autorelease();
        return pool;
    }
    delete pool;
    return NULL;
}

bool CCObjectPool::initWithArray(CCArray* array)
{
    setFree(array != NULL ? array : CCArray::create());
    setUsed(CCArray::createWithCapacity(m_pFree->count()));
    return true;
}

void CCObjectPool::setFree(CCArray* array)
{
    CC_SAFE_RETAIN(array);
    CC_SAFE_RELEASE(m_pFree);
    m_pFree = array;
}

void CCObjectPool::setUsed(CCArray* array)
{
    CC_SAFE_RETAIN(array);
    CC_SAFE_RELEASE(m_pUsed);
    m_pUsed = array;
}

CCObject* CCObjectPool::getObject()
{
    if (m_pFree == NULL || m_pFree->count() == 0)
    {
        return NULL;
    }
    CCObject* object = m_pFree->lastObject();
    // Into used first so the object is never left without an owner.
    m_pUsed->addObject(object);
    m_pFree->removeLastObject();
    return object;
}

void CCObjectPool::returnObject(CCObject* object)
{
    if (object == NULL || m_pUsed == NULL || !m_pUsed->containsObject(object))
    {
        CCLog("CCObjectPool::returnObject - object was not handed out by this pool");
        return;
    }
    m_pFree->addObject(object);
    m_pUsed->removeObject(object);
}

void CCObjectPool::returnAllObjects()
{
    while (m_pUsed != NULL && m_pUsed->count() > 0)
    {
        m_pFree->addObject(m_pUsed->lastObject());
        m_pUsed->removeLastObject();
    }
}

NS_CC_END
