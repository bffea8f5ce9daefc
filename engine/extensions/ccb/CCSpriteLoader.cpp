#include "CCSpriteLoader.h"

#include <cstring>

USING_NS_CC;

NS_CC_EXT_BEGIN

void CCSpriteLoader::onHandlePropTypeColor3(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                            ccColor3B pCCColor3B, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "color") == 0) static_cast<CCSprite*>(pNode)->setColor(pCCColor3B);
    else CCNodeLoader::onHandlePropTypeColor3(pNode, pParent, pPropertyName, pCCColor3B, pCCBReader);
}

void CCSpriteLoader::onHandlePropTypeByte(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                          unsigned char pByte, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "opacity") == 0) static_cast<CCSprite*>(pNode)->setOpacity(pByte);
    else CCNodeLoader::onHandlePropTypeByte(pNode, pParent, pPropertyName, pByte, pCCBReader);
}

void CCSpriteLoader::onHandlePropTypeBlendFunc(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                               ccBlendFunc pCCBlendFunc, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "blendFunc") == 0) static_cast<CCSprite*>(pNode)->setBlendFunc(pCCBlendFunc);
    else CCNodeLoader::onHandlePropTypeBlendFunc(pNode, pParent, pPropertyName, pCCBlendFunc, pCCBReader);
}

void CCSpriteLoader::onHandlePropTypeSpriteFrame(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                 CCSpriteFrame* pCCSpriteFrame, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "displayFrame") == 0)
    {
        if (pCCSpriteFrame) static_cast<CCSprite*>(pNode)->setDisplayFrame(pCCSpriteFrame);
    }
    else CCNodeLoader::onHandlePropTypeSpriteFrame(pNode, pParent, pPropertyName, pCCSpriteFrame, pCCBReader);
}

void CCSpriteLoader::onHandlePropTypeFlip(CCNode* pNode, CCNode* pParent, const char* pPropertyName, bool* pFlip,
                                          CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "flip") == 0)
    {
        static_cast<CCSprite*>(pNode)->setFlipX(pFlip[0]);
        static_cast<CCSprite*>(pNode)->setFlipY(pFlip[1]);
    }
    else CCNodeLoader::onHandlePropTypeFlip(pNode, pParent, pPropertyName, pFlip, pCCBReader);
}

NS_CC_EXT_END
