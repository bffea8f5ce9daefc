#include "InputDispatch.h"

#include "CCDirector.h"

// The dispatchers come with the window layer; headless builds without it register nothing.
#if __has_include("CCTouchDispatcher.h")
#include "CCTouchDispatcher.h"
#define VORN_HAS_TOUCH_DISPATCHER 1
#endif
#if __has_include("CCKeyboardDispatcher.h")
#include "CCKeyboardDispatcher.h"
#define VORN_HAS_KEYBOARD_DISPATCHER 1
#endif

NS_CC_BEGIN

void vornAddTargetedTouchDelegate(CCTouchDelegate* delegate, int priority, bool swallowsTouches)
{
#ifdef VORN_HAS_TOUCH_DISPATCHER
    CCTouchDispatcher* dispatcher = CCDirector::sharedDirector()->getTouchDispatcher();
    if (dispatcher != NULL && delegate != NULL)
    {
        dispatcher->addTargetedDelegate(delegate, priority, swallowsTouches);
    }
#else
    CC_UNUSED_PARAM(delegate);
    CC_UNUSED_PARAM(priority);
    CC_UNUSED_PARAM(swallowsTouches);
#endif
}

bool vornAddKeyboardDelegate(CCKeyboardDelegate* delegate)
{
#ifdef VORN_HAS_KEYBOARD_DISPATCHER
    CCKeyboardDispatcher* dispatcher = CCDirector::sharedDirector()->getKeyboardDispatcher();
    if (dispatcher != NULL && delegate != NULL)
    {
        dispatcher->addDelegate(delegate);
        return true;
    }
#else
    CC_UNUSED_PARAM(delegate);
#endif
    return false;
}

void vornRemoveKeyboardDelegate(CCKeyboardDelegate* delegate)
{
#ifdef VORN_HAS_KEYBOARD_DISPATCHER
    CCKeyboardDispatcher* dispatcher = CCDirector::sharedDirector()->getKeyboardDispatcher();
    if (dispatcher != NULL && delegate != NULL)
    {
        dispatcher->removeDelegate(delegate);
    }
#else
    CC_UNUSED_PARAM(delegate);
#endif
}

NS_CC_END
