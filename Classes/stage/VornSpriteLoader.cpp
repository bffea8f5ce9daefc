#include "VornSpriteLoader.h"

#include "CCTexture2D.h"

USING_NS_CC;

NS_CC_EXT_BEGIN

void VornSpriteLoader::onPropertiesParsed(CCNode* pNode, CCNode* pParent, CCBReader* pCCBReader)
{
    CCSpriteLoader::onPropertiesParsed(pNode, pParent, pCCBReader);
    CCTexture2D* texture = static_cast<CCSprite*>(pNode)->getTexture();
    if (texture != NULL)
    {
        texture->setAliasTexParameters();
    }
}

NS_CC_EXT_END
