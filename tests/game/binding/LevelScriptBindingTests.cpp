#include "BotActor.h"
#include "BotManager.h"
#include "FightHealthScreen.h"
#include "CharacterSetups.h"
#include "HUD.h"
#include "PlayerHealthScreen.h"
#include "VornPlayer.h"
#include "RestartManager.h"
#include "VornActor.h"
#include "VornActorDesc.h"
#include "VornBackdrop.h"
#include "VornCameraManager.h"
#include "AutoLerpFloat.h"
#include "MusicManager.h"
#include "SFXManager.h"
#include "ArenaManager.h"
#include "ArenaTasksScreen.h"
#include "VornCollision.h"
#include "VornGameManager.h"
#include "VornScriptEngine.h"
#include "VornLuaProbe.h"
#include "VornTestSupport.h"
#include "cocos2d.h"
#include "lua_engine.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <set>
#include <vector>

USING_NS_CC;

namespace
{
class ScriptActor : public VornActor
{
public:
    virtual int getCharacterType() { return kCharacter_Player; }
};

// The street level running on the real resources; chunks run in the level's own script state,
// as the level script's functions do.
class LevelScriptBinding : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("XDG_DATA_HOME", vorntest::makeTempDir("binding-home").c_str(), 1);
        CCUserDefault::purgeSharedUserDefault();
        CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
        m_game = new VornGameManager();
        ASSERT_TRUE(m_game->initVornGameManager());
        m_game->initMain1();
        m_game->setBootState(3);
        m_game->setPlayerCharacterSetups(CharacterSetups::create("character-setup-player.csv"));
        m_game->startLevel("level-1-street");
        ASSERT_NE(nullptr, m_game->getScriptEngine());
    }

    void TearDown() override
    {
        m_game->cleanup();
        m_game->release();
        CCDirector::purgeSharedDirector();
        CCUserDefault::purgeSharedUserDefault();
    }

    lua_State* state() { return m_game->getScriptEngine()->getLuaState(); }


    void run(const std::string& code)
    {
        ASSERT_EQ(0, m_game->getScriptEngine()->getLuaEngine()->executeString(code.c_str())) << code;
    }

    /** "ok", or the error's text without Lua's position prefix. */
    std::string outcome(const std::string& code) { return vorntest::luaOutcome(state(), code); }

    /** The expression's value as tostring gives it. */
    std::string global(const char* expression) { return vorntest::luaValue(state(), expression); }

    /** A fighter of the real descriptor, held by the test and by the script global name. */
    ScriptActor* makeActor(const char* name)
    {
        ScriptActor* actor = new ScriptActor();
        EXPECT_TRUE(actor->initWithDesc(m_game->actorDescWithFile("jors.plist")));
        tolua_pushccobject(state(), actor, "VornActor");
        lua_setglobal(state(), name);
        return actor;
    }

    CCScopedAutoreleasePool m_pool;
    VornGameManager* m_game = nullptr;
};
} // namespace

TEST_F(LevelScriptBinding, TheStreetLevelSetsUpItsStageCheckpointsAndTimers)
{
    EXPECT_EQ("stage-street", m_game->getBackdropFile());
    ASSERT_NE(nullptr, m_game->getBackground());
    EXPECT_EQ("restoreStart", m_game->getCheckpointFunction());
    // The start is saved too, so the title's continue finds it.
    EXPECT_EQ("restoreStart", CCUserDefault::sharedUserDefault()->getStringForKey("checkpointFunction", ""));
    EXPECT_EQ("true", global("game().Background == VornGameManager:getSharedVornGameManager().Background"));
    EXPECT_EQ("Street", global("LevelManager:sharedLevelManager() and game().MusicManager and 'Street'"));

    // The neon signs' timeline is asked for once: it runs on into itself, so no timer restarts it.
    EXPECT_EQ("ambient", m_game->getBackground()->getNextAnimation());
    EXPECT_EQ(0u, m_game->getTimers()->count());
    // The stage opens at once: the trigger under the player's start begins the first wave, and
    // the next one waits for it.
    EXPECT_EQ("true", global("tostring(onStreetStart(nil, 1.0))"));
    EXPECT_EQ("1", global("wave"));
    EXPECT_EQ("false", global("tostring(onGateReached(nil, 1.0))"));
}

TEST_F(LevelScriptBinding, TimersTakeFunctionsNamesAndCoroutinesButNothingElse)
{
    m_game->getTimers()->removeAllObjects();
    vorntest::LogCapture log;
    run("calls, progress = 0, {}\n"
        "function byName() calls = calls + 1 end\n"
        "game():startTimer(0.5, 'byName')\n"
        "game():startTimer(1.0, function(p) progress[#progress + 1] = p end, true)\n"
        "coroutine.wrap(function() game():startTimer(0.5, byName) end)()\n"
        "game():startTimer(0.5, 42)\n"
        "game():startTimer(0.5)");
    EXPECT_EQ(3u, m_game->getTimers()->count());
    m_game->updateTimers(0.5f);
    m_game->updateTimers(0.5f);
    EXPECT_EQ("2", global("calls"));
    EXPECT_EQ("0.5 1", global("progress[1] .. ' ' .. progress[2]"));
    EXPECT_EQ(0u, m_game->getTimers()->count());
    EXPECT_TRUE(log.contains("ERROR: VornGameManager::startTimer - a timer calls a function or a function's name, not number"));
    EXPECT_TRUE(log.contains("ERROR: VornGameManager::startTimer - a timer calls a function or a function's name, not nothing"));

    // A timeline's callback runs once the timeline ends.
    run("ended = false\ngame().Background:playAnimation('flicker', function() ended = true end)");
    m_game->getBackground()->completedAnimationSequenceNamed("flicker");
    EXPECT_EQ("true", global("ended"));
}

