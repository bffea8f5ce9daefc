#include "ArenaTimerScreen.h"

#include "ArenaManager.h"
#include "ArenaTasksScreen.h"
#include "CCLabelBMFont.h"
#include "VornGameManager.h"

#include <cmath>
#include <cstdio>

NS_CC_BEGIN

ArenaTimerScreen::ArenaTimerScreen() : m_pTimerLabel(NULL), m_pArena(NULL), m_pTasks(NULL)
{
}

ArenaTimerScreen::~ArenaTimerScreen()
{
    if (m_pArena)
    {
        m_pArena->getTimeChangedSignal().disconnect(this, &ArenaTimerScreen::onTimeChanged);
        m_pArena->getTimeUpSignal().disconnect(this, &ArenaTimerScreen::onTimeUp);
        m_pArena->release();
    }
    if (m_pTasks)
    {
        m_pTasks->getPopupsFinishedSignal().disconnect(this, &ArenaTimerScreen::onTaskPopupsFinished);
        m_pTasks->release();
    }
}

bool ArenaTimerScreen::initWithTasksScreen(ArenaTasksScreen* tasks)
{
    registerMemberVariable("timerLabel", &m_pTimerLabel);
    if (!initWithCCBFile("arena-timer"))
    {
        return false;
    }
    setVisible(false);
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    if (m_pArena == NULL && game && game->getArenaManager())
    {
        // Held: a script may take the game's arena manager away while the clock follows it.
        m_pArena = game->getArenaManager();
        m_pArena->retain();
        m_pArena->getTimeChangedSignal().connect(this, &ArenaTimerScreen::onTimeChanged);
        m_pArena->getTimeUpSignal().connect(this, &ArenaTimerScreen::onTimeUp);
    }
    if (tasks && m_pTasks == NULL)
    {
        // Held so that leaving its signal is always safe, whichever overlay goes first.
        tasks->retain();
        m_pTasks = tasks;
        m_pTasks->getPopupsFinishedSignal().connect(this, &ArenaTimerScreen::onTaskPopupsFinished);
    }
    return true;
}

std::string ArenaTimerScreen::formatTime(float seconds)
{
    int whole = (int)floorf(seconds > 0.0f ? seconds : 0.0f);
    char text[32];
    snprintf(text, sizeof(text), "%d:%02d", whole / 60, whole % 60);
    return text;
}

void ArenaTimerScreen::onTimeChanged(float timeLeft)
{
    if (m_pTimerLabel)
    {
        m_pTimerLabel->setString(formatTime(timeLeft).c_str());
    }
}

void ArenaTimerScreen::onTimeUp()
{
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    if (game)
    {
        game->setTempPaused(true);
    }
    if (!runTimeline("time-up", callfunc_selector(ArenaTimerScreen::onTimeUpFinished), false))
    {
        // Nothing to watch: the results must still come.
        onTimeUpFinished();
    }
}

void ArenaTimerScreen::onTimeUpFinished()
{
    m_timeUpFinishedSignal.emit();
}

void ArenaTimerScreen::onTaskPopupsFinished()
{
    runTimeline("extra-time", NULL, false);
}

NS_CC_END
