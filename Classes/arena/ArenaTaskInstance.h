#ifndef __ARENA_TASK_INSTANCE_H__
#define __ARENA_TASK_INSTANCE_H__

#include "CCObject.h"
#include "Signal.h"

#include <string>

NS_CC_BEGIN

class ArenaTask;
class VornActor;

/**
 * One of the three task slots of an arena match: the task it holds, the target that task was given
 * at the slot's difficulty, and the progress towards it. The arena manager and the task overlay
 * follow a slot through its signals.
 */
class ArenaTaskInstance : public CCObject
{
public:
    ArenaTaskInstance();
    virtual ~ArenaTaskInstance();

    /**
     * Gives the slot a task (or the same one again) for the player at that difficulty: progress 0,
     * a fresh target, not complete. The old task lets the slot go; the slot holds each task once.
     */
    void setTask(ArenaTask* task, VornActor* player, float difficulty);
    /** One more towards the target. */
    void incrementProgress();
    /**
     * Sets the progress (combo counts, seconds survived) and tells the followers; reaching the
     * target completes the slot once: completed, then finished.
     */
    void advanceTo(int progress);
    /** The held task's text for this slot (empty without a task). */
    std::string getDescription();

    virtual bool isComplete() { return m_bComplete; }
    virtual void setComplete(bool complete) { m_bComplete = complete; }
    virtual int getProgress() { return m_nProgress; }
    virtual void setProgress(int progress) { m_nProgress = progress; }
    virtual int getTarget() { return m_nTarget; }
    virtual void setTarget(int target) { m_nTarget = target; }
    virtual float getDifficulty() { return m_fDifficulty; }
    virtual void setDifficulty(float difficulty) { m_fDifficulty = difficulty; }
    virtual ArenaTask* getTask() { return m_pTask; }
    virtual VornActor* getPlayer() { return m_pPlayer; }
    /** Retains the new player and releases the old one. */
    virtual void setPlayer(VornActor* player);

    /** Every change of progress. */
    virtual Signal<ArenaTaskInstance*>& getProgressSignal() { return m_progressSignal; }
    virtual void setProgressSignal(const Signal<ArenaTaskInstance*>& s) { m_progressSignal = s; }
    /** The target was reached. */
    virtual Signal<ArenaTaskInstance*>& getCompletedSignal() { return m_completedSignal; }
    virtual void setCompletedSignal(const Signal<ArenaTaskInstance*>& s) { m_completedSignal = s; }
    /** Nothing emits it yet; overlays may follow it for pop-ups that are not completions. */
    virtual Signal<ArenaTaskInstance*>& getSpareSignal() { return m_spareSignal; }
    virtual void setSpareSignal(const Signal<ArenaTaskInstance*>& s) { m_spareSignal = s; }
    /** Right after completed: the slot may now take its next task. */
    virtual Signal<ArenaTaskInstance*>& getFinishedSignal() { return m_finishedSignal; }
    virtual void setFinishedSignal(const Signal<ArenaTaskInstance*>& s) { m_finishedSignal = s; }

protected:
    bool m_bComplete;
    int m_nProgress;
    int m_nTarget;
    float m_fDifficulty;
    ArenaTask* m_pTask;     ///< retained
    VornActor* m_pPlayer;   ///< retained
    Signal<ArenaTaskInstance*> m_progressSignal;
    Signal<ArenaTaskInstance*> m_completedSignal;
    Signal<ArenaTaskInstance*> m_spareSignal;
    Signal<ArenaTaskInstance*> m_finishedSignal;
};

NS_CC_END

#endif // __ARENA_TASK_INSTANCE_H__
