#include "CCParticleSystemQuadLoader.h"

#include <cstring>

USING_NS_CC;

NS_CC_EXT_BEGIN

namespace
{
CCParticleSystemQuad* particles(CCNode* node)
{
    return static_cast<CCParticleSystemQuad*>(node);
}

bool is(const char* name, const char* expected)
{
    return std::strcmp(name, expected) == 0;
}
} // namespace

void CCParticleSystemQuadLoader::onHandlePropTypeIntegerLabeled(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                                int pIntegerLabeled, CCBReader* pCCBReader)
{
    if (is(pPropertyName, "emitterMode")) particles(pNode)->setEmitterMode(pIntegerLabeled);
    else CCNodeLoader::onHandlePropTypeIntegerLabeled(pNode, pParent, pPropertyName, pIntegerLabeled, pCCBReader);
}

void CCParticleSystemQuadLoader::onHandlePropTypePoint(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                       CCPoint pPoint, CCBReader* pCCBReader)
{
    if (is(pPropertyName, "posVar")) particles(pNode)->setPosVar(pPoint);
    else if (is(pPropertyName, "gravity")) particles(pNode)->setGravity(pPoint);
    else CCNodeLoader::onHandlePropTypePoint(pNode, pParent, pPropertyName, pPoint, pCCBReader);
}

void CCParticleSystemQuadLoader::onHandlePropTypeFloat(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                       float pFloat, CCBReader* pCCBReader)
{
    if (is(pPropertyName, "emissionRate")) particles(pNode)->setEmissionRate(pFloat);
    else if (is(pPropertyName, "duration")) particles(pNode)->setDuration(pFloat);
    else CCNodeLoader::onHandlePropTypeFloat(pNode, pParent, pPropertyName, pFloat, pCCBReader);
}

void CCParticleSystemQuadLoader::onHandlePropTypeInteger(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                         int pInteger, CCBReader* pCCBReader)
{
    if (is(pPropertyName, "totalParticles"))
    {
        // A negative count from a damaged layout must not become a huge allocation.
        particles(pNode)->setTotalParticles(pInteger > 0 ? (unsigned int)pInteger : 0u);
    }
    else CCNodeLoader::onHandlePropTypeInteger(pNode, pParent, pPropertyName, pInteger, pCCBReader);
}

void CCParticleSystemQuadLoader::onHandlePropTypeFloatVar(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                          float* v, CCBReader* pCCBReader)
{
    CCParticleSystemQuad* p = particles(pNode);
    if (is(pPropertyName, "life")) { p->setLife(v[0]); p->setLifeVar(v[1]); }
    else if (is(pPropertyName, "startSize")) { p->setStartSize(v[0]); p->setStartSizeVar(v[1]); }
    else if (is(pPropertyName, "endSize")) { p->setEndSize(v[0]); p->setEndSizeVar(v[1]); }
    else if (is(pPropertyName, "startSpin")) { p->setStartSpin(v[0]); p->setStartSpinVar(v[1]); }
    else if (is(pPropertyName, "endSpin")) { p->setEndSpin(v[0]); p->setEndSpinVar(v[1]); }
    else if (is(pPropertyName, "angle")) { p->setAngle(v[0]); p->setAngleVar(v[1]); }
    else if (is(pPropertyName, "speed")) { p->setSpeed(v[0]); p->setSpeedVar(v[1]); }
    else if (is(pPropertyName, "tangentialAccel")) { p->setTangentialAccel(v[0]); p->setTangentialAccelVar(v[1]); }
    else if (is(pPropertyName, "radialAccel")) { p->setRadialAccel(v[0]); p->setRadialAccelVar(v[1]); }
    else if (is(pPropertyName, "startRadius")) { p->setStartRadius(v[0]); p->setStartRadiusVar(v[1]); }
    else if (is(pPropertyName, "endRadius")) { p->setEndRadius(v[0]); p->setEndRadiusVar(v[1]); }
    else if (is(pPropertyName, "rotatePerSecond")) { p->setRotatePerSecond(v[0]); p->setRotatePerSecondVar(v[1]); }
    else CCNodeLoader::onHandlePropTypeFloatVar(pNode, pParent, pPropertyName, v, pCCBReader);
}

void CCParticleSystemQuadLoader::onHandlePropTypeColor4FVar(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                            ccColor4F* v, CCBReader* pCCBReader)
{
    if (is(pPropertyName, "startColor")) { particles(pNode)->setStartColor(v[0]); particles(pNode)->setStartColorVar(v[1]); }
    else if (is(pPropertyName, "endColor")) { particles(pNode)->setEndColor(v[0]); particles(pNode)->setEndColorVar(v[1]); }
    else CCNodeLoader::onHandlePropTypeColor4FVar(pNode, pParent, pPropertyName, v, pCCBReader);
}

void CCParticleSystemQuadLoader::onHandlePropTypeBlendFunc(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                           ccBlendFunc pCCBlendFunc, CCBReader* pCCBReader)
{
    if (is(pPropertyName, "blendFunc")) particles(pNode)->setBlendFunc(pCCBlendFunc);
    else CCNodeLoader::onHandlePropTypeBlendFunc(pNode, pParent, pPropertyName, pCCBlendFunc, pCCBReader);
}

void CCParticleSystemQuadLoader::onHandlePropTypeTexture(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                         CCTexture2D* pCCTexture2D, CCBReader* pCCBReader)
{
    if (is(pPropertyName, "texture"))
    {
        if (pCCTexture2D) particles(pNode)->setTexture(pCCTexture2D);
    }
    else CCNodeLoader::onHandlePropTypeTexture(pNode, pParent, pPropertyName, pCCTexture2D, pCCBReader);
}

NS_CC_EXT_END
