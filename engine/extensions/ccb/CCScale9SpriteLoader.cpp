#include "CCScale9SpriteLoader.h"

#include <cstring>

USING_NS_CC;

NS_CC_EXT_BEGIN

void CCScale9SpriteLoader::onHandlePropTypeSpriteFrame(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                       CCSpriteFrame* pCCSpriteFrame, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "spriteFrame") == 0)
    {
        if (pCCSpriteFrame) static_cast<CCScale9Sprite*>(pNode)->setSpriteFrame(pCCSpriteFrame);
    }
    else CCNodeLoader::onHandlePropTypeSpriteFrame(pNode, pParent, pPropertyName, pCCSpriteFrame, pCCBReader);
}

void CCScale9SpriteLoader::onHandlePropTypeSize(CCNode* pNode, CCNode* pParent, const char* pPropertyName, CCSize pSize,
                                                CCBReader* pCCBReader)
{
    // The editor stores the stretched size as "preferedSize"; its contentSize is only the preview's.
    if (std::strcmp(pPropertyName, "preferedSize") == 0) static_cast<CCScale9Sprite*>(pNode)->setPreferredSize(pSize);
    else if (std::strcmp(pPropertyName, "contentSize") == 0) {}
    else CCNodeLoader::onHandlePropTypeSize(pNode, pParent, pPropertyName, pSize, pCCBReader);
}

void CCScale9SpriteLoader::onHandlePropTypeFloat(CCNode* pNode, CCNode* pParent, const char* pPropertyName, float pFloat,
                                                 CCBReader* pCCBReader)
{
    CCScale9Sprite* sprite = static_cast<CCScale9Sprite*>(pNode);
    if (std::strcmp(pPropertyName, "insetLeft") == 0) sprite->setInsetLeft(pFloat);
    else if (std::strcmp(pPropertyName, "insetTop") == 0) sprite->setInsetTop(pFloat);
    else if (std::strcmp(pPropertyName, "insetRight") == 0) sprite->setInsetRight(pFloat);
    else if (std::strcmp(pPropertyName, "insetBottom") == 0) sprite->setInsetBottom(pFloat);
    else CCNodeLoader::onHandlePropTypeFloat(pNode, pParent, pPropertyName, pFloat, pCCBReader);
}

void CCScale9SpriteLoader::onHandlePropTypeColor3(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                  ccColor3B pCCColor3B, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "color") == 0) static_cast<CCScale9Sprite*>(pNode)->setColor(pCCColor3B);
    else CCNodeLoader::onHandlePropTypeColor3(pNode, pParent, pPropertyName, pCCColor3B, pCCBReader);
}

void CCScale9SpriteLoader::onHandlePropTypeByte(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                unsigned char pByte, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "opacity") == 0) static_cast<CCScale9Sprite*>(pNode)->setOpacity(pByte);
    else CCNodeLoader::onHandlePropTypeByte(pNode, pParent, pPropertyName, pByte, pCCBReader);
}

NS_CC_EXT_END
