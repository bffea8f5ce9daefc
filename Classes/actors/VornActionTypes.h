#ifndef __VORN_ACTION_TYPES_H__
#define __VORN_ACTION_TYPES_H__

#include "CCPlatformMacros.h"

#include <string>

NS_CC_BEGIN

/** What an action is for. Property lists name the types with kActionTypeNames. */
enum
{
    kVAT_MIN = 0,
    kVAT_Idle = 0,
    kVAT_Walk,
    kVAT_FallForward,
    kVAT_FallBack,
    kVAT_Floored,
    kVAT_FlooredTakeDamage,
    kVAT_StandUp,
    kVAT_Jump,
    kVAT_JumpAttack,
    kVAT_LightAttack,
    kVAT_HeavyAttack,
    kVAT_ForwardAttack,
    kVAT_BackAttack,
    kVAT_RushAttackIntro,
    kVAT_RushAttack,
    kVAT_GroundAttack,
    kVAT_TakeDamage,
    kVAT_Stunned,
    kVAT_Grabbed,
    kVAT_GrabbedImpact,
    kVAT_Grab,
    kVAT_GrabLightAttack,
    kVAT_GrabHeavyAttack,
    kVAT_GrabThrowBack,
    kVAT_GrabThrowForward,
    kVAT_Thrown,
    kVAT_ThrownBack,
    kVAT_Default,
    kVAT_MAX  ///< no type
};

/** The name of each action type, indexed by its kVAT_ value. */
extern const std::string kActionTypeNames[kVAT_MAX];

/** The type whose name equals name exactly (case-sensitive), or kVAT_MAX when none does. */
int actionTypeFromName(const std::string& name);

/** Whether the type is what happens to a fighter rather than what it does: hurt, stunned, falling,
 *  lying on the floor, held or thrown. */
bool isReactionActionType(int type);

NS_CC_END

#endif // __VORN_ACTION_TYPES_H__
