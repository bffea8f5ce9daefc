#ifndef __CC_MENU_ITEM_IMAGE_LOADER_H__
#define __CC_MENU_ITEM_IMAGE_LOADER_H__

#include "CCMenuItemLoader.h"

NS_CC_EXT_BEGIN

/** "CCMenuItemImage": the normal, selected and disabled frames, plus the item properties. */
class CCMenuItemImageLoader : public CCMenuItemLoader
{
public:
    CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(CCMenuItemImageLoader, loader);

protected:
    CCB_VIRTUAL_NEW_AUTORELEASE_CREATECCNODE_METHOD(cocos2d::CCMenuItemImage);
    virtual void onHandlePropTypeSpriteFrame(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                             cocos2d::CCSpriteFrame* pCCSpriteFrame, CCBReader* pCCBReader);
};

NS_CC_EXT_END

#endif // __CC_MENU_ITEM_IMAGE_LOADER_H__
