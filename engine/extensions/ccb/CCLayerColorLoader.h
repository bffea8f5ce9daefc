#ifndef __CC_LAYER_COLOR_LOADER_H__
#define __CC_LAYER_COLOR_LOADER_H__

#include "CCLayerLoader.h"
#include "nodes/CCLayerColor.h"

NS_CC_EXT_BEGIN

/** "CCLayerColor": color, opacity and blendFunc on top of the layer's properties. */
class CCLayerColorLoader : public CCLayerLoader
{
public:
    CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(CCLayerColorLoader, loader);

protected:
    CCB_VIRTUAL_NEW_AUTORELEASE_CREATECCNODE_METHOD(CCLayerColor);
    virtual void onHandlePropTypeColor3(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                        cocos2d::ccColor3B pCCColor3B, CCBReader* pCCBReader);
    virtual void onHandlePropTypeByte(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                      unsigned char pByte, CCBReader* pCCBReader);
    virtual void onHandlePropTypeBlendFunc(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                           cocos2d::ccBlendFunc pCCBlendFunc, CCBReader* pCCBReader);
};

NS_CC_EXT_END

#endif // __CC_LAYER_COLOR_LOADER_H__
