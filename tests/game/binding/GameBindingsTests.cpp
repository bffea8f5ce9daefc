#include "AnalyticsManager.h"
#include "BindingProbe.h"
#include "GameBindings.h"
#include "GameManager.h"
#include "LocaleManager.h"
#include "VornScriptEngine.h"
#include "VornLuaProbe.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

int tolua_BindingProbe_open(lua_State* L);

USING_NS_CC;

int BindingProbe::s_nLive = 0;

namespace
{
// A script engine with the probe class opened beside the game's binding and a helper that
// runs a chunk protected and answers "ok", or the error's text without Lua's position prefix.
class GameBindings : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pEngine = new VornScriptEngine();
        ASSERT_TRUE(m_pEngine->isOpen());
        ASSERT_EQ(0, lua_cpcall(state(), tolua_BindingProbe_open, NULL));
    }

    void TearDown() override
    {
        m_pEngine->release();
        EXPECT_EQ(0, BindingProbe::s_nLive);
    }

    lua_State* state() { return m_pEngine->getLuaState(); }

    void run(const std::string& code)
    {
        ASSERT_EQ(0, m_pEngine->getLuaEngine()->executeString(code.c_str())) << code;
    }

    /** "ok", or the error's text without Lua's position prefix. */
    std::string outcome(const std::string& code) { return vorntest::luaOutcome(state(), code); }

    VornScriptEngine* m_pEngine;
};
} // namespace

TEST_F(GameBindings, ConstantsHaveTheirScriptValuesAfterEveryOpen)
{
    // Opening again on the same state (another script engine's way) changes nothing.
    ASSERT_EQ(0, lua_cpcall(state(), tolua_GameBindings_open, NULL));
    run("local expected = {\n"
        "  VORNSCRIPTFUNC_NULL = 0, VORNSCRIPTREF_NULL = -1, MAX_NUM_RPG_LEVELS = 11,\n"
        "  kCharacter_Player = 0, kCharacter_Enemy = 1, kCharacter_MAX = 2,\n"
        "  kDifficulty_Easy = 0, kDifficulty_Normal = 1, kDifficulty_Hard = 2, kDifficulty_MAX = 3,\n"
        "  kRPG_Health = 0, kRPG_Power = 1, kRPG_Speed = 2, kRPG_Special = 3, kRPG_MAX = 4,\n"
        "  kVAT_MIN = 0, kVAT_Idle = 0, kVAT_Walk = 1, kVAT_FallForward = 2, kVAT_FallBack = 3,\n"
        "  kVAT_Floored = 4, kVAT_FlooredTakeDamage = 5, kVAT_StandUp = 6, kVAT_Jump = 7,\n"
        "  kVAT_JumpAttack = 8, kVAT_LightAttack = 9, kVAT_HeavyAttack = 10, kVAT_ForwardAttack = 11,\n"
        "  kVAT_BackAttack = 12, kVAT_RushAttackIntro = 13, kVAT_RushAttack = 14,\n"
        "  kVAT_GroundAttack = 15, kVAT_TakeDamage = 16, kVAT_Stunned = 17, kVAT_Grabbed = 18,\n"
        "  kVAT_GrabbedImpact = 19, kVAT_Grab = 20, kVAT_GrabLightAttack = 21,\n"
        "  kVAT_GrabHeavyAttack = 22, kVAT_GrabThrowBack = 23, kVAT_GrabThrowForward = 24,\n"
        "  kVAT_Thrown = 25, kVAT_ThrownBack = 26, kVAT_Default = 27, kVAT_MAX = 28,\n"
        "  kVET_None = 0, kVET_Attack = 1, kVET_Sound = 2, kVET_Fall = 3, kVET_Jump = 4,\n"
        "  kVET_Delay = 5, kVET_GrabTarget = 6, kVET_Throw = 7,\n"
        "  kFacingDir_Left = 0, kFacingDir_Right = 1,\n"
        "  kVornGameMode_Story = 0, kVornGameMode_Arena = 1, kVornGameMode_MAX = 2,\n"
        "  kVornInput_Nop = 0, kVornInput_Left = 1, kVornInput_Right = 2, kVornInput_Up = 3,\n"
        "  kVornInput_Down = 4, kVornInput_Jump = 5, kVornInput_Punch = 6, kVornInput_Kick = 7,\n"
        "  kVornInput_Stomp = 8, kVornInput_BackKick = 9, kVornInput_Pause = 10,\n"
        "  kVornInput_MenuAction = 11, kVornInput_MenuBack = 12, kVornInput_MAX = 13,\n"
        "  kGamepadAxis_Nop = 0, kGamepadAxis_MoveX = 1, kGamepadAxis_MoveY = 2,\n"
        "  kGamepadAxis_DpadMoveX = 3, kGamepadAxis_DpadMoveY = 4, kGamepadAxis_MAX = 5,\n"
        "  kSpawnDir_Left = 0, kSpawnDir_Right = 1, kSpawnDir_Random = 2, kSpawnDir_MAX = 3,\n"
        "  kBotTrigger_Spawned = 0, kBotTrigger_Killed = 1, kBotTrigger_Died = 2,\n"
        "  kBotTrigger_ReachedTarget = 3, kBotTrigger_Stunned = 4, kBotTrigger_StunnedFinished = 5,\n"
        "  kBotTrigger_Grabbed = 6, kBotTrigger_GrabbedFinished = 7, kBotTrigger_MAX = 8,\n"
        "}\n"
        "mismatches = ''\n"
        "for name, value in pairs(expected) do\n"
        "  if _G[name] ~= value then mismatches = mismatches .. name .. '=' .. tostring(_G[name]) .. ' ' end\n"
        "end\n"
        "absent = tostring(kVET_MAX) .. ' ' .. tostring(kFacingDir_MAX)");
    lua_State* L = state();
    lua_getglobal(L, "mismatches");
    EXPECT_STREQ("", lua_tostring(L, -1));
    lua_getglobal(L, "absent");
    EXPECT_STREQ("nil nil", lua_tostring(L, -1));
    lua_pop(L, 2);
}

