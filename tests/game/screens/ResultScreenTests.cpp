#include "AchievementsManager.h"
#include "CCLabelBMFont.h"
#include "CCMenuGamepad.h"
#include "CCMenuGamepadInputDispatcher.h"
#include "CCMenuItem.h"
#include "CCSprite.h"
#include "GameOverScreen.h"
#include "HighScoreManager.h"
#include "HighScoreTable.h"
#include "LevelManager.h"
#include "MenuScreenFixture.h"
#include "MusicManager.h"
#include "RPGWidget.h"
#include "StageCompleteScreen.h"
#include "VornAchievementsManager.h"
#include "VornActorDesc.h"

USING_NS_CC;

namespace
{
class ResultRecorder
{
public:
    void onFirst() { ++first; }
    void onQuit() { ++quits; }
    int first = 0;
    int quits = 0;
};

/** A finished level as the player would leave it. */
class PlayedStageComplete : public StageCompleteScreen
{
public:
    CREATE_FUNC(PlayedStageComplete);
    VornActorDesc* desc = NULL;

protected:
    virtual bool hasPlayer() { return true; }
    virtual int getPlayerScore() { return 12345; }
    virtual VornActorDesc* getPlayerDesc() { return desc; }
    virtual int getAttacksAttempted() { return 9; }
    virtual int getAttacksHitSomething() { return 7; }
    virtual float getTimeInLevel() { return 75.25f; }
};

const char* const kFirstLevel = "level-1-street";

void addBest(VornGameManager* game, const char* level, int score)
{
    HighScoreTable* table = game->getHighScoreManager()->getTable(level);
    ASSERT_NE(nullptr, table);
    table->addScore("Local", score);
}
} // namespace

TEST_F(MenuScreenTest, GameOverShowsScoresWithThousandsCommasAndTheLevelsBest)
{
    GameOverScreen* screen = addScreen(GameOverScreen::create());
    ASSERT_NE(nullptr, screen);
    EXPECT_STREQ("0", screen->getScoreLabel()->getString());
    screen->setScore(NULL, 1000);
    EXPECT_STREQ("1,000", screen->getScoreLabel()->getString());
    screen->setScore(NULL, 100);
    EXPECT_STREQ("100", screen->getScoreLabel()->getString());

    // No table for the running level: a best of 0.
    m_game->setLevelScriptForTest("not-a-level");
    screen->setHighScore(7);
    screen->open();
    EXPECT_STREQ("0", screen->getHighScoreLabel()->getString());
    EXPECT_EQ("GameOver", m_game->getMusicManager()->getCurrentTrack());
    stepFrames(30, 1.0f / 60.0f);
    screen->hide();

    m_game->setLevelScriptForTest(kFirstLevel);
    addBest(m_game, kFirstLevel, 2500000);
    screen->open();
    EXPECT_STREQ("2,500,000", screen->getHighScoreLabel()->getString());
    // While shown, a score of 0 is the level's reset, not the player's result.
    screen->setScore(NULL, 0);
    EXPECT_STREQ("100", screen->getScoreLabel()->getString());
    // Opening an open screen starts nothing again.
    m_game->getMusicManager()->setCurrentTrack("Street");
    screen->open();
    EXPECT_EQ("Street", m_game->getMusicManager()->getCurrentTrack());
}

TEST_F(MenuScreenTest, GameOverShowsItsMenuAfterTheBarAndLeavesByIt)
{
    GameOverScreen* screen = addScreen(GameOverScreen::create());
    ASSERT_NE(nullptr, screen);
    ResultRecorder recorder;
    screen->getRestartSignal().connect(&recorder, &ResultRecorder::onFirst);
    screen->getQuitSignal().connect(&recorder, &ResultRecorder::onQuit);
    CCMenuGamepad* menu = screen->getDefaultMenu();
    ASSERT_NE(nullptr, menu);

    screen->open();
    stepFrames(10, 1.0f / 60.0f);
    EXPECT_FLOAT_EQ(0.0f, menu->getScale());  // the menu waits for "showMenu"
    stepFrames(50, 1.0f / 60.0f);
    EXPECT_TRUE(screen->isOpen());
    EXPECT_FLOAT_EQ(1.0f, menu->getScale());
    EXPECT_EQ(screen->getDefaultMenuItem(), CCMenuGamepadInputDispatcher::sharedDispatcher()->getFocusMenuItem(0));

    screen->getDefaultMenuItem()->activate();
    screen->getDefaultMenuItem()->activate();
    EXPECT_EQ(0, recorder.first);
    stepFrames(30, 1.0f / 60.0f);
    EXPECT_EQ(1, recorder.first);
    EXPECT_FALSE(screen->isVisible());

    // Quitting to the title or continuing from elsewhere closes it.
    for (int way = 0; way < 2; ++way)
    {
        screen->open();
        stepFrames(60, 1.0f / 60.0f);
        ASSERT_TRUE(screen->isOpen());
        way == 0 ? m_game->getQuitToTitleSignal().emit() : m_game->getContinueSignal().emit();
        stepFrames(30, 1.0f / 60.0f);
        EXPECT_FALSE(screen->isVisible()) << way;
    }
    EXPECT_EQ(0, recorder.quits);
}

