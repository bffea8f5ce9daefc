#include "ArenaTask_FinishingMove.h"

#include "ArenaTaskInstance.h"
#include "TextHelpers.h"
#include "VornActionDesc.h"
#include "VornActionTypes.h"
#include "VornActor.h"

NS_CC_BEGIN

ArenaTask_FinishingMove* ArenaTask_FinishingMove::create(int moveType)
{
    ArenaTask_FinishingMove* task = new ArenaTask_FinishingMove();
    task->m_nMoveType = moveType;
    task->init();
    task->autorelease();
    return task;
}

ArenaTask_FinishingMove::ArenaTask_FinishingMove() : m_nMoveType(kVAT_MAX)
{
}

ArenaTask_FinishingMove::~ArenaTask_FinishingMove()
{
    disconnectSignals();
}

int ArenaTask_FinishingMove::calculateTarget(float difficulty)
{
    return (int)(difficulty * 10.0f + 2.0f);
}

std::string ArenaTask_FinishingMove::getDescription(ArenaTaskInstance* instance)
{
    std::string text = describe("ARENA_TASK_FINISHING_MOVE", instance);
    std::string move;
    switch (m_nMoveType)
    {
    case kVAT_JumpAttack:
        move = localize("FINISHING_MOVE_JUMP_KICK");
        break;
    case kVAT_BackAttack:
        move = localize("FINISHING_MOVE_BACK_KICK");
        break;
    case kVAT_GroundAttack:
        move = localize("FINISHING_MOVE_STOMP");
        break;
    default:
        move = "UNDEFINED";
        break;
    }
    replaceAll(text, "<%2>", move);
    return text;
}

bool ArenaTask_FinishingMove::isEligible(VornActorDesc* playerDesc)
{
    CC_UNUSED_PARAM(playerDesc);
    return true;
}

void ArenaTask_FinishingMove::onAttackHit(VornActionDesc* action, VornActor* target, CCPoint point, float value)
{
    CC_UNUSED_PARAM(point);
    CC_UNUSED_PARAM(value);
    if (action && target && action->getType() == m_nMoveType && !(target->getHealth() > 0.0f))
    {
        advance();
    }
}

void ArenaTask_FinishingMove::connectTo(VornActor* player)
{
    player->getAttackHitSignal().connect(this, &ArenaTask_FinishingMove::onAttackHit);
}

void ArenaTask_FinishingMove::disconnectFrom(VornActor* player)
{
    player->getAttackHitSignal().disconnect(this, &ArenaTask_FinishingMove::onAttackHit);
}

NS_CC_END
