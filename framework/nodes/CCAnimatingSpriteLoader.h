#ifndef __CC_ANIMATING_SPRITE_LOADER_H__
#define __CC_ANIMATING_SPRITE_LOADER_H__

#include "CCAnimatingSprite.h"
#include "CCSpriteLoader.h"

NS_CC_EXT_BEGIN

/**
 * "CCAnimatingSprite": a displayFrame naming a sheet plays the whole sheet; "wildcard", "delay",
 * "ignorePause" and "bounce" set the animation. Its texture is drawn without smoothing.
 */
class CCAnimatingSpriteLoader : public CCSpriteLoader
{
public:
    CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(CCAnimatingSpriteLoader, loader);

protected:
    CCB_VIRTUAL_NEW_AUTORELEASE_CREATECCNODE_METHOD(CCAnimatingSprite);
    virtual cocos2d::CCSpriteFrame* parsePropTypeSpriteFrame(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent,
                                                             CCBReader* pCCBReader, const char* pPropertyName);
    virtual void onHandlePropTypeSpriteFrame(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                             cocos2d::CCSpriteFrame* pCCSpriteFrame, CCBReader* pCCBReader);
    virtual void onHandlePropTypeString(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                        const char* pString, CCBReader* pCCBReader);
    virtual void onHandlePropTypeFloat(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                       float pFloat, CCBReader* pCCBReader);
    virtual void onHandlePropTypeCheck(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                       bool pCheck, CCBReader* pCCBReader);
};

NS_CC_EXT_END

#endif // __CC_ANIMATING_SPRITE_LOADER_H__
