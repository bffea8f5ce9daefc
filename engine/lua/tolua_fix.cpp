#include "tolua_fix.h"

#include "base/CCConsole.h"

#include <cstring>

// Registry tables of this layer, keyed by these addresses (no string to hash: objects and values
// are pushed on most script calls): Lua id -> object address, and an object's address -> the
// box it was last pushed in (weak values: a box the scripts let go of is collected as before);
// value type name -> twin metatable; address of a type's name -> its class metatable.
static char s_refidPtrTable;
static char s_valueMetatables;
static char s_classMetatables;
// Key of a class metatable's own entry for the ubox its family shares.
static char s_uboxKey;
// Registry table of value types' float fields: type name -> { field name -> offset }.
static char s_valueFields;
// A float field at offset n within its value is kept in a class's look-up as the address of
// s_floatFields[n], apart from every C getter's address.
static char s_floatFields[64];

// Pushes the table the registry keeps under key, made the first time it is asked for.
static void pushRegistryTable(lua_State* L, void* key)
{
    lua_pushlightuserdata(L, key);
    lua_rawget(L, LUA_REGISTRYINDEX);
    if (!lua_istable(L, -1))
    {
        lua_pop(L, 1);
        lua_newtable(L);
        lua_pushlightuserdata(L, key);
        lua_pushvalue(L, -2);
        lua_rawset(L, LUA_REGISTRYINDEX);
    }
}

static void pushRefTable(lua_State* L)
{
    lua_pushlightuserdata(L, &s_refidPtrTable);
    lua_rawget(L, LUA_REGISTRYINDEX);
}

static void pushValueMetatables(lua_State* L)
{
    lua_pushlightuserdata(L, &s_valueMetatables);
    lua_rawget(L, LUA_REGISTRYINDEX);
}

void toluafix_open(lua_State* L)
{
    pushRefTable(L);
    bool present = lua_istable(L, -1);
    lua_pop(L, 1);
    if (!present)
    {
        lua_pushlightuserdata(L, &s_refidPtrTable);
        lua_newtable(L);
        lua_newtable(L);
        lua_pushliteral(L, "v");
        lua_setfield(L, -2, "__mode");
        lua_setmetatable(L, -2);
        lua_rawset(L, LUA_REGISTRYINDEX);
    }
}

// Pushes the table holder keeps under the address of the type name string and answers true, or
// pushes nothing and answers false. Bindings name a type by the same string literal every time,
// so its address finds it without hashing the name; the table was found by the name itself the
// first time.
static bool pushRememberedForName(lua_State* L, int holder, const char* type)
{
    lua_pushlightuserdata(L, (void*)type);
    lua_rawget(L, holder);
    if (lua_istable(L, -1))
    {
        return true;
    }
    lua_pop(L, 1);
    return false;
}

// Pushes the class metatable registered for type and answers true, or pushes nothing and answers
// false. It is remembered in a table of its own under the type name's address.
static bool pushClassMetatable(lua_State* L, const char* type)
{
    pushRegistryTable(L, &s_classMetatables);
    const int known = lua_gettop(L);
    if (pushRememberedForName(L, known, type))
    {
        lua_remove(L, known);
        return true;
    }
    luaL_getmetatable(L, type);
    if (!lua_istable(L, -1))
    {
        lua_pop(L, 2);
        return false;
    }
    lua_pushlightuserdata(L, (void*)type);
    lua_pushvalue(L, -2);
    lua_rawset(L, known);
    lua_remove(L, known);
    return true;
}

