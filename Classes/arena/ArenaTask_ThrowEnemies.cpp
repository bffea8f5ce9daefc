#include "ArenaTask_ThrowEnemies.h"

#include "ArenaTaskInstance.h"
#include "VornActionDesc.h"
#include "VornActionTypes.h"
#include "VornActor.h"
#include "VornAnimate.h"
#include "VornGameTypes.h"

NS_CC_BEGIN

ArenaTask_ThrowEnemies* ArenaTask_ThrowEnemies::create()
{
    ArenaTask_ThrowEnemies* task = new ArenaTask_ThrowEnemies();
    task->init();
    task->autorelease();
    return task;
}

ArenaTask_ThrowEnemies::ArenaTask_ThrowEnemies() : m_pAnimate(NULL)
{
}

ArenaTask_ThrowEnemies::~ArenaTask_ThrowEnemies()
{
    disconnectSignals();
}

int ArenaTask_ThrowEnemies::calculateTarget(float difficulty)
{
    return (int)(difficulty * 10.0f + 1.0f);
}

std::string ArenaTask_ThrowEnemies::getDescription(ArenaTaskInstance* instance)
{
    return describe("ARENA_TASK_THROW", instance);
}

bool ArenaTask_ThrowEnemies::isEligible(VornActorDesc* playerDesc)
{
    return hasActionWithEvent(playerDesc, kVAT_GrabThrowForward, kVET_Throw, 0);
}

void ArenaTask_ThrowEnemies::onActionLooped(VornActionDesc* action)
{
    if (action && (action->getType() == kVAT_GrabThrowBack || action->getType() == kVAT_GrabThrowForward))
    {
        advance();
    }
}

void ArenaTask_ThrowEnemies::connectTo(VornActor* player)
{
    VornAnimate* animate = player->getAnimate();
    if (animate != m_pAnimate)
    {
        disconnectFrom(player);
        CC_SAFE_RETAIN(animate);
        m_pAnimate = animate;
    }
    if (m_pAnimate)
    {
        m_pAnimate->getActionLoopedSignal().connect(this, &ArenaTask_ThrowEnemies::onActionLooped);
    }
}

void ArenaTask_ThrowEnemies::disconnectFrom(VornActor* player)
{
    CC_UNUSED_PARAM(player);
    if (m_pAnimate)
    {
        m_pAnimate->getActionLoopedSignal().disconnect(this, &ArenaTask_ThrowEnemies::onActionLooped);
        CC_SAFE_RELEASE_NULL(m_pAnimate);
    }
}

NS_CC_END
