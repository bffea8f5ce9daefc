#ifndef __CC_LUA_SANDBOX_H__
#define __CC_LUA_SANDBOX_H__

#include "CCLuaEngine.h"

/**
 * Level and enemy scripts are content, and saves name them, so their state is built from what
 * they need and nothing else: the base functions (with file loading through the resource gate and
 * text chunks only), string, table, math, coroutine, the clock and calendar of os, io.open for
 * reading the game's files, and debug.traceback. The full libraries are never left anywhere a
 * script reaches (globals, package.loaded, require). require finds modules in the resource
 * folder (and folders the engine adds), whatever a script writes into package. Call once, on a
 * fresh state, before anything else is opened.
 */
void CCLuaSandboxOpen(lua_State* L);

/**
 * Seals what the bindings registered so far: scripts see each class, and the metatable of each
 * object, as a read-only view, so they cannot install a finaliser (run with hooks off, out of the
 * budget's reach) or replace what the binding relies on. Call again after opening more classes
 * (a binding opened later adds classes of its own: it must not reopen a sealed one).
 */
void CCLuaSandboxSealBinding(lua_State* L);

/** Pushes the traceback function kept for the engine's error handler (nil when there is none). */
void CCLuaSandboxPushTraceback(lua_State* L);

/** The engine adds a folder (absolute or relative to the working folder) where require looks. */
void CCLuaSandboxAddSearchPath(lua_State* L, const char* folder);

/**
 * Loads a chunk as text: precompiled chunks are refused (Lua 5.1 does not verify them). Pushes
 * the function and answers 0, or pushes the message and answers a Lua load status.
 */
int CCLuaSandboxLoadText(lua_State* L, const char* data, size_t size, const char* chunkName);

#endif // __CC_LUA_SANDBOX_H__
