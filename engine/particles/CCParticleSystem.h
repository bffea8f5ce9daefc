#ifndef __CC_PARTICLE_SYSTEM_H__
#define __CC_PARTICLE_SYSTEM_H__

#include "nodes/CCNode.h"
#include "nodes/CCProtocols.h"

#include <string>
#include <vector>

NS_CC_BEGIN

class CCDictionary;

enum
{
    /** An emitter that never stops by itself. */
    kCCParticleDurationInfinity = -1,
    /** As end size: keep the start size. */
    kCCParticleStartSizeEqualToEndSize = -1,
    /** As end radius: keep the start radius. */
    kCCParticleStartRadiusEqualToEndRadius = -1,
};

enum
{
    /** Particles fly from the source with speed, gravity, radial and tangential acceleration. */
    kCCParticleModeGravity,
    /** Particles circle the source at a shrinking or growing radius. */
    kCCParticleModeRadius,
};

/** Where emitted particles live when the emitter moves afterwards. */
typedef enum
{
    /** Left behind in the world. */
    kCCPositionTypeFree,
    /** Left behind in the emitter's parent (they follow the parent, not the emitter). */
    kCCPositionTypeRelative,
    /** Carried along with the emitter. */
    kCCPositionTypeGrouped,
} tCCPositionType;

struct tCCParticle
{
    CCPoint pos;
    CCPoint startPos;
    ccColor4F color;
    ccColor4F deltaColor;
    float size;
    float deltaSize;
    float rotation;
    float deltaRotation;
    float timeToLive;
    // gravity mode
    CCPoint dir;
    float radialAccel;
    float tangentialAccel;
    // radius mode
    float angle;
    float degreesPerSecond;
    float radius;
    float deltaRadius;
};

/**
 * A particle emitter. Emission runs at totalParticles / life per second while active (a file's
 * life of 0 makes it unbounded: each update refills the system to its total); a finite
 * duration stops emitting after that many seconds and the live particles finish their lives.
 * Randomness comes from rand(), so a fixed srand repeats a run exactly. The simulation runs from
 * the node's scheduled update once it is in the running scene (or by calling update directly).
 */
class CCParticleSystem : public CCNode, public CCTextureProtocol
{
public:
    CCParticleSystem();
    virtual ~CCParticleSystem();

    /** From a particle plist; NULL (and a log line) when it can't be read. */
    static CCParticleSystem* create(const char* plistFile);
    static CCParticleSystem* createWithTotalParticles(unsigned int numberOfParticles);
    bool initWithFile(const char* plistFile);
    /** dirname: the folder relative texture names resolve against (may be empty). */
    bool initWithDictionary(CCDictionary* dictionary, const char* dirname = "");
    virtual bool initWithTotalParticles(unsigned int numberOfParticles);
    virtual bool init() { return initWithTotalParticles(150); }

    bool addParticle();
    void initParticle(tCCParticle* particle);
    /** Stops emitting; live particles run out. */
    void stopSystem();
    /** Starts emitting again from nothing. */
    void resetSystem();
    bool isFull();
    bool isActive() { return m_bIsActive; }
    virtual void update(float dt);

    // The emitter
    unsigned int getParticleCount() const { return m_uParticleCount; }
    unsigned int getTotalParticles() const { return m_uTotalParticles; }
    void setTotalParticles(unsigned int total);
    float getDuration() const { return m_fDuration; }
    void setDuration(float duration) { m_fDuration = duration; }
    float getElapsed() const { return m_fElapsed; }
    const CCPoint& getSourcePosition() const { return m_tSourcePosition; }
    void setSourcePosition(const CCPoint& pos) { m_tSourcePosition = pos; }
    const CCPoint& getPosVar() const { return m_tPosVar; }
    void setPosVar(const CCPoint& posVar) { m_tPosVar = posVar; }
    float getEmissionRate() const { return m_fEmissionRate; }
    void setEmissionRate(float rate) { m_fEmissionRate = rate; }
    int getEmitterMode() const { return m_nEmitterMode; }
    void setEmitterMode(int mode) { m_nEmitterMode = mode; }
    tCCPositionType getPositionType() const { return m_ePositionType; }
    void setPositionType(tCCPositionType type) { m_ePositionType = type; }
    bool isAutoRemoveOnFinish() const { return m_bIsAutoRemoveOnFinish; }
    void setAutoRemoveOnFinish(bool value) { m_bIsAutoRemoveOnFinish = value; }

