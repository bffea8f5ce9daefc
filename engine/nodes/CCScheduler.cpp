#include "nodes/CCScheduler.h"

#include <algorithm>

NS_CC_BEGIN

// ---- CCTimer -------------------------------------------------------------------------------

CCTimer::CCTimer()
: m_pTarget(NULL)
, m_fElapsed(-1.0f)
, m_bRunForever(false)
, m_bUseDelay(false)
, m_uTimesExecuted(0)
, m_uRepeat(0)
, m_fDelay(0.0f)
, m_fInterval(0.0f)
, m_pfnSelector(NULL)
, m_bCancelled(false)
{
}

CCTimer* CCTimer::timerWithTarget(CCObject* pTarget, SEL_SCHEDULE pfnSelector)
{
    return timerWithTarget(pTarget, pfnSelector, 0.0f);
}

CCTimer* CCTimer::timerWithTarget(CCObject* pTarget, SEL_SCHEDULE pfnSelector, float fSeconds)
{
    CCTimer* timer = new CCTimer();
    timer->initWithTarget(pTarget, pfnSelector, fSeconds, kCCRepeatForever, 0.0f);
    timer->autorelease();
    return timer;
}

bool CCTimer::initWithTarget(CCObject* pTarget, SEL_SCHEDULE pfnSelector)
{
    return initWithTarget(pTarget, pfnSelector, 0.0f, kCCRepeatForever, 0.0f);
}

bool CCTimer::initWithTarget(CCObject* pTarget, SEL_SCHEDULE pfnSelector, float fSeconds, unsigned int nRepeat,
                             float fDelay)
{
    m_pTarget = pTarget;
    m_pfnSelector = pfnSelector;
    m_fElapsed = -1.0f;
    m_fInterval = fSeconds;
    m_fDelay = fDelay;
    m_bUseDelay = fDelay > 0.0f;
    m_uRepeat = nRepeat;
    m_bRunForever = nRepeat == kCCRepeatForever;
    m_uTimesExecuted = 0;
    return true;
}

bool CCTimer::advance(float dt)
{
    if (m_fElapsed == -1.0f)
    {
        m_fElapsed = 0.0f;
        m_uTimesExecuted = 0;
        return false;
    }
    m_fElapsed += dt;
    if (m_bUseDelay)
    {
        if (m_fElapsed < m_fDelay)
        {
            return false;
        }
        (m_pTarget->*m_pfnSelector)(m_fElapsed);
        m_fElapsed -= m_fDelay;
        m_bUseDelay = false;
    }
    else
    {
        if (m_fElapsed < m_fInterval)
        {
            return false;
        }
        (m_pTarget->*m_pfnSelector)(m_fElapsed);
        m_fElapsed = 0.0f;
    }
    ++m_uTimesExecuted;
    // repeat counts the runs after the first, so repeat 0 means once.
    return !m_bRunForever && m_uTimesExecuted > m_uRepeat;
}

// ---- CCScheduler ---------------------------------------------------------------------------

CCScheduler::CCScheduler()
: m_fTimeScale(1.0f)
, m_bLocked(false)
{
}

CCScheduler::~CCScheduler()
{
    for (size_t i = 0; i < m_updates.size(); ++i)
    {
        m_updates[i].target->release();
    }
    for (size_t i = 0; i < m_pendingUpdates.size(); ++i)
    {
        m_pendingUpdates[i].target->release();
    }
    for (size_t i = 0; i < m_timerTargets.size(); ++i)
    {
        TimerTarget* tt = m_timerTargets[i];
        for (size_t j = 0; j < tt->timers.size(); ++j)
        {
            tt->timers[j]->release();
        }
        tt->target->release();
        delete tt;
    }
}

CCScheduler::UpdateEntry* CCScheduler::findUpdate(const CCObject* pTarget)
{
    for (size_t i = 0; i < m_updates.size(); ++i)
    {
        if (m_updates[i].target == pTarget)
        {
            return &m_updates[i];
        }
    }
    for (size_t i = 0; i < m_pendingUpdates.size(); ++i)
    {
        if (m_pendingUpdates[i].target == pTarget)
        {
            return &m_pendingUpdates[i];
        }
    }
    return NULL;
}

CCScheduler::TimerTarget* CCScheduler::findTimers(const CCObject* pTarget)
{
    std::unordered_map<const CCObject*, TimerTarget*>::iterator it = m_timerIndex.find(pTarget);
    return it == m_timerIndex.end() ? NULL : it->second;
}