TEST_F(LevelScriptBinding, WrongCallsRaiseTheirErrorTexts)
{
    ScriptActor* actor = makeActor("actor");
    struct Case
    {
        const char* code;
        const char* expected;
    };
    const Case cases[] = {
        { "game():setBackdropFile({})",
          "error in function 'setBackdropFile'.\n     argument #2 is 'table'; 'string' expected.\n" },
        { "game():startTimer('soon', byName)",
          "error in function 'startTimer'.\n     argument #2 is 'string'; 'number' expected.\n" },
        { "game():startTimer(1, byName, true, 5)",
          "error in function 'startTimer'.\n     argument #5 is 'number'; '[no object]' expected.\n" },
        { "VornGameManager.setCheckpoint(nil)", "invalid 'self' in function 'setCheckpoint'" },
        { "game().Background = 5", "invalid type in variable assignment.\n     value is 'number'; 'VornBackdrop' expected.\n" },
        { "game().Background:setObjectAnimation('fire', 'stage-barrel.plist', 0.1)",
          "error in function 'setObjectAnimation'.\n     argument #2 is 'string'; 'number' expected.\n" },
        { "game().Background:initWithFile('stage-street', nil, nil, nil)",
          "error in function 'initWithFile'.\n     argument #5 is 'nil'; '[no object]' expected.\n" },
        { "actor:isAlive(1)", "error in function 'isAlive'.\n     argument #2 is 'number'; '[no object]' expected.\n" },
        { "actor:doTakeDamage(5, nil, ccp(1, 0), 0)",
          "error in function 'doTakeDamage'.\n     argument #3 is 'nil'; 'value' expected.\n" },
        { "VornActor.reset(nil)", "invalid 'self' in function 'reset'" },
        { "actor.Speed = 'fast'", "invalid type in variable assignment.\n     value is 'string'; 'number' expected.\n" },
        { "VornActor.toVornActor(actor)", "error in function 'toVornActor'.\n     argument #1 is 'VornActor'; 'VornActor' expected.\n" },
        { "LevelManager:sharedLevelManager():setLevelName({})",
          "error in function 'setLevelName'.\n     argument #2 is 'table'; 'string' expected.\n" },
        { "CharacterSetups:create('character-setup-player.csv'):getValue('jors', 'MinHealth')",
          "error in function 'getValue'.\n     argument #4 is '[no object]'; 'number' expected.\n" },
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.expected, outcome(c.code)) << c.code;
    }
    actor->release();
}

TEST_F(LevelScriptBinding, ActorMembersConvertAndAnswerSafely)
{
    ScriptActor* actor = makeActor("actor");
    ScriptActor* other = makeActor("other");
    run("health = actor:getHealth()\n"
        "taken = actor:doTakeDamage(10, ccp(0, 0), ccp(1, 0), 0, true)\n"
        "actor.Height = 1.1920929e-7\n"
        "grounded = actor:isInAir()\n"
        "actor.Height = 1\n"
        "aloft = actor:isInAir()\n"
        "actor.Speed = '2.5'\n"
        "asNode = VornActor:toVornActor(actor) == actor and VornActor:toVornActor(game().Background:getNodeByName('neonSign')) == nil\n"
        "noType = actor:getNextAction(-1) == nil and actor:getNextAction(kVAT_MAX) == nil\n"
        "noHit = actor:willAttackHitActor(99, other) == false\n"
        "reach = type(actor:willAttackHitActor(kVAT_LightAttack, other))\n"
        "actionReach = type(actor:getAction():willAttackHitActor(actor, other))\n"
        "point = actor:getBasePosition()\n"
        "actor.Desc = nil");
    EXPECT_EQ("true", global("taken"));
    EXPECT_EQ("10", global("health - actor:getHealth()"));
    EXPECT_EQ("false true", global("tostring(grounded) .. ' ' .. tostring(aloft)"));
    EXPECT_FLOAT_EQ(2.5f, actor->getSpeed());
    EXPECT_EQ("true true true boolean boolean", global("tostring(asNode) .. ' ' .. tostring(noType) .. ' ' .. tostring(noHit) .. ' ' .. reach .. ' ' .. actionReach"));
    EXPECT_EQ(nullptr, actor->getDesc());

    // Gone under the script: the held value refuses, the copied point stays.
    actor->release();
    other->release();
    EXPECT_EQ("invalid 'self' in function 'isAlive'", outcome("actor:isAlive()"));
    EXPECT_EQ("ok", outcome("assert(point.x == 0 and point.y == 0)"));
}

