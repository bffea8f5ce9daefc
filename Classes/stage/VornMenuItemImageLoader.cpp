#include "VornMenuItemImageLoader.h"

#include "CCMenuItem.h"
#include "CCSprite.h"
#include "CCTexture2D.h"

USING_NS_CC;

NS_CC_EXT_BEGIN

namespace
{
void aliasImage(CCNode* image)
{
    CCSprite* sprite = dynamic_cast<CCSprite*>(image);
    if (sprite != NULL && sprite->getTexture() != NULL)
    {
        sprite->getTexture()->setAliasTexParameters();
    }
}
} // namespace

void VornMenuItemImageLoader::onPropertiesParsed(CCNode* pNode, CCNode* pParent, CCBReader* pCCBReader)
{
    CCMenuItemImageLoader::onPropertiesParsed(pNode, pParent, pCCBReader);
    CCMenuItemImage* item = static_cast<CCMenuItemImage*>(pNode);
    aliasImage(item->getNormalImage());
    aliasImage(item->getSelectedImage());
    aliasImage(item->getDisabledImage());
}

NS_CC_EXT_END
