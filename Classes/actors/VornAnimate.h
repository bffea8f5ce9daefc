#ifndef __VORN_ANIMATE_H__
#define __VORN_ANIMATE_H__

#include "CCArray.h"
#include "CCObjectPool.h"
#include "Signal.h"

NS_CC_BEGIN

class ActionStackItem;
class VornActionDesc;
class VornActor;

/**
 * An actor's action stack and animator: the actions it runs (top last), which new action may
 * displace which, the walk started by movement, a knocked-out actor lying still and blinking, and
 * the frame shown for the top action's time. Two stacks can be linked for a grab: whichever linked
 * action ends first ends the other.
 *
 * The actor owns its animate; the animate points back at its actor without a retain (the actor
 * detaches it on teardown). A link between two stacks retains the other stack; the link is dropped
 * whenever either linked action ends, on resetAnimation and when either actor goes.
 */
class VornAnimate : public CCObject
{
public:
    /** Items per stack: the data never needs more running at once. */
    static const unsigned int kMaxItems = 5;

    VornAnimate();
    virtual ~VornAnimate();

    bool initWithActor(VornActor* actor);
    void update(float dt);
    /** Pushes the action unless the running ones outrank it; false when refused. */
    bool addActionToStack(VornActionDesc* pAction);
    void removeItem(ActionStackItem* item, bool withFollowUp);
    /** Empties the stack and starts the actor's Idle action. */
    void resetAnimation();
    bool isActionTypeOf(int type, bool searchWholeStack);
    bool isFalling();
    bool isFloored();
    bool isFallingOrFloored();
    void removeStunnedItems();
    /** Ties this stack's top item to the other stack's top item. */
    void linkTo(VornAnimate* other);
    /** Drops the link (and the other side's link back to this stack). */
    void unlink();
    /** Forgets the actor: it is going. Drops links and subscriptions to it. */
    void detachActor();

    /** The last item, or NULL. */
    ActionStackItem* getTopItem();
    /** The top item's action, or NULL. */
    VornActionDesc* getTopAction();

    virtual CCArray* getStack() { return m_pStack; }
    virtual void setStack(CCArray* stack) { m_pStack = stack; }
    virtual CCObjectPool* getItemPool() { return m_pItemPool; }
    virtual void setItemPool(CCObjectPool* pool) { m_pItemPool = pool; }
    virtual VornActor* getActor() { return m_pActor; }
    virtual void setActor(VornActor* actor) { m_pActor = actor; }
    virtual float getBlinkTimer() { return m_fBlinkTimer; }
    virtual void setBlinkTimer(float t) { m_fBlinkTimer = t; }
    virtual bool getDeathHoldPending() { return m_bDeathHoldPending; }
    virtual void setDeathHoldPending(bool pending) { m_bDeathHoldPending = pending; }
    virtual VornAnimate* getLinkedAnimate() { return m_pLinkedAnimate; }
    virtual void setLinkedAnimate(VornAnimate* animate) { m_pLinkedAnimate = animate; }
    virtual ActionStackItem* getLinkedItem() { return m_pLinkedItem; }
    virtual void setLinkedItem(ActionStackItem* item) { m_pLinkedItem = item; }
    virtual ActionStackItem* getHeldItem() { return m_pHeldItem; }
    virtual void setHeldItem(ActionStackItem* item) { m_pHeldItem = item; }
    virtual Signal<VornActionDesc*>& getActionChangedSignal() { return m_actionChangedSignal; }
    virtual void setActionChangedSignal(const Signal<VornActionDesc*>& s) { m_actionChangedSignal = s; }
    virtual Signal<VornActionDesc*>& getActionLoopedSignal() { return m_actionLoopedSignal; }
    virtual void setActionLoopedSignal(const Signal<VornActionDesc*>& s) { m_actionLoopedSignal = s; }

    void onActorHealthChanged(float fraction);
    void onActorLanded();
    void onItemLooped(VornActionDesc* desc);
    void onLinkedItemCompleted(VornActionDesc* desc);

private:
    void dropLink();
    void showFrame();
    void returnAllItems();
    void noteAddedDuringWalk(ActionStackItem* item);
    bool wasAddedDuringWalk(ActionStackItem* item);
    /** pAction stays beneath (a walk) and stands already under an item a push of it would keep. */
    bool isBuriedUnderKeptItem(VornActionDesc* pAction);

    CCArray* m_pStack;            ///< retained
    CCObjectPool* m_pItemPool;    ///< retained
    VornActor* m_pActor;          ///< not retained: the actor owns this animate
    float m_fBlinkTimer;
    bool m_bDeathHoldPending;
    VornAnimate* m_pLinkedAnimate;   ///< retained while linked
    ActionStackItem* m_pLinkedItem;  ///< retained while linked
    ActionStackItem* m_pHeldItem;    ///< retained while linked
    unsigned int m_nWalkDepth;       ///< update walks running now (a reaction may start one inside another)
    /** Items pushed while a walk runs: a recycled item is skipped by the walk that saw its old action. */
    ActionStackItem* m_addedDuringWalk[kMaxItems];
    unsigned int m_nAddedDuringWalk;
    Signal<VornActionDesc*> m_actionChangedSignal;
    Signal<VornActionDesc*> m_actionLoopedSignal;
};

NS_CC_END

#endif // __VORN_ANIMATE_H__
