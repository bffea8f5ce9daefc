#include "CollisionManager.h"
#include "RestartManager.h"
#include "TimedTrigger.h"
#include "VornBackdrop.h"
#include "CheckpointScreen.h"
#include "HUD.h"
#include "VornGameManager.h"
#include "VornGameTypes.h"
#include "VornScreen.h"
#include "VornScriptEngine.h"
#include "VornTrigger.h"
#include "LevelManager.h"
#include "VornLuaProbe.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

#include <set>

#include <cstdlib>

USING_NS_CC;

namespace
{
class Counter
{
public:
    Counter() : count(0) {}
    void onSignal() { ++count; }
    int count;
};

/** Marks a checkpoint while a restore runs: it must be ignored. */
class MarkDuringRestore
{
public:
    explicit MarkDuringRestore(VornGameManager* manager) : m_manager(manager) {}
    void onLevelStarted() { m_manager->setRestartCheckpoint("notThisOne"); }

private:
    VornGameManager* m_manager;
};

class LevelFlow : public ::testing::Test
{
protected:
    void SetUp()
    {
        // Saved settings of earlier runs must not leak in.
        setenv("XDG_DATA_HOME", vorntest::makeTempDir("flow-home").c_str(), 1);
        CCUserDefault::purgeSharedUserDefault();
        CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
        manager = new VornGameManager();
        ASSERT_TRUE(manager->initVornGameManager());
        manager->initMain1();
        manager->setBootState(3);
        useScripts("game/flow");
    }

    void TearDown()
    {
        manager->cleanup();
        manager->release();
        CCDirector::purgeSharedDirector();
        CCUserDefault::purgeSharedUserDefault();
    }

    void useScripts(const char* folder)
    {
        CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::fixturePath(folder).c_str());
    }

    lua_State* state() { return manager->getScriptEngine()->getLuaState(); }

    /** The global as Lua sees it: "nil", "true", "false", a number or a string. */
    std::string global(const char* expression) { return vorntest::luaValue(state(), expression); }

    CCScopedAutoreleasePool pool;
    VornGameManager* manager = NULL;
};
} // namespace

TEST_F(LevelFlow, EachLevelRunsInAFreshStateAndStartsPlay)
{
    Counter started;
    manager->getLevelStartedSignal().connect(&started, &Counter::onSignal);
    ASSERT_TRUE(manager->isPaused());
    manager->setTimeInLevel(12.0f);

    // A queued level starts on the next running frame, once.
    manager->setLevelName("level-a");
    manager->tick(0.01f);
    manager->tick(0.01f);
    EXPECT_EQ(1, started.count);
    EXPECT_EQ("level-a", manager->getLevelScript());
    EXPECT_TRUE(manager->getPendingLevelName().empty());
    EXPECT_FALSE(manager->isPaused());
    EXPECT_TRUE(manager->getGameLayer()->isVisible());
    EXPECT_EQ("true", global("onlyInA"));
    EXPECT_EQ("false", global("initRestoring"));
    EXPECT_FLOAT_EQ(0.01f, manager->getTimeInLevel());

    manager->startLevel("level-b");
    EXPECT_EQ(2, started.count);
    EXPECT_EQ("false", global("sawA"));
    EXPECT_EQ("nil", global("onlyInA"));
    EXPECT_EQ("1", global("#calls"));
}

TEST_F(LevelFlow, ALevelLoadsBehindACoverShownFirst)
{
    // The load is one long frame: the cover goes up on the screen before it, so the wait holds a
    // still picture, and nothing jumps ahead by its length afterwards.
    HUD* hud = manager->getHUD();
    ASSERT_NE(nullptr, hud);
    CCLayerColor* cover = hud->getScreenLayer();
    ASSERT_NE(nullptr, cover);
    CCDirector* director = CCDirector::sharedDirector();
    director->setNextDeltaTimeZero(false);
    // The last level's checkpoint notice, drawn over the cover, is still sliding.
    hud->showCheckpointDisplay();
    ASSERT_TRUE(hud->getCheckpointScreen()->isVisible());
    struct Seen
    {
        CCDirector* director;
        unsigned int presentsBefore;
        unsigned int presentsByStart = 0;
        void onLoaded() { presentsByStart = director->getPresentCount() - presentsBefore; }
    } seen = { director, director->getPresentCount() };
    manager->getLevelStartedSignal().connect(&seen, &Seen::onLoaded);
    manager->setLevelName("level-a");
    manager->tick(1.0f / 60.0f);
    manager->getLevelStartedSignal().disconnect(&seen, &Seen::onLoaded);
    EXPECT_EQ("level-a", manager->getLevelScript());
    EXPECT_EQ(1u, seen.presentsByStart);
    EXPECT_TRUE(cover->isVisible());
    EXPECT_EQ(255, (int)cover->getOpacity());
    EXPECT_FALSE(hud->getCheckpointScreen()->isVisible());
    EXPECT_TRUE(director->isNextDeltaTimeZero());
}

