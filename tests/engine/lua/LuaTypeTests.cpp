#include "VornTestSupport.h"
#include "lua_engine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

USING_NS_CC;
using vorntest::LogCapture;

namespace
{
int lua_makePoint(lua_State* L)
{
    tolua_pushvaluecopy(L, CCPoint((float)lua_tonumber(L, 1), 2.5f), "CCPoint");
    return 1;
}

bool passes(lua_State* L, void* object, const char* pushedAs, const char* checkedAs)
{
    tolua_pushusertype(L, object, pushedAs);
    tolua_Error err;
    bool ok = tolua_isusertype(L, lua_gettop(L), checkedAs, 0, &err) != 0;
    lua_pop(L, 1);
    return ok;
}
} // namespace

TEST(LuaTypes, DerivedObjectsPassBaseChecks)
{
    CCLuaEngine engine;
    lua_State* L = engine.getLuaState();
    // Classes the game's binding adds on top of the engine's, the way its generated code does.
    tolua_usertype(L, "VornActor");
    tolua_usertype(L, "SFXManager");
    tolua_usertype(L, "CCObject"); // already the engine's: ignored
    tolua_module(L, NULL, 0);
    tolua_beginmodule(L, NULL);
    tolua_cclass(L, "VornActor", "VornActor", "CCSprite", NULL);
    tolua_cclass(L, "SFXManager", "SFXManager", "cocos2d::CCObject", NULL);
    tolua_endmodule(L);

    struct Case
    {
        const char* pushed;
        const char* checked;
        bool expected;
    };
    const Case cases[] = {
        { "CCSprite", "CCNode", true },
        { "CCSprite", "CCObject", true },
        { "CCSprite", "cocos2d::CCObject", true },
        { "CCScene", "CCNode", true },
        { "CCLayer", "CCNode", true },
        { "CCParticleSystem", "CCNode", true },
        { "CCSpriteFrame", "CCObject", true },
        { "CCObject", "cocos2d::CCObject", true },
        { "cocos2d::CCObject", "CCObject", true },
        { "VornActor", "CCSprite", true },
        { "VornActor", "CCObject", true },
        { "SFXManager", "CCObject", true },
        { "CCSprite", "CCLayer", false },
        { "CCSpriteFrame", "CCNode", false },
        { "CCNode", "CCSprite", false },
        { "CCObject", "CCNode", false },
        { "CCPoint", "CCObject", false },
    };
    // One address per case: tolua keeps a box per address and would hand back the first type.
    static int objects[sizeof(cases) / sizeof(cases[0])];
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
    {
        EXPECT_EQ(cases[i].expected, passes(L, &objects[i], cases[i].pushed, cases[i].checked))
            << cases[i].pushed << " as " << cases[i].checked;
    }
    EXPECT_EQ(0, lua_gettop(L));
}

