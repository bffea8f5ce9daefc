#include "CCLuaPatterns.h"

#include "CCLuaBudget.h"

extern "C" {
#include "lauxlib.h"
}

#include <cctype>
#include <cstring>

namespace
{
// The matcher recurses once per pattern item, so the length bounds the C stack it can take.
const size_t kMaxPatternLength = 1024;
const int kMaxCaptures = 32;
// Outside a budgeted call (the engine's own use) a search still ends.
const long kUnbudgetedSteps = 10 * 1000 * 1000;
const char* const kSpecials = "^$*+?.([%-";
const ptrdiff_t kCaptureUnfinished = -1;
const ptrdiff_t kCapturePosition = -2;

struct Capture
{
    const char* start;
    ptrdiff_t length;  ///< or kCaptureUnfinished, kCapturePosition
};

// Plain data only: a Lua error may leave any function here by longjmp.
struct Matcher
{
    lua_State* L;
    const char* function;
    const char* subject;
    const char* subjectEnd;
    const char* patternEnd;
    int level;
    Capture captures[kMaxCaptures];
    long steps;          ///< since the budget was last charged
    long stepLimit;      ///< what the budget had left then
    long unbudgetedSteps;
    const char* malformed;  ///< why the pattern cannot be matched; raised once the matcher has unwound
    bool overBudget;
};

bool stopped(const Matcher& m)
{
    return m.malformed != NULL || m.overBudget;
}

bool step(Matcher& m)
{
    if (++m.steps > m.stepLimit)
    {
        m.overBudget = true;
    }
    return !stopped(m);
}

const char* fail(Matcher& m, const char* why)
{
    if (m.malformed == NULL)
    {
        m.malformed = why;
    }
    return NULL;
}

bool inBudgetedCall(lua_State* L)
{
    CCLuaBudget* budget = CCLuaBudgetOf(L);
    return budget != NULL && budget->callDepth > 0;
}

// Charges the steps taken so far and learns what is left.
void settle(Matcher& m)
{
    if (inBudgetedCall(m.L))
    {
        CCLuaBudget* budget = CCLuaBudgetOf(m.L);
        budget->instructionsUsed += m.steps;
        m.stepLimit = budget->instructionLimit > budget->instructionsUsed
                          ? budget->instructionLimit - budget->instructionsUsed
                          : 0;
    }
    else
    {
        m.unbudgetedSteps += m.steps;
        m.stepLimit = kUnbudgetedSteps > m.unbudgetedSteps ? kUnbudgetedSteps - m.unbudgetedSteps : 0;
    }
    m.steps = 0;
}

void begin(Matcher& m, lua_State* L, const char* function, const char* subject, size_t length, const char* pattern)
{
    m.L = L;
    m.function = function;
    m.subject = subject;
    m.subjectEnd = subject + length;
    // Like Lua 5.1's matcher, the pattern ends at its first zero byte.
    m.patternEnd = pattern + strlen(pattern);
    m.level = 0;
    m.steps = 0;
    m.unbudgetedSteps = 0;
    m.malformed = NULL;
    m.overBudget = false;
    settle(m);
}

// After every attempt: a malformed pattern or a spent budget is raised here, where nothing is left to unwind.
void raiseIfStopped(Matcher& m)
{
    settle(m);
    if (m.malformed)
    {
        luaL_error(m.L, "%s", m.malformed);
    }
    if (m.overBudget)
    {
        CCLuaBudget* budget = CCLuaBudgetOf(m.L);
        long limit = kUnbudgetedSteps;
        if (inBudgetedCall(m.L))
        {
            budget->exhausted = true;
            limit = budget->instructionLimit;
        }
        luaL_error(m.L, "string.%s: the pattern ran past the script's budget of %d instructions and was stopped",
                   m.function, (int)limit);
    }
}

// ---- One character against one class ----

bool inClass(int c, int letter)
{
    bool found;
    switch (tolower(letter))
    {
    case 'a': found = isalpha(c) != 0; break;
    case 'c': found = iscntrl(c) != 0; break;
    case 'd': found = isdigit(c) != 0; break;
    case 'l': found = islower(c) != 0; break;
    case 'p': found = ispunct(c) != 0; break;
    case 's': found = isspace(c) != 0; break;
    case 'u': found = isupper(c) != 0; break;
    case 'w': found = isalnum(c) != 0; break;
    case 'x': found = isxdigit(c) != 0; break;
    case 'z': found = c == 0; break;
    default: return letter == c;  // an escaped character stands for itself
    }
    return isupper(letter) ? !found : found;
}

// set points at '[' and last at its closing ']'.
bool inSet(int c, const char* set, const char* last)
{
    const char* p = set + 1;
    bool complement = false;
    if (*p == '^')
    {
        complement = true;
        ++p;
    }
    while (p < last)
    {
        if (*p == '%' && p + 1 < last)
        {
            if (inClass(c, (unsigned char)p[1]))
            {
                return !complement;
            }
            p += 2;
        }
        else if (p[1] == '-' && p + 2 < last)
        {
            if ((unsigned char)p[0] <= c && c <= (unsigned char)p[2])
            {
                return !complement;
            }
            p += 3;
        }
        else
        {
            if ((unsigned char)*p == c)
            {
                return !complement;
            }
            ++p;
        }
    }
    return complement;
}

// Past the single-character class at p: a character, '.', %x or a [set].
const char* classEnd(Matcher& m, const char* p)
{
    if (*p == '%')
    {
        if (p + 1 >= m.patternEnd)
        {
            return fail(m, "malformed pattern (ends with '%')");
        }
        return p + 2;
    }
    if (*p != '[')
    {
        return p + 1;
    }
    ++p;
    if (p < m.patternEnd && *p == '^')
    {
        ++p;
    }
    // The set's first character belongs to it even when it is ']'.
    for (;;)
    {
        if (p >= m.patternEnd)
        {
            return fail(m, "malformed pattern (missing ']')");
        }
        const char c = *p++;
        if (c == '%')
        {
            if (p >= m.patternEnd)
            {
                return fail(m, "malformed pattern (missing ']')");
            }
            ++p;
        }
        if (p < m.patternEnd && *p == ']')
        {
            return p + 1;
        }
    }
}

bool singleMatches(const Matcher& m, const char* s, const char* p, const char* end)
{
    if (s >= m.subjectEnd)
    {
        return false;
    }
    const int c = (unsigned char)*s;
    switch (*p)
    {
    case '.': return true;
    case '%': return inClass(c, (unsigned char)p[1]);
    case '[': return inSet(c, p, end - 1);
    default: return (unsigned char)*p == c;
    }
}

// ---- The matcher ----

const char* match(Matcher& m, const char* s, const char* p);

const char* greedy(Matcher& m, const char* s, const char* p, const char* end)
{
    ptrdiff_t count = 0;
    while (singleMatches(m, s + count, p, end))
    {
        if (!step(m))
        {
            return NULL;
        }
        ++count;
    }
    // Longest first, giving back one character at a time.
    for (; count >= 0; --count)
    {
        const char* result = match(m, s + count, end + 1);
        if (result != NULL || stopped(m))
        {
            return result;
        }
    }
    return NULL;
}

const char* lazy(Matcher& m, const char* s, const char* p, const char* end)
{
    for (;;)
    {
        const char* result = match(m, s, end + 1);
        if (result != NULL || stopped(m))
        {
            return result;
        }
        if (!singleMatches(m, s, p, end))
        {
            return NULL;
        }
        ++s;
    }
}

const char* openCapture(Matcher& m, const char* s, const char* p, ptrdiff_t kind)
{
    if (m.level >= kMaxCaptures)
    {
        return fail(m, "too many captures");
    }
    m.captures[m.level].start = s;
    m.captures[m.level].length = kind;
    ++m.level;
    const char* result = match(m, s, p);
    if (result == NULL)
    {
        --m.level;
    }
    return result;
}

const char* closeCapture(Matcher& m, const char* s, const char* p)
{
    int open = m.level - 1;
    while (open >= 0 && m.captures[open].length != kCaptureUnfinished)
    {
        --open;
    }
    if (open < 0)
    {
        return fail(m, "invalid pattern capture");
    }
    m.captures[open].length = s - m.captures[open].start;
    const char* result = match(m, s, p);
    if (result == NULL)
    {
        m.captures[open].length = kCaptureUnfinished;
    }
    return result;
}

// %bxy at p (pointing at x): from an x to its balancing y.
const char* balanced(Matcher& m, const char* s, const char* p)
{
    if (p + 1 >= m.patternEnd)
    {
        return fail(m, "unbalanced pattern");
    }
    if (s >= m.subjectEnd || *s != p[0])
    {
        return NULL;
    }
    int depth = 1;
    while (++s < m.subjectEnd)
    {
        if (!step(m))
        {
            return NULL;
        }
        if (*s == p[1])
        {
            if (--depth == 0)
            {
                return s + 1;
            }
        }
        else if (*s == p[0])
        {
            ++depth;
        }
    }
    return NULL;
}

// %1 to %9: the text of an earlier capture again.
const char* backReference(Matcher& m, const char* s, char digit)
{
    const int index = digit - '1';
    if (index < 0 || index >= m.level || m.captures[index].length == kCaptureUnfinished)
    {
        return fail(m, "invalid capture index");
    }
    const ptrdiff_t length = m.captures[index].length;
    if (length >= 0 && m.subjectEnd - s >= length && memcmp(m.captures[index].start, s, length) == 0)
    {
        return s + length;
    }
    return NULL;
}

// %f[set]: where the character before is outside the set and the one at s inside.
const char* frontier(Matcher& m, const char* s, const char* p, const char** next)
{
    if (p >= m.patternEnd || *p != '[')
    {
        return fail(m, "missing '[' after '%f' in pattern");
    }
    const char* end = classEnd(m, p);
    if (end == NULL)
    {
        return NULL;
    }
    const int before = s == m.subject ? 0 : (unsigned char)s[-1];
    const int at = s < m.subjectEnd ? (unsigned char)*s : 0;
    if (inSet(before, p, end - 1) || !inSet(at, p, end - 1))
    {
        return NULL;
    }
    *next = end;
    return s;
}

const char* match(Matcher& m, const char* s, const char* p)
{
    for (;;)
    {
        if (!step(m))
        {
            return NULL;
        }
        if (p == m.patternEnd)
        {
            return s;
        }
        switch (*p)
        {
        case '(':
            if (p + 1 < m.patternEnd && p[1] == ')')
            {
                return openCapture(m, s, p + 2, kCapturePosition);
            }
            return openCapture(m, s, p + 1, kCaptureUnfinished);
        case ')':
            return closeCapture(m, s, p + 1);
        case '$':
            if (p + 1 == m.patternEnd)
            {
                return s == m.subjectEnd ? s : NULL;
            }
            break;
        case '%':
            if (p + 1 < m.patternEnd && p[1] == 'b')
            {
                s = balanced(m, s, p + 2);
                if (s == NULL)
                {
                    return NULL;
                }
                p += 4;
                continue;
            }
            if (p + 1 < m.patternEnd && p[1] == 'f')
            {
                s = frontier(m, s, p + 2, &p);
                if (s == NULL)
                {
                    return NULL;
                }
                continue;
            }
            if (p + 1 < m.patternEnd && isdigit((unsigned char)p[1]))
            {
                s = backReference(m, s, p[1]);
                if (s == NULL)
                {
                    return NULL;
                }
                p += 2;
                continue;
            }
            break;
        default:
            break;
        }
        // A single-character class, perhaps with a repetition after it.
        const char* end = classEnd(m, p);
        if (end == NULL)
        {
            return NULL;
        }
        const char suffix = end < m.patternEnd ? *end : '\0';
        switch (suffix)
        {
        case '?':
            if (singleMatches(m, s, p, end))
            {
                const char* result = match(m, s + 1, end + 1);
                if (result != NULL || stopped(m))
                {
                    return result;
                }
            }
            p = end + 1;
            continue;
        case '*':
            return greedy(m, s, p, end);
        case '+':
            return singleMatches(m, s, p, end) ? greedy(m, s + 1, p, end) : NULL;
        case '-':
            return lazy(m, s, p, end);
        default:
            if (!singleMatches(m, s, p, end))
            {
                return NULL;
            }
            ++s;
            p = end;
            continue;
        }
    }
}

// ---- Results ----

void pushCapture(Matcher& m, int index, const char* s, const char* e)
{
    if (index >= m.level)
    {
        if (index != 0)
        {
            luaL_error(m.L, "invalid capture index");
        }
        lua_pushlstring(m.L, s, e - s);
        return;
    }
    const Capture& capture = m.captures[index];
    if (capture.length == kCaptureUnfinished)
    {
        luaL_error(m.L, "unfinished capture");
    }
    if (capture.length == kCapturePosition)
    {
        lua_pushinteger(m.L, capture.start - m.subject + 1);
    }
    else
    {
        lua_pushlstring(m.L, capture.start, capture.length);
    }
}

// The captures, or the whole match (from s to e) when there are none and s is given.
int pushCaptures(Matcher& m, const char* s, const char* e)
{
    const int count = (m.level == 0 && s != NULL) ? 1 : m.level;
    luaL_checkstack(m.L, count, "too many captures");
    for (int i = 0; i < count; ++i)
    {
        pushCapture(m, i, s, e);
    }
    return count;
}

void checkLength(lua_State* L, size_t length)
{
    if (length > kMaxPatternLength)
    {
        luaL_error(L, "pattern of %d characters is too long (at most %d)", (int)length, (int)kMaxPatternLength);
    }
}

// A position from the argument: negative counts from the end.
ptrdiff_t startIndex(lua_State* L, int arg, size_t length)
{
    ptrdiff_t position = luaL_optinteger(L, arg, 1);
    if (position < 0)
    {
        position += (ptrdiff_t)length + 1;
    }
    position = position > 0 ? position - 1 : 0;
    return position > (ptrdiff_t)length ? (ptrdiff_t)length : position;
}

const char* findPlain(const char* s, size_t length, const char* text, size_t textLength)
{
    if (textLength == 0)
    {
        return s;
    }
    for (const char* at = s; textLength <= (size_t)(s + length - at); ++at)
    {
        at = (const char*)memchr(at, text[0], s + length - at - textLength + 1);
        if (at == NULL)
        {
            return NULL;
        }
        if (memcmp(at, text, textLength) == 0)
        {
            return at;
        }
    }
    return NULL;
}

int findOrMatch(lua_State* L, bool find)
{
    size_t length = 0;
    size_t patternLength = 0;
    const char* s = luaL_checklstring(L, 1, &length);
    const char* pattern = luaL_checklstring(L, 2, &patternLength);
    const ptrdiff_t start = startIndex(L, 3, length);
    if (find && (lua_toboolean(L, 4) || strpbrk(pattern, kSpecials) == NULL))
    {
        const char* at = findPlain(s + start, length - start, pattern, patternLength);
        if (at == NULL)
        {
            lua_pushnil(L);
            return 1;
        }
        lua_pushinteger(L, at - s + 1);
        lua_pushinteger(L, at - s + patternLength);
        return 2;
    }
    checkLength(L, patternLength);
    const bool anchored = *pattern == '^';
    if (anchored)
    {
        ++pattern;
    }
    Matcher m;
    begin(m, L, find ? "find" : "match", s, length, pattern);
    const char* from = s + start;
    do
    {
        m.level = 0;
        const char* end = match(m, from, pattern);
        raiseIfStopped(m);
        if (end != NULL)
        {
            if (!find)
            {
                return pushCaptures(m, from, end);
            }
            lua_pushinteger(L, from - s + 1);
            lua_pushinteger(L, end - s);
            return pushCaptures(m, NULL, NULL) + 2;
        }
    } while (from++ < m.subjectEnd && !anchored);
    lua_pushnil(L);
    return 1;
}

int patternFind(lua_State* L)
{
    return findOrMatch(L, true);
}

int patternMatch(lua_State* L)
{
    return findOrMatch(L, false);
}

// gmatch's iterator: subject, pattern and where to go on are its upvalues.
int nextMatch(lua_State* L)
{
    size_t length = 0;
    const char* s = lua_tolstring(L, lua_upvalueindex(1), &length);
    const char* pattern = lua_tostring(L, lua_upvalueindex(2));
    Matcher m;
    begin(m, L, "gmatch", s, length, pattern);
    for (const char* from = s + lua_tointeger(L, lua_upvalueindex(3)); from <= m.subjectEnd; ++from)
    {
        m.level = 0;
        const char* end = match(m, from, pattern);
        raiseIfStopped(m);
        if (end != NULL)
        {
            // An empty match moves on by one, so the loop ends.
            lua_pushinteger(L, (end == from ? end + 1 : end) - s);
            lua_replace(L, lua_upvalueindex(3));
            return pushCaptures(m, from, end);
        }
    }
    return 0;
}

int patternGmatch(lua_State* L)
{
    size_t patternLength = 0;
    luaL_checkstring(L, 1);
    luaL_checklstring(L, 2, &patternLength);
    checkLength(L, patternLength);
    lua_settop(L, 2);
    lua_pushinteger(L, 0);
    lua_pushcclosure(L, nextMatch, 3);
    return 1;
}

// gsub's replacement for the match from s to e, added to the buffer.
void addReplacement(Matcher& m, luaL_Buffer* buffer, const char* s, const char* e)
{
    lua_State* L = m.L;
    switch (lua_type(L, 3))
    {
    case LUA_TNUMBER:
    case LUA_TSTRING:
    {
        size_t length = 0;
        const char* text = lua_tolstring(L, 3, &length);
        for (size_t i = 0; i < length; ++i)
        {
            if (text[i] != '%')
            {
                luaL_addchar(buffer, text[i]);
                continue;
            }
            ++i;
            const char c = i < length ? text[i] : '\0';
            if (!isdigit((unsigned char)c))
            {
                luaL_addchar(buffer, c);
            }
            else if (c == '0')
            {
                luaL_addlstring(buffer, s, e - s);
            }
            else
            {
                pushCapture(m, c - '1', s, e);
                luaL_addvalue(buffer);
            }
        }
        return;
    }
    case LUA_TFUNCTION:
    {
        lua_pushvalue(L, 3);
        const int count = pushCaptures(m, s, e);
        lua_call(L, count, 1);
        break;
    }
    default:  // a table
        pushCapture(m, 0, s, e);
        lua_gettable(L, 3);
        break;
    }
    if (!lua_toboolean(L, -1))
    {
        // nil or false keeps the original text.
        lua_pop(L, 1);
        lua_pushlstring(L, s, e - s);
    }
    else if (!lua_isstring(L, -1))
    {
        luaL_error(L, "invalid replacement value (a %s)", luaL_typename(L, -1));
    }
    luaL_addvalue(buffer);
}

int patternGsub(lua_State* L)
{
    size_t length = 0;
    size_t patternLength = 0;
    const char* s = luaL_checklstring(L, 1, &length);
    const char* pattern = luaL_checklstring(L, 2, &patternLength);
    const int replacement = lua_type(L, 3);
    const int most = luaL_optint(L, 4, (int)length + 1);
    luaL_argcheck(L,
                  replacement == LUA_TNUMBER || replacement == LUA_TSTRING || replacement == LUA_TFUNCTION ||
                      replacement == LUA_TTABLE,
                  3, "string/function/table expected");
    checkLength(L, patternLength);
    const bool anchored = *pattern == '^';
    if (anchored)
    {
        ++pattern;
    }
    luaL_Buffer buffer;
    luaL_buffinit(L, &buffer);
    Matcher m;
    begin(m, L, "gsub", s, length, pattern);
    const char* from = s;
    int count = 0;
    while (count < most)
    {
        m.level = 0;
        const char* end = match(m, from, pattern);
        raiseIfStopped(m);
        if (end != NULL)
        {
            ++count;
            addReplacement(m, &buffer, from, end);
        }
        if (end != NULL && end > from)
        {
            from = end;
        }
        else if (from < m.subjectEnd)
        {
            luaL_addchar(&buffer, *from++);
        }
        else
        {
            break;
        }
        if (anchored)
        {
            break;
        }
    }
    luaL_addlstring(&buffer, from, m.subjectEnd - from);
    luaL_pushresult(&buffer);
    lua_pushinteger(L, count);
    return 2;
}
} // namespace

void CCLuaPatternsOpen(lua_State* L)
{
    static const luaL_Reg kFunctions[] = { { "find", patternFind },
                                           { "match", patternMatch },
                                           { "gmatch", patternGmatch },
                                           { "gfind", patternGmatch },
                                           { "gsub", patternGsub },
                                           { NULL, NULL } };
    for (const luaL_Reg* entry = kFunctions; entry->name; ++entry)
    {
        lua_pushcfunction(L, entry->func);
        lua_setfield(L, -2, entry->name);
    }
}