TEST_F(MenuScreenTest, ResultMenusTakeNoKeysUntilTheyAreShown)
{
    // The keys a player presses while the experience bar fills must not pick Restart or Continue.
    GameOverScreen* gameOver = addScreen(GameOverScreen::create());
    PlayedStageComplete* complete = addScreen(PlayedStageComplete::create());
    ASSERT_NE(nullptr, gameOver);
    ASSERT_NE(nullptr, complete);
    complete->desc = m_game->actorDescWithFile("jors.plist");
    VornScreen* screens[] = { gameOver, complete };
    CCMenuGamepadInputDispatcher* pad = CCMenuGamepadInputDispatcher::sharedDispatcher();
    for (VornScreen* screen : screens)
    {
        SignalCounter signals;
        signals.watch(screen);
        screen->open();
        for (int i = 0; i < 120 && screen->isOpening(); ++i)
        {
            stepFrames(1, 1.0f / 60.0f);
        }
        ASSERT_FALSE(screen->isOpening());
        ASSERT_FLOAT_EQ(0.0f, screen->getDefaultMenu()->getScale());
        EXPECT_NE(screen->getDefaultMenuItem(), pad->getFocusMenuItem(0));
        pad->handleMenuInput(kMenuGamepadInput_Action, 0);
        pad->handleMenuInput(kMenuGamepadInput_Down, 0);
        pad->handleMenuInput(kMenuGamepadInput_Action, 0);
        stepFrames(1, 1.0f / 60.0f);
        EXPECT_FALSE(screen->isClosing());
        EXPECT_EQ(0, signals.closing + signals.closed);

        // Once the menu is in, it has the focus and the key works.
        for (int i = 0; i < 600 && pad->getFocusMenuItem(0) != screen->getDefaultMenuItem(); ++i)
        {
            stepFrames(1, 1.0f / 60.0f);
        }
        EXPECT_EQ(screen->getDefaultMenuItem(), pad->getFocusMenuItem(0));
        EXPECT_FLOAT_EQ(1.0f, screen->getDefaultMenu()->getScale());
        pad->handleMenuInput(kMenuGamepadInput_Action, 0);
        stepFrames(60, 1.0f / 60.0f);
        EXPECT_FALSE(screen->isVisible());
    }
}

TEST(StageCompleteFormat, TimesAndAccuracies)
{
    struct
    {
        float seconds;
        const char* shown;
    } times[] = { { 75.25f, "01:15:25" }, { 3605.5f, "60:05:50" }, { 0.0f, "00:00:00" }, { 59.999f, "00:59:99" },
                  { -3.0f, "00:00:00" } };
    for (size_t i = 0; i < sizeof(times) / sizeof(times[0]); ++i)
    {
        EXPECT_EQ(times[i].shown, StageCompleteScreen::formatTime(times[i].seconds)) << times[i].seconds;
    }
    EXPECT_EQ("78%", StageCompleteScreen::formatAccuracy(9, 7));
    EXPECT_EQ("100%", StageCompleteScreen::formatAccuracy(0, 0));
    EXPECT_EQ("0%", StageCompleteScreen::formatAccuracy(4, 0));
}

TEST_F(MenuScreenTest, StageCompleteRecordsTheLevelAndShowsTheResults)
{
    m_game->getAchievementsManager()->resetAllAchievements();
    LevelManager* levels = m_game->getLevelManager();
    ASSERT_NE(nullptr, levels);
    ASSERT_GE(levels->getLevels()->count(), 2u);
    levels->setLevelIndex(1);
    m_game->setLevelScriptForTest(levels->getLevelName());
    addBest(m_game, levels->getLevelName().c_str(), 4321);

    PlayedStageComplete* screen = addScreen(PlayedStageComplete::create());
    ASSERT_NE(nullptr, screen);
    screen->desc = m_game->actorDescWithFile("jors.plist");
    ASSERT_NE(nullptr, screen->desc);
    ResultRecorder recorder;
    screen->getContinueSignal().connect(&recorder, &ResultRecorder::onFirst);
    m_game->setTempPaused(false);
    m_game->getGameLayer()->setVisible(true);

    screen->open();
    AchievementsManager* achievements = m_game->getAchievementsManager();
    EXPECT_TRUE(achievements->isAchievementUnlocked("achievement.grandor.completed_level_2"));
    EXPECT_FALSE(achievements->isAchievementUnlocked("achievement.grandor.completed_level_1"));
    EXPECT_TRUE(m_game->getTempPaused());
    EXPECT_STREQ("12,345", screen->getScoreLabel()->getString());
    EXPECT_STREQ("4,321", screen->getHighScoreLabel()->getString());
    EXPECT_STREQ("01:15:25", screen->getTimeLabel()->getString());
    EXPECT_STREQ("78%", screen->getAccuracyLabel()->getString());
    EXPECT_NE(nullptr, screen->getCharacterSprite()->displayFrame());
    EXPECT_EQ(screen->desc, screen->getRPGWidget()->getDesc());
    EXPECT_EQ("StageComplete", m_game->getMusicManager()->getCurrentTrack());

    stepFrames(120, 1.0f / 60.0f);
    EXPECT_FALSE(m_game->getGameLayer()->isVisible());
    EXPECT_TRUE(screen->isOpen());
    EXPECT_EQ(screen->getDefaultMenuItem(), CCMenuGamepadInputDispatcher::sharedDispatcher()->getFocusMenuItem(0));
    screen->onContinue();
    stepFrames(30, 1.0f / 60.0f);
    EXPECT_EQ(1, recorder.first);
    EXPECT_FALSE(screen->isVisible());
}

TEST_F(MenuScreenTest, StageCompleteOfALevelNotInTheListCountsAsTheFirst)
{
    m_game->getAchievementsManager()->resetAllAchievements();
    EXPECT_EQ(1, StageCompleteScreen::getLevelNumber());
    StageCompleteScreen* screen = addScreen(StageCompleteScreen::create());
    ASSERT_NE(nullptr, screen);
    screen->open();
    EXPECT_TRUE(m_game->getAchievementsManager()->isAchievementUnlocked("achievement.grandor.completed_level_1"));
    EXPECT_STREQ("0", screen->getScoreLabel()->getString());
    EXPECT_STREQ("100%", screen->getAccuracyLabel()->getString());
}
