#include "AchievementsManager.h"
#include "ArenaModeHelper.h"
#include "ChooseDifficultyScreen.h"
#include "CCLabelBMFont.h"
#include "CCMenuGamepadInputDispatcher.h"
#include "CCMenuItem.h"
#include "ComboCounterScreen.h"
#include "CollisionList.h"
#include "CollisionManager.h"
#include "GameOverScreen.h"
#include "HUD.h"
#include "InputHandler_Keyboard.h"
#include "InputManager.h"
#include "LevelManager.h"
#include "PauseScreen.h"
#include "PlayerHealthScreen.h"
#include "RestartManager.h"
#include "StageCompleteScreen.h"
#include "SystemManager.h"
#include "TitleScreen.h"
#include "VornAchievementsManager.h"
#include "VornBackdrop.h"
#include "VornGameManager.h"
#include "VornGameTypes.h"
#include "VornPlayer.h"
#include "VornPlayerInputMulti.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

USING_NS_CC;

namespace
{
const float kFrame = 1.0f / 30.0f;

// Stands in for the platform: quitting is recorded, not done.
class QuietSystemHandler : public SystemHandler
{
public:
    virtual void openURL(const char*) {}
    virtual void quit() {}
    virtual void setFullscreen(bool) {}
    virtual bool isFullscreen() { return false; }
};

/** The game as the program runs it: the director steps the scene, the keyboard drives it. */
class StoryFlowTest : public ::testing::Test
{
protected:
    virtual void SetUp()
    {
        CCPoolManager::sharedPoolManager()->push();
        CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
        CCUserDefault::sharedUserDefault()->setStringForKey("UserControls", "");
        CCDirector::sharedDirector()->setWinSize(CCSize(960, 640));
        srand(1);
        m_game = new VornGameManager();
        ASSERT_TRUE(m_game->initVornGameManager());
        m_game->getAchievementsManager()->resetAllAchievements();
        m_game->getRestartManager()->setHasCheckpoint(false);
        CCDirector::sharedDirector()->runWithScene(m_game);
        m_game->release();
        QuietSystemHandler* handler = new QuietSystemHandler();
        m_game->getSystemManager()->setHandler(handler);
        handler->release();
        m_keyboard = static_cast<InputHandler_Keyboard*>(
            InputManager::sharedInputManager()->getHandlerWithName("KeyboardHandler"));
        ASSERT_NE(nullptr, m_keyboard);
        ASSERT_TRUE(stepUntil([this] { return title() && title()->isOpen(); }));
        m_hud = m_game->getHUD();
        ASSERT_NE(nullptr, m_hud);
    }
    virtual void TearDown()
    {
        CCDirector::purgeSharedDirector();
        CCPoolManager::sharedPoolManager()->pop();
    }

    TitleScreen* title() { return dynamic_cast<TitleScreen*>(m_game->getTitleScreen()); }
    VornPlayer* player() { return m_game->getPlayer(); }

    void frames(int count)
    {
        for (int i = 0; i < count; ++i)
        {
            CCDirector::sharedDirector()->step(kFrame);
        }
    }
    template <class Condition>
    bool stepUntil(Condition done, int limit = 600)
    {
        for (int i = 0; i < limit; ++i)
        {
            if (done())
            {
                return true;
            }
            frames(1);
        }
        return done();
    }
    void key(int code)
    {
        m_keyboard->keyPressed(code);
        frames(2);
        m_keyboard->keyReleased(code);
        frames(2);
    }
    /** Story on the title (its default item) and waits for the first stage to be played. */
    void startStory()
    {
        key(VornPlayerInputMulti::kKeyEnter);
        ASSERT_TRUE(stepUntil([this] { return m_game->getLevelScript() == "level-1-street"; }));
        frames(30);
    }
    bool inPlay() { return !m_game->isPaused() && m_game->getGameLayer()->isVisible(); }

    VornGameManager* m_game = nullptr;
    InputHandler_Keyboard* m_keyboard = nullptr;
    HUD* m_hud = nullptr;
};
} // namespace

