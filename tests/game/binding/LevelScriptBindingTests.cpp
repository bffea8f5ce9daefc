#include "CharacterSetups.h"
#include "RestartManager.h"
#include "VornActor.h"
#include "VornBackdrop.h"
#include "VornGameManager.h"
#include "VornScriptEngine.h"
#include "VornTestSupport.h"
#include "cocos2d.h"
#include "lua_engine.h"

#include <gtest/gtest.h>

#include <cstdlib>

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
        defineOutcome();
    }

    void TearDown() override
    {
        m_game->cleanup();
        m_game->release();
        CCDirector::purgeSharedDirector();
        CCUserDefault::purgeSharedUserDefault();
    }

    lua_State* state() { return m_game->getScriptEngine()->getLuaState(); }

    void defineOutcome()
    {
        run("function outcome(code)\n"
            "  local ok, err = pcall(assert(loadstring(code)))\n"
            "  result = ok and 'ok' or string.gsub(tostring(err), '^%[string .-%]:%d+: ', '')\n"
            "end");
    }

    void run(const std::string& code)
    {
        ASSERT_EQ(0, m_game->getScriptEngine()->getLuaEngine()->executeString(code.c_str())) << code;
    }

    /** "ok", or the error's text without Lua's position prefix. */
    std::string outcome(const std::string& code)
    {
        lua_State* L = state();
        lua_getglobal(L, "outcome");
        lua_pushstring(L, code.c_str());
        if (lua_pcall(L, 1, 0, 0) != 0)
        {
            std::string message = lua_tostring(L, -1);
            lua_pop(L, 1);
            return "outcome failed: " + message;
        }
        return global("result");
    }

    /** The expression's value as tostring gives it. */
    std::string global(const char* expression)
    {
        lua_State* L = state();
        std::string code = std::string("return tostring(") + expression + ")";
        if (luaL_loadstring(L, code.c_str()) != 0 || lua_pcall(L, 0, 1, 0) != 0)
        {
            std::string error = lua_tostring(L, -1);
            lua_pop(L, 1);
            return "error: " + error;
        }
        std::string value = lua_tostring(L, -1);
        lua_pop(L, 1);
        return value;
    }

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
    EXPECT_EQ("true", global("game().Background == VornGameManager:getSharedVornGameManager().Background"));
    EXPECT_EQ("Street", global("LevelManager:sharedLevelManager() and game().MusicManager and 'Street'"));

    // The flicker timer plays the sign's timeline and starts the next one.
    ASSERT_EQ(1u, m_game->getTimers()->count());
    m_game->updateTimers(4.0f);
    EXPECT_EQ("flicker", m_game->getBackground()->getNextAnimation());
    EXPECT_EQ(1u, m_game->getTimers()->count());

    // The gate saves its checkpoint.
    run("onGateReached(nil, 1.0)");
    EXPECT_EQ("restoreGate", CCUserDefault::sharedUserDefault()->getStringForKey("checkpointFunction", ""));
    EXPECT_EQ("true", global("gateReached"));
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
    defineOutcome();
    VornScriptEngine* before = m_game->getScriptEngine();
    run("bossDefeated = true\n"
        "loaded = game():loadLevelScript('level-2-docks', false)\n"
        "after = tostring(loaded) .. ' ' .. tostring(bossDefeated)");
    EXPECT_NE(before, m_game->getScriptEngine());
    EXPECT_EQ("false", global("bossDefeated"));
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
    EXPECT_EQ("true 1true false", global("tostring(moved) .. ' ' .. second .. ' ' .. tostring(past)"));
    EXPECT_EQ("true 1.5 false 7.5", global("tostring(found) .. ' ' .. bump .. ' ' .. tostring(missing) .. ' ' .. kept"));
}
