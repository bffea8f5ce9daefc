// A modified level script tries, in the running game, what an attacker would: reach the machine,
// load files from outside, load bytecode, retype or free what the game owns, crash or hang the
// game. Each attempt is refused with a log line and the game plays on.
#include "VornBootedGame.h"
#include "VornGameManager.h"
#include "VornPlayer.h"
#include "VornPlayerInputMulti.h"
#include "VornScriptEngine.h"
#include "VornTestSupport.h"
#include "lua_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sys/stat.h>

USING_NS_CC;

namespace
{
class ScriptAttack : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_outside = vorntest::makeTempDir("script-attack");
        m_marker = m_outside + "/pwned";
        vorntest::writeFile(m_outside + "/evil.lua", "game():setNumStoryModeContinues(4242)\n");
        vorntest::writeFile(m_outside + "/evil.plist",
                            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n"
                            "<key>BaseDesc</key><string>street-thug</string>\n"
                            "<key>Names</key><array><string>Evil</string></array>\n"
                            "<key>BotEngine</key><string>" + m_outside + "/evil.lua</string>\n"
                            "</dict>\n</plist>\n");
        m_boot.forgetProgress = true;
        ASSERT_NO_FATAL_FAILURE(m_boot.boot());
        m_game = m_boot.game();
        m_boot.press(VornPlayerInputMulti::kKeyEnter);
        ASSERT_TRUE(m_boot.stepUntil([this] { return m_game->getLevelScript() == "level-1-street"; }));
        m_boot.frames(30);
        m_game->setNumStoryModeContinues(0);
    }

    void TearDown() override { m_boot.shutDown(); }

    /** The code with OUTSIDE and MARKER filled in. */
    std::string fill(std::string code)
    {
        for (const std::pair<std::string, std::string>& word : { std::make_pair(std::string("OUTSIDE"), m_outside),
                                                                 std::make_pair(std::string("MARKER"), m_marker) })
        {
            for (size_t at = code.find(word.first); at != std::string::npos; at = code.find(word.first, at))
            {
                code.replace(at, word.first.size(), word.second);
            }
        }
        return code;
    }

    /** Nothing of an attack got through and the story still plays. */
    void expectTheGamePlaysOn(const std::string& attack)
    {
        m_boot.frames(10);
        struct stat st;
        EXPECT_NE(0, stat(m_marker.c_str(), &st)) << attack;
        EXPECT_NE(4242, m_game->getNumStoryModeContinues()) << attack;
        EXPECT_EQ("level-1-street", m_game->getLevelScript()) << attack;
        ASSERT_NE(nullptr, m_game->getScriptEngine()) << attack;
        EXPECT_EQ(0, m_game->getScriptEngine()->getLuaEngine()->executeString("still = (still or 0) + 1")) << attack;
        EXPECT_TRUE(m_game->getGameLayer()->isVisible()) << attack;
        EXPECT_GT(m_game->getPlayer()->getHealth(), 0.0f) << attack;
    }

    std::string m_outside;
    std::string m_marker;
    vorntest::BootedGame m_boot;
    VornGameManager* m_game = nullptr;
};

int linesWith(const vorntest::LogCapture& log, const char* text)
{
    return (int)std::count_if(log.lines().begin(), log.lines().end(),
                              [text](const std::string& line) { return line.find(text) != std::string::npos; });
}
} // namespace

