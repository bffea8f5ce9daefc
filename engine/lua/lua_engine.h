#ifndef __CC_LUA_MODULE_H__
#define __CC_LUA_MODULE_H__

// The Lua module's umbrella. Not part of cocos2d.h: only code that runs scripts includes it.
// (Not named lua.h: every engine folder is on the include path and it would hide Lua's own.)

#include "CCLuaEngine.h"
#include "CCLuaEngineTypes.h"
#include "CCLuaBinding.h"
#include "CCLuaMethodSupport.h"
#include "tolua_fix.h"

#endif
