#include "particles/CCParticleSystem.h"

#include "base/CCConsole.h"
#include "base/CCDictionary.h"
#include "base/CCPointExtension.h"
#include "particles/ccParticleImageData.h"
#include "sprites/CCImage.h"
#include "sprites/CCTexture2D.h"
#include "sprites/CCTextureCache.h"
#include "support/CCFileUtils.h"

#include <cmath>
#include <limits>

NS_CC_BEGIN

namespace
{
// Far beyond any effect the game draws; keeps a broken file from asking for gigabytes.
const unsigned int kMaxParticles = 100000;

float numberFor(CCDictionary* dict, const char* key)
{
    return dict->valueForKey(key)->floatValue();
}

float clamp01(float v)
{
    return v < 0 ? 0 : (v > 1 ? 1 : v);
}

ccColor4F randomColor(const ccColor4F& base, const ccColor4F& var)
{
    ccColor4F c;
    c.r = clamp01(base.r + var.r * CCRANDOM_MINUS1_1());
    c.g = clamp01(base.g + var.g * CCRANDOM_MINUS1_1());
    c.b = clamp01(base.b + var.b * CCRANDOM_MINUS1_1());
    c.a = clamp01(base.a + var.a * CCRANDOM_MINUS1_1());
    return c;
}

ccColor4F colorFor(CCDictionary* dict, const std::string& prefix)
{
    return ccc4f(numberFor(dict, (prefix + "Red").c_str()), numberFor(dict, (prefix + "Green").c_str()),
                 numberFor(dict, (prefix + "Blue").c_str()), numberFor(dict, (prefix + "Alpha").c_str()));
}
} // namespace

CCParticleSystem::CCParticleSystem()
: m_fElapsed(0)
, m_uParticleIdx(0)
, m_uParticleCount(0)
, m_uTotalParticles(0)
, m_fEmitCounter(0)
, m_bIsActive(true)
, m_bIsAutoRemoveOnFinish(false)
, m_nEmitterMode(kCCParticleModeGravity)
, m_ePositionType(kCCPositionTypeFree)
, m_fDuration(0)
, m_tSourcePosition(CCPointZero)
, m_tPosVar(CCPointZero)
, m_fLife(0), m_fLifeVar(0)
, m_fAngle(0), m_fAngleVar(0)
, m_fStartSize(0), m_fStartSizeVar(0), m_fEndSize(0), m_fEndSizeVar(0)
, m_fStartSpin(0), m_fStartSpinVar(0), m_fEndSpin(0), m_fEndSpinVar(0)
, m_fEmissionRate(0)
, m_tGravity(CCPointZero)
, m_fSpeed(0), m_fSpeedVar(0)
, m_fTangentialAccel(0), m_fTangentialAccelVar(0)
, m_fRadialAccel(0), m_fRadialAccelVar(0)
, m_bRotationIsDir(false)
, m_fStartRadius(0), m_fStartRadiusVar(0), m_fEndRadius(0), m_fEndRadiusVar(0)
, m_fRotatePerSecond(0), m_fRotatePerSecondVar(0)
, m_pTexture(NULL)
, m_bOpacityModifyRGB(false)
, m_nYCoordFlipped(1)
{
    m_tStartColor = m_tStartColorVar = m_tEndColor = m_tEndColorVar = ccc4f(0, 0, 0, 0);
    m_tBlendFunc.src = CC_BLEND_SRC;
    m_tBlendFunc.dst = CC_BLEND_DST;
}

CCParticleSystem::~CCParticleSystem()
{
    CC_SAFE_RELEASE(m_pTexture);
}

