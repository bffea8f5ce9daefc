#ifndef __VORN_RPG_STATS_H__
#define __VORN_RPG_STATS_H__

#include "CCObject.h"
#include "VornActionTypes.h"

NS_CC_BEGIN

class CharacterSetups;

/**
 * One character's tuning from a setup table: health and speed ranges, experience parameters and
 * the attack power range of every action type (from the Power or the Special columns).
 */
class VornRPGStats : public CCObject
{
public:
    VornRPGStats();
    virtual ~VornRPGStats();

    /** Columns the table lacks keep their defaults (1.0 for the XP level values, else 0). Always true. */
    bool initWithCharacterSetups(const char* character, CharacterSetups* setups);

    float getMinHealth() const { return m_fMinHealth; }
    float getMaxHealth() const { return m_fMaxHealth; }
    float getMinSpeed() const { return m_fMinSpeed; }
    float getMaxSpeed() const { return m_fMaxSpeed; }
    /** Power range of an action type; 0 for a type out of range. */
    float getMinPower(int actionType) const;
    float getMaxPower(int actionType) const;
    /** The kRPG_ stat that scales an action type's power (kRPG_Power for a type out of range). */
    int getActionStat(int actionType) const;
    /** Points a kill pays; index kCharacter_. */
    float getXPKillPoints(int index) const;
    float getXPLevelBase() const { return m_fXPLevelBase; }
    float getXPLevelBump() const { return m_fXPLevelBump; }

private:
    float m_fMinHealth;
    float m_fMaxHealth;
    float m_fMinSpeed;
    float m_fMaxSpeed;
    float m_fMinPowerByAction[kVAT_MAX];
    float m_fMaxPowerByAction[kVAT_MAX];
    float m_fXPKillPoints[2];
    float m_fXPLevelBase;
    float m_fXPLevelBump;
    int m_actionStatTable[kVAT_MAX];
};

NS_CC_END

#endif // __VORN_RPG_STATS_H__