TEST_F(LevelScriptBinding, ObjectsThatDieUnderAScriptAreRefused)
{
    // A new stage replaces the one a script holds (each load's backdrop drained from its pool).
    {
        CCScopedAutoreleasePool pool;
        m_game->setBackdropFile("stage-street");
    }
    run("stage = game().Background");
    {
        CCScopedAutoreleasePool pool;
        run("game():setBackdropFile('stage-street')");
    }
    EXPECT_EQ("invalid 'self' in function 'getMainLayer'", outcome("stage:getMainLayer()"));
    EXPECT_EQ("ok", outcome("assert(game().Background:getMainLayer() ~= nil)"));

    // A plain node is no particle system: nil, not a node misread as one.
    EXPECT_EQ("true", global("game().Background:getParticleSystemByName('neonSign') == nil"));
    EXPECT_EQ("true", global("game().Background:getNodeByName('neonSign') ~= nil"));

    // Loading a level from inside the level's own call: that call's state stays open until it ends.
    // (The docks start no timers, which would hold the engine too.)
    {
        CCScopedAutoreleasePool pool;
        m_game->startLevel("level-2-docks");
    }
    VornScriptEngine* before = m_game->getScriptEngine();
    run("wave = 5\n"
        "loaded = game():loadLevelScript('level-2-docks', false)\n"
        "after = tostring(loaded) .. ' ' .. tostring(wave)");
    EXPECT_NE(before, m_game->getScriptEngine());
    EXPECT_EQ("0", global("wave"));
}

TEST_F(LevelScriptBinding, LevelListAndCharacterTables)
{
    run("levels = LevelManager:sharedLevelManager()\n"
        "levels:newGame()\n"
        "first = levels:getStageIndex() .. levels:getMusicTrackName()\n"
        "moved = levels:nextLevel()\n"
        "second = levels:getStageIndex() .. tostring(levels:isLastLevel())\n"
        "past = levels:nextLevel()\n"
        "setups = CharacterSetups:create('character-setup-player.csv')\n"
        "found, bump = setups:getValue('jors', 'XPLevelBump', 0)\n"
        "missing, kept = setups:getValue('nobody', 'MinHealth', 7.5)");
    EXPECT_EQ("0Street", global("first"));
    EXPECT_EQ("true 1false true", global("tostring(moved) .. ' ' .. second .. ' ' .. tostring(past)"));
    EXPECT_EQ("true 10 false 7.5", global("tostring(found) .. ' ' .. bump .. ' ' .. tostring(missing) .. ' ' .. kept"));
}

namespace
{
/** Spawns what the queue lets on screen, then lets every enemy in play go through its Died event. */
void spawnAndDefeat(BotManager* bots)
{
    for (int i = 0; i < 3; ++i)
    {
        bots->update(5.0f);
    }
    std::vector<BotActor*> active(bots->getActiveBots().begin(), bots->getActiveBots().end());
    for (BotActor* bot : active)
    {
        bot->setHealth(0.0f);
        bots->onBotDied(bot);
    }
}
} // namespace

TEST_F(LevelScriptBinding, TheStreetHoldsEachWaveBehindItsWallAndCompletesOnceBothAreDown)
{
    BotManager* bots = m_game->getBotManager();
    ASSERT_NE(nullptr, bots);
    CCNode* wall = m_game->getBackground()->getNodeByName("lockWall");
    ASSERT_NE(nullptr, wall);
    EXPECT_FALSE(wall->isVisible());
    m_game->updateTimers(0.5f);
    EXPECT_EQ(2, bots->getMaxBotsOnScreen());  // on Easy one fewer at once
    EXPECT_EQ("jors.plist", m_game->getPlayer()->getPlayerDesc());
    EXPECT_TRUE(m_game->getPlayer()->getInputConnected());

    // The trigger under the start sends the first wave, with the scene and the hints, and raises
    // the wall before the gate: the gate cannot be reached, and does nothing, until the wave is down.
    run("first = onStreetStart(nil, 1.0)");
    EXPECT_EQ("true", global("first"));
    EXPECT_EQ(3, bots->getNumQueuedBots());
    EXPECT_TRUE(wall->isVisible());
    float gateX = m_game->getBackground()->getNodeByName("gate")->getPositionX();
    EXPECT_LT(wall->getPositionX() + wall->getContentSize().width, gateX);
    EXPECT_TRUE(m_game->getHUD()->isCinemascopeActive());
    EXPECT_TRUE(bots->isPaused());  // the enemies wait for the scene
    EXPECT_EQ("false", global("tostring(onGateReached(nil, 1.0))"));
    EXPECT_EQ(3, bots->getNumQueuedBots());
    m_game->updateTimers(6.0f);  // the scene is over
    EXPECT_FALSE(bots->isPaused());

    vorntest::LogCapture log;
    for (int round = 0; round < 3 && bots->getNumQueuedBots() > 0; ++round)
    {
        spawnAndDefeat(bots);
    }
    EXPECT_EQ("3 1", global("kills .. ' ' .. wave"));
    EXPECT_TRUE(m_game->getHUD()->getGoNode()->isVisible());
    EXPECT_FALSE(wall->isVisible());

    // The gate: the mid-stage checkpoint, then the second wave.
    run("onGateReached(nil, 1.0)");
    EXPECT_FALSE(m_game->getHUD()->getGoNode()->isVisible());
    EXPECT_EQ(4, bots->getNumQueuedBots());
    EXPECT_TRUE(wall->isVisible());
    EXPECT_EQ("restoreGate", CCUserDefault::sharedUserDefault()->getStringForKey("checkpointFunction", ""));
    unsigned int timers = m_game->getTimers()->count();
    for (int round = 0; round < 3 && bots->getNumQueuedBots() > 0; ++round)
    {
        spawnAndDefeat(bots);
    }
    EXPECT_EQ("7 2", global("kills .. ' ' .. wave"));
    EXPECT_EQ(timers + 1, m_game->getTimers()->count());  // the stage complete, a moment later
    for (const std::string& line : log.lines())
    {
        EXPECT_EQ(std::string::npos, line.find("ERROR")) << line;
    }
}

