#include "GameOverScreen.h"

#include "AchievementsManager.h"
#include "CCLabelBMFont.h"
#include "CCSprite.h"
#include "HighScoreItem.h"
#include "HighScoreManager.h"
#include "HighScoreTable.h"
#include "MusicManager.h"
#include "RPGWidget.h"
#include "TextHelpers.h"
#include "VornActorDesc.h"
#include "VornGameManager.h"
#include "VornPlayer.h"
#include "VornHighScoreManager.h"

NS_CC_BEGIN

GameOverScreen::GameOverScreen() : m_pJoinedGame(NULL)
{
}

GameOverScreen::~GameOverScreen()
{
    // Only a game manager that is still the live one has signals left to leave.
    VornGameManager* game = m_pJoinedGame && m_pJoinedGame == GameManager::getInstance()
                                ? dynamic_cast<VornGameManager*>(m_pJoinedGame)
                                : NULL;
    if (game)
    {
        VornHighScoreManager* scores = game->getVornHighScoreManager();
        if (scores)
        {
            scores->getNewHighScoreSignal().disconnect(this, &GameOverScreen::onNewHighScore);
        }
        game->getQuitToTitleSignal().disconnect(this, &GameOverScreen::close);
        game->getContinueSignal().disconnect(this, &GameOverScreen::close);
    }
}

bool GameOverScreen::init()
{
    registerMenuItemSelector("onRestart", vornscreen_selector(GameOverScreen::onRestart));
    registerMenuItemSelector("onQuit", vornscreen_selector(GameOverScreen::onQuit));
    if (!initResultScreen("game-over-screen-new"))
    {
        return false;
    }
    if (!m_pScoreLabel || !m_pHighScoreLabel)
    {
        CCLog("GameOverScreen::init - the layout needs 'scoreLabel' and 'highScoreLabel'");
        return false;
    }

    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    if (game)
    {
        m_pJoinedGame = game;
        VornHighScoreManager* scores = game->getVornHighScoreManager();
        if (scores)
        {
            scores->getNewHighScoreSignal().connect(this, &GameOverScreen::onNewHighScore);
        }
        game->getQuitToTitleSignal().connect(this, &GameOverScreen::close);
        game->getContinueSignal().connect(this, &GameOverScreen::close);
    }
    return true;
}

int GameOverScreen::getLevelHighScore()
{
    GameManager* game = GameManager::getInstance();
    VornGameManager* vorn = dynamic_cast<VornGameManager*>(game);
    HighScoreManager* scores = game ? game->getHighScoreManager() : NULL;
    if (!vorn || !scores)
    {
        return 0;
    }
    HighScoreTable* table = scores->getTable(vorn->getLevelScript().c_str());
    CCArray* items = table ? table->getItems() : NULL;
    if (!items || items->count() == 0)
    {
        return 0;
    }
    return static_cast<HighScoreItem*>(items->objectAtIndex(0))->getScore();
}

VornActorDesc* GameOverScreen::getPlayerDesc()
{
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    VornPlayer* player = game ? game->getPlayer() : NULL;
    return player ? player->getDesc() : NULL;
}

void GameOverScreen::setScore(CCObject* source, int score)
{
    CC_UNUSED_PARAM(source);
    if (isVisible() && score <= 0)
    {
        return;
    }
    if (m_pScoreLabel)
    {
        m_pScoreLabel->setString(formatNumberWithCommas(score).c_str());
    }
}

void GameOverScreen::setHighScore(int score)
{
    if (m_pHighScoreLabel)
    {
        m_pHighScoreLabel->setString(formatNumberWithCommas(score).c_str());
    }
}

void GameOverScreen::onNewHighScore(HighScoreTable* table, HighScoreItem* item)
{
    CC_UNUSED_PARAM(table);
    if (item)
    {
        setHighScore(item->getScore());
    }
}

void GameOverScreen::open()
{
    if (isVisible())
    {
        return;
    }
    setHighScore(getLevelHighScore());
    setVisible(true);
    // The fight is over: its progress goes to disk now rather than at the next level.
    AchievementsManager* achievements = AchievementsManager::sharedAchievementsManager();
    if (achievements)
    {
        achievements->saveProgress();
    }
    showCharacter(getPlayerDesc());
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    MusicManager* music = game ? game->getMusicManager() : NULL;
    if (music)
    {
        music->play("GameOver");
    }
    m_bOpening = true;
    if (!runTimeline("open", callfunc_selector(GameOverScreen::onOpened), true))
    {
        onOpened();
    }
}

void GameOverScreen::onOpened()
{
    // The menu is still scaled away while the bar fills: it takes the focus when it comes in.
    finishOpening();
    m_pRPGWidget->playExperienceOf(m_pDesc, this, callfunc_selector(GameOverScreen::showMenu));
}

void GameOverScreen::showMenu()
{
    // The player may have left before the bar finished.
    if (!isVisible() || m_bClosing)
    {
        return;
    }
    if (!runTimeline("showMenu", callfunc_selector(GameOverScreen::onMenuShown), true))
    {
        onMenuShown();
    }
}

void GameOverScreen::onMenuShown()
{
    VornScreen::onOpened();
}

void GameOverScreen::close()
{
    leaveByTimeline("close", callfunc_selector(VornScreen::onClosed));
}

void GameOverScreen::onRestart()
{
    if (leavesAfterExperience(callfunc_selector(GameOverScreen::onRestart)))
    {
        return;
    }
    leaveByTimeline("onRestart", callfunc_selector(GameOverScreen::onRestartTimelineEnded));
}

void GameOverScreen::onQuit()
{
    if (leavesAfterExperience(callfunc_selector(GameOverScreen::onQuit)))
    {
        return;
    }
    leaveByTimeline("onQuit", callfunc_selector(GameOverScreen::onQuitTimelineEnded));
}

void GameOverScreen::onRestartTimelineEnded()
{
    onClosed();
    m_restartSignal.emit();
}

void GameOverScreen::onQuitTimelineEnded()
{
    onClosed();
    m_quitSignal.emit();
}

NS_CC_END
