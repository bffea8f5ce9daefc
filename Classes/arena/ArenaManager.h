#ifndef __ARENA_MANAGER_H__
#define __ARENA_MANAGER_H__

#include "CCArray.h"
#include "CCObject.h"
#include "Signal.h"

NS_CC_BEGIN

class ArenaTask;
class ArenaTaskInstance;
class VornActor;
class VornGameManager;

/**
 * Runs an arena match: a clock counting down from a minute, three task slots drawn from a pool
 * of seven tasks, half a minute more and experience for every task done. The arena level's script
 * starts a match (initArena, then beginArena); time-up, the player's death, quitting to the title
 * or the script's exitArena end it.
 */
class ArenaManager : public CCObject
{
public:
    static const float kStartTime;
    static const float kExtraTime;
    static const int kNumTaskSlots = 3;

    ArenaManager();
    virtual ~ArenaManager();

    /** Builds the pool and the slots and follows the game's time, quitting and the player's death. */
    bool init();
    /** A fresh match, clock stopped: a minute on the clock and three tasks drawn. */
    void initArena();
    /** Starts the clock. */
    void beginArena();
    /** Ends the match (once): the tasks stop counting; the clock values stay for the results. */
    void exitArena();
    /** Slot 0 to 2, NULL outside. */
    ArenaTaskInstance* getTaskInstance(int index);
    /** Game time: the clock counts down while it runs. */
    void tick(float dt);
    /** Gives the slot a task no other slot holds that the player can do. */
    void drawTask(ArenaTaskInstance* slot);
    void onTaskCompleted(ArenaTaskInstance* slot);
    /** The slot's reward is paid and it takes its next task. */
    void onTaskInstanceFinished(ArenaTaskInstance* slot);
    void onPlayerDied(VornActor* player);

    /**
     * Keeps the score in the arena's local table (the one keyed by the leaderboard id) and sends it
     * to the online leaderboard of that id. Nothing without an id.
     */
    void submitScore(const char* leaderboardId, int score);

    /** Whose deeds count: the game's player from init on. Retained; its death ends the match. */
    virtual VornActor* getPlayer() { return m_pPlayer; }
    virtual void setPlayer(VornActor* player);

    virtual bool isActive() { return m_bActive; }
    virtual void setActive(bool active) { m_bActive = active; }
    virtual bool isRunning() { return m_bRunning; }
    virtual void setRunning(bool running) { m_bRunning = running; }
    virtual float getTaskDifficulty() { return m_fTaskDifficulty; }
    virtual void setTaskDifficulty(float difficulty) { m_fTaskDifficulty = difficulty; }
    virtual float getTimeLeft() { return m_fTimeLeft; }
    virtual void setTimeLeft(float seconds) { m_fTimeLeft = seconds; }
    virtual float getTimeElapsed() { return m_fTimeElapsed; }
    virtual void setTimeElapsed(float seconds) { m_fTimeElapsed = seconds; }
    virtual int getTasksCompleted() { return m_nTasksCompleted; }
    virtual void setTasksCompleted(int count) { m_nTasksCompleted = count; }
    virtual CCArray* getTasks() { return m_pTasks; }
    /** Retains the new pool and releases the old one. */
    virtual void setTasks(CCArray* tasks);
    virtual CCArray* getTaskInstances() { return m_pTaskInstances; }
    virtual void setTaskInstances(CCArray* instances);

    /** The time left, on every clock step and when a running match restarts. */
    virtual Signal<float>& getTimeChangedSignal() { return m_timeChangedSignal; }
    virtual void setTimeChangedSignal(const Signal<float>& s) { m_timeChangedSignal = s; }
    /** A task was completed and added time. */
    virtual Signal<>& getExtraTimeSignal() { return m_extraTimeSignal; }
    virtual void setExtraTimeSignal(const Signal<>& s) { m_extraTimeSignal = s; }
    virtual Signal<>& getTimeUpSignal() { return m_timeUpSignal; }
    virtual void setTimeUpSignal(const Signal<>& s) { m_timeUpSignal = s; }
    virtual Signal<>& getArenaInitialisedSignal() { return m_arenaInitialisedSignal; }
    virtual void setArenaInitialisedSignal(const Signal<>& s) { m_arenaInitialisedSignal = s; }
    virtual Signal<>& getArenaEndedSignal() { return m_arenaEndedSignal; }
    virtual void setArenaEndedSignal(const Signal<>& s) { m_arenaEndedSignal = s; }
    virtual Signal<>& getArenaBeganSignal() { return m_arenaBeganSignal; }
    virtual void setArenaBeganSignal(const Signal<>& s) { m_arenaBeganSignal = s; }

protected:
    void releaseSlots();
    bool isHeldByOtherSlot(ArenaTask* task, ArenaTaskInstance* slot);
    bool canDraw(ArenaTask* task, ArenaTaskInstance* slot);

    bool m_bActive;
    bool m_bRunning;
    float m_fTaskDifficulty;
    float m_fTimeLeft;
    float m_fTimeElapsed;
    int m_nTasksCompleted;
    CCArray* m_pTasks;          ///< retained; ArenaTask
    CCArray* m_pTaskInstances;  ///< retained; ArenaTaskInstance
    VornActor* m_pPlayer;       ///< retained
    VornGameManager* m_pGame;   ///< whose signals we follow; not retained (it owns us)
    Signal<float> m_timeChangedSignal;
    Signal<> m_extraTimeSignal;
    Signal<> m_timeUpSignal;
    Signal<> m_arenaInitialisedSignal;
    Signal<> m_arenaEndedSignal;
    Signal<> m_arenaBeganSignal;
};

NS_CC_END

#endif // __ARENA_MANAGER_H__
