#include "StageCompleteScreen.h"

#include "AchievementsManager.h"
#include "CCLabelBMFont.h"
#include "CCSprite.h"
#include "GameOverScreen.h"
#include "LevelManager.h"
#include "MusicManager.h"
#include "RPGWidget.h"
#include "TextHelpers.h"
#include "VornActorDesc.h"
#include "VornGameManager.h"
#include "VornPlayer.h"

#include <cmath>
#include <cstdio>

NS_CC_BEGIN

StageCompleteScreen::StageCompleteScreen() : m_pTimeLabel(NULL), m_pAccuracyLabel(NULL) {}

StageCompleteScreen::~StageCompleteScreen() {}

bool StageCompleteScreen::init()
{
    registerMemberVariable("timeLabel", &m_pTimeLabel);
    registerMemberVariable("accuracyLabel", &m_pAccuracyLabel);
    registerMenuItemSelector("onContinue", vornscreen_selector(StageCompleteScreen::onContinue));
    registerMenuItemSelector("onQuit", vornscreen_selector(StageCompleteScreen::onQuit));
    if (!initResultScreen("stage-complete"))
    {
        return false;
    }
    if (!m_pTimeLabel || !m_pAccuracyLabel)
    {
        CCLog("StageCompleteScreen::init - the layout needs 'timeLabel' and 'accuracyLabel'");
        return false;
    }
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    if (game)
    {
        // The next stage, or the title once the story is done.
        m_continueSignal.connect(game, &VornGameManager::onStageCompleteContinue);
        m_quitSignal.connect(game, &VornGameManager::quitToTitleScreen);
    }
    return true;
}

std::string StageCompleteScreen::formatTime(float seconds)
{
    if (!(seconds > 0.0f))
    {
        seconds = 0.0f;
    }
    int whole = (int)std::floor(seconds);
    int minutes = whole / 60;
    int secs = whole - 60 * minutes;
    // Rounded hundredths, but never "100": 59.999 s is 00:59:99, not 00:59:100.
    int hundredths = (int)std::lround((seconds - (float)whole) * 100.0f);
    if (hundredths > 99)
    {
        hundredths = 99;
    }
    char text[32];
    snprintf(text, sizeof(text), "%02d:%02d:%02d", minutes, secs, hundredths);
    return text;
}

std::string StageCompleteScreen::formatAccuracy(int attempted, int hits)
{
    float accuracy = attempted > 0 ? (float)hits / (float)attempted : 1.0f;
    char text[16];
    snprintf(text, sizeof(text), "%.0f%%", accuracy * 100.0f);
    return text;
}

std::string StageCompleteScreen::completedLevelAchievement(int levelNumber)
{
    char id[64];
    snprintf(id, sizeof(id), "achievement.grandor.completed_level_%d", levelNumber);
    return id;
}

int StageCompleteScreen::getLevelNumber()
{
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    LevelManager* levels = game ? game->getLevelManager() : NULL;
    if (!levels || !levels->getLevels() || !levels->getCurrentLevel())
    {
        return 1;
    }
    unsigned int index = levels->getLevels()->indexOfObject(levels->getCurrentLevel());
    return index == CC_INVALID_INDEX ? 1 : (int)index + 1;
}

namespace
{
VornPlayer* gamePlayer()
{
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    return game ? game->getPlayer() : NULL;
}
} // namespace

bool StageCompleteScreen::hasPlayer()
{
    return gamePlayer() != NULL;
}

int StageCompleteScreen::getPlayerScore()
{
    VornPlayer* player = gamePlayer();
    return player ? player->getScore() : 0;
}

VornActorDesc* StageCompleteScreen::getPlayerDesc()
{
    VornPlayer* player = gamePlayer();
    return player ? player->getDesc() : NULL;
}

int StageCompleteScreen::getAttacksAttempted()
{
    VornPlayer* player = gamePlayer();
    return player ? player->getAttacksAttempted() : 0;
}

int StageCompleteScreen::getAttacksHitSomething()
{
    VornPlayer* player = gamePlayer();
    return player ? player->getAttacksHitSomething() : 0;
}

float StageCompleteScreen::getTimeInLevel()
{
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    return game ? game->getTimeInLevel() : 0.0f;
}

void StageCompleteScreen::open()
{
    if (isVisible())
    {
        return;
    }
    GameManager* game = GameManager::getInstance();
    if (game)
    {
        game->setTempPaused(true);
    }
    AchievementsManager* achievements = AchievementsManager::sharedAchievementsManager();
    if (achievements)
    {
        achievements->setAchievementProgress(completedLevelAchievement(getLevelNumber()).c_str(), 1.0f);
        // The stage is over: its knock-outs go to disk with it.
        achievements->saveProgress();
    }
    if (m_pHighScoreLabel)
    {
        m_pHighScoreLabel->setString(formatNumberWithCommas(GameOverScreen::getLevelHighScore()).c_str());
    }
    setVisible(true);

    m_pDesc = NULL;
    if (hasPlayer())
    {
        if (m_pScoreLabel)
        {
            m_pScoreLabel->setString(formatNumberWithCommas(getPlayerScore()).c_str());
        }
        showCharacter(getPlayerDesc());
    }
    m_pTimeLabel->setString(formatTime(getTimeInLevel()).c_str());
    m_pAccuracyLabel->setString(formatAccuracy(getAttacksAttempted(), getAttacksHitSomething()).c_str());

    VornGameManager* vorn = VornGameManager::getSharedVornGameManager();
    MusicManager* music = vorn ? vorn->getMusicManager() : NULL;
    if (music)
    {
        music->play("StageComplete");
    }
    m_bOpening = true;
    if (!runTimeline("open", callfunc_selector(StageCompleteScreen::onOpened), true))
    {
        onOpened();
    }
}

void StageCompleteScreen::onOpened()
{
    // The menu is still scaled away while the bar fills: it takes the focus when it comes in.
    finishOpening();
    GameManager* game = GameManager::getInstance();
    if (game && game->getGameLayer())
    {
        game->getGameLayer()->setVisible(false);
    }
    m_pRPGWidget->playExperienceOf(m_pDesc, this, callfunc_selector(StageCompleteScreen::showMenu));
}

void StageCompleteScreen::showMenu()
{
    if (!isVisible() || m_bClosing)
    {
        return;
    }
    if (!runTimeline("showMenu", callfunc_selector(StageCompleteScreen::onMenuShown), true))
    {
        onMenuShown();
    }
}

void StageCompleteScreen::onMenuShown()
{
    focusDefaultMenu();
}

void StageCompleteScreen::close()
{
    leaveByTimeline("close", callfunc_selector(VornScreen::onClosed));
}

void StageCompleteScreen::onContinue()
{
    if (leavesAfterExperience(callfunc_selector(StageCompleteScreen::onContinue)))
    {
        return;
    }
    leaveByTimeline("onContinue", callfunc_selector(StageCompleteScreen::onContinueTimelineEnded));
}

void StageCompleteScreen::onQuit()
{
    if (leavesAfterExperience(callfunc_selector(StageCompleteScreen::onQuit)))
    {
        return;
    }
    leaveByTimeline("onQuit", callfunc_selector(StageCompleteScreen::onQuitTimelineEnded));
}

void StageCompleteScreen::onContinueTimelineEnded()
{
    onClosed();
    m_continueSignal.emit();
}

void StageCompleteScreen::onQuitTimelineEnded()
{
    onClosed();
    m_quitSignal.emit();
}

NS_CC_END
