#ifndef __CC_PARTICLE_SYSTEM_QUAD_LOADER_H__
#define __CC_PARTICLE_SYSTEM_QUAD_LOADER_H__

#include "CCNodeLoader.h"
#include "particles/CCParticleSystemQuad.h"

NS_CC_EXT_BEGIN

/**
 * "CCParticleSystemQuad": the emitter as the editor describes it (mode, rate, duration, count,
 * life, sizes, spins, angle, colours, gravity or radius values, texture, blending).
 */
class CCParticleSystemQuadLoader : public CCNodeLoader
{
public:
    CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(CCParticleSystemQuadLoader, loader);

protected:
    CCB_VIRTUAL_NEW_AUTORELEASE_CREATECCNODE_METHOD(cocos2d::CCParticleSystemQuad);
    virtual void onHandlePropTypeIntegerLabeled(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent,
                                                const char* pPropertyName, int pIntegerLabeled, CCBReader* pCCBReader);
    virtual void onHandlePropTypePoint(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                       cocos2d::CCPoint pPoint, CCBReader* pCCBReader);
    virtual void onHandlePropTypeFloat(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                       float pFloat, CCBReader* pCCBReader);
    virtual void onHandlePropTypeInteger(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                         int pInteger, CCBReader* pCCBReader);
    virtual void onHandlePropTypeFloatVar(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                          float* pFloatVar, CCBReader* pCCBReader);
    virtual void onHandlePropTypeColor4FVar(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                            cocos2d::ccColor4F* pCCColor4FVar, CCBReader* pCCBReader);
    virtual void onHandlePropTypeBlendFunc(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                           cocos2d::ccBlendFunc pCCBlendFunc, CCBReader* pCCBReader);
    virtual void onHandlePropTypeTexture(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                         cocos2d::CCTexture2D* pCCTexture2D, CCBReader* pCCBReader);
};

NS_CC_EXT_END

#endif // __CC_PARTICLE_SYSTEM_QUAD_LOADER_H__