void CCScheduler::insertUpdate(const UpdateEntry& entry)
{
    std::vector<UpdateEntry>::iterator pos = m_updates.begin();
    while (pos != m_updates.end() && pos->priority <= entry.priority)
    {
        ++pos;
    }
    m_updates.insert(pos, entry);
}

void CCScheduler::scheduleSelector(SEL_SCHEDULE pfnSelector, CCObject* pTarget, float fInterval, bool bPaused)
{
    scheduleSelector(pfnSelector, pTarget, fInterval, kCCRepeatForever, 0.0f, bPaused);
}

void CCScheduler::scheduleSelector(SEL_SCHEDULE pfnSelector, CCObject* pTarget, float fInterval,
                                   unsigned int repeat, float delay, bool bPaused)
{
    if (!pfnSelector || !pTarget)
    {
        CCLog("CCScheduler::scheduleSelector - NULL selector or target");
        return;
    }
    TimerTarget* tt = findTimers(pTarget);
    if (!tt)
    {
        tt = new TimerTarget();
        tt->target = pTarget;
        pTarget->retain();
        tt->paused = bPaused;
        tt->markedForDeletion = false;
        m_timerTargets.push_back(tt);
        m_timerIndex[pTarget] = tt;
    }
    tt->markedForDeletion = false;
    for (size_t i = 0; i < tt->timers.size(); ++i)
    {
        CCTimer* timer = tt->timers[i];
        if (!timer->m_bCancelled && timer->getSelector() == pfnSelector)
        {
            timer->setInterval(fInterval);
            return;
        }
    }
    CCTimer* timer = new CCTimer();
    timer->initWithTarget(pTarget, pfnSelector, fInterval, repeat, delay);
    tt->timers.push_back(timer);
}

void CCScheduler::scheduleUpdateForTarget(CCObject* pTarget, int nPriority, bool bPaused)
{
    if (!pTarget)
    {
        return;
    }
    UpdateEntry* existing = findUpdate(pTarget);
    if (existing)
    {
        // Unscheduled earlier this frame and scheduled again: it simply stays.
        existing->markedForDeletion = false;
        return;
    }
    UpdateEntry entry = { pTarget, nPriority, bPaused, false };
    pTarget->retain();
    if (m_bLocked)
    {
        m_pendingUpdates.push_back(entry);
    }
    else
    {
        insertUpdate(entry);
    }
}

void CCScheduler::unscheduleSelector(SEL_SCHEDULE pfnSelector, CCObject* pTarget)
{
    TimerTarget* tt = findTimers(pTarget);
    if (!tt)
    {
        return;
    }
    for (size_t i = 0; i < tt->timers.size(); ++i)
    {
        CCTimer* timer = tt->timers[i];
        if (!timer->m_bCancelled && timer->getSelector() == pfnSelector)
        {
            timer->m_bCancelled = true;
            break;
        }
    }
    if (!m_bLocked)
    {
        purge();
    }
}

void CCScheduler::unscheduleUpdateForTarget(const CCObject* pTarget)
{
    UpdateEntry* entry = findUpdate(pTarget);
    if (!entry)
    {
        return;
    }
    entry->markedForDeletion = true;
    if (!m_bLocked)
    {
        purge();
    }
}

void CCScheduler::unscheduleAllForTarget(CCObject* pTarget)
{
    if (!pTarget)
    {
        return;
    }
    TimerTarget* tt = findTimers(pTarget);
    if (tt)
    {
        for (size_t i = 0; i < tt->timers.size(); ++i)
        {
            tt->timers[i]->m_bCancelled = true;
        }
    }
    UpdateEntry* entry = findUpdate(pTarget);
    if (entry)
    {
        entry->markedForDeletion = true;
    }
    if (!m_bLocked)
    {
        purge();
    }
}

void CCScheduler::unscheduleAll(void)
{
    unscheduleAllWithMinPriority(kCCPriorityNonSystemMin);
}

void CCScheduler::unscheduleAllWithMinPriority(int nMinPriority)
{
    for (size_t i = 0; i < m_timerTargets.size(); ++i)
    {
        TimerTarget* tt = m_timerTargets[i];
        for (size_t j = 0; j < tt->timers.size(); ++j)
        {
            tt->timers[j]->m_bCancelled = true;
        }
    }
    for (size_t i = 0; i < m_updates.size(); ++i)
    {
        if (m_updates[i].priority >= nMinPriority)
        {
            m_updates[i].markedForDeletion = true;
        }
    }
    for (size_t i = 0; i < m_pendingUpdates.size(); ++i)
    {
        if (m_pendingUpdates[i].priority >= nMinPriority)
        {
            m_pendingUpdates[i].markedForDeletion = true;
        }
    }
    if (!m_bLocked)
    {
        purge();
    }
}

