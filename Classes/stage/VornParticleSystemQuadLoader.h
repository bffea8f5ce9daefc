#ifndef __VORN_PARTICLE_SYSTEM_QUAD_LOADER_H__
#define __VORN_PARTICLE_SYSTEM_QUAD_LOADER_H__

#include "CCParticleSystemQuadLoader.h"

NS_CC_EXT_BEGIN

/** "CCParticleSystemQuad" whose particles move with their emitter's parent (relative positions). */
class VornParticleSystemQuadLoader : public CCParticleSystemQuadLoader
{
public:
    CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(VornParticleSystemQuadLoader, loader);

protected:
    virtual void onPropertiesParsed(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader);
};

NS_CC_EXT_END

#endif // __VORN_PARTICLE_SYSTEM_QUAD_LOADER_H__
