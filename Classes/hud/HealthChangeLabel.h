#ifndef __HEALTH_CHANGE_LABEL_H__
#define __HEALTH_CHANGE_LABEL_H__

#include "CCLabelBMFont.h"
#include "CCObjectPool.h"

NS_CC_BEGIN

/**
 * A floating number over an actor showing a change of its health: it rises and fades, then goes
 * back to its pool. The pool (owned by the actor) holds the labels; a label points back at its
 * pool without a retain, since a retain both ways would keep both alive forever.
 */
class HealthChangeLabel : public CCLabelBMFont
{
public:
    HealthChangeLabel();
    virtual ~HealthChangeLabel();

    /** Builds the label and puts it into the pool's free list; false when the font cannot load. */
    bool initWithHealthChange(CCObjectPool* pool);
    /**
     * Takes a free label of the pool and shows the text on the parent at the position, from full
     * opacity; NULL when every label of the pool is showing. A change landing on one still shown
     * there is added to that one's, which starts again from the position.
     */
    static HealthChangeLabel* showFromPool(CCObjectPool* pool, CCNode* parent, const CCPoint& position,
                                           const char* text, int zOrder);
    /** Whether a label shown at spot (in the parent's space) would lie over this one. */
    bool coversSpot(const CCPoint& spot);
    /** Rises and fades; back to the pool when its time is over. */
    void tick(float dt);
    /** Off the screen and back into the pool's free list; nothing when not showing. */
    void recycle();

    virtual bool isActive() { return m_bActive; }
    virtual void setActive(bool active) { m_bActive = active; }
    virtual float getElapsed() { return m_fElapsed; }
    virtual void setElapsed(float elapsed) { m_fElapsed = elapsed; }
    virtual float getDuration() { return m_fDuration; }
    virtual void setDuration(float duration) { m_fDuration = duration; }
    virtual CCObjectPool* getPool() { return m_pPool; }
    /** Not retained (see the class comment); NULL forgets the pool when it is going. */
    virtual void setPool(CCObjectPool* pool) { m_pPool = pool; }

private:
    CCObjectPool* m_pPool;  ///< not retained
    float m_fElapsed;
    float m_fDuration;
    bool m_bActive;
};

NS_CC_END

#endif // __HEALTH_CHANGE_LABEL_H__
