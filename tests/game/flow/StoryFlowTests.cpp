#include "AchievementScreen.h"
#include "AppDelegate.h"
#include "ArenaCompleteScreen.h"
#include "AchievementsManager.h"
#include "ArenaManager.h"
#include "ArenaModeHelper.h"
#include "ArenaTasksScreen.h"
#include "ArenaTimerScreen.h"
#include "BotActor.h"
#include "BotManager.h"
#include "CCUserDefaultDocument.h"
#include "ChooseDifficultyScreen.h"
#include "CCLabelBMFont.h"
#include "CCMenuGamepadInputDispatcher.h"
#include "CCMenuItem.h"
#include "ComboCounterScreen.h"
#include "CollisionList.h"
#include "CollisionManager.h"
#include "GameOverScreen.h"
#include "HUD.h"
#include "SpeechScreen.h"
#include "InputHandler_Keyboard.h"
#include "InputManager.h"
#include "LevelManager.h"
#include "PauseScreen.h"
#include "PlayerHealthScreen.h"
#include "RestartManager.h"
#include "StageCompleteScreen.h"
#include "SystemManager.h"
#include "TimeAndLocationScreen.h"
#include "CheckpointScreen.h"
#include "TitleScreen.h"
#include "VornAchievementsManager.h"
#include "VornActorDesc.h"
#include "VornRPGStats.h"
#include "VornBackdrop.h"
#include "VornGameManager.h"
#include "VornGameTypes.h"
#include "VornPlayer.h"
#include "VornPlayerInputMulti.h"
#include "VornBootedGame.h"
#include "VornScriptEngine.h"
#include "VornTestSupport.h"
#include "lua_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <set>

USING_NS_CC;

namespace
{
const float kFrame = vorntest::BootedGame::kFrame;


/** The game as the program runs it: the director steps the scene, the keyboard drives it. */
class StoryFlowTest : public ::testing::Test
{
protected:
    virtual void SetUp()
    {
        m_boot.forgetProgress = true;
        ASSERT_NO_FATAL_FAILURE(m_boot.boot());
        m_game = m_boot.game();
        m_keyboard = m_boot.keyboard();
        m_hud = m_game->getHUD();
        ASSERT_NE(nullptr, m_hud);
    }
    virtual void TearDown()
    {
        CCFileUtils::setWriteFaultForTesting(CCFileUtils::kWriteFault_None);
        CCFileUtils::setOpenFaultForTesting(0);
        m_boot.shutDown();
    }

    TitleScreen* title() { return m_boot.title(); }
    VornPlayer* player() { return m_game->getPlayer(); }
    void frames(int count) { m_boot.frames(count); }
    bool stepUntil(const std::function<bool()>& done, int limit = vorntest::BootedGame::kPatience) { return m_boot.stepUntil(done, limit); }
    void key(int code) { m_boot.press(code); }
    /** Story on the title (its default item) and waits for the first stage to be played. */
    void startStory()
    {
        key(VornPlayerInputMulti::kKeyEnter);
        ASSERT_TRUE(stepUntil([this] { return m_game->getLevelScript() == "level-1-street"; }));
        frames(30);
    }
    bool inPlay() { return !m_game->isPaused() && m_game->getGameLayer()->isVisible(); }

