#ifndef __VORN_ACTION_DESC_H__
#define __VORN_ACTION_DESC_H__

#include "CCArray.h"
#include "CCDictionary.h"
#include "CCGeometry.h"
#include "VornActionTypes.h"

#include <string>
#include <vector>

NS_CC_BEGIN

class VornActor;
class VornActorDesc;

/**
 * One action of a character kind: type, timing, frames, looping, timed events, follow-ups, and
 * the stack behaviour its type implies. Read from an entry of the actor's "Actions"; reading the
 * same name again (a derived list over its base) overwrites only what the entry gives.
 */
class VornActionDesc : public CCObject
{
public:
    VornActionDesc();
    virtual ~VornActionDesc();

    /** Reads one action; false when a new action has no "Duration" or its frames or events fail. */
    bool initWithDictionary(CCDictionary* dict, VornActorDesc* owner, std::string name);
    bool initEvents(CCDictionary* events);
    /** Frames by name, the owner's sprite prefix tried first; false when a name is in no sheet. */
    bool initFrames(CCArray* frameNames);
    /** Resolves the follow-up names against the owner's actions (a missing one adds a null entry). */
    void initPostLoad();
    /** Loads "<name>.plist" into the sprite-frame cache; false when the sheet or its texture is missing. */
    static bool initSpriteSheet(const char* name);
    /** Whether actions of that type are attacks (blows, jump and ground attacks, attacks from a grab). */
    static bool isAttackType(int type);

    /** A random follow-up of that action type, or NULL. */
    VornActionDesc* getNextInCombo(int actionType);
    /** The follow-ups of a type, nulls included (empty for a type out of range). */
    const std::vector<VornActionDesc*>& getNextDescs(int actionType) const;
    const std::string& getNextName(int actionType) const;

    virtual void preloadSFX();
    /** Whether one of the action's attacks would hit the target now (nothing changes). */
    bool willAttackHitActor(VornActor* attacker, VornActor* target);

    /** Drops every link to other actions; the owner does this before it goes, to break cycles. */
    void releaseLinks();

    CC_SYNTHESIZE_PASS_BY_REF(std::string, m_name, Name);
    CC_SYNTHESIZE(int, m_nType, Type);
    /** Not retained: the owner holds its actions, so a retained owner would never be freed. */
    CC_SYNTHESIZE(VornActorDesc*, m_pOwner, Owner);
    CC_SYNTHESIZE_RETAIN(CCArray*, m_pEvents, Events);
    /**
     * When the action's last blow (attack event) falls, as a fraction of its duration: 1 when a
     * blow falls at every update (a negative time), -1 when it deals none.
     */
    float getLastBlowTime();
protected:
    float m_fDuration;
public:
    /** A negative (or not-a-number) duration would run the action's clock away: taken as 0, logged. */
    virtual float getDuration() const { return m_fDuration; }
    virtual void setDuration(float duration);
    CC_SYNTHESIZE_PASS_BY_REF(CCPoint, m_anchorPoint, AnchorPoint);
    CC_SYNTHESIZE(int, m_nLoopCount, LoopCount);
protected:
    int m_nLoopStart;
public:
    /** A negative start is taken as 0, as when it is read; logged. */
    virtual int getLoopStart() const { return m_nLoopStart; }
    virtual void setLoopStart(int loopStart);
    CC_SYNTHESIZE(int, m_nLoopEnd, LoopEnd);
    CC_SYNTHESIZE(int, m_nPriority, Priority);
    CC_SYNTHESIZE_RETAIN(CCArray*, m_pFrames, Frames);
    CC_SYNTHESIZE(float, m_fShadowScale, ShadowScale);
    CC_SYNTHESIZE_PASS_BY_REF(std::string, m_nextAction, NextAction);
    CC_SYNTHESIZE_PASS_BY_REF(std::string, m_sfx, SFX);
    CC_SYNTHESIZE_RETAIN(VornActionDesc*, m_pNextActionDesc, NextActionDesc);
    CC_SYNTHESIZE(int, m_nStackMode, StackMode);
    CC_SYNTHESIZE(int, m_nMoveMode, MoveMode);
    CC_SYNTHESIZE(bool, m_bCanRestart, CanRestart);
    CC_SYNTHESIZE(bool, m_bCanTakeDamage, CanTakeDamage);
    CC_SYNTHESIZE(bool, m_bIsForced, IsForced);
    CC_SYNTHESIZE(bool, m_bIsUnstoppable, IsUnstoppable);
    CC_SYNTHESIZE_PASS_BY_REF(CCSize, m_bounds, Bounds);

private:
    void applyTypeRules();
    /** Clamps timings that would freeze the action for ever or run its time away; logs what it changed. */
    void mendTimings();
    /**
     * The timed event object of an event entry in out (NULL when its kind has none); false when
     * the entry does not load.
     */
    bool createEvent(int eventType, CCDictionary* dict, const std::string& eventName, CCObject** out);

    std::string m_nextNames[kVAT_MAX];
    std::vector<VornActionDesc*> m_nextDescs[kVAT_MAX];  ///< each non-null entry retained
};

NS_CC_END

#endif // __VORN_ACTION_DESC_H__
