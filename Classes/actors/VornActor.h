#ifndef __VORN_ACTOR_H__
#define __VORN_ACTOR_H__

#include "CCObjectPool.h"
#include "CCSprite.h"
#include "Signal.h"
#include "VornActionTypes.h"
#include "VornGameTypes.h"

#include <list>

NS_CC_BEGIN

class GameManager;
class VornActionDesc;
class VornActorComponent;
class VornActorDesc;
class VornAnimate;

/** A request waiting in the input buffer. */
struct tPendingAction
{
    int type;   ///< kVAT_ value asked for
    float age;  ///< seconds since it was asked for
};
typedef std::list<tPendingAction> PendingActionList;

/**
 * A fighter: a sprite playing its descriptor's actions on an action stack, standing on a ground
 * point (its base position) with a height above it. It moves, jumps, attacks, takes hits, falls,
 * regenerates health and dies. The player and the enemies derive from it.
 *
 * Ownership: the actor retains its descriptor and owns its animator, shadow, label pool and
 * collision component. The animator and the component point back at the actor without a retain,
 * so nothing keeps a dropped actor alive; the actor clears those pointers when it goes.
 */
class VornActor : public CCSprite
{
public:
    VornActor();
    virtual ~VornActor();

    virtual void draw();
    /** Draws the actor and its children; its shadow only when no actor layer has drawn it already. */
    virtual void visit();

    // Moves and reactions
    virtual void reset();
    virtual void doLightAttack();
    virtual void doHeavyAttack();
    virtual void doForwardAttack();
    virtual void doReverseAttack();
    virtual bool doTakeDamage(float amount, CCPoint hitPoint, CCPoint direction, tVornAttackType attackType, bool force);
    virtual void onHitActor(VornActionDesc* action, VornActor* target, CCPoint point, float value);
    virtual CCPoint getBasePosition();
    virtual void setBasePosition(CCPoint position);
    virtual void onHitAttack(VornActionDesc* action, VornActor* target, CCPoint point, float value);
    virtual void onMissedAttack(VornActionDesc* action) { CC_UNUSED_PARAM(action); }
    virtual void onActionChanged(VornActionDesc* action);
    virtual void onActionLooped(VornActionDesc* action);
    virtual CCPoint getMovementSpeed();
    /** kCharacter_Player or kCharacter_Enemy: which side of the tuning tables applies. */
    virtual int getCharacterType() = 0;
    virtual void onActionCompleted(VornActionDesc* action);
    /** The per-frame step, on the game-update signal. */
    virtual void tick(float dt);

