#ifndef __CC_PARTICLE_SYSTEM_QUAD_H__
#define __CC_PARTICLE_SYSTEM_QUAD_H__

#include "particles/CCParticleSystem.h"
#include "draw/ccQuadTypes.h"

NS_CC_BEGIN

class CCSpriteFrame;

/** A particle system drawn as one textured, tinted, rotated square per live particle. */
class CCParticleSystemQuad : public CCParticleSystem
{
public:
    CCParticleSystemQuad();
    virtual ~CCParticleSystemQuad();

    static CCParticleSystemQuad* create();
    /** NULL (and a log line) when the file can't be read. */
    static CCParticleSystemQuad* create(const char* plistFile);
    static CCParticleSystemQuad* createWithTotalParticles(unsigned int numberOfParticles);

    /** Draws every particle with the texture and the part of it inside rect (in pixels). */
    void setTextureWithRect(CCTexture2D* texture, const CCRect& rect);
    virtual void setTexture(CCTexture2D* texture);
    void setDisplayFrame(CCSpriteFrame* spriteFrame);
    const CCRect& getTextureRect() const { return m_tTextureRect; }

    /** The quads of the live particles (getParticleCount of them), in the node's space. */
    const ccSpriteQuad* getQuads() const { return m_quads.empty() ? NULL : &m_quads[0]; }
    virtual void draw(void);

protected:
    virtual void updateQuadWithParticle(tCCParticle* particle, const CCPoint& newPosition);
    virtual void onTotalParticlesChanged();
    void initTexCoordsWithRect(const CCRect& rect);

    std::vector<ccSpriteQuad> m_quads;
    CCRect m_tTextureRect;
};

NS_CC_END

#endif // __CC_PARTICLE_SYSTEM_QUAD_H__