TEST_F(StoryFlowTest, StoryPutsThePlayerOnTheStreetWithHisBarAndEscapePausesAndResumes)
{
    // The pause and result screens are built with the world, above the HUD and out of sight.
    VornScreen* screens[] = { m_game->getPauseScreen(), m_game->getGameOverScreen(), m_game->getStageCompleteScreen() };
    for (VornScreen* screen : screens)
    {
        ASSERT_NE(nullptr, screen);
        EXPECT_EQ(m_game, screen->getParent());
        EXPECT_GT(screen->getZOrder(), m_hud->getZOrder());
        EXPECT_FALSE(screen->isVisible());
    }

    startStory();
    EXPECT_FALSE(title()->isVisible());
    EXPECT_EQ(kVornGameMode_Story, m_game->getGameMode());
    EXPECT_EQ(kDifficulty_Easy, m_game->getStoryDifficultyLevel());
    EXPECT_EQ("stage-street", m_game->getBackdropFile());
    ASSERT_NE(nullptr, m_game->getBackground());
    EXPECT_TRUE(inPlay());
    EXPECT_EQ(m_game->getActorNode(), player()->getParent());
    // He stands where the stage marks the start (the shop fronts' wall would stop him otherwise).
    CCNode* start = m_game->getBackground()->getNodeByName("playerStart");
    ASSERT_NE(nullptr, start);
    CCPoint marked = m_game->getActorNode()->convertToNodeSpace(
        start->getParent()->convertToWorldSpace(start->getPosition()));
    EXPECT_NEAR(marked.x, player()->getBasePosition().x, 1.0f);
    EXPECT_NEAR(marked.y, player()->getBasePosition().y, 1.0f);
    EXPECT_TRUE(player()->isAlive());
    EXPECT_FLOAT_EQ(1.0f, player()->getHealthValue());

    // The HUD is up with the player's bar, which follows his health and score.
    EXPECT_TRUE(m_hud->isVisible());
    PlayerHealthScreen* bar = m_hud->getPlayerHealthScreen();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(player(), bar->getActor());
    player()->setHealth(player()->getHealth() * 0.25f);
    EXPECT_NEAR(0.75f, bar->getHealthBar2()->getScaleX(), 0.01f);
    if (bar->getPlayerScore())
    {
        player()->setScore(1234);
        EXPECT_STREQ("1,234", bar->getPlayerScore()->getString());
    }
    // The player's combo reaches the counter.
    player()->setCombo(3);
    frames(1);
    EXPECT_TRUE(m_hud->getComboCounterScreen()->isVisible());

    // Escape pauses: the pause screen comes up over the game; Escape again resumes.
    key(VornPlayerInputMulti::kKeyEscape);
    frames(30);
    EXPECT_TRUE(m_game->isPaused());
    EXPECT_TRUE(m_game->getPauseScreen()->isVisible());
    key(VornPlayerInputMulti::kKeyEscape);
    frames(30);
    EXPECT_FALSE(m_game->isPaused());
    EXPECT_FALSE(m_game->getPauseScreen()->isVisible());
    EXPECT_TRUE(inPlay());
}

