#include "VornParticleSystemQuadLoader.h"

USING_NS_CC;

NS_CC_EXT_BEGIN

void VornParticleSystemQuadLoader::onPropertiesParsed(CCNode* pNode, CCNode* pParent, CCBReader* pCCBReader)
{
    CCParticleSystemQuadLoader::onPropertiesParsed(pNode, pParent, pCCBReader);
    // Effects placed on moving things (signs, props) trail with them, not behind in the world.
    static_cast<CCParticleSystemQuad*>(pNode)->setPositionType(kCCPositionTypeRelative);
}

NS_CC_EXT_END