TEST(LuaTypes, ValueTypesFromScripts)
{
    CCLuaEngine engine;
    const char* script =
        "local function fails(f, text) local ok, e = pcall(f); "
        "  assert(not ok and string.find(e, text, 1, true), tostring(e)) end\n"
        "local p = CCPoint(1, 2); assert(p.x == 1 and p.y == 2)\n"
        "local q = CCPoint:new_local(3, 4); assert(q.x == 3 and q.y == 4)\n"
        "local z = CCPoint(); assert(z.x == 0 and z.y == 0)\n"
        "local c = ccp(5.5, -6); assert(c.x == 5.5 and c.y == -6)\n"
        "assert(CCPointMake(1, 1).y == 1 and CCSizeMake(7, 8).height == 8)\n"
        "p.x = '9'; assert(p.x == 9)\n"
        "local owned = CCPoint:new(1, 1); owned:delete()\n"
        "fails(function() return owned.x end, \"invalid 'self' in accessing variable 'x'\")\n"
        "local early = CCPoint(1, 1); early:delete()\n"
        "local r = CCRect(1, 2, 3, 4)\n"
        "assert(r.origin.x == 1 and r.origin.y == 2 and r.size.width == 3 and r.size.height == 4)\n"
        "assert(r:getMaxX() == 4 and r:getMidY() == 4 and r:containsPoint(ccp(4, 6)))\n"
        "assert(r:intersectsRect(CCRectMake(4, 6, 1, 1)))\n"
        "r.origin = ccp(10, 20); assert(r:getMinX() == 10 and r.origin.y == 20)\n"
        "local s = CCSize(2, 3); assert(s.width == 2 and s.height == 3)\n"
        "local c3 = ccc3(1, 2, 3); assert(c3.r == 1 and c3.g == 2 and c3.b == 3)\n"
        "local c4 = ccc4(10, 20, 30, 40); assert(c4.a == 40)\n"
        "local clamp = ccc3(300, -5, 1.9); assert(clamp.r == 255 and clamp.g == 0 and clamp.b == 1)\n"
        "c4.a = 128; assert(c4.a == 128)\n"
        "assert(ccColor4B(1, 2, 3, 4).b == 3 and ccColor3B:new_local(4, 5, 6).r == 4)\n"
        "fails(function() return ccp(1) end, \"error in function 'ccp'\")\n"
        "fails(function() return CCPoint(1, 2, 3) end, \"error in function 'new'\")\n"
        "fails(function() p.x = 'abc' end, 'invalid type in variable assignment')\n"
        "fails(function() r.origin = nil end, \"'value' expected\")\n"
        "fails(function() r:containsPoint(nil) end, \"error in function 'containsPoint'\")\n"
        "fails(function() CCRect.getMinX(nil) end, \"invalid 'self' in function 'getMinX'\")\n"
        "collectgarbage('collect')\n";
    LogCapture log;
    EXPECT_EQ(0, engine.executeString(script)) << (log.lines().empty() ? "" : log.lines()[0]);
}

TEST(LuaTypes, ReturnedPointsBelongToTheCollector)
{
    // Under LeakSanitizer a copy the collector missed would be reported at exit.
    CCLuaEngine engine;
    lua_register(engine.getLuaState(), "makePoint", lua_makePoint);
    EXPECT_EQ(0, engine.executeString("local kept = makePoint(1)\n"
                                      "for i = 1, 2000 do local p = makePoint(i); assert(p.x == i) end\n"
                                      "collectgarbage('collect')\n"
                                      "assert(kept.x == 1 and kept.y == 2.5)\n"
                                      "last = makePoint(3)"));
    // The state still holding "last" frees it when it closes.
}

namespace
{
int countCollectorEntries(lua_State* L)
{
    lua_pushstring(L, "tolua_gc");
    lua_rawget(L, LUA_REGISTRYINDEX);
    int count = 0;
    if (lua_istable(L, -1))
    {
        lua_pushnil(L);
        while (lua_next(L, -2) != 0)
        {
            ++count;
            lua_pop(L, 1);
        }
    }
    lua_pop(L, 1);
    return count;
}
} // namespace

TEST(LuaTypes, ReturnedValuesLeaveNothingInToluasTables)
{
    // Scripts ask for points every frame for every enemy: each answer must be a plain Lua value,
    // not a heap copy registered with tolua's collector (whose tables then grow and rehash).
    CCLuaEngine engine;
    lua_State* L = engine.getLuaState();
    lua_register(L, "makePoint", lua_makePoint);
    const int before = countCollectorEntries(L);
    ASSERT_EQ(0, engine.executeString("collectgarbage('stop')\n"
                                      "held = {}\n"
                                      "for i = 1, 200 do held[i] = makePoint(i) end\n"
                                      "for i = 1, 200 do held[200 + i] = ccp(i, i) end\n"
                                      "for i = 1, 200 do held[400 + i] = CCPoint(i, 1) end\n"
                                      "for i = 1, 200 do held[600 + i] = CCRectMake(i, 0, 1, 1) end\n"
                                      "collectgarbage('restart')"));
    EXPECT_EQ(before, countCollectorEntries(L));
}

