#ifndef __CC_MENU_GAMEPAD_SELECTOR_RESOLVER_H__
#define __CC_MENU_GAMEPAD_SELECTOR_RESOLVER_H__

#include "CCMenuGamepad.h"

NS_CC_EXT_BEGIN

/**
 * What a layout's owner implements, beside CCBSelectorResolver, to bind a gamepad menu's handlers
 * ("upSelector" ... "backSelector"). The loader asks CCBSelectorResolver::onResolveCCBSelectorTarget
 * for the target of a name, then this for the handler on that target.
 *
 * Gamepad handlers take the player index and answer whether they handled the input, so they get
 * their own query: a menu-item selector (which takes the sender) is never called as one.
 */
class CCMenuGamepadSelectorResolver
{
public:
    virtual ~CCMenuGamepadSelectorResolver() {}
    /** The handler of that name on the target, or NULL (the slot then never fires). */
    virtual cocos2d::SEL_MenuGamepadHandler onResolveCCBMenuGamepadSelector(cocos2d::CCObject* pTarget,
                                                                           const char* pSelectorName) = 0;
};

NS_CC_EXT_END

#endif // __CC_MENU_GAMEPAD_SELECTOR_RESOLVER_H__
