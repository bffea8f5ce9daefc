#ifndef __CC_LAYER_LOADER_H__
#define __CC_LAYER_LOADER_H__

#include "CCNodeLoader.h"
#include "nodes/CCLayer.h"

NS_CC_EXT_BEGIN

/** "CCLayer": the input switches (touch, keypad; accelerometer and mouse are ignored). */
class CCLayerLoader : public CCNodeLoader
{
public:
    CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(CCLayerLoader, loader);

protected:
    CCB_VIRTUAL_NEW_AUTORELEASE_CREATECCNODE_METHOD(CCLayer);
    virtual void onHandlePropTypeCheck(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                       bool pCheck, CCBReader* pCCBReader);
};

NS_CC_EXT_END

#endif // __CC_LAYER_LOADER_H__
