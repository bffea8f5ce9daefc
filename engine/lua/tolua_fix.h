#ifndef __TOLUA_FIX_H__
#define __TOLUA_FIX_H__

#include "tolua++.h"

#include <cstddef>

/*
 * The object-reference layer: engine objects that scripts hold are recorded per Lua state under
 * a stable Lua id, so that when an object dies every state can forget it. A script that still
 * holds the user value then gets a null pointer ("invalid 'self'") instead of freed memory, and a
 * new object born at the same address is pushed as a fresh user value with its own type.
 */

/** Creates the state's reference tables; CCLuaEngine does this for every state it opens. */
void toluafix_open(lua_State* L);

/**
 * Pushes ptr under type (nil for NULL) and records it in the state's reference tables.
 * When *p_refid is 0 it becomes uID, so the object keeps one Lua id for its whole life.
 * Returns 0, or -1 when ptr or p_refid is NULL (nil is pushed then) or the state does not know
 * type (nothing is pushed then). type must be a name that lives as long as the program (a string
 * literal): its class is remembered under its address.
 */
int toluafix_pushusertype_ccobject(lua_State* L, int uID, int* p_refid, void* ptr, const char* type);

/**
 * Forgets the object recorded under refid: its user values stop pointing at it and its address
 * leaves tolua's tables. Returns 0, or -1 when this state never recorded refid.
 */
int toluafix_remove_ccobject_by_refid(lua_State* L, int refid);

/**
 * Forgets an address in every tolua table of the state: each user value boxed for it is set to
 * NULL and loses its peer, and its ubox and collector entries go. Bindings call it before they
 * delete an object themselves, so neither a stale box nor a second collection can reach it.
 */
void toluafix_forget_pointer(lua_State* L, void* ptr);

/**
 * Value types (CCPoint, CCRect ...) reach scripts as user values that hold the value inside
 * themselves: no heap copy, no entry in tolua's tables and no collector, so a hot binding that
 * returns a point costs one small allocation Lua frees like a string. Such a user value uses a
 * twin of the type's metatable without "__gc", registered here once the type's class is complete
 * (its methods and variables are shared, and tolua's type checks see the type's own name).
 */
void toluafix_register_value_type(lua_State* L, const char* type);
/**
 * Pushes the twin metatable of type and answers true, or pushes nothing and answers false. type
 * must be a name that lives as long as the program (a string literal), as above.
 */
bool toluafix_push_value_metatable(lua_State* L, const char* type);
/**
 * True for the keys only the binding uses: metamethods and tolua's own fields (its table of
 * objects, its accessors). Scripts looking such a key up on an object or a class get nil.
 */
bool toluafix_is_binding_key(const char* key);
/** True when the value at index is the name look-up flattened classes put in front of tolua's. */
bool toluafix_is_name_look_up(lua_State* L, int index);
/**
 * Declares the variable field of the value type type (its class's getter reads it) as a float at
 * offset within the value, so looking it up reads the value directly. Call it before
 * toluafix_flatten_classes.
 */
void toluafix_register_value_field(lua_State* L, const char* type, const char* field, size_t offset);
/** Pushes the table of every value type's twin metatable by type name (nil before the first). */
void toluafix_push_value_metatables(lua_State* L);
/** True when the user value at index holds its value inside itself (never to be deleted). */
bool toluafix_is_inline_value(lua_State* L, int index);

/**
 * Copies into every class metatable what a lookup on its user values would otherwise find only
 * by walking up its bases (methods, and the getters and setters of variables), so a method of a
 * base is one table look-up away instead of one per level. What each name resolves to does not
 * change, except that the binding's own keys (above) answer nil. Each class (and value type
 * twin) also gets a name look-up of its own in front of tolua's: a string key goes straight to
 * the peer table and then to a table of the class's members and plain getters taken now, without
 * tolua's test whether the key is a number. Call it once every class of the state is registered
 * and complete: a member added later is still found by walking up the classes, but one changed
 * later is not seen (the game seals its classes right after). A class registered later is found
 * through its bases as before.
 */
void toluafix_flatten_classes(lua_State* L);

/**
 * tolua_isusertype with a memory: once a user value of a class passes the check for type, the
 * class's metatable keeps that answer under the address of the type's name, so bindings called
 * every frame do not walk tolua's tables again. Answers (and fills err) as tolua_isusertype does;
 * type must be a name that lives as long as the program (a string literal).
 */
int toluafix_isusertype(lua_State* L, int lo, const char* type, int def, tolua_Error* err);

/** The pointer recorded under refid in this state, or NULL. */
void* toluafix_get_ccobject_by_refid(lua_State* L, int refid);

/** Logs the stack's values, one line each, for debugging a binding. */
void toluafix_stack_dump(lua_State* L, const char* label);

#endif // __TOLUA_FIX_H__