    // Accessors
    virtual int getCollisionListId() { return m_nCollisionListId; }
    virtual void setCollisionListId(int listId) { m_nCollisionListId = listId; }
    virtual const float& getHealth() { return m_fHealth; }
    /** Emits HealthChangedSignal when the value changes (not clamped). */
    virtual void setHealth(const float& health);
    virtual float getSpeed() { return m_fSpeed; }
    virtual void setSpeed(float speed) { m_fSpeed = speed; }
    virtual int getFacingDir() { return m_nFacingDir; }
    /** Flips the x scale's sign for the new side. */
    virtual void setFacingDir(int dir);
    virtual int getNextFacingDir() { return m_nNextFacingDir; }
    virtual void setNextFacingDir(int dir) { m_nNextFacingDir = dir; }
    virtual CCPoint getMovement() { return m_movement; }
    virtual void setMovement(CCPoint movement) { m_movement = movement; }
    virtual CCPoint getJumpDirection() { return m_jumpDirection; }
    virtual void setJumpDirection(CCPoint direction) { m_jumpDirection = direction; }
    virtual VornActorDesc* getDesc() { return m_pDesc; }
    /** Retains the descriptor, shows its first Idle frame and resets the actor. */
    virtual void setDesc(VornActorDesc* desc);
    virtual VornAnimate* getAnimate() { return m_pAnimate; }
    virtual void setAnimate(VornAnimate* animate) { m_pAnimate = animate; }
    virtual float getHeight() { return m_fHeight; }
    /** Raises the node with the height; the base position stays. Never below 0. */
    virtual void setHeight(float height);
    virtual CCSprite* getShadow() { return m_pShadow; }
    virtual void setShadow(CCSprite* shadow) { m_pShadow = shadow; }
    virtual float getShadowScaleFrom() { return m_fShadowScaleFrom; }
    virtual void setShadowScaleFrom(float scale) { m_fShadowScaleFrom = scale; }
    virtual CCPoint getAcceleration() { return m_acceleration; }
    virtual void setAcceleration(CCPoint acceleration) { m_acceleration = acceleration; }
    virtual CCPoint getVelocity() { return m_velocity; }
    virtual void setVelocity(CCPoint velocity) { m_velocity = velocity; }
    virtual CCPoint getMoveDelta() { return m_moveDelta; }
    virtual void setMoveDelta(CCPoint delta) { m_moveDelta = delta; }
    virtual CCPoint getLastBasePosition() { return m_lastBasePosition; }
    virtual void setLastBasePosition(CCPoint position) { m_lastBasePosition = position; }
    virtual float getComboTimer() { return m_fComboTimer; }
    virtual void setComboTimer(float t) { m_fComboTimer = t; }
    virtual VornActorComponent* getComponent() { return m_pComponent; }
    virtual void setComponent(VornActorComponent* component) { m_pComponent = component; }
    virtual bool getHealthRegenActive() { return m_bHealthRegenActive; }
    virtual void setHealthRegenActive(bool active) { m_bHealthRegenActive = active; }
    virtual CCObjectPool* getHealthChangeLabels() { return m_pHealthChangeLabels; }
    /** Floats the change (rounded, signed) over the actor; nothing when it rounds to 0 or off stage. */
    void showHealthChange(float change);
    /** Every number still showing goes back to the pool. */
    void recycleHealthChangeLabels();
    virtual void setHealthChangeLabels(CCObjectPool* pool) { m_pHealthChangeLabels = pool; }
    virtual unsigned int getActionSFXId() { return m_uActionSFXId; }
    virtual void setActionSFXId(unsigned int id) { m_uActionSFXId = id; }
    virtual VornActionDesc* getCurrentAttack() { return m_pCurrentAttack; }
    virtual void setCurrentAttack(VornActionDesc* action) { m_pCurrentAttack = action; }
    virtual bool getCurrentAttackHit() { return m_bCurrentAttackHit; }
    virtual void setCurrentAttackHit(bool hit) { m_bCurrentAttackHit = hit; }
    virtual PendingActionList& getPendingActions() { return m_pendingActions; }
    virtual void setPendingActions(const PendingActionList& list) { m_pendingActions = list; }

    virtual Signal<float>& getHealthChangedSignal() { return m_healthChangedSignal; }
    virtual void setHealthChangedSignal(const Signal<float>& s) { m_healthChangedSignal = s; }
    virtual Signal<VornActor*>& getKilledSignal() { return m_killedSignal; }
    virtual void setKilledSignal(const Signal<VornActor*>& s) { m_killedSignal = s; }
    virtual Signal<VornActor*>& getDiedSignal() { return m_diedSignal; }
    virtual void setDiedSignal(const Signal<VornActor*>& s) { m_diedSignal = s; }
    virtual Signal<VornActionDesc*, VornActor*, CCPoint, float>& getAttackHitSignal() { return m_attackHitSignal; }
    virtual void setAttackHitSignal(const Signal<VornActionDesc*, VornActor*, CCPoint, float>& s) { m_attackHitSignal = s; }
    virtual Signal<>& getLandedSignal() { return m_landedSignal; }
    virtual void setLandedSignal(const Signal<>& s) { m_landedSignal = s; }
    virtual Signal<VornActor*>& getStunnedSignal() { return m_stunnedSignal; }
    virtual void setStunnedSignal(const Signal<VornActor*>& s) { m_stunnedSignal = s; }
    virtual Signal<VornActor*>& getStunnedFinishedSignal() { return m_stunnedFinishedSignal; }
    virtual void setStunnedFinishedSignal(const Signal<VornActor*>& s) { m_stunnedFinishedSignal = s; }
    virtual Signal<VornActor*>& getGrabbedSignal() { return m_grabbedSignal; }
    virtual void setGrabbedSignal(const Signal<VornActor*>& s) { m_grabbedSignal = s; }
    virtual Signal<VornActor*>& getGrabbedFinishedSignal() { return m_grabbedFinishedSignal; }
    virtual void setGrabbedFinishedSignal(const Signal<VornActor*>& s) { m_grabbedFinishedSignal = s; }

