// Scripts are content and saves name them: what they can reach of the machine.
#include "VornTestSupport.h"
#include "lua_engine.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

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
