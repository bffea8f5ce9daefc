// Scripts' find, match, gmatch and gsub answer exactly as Lua's own, errors included.
#include "VornTestSupport.h"
#include "lua_engine.h"

#include <gtest/gtest.h>

USING_NS_CC;

namespace
{
// Every result of the expression (or its error), written out.
const char* const kPrelude =
    "local function show(...)\n"
    "  local out = {}\n"
    "  for i = 1, select('#', ...) do\n"
    "    local v = select(i, ...)\n"
    "    out[#out + 1] = type(v) .. ':' .. tostring(v)\n"
    "  end\n"
    "  return table.concat(out, ' ')\n"
    "end\n"
    "local function all(iterator)\n"
    "  local out = {}\n"
    "  for a, b, c in iterator do out[#out + 1] = show(a, b, c) end\n"
    "  return table.concat(out, ' | ')\n"
    "end\n"
    "return show(pcall(function() return ";

std::string evaluate(lua_State* L, const std::string& expression)
{
    const std::string chunk = kPrelude + expression + " end))";
    if (luaL_loadstring(L, chunk.c_str()) != 0 || lua_pcall(L, 0, 1, 0) != 0)
    {
        std::string failure = std::string("did not run: ") + lua_tostring(L, -1);
        lua_pop(L, 1);
        return failure;
    }
    std::string shown = lua_tostring(L, -1);
    lua_pop(L, 1);
    return shown;
}
} // namespace

TEST(LuaPatterns, EveryFunctionAnswersAsLuasOwn)
{
    static const char* const kExpressions[] = {
        // find: plain, positions, captures
        "string.find('hello world', 'o w')",
        "string.find('hello', 'l')",
        "string.find('hello', 'l', -2)",
        "string.find('hello', 'l', 10)",
        "string.find('hello', '', 10)",
        "string.find('hello', '', -10)",
        "string.find('hello', 'h', 0)",
        "string.find('a.b', '.', 1, true)",
        "string.find('a+b', '+', 1, true)",
        "string.find('a\\0b', '\\0')",
        "string.find('a\\0b', '%z')",
        "string.find('a\\0b', 'a\\0c')",
        "string.find('x = 10', '(%w+) = (%w+)')",
        "string.find('hello', '()ll()')",
        "string.find('hello', '^h')",
        "string.find('hello', '^e')",
        "string.find('hello', 'o$')",
        "string.find('hello', 'l$')",
        "string.find('a$b', '$b')",
        "string.find('a^b', 'a^b')",
        // classes and sets
        "string.match('  abc123DEF_!?', '%a+')",
        "string.match('abc123', '%d+')",
        "string.match('abc ABC', '%u+')",
        "string.match('ABC abc', '%l+')",
        "string.match('ab, cd', '%p')",
        "string.match('ab\\tcd', '%s')",
        "string.match('ab\\1cd', '%c')",
        "string.match('x_y1 z', '%w+')",
        "string.match('0x1F;', '%x+', 3)",
        "string.match('abc123', '%D+')",
        "string.match('abc 123', '%S+%s+(%A+)')",
        "string.match('key=val', '[^=]+')",
        "string.match('a-b-c', '[a-c%-]+')",
        "string.match('a]b', '[]]')",
        "string.match('a]b', '[^]]+')",
        "string.match('x-a', '[a-]+')",
        "string.match('Hello', '[%u][%l]*')",
        "string.match('^caret', '[%^c]+')",
        "string.match('a.b', '%.')",
        "string.match('100%', '%d+%%')",
        // repetitions
        "string.match('aaab', 'a*')",
        "string.match('aaab', 'a-b')",
        "string.match('aaab', 'a+b')",
        "string.match('b', 'a+b')",
        "string.match('ab', 'a?b')",
        "string.match('b', 'a?b')",
        "string.match('<a><b>', '<(.-)>')",
        "string.match('<a><b>', '<(.*)>')",
        "string.match('', '.*')",
        "string.match('abc', '')",
        // balanced, frontier, back references
        "string.match('f(a(b)c) d', '%b()')",
        "string.match('x = \"q\" end', '%b\"\"')",
        "string.match('(unclosed', '%b()')",
        "string.find('THE (quick) fox', '%f[%a]%a+', 5)",
        "string.match('hello world', '%f[%w]%w+$')",
        "string.match('say \"hi\" now', '([\"\\'])(.-)%1')",
        "string.match('abab', '(ab)%1')",
        "string.match('aa', '()a%1')",
        "string.match('abc', '((a)(b))c')",
        // gmatch
        "all(string.gmatch('one two  three', '%a+'))",
        "all(string.gmatch('k1=v1, k2=v2', '(%w+)=(%w+)'))",
        "all(string.gmatch('abc', '()'))",
        "all(string.gmatch('abc', '%w*'))",
        "all(string.gmatch('^a^b', '^.'))",
        "all(string.gmatch('a,b,,c', '([^,]*)'))",
        "all(string.gfind('a1b2', '%a(%d)'))",
        // gsub
        "string.gsub('hello world', 'o', '0')",
        "string.gsub('hello world', 'o', '0', 1)",
        "string.gsub('hello world', 'o', '0', 0)",
        "string.gsub('hello world', '(%w+)', '<%1>')",
        "string.gsub('hello world', '%w+', '%0 %0')",
        "string.gsub('abc', '%w', '%%')",
        "string.gsub('abc', '%w', '%x')",
        "string.gsub('abc', 'b', '%')",
        "string.gsub('abc', '', '-')",
        "string.gsub('abc', '^', '>')",
        "string.gsub('abc', '^a', '')",
        "string.gsub('abc', '$', '<')",
        "string.gsub('abc', '%w', 7)",
        "string.gsub('$name is $age', '%$(%w+)', { name = 'Ann', age = 7 })",
        "string.gsub('$name is $who', '%$(%w+)', { name = 'Ann' })",
        "string.gsub('a b', '%w', function(c) return c:upper() end)",
        "string.gsub('a b', '(%w)', function(c) if c == 'a' then return false end return 1 end)",
        "string.gsub('a=1', '(%w)=(%w)', function(k, v) return v .. k end)",
        "string.gsub('abc', '()', '%1')",
        // errors
        "string.find('abc', '%')",
        "string.find('abc', '[a')",
        "string.find('abc', '[]')",
        "string.find('abc', '[^]')",
        "string.find('abc', '(a')",
        "string.find('abc', 'a)')",
        "string.find('abc', '%1')",
        "string.find('abc', '(a%1)')",
        "string.find('abc', '%b')",
        "string.find('abc', '%ba')",
        "string.find('abc', '%f')",
        "string.find('abc', '%fa')",
        "string.find('abc', string.rep('()', 33))",
        "string.gsub('abc', '%w', '%2')",
        "string.gsub('abc', '%w', {a = {}})",
        "string.gsub('abc', '%w', true)",
        "string.gsub('abc', '%w')",
        "string.find(nil, 'a')",
        "string.match('abc')",
        "string.gmatch('abc')",
    };
    lua_State* trusted = luaL_newstate();
    luaL_openlibs(trusted);
    CCLuaEngine sandboxed;
    for (const char* expression : kExpressions)
    {
        EXPECT_EQ(evaluate(trusted, expression), evaluate(sandboxed.getLuaState(), expression)) << expression;
    }
    lua_close(trusted);
}
