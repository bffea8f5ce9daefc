#ifndef __CC_SET_H__
#define __CC_SET_H__

#include "CCObject.h"

#include <set>

NS_CC_BEGIN

typedef std::set<CCObject*>::iterator CCSetIterator;

/** An unordered set of retained objects (touches). */
class CCSet : public CCObject
{
public:
    CCSet();
    CCSet(const CCSet& rSetObject);
    virtual ~CCSet();

    static CCSet* create();

    int count() const { return (int)m_set.size(); }
    void addObject(CCObject* pObject);
    void removeObject(CCObject* pObject);
    void removeAllObjects();
    bool containsObject(CCObject* pObject) const;
    CCSetIterator begin() { return m_set.begin(); }
    CCSetIterator end() { return m_set.end(); }
    CCObject* anyObject();
    CCSet* mutableCopy();

private:
    CCSet& operator=(const CCSet&);
    std::set<CCObject*> m_set;
};

NS_CC_END

#endif // __CC_SET_H__