TEST_F(ScriptAttack, EveryAttackFromALevelScriptIsRefusedWithALine)
{
    const struct
    {
        const char* code;
        const char* logged;
    } attacks[] = {
        // The full libraries.
        { "package.loaded.os.execute('touch MARKER')", "'os.execute' is not available" },
        { "require('os').execute('touch MARKER')", "'os.execute' is not available" },
        { "require('debug').getregistry()", "'debug.getregistry' is not available" },
        { "io.popen('touch MARKER')", "'io.popen' is not available" },
        { "package.loaded.io.popen('touch MARKER')", "'io.popen' is not available" },
        { "for line in io.lines('/etc/passwd') do end", "'io.lines' is not available" },
        { "assert(io.open('/etc/passwd'))", "is not a file of the game's resources" },
        // Files from outside and bytecode.
        { "package.path = 'OUTSIDE/?.lua' require('evil')", "not found in the game's scripts" },
        { "dofile('OUTSIDE/evil.lua')", "is not a file of the game's resources" },
        { "assert(loadfile('OUTSIDE/evil.lua'))()", "is not a file of the game's resources" },
        { "assert(loadstring(string.char(27) .. 'LuaQ'))", "precompiled chunks are not loaded" },
        { "assert(game():loadLevelScript('OUTSIDE/evil', false))", "is not a file of the game's resources" },
        { "assert(game():actorDescWithFile('OUTSIDE/evil.plist'))", "is not a file of the game's resources" },
        // tolua's helpers.
        { "tolua.cast(game().HUD, 'VornPlayer'):setHealth(1)", "'tolua.cast' is not available" },
        { "tolua.takeownership(game().Player) collectgarbage()", "'tolua.takeownership' is not available" },
        { "tolua.releaseownership(game().Player)", "'tolua.releaseownership' is not available" },
        { "tolua.setpeer(game().Player, {})", "'tolua.setpeer' is not available" },
        { "tolua.inherit({}, game().Player)", "'tolua.inherit' is not available" },
        // Crashes and hangs.
        { "string.find(('a'):rep(3e5), ('a?'):rep(3e5) .. 'b')", "too long" },
        { "while true do end", "budget" },
        { "string.find(('a'):rep(300), ('a?'):rep(300) .. 'b')", "budget" },
        { "(('a'):rep(300)):match(('a?'):rep(300) .. 'b')", "budget" },
        { "for m in (('a'):rep(300)):gmatch(('a?'):rep(300) .. 'b') do end", "budget" },
        { "(('a'):rep(300)):gsub(('a?'):rep(300) .. 'b', '')", "budget" },
        // Finalisers run with hooks off, and the binding relies on its metamethods.
        { "rawset(VornPlayer, '__gc', function() while true do end end) collectgarbage()",
          "'VornPlayer' belongs to the game's binding" },
        { "VornPlayer.__gc = function() while true do end end collectgarbage()",
          "'VornPlayer' belongs to the game's binding" },
        { "getmetatable(game().Player).__gc = function() while true do end end collectgarbage()",
          "belongs to the game's binding" },
        { "rawset(getmetatable(game().Player), '__index', function() end)", "belongs to the game's binding" },
        { "getmetatable(game().Player:getPosition()).__gc = function() while true do end end collectgarbage()",
          "belongs to the game's binding" },
        { "setmetatable(VornPlayer, {})", "cannot change a protected metatable" },
        { "local box = game().Player.tolua_ubox for k in pairs(box) do box[k] = game().HUD end",
          "table expected, got nil" },
        { "local desc = VornActorDesc:new_local() desc.__gc(desc)", "attempt to call field '__gc'" },
        { "getmetatable(io.open('common.lua')).__gc = function() while true do end end", "index a boolean" },
        // Every loader of sounds, sprite frames, animations and textures.
        { "SFXManager:sharedSFXManager():playSFX('OUTSIDE/x.wav')", "is not a file of the game's resources" },
        { "SFXManager:sharedSFXManager():preloadSFX('OUTSIDE/x.wav')", "is not a file of the game's resources" },
        { "CCSprite:create('OUTSIDE/x.png')", "is not a file of the game's resources" },
        { "CCAnimatingSprite:animatingSpriteWithFile('OUTSIDE/x.png')", "is not a file of the game's resources" },
        { "CCAnimatingSprite:create():playFile('OUTSIDE/x.plist')", "is not a file of the game's resources" },
        { "VornActionDesc:initSpriteSheet('OUTSIDE/sheet')", "is not a file of the game's resources" },
        { "game().Background:setObjectAnimation(1, 'OUTSIDE/x.plist', 0.1)", "is not a file of the game's resources" },
        { "CharacterSetups:create('OUTSIDE/setups.csv')", "is not a file of the game's resources" },
        { "VornActorDesc:new_local():initWithFile('OUTSIDE/evil.plist')", "is not a file of the game's resources" },
        // Other ways round the same walls.
        { "getfenv(0).os.execute('touch MARKER')", "'os.execute' is not available" },
        { "getfenv(print).os.execute('touch MARKER')", "'os.execute' is not available" },
        { "setfenv(1, getfenv(VornGameManager.getSharedVornGameManager)) os.execute('touch MARKER')",
          "'os.execute' is not available" },
        { "os.exit(1)", "'os.exit' is not available" },
        { "debug.sethook(function() end, 'l')", "'debug.sethook' is not available" },
        { "setmetatable(_G, { __index = function() end }) game():setNumStoryModeContinues(4242)",
          "attempt to call method 'setNumStoryModeContinues'" },
        { "assert(loadstring(string.dump(function() end)))", "'string.dump' is not available" },
        { "local sent assert(load(function() if not sent then sent = true return string.char(27) .. 'LuaQ' end end))",
          "precompiled chunks are not loaded" },
        { "getmetatable(newproxy(true)).__gc = function() while true do end end", "attempt to call global 'newproxy'" },
        { "getmetatable('').__index = function() os.execute('touch MARKER') end", "index a boolean" },
        { "coroutine.wrap(function() while true do end end)()", "budget" },
        { "local function again() return again() end again()", "budget" },
        { "collectgarbage('stop') local t = {} for i = 1, 1e7 do t[i] = {} end", "not enough memory" },
        { "string.rep('x', 2^30)", "a string of 1073741824 bytes is over the script's memory limit" },
        { "local t = {} while true do t[#t + 1] = ('x'):rep(1000) .. #t end", "not enough memory" },
        { "xpcall(function() error('the original') end, function(m) print('LUA ERROR: ' .. m) "
          "return debug.getinfo(1) end)",
          "the error handler failed" },
    };
    for (const auto& attack : attacks)
    {
        const std::string code = fill(attack.code);
        vorntest::LogCapture log;
        m_game->getScriptEngine()->getLuaEngine()->executeString(code.c_str());
        EXPECT_TRUE(log.contains(attack.logged)) << code;
        expectTheGamePlaysOn(code);
    }
}

TEST_F(ScriptAttack, ARunawayCallbackIsStoppedOnceAndDroppedWhileTheGamePlaysOn)
{
    VornScriptEngine* scripts = m_game->getScriptEngine();
    const struct
    {
        const char* code;
        const char* function;  ///< called as the game calls it, when the code does not make the game call it
    } runaways[] = {
        { "game():startTimer(0.05, function() while true do end end, true)", NULL },
        { "function spin() while true do end end game():startTimer(0.05, 'spin', true)", NULL },
        { "function init(restoring) while true do end end", "init" },
    };
    for (const auto& runaway : runaways)
    {
        vorntest::LogCapture log;
        ASSERT_EQ(0, scripts->getLuaEngine()->executeString(runaway.code)) << runaway.code;
        for (int frame = 0; frame < 30; ++frame)
        {
            if (runaway.function)
            {
                scripts->callGlobalFunction(runaway.function, false);
            }
            m_boot.frame();
        }
        EXPECT_EQ(1, linesWith(log, "budget")) << runaway.code;
        EXPECT_EQ(1, linesWith(log, "it is not called again")) << runaway.code;
        expectTheGamePlaysOn(runaway.code);
    }
}