TEST_F(GameBindings, WrongCallsRaiseTheirErrorTexts)
{
    run("lm = LocaleManager:new()\n"
        "desc = VornActorDesc:new()\n"
        "action = VornActionDesc:new()");
    struct Case
    {
        const char* code;
        const char* expected;
    };
    const Case cases[] = {
        { "SFXManager.sharedSFXManager()",
          "error in function 'sharedSFXManager'.\n     argument #1 is '[no object]'; 'SFXManager' expected.\n" },
        { "SFXManager:sharedSFXManager()", "ok" },
        { "lm:init(5)", "error in function 'init'.\n     argument #2 is 'number'; '[no object]' expected.\n" },
        { "LocaleManager.init(nil)", "invalid 'self' in function 'init'" },
        { "lm:localize({})", "error in function 'localize'.\n     argument #2 is 'table'; 'string' expected.\n" },
        { "desc:getHealth()", "error in function 'getHealth'.\n     argument #2 is '[no object]'; 'number' expected.\n" },
        { "VornActorDesc.getXPLevel(lm)",
          "error in function 'getXPLevel'.\n     argument #1 is 'LocaleManager'; 'VornActorDesc' expected.\n" },
        { "VornActorDesc.getDisplayName(nil)", "invalid 'self' in function 'getDisplayName'" },
        { "VornActionDesc.initWithDictionary(nil, nil, 'x', nil)", "invalid 'self' in function 'initWithDictionary'" },
        { "action.Duration = 'fast'", "invalid type in variable assignment.\n     value is 'string'; 'number' expected.\n" },
        { "VornActionDesc.new(lm)", "error in function 'new'.\n     argument #1 is 'LocaleManager'; 'VornActionDesc' expected.\n" },
        { "BindingProbe:new_local():fail()", "not enough memory" },
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.expected, outcome(c.code)) << c.code;
    }
    run("lm:delete(); desc:delete(); action:delete()");
}

