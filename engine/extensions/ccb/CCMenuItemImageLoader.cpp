#include "CCMenuItemImageLoader.h"

#include <cstring>

USING_NS_CC;

NS_CC_EXT_BEGIN

void CCMenuItemImageLoader::onHandlePropTypeSpriteFrame(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                        CCSpriteFrame* pCCSpriteFrame, CCBReader* pCCBReader)
{
    CCMenuItemImage* item = static_cast<CCMenuItemImage*>(pNode);
    if (std::strcmp(pPropertyName, "normalSpriteFrame") == 0)
    {
        if (pCCSpriteFrame) item->setNormalSpriteFrame(pCCSpriteFrame);
    }
    else if (std::strcmp(pPropertyName, "selectedSpriteFrame") == 0)
    {
        if (pCCSpriteFrame) item->setSelectedSpriteFrame(pCCSpriteFrame);
    }
    else if (std::strcmp(pPropertyName, "disabledSpriteFrame") == 0)
    {
        if (pCCSpriteFrame) item->setDisabledSpriteFrame(pCCSpriteFrame);
    }
    else CCMenuItemLoader::onHandlePropTypeSpriteFrame(pNode, pParent, pPropertyName, pCCSpriteFrame, pCCBReader);
}

NS_CC_EXT_END
