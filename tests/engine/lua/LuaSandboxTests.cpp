// Scripts are content and saves name them: what they can reach of the machine.
#include "VornTestSupport.h"
#include "lua_engine.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

USING_NS_CC;
using vorntest::LogCapture;

namespace
{
class LuaSandbox : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_resources = vorntest::makeTempDir("sandbox-resources");
        m_outside = vorntest::makeTempDir("sandbox-outside");
        vorntest::writeFile(m_resources + "/helper.lua", "helped = (helped or 0) + 1\nreturn 7\n");
        vorntest::writeFile(m_resources + "/notes.txt", "inside\n");
        vorntest::writeFile(m_outside + "/evil.lua", "pwned = true\n");
        CCFileUtils::sharedFileUtils()->setResourceDirectory(m_resources.c_str());
    }

    std::string m_resources;
    std::string m_outside;
};
} // namespace

TEST_F(LuaSandbox, WhatReachesTheProcessOrTheDiskRaisesAScriptError)
{
    const std::string marker = m_outside + "/written";
    const std::string evil = m_outside + "/evil.lua";
    const std::string bytecode = "string.char(27) .. 'LuaQ'";
    const std::string blocked[] = {
        "os.execute('touch " + marker + "')",
        "os.remove('" + marker + "')",
        "os.exit(3)",
        "io.popen('touch " + marker + "')",
        "io.open('" + marker + "', 'w')",
        "io.open('notes.txt', 'a')",
        "io.lines('notes.txt')",
        "io.lines('/etc/passwd')",
        "package.loaded.os.execute('touch " + marker + "')",
        "require('os').execute('touch " + marker + "')",
        "package.loaded.io.popen('touch " + marker + "')",
        "require('io').popen('touch " + marker + "')",
        "require('debug').getregistry()",
        "require('debug').getinfo(1)",
        "debug.getinfo(1)",
        "getmetatable('').__index.dump(print)",
        "newproxy(true)",
        "assert(io.open('" + marker + "'))",
        "assert(io.open('/etc/passwd'))",
        "io.output('" + marker + "')",
        "package.loadlib('libc.so.6', 'system')",
        "require('socket.core')",
        "require('../../evil')",
        "debug.getregistry()",
        "dofile('" + evil + "')",
        "dofile('../" + evil.substr(evil.rfind('/', evil.rfind('/') - 1) + 1) + "')",
        "loadfile('" + evil + "')()",
        "assert(loadstring(" + bytecode + "))",
        "local sent = false; assert(load(function() if sent then return nil end sent = true; return " + bytecode +
            " end))",
        "string.dump(print)",
    };
    for (const std::string& code : blocked)
    {
        CCLuaEngine engine;
        LogCapture log;
        EXPECT_EQ(1, engine.executeString(code.c_str())) << code;
        EXPECT_FALSE(log.lines().empty()) << code;
        EXPECT_EQ(0, engine.executeString("assert(pwned == nil)")) << code;
    }
    struct stat st;
    EXPECT_NE(0, stat(marker.c_str(), &st));
}

TEST_F(LuaSandbox, NoFullLibraryIsLeftWhereAScriptReaches)
{
    CCLuaEngine engine;
    // Every table a script can name, and every function in them: none is one of the full
    // libraries' process or disk functions.
    const char* probe =
        "local seen, found = {}, {}\n"
        "local banned = {}\n"
        "local function walk(t, path)\n"
        "  if type(t) ~= 'table' or seen[t] then return end\n"
        "  seen[t] = true\n"
        "  for k, v in pairs(t) do\n"
        "    if type(k) == 'string' then\n"
        "      local name = path .. '.' .. k\n"
        "      if ({ execute = 1, popen = 1, getregistry = 1, setupvalue = 1, getupvalue = 1, loadlib = 1,\n"
        "            sethook = 1, remove = 1, rename = 1, tmpfile = 1, getenv = 1, cast = 1,\n"
        "            takeownership = 1, releaseownership = 1, setpeer = 1, inherit = 1, dump = 1 })[k] then\n"
        "        local ok = pcall(v)\n"
        "        if ok then found[#found + 1] = name end\n"
        "      end\n"
        "      walk(v, name)\n"
        "    end\n"
        "  end\n"
        "  walk(getmetatable(t), path .. '<mt>')\n"
        "end\n"
        "walk(_G, '_G')\n"
        "walk(getmetatable(''), 'string<mt>')\n"
        "walk(getfenv(0), 'env')\n"
        "for _, f in pairs({ print, pairs, io.open, require, loadstring, os.time, debug.traceback }) do\n"
        "  walk(getfenv(f), 'fenv')\n"
        "end\n"
        "reached = table.concat(found, ' ')\n";
    ASSERT_EQ(0, engine.executeString(probe));
    lua_State* L = engine.getLuaState();
    lua_getglobal(L, "reached");
    EXPECT_STREQ("", lua_tostring(L, -1));
    lua_pop(L, 1);
}

