#include "VornCollisionLoader.h"

#include "VornCollision.h"

USING_NS_CC;

NS_CC_EXT_BEGIN

namespace
{
const int kBackdropCollisionList = 8;
}

CCLayerColor* VornCollisionLoader::createCCNode(CCNode*, CCBReader*)
{
    return VornCollision::create(kBackdropCollisionList);
}

void VornCollisionLoader::onPropertiesParsed(CCNode* pNode, CCNode* pParent, CCBReader* pCCBReader)
{
    CCLayerColorLoader::onPropertiesParsed(pNode, pParent, pCCBReader);
    // The editor shows the box in colour; in the game it is only solid.
    static_cast<VornCollision*>(pNode)->setOpacity(0);
}

NS_CC_EXT_END
