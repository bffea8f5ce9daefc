#include "CCLuaSandbox.h"

#include "CCLuaBudget.h"
#include "CCLuaPatterns.h"
#include "support/CCFileUtils.h"
#include "tolua_fix.h"
#include "tolua++.h"

#include <cctype>
#include <cstring>
#include <string>
#include <sys/stat.h>

USING_NS_CC;

namespace
{
const char* const kTracebackKey = "vorn.sandbox.traceback";
const char* const kSearchPathKey = "vorn.sandbox.searchpath";
const char* const kProxiesKey = "vorn.sandbox.proxies";
const char kBytecodeMark = '\033';
// Marks a module while it loads, so a require loop is an error instead of endless recursion.
char s_loadingSentinel;

int refused(lua_State* L)
{
    return luaL_error(L, "'%s' is not available to the game's scripts", lua_tostring(L, lua_upvalueindex(1)));
}

// table[field] := a function that raises an error naming table.field. Table at the top.
void setRefused(lua_State* L, const char* table, const char* field)
{
    lua_pushfstring(L, "%s.%s", table, field);
    lua_pushcclosure(L, refused, 1);
    lua_setfield(L, -2, field);
}

// Runs a standard library's open function; it leaves its table in the globals and package.loaded.
void openLibrary(lua_State* L, lua_CFunction open, const char* name)
{
    lua_pushcfunction(L, open);
    lua_pushstring(L, name);
    lua_call(L, 1, 0);
}

// Pushes the global library name and removes it from the globals.
void takeLibrary(lua_State* L, const char* name)
{
    lua_getfield(L, LUA_GLOBALSINDEX, name);
    lua_pushnil(L);
    lua_setfield(L, LUA_GLOBALSINDEX, name);
}

// Wraps table[field] (table at the top) in a C closure that holds the original as upvalue 1.
void wrapField(lua_State* L, const char* field, lua_CFunction wrapper)
{
    lua_getfield(L, -1, field);
    lua_pushcclosure(L, wrapper, 1);
    lua_setfield(L, -2, field);
}

// Calls upvalue 1 with every argument; answers its results.
int callOriginal(lua_State* L)
{
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    lua_call(L, lua_gettop(L) - 1, LUA_MULTRET);
    return lua_gettop(L);
}

// ---- Loading chunks ----

// Pushes the chunk of a confined file, or nil and a message. Nothing C++ is alive when Lua may raise.
int loadConfinedFile(lua_State* L, const char* name, const std::string& fullPath)
{
    unsigned long size = 0;
    unsigned char* data =
        fullPath.empty() ? NULL : CCFileUtils::sharedFileUtils()->getFileData(fullPath.c_str(), "rb", &size);
    if (data == NULL)
    {
        lua_pushnil(L);
        lua_pushfstring(L, "cannot open %s", name);
        return 2;
    }
    lua_pushfstring(L, "@%s", name);
    const int status = CCLuaSandboxLoadText(L, (const char*)data, size, lua_tostring(L, -1));
    delete[] data;
    lua_remove(L, -2);
    if (status != 0)
    {
        lua_pushnil(L);
        lua_insert(L, -2);
        return 2;
    }
    return 1;
}

std::string contentPath(const char* name, const char* caller)
{
    return CCFileUtils::sharedFileUtils()->fullPathForContentName(name, caller);
}

// loadfile(name): a text chunk from the resource folder.
int sandboxLoadfile(lua_State* L)
{
    const char* name = luaL_checkstring(L, 1);
    return loadConfinedFile(L, name, contentPath(name, "loadfile"));
}

// dofile(name): loadfile, then run it, errors passed on.
int sandboxDofile(lua_State* L)
{
    const char* name = luaL_checkstring(L, 1);
    lua_settop(L, 1);
    if (loadConfinedFile(L, name, contentPath(name, "dofile")) != 1)
    {
        return lua_error(L);
    }
    lua_call(L, 0, LUA_MULTRET);
    return lua_gettop(L) - 1;
}

int pushLoadResult(lua_State* L, int status)
{
    if (status != 0)
    {
        lua_pushnil(L);
        lua_insert(L, -2);
        return 2;
    }
    return 1;
}

// loadstring(text [, name]): text only.
int sandboxLoadstring(lua_State* L)
{
    size_t size = 0;
    const char* text = luaL_checklstring(L, 1, &size);
    const char* chunkName = luaL_optstring(L, 2, text);
    return pushLoadResult(L, CCLuaSandboxLoadText(L, text, size, chunkName));
}

// load(reader [, name]): the pieces gathered, then loaded as text.
int sandboxLoad(lua_State* L)
{
    luaL_checktype(L, 1, LUA_TFUNCTION);
    const char* chunkName = luaL_optstring(L, 2, "=(load)");
    lua_settop(L, 2);
    luaL_Buffer buffer;
    luaL_buffinit(L, &buffer);
    for (;;)
    {
        lua_pushvalue(L, 1);
        lua_call(L, 0, 1);
        if (lua_isnil(L, -1))
        {
            lua_pop(L, 1);
            break;
        }
        if (!lua_isstring(L, -1))
        {
            return luaL_error(L, "reader function must return a string");
        }
        if (lua_objlen(L, -1) == 0)
        {
            lua_pop(L, 1);
            break;
        }
        luaL_addvalue(&buffer);
    }
    luaL_pushresult(&buffer);
    size_t size = 0;
    const char* text = lua_tolstring(L, -1, &size);
    return pushLoadResult(L, CCLuaSandboxLoadText(L, text, size, chunkName));
}

// ---- require ----

bool isPlainModuleName(const char* name)
{
    if (*name == '\0' || *name == '.')
    {
        return false;
    }
    for (const char* c = name; *c; ++c)
    {
        if (!(isalnum((unsigned char)*c) || *c == '_' || *c == '-' || *c == '.') || (c[0] == '.' && c[1] == '.'))
        {
            return false;
        }
    }
    return true;
}

// The module's file in the folders the engine added, else in the resource folder.
std::string findModule(lua_State* L, const char* file)
{
    lua_getfield(L, LUA_REGISTRYINDEX, kSearchPathKey);
    std::string found;
    const int folders = lua_istable(L, -1) ? (int)lua_objlen(L, -1) : 0;
    for (int i = 1; i <= folders && found.empty(); ++i)
    {
        lua_rawgeti(L, -1, i);
        std::string candidate = std::string(lua_tostring(L, -1)) + file;
        lua_pop(L, 1);
        struct stat st;
        if (stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        {
            found = candidate;
        }
    }
    lua_pop(L, 1);
    return found.empty() ? contentPath(file, "require") : found;
}

// require(name): package.loaded first, then name.lua ("a.b": a/b.lua) as a text chunk.
int sandboxRequire(lua_State* L)
{
    const char* name = luaL_checkstring(L, 1);
    lua_settop(L, 1);
    const int loaded = lua_upvalueindex(1);
    lua_getfield(L, loaded, name);
    if (lua_toboolean(L, -1))
    {
        if (lua_touserdata(L, -1) == &s_loadingSentinel)
        {
            return luaL_error(L, "loop or previous error loading module '%s'", name);
        }
        return 1;
    }
    lua_pop(L, 1);
    if (!isPlainModuleName(name))
    {
        return luaL_error(L, "module '%s' is not a plain name", name);
    }
    luaL_gsub(L, name, ".", "/");
    lua_pushliteral(L, ".lua");
    lua_concat(L, 2);
    const char* file = lua_tostring(L, -1);
    if (loadConfinedFile(L, file, findModule(L, file)) != 1)
    {
        return luaL_error(L, "module '%s' not found in the game's scripts: %s", name, lua_tostring(L, -1));
    }
    lua_pushlightuserdata(L, &s_loadingSentinel);
    lua_setfield(L, loaded, name);
    lua_pushstring(L, name);
    lua_call(L, 1, 1);
    if (!lua_isnil(L, -1))
    {
        lua_setfield(L, loaded, name);
    }
    lua_getfield(L, loaded, name);
    if (lua_touserdata(L, -1) == &s_loadingSentinel)
    {
        lua_pushboolean(L, 1);
        lua_pushvalue(L, -1);
        lua_setfield(L, loaded, name);
    }
    return 1;
}

// ---- io ----

// io.open(name [, mode]): reading a file of the game.
int sandboxOpen(lua_State* L)
{
    const char* name = luaL_checkstring(L, 1);
    const char* mode = luaL_optstring(L, 2, "r");
    if (strcmp(mode, "r") != 0 && strcmp(mode, "rb") != 0)
    {
        return luaL_error(L, "files are opened for reading only");
    }
    const std::string full = contentPath(name, "io.open");
    if (full.empty())
    {
        lua_pushnil(L);
        lua_pushfstring(L, "%s: not a file of the game's resources", name);
        return 2;
    }
    lua_settop(L, 0);
    // The library's own function opens it, so the file closes through the library.
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_pushlstring(L, full.data(), full.size());
    lua_pushstring(L, mode);
    lua_call(L, 2, LUA_MULTRET);
    return lua_gettop(L);
}

// ---- Protected calls under the budget ----

// pcall(f, ...): as the base library's, but a call past its budget is not swallowed.
int sandboxPcall(lua_State* L)
{
    luaL_checkany(L, 1);
    const int status = lua_pcall(L, lua_gettop(L) - 1, LUA_MULTRET, 0);
    if (status != 0 && CCLuaBudgetExhausted(L))
    {
        return lua_error(L);
    }
    lua_pushboolean(L, status == 0);
    lua_insert(L, 1);
    return lua_gettop(L);
}

// Runs a script's error handler protected: when the handler fails too, one log line says so
// and the original error goes on (Lua would call the failing handler again and again).
int guardedHandler(lua_State* L)
{
    lua_settop(L, 1);
    if (CCLuaBudgetExhausted(L))
    {
        return 1;
    }
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_pushvalue(L, 1);
    if (lua_pcall(L, 1, 1, 0) == 0)
    {
        return 1;
    }
    const char* failure = lua_tostring(L, -1);
    const char* original = lua_tostring(L, 1);
    CCLog("[LUA ERROR] the error handler failed (%s) while handling: %s", failure ? failure : "?",
          original ? original : luaL_typename(L, 1));
    lua_settop(L, 1);
    return 1;
}

int sandboxXpcall(lua_State* L)
{
    luaL_checkany(L, 2);
    lua_settop(L, 2);
    lua_pushcclosure(L, guardedHandler, 1);
    lua_insert(L, 1);
    const int status = lua_pcall(L, 0, LUA_MULTRET, 1);
    if (status != 0 && CCLuaBudgetExhausted(L))
    {
        return lua_error(L);
    }
    lua_pushboolean(L, status == 0);
    lua_replace(L, 1);
    return lua_gettop(L);
}

// coroutine.resume: a coroutine stopped for its budget stops its resumer too.
int sandboxResume(lua_State* L)
{
    const int results = callOriginal(L);
    if (results >= 1 && !lua_toboolean(L, 1) && CCLuaBudgetExhausted(L))
    {
        lua_settop(L, 2);
        return lua_error(L);
    }
    return results;
}

// ---- string ----

// string.rep: the result's size is checked before it is built, byte by byte, in one C call.
int sandboxRep(lua_State* L)
{
    size_t length = 0;
    luaL_checklstring(L, 1, &length);
    const lua_Number count = luaL_checknumber(L, 2);
    if (count > 0)
    {
        CCLuaBudgetCheckMemory(L, (double)length * count, "string.rep: a string");
    }
    return callOriginal(L);
}

// ---- The binding's metatables ----

// Lua runs a userdata's __gc with hooks off, so a script's finaliser would escape its budget, and
// the binding relies on every other metamethod of its classes. Scripts see each class (and
// getmetatable of an object) as a proxy that reads through to the class and refuses writes.

void pushProxies(lua_State* L)
{
    lua_getfield(L, LUA_REGISTRYINDEX, kProxiesKey);
    if (lua_istable(L, -1))
    {
        return;
    }
    lua_pop(L, 1);
    lua_newtable(L);
    lua_pushvalue(L, -1);
    lua_setfield(L, LUA_REGISTRYINDEX, kProxiesKey);
}

// Replaces the value at the top by its proxy when it is a sealed metatable.
void replaceByProxy(lua_State* L)
{
    if (!lua_istable(L, -1))
    {
        return;
    }
    pushProxies(L);
    lua_pushvalue(L, -2);
    lua_rawget(L, -2);
    if (lua_istable(L, -1))
    {
        lua_replace(L, -3);
        lua_pop(L, 1);
        return;
    }
    lua_pop(L, 2);
}

// __index of a proxy: upvalue 1 is the class.
int readClass(lua_State* L)
{
    if (lua_type(L, 2) == LUA_TSTRING && toluafix_is_binding_key(lua_tostring(L, 2)))
    {
        lua_pushnil(L);
        return 1;
    }
    lua_settop(L, 2);
    lua_gettable(L, lua_upvalueindex(1));
    replaceByProxy(L);
    return 1;
}

// __index of a sealed metatable: the binding's own keys (its metamethods, tolua's tables of
// objects and accessors) are not for scripts; any other key goes to the handler in upvalue 1.
int readObject(lua_State* L)
{
    if (lua_type(L, 2) == LUA_TSTRING && toluafix_is_binding_key(lua_tostring(L, 2)))
    {
        lua_pushnil(L);
        return 1;
    }
    lua_settop(L, 2);
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    lua_call(L, 2, 1);
    return 1;
}

// __call of a proxy (a constructor call, CCRect(...)): the class is called instead.
int callClass(lua_State* L)
{
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_replace(L, 1);
    lua_call(L, lua_gettop(L) - 1, LUA_MULTRET);
    return lua_gettop(L);
}

// __newindex of a proxy: upvalue 1 names the class.
int refuseClassWrite(lua_State* L)
{
    return luaL_error(L, "'%s' belongs to the game's binding: scripts cannot change it",
                      lua_tostring(L, lua_upvalueindex(1)));
}

// The metatable at index gets a proxy, which getmetatable answers from now on.
void sealMetatable(lua_State* L, int index)
{
    const int mt = index > 0 ? index : lua_gettop(L) + index + 1;
    pushProxies(L);
    lua_pushvalue(L, mt);
    lua_rawget(L, -2);
    if (!lua_istable(L, -1))
    {
        lua_pop(L, 1);
        lua_pushvalue(L, mt);
        lua_rawget(L, LUA_REGISTRYINDEX);
        const bool named = lua_isstring(L, -1) != 0;
        if (!named)
        {
            lua_pop(L, 1);
            lua_pushliteral(L, "a type of the game");
        }
        const int name = lua_gettop(L);
        lua_newtable(L);
        const int proxy = lua_gettop(L);
        lua_newtable(L);
        lua_pushvalue(L, mt);
        lua_pushcclosure(L, readClass, 1);
        lua_setfield(L, -2, "__index");
        lua_pushvalue(L, mt);
        lua_pushcclosure(L, callClass, 1);
        lua_setfield(L, -2, "__call");
        lua_pushvalue(L, name);
        lua_pushcclosure(L, refuseClassWrite, 1);
        lua_setfield(L, -2, "__newindex");
        lua_pushboolean(L, 0);
        lua_setfield(L, -2, "__metatable");
        lua_setmetatable(L, proxy);
        if (named)
        {
            // Static members check their self by the name the registry gives it.
            lua_pushvalue(L, proxy);
            lua_pushvalue(L, name);
            lua_rawset(L, LUA_REGISTRYINDEX);
        }
        lua_pushvalue(L, mt);
        lua_pushvalue(L, proxy);
        lua_rawset(L, -5);
        lua_remove(L, name);
    }
    lua_pushliteral(L, "__metatable");
    lua_pushvalue(L, -2);
    lua_rawset(L, mt);
    lua_pop(L, 2);
    lua_pushliteral(L, "__index");
    lua_rawget(L, mt);
    // The flattened classes' look-up refuses those keys itself, at no cost of a call.
    if (lua_isfunction(L, -1) && lua_tocfunction(L, -1) != readObject && !toluafix_is_name_look_up(L, -1))
    {
        lua_pushcclosure(L, readObject, 1);
        lua_pushliteral(L, "__index");
        lua_insert(L, -2);
        lua_rawset(L, mt);
        return;
    }
    lua_pop(L, 1);
}

// Every class the registry names and every value type's metatable.
void sealAllMetatables(lua_State* L)
{
    lua_newtable(L);
    const int found = lua_gettop(L);
    int count = 0;
    lua_pushnil(L);
    while (lua_next(L, LUA_REGISTRYINDEX) != 0)
    {
        lua_pushvalue(L, -1);
        lua_rawget(L, LUA_REGISTRYINDEX);
        const bool isClass = lua_type(L, -3) == LUA_TSTRING && lua_istable(L, -2) && lua_isstring(L, -1);
        lua_pop(L, 1);
        if (isClass)
        {
            lua_rawseti(L, found, ++count);
        }
        else
        {
            lua_pop(L, 1);
        }
    }
    for (int i = 1; i <= count; ++i)
    {
        lua_rawgeti(L, found, i);
        sealMetatable(L, -1);
        lua_pop(L, 1);
    }
    lua_pop(L, 1);
    toluafix_push_value_metatables(L);
    if (lua_istable(L, -1))
    {
        lua_pushnil(L);
        while (lua_next(L, -2) != 0)
        {
            if (lua_istable(L, -1))
            {
                sealMetatable(L, -1);
            }
            lua_pop(L, 1);
        }
    }
    lua_pop(L, 1);
}

// The table at index has its sealed classes replaced by their proxies; modules one level down too.
void replaceClasses(lua_State* L, int table, bool modules)
{
    lua_pushnil(L);
    while (lua_next(L, table) != 0)
    {
        if (lua_istable(L, -1))
        {
            const void* before = lua_topointer(L, -1);
            replaceByProxy(L);
            if (lua_topointer(L, -1) != before)
            {
                lua_pushvalue(L, -2);
                lua_insert(L, -2);
                lua_rawset(L, table);
                continue;
            }
            if (modules && lua_topointer(L, -1) != lua_topointer(L, table))
            {
                replaceClasses(L, lua_gettop(L), false);
            }
        }
        lua_pop(L, 1);
    }
}

bool isProxy(lua_State* L, int index)
{
    if (!lua_istable(L, index) || !lua_getmetatable(L, index))
    {
        return false;
    }
    lua_pushliteral(L, "__newindex");
    lua_rawget(L, -2);
    const bool proxy = lua_tocfunction(L, -1) == refuseClassWrite;
    lua_pop(L, 2);
    return proxy;
}

// rawset: a proxy is refused as its writes are.
int sandboxRawset(lua_State* L)
{
    if (isProxy(L, 1))
    {
        lua_pushvalue(L, 1);
        lua_rawget(L, LUA_REGISTRYINDEX);
        return luaL_error(L, "'%s' belongs to the game's binding: scripts cannot change it",
                          lua_isstring(L, -1) ? lua_tostring(L, -1) : "a type of the game");
    }
    return callOriginal(L);
}

// ---- the state ----

void openOs(lua_State* L)
{
    openLibrary(L, luaopen_os, LUA_OSLIBNAME);
    takeLibrary(L, LUA_OSLIBNAME);
    lua_newtable(L);
    static const char* const kKept[] = { "clock", "date", "difftime", "time", NULL };
    for (const char* const* name = kKept; *name; ++name)
    {
        lua_getfield(L, -2, *name);
        lua_setfield(L, -2, *name);
    }
    static const char* const kRefused[] = { "execute", "exit", "getenv", "remove", "rename", "tmpname", "setlocale",
                                            NULL };
    for (const char* const* name = kRefused; *name; ++name)
    {
        setRefused(L, LUA_OSLIBNAME, *name);
    }
    lua_remove(L, -2);
}

void openIo(lua_State* L)
{
    openLibrary(L, luaopen_io, LUA_IOLIBNAME);
    takeLibrary(L, LUA_IOLIBNAME);
    // A file's finaliser is the library's: getmetatable of a file answers false.
    luaL_getmetatable(L, LUA_FILEHANDLE);
    lua_pushboolean(L, 0);
    lua_setfield(L, -2, "__metatable");
    lua_pop(L, 1);
    lua_newtable(L);
    lua_getfield(L, -2, "open");
    lua_pushcclosure(L, sandboxOpen, 1);
    lua_setfield(L, -2, "open");
    static const char* const kRefused[] = { "close", "input", "lines", "output", "popen", "read", "tmpfile", "type",
                                            "write", NULL };
    for (const char* const* name = kRefused; *name; ++name)
    {
        setRefused(L, LUA_IOLIBNAME, *name);
    }
    lua_remove(L, -2);
}

void openDebug(lua_State* L)
{
    openLibrary(L, luaopen_debug, LUA_DBLIBNAME);
    takeLibrary(L, LUA_DBLIBNAME);
    lua_getfield(L, -1, "traceback");
    lua_setfield(L, LUA_REGISTRYINDEX, kTracebackKey);
    lua_newtable(L);
    lua_getfield(L, -2, "traceback");
    lua_setfield(L, -2, "traceback");
    static const char* const kRefused[] = { "debug", "getfenv", "gethook", "getinfo", "getlocal", "getmetatable",
                                            "getregistry", "getupvalue", "setfenv", "sethook", "setlocal",
                                            "setmetatable", "setupvalue", NULL };
    for (const char* const* name = kRefused; *name; ++name)
    {
        setRefused(L, LUA_DBLIBNAME, *name);
    }
    lua_remove(L, -2);
}

void openBase(lua_State* L)
{
    openLibrary(L, luaopen_base, "");
    static const char* const kRemoved[] = { "newproxy", "gcinfo", NULL };
    for (const char* const* name = kRemoved; *name; ++name)
    {
        lua_pushnil(L);
        lua_setfield(L, LUA_GLOBALSINDEX, *name);
    }
    static const luaL_Reg kReplaced[] = { { "dofile", sandboxDofile },   { "loadfile", sandboxLoadfile },
                                          { "loadstring", sandboxLoadstring }, { "load", sandboxLoad },
                                          { "pcall", sandboxPcall },     { "xpcall", sandboxXpcall },
                                          { NULL, NULL } };
    for (const luaL_Reg* entry = kReplaced; entry->name; ++entry)
    {
        lua_register(L, entry->name, entry->func);
    }
    lua_getfield(L, LUA_GLOBALSINDEX, LUA_COLIBNAME);
    wrapField(L, "resume", sandboxResume);
    lua_pop(L, 1);
    lua_pushvalue(L, LUA_GLOBALSINDEX);
    wrapField(L, "rawset", sandboxRawset);
    lua_pop(L, 1);
}

void openString(lua_State* L)
{
    openLibrary(L, luaopen_string, LUA_STRLIBNAME);
    lua_getfield(L, LUA_GLOBALSINDEX, LUA_STRLIBNAME);
    // Lua's own matcher can backtrack in C for ever, out of the budget's reach.
    CCLuaPatternsOpen(L);
    wrapField(L, "rep", sandboxRep);
    // Bytecode is never loaded, so it is not made either.
    setRefused(L, LUA_STRLIBNAME, "dump");
    lua_pop(L, 1);
    // Every string's methods come through one metatable: getmetatable('') answers false, as for files.
    lua_pushliteral(L, "");
    if (lua_getmetatable(L, -1))
    {
        lua_pushboolean(L, 0);
        lua_setfield(L, -2, "__metatable");
        lua_pop(L, 1);
    }
    lua_pop(L, 1);
}

// tolua's helpers that retype or free what the game owns are not for scripts: tolua.type stays.
void openTolua(lua_State* L)
{
    tolua_open(L);
    takeLibrary(L, "tolua");
    lua_newtable(L);
    lua_getfield(L, -2, "type");
    lua_setfield(L, -2, "type");
    static const char* const kRefused[] = { "cast", "getpeer", "inherit", "releaseownership", "setpeer",
                                            "takeownership", NULL };
    for (const char* const* name = kRefused; *name; ++name)
    {
        setRefused(L, "tolua", *name);
    }
    lua_setfield(L, LUA_GLOBALSINDEX, "tolua");
    lua_pop(L, 1);
}

// package.loaded and the registry's copy hold exactly the libraries above; require is ours.
void openPackage(lua_State* L)
{
    static const char* const kLibraries[] = { "_G", LUA_COLIBNAME, LUA_TABLIBNAME, LUA_STRLIBNAME, LUA_MATHLIBNAME,
                                              LUA_OSLIBNAME, LUA_IOLIBNAME, LUA_DBLIBNAME, NULL };
    lua_newtable(L);
    for (const char* const* name = kLibraries; *name; ++name)
    {
        lua_getfield(L, LUA_GLOBALSINDEX, *name);
        lua_setfield(L, -2, *name);
    }
    lua_pushvalue(L, -1);
    lua_setfield(L, LUA_REGISTRYINDEX, "_LOADED");
    lua_newtable(L);
    lua_pushvalue(L, -2);
    lua_setfield(L, -2, "loaded");
    setRefused(L, "package", "loadlib");
    setRefused(L, "package", "seeall");
    lua_setfield(L, LUA_GLOBALSINDEX, "package");
    lua_pushcclosure(L, sandboxRequire, 1);
    lua_setfield(L, LUA_GLOBALSINDEX, "require");
}
} // namespace

int CCLuaSandboxLoadText(lua_State* L, const char* data, size_t size, const char* chunkName)
{
    if (size > 0 && data[0] == kBytecodeMark)
    {
        // A file's chunk is named "@file"; any other name is the text itself, not for a log line.
        const bool named = chunkName && (chunkName[0] == '@' || chunkName[0] == '=');
        lua_pushfstring(L, "%s: precompiled chunks are not loaded", named ? chunkName + 1 : "a string");
        CCLog("[LUA ERROR] %s", lua_tostring(L, -1));
        return LUA_ERRSYNTAX;
    }
    return luaL_loadbuffer(L, data, size, chunkName);
}

void CCLuaSandboxPushTraceback(lua_State* L)
{
    lua_getfield(L, LUA_REGISTRYINDEX, kTracebackKey);
}

void CCLuaSandboxAddSearchPath(lua_State* L, const char* folder)
{
    if (folder == NULL || *folder == '\0')
    {
        return;
    }
    lua_getfield(L, LUA_REGISTRYINDEX, kSearchPathKey);
    if (!lua_istable(L, -1))
    {
        lua_pop(L, 1);
        lua_newtable(L);
        lua_pushvalue(L, -1);
        lua_setfield(L, LUA_REGISTRYINDEX, kSearchPathKey);
    }
    const size_t length = strlen(folder);
    lua_pushstring(L, folder);
    if (folder[length - 1] != '/')
    {
        lua_pushliteral(L, "/");
        lua_concat(L, 2);
    }
    lua_rawseti(L, -2, (int)lua_objlen(L, -2) + 1);
    lua_pop(L, 1);
}

void CCLuaSandboxSealBinding(lua_State* L)
{
    sealAllMetatables(L);
    replaceClasses(L, LUA_GLOBALSINDEX, true);
}

void CCLuaSandboxOpen(lua_State* L)
{
    openBase(L);
    openLibrary(L, luaopen_table, LUA_TABLIBNAME);
    openString(L);
    openLibrary(L, luaopen_math, LUA_MATHLIBNAME);
    openOs(L);
    lua_setfield(L, LUA_GLOBALSINDEX, LUA_OSLIBNAME);
    openIo(L);
    lua_setfield(L, LUA_GLOBALSINDEX, LUA_IOLIBNAME);
    openDebug(L);
    lua_setfield(L, LUA_GLOBALSINDEX, LUA_DBLIBNAME);
    openTolua(L);
    openPackage(L);
}
