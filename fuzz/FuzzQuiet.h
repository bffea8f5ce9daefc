#ifndef __FUZZ_QUIET_H__
#define __FUZZ_QUIET_H__

#include <cstdio>
#include <cstdlib>

// Every rejected input logs a line; keep the fuzzer's own output (on stderr) readable.
// VORN_FUZZ_VERBOSE=1 keeps the log lines.
inline void fuzzQuietLog()
{
    if (!getenv("VORN_FUZZ_VERBOSE"))
    {
        if (!freopen("/dev/null", "w", stdout))
        {
            return;
        }
    }
}

#endif // __FUZZ_QUIET_H__
