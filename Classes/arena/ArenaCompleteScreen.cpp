#include "ArenaCompleteScreen.h"

#include "ArenaManager.h"
#include "ArenaModeHelper.h"
#include "ArenaTimerScreen.h"
#include "CCLabelBMFont.h"
#include "CCMenuItem.h"
#include "CCSprite.h"
#include "HUD.h"
#include "HighScoreItem.h"
#include "HighScoreManager.h"
#include "HighScoreTable.h"
#include "OnlineManager.h"
#include "RPGWidget.h"
#include "SetupManager.h"
#include "TextHelpers.h"
#include "VornAchievementsManager.h"
#include "VornActorDesc.h"
#include "VornGameManager.h"
#include "VornPlayer.h"

#include <cstdio>

NS_CC_BEGIN

ArenaCompleteScreen::ArenaCompleteScreen()
    : m_pCharacterSprite(NULL), m_pRPGWidget(NULL), m_pTimeLabel(NULL), m_pTasksCompleteLabel(NULL),
      m_pEnemiesKilledLabel(NULL), m_pAccuracyLabel(NULL), m_pScoreLabel(NULL), m_pHighscoreLabel(NULL),
      m_pScoresMenuItemLabel(NULL), m_pScoresMenuItemLabelGooglePlay(NULL), m_pScoresMenuItem(NULL), m_pDesc(NULL),
      m_pTimerScreen(NULL)
{
}

ArenaCompleteScreen::~ArenaCompleteScreen()
{
    // Held, so it is still there to leave whatever went first.
    if (m_pTimerScreen)
    {
        m_pTimerScreen->getTimeUpFinishedSignal().disconnect(this, &ArenaCompleteScreen::show);
        m_pTimerScreen->release();
    }
    CC_SAFE_RELEASE(m_pRPGWidget);
}

bool ArenaCompleteScreen::init()
{
    m_pRPGWidget = RPGWidget::create(this);
    m_pRPGWidget->retain();
    registerMemberVariable("characterSprite", &m_pCharacterSprite);
    registerMemberVariable("timeLabel", &m_pTimeLabel);
    registerMemberVariable("tasksCompleteLabel", &m_pTasksCompleteLabel);
    registerMemberVariable("enemiesKilledLabel", &m_pEnemiesKilledLabel);
    registerMemberVariable("accuracyLabel", &m_pAccuracyLabel);
    registerMemberVariable("scoreLabel", &m_pScoreLabel);
    registerMemberVariable("highscoreLabel", &m_pHighscoreLabel);
    registerMemberVariable("scoresMenuItemLabel", &m_pScoresMenuItemLabel);
    registerMemberVariable("scoresMenuItemLabel_GooglePlay", &m_pScoresMenuItemLabelGooglePlay);
    registerMemberVariable("scoresMenuItem", &m_pScoresMenuItem);
    registerMenuItemSelector("onRestart", vornscreen_selector(ArenaCompleteScreen::onRestart));
    registerMenuItemSelector("onQuit", vornscreen_selector(ArenaCompleteScreen::onQuit));
    registerMenuItemSelector("onOnline", vornscreen_selector(ArenaCompleteScreen::onOnline));
    if (!initWithCCBFile("arena-complete"))
    {
        return false;
    }
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    HUD* hud = game ? game->getHUD() : NULL;
    m_pTimerScreen = hud ? hud->getArenaTimerScreen() : NULL;
    if (m_pTimerScreen)
    {
        m_pTimerScreen->retain();
        m_pTimerScreen->getTimeUpFinishedSignal().connect(this, &ArenaCompleteScreen::show);
    }
    setSlideDuration(0.25f);
    setVisible(false);
    return true;
}

void ArenaCompleteScreen::cleanup()
{
    // The widget holds this screen as its callback target.
    if (m_pRPGWidget)
    {
        m_pRPGWidget->setCallbackTarget(NULL);
    }
    VornScreen::cleanup();
}

std::string ArenaCompleteScreen::formatAccuracy(int attempted, int hits)
{
    float accuracy = attempted > 0 ? (float)hits / (float)attempted : 0.0f;
    char text[16];
    snprintf(text, sizeof(text), "%.0f%%", accuracy * 100.0f);
    return text;
}

const char* ArenaCompleteScreen::currentLeaderboardID()
{
    ArenaModeHelper* arenas = ArenaModeHelper::sharedArenaModeHelper();
    if (!arenas || arenas->getCurrentArenaIndex() < 0)
    {
        return NULL;
    }
    return arenas->getCurrentArenaLeaderboardID();
}

void ArenaCompleteScreen::setLabel(CCLabelBMFont* label, const std::string& text)
{
    if (label)
    {
        label->setString(text.c_str());
    }
}

void ArenaCompleteScreen::show()
{
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    showResults(game ? game->getPlayer() : NULL);
}

