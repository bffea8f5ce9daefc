#include "CCLuaSandbox.h"

#include "support/CCFileUtils.h"

#include <cctype>
#include <cstring>
#include <string>

USING_NS_CC;

namespace
{
const char* const kTracebackKey = "vorn.sandbox.traceback";
const char kBytecodeMark = '\033';


// Keeps only the named fields of global table `table`.
void keepOnly(lua_State* L, const char* table, const char* const* kept)
{
    lua_getfield(L, LUA_GLOBALSINDEX, table);
    if (!lua_istable(L, -1))
    {
        lua_pop(L, 1);
        return;
    }
    lua_newtable(L);
    for (const char* const* name = kept; *name; ++name)
    {
        lua_getfield(L, -2, *name);
        lua_setfield(L, -2, *name);
    }
    lua_setfield(L, LUA_GLOBALSINDEX, table);
    lua_pop(L, 1);
}

// Pushes the full path of the file named at arg; false, with nothing pushed, for a name that
// leaves the resource folder. Callers raise their Lua errors only once no C++ object is alive: a
// Lua error jumps past destructors.
bool pushConfinedPath(lua_State* L, int arg)
{
    size_t length = 0;
    const char* name = luaL_checklstring(L, arg, &length);
    std::string text(name, length);
    if (!CCFileUtils::isConfinedName(text))
    {
        return false;
    }
    const std::string full = CCFileUtils::sharedFileUtils()->fullPathForFilename(text.c_str());
    lua_pushlstring(L, full.data(), full.size());
    return true;
}

int outsideResources(lua_State* L, const char* name)
{
    return luaL_error(L, "'%s' is outside the game's resources", name);
}

int loadText(lua_State* L, const char* data, size_t size, const char* chunkName)
{
    if (size > 0 && data[0] == kBytecodeMark)
    {
        lua_pushnil(L);
        lua_pushstring(L, "precompiled chunks are not loaded");
        return 2;
    }
    if (luaL_loadbuffer(L, data, size, chunkName) != 0)
    {
        lua_pushnil(L);
        lua_insert(L, -2);
        return 2;
    }
    return 1;
}

// loadfile(name): a text chunk from the resource folder.
int sandboxLoadfile(lua_State* L)
{
    const char* name = luaL_checkstring(L, 1);
    if (!pushConfinedPath(L, 1))
    {
        return outsideResources(L, name);
    }
    lua_pushfstring(L, "@%s", name);
    unsigned long size = 0;
    unsigned char* data = CCFileUtils::sharedFileUtils()->getFileData(lua_tostring(L, -2), "rb", &size);
    if (data == NULL)
    {
        lua_pop(L, 2);
        lua_pushnil(L);
        lua_pushfstring(L, "cannot open %s", name);
        return 2;
    }
    const int results = loadText(L, (const char*)data, size, lua_tostring(L, -1));
    delete[] data;
    // The path and the chunk's name lie under the results.
    lua_remove(L, -(results + 1));
    lua_remove(L, -(results + 1));
    return results;
}

// dofile(name): loadfile, then run it, errors passed on.
int sandboxDofile(lua_State* L)
{
    int base = lua_gettop(L);
    if (sandboxLoadfile(L) != 1)
    {
        return lua_error(L);
    }
    lua_call(L, 0, LUA_MULTRET);
    return lua_gettop(L) - base;
}

// loadstring(text [, name]): text only.
int sandboxLoadstring(lua_State* L)
{
    size_t size = 0;
    const char* text = luaL_checklstring(L, 1, &size);
    const char* chunkName = luaL_optstring(L, 2, text);
    return loadText(L, text, size, chunkName);
}

// load(reader [, name]): the pieces gathered, then loaded as text.
int sandboxLoad(lua_State* L)
{
    luaL_checktype(L, 1, LUA_TFUNCTION);
    const char* chunkName = luaL_optstring(L, 2, "=(load)");
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
    return loadText(L, text, size, chunkName);
}

// io.open(name [, mode]): reading, inside the resource folder.
int sandboxOpen(lua_State* L)
{
    const char* mode = luaL_optstring(L, 2, "r");
    if (strcmp(mode, "r") != 0 && strcmp(mode, "rb") != 0)
    {
        return luaL_error(L, "files are opened for reading only");
    }
    const char* name = luaL_checkstring(L, 1);
    if (!pushConfinedPath(L, 1))
    {
        return outsideResources(L, name);
    }
    int base = lua_gettop(L) - 1;
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, -2);
    lua_pushstring(L, mode);
    lua_call(L, 2, LUA_MULTRET);
    return lua_gettop(L) - base;
}

