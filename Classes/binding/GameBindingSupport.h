#ifndef __GAME_BINDING_SUPPORT_H__
#define __GAME_BINDING_SUPPORT_H__

// Hand-written helpers of the generated game binding. The generator's output is never edited:
// GameBindingsHook.lua rewrites its pushes, deletes and registrations to use what is here.

#include "lua_engine.h"

#include <new>

// The generated code names the game's classes without their namespace.
USING_NS_CC;

/**
 * Pushes a result object. Engine objects go through the object-reference layer, so a script
 * that keeps the value sees "invalid 'self'" once the object dies instead of freed memory;
 * anything else (plain structs) is pushed as is. nil for NULL.
 */
inline void tolua_pushbound(lua_State* L, CCObject* object, const char* type)
{
    tolua_pushccobject(L, object, type);
}

inline void tolua_pushbound(lua_State* L, void* object, const char* type)
{
    tolua_pushusertype(L, object, type);
}

/** The setter of every read-only variable: assigning one is an error, not a silent shadow. */
inline int tolua_refusereadonly(lua_State* L)
{
    return luaL_error(L, "attempt to assign a read-only variable");
}

/**
 * Every registered binding runs through this: a C++ exception (only allocation failures are
 * expected) becomes a Lua error raised after the handler has been left, never unwinding
 * through Lua's C frames.
 */
template <lua_CFunction F>
int tolua_guarded(lua_State* L)
{
    const char* failure = NULL;
    try
    {
        return F(L);
    }
    catch (const std::bad_alloc&)
    {
        failure = "not enough memory";
    }
    catch (...)
    {
        failure = "unexpected native error";
    }
    return luaL_error(L, "%s", failure);
}

#endif // __GAME_BINDING_SUPPORT_H__