TEST_F(GameBindings, MembersConvertArgumentsAndResults)
{
    run("action = VornActionDesc:new_local()\n"
        "action.Duration = '2.5'\n"
        "duration = action.Duration\n"
        "desc = VornActorDesc()\n"
        "noAction = desc:getActionDesc(nil) == nil and desc:getActionDesc('Walk') == nil\n"
        "noName = desc:getDisplayName() == nil\n"
        // Out-of-range stats and levels are answered with 0, never read past the tables.
        "outside = desc:getMinRPGPoints(7) + desc:getNumRPGPoints(-1) + desc:getMaxXPPoints(1000)\n"
        "am = AnalyticsManager:new()\n"
        "analytics = am:init('key') and AnalyticsManager:sharedAnalyticsManager() == am\n"
        "am:logEvent('started')\n"
        "am:delete()\n"
        "gm = GameManager:new()\n"
        "gm:setGameSpeedMod(0.5)\n"
        "game = GameManager:getInstance() == gm and gm:getGameSpeedMod() == 0.5\n"
        "gm:delete()\n"
        "echoed = BindingProbe:new_local():echo(nil) .. BindingProbe:new_local():echo(12)");
    lua_State* L = state();
    const char* names[] = { "noAction", "noName", "analytics", "game" };
    for (const char* name : names)
    {
        lua_getglobal(L, name);
        EXPECT_TRUE(lua_toboolean(L, -1)) << name;
        lua_pop(L, 1);
    }
    lua_getglobal(L, "duration");
    EXPECT_FLOAT_EQ(2.5f, (float)lua_tonumber(L, -1));
    lua_getglobal(L, "outside");
    EXPECT_EQ(0, lua_tonumber(L, -1));
    lua_getglobal(L, "echoed");
    EXPECT_STREQ("!12!", lua_tostring(L, -1));
    lua_pop(L, 3);
    EXPECT_EQ(NULL, AnalyticsManager::sharedAnalyticsManager());
    EXPECT_EQ(NULL, GameManager::getInstance());
}

TEST_F(GameBindings, ObjectsThatDieLeaveInvalidSelfAndValuesOutliveTheirSource)
{
    // An engine object the native side frees while a script holds it.
    LocaleManager* native = new LocaleManager();
    BindingProbe* other = new BindingProbe();
    run("probe = BindingProbe:new()\n"
        "lm = LocaleManager:sharedLocaleManager()\n"
        "point = probe:getBasePosition()");
    run("held = probe");
    lua_getglobal(state(), "probe");
    static_cast<BindingProbe*>(tolua_tousertype(state(), -1, 0))->setOther(other);
    lua_pop(state(), 1);
    run("borrowed = probe:getOther()");
    native->release();
    other->release();
    EXPECT_EQ("invalid 'self' in function 'localize'", outcome("lm:localize('x')"));
    EXPECT_EQ("invalid 'self' in function 'echo'", outcome("borrowed:echo('x')"));

    // new: the script owns it until delete; the point copy is Lua's and survives its source.
    run("probe:delete()\ncollectgarbage()\nx, y = point.x, point.y");
    EXPECT_EQ("invalid 'self' in function 'echo'", outcome("held:echo('x')"));
    EXPECT_EQ("ok", outcome("assert(x == 3 and y == 4)"));

    // new_local: collected with its last reference; new: never collected.
    run("kept = BindingProbe:new()\nlocal dropped = BindingProbe:new_local()\ndropped = nil\n"
        "point = nil\ncollectgarbage()\ncollectgarbage()");
    EXPECT_EQ(1, BindingProbe::s_nLive);
    run("kept:delete()");
}

TEST_F(GameBindings, EveryTypeNameIsRegistered)
{
    const char* names[] = {
        "CCPoint", "CCLayer", "MusicManager", "BotActor", "ActorComponent", "CCNode", "VornActionDesc",
        "ArenaModeHelper", "ArenaTaskInstance", "tVornAttackType", "CCScene", "AnalyticsManager", "SFXManager",
        "LevelManager", "VornCameraManager", "CCAnimatingSprite", "CCObject",
        "extension::CCBAnimationManagerDelegate", "VornDictionary", "CharacterSetups", "VornBackdrop",
        "VornActor", "ccColor4B", "ArenaManager", "VornPlayerInputBase", "VornPlayer", "VornScreen",
        "VornActorDesc", "HUD", "BotManager", "tSpawnQueueItem", "VornGameManager", "AutoLerpFloat",
        "LocaleManager", "GameManager", "CCParticleSystem", "CCSprite", "extension::CCBMemberVariableAssigner",
        "CCSpriteFrame", "cocos2d::CCObject", "CCRect",
    };
    ASSERT_EQ(41u, sizeof(names) / sizeof(names[0]));
    lua_State* L = state();
    for (const char* name : names)
    {
        luaL_getmetatable(L, name);
        EXPECT_TRUE(lua_istable(L, -1)) << name;
        lua_pop(L, 1);
    }
    run("classes = tostring(AutoLerpFloat ~= nil and VornCameraManager ~= nil)");
    lua_getglobal(L, "classes");
    EXPECT_STREQ("true", lua_tostring(L, -1));
    lua_pop(L, 1);
}