// The street's opening wave gives room to learn: two at once on every difficulty. The gate's
// wave after it is the usual one: one fewer at once on Easy.
TEST_F(LevelScriptBinding, HardSendsOneMoreInEachWaveAndEasyFewerAtOnce)
{
    struct
    {
        int difficulty, openingOnScreen, openingWave, gateOnScreen, gateWave;
    } cases[] = {{kDifficulty_Easy, 2, 3, 2, 4}, {kDifficulty_Normal, 2, 3, 3, 4}, {kDifficulty_Hard, 2, 4, 3, 5}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.difficulty);
        m_game->setStoryDifficultyLevel(c.difficulty);
        {
            CCScopedAutoreleasePool pool;
            m_game->startLevel("level-1-street");
        }
        m_game->updateTimers(0.5f);
        run("onStreetStart(nil, 1.0)");
        EXPECT_EQ(c.openingOnScreen, m_game->getBotManager()->getMaxBotsOnScreen());
        EXPECT_EQ(c.openingWave, m_game->getBotManager()->getNumQueuedBots());
        m_game->getBotManager()->clearSpawnQueue();
        run("init(true) restoreGate(true)");  // as a continue at the gate restores it
        EXPECT_EQ(c.gateOnScreen, m_game->getBotManager()->getMaxBotsOnScreen());
        EXPECT_EQ(c.gateWave, m_game->getBotManager()->getNumQueuedBots());
    }
}

TEST_F(LevelScriptBinding, TheDocksEndWithTheForemanAndTheFightBar)
{
    {
        CCScopedAutoreleasePool pool;
        m_game->startLevel("level-2-docks");
    }
    BotManager* bots = m_game->getBotManager();
    vorntest::LogCapture log;
    m_game->updateTimers(0.5f);
    const char* triggers[] = { "onDocksStart", "onPierReached", "onPierEnd" };
    for (int wave = 0; wave < 3; ++wave)
    {
        run(std::string(triggers[wave]) + "(nil, 1.0)");
        if (wave < 2)
        {
            for (int round = 0; round < 3 && bots->getNumQueuedBots() > 0; ++round)
            {
                spawnAndDefeat(bots);
            }
        }
    }
    ASSERT_EQ("6 3", global("kills .. ' ' .. wave"));
    ASSERT_EQ(1, bots->getNumQueuedBots());
    EXPECT_TRUE(bots->isPaused());  // he has his word first
    m_game->updateTimers(6.0f);
    for (int i = 0; i < 3; ++i)
    {
        bots->update(5.0f);
    }
    ASSERT_EQ(1u, bots->getActiveBots().size());
    BotActor* foreman = *bots->getActiveBots().begin();
    EXPECT_EQ("Dock Foreman", foreman->getDesc()->getDisplayName());
    EXPECT_TRUE(m_game->getHUD()->getFightHealthScreen()->isVisible());

    unsigned int timers = m_game->getTimers()->count();
    spawnAndDefeat(bots);
    EXPECT_EQ("7 3", global("kills .. ' ' .. wave"));
    EXPECT_EQ(timers + 1, m_game->getTimers()->count());
    for (const std::string& line : log.lines())
    {
        EXPECT_EQ(std::string::npos, line.find("ERROR")) << line;
    }
}

