#include "VornScriptEngine.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

USING_NS_CC;
using vorntest::LogCapture;

namespace
{
void run(VornScriptEngine* engine, const char* code)
{
    ASSERT_EQ(0, engine->getLuaEngine()->executeString(code)) << code;
}

std::string global(VornScriptEngine* engine, const char* name)
{
    lua_State* L = engine->getLuaState();
    lua_getglobal(L, name);
    const char* text = lua_tostring(L, -1);
    std::string value = text ? text : "nil";
    lua_pop(L, 1);
    return value;
}

// Something shaped like an actor: an engine object scripts see under a base type's name.
class FakeActor : public CCNode
{
};

// A bound function that keeps its first argument as a reference, as bindings that take a
// callback do; the engine rides along as an upvalue.
int keepCallback(lua_State* L)
{
    VornScriptEngine* engine = (VornScriptEngine*)lua_touserdata(L, lua_upvalueindex(1));
    lua_pushinteger(L, engine->createFunctionRef(L, 1));
    return 1;
}
} // namespace

TEST(VornScriptEngine, CallsGlobalsByNameWithEachArgumentForm)
{
    VornScriptEngine* engine = new VornScriptEngine();
    ASSERT_TRUE(engine->isOpen());
    run(engine, "function plain() got = 'plain' end\n"
                "function init(restoring) got = 'init ' .. tostring(restoring) end\n"
                "function trigger(node, value) got = tolua.type(node) .. ' ' .. value; return answer end");
    lua_State* L = engine->getLuaState();

    EXPECT_TRUE(engine->callGlobalFunction("plain"));
    EXPECT_EQ("plain", global(engine, "got"));
    EXPECT_TRUE(engine->callGlobalFunction("init", true));
    EXPECT_EQ("init true", global(engine, "got"));
    EXPECT_TRUE(engine->callGlobalFunction("init", false));
    EXPECT_EQ("init false", global(engine, "got"));

    CCNode* node = new CCNode();
    struct Case
    {
        const char* answer;
        bool expected;
    };
    // Nothing returned reads as false; any value but nil and false (0 too) as true.
    const Case cases[] = { { "answer = nil", false }, { "answer = false", false },
                           { "answer = 0", true }, { "answer = 'yes'", true } };
    for (const Case& c : cases)
    {
        run(engine, c.answer);
        bool result = !c.expected;
        EXPECT_TRUE(engine->callGlobalFunction("trigger", node, 1.5f, &result)) << c.answer;
        EXPECT_EQ(c.expected, result) << c.answer;
        EXPECT_EQ("CCNode 1.5", global(engine, "got"));
        EXPECT_EQ(0, lua_gettop(L));
    }
    EXPECT_TRUE(engine->callGlobalFunction("trigger", node, 2.0f, NULL));
    EXPECT_EQ("CCNode 2", global(engine, "got"));
    EXPECT_EQ(0, lua_gettop(L));

    node->release();
    engine->release();
}

TEST(VornScriptEngine, MissingGlobalsAnswerFalseQuietly)
{
    VornScriptEngine* engine = new VornScriptEngine();
    run(engine, "number = 3; tbl = {}");
    // A strict-globals guard must not turn a lookup into an unprotected error.
    run(engine, "setmetatable(_G, { __index = function(_, k) error('undefined global ' .. k) end })");
    lua_State* L = engine->getLuaState();
    LogCapture log;

    const char* names[] = { "missing", "number", "tbl", NULL };
    for (const char* name : names)
    {
        bool result = true;
        EXPECT_FALSE(engine->callGlobalFunction(name));
        EXPECT_FALSE(engine->callGlobalFunction(name, true));
        EXPECT_FALSE(engine->callGlobalFunction(name, NULL, 1.0f, &result));
        EXPECT_TRUE(result);  // left as the caller set it
        EXPECT_EQ(VORNSCRIPTREF_NULL, engine->getFunctionRef(name));
        EXPECT_EQ(0, lua_gettop(L));
    }
    EXPECT_TRUE(log.lines().empty());

    // Only the state functions report a missing function, and leave the stack alone.
    lua_pushinteger(L, 7);
    EXPECT_FALSE(engine->callStateFunction("begin_state", NULL, "CCObject"));
    EXPECT_TRUE(log.contains("begin_statename does not represent a Lua function"));
    EXPECT_EQ(1, lua_gettop(L));
    lua_pop(L, 1);
    engine->release();
}

