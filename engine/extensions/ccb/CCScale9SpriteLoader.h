#ifndef __CC_SCALE9_SPRITE_LOADER_H__
#define __CC_SCALE9_SPRITE_LOADER_H__

#include "CCNodeLoader.h"
#include "extensions/controls/CCScale9Sprite.h"

NS_CC_EXT_BEGIN

/** "CCScale9Sprite": spriteFrame, preferedSize (as the editor spells it), the four insets, colour, opacity. */
class CCScale9SpriteLoader : public CCNodeLoader
{
public:
    CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(CCScale9SpriteLoader, loader);

protected:
    CCB_VIRTUAL_NEW_AUTORELEASE_CREATECCNODE_METHOD(CCScale9Sprite);
    virtual void onHandlePropTypeSpriteFrame(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                             cocos2d::CCSpriteFrame* pCCSpriteFrame, CCBReader* pCCBReader);
    virtual void onHandlePropTypeSize(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                      cocos2d::CCSize pSize, CCBReader* pCCBReader);
    virtual void onHandlePropTypeFloat(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                       float pFloat, CCBReader* pCCBReader);
    virtual void onHandlePropTypeColor3(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                        cocos2d::ccColor3B pCCColor3B, CCBReader* pCCBReader);
    virtual void onHandlePropTypeByte(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                      unsigned char pByte, CCBReader* pCCBReader);
};

NS_CC_EXT_END

#endif // __CC_SCALE9_SPRITE_LOADER_H__
