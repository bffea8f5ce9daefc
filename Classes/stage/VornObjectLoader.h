#ifndef __VORN_OBJECT_LOADER_H__
#define __VORN_OBJECT_LOADER_H__

#include "CCAnimatingSpriteLoader.h"

NS_CC_EXT_BEGIN

/** "VornObject": an animating sprite that joins the current backdrop's objects (none without a backdrop). */
class VornObjectLoader : public CCAnimatingSpriteLoader
{
public:
    CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(VornObjectLoader, loader);

protected:
    virtual void onPropertiesParsed(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader);
};

NS_CC_EXT_END

#endif // __VORN_OBJECT_LOADER_H__