// Pushes the user value tolua already boxed for ptr when tolua would push that same value as it
// is for type: its class is type's or one known to derive from it. Otherwise pushes nothing and
// answers false, and tolua's own push decides (a new box, or a box moved to a derived class).
// type's class metatable is at mt, the top of the stack, and the box takes its place.
static bool pushBoxedObject(lua_State* L, int mt, void* ptr, const char* type)
{
    lua_pushlightuserdata(L, &s_uboxKey);
    lua_rawget(L, mt);
    if (!lua_istable(L, -1))
    {
        lua_settop(L, mt - 1);
        return false;
    }
    lua_pushlightuserdata(L, ptr);
    lua_rawget(L, -2);
    const int box = lua_gettop(L);
    if (lua_type(L, box) == LUA_TUSERDATA && *(void**)lua_touserdata(L, box) == ptr && lua_getmetatable(L, box))
    {
        bool same = lua_rawequal(L, -1, mt) != 0;
        if (!same)
        {
            lua_pushlightuserdata(L, (void*)type);
            lua_rawget(L, -2);
            same = lua_toboolean(L, -1) != 0;
        }
        if (same)
        {
            lua_settop(L, box);
            lua_replace(L, mt);
            lua_settop(L, mt);
            return true;
        }
    }
    lua_settop(L, mt - 1);
    return false;
}

// After tolua pushed ptr for type (at the top): remembers where its family's boxes are kept, and
// when the box kept a class derived from type, that the class passes for type.
static void rememberBoxedObject(lua_State* L, const char* type)
{
    const int value = lua_gettop(L);
    if (lua_type(L, value) != LUA_TUSERDATA || !pushClassMetatable(L, type))
    {
        return;
    }
    const int mt = lua_gettop(L);
    lua_pushlightuserdata(L, &s_uboxKey);
    lua_rawget(L, mt);
    const bool knownUbox = lua_istable(L, -1);
    lua_pop(L, 1);
    if (!knownUbox)
    {
        // Each class family keeps its ubox in its metatable; types without a class use the registry's.
        lua_pushstring(L, "tolua_ubox");
        lua_rawget(L, mt);
        if (!lua_istable(L, -1))
        {
            lua_pop(L, 1);
            lua_pushstring(L, "tolua_ubox");
            lua_rawget(L, LUA_REGISTRYINDEX);
        }
        if (lua_istable(L, -1))
        {
            lua_pushlightuserdata(L, &s_uboxKey);
            lua_insert(L, -2);
            lua_rawset(L, mt);
        }
        else
        {
            lua_pop(L, 1);
        }
    }
    if (lua_getmetatable(L, value))
    {
        if (!lua_rawequal(L, -1, mt))
        {
            lua_pushlightuserdata(L, (void*)type);
            lua_pushboolean(L, 1);
            lua_rawset(L, -3);
        }
        lua_pop(L, 1);
    }
    lua_settop(L, value);
}

// Pushes the box ptr was last pushed in, kept in the table at refs, when it still holds ptr and
// its class passes for type (remembered in the class's metatable by the type checks and pushes);
// otherwise pushes nothing and answers false.
static bool pushLastBox(lua_State* L, int refs, void* ptr, const char* type)
{
    lua_pushlightuserdata(L, ptr);
    lua_rawget(L, refs);
    if (lua_type(L, -1) == LUA_TUSERDATA && *(void**)lua_touserdata(L, -1) == ptr && lua_getmetatable(L, -1))
    {
        lua_pushlightuserdata(L, (void*)type);
        lua_rawget(L, -2);
        const bool passes = lua_toboolean(L, -1) != 0;
        lua_pop(L, 2);
        if (passes)
        {
            return true;
        }
    }
    lua_pop(L, 1);
    return false;
}

// Remembers the box at the top as the one ptr was last pushed in, and that its class passes for
// type.
static void rememberLastBox(lua_State* L, int refs, void* ptr, const char* type)
{
    if (lua_type(L, -1) != LUA_TUSERDATA)
    {
        return;
    }
    lua_pushlightuserdata(L, ptr);
    lua_pushvalue(L, -2);
    lua_rawset(L, refs);
    if (lua_getmetatable(L, -1))
    {
        lua_pushlightuserdata(L, (void*)type);
        lua_pushboolean(L, 1);
        lua_rawset(L, -3);
        lua_pop(L, 1);
    }
}

