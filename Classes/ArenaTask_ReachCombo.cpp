#include "ArenaTask_ReachCombo.h"

#include "ArenaTaskInstance.h"
#include "CCConsole.h"

NS_CC_BEGIN

static ArenaTask_ReachCombo::ComboSignalFinder s_comboSignalFinder = NULL;

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

void ArenaTask_ReachCombo::setComboSignalFinder(ComboSignalFinder finder)
{
    s_comboSignalFinder = finder;
}

ArenaTask_ReachCombo::ComboSignalFinder ArenaTask_ReachCombo::getComboSignalFinder()
{
    return s_comboSignalFinder;
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
    ComboSignal* signal = s_comboSignalFinder ? s_comboSignalFinder(player) : NULL;
    if (signal == NULL)
    {
        CCLog("ArenaTask_ReachCombo::connectTo - the player has no combo count to follow");
        return;
    }
    signal->connect(this, &ArenaTask_ReachCombo::onComboChanged);
}

void ArenaTask_ReachCombo::disconnectFrom(VornActor* player)
{
    ComboSignal* signal = s_comboSignalFinder ? s_comboSignalFinder(player) : NULL;
    if (signal)
    {
        signal->disconnect(this, &ArenaTask_ReachCombo::onComboChanged);
    }
}

NS_CC_END
