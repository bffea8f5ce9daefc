#ifndef __LEVEL_SCRIPT_BINDING_H__
#define __LEVEL_SCRIPT_BINDING_H__

// Bound members that keep a script function (a timer's, a timeline's callback) hold it in the
// level's script engine. These find that engine for the calling state and hand its members a
// stack index of the engine's own stack.

#include "VornGameManager.h"
#include "VornScriptEngine.h"
#include "lua_engine.h"

NS_CC_BEGIN

/** The level's script engine when L is its state or one of its threads, else NULL. */
inline VornScriptEngine* script_levelEngine(VornGameManager* game, lua_State* L)
{
    VornScriptEngine* engine = game ? game->getScriptEngine() : NULL;
    lua_State* own = engine ? engine->getLuaState() : NULL;
    if (own == NULL || L == NULL)
    {
        return NULL;
    }
    return (L == own || lua_topointer(L, LUA_REGISTRYINDEX) == lua_topointer(own, LUA_REGISTRYINDEX)) ? engine : NULL;
}

/**
 * Calls use(i) where i indexes the value of slot index of L on the engine's own stack: the slot
 * itself when L is the engine's state, else a copy (a coroutine's stack is not the engine's).
 */
template <typename F>
void script_withValueOnEngineStack(lua_State* L, int index, VornScriptEngine* engine, F use)
{
    lua_State* own = engine->getLuaState();
    if (L == own)
    {
        use(index);
        return;
    }
    if (!lua_checkstack(own, 1))
    {
        return;
    }
    lua_pushvalue(L, index);
    lua_xmove(L, own, 1);
    use(lua_gettop(own));
    lua_pop(own, 1);
}

NS_CC_END

#endif // __LEVEL_SCRIPT_BINDING_H__
