#ifndef __CCB_SELECTOR_RESOLVER_H__
#define __CCB_SELECTOR_RESOLVER_H__

#include "base/CCObject.h"

NS_CC_EXT_BEGIN

// Control events and handlers, as the controls extension declares them too (identical typedefs).
typedef unsigned int CCControlEvent;
typedef void (cocos2d::CCObject::*SEL_CCControlHandler)(cocos2d::CCObject*, CCControlEvent);
#ifndef cccontrol_selector
#define cccontrol_selector(_SELECTOR) (::cocos2d::extension::SEL_CCControlHandler)(&_SELECTOR)
#endif

/**
 * Binds a layout's selector names to objects and member functions. The reader first asks for the
 * object that receives a selector, then for the selector on that object.
 */
class CCBSelectorResolver
{
public:
    virtual ~CCBSelectorResolver() {}
    /** The object that is to receive the selector of that name (may differ from this resolver). */
    virtual cocos2d::CCObject* onResolveCCBSelectorTarget(const char* pSelectorName) = 0;
    /** The menu-item selector for that target and name, or NULL. */
    virtual cocos2d::SEL_MenuHandler onResolveCCBCCMenuItemSelector(cocos2d::CCObject* pTarget,
                                                                    const char* pSelectorName) = 0;
    /** The control selector for that target and name, or NULL. */
    virtual SEL_CCControlHandler onResolveCCBCCControlSelector(cocos2d::CCObject* pTarget,
                                                                const char* pSelectorName) = 0;
};

NS_CC_EXT_END

#endif // __CCB_SELECTOR_RESOLVER_H__
