#ifndef __CC_MENU_ITEM_LOADER_H__
#define __CC_MENU_ITEM_LOADER_H__

#include "CCNodeLoader.h"
#include "menus/CCMenuItem.h"

NS_CC_EXT_BEGIN

/** The properties every menu item has: its selector ("block") and "isEnabled". */
class CCMenuItemLoader : public CCNodeLoader
{
protected:
    virtual void onHandlePropTypeBlock(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                       BlockData* pBlockData, CCBReader* pCCBReader);
    virtual void onHandlePropTypeCheck(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                       bool pCheck, CCBReader* pCCBReader);
};

NS_CC_EXT_END

#endif // __CC_MENU_ITEM_LOADER_H__