CCParticleSystem* CCParticleSystem::create(const char* plistFile)
{
    CCParticleSystem* pRet = new CCParticleSystem();
    if (pRet->initWithFile(plistFile))
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

CCParticleSystem* CCParticleSystem::createWithTotalParticles(unsigned int numberOfParticles)
{
    CCParticleSystem* pRet = new CCParticleSystem();
    if (pRet->initWithTotalParticles(numberOfParticles))
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

bool CCParticleSystem::initWithFile(const char* plistFile)
{
    if (!plistFile || !*plistFile)
    {
        CCLog("ERROR: CCParticleSystem - no particle file named");
        return false;
    }
    m_sPlistFile = CCFileUtils::sharedFileUtils()->fullPathForFilename(plistFile);
    CCDictionary* dict = CCDictionary::createWithContentsOfFile(m_sPlistFile.c_str());
    if (!dict || dict->count() == 0)
    {
        CCLog("ERROR: CCParticleSystem - can't read particle file '%s'", plistFile);
        return false;
    }
    const size_t slash = m_sPlistFile.rfind('/');
    const std::string dirname = slash == std::string::npos ? "" : m_sPlistFile.substr(0, slash + 1);
    return initWithDictionary(dict, dirname.c_str());
}

bool CCParticleSystem::initWithDictionary(CCDictionary* dict, const char* dirname)
{
    if (!dict)
    {
        return false;
    }
    const int maxParticles = dict->valueForKey("maxParticles")->intValue();
    if (maxParticles < 0)
    {
        CCLog("ERROR: CCParticleSystem - negative maxParticles in '%s'", m_sPlistFile.c_str());
        return false;
    }
    if (!initWithTotalParticles((unsigned int)maxParticles))
    {
        return false;
    }
    m_fAngle = numberFor(dict, "angle");
    m_fAngleVar = numberFor(dict, "angleVariance");
    m_fDuration = numberFor(dict, "duration");
    m_tBlendFunc.src = (GLenum)dict->valueForKey("blendFuncSource")->intValue();
    m_tBlendFunc.dst = (GLenum)dict->valueForKey("blendFuncDestination")->intValue();
    m_tStartColor = colorFor(dict, "startColor");
    m_tStartColorVar = colorFor(dict, "startColorVariance");
    m_tEndColor = colorFor(dict, "finishColor");
    m_tEndColorVar = colorFor(dict, "finishColorVariance");
    m_fStartSize = numberFor(dict, "startParticleSize");
    m_fStartSizeVar = numberFor(dict, "startParticleSizeVariance");
    m_fEndSize = numberFor(dict, "finishParticleSize");
    m_fEndSizeVar = numberFor(dict, "finishParticleSizeVariance");
    // The file's source position places the emitter node itself.
    setPosition(ccp(numberFor(dict, "sourcePositionx"), numberFor(dict, "sourcePositiony")));
    m_tPosVar = ccp(numberFor(dict, "sourcePositionVariancex"), numberFor(dict, "sourcePositionVariancey"));
    m_fStartSpin = numberFor(dict, "rotationStart");
    m_fStartSpinVar = numberFor(dict, "rotationStartVariance");
    m_fEndSpin = numberFor(dict, "rotationEnd");
    m_fEndSpinVar = numberFor(dict, "rotationEndVariance");

    m_nEmitterMode = dict->valueForKey("emitterType")->intValue() == kCCParticleModeRadius
                         ? kCCParticleModeRadius : kCCParticleModeGravity;
    m_tGravity = ccp(numberFor(dict, "gravityx"), numberFor(dict, "gravityy"));
    m_fSpeed = numberFor(dict, "speed");
    m_fSpeedVar = numberFor(dict, "speedVariance");
    m_fRadialAccel = numberFor(dict, "radialAcceleration");
    m_fRadialAccelVar = numberFor(dict, "radialAccelVariance");
    m_fTangentialAccel = numberFor(dict, "tangentialAcceleration");
    m_fTangentialAccelVar = numberFor(dict, "tangentialAccelVariance");
    m_bRotationIsDir = dict->valueForKey("rotationIsDir")->boolValue();
    m_fStartRadius = numberFor(dict, "maxRadius");
    m_fStartRadiusVar = numberFor(dict, "maxRadiusVariance");
    m_fEndRadius = numberFor(dict, "minRadius");
    m_fEndRadiusVar = numberFor(dict, "minRadiusVariance");
    m_fRotatePerSecond = numberFor(dict, "rotatePerSecond");
    m_fRotatePerSecondVar = numberFor(dict, "rotatePerSecondVariance");

    m_fLife = numberFor(dict, "particleLifespan");
    m_fLifeVar = numberFor(dict, "particleLifespanVariance");
    // Effect editors write a lifespan of 0 (with a variance) for bursts that should appear at
    // once: the rate is then unbounded, the first update fills the system and every particle
    // lives only its own random life.
    m_fEmissionRate = m_fLife > 0 ? m_uTotalParticles / m_fLife : std::numeric_limits<float>::infinity();
    const CCString* flipped = dict->valueForKey("yCoordFlipped");
    m_nYCoordFlipped = flipped->length() ? flipped->intValue() : 1;

    loadTexture(dict, dirname ? dirname : "");
    return true;
}

bool CCParticleSystem::loadTexture(CCDictionary* dict, const std::string& dirname)
{
    const std::string name = dict->valueForKey("textureFileName")->getCString();
    CCTexture2D* texture = NULL;
    if (!name.empty())
    {
        std::string path = name;
        if (!CCFileUtils::sharedFileUtils()->isAbsolutePath(name) && !dirname.empty())
        {
            path = dirname + name;
        }
        path = CCFileUtils::sharedFileUtils()->fullPathForFilename(path.c_str());
        if (CCFileUtils::sharedFileUtils()->isFileExist(path))
        {
            texture = CCTextureCache::sharedTextureCache()->addImage(path.c_str());
        }
        if (!texture)
        {
            texture = CCTextureCache::sharedTextureCache()->textureForKey(name.c_str());
        }
    }
    const std::string data = dict->valueForKey("textureImageData")->getCString();
    if (!texture && !data.empty())
    {
        std::vector<unsigned char> bytes;
        CCImage* image = new CCImage();
        if (ccDecodeEmbeddedImage(data, bytes) && image->initWithImageData(bytes.data(), (int)bytes.size()))
        {
            texture = CCTextureCache::sharedTextureCache()->addUIImage(image, name.empty() ? NULL : name.c_str());
        }
        else
        {
            CCLog("ERROR: CCParticleSystem - the embedded image of '%s' can't be decoded", m_sPlistFile.c_str());
        }
        image->release();
    }
    if (!texture)
    {
        if (!name.empty() || !data.empty())
        {
            CCLog("ERROR: CCParticleSystem - no texture for '%s' (%s)", m_sPlistFile.c_str(), name.c_str());
        }
        return false;
    }
    setTexture(texture);
    return true;
}

bool CCParticleSystem::initWithTotalParticles(unsigned int numberOfParticles)
{
    if (!CCNode::init())
    {
        return false;
    }
    if (numberOfParticles > kMaxParticles)
    {
        CCLog("CCParticleSystem - %u particles asked for, %u kept", numberOfParticles, kMaxParticles);
        numberOfParticles = kMaxParticles;
    }
    m_uTotalParticles = numberOfParticles;
    m_particles.assign(numberOfParticles, tCCParticle());
    m_uParticleCount = 0;
    m_bIsActive = true;
    m_tBlendFunc.src = CC_BLEND_SRC;
    m_tBlendFunc.dst = CC_BLEND_DST;
    m_ePositionType = kCCPositionTypeFree;
    m_nEmitterMode = kCCParticleModeGravity;
    m_bIsAutoRemoveOnFinish = false;
    onTotalParticlesChanged();
    scheduleUpdateWithPriority(1);
    return true;
}

void CCParticleSystem::setTotalParticles(unsigned int total)
{
    if (total > kMaxParticles)
    {
        total = kMaxParticles;
    }
    m_uTotalParticles = total;
    m_particles.resize(total);
    if (m_uParticleCount > total)
    {
        m_uParticleCount = total;
    }
    onTotalParticlesChanged();
}

bool CCParticleSystem::isFull()
{
    return m_uParticleCount == m_uTotalParticles;
}

bool CCParticleSystem::addParticle()
{
    if (isFull())
    {
        return false;
    }
    initParticle(&m_particles[m_uParticleCount]);
    ++m_uParticleCount;
    return true;
}

void CCParticleSystem::initParticle(tCCParticle* p)
{
    p->timeToLive = m_fLife + m_fLifeVar * CCRANDOM_MINUS1_1();
    p->timeToLive = p->timeToLive > 0 ? p->timeToLive : 0;
    const float life = p->timeToLive > 0 ? p->timeToLive : 1;   // the deltas below divide by it

    p->pos.x = m_tSourcePosition.x + m_tPosVar.x * CCRANDOM_MINUS1_1();
    p->pos.y = m_tSourcePosition.y + m_tPosVar.y * CCRANDOM_MINUS1_1();

    const ccColor4F start = randomColor(m_tStartColor, m_tStartColorVar);
    const ccColor4F end = randomColor(m_tEndColor, m_tEndColorVar);
    p->color = start;
    p->deltaColor.r = (end.r - start.r) / life;
    p->deltaColor.g = (end.g - start.g) / life;
    p->deltaColor.b = (end.b - start.b) / life;
    p->deltaColor.a = (end.a - start.a) / life;

    float startSize = m_fStartSize + m_fStartSizeVar * CCRANDOM_MINUS1_1();
    startSize = startSize > 0 ? startSize : 0;
    p->size = startSize;
    if (m_fEndSize == kCCParticleStartSizeEqualToEndSize)
    {
        p->deltaSize = 0;
    }
    else
    {
        float endSize = m_fEndSize + m_fEndSizeVar * CCRANDOM_MINUS1_1();
        endSize = endSize > 0 ? endSize : 0;
        p->deltaSize = (endSize - startSize) / life;
    }

    const float startSpin = m_fStartSpin + m_fStartSpinVar * CCRANDOM_MINUS1_1();
    const float endSpin = m_fEndSpin + m_fEndSpinVar * CCRANDOM_MINUS1_1();
    p->rotation = startSpin;
    p->deltaRotation = (endSpin - startSpin) / life;

    if (m_ePositionType == kCCPositionTypeFree)
    {
        p->startPos = convertToWorldSpace(CCPointZero);
    }
    else if (m_ePositionType == kCCPositionTypeRelative)
    {
        p->startPos = m_obPosition;
    }
    else
    {
        p->startPos = CCPointZero;
    }

    const float angle = CC_DEGREES_TO_RADIANS(m_fAngle + m_fAngleVar * CCRANDOM_MINUS1_1());
    if (m_nEmitterMode == kCCParticleModeGravity)
    {
        const float speed = m_fSpeed + m_fSpeedVar * CCRANDOM_MINUS1_1();
        p->dir = ccp(cosf(angle) * speed, sinf(angle) * speed);
        p->radialAccel = m_fRadialAccel + m_fRadialAccelVar * CCRANDOM_MINUS1_1();
        p->tangentialAccel = m_fTangentialAccel + m_fTangentialAccelVar * CCRANDOM_MINUS1_1();
        if (m_bRotationIsDir)
        {
            p->rotation = -CC_RADIANS_TO_DEGREES(atan2f(p->dir.y, p->dir.x));
        }
    }
    else
    {
        const float startRadius = m_fStartRadius + m_fStartRadiusVar * CCRANDOM_MINUS1_1();
        const float endRadius = m_fEndRadius + m_fEndRadiusVar * CCRANDOM_MINUS1_1();
        p->radius = startRadius;
        p->deltaRadius = m_fEndRadius == kCCParticleStartRadiusEqualToEndRadius ? 0 : (endRadius - startRadius) / life;
        p->angle = angle;
        p->degreesPerSecond = CC_DEGREES_TO_RADIANS(m_fRotatePerSecond + m_fRotatePerSecondVar * CCRANDOM_MINUS1_1());
    }
}

void CCParticleSystem::stopSystem()
{
    m_bIsActive = false;
    m_fElapsed = m_fDuration;
    m_fEmitCounter = 0;
}

void CCParticleSystem::resetSystem()
{
    m_bIsActive = true;
    m_fElapsed = 0;
    m_fEmitCounter = 0;
    m_uParticleCount = 0;
    m_uParticleIdx = 0;
}

void CCParticleSystem::update(float dt)
{
    if (m_bIsActive && m_fEmissionRate > 0)
    {
        const float rate = 1.0f / m_fEmissionRate;
        if (m_uParticleCount < m_uTotalParticles)
        {
            m_fEmitCounter += dt;
        }
        while (m_uParticleCount < m_uTotalParticles && m_fEmitCounter > rate)
        {
            addParticle();
            m_fEmitCounter -= rate;
        }
        m_fElapsed += dt;
        if (m_fDuration != kCCParticleDurationInfinity && m_fDuration < m_fElapsed)
        {
            stopSystem();
        }
    }

    CCPoint current = CCPointZero;
    if (m_ePositionType == kCCPositionTypeFree)
    {
        current = convertToWorldSpace(CCPointZero);
    }
    else if (m_ePositionType == kCCPositionTypeRelative)
    {
        current = m_obPosition;
    }

    m_uParticleIdx = 0;
    while (m_uParticleIdx < m_uParticleCount)
    {
        tCCParticle* p = &m_particles[m_uParticleIdx];
        p->timeToLive -= dt;
        if (p->timeToLive > 0)
        {
            if (m_nEmitterMode == kCCParticleModeGravity)
            {
                CCPoint radial = CCPointZero;
                if (p->pos.x != 0 || p->pos.y != 0)
                {
                    radial = ccpNormalize(p->pos);
                }
                CCPoint tangential = ccp(-radial.y, radial.x);
                radial = ccpMult(radial, p->radialAccel);
                tangential = ccpMult(tangential, p->tangentialAccel);
                const CCPoint accel = ccpAdd(ccpAdd(radial, tangential), m_tGravity);
                p->dir = ccpAdd(p->dir, ccpMult(accel, dt));
                p->pos = ccpAdd(p->pos, ccpMult(p->dir, dt));
            }
            else
            {
                p->angle += p->degreesPerSecond * dt;
                p->radius += p->deltaRadius * dt;
                p->pos.x = -cosf(p->angle) * p->radius;
                p->pos.y = -sinf(p->angle) * p->radius;
            }
            p->color.r += p->deltaColor.r * dt;
            p->color.g += p->deltaColor.g * dt;
            p->color.b += p->deltaColor.b * dt;
            p->color.a += p->deltaColor.a * dt;
            p->size += p->deltaSize * dt;
            p->size = p->size > 0 ? p->size : 0;
            p->rotation += p->deltaRotation * dt;

            // Free and relative particles stay where they were emitted when the emitter moves.
            CCPoint newPos = p->pos;
            if (m_ePositionType != kCCPositionTypeGrouped)
            {
                newPos = ccpSub(p->pos, ccpSub(current, p->startPos));
            }
            updateQuadWithParticle(p, newPos);
            ++m_uParticleIdx;
        }
        else
        {
            if (m_uParticleIdx != m_uParticleCount - 1)
            {
                m_particles[m_uParticleIdx] = m_particles[m_uParticleCount - 1];
            }
            --m_uParticleCount;
            if (m_uParticleCount == 0 && m_bIsAutoRemoveOnFinish && !m_bIsActive)
            {
                unscheduleUpdate();
                if (m_pParent)
                {
                    m_pParent->removeChild(this, true);
                }
                return;
            }
        }
    }
    postStep();
}

void CCParticleSystem::updateQuadWithParticle(tCCParticle* particle, const CCPoint& newPosition)
{
    CC_UNUSED_PARAM(particle);
    CC_UNUSED_PARAM(newPosition);
}

void CCParticleSystem::setTexture(CCTexture2D* texture)
{
    if (texture == m_pTexture)
    {
        return;
    }
    CC_SAFE_RETAIN(texture);
    CC_SAFE_RELEASE(m_pTexture);
    m_pTexture = texture;
}

bool CCParticleSystem::isBlendAdditive()
{
    return m_tBlendFunc.src == GL_SRC_ALPHA && m_tBlendFunc.dst == GL_ONE;
}

void CCParticleSystem::setBlendAdditive(bool additive)
{
    if (additive)
    {
        m_tBlendFunc.src = GL_SRC_ALPHA;
        m_tBlendFunc.dst = GL_ONE;
    }
    else
    {
        m_tBlendFunc.src = CC_BLEND_SRC;
        m_tBlendFunc.dst = CC_BLEND_DST;
    }
}

NS_CC_END
