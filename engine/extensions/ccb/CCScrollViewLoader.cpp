#include "CCScrollViewLoader.h"

#include <cstring>

USING_NS_CC;

NS_CC_EXT_BEGIN

void CCScrollViewLoader::onHandlePropTypeSize(CCNode* pNode, CCNode* pParent, const char* pPropertyName, CCSize pSize,
                                              CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "contentSize") == 0) static_cast<CCScrollView*>(pNode)->setViewSize(pSize);
    else CCNodeLoader::onHandlePropTypeSize(pNode, pParent, pPropertyName, pSize, pCCBReader);
}

void CCScrollViewLoader::onHandlePropTypeCCBFile(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                 CCNode* pCCBFileNode, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "container") == 0)
    {
        CCScrollView* view = static_cast<CCScrollView*>(pNode);
        view->setContainer(pCCBFileNode);
    }
    else CCNodeLoader::onHandlePropTypeCCBFile(pNode, pParent, pPropertyName, pCCBFileNode, pCCBReader);
}

void CCScrollViewLoader::onHandlePropTypeCheck(CCNode* pNode, CCNode* pParent, const char* pPropertyName, bool pCheck,
                                               CCBReader* pCCBReader)
{
    CCScrollView* view = static_cast<CCScrollView*>(pNode);
    if (std::strcmp(pPropertyName, "clipsToBounds") == 0) view->setClippingToBounds(pCheck);
    else if (std::strcmp(pPropertyName, "bounces") == 0) view->setBounceable(pCheck);
    else CCNodeLoader::onHandlePropTypeCheck(pNode, pParent, pPropertyName, pCheck, pCCBReader);
}

void CCScrollViewLoader::onHandlePropTypeIntegerLabeled(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                        int pIntegerLabeled, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "direction") == 0)
    {
        if (pIntegerLabeled >= kCCScrollViewDirectionNone && pIntegerLabeled <= kCCScrollViewDirectionBoth)
            static_cast<CCScrollView*>(pNode)->setDirection((CCScrollViewDirection)pIntegerLabeled);
        else CCLog("CCScrollViewLoader - unknown direction %d", pIntegerLabeled);
    }
    else CCNodeLoader::onHandlePropTypeIntegerLabeled(pNode, pParent, pPropertyName, pIntegerLabeled, pCCBReader);
}

NS_CC_EXT_END
