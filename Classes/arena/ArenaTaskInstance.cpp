#include "ArenaTaskInstance.h"

#include "ArenaTask.h"
#include "VornActor.h"

NS_CC_BEGIN

ArenaTaskInstance::ArenaTaskInstance()
    : m_bComplete(false), m_nProgress(0), m_nTarget(0), m_fDifficulty(0.0f), m_pTask(NULL), m_pPlayer(NULL)
{
}

ArenaTaskInstance::~ArenaTaskInstance()
{
    CC_SAFE_RELEASE(m_pTask);
    CC_SAFE_RELEASE(m_pPlayer);
}

void ArenaTaskInstance::setPlayer(VornActor* player)
{
    CC_SAFE_RETAIN(player);
    CC_SAFE_RELEASE(m_pPlayer);
    m_pPlayer = player;
}

void ArenaTaskInstance::setTask(ArenaTask* task, VornActor* player, float difficulty)
{
    setPlayer(player);
    if (task != m_pTask)
    {
        // Kept alive across the hand-over: the old task's list may hold our last other reference.
        retain();
        if (m_pTask)
        {
            m_pTask->removeInstance(this);
            m_pTask->release();
        }
        m_pTask = task;
        if (m_pTask)
        {
            m_pTask->retain();
            m_pTask->addInstance(this);
        }
        release();
    }
    else if (m_pTask)
    {
        // The same task drawn again starts over too (a survival clock from zero).
        m_pTask->restartInstance(this);
    }
    if (m_pTask)
    {
        m_fDifficulty = difficulty;
        m_nProgress = 0;
        m_nTarget = m_pTask->calculateTarget(difficulty);
        m_bComplete = false;
    }
}

void ArenaTaskInstance::incrementProgress()
{
    advanceTo(m_nProgress + 1);
}

void ArenaTaskInstance::advanceTo(int progress)
{
    m_nProgress = progress;
    // Reaching the target counts even when a jump passes it; a completed slot completes once.
    bool completesNow = !m_bComplete && m_nTarget > 0 && m_nProgress >= m_nTarget;
    if (completesNow)
    {
        m_bComplete = true;
    }
    // Followers may give the slot a new task (and drop their hold on it) while we emit.
    retain();
    m_progressSignal.emit(this);
    if (completesNow)
    {
        m_completedSignal.emit(this);
        m_finishedSignal.emit(this);
    }
    release();
}

std::string ArenaTaskInstance::getDescription()
{
    return m_pTask ? m_pTask->getDescription(this) : std::string();
}

NS_CC_END
