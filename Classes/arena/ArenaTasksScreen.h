#ifndef __ARENA_TASKS_SCREEN_H__
#define __ARENA_TASKS_SCREEN_H__

#include "Signal.h"
#include "TaskPopupItem.h"
#include "VornScreen.h"

#include <list>

NS_CC_BEGIN

class ArenaManager;
class ArenaTaskDisplay;
class ArenaTaskInstance;

/**
 * The arena's three tasks with a progress bar each ("arena-hud"). Every completed task gets a
 * celebration: the game stands still (temporary pause) while an intro, one timeline per completed
 * slot showing the finished task, and an outro play; then the popups-finished signal goes out.
 */
class ArenaTasksScreen : public VornScreen
{
public:
    static const int kNumSlots = 3;

    ArenaTasksScreen();
    virtual ~ArenaTasksScreen();

    /** Loads the layout and follows the arena manager's slots and the game's frames; false without the layout. */
    virtual bool init();
    /** Shows the current tasks, out of any celebration. */
    virtual void open();

    /** Slot i's text and bar from the arena manager. */
    void refreshTaskDisplay(int index);
    void refreshTaskDisplays();

    void onTaskProgress(ArenaTaskInstance* slot);
    void onTaskCompleted(ArenaTaskInstance* slot);
    void onTaskSpareSignal(ArenaTaskInstance* slot);
    /** The match is over: no celebration is left to play and the overlay goes at once. */
    void onArenaEnded();
    /** Every frame, also while paused: plays the queued celebrations one by one. */
    void updatePopups(float dt);
    void onPopupIntroFinished();
    void onPopupOutroFinished();

    virtual bool isPopupPhase() { return m_bPopupPhase; }
    virtual void setPopupPhase(bool phase) { m_bPopupPhase = phase; }
    /** The last celebration has played and the game runs again. */
    virtual Signal<>& getPopupsFinishedSignal() { return m_popupsFinishedSignal; }
    virtual void setPopupsFinishedSignal(const Signal<>& s) { m_popupsFinishedSignal = s; }

    /** Queued celebrations (for the curious; the screen owns them). */
    unsigned int getQueuedPopupCount() { return (unsigned int)m_popupQueue.size(); }
    /** The arena manager whose slots it follows (held while it does), NULL when none. */
    ArenaManager* getArenaManager();

protected:
    int indexOf(ArenaTaskInstance* slot);
    void queuePopup(ArenaTaskInstance* slot, bool fromCompleted);
    void clearQueue();

    ArenaTaskDisplay* m_taskDisplays[kNumSlots];  ///< retained
    ArenaTaskDisplay* m_pPopupDisplay;            ///< retained
    ArenaTaskDisplay* m_pOldTaskDisplay;          ///< retained
    std::list<TaskPopupItem*> m_popupQueue;       ///< owned
    bool m_bPopupPhase;
    Signal<> m_popupsFinishedSignal;
    ArenaManager* m_pArena;  ///< whose slots we follow; retained (a script may take the game's away)
    bool m_bFollowing;
};

NS_CC_END

#endif // __ARENA_TASKS_SCREEN_H__