TEST_F(LevelScriptBinding, ThePlayerHudAndEnemiesAnswerScripts)
{
    BotManager* bots = m_game->getBotManager();
    bots->clearSpawnQueue();
    run("bots = game().BotManager\n"
        "thug = game():actorDescWithFile('street-thug.plist')\n"
        "sideID = bots:addBotToSpawnQueue(thug, kSpawnDir_Random)\n"
        "areaID = bots:addBotToSpawnQueue(thug, CCRectMake(10, 20, 30, 40), 1.5)\n"
        "player = game().Player\n"
        "notBot = bots:getBotID(player)\n"
        "accuracy = player:getHitAccuracy()\n"
        "player.InputConnected = false\n"
        "game():setPlayerDesc(game():actorDescWithFile('kira.plist'))\n"
        "button = type(game():getGamepadButtonString(kVornInput_Punch))\n"
        "noArenas = game():getArenaModeHelper() == nil\n"
        "game().HUD:enableCinemascope()\n"
        "letterbox = game().HUD:isCinemascopeActive()\n"
        "game().HUD:doScreenFade(ccc4(0, 0, 0, 255), 0.5)\n"
        "arena = game().ArenaManager\n"
        "arenaReached = arena ~= nil and ArenaManager:sharedArenaManager() == arena and arena:getTaskInstance(7) == nil");
    EXPECT_EQ("true", global("arenaReached"));
    ASSERT_EQ(2, bots->getNumQueuedBots());
    const tSpawnQueueItem& side = bots->getSpawnQueue().front();
    const tSpawnQueueItem& area = bots->getSpawnQueue().back();
    EXPECT_FLOAT_EQ(0.2f, side.fDelayTillNextSpawn);
    EXPECT_EQ(kSpawnDir_Random, side.eSpawnDir);
    EXPECT_FLOAT_EQ(1.5f, area.fDelayTillNextSpawn);
    EXPECT_FLOAT_EQ(30.0f, area.tSpawnRect.size.width);
    EXPECT_EQ("true", global("sideID ~= areaID"));
    EXPECT_EQ("-1 0 string true true", global("notBot .. ' ' .. accuracy .. ' ' .. button .. ' ' .. tostring(noArenas) .. ' ' .. tostring(letterbox)"));
    EXPECT_FALSE(m_game->getPlayer()->getInputConnected());
    // The restart store learns the character, so a restore brings it back.
    EXPECT_EQ("kira.plist", m_game->getPlayer()->getPlayerDesc());
    EXPECT_EQ(m_game->actorDescWithFile("kira.plist"), m_game->getPlayer()->getDesc());

    // One in play at no health is not counted; resume unlocks every enemy.
    bots->update(5.0f);
    bots->update(5.0f);
    ASSERT_EQ(2, bots->getNumActiveBots());
    bots->getActiveBots().front()->setHealth(0.0f);
    bots->getActiveBots().back()->setTargetPositionLocked(true);
    run("alive = bots:getNumActiveBots()\n"
        "bots:resume()\n"
        "first = bots:getBotFromID(sideID)\n"
        "firstState = first.State\n"
        "first.State = 'Disabled'\n"
        "first.TargetActor = nil");
    EXPECT_EQ("1", global("alive"));
    EXPECT_FALSE(bots->getActiveBots().back()->getTargetPositionLocked());
    EXPECT_EQ("Disabled", bots->getBotFromID(0)->getState());
    EXPECT_EQ(nullptr, bots->getBotFromID(0)->getTargetActor());
}

TEST_F(LevelScriptBinding, WrongCallsOnThePlayerHudAndEnemies)
{
    struct Case
    {
        const char* code;
        const char* expected;
    };
    const Case cases[] = {
        { "game().BotManager:addBotToSpawnQueue(nil, 'left')",
          "error in function 'addBotToSpawnQueue'.\n     argument #3 is 'string'; 'number' expected.\n" },
        { "game().BotManager:addBotToSpawnQueue(nil, 1, 2, 3)",
          "error in function 'addBotToSpawnQueue'.\n     argument #5 is 'number'; '[no object]' expected.\n" },
        { "game().BotManager:triggerOnBotEvent('x', kBotTrigger_Died)",
          "error in function 'triggerOnBotEvent'.\n     argument #2 is 'string'; 'number' expected.\n" },
        { "game().HUD:playSpeech('head', 'text', 1, nil, nil, 7)",
          "error in function 'playSpeech'.\n     argument #7 is 'number'; '[no object]' expected.\n" },
        { "game().HUD:doScreenFade(nil, 1)", "error in function 'doScreenFade'.\n     argument #2 is 'nil'; 'value' expected.\n" },
        { "game().HUD:showBossHealth(game().HUD)",
          "error in function 'showBossHealth'.\n     argument #2 is 'HUD'; 'VornActor' expected.\n" },
        { "game():setPlayerDesc(5)", "error in function 'setPlayerDesc'.\n     argument #2 is 'number'; 'VornActorDesc' expected.\n" },
        { "game().Player.InputConnected = 5",
          "invalid type in variable assignment.\n     value is 'number'; 'boolean' expected.\n" },
        { "VornPlayer.resetScore(nil)", "invalid 'self' in function 'resetScore'" },
        { "BotActor.setTargetPosition(nil, ccp(0, 0))", "invalid 'self' in function 'setTargetPosition'" },
        { "game().Player = 5", "invalid type in variable assignment.\n     value is 'number'; 'VornPlayer' expected.\n" },
        { "game().HUD = game().HUD", "ok" },
        { "game().BotManager.MaxBotsOnScreen = 'many'",
          "invalid type in variable assignment.\n     value is 'string'; 'number' expected.\n" },
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.expected, outcome(c.code)) << c.code;
    }

    // Callbacks only from the level's own script, and only functions.
    vorntest::LogCapture log;
    run("game().BotManager:triggerOnBotEvent(0, kBotTrigger_Died, 'onThugDied')\n"
        "game().BotManager:triggerOnBotEvent(0, 99, onThugDied)\n"
        "game().HUD:playSpeech('head', 'text', 1, 5)");
    EXPECT_TRUE(log.contains("ERROR: BotManager::triggerOnBotEvent - an enemy event calls a function, not string"));
    EXPECT_TRUE(log.contains("ERROR: BotManager::triggerOnBotEvent - 99 is no enemy event"));
    EXPECT_TRUE(log.contains("ERROR: HUD::playSpeech - a callback is number, not a function"));
}

