#ifndef __CC_SPRITE_BATCH_NODE_LOADER_H__
#define __CC_SPRITE_BATCH_NODE_LOADER_H__

#include "CCNodeLoader.h"
#include "CCSpriteBatchNode.h"

NS_CC_EXT_BEGIN

/** "CCSpriteBatchNode": an empty batch node whose "texture" the layout sets. */
class CCSpriteBatchNodeLoader : public CCNodeLoader
{
public:
    CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(CCSpriteBatchNodeLoader, loader);

protected:
    CCB_VIRTUAL_NEW_AUTORELEASE_CREATECCNODE_METHOD(CCSpriteBatchNode);
    virtual void onHandlePropTypeTexture(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                         cocos2d::CCTexture2D* pCCTexture2D, CCBReader* pCCBReader);
};

NS_CC_EXT_END

#endif // __CC_SPRITE_BATCH_NODE_LOADER_H__