TEST(LuaTypes, InlineValuesBehaveAsValues)
{
    CCLuaEngine engine;
    lua_State* L = engine.getLuaState();
    lua_register(L, "makePoint", lua_makePoint);
    const char* script =
        "local function fails(f, text) local ok, e = pcall(f); "
        "  assert(not ok and string.find(e, text, 1, true), tostring(e)) end\n"
        "local a, b = makePoint(1), makePoint(1)\n"
        "a.x = 7; assert(a.x == 7 and b.x == 1 and a.y == 2.5)\n"
        "assert(tolua.type(a) == 'CCPoint' and tolua.type(ccp(1, 2)) == 'CCPoint')\n"
        "local r = CCRect(0, 0, 10, 10); assert(r:containsPoint(b) and not r:containsPoint(ccp(11, 0)))\n"
        "r.origin = a; assert(r.origin.x == 7)\n"
        "local gone = ccp(1, 2); gone:delete()\n"
        "fails(function() return gone.x end, \"invalid 'self' in accessing variable 'x'\")\n"
        "fails(function() gone:delete() end, \"invalid 'self' in function 'delete'\")\n"
        "a.z = 1; assert(a.z == 1 and b.z == nil)\n"
        "collectgarbage('collect'); assert(b.x == 1)";
    LogCapture log;
    EXPECT_EQ(0, engine.executeString(script)) << (log.lines().empty() ? "" : log.lines()[0]);

    // Native type checks take them as the type and its const form.
    lua_settop(L, 0);
    lua_getglobal(L, "ccp");
    lua_pushnumber(L, 3);
    lua_pushnumber(L, 4);
    ASSERT_EQ(0, lua_pcall(L, 2, 1, 0));
    tolua_Error err;
    EXPECT_TRUE(tolua_isusertype(L, 1, "CCPoint", 0, &err));
    EXPECT_TRUE(tolua_isusertype(L, 1, "const CCPoint", 0, &err));
    EXPECT_FALSE(tolua_isusertype(L, 1, "CCRect", 0, &err));
    const CCPoint* point = (const CCPoint*)tolua_tousertype(L, 1, 0);
    ASSERT_TRUE(point != NULL);
    EXPECT_EQ(CCPoint(3.0f, 4.0f), *point);
    lua_pop(L, 1);
}

namespace
{
// A small family of classes, made the way a generated binding makes them: Base has a method
// "describe", a variable "value" and a method "name"; Derived has a variable "name" of its own
// (hiding the base's method) and overrides "describe".
struct Thing
{
    int value;
};
Thing s_thing = { 5 };

int pushText(lua_State* L, const char* text)
{
    lua_pushstring(L, text);
    return 1;
}
int baseDescribe(lua_State* L) { return pushText(L, "base"); }
int baseName(lua_State* L) { return pushText(L, "base method"); }
int derivedDescribe(lua_State* L) { return pushText(L, "derived"); }
int derivedName(lua_State* L) { return pushText(L, "derived variable"); }
int getValue(lua_State* L)
{
    lua_pushinteger(L, ((Thing*)tolua_tousertype(L, 1, 0))->value);
    return 1;
}
int setValue(lua_State* L)
{
    ((Thing*)tolua_tousertype(L, 1, 0))->value = (int)lua_tointeger(L, 2);
    return 0;
}

void openThings(lua_State* L)
{
    tolua_usertype(L, "Base");
    tolua_usertype(L, "Derived");
    tolua_usertype(L, "Leaf");
    tolua_module(L, NULL, 0);
    tolua_beginmodule(L, NULL);
    tolua_cclass(L, "Base", "Base", "", NULL);
    tolua_beginmodule(L, "Base");
    tolua_function(L, "describe", baseDescribe);
    tolua_function(L, "name", baseName);
    tolua_variable(L, "value", getValue, setValue);
    tolua_endmodule(L);
    tolua_cclass(L, "Derived", "Derived", "Base", NULL);
    tolua_beginmodule(L, "Derived");
    tolua_function(L, "describe", derivedDescribe);
    tolua_variable(L, "name", derivedName, NULL);
    tolua_endmodule(L);
    tolua_cclass(L, "Leaf", "Leaf", "Derived", NULL);
    tolua_endmodule(L);
}
} // namespace