TEST_F(LevelScriptBinding, EnemiesAndScreensMadeByAScriptDieSafely)
{
    vorntest::LogCapture log;
    run("local bots = BotManager:new_local()\n"
        "bots:init(1)\n"
        "held = bots:createBotActor(game():actorDescWithFile('street-thug.plist'))\n"
        "heldState = held.State\n"
        "bots = nil\n"
        "collectgarbage('collect')\n"
        "local hud = HUD:new_local()\n"
        "hud:showGrumvald()\n"
        "hudActive = hud:isCinemascopeActive()\n"
        "hud = nil\n"
        "collectgarbage('collect')");
    EXPECT_EQ("Idle", global("heldState"));
    // The manager took its pool with it: the held enemy refuses instead of reading freed memory.
    EXPECT_EQ("invalid 'self' in function 'hasReachedTarget'", outcome("held:hasReachedTarget()"));
    EXPECT_EQ("false", global("hudActive"));
    EXPECT_TRUE(log.contains("ERROR: HUD::showGrumvald - the HUD has not been built (init)"));

    // An enemy that is not in a manager's pool keeps no pointer to that manager.
    run("loose = BotActor:new_local()\n"
        "looseInit = loose:initWithBotManager(game().BotManager, game():actorDescWithFile('street-thug.plist'))\n"
        "loose = nil\ncollectgarbage('collect')");
    EXPECT_EQ("true", global("looseInit"));
    EXPECT_TRUE(log.contains("ERROR: BotActor::initWithBotManager - the enemy is not one of the manager's own"));
}

namespace
{
/** Records every object a script has seen that dies while it watches. */
class DeathWatch : public CCScriptObjectObserver
{
public:
    DeathWatch() { CCObjectAddScriptObserver(this); }
    ~DeathWatch() override { CCObjectRemoveScriptObserver(this); }
    void objectDestroyed(CCObject* object) override { m_dead.insert(object); }
    bool died(CCObject* object) const { return m_dead.count(object) > 0; }
    /** Addresses come back: start afresh before each case. */
    void clear() { m_dead.clear(); }

private:
    std::set<CCObject*> m_dead;
};
} // namespace

TEST_F(LevelScriptBinding, ObjectsHandedToTheGameStayAliveAfterACollection)
{
    DeathWatch watch;
    // Each object-typed variable gets a script-made object and gives it back: the game keeps
    // what it holds through the collection, and lets go of it once replaced.
    struct Case
    {
        const char* variable;
        const char* make;
        const char* type;
        std::function<CCObject*()> held;
    };
    VornGameManager* game = m_game;
    BotActor* bot = game->getBotManager()->createBotActor(game->actorDescWithFile("street-thug.plist"));
    ASSERT_NE(nullptr, bot);
    tolua_pushccobject(state(), bot, "BotActor");
    lua_setglobal(state(), "bot");
    const Case cases[] = {
        { "game().Background", "VornBackdrop:new_local()", "VornBackdrop", [game] { return (CCObject*)game->getBackground(); } },
        { "game().MusicManager", "(function() local music = MusicManager:new_local(); music:init(); return music end)()",
          "MusicManager", [game] { return (CCObject*)game->getMusicManager(); } },
        { "game().Player",
          "(function() local player = VornPlayer:new_local(); player:initWithDesc(game():actorDescWithFile('jors.plist')); return player end)()",
          "VornPlayer", [game] { return (CCObject*)game->getPlayer(); } },
        { "game().BotManager", "(function() local bots = BotManager:new_local(); bots:init(2); return bots end)()",
          "BotManager", [game] { return (CCObject*)game->getBotManager(); } },
        { "game().CameraManager",
          "(function() local camera = VornCameraManager:new_local(); camera:initWithGameLayer(VornBackdrop:new_local()); return camera end)()",
          "VornCameraManager", [game] { return (CCObject*)game->getCameraManager(); } },
        { "game().HUD", "(function() local hud = HUD:new_local(); hud:init(); return hud end)()", "HUD",
          [game] { return (CCObject*)game->getHUD(); } },
        { "game().ArenaManager", "(function() local arena = ArenaManager:new_local(); arena:init(); return arena end)()",
          "ArenaManager", [game] { return (CCObject*)game->getArenaManager(); } },
        { "game().HUD.GoNode", "VornBackdrop:new_local()", "CCNode", [game] { return (CCObject*)game->getHUD()->getGoNode(); } },
        { "bot.TargetActor", "BotActor:new_local()", "VornActor", [bot] { return (CCObject*)bot->getTargetActor(); } },
        { "game().CameraManager.GameScale", "AutoLerpFloat:new_local(2, 3)", "AutoLerpFloat",
          [game] { return (CCObject*)game->getCameraManager()->getGameScale(); } },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.variable);
        watch.clear();
        CCObject* original = c.held();
        CC_SAFE_RETAIN(original);
        ASSERT_EQ("ok", outcome(std::string(c.variable) + " = " + c.make + "\ncollectgarbage('collect')"));
        CCObject* made = c.held();
        ASSERT_NE(original, made);
        ASSERT_NE(nullptr, made);
        EXPECT_FALSE(watch.died(made));
        EXPECT_EQ(1u, made->retainCount());

        // Given back, the script-made one goes with the game's reference.
        tolua_pushccobject(state(), original, c.type);
        lua_setglobal(state(), "original");
        ASSERT_EQ("ok", outcome(std::string(c.variable) + " = original\noriginal = nil\ncollectgarbage('collect')"));
        EXPECT_EQ(original, c.held());
        EXPECT_TRUE(watch.died(made));
        CC_SAFE_RELEASE(original);
    }

    // setSFXManager keeps what it is given the same way; nil lets the game's own go.
    watch.clear();
    CCObject* sounds = game->getSFXManager();
    sounds->retain();
    run("game():setSFXManager(SFXManager:new_local())\ncollectgarbage('collect')");
    EXPECT_NE(sounds, game->getSFXManager());
    EXPECT_FALSE(watch.died(game->getSFXManager()));
    run("music = game().MusicManager\ngame().MusicManager = nil\ngame():setSFXManager(nil)");
    EXPECT_EQ("invalid 'self' in function 'play'", outcome("music:play('Street')"));
    EXPECT_EQ(nullptr, game->getSFXManager());
    // The manager made at start-up goes back for the teardown.
    tolua_pushccobject(state(), (SFXManager*)sounds, "SFXManager");
    lua_setglobal(state(), "sounds");
    run("game():setSFXManager(sounds)\nsounds = nil");
    sounds->release();
}

