#ifndef __VORN_TRIGGER_LOADER_H__
#define __VORN_TRIGGER_LOADER_H__

#include "CCLayerColorLoader.h"

NS_CC_EXT_BEGIN

/** "VornTrigger" with "triggerName" (string), "repeatTrigger" and "visibleTrigger" (checks). Only a visible trigger keeps the layout's opacity; it starts armed. */
class VornTriggerLoader : public CCLayerColorLoader
{
public:
    CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(VornTriggerLoader, loader);

protected:
    virtual cocos2d::CCLayerColor* createCCNode(cocos2d::CCNode* pParent, CCBReader* pCCBReader);
    virtual void onHandlePropTypeString(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                        const char* pString, CCBReader* pCCBReader);
    virtual void onHandlePropTypeCheck(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                       bool pCheck, CCBReader* pCCBReader);
    virtual void onPropertiesParsed(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader);
};

NS_CC_EXT_END

#endif // __VORN_TRIGGER_LOADER_H__
