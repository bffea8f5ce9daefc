#ifndef __CC_OBJECT_POOL_H__
#define __CC_OBJECT_POOL_H__

#include "CCArray.h"

NS_CC_BEGIN

/**
 * Reusable objects made once, so per-frame code allocates nothing. Every pooled object stands in
 * exactly one of two arrays: free (ready) or used (handed out); the pool owns them through those.
 */
class CCObjectPool : public CCObject
{
public:
    CCObjectPool();
    virtual ~CCObjectPool();

    /** A pool handing out the array's objects, last first; the array itself becomes the free list. */
    static CCObjectPool* create(CCArray* array);
    bool initWithArray(CCArray* array);

    virtual CCArray* getFree() const { return m_pFree; }
    virtual void setFree(CCArray* array);
    virtual CCArray* getUsed() const { return m_pUsed; }
    virtual void setUsed(CCArray* array);

    /** The last free object, now counted as used; NULL when all are out. */
    CCObject* getObject();
    /** Takes one handed-out object back; an object the pool did not hand out is refused. */
    void returnObject(CCObject* object);
    /** Takes every handed-out object back, the last handed out first. */
    void returnAllObjects();

private:
    CCArray* m_pFree;
    CCArray* m_pUsed;
};

NS_CC_END

#endif // __CC_OBJECT_POOL_H__