TEST_F(LuaSandbox, RequireLooksInTheGamesFoldersWhateverAScriptSetsInPackage)
{
    vorntest::writeFile(m_outside + "/outsider.lua", "pwned = true\n");
    const std::string tricks[] = {
        "package.path = '" + m_outside + "/?.lua'",
        "package.path = './?.lua;/tmp/?.lua;" + m_outside + "/?.lua'",
        "package.cpath = '" + m_outside + "/?.so'",
        "package.loaders = { function() return function() pwned = true end end }",
        "package = { path = '" + m_outside + "/?.lua' }",
    };
    for (const std::string& trick : tricks)
    {
        CCLuaEngine engine;
        ASSERT_EQ(0, engine.executeString(trick.c_str())) << trick;
        LogCapture log;
        EXPECT_EQ(1, engine.executeString("require('outsider')")) << trick;
        EXPECT_TRUE(log.contains("not found in the game's scripts")) << trick;
        EXPECT_EQ(0, engine.executeString("assert(pwned == nil)")) << trick;
        // What the game ships is still found, once.
        EXPECT_EQ(0, engine.executeString("assert(require('helper') == 7 and require('helper') == 7 and helped == 1)"))
            << trick;
    }
}

// A real chunk compiled by Lua itself, as an attacker would ship one.
static std::string compiledChunk(const char* source)
{
    lua_State* L = luaL_newstate();
    std::string bytes;
    EXPECT_EQ(0, luaL_loadstring(L, source));
    lua_dump(L,
             [](lua_State*, const void* p, size_t size, void* out) {
                 static_cast<std::string*>(out)->append(static_cast<const char*>(p), size);
                 return 0;
             },
             &bytes);
    lua_close(L);
    return bytes;
}

TEST_F(LuaSandbox, PrecompiledChunksAreRefusedByEveryLoader)
{
    const std::string bytecode = compiledChunk("pwned = true");
    ASSERT_EQ('\033', bytecode[0]);
    vorntest::writeFile(m_resources + "/compiled.lua", bytecode);
    const char* loads[] = {
        "require('compiled')",
        "dofile('compiled.lua')",
        "assert(loadfile('compiled.lua'))()",
        "local f = assert(io.open('compiled.lua', 'rb')); local b = f:read('*a'); f:close(); assert(loadstring(b))()",
        "local f = assert(io.open('compiled.lua', 'rb')); local b = f:read('*a'); f:close(); "
        "assert(load(function() local r = b; b = nil; return r end))()",
    };
    for (const char* code : loads)
    {
        CCLuaEngine engine;
        LogCapture log;
        EXPECT_EQ(1, engine.executeString(code)) << code;
        EXPECT_TRUE(log.contains("precompiled chunks are not loaded")) << code;
        EXPECT_EQ(0, engine.executeString("assert(pwned == nil)")) << code;
    }
    // The engine's own loaders too.
    CCLuaEngine engine;
    LogCapture log;
    EXPECT_EQ(1, engine.executeScriptFile("compiled.lua"));
    EXPECT_EQ(1, engine.executeString(bytecode.c_str()));
    EXPECT_TRUE(log.contains("precompiled chunks are not loaded"));
    EXPECT_EQ(0, engine.executeString("assert(pwned == nil)"));
}

