#ifndef __VORN_SPRITE_LOADER_H__
#define __VORN_SPRITE_LOADER_H__

#include "CCSpriteLoader.h"

NS_CC_EXT_BEGIN

/** "CCSprite" read with its texture drawn without smoothing (pixel art). */
class VornSpriteLoader : public CCSpriteLoader
{
public:
    CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(VornSpriteLoader, loader);

protected:
    virtual void onPropertiesParsed(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader);
};

NS_CC_EXT_END

#endif // __VORN_SPRITE_LOADER_H__