// require(name): modules named as identifiers, found on the engine's own search path.
int sandboxRequire(lua_State* L)
{
    const char* name = luaL_checkstring(L, 1);
    for (const char* c = name; *c; ++c)
    {
        if (!(isalnum((unsigned char)*c) || *c == '_' || *c == '-' || *c == '.') ||
            (c[0] == '.' && c[1] == '.'))
        {
            return luaL_error(L, "module '%s' is not a plain name", name);
        }
    }
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    lua_call(L, lua_gettop(L) - 1, LUA_MULTRET);
    return lua_gettop(L);
}

int sandboxRefused(lua_State* L)
{
    return luaL_error(L, "'%s' is not available to the game's scripts", lua_tostring(L, lua_upvalueindex(1)));
}

// Leaves a function that raises an error naming what was asked for in table[field].
void refuse(lua_State* L, const char* table, const char* field)
{
    lua_getfield(L, LUA_GLOBALSINDEX, table);
    if (!lua_istable(L, -1))
    {
        lua_pop(L, 1);
        return;
    }
    std::string shown = std::string(table) + "." + field;
    lua_pushstring(L, shown.c_str());
    lua_pushcclosure(L, sandboxRefused, 1);
    lua_setfield(L, -2, field);
    lua_pop(L, 1);
}
} // namespace

void CCLuaSandboxPushTraceback(lua_State* L)
{
    lua_getfield(L, LUA_REGISTRYINDEX, kTracebackKey);
}

void CCLuaSandboxOpen(lua_State* L)
{
    // The error handler's traceback stays with the engine; scripts get no debug library.
    lua_getfield(L, LUA_GLOBALSINDEX, "debug");
    if (lua_istable(L, -1))
    {
        lua_getfield(L, -1, "traceback");
        lua_setfield(L, LUA_REGISTRYINDEX, kTracebackKey);
    }
    lua_pop(L, 1);
    lua_pushnil(L);
    lua_setfield(L, LUA_GLOBALSINDEX, "debug");

    // os: the clock and the calendar only.
    static const char* const kOsKept[] = { "clock", "date", "difftime", "time", NULL };
    keepOnly(L, "os", kOsKept);
    static const char* const kOsRefused[] = { "execute", "exit", "getenv", "remove", "rename", "tmpname", "setlocale",
                                              NULL };
    for (const char* const* name = kOsRefused; *name; ++name)
    {
        refuse(L, "os", *name);
    }

    // io: reading files of the game, writing to the console.
    lua_getfield(L, LUA_GLOBALSINDEX, "io");
    lua_getfield(L, -1, "open");
    lua_pushcclosure(L, sandboxOpen, 1);
    lua_setfield(L, -2, "open");
    lua_pop(L, 1);
    static const char* const kIoKept[] = { "open", "read", "write", "type", NULL };
    keepOnly(L, "io", kIoKept);
    static const char* const kIoRefused[] = { "popen", "lines", "input", "output", "tmpfile", "close", NULL };
    for (const char* const* name = kIoRefused; *name; ++name)
    {
        refuse(L, "io", *name);
    }

    // No native code, no bytecode, no files from outside.
    lua_getfield(L, LUA_GLOBALSINDEX, "package");
    if (lua_istable(L, -1))
    {
        lua_pushstring(L, "");
        lua_setfield(L, -2, "cpath");
        lua_getfield(L, -1, "loaders");
        if (lua_istable(L, -1))
        {
            // Keep the preload and Lua-file searchers; drop the two that load C libraries.
            lua_pushnil(L);
            lua_rawseti(L, -2, 4);
            lua_pushnil(L);
            lua_rawseti(L, -2, 3);
        }
        lua_pop(L, 1);
    }
    lua_pop(L, 1);
    refuse(L, "package", "loadlib");
    refuse(L, "string", "dump");
    lua_getfield(L, LUA_GLOBALSINDEX, "require");
    lua_pushcclosure(L, sandboxRequire, 1);
    lua_setfield(L, LUA_GLOBALSINDEX, "require");
    lua_register(L, "loadfile", sandboxLoadfile);
    lua_register(L, "dofile", sandboxDofile);
    lua_register(L, "loadstring", sandboxLoadstring);
    lua_register(L, "load", sandboxLoad);
}
