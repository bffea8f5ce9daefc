#ifndef __GAME_BINDING_SUPPORT_H__
#define __GAME_BINDING_SUPPORT_H__

// Hand-written helpers of the generated game binding. The generator's output is never edited:
// GameBindingsHook.lua rewrites its pushes, deletes and registrations to use what is here.

#include "CCFileUtils.h"
#include "lua_engine.h"

#include <new>

// The generated code names the game's classes without their namespace.
USING_NS_CC;

/** A file name from a script, checked at the gate for names from content (a log line when refused). */
inline bool script_isContentName(const char* name, const char* caller)
{
    return name != NULL && !CCFileUtils::sharedFileUtils()->fullPathForContentName(name, caller).empty();
}

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

/**
 * Objects a script made with new or new_local carry one reference of the script's, recorded under
 * the object's id in this registry table (ids are never reused, addresses are).
 */
#define VORN_SCRIPT_OWNED_TABLE "vorn_script_owned"

inline void tolua_setscriptowned(lua_State* L, CCObject* object, bool owned)
{
    lua_pushstring(L, VORN_SCRIPT_OWNED_TABLE);
    lua_rawget(L, LUA_REGISTRYINDEX);
    if (!lua_istable(L, -1))
    {
        lua_pop(L, 1);
        if (!owned)
        {
            return;
        }
        lua_newtable(L);
        lua_pushstring(L, VORN_SCRIPT_OWNED_TABLE);
        lua_pushvalue(L, -2);
        lua_rawset(L, LUA_REGISTRYINDEX);
    }
    lua_pushnumber(L, (lua_Number)object->m_uID);
    if (owned)
    {
        lua_pushboolean(L, 1);
    }
    else
    {
        lua_pushnil(L);
    }
    lua_rawset(L, -3);
    lua_pop(L, 1);
}

inline bool tolua_isscriptowned(lua_State* L, CCObject* object)
{
    lua_pushstring(L, VORN_SCRIPT_OWNED_TABLE);
    lua_rawget(L, LUA_REGISTRYINDEX);
    bool owned = false;
    if (lua_istable(L, -1))
    {
        lua_pushnumber(L, (lua_Number)object->m_uID);
        lua_rawget(L, -2);
        owned = lua_toboolean(L, -1) != 0;
        lua_pop(L, 1);
    }
    lua_pop(L, 1);
    return owned;
}

/** Pushes an object a script's new or new_local just made, holding the script's reference. */
inline void tolua_pushnewbound(lua_State* L, CCObject* object, const char* type)
{
    tolua_pushccobject(L, object, type);
    if (object != NULL)
    {
        tolua_setscriptowned(L, object, true);
    }
}

/**
 * The collector of an object made with new_local lets go of the script's reference only: whoever
 * else the script handed it to keeps it alive.
 */
inline void tolua_collectbound(lua_State* L, CCObject* object)
{
    if (object != NULL)
    {
        tolua_setscriptowned(L, object, false);
        object->release();
    }
}

/**
 * delete from a script: only an object the script made and nobody else holds. Anything the game
 * owns or still holds is refused with a Lua error; freeing it would leave the game a dangling
 * pointer.
 */
inline void tolua_deletebound(lua_State* L, CCObject* object)
{
    if (!tolua_isscriptowned(L, object))
    {
        luaL_error(L, "delete refused: the object belongs to the game");
        return;
    }
    if (object->retainCount() > 1)
    {
        luaL_error(L, "delete refused: the game still holds the object");
        return;
    }
    tolua_setscriptowned(L, object, false);
    tolua_deleteusertype(L, object);
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
