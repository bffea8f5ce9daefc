#ifndef __ARENA_TIMER_SCREEN_H__
#define __ARENA_TIMER_SCREEN_H__

#include "Signal.h"
#include "VornScreen.h"

#include <string>

NS_CC_BEGIN

class ArenaManager;
class ArenaTasksScreen;
class CCLabelBMFont;

/**
 * The arena clock as minutes and seconds ("arena-timer"). It plays "extra-time" after the task
 * celebrations and "time-up" when the clock runs out, the game standing still meanwhile.
 */
class ArenaTimerScreen : public VornScreen
{
public:
    ArenaTimerScreen();
    virtual ~ArenaTimerScreen();

    /** Loads the layout and follows the clock and the task overlay's celebrations (none when NULL). */
    bool initWithTasksScreen(ArenaTasksScreen* tasks);

    /** "m:ss" of the whole seconds left; a clock below zero shows 0:00. */
    static std::string formatTime(float seconds);

    void onTimeChanged(float timeLeft);
    void onTimeUp();
    void onTaskPopupsFinished();
    void onTimeUpFinished();

    virtual CCLabelBMFont* getTimerLabel() { return m_pTimerLabel; }
    /** The time-up timeline has played: the results may show. */
    virtual Signal<>& getTimeUpFinishedSignal() { return m_timeUpFinishedSignal; }
    virtual void setTimeUpFinishedSignal(const Signal<>& s) { m_timeUpFinishedSignal = s; }

protected:
    CCLabelBMFont* m_pTimerLabel;  ///< the layout's; held by the screen
    Signal<> m_timeUpFinishedSignal;
    ArenaManager* m_pArena;        ///< retained (a script may take the game's away)
    ArenaTasksScreen* m_pTasks;    ///< not retained (a sibling in the HUD)
};

NS_CC_END

#endif // __ARENA_TIMER_SCREEN_H__
