#include "VornActionTypes.h"

NS_CC_BEGIN

const std::string kActionTypeNames[kVAT_MAX] = {
    "Idle",           "Walk",           "FallForward",      "FallBack",          "Floored",
    "FlooredTakeDamage", "StandUp",     "Jump",             "JumpAttack",        "LightAttack",
    "HeavyAttack",    "ForwardAttack",  "BackAttack",       "RushAttackIntro",   "RushAttack",
    "GroundAttack",   "TakeDamage",     "Stunned",          "Grabbed",           "GrabbedImpact",
    "Grab",           "GrabLightAttack", "GrabHeavyAttack", "GrabThrowBack",     "GrabThrowForward",
    "Thrown",         "ThrownBack",     "Default",
};

int actionTypeFromName(const std::string& name)
{
    for (int type = kVAT_MIN; type < kVAT_MAX; ++type)
    {
        if (kActionTypeNames[type] == name)
        {
            return type;
        }
    }
    return kVAT_MAX;
}

NS_CC_END