int toluafix_pushusertype_ccobject(lua_State* L, int uID, int* p_refid, void* ptr, const char* type)
{
    if (ptr == NULL || p_refid == NULL)
    {
        lua_pushnil(L);
        return -1;
    }
    pushRefTable(L);
    if (!lua_istable(L, -1))
    {
        lua_pop(L, 1);
        toluafix_open(L);
        pushRefTable(L);
    }
    const int refs = lua_gettop(L);
    // Scripts are handed the same few objects every frame (the enemy, its target, the game).
    const bool known = pushLastBox(L, refs, ptr, type);
    // tolua cannot push a type the state does not know.
    if (!known && !pushClassMetatable(L, type))
    {
        lua_settop(L, refs - 1);
        return -1;
    }
    if (*p_refid == 0)
    {
        *p_refid = uID;
    }
    lua_pushinteger(L, *p_refid);
    lua_pushlightuserdata(L, ptr);
    lua_rawset(L, refs);
    if (!known)
    {
        const int mt = lua_gettop(L);
        if (!pushBoxedObject(L, mt, ptr, type))
        {
            tolua_pushusertype(L, ptr, type);
            rememberBoxedObject(L, type);
        }
        rememberLastBox(L, refs, ptr, type);
    }
    lua_remove(L, refs);
    return 0;
}

void* toluafix_get_ccobject_by_refid(lua_State* L, int refid)
{
    pushRefTable(L);
    if (!lua_istable(L, -1))
    {
        lua_pop(L, 1);
        return NULL;
    }
    lua_pushinteger(L, refid);
    lua_rawget(L, -2);
    void* ptr = lua_touserdata(L, -1);
    lua_pop(L, 2);
    return ptr;
}

int toluafix_remove_ccobject_by_refid(lua_State* L, int refid)
{
    void* ptr = toluafix_get_ccobject_by_refid(L, refid);
    if (ptr == NULL)
    {
        return -1;
    }
    pushRefTable(L);
    lua_pushinteger(L, refid);
    lua_pushnil(L);
    lua_rawset(L, -3);
    lua_pop(L, 1);
    toluafix_forget_pointer(L, ptr);
    return 0;
}

// Pops table[ptr], just looked up from the table below it, and clears that key if it was set.
// Only an existing key is cleared: setting a missing one could allocate.
static void dropLookedUpKey(lua_State* L, void* ptr)
{
    bool present = !lua_isnil(L, -1);
    lua_pop(L, 1);
    if (present)
    {
        lua_pushlightuserdata(L, ptr);
        lua_pushnil(L);
        lua_rawset(L, -3);
    }
}

// Drops ubox[ptr] from the ubox table at the top of the stack, detaching its user value.
static void forgetInUbox(lua_State* L, void* ptr)
{
    lua_pushlightuserdata(L, ptr);
    lua_rawget(L, -2);
    if (lua_isuserdata(L, -1) && !lua_islightuserdata(L, -1))
    {
        void** box = (void**)lua_touserdata(L, -1);
        if (*box == ptr)
        {
            *box = NULL;
        }
        // The peer table held fields a script set on the old object; the new one starts clean.
        lua_pushvalue(L, TOLUA_NOPEER);
        lua_setfenv(L, -2);
    }
    dropLookedUpKey(L, ptr);
}

void toluafix_forget_pointer(lua_State* L, void* ptr)
{
    if (ptr == NULL || !lua_checkstack(L, 8))
    {
        return;
    }
    // Every class family keeps its own ubox in its metatable; types without a class use the
    // registry's. Metatables are registered by name, so walk the registry's string keys.
    lua_pushnil(L);
    while (lua_next(L, LUA_REGISTRYINDEX) != 0)
    {
        if (lua_type(L, -2) == LUA_TSTRING && lua_istable(L, -1))
        {
            if (strcmp(lua_tostring(L, -2), "tolua_ubox") == 0)
            {
                forgetInUbox(L, ptr);
            }
            else
            {
                lua_pushstring(L, "tolua_ubox");
                lua_rawget(L, -2);
                if (lua_istable(L, -1))
                {
                    forgetInUbox(L, ptr);
                }
                lua_pop(L, 1);
            }
        }
        lua_pop(L, 1);
    }

    // A collector entry left behind would later free whatever new object takes the address.
    lua_pushstring(L, "tolua_gc");
    lua_rawget(L, LUA_REGISTRYINDEX);
    if (lua_istable(L, -1))
    {
        lua_pushlightuserdata(L, ptr);
        lua_rawget(L, -2);
        dropLookedUpKey(L, ptr);
    }
    lua_pop(L, 1);
}

