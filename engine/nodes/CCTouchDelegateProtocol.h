#ifndef __CC_TOUCH_DELEGATE_PROTOCOL_H__
#define __CC_TOUCH_DELEGATE_PROTOCOL_H__

#include "base/CCSet.h"
#include "nodes/CCEvent.h"
#include "nodes/CCTouch.h"

NS_CC_BEGIN

/**
 * What the touch dispatcher calls. Targeted delegates get one touch at a time and claim it by
 * returning true from ccTouchBegan; standard delegates get every touch as a set.
 */
class CCTouchDelegate
{
public:
    virtual ~CCTouchDelegate() {}

    virtual bool ccTouchBegan(CCTouch* pTouch, CCEvent* pEvent) { CC_UNUSED_PARAM(pTouch); CC_UNUSED_PARAM(pEvent); return false; }
    virtual void ccTouchMoved(CCTouch* pTouch, CCEvent* pEvent) { CC_UNUSED_PARAM(pTouch); CC_UNUSED_PARAM(pEvent); }
    virtual void ccTouchEnded(CCTouch* pTouch, CCEvent* pEvent) { CC_UNUSED_PARAM(pTouch); CC_UNUSED_PARAM(pEvent); }
    virtual void ccTouchCancelled(CCTouch* pTouch, CCEvent* pEvent) { CC_UNUSED_PARAM(pTouch); CC_UNUSED_PARAM(pEvent); }

    virtual void ccTouchesBegan(CCSet* pTouches, CCEvent* pEvent) { CC_UNUSED_PARAM(pTouches); CC_UNUSED_PARAM(pEvent); }
    virtual void ccTouchesMoved(CCSet* pTouches, CCEvent* pEvent) { CC_UNUSED_PARAM(pTouches); CC_UNUSED_PARAM(pEvent); }
    virtual void ccTouchesEnded(CCSet* pTouches, CCEvent* pEvent) { CC_UNUSED_PARAM(pTouches); CC_UNUSED_PARAM(pEvent); }
    virtual void ccTouchesCancelled(CCSet* pTouches, CCEvent* pEvent) { CC_UNUSED_PARAM(pTouches); CC_UNUSED_PARAM(pEvent); }
};

class CCTargetedTouchDelegate : public CCTouchDelegate
{
};

class CCStandardTouchDelegate : public CCTouchDelegate
{
};

/** The back and menu keys. */
class CCKeypadDelegate
{
public:
    virtual ~CCKeypadDelegate() {}
    virtual void keyBackClicked() {}
    virtual void keyMenuClicked() {}
};

/** Key presses as the integer key codes of the game's key-name table. */
class CCKeyboardDelegate
{
public:
    virtual ~CCKeyboardDelegate() {}
    virtual void keyPressed(int keyCode) { CC_UNUSED_PARAM(keyCode); }
    virtual void keyReleased(int keyCode) { CC_UNUSED_PARAM(keyCode); }
};

NS_CC_END

#endif // __CC_TOUCH_DELEGATE_PROTOCOL_H__
