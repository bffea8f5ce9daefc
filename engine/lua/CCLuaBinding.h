#ifndef __CC_LUA_BINDING_H__
#define __CC_LUA_BINDING_H__

// What a tolua++-style binding file includes: the tolua++ runtime, the object-reference layer
// and the few helpers for ownership that every binding needs.

#include "tolua++.h"
#include "tolua_fix.h"
#include "CCLuaEngineTypes.h"

#include <new>
#include <type_traits>

/** A collect function for tolua_cclass: frees the T at slot 1 with delete (NULL is harmless). */
template <typename T>
int tolua_collect_delete(lua_State* L)
{
    T* self = (T*)tolua_tousertype(L, 1, 0);
    delete self;
    return 0;
}

/**
 * Pushes a copy of value under type that belongs to Lua (a CCPoint or CCRect result). A type
 * with a twin metatable (toluafix_register_value_type) is copied into the user value itself;
 * any other is copied to the heap and freed by the type's collect function.
 */
template <typename T>
void tolua_pushvaluecopy(lua_State* L, const T& value, const char* type)
{
    static_assert(std::is_trivially_destructible<T>::value, "an inline value is never destroyed");
    struct Box
    {
        void* self;  // where tolua reads the value's address
        T value;
    };
    if (toluafix_push_value_metatable(L, type))
    {
        Box* box = (Box*)lua_newuserdata(L, sizeof(Box));
        new (&box->value) T(value);
        box->self = &box->value;
        lua_insert(L, -2);
        lua_setmetatable(L, -2);
        // No peer table: tolua looks fields up there first.
        lua_pushvalue(L, TOLUA_NOPEER);
        lua_setfenv(L, -2);
        return;
    }
    T* copy = new T(value);
    tolua_pushusertype(L, copy, type);
    if (!tolua_register_gc(L, lua_gettop(L)))
    {
        // Something freed at this address behind Lua's back left its box: start afresh.
        lua_pop(L, 1);
        toluafix_forget_pointer(L, copy);
        tolua_pushusertype(L, copy, type);
        tolua_register_gc(L, lua_gettop(L));
    }
}

/**
 * Pushes an engine object (a CCObject subclass) under type through the object-reference layer,
 * so the script's user value is cleared when the object dies; NULL pushes nil. Bindings that
 * hand out objects the native side may free use this in place of tolua_pushusertype.
 */
template <typename T>
void tolua_pushccobject(lua_State* L, T* object, const char* type)
{
    if (object == NULL)
    {
        lua_pushnil(L);
        return;
    }
    toluafix_pushusertype_ccobject(L, (int)object->m_uID, &object->m_nLuaID, (void*)object, type);
}

/**
 * The body of a "delete" binding: the script's user values stop pointing at self and a
 * pending collection is cancelled before the object is freed, so neither can touch it again.
 */
template <typename T>
void tolua_deleteusertype(lua_State* L, T* self)
{
    toluafix_forget_pointer(L, (void*)self);
    delete self;
}

#endif // __CC_LUA_BINDING_H__
