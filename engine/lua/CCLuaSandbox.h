#ifndef __CC_LUA_SANDBOX_H__
#define __CC_LUA_SANDBOX_H__

#include "CCLuaEngine.h"

/**
 * Level and enemy scripts are content, and saves name them: they keep the pure libraries
 * (math, string, table, os.time and friends) and lose what reaches the process or the disk
 * (os.execute, io.popen, files opened for writing, native libraries, debug, bytecode). Script
 * files load only from inside the resource folder. Call once, after the standard libraries.
 */
void CCLuaSandboxOpen(lua_State* L);

/** Pushes the traceback function the sandbox kept aside (nil when there is none). */
void CCLuaSandboxPushTraceback(lua_State* L);

#endif // __CC_LUA_SANDBOX_H__
