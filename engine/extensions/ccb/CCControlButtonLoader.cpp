#include "CCControlButtonLoader.h"

#include "base/CCString.h"

#include <cstring>
#include <string>

USING_NS_CC;

NS_CC_EXT_BEGIN

namespace
{
// Splits "title|2" into "title" and the highlighted state; false for an unknown suffix.
bool splitState(const char* propertyName, std::string* base, CCControlState* state)
{
    std::string name(propertyName);
    size_t bar = name.find('|');
    *base = name.substr(0, bar);
    *state = CCControlStateNormal;
    if (bar == std::string::npos) return true;
    std::string suffix = name.substr(bar + 1);
    if (suffix == "1") *state = CCControlStateNormal;
    else if (suffix == "2") *state = CCControlStateHighlighted;
    else if (suffix == "3") *state = CCControlStateDisabled;
    else return false;
    return true;
}

CCControlButton* button(CCNode* node)
{
    return static_cast<CCControlButton*>(node);
}
} // namespace

void CCControlButtonLoader::onHandlePropTypeCheck(CCNode* pNode, CCNode* pParent, const char* pPropertyName, bool pCheck,
                                                  CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "zoomOnTouchDown") == 0) button(pNode)->setZoomOnTouchDown(pCheck);
    else CCControlLoader::onHandlePropTypeCheck(pNode, pParent, pPropertyName, pCheck, pCCBReader);
}

void CCControlButtonLoader::onHandlePropTypeString(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                   const char* pString, CCBReader* pCCBReader)
{
    std::string base;
    CCControlState state;
    if (splitState(pPropertyName, &base, &state) && base == "title")
        button(pNode)->setTitleForState(CCString::create(pString), state);
    else CCControlLoader::onHandlePropTypeString(pNode, pParent, pPropertyName, pString, pCCBReader);
}

void CCControlButtonLoader::onHandlePropTypeFontTTF(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                    const char* pFontTTF, CCBReader* pCCBReader)
{
    std::string base;
    CCControlState state;
    if (splitState(pPropertyName, &base, &state) && base == "titleTTF")
        button(pNode)->setTitleTTFForState(pFontTTF, state);
    else CCControlLoader::onHandlePropTypeFontTTF(pNode, pParent, pPropertyName, pFontTTF, pCCBReader);
}

void CCControlButtonLoader::onHandlePropTypeFloatScale(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                       float pFloatScale, CCBReader* pCCBReader)
{
    std::string base;
    CCControlState state;
    if (splitState(pPropertyName, &base, &state) && base == "titleTTFSize")
        button(pNode)->setTitleTTFSizeForState(pFloatScale, state);
    else CCControlLoader::onHandlePropTypeFloatScale(pNode, pParent, pPropertyName, pFloatScale, pCCBReader);
}

void CCControlButtonLoader::onHandlePropTypePoint(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                  CCPoint pPoint, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "labelAnchorPoint") == 0) button(pNode)->setLabelAnchorPoint(pPoint);
    else CCControlLoader::onHandlePropTypePoint(pNode, pParent, pPropertyName, pPoint, pCCBReader);
}

void CCControlButtonLoader::onHandlePropTypeSize(CCNode* pNode, CCNode* pParent, const char* pPropertyName, CCSize pSize,
                                                 CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "preferedSize") == 0) button(pNode)->setPreferredSize(pSize);
    else CCControlLoader::onHandlePropTypeSize(pNode, pParent, pPropertyName, pSize, pCCBReader);
}

void CCControlButtonLoader::onHandlePropTypeSpriteFrame(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                        CCSpriteFrame* pCCSpriteFrame, CCBReader* pCCBReader)
{
    std::string base;
    CCControlState state;
    if (splitState(pPropertyName, &base, &state) && base == "backgroundSpriteFrame")
    {
        if (pCCSpriteFrame) button(pNode)->setBackgroundSpriteFrameForState(pCCSpriteFrame, state);
    }
    else CCControlLoader::onHandlePropTypeSpriteFrame(pNode, pParent, pPropertyName, pCCSpriteFrame, pCCBReader);
}

void CCControlButtonLoader::onHandlePropTypeColor3(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                   ccColor3B pCCColor3B, CCBReader* pCCBReader)
{
    std::string base;
    CCControlState state;
    if (splitState(pPropertyName, &base, &state) && base == "titleColor")
        button(pNode)->setTitleColorForState(pCCColor3B, state);
    else CCControlLoader::onHandlePropTypeColor3(pNode, pParent, pPropertyName, pCCColor3B, pCCBReader);
}

NS_CC_EXT_END
