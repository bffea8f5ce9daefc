#ifndef __VORN_IMPACT_H__
#define __VORN_IMPACT_H__

#include "CCNode.h"

#include <string>

NS_CC_BEGIN

class CCLabelBMFont;
class CCObjectPool;
class CCParticleSystemQuad;

/**
 * The flash where a blow lands: a particle burst turned along the blow and a red damage number
 * that rises and fades. Pooled: shown from the pool's free list, back there when its time is up.
 * It runs on the game-update signal, so it freezes while the game is paused.
 */
class VornImpact : public CCNode
{
public:
    VornImpact();
    virtual ~VornImpact();

    /** Builds the burst and the label and joins the game-update signal; false when either is missing. */
    virtual bool initWithPool(CCObjectPool* pool);

    /** Shows the impact at the rectangle's centre on parent (z 100), the burst turned along direction. */
    virtual void showImpact(CCNode* parent, const CCRect& rect, const CCPoint& direction, const std::string& text,
                            bool showParticles);
    /**
     * Whether a number shown at spot (in parent's space) would land on this one's, still up:
     * then it joins this one rather than lying over it.
     */
    bool numberCovers(CCNode* parent, const CCPoint& spot);
    /** Adds to the number shown, which starts again, whole, at spot (in its parent's space). */
    void addToNumber(int number, const CCPoint& spot);
    /** Off its parent and back into the pool's free list. */
    virtual void recycle();
    virtual void tick(float dt);

    virtual CCObjectPool* getPool() { return m_pPool; }
    /** Retains the new pool and releases the old one (NULL breaks the pool's hold on itself). */
    virtual void setPool(CCObjectPool* pool);
    virtual CCParticleSystemQuad* getParticles() { return m_pParticles; }
    virtual void setParticles(CCParticleSystemQuad* particles) { m_pParticles = particles; }
    virtual CCLabelBMFont* getLabel() { return m_pLabel; }
    virtual void setLabel(CCLabelBMFont* label);
    virtual float getElapsed() { return m_fElapsed; }
    virtual void setElapsed(float elapsed) { m_fElapsed = elapsed; }
    virtual float getLifetime() { return m_fLifetime; }
    virtual void setLifetime(float lifetime) { m_fLifetime = lifetime; }
    virtual bool isActive() { return m_bActive; }
    virtual void setActive(bool active) { m_bActive = active; }

    /** How fast the damage number rises, in the impact's own units per second. */
    static const float kRiseSpeed;

private:
    CCObjectPool* m_pPool;              ///< retained; the pool holds this too, see setPool
    CCParticleSystemQuad* m_pParticles; ///< a child
    CCLabelBMFont* m_pLabel;            ///< retained, a child
    float m_fElapsed;
    float m_fLifetime;
    bool m_bActive;
    int m_nNumber;                      ///< the number the label shows
};

NS_CC_END

#endif // __VORN_IMPACT_H__