void toluafix_register_value_type(lua_State* L, const char* type)
{
    luaL_getmetatable(L, type);
    if (!lua_istable(L, -1))
    {
        lua_pop(L, 1);
        return;
    }
    // stack: mt twin
    lua_newtable(L);
    lua_pushnil(L);
    while (lua_next(L, -3) != 0)
    {
        // Without a finaliser the value is freed with its user value and nothing else runs.
        if (lua_type(L, -2) == LUA_TSTRING && strcmp(lua_tostring(L, -2), "__gc") == 0)
        {
            lua_pop(L, 1);
            continue;
        }
        lua_pushvalue(L, -2);
        lua_insert(L, -2);
        lua_rawset(L, -4);
    }
    if (lua_getmetatable(L, -2))
    {
        lua_setmetatable(L, -2);
    }
    // tolua names a user value's type by registry[metatable] and finds its bases in tolua_super.
    lua_pushvalue(L, -1);
    lua_pushstring(L, type);
    lua_rawset(L, LUA_REGISTRYINDEX);
    lua_pushstring(L, "tolua_super");
    lua_rawget(L, LUA_REGISTRYINDEX);
    if (lua_istable(L, -1))
    {
        lua_pushvalue(L, -2);
        lua_pushvalue(L, -4);
        lua_rawget(L, -3);
        lua_rawset(L, -3);
    }
    lua_pop(L, 1);
    // stack: mt twin
    pushRegistryTable(L, &s_valueMetatables);
    lua_pushstring(L, type);
    lua_pushvalue(L, -3);
    lua_rawset(L, -3);
    lua_pop(L, 3);
}

bool toluafix_push_value_metatable(lua_State* L, const char* type)
{
    // The twin is remembered in the registry under the type name's address.
    if (pushRememberedForName(L, LUA_REGISTRYINDEX, type))
    {
        return true;
    }
    pushValueMetatables(L);
    if (!lua_istable(L, -1))
    {
        lua_pop(L, 1);
        return false;
    }
    lua_pushstring(L, type);
    lua_rawget(L, -2);
    lua_remove(L, -2);
    if (!lua_istable(L, -1))
    {
        lua_pop(L, 1);
        return false;
    }
    lua_pushlightuserdata(L, (void*)type);
    lua_pushvalue(L, -2);
    lua_rawset(L, LUA_REGISTRYINDEX);
    return true;
}

// Asked on every name a script looks up: the first letter rules out almost every name.
static inline bool isBindingKey(const char* key)
{
    return (key[0] == '_' && key[1] == '_') || key[0] == '.' || (key[0] == 't' && strncmp(key, "tolua_", 6) == 0);
}

bool toluafix_is_binding_key(const char* key)
{
    return isBindingKey(key);
}

void toluafix_push_value_metatables(lua_State* L)
{
    pushValueMetatables(L);
}

bool toluafix_is_inline_value(lua_State* L, int index)
{
    if (lua_type(L, index) != LUA_TUSERDATA)
    {
        return false;
    }
    char* block = (char*)lua_touserdata(L, index);
    char* value = (char*)*(void**)block;
    return value > block && value < block + lua_objlen(L, index);
}

// Pushes the answer kept in the metatable of the user value at lo for type (nil when none), or
// nothing and false when the value is no user value with a metatable.
static bool pushKnownCheck(lua_State* L, int lo, const char* type)
{
    if (lua_type(L, lo) != LUA_TUSERDATA || !lua_getmetatable(L, lo))
    {
        return false;
    }
    lua_pushlightuserdata(L, (void*)type);
    lua_rawget(L, -2);
    return true;
}