TEST_F(StoryFlowTest, KnockOutOpensGameOverWhoseRestartAndQuitLeadBackIntoPlayAndToTheTitle)
{
    startStory();
    player()->setKillRequested(true);
    ASSERT_TRUE(stepUntil([this] { return m_game->getGameOverScreen()->isOpen(); }));
    EXPECT_FALSE(player()->isAlive());
    stepUntil([this] { return !m_hud->isVisible() || !m_hud->isOpen(); }, 60);
    EXPECT_FALSE(m_hud->isOpen());

    GameOverScreen* gameOver = static_cast<GameOverScreen*>(m_game->getGameOverScreen());
    frames(200);  // the experience bar fills, then the menu shows
    gameOver->onQuit();
    ASSERT_TRUE(stepUntil([this] { return title()->isOpen(); }));
    EXPECT_TRUE(m_game->isPaused());
    EXPECT_FALSE(m_game->getGameLayer()->isVisible());
    EXPECT_EQ(nullptr, m_game->getBackground());
    EXPECT_FALSE(gameOver->isVisible());

    // A level that marked no checkpoint starts over on a continue, the player back on his feet.
    startStory();
    player()->setKillRequested(true);
    ASSERT_TRUE(stepUntil([this] { return m_game->getGameOverScreen()->isOpen(); }));
    frames(200);
    gameOver->onRestart();
    ASSERT_TRUE(stepUntil([this] { return inPlay() && !m_game->getGameOverScreen()->isVisible(); }));
    frames(10);
    EXPECT_EQ("level-1-street", m_game->getLevelScript());
    EXPECT_TRUE(player()->isAlive());
    EXPECT_TRUE(m_hud->isVisible());
    EXPECT_TRUE(m_hud->getPlayerHealthScreen()->isVisible());
    EXPECT_EQ(1, m_game->getNumStoryModeContinues());
    m_game->quitToTitleScreen();
    ASSERT_TRUE(stepUntil([this] { return title()->isOpen(); }));

    // Round again: the player is back on his feet with a full bar.
    startStory();
    EXPECT_TRUE(inPlay());
    EXPECT_TRUE(player()->isAlive());
    EXPECT_FLOAT_EQ(1.0f, player()->getHealthValue());
    EXPECT_TRUE(m_hud->getPlayerHealthScreen()->isVisible());
}

TEST_F(StoryFlowTest, PauseQuitReturnsToTheTitleAndPauseRestartGoesBackIntoTheLevel)
{
    startStory();
    key(VornPlayerInputMulti::kKeyEscape);
    frames(30);
    PauseScreen* pause = static_cast<PauseScreen*>(m_game->getPauseScreen());
    ASSERT_TRUE(pause->isOpen());
    pause->onRestart();
    frames(30);
    EXPECT_EQ("level-1-street", m_game->getLevelScript());
    EXPECT_TRUE(inPlay());
    EXPECT_FALSE(pause->isVisible());
    EXPECT_TRUE(player()->isAlive());

    key(VornPlayerInputMulti::kKeyEscape);
    frames(30);
    ASSERT_TRUE(pause->isOpen());
    pause->onQuit();
    ASSERT_TRUE(stepUntil([this] { return title()->isOpen(); }));
    EXPECT_FALSE(pause->isVisible());
    EXPECT_TRUE(m_game->isPaused());
    EXPECT_FALSE(m_game->getGameLayer()->isVisible());
}

TEST_F(StoryFlowTest, StageCompleteLeadsToTheNextStageAndAfterTheLastOneToTheTitle)
{
    startStory();
    StageCompleteScreen* complete = static_cast<StageCompleteScreen*>(m_game->getStageCompleteScreen());
    m_game->onStageComplete();
    ASSERT_TRUE(stepUntil([complete] { return complete->isOpen(); }));
    frames(200);
    complete->onContinue();
    ASSERT_TRUE(stepUntil([this] { return m_game->getLevelScript() == "level-2-docks"; }));
    frames(10);
    EXPECT_TRUE(inPlay());
    EXPECT_FALSE(complete->isVisible());
    for (const char* next : {"level-3-market", "level-4-yard", "level-5-tower"})
    {
        m_game->onStageComplete();
        ASSERT_TRUE(stepUntil([complete] { return complete->isOpen(); }));
        frames(200);
        complete->onContinue();
        ASSERT_TRUE(stepUntil([this, next] { return m_game->getLevelScript() == next; }));
        frames(10);
    }
    ASSERT_TRUE(m_game->getLevelManager()->isLastLevel());

    // The last stage's continue finishes the story: back to the title, nothing left to continue.
    m_game->getRestartManager()->setHasCheckpoint(true);
    m_game->onStageComplete();
    ASSERT_TRUE(stepUntil([complete] { return complete->isOpen(); }));
    frames(200);
    complete->onContinue();
    ASSERT_TRUE(stepUntil([this] { return title()->isOpen(); }));
    EXPECT_EQ("level-5-tower", m_game->getLevelScript());
    EXPECT_TRUE(m_game->isPaused());
    EXPECT_FALSE(m_game->getGameLayer()->isVisible());
    EXPECT_FALSE(m_game->getRestartManager()->getHasCheckpoint());
    EXPECT_TRUE(m_game->getAchievementsManager()->isAchievementUnlocked("achievement.grandor.completed_game_1"));
}

