#include "ArenaTask_ReachCombo.h"

#include "ArenaTaskInstance.h"
#include "VornPlayer.h"

NS_CC_BEGIN

ArenaTask_ReachCombo* ArenaTask_ReachCombo::create()
{
    ArenaTask_ReachCombo* task = new ArenaTask_ReachCombo();
    task->init();
    task->autorelease();
    return task;
}

ArenaTask_ReachCombo::~ArenaTask_ReachCombo()
{
    disconnectSignals();
}

int ArenaTask_ReachCombo::calculateTarget(float difficulty)
{
    return (int)(difficulty * 60.0f + 5.0f);
}

std::string ArenaTask_ReachCombo::getDescription(ArenaTaskInstance* instance)
{
    return describe("ARENA_TASK_COMBO", instance);
}

bool ArenaTask_ReachCombo::isEligible(VornActorDesc* playerDesc)
{
    CC_UNUSED_PARAM(playerDesc);
    return true;
}

void ArenaTask_ReachCombo::onComboChanged(VornPlayer* player, int combo)
{
    CC_UNUSED_PARAM(player);
    advanceAllTo(combo);
}

void ArenaTask_ReachCombo::connectTo(VornActor* player)
{
    VornPlayer* fighter = dynamic_cast<VornPlayer*>(player);
    if (fighter)
    {
        fighter->getComboSignal().connect(this, &ArenaTask_ReachCombo::onComboChanged);
    }
}

void ArenaTask_ReachCombo::disconnectFrom(VornActor* player)
{
    VornPlayer* fighter = dynamic_cast<VornPlayer*>(player);
    if (fighter)
    {
        fighter->getComboSignal().disconnect(this, &ArenaTask_ReachCombo::onComboChanged);
    }
}

NS_CC_END
