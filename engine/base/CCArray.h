#ifndef __CC_ARRAY_H__
#define __CC_ARRAY_H__

#include "CCObject.h"

#include <vector>

NS_CC_BEGIN

/** An ordered list of retained objects. */
class CCArray : public CCObject
{
public:
    CCArray();
    virtual ~CCArray();

    static CCArray* create();
    static CCArray* create(CCObject* pObject, ...);
    static CCArray* createWithObject(CCObject* pObject);
    static CCArray* createWithCapacity(unsigned int capacity);
    static CCArray* createWithArray(CCArray* otherArray);
    /** An array plist (top-level array); NULL and a logged error when missing or malformed. */
    static CCArray* createWithContentsOfFile(const char* pFileName);
    /** As createWithContentsOfFile, but returned retained, not autoreleased. */
    static CCArray* createWithContentsOfFileThreadSafe(const char* pFileName);

    bool init();
    bool initWithCapacity(unsigned int capacity);
    bool initWithArray(CCArray* otherArray);

    unsigned int count() const { return (unsigned int)m_data.size(); }
    unsigned int capacity() const { return (unsigned int)m_data.capacity(); }
    unsigned int indexOfObject(CCObject* object) const;
    CCObject* objectAtIndex(unsigned int index) const;
    CCObject* lastObject() const;
    CCObject* randomObject() const;
    bool containsObject(CCObject* object) const;
    bool isEqualToArray(CCArray* pOtherArray);

    void addObject(CCObject* object);
    void addObjectsFromArray(CCArray* otherArray);
    void insertObject(CCObject* object, unsigned int index);
    void removeLastObject(bool bReleaseObj = true);
    void removeObject(CCObject* object, bool bReleaseObj = true);
    void removeObjectAtIndex(unsigned int index, bool bReleaseObj = true);
    void removeObjectsInArray(CCArray* otherArray);
    void removeAllObjects();
    void fastRemoveObject(CCObject* object);
    void fastRemoveObjectAtIndex(unsigned int index);
    void exchangeObject(CCObject* object1, CCObject* object2);
    void exchangeObjectAtIndex(unsigned int index1, unsigned int index2);
    void replaceObjectAtIndex(unsigned int uIndex, CCObject* pObject, bool bReleaseObject = true);
    void reverseObjects();
    void reduceMemoryFootprint() {}

    /** Deep copy: each element copied (value objects and containers), others retained. */
    virtual CCObject* copy();

    /** Direct access for iteration; valid until the array changes. */
    std::vector<CCObject*>& data() { return m_data; }

private:
    std::vector<CCObject*> m_data;
};

#define CC_INVALID_INDEX 0xffffffff

/** Iterates by index; the element may be removed from the array inside the loop body at one's own risk. */
#define CCARRAY_FOREACH(__array__, __object__) \
    if ((__array__) && (__array__)->count() > 0) \
        for (unsigned int __idx_##__object__ = 0; \
             __idx_##__object__ < (__array__)->count() && \
             (((__object__) = (__array__)->objectAtIndex(__idx_##__object__)) != NULL || true); \
             ++__idx_##__object__)

#define CCARRAY_FOREACH_REVERSE(__array__, __object__) \
    if ((__array__) && (__array__)->count() > 0) \
        for (int __idx_##__object__ = (int)(__array__)->count() - 1; \
             __idx_##__object__ >= 0 && \
             (((__object__) = (__array__)->objectAtIndex(__idx_##__object__)) != NULL || true); \
             --__idx_##__object__)

NS_CC_END

#endif // __CC_ARRAY_H__