int toluafix_isusertype(lua_State* L, int lo, const char* type, int def, tolua_Error* err)
{
    if (lo < 0 && lo > LUA_REGISTRYINDEX)
    {
        lo = lua_gettop(L) + lo + 1;
    }
    if (pushKnownCheck(L, lo, type))
    {
        const bool known = lua_toboolean(L, -1) != 0;
        lua_pop(L, 2);
        if (known)
        {
            return 1;
        }
    }
    const int ok = tolua_isusertype(L, lo, type, def, err);
    if (ok && lua_type(L, lo) == LUA_TUSERDATA && lua_getmetatable(L, lo))
    {
        lua_pushlightuserdata(L, (void*)type);
        lua_pushboolean(L, 1);
        lua_rawset(L, -3);
        lua_pop(L, 1);
    }
    return ok;
}

// A class metatable is one the registry names (registry[mt] = "ClassName").
static bool isClassMetatable(lua_State* L, int index)
{
    if (!lua_istable(L, index))
    {
        return false;
    }
    lua_pushvalue(L, index);
    lua_rawget(L, LUA_REGISTRYINDEX);
    bool named = lua_type(L, -1) == LUA_TSTRING;
    lua_pop(L, 1);
    return named;
}

// Pushes the table cls[field], making it first when it is missing and make is set; false (nil
// pushed) when there is none.
static bool pushFieldTable(lua_State* L, int cls, const char* field, bool make)
{
    lua_pushstring(L, field);
    lua_rawget(L, cls);
    if (lua_istable(L, -1) || !make)
    {
        return lua_istable(L, -1);
    }
    lua_pop(L, 1);
    lua_newtable(L);
    lua_pushstring(L, field);
    lua_pushvalue(L, -2);
    lua_rawset(L, cls);
    return true;
}

// True when the class at cls resolves the key at the top of the stack (which it pops) itself: a
// method or field of its own, or with variables, a getter of its own.
static bool resolvesItself(lua_State* L, int cls, bool variables)
{
    const int key = lua_gettop(L);
    lua_pushvalue(L, key);
    lua_rawget(L, cls);
    bool own = !lua_isnil(L, -1);
    if (!own && variables && pushFieldTable(L, cls, ".get", false))
    {
        lua_pushvalue(L, key);
        lua_rawget(L, -2);
        own = !lua_isnil(L, -1);
    }
    lua_settop(L, key - 1);
    return own;
}

// Copies the entries of ancestor[field] (".get" or ".set") that cls does not resolve itself.
static void copyVariables(lua_State* L, int cls, int ancestor, const char* field)
{
    if (!pushFieldTable(L, ancestor, field, false))
    {
        lua_pop(L, 1);
        return;
    }
    const int from = lua_gettop(L);
    pushFieldTable(L, cls, field, true);
    const int to = lua_gettop(L);
    const bool getters = strcmp(field, ".get") == 0;
    lua_pushnil(L);
    while (lua_next(L, from) != 0)
    {
        lua_pushvalue(L, -2);
        bool own;
        if (getters)
        {
            own = resolvesItself(L, cls, true);
        }
        else
        {
            lua_rawget(L, to);
            own = !lua_isnil(L, -1);
            lua_pop(L, 1);
        }
        if (!own)
        {
            lua_pushvalue(L, -2);
            lua_pushvalue(L, -2);
            lua_rawset(L, to);
        }
        lua_pop(L, 1);
    }
    lua_pop(L, 2);
}

