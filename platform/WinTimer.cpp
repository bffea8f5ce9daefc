#include "WinJoystick.h"

#include <time.h>

BOOL QueryPerformanceCounter(LARGE_INTEGER* lpPerformanceCount)
{
    struct timespec now;
    if (lpPerformanceCount == NULL || clock_gettime(CLOCK_MONOTONIC, &now) != 0)
    {
        return FALSE;
    }
    lpPerformanceCount->QuadPart = (int64_t)now.tv_sec * 1000000000LL + now.tv_nsec;
    return TRUE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* lpFrequency)
{
    if (lpFrequency == NULL)
    {
        return FALSE;
    }
    lpFrequency->QuadPart = 1000000000LL;
    return TRUE;
}