void ArenaCompleteScreen::showResults(VornPlayer* player)
{
    // The time-up and the player's fall may both end a match: its score counts once.
    if (isVisible() || !player)
    {
        return;
    }
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    ArenaManager* arena = game ? game->getArenaManager() : NULL;
    float elapsed = arena ? arena->getTimeElapsed() : 0.0f;

    m_pDesc = player->getDesc();
    if (m_pDesc)
    {
        m_pRPGWidget->setRPGStats(m_pDesc);
        CCSpriteFrame* frame = m_pCharacterSprite ? m_pDesc->getDefaultSpriteFrame() : NULL;
        if (frame)
        {
            m_pCharacterSprite->setDisplayFrame(frame);
        }
    }
    char text[32];
    setLabel(m_pTimeLabel, ArenaTimerScreen::formatTime(elapsed));
    snprintf(text, sizeof(text), "%d", arena ? arena->getTasksCompleted() : 0);
    setLabel(m_pTasksCompleteLabel, text);
    snprintf(text, sizeof(text), "%d", player->getKOs());
    setLabel(m_pEnemiesKilledLabel, text);
    setLabel(m_pAccuracyLabel, formatAccuracy(player->getAttacksAttempted(), player->getAttacksHitSomething()));

    submitScore(player);
    setLabel(m_pScoreLabel, formatNumberWithCommas(player->getScore()));
    const char* id = currentLeaderboardID();
    HighScoreManager* scores = game ? game->getHighScoreManager() : NULL;
    HighScoreTable* table = scores && id ? scores->getTable(id) : NULL;
    CCArray* items = table ? table->getItems() : NULL;
    if (items && items->count() > 0)
    {
        setLabel(m_pHighscoreLabel, formatNumberWithCommas(static_cast<HighScoreItem*>(items->objectAtIndex(0))->getScore()));
    }
    showOnlineEntry();

    if (game && game->getAchievementsManager())
    {
        game->getAchievementsManager()->onArenaEnded(elapsed);
    }
    open();
}

void ArenaCompleteScreen::showOnlineEntry()
{
    GameManager* game = GameManager::getInstance();
    SetupManager* setup = game ? game->getSetupManager() : NULL;
    OnlineManager* online = game ? game->getOnlineManager() : NULL;
    bool googlePlay = setup && setup->isOnlineHandlerEnabled("GooglePlayServices");
    // Offered only where a service can show its board: a button that opens nothing is no button.
    bool available = online && online->isConnected() && online->canShowLeaderboards();
    if (m_pScoresMenuItemLabelGooglePlay)
    {
        m_pScoresMenuItemLabelGooglePlay->setVisible(googlePlay && available);
    }
    if (m_pScoresMenuItemLabel)
    {
        m_pScoresMenuItemLabel->setVisible(!googlePlay && available);
    }
    if (m_pScoresMenuItem)
    {
        m_pScoresMenuItem->setVisible(available);
        m_pScoresMenuItem->setEnabled(available);
    }
}

void ArenaCompleteScreen::submitScore(VornPlayer* player)
{
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    ArenaManager* arena = game ? game->getArenaManager() : NULL;
    if (arena && player)
    {
        arena->submitScore(currentLeaderboardID(), player->getScore());
    }
}

void ArenaCompleteScreen::onOpened()
{
    // The menu is still scaled away while the bar fills: it takes the focus when it comes in.
    finishOpening();
    GameManager* game = GameManager::getInstance();
    if (game)
    {
        game->setTempPaused(true);
        if (game->getGameLayer())
        {
            game->getGameLayer()->setVisible(false);
        }
    }
    m_pRPGWidget->playExperienceOf(m_pDesc, this, callfunc_selector(ArenaCompleteScreen::showMenu));
}

void ArenaCompleteScreen::showMenu()
{
    // The player may have left before the bar finished.
    if (!isVisible() || m_bClosing)
    {
        return;
    }
    if (!runTimeline("showMenu", callfunc_selector(ArenaCompleteScreen::onMenuShown), false))
    {
        onMenuShown();
    }
}

void ArenaCompleteScreen::onMenuShown()
{
    focusDefaultMenu();
}

void ArenaCompleteScreen::leaveBy(const char* timeline, SEL_CallFunc ended)
{
    if (!isVisible() || m_bClosing || isTimelineRunning())
    {
        return;
    }
    m_bClosing = true;
    setTouchEnabled(false);
    if (!startOrFinish(timeline, ended, false))
    {
        (this->*ended)();
    }
}

void ArenaCompleteScreen::onRestart()
{
    if (leavesAfterExperience(callfunc_selector(ArenaCompleteScreen::onRestart)))
    {
        return;
    }
    leaveBy("onRestart", callfunc_selector(ArenaCompleteScreen::onRestartTimelineEnded));
}

void ArenaCompleteScreen::onQuit()
{
    if (leavesAfterExperience(callfunc_selector(ArenaCompleteScreen::onQuit)))
    {
        return;
    }
    leaveBy("onQuit", callfunc_selector(ArenaCompleteScreen::onQuitTimelineEnded));
}

void ArenaCompleteScreen::onOnline()
{
    GameManager* game = GameManager::getInstance();
    OnlineManager* online = game ? game->getOnlineManager() : NULL;
    const char* id = currentLeaderboardID();
    if (online && id)
    {
        online->showLeaderboard(id);
    }
}

void ArenaCompleteScreen::onRestartTimelineEnded()
{
    // Hidden first: the restart may end the next match at once and must find the screen free.
    hide();
    m_restartSignal.emit();
}

void ArenaCompleteScreen::onQuitTimelineEnded()
{
    hide();
    m_quitSignal.emit();
}

bool ArenaCompleteScreen::leavesAfterExperience(SEL_CallFunc leave)
{
    // Left before the bar has filled: the levels it makes are offered first, then the screen goes.
    return isVisible() && !m_bClosing && m_pRPGWidget->finishThen(leave);
}

void ArenaCompleteScreen::onClosed()
{
    // Whatever closes the screen stops its bar: no level-up screen opens over what follows.
    m_pRPGWidget->stop();
    VornScreen::onClosed();
}

NS_CC_END
