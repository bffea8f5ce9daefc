#include "ArenaManager.h"

#include "ArenaTask.h"
#include "ArenaTaskInstance.h"
#include "ArenaTask_FinishingMove.h"
#include "ArenaTask_ReachCombo.h"
#include "ArenaTask_StunEnemies.h"
#include "ArenaTask_SurviveWithoutHits.h"
#include "ArenaTask_ThrowEnemies.h"
#include "CCConsole.h"
#include "HighScoreManager.h"
#include "HighScoreTable.h"
#include "OnlineManager.h"
#include "VornActionTypes.h"
#include "VornActor.h"
#include "VornActorDesc.h"
#include "VornGameManager.h"
#include "VornPlayer.h"

#include <cstdlib>

NS_CC_BEGIN

const float ArenaManager::kStartTime = 60.0f;
const float ArenaManager::kExtraTime = 30.0f;

namespace
{
// Random draws that may all miss before the pool is searched in order.
const int kMaxRandomDraws = 64;
} // namespace

ArenaManager::ArenaManager()
    : m_bActive(false),
      m_bRunning(false),
      m_fTaskDifficulty(0.0f),
      m_fTimeLeft(0.0f),
      m_fTimeElapsed(0.0f),
      m_nTasksCompleted(0),
      m_pTasks(NULL),
      m_pTaskInstances(NULL),
      m_pPlayer(NULL),
      m_pGame(NULL)
{
}

ArenaManager::~ArenaManager()
{
    if (m_pGame && VornGameManager::getSharedVornGameManager() == m_pGame)
    {
        m_pGame->getGameUpdateSignal().disconnect(this, &ArenaManager::tick);
        m_pGame->getQuitToTitleSignal().disconnect(this, &ArenaManager::exitArena);
    }
    setPlayer(NULL);
    releaseSlots();
    // The tasks' player subscriptions go with them; a match still running leaves none behind.
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_pTasks, object)
    {
        static_cast<ArenaTask*>(object)->disconnectSignals();
    }
    CC_SAFE_RELEASE(m_pTasks);
    CC_SAFE_RELEASE(m_pTaskInstances);
}

void ArenaManager::releaseSlots()
{
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_pTaskInstances, object)
    {
        ArenaTaskInstance* slot = static_cast<ArenaTaskInstance*>(object);
        slot->getCompletedSignal().disconnect(this, &ArenaManager::onTaskCompleted);
        slot->getFinishedSignal().disconnect(this, &ArenaManager::onTaskInstanceFinished);
        slot->setTask(NULL, NULL, 0.0f);
    }
}

bool ArenaManager::init()
{
    CCArray* tasks = CCArray::create();
    tasks->addObject(ArenaTask_ThrowEnemies::create());
    tasks->addObject(ArenaTask_FinishingMove::create(kVAT_JumpAttack));
    tasks->addObject(ArenaTask_FinishingMove::create(kVAT_BackAttack));
    tasks->addObject(ArenaTask_FinishingMove::create(kVAT_GroundAttack));
    tasks->addObject(ArenaTask_ReachCombo::create());
    tasks->addObject(ArenaTask_SurviveWithoutHits::create());
    tasks->addObject(ArenaTask_StunEnemies::create());
    setTasks(tasks);

    CCArray* slots = CCArray::createWithCapacity(kNumTaskSlots);
    for (int i = 0; i < kNumTaskSlots; ++i)
    {
        ArenaTaskInstance* slot = new ArenaTaskInstance();
        slot->autorelease();
        slots->addObject(slot);
        slot->getCompletedSignal().connect(this, &ArenaManager::onTaskCompleted);
        slot->getFinishedSignal().connect(this, &ArenaManager::onTaskInstanceFinished);
    }
    setTaskInstances(slots);

    m_pGame = VornGameManager::getSharedVornGameManager();
    if (m_pGame)
    {
        m_pGame->getGameUpdateSignal().connect(this, &ArenaManager::tick);
        m_pGame->getQuitToTitleSignal().connect(this, &ArenaManager::exitArena);
        setPlayer(m_pGame->getPlayer());
    }
    return true;
}

void ArenaManager::setPlayer(VornActor* player)
{
    if (player == m_pPlayer)
    {
        return;
    }
    if (m_pPlayer)
    {
        m_pPlayer->getDiedSignal().disconnect(this, &ArenaManager::onPlayerDied);
    }
    CC_SAFE_RETAIN(player);
    CC_SAFE_RELEASE(m_pPlayer);
    m_pPlayer = player;
    if (m_pPlayer)
    {
        m_pPlayer->getDiedSignal().connect(this, &ArenaManager::onPlayerDied);
    }
}

void ArenaManager::setTasks(CCArray* tasks)
{
    CC_SAFE_RETAIN(tasks);
    CC_SAFE_RELEASE(m_pTasks);
    m_pTasks = tasks;
}

void ArenaManager::setTaskInstances(CCArray* instances)
{
    CC_SAFE_RETAIN(instances);
    CC_SAFE_RELEASE(m_pTaskInstances);
    m_pTaskInstances = instances;
}