TEST_F(LuaSandbox, TheUsualErrorHandlerWorksAndABrokenOneEndsInOneLine)
{
    CCLuaEngine engine;
    {
        LogCapture log;
        EXPECT_EQ(0, engine.executeString("function __G__TRACKBACK__(msg)\n"
                                          "  return 'LUA ERROR: ' .. tostring(msg) .. '\\n' .. debug.traceback()\n"
                                          "end\n"
                                          "ok, err = xpcall(function() error('the original') end, __G__TRACKBACK__)\n"
                                          "assert(not ok and err:find('the original') and err:find('stack traceback'))"));
        EXPECT_TRUE(log.lines().empty());
    }
    const char* broken[] = {
        "function (msg) return debug.getinfo(1).short_src .. msg end",
        "function (msg) error('the handler broke') end",
        "function (msg) local function again() return again() + 1 end return again() end",
    };
    for (const char* handler : broken)
    {
        LogCapture log;
        const std::string code = std::string("ok, err = xpcall(function() error('the original') end, ") + handler +
                                 ")\nassert(not ok and err:find('the original'))";
        EXPECT_EQ(0, engine.executeString(code.c_str())) << handler;
        ASSERT_EQ(1u, log.lines().size()) << handler;
        EXPECT_TRUE(log.contains("the error handler failed")) << handler;
        EXPECT_TRUE(log.contains("the original")) << handler;
    }
}

TEST_F(LuaSandbox, ToluasHelpersThatRetypeOrFreeAreGoneAndTypeStays)
{
    CCLuaEngine engine;
    const char* helpers[] = {
        "tolua.cast(ccp(1, 2), 'CCRect')",
        "tolua.takeownership(ccp(1, 2))",
        "tolua.releaseownership(ccp(1, 2))",
        "tolua.setpeer(ccp(1, 2), {})",
        "tolua.getpeer(ccp(1, 2))",
        "tolua.inherit({}, ccp(1, 2))",
    };
    for (const char* code : helpers)
    {
        LogCapture log;
        EXPECT_EQ(1, engine.executeString(code)) << code;
        EXPECT_TRUE(log.contains("is not available to the game's scripts")) << code;
    }
    EXPECT_EQ(0, engine.executeString("assert(tolua.type(ccp(1, 2)) == 'CCPoint')"));
}

TEST_F(LuaSandbox, ARunawayScriptIsStoppedWithALineAndTheStateGoesOn)
{
    const struct
    {
        const char* code;
        const char* logged;
    } runaways[] = {
        { "while true do end", "budget" },
        { "local function f() return 1 + f() end f()", "stack overflow" },
        { "while true do pcall(function() while true do end end) end", "budget" },
        { "while true do pcall(error, 'again') end", "budget" },
        { "xpcall(function() while true do end end, function(m) while true do end end)", "budget" },
        { "local co = coroutine.create(function() while true do end end) while true do coroutine.resume(co) end",
          "budget" },
        { "local w = coroutine.wrap(function() while true do end end) w()", "budget" },
        { "string.rep('x', 2^30)", "memory limit" },
        { "('x'):rep(2^40)", "memory limit" },
        { "local t = {} for i = 1, 1e8 do t[i] = ('x'):rep(100) .. i end", "not enough memory" },
        { "local s = 'x' while true do s = s .. s end", "not enough memory" },
        { "string.find(('a'):rep(3e5), ('a?'):rep(3e5) .. 'b')", "too long" },
        { "(('a'):rep(3e5)):match(('a?'):rep(3e5))", "too long" },
        { "string.gsub('a', ('(a?)'):rep(5000), '')", "too long" },
        { "for w in string.gmatch('a', ('a*'):rep(5000)) do end", "too long" },
        { "string.find(('a'):rep(300), ('a?'):rep(300) .. 'b')", "budget" },
        { "string.match(('a'):rep(300), ('a?'):rep(300) .. 'b')", "budget" },
        { "for w in string.gmatch(('a'):rep(300), ('a?'):rep(300) .. 'b') do end", "budget" },
        { "string.gsub(('a'):rep(300), ('(a*)'):rep(30) .. 'b', '')", "budget" },
        { "while true do pcall(string.find, (' '):rep(40), ('%s*'):rep(40) .. 'x') end", "budget" },
        { "table.sort({3, 2, 1, 5, 4}, function(a, b) while true do end end)", "budget" },
        { "string.gsub('aaaa', 'a', function() while true do end end)", "budget" },
    };
    for (const auto& runaway : runaways)
    {
        CCLuaEngine engine;
        LogCapture log;
        EXPECT_EQ(1, engine.executeString(runaway.code)) << runaway.code;
        EXPECT_TRUE(log.contains(runaway.logged)) << runaway.code;
        EXPECT_EQ(0, lua_gettop(engine.getLuaState())) << runaway.code;
        EXPECT_EQ(0, engine.executeString("local t = {} for i = 1, 1000 do t[i] = ('y'):rep(i) end ok = #t"))
            << runaway.code;
    }
    // A plain search is no pattern: any length is fine.
    CCLuaEngine engine;
    EXPECT_EQ(0, engine.executeString("assert(string.find(('a?'):rep(3e5), ('a?'):rep(2000), 1, true) == 1)"));
}

