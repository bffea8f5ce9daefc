#ifndef __ACTION_STACK_ITEM_H__
#define __ACTION_STACK_ITEM_H__

#include "CCObject.h"
#include "Signal.h"

NS_CC_BEGIN

class VornActionDesc;
class VornActor;

/**
 * One running action on an actor's stack: its time, its passes through the loop, a freeze delay,
 * and the firing of the action's timed events as their moments come. Items are pooled and reused.
 */
class ActionStackItem : public CCObject
{
public:
    ActionStackItem();
    virtual ~ActionStackItem();

    /** Plays the action from its start; false (and no action) for NULL. */
    bool initWithAction(VornActionDesc* desc);
    /** Works out the current pass from the loops done. */
    void restartWindow();
    /** Advances one frame; items that are not on top only run when their action keeps running beneath. */
    void update(VornActor* actor, bool isTop, float dt);
    /** Fires the events whose moments lie between the last update and now (negative times: always). */
    void fireDueEvents(VornActor* actor);

    virtual VornActionDesc* getActionDesc() { return m_pActionDesc; }
    /** Retains the new action and releases the old one. */
    virtual void setActionDesc(VornActionDesc* desc);
    virtual float getElapsed() { return m_fElapsed; }
    virtual void setElapsed(float elapsed) { m_fElapsed = elapsed; }
    virtual float getDelay() { return m_fDelay; }
    virtual void setDelay(float delay) { m_fDelay = delay; }
    virtual float getPrevElapsed() { return m_fPrevElapsed; }
    virtual void setPrevElapsed(float elapsed) { m_fPrevElapsed = elapsed; }
    virtual int getLoopsDone() { return m_nLoopsDone; }
    virtual void setLoopsDone(int loops) { m_nLoopsDone = loops; }
    virtual float getWindowStart() { return m_fWindowStart; }
    virtual void setWindowStart(float t) { m_fWindowStart = t; }
    virtual float getWindowEnd() { return m_fWindowEnd; }
    virtual void setWindowEnd(float t) { m_fWindowEnd = t; }
    virtual float getWindowLength() { return m_fWindowLength; }
    virtual void setWindowLength(float t) { m_fWindowLength = t; }
    virtual bool getFinished() { return m_bFinished; }
    /** Becoming finished tells the completion subscribers once, then forgets them. */
    virtual void setFinished(bool finished);
    virtual bool getWasTop() { return m_bWasTop; }
    virtual void setWasTop(bool wasTop) { m_bWasTop = wasTop; }
    virtual Signal<VornActionDesc*>& getLoopedSignal() { return m_loopedSignal; }
    virtual void setLoopedSignal(const Signal<VornActionDesc*>& signal) { m_loopedSignal = signal; }
    virtual Signal<VornActionDesc*>& getCompletedSignal() { return m_completedSignal; }
    virtual void setCompletedSignal(const Signal<VornActionDesc*>& signal) { m_completedSignal = signal; }

    /** Back to the start of the action, on the stack as it is (restart in place). */
    void restart();

private:
    bool isFurtherPassAllowed();

    VornActionDesc* m_pActionDesc;  ///< retained
    float m_fElapsed;
    float m_fDelay;
    float m_fPrevElapsed;
    int m_nLoopsDone;
    float m_fWindowStart;
    float m_fWindowEnd;
    float m_fWindowLength;
    bool m_bFinished;
    bool m_bWasTop;
    Signal<VornActionDesc*> m_loopedSignal;
    Signal<VornActionDesc*> m_completedSignal;
};

NS_CC_END

#endif // __ACTION_STACK_ITEM_H__