    // Each particle: value and +/- variance
    float getLife() const { return m_fLife; }
    void setLife(float life) { m_fLife = life; }
    float getLifeVar() const { return m_fLifeVar; }
    void setLifeVar(float lifeVar) { m_fLifeVar = lifeVar; }
    float getAngle() const { return m_fAngle; }
    void setAngle(float angle) { m_fAngle = angle; }
    float getAngleVar() const { return m_fAngleVar; }
    void setAngleVar(float angleVar) { m_fAngleVar = angleVar; }
    float getStartSize() const { return m_fStartSize; }
    void setStartSize(float size) { m_fStartSize = size; }
    float getStartSizeVar() const { return m_fStartSizeVar; }
    void setStartSizeVar(float sizeVar) { m_fStartSizeVar = sizeVar; }
    float getEndSize() const { return m_fEndSize; }
    void setEndSize(float size) { m_fEndSize = size; }
    float getEndSizeVar() const { return m_fEndSizeVar; }
    void setEndSizeVar(float sizeVar) { m_fEndSizeVar = sizeVar; }
    const ccColor4F& getStartColor() const { return m_tStartColor; }
    void setStartColor(const ccColor4F& color) { m_tStartColor = color; }
    const ccColor4F& getStartColorVar() const { return m_tStartColorVar; }
    void setStartColorVar(const ccColor4F& color) { m_tStartColorVar = color; }
    const ccColor4F& getEndColor() const { return m_tEndColor; }
    void setEndColor(const ccColor4F& color) { m_tEndColor = color; }
    const ccColor4F& getEndColorVar() const { return m_tEndColorVar; }
    void setEndColorVar(const ccColor4F& color) { m_tEndColorVar = color; }
    float getStartSpin() const { return m_fStartSpin; }
    void setStartSpin(float spin) { m_fStartSpin = spin; }
    float getStartSpinVar() const { return m_fStartSpinVar; }
    void setStartSpinVar(float spin) { m_fStartSpinVar = spin; }
    float getEndSpin() const { return m_fEndSpin; }
    void setEndSpin(float spin) { m_fEndSpin = spin; }
    float getEndSpinVar() const { return m_fEndSpinVar; }
    void setEndSpinVar(float spin) { m_fEndSpinVar = spin; }

    // Gravity mode
    const CCPoint& getGravity() const { return m_tGravity; }
    void setGravity(const CCPoint& g) { m_tGravity = g; }
    float getSpeed() const { return m_fSpeed; }
    void setSpeed(float speed) { m_fSpeed = speed; }
    float getSpeedVar() const { return m_fSpeedVar; }
    void setSpeedVar(float speed) { m_fSpeedVar = speed; }
    float getTangentialAccel() const { return m_fTangentialAccel; }
    void setTangentialAccel(float t) { m_fTangentialAccel = t; }
    float getTangentialAccelVar() const { return m_fTangentialAccelVar; }
    void setTangentialAccelVar(float t) { m_fTangentialAccelVar = t; }
    float getRadialAccel() const { return m_fRadialAccel; }
    void setRadialAccel(float t) { m_fRadialAccel = t; }
    float getRadialAccelVar() const { return m_fRadialAccelVar; }
    void setRadialAccelVar(float t) { m_fRadialAccelVar = t; }
    bool getRotationIsDir() const { return m_bRotationIsDir; }
    void setRotationIsDir(bool t) { m_bRotationIsDir = t; }

