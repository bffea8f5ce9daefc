#include "CCAnimatingSpriteLoader.h"

#include "CCBReader.h"
#include "CCFileUtils.h"
#include "CCTexture2D.h"

#include <cstring>

USING_NS_CC;

NS_CC_EXT_BEGIN

CCSpriteFrame* CCAnimatingSpriteLoader::parsePropTypeSpriteFrame(CCNode* pNode, CCNode*, CCBReader* r, const char*)
{
    std::string sheet = r->readCachedString();
    std::string file = r->readCachedString();
    if (file.empty())
    {
        return NULL;
    }
    if (!sheet.empty())
    {
        // A sheet means "animate through all of it"; the frame name only marks the editor's preview.
        CCAnimatingSprite* sprite = dynamic_cast<CCAnimatingSprite*>(pNode);
        if (sprite && !CCFileUtils::sharedFileUtils()->fullPathForContentName(sheet, "CCAnimatingSpriteLoader").empty())
        {
            sprite->playFile((r->getCCBRootPath() + sheet).c_str());
        }
        return NULL;
    }
    return CCBReader::loadSpriteFrame("", file.c_str(), r->getCCBRootPath().c_str());
}

void CCAnimatingSpriteLoader::onHandlePropTypeSpriteFrame(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                          CCSpriteFrame* pCCSpriteFrame, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "displayFrame") != 0)
    {
        CCSpriteLoader::onHandlePropTypeSpriteFrame(pNode, pParent, pPropertyName, pCCSpriteFrame, pCCBReader);
        return;
    }
    CCSprite* sprite = static_cast<CCSprite*>(pNode);
    if (pCCSpriteFrame != NULL)
    {
        sprite->setDisplayFrame(pCCSpriteFrame);
    }
    // Pixel art: keep the texels sharp.
    if (sprite->getTexture() != NULL)
    {
        sprite->getTexture()->setAliasTexParameters();
    }
}

void CCAnimatingSpriteLoader::onHandlePropTypeString(CCNode* pNode, CCNode*, const char* pPropertyName,
                                                     const char* pString, CCBReader*)
{
    if (std::strcmp(pPropertyName, "wildcard") == 0) static_cast<CCAnimatingSprite*>(pNode)->setWildcard(pString);
    else logUnexpectedProperty(pPropertyName);
}

void CCAnimatingSpriteLoader::onHandlePropTypeFloat(CCNode* pNode, CCNode*, const char* pPropertyName, float pFloat,
                                                    CCBReader*)
{
    if (std::strcmp(pPropertyName, "delay") == 0) static_cast<CCAnimatingSprite*>(pNode)->setDelay(pFloat);
    else logUnexpectedProperty(pPropertyName);
}

void CCAnimatingSpriteLoader::onHandlePropTypeCheck(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                    bool pCheck, CCBReader* pCCBReader)
{
    CCAnimatingSprite* sprite = static_cast<CCAnimatingSprite*>(pNode);
    if (std::strcmp(pPropertyName, "ignorePause") == 0) sprite->setIgnorePause(pCheck);
    else if (std::strcmp(pPropertyName, "bounce") == 0) sprite->setBounce(pCheck);
    else CCSpriteLoader::onHandlePropTypeCheck(pNode, pParent, pPropertyName, pCheck, pCCBReader);
}

NS_CC_EXT_END
