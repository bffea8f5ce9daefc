#include "CCAlsaLog.h"

#include "CCConsole.h"

#include <cstdarg>
#include <cstdio>
#include <dlfcn.h>

NS_CC_BEGIN

namespace
{
typedef void (*AlsaErrorHandler)(const char* file, int line, const char* function, int err, const char* fmt, ...);
typedef int (*AlsaSetErrorHandler)(AlsaErrorHandler handler);

void alsaErrorToDebugLog(const char* file, int line, const char* function, int err, const char* fmt, ...)
{
    if (!CCLogDebugEnabled())
    {
        return;
    }
    char message[512];
    va_list args;
    va_start(args, fmt);
    vsnprintf(message, sizeof(message), fmt ? fmt : "", args);
    va_end(args);
    CCLogDebug("ALSA %s:%d (%s) %s (%d)", file ? file : "", line, function ? function : "", message, err);
}
} // namespace

void CCAlsaLogToDebug()
{
    // SDL loads the same library by this name, so the handler set here is the one it meets. The
    // handle stays open for the whole run: the handler must outlive every ALSA call.
    static bool s_done = false;
    if (s_done)
    {
        return;
    }
    s_done = true;
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
    if (!alsa)
    {
        return;
    }
    AlsaSetErrorHandler setHandler = (AlsaSetErrorHandler)dlsym(alsa, "snd_lib_error_set_handler");
    if (setHandler)
    {
        setHandler(alsaErrorToDebugLog);
    }
}

NS_CC_END
