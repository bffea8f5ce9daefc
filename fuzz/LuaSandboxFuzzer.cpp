// libFuzzer entry: any Lua source run in a script state of the game's, under its budget, must end
// (the budget stops a runaway), leave the state usable, and never crash, leak or reach outside.
#include "FuzzQuiet.h"
#include "cocos2d.h"
#include "lua_engine.h"
#include "CCLuaSandbox.h"

#include <cstdint>
#include <cstdlib>
#include <string>

USING_NS_CC;

namespace
{
// An empty resource folder: what a script may open is the game's, and here there is nothing.
void useEmptyResources()
{
    static bool done = false;
    if (done)
    {
        return;
    }
    done = true;
    fuzzQuietLog();
    char folder[] = "/tmp/lua-sandbox-fuzz-XXXXXX";
    if (mkdtemp(folder) == NULL)
    {
        abort();
    }
    CCFileUtils::sharedFileUtils()->setResourceDirectory(folder);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    useEmptyResources();
    // A fresh state each time, as each level and enemy kind gets one, so a crash replays alone.
    CCLuaEngine* engine = new CCLuaEngine();
    lua_State* L = engine->getLuaState();
    if (L == NULL)
    {
        abort();
    }
    if (CCLuaSandboxLoadText(L, (const char*)data, size, "=fuzz") == 0)
    {
        CCLuaEngine::protectedCall(L, 0, 0, "fuzz");
    }
    lua_settop(L, 0);
    // Whatever ran, the state still answers.
    if (engine->executeString("local t = {} for i = 1, 10 do t[i] = i end return #t") != 0)
    {
        abort();
    }
    engine->release();
    return 0;
}