TEST_F(StoryFlowTest, AFinishedStoryAsksForTheDifficultyFirst)
{
    m_game->getAchievementsManager()->setAchievementProgress("achievement.grandor.completed_game_1", 1.0f);
    key(VornPlayerInputMulti::kKeyEnter);
    ChooseDifficultyScreen* difficulty = nullptr;
    ASSERT_TRUE(stepUntil([this, &difficulty] {
        CCObject* child = nullptr;
        CCARRAY_FOREACH(title()->getChildren(), child)
        {
            difficulty = dynamic_cast<ChooseDifficultyScreen*>(child);
            if (difficulty && difficulty->isOpen())
            {
                return true;
            }
        }
        return false;
    }));
    EXPECT_EQ("", m_game->getLevelScript());
    difficulty->onNormal();
    ASSERT_TRUE(stepUntil([this] { return m_game->getLevelScript() == "level-1-street"; }));
    EXPECT_EQ(kDifficulty_Normal, m_game->getStoryDifficultyLevel());
    frames(10);
    EXPECT_TRUE(inPlay());
}

TEST_F(StoryFlowTest, ThePauseScreensQuitLeadsStraightToTheTitleWhichKeepsTheFocus)
{
    startStory();
    key(VornPlayerInputMulti::kKeyEscape);
    frames(30);
    PauseScreen* pause = static_cast<PauseScreen*>(m_game->getPauseScreen());
    ASSERT_TRUE(pause->isOpen());
    CCMenuGamepadInputDispatcher* dispatcher = CCMenuGamepadInputDispatcher::sharedDispatcher();
    key(VornPlayerInputMulti::kKeyDown);
    key(VornPlayerInputMulti::kKeyDown);
    ASSERT_NE(nullptr, dispatcher->getFocusMenuItem(0));
    // Quit asks nothing: one Return and the title is back.
    key(VornPlayerInputMulti::kKeyEnter);
    ASSERT_TRUE(stepUntil([this] { return title()->isOpen(); }));
    EXPECT_FALSE(pause->isVisible());
    CCMenuItem* focused = dispatcher->getFocusMenuItem(0);
    ASSERT_NE(nullptr, focused);
    bool onTitle = false;
    for (CCNode* node = focused; node; node = node->getParent())
    {
        onTitle = onTitle || node == title();
    }
    EXPECT_TRUE(onTitle);
}

TEST_F(StoryFlowTest, FightersAreDrawnFarthestFirstAsTheyMove)
{
    startStory();
    // Walk into the first wave, wandering up and down the street so the order keeps changing.
    int checkedFrames = 0;
    for (int frame = 0; frame < 600; ++frame)
    {
        if (frame % 120 == 0)
        {
            m_keyboard->keyReleased(VornPlayerInputMulti::kKeyUp);
            m_keyboard->keyReleased(VornPlayerInputMulti::kKeyDown);
            m_keyboard->keyPressed(frame % 240 == 0 ? VornPlayerInputMulti::kKeyDown : VornPlayerInputMulti::kKeyUp);
            m_keyboard->keyPressed(VornPlayerInputMulti::kKeyRight);
        }
        frames(1);
        std::vector<VornActor*> drawn;
        CCObject* child;
        CCARRAY_FOREACH(m_game->getActorNode()->getChildren(), child)
        {
            if (VornActor* actor = dynamic_cast<VornActor*>(child))
            {
                drawn.push_back(actor);
            }
        }
        if (drawn.size() < 2)
        {
            continue;
        }
        ++checkedFrames;
        for (size_t i = 1; i < drawn.size(); ++i)
        {
            ASSERT_GE(drawn[i - 1]->getBasePosition().y, drawn[i]->getBasePosition().y)
                << "frame " << frame << ": " << (drawn[i - 1] == player() ? "the player" : "an enemy") << " drawn before "
                << (drawn[i] == player() ? "the player" : "an enemy") << " though nearer the viewer";
        }
    }
    EXPECT_GT(checkedFrames, 100);
}

