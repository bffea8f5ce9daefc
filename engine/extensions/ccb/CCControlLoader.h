#ifndef __CC_CONTROL_LOADER_H__
#define __CC_CONTROL_LOADER_H__

#include "CCNodeLoader.h"
#include "extensions/controls/CCControl.h"

NS_CC_EXT_BEGIN

/** What every control has: "enabled", "selected" and its event handler "ccControl". */
class CCControlLoader : public CCNodeLoader
{
protected:
    virtual void onHandlePropTypeCheck(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                       bool pCheck, CCBReader* pCCBReader);
    virtual void onHandlePropTypeBlockCCControl(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent,
                                                const char* pPropertyName, BlockCCControlData* pBlockCCControlData,
                                                CCBReader* pCCBReader);
};

NS_CC_EXT_END

#endif // __CC_CONTROL_LOADER_H__