    // Radius mode
    float getStartRadius() const { return m_fStartRadius; }
    void setStartRadius(float r) { m_fStartRadius = r; }
    float getStartRadiusVar() const { return m_fStartRadiusVar; }
    void setStartRadiusVar(float r) { m_fStartRadiusVar = r; }
    float getEndRadius() const { return m_fEndRadius; }
    void setEndRadius(float r) { m_fEndRadius = r; }
    float getEndRadiusVar() const { return m_fEndRadiusVar; }
    void setEndRadiusVar(float r) { m_fEndRadiusVar = r; }
    float getRotatePerSecond() const { return m_fRotatePerSecond; }
    void setRotatePerSecond(float degrees) { m_fRotatePerSecond = degrees; }
    float getRotatePerSecondVar() const { return m_fRotatePerSecondVar; }
    void setRotatePerSecondVar(float degrees) { m_fRotatePerSecondVar = degrees; }

    // Looks
    virtual CCTexture2D* getTexture(void) { return m_pTexture; }
    virtual void setTexture(CCTexture2D* texture);
    virtual ccBlendFunc getBlendFunc(void) { return m_tBlendFunc; }
    virtual void setBlendFunc(ccBlendFunc blendFunc) { m_tBlendFunc = blendFunc; }
    bool isBlendAdditive();
    void setBlendAdditive(bool value);
    bool isOpacityModifyRGB() const { return m_bOpacityModifyRGB; }
    void setOpacityModifyRGB(bool value) { m_bOpacityModifyRGB = value; }
    /** -1 when the file's texture is stored upside down. */
    int getYCoordFlipped() const { return m_nYCoordFlipped; }

    const tCCParticle* getParticles() const { return m_particles.empty() ? NULL : &m_particles[0]; }

protected:
    /** Where the particle at the current index is drawn (the quad subclass keeps its quad). */
    virtual void updateQuadWithParticle(tCCParticle* particle, const CCPoint& newPosition);
    /** After every live particle was updated in a step. */
    virtual void postStep() {}
    virtual void onTotalParticlesChanged() {}
    bool loadTexture(CCDictionary* dictionary, const std::string& dirname);

    std::string m_sPlistFile;
    float m_fElapsed;
    std::vector<tCCParticle> m_particles;
    unsigned int m_uParticleIdx;     ///< the particle being updated
    unsigned int m_uParticleCount;
    unsigned int m_uTotalParticles;
    float m_fEmitCounter;
    bool m_bIsActive;
    bool m_bIsAutoRemoveOnFinish;
    int m_nEmitterMode;
    tCCPositionType m_ePositionType;

    float m_fDuration;
    CCPoint m_tSourcePosition;
    CCPoint m_tPosVar;
    float m_fLife, m_fLifeVar;
    float m_fAngle, m_fAngleVar;
    float m_fStartSize, m_fStartSizeVar, m_fEndSize, m_fEndSizeVar;
    ccColor4F m_tStartColor, m_tStartColorVar, m_tEndColor, m_tEndColorVar;
    float m_fStartSpin, m_fStartSpinVar, m_fEndSpin, m_fEndSpinVar;
    float m_fEmissionRate;

    CCPoint m_tGravity;
    float m_fSpeed, m_fSpeedVar;
    float m_fTangentialAccel, m_fTangentialAccelVar;
    float m_fRadialAccel, m_fRadialAccelVar;
    bool m_bRotationIsDir;

    float m_fStartRadius, m_fStartRadiusVar, m_fEndRadius, m_fEndRadiusVar;
    float m_fRotatePerSecond, m_fRotatePerSecondVar;

    CCTexture2D* m_pTexture;   ///< retained
    ccBlendFunc m_tBlendFunc;
    bool m_bOpacityModifyRGB;
    int m_nYCoordFlipped;
};

NS_CC_END

#endif // __CC_PARTICLE_SYSTEM_H__