TEST_F(LevelFlow, ModeAndSpeedFollowTheLevelNameAndDifficulty)
{
    const struct
    {
        const char* name;
        int difficulty;
        int mode;
        float speed;
        float enemyProgress;
    } cases[] = {
        { "level-a", kDifficulty_Easy, kVornGameMode_Story, 1.0f, 0.0f },
        { "level-a", kDifficulty_Normal, kVornGameMode_Story, 1.075f, 0.5f },
        { "level-a", kDifficulty_Hard, kVornGameMode_Story, 1.15f, 1.0f },
        { "the-arena-yard", kDifficulty_Hard, kVornGameMode_Arena, 1.0f, 0.5f },
        { "Arena-yard", kDifficulty_Hard, kVornGameMode_Story, 1.15f, 1.0f },
        { "level-a", 7, kVornGameMode_Story, 1.0f, 0.0f },
    };
    vorntest::LogCapture log;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        manager->setStoryDifficultyLevel(c.difficulty);
        manager->startLevel(c.name);
        EXPECT_EQ(c.mode, manager->getGameMode());
        EXPECT_FLOAT_EQ(c.speed, manager->getGameSpeedMod());
        EXPECT_FLOAT_EQ(c.enemyProgress, manager->getEnemyRPGProgress());
    }

    // No name: timers go and the mode resets, but nothing loads, unpauses or announces.
    Counter started;
    manager->getLevelStartedSignal().connect(&started, &Counter::onSignal);
    manager->setPaused(true);
    manager->startTimer(1.0f, "onNamed", false);
    VornScriptEngine* engine = manager->getScriptEngine();
    manager->startLevel("");
    EXPECT_EQ(0, started.count);
    EXPECT_TRUE(manager->isPaused());
    EXPECT_EQ(0u, manager->getTimers()->count());
    EXPECT_EQ(kVornGameMode_Story, manager->getGameMode());
    EXPECT_EQ(engine, manager->getScriptEngine());
}

TEST_F(LevelFlow, AFailingScriptIsLoggedAndTheLevelStillStarts)
{
    Counter started;
    manager->getLevelStartedSignal().connect(&started, &Counter::onSignal);
    manager->setPaused(true);
    {
        vorntest::LogCapture log;
        useScripts("game/flow/broken");
        manager->startLevel("level-a");
        EXPECT_TRUE(log.contains("ERROR: Unable to execute common level script!"));
        // The rest is skipped.
        EXPECT_EQ("nil", global("ranInit"));
    }
    EXPECT_EQ(1, started.count);
    EXPECT_FALSE(manager->isPaused());
    {
        vorntest::LogCapture log;
        useScripts("game/flow");
        EXPECT_FALSE(manager->loadLevelScript("no-such-level", false));
        EXPECT_TRUE(log.contains("ERROR: Unable to execute level script no-such-level.lua"));
    }
}

