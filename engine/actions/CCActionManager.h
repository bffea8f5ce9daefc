#ifndef __CC_ACTION_MANAGER_H__
#define __CC_ACTION_MANAGER_H__

#include "actions/CCAction.h"

#include <unordered_map>
#include <vector>

NS_CC_BEGIN

class CCNode;

/**
 * Steps every running action once per frame (scheduled by the director before all other updates).
 * Targets and actions are retained while they run. Completion callbacks run inside the frame and
 * may add or remove actions of any node: removed actions stop at once and are released after the
 * frame's pass.
 */
class CCActionManager : public CCObject
{
public:
    CCActionManager();
    virtual ~CCActionManager();

    /** Starts the action on the target; a target not yet running waits (paused) for onEnter. */
    void addAction(CCAction* pAction, CCNode* pTarget, bool paused);
    void removeAllActions(void);
    void removeAllActionsFromTarget(CCObject* pTarget);
    void removeAction(CCAction* pAction);
    void removeActionByTag(unsigned int tag, CCObject* pTarget);
    CCAction* getActionByTag(unsigned int tag, CCObject* pTarget);
    unsigned int numberOfRunningActionsInTarget(CCObject* pTarget);
    void pauseTarget(CCObject* pTarget);
    void resumeTarget(CCObject* pTarget);
    bool isTargetPaused(CCObject* pTarget);

    virtual void update(float dt);

private:
    struct TargetActions
    {
        CCObject* target;                 ///< retained
        std::vector<CCAction*> actions;   ///< retained; NULL marks a removed slot
        bool paused;
    };

    TargetActions* find(CCObject* pTarget);
    void removeSlot(TargetActions* ta, size_t index);
    void purge();

    std::vector<TargetActions*> m_targets;
    std::unordered_map<CCObject*, TargetActions*> m_index;
    std::vector<CCObject*> m_pendingRelease;   ///< removed while locked
    bool m_bLocked;
};

NS_CC_END

#endif // __CC_ACTION_MANAGER_H__