    // Lifecycle and state
    /** Makes the animator, labels and collision component and starts ticking; the descriptor may be NULL. */
    bool initWithDesc(VornActorDesc* desc);
    /** Joins the collision list of CollisionListId and the game's actor node. */
    void addToCollisionManager();
    void removeFromCollisionManager();
    void resetAnimation();
    bool isAlive();
    bool isDying();
    bool isDead();
    bool isInAir();
    bool isFalling();
    bool isFallingOrFloored();
    bool isGettingUp();
    bool isStanding();
    bool isActionTypeOf(int type, bool searchWholeStack);
    VornActionDesc* getAction();
    VornActionDesc* getNextAction(int type);
    bool canTakeDamage();
    bool willAttackHitActor(VornActionDesc* action, VornActor* target);
    void delayCurrentAction(float seconds);
    /** Health as a fraction of the descriptor's, 0 to 1. */
    float getHealthValue();
    CCRect getCollisionBounds();
    CCRect getCollisionBoundsInParentSpace();
    CCRect getCollisionBoundsInWorldSpace();

    // Requests
    bool doAction(int type, bool queue);
    void doJump();
    void doGroundAttack();
    bool doActionByName(const char* name);
    /** Replaces the velocity: x pushes away from the side faced, y up; divided by the mass. */
    void applyForce(CCPoint force);
    void queueAction(int type);
    void updatePendingActions(float dt);
    void chooseComboActions(VornActionDesc* action);
    void resetAttackActions();
    void stopActionSFX();

    // Parts of the step
    void updateMovement(float dt);
    void updatePhysics(float dt);
    void updateShadow();
    void updateFacing();

    /** Requests older than this are dropped from the input buffer. */
    static const float kPendingActionLifetime;
    /** How long after a landed hit the next attack continues the combo. */
    static const float kComboWindow;

protected:
    bool initShadow();
    /** The descriptor's health for this actor's side (1 without a descriptor). */
    float maxHealth();
    VornActionDesc* randomActionOfType(int type);

    int m_nCollisionListId;
    float m_fHealth;
    float m_fSpeed;
    int m_nFacingDir;
    int m_nNextFacingDir;
    CCPoint m_movement;
    CCPoint m_jumpDirection;
    VornActorDesc* m_pDesc;          ///< retained
    VornAnimate* m_pAnimate;         ///< owned
    float m_fHeight;
    CCSprite* m_pShadow;             ///< owned, also a child
    float m_fShadowScaleFrom;
    CCPoint m_acceleration;
    CCPoint m_velocity;
    CCPoint m_moveDelta;
    CCPoint m_lastBasePosition;
    VornActionDesc* m_nextActions[kVAT_MAX];  ///< not retained: they live in the descriptor
    float m_fComboTimer;
    VornActorComponent* m_pComponent;  ///< owned
    bool m_bHealthRegenActive;
    CCObjectPool* m_pHealthChangeLabels;  ///< owned
    unsigned int m_uActionSFXId;
    VornActionDesc* m_pCurrentAttack;  ///< not retained
    bool m_bCurrentAttackHit;
    PendingActionList m_pendingActions;
    Signal<float> m_healthChangedSignal;
    Signal<VornActor*> m_killedSignal;
    Signal<VornActor*> m_diedSignal;
    Signal<VornActionDesc*, VornActor*, CCPoint, float> m_attackHitSignal;
    Signal<> m_landedSignal;
    Signal<VornActor*> m_stunnedSignal;
    Signal<VornActor*> m_stunnedFinishedSignal;
    Signal<VornActor*> m_grabbedSignal;
    Signal<VornActor*> m_grabbedFinishedSignal;

private:
    GameManager* m_pTickSource;  ///< the game manager whose update signal this actor joined
};

NS_CC_END

#endif // __VORN_ACTOR_H__