TEST_F(LevelFlow, SavedCheckpointComesBackThroughTheSettingsFile)
{
    // A save names only levels of the game's list: these scripts' levels are the list here.
    CCArray* levels = CCArray::create();
    for (const char* name : { "level-a", "level-b" })
    {
        CCDictionary* level = CCDictionary::create();
        level->setObject(CCString::create(name), "LevelName");
        levels->addObject(level);
    }
    manager->getLevelManager()->setLevels(levels);
    manager->setStoryDifficultyLevel(kDifficulty_Hard);
    manager->startLevel("level-a");
    manager->setTimeInLevel(42.5f);
    manager->setCheckpoint("restoreGate");
    // Only the saved copy keeps the name.
    EXPECT_TRUE(manager->getCheckpointFunction().empty());
    CCUserDefault* settings = CCUserDefault::sharedUserDefault();
    EXPECT_EQ("restoreGate", settings->getStringForKey("checkpointFunction"));
    EXPECT_EQ("level-a", settings->getStringForKey("levelScript"));
    EXPECT_TRUE(settings->getBoolForKey("hasCheckpoint"));

    // Play moves on: another level, another difficulty.
    manager->setStoryDifficultyLevel(kDifficulty_Easy);
    manager->startLevel("level-b");
    manager->quitToTitleScreen();
    ASSERT_TRUE(manager->isPaused());

    MarkDuringRestore marker(manager);
    manager->getLevelStartedSignal().connect(&marker, &MarkDuringRestore::onLevelStarted);
    vorntest::LogCapture log;
    manager->onContinueSavedGame();
    EXPECT_EQ("level-a", manager->getLevelScript());
    EXPECT_EQ("true", global("initRestoring"));
    EXPECT_EQ("true", global("gateRestoring"));
    EXPECT_EQ("init,restoreGate", global("table.concat(calls, ',')"));
    EXPECT_TRUE(log.contains("Restoring checkpoint via Lua function 'restoreGate'"));
    EXPECT_FLOAT_EQ(42.5f, manager->getTimeInLevel());
    EXPECT_EQ(kDifficulty_Hard, manager->getStoryDifficultyLevel());
    EXPECT_FLOAT_EQ(1.15f, manager->getGameSpeedMod());
    EXPECT_EQ("restoreGate", manager->getCheckpointFunction());
    EXPECT_FALSE(manager->getIsRestoring());
    EXPECT_FALSE(manager->isPaused());

    // After resetStoryMode the title's continue applies nothing.
    manager->getLevelStartedSignal().disconnect(&marker, &MarkDuringRestore::onLevelStarted);
    manager->resetStoryMode();
    manager->startLevel("level-b");
    manager->onContinueSavedGame();
    EXPECT_EQ("level-b", manager->getLevelScript());
}

TEST_F(LevelFlow, ContinueReturnsToTheCheckpointInMemory)
{
    Counter continued, used;
    manager->getContinueSignal().connect(&continued, &Counter::onSignal);
    manager->getContinueUsedSignal().connect(&used, &Counter::onSignal);
    manager->startLevel("level-a");
    manager->setRestartCheckpoint("restoreGate");
    EXPECT_FALSE(CCUserDefault::sharedUserDefault()->getBoolForKey("hasCheckpoint"));
    manager->startLevel("level-b");

    manager->onContinue();
    EXPECT_EQ(1, continued.count);
    EXPECT_EQ(1, used.count);
    EXPECT_EQ(1, manager->getNumStoryModeContinues());
    EXPECT_EQ(1, CCUserDefault::sharedUserDefault()->getIntegerForKey("NumStoryModeContinues"));
    EXPECT_EQ("level-a", manager->getLevelScript());
    EXPECT_EQ("true", global("gateRestoring"));

    // An arena continue is not counted.
    manager->startLevel("arena-b");
    manager->setRestartCheckpoint("");
    manager->onContinue();
    EXPECT_EQ(2, continued.count);
    EXPECT_EQ(1, used.count);
}

TEST_F(LevelFlow, TimersFireWithTheirProgressAndStopWhilePaused)
{
    manager->startLevel("timers");
    lua_State* L = state();
    lua_getglobal(L, "onProgress");
    // Frames and durations exact in binary, so the progress reads exactly.
    manager->startTimer(0.125f, lua_gettop(L), true);
    lua_pop(L, 1);
    manager->startTimer(0.0625f, "onNamed", false);
    manager->startTimer(0.0f, "onNamed", false);
    EXPECT_EQ(3u, manager->getTimers()->count());

    manager->setPaused(true);
    manager->tick(0.03125f);
    EXPECT_EQ("0", global("#ratios"));
    // Nor does the stage's clock: it counts play only.
    EXPECT_FLOAT_EQ(0.0f, manager->getTimeInLevel());
    manager->setPaused(false);

    for (int frame = 0; frame < 5; ++frame)
    {
        manager->tick(0.03125f);
    }
    EXPECT_EQ("0.25,0.5,0.75,1", global("table.concat(ratios, ',')"));
    // The zero-length timer on the first frame, the named one when its time came.
    EXPECT_EQ("2", global("namedCount"));
    EXPECT_EQ(0u, manager->getTimers()->count());

    // Nothing at that stack slot: no timer.
    manager->startTimer(1.0f, lua_gettop(L) + 5, false);
    EXPECT_EQ(0u, manager->getTimers()->count());
}