// Unlike the test above, nothing keeps the game's own objects alive here: whatever a script puts
// in a variable (a HUD it never built, nothing at all), the game plays on, and no part of it is
// left pointing at an object the script let go.
TEST_F(LevelScriptBinding, WhatAScriptPutsInTheGamesVariablesLeavesTheGamePlaying)
{
    DeathWatch watch;
    VornGameManager* game = m_game;
    ASSERT_NE(nullptr, game->getHUD()->getArenaTasksScreen());
    struct Case
    {
        const char* code;
        std::function<std::vector<CCObject*>()> stillHeld;  ///< what the game goes on using
    };
    auto hudAndOverlays = [game] {
        HUD* hud = game->getHUD();
        return std::vector<CCObject*>{ hud, hud ? hud->getArenaTasksScreen() : NULL,
                                       hud && hud->getArenaTasksScreen() ? hud->getArenaTasksScreen()->getArenaManager() : NULL };
    };
    const Case cases[] = {
        { "game().HUD = HUD:new_local()\ncollectgarbage('collect')\ngame():setCheckpoint('restoreStart')", hudAndOverlays },
        { "game().HUD = nil\ncollectgarbage('collect')\ngame():setCheckpoint('restoreStart')", hudAndOverlays },
        { "local before = game().ArenaManager\ngame().ArenaManager = nil\nbefore = nil\ncollectgarbage('collect')\n"
          "game().HUD:showArenaTasks()\ngame().HUD:showArenaTimer()",
          hudAndOverlays },
        { "game().ArenaManager = ArenaManager:new_local()\ncollectgarbage('collect')\ngame().HUD:showArenaTasks()",
          hudAndOverlays },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.code);
        watch.clear();
        EXPECT_EQ("ok", outcome(c.code));
        for (int frame = 0; frame < 30; ++frame)
        {
            game->tick(1.0f / 30.0f);
        }
        EXPECT_TRUE(game->getHUD() != NULL && game->getHUD()->isBuilt());
        for (CCObject* held : c.stillHeld())
        {
            EXPECT_FALSE(held != NULL && watch.died(held));
        }
        ArenaTasksScreen* tasks = game->getHUD()->getArenaTasksScreen();
        if (tasks->getArenaManager())
        {
            EXPECT_FALSE(watch.died(tasks->getArenaManager())) << "the task overlay follows a freed arena manager";
        }
    }
}

// Whatever a script hands to one of the game's variables (nothing, an object it never built, a
// value of another type), one line tells of it and the game plays on: frames, a checkpoint and a
// fresh start of the level. What cannot serve is refused and the game keeps its own; music and
// the stage it can do without.
TEST_F(LevelScriptBinding, WhateverAScriptPutsInAVariableIsToldOnceAndTheGamePlaysOn)
{
    VornGameManager* game = m_game;
    enum Rule
    {
        kKeepsItsOwn,
        kTakesIt,
    };
    struct Case
    {
        const char* variable;
        const char* value;
        Rule rule;
        std::function<CCObject*()> held;
    };
    auto music = [game] { return (CCObject*)game->getMusicManager(); };
    auto player = [game] { return (CCObject*)game->getPlayer(); };
    auto bots = [game] { return (CCObject*)game->getBotManager(); };
    auto stage = [game] { return (CCObject*)game->getBackground(); };
    auto camera = [game] { return (CCObject*)game->getCameraManager(); };
    auto hud = [game] { return (CCObject*)game->getHUD(); };
    auto levels = [game] { return (CCObject*)game->getLevelManager(); };
    auto arena = [game] { return (CCObject*)game->getArenaManager(); };
    const Case cases[] = {
        { "MusicManager", "MusicManager:new_local()", kKeepsItsOwn, music },
        { "MusicManager", "7", kKeepsItsOwn, music },
        { "MusicManager", "nil", kTakesIt, music },
        { "Player", "nil", kKeepsItsOwn, player },
        { "Player", "VornPlayer:new_local()", kKeepsItsOwn, player },
        { "Player", "game().HUD", kKeepsItsOwn, player },
        { "BotManager", "nil", kKeepsItsOwn, bots },
        { "BotManager", "BotManager:new_local()", kKeepsItsOwn, bots },
        { "BotManager", "'x'", kKeepsItsOwn, bots },
        { "Background", "nil", kTakesIt, stage },
        { "Background", "VornBackdrop:new_local()", kTakesIt, stage },
        { "Background", "{}", kKeepsItsOwn, stage },
        { "CameraManager", "nil", kKeepsItsOwn, camera },
        { "CameraManager", "VornCameraManager:new_local()", kKeepsItsOwn, camera },
        { "CameraManager", "true", kKeepsItsOwn, camera },
        { "HUD", "nil", kKeepsItsOwn, hud },
        { "HUD", "HUD:new_local()", kKeepsItsOwn, hud },
        { "HUD", "game().Player", kKeepsItsOwn, hud },
        { "LevelManager", "nil", kKeepsItsOwn, levels },
        { "LevelManager", "2", kKeepsItsOwn, levels },
        { "ArenaManager", "nil", kKeepsItsOwn, arena },
        { "ArenaManager", "ArenaManager:new_local()", kKeepsItsOwn, arena },
        { "ArenaManager", "game().HUD", kKeepsItsOwn, arena },
    };
    for (const Case& c : cases)
    {
        const std::string code = std::string("game().") + c.variable + " = " + c.value;
        SCOPED_TRACE(code);
        CCObject* own = c.held();
        ASSERT_NE(nullptr, own);
        {
            vorntest::LogCapture log;
            m_game->getScriptEngine()->getLuaEngine()->executeString((code + "\ncollectgarbage('collect')").c_str());
            ASSERT_EQ(1u, log.lines().size());
            EXPECT_TRUE(CCLogIsProblem(log.lines().front().c_str())) << log.lines().front();
        }
        if (c.rule == kKeepsItsOwn)
        {
            EXPECT_EQ(own, c.held());
        }
        else
        {
            EXPECT_NE(own, c.held());
        }
        for (int frame = 0; frame < 30; ++frame)
        {
            game->tick(1.0f / 30.0f);
        }
        run("game():setCheckpoint('restoreStart')");
        game->startLevel("level-1-street");
        for (int frame = 0; frame < 30; ++frame)
        {
            game->tick(1.0f / 30.0f);
        }
        EXPECT_NE(nullptr, game->getBackground());  // the level's own stage again
    }
}

