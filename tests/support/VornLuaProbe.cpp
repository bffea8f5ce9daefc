#include "VornLuaProbe.h"

#include "lauxlib.h"
#include "lua.h"

namespace vorntest
{
namespace
{
/** Calls the loaded chunk with its argument and answers its one result as text, or prefix + the error. */
std::string callForText(lua_State* L, int argumentCount, const char* errorPrefix)
{
    if (lua_pcall(L, argumentCount, 1, 0) != 0)
    {
        std::string error = std::string(errorPrefix) + lua_tostring(L, -1);
        lua_pop(L, 1);
        return error;
    }
    const char* text = lua_tostring(L, -1);
    std::string value = text ? text : "";
    lua_pop(L, 1);
    return value;
}
} // namespace

std::string luaOutcome(lua_State* L, const std::string& code)
{
    static const char* const kRunner =
        "local ok, err = pcall(assert(loadstring(...)))\n"
        "return ok and 'ok' or (string.gsub(tostring(err), '^%[string .-%]:%d+: ', ''))";
    luaL_loadstring(L, kRunner);  // a fixed chunk: it always loads
    lua_pushstring(L, code.c_str());
    return callForText(L, 1, "outcome failed: ");
}

std::string luaValue(lua_State* L, const std::string& expression)
{
    const std::string code = "return tostring(" + expression + ")";
    if (luaL_loadstring(L, code.c_str()) != 0)
    {
        std::string error = std::string("error: ") + lua_tostring(L, -1);
        lua_pop(L, 1);
        return error;
    }
    return callForText(L, 0, "error: ");
}
} // namespace vorntest
