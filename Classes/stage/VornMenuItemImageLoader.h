#ifndef __VORN_MENU_ITEM_IMAGE_LOADER_H__
#define __VORN_MENU_ITEM_IMAGE_LOADER_H__

#include "CCMenuItemImageLoader.h"

NS_CC_EXT_BEGIN

/** "CCMenuItemImage" whose normal, selected and disabled images are drawn without smoothing. */
class VornMenuItemImageLoader : public CCMenuItemImageLoader
{
public:
    CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(VornMenuItemImageLoader, loader);

protected:
    virtual void onPropertiesParsed(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader);
};

NS_CC_EXT_END

#endif // __VORN_MENU_ITEM_IMAGE_LOADER_H__