// Copies what cls would find at ancestor, one of its bases, nearest first.
static void copyInherited(lua_State* L, int cls, int ancestor)
{
    lua_pushnil(L);
    while (lua_next(L, ancestor) != 0)
    {
        // Events ("__index") and tolua's own fields (".call", ".collector", "tolua_ubox") are
        // read from each class itself.
        const char* key = lua_type(L, -2) == LUA_TSTRING ? lua_tostring(L, -2) : NULL;
        if (key && key[0] != '.' && strncmp(key, "__", 2) != 0 && strcmp(key, "tolua_ubox") != 0)
        {
            lua_pushvalue(L, -2);
            if (!resolvesItself(L, cls, true))
            {
                lua_pushvalue(L, -2);
                lua_pushvalue(L, -2);
                lua_rawset(L, cls);
            }
        }
        lua_pop(L, 1);
    }
    copyVariables(L, cls, ancestor, ".get");
    copyVariables(L, cls, ancestor, ".set");
}

// A name looked up on a user value: its peer table (fields a script set on the object), then each
// class from its own up, a method or field first, then a variable's getter. tolua's own lookup
// first asks whether the key is a number, which for a string makes Lua try to parse it, at every
// level; scripts look up a method name for every call they make on an object. Anything else (a
// number key, an array variable, the class table itself) goes to the class's own handler, kept
// as upvalue 1; upvalue 2 is what the class it belongs to answers (see pushLookUpTable).
static int lookUpWithOriginal(lua_State* L)
{
    lua_settop(L, 2);
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    lua_call(L, 2, 1);
    return 1;
}

// Answers getter(object, key) for the getter at the top of the stack, the object and key at 1 and 2.
static int callGetter(lua_State* L)
{
    lua_CFunction getter = lua_tocfunction(L, -1);
    // A plain C function reads nothing but its arguments: it runs in this call's frame, without a
    // call of its own through Lua. One with upvalues needs its own frame.
    if (getter != NULL && lua_getupvalue(L, -1, 1) == NULL && lua_checkstack(L, LUA_MINSTACK))
    {
        lua_settop(L, 2);
        return getter(L);
    }
    lua_replace(L, 3);
    lua_settop(L, 3);
    lua_insert(L, 1);
    lua_call(L, 2, 1);
    return 1;
}

static int lookUpName(lua_State* L)
{
    if (lua_type(L, 2) != LUA_TSTRING || lua_type(L, 1) != LUA_TUSERDATA)
    {
        return lookUpWithOriginal(L);
    }
    lua_settop(L, 2);
    // The object's own class answers most names, from the copy of its members and getters its
    // handler keeps (upvalue 2), which holds none of the binding's own keys. It is this handler's
    // class: Lua calls the handler only for user values whose metatable holds it, and each class
    // holds one of its own.
    lua_pushvalue(L, 2);
    lua_rawget(L, lua_upvalueindex(2));
    if (lua_islightuserdata(L, -1))
    {
        // A variable, which no field a script set on the object can hide: assigning to it calls
        // its setter or is refused, and scripts cannot set the table of fields themselves.
        const char* mark = (const char*)lua_touserdata(L, -1);
        if (mark >= s_floatFields && mark < s_floatFields + sizeof(s_floatFields))
        {
            // A value's float field; a value its script deleted goes on to the getter, which
            // refuses it.
            const char* value = (const char*)*(void**)lua_touserdata(L, 1);
            if (value != NULL)
            {
                lua_pushnumber(L, *(const float*)(value + (mark - s_floatFields)));
                return 1;
            }
        }
        else if (lua_checkstack(L, LUA_MINSTACK))
        {
            // A plain C getter, called in this call's frame.
            lua_settop(L, 2);
            return ((lua_CFunction)mark)(L);
        }
    }
    else
    {
        if (lua_isnil(L, -1) && isBindingKey(lua_tostring(L, 2)))
        {
            return 1;
        }
        // A field a script set on the object comes before its class's members.
        lua_getfenv(L, 1);
        if (!lua_rawequal(L, -1, TOLUA_NOPEER))
        {
            lua_pushvalue(L, 2);
            lua_gettable(L, -2);
            if (!lua_isnil(L, -1))
            {
                return 1;
            }
        }
        lua_settop(L, 3);
        if (!lua_isnil(L, -1))
        {
            return 1;
        }
    }
    // A member added to a base after flattening is found by walking up.
    lua_settop(L, 2);
    lua_pushvalue(L, 1);
    while (lua_getmetatable(L, -1))
    {
        lua_remove(L, -2);
        const int cls = lua_gettop(L);
        lua_pushvalue(L, 2);
        lua_rawget(L, cls);
        if (!lua_isnil(L, -1))
        {
            return 1;
        }
        lua_pop(L, 1);
        lua_pushliteral(L, ".get");
        lua_rawget(L, cls);
        if (lua_istable(L, -1))
        {
            lua_pushvalue(L, 2);
            lua_rawget(L, -2);
            if (lua_iscfunction(L, -1))
            {
                return callGetter(L);
            }
            if (!lua_isnil(L, -1))
            {
                return lookUpWithOriginal(L);
            }
            lua_pop(L, 1);
        }
        lua_settop(L, cls);
    }
    lua_pushnil(L);
    return 1;
}

