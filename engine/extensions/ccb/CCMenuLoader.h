#ifndef __CC_MENU_LOADER_H__
#define __CC_MENU_LOADER_H__

#include "CCLayerLoader.h"
#include "menus/CCMenu.h"

NS_CC_EXT_BEGIN

/** "CCMenu": a layer holding menu items; it has no properties of its own. */
class CCMenuLoader : public CCLayerLoader
{
public:
    CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(CCMenuLoader, loader);

protected:
    CCB_VIRTUAL_NEW_AUTORELEASE_CREATECCNODE_METHOD(cocos2d::CCMenu);
};

NS_CC_EXT_END

#endif // __CC_MENU_LOADER_H__