TEST(LuaTypes, FlattenedClassesResolveEveryNameAsBefore)
{
    CCLuaEngine engine;
    lua_State* L = engine.getLuaState();
    openThings(L);
    const char* check =
        "local leaf = ...\n"
        "assert(leaf:describe() == 'derived', 'override')\n"
        "assert(leaf.name == 'derived variable', 'a variable hides the base method')\n"
        "assert(leaf.value == s_value, 'base variable')\n"
        "leaf.value = leaf.value + 1\n"
        "assert(leaf.value == s_value + 1, 'base setter')\n"
        "assert(type(leaf.addChild) == 'nil')\n";
    for (int flattened = 0; flattened < 2; ++flattened)
    {
        if (flattened)
        {
            toluafix_flatten_classes(L);
        }
        lua_pushinteger(L, s_thing.value);
        lua_setglobal(L, "s_value");
        ASSERT_EQ(0, luaL_loadstring(L, check));
        tolua_pushusertype(L, &s_thing, "Leaf");
        EXPECT_EQ(0, lua_pcall(L, 1, 0, 0)) << (flattened ? "flattened: " : "") << lua_tostring(L, -1);
        lua_settop(L, 0);
    }
    EXPECT_EQ(7, s_thing.value);
}

TEST(LuaTypes, FlattenedNameLookUpsAnswerAsToluaDoes)
{
    // Each expression runs on a fresh Leaf in a state left as tolua made it and in a flattened
    // one, whose classes look names up on their own: both must give the same text.
    const char* const cases[] = {
        "leaf:describe()",
        "leaf.name",
        "tostring(leaf.value)",
        "tostring(leaf.missing)",
        "tostring(leaf[1])",
        "tostring(leaf['1'])",
        "tostring(leaf[true])",
        "(function() leaf.extra = 'peer field'; return leaf.extra end)()",
        "(function() leaf.describe = 'peer hides method'; return leaf.describe end)()",
        "(function() leaf['2'] = 'numeric name in peer'; return leaf['2'] end)()",
        "(function() leaf.other = 1; leaf.value = 8; return tostring(leaf.value + leaf.other) end)()",
        "type(Derived.describe)",
        "tostring(ccp(3, 4).x + ccp(3, 4).y)",
        "tostring(CCRect(1, 2, 3, 4):getMaxX())",
        "tostring(CCRect(1, 2, 3, 4).size.width)",
        "tostring(ccp(1, 1).getMaxX)",
        "tostring(ccp(1.5, -2).y)",
        "tostring(CCSize(3, 4).height)",
        // A heap copy belongs to the script until its delete.
        "(function() local p = CCPoint:new(5, 6); local x = p.x; p:delete(); return tostring(x) end)()",
        "(function() local p = ccp(1, 2); p.x = 9; p.extra = 3; return tostring(p.x + p.extra) end)()",
        "(function() local p = ccp(1, 2); p:delete(); return select(2, pcall(function() return p.x end)) end)()",
        "(function() local p = CCPoint:new(1, 2); p:delete(); return select(2, pcall(function() return p.y end)) end)()",
    };
    Thing things[2][sizeof(cases) / sizeof(cases[0])];
    std::string answers[2][sizeof(cases) / sizeof(cases[0])];
    for (int flattened = 0; flattened < 2; ++flattened)
    {
        CCLuaEngine engine;
        lua_State* L = engine.getLuaState();
        openThings(L);
        if (flattened)
        {
            toluafix_flatten_classes(L);
        }
        for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
        {
            things[flattened][i].value = 5;
            const std::string chunk = std::string("local leaf = ...\nreturn ") + cases[i];
            ASSERT_EQ(0, luaL_loadstring(L, chunk.c_str())) << cases[i];
            tolua_pushusertype(L, &things[flattened][i], "Leaf");
            ASSERT_EQ(0, lua_pcall(L, 1, 1, 0)) << cases[i] << ": " << lua_tostring(L, -1);
            answers[flattened][i] = lua_isstring(L, -1) ? lua_tostring(L, -1) : "(not a string)";
            lua_settop(L, 0);
        }
    }
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
    {
        EXPECT_EQ(answers[0][i], answers[1][i]) << cases[i];
    }
    EXPECT_EQ("peer field", answers[1][7]);
    EXPECT_EQ("derived variable", answers[1][1]);
}