    vorntest::BootedGame m_boot;
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

namespace
{
const char* const kTakeOutTiers[] = { "achievement.grandor.take_out_enemies_tier1", "achievement.grandor.take_out_enemies_tier2",
                                      "achievement.grandor.take_out_enemies_tier3", "achievement.grandor.take_out_enemies_tier4" };

/** The progress the settings file on disk holds for id (not the store in memory); -1 when none. */
float progressOnDisk(const char* id)
{
    CCUserDefaultDocument::Values values;
    const std::string text = vorntest::readFile(CCUserDefault::getXMLFilePath());
    if (!CCUserDefaultDocument::read(text.data(), text.size(), values) || values.find(id) == values.end())
    {
        return -1.0f;
    }
    return strtof(values[id].c_str(), NULL);
}
} // namespace

TEST_F(StoryFlowTest, KnockOutsAreWrittenAtAPauseQuitOrAClosedWindowNotInTheFight)
{
    VornAchievementsManager* achievements = m_game->getAchievementsManager();
    AchievementInfo* tier1 = achievements->getAchievement(kTakeOutTiers[0]);
    ASSERT_NE(nullptr, tier1);
    enum SafePoint { kQuit, kWindowClosed, kPaused };
    for (SafePoint point : { kQuit, kWindowClosed, kPaused })
    {
        SCOPED_TRACE(point == kQuit ? "quit" : point == kWindowClosed ? "the window closed" : "paused");
        startStory();
        const float before = progressOnDisk(kTakeOutTiers[0]);
        EXPECT_FLOAT_EQ(tier1->getProgress(), before) << "the level's start is a safe point";
        VornActorDesc* thug = m_game->actorDescWithFile("street-thug.plist");
        ASSERT_NE(nullptr, thug);
        const CCRect screen = BotManager::getGameScreenBounds();
        for (int i = 0; i < 3; ++i)
        {
            m_game->getBotManager()->addBotToSpawnQueue(thug, CCRect(screen.getMidX() + 80.0f * i, screen.getMidY(), 0, 0), 0.0f);
        }
        // Every enemy that stands is knocked out, until three knock-outs have counted.
        ASSERT_TRUE(stepUntil([&] {
            for (BotActor* bot : m_game->getBotManager()->getActiveBots())
            {
                if (bot->isAlive() && bot->isStanding())
                {
                    bot->doTakeDamage(bot->getHealth(), bot->getBasePosition(), CCPoint(1.0f, 0.0f), kVornAttackType_KO, true);
                }
            }
            return tier1->getProgress() >= before + 0.0299f;
        }));
        EXPECT_TRUE(inPlay());
        EXPECT_FLOAT_EQ(before, progressOnDisk(kTakeOutTiers[0])) << "a knock-out wrote the file in the fight";

        if (point == kWindowClosed)
        {
            AppDelegate app;
            app.applicationWillTerminate();
        }
        else if (point == kQuit)
        {
            m_game->getSystemManager()->quit();
        }
        else
        {
            key(VornPlayerInputMulti::kKeyEscape);
            ASSERT_TRUE(m_game->isPaused());
        }
        for (const char* id : kTakeOutTiers)
        {
            EXPECT_EQ(achievements->getAchievement(id)->getProgress(), progressOnDisk(id)) << id;
        }
        m_game->quitToTitleScreen();
        ASSERT_TRUE(stepUntil([this] { return title()->isOpen(); }));
    }
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
    // A script outside the game that would leave a mark if it ever ran, and a character
    // descriptor outside the game whose enemy script is that one.
    const std::string outside = vorntest::makeTempDir("crafted-save");
    vorntest::writeFile(outside + "/evil.lua", "game():setNumStoryModeContinues(4242)\n");
    vorntest::writeFile(outside + "/evil.plist",
                        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n"
                        "<key>BaseDesc</key><string>street-thug</string>\n"
                        "<key>Names</key><array><string>Evil</string></array>\n"
                        "<key>BotEngine</key><string>" + outside + "/evil.lua</string>\n"
                        "</dict>\n</plist>\n");
    std::string climbing = "../../../../../../../../../.." + outside + "/evil";
    const struct
    {
        std::string levelScript;
        std::string checkpointFunction;
        std::string playerDesc;
        std::string backdropFile;
    } saves[] = {
        { outside + "/evil", "", "jors.plist", "stage-street" },
        { climbing, "", "jors.plist", "stage-street" },
        { "level-9-nowhere", "", "jors.plist", "stage-street" },
        { "level-1-street", "collectgarbage", "jors.plist", "stage-street" },
        { "level-1-street", "os.exit", "jors.plist", "stage-street" },
        { "level-1-street", "", outside + "/evil.plist", "stage-street" },
        { "level-1-street", "", climbing + ".plist", "stage-street" },
        { "level-1-street", "", "street-thug-copy.plist", "stage-street" },
        { "level-1-street", "", "jors.plist", "stage-nowhere" },
        { "level-1-street", "", "jors.plist", outside + "/evil" },
    };
    for (const auto& save : saves)
    {
        SCOPED_TRACE(save.levelScript + " / " + save.checkpointFunction + " / " + save.playerDesc + " / " +
                     save.backdropFile);
        CCUserDefault* store = CCUserDefault::sharedUserDefault();
        store->setStringForKey("levelScript", save.levelScript);
        store->setStringForKey("checkpointFunction", save.checkpointFunction);
        store->setStringForKey("playerDesc", save.playerDesc);
        store->setStringForKey("backdropFile", save.backdropFile);
        store->flush();
        m_game->getRestartManager()->setHasCheckpoint(true);
        m_game->setNumStoryModeContinues(0);
        vorntest::LogCapture log;

        m_game->onContinueSavedGame();
        frames(10);
        EXPECT_NE(4242, m_game->getNumStoryModeContinues());
        EXPECT_EQ("level-1-street", m_game->getLevelScript());
        EXPECT_EQ("jors.plist", player()->getPlayerDesc());
        // The store may have been read afresh: asked again, not through the pointer above.
        CCUserDefault* now = CCUserDefault::sharedUserDefault();
        if (save.levelScript != "level-1-street")
        {
            EXPECT_NE(save.levelScript, now->getStringForKey("levelScript"));
        }
        else if (!save.checkpointFunction.empty())
        {
            EXPECT_NE(save.checkpointFunction, now->getStringForKey("checkpointFunction"));
        }
        EXPECT_TRUE(log.contains("the story starts afresh"));
        EXPECT_TRUE(log.contains("refused-"));
        m_game->quitToTitleScreen();
        frames(10);
    }
}

// A full disk while playing: the game keeps what it holds (never the older file), tells the
// player once with a pop-up, and the first save once there is room writes it all.
TEST_F(StoryFlowTest, AFullDiskKeepsTheGameAsItIsTellsThePlayerOnceAndTheNextSaveWritesIt)
{
    m_game->setNumStoryModeContinues(11881);
    AchievementScreen* popups = AchievementScreen::sharedAchievementScreen();
    ASSERT_NE(nullptr, popups);

    CCFileUtils::setWriteFaultForTesting(CCFileUtils::kWriteFault_DiskFull);
    vorntest::LogCapture log;
    m_game->setNumStoryModeContinues(77);
    EXPECT_TRUE(log.contains("ERROR: Unable to save the settings"));
    ASSERT_EQ(1u, popups->getQueue().size());
    EXPECT_EQ("PROGRESS NOT SAVED", popups->getQueue().front().getTitle());
    startStory();  // the stage's start is a saved checkpoint, failing too
    m_game->setCheckpoint("restoreStart");
    EXPECT_TRUE(popups->getQueue().empty());  // the one notice has been shown, no other waits
    EXPECT_TRUE(m_game->getRestartManager()->getHasCheckpoint());
    CCUserDefault* store = CCUserDefault::sharedUserDefault();
    EXPECT_EQ("level-1-street", store->getStringForKey("levelScript"));
    EXPECT_TRUE(store->getBoolForKey("hasCheckpoint"));
    frames(150);  // the notice has gone

    // Room again: the next checkpoint writes the whole store, and nothing more is shown.
    CCFileUtils::setWriteFaultForTesting(CCFileUtils::kWriteFault_None);
    m_game->setCheckpoint("restoreStart");
    frames(10);
    EXPECT_FALSE(popups->isVisible());
    EXPECT_TRUE(popups->getQueue().empty());
    std::string saved = vorntest::readFile(CCUserDefault::getXMLFilePath());
    EXPECT_NE(std::string::npos, saved.find("<entry key=\"levelScript\">level-1-street</entry>")) << saved;
    EXPECT_NE(std::string::npos, saved.find("<entry key=\"hasCheckpoint\">true</entry>")) << saved;
}

// What a full disk kept from the file is not lost when the player leaves: quitting and closing
// the window (where a SIGTERM or SIGINT ends the loop too) write it once there is room.
TEST_F(StoryFlowTest, ASaveThatFailedIsWrittenWhenThePlayerQuitsOrClosesTheWindow)
{
    enum Leave { kQuit, kWindowClosed };
    for (Leave leave : { kQuit, kWindowClosed })
    {
        SCOPED_TRACE(leave == kQuit ? "quit" : "the window closed");
        const int continues = 40 + leave;
        CCFileUtils::setWriteFaultForTesting(CCFileUtils::kWriteFault_DiskFull);
        startStory();  // the stage's start is a saved checkpoint, failing
        m_game->setNumStoryModeContinues(continues);
        CCFileUtils::setWriteFaultForTesting(CCFileUtils::kWriteFault_None);
        if (leave == kQuit)
        {
            m_game->getSystemManager()->quit();
        }
        else
        {
            AppDelegate app;
            app.applicationWillTerminate();
        }
        CCUserDefaultDocument::Values onDisk;
        const std::string text = vorntest::readFile(CCUserDefault::getXMLFilePath());
        ASSERT_TRUE(CCUserDefaultDocument::read(text.data(), text.size(), onDisk));
        EXPECT_EQ(std::to_string(continues), onDisk["NumStoryModeContinues"]);
        EXPECT_EQ("true", onDisk["hasCheckpoint"]);
        EXPECT_EQ("level-1-street", onDisk["levelScript"]);
        EXPECT_FALSE(CCUserDefault::sharedUserDefault()->hasUnsavedChanges());
        m_game->quitToTitleScreen();
        ASSERT_TRUE(stepUntil([this] { return title()->isOpen(); }));
    }
}

// A save the game may not open is not empty: it is kept aside before anything is saved, the
// player is told once, and the game plays on with fresh settings.
TEST_F(StoryFlowTest, ASaveTheGameCannotOpenIsKeptAsideAndThePlayerToldOnce)
{
    m_game->setNumStoryModeContinues(4242);
    const std::string path = CCUserDefault::getXMLFilePath();
    const std::string before = vorntest::readFile(path);
    const std::string folder = CCFileUtils::sharedFileUtils()->getWritablePath();
    auto keptCopies = [&folder, &before] {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
        {
            const std::string name = entry.path().filename().string();
            if (name.compare(0, 16, "UserDefault.xml.") == 0 && vorntest::readFile(entry.path().string()) == before)
            {
                names.insert(name);
            }
        }
        return names;
    };
    const std::set<std::string> earlier = keptCopies();
    ASSERT_NE(std::string::npos, before.find(">4242<"));
    std::vector<std::string> notices;
    m_boot.afterFrame = [&notices](int) {
        AchievementScreen* popups = AchievementScreen::sharedAchievementScreen();
        if (popups && popups->isVisible() && (notices.empty() || notices.back() != popups->getTitle()->getString()))
        {
            notices.push_back(popups->getTitle()->getString());
        }
    };
    for (int run = 0; run < 2; ++run)
    {
        SCOPED_TRACE(run == 0 ? "the save could not be opened" : "the next start");
        m_boot.shutDown();
        CCUserDefault::purgeSharedUserDefault();
        notices.clear();
        CCFileUtils::setOpenFaultForTesting(run == 0 ? EACCES : 0);
        CCUserDefault::sharedUserDefault();
        CCFileUtils::setOpenFaultForTesting(0);
        ASSERT_NO_FATAL_FAILURE(m_boot.boot());
        m_game = m_boot.game();
        frames(60);
        const int told = (int)std::count(notices.begin(), notices.end(), std::string("SAVE KEPT ASIDE"));
        EXPECT_EQ(run == 0 ? 1 : 0, told);
        EXPECT_NE(4242, m_game->getNumStoryModeContinues());
    }
    // The file that could not be opened is beside the new one, whole.
    EXPECT_EQ(earlier.size() + 1, keptCopies().size());
    EXPECT_EQ(std::string::npos, vorntest::readFile(path).find(">4242<"));
}

TEST_F(StoryFlowTest, ANewStoryOpensWithTheAutosaveNoticeThenTheStageAtOnceWithItsCheckpointNotice)
{
    // Story on the title: the notice shows before anything of the game does.
    key(VornPlayerInputMulti::kKeyEnter);
    VornScreen* notice = m_game->getAutosaveNotice();
    ASSERT_NE(nullptr, notice);
    EXPECT_EQ(m_game, notice->getParent());
    ASSERT_TRUE(stepUntil([notice] { return notice->isVisible(); }, 60));
    EXPECT_EQ("", m_game->getLevelScript());
    EXPECT_FALSE(m_game->getGameLayer()->isVisible());

    // Once it has played, the street begins and the notice is gone.
    ASSERT_TRUE(stepUntil([this] { return m_game->getLevelScript() == "level-1-street"; }, 150));
    EXPECT_FALSE(notice->isVisible());
    // The stage opens at once: the first wave and its caption within a few frames, and the
    // checkpoint the stage saves at its start is shown.
    BotManager* bots = m_game->getBotManager();
    bool started = stepUntil([bots] { return bots->getNumQueuedBots() + bots->getNumActiveBots() > 0; }, 3);
    lua_State* L = m_game->getScriptEngine()->getLuaState();
    lua_getglobal(L, "wave");
    EXPECT_TRUE(started) << "wave " << lua_tonumber(L, -1) << " player at " << player()->getBasePosition().x << ","
                         << player()->getBasePosition().y << " paused " << m_game->isPaused();
    lua_pop(L, 1);
    EXPECT_TRUE(m_hud->getCheckpointScreen()->isVisible());
    TimeAndLocationScreen* caption = m_hud->getTimeAndLocationScreen();
    EXPECT_TRUE(stepUntil([caption] { return caption->isVisible(); }, 10));
    // A first story is played on Easy, and the caption says so.
    EXPECT_STREQ("Dusk - Easy", caption->getTimePeriodLabel()->getString());
}

TEST_F(StoryFlowTest, AnArenaShowsItsClockAndTasksFromItsFirstFrames)
{
    ArenaModeHelper* arenas = ArenaModeHelper::sharedArenaModeHelper();
    ASSERT_NE(nullptr, arenas);
    arenas->setCurrentArenaIndex(0);
    const std::string level = arenas->getArenaLevelName(0);
    m_game->onLevelChosen(level.c_str());
    ASSERT_TRUE(stepUntil([this, &level] { return m_game->getLevelScript() == level; }));
    // What the arena's init shows stays up: the HUD is cleared before the level's scripts run.
    frames(2);
    EXPECT_TRUE(m_hud->getArenaTimerScreen()->isVisible());
    EXPECT_TRUE(m_hud->getArenaTasksScreen()->isVisible());
    EXPECT_TRUE(m_game->getArenaManager()->isRunning());
}

TEST_F(StoryFlowTest, TheStageClockCountsPlayOnlyAndAContinueTakesItBackToTheStart)
{
    frames(300);  // ten seconds at the title
    startStory();
    frames(60);
    // Five seconds on the pause screen do not count.
    key(VornPlayerInputMulti::kKeyEscape);
    frames(150);
    key(VornPlayerInputMulti::kKeyEscape);
    frames(30);
    ASSERT_FALSE(m_game->isPaused());
    const float played = (30 + 60 + 30 + 8) * kFrame;
    EXPECT_NEAR(played, m_game->getTimeInLevel(), 0.5f);

    // A continue goes back to the stage's start, and to its clock there.
    player()->setKillRequested(true);
    ASSERT_TRUE(stepUntil([this] { return m_game->getGameOverScreen()->isOpen(); }));
    frames(200);
    static_cast<GameOverScreen*>(m_game->getGameOverScreen())->onRestart();
    ASSERT_TRUE(stepUntil([this] { return inPlay() && !m_game->getGameOverScreen()->isVisible(); }));
    EXPECT_LT(m_game->getTimeInLevel(), 1.0f);

    // The results read minutes, seconds and hundredths of the stage played.
    frames(60);
    StageCompleteScreen* complete = static_cast<StageCompleteScreen*>(m_game->getStageCompleteScreen());
    m_game->onStageComplete();
    ASSERT_TRUE(stepUntil([complete] { return complete->isOpen(); }));
    std::string shown = complete->getTimeLabel()->getString();
    EXPECT_EQ("00:0", shown.substr(0, 4)) << shown;
}

TEST_F(StoryFlowTest, NoStageLetsThePlayerPastAWaveStillStanding)
{
    startStory();
    CCArray* levels = m_game->getLevelManager()->getLevels();
    ASSERT_EQ(5u, levels->count());
    for (unsigned int i = 0; i < levels->count(); ++i)
    {
        const std::string stage = static_cast<CCDictionary*>(levels->objectAtIndex(i))->valueForKey("LevelName")->getCString();
        SCOPED_TRACE(stage);
        if (i > 0)
        {
            m_game->getLevelManager()->setLevelIndex(i);
            ASSERT_TRUE(stepUntil([this, &stage] { return m_game->getLevelScript() == stage; }));
        }
        const std::string saved = CCUserDefault::sharedUserDefault()->getStringForKey("checkpointFunction");
        // Straight for the next trigger, never fighting, for fifteen seconds.
        m_keyboard->keyPressed(VornPlayerInputMulti::kKeyRight);
        for (int frame = 0; frame < 450 && player()->isAlive(); ++frame)
        {
            frames(1);
        }
        m_keyboard->keyReleased(VornPlayerInputMulti::kKeyRight);
        lua_State* L = m_game->getScriptEngine()->getLuaState();
        lua_getglobal(L, "wave");
        EXPECT_EQ(1, (int)lua_tonumber(L, -1)) << "a later wave began while the first one stood";
        lua_pop(L, 1);
        EXPECT_EQ(saved, CCUserDefault::sharedUserDefault()->getStringForKey("checkpointFunction"));
        // He stands behind the wave's wall.
        CCNode* wall = m_game->getBackground()->getNodeByName("lockWall");
        ASSERT_NE(nullptr, wall);
        EXPECT_TRUE(wall->isVisible());
        float wallX = wall->getParent()->convertToWorldSpace(wall->getPosition()).x;
        float playerX = player()->getParent()->convertToWorldSpace(player()->getBasePosition()).x;
        EXPECT_LT(playerX, wallX);
    }
}

TEST_F(StoryFlowTest, ExperienceThatFillsTheBarOnTheResultsBringsTheLevelUpScreen)
{
    startStory();
    VornActorDesc* jors = player()->getDesc();
    ASSERT_NE(nullptr, jors);
    jors->resetProgression();
    // Four street thugs' worth: exactly what the first level costs.
    VornActorDesc* thug = m_game->actorDescWithFile("street-thug.plist");
    ASSERT_NE(nullptr, thug);
    const int perKnockOut = (int)thug->getEnemyStats()->getXPKillPoints(0);
    ASSERT_EQ(0, jors->getMaxXPPoints(0) % perKnockOut);
    jors->increaseXPPoints(jors->getMaxXPPoints(0));

    StageCompleteScreen* complete = static_cast<StageCompleteScreen*>(m_game->getStageCompleteScreen());
    m_game->onStageComplete();
    ASSERT_TRUE(stepUntil([complete] { return complete->isOpen(); }));
    VornScreen* levelUp = m_game->getLevelUpScreen();
    EXPECT_TRUE(stepUntil([levelUp] { return levelUp->isVisible(); }, 200)) << "the full bar brought no level";
    jors->resetProgression();
}

// Quit on the arena results while the experience bar still fills: the levels it makes are offered
// there and then, the results go once they are spent, and the next match plays with no level-up
// screen opening over it.
TEST_F(StoryFlowTest, QuitWhileTheArenaResultsBarFillsOffersTheLevelsBeforeLeaving)
{
    ArenaModeHelper* arenas = ArenaModeHelper::sharedArenaModeHelper();
    ASSERT_NE(nullptr, arenas);
    ArenaCompleteScreen* results = dynamic_cast<ArenaCompleteScreen*>(m_game->getArenaCompleteScreen());
    ASSERT_NE(nullptr, results);
    VornScreen* levelUp = m_game->getLevelUpScreen();
    const std::string level = arenas->getArenaLevelName(0);
    auto startMatch = [this, arenas, &level] {
        arenas->setCurrentArenaIndex(0);
        m_game->onLevelChosen(level.c_str());
        title()->onClosed();
        return stepUntil([this, &level] { return m_game->getLevelScript() == level && inPlay(); });
    };
    ASSERT_TRUE(startMatch());
    VornActorDesc* fighter = player()->getDesc();
    ASSERT_NE(nullptr, fighter);
    fighter->resetProgression();
    // Two levels' worth: three seconds of filling bar.
    fighter->increaseXPPoints(fighter->getMaxXPPoints(0) + fighter->getMaxXPPoints(1));

    player()->setKillRequested(true);
    ASSERT_TRUE(stepUntil([results] { return results->isOpen(); }));
    frames(10);
    ASSERT_FALSE(levelUp->isVisible());
    results->onQuit();
    EXPECT_TRUE(levelUp->isVisible()) << "the levels the bar made were not offered before leaving";
    EXPECT_TRUE(results->isVisible());

    // The levels spent and the level-up left, as a player does with Return, the results go.
    for (int i = 0; i < 40 && levelUp->isVisible(); ++i)
    {
        key(VornPlayerInputMulti::kKeyEnter);
        frames(10);
    }
    EXPECT_FALSE(levelUp->isVisible());
    EXPECT_EQ(0, fighter->getNumXPLevelsSinceUpgrade());
    ASSERT_TRUE(stepUntil([this, results] { return !results->isVisible() && title()->isOpen(); }));

    // The next match: nothing left over from the last one opens over it.
    ASSERT_TRUE(startMatch());
    for (int i = 0; i < 300; ++i)
    {
        frames(1);
        ASSERT_FALSE(levelUp->isVisible()) << "a level-up screen opened over the match " << i << " frames in";
    }
    fighter->resetProgression();
}

TEST(StartUp, AGameWithoutItsLevelListStopsWithItsReasonAndAFailingStatus)
{
    // The game's resources, all but the level list.
    namespace fs = std::filesystem;
    const fs::path resources = vorntest::sourcePath("Resources");
    const fs::path partial = vorntest::makeTempDir("no-level-list");
    for (const fs::directory_entry& entry : fs::directory_iterator(resources))
    {
        if (entry.path().filename() != "levels.plist" && !fs::exists(partial / entry.path().filename()))
        {
            fs::create_symlink(entry.path(), partial / entry.path().filename());
        }
    }
    CCPoolManager::sharedPoolManager()->push();
    CCFileUtils::sharedFileUtils()->setResourceDirectory(partial.c_str());
    CCDirector::sharedDirector()->setWinSize(CCSize(960, 640));
    AppDelegate application;
    vorntest::LogCapture log;
    VornGameManager* game = new VornGameManager();
    ASSERT_TRUE(game->initVornGameManager());
    CCDirector::sharedDirector()->runWithScene(game);
    game->release();

    for (int frame = 0; frame < 600 && !CCDirector::sharedDirector()->isEnding(); ++frame)
    {
        CCDirector::sharedDirector()->step(kFrame);
    }
    EXPECT_TRUE(CCDirector::sharedDirector()->isEnding()) << "the game went on without its level list";
    EXPECT_EQ(1, application.getExitStatus());
    EXPECT_TRUE(log.contains("ERROR: The game cannot start: the game world could not be built"));
    // Nothing further is built on the broken world.
    CCDirector::sharedDirector()->step(kFrame);
    EXPECT_EQ(nullptr, game->getTitleScreen());

    CCDirector::purgeSharedDirector();
    CCPoolManager::sharedPoolManager()->pop();
    CCFileUtils::sharedFileUtils()->setResourceDirectory(resources.c_str());
}

// In play an achievement pop-up shows where a speaker's lines do: it gives way to them. One queued
// during a line waits for its end; one a line cuts short comes back after it, unless it had been
// up long enough to be read.
TEST_F(StoryFlowTest, AnAchievementPopUpGivesWayToASpeaker)
{
    startStory();
    SpeechScreen* speech = m_hud->getSpeechScreen();
    AchievementScreen* popUp = AchievementScreen::sharedAchievementScreen();
    ASSERT_NE(nullptr, popUp);
    ASSERT_TRUE(stepUntil([speech, popUp] { return !speech->isVisible() && !popUp->isVisible(); }));
    const struct
    {
        const char* when;
        int framesBeforeTheLine;  ///< after the pop-up is queued; -1: the line starts first
        bool comesBack;
    } cases[] = {
        { "queued while a line is spoken", -1, true },
        { "a line starts as it comes in", 30, true },
        { "a line starts as it leaves", 180, false },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.when);
        if (c.framesBeforeTheLine < 0)
        {
            speech->open();
            speech->setText("Wrong street, hero.");
        }
        popUp->queueAchievement("HEARD OUT", "You let him finish.");
        int shownBeforeTheLine = 0;
        for (int i = 0; i < c.framesBeforeTheLine; ++i)
        {
            frames(1);
            shownBeforeTheLine += popUp->isVisible() ? 1 : 0;
        }
        if (c.framesBeforeTheLine >= 0)
        {
            EXPECT_GT(shownBeforeTheLine, 0) << "nothing was speaking, yet the pop-up did not come";
            speech->open();
            speech->setText("Wrong street, hero.");
        }
        // While the line is up, the pop-up is not.
        bool overTheLine = false;
        for (int i = 0; i < 120; ++i)
        {
            frames(1);
            overTheLine = overTheLine || (popUp->isVisible() && speech->isVisible());
        }
        EXPECT_FALSE(overTheLine);
        speech->close();
        bool cameBack = false;
        for (int i = 0; i < 60; ++i)
        {
            frames(1);
            cameBack = cameBack || (popUp->isVisible() && std::string(popUp->getTitle()->getString()) == "HEARD OUT");
        }
        EXPECT_EQ(c.comesBack, cameBack);
        ASSERT_TRUE(stepUntil([popUp] { return !popUp->isVisible() && popUp->getQueue().empty(); }));
    }
}

TEST_F(StoryFlowTest, AStageLeftBehindLeavesNoShapesOrTriggers)
{
    CollisionManager* collisions = m_game->getCollisionManager();
    auto stageMembers = [collisions] {
        return collisions->getCollisionList(8)->getMembers().size() + collisions->getCollisionList(32)->getMembers().size();
    };
    startStory();
    ASSERT_GT(collisions->getCollisionList(8)->getMembers().size(), 0u);
    ASSERT_GT(collisions->getCollisionList(32)->getMembers().size(), 0u);
    m_game->quitToTitleScreen();
    EXPECT_EQ(0u, stageMembers()) << "left for the title";

    // Story again continues from the checkpoint the street saved.
    ASSERT_TRUE(stepUntil([this] { return title()->isOpen(); }));
    key(VornPlayerInputMulti::kKeyEnter);
    ASSERT_TRUE(stepUntil([this] { return inPlay(); }));
    ASSERT_GT(stageMembers(), 0u);
    m_game->setBackdropFile("");
    EXPECT_EQ(0u, stageMembers()) << "no stage";
}
