#ifndef __CC_MENU_GAMEPAD_LOADER_H__
#define __CC_MENU_GAMEPAD_LOADER_H__

#include "CCLayerLoader.h"
#include "CCMenuGamepad.h"

NS_CC_EXT_BEGIN

/**
 * "CCMenuGamepad" (and "CCMenu" in the framework's library): the six handler names
 * ("upSelector", "downSelector", "leftSelector", "rightSelector", "actionSelector",
 * "backSelector") bound through the reader's resolver (see CCMenuGamepadSelectorResolver), and
 * the "gamepadEnabled", "gamepadLocked" and "activateOnSelection" switches.
 */
class CCMenuGamepadLoader : public CCLayerLoader
{
public:
    CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(CCMenuGamepadLoader, loader);

protected:
    virtual cocos2d::CCMenuGamepad* createCCNode(cocos2d::CCNode* pParent, CCBReader* pCCBReader);
    virtual void onHandlePropTypeString(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                        const char* pString, CCBReader* pCCBReader);
    virtual void onHandlePropTypeCheck(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                       bool pCheck, CCBReader* pCCBReader);
};

NS_CC_EXT_END

#endif // __CC_MENU_GAMEPAD_LOADER_H__
