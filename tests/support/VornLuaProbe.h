#ifndef __VORN_LUA_PROBE_H__
#define __VORN_LUA_PROBE_H__

#include <string>

struct lua_State;

namespace vorntest
{
/** Runs a chunk protected in L: "ok", or its error's text without Lua's "[string ...]:line: " prefix. */
std::string luaOutcome(lua_State* L, const std::string& code);
/** The expression's value as Lua's tostring gives it ("nil", "true", a number, a string), or "error: ...". */
std::string luaValue(lua_State* L, const std::string& expression);
} // namespace vorntest

#endif
