#include "CCMenuItemLoader.h"

#include <cstring>

USING_NS_CC;

NS_CC_EXT_BEGIN

void CCMenuItemLoader::onHandlePropTypeBlock(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                             BlockData* pBlockData, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "block") == 0)
    {
        // An unresolved selector leaves the item without one: pressing it does nothing.
        if (pBlockData) static_cast<CCMenuItem*>(pNode)->setTarget(pBlockData->mTarget, pBlockData->mSELMenuHandler);
    }
    else CCNodeLoader::onHandlePropTypeBlock(pNode, pParent, pPropertyName, pBlockData, pCCBReader);
}

void CCMenuItemLoader::onHandlePropTypeCheck(CCNode* pNode, CCNode* pParent, const char* pPropertyName, bool pCheck,
                                             CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "isEnabled") == 0) static_cast<CCMenuItem*>(pNode)->setEnabled(pCheck);
    else CCNodeLoader::onHandlePropTypeCheck(pNode, pParent, pPropertyName, pCheck, pCCBReader);
}

NS_CC_EXT_END
