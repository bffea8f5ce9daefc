#ifndef __VORN_GAME_TYPES_H__
#define __VORN_GAME_TYPES_H__

#include "CCPlatformMacros.h"

NS_CC_BEGIN

/** The four stats a character grows. */
enum
{
    kRPG_Health = 0,
    kRPG_Power,
    kRPG_Speed,
    kRPG_Special,
    kRPG_MAX
};

/** Points 0 to 10 in each stat. */
#define MAX_NUM_RPG_LEVELS 11

/** Which side of the character-setup tables a value comes from. */
enum
{
    kCharacter_Player = 0,
    kCharacter_Enemy,
    kCharacter_MAX
};

enum
{
    kVornGameMode_Story = 0,
    kVornGameMode_Arena,
    kVornGameMode_MAX
};

enum
{
    kDifficulty_Easy = 0,
    kDifficulty_Normal,
    kDifficulty_Hard,
    kDifficulty_MAX
};

/** Kinds of timed event an action may carry. */
enum
{
    kVET_None = 0,
    kVET_Attack,
    kVET_Sound,
    kVET_Fall,
    kVET_Jump,
    kVET_Delay,
    kVET_GrabTarget,
    kVET_Throw
};

/** Which way an actor faces. */
enum
{
    kFacingDir_Left = 0,
    kFacingDir_Right,
    kFacingDir_MAX
};

/** How a hit lands: an ordinary hit, a knock-out blow, a stun, or the damage of a throw. */
typedef int tVornAttackType;
enum
{
    kVornAttackType_Normal = 0,
    kVornAttackType_KO,
    kVornAttackType_Stun,
    kVornAttackType_Thrown
};

/** Collision list ids (one bit each). */
enum
{
    kCollisionList_Player = 1,
    kCollisionList_Enemy = 2,
    kCollisionList_Sign = 4,
    kCollisionList_Backdrop = 8,
    kCollisionList_Bounds = 16,
    kCollisionList_Trigger = 32
};

/** The side a queued enemy enters from. */
enum
{
    kSpawnDir_Left = 0,
    kSpawnDir_Right,
    kSpawnDir_Random,
    kSpawnDir_MAX
};

/** The bot events a script can be told about. */
enum
{
    kBotTrigger_Spawned = 0,
    kBotTrigger_Killed,
    kBotTrigger_Died,
    kBotTrigger_ReachedTarget,
    kBotTrigger_Stunned,
    kBotTrigger_StunnedFinished,
    kBotTrigger_Grabbed,
    kBotTrigger_GrabbedFinished,
    kBotTrigger_MAX
};

NS_CC_END

#endif // __VORN_GAME_TYPES_H__
