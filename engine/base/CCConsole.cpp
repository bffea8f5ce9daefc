#include "CCConsole.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

NS_CC_BEGIN

static CCLogObserver s_observer = NULL;
static void* s_observerData = NULL;

void CCLogSetObserver(CCLogObserver observer, void* userData)
{
    s_observer = observer;
    s_observerData = userData;
}

static std::string formatLine(const char* pszFormat, va_list args)
{
    char stackBuffer[1024];
    va_list copy;
    va_copy(copy, args);
    int needed = vsnprintf(stackBuffer, sizeof(stackBuffer), pszFormat, args);

    std::string line;
    if (needed < 0)
    {
        line = pszFormat;
    }
    else if ((size_t)needed < sizeof(stackBuffer))
    {
        line.assign(stackBuffer, needed);
    }
    else
    {
        // Long lines (a whole Lua traceback) are kept whole.
        line.resize(needed + 1);
        vsnprintf(&line[0], needed + 1, pszFormat, copy);
        line.resize(needed);
    }
    va_end(copy);
    // Callers write "\n" at the end of some lines; the log adds its own.
    while (!line.empty() && line[line.size() - 1] == '\n')
    {
        line.resize(line.size() - 1);
    }
    return line;
}

static bool startsWith(const char* text, const char* prefix)
{
    return strncmp(text, prefix, strlen(prefix)) == 0;
}

// "Class::method - message", the prefix the code gives its error lines.
static bool hasMethodPrefix(const char* line)
{
    const char* p = line;
    while (isalnum((unsigned char)*p) || *p == '_' || *p == ':')
    {
        ++p;
    }
    return p != line && strstr(line, "::") != NULL && strstr(line, "::") < p && startsWith(p, " - ");
}

bool CCLogIsProblem(const char* line)
{
    return startsWith(line, "ERROR") || startsWith(line, "Error") || startsWith(line, "[LUA ERROR]") ||
           startsWith(line, "LUA ERROR") || startsWith(line, "Assert failed") || strstr(line, "not found") != NULL ||
           hasMethodPrefix(line);
}

static void emit(const std::string& line)
{
    FILE* out = CCLogIsProblem(line.c_str()) ? stderr : stdout;
    fprintf(out, "%s\n", line.c_str());
    fflush(out);
    if (s_observer)
    {
        s_observer(line.c_str(), s_observerData);
    }
}

void CCLog(const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    std::string line = formatLine(pszFormat, args);
    va_end(args);
    emit(line);
}

bool CCLogDebugEnabled()
{
    const char* level = getenv("VORN_LOG");
    return level != NULL && strcmp(level, "debug") == 0;
}

void CCLogDebug(const char* pszFormat, ...)
{
    if (!CCLogDebugEnabled())
    {
        return;
    }
    va_list args;
    va_start(args, pszFormat);
    std::string line = formatLine(pszFormat, args);
    va_end(args);
    emit(line);
}

void CCAssertFailed(const char* condition, const char* message, const char* file, int line)
{
    CCLog("Assert failed: %s (%s) at %s:%d", message ? message : "", condition, file, line);
}

NS_CC_END
