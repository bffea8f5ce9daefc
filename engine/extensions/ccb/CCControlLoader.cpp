#include "CCControlLoader.h"

#include <cstring>

USING_NS_CC;

NS_CC_EXT_BEGIN

void CCControlLoader::onHandlePropTypeCheck(CCNode* pNode, CCNode* pParent, const char* pPropertyName, bool pCheck,
                                            CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "enabled") == 0) static_cast<CCControl*>(pNode)->setEnabled(pCheck);
    else if (std::strcmp(pPropertyName, "selected") == 0) static_cast<CCControl*>(pNode)->setSelected(pCheck);
    else CCNodeLoader::onHandlePropTypeCheck(pNode, pParent, pPropertyName, pCheck, pCCBReader);
}

void CCControlLoader::onHandlePropTypeBlockCCControl(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                     BlockCCControlData* pBlockCCControlData, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "ccControl") == 0)
    {
        if (pBlockCCControlData)
        {
            static_cast<CCControl*>(pNode)->addTargetWithActionForControlEvents(
                pBlockCCControlData->mTarget, pBlockCCControlData->mSELCCControlHandler,
                (CCControlEvent)pBlockCCControlData->mControlEvents);
        }
    }
    else CCNodeLoader::onHandlePropTypeBlockCCControl(pNode, pParent, pPropertyName, pBlockCCControlData, pCCBReader);
}

NS_CC_EXT_END
