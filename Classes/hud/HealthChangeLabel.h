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
    void tick(float dt);

    virtual bool getIsShown() { return m_bIsShown; }
    virtual void setIsShown(bool shown) { m_bIsShown = shown; }
    float getElapsed() const { return m_fElapsed; }
    void setElapsed(float elapsed) { m_fElapsed = elapsed; }
    float getDisplayTime() const { return m_fDisplayTime; }
    /** Forgets the pool: the pool is going. */
    void detachPool() { m_pPool = NULL; }

private:
    void takeOutOfPlay();

    CCObjectPool* m_pPool;  ///< not retained
    float m_fElapsed;
    float m_fDisplayTime;
    bool m_bIsShown;
};

NS_CC_END

#endif // __HEALTH_CHANGE_LABEL_H__
