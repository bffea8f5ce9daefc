#ifndef __CC_SPRITE_LOADER_H__
#define __CC_SPRITE_LOADER_H__

#include "CCNodeLoader.h"
#include "sprites/CCSprite.h"

NS_CC_EXT_BEGIN

/** "CCSprite": displayFrame, color, opacity, flip and blendFunc. */
class CCSpriteLoader : public CCNodeLoader
{
public:
    CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(CCSpriteLoader, loader);

protected:
    CCB_VIRTUAL_NEW_AUTORELEASE_CREATECCNODE_METHOD(CCSprite);
    virtual void onHandlePropTypeColor3(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                        cocos2d::ccColor3B pCCColor3B, CCBReader* pCCBReader);
    virtual void onHandlePropTypeByte(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                      unsigned char pByte, CCBReader* pCCBReader);
    virtual void onHandlePropTypeBlendFunc(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                           cocos2d::ccBlendFunc pCCBlendFunc, CCBReader* pCCBReader);
    virtual void onHandlePropTypeSpriteFrame(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                             cocos2d::CCSpriteFrame* pCCSpriteFrame, CCBReader* pCCBReader);
    virtual void onHandlePropTypeFlip(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                      bool* pFlip, CCBReader* pCCBReader);
};

NS_CC_EXT_END

#endif // __CC_SPRITE_LOADER_H__
