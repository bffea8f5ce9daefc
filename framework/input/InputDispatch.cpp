#include "InputDispatch.h"

#include "CCDirector.h"
#include "CCKeyboardDispatcher.h"
#include "CCTouchDispatcher.h"

// The dispatchers come with the window; without one (headless tests) nothing is registered.

NS_CC_BEGIN

void vornAddTargetedTouchDelegate(CCTouchDelegate* delegate, int priority, bool swallowsTouches)
{
    CCTouchDispatcher* dispatcher = CCDirector::sharedDirector()->getTouchDispatcher();
    if (dispatcher != NULL && delegate != NULL)
    {
        dispatcher->addTargetedDelegate(delegate, priority, swallowsTouches);
    }
}

bool vornAddKeyboardDelegate(CCKeyboardDelegate* delegate)
{
    CCKeyboardDispatcher* dispatcher = CCDirector::sharedDirector()->getKeyboardDispatcher();
    if (dispatcher != NULL && delegate != NULL)
    {
        dispatcher->addDelegate(delegate);
        return true;
    }
    return false;
}

void vornRemoveKeyboardDelegate(CCKeyboardDelegate* delegate)
{
    CCKeyboardDispatcher* dispatcher = CCDirector::sharedDirector()->getKeyboardDispatcher();
    if (dispatcher != NULL && delegate != NULL)
    {
        dispatcher->removeDelegate(delegate);
    }
}

NS_CC_END