TEST_F(LuaSandbox, AFunctionStoppedForRunningAwayIsNotCalledAgain)
{
    CCLuaEngine engine;
    lua_State* L = engine.getLuaState();
    ASSERT_EQ(0, engine.executeString("calls = 0\n"
                                      "function spin() calls = calls + 1 while true do end end\n"
                                      "function fine() calls = calls + 100 end"));
    LogCapture log;
    for (int frame = 0; frame < 3; ++frame)
    {
        lua_getglobal(L, "spin");
        EXPECT_FALSE(CCLuaEngine::protectedCall(L, 0, 0, "spin"));
        EXPECT_EQ(0, lua_gettop(L));
    }
    lua_getglobal(L, "fine");
    EXPECT_TRUE(CCLuaEngine::protectedCall(L, 0, 0, "fine"));
    lua_getglobal(L, "calls");
    EXPECT_EQ(101, lua_tointeger(L, -1));
    lua_pop(L, 1);
    EXPECT_EQ(1, std::count_if(log.lines().begin(), log.lines().end(), [](const std::string& line) {
                  return line.find("[LUA ERROR] spin: ") == 0 && line.find("budget") != std::string::npos;
              }));
    EXPECT_TRUE(log.contains("spin: stopped for running too long; it is not called again"));
}

TEST_F(LuaSandbox, WhatTheGamesScriptsUseStillWorks)
{
    CCLuaEngine engine;
    const char* allowed[] = {
        "assert(math.floor(2.5) == 2 and string.rep('a', 2) == 'aa' and table.concat({1, 2}) == '12')",
        "assert(os.time() > 0 and os.clock() >= 0 and type(os.date()) == 'string')",
        "assert(dofile('helper.lua') == 7 and helped == 1)",
        "assert(loadfile('helper.lua')() == 7 and helped == 2)",
        "assert(loadstring('return 1 + 1')() == 2)",
        "local f = assert(io.open('notes.txt')); assert(f:read('*l') == 'inside'); f:close()",
        "assert(not pcall(error, 'caught'))",
        "collectgarbage('step')",
    };
    for (const char* code : allowed)
    {
        EXPECT_EQ(0, engine.executeString(code)) << code;
    }
}

TEST_F(LuaSandbox, AnErrorStillCarriesItsTraceback)
{
    CCLuaEngine engine;
    LogCapture log;
    EXPECT_EQ(1, engine.executeString("local function inner() error('deep') end inner()"));
    ASSERT_FALSE(log.lines().empty());
    EXPECT_NE(std::string::npos, log.lines().back().find("stack traceback")) << log.lines().back();
}

TEST(FileNames, OnlyNamesInsideTheResourceFolderAreConfined)
{
    const struct
    {
        std::string name;
        bool confined;
    } cases[] = {
        { "level-1-street.lua", true },
        { "music/street.mp3", true },
        { "sfx\\\\hit.wav", true },
        { "", false },
        { "/etc/passwd", false },
        { "\\\\etc\\\\passwd", false },
        { "../../../../tmp/x", false },
        { "music/../../x", false },
        { "..\\\\..\\\\x", false },
        { std::string("level\0/../../x", 14), false },
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.confined, CCFileUtils::isConfinedName(c.name)) << c.name;
    }
    LogCapture log;
    EXPECT_EQ("", CCFileUtils::sharedFileUtils()->fullPathForFilename("../../x.lua"));
    EXPECT_TRUE(log.contains("climbs out of the resource folder"));
}