// Pushes the float fields registered for the class at index (field name -> offset), or nil.
static void pushValueFields(lua_State* L, int index)
{
    lua_pushlightuserdata(L, &s_valueFields);
    lua_rawget(L, LUA_REGISTRYINDEX);
    if (!lua_istable(L, -1))
    {
        return;
    }
    lua_pushvalue(L, index);
    lua_rawget(L, LUA_REGISTRYINDEX);
    lua_rawget(L, -2);
    lua_remove(L, -2);
}

// Pushes what the name look-up of the class at index answers from: each of its members (bases'
// included once flattened) but the binding's own keys, then for each variable it has no member
// of that name for, its getter when that is a plain C function (no upvalues: it reads nothing but
// its arguments) as its address, or a registered float field as a mark of its offset. Anything
// else (other getters, light user values) is left to the walk up the classes.
static void pushLookUpTable(lua_State* L, int index)
{
    lua_newtable(L);
    const int to = lua_gettop(L);
    lua_pushnil(L);
    while (lua_next(L, index) != 0)
    {
        if (lua_type(L, -2) == LUA_TSTRING && !isBindingKey(lua_tostring(L, -2)) && !lua_islightuserdata(L, -1))
        {
            lua_pushvalue(L, -2);
            lua_insert(L, -2);
            lua_rawset(L, to);
        }
        else
        {
            lua_pop(L, 1);
        }
    }
    if (!pushFieldTable(L, index, ".get", false))
    {
        lua_pop(L, 1);
        return;
    }
    const int getters = lua_gettop(L);
    pushValueFields(L, index);
    const int fields = lua_gettop(L);
    lua_pushnil(L);
    while (lua_next(L, getters) != 0)
    {
        lua_pushvalue(L, -2);
        lua_rawget(L, to);
        const bool member = !lua_isnil(L, -1);
        lua_pop(L, 1);
        if (member || lua_type(L, -2) != LUA_TSTRING)
        {
            lua_pop(L, 1);
            continue;
        }
        lua_pushvalue(L, -2);
        if (lua_istable(L, fields))
        {
            lua_rawget(L, fields);
        }
        else
        {
            lua_pushnil(L);
            lua_replace(L, -2);
        }
        if (lua_isnumber(L, -1) && lua_tointeger(L, -1) >= 0 &&
            (size_t)lua_tointeger(L, -1) + sizeof(float) <= sizeof(s_floatFields))
        {
            lua_pushlightuserdata(L, s_floatFields + lua_tointeger(L, -1));
            lua_replace(L, -3);
        }
        lua_pop(L, 1);
        if (!lua_islightuserdata(L, -1))
        {
            lua_CFunction getter = lua_tocfunction(L, -1);
            if (getter == NULL || lua_getupvalue(L, -1, 1) != NULL)
            {
                lua_pop(L, getter == NULL ? 1 : 2);
                continue;
            }
            lua_pop(L, 1);
            lua_pushlightuserdata(L, (void*)getter);
        }
        lua_pushvalue(L, -2);
        lua_insert(L, -2);
        lua_rawset(L, to);
    }
    lua_settop(L, to);
}