namespace
{
// Seen by a player: the fighter and every parent shown, his feet inside the window.
::testing::AssertionResult inView(VornPlayer* player)
{
    for (CCNode* node = player; node != NULL; node = node->getParent())
    {
        if (!node->isVisible())
        {
            return ::testing::AssertionFailure() << "the player or a parent of his is hidden";
        }
    }
    CCPoint feet = player->getParent()->convertToWorldSpace(player->getBasePosition());
    CCSize window = CCDirector::sharedDirector()->getWinSize();
    if (feet.x < 0 || feet.y < 0 || feet.x > window.width || feet.y > window.height)
    {
        return ::testing::AssertionFailure() << "his feet are at " << feet.x << "," << feet.y << ", outside "
                                             << window.width << "x" << window.height;
    }
    return ::testing::AssertionSuccess();
}
} // namespace

TEST_F(StoryFlowTest, EveryArenaStartsItsFighterInView)
{
    // Title: Arena, then the first fighter and the first arena as offered.
    key(VornPlayerInputMulti::kKeyDown);
    key(VornPlayerInputMulti::kKeyEnter);
    frames(30);
    key(VornPlayerInputMulti::kKeyEnter);
    frames(30);
    key(VornPlayerInputMulti::kKeyEnter);
    ASSERT_TRUE(stepUntil([this] { return m_game->getLevelScript() == "arena-rooftop"; }));
    // Then every arena of the table in turn, with that fighter.
    CCArray* arenas = ArenaModeHelper::sharedArenaModeHelper()->getArenas();
    ASSERT_GT(arenas->count(), 0u);
    CCObject* entry = NULL;
    CCARRAY_FOREACH(arenas, entry)
    {
        std::string level = static_cast<CCDictionary*>(entry)->valueForKey("LevelName")->getCString();
        if (level != m_game->getLevelScript())
        {
            // Wherever the last match left him, the arena puts him on its own floor.
            player()->setBasePosition(CCPoint(-5000.0f, -5000.0f));
            m_game->setLevelName(level.c_str());
            ASSERT_TRUE(stepUntil([this, level] { return m_game->getLevelScript() == level; })) << level;
        }
        for (int frame = 0; frame < 120; ++frame)
        {
            frames(1);
            ASSERT_TRUE(inView(player())) << level << ", frame " << frame;
        }
    }
}

TEST_F(StoryFlowTest, ACraftedSaveRunsNothingAndTheStoryStartsAfresh)
{
    // A script outside the game that would leave a mark if it ever ran.
    const std::string outside = vorntest::makeTempDir("crafted-save");
    vorntest::writeFile(outside + "/evil.lua", "game():setNumStoryModeContinues(4242)\n");
    std::string climbing = "../../../../../../../../../.." + outside + "/evil";
    const struct
    {
        std::string levelScript;
        std::string checkpointFunction;
    } saves[] = {
        { outside + "/evil", "" },
        { climbing, "" },
        { "level-9-nowhere", "" },
        { "level-1-street", "collectgarbage" },
        { "level-1-street", "os.exit" },
    };
    for (const auto& save : saves)
    {
        SCOPED_TRACE(save.levelScript + " / " + save.checkpointFunction);
        CCUserDefault* store = CCUserDefault::sharedUserDefault();
        store->setStringForKey("levelScript", save.levelScript);
        store->setStringForKey("checkpointFunction", save.checkpointFunction);
        store->flush();
        m_game->getRestartManager()->setHasCheckpoint(true);
        m_game->setNumStoryModeContinues(0);
        vorntest::LogCapture log;

        m_game->onContinueSavedGame();
        frames(10);
        EXPECT_NE(4242, m_game->getNumStoryModeContinues());
        EXPECT_EQ("level-1-street", m_game->getLevelScript());
        EXPECT_NE(save.levelScript == "level-1-street" ? save.checkpointFunction : save.levelScript,
                  CCUserDefault::sharedUserDefault()->getStringForKey(save.levelScript == "level-1-street" ? "checkpointFunction" : "levelScript"));
        EXPECT_TRUE(log.contains("the story starts afresh"));
        EXPECT_TRUE(log.contains("refused-"));
        m_game->quitToTitleScreen();
        frames(10);
    }
}
