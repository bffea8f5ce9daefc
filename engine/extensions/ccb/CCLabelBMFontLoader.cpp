#include "CCLabelBMFontLoader.h"

#include "CCBReader.h"

#include <cstring>

USING_NS_CC;

NS_CC_EXT_BEGIN

namespace
{
void setAlignment(CCNode* node, int alignment)
{
    if (alignment >= kCCTextAlignmentLeft && alignment <= kCCTextAlignmentRight)
        static_cast<CCLabelBMFont*>(node)->setAlignment((CCTextAlignment)alignment);
    else CCLog("CCLabelBMFontLoader - unknown alignment %d", alignment);
}
} // namespace

void CCLabelBMFontLoader::onHandlePropTypeColor3(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                 ccColor3B pCCColor3B, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "color") == 0) static_cast<CCLabelBMFont*>(pNode)->setColor(pCCColor3B);
    else CCNodeLoader::onHandlePropTypeColor3(pNode, pParent, pPropertyName, pCCColor3B, pCCBReader);
}

void CCLabelBMFontLoader::onHandlePropTypeByte(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                               unsigned char pByte, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "opacity") == 0) static_cast<CCLabelBMFont*>(pNode)->setOpacity(pByte);
    else CCNodeLoader::onHandlePropTypeByte(pNode, pParent, pPropertyName, pByte, pCCBReader);
}

void CCLabelBMFontLoader::onHandlePropTypeBlendFunc(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                    ccBlendFunc pCCBlendFunc, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "blendFunc") == 0) static_cast<CCLabelBMFont*>(pNode)->setBlendFunc(pCCBlendFunc);
    else CCNodeLoader::onHandlePropTypeBlendFunc(pNode, pParent, pPropertyName, pCCBlendFunc, pCCBReader);
}

void CCLabelBMFontLoader::onHandlePropTypeFntFile(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                  const char* pFntFile, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "fntFile") == 0)
    {
        std::string path = pCCBReader->getCCBRootPath() + pFntFile;
        static_cast<CCLabelBMFont*>(pNode)->setFntFile(path.c_str());
    }
    else CCNodeLoader::onHandlePropTypeFntFile(pNode, pParent, pPropertyName, pFntFile, pCCBReader);
}

void CCLabelBMFontLoader::onHandlePropTypeText(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                               const char* pText, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "string") == 0) static_cast<CCLabelBMFont*>(pNode)->setString(pText);
    else CCNodeLoader::onHandlePropTypeText(pNode, pParent, pPropertyName, pText, pCCBReader);
}

// Alignment arrives as a plain or a labelled integer depending on the editor's version.
void CCLabelBMFontLoader::onHandlePropTypeInteger(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                  int pInteger, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "alignment") == 0)
        setAlignment(pNode, pInteger);
    else CCNodeLoader::onHandlePropTypeInteger(pNode, pParent, pPropertyName, pInteger, pCCBReader);
}

void CCLabelBMFontLoader::onHandlePropTypeIntegerLabeled(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                         int pIntegerLabeled, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "alignment") == 0)
        setAlignment(pNode, pIntegerLabeled);
    else CCNodeLoader::onHandlePropTypeIntegerLabeled(pNode, pParent, pPropertyName, pIntegerLabeled, pCCBReader);
}

NS_CC_EXT_END