TEST_F(LevelFlow, TimersCallIntoTheLevelThatStartedThem)
{
    manager->startLevel("timers");
    lua_State* L = state();
    lua_getglobal(L, "onProgress");
    manager->startTimer(1.0f, lua_gettop(L), false);
    lua_pop(L, 1);
    TimedTrigger* timer = static_cast<TimedTrigger*>(manager->getTimers()->objectAtIndex(0));
    timer->retain();
    VornScriptEngine* engine = manager->getScriptEngine();
    // A new level drops the timers; one still held keeps calling its own state, not the new one.
    manager->startLevel("timers");
    EXPECT_EQ(0u, manager->getTimers()->count());
    EXPECT_EQ(engine, timer->getScriptEngine());
    EXPECT_TRUE(timer->advance(1.0f));
    EXPECT_EQ("0", global("#ratios"));
    timer->release();
}

// The shared helper of the real levels: a failing call is logged and the next still comes.
TEST_F(LevelFlow, EveryKeepsItsScheduleWhenItsFunctionFails)
{
    CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
    manager->startLevel("level-1-street");
    ASSERT_EQ("armed", global("(function() calls = 0; every(0.5, function() calls = calls + 1; "
                              "error('failed call ' .. calls) end) return 'armed' end)()"));
    vorntest::LogCapture log;
    // 2.125 s in frames under the tick's cap: calls at 0.5, 1, 1.5 and 2 s.
    for (int frame = 0; frame < 34; ++frame)
    {
        manager->tick(0.0625f);
    }
    EXPECT_EQ("4", global("calls"));
    for (const char* text : {"failed call 1", "failed call 4"})
    {
        EXPECT_TRUE(log.contains(text)) << text;
    }
}

TEST_F(LevelFlow, TriggersFireOnceUnlessTheyRepeatOrTheHandlerDeclines)
{
    manager->startLevel("triggers");
    CollisionList* triggerList = manager->getCollisionManager()->getCollisionList(VornTrigger::kCollisionListId);
    ASSERT_NE(nullptr, triggerList);

    CCNode* stage = CCNode::create();
    const char* names[] = { "onConsume", "onPeek", "onAgain", "onConsume" };
    const bool repeats[] = { false, false, true, false };
    std::vector<VornTrigger*> triggers;
    for (int i = 0; i < 4; ++i)
    {
        VornTrigger* trigger = VornTrigger::create();
        ASSERT_NE(nullptr, trigger);
        trigger->setTriggerName(names[i]);
        trigger->setRepeatTrigger(repeats[i]);
        trigger->setContentSize(CCSize(30.0f, 30.0f));
        // The last one stands away from the actor.
        trigger->setPosition(i < 3 ? ccp(40.0f, 10.0f) : ccp(200.0f, 10.0f));
        stage->addChild(trigger);
        triggers.push_back(trigger);
    }
    CCNode* actor = CCNode::create();
    actor->setContentSize(CCSize(10.0f, 40.0f));
    actor->setPosition(ccp(50.0f, 20.0f));
    stage->addChild(actor);
    ActorComponent* actorComponent = ActorComponent::create(actor);

    for (int frame = 0; frame < 2; ++frame)
    {
        for (size_t i = 0; i < triggers.size(); ++i)
        {
            manager->getTriggerHitSignal().emit(actorComponent, static_cast<ActorComponent*>(triggers[i]->getUserData()));
        }
    }
    EXPECT_EQ("1", global("hits.consume"));
    EXPECT_EQ("2", global("hits.peek"));
    EXPECT_EQ("2", global("hits.again"));
    EXPECT_EQ("1", global("lastAmount"));
    EXPECT_EQ("userdata", global("lastNodeType"));
    EXPECT_EQ("1000", manager->getTriggerStates());

    manager->setTriggerStates("01");
    EXPECT_FALSE(triggers[0]->isTriggered());
    EXPECT_TRUE(triggers[1]->isTriggered());
    EXPECT_FALSE(triggers[2]->isTriggered());
    manager->disableTriggers();
    EXPECT_EQ("1111", manager->getTriggerStates());

    stage->removeAllChildrenWithCleanup(true);
    triggerList->removeAllObjects();
}

