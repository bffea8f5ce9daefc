#include "CCLuaMethodSupport.h"

#include "nodes/CCLayer.h"
#include "nodes/CCNode.h"
#include "nodes/CCScene.h"
#include "sprites/CCSprite.h"

#include <climits>

USING_NS_CC;

namespace
{
const char* objectType(char kind)
{
    switch (kind)
    {
    case 'p': return "CCPoint";
    case 'c': return "ccColor3B";
    case 'o': return "CCNode";
    case 'a': return "CCAction";
    case 'f': return "CCFiniteTimeAction";
    case 'i': return "CCActionInterval";
    case 'r': return "CCSpriteFrame";
    default: return NULL;
    }
}
} // namespace

bool tolua_checkslot(lua_State* L, int lo, char kind, tolua_Error* err)
{
    switch (kind)
    {
    case 'n': return tolua_isnumber(L, lo, 0, err) != 0;
    case 'b': return tolua_isboolean(L, lo, 0, err) != 0;
    case 's': return tolua_isstring(L, lo, 0, err) != 0;
    case 't': return tolua_istable(L, lo, 0, err) != 0;
    default: break;
    }
    const char* type = objectType(kind);
    if (type == NULL)
    {
        luaL_error(L, "binding check list has an unknown slot kind '%c'", kind);
    }
    // tolua lets nil through a usertype check; a missing point or action is an error here.
    return !tolua_isvaluenil(L, lo, err) && tolua_isusertype(L, lo, type, 0, err);
}

namespace
{
bool checkArgs(lua_State* L, const char* args, tolua_Error* err)
{
    int lo = 2;
    for (const char* kind = args; *kind; ++kind, ++lo)
    {
        if (!tolua_checkslot(L, lo, *kind, err))
        {
            return false;
        }
    }
    return tolua_isnoobj(L, lo, err) != 0;
}
} // namespace

bool tolua_checkmethod(lua_State* L, const char* selfType, const char* args, tolua_Error* err)
{
    return tolua_isusertype(L, 1, selfType, 0, err) && checkArgs(L, args, err);
}

bool tolua_checkstatic(lua_State* L, const char* classType, const char* args, tolua_Error* err)
{
    return tolua_isusertable(L, 1, classType, 0, err) && checkArgs(L, args, err);
}

int tolua_argumenterror(lua_State* L, const char* functionName, tolua_Error* err)
{
    lua_pushfstring(L, "#ferror in function '%s'.", functionName);
    // tolua_error keeps the text's pointer only until it raises; the string is on the stack.
    tolua_error(L, lua_tostring(L, -1), err);
    return 0;
}

void* tolua_checkedself(lua_State* L, const char* functionName)
{
    void* self = tolua_tousertype(L, 1, 0);
    if (self == NULL)
    {
        luaL_error(L, "invalid 'self' in function '%s'", functionName);
    }
    return self;
}

void* tolua_checkedobject(lua_State* L, int lo, const char* functionName)
{
    void* object = tolua_tousertype(L, lo, 0);
    if (object == NULL)
    {
        luaL_error(L, "invalid argument #%d in function '%s'", lo, functionName);
    }
    return object;
}

int tolua_toint(lua_State* L, int lo)
{
    lua_Number value = tolua_tonumber(L, lo, 0);
    if (!(value == value))
    {
        return 0;
    }
    if (value <= (lua_Number)INT_MIN)
    {
        return INT_MIN;
    }
    return value >= (lua_Number)INT_MAX ? INT_MAX : (int)value;
}

GLubyte tolua_clampbyte(lua_Number value)
{
    // Out of range would be undefined for the cast; scripts get the nearest value instead.
    if (!(value > 0))
    {
        return 0;
    }
    return value >= 255 ? 255 : (GLubyte)value;
}

GLubyte tolua_tobyte(lua_State* L, int lo)
{
    return tolua_clampbyte(tolua_tonumber(L, lo, 0));
}

float tolua_tofloat(lua_State* L, int lo)
{
    return (float)tolua_tonumber(L, lo, 0);
}

const CCPoint& tolua_topoint(lua_State* L, int lo, const char* functionName)
{
    return *(const CCPoint*)tolua_checkedobject(L, lo, functionName);
}

const ccColor3B& tolua_tocolor3(lua_State* L, int lo, const char* functionName)
{
    return *(const ccColor3B*)tolua_checkedobject(L, lo, functionName);
}

void tolua_registerfunctions(lua_State* L, const char* className, const luaL_Reg* functions)
{
    tolua_module(L, NULL, 0);
    tolua_beginmodule(L, NULL);
    tolua_beginmodule(L, className);
    for (const luaL_Reg* f = functions; f->name; ++f)
    {
        tolua_function(L, f->name, f->func);
    }
    tolua_endmodule(L);
    tolua_endmodule(L);
}

void tolua_pushnode(lua_State* L, CCNode* node)
{
    // The pointer is stored as the object's own address, as every binding reads it back.
    if (CCSprite* sprite = dynamic_cast<CCSprite*>(node))
    {
        tolua_pushccobject(L, sprite, "CCSprite");
    }
    else if (CCScene* scene = dynamic_cast<CCScene*>(node))
    {
        tolua_pushccobject(L, scene, "CCScene");
    }
    else if (CCLayer* layer = dynamic_cast<CCLayer*>(node))
    {
        tolua_pushccobject(L, layer, "CCLayer");
    }
    else
    {
        tolua_pushccobject(L, node, "CCNode");
    }
}
