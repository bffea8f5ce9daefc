#include "CCLuaEngineTypes.h"

#include <cstring>

// Object classes and their bases; a base comes before the classes derived from it.
static const char* const kObjectTypes[][2] = {
    { "CCNode", "cocos2d::CCObject" },
    { "CCLayer", "CCNode" },
    { "CCScene", "CCNode" },
    { "CCSprite", "CCNode" },
    { "CCParticleSystem", "CCNode" },
    { "CCSpriteFrame", "cocos2d::CCObject" },
};

// Makes a userdata of type name pass checks for alias, as tolua does for a base class.
static void addSuperName(lua_State* L, const char* name, const char* alias)
{
    lua_pushstring(L, "tolua_super");
    lua_rawget(L, LUA_REGISTRYINDEX);
    luaL_getmetatable(L, name);
    lua_rawget(L, -2);
    if (!lua_istable(L, -1))
    {
        lua_pop(L, 1);
        lua_newtable(L);
        luaL_getmetatable(L, name);
        lua_pushvalue(L, -2);
        lua_rawset(L, -4);
    }
    lua_pushstring(L, alias);
    lua_pushboolean(L, 1);
    lua_rawset(L, -3);
    lua_pop(L, 2);
}

int tolua_CCEngineTypes_open(lua_State* L)
{
    tolua_open(L);

    tolua_usertype(L, "CCObject");
    tolua_usertype(L, "cocos2d::CCObject");
    for (size_t i = 0; i < sizeof(kObjectTypes) / sizeof(kObjectTypes[0]); ++i)
    {
        tolua_usertype(L, kObjectTypes[i][0]);
    }

    tolua_module(L, NULL, 0);
    tolua_beginmodule(L, NULL);
    tolua_cclass(L, "CCObject", "CCObject", "", NULL);
    tolua_module(L, "cocos2d", 0);
    tolua_beginmodule(L, "cocos2d");
    tolua_cclass(L, "CCObject", "cocos2d::CCObject", "CCObject", NULL);
    tolua_endmodule(L);
    // The binding names the root class both ways; either name accepts the other's objects.
    addSuperName(L, "CCObject", "cocos2d::CCObject");
    addSuperName(L, "const CCObject", "cocos2d::CCObject");
    addSuperName(L, "const CCObject", "const cocos2d::CCObject");
    for (size_t i = 0; i < sizeof(kObjectTypes) / sizeof(kObjectTypes[0]); ++i)
    {
        // Engine objects are reference counted: Lua never collects them.
        tolua_cclass(L, kObjectTypes[i][0], kObjectTypes[i][0], kObjectTypes[i][1], NULL);
    }
    tolua_endmodule(L);

    tolua_CCValueTypes_open(L);
    tolua_CCActionMethods_open(L);
    tolua_CCNodeMethods_open(L);
    return 1;
}
