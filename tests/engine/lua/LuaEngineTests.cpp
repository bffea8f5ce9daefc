#include "VornTestSupport.h"
#include "lua_engine.h"

#include <gtest/gtest.h>

USING_NS_CC;
using vorntest::LogCapture;

TEST(LuaEngine, EnginesKeepSeparateGlobals)
{
    CCLuaEngine* a = new CCLuaEngine();
    CCLuaEngine* b = new CCLuaEngine();
    ASSERT_TRUE(a->getLuaState() != NULL);
    ASSERT_NE(a->getLuaState(), b->getLuaState());

    EXPECT_EQ(0, a->executeString("level = 'a'"));
    EXPECT_EQ(0, b->executeString("assert(level == nil); level = 'b'"));
    EXPECT_EQ(0, a->executeString("assert(level == 'a')"));

    delete b;
    EXPECT_EQ(0, a->executeString("assert(level == 'a' and string.format('%d', 3) == '3')"));
    delete a;
}

TEST(LuaEngine, ErrorsAreLoggedAndTheGameGoesOn)
{
    CCLuaEngine engine;
    struct Case
    {
        const char* code;
        const char* logged;
    };
    const Case cases[] = {
        { "error('boom')", "boom" },
        { "local t = nil; t.x = 1", "attempt to index" },
        { "this is not lua", "[LUA ERROR]" },
        { "error({})", "(error object is a table value)" },
        { "error()", "(error object is nil)" },
        { "debug = nil; error('without debug')", "without debug" },
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
    {
        LogCapture log;
        EXPECT_EQ(1, engine.executeString(cases[i].code)) << cases[i].code;
        ASSERT_EQ(1u, log.lines().size()) << cases[i].code;
        EXPECT_EQ(0u, log.lines()[0].find("[LUA ERROR] ")) << log.lines()[0];
        EXPECT_TRUE(log.contains(cases[i].logged)) << log.lines()[0];
        EXPECT_EQ(0, lua_gettop(engine.getLuaState()));
    }
    EXPECT_EQ(0, engine.executeString("ok = true"));
}

TEST(LuaEngine, ProtectedCallNamesTheFunctionAndKeepsTheStack)
{
    CCLuaEngine engine;
    lua_State* L = engine.getLuaState();
    ASSERT_EQ(0, engine.executeString("function tick(n) if n < 0 then error('negative tick') end "
                                      "return n * 2 end"));
    lua_pushinteger(L, 99); // something of the caller's below the call

    lua_getglobal(L, "tick");
    lua_pushnumber(L, 4);
    EXPECT_TRUE(engine.callFunction(1, 1, "tick"));
    EXPECT_EQ(8, lua_tointeger(L, -1));
    lua_pop(L, 1);

    LogCapture log;
    lua_getglobal(L, "tick");
    lua_pushnumber(L, -1);
    EXPECT_FALSE(engine.callFunction(1, 1, "tick"));
    ASSERT_EQ(1u, log.lines().size());
    EXPECT_EQ(0u, log.lines()[0].find("[LUA ERROR] tick: "));
    EXPECT_TRUE(log.contains("negative tick"));
    EXPECT_TRUE(log.contains("stack traceback"));

    EXPECT_EQ(1, lua_gettop(L));
    EXPECT_EQ(99, lua_tointeger(L, 1));
    lua_pop(L, 1);

    EXPECT_EQ(1, engine.executeGlobalFunction("missing"));
}

TEST(LuaEngine, ScriptFilesRunThroughTheFileUtilities)
{
    std::string dir = vorntest::makeTempDir("lua-scripts");
    vorntest::writeFile(dir + "/good.lua", "loaded = 1\n");
    vorntest::writeFile(dir + "/bad.lua", "loaded = 2\nerror('in the file')\n");
    CCLuaEngine engine;

    EXPECT_EQ(0, engine.executeScriptFile((dir + "/good.lua").c_str()));
    LogCapture log;
    EXPECT_EQ(1, engine.executeScriptFile((dir + "/bad.lua").c_str()));
    EXPECT_TRUE(log.contains("bad.lua:2: in the file")) << (log.lines().empty() ? "" : log.lines()[0]);
    log.clear();
    EXPECT_EQ(1, engine.executeScriptFile((dir + "/absent.lua").c_str()));
    EXPECT_TRUE(log.contains("[LUA ERROR] cannot open script file"));
    EXPECT_EQ(0, engine.executeString("assert(loaded == 2)"));

    vorntest::writeFile(dir + "/helpers.lua", "return { answer = 42 }\n");
    engine.addSearchPath(dir.c_str());
    EXPECT_EQ(0, engine.executeString("assert(require('helpers').answer == 42)"));
}

TEST(LuaEngine, SmallCollectorStepsEachFrameFreeGarbageAndSkipClosedStates)
{
    CCLuaEngine* closed = new CCLuaEngine();
    CCLuaEngine* engine = new CCLuaEngine();
    const size_t open = CCLuaEngine::openStateCount();
    closed->release();
    EXPECT_EQ(open - 1, CCLuaEngine::openStateCount());

    lua_State* L = engine->getLuaState();
    lua_gc(L, LUA_GCCOLLECT, 0);
    const int before = lua_gc(L, LUA_GCCOUNT, 0);
    // About a megabyte that nothing holds any more.
    ASSERT_EQ(0, engine->executeString("local t = {} for i = 1, 20000 do t[i] = { i, tostring(i) } end t = nil"));
    const int garbage = lua_gc(L, LUA_GCCOUNT, 0);
    ASSERT_GT(garbage - before, 512);
    int frames = 0;
    while (lua_gc(L, LUA_GCCOUNT, 0) > before + (garbage - before) / 4 && frames < 100000)
    {
        CCLuaEngine::stepCollectors(1);  // the closed engine must not be touched
        ++frames;
    }
    EXPECT_LE(lua_gc(L, LUA_GCCOUNT, 0), before + (garbage - before) / 4);
    // Freed over many steps, not in one go.
    EXPECT_GT(frames, 10);
    engine->release();
}

TEST(LuaEngine, FrameCallsOnKnownObjectsLeaveNoGarbage)
{
    // A script called for every enemy every frame, handed objects it has met before, must not
    // leave anything behind for the collector: that garbage made the long frames.
    CCLuaEngine engine;
    lua_State* L = engine.getLuaState();
    ASSERT_EQ(0, engine.executeString("p = ccp(1, 2)\nfunction tick(node) return node:isVisible() and p.x + p.y end"));
    CCNode* node = new CCNode();
    int calls = 0;
    auto call = [&]() {
        lua_getglobal(L, "tick");
        tolua_pushccobject(L, node, "CCNode");
        EXPECT_TRUE(CCLuaEngine::protectedCall(L, 1, 0, "tick"));
        ++calls;
    };
    call();
    lua_gc(L, LUA_GCSTOP, 0);
    const int before = lua_gc(L, LUA_GCCOUNT, 0) * 1024 + lua_gc(L, LUA_GCCOUNTB, 0);
    for (int i = 0; i < 200; ++i)
    {
        call();
    }
    EXPECT_EQ(before, lua_gc(L, LUA_GCCOUNT, 0) * 1024 + lua_gc(L, LUA_GCCOUNTB, 0));
    EXPECT_EQ(0, lua_gettop(L));
    lua_gc(L, LUA_GCRESTART, 0);
    node->release();
}
