#include "ArenaTask_StunEnemies.h"

#include "ArenaTaskInstance.h"
#include "VornActionDesc.h"
#include "VornActionTypes.h"
#include "VornActor.h"
#include "VornAnimate.h"
#include "VornGameTypes.h"

NS_CC_BEGIN

ArenaTask_StunEnemies* ArenaTask_StunEnemies::create()
{
    ArenaTask_StunEnemies* task = new ArenaTask_StunEnemies();
    task->init();
    task->autorelease();
    return task;
}

ArenaTask_StunEnemies::~ArenaTask_StunEnemies()
{
    disconnectSignals();
}

int ArenaTask_StunEnemies::calculateTarget(float difficulty)
{
    return (int)(difficulty * 20.0f + 2.0f);
}

std::string ArenaTask_StunEnemies::getDescription(ArenaTaskInstance* instance)
{
    return describe("ARENA_TASK_STUN", instance);
}

bool ArenaTask_StunEnemies::isEligible(VornActorDesc* playerDesc)
{
    return hasActionWithEvent(playerDesc, kVAT_ForwardAttack, kVET_Attack, kVornAttackType_Stun);
}

void ArenaTask_StunEnemies::onAttackHit(VornActionDesc* action, VornActor* target, CCPoint point, float value)
{
    CC_UNUSED_PARAM(action);
    CC_UNUSED_PARAM(point);
    CC_UNUSED_PARAM(value);
    VornAnimate* animate = target ? target->getAnimate() : NULL;
    VornActionDesc* top = animate ? animate->getTopAction() : NULL;
    if (top && top->getType() == kVAT_Stunned)
    {
        advance();
    }
}

void ArenaTask_StunEnemies::connectTo(VornActor* player)
{
    player->getAttackHitSignal().connect(this, &ArenaTask_StunEnemies::onAttackHit);
}

void ArenaTask_StunEnemies::disconnectFrom(VornActor* player)
{
    player->getAttackHitSignal().disconnect(this, &ArenaTask_StunEnemies::onAttackHit);
}

NS_CC_END
