#include "actions/CCActionManager.h"

#include "nodes/CCNode.h"

NS_CC_BEGIN

CCActionManager::CCActionManager()
: m_bLocked(false)
{
}

CCActionManager::~CCActionManager()
{
    removeAllActions();
    purge();
}

CCActionManager::TargetActions* CCActionManager::find(CCObject* pTarget)
{
    std::unordered_map<CCObject*, TargetActions*>::iterator it = m_index.find(pTarget);
    return it == m_index.end() ? NULL : it->second;
}

void CCActionManager::addAction(CCAction* pAction, CCNode* pTarget, bool paused)
{
    if (!pAction || !pTarget)
    {
        CCLog("CCActionManager::addAction - NULL action or target");
        return;
    }
    TargetActions* ta = find(pTarget);
    if (!ta)
    {
        ta = new TargetActions();
        ta->target = pTarget;
        pTarget->retain();
        ta->paused = paused;
        m_targets.push_back(ta);
        m_index[pTarget] = ta;
    }
    for (size_t i = 0; i < ta->actions.size(); ++i)
    {
        if (ta->actions[i] == pAction)
        {
            CCLog("CCActionManager::addAction - action already running on this node");
            return;
        }
    }
    pAction->retain();
    ta->actions.push_back(pAction);
    pAction->startWithTarget(pTarget);
}

void CCActionManager::removeSlot(TargetActions* ta, size_t index)
{
    CCAction* action = ta->actions[index];
    if (!action)
    {
        return;
    }
    ta->actions[index] = NULL;
    // The action may be the one running right now (a callback stopping its own node).
    m_pendingRelease.push_back(action);
    if (!m_bLocked)
    {
        purge();
    }
}

void CCActionManager::removeAllActions()
{
    for (size_t i = 0; i < m_targets.size(); ++i)
    {
        removeAllActionsFromTarget(m_targets[i]->target);
    }
}

void CCActionManager::removeAllActionsFromTarget(CCObject* pTarget)
{
    TargetActions* ta = find(pTarget);
    if (!ta)
    {
        return;
    }
    bool wasLocked = m_bLocked;
    m_bLocked = true;   // purge once, after every slot is cleared
    for (size_t i = 0; i < ta->actions.size(); ++i)
    {
        // As with removeAction, a removed action is not told to stop: it just never runs again.
        removeSlot(ta, i);
    }
    m_bLocked = wasLocked;
    if (!m_bLocked)
    {
        purge();
    }
}

void CCActionManager::removeAction(CCAction* pAction)
{
    if (!pAction)
    {
        return;
    }
    TargetActions* ta = find(pAction->getOriginalTarget());
    if (!ta)
    {
        return;
    }
    for (size_t i = 0; i < ta->actions.size(); ++i)
    {
        if (ta->actions[i] == pAction)
        {
            removeSlot(ta, i);
            return;
        }
    }
}

void CCActionManager::removeActionByTag(unsigned int tag, CCObject* pTarget)
{
    TargetActions* ta = find(pTarget);
    if (!ta)
    {
        return;
    }
    for (size_t i = 0; i < ta->actions.size(); ++i)
    {
        if (ta->actions[i] && (unsigned int)ta->actions[i]->getTag() == tag)
        {
            removeSlot(ta, i);
            return;
        }
    }
}

CCAction* CCActionManager::getActionByTag(unsigned int tag, CCObject* pTarget)
{
    TargetActions* ta = find(pTarget);
    if (!ta)
    {
        return NULL;
    }
    for (size_t i = 0; i < ta->actions.size(); ++i)
    {
        if (ta->actions[i] && (unsigned int)ta->actions[i]->getTag() == tag)
        {
            return ta->actions[i];
        }
    }
    return NULL;
}

unsigned int CCActionManager::numberOfRunningActionsInTarget(CCObject* pTarget)
{
    TargetActions* ta = find(pTarget);
    unsigned int count = 0;
    if (ta)
    {
        for (size_t i = 0; i < ta->actions.size(); ++i)
        {
            if (ta->actions[i])
            {
                ++count;
            }
        }
    }
    return count;
}

void CCActionManager::pauseTarget(CCObject* pTarget)
{
    TargetActions* ta = find(pTarget);
    if (ta)
    {
        ta->paused = true;
    }
}

void CCActionManager::resumeTarget(CCObject* pTarget)
{
    TargetActions* ta = find(pTarget);
    if (ta)
    {
        ta->paused = false;
    }
}

bool CCActionManager::isTargetPaused(CCObject* pTarget)
{
    TargetActions* ta = find(pTarget);
    return ta ? ta->paused : false;
}

void CCActionManager::update(float dt)
{
    m_bLocked = true;
    // Targets and actions added during the pass are appended, so indices stay valid.
    for (size_t t = 0; t < m_targets.size(); ++t)
    {
        TargetActions* ta = m_targets[t];
        for (size_t i = 0; i < ta->actions.size() && !ta->paused; ++i)
        {
            CCAction* action = ta->actions[i];
            if (!action)
            {
                continue;
            }
            action->step(dt);
            // The step may have removed it (slot cleared) or finished it.
            if (ta->actions[i] == action && action->isDone())
            {
                action->stop();
                if (ta->actions[i] == action)
                {
                    removeSlot(ta, i);
                }
            }
        }
    }
    m_bLocked = false;
    purge();
}

void CCActionManager::purge()
{
    std::vector<CCObject*> toRelease;
    toRelease.swap(m_pendingRelease);
    std::vector<TargetActions*> kept;
    kept.reserve(m_targets.size());
    for (size_t t = 0; t < m_targets.size(); ++t)
    {
        TargetActions* ta = m_targets[t];
        std::vector<CCAction*> actions;
        for (size_t i = 0; i < ta->actions.size(); ++i)
        {
            if (ta->actions[i])
            {
                actions.push_back(ta->actions[i]);
            }
        }
        ta->actions.swap(actions);
        if (ta->actions.empty())
        {
            m_index.erase(ta->target);
            toRelease.push_back(ta->target);
            delete ta;
        }
        else
        {
            kept.push_back(ta);
        }
    }
    m_targets.swap(kept);
    for (size_t i = 0; i < toRelease.size(); ++i)
    {
        toRelease[i]->release();
    }
}

NS_CC_END
