#ifndef __CC_LUA_PATTERNS_H__
#define __CC_LUA_PATTERNS_H__

extern "C" {
#include "lua.h"
}

/**
 * Replaces find, match, gmatch and gsub of the string table at the top of the stack with ones
 * that match Lua 5.1 patterns the same way, but count their steps against the running call's
 * budget: Lua's own matcher backtracks in C, where no hook reaches, so a crafted pattern could
 * hold the game for ever. A pattern past the budget, or too long, raises a Lua error.
 */
void CCLuaPatternsOpen(lua_State* L);

#endif // __CC_LUA_PATTERNS_H__
