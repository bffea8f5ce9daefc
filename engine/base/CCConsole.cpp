#include "CCConsole.h"

#include <cstdarg>
#include <cstdio>
#include <string>

NS_CC_BEGIN

static CCLogObserver s_observer = NULL;
static void* s_observerData = NULL;

void CCLogSetObserver(CCLogObserver observer, void* userData)
{
    s_observer = observer;
    s_observerData = userData;
}

void CCLog(const char* pszFormat, ...)
{
    char stackBuffer[1024];
    va_list args;
    va_start(args, pszFormat);
    va_list copy;
    va_copy(copy, args);
    int needed = vsnprintf(stackBuffer, sizeof(stackBuffer), pszFormat, args);
    va_end(args);

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

    fprintf(stdout, "%s\n", line.c_str());
    fflush(stdout);
    if (s_observer)
    {
        s_observer(line.c_str(), s_observerData);
    }
}

void CCAssertFailed(const char* condition, const char* message, const char* file, int line)
{
    CCLog("Assert failed: %s (%s) at %s:%d", message ? message : "", condition, file, line);
}

NS_CC_END