TEST_F(LevelFlow, PauseFollowsTheScreensOnShow)
{
    VornScreen* title = new VornScreen();
    VornScreen* gameOver = new VornScreen();
    VornScreen* pauseScreen = new VornScreen();
    title->init();
    gameOver->init();
    pauseScreen->init();
    title->setVisible(false);
    gameOver->setVisible(false);
    manager->setTitleScreen(title);
    manager->setGameOverScreen(gameOver);
    manager->setPauseScreen(pauseScreen);
    manager->startLevel("level-a");
    ASSERT_FALSE(manager->isPaused());

    manager->togglePause();
    EXPECT_TRUE(manager->isPaused());
    // Still opening: the resume waits.
    pauseScreen->setOpening(true);
    manager->togglePause();
    EXPECT_TRUE(manager->isPaused());
    pauseScreen->setOpening(false);
    manager->togglePause();
    EXPECT_FALSE(manager->isPaused());

    title->setVisible(true);
    EXPECT_FALSE(manager->canShowPauseScreen());
    manager->togglePause();
    manager->applicationDidEnterBackground();
    EXPECT_FALSE(manager->isPaused());
    title->setVisible(false);

    gameOver->setVisible(true);
    manager->onPauseButton();
    manager->applicationDidEnterBackground();
    EXPECT_FALSE(manager->isPaused());
    gameOver->setVisible(false);
    manager->applicationDidEnterBackground();
    EXPECT_TRUE(manager->isPaused());

    manager->setTitleScreen(NULL);
    manager->setGameOverScreen(NULL);
    manager->setPauseScreen(NULL);
    title->release();
    gameOver->release();
    pauseScreen->release();
}

TEST_F(LevelFlow, ANewGamePlaysTheRealLevelsInOrder)
{
    CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
    Counter newGames, requested;
    manager->getNewGameSignal().connect(&newGames, &Counter::onSignal);
    manager->getLevelRequestedSignal().connect(&requested, &Counter::onSignal);
    vorntest::LogCapture log;

    // No autosave notice to wait for: the game begins at once with the first level queued.
    manager->setAutosaveNotice(NULL);
    manager->onNewGame(kDifficulty_Normal);
    EXPECT_EQ(1, newGames.count);
    EXPECT_EQ("level-1-street", manager->getPendingLevelName());
    manager->tick(0.01f);
    EXPECT_EQ("level-1-street", manager->getLevelScript());
    EXPECT_FLOAT_EQ(1.075f, manager->getGameSpeedMod());
    EXPECT_EQ("0", global("wave"));  // no wave before the player is on the stage

    for (const char* next : {"level-2-docks", "level-3-market", "level-4-yard", "level-5-tower"})
    {
        manager->onNextStage();
        manager->tick(0.01f);
        EXPECT_EQ(next, manager->getLevelScript());
    }
    manager->onNextStage();
    EXPECT_TRUE(manager->getPendingLevelName().empty());

    for (const std::string& line : log.lines())
    {
        EXPECT_EQ(std::string::npos, line.find("ERROR")) << line;
    }

    manager->onLevelChosen("arena-rooftop");
    EXPECT_EQ(1, requested.count);
    EXPECT_EQ("arena-rooftop", manager->getPendingLevelName());
}

TEST_F(LevelFlow, ArenasLoadTheirStagesWithoutErrors)
{
    CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
    struct
    {
        const char* level;
        const char* stage;
    } arenas[] = {{"arena-rooftop", "stage-arena"}, {"arena-yard", "stage-freight"}, {"arena-alley", "stage-alley"},
                  {"arena-helipad", "stage-helipad"}, {"arena-pier", "stage-pier"}};
    // No arena is fought on a story stage (the freight yard once played on the docks).
    const std::set<std::string> story = {"stage-street", "stage-docks", "stage-market", "stage-yard", "stage-tower"};
    for (const auto& a : arenas)
    {
        SCOPED_TRACE(a.level);
        vorntest::LogCapture log;
        manager->startLevel(a.level);
        EXPECT_EQ(kVornGameMode_Arena, manager->getGameMode());
        EXPECT_EQ(a.stage, manager->getBackdropFile());
        EXPECT_EQ(0u, story.count(manager->getBackdropFile()));
        ASSERT_TRUE(manager->getBackground() != NULL);
        EXPECT_TRUE(manager->getBackground()->getMainLayer() != NULL);
        EXPECT_EQ("restoreStart", manager->getCheckpointFunction());
        manager->tick(0.01f);
        for (const std::string& line : log.lines())
        {
            EXPECT_EQ(std::string::npos, line.find("ERROR")) << line;
        }
    }
}
