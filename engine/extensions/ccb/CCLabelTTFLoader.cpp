#include "CCLabelTTFLoader.h"

#include <cstring>

USING_NS_CC;

NS_CC_EXT_BEGIN

void CCLabelTTFLoader::onHandlePropTypeColor3(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                              ccColor3B pCCColor3B, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "color") == 0) static_cast<CCLabelTTF*>(pNode)->setColor(pCCColor3B);
    else CCNodeLoader::onHandlePropTypeColor3(pNode, pParent, pPropertyName, pCCColor3B, pCCBReader);
}

void CCLabelTTFLoader::onHandlePropTypeByte(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                            unsigned char pByte, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "opacity") == 0) static_cast<CCLabelTTF*>(pNode)->setOpacity(pByte);
    else CCNodeLoader::onHandlePropTypeByte(pNode, pParent, pPropertyName, pByte, pCCBReader);
}

void CCLabelTTFLoader::onHandlePropTypeBlendFunc(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                 ccBlendFunc pCCBlendFunc, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "blendFunc") == 0) static_cast<CCLabelTTF*>(pNode)->setBlendFunc(pCCBlendFunc);
    else CCNodeLoader::onHandlePropTypeBlendFunc(pNode, pParent, pPropertyName, pCCBlendFunc, pCCBReader);
}

void CCLabelTTFLoader::onHandlePropTypeFontTTF(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                               const char* pFontTTF, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "fontName") == 0) static_cast<CCLabelTTF*>(pNode)->setFontName(pFontTTF);
    else CCNodeLoader::onHandlePropTypeFontTTF(pNode, pParent, pPropertyName, pFontTTF, pCCBReader);
}

void CCLabelTTFLoader::onHandlePropTypeText(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                            const char* pText, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "string") == 0) static_cast<CCLabelTTF*>(pNode)->setString(pText);
    else CCNodeLoader::onHandlePropTypeText(pNode, pParent, pPropertyName, pText, pCCBReader);
}

void CCLabelTTFLoader::onHandlePropTypeFloatScale(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                  float pFloatScale, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "fontSize") == 0) static_cast<CCLabelTTF*>(pNode)->setFontSize(pFloatScale);
    else CCNodeLoader::onHandlePropTypeFloatScale(pNode, pParent, pPropertyName, pFloatScale, pCCBReader);
}

void CCLabelTTFLoader::onHandlePropTypeIntegerLabeled(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                      int pIntegerLabeled, CCBReader* pCCBReader)
{
    CCLabelTTF* label = static_cast<CCLabelTTF*>(pNode);
    bool known = pIntegerLabeled >= 0 && pIntegerLabeled <= 2;  // left/top, centre, right/bottom
    if (std::strcmp(pPropertyName, "horizontalAlignment") == 0)
    {
        if (known) label->setHorizontalAlignment((CCTextAlignment)pIntegerLabeled);
        else CCLog("CCLabelTTFLoader - unknown alignment %d", pIntegerLabeled);
    }
    else if (std::strcmp(pPropertyName, "verticalAlignment") == 0)
    {
        if (known) label->setVerticalAlignment((CCVerticalTextAlignment)pIntegerLabeled);
        else CCLog("CCLabelTTFLoader - unknown alignment %d", pIntegerLabeled);
    }
    else CCNodeLoader::onHandlePropTypeIntegerLabeled(pNode, pParent, pPropertyName, pIntegerLabeled, pCCBReader);
}

void CCLabelTTFLoader::onHandlePropTypeSize(CCNode* pNode, CCNode* pParent, const char* pPropertyName, CCSize pSize,
                                            CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "dimensions") == 0) static_cast<CCLabelTTF*>(pNode)->setDimensions(pSize);
    else CCNodeLoader::onHandlePropTypeSize(pNode, pParent, pPropertyName, pSize, pCCBReader);
}

NS_CC_EXT_END