void toluafix_register_value_field(lua_State* L, const char* type, const char* field, size_t offset)
{
    pushRegistryTable(L, &s_valueFields);
    lua_getfield(L, -1, type);
    if (!lua_istable(L, -1))
    {
        lua_pop(L, 1);
        lua_newtable(L);
        lua_pushvalue(L, -1);
        lua_setfield(L, -3, type);
    }
    lua_pushinteger(L, (lua_Integer)offset);
    lua_setfield(L, -2, field);
    lua_pop(L, 2);
}

// Puts lookUpName in front of the class metatable at index's own "__index" handler.
static void installNameLookUp(lua_State* L, int index)
{
    lua_pushstring(L, "__index");
    lua_rawget(L, index);
    if (!lua_iscfunction(L, -1) || lua_tocfunction(L, -1) == lookUpName)
    {
        lua_pop(L, 1);
        return;
    }
    pushLookUpTable(L, index);
    lua_pushcclosure(L, lookUpName, 2);
    lua_pushstring(L, "__index");
    lua_insert(L, -2);
    lua_rawset(L, index);
}

bool toluafix_is_name_look_up(lua_State* L, int index)
{
    return lua_tocfunction(L, index) == lookUpName;
}

void toluafix_flatten_classes(lua_State* L)
{
    if (!lua_checkstack(L, 16))
    {
        return;
    }
    const int top = lua_gettop(L);
    // Gathered first: the registry must not change while it is walked.
    lua_newtable(L);
    const int classes = lua_gettop(L);
    int count = 0;
    lua_pushnil(L);
    while (lua_next(L, LUA_REGISTRYINDEX) != 0)
    {
        if (lua_type(L, -2) == LUA_TSTRING && isClassMetatable(L, -1))
        {
            lua_rawseti(L, classes, ++count);
        }
        else
        {
            lua_pop(L, 1);
        }
    }
    for (int i = 1; i <= count; ++i)
    {
        lua_rawgeti(L, classes, i);
        const int cls = lua_gettop(L);
        lua_pushvalue(L, cls);
        while (lua_getmetatable(L, -1) && isClassMetatable(L, -1))
        {
            lua_remove(L, -2);
            copyInherited(L, cls, lua_gettop(L));
        }
        lua_settop(L, cls);
        installNameLookUp(L, cls);
        lua_settop(L, classes);
    }
    // The value types' twins share their class's members but have a metatable of their own.
    pushValueMetatables(L);
    if (lua_istable(L, -1))
    {
        const int twins = lua_gettop(L);
        lua_pushnil(L);
        while (lua_next(L, twins) != 0)
        {
            if (lua_istable(L, -1))
            {
                installNameLookUp(L, lua_gettop(L));
            }
            lua_pop(L, 1);
        }
    }
    lua_settop(L, top);
}

void toluafix_stack_dump(lua_State* L, const char* label)
{
    int top = lua_gettop(L);
    cocos2d::CCLog("Lua stack (%s): %d values", label ? label : "", top);
    for (int i = top; i >= 1; --i)
    {
        int t = lua_type(L, i);
        switch (t)
        {
        case LUA_TSTRING:
            cocos2d::CCLog("  [%d] string \"%s\"", i, lua_tostring(L, i));
            break;
        case LUA_TNUMBER:
            cocos2d::CCLog("  [%d] number %g", i, lua_tonumber(L, i));
            break;
        case LUA_TBOOLEAN:
            cocos2d::CCLog("  [%d] boolean %s", i, lua_toboolean(L, i) ? "true" : "false");
            break;
        case LUA_TUSERDATA:
            cocos2d::CCLog("  [%d] userdata %s %p", i, tolua_typename(L, i), lua_touserdata(L, i));
            lua_pop(L, 1); // tolua_typename pushes the name
            break;
        default:
            cocos2d::CCLog("  [%d] %s", i, lua_typename(L, t));
            break;
        }
    }
}