bool CCScheduler::isScheduled(SEL_SCHEDULE pfnSelector, CCObject* pTarget)
{
    TimerTarget* tt = findTimers(pTarget);
    if (!tt)
    {
        return false;
    }
    for (size_t i = 0; i < tt->timers.size(); ++i)
    {
        if (!tt->timers[i]->m_bCancelled && tt->timers[i]->getSelector() == pfnSelector)
        {
            return true;
        }
    }
    return false;
}

void CCScheduler::pauseTarget(CCObject* pTarget)
{
    TimerTarget* tt = findTimers(pTarget);
    if (tt)
    {
        tt->paused = true;
    }
    UpdateEntry* entry = findUpdate(pTarget);
    if (entry)
    {
        entry->paused = true;
    }
}

void CCScheduler::resumeTarget(CCObject* pTarget)
{
    TimerTarget* tt = findTimers(pTarget);
    if (tt)
    {
        tt->paused = false;
    }
    UpdateEntry* entry = findUpdate(pTarget);
    if (entry)
    {
        entry->paused = false;
    }
}

bool CCScheduler::isTargetPaused(CCObject* pTarget)
{
    TimerTarget* tt = findTimers(pTarget);
    if (tt)
    {
        return tt->paused;
    }
    UpdateEntry* entry = findUpdate(pTarget);
    return entry ? entry->paused : false;
}

void CCScheduler::update(float dt)
{
    if (m_bLocked)
    {
        CCLog("CCScheduler::update - called from inside an update, ignored");
        return;
    }
    m_bLocked = true;
    if (m_fTimeScale != 1.0f)
    {
        dt *= m_fTimeScale;
    }

    // Entries may be added (to the pending list) but never erased while locked, so indices hold.
    for (size_t i = 0; i < m_updates.size(); ++i)
    {
        if (!m_updates[i].paused && !m_updates[i].markedForDeletion)
        {
            m_updates[i].target->update(dt);
        }
    }

    for (size_t i = 0; i < m_timerTargets.size(); ++i)
    {
        TimerTarget* tt = m_timerTargets[i];
        if (tt->paused)
        {
            continue;
        }
        for (size_t j = 0; j < tt->timers.size() && !tt->paused; ++j)
        {
            CCTimer* timer = tt->timers[j];
            if (timer->m_bCancelled)
            {
                continue;
            }
            timer->retain();
            if (timer->advance(dt))
            {
                timer->m_bCancelled = true;
            }
            timer->release();
        }
    }

    m_bLocked = false;
    purge();
}

void CCScheduler::purge()
{
    // Release only after the containers are consistent: a release may delete a node whose
    // destructor reaches back into the scheduler.
    std::vector<CCObject*> toRelease;

    std::vector<UpdateEntry> kept;
    kept.reserve(m_updates.size());
    for (size_t i = 0; i < m_updates.size(); ++i)
    {
        if (m_updates[i].markedForDeletion)
        {
            toRelease.push_back(m_updates[i].target);
        }
        else
        {
            kept.push_back(m_updates[i]);
        }
    }
    m_updates.swap(kept);
    std::vector<UpdateEntry> pending;
    pending.swap(m_pendingUpdates);
    for (size_t i = 0; i < pending.size(); ++i)
    {
        if (pending[i].markedForDeletion)
        {
            toRelease.push_back(pending[i].target);
        }
        else
        {
            insertUpdate(pending[i]);
        }
    }

    std::vector<TimerTarget*> keptTargets;
    keptTargets.reserve(m_timerTargets.size());
    for (size_t i = 0; i < m_timerTargets.size(); ++i)
    {
        TimerTarget* tt = m_timerTargets[i];
        std::vector<CCTimer*> timers;
        for (size_t j = 0; j < tt->timers.size(); ++j)
        {
            if (tt->timers[j]->m_bCancelled)
            {
                toRelease.push_back(tt->timers[j]);
            }
            else
            {
                timers.push_back(tt->timers[j]);
            }
        }
        tt->timers.swap(timers);
        if (tt->timers.empty())
        {
            m_timerIndex.erase(tt->target);
            toRelease.push_back(tt->target);
            delete tt;
        }
        else
        {
            keptTargets.push_back(tt);
        }
    }
    m_timerTargets.swap(keptTargets);

    for (size_t i = 0; i < toRelease.size(); ++i)
    {
        toRelease[i]->release();
    }
}

NS_CC_END