void ArenaManager::initArena()
{
    bool wasRunning = m_bRunning;
    m_fTaskDifficulty = 0.0f;
    m_fTimeLeft = kStartTime;
    m_fTimeElapsed = 0.0f;
    m_nTasksCompleted = 0;
    // A clock on show learns of the restart at once.
    if (wasRunning)
    {
        m_timeChangedSignal.emit(kStartTime);
    }
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_pTasks, object)
    {
        static_cast<ArenaTask*>(object)->connectSignals(m_pPlayer);
    }
    CCARRAY_FOREACH(m_pTaskInstances, object)
    {
        drawTask(static_cast<ArenaTaskInstance*>(object));
    }
    m_bActive = true;
    m_bRunning = false;
    m_arenaInitialisedSignal.emit();
}

void ArenaManager::beginArena()
{
    m_bRunning = true;
    m_arenaBeganSignal.emit();
}

void ArenaManager::exitArena()
{
    if (!m_bActive)
    {
        return;
    }
    m_arenaEndedSignal.emit();
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_pTaskInstances, object)
    {
        static_cast<ArenaTaskInstance*>(object)->setTask(NULL, NULL, 0.0f);
    }
    CCARRAY_FOREACH(m_pTasks, object)
    {
        static_cast<ArenaTask*>(object)->disconnectSignals();
    }
    m_bActive = false;
    m_bRunning = false;
}

ArenaTaskInstance* ArenaManager::getTaskInstance(int index)
{
    if (m_pTaskInstances == NULL || index < 0 || index >= (int)m_pTaskInstances->count())
    {
        return NULL;
    }
    return static_cast<ArenaTaskInstance*>(m_pTaskInstances->objectAtIndex(index));
}

void ArenaManager::tick(float dt)
{
    if (!m_bRunning || !(m_fTimeLeft > 0.0f))
    {
        return;
    }
    m_fTimeLeft -= dt;
    m_fTimeElapsed += dt;
    m_timeChangedSignal.emit(m_fTimeLeft);
    if (m_fTimeLeft <= 0.0f)
    {
        m_timeUpSignal.emit();
        exitArena();
    }
}

bool ArenaManager::isHeldByOtherSlot(ArenaTask* task, ArenaTaskInstance* slot)
{
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_pTaskInstances, object)
    {
        ArenaTaskInstance* other = static_cast<ArenaTaskInstance*>(object);
        if (other != slot && other->getTask() == task)
        {
            return true;
        }
    }
    return false;
}

bool ArenaManager::canDraw(ArenaTask* task, ArenaTaskInstance* slot)
{
    VornActorDesc* desc = m_pPlayer ? m_pPlayer->getDesc() : NULL;
    return task != NULL && !isHeldByOtherSlot(task, slot) && task->isEligible(desc);
}

void ArenaManager::drawTask(ArenaTaskInstance* slot)
{
    if (slot == NULL || m_pTasks == NULL || m_pTasks->count() == 0)
    {
        return;
    }
    unsigned int count = m_pTasks->count();
    ArenaTask* chosen = NULL;
    for (int i = 0; i < kMaxRandomDraws && chosen == NULL; ++i)
    {
        ArenaTask* task = static_cast<ArenaTask*>(m_pTasks->objectAtIndex((unsigned int)rand() % count));
        if (canDraw(task, slot))
        {
            chosen = task;
        }
    }
    // Unlucky dice (or a pool with few tasks this character can do): the first one that fits.
    for (unsigned int i = 0; i < count && chosen == NULL; ++i)
    {
        ArenaTask* task = static_cast<ArenaTask*>(m_pTasks->objectAtIndex(i));
        if (canDraw(task, slot))
        {
            chosen = task;
        }
    }
    if (chosen == NULL)
    {
        CCLog("ArenaManager::drawTask - no task left for the slot");
        return;
    }
    slot->setTask(chosen, m_pPlayer, m_fTaskDifficulty);
    m_fTaskDifficulty += 0.1f;
}

void ArenaManager::onTaskCompleted(ArenaTaskInstance* slot)
{
    CC_UNUSED_PARAM(slot);
    m_fTimeLeft += kExtraTime;
    m_extraTimeSignal.emit();
    ++m_nTasksCompleted;
}

void ArenaManager::onTaskInstanceFinished(ArenaTaskInstance* slot)
{
    if (slot == NULL)
    {
        return;
    }
    int reward = (int)(slot->getDifficulty() * 16.0f + 6.0f);
    VornActor* player = slot->getPlayer();
    VornActorDesc* desc = player ? player->getDesc() : NULL;
    if (desc)
    {
        desc->increaseXPPoints(reward);
    }
    drawTask(slot);
}

void ArenaManager::onPlayerDied(VornActor* player)
{
    CC_UNUSED_PARAM(player);
    exitArena();
}

void ArenaManager::submitScore(const char* leaderboardId, int score)
{
    if (leaderboardId == NULL || leaderboardId[0] == '\0')
    {
        CCLog("ArenaManager::submitScore - the arena has no leaderboard id; score %d not kept", score);
        return;
    }
    GameManager* game = GameManager::getInstance();
    HighScoreManager* scores = game ? game->getHighScoreManager() : NULL;
    HighScoreTable* table = scores ? scores->getTable(leaderboardId) : NULL;
    if (table)
    {
        table->addScore("Local", score);
    }
    OnlineManager* online = game ? game->getOnlineManager() : NULL;
    if (online)
    {
        online->submitScore(leaderboardId, score);
    }
}

NS_CC_END
