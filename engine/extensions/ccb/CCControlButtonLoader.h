#ifndef __CC_CONTROL_BUTTON_LOADER_H__
#define __CC_CONTROL_BUTTON_LOADER_H__

#include "CCControlLoader.h"
#include "extensions/controls/CCControlButton.h"

NS_CC_EXT_BEGIN

/**
 * "CCControlButton": per-state titles, fonts, sizes, colours and backgrounds (a "|1", "|2" or "|3"
 * suffix names the normal, highlighted or disabled state; none means normal), zoomOnTouchDown,
 * labelAnchorPoint and preferedSize, plus the control properties.
 */
class CCControlButtonLoader : public CCControlLoader
{
public:
    CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(CCControlButtonLoader, loader);

protected:
    CCB_VIRTUAL_NEW_AUTORELEASE_CREATECCNODE_METHOD(CCControlButton);
    virtual void onHandlePropTypeCheck(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                       bool pCheck, CCBReader* pCCBReader);
    virtual void onHandlePropTypeString(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                        const char* pString, CCBReader* pCCBReader);
    virtual void onHandlePropTypeFontTTF(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                         const char* pFontTTF, CCBReader* pCCBReader);
    virtual void onHandlePropTypeFloatScale(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                            float pFloatScale, CCBReader* pCCBReader);
    virtual void onHandlePropTypePoint(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                       cocos2d::CCPoint pPoint, CCBReader* pCCBReader);
    virtual void onHandlePropTypeSize(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                      cocos2d::CCSize pSize, CCBReader* pCCBReader);
    virtual void onHandlePropTypeSpriteFrame(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                             cocos2d::CCSpriteFrame* pCCSpriteFrame, CCBReader* pCCBReader);
    virtual void onHandlePropTypeColor3(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                        cocos2d::ccColor3B pCCColor3B, CCBReader* pCCBReader);
};

NS_CC_EXT_END

#endif // __CC_CONTROL_BUTTON_LOADER_H__
