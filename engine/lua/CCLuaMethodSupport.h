#ifndef __CC_LUA_METHOD_SUPPORT_H__
#define __CC_LUA_METHOD_SUPPORT_H__

// Argument checks and conversions shared by the engine's hand-written method bindings.

#include "CCLuaBinding.h"

#include "base/CCGeometry.h"
#include "base/ccTypes.h"

NS_CC_BEGIN
class CCNode;
NS_CC_END

/**
 * A check list names the slots after self, one letter each:
 *   n number, b boolean, s string, t table,
 *   p CCPoint, c ccColor3B (values: nil is refused),
 *   o CCNode, a CCAction, f CCFiniteTimeAction, i CCActionInterval, r CCSpriteFrame
 *   (objects: nil is refused too, since no method here takes a missing object).
 * Nothing may follow the last slot.
 */

/** Slot lo holds a value of kind (one letter of a check list). */
bool tolua_checkslot(lua_State* L, int lo, char kind, tolua_Error* err);
/** Slot 1 is a userdata of selfType and slots 2.. match args. */
bool tolua_checkmethod(lua_State* L, const char* selfType, const char* args, tolua_Error* err);
/** Slot 1 is the class table of classType (a Class:create(...) call) and slots 2.. match args. */
bool tolua_checkstatic(lua_State* L, const char* classType, const char* args, tolua_Error* err);
/** Raises "#ferror in function 'name'." with the failed check's detail; does not return. */
int tolua_argumenterror(lua_State* L, const char* functionName, tolua_Error* err);

/** self at slot 1, or raises "invalid 'self' in function 'name'" when its object is gone. */
void* tolua_checkedself(lua_State* L, const char* functionName);
/** The object at slot lo, or raises when a script hands in an object that has died. */
void* tolua_checkedobject(lua_State* L, int lo, const char* functionName);

/** Numbers as the engine's types; out-of-range values are clamped rather than undefined. */
int tolua_toint(lua_State* L, int lo);
GLubyte tolua_tobyte(lua_State* L, int lo);
GLubyte tolua_clampbyte(lua_Number value);
float tolua_tofloat(lua_State* L, int lo);

/** The value at slot lo, already checked (p / c); raises as tolua_checkedobject when deleted. */
const cocos2d::CCPoint& tolua_topoint(lua_State* L, int lo, const char* functionName);
const cocos2d::ccColor3B& tolua_tocolor3(lua_State* L, int lo, const char* functionName);

/** Adds functions to an already registered class, as a binding's open function does. */
void tolua_registerfunctions(lua_State* L, const char* className, const luaL_Reg* functions);

/** Pushes a node under the most derived engine type it has, so its methods are all reachable. */
void tolua_pushnode(lua_State* L, cocos2d::CCNode* node);

#endif // __CC_LUA_METHOD_SUPPORT_H__
