#include "VornObjectLoader.h"

#include "VornBackdrop.h"
#include "VornGameManager.h"

USING_NS_CC;

NS_CC_EXT_BEGIN

void VornObjectLoader::onPropertiesParsed(CCNode* pNode, CCNode* pParent, CCBReader* pCCBReader)
{
    CCAnimatingSpriteLoader::onPropertiesParsed(pNode, pParent, pCCBReader);
    VornGameManager* manager = VornGameManager::getSharedVornGameManager();
    VornBackdrop* backdrop = manager ? manager->getBackground() : NULL;
    if (backdrop != NULL)
    {
        backdrop->addObject(pNode);
    }
}

NS_CC_EXT_END