TEST(VornScriptEngine, ScriptErrorsAreLoggedWithTheFunctionAndTheGameGoesOn)
{
    VornScriptEngine* engine = new VornScriptEngine();
    run(engine, "function explode() error('kaput') end\n"
                "function throwTable() error({}) end\n"
                "function judge(node, value) error('no verdict') end\n"
                "function fine() ok = 'yes' end");
    lua_State* L = engine->getLuaState();
    LogCapture log;

    EXPECT_FALSE(engine->callGlobalFunction("explode"));
    EXPECT_TRUE(log.contains("explode: "));
    EXPECT_TRUE(log.contains("kaput"));
    EXPECT_TRUE(log.contains("stack traceback"));

    EXPECT_FALSE(engine->callGlobalFunction("throwTable", true));
    EXPECT_TRUE(log.contains("(error object is a table value)"));

    bool result = true;
    EXPECT_FALSE(engine->callGlobalFunction("judge", NULL, 0.0f, &result));
    EXPECT_TRUE(result);
    EXPECT_TRUE(log.contains("no verdict"));

    log.clear();
    int ref = engine->getFunctionRef("explode");
    EXPECT_FALSE(engine->callFunctionRef(ref, 1.0f));
    EXPECT_TRUE(log.contains("function reference"));
    EXPECT_TRUE(log.contains("kaput"));

    EXPECT_EQ(0, lua_gettop(L));
    EXPECT_TRUE(engine->callGlobalFunction("fine"));
    EXPECT_EQ("yes", global(engine, "ok"));
    engine->releaseFunctionRef(ref);
    engine->release();
}

TEST(VornScriptEngine, FunctionReferencesAreMadeCalledAndReleased)
{
    VornScriptEngine* engine = new VornScriptEngine();
    run(engine, "function timer(dt) fired = 'timer ' .. dt end");
    lua_State* L = engine->getLuaState();

    int byName = engine->getFunctionRef("timer");
    ASSERT_NE(VORNSCRIPTREF_NULL, byName);
    EXPECT_TRUE(engine->callFunctionRef(byName, 0.25f));
    EXPECT_EQ("timer 0.25", global(engine, "fired"));

    // From a stack slot: any value but nil is kept, within the stack only.
    lua_getglobal(L, "timer");
    lua_pushinteger(L, 5);
    lua_pushnil(L);
    EXPECT_EQ(VORNSCRIPTREF_NULL, engine->createFunctionRef(0));
    EXPECT_EQ(VORNSCRIPTREF_NULL, engine->createFunctionRef(-1));
    EXPECT_EQ(VORNSCRIPTREF_NULL, engine->createFunctionRef(4));
    EXPECT_EQ(VORNSCRIPTREF_NULL, engine->createFunctionRef(-4));
    int number = engine->createFunctionRef(2);
    EXPECT_NE(VORNSCRIPTREF_NULL, number);
    int bySlot = engine->createFunctionRef(-3);
    EXPECT_EQ(3, lua_gettop(L));
    lua_settop(L, 0);
    EXPECT_FALSE(engine->callFunctionRef(number));  // kept, but not callable
    EXPECT_TRUE(engine->callFunctionRef(bySlot, 1.0f));
    EXPECT_EQ("timer 1", global(engine, "fired"));

    // Released: the holder's copy is spent and a stale copy no longer calls anything.
    int stale = bySlot;
    engine->releaseFunctionRef(bySlot);
    EXPECT_EQ(VORNSCRIPTREF_NULL, bySlot);
    engine->releaseFunctionRef(bySlot);
    EXPECT_FALSE(engine->callFunctionRef(stale));
    EXPECT_FALSE(engine->callFunctionRef(VORNSCRIPTREF_NULL));
    EXPECT_FALSE(engine->callFunctionRef(0));
    EXPECT_EQ(0, lua_gettop(L));

    // A callback handed to a binding from inside a coroutine lives on that coroutine's stack.
    lua_pushlightuserdata(L, engine);
    lua_pushcclosure(L, keepCallback, 1);
    lua_setglobal(L, "keep");
    run(engine, "co = coroutine.create(function() kept = keep(function(x) fired = 'co ' .. x end) end)\n"
                "assert(coroutine.resume(co))");
    int kept = atoi(global(engine, "kept").c_str());
    EXPECT_TRUE(engine->callFunctionRef(kept, 2.0f));
    EXPECT_EQ("co 2", global(engine, "fired"));

    // Another state's thread is refused rather than naming a slot of the wrong registry.
    VornScriptEngine* other = new VornScriptEngine();
    lua_pushboolean(other->getLuaState(), 1);
    EXPECT_EQ(VORNSCRIPTREF_NULL, engine->createFunctionRef(other->getLuaState(), 1));
    other->release();

    engine->releaseFunctionRef(kept);
    engine->releaseFunctionRef(number);
    engine->releaseFunctionRef(byName);
    engine->release();
}

