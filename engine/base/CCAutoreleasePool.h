#ifndef __CC_AUTORELEASE_POOL_H__
#define __CC_AUTORELEASE_POOL_H__

#include "CCObject.h"

#include <vector>

NS_CC_BEGIN

/** Objects handed over by autorelease, released together when the pool drains. */
class CCAutoreleasePool : public CCObject
{
public:
    void addObject(CCObject* pObject);
    /** Forgets one pending release of an object that is being destroyed early. */
    void removeObject(CCObject* pObject);
    /** Releases every object handed over so far, including those autoreleased while draining. */
    void clear();
    bool contains(CCObject* pObject) const;

private:
    std::vector<CCObject*> m_pManagedObjects;
};

/** The stack of pools: autorelease goes to the top one; the director drains it once per frame. */
class CCPoolManager
{
public:
    static CCPoolManager* sharedPoolManager();
    static void purgePoolManager();

    void push();
    void pop();
    /** Drains the current pool (the director's end of frame). */
    void finalize();
    void addObject(CCObject* pObject);
    void removeObject(CCObject* pObject);
    CCAutoreleasePool* getCurReleasePool();

private:
    CCPoolManager();
    ~CCPoolManager();
    std::vector<CCAutoreleasePool*> m_pReleasePoolStack;
};

/** Tests: a pool pushed for the scope and drained when it ends. */
class CCScopedAutoreleasePool
{
public:
    CCScopedAutoreleasePool() { CCPoolManager::sharedPoolManager()->push(); }
    ~CCScopedAutoreleasePool() { CCPoolManager::sharedPoolManager()->pop(); }
};

NS_CC_END

#endif // __CC_AUTORELEASE_POOL_H__
