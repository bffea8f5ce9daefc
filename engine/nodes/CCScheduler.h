#ifndef __CC_SCHEDULER_H__
#define __CC_SCHEDULER_H__

#include "base/CCObject.h"

#include <climits>
#include <unordered_map>
#include <vector>

NS_CC_BEGIN

/** Repeat count meaning "until unscheduled". */
#define kCCRepeatForever (UINT_MAX - 1)

enum
{
    /** The action manager's update runs before every other. */
    kCCPrioritySystem = INT_MIN,
    kCCPriorityNonSystemMin = kCCPrioritySystem + 1,
};

/** One scheduled selector of one target. The first tick after scheduling only starts the clock. */
class CCTimer : public CCObject
{
public:
    CCTimer();

    static CCTimer* timerWithTarget(CCObject* pTarget, SEL_SCHEDULE pfnSelector);
    static CCTimer* timerWithTarget(CCObject* pTarget, SEL_SCHEDULE pfnSelector, float fSeconds);
    bool initWithTarget(CCObject* pTarget, SEL_SCHEDULE pfnSelector);
    bool initWithTarget(CCObject* pTarget, SEL_SCHEDULE pfnSelector, float fSeconds, unsigned int nRepeat, float fDelay);

    float getInterval() const { return m_fInterval; }
    void setInterval(float fInterval) { m_fInterval = fInterval; }
    SEL_SCHEDULE getSelector() const { return m_pfnSelector; }
    CCObject* getTarget() const { return m_pTarget; }

    /** Advances the clock; fires the selector when due. Returns true when the timer has finished. */
    bool advance(float dt);
    void update(float dt) { advance(dt); }

private:
    CCObject* m_pTarget;   ///< weak: the scheduler holds the target
    float m_fElapsed;
    bool m_bRunForever;
    bool m_bUseDelay;
    unsigned int m_uTimesExecuted;
    unsigned int m_uRepeat;
    float m_fDelay;
    float m_fInterval;
    SEL_SCHEDULE m_pfnSelector;

public:
    bool m_bCancelled;     ///< unscheduled while the scheduler was running it
};

/**
 * Runs, once per frame, every target's update (by priority, then by order of scheduling) and
 * every scheduled selector. Targets are retained while scheduled. Scheduling and unscheduling are
 * safe from inside any callback: removals take effect at once (nothing more runs) and storage is
 * tidied after the frame.
 */
class CCScheduler : public CCObject
{
public:
    CCScheduler();
    virtual ~CCScheduler();

    float getTimeScale() const { return m_fTimeScale; }
    void setTimeScale(float fTimeScale) { m_fTimeScale = fTimeScale; }

    virtual void update(float dt);

    /** Interval 0 means every frame. Scheduling a scheduled selector again changes its interval. */
    void scheduleSelector(SEL_SCHEDULE pfnSelector, CCObject* pTarget, float fInterval, unsigned int repeat,
                          float delay, bool bPaused);
    void scheduleSelector(SEL_SCHEDULE pfnSelector, CCObject* pTarget, float fInterval, bool bPaused);
    /** The target's update(dt) every frame; lower priorities run first. */
    void scheduleUpdateForTarget(CCObject* pTarget, int nPriority, bool bPaused);

    void unscheduleSelector(SEL_SCHEDULE pfnSelector, CCObject* pTarget);
    void unscheduleUpdateForTarget(const CCObject* pTarget);
    void unscheduleAllForTarget(CCObject* pTarget);
    /** Everything except the engine's own (system priority) updates. */
    void unscheduleAll(void);
    void unscheduleAllWithMinPriority(int nMinPriority);

    bool isScheduled(SEL_SCHEDULE pfnSelector, CCObject* pTarget);

    /** Pauses both the selectors and the update of a target; a target not scheduled is unaffected. */
    void pauseTarget(CCObject* pTarget);
    void resumeTarget(CCObject* pTarget);
    bool isTargetPaused(CCObject* pTarget);

private:
    struct UpdateEntry
    {
        CCObject* target;   ///< retained
        int priority;
        bool paused;
        bool markedForDeletion;
    };
    struct TimerTarget
    {
        CCObject* target;   ///< retained
        std::vector<CCTimer*> timers;   ///< retained
        bool paused;
        bool markedForDeletion;
    };

    UpdateEntry* findUpdate(const CCObject* pTarget);
    TimerTarget* findTimers(const CCObject* pTarget);
    void insertUpdate(const UpdateEntry& entry);
    void purge();

    float m_fTimeScale;
    bool m_bLocked;   ///< inside update: removals are only marked
    std::vector<UpdateEntry> m_updates;          ///< sorted by priority, stable
    std::vector<UpdateEntry> m_pendingUpdates;   ///< scheduled during update, merged after it
    std::vector<TimerTarget*> m_timerTargets;    ///< in order of first scheduling
    std::unordered_map<const CCObject*, TimerTarget*> m_timerIndex;
};

NS_CC_END

#endif // __CC_SCHEDULER_H__
