#include "ArenaTask_SurviveWithoutHits.h"

#include "ArenaManager.h"
#include "ArenaTaskInstance.h"
#include "VornActor.h"
#include "VornGameManager.h"

NS_CC_BEGIN

ArenaTask_SurviveWithoutHits* ArenaTask_SurviveWithoutHits::create()
{
    ArenaTask_SurviveWithoutHits* task = new ArenaTask_SurviveWithoutHits();
    task->init();
    task->autorelease();
    return task;
}

ArenaTask_SurviveWithoutHits::ArenaTask_SurviveWithoutHits()
    : m_fTimeSurvived(0.0f), m_fLastHealth(0.0f), m_pTimeSource(NULL)
{
}

ArenaTask_SurviveWithoutHits::~ArenaTask_SurviveWithoutHits()
{
    disconnectSignals();
    if (m_pTimeSource && GameManager::getInstance() == m_pTimeSource)
    {
        m_pTimeSource->getGameUpdateSignal().disconnect(this, &ArenaTask_SurviveWithoutHits::tick);
    }
}

bool ArenaTask_SurviveWithoutHits::init()
{
    if (!ArenaTask::init())
    {
        return false;
    }
    m_pTimeSource = GameManager::getInstance();
    if (m_pTimeSource)
    {
        m_pTimeSource->getGameUpdateSignal().connect(this, &ArenaTask_SurviveWithoutHits::tick);
    }
    return true;
}

int ArenaTask_SurviveWithoutHits::calculateTarget(float difficulty)
{
    return (int)(difficulty * 10.0f + 2.0f) * 10;
}

std::string ArenaTask_SurviveWithoutHits::getDescription(ArenaTaskInstance* instance)
{
    return describe("ARENA_TASK_SURVIVE", instance);
}

bool ArenaTask_SurviveWithoutHits::isEligible(VornActorDesc* playerDesc)
{
    CC_UNUSED_PARAM(playerDesc);
    return true;
}

void ArenaTask_SurviveWithoutHits::restartInstance(ArenaTaskInstance* instance)
{
    CC_UNUSED_PARAM(instance);
    m_fTimeSurvived = 0.0f;
}

void ArenaTask_SurviveWithoutHits::onHealthChanged(float health)
{
    if (m_fLastHealth > health)
    {
        m_fTimeSurvived = 0.0f;
    }
    m_fLastHealth = health;
}

void ArenaTask_SurviveWithoutHits::tick(float dt)
{
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    ArenaManager* arena = game ? game->getArenaManager() : NULL;
    if (arena == NULL || !arena->isRunning())
    {
        return;
    }
    m_fTimeSurvived += dt;
    if (m_pInstances && m_pInstances->count() > 0)
    {
        advanceAllTo((int)m_fTimeSurvived);
    }
}

void ArenaTask_SurviveWithoutHits::connectTo(VornActor* player)
{
    // Measured from the health the player has now, so the first hit of the match counts.
    m_fLastHealth = player->getHealthValue();
    player->getHealthChangedSignal().connect(this, &ArenaTask_SurviveWithoutHits::onHealthChanged);
}

void ArenaTask_SurviveWithoutHits::disconnectFrom(VornActor* player)
{
    player->getHealthChangedSignal().disconnect(this, &ArenaTask_SurviveWithoutHits::onHealthChanged);
}

NS_CC_END