TEST_F(GameBindings, AnEasedValueEasesAndHasNoBaseAndNoDelete)
{
    run("eased = AutoLerpFloat:new_local(4, 10)\n"
        "made = eased.SmoothScale .. ' ' .. eased.Value .. ' ' .. eased.Target\n"
        "eased.Target = 20\n"
        "eased:tick(0.1)\n"
        "stepped = eased.Value\n"
        "eased:tick(1)\n"
        "arrived = eased.Value .. ' ' .. eased:getTargetByRef()\n"
        "called = AutoLerpFloat(1, 2).Value\n"
        "extras = tostring(AutoLerpFloat.delete) .. ' ' .. tostring(eased.retain) .. ' ' .. tostring(eased.release)\n"
        "eased = nil\ncollectgarbage('collect')");
    lua_State* L = state();
    const struct
    {
        const char* name;
        const char* expected;
    } cases[] = {
        { "made", "4 10 10" }, { "stepped", "14" }, { "arrived", "20 20" }, { "called", "2" }, { "extras", "nil nil nil" },
    };
    for (const auto& c : cases)
    {
        lua_getglobal(L, c.name);
        EXPECT_STREQ(c.expected, lua_tostring(L, -1)) << c.name;
        lua_pop(L, 1);
    }
    EXPECT_EQ("error in function 'new'.\n     argument #3 is '[no object]'; 'number' expected.\n",
              outcome("AutoLerpFloat:new(1)"));
}

TEST_F(GameBindings, UnknownInputsAndMissingTablesAnswerNil)
{
    run("names = tostring(VornPlayerInputBase:actionToString(99)) .. ' ' ..\n"
        "        tostring(VornPlayerInputBase:actionToString(-1)) .. ' ' ..\n"
        "        VornPlayerInputBase:actionToString(kVornInput_Nop) .. ' ' ..\n"
        "        VornPlayerInputBase:actionToString(kVornInput_MAX)\n"
        "table = tostring(CharacterSetups:create('no-such-table.csv'))");
    lua_State* L = state();
    lua_getglobal(L, "names");
    EXPECT_STREQ("nil nil NOP MAX", lua_tostring(L, -1));
    lua_getglobal(L, "table");
    EXPECT_STREQ("nil", lua_tostring(L, -1));
    lua_pop(L, 2);
}

TEST_F(GameBindings, TheCollectorLetsGoOfTheScriptsReferenceOnly)
{
    // A new_local object that native code took a reference on outlives its last script value.
    run("handed = BindingProbe:new_local()");
    lua_getglobal(state(), "handed");
    BindingProbe* probe = static_cast<BindingProbe*>(tolua_tousertype(state(), -1, 0));
    lua_pop(state(), 1);
    ASSERT_NE(nullptr, probe);
    probe->retain();
    run("handed = nil\ncollectgarbage('collect')\ncollectgarbage('collect')");
    EXPECT_EQ(1, BindingProbe::s_nLive);
    EXPECT_EQ(1u, probe->retainCount());

    // delete: refused while native code holds it, allowed on what only the script holds.
    tolua_pushccobject(state(), probe, "BindingProbe");
    lua_setglobal(state(), "borrowed");
    EXPECT_EQ("delete refused: the object belongs to the game", outcome("borrowed:delete()"));
    run("owned = BindingProbe:new()");
    lua_getglobal(state(), "owned");
    BindingProbe* owned = static_cast<BindingProbe*>(tolua_tousertype(state(), -1, 0));
    lua_pop(state(), 1);
    owned->retain();
    EXPECT_EQ("delete refused: the game still holds the object", outcome("owned:delete()"));
    owned->release();
    EXPECT_EQ("ok", outcome("owned:delete()"));
    probe->release();
    EXPECT_EQ(0, BindingProbe::s_nLive);
}
