#include "CCLayerColorLoader.h"

#include <cstring>

USING_NS_CC;

NS_CC_EXT_BEGIN

void CCLayerColorLoader::onHandlePropTypeColor3(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                ccColor3B pCCColor3B, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "color") == 0) static_cast<CCLayerColor*>(pNode)->setColor(pCCColor3B);
    else CCLayerLoader::onHandlePropTypeColor3(pNode, pParent, pPropertyName, pCCColor3B, pCCBReader);
}

void CCLayerColorLoader::onHandlePropTypeByte(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                              unsigned char pByte, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "opacity") == 0) static_cast<CCLayerColor*>(pNode)->setOpacity(pByte);
    else CCLayerLoader::onHandlePropTypeByte(pNode, pParent, pPropertyName, pByte, pCCBReader);
}

void CCLayerColorLoader::onHandlePropTypeBlendFunc(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                   ccBlendFunc pCCBlendFunc, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "blendFunc") == 0) static_cast<CCLayerColor*>(pNode)->setBlendFunc(pCCBlendFunc);
    else CCLayerLoader::onHandlePropTypeBlendFunc(pNode, pParent, pPropertyName, pCCBlendFunc, pCCBReader);
}

NS_CC_EXT_END
