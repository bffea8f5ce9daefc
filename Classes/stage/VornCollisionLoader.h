#ifndef __VORN_COLLISION_LOADER_H__
#define __VORN_COLLISION_LOADER_H__

#include "CCLayerColorLoader.h"

NS_CC_EXT_BEGIN

/** "VornCollision": an invisible solid rectangle in the backdrop collision list (8). */
class VornCollisionLoader : public CCLayerColorLoader
{
public:
    CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(VornCollisionLoader, loader);

protected:
    virtual cocos2d::CCLayerColor* createCCNode(cocos2d::CCNode* pParent, CCBReader* pCCBReader);
    virtual void onPropertiesParsed(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader);
};

NS_CC_EXT_END

#endif // __VORN_COLLISION_LOADER_H__
