#ifndef __VORN_EVENT_DESC_ATTACK_H__
#define __VORN_EVENT_DESC_ATTACK_H__

#include "VornEventDesc_Delay.h"

NS_CC_BEGIN

/**
 * The moment an action hurts: every eligible actor the attack area overlaps takes damage, the
 * attacker hears of the hit or the miss, and a hit freezes the attack for its delay (hit stop).
 */
class VornEventDesc_Attack : public VornEventDesc_Delay
{
public:
    VornEventDesc_Attack();

    /** Needs "Bounds"; reads "AttackType", "DamageMod" and "KO" besides the delay's keys. */
    virtual bool initWithDictionary(CCDictionary* dict, std::string name, std::string ownerFile);
    virtual void fire(VornActionDesc* action, VornActor* attacker);
    /** Whether the attack would hit the target now; changes nothing. */
    bool willHitActor(VornActor* attacker, VornActor* target);

    /** The area in points (stored in pixels). */
    virtual CCRect getBounds();
    virtual void setBounds(const CCRect& bounds) { m_bounds = bounds; }
    virtual int getAttackType() { return m_nAttackType; }
    virtual void setAttackType(int type) { m_nAttackType = type; }
    virtual float getDamageMod() { return m_fDamageMod; }
    virtual void setDamageMod(float mod) { m_fDamageMod = mod; }
    virtual bool getHitsOwnSide() { return m_bHitsOwnSide; }
    virtual void setHitsOwnSide(bool hits) { m_bHitsOwnSide = hits; }

    /** Actors standing further apart in depth than this never touch. */
    static const float kDepthBand;

protected:
    CCRect m_bounds;  ///< pixels at content scale 1, relative to the anchor point
    int m_nAttackType;
    float m_fDamageMod;
    bool m_bHitsOwnSide;
};

NS_CC_END

#endif // __VORN_EVENT_DESC_ATTACK_H__
