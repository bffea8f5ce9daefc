#ifndef __CC_OBJECT_H__
#define __CC_OBJECT_H__

#include "CCConsole.h"
#include "CCPlatformMacros.h"

NS_CC_BEGIN

class CCObject;
class CCNode;
class CCEvent;

/** Reference-counted base of every engine object. Starts with one reference owned by its creator. */
class CCObject
{
public:
    CCObject();
    virtual ~CCObject();

    void retain();
    /** Drops one reference; the object deletes itself at zero. */
    void release();
    /** Hands one reference to the current autorelease pool, released when the pool drains. */
    CCObject* autorelease();
    unsigned int retainCount() const { return m_uReference; }
    bool isSingleReference() const { return m_uReference == 1; }

    /** A retained copy: value objects and containers copy; other objects return themselves retained. */
    virtual CCObject* copy();
    virtual bool isEqual(const CCObject* pObject);
    /** Scheduled update target (CCNode overrides). */
    virtual void update(float dt) { CC_UNUSED_PARAM(dt); }

    unsigned int m_uID;   ///< unique per object for a run
    int m_nLuaID;         ///< script reference id, 0 until a script state has seen the object

protected:
    unsigned int m_uReference;
    unsigned int m_uAutoReleaseCount;

    friend class CCAutoreleasePool;
};

/** Told when an object that a script has seen dies, so every live script state can forget it. */
class CCScriptObjectObserver
{
public:
    virtual ~CCScriptObjectObserver() {}
    virtual void objectDestroyed(CCObject* pObject) = 0;
};
void CCObjectAddScriptObserver(CCScriptObjectObserver* observer);
void CCObjectRemoveScriptObserver(CCScriptObjectObserver* observer);

typedef void (CCObject::*SEL_SCHEDULE)(float);
typedef void (CCObject::*SEL_CallFunc)();
typedef void (CCObject::*SEL_CallFuncN)(CCNode*);
typedef void (CCObject::*SEL_CallFuncND)(CCNode*, void*);
typedef void (CCObject::*SEL_CallFuncO)(CCObject*);
typedef void (CCObject::*SEL_MenuHandler)(CCObject*);
typedef void (CCObject::*SEL_EventHandler)(CCEvent*);
typedef int (CCObject::*SEL_Compare)(CCObject*);

#define schedule_selector(_SELECTOR) (::cocos2d::SEL_SCHEDULE)(&_SELECTOR)
#define callfunc_selector(_SELECTOR) (::cocos2d::SEL_CallFunc)(&_SELECTOR)
#define callfuncN_selector(_SELECTOR) (::cocos2d::SEL_CallFuncN)(&_SELECTOR)
#define callfuncND_selector(_SELECTOR) (::cocos2d::SEL_CallFuncND)(&_SELECTOR)
#define callfuncO_selector(_SELECTOR) (::cocos2d::SEL_CallFuncO)(&_SELECTOR)
#define menu_selector(_SELECTOR) (::cocos2d::SEL_MenuHandler)(&_SELECTOR)
#define event_selector(_SELECTOR) (::cocos2d::SEL_EventHandler)(&_SELECTOR)
#define compare_selector(_SELECTOR) (::cocos2d::SEL_Compare)(&_SELECTOR)

NS_CC_END

#endif // __CC_OBJECT_H__
