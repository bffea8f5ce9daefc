#include "CCLuaEngineTypes.h"
#include "CCLuaMethodSupport.h"

#include "actions/CCActionInterval.h"
#include "base/CCArray.h"

USING_NS_CC;

// The actions scripts build to animate nodes: Class:create(...) for each, returned through the
// object-reference layer, so an action the engine frees is seen as gone by the script.

namespace
{
// Action classes and their bases; a base comes before the classes derived from it.
const char* const kActionTypes[][2] = {
    { "CCAction", "cocos2d::CCObject" },
    { "CCFiniteTimeAction", "CCAction" },
    { "CCActionInterval", "CCFiniteTimeAction" },
    { "CCActionInstant", "CCFiniteTimeAction" },
    { "CCSequence", "CCActionInterval" },
    { "CCRepeatForever", "CCActionInterval" },
    { "CCDelayTime", "CCActionInterval" },
    { "CCMoveBy", "CCActionInterval" },
    { "CCMoveTo", "CCMoveBy" },
    { "CCScaleTo", "CCActionInterval" },
    { "CCFadeIn", "CCActionInterval" },
    { "CCFadeOut", "CCActionInterval" },
    { "CCFadeTo", "CCActionInterval" },
};

void checkStatic(lua_State* L, const char* type, const char* args)
{
    tolua_Error err;
    if (!tolua_checkstatic(L, type, args, &err))
    {
        tolua_argumenterror(L, "create", &err);
    }
}

#define CREATE_WITH_DURATION(Class)                                                 \
    int Class##_create(lua_State* L)                                                \
    {                                                                               \
        checkStatic(L, #Class, "n");                                                \
        tolua_pushccobject(L, Class::create(tolua_tofloat(L, 2)), #Class);          \
        return 1;                                                                   \
    }
#define CREATE_WITH_POINT(Class)                                                    \
    int Class##_create(lua_State* L)                                                \
    {                                                                               \
        checkStatic(L, #Class, "np");                                               \
        const CCPoint& point = tolua_topoint(L, 3, "create");                       \
        tolua_pushccobject(L, Class::create(tolua_tofloat(L, 2), point), #Class);   \
        return 1;                                                                   \
    }

CREATE_WITH_DURATION(CCDelayTime)
CREATE_WITH_DURATION(CCFadeIn)
CREATE_WITH_DURATION(CCFadeOut)
CREATE_WITH_POINT(CCMoveBy)
CREATE_WITH_POINT(CCMoveTo)

int CCFadeTo_create(lua_State* L)
{
    checkStatic(L, "CCFadeTo", "nn");
    tolua_pushccobject(L, CCFadeTo::create(tolua_tofloat(L, 2), tolua_tobyte(L, 3)), "CCFadeTo");
    return 1;
}

// create(duration, scale) or create(duration, scaleX, scaleY).
int CCScaleTo_create(lua_State* L)
{
    tolua_Error err;
    CCScaleTo* action = NULL;
    if (tolua_checkstatic(L, "CCScaleTo", "nnn", &err))
    {
        action = CCScaleTo::create(tolua_tofloat(L, 2), tolua_tofloat(L, 3), tolua_tofloat(L, 4));
    }
    else
    {
        checkStatic(L, "CCScaleTo", "nn");
        action = CCScaleTo::create(tolua_tofloat(L, 2), tolua_tofloat(L, 3));
    }
    tolua_pushccobject(L, action, "CCScaleTo");
    return 1;
}

int CCRepeatForever_create(lua_State* L)
{
    checkStatic(L, "CCRepeatForever", "i");
    CCActionInterval* inner = (CCActionInterval*)tolua_checkedobject(L, 2, "create");
    tolua_pushccobject(L, CCRepeatForever::create(inner), "CCRepeatForever");
    return 1;
}

// The actions of slots first..last, or of a table's items 1..n, in one array.
CCArray* collectActions(lua_State* L, int table, int first, int last)
{
    CCArray* actions = CCArray::create(); // autoreleased: a raised error leaves no leak
    for (int i = first; i <= last; ++i)
    {
        void* action = NULL;
        if (table)
        {
            lua_rawgeti(L, table, i);
            action = tolua_tousertype(L, -1, 0);
            lua_pop(L, 1);
        }
        else
        {
            action = tolua_tousertype(L, i, 0);
        }
        if (action == NULL)
        {
            // A hole in the table or an action that has died.
            luaL_error(L, "invalid action #%d in function 'create'", table ? i : i - 1);
        }
        actions->addObject((CCFiniteTimeAction*)action);
    }
    return actions;
}

// create({a, b, ...}) or create(a, b, ...): the actions one after another.
int CCSequence_create(lua_State* L)
{
    tolua_Error err;
    bool listed = lua_gettop(L) >= 2;
    for (int i = 2; listed && i <= lua_gettop(L); ++i)
    {
        listed = tolua_checkslot(L, i, 'f', &err);
    }
    CCArray* actions = NULL;
    if (listed && tolua_isusertable(L, 1, "CCSequence", 0, &err))
    {
        actions = collectActions(L, 0, 2, lua_gettop(L));
    }
    else
    {
        checkStatic(L, "CCSequence", "t");
        int count = (int)lua_objlen(L, 2);
        if (!tolua_isusertypearray(L, 2, "CCFiniteTimeAction", count, 0, &err))
        {
            return tolua_argumenterror(L, "create", &err);
        }
        actions = collectActions(L, 2, 1, count);
    }
    tolua_pushccobject(L, CCSequence::create(actions), "CCSequence");
    return 1;
}

int CCSequence_createWithTwoActions(lua_State* L)
{
    tolua_Error err;
    if (!tolua_checkstatic(L, "CCSequence", "ff", &err))
    {
        return tolua_argumenterror(L, "createWithTwoActions", &err);
    }
    CCFiniteTimeAction* one = (CCFiniteTimeAction*)tolua_checkedobject(L, 2, "createWithTwoActions");
    CCFiniteTimeAction* two = (CCFiniteTimeAction*)tolua_checkedobject(L, 3, "createWithTwoActions");
    tolua_pushccobject(L, CCSequence::createWithTwoActions(one, two), "CCSequence");
    return 1;
}

#define CREATOR(Class) { #Class, Class##_create }

const luaL_Reg kCreators[] = {
    CREATOR(CCDelayTime),
    CREATOR(CCMoveBy),
    CREATOR(CCMoveTo),
    CREATOR(CCScaleTo),
    CREATOR(CCFadeIn),
    CREATOR(CCFadeOut),
    CREATOR(CCFadeTo),
    CREATOR(CCRepeatForever),
    CREATOR(CCSequence),
    { NULL, NULL },
};
} // namespace

int tolua_CCActionMethods_open(lua_State* L)
{
    const size_t count = sizeof(kActionTypes) / sizeof(kActionTypes[0]);
    for (size_t i = 0; i < count; ++i)
    {
        tolua_usertype(L, kActionTypes[i][0]);
    }
    tolua_module(L, NULL, 0);
    tolua_beginmodule(L, NULL);
    for (size_t i = 0; i < count; ++i)
    {
        // Reference counted like every engine object: Lua never collects them.
        tolua_cclass(L, kActionTypes[i][0], kActionTypes[i][0], kActionTypes[i][1], NULL);
    }
    tolua_endmodule(L);

    for (const luaL_Reg* creator = kCreators; creator->name; ++creator)
    {
        const luaL_Reg create[] = { { "create", creator->func }, { NULL, NULL } };
        tolua_registerfunctions(L, creator->name, create);
    }
    const luaL_Reg sequence[] = { { "createWithTwoActions", CCSequence_createWithTwoActions }, { NULL, NULL } };
    tolua_registerfunctions(L, "CCSequence", sequence);
    return 1;
}
