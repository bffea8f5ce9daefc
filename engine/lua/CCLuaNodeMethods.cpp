#include "CCLuaEngineTypes.h"
#include "CCLuaMethodSupport.h"

#include "actions/CCAction.h"
#include "nodes/CCNode.h"
#include "sprites/CCSprite.h"
#include "sprites/CCSpriteFrame.h"
#include "support/CCFileUtils.h"

USING_NS_CC;

// The node methods level scripts call on the nodes they are handed. Each binding checks self,
// its arguments and that nothing follows them; overloads fall back to the earlier form, which
// reports the error, as tolua's own overloads do.

namespace
{
template <typename T>
T* checkedSelf(lua_State* L, const char* type, const char* args, const char* name)
{
    tolua_Error err;
    if (!tolua_checkmethod(L, type, args, &err))
    {
        tolua_argumenterror(L, name, &err);
    }
    return (T*)tolua_checkedself(L, name);
}

#define GET_NUMBER(Class, method)                                                   \
    int Class##_##method(lua_State* L)                                              \
    {                                                                               \
        lua_pushnumber(L, checkedSelf<Class>(L, #Class, "", #method)->method());    \
        return 1;                                                                   \
    }
#define GET_BOOL(Class, method)                                                     \
    int Class##_##method(lua_State* L)                                              \
    {                                                                               \
        lua_pushboolean(L, checkedSelf<Class>(L, #Class, "", #method)->method());   \
        return 1;                                                                   \
    }
#define SET_FLOAT(Class, method)                                                    \
    int Class##_##method(lua_State* L)                                              \
    {                                                                               \
        checkedSelf<Class>(L, #Class, "n", #method)->method(tolua_tofloat(L, 2));   \
        return 0;                                                                   \
    }
#define SET_INT(Class, method)                                                      \
    int Class##_##method(lua_State* L)                                              \
    {                                                                               \
        checkedSelf<Class>(L, #Class, "n", #method)->method(tolua_toint(L, 2));     \
        return 0;                                                                   \
    }
#define SET_BOOL(Class, method)                                                     \
    int Class##_##method(lua_State* L)                                              \
    {                                                                               \
        checkedSelf<Class>(L, #Class, "b", #method)->method(tolua_toboolean(L, 2, 0) != 0); \
        return 0;                                                                   \
    }
#define CALL(Class, method)                                                         \
    int Class##_##method(lua_State* L)                                              \
    {                                                                               \
        checkedSelf<Class>(L, #Class, "", #method)->method();                       \
        return 0;                                                                   \
    }

GET_NUMBER(CCNode, getPositionX)
GET_NUMBER(CCNode, getPositionY)
SET_FLOAT(CCNode, setPositionX)
SET_FLOAT(CCNode, setPositionY)
SET_BOOL(CCNode, setVisible)
GET_BOOL(CCNode, isVisible)
GET_NUMBER(CCNode, getScale)
GET_NUMBER(CCNode, getScaleX)
GET_NUMBER(CCNode, getScaleY)
SET_FLOAT(CCNode, setScaleX)
SET_FLOAT(CCNode, setScaleY)
SET_FLOAT(CCNode, setRotation)
GET_NUMBER(CCNode, getRotation)
GET_NUMBER(CCNode, getTag)
SET_INT(CCNode, setTag)
GET_NUMBER(CCNode, getZOrder)
SET_INT(CCNode, setZOrder)
GET_NUMBER(CCNode, getChildrenCount)
GET_BOOL(CCNode, isRunning)
SET_BOOL(CCNode, removeFromParentAndCleanup)
CALL(CCNode, removeFromParent)
CALL(CCNode, stopAllActions)

int CCNode_setScale(lua_State* L)
{
    tolua_Error err;
    if (!tolua_checkmethod(L, "CCNode", "nn", &err))
    {
        checkedSelf<CCNode>(L, "CCNode", "n", "setScale")->setScale(tolua_tofloat(L, 2));
        return 0;
    }
    ((CCNode*)tolua_checkedself(L, "setScale"))->setScale(tolua_tofloat(L, 2), tolua_tofloat(L, 3));
    return 0;
}

int CCNode_setPosition(lua_State* L)
{
    tolua_Error err;
    if (!tolua_checkmethod(L, "CCNode", "nn", &err))
    {
        CCNode* self = checkedSelf<CCNode>(L, "CCNode", "p", "setPosition");
        self->setPosition(tolua_topoint(L, 2, "setPosition"));
        return 0;
    }
    ((CCNode*)tolua_checkedself(L, "setPosition"))->setPosition(tolua_tofloat(L, 2), tolua_tofloat(L, 3));
    return 0;
}

int CCNode_getPosition(lua_State* L)
{
    tolua_pushvaluecopy(L, checkedSelf<CCNode>(L, "CCNode", "", "getPosition")->getPosition(), "CCPoint");
    return 1;
}

int CCNode_getContentSize(lua_State* L)
{
    tolua_pushvaluecopy(L, checkedSelf<CCNode>(L, "CCNode", "", "getContentSize")->getContentSize(), "CCSize");
    return 1;
}

int CCNode_boundingBox(lua_State* L)
{
    tolua_pushvaluecopy(L, checkedSelf<CCNode>(L, "CCNode", "", "boundingBox")->boundingBox(), "CCRect");
    return 1;
}

int CCNode_getChildByTag(lua_State* L)
{
    CCNode* self = checkedSelf<CCNode>(L, "CCNode", "n", "getChildByTag");
    tolua_pushnode(L, self->getChildByTag(tolua_toint(L, 2)));
    return 1;
}

int CCNode_getParent(lua_State* L)
{
    tolua_pushnode(L, checkedSelf<CCNode>(L, "CCNode", "", "getParent")->getParent());
    return 1;
}

// addChild(child [, zOrder [, tag]]): the longest form that matches is taken.
int addChild(lua_State* L, int numbers)
{
    static const char* const kArgs[] = { "o", "on", "onn" };
    tolua_Error err;
    if (!tolua_checkmethod(L, "CCNode", kArgs[numbers], &err))
    {
        return numbers == 0 ? tolua_argumenterror(L, "addChild", &err) : addChild(L, numbers - 1);
    }
    CCNode* self = (CCNode*)tolua_checkedself(L, "addChild");
    CCNode* child = (CCNode*)tolua_checkedobject(L, 2, "addChild");
    // A node below itself would make the tree a loop that visiting never leaves.
    for (CCNode* node = self; node; node = node->getParent())
    {
        if (node == child)
        {
            return luaL_error(L, "error in function 'addChild': a node cannot be added below itself");
        }
    }
    if (numbers == 0)
    {
        self->addChild(child);
    }
    else if (numbers == 1)
    {
        self->addChild(child, tolua_toint(L, 3));
    }
    else
    {
        self->addChild(child, tolua_toint(L, 3), tolua_toint(L, 4));
    }
    return 0;
}

int CCNode_addChild(lua_State* L)
{
    return addChild(L, 2);
}

int CCNode_runAction(lua_State* L)
{
    CCNode* self = checkedSelf<CCNode>(L, "CCNode", "a", "runAction");
    CCAction* action = (CCAction*)tolua_checkedobject(L, 2, "runAction");
    tolua_pushccobject(L, self->runAction(action), "CCAction");
    return 1;
}

int CCSprite_create(lua_State* L)
{
    tolua_Error err;
    if (tolua_checkstatic(L, "CCSprite", "s", &err))
    {
        // A script's file name passes the gate for names from content; nil passes the string
        // check and names no file.
        const char* file = tolua_tostring(L, 2, 0);
        const bool confined =
            file != NULL && !CCFileUtils::sharedFileUtils()->fullPathForContentName(file, "CCSprite:create").empty();
        tolua_pushccobject(L, confined ? CCSprite::create(file) : NULL, "CCSprite");
        return 1;
    }
    if (!tolua_checkstatic(L, "CCSprite", "", &err))
    {
        return tolua_argumenterror(L, "create", &err);
    }
    tolua_pushccobject(L, CCSprite::create(), "CCSprite");
    return 1;
}

GET_NUMBER(CCSprite, getOpacity)
GET_BOOL(CCSprite, isFlipX)
GET_BOOL(CCSprite, isFlipY)
SET_BOOL(CCSprite, setFlipX)
SET_BOOL(CCSprite, setFlipY)

int CCSprite_setOpacity(lua_State* L)
{
    checkedSelf<CCSprite>(L, "CCSprite", "n", "setOpacity")->setOpacity(tolua_tobyte(L, 2));
    return 0;
}

int CCSprite_setColor(lua_State* L)
{
    CCSprite* self = checkedSelf<CCSprite>(L, "CCSprite", "c", "setColor");
    self->setColor(tolua_tocolor3(L, 2, "setColor"));
    return 0;
}

int CCSprite_getColor(lua_State* L)
{
    tolua_pushvaluecopy(L, checkedSelf<CCSprite>(L, "CCSprite", "", "getColor")->getColor(), "ccColor3B");
    return 1;
}

int CCSprite_setDisplayFrame(lua_State* L)
{
    CCSprite* self = checkedSelf<CCSprite>(L, "CCSprite", "r", "setDisplayFrame");
    self->setDisplayFrame((CCSpriteFrame*)tolua_checkedobject(L, 2, "setDisplayFrame"));
    return 0;
}

#define METHOD(Class, name) { #name, Class##_##name }

const luaL_Reg kNodeMethods[] = {
    METHOD(CCNode, setPosition),
    METHOD(CCNode, getPosition),
    METHOD(CCNode, getPositionX),
    METHOD(CCNode, getPositionY),
    METHOD(CCNode, setPositionX),
    METHOD(CCNode, setPositionY),
    METHOD(CCNode, setVisible),
    METHOD(CCNode, isVisible),
    METHOD(CCNode, setScale),
    METHOD(CCNode, getScale),
    METHOD(CCNode, setScaleX),
    METHOD(CCNode, setScaleY),
    METHOD(CCNode, getScaleX),
    METHOD(CCNode, getScaleY),
    METHOD(CCNode, setRotation),
    METHOD(CCNode, getRotation),
    METHOD(CCNode, getTag),
    METHOD(CCNode, setTag),
    METHOD(CCNode, getZOrder),
    METHOD(CCNode, setZOrder),
    METHOD(CCNode, getContentSize),
    METHOD(CCNode, boundingBox),
    METHOD(CCNode, addChild),
    METHOD(CCNode, getChildByTag),
    METHOD(CCNode, getChildrenCount),
    METHOD(CCNode, getParent),
    METHOD(CCNode, removeFromParent),
    METHOD(CCNode, removeFromParentAndCleanup),
    METHOD(CCNode, isRunning),
    METHOD(CCNode, runAction),
    METHOD(CCNode, stopAllActions),
    { NULL, NULL },
};

const luaL_Reg kSpriteMethods[] = {
    METHOD(CCSprite, create),
    METHOD(CCSprite, setOpacity),
    METHOD(CCSprite, getOpacity),
    METHOD(CCSprite, setColor),
    METHOD(CCSprite, getColor),
    METHOD(CCSprite, setFlipX),
    METHOD(CCSprite, setFlipY),
    METHOD(CCSprite, isFlipX),
    METHOD(CCSprite, isFlipY),
    METHOD(CCSprite, setDisplayFrame),
    { NULL, NULL },
};
} // namespace

int tolua_CCNodeMethods_open(lua_State* L)
{
    tolua_registerfunctions(L, "CCNode", kNodeMethods);
    tolua_registerfunctions(L, "CCSprite", kSpriteMethods);
    return 1;
}
