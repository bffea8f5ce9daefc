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

bool isReactionActionType(int type)
{
    switch (type)
    {
    case kVAT_TakeDamage:
    case kVAT_Stunned:
    case kVAT_FallForward:
    case kVAT_FallBack:
    case kVAT_Floored:
    case kVAT_FlooredTakeDamage:
    case kVAT_Grabbed:
    case kVAT_GrabbedImpact:
    case kVAT_Thrown:
    case kVAT_ThrownBack:
        return true;
    default:
        return false;
    }
}

NS_CC_END
