#include "CCLuaBinding.h"
#include "CCLuaMethodSupport.h"

#include "base/CCGeometry.h"
#include "base/ccTypes.h"

#include <cstddef>

USING_NS_CC;

// Value types reach scripts as Lua-owned copies: made by their constructors or returned by
// bindings, freed by these collectors.

namespace
{
// Reads either no arguments or exactly count numbers from slot first on.
bool readNumbers(lua_State* L, int first, int count, lua_Number* out, bool optional, tolua_Error* err)
{
    if (optional && tolua_isnoobj(L, first, err))
    {
        return true;
    }
    for (int i = 0; i < count; ++i)
    {
        if (!tolua_isnumber(L, first + i, 0, err))
        {
            return false;
        }
        out[i] = tolua_tonumber(L, first + i, 0);
    }
    return tolua_isnoobj(L, first + count, err) != 0;
}

CCPoint makePoint(const lua_Number* v) { return CCPoint((float)v[0], (float)v[1]); }
CCSize makeSize(const lua_Number* v) { return CCSize((float)v[0], (float)v[1]); }
CCRect makeRect(const lua_Number* v) { return CCRect((float)v[0], (float)v[1], (float)v[2], (float)v[3]); }
ccColor3B makeColor3(const lua_Number* v) { return ccc3(tolua_clampbyte(v[0]), tolua_clampbyte(v[1]), tolua_clampbyte(v[2])); }
ccColor4B makeColor4(const lua_Number* v) { return ccc4(tolua_clampbyte(v[0]), tolua_clampbyte(v[1]), tolua_clampbyte(v[2]), tolua_clampbyte(v[3])); }

template <typename T>
struct ValueType
{
    const char* name;
    int arity;
    T (*make)(const lua_Number*);
};

const ValueType<CCPoint> kPoint = { "CCPoint", 2, makePoint };
const ValueType<CCSize> kSize = { "CCSize", 2, makeSize };
const ValueType<CCRect> kRect = { "CCRect", 4, makeRect };
const ValueType<ccColor3B> kColor3 = { "ccColor3B", 3, makeColor3 };
const ValueType<ccColor4B> kColor4 = { "ccColor4B", 4, makeColor4 };

// Class:new(...) / Class:new_local(...) / Class(...): no arguments gives the zero value.
template <typename T, const ValueType<T>* Type, bool Local>
int constructValue(lua_State* L)
{
    tolua_Error err;
    lua_Number v[4] = { 0, 0, 0, 0 };
    if (!tolua_isusertable(L, 1, Type->name, 0, &err) || !readNumbers(L, 2, Type->arity, v, true, &err))
    {
        tolua_error(L, "#ferror in function 'new'.", &err);
        return 0;
    }
    if (Local)
    {
        tolua_pushvaluecopy(L, Type->make(v), Type->name);
        return 1;
    }
    // Script-owned until its delete.
    tolua_pushusertype(L, new T(Type->make(v)), Type->name);
    return 1;
}

// ccp(x, y), CCRectMake(x, y, w, h), ccc3(r, g, b) ...: every argument required.
template <typename T, const ValueType<T>* Type>
int makeValue(lua_State* L, const char* functionName)
{
    tolua_Error err;
    lua_Number v[4] = { 0, 0, 0, 0 };
    if (!readNumbers(L, 1, Type->arity, v, false, &err))
    {
        lua_pushfstring(L, "#ferror in function '%s'.", functionName);
        // tolua_error keeps the text's pointer only until it raises; the string is on the stack.
        tolua_error(L, lua_tostring(L, -1), &err);
        return 0;
    }
    tolua_pushvaluecopy(L, Type->make(v), Type->name);
    return 1;
}

int lua_ccp(lua_State* L) { return makeValue<CCPoint, &kPoint>(L, "ccp"); }
int lua_CCPointMake(lua_State* L) { return makeValue<CCPoint, &kPoint>(L, "CCPointMake"); }
int lua_CCSizeMake(lua_State* L) { return makeValue<CCSize, &kSize>(L, "CCSizeMake"); }
int lua_CCRectMake(lua_State* L) { return makeValue<CCRect, &kRect>(L, "CCRectMake"); }
int lua_ccc3(lua_State* L) { return makeValue<ccColor3B, &kColor3>(L, "ccc3"); }
int lua_ccc4(lua_State* L) { return makeValue<ccColor4B, &kColor4>(L, "ccc4"); }

template <typename T>
int deleteValue(lua_State* L)
{
    T* self = (T*)tolua_tousertype(L, 1, 0);
    if (self == NULL)
    {
        tolua_error(L, "invalid 'self' in function 'delete'", NULL);
        return 0;
    }
    if (toluafix_is_inline_value(L, 1))
    {
        // The value lives inside its user value, which Lua frees: only the script's use ends.
        *(void**)lua_touserdata(L, 1) = NULL;
        return 0;
    }
    tolua_deleteusertype(L, self);
    return 0;
}

template <typename T>
T* selfForVariable(lua_State* L, const char* variable)
{
    T* self = (T*)tolua_tousertype(L, 1, 0);
    if (self == NULL)
    {
        lua_pushfstring(L, "invalid 'self' in accessing variable '%s'", variable);
        lua_error(L);
    }
    return self;
}

lua_Number numberToAssign(lua_State* L)
{
    tolua_Error err;
    if (!tolua_isnumber(L, 2, 0, &err))
    {
        tolua_error(L, "#vinvalid type in variable assignment.", &err);
    }
    return tolua_tonumber(L, 2, 0);
}

template <typename T>
const T& valueToAssign(lua_State* L, const char* type)
{
    tolua_Error err;
    if (lua_isnil(L, 2) || !tolua_isusertype(L, 2, type, 0, &err))
    {
        if (lua_isnil(L, 2))
        {
            err.index = 2;
            err.array = 0;
            err.type = "value";
        }
        tolua_error(L, "#vinvalid type in variable assignment.", &err);
    }
    T* value = (T*)tolua_tousertype(L, 2, 0);
    if (value == NULL)
    {
        luaL_error(L, "invalid value in variable assignment");
    }
    return *value;
}

#define FLOAT_FIELD(T, field)                                                       \
    int get_##T##_##field(lua_State* L)                                             \
    {                                                                               \
        lua_pushnumber(L, selfForVariable<T>(L, #field)->field);                    \
        return 1;                                                                   \
    }                                                                               \
    int set_##T##_##field(lua_State* L)                                             \
    {                                                                               \
        T* self = selfForVariable<T>(L, #field);                                    \
        self->field = (float)numberToAssign(L);                                     \
        return 0;                                                                   \
    }

#define BYTE_FIELD(T, field)                                                        \
    int get_##T##_##field(lua_State* L)                                             \
    {                                                                               \
        lua_pushnumber(L, selfForVariable<T>(L, #field)->field);                    \
        return 1;                                                                   \
    }                                                                               \
    int set_##T##_##field(lua_State* L)                                             \
    {                                                                               \
        T* self = selfForVariable<T>(L, #field);                                    \
        self->field = tolua_clampbyte(numberToAssign(L));                           \
        return 0;                                                                   \
    }

FLOAT_FIELD(CCPoint, x)
FLOAT_FIELD(CCPoint, y)
FLOAT_FIELD(CCSize, width)
FLOAT_FIELD(CCSize, height)
BYTE_FIELD(ccColor3B, r)
BYTE_FIELD(ccColor3B, g)
BYTE_FIELD(ccColor3B, b)
BYTE_FIELD(ccColor4B, r)
BYTE_FIELD(ccColor4B, g)
BYTE_FIELD(ccColor4B, b)
BYTE_FIELD(ccColor4B, a)

// A rectangle's origin and size read as copies (a view into the rectangle would outlive it once
// the rectangle is collected); assigning a whole point or size changes the rectangle.
int get_CCRect_origin(lua_State* L)
{
    tolua_pushvaluecopy(L, selfForVariable<CCRect>(L, "origin")->origin, "CCPoint");
    return 1;
}
int set_CCRect_origin(lua_State* L)
{
    CCRect* self = selfForVariable<CCRect>(L, "origin");
    self->origin = valueToAssign<CCPoint>(L, "CCPoint");
    return 0;
}
int get_CCRect_size(lua_State* L)
{
    tolua_pushvaluecopy(L, selfForVariable<CCRect>(L, "size")->size, "CCSize");
    return 1;
}
int set_CCRect_size(lua_State* L)
{
    CCRect* self = selfForVariable<CCRect>(L, "size");
    self->size = valueToAssign<CCSize>(L, "CCSize");
    return 0;
}

// Checks self of type and that nothing but count more arguments follow; raises otherwise.
template <typename T>
T* checkedSelf(lua_State* L, const char* type, const char* functionName, int argumentTypes, const char* argType)
{
    tolua_Error err;
    bool ok = tolua_isusertype(L, 1, type, 0, &err) != 0;
    for (int i = 0; ok && i < argumentTypes; ++i)
    {
        ok = !lua_isnil(L, 2 + i) && tolua_isusertype(L, 2 + i, argType, 0, &err);
        if (!ok && lua_isnil(L, 2 + i))
        {
            err.index = 2 + i;
            err.array = 0;
            err.type = "value";
        }
    }
    if (!ok || !tolua_isnoobj(L, 2 + argumentTypes, &err))
    {
        lua_pushfstring(L, "#ferror in function '%s'.", functionName);
        tolua_error(L, lua_tostring(L, -1), &err);
    }
    T* self = (T*)tolua_tousertype(L, 1, 0);
    if (self == NULL)
    {
        luaL_error(L, "invalid 'self' in function '%s'", functionName);
    }
    return self;
}

#define RECT_NUMBER(method)                                                         \
    int CCRect_##method(lua_State* L)                                               \
    {                                                                               \
        lua_pushnumber(L, checkedSelf<CCRect>(L, "CCRect", #method, 0, NULL)->method()); \
        return 1;                                                                   \
    }

RECT_NUMBER(getMinX)
RECT_NUMBER(getMidX)
RECT_NUMBER(getMaxX)
RECT_NUMBER(getMinY)
RECT_NUMBER(getMidY)
RECT_NUMBER(getMaxY)

int CCRect_containsPoint(lua_State* L)
{
    CCRect* self = checkedSelf<CCRect>(L, "CCRect", "containsPoint", 1, "CCPoint");
    CCPoint* point = (CCPoint*)tolua_tousertype(L, 2, 0);
    lua_pushboolean(L, point != NULL && self->containsPoint(*point));
    return 1;
}

int CCRect_intersectsRect(lua_State* L)
{
    CCRect* self = checkedSelf<CCRect>(L, "CCRect", "intersectsRect", 1, "CCRect");
    CCRect* other = (CCRect*)tolua_tousertype(L, 2, 0);
    lua_pushboolean(L, other != NULL && self->intersectsRect(*other));
    return 1;
}

template <typename T, const ValueType<T>* Type>
void openValueClass(lua_State* L)
{
    tolua_cclass(L, Type->name, Type->name, "", tolua_collect_delete<T>);
    tolua_beginmodule(L, Type->name);
    tolua_function(L, "new", (constructValue<T, Type, false>));
    tolua_function(L, "new_local", (constructValue<T, Type, true>));
    tolua_function(L, ".call", (constructValue<T, Type, true>));
    tolua_function(L, "delete", deleteValue<T>);
}
} // namespace

int tolua_CCValueTypes_open(lua_State* L)
{
    tolua_open(L);
    tolua_usertype(L, kPoint.name);
    tolua_usertype(L, kSize.name);
    tolua_usertype(L, kRect.name);
    tolua_usertype(L, kColor3.name);
    tolua_usertype(L, kColor4.name);

    tolua_module(L, NULL, 0);
    tolua_beginmodule(L, NULL);

    openValueClass<CCPoint, &kPoint>(L);
    tolua_variable(L, "x", get_CCPoint_x, set_CCPoint_x);
    tolua_variable(L, "y", get_CCPoint_y, set_CCPoint_y);
    tolua_endmodule(L);

    openValueClass<CCSize, &kSize>(L);
    tolua_variable(L, "width", get_CCSize_width, set_CCSize_width);
    tolua_variable(L, "height", get_CCSize_height, set_CCSize_height);
    tolua_endmodule(L);

    openValueClass<CCRect, &kRect>(L);
    tolua_variable(L, "origin", get_CCRect_origin, set_CCRect_origin);
    tolua_variable(L, "size", get_CCRect_size, set_CCRect_size);
    tolua_function(L, "getMinX", CCRect_getMinX);
    tolua_function(L, "getMidX", CCRect_getMidX);
    tolua_function(L, "getMaxX", CCRect_getMaxX);
    tolua_function(L, "getMinY", CCRect_getMinY);
    tolua_function(L, "getMidY", CCRect_getMidY);
    tolua_function(L, "getMaxY", CCRect_getMaxY);
    tolua_function(L, "containsPoint", CCRect_containsPoint);
    tolua_function(L, "intersectsRect", CCRect_intersectsRect);
    tolua_endmodule(L);

    openValueClass<ccColor3B, &kColor3>(L);
    tolua_variable(L, "r", get_ccColor3B_r, set_ccColor3B_r);
    tolua_variable(L, "g", get_ccColor3B_g, set_ccColor3B_g);
    tolua_variable(L, "b", get_ccColor3B_b, set_ccColor3B_b);
    tolua_endmodule(L);

    openValueClass<ccColor4B, &kColor4>(L);
    tolua_variable(L, "r", get_ccColor4B_r, set_ccColor4B_r);
    tolua_variable(L, "g", get_ccColor4B_g, set_ccColor4B_g);
    tolua_variable(L, "b", get_ccColor4B_b, set_ccColor4B_b);
    tolua_variable(L, "a", get_ccColor4B_a, set_ccColor4B_a);
    tolua_endmodule(L);

    tolua_function(L, "ccp", lua_ccp);
    tolua_function(L, "CCPointMake", lua_CCPointMake);
    tolua_function(L, "CCSizeMake", lua_CCSizeMake);
    tolua_function(L, "CCRectMake", lua_CCRectMake);
    tolua_function(L, "ccc3", lua_ccc3);
    tolua_function(L, "ccc4", lua_ccc4);

    tolua_endmodule(L);

    // Twins once every class is complete: they share its methods and variables.
    toluafix_register_value_type(L, kPoint.name);
    toluafix_register_value_type(L, kSize.name);
    toluafix_register_value_type(L, kRect.name);
    toluafix_register_value_type(L, kColor3.name);
    toluafix_register_value_type(L, kColor4.name);
    // Scripts read points and sizes more than anything else: straight from the value.
    toluafix_register_value_field(L, kPoint.name, "x", offsetof(CCPoint, x));
    toluafix_register_value_field(L, kPoint.name, "y", offsetof(CCPoint, y));
    toluafix_register_value_field(L, kSize.name, "width", offsetof(CCSize, width));
    toluafix_register_value_field(L, kSize.name, "height", offsetof(CCSize, height));
    return 1;
}
