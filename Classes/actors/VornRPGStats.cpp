#include "VornRPGStats.h"

#include "CharacterSetups.h"
#include "VornGameTypes.h"

NS_CC_BEGIN

namespace
{
struct tActionPowerRule
{
    int actionType;
    float multiplier;
    int stat;
};

// Types not listed scale by 1.0 from the Power columns.
const tActionPowerRule kActionPowerRules[] = {
    {kVAT_JumpAttack, 1.25f, kRPG_Power},      {kVAT_LightAttack, 1.0f, kRPG_Power},
    {kVAT_HeavyAttack, 1.0f, kRPG_Special},    {kVAT_ForwardAttack, 1.25f, kRPG_Power},
    {kVAT_BackAttack, 1.25f, kRPG_Power},      {kVAT_RushAttack, 1.0f, kRPG_Special},
    {kVAT_GroundAttack, 0.5f, kRPG_Power},     {kVAT_GrabLightAttack, 1.0f, kRPG_Power},
    {kVAT_GrabHeavyAttack, 1.0f, kRPG_Special}, {kVAT_GrabThrowBack, 2.0f, kRPG_Power},
    {kVAT_GrabThrowForward, 2.0f, kRPG_Power},
};
} // namespace

VornRPGStats::VornRPGStats()
    : m_fMinHealth(0.0f),
      m_fMaxHealth(0.0f),
      m_fMinSpeed(0.0f),
      m_fMaxSpeed(0.0f),
      m_fXPLevelBase(1.0f),
      m_fXPLevelBump(1.0f)
{
    for (int t = 0; t < kVAT_MAX; ++t)
    {
        m_fMinPowerByAction[t] = 0.0f;
        m_fMaxPowerByAction[t] = 0.0f;
        m_actionStatTable[t] = kRPG_Power;
    }
    m_fXPKillPoints[0] = m_fXPKillPoints[1] = 0.0f;
}

VornRPGStats::~VornRPGStats()
{
}

bool VornRPGStats::initWithCharacterSetups(const char* character, CharacterSetups* setups)
{
    float minPower = 0.0f, maxPower = 0.0f, minSpecial = 0.0f, maxSpecial = 0.0f;
    if (setups)
    {
        setups->getValue(character, "MinHealth", m_fMinHealth);
        setups->getValue(character, "MaxHealth", m_fMaxHealth);
        setups->getValue(character, "MinSpeed", m_fMinSpeed);
        setups->getValue(character, "MaxSpeed", m_fMaxSpeed);
        setups->getValue(character, "XPKillPoints", m_fXPKillPoints[0]);
        setups->getValue(character, "XPKillPoints", m_fXPKillPoints[1]);
        setups->getValue(character, "XPLevelBase", m_fXPLevelBase);
        setups->getValue(character, "XPLevelBump", m_fXPLevelBump);
        setups->getValue(character, "MinPower", minPower);
        setups->getValue(character, "MaxPower", maxPower);
        setups->getValue(character, "MinSpecial", minSpecial);
        setups->getValue(character, "MaxSpecial", maxSpecial);
    }

    for (int t = 0; t < kVAT_MAX; ++t)
    {
        float multiplier = 1.0f;
        int stat = kRPG_Power;
        for (const tActionPowerRule& rule : kActionPowerRules)
        {
            if (rule.actionType == t)
            {
                multiplier = rule.multiplier;
                stat = rule.stat;
            }
        }
        m_actionStatTable[t] = stat;
        bool special = stat == kRPG_Special;
        m_fMinPowerByAction[t] = multiplier * (special ? minSpecial : minPower);
        m_fMaxPowerByAction[t] = multiplier * (special ? maxSpecial : maxPower);
    }
    return true;
}

float VornRPGStats::getMinPower(int actionType) const
{
    return (actionType >= 0 && actionType < kVAT_MAX) ? m_fMinPowerByAction[actionType] : 0.0f;
}

float VornRPGStats::getMaxPower(int actionType) const
{
    return (actionType >= 0 && actionType < kVAT_MAX) ? m_fMaxPowerByAction[actionType] : 0.0f;
}

int VornRPGStats::getActionStat(int actionType) const
{
    return (actionType >= 0 && actionType < kVAT_MAX) ? m_actionStatTable[actionType] : (int)kRPG_Power;
}

float VornRPGStats::getXPKillPoints(int index) const
{
    return (index == 0 || index == 1) ? m_fXPKillPoints[index] : 0.0f;
}

NS_CC_END
