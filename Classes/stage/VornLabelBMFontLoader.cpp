#include "VornLabelBMFontLoader.h"

#include "CCTexture2D.h"

USING_NS_CC;

NS_CC_EXT_BEGIN

void VornLabelBMFontLoader::onPropertiesParsed(CCNode* pNode, CCNode* pParent, CCBReader* pCCBReader)
{
    CCLabelBMFontLocaleLoader::onPropertiesParsed(pNode, pParent, pCCBReader);
    CCTexture2D* texture = static_cast<CCLabelBMFont*>(pNode)->getTexture();
    if (texture != NULL)
    {
        texture->setAliasTexParameters();
    }
}

NS_CC_EXT_END