TEST(VornScriptEngine, HolderRetainsTheEngineAndAClosedEngineAnswersNothing)
{
    VornScriptEngine* engine = new VornScriptEngine();
    run(engine, "function onFade() faded = (faded or 0) + 1 end");
    int ref = engine->getFunctionRef("onFade");

    // The holder of a reference keeps the engine alive past its owner's release.
    engine->retain();
    engine->release();
    EXPECT_TRUE(engine->callFunctionRef(ref));

    LogCapture log;
    engine->close();
    EXPECT_FALSE(engine->isOpen());
    EXPECT_FALSE(engine->callFunctionRef(ref));
    EXPECT_FALSE(engine->callGlobalFunction("onFade"));
    EXPECT_EQ(VORNSCRIPTREF_NULL, engine->getFunctionRef("onFade"));
    EXPECT_FALSE(engine->executeScriptFile(vorntest::fixturePath("game/actors/grunt.lua").c_str()));
    EXPECT_TRUE(log.contains("Unable to execute script file"));
    engine->releaseFunctionRef(ref);
    EXPECT_EQ(VORNSCRIPTREF_NULL, ref);
    engine->release();
}

TEST(VornScriptEngine, EnginesSideBySideKeepTheirOwnScripts)
{
    VornScriptEngine* a = new VornScriptEngine();
    VornScriptEngine* b = new VornScriptEngine();
    ASSERT_NE(a->getLuaState(), b->getLuaState());
    const std::string grunt = vorntest::fixturePath("game/actors/grunt.lua");
    EXPECT_TRUE(a->executeScriptFile(grunt.c_str()));
    EXPECT_TRUE(b->executeScriptFile(grunt.c_str()));

    run(a, "function who() name = 'a' end; shared = 'a only'");
    run(b, "function who() name = 'b' end");
    EXPECT_EQ("nil", global(b, "shared"));

    // Equal reference numbers, separate registries.
    int refA = a->getFunctionRef("who");
    int refB = b->getFunctionRef("who");
    EXPECT_TRUE(a->callFunctionRef(refA));
    EXPECT_TRUE(b->callFunctionRef(refB));
    EXPECT_EQ("a", global(a, "name"));
    EXPECT_EQ("b", global(b, "name"));

    // Closing one leaves the other whole.
    a->release();
    EXPECT_TRUE(b->callFunctionRef(refB));
    EXPECT_TRUE(b->callGlobalFunction("begin_state"));
    b->releaseFunctionRef(refB);
    b->release();
}

