#ifndef __CC_LUA_ENGINE_TYPES_H__
#define __CC_LUA_ENGINE_TYPES_H__

#include "tolua++.h"

/**
 * The engine's own script types. Object classes, base first:
 *   CCObject <- cocos2d::CCObject (the same type under its qualified name; each passes as the
 *   other) <- CCNode <- CCLayer, CCScene, CCSprite, CCParticleSystem; CCSpriteFrame <- CCObject.
 * Value classes CCPoint, CCSize, CCRect, ccColor3B, ccColor4B with their constructors.
 * CCLuaEngine opens all of it on every state; returns 1.
 */
int tolua_CCEngineTypes_open(lua_State* L);

/** The value types alone (called by tolua_CCEngineTypes_open). */
int tolua_CCValueTypes_open(lua_State* L);

/**
 * The action classes scripts build, base first: CCAction <- CCFiniteTimeAction <-
 * CCActionInterval, CCActionInstant; CCActionInterval <- CCSequence, CCRepeatForever,
 * CCDelayTime, CCMoveBy (<- CCMoveTo), CCScaleTo, CCFadeIn, CCFadeOut, CCFadeTo; each with its
 * Class:create(...) (called by tolua_CCEngineTypes_open).
 */
int tolua_CCActionMethods_open(lua_State* L);

/** The node and sprite methods scripts call (called by tolua_CCEngineTypes_open). */
int tolua_CCNodeMethods_open(lua_State* L);

#endif // __CC_LUA_ENGINE_TYPES_H__
