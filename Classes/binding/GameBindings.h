#ifndef __GAME_BINDINGS_H__
#define __GAME_BINDINGS_H__

#include "tolua++.h"

/**
 * Generated at build time from Classes/binding/GameBindings.pkg (one package per class, in
 * registration order; fix-ups in GameBindingsHook.lua). Registers the game's own classes, functions, variables and constants in L's global table
 * (the engine's types are already there). Called once on every script engine's fresh state;
 * its signature is a lua_CFunction so it can run protected. Returns 1.
 */
int tolua_GameBindings_open(lua_State* L);

#endif // __GAME_BINDINGS_H__
