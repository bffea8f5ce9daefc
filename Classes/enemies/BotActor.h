#ifndef __BOT_ACTOR_H__
#define __BOT_ACTOR_H__

#include "VornActor.h"

#include <string>

NS_CC_BEGIN

class BotManager;
class VornScriptEngine;

/**
 * A computer-controlled enemy. Its descriptor's enemy script decides what it does: the script
 * is organised in named states entered and left through "begin_state" and "end_state", with
 * "tick" called every frame, and may react to "onTakeDamage" and "onHitActor". This class only
 * walks the enemy to its TargetPosition, turns it to face its TargetActor and announces arrival.
 *
 * Enemies of one descriptor share its script state: the script tells them apart by the bot it
 * is handed. A descriptor that names no enemy script gets no state calls (the enemy just stands
 * or walks where it is told).
 *
 * Ownership: the manager that pools the enemy is held without a retain (it owns the enemy; it
 * clears the pointer when it goes). The target actor is retained, so a target that leaves the
 * game never leaves a dangling pointer behind. The two hook references belong to the script
 * engine of the current descriptor, which the descriptor (retained) keeps alive.
 */
class BotActor : public VornActor
{
public:
    BotActor();
    virtual ~BotActor();

    // Overrides of the fighter
    /** The fighter's reset, then the state is cleared and set to "Idle". */
    virtual void reset();
    /** The fighter's damage, then the script's onTakeDamage(bot, wasKnockOut), taken or not. */
    virtual bool doTakeDamage(float amount, CCPoint hitPoint, CCPoint direction, tVornAttackType attackType, bool force);
    /** The fighter's combo bookkeeping, then the script's onHitActor(bot, target). */
    virtual void onHitActor(VornActionDesc* action, VornActor* target, CCPoint point, float value);
    /** A swing into thin air sends the enemy back to seeking. */
    virtual void onMissedAttack(VornActionDesc* action);
    virtual int getCharacterType() { return kCharacter_Enemy; }
    /** Script tick, steering, facing, the fighter's step, then arrival. Nothing without a descriptor. */
    virtual void tick(float dt);
    /** Swaps the descriptor and fetches the new script's hooks (the old ones are released first). */
    virtual void setDesc(VornActorDesc* desc);

    // Accessors
    virtual VornActor* getTargetActor() { return m_pTargetActor; }
    /** Retains the new target and releases the old one. */
    virtual void setTargetActor(VornActor* actor);
    virtual float getTimeTillNewTarget() { return m_fTimeTillNewTarget; }
    virtual void setTimeTillNewTarget(float t) { m_fTimeTillNewTarget = t; }
    virtual float getTimeTillAttack() { return m_fTimeTillAttack; }
    virtual void setTimeTillAttack(float t) { m_fTimeTillAttack = t; }
    virtual float getSpeedMod() { return m_fSpeedMod; }
    virtual void setSpeedMod(float mod) { m_fSpeedMod = mod; }
    /** The frame time of the step under way; set just before the script's tick. */
    virtual float getDelta() { return m_fDelta; }
    virtual void setDelta(float dt) { m_fDelta = dt; }
    /** Set by the script while the enemy is committed to an attack; the manager reads it. */
    virtual bool getIsAttacking() { return m_bIsAttacking; }
    virtual void setIsAttacking(bool attacking) { m_bIsAttacking = attacking; }
    virtual CCPoint getTargetPosition() { return m_targetPosition; }
    /** Ignored while the target position is locked. */
    virtual void setTargetPosition(CCPoint position);
    virtual bool getTargetPositionLocked() { return m_bTargetPositionLocked; }
    virtual void setTargetPositionLocked(bool locked) { m_bTargetPositionLocked = locked; }
    virtual CCPoint getTargetOffset() { return m_targetOffset; }
    virtual void setTargetOffset(CCPoint offset) { m_targetOffset = offset; }
    virtual std::string getState() { return m_state; }
    /**
     * Leaves the current state and enters the named one: end_state(bot) runs while State still
     * holds the old name, begin_state(bot) with the new one. The same name, or no descriptor,
     * changes nothing. A failing script is logged and the change still happens.
     */
    virtual void setState(const std::string& state);
    virtual BotManager* getBotManager() { return m_pBotManager; }
    /** Not retained: the manager owns its enemies. */
    virtual void setBotManager(BotManager* manager) { m_pBotManager = manager; }
    /** Emitted with the enemy on every frame it stands at its target position while alive. */
    virtual Signal<BotActor*>& getReachedTargetSignal() { return m_reachedTargetSignal; }
    virtual void setReachedTargetSignal(const Signal<BotActor*>& s) { m_reachedTargetSignal = s; }
    virtual int getOnTakeDamageRef() { return m_nOnTakeDamageRef; }
    virtual void setOnTakeDamageRef(int ref) { m_nOnTakeDamageRef = ref; }
    virtual int getOnHitActorRef() { return m_nOnHitActorRef; }
    virtual void setOnHitActorRef(int ref) { m_nOnHitActorRef = ref; }

    bool initWithBotManager(BotManager* manager, VornActorDesc* desc);
    /** The target's base position, (0, 0) without a target. */
    CCPoint getTargetActorPosition();
    float getDistanceFromTargetActor();
    bool hasReachedTarget();
    /**
     * A random point on screen the enemy can walk to in a straight line: not through a visible
     * backdrop box and not past a fallen target. After ten blocked tries, the target's position
     * (the enemy's own without a target).
     */
    CCPoint generateWanderPosition();

    /** Within this distance of its target position the enemy has arrived. */
    static const float kReachedDistance;

protected:
    /** The engine the enemy script runs in; NULL without a descriptor. */
    VornScriptEngine* scriptEngine();
    /** Runs a state function when the descriptor has an enemy script. */
    void callState(const char* name);
    void releaseScriptRefs();

    VornActor* m_pTargetActor;  ///< retained
    float m_fTimeTillNewTarget;
    float m_fTimeTillAttack;
    float m_fSpeedMod;
    float m_fDelta;
    bool m_bIsAttacking;
    CCPoint m_targetPosition;
    bool m_bTargetPositionLocked;
    CCPoint m_targetOffset;
    std::string m_state;
    BotManager* m_pBotManager;  ///< not retained; the manager owns the enemy
    Signal<BotActor*> m_reachedTargetSignal;
    int m_nOnTakeDamageRef;
    int m_nOnHitActorRef;
};

NS_CC_END

#endif // __BOT_ACTOR_H__
