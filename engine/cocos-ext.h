#ifndef __COCOS2D_EXT_H__
#define __COCOS2D_EXT_H__

// The extensions: the CocosBuilder reader and the controls, namespace cocos2d::extension.

#include "cocos2d.h"
#include "extensions/ccb/ccb.h"
#include "extensions/controls/controls.h"

#endif // __COCOS2D_EXT_H__