TEST(LuaTypes, RememberedTypeChecksAnswerAsToluaDoes)
{
    // Each check is asked three times of the remembering form (the later ones answered from
    // what the first left) and must give tolua's own answer and error every time.
    CCLuaEngine engine;
    lua_State* L = engine.getLuaState();
    openThings(L);
    toluafix_flatten_classes(L);
    Thing derived = { 1 };
    Thing leaf = { 2 };
    const struct Case
    {
        const char* value;
        const char* type;
    } cases[] = {
        { "derived", "Base" },   { "derived", "Derived" }, { "derived", "Leaf" },  { "leaf", "Base" },
        { "leaf", "Leaf" },      { "leaf", "CCNode" },     { "leaf", "const Base" }, { "nil", "Base" },
        { "number", "Base" },    { "point", "CCPoint" },   { "point", "Base" },    { "none", "Base" },
    };
    for (const Case& c : cases)
    {
        for (int round = 0; round < 3; ++round)
        {
            lua_settop(L, 0);
            const std::string value = c.value;
            if (value == "derived" || value == "leaf")
            {
                tolua_pushusertype(L, value == "leaf" ? &leaf : &derived, value == "leaf" ? "Leaf" : "Derived");
            }
            else if (value == "number")
            {
                lua_pushnumber(L, 3);
            }
            else if (value == "point")
            {
                tolua_pushvaluecopy(L, CCPoint(1, 2), "CCPoint");
            }
            else if (value != "none")
            {
                lua_pushnil(L);
            }
            tolua_Error expectedErr, err;
            memset(&expectedErr, 0, sizeof(expectedErr));
            memset(&err, 0, sizeof(err));
            const int expected = tolua_isusertype(L, 1, c.type, 0, &expectedErr);
            const int top = lua_gettop(L);
            EXPECT_EQ(expected, toluafix_isusertype(L, 1, c.type, 0, &err)) << c.value << " as " << c.type << ", round " << round;
            EXPECT_EQ(top, lua_gettop(L));
            if (!expected)
            {
                EXPECT_EQ(expectedErr.index, err.index);
                EXPECT_STREQ(expectedErr.type, err.type);
            }
        }
    }
}

TEST(LuaTypes, FlattenedClassesFindBaseMembersAtTheirOwnLevel)
{
    // A base method used to cost one metatable walk per class between the object and the base.
    CCLuaEngine engine;
    lua_State* L = engine.getLuaState();
    openThings(L);
    toluafix_flatten_classes(L);
    EXPECT_EQ(0, engine.executeString("assert(rawget(Leaf, 'describe') == rawget(Derived, 'describe'))\n"
                                      "assert(rawget(Leaf, '.get').name and rawget(Leaf, '.get').value)\n"
                                      "assert(rawget(Leaf, '.set').value)\n"
                                      "assert(rawget(Derived, 'name') == nil, 'hidden by its own variable')\n"
                                      "assert(rawget(CCSprite, 'addChild') == rawget(CCNode, 'addChild'))\n"));
}