TEST_F(LevelScriptBinding, DeleteOnlyFreesWhatTheScriptMadeAndNobodyElseHolds)
{
    struct Case
    {
        const char* code;
        const char* expected;
    };
    const Case cases[] = {
        { "game().Player:delete()", "delete refused: the object belongs to the game" },
        { "game().HUD:delete()", "delete refused: the object belongs to the game" },
        { "game():delete()", "delete refused: the object belongs to the game" },
        { "game().BotManager:delete()", "delete refused: the object belongs to the game" },
        { "game().CameraManager:delete()", "delete refused: the object belongs to the game" },
        { "kept = VornBackdrop:new()\ngame().Background = kept\nkept:delete()",
          "delete refused: the game still holds the object" },
        { "game().Background = nil\nkept:delete()", "ok" },
        { "VornBackdrop:new():delete()", "ok" },
        { "local stage = VornBackdrop:new_local()\nstage:delete()\ncollectgarbage('collect')", "ok" },
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.expected, outcome(c.code)) << c.code;
    }
    EXPECT_NE(nullptr, m_game->getPlayer());
    EXPECT_EQ("true", global("game().HUD ~= nil and game().BotManager ~= nil and game().CameraManager ~= nil"));
}

TEST_F(LevelScriptBinding, TheCameraAnswersScriptsAndTheLevelsShakeAndZoomIt)
{
    VornCameraManager* camera = m_game->getCameraManager();
    ASSERT_NE(nullptr, camera);
    run("camera = game().CameraManager\n"
        "camera.GameScale.Target = 6\n"
        "camera.CameraCenterHeight.Target = 12\n"
        "camera.ShakeScale = '1.5'\n"
        "camera:setLeftEdgeCollision(100)\n"
        "bounds = camera:getGameScreenBounds()\n"
        "followed = camera:getTarget() == game().Player\n"
        "camera:setTarget(nil)");
    EXPECT_FLOAT_EQ(6.0f, camera->getGameScale()->getTarget());
    EXPECT_FLOAT_EQ(12.0f, camera->getCameraCenterHeight()->getTarget());
    EXPECT_FLOAT_EQ(1.5f, camera->getShakeScale());
    EXPECT_FLOAT_EQ(100.0f, m_game->getBackground()->getLeftEdgeCollision()->getPositionX());
    EXPECT_EQ("true", global("followed"));
    EXPECT_EQ(nullptr, camera->getTarget());
    EXPECT_EQ("CCRect", global("tolua.type(bounds)"));
    camera->setTarget(m_game->getPlayer());

    // The level helpers: a shake for its time, a zoom relative to the level's own.
    camera->onRestart();
    m_game->getTimers()->removeAllObjects();
    run("shakeCamera(3.0, 0.25)\nzoomCamera(1.25, 1.0)");
    EXPECT_FLOAT_EQ(3.0f, camera->getShakeScale());
    EXPECT_FLOAT_EQ(VornCameraManager::kDefaultGameScale * 1.25f, camera->getGameScale()->getTarget());
    m_game->updateTimers(0.25f);
    EXPECT_FLOAT_EQ(0.0f, camera->getShakeScale());
    run("zoomCamera(1.0, 1.0)");
    EXPECT_FLOAT_EQ(VornCameraManager::kDefaultGameScale, camera->getGameScale()->getTarget());
}