TEST(VornScriptEngine, ActorsCrossAsTypedUserValuesThatDieWithTheirObject)
{
    CCScopedAutoreleasePool pool;
    VornScriptEngine* engine = new VornScriptEngine();
    ASSERT_TRUE(engine->executeScriptFile(vorntest::fixturePath("game/actors/grunt.lua").c_str()));
    run(engine, "function onHit(bot, other) hit = tolua.type(bot) .. ' hits ' .. tolua.type(other);"
                " bot:setPosition(3, 4); keptBot = bot end\n"
                "function onDamage(bot, fatal) damage = tostring(fatal) end\n"
                "function onEvent(bot) event = tostring(bot == keptBot) end");
    FakeActor* bot = new FakeActor();
    CCObject* target = new CCObject();
    LogCapture log;

    EXPECT_TRUE(engine->callStateFunction("begin_state", bot, "CCNode"));
    EXPECT_EQ((int)bot->m_uID, bot->m_nLuaID);
    EXPECT_FALSE(engine->callStateFunction("tick", bot, "CCNode"));
    EXPECT_TRUE(log.contains("tick: "));
    EXPECT_TRUE(log.contains("tick failed for CCNode"));
    run(engine, "assert(seen[1] == 'begin CCNode')");

    int onHit = engine->getFunctionRef("onHit");
    int onDamage = engine->getFunctionRef("onDamage");
    int onEvent = engine->getFunctionRef("onEvent");
    EXPECT_TRUE(engine->callFunctionRef(onHit, bot, "CCNode", target, "CCObject"));
    EXPECT_EQ("CCNode hits CCObject", global(engine, "hit"));
    EXPECT_EQ(CCPoint(3, 4), bot->getPosition());
    EXPECT_TRUE(engine->callFunctionRef(onDamage, bot, "CCNode", true));
    EXPECT_EQ("true", global(engine, "damage"));
    EXPECT_TRUE(engine->callFunctionRef(onEvent, bot, "CCNode"));
    EXPECT_EQ("true", global(engine, "event"));

    // A script that kept the actor past its death gets an error, not freed memory.
    bot->release();
    log.clear();
    EXPECT_EQ(1, engine->getLuaEngine()->executeString("keptBot:setPosition(1, 1)"));
    EXPECT_TRUE(log.contains("invalid 'self'"));

    engine->releaseFunctionRef(onHit);
    engine->releaseFunctionRef(onDamage);
    engine->releaseFunctionRef(onEvent);
    target->release();
    engine->release();
}

TEST(VornScriptEngine, ObjectsOfTypesTheScriptsDoNotKnowCrossAsPlainEngineObjects)
{
    CCScopedAutoreleasePool pool;
    VornScriptEngine* engine = new VornScriptEngine();
    run(engine, "function onPair(first, second) pair = tolua.type(first) .. ' and ' .. tolua.type(second) end");
    CCObject* other = new CCObject();
    lua_State* L = engine->getLuaState();
    int onPair = engine->getFunctionRef("onPair");

    // An object under a type the state never registered must still fill its own argument.
    struct Case
    {
        const char* firstType;
        CCObject* second;
        const char* secondType;
        const char* seen;
    };
    const Case cases[] = {
        { "CCNode", other, "CCObject", "CCNode and CCObject" },
        { "NoSuchType", other, "CCObject", "CCObject and CCObject" },
        { NULL, other, "CCObject", "CCObject and CCObject" },
        { "NoSuchType", other, "NorThisOne", "CCObject and CCObject" },
        { "NoSuchType", NULL, "CCObject", "CCObject and nil" },
    };
    for (const Case& c : cases)
    {
        // A node of its own each time: a node once pushed as itself keeps that type.
        CCNode* node = new CCNode();
        run(engine, "pair = nil");
        EXPECT_TRUE(engine->callFunctionRef(onPair, node, c.firstType, c.second, c.secondType))
            << (c.firstType ? c.firstType : "NULL");
        EXPECT_EQ(c.seen, global(engine, "pair")) << (c.firstType ? c.firstType : "NULL");
        EXPECT_EQ(0, lua_gettop(L));
        node->release();
    }

    engine->releaseFunctionRef(onPair);
    other->release();
    engine->release();
}

TEST(VornScriptEngine, ScriptFilesThatAreMissingOrFailAreReported)
{
    VornScriptEngine* engine = new VornScriptEngine();
    LogCapture log;
    EXPECT_FALSE(engine->executeScriptFile("no-such-level.lua"));
    EXPECT_TRUE(log.contains("ERROR: Unable to open script file 'no-such-level.lua'!"));
    EXPECT_FALSE(engine->executeScriptFile(NULL));

    const std::string broken = vorntest::fixturePath("game/actors/broken.lua");
    EXPECT_FALSE(engine->executeScriptFile(broken.c_str()));
    EXPECT_TRUE(log.contains("[LUA ERROR]"));
    EXPECT_TRUE(log.contains("broken.lua:4"));
    EXPECT_TRUE(log.contains("ERROR: Unable to execute script file '" + broken + "'"));
    EXPECT_EQ("yes", global(engine, "partial"));
    EXPECT_EQ(0, lua_gettop(engine->getLuaState()));
    engine->release();
}
