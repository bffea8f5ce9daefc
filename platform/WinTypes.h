#ifndef __VORN_WIN_TYPES_H__
#define __VORN_WIN_TYPES_H__

// The Windows base types the game's platform calls are written with, sized as on Windows.

#include <stdint.h>

typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef unsigned int UINT;
typedef uintptr_t UINT_PTR;
typedef int BOOL;
typedef int INT;
typedef char CHAR;
typedef const char* LPCSTR;
typedef char* LPSTR;
typedef BYTE* LPBYTE;
typedef DWORD* LPDWORD;
typedef void* HWND;
typedef void* HINSTANCE;
typedef void* HCURSOR;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

/** A 64-bit count with the two 32-bit halves Windows code sometimes reads. */
typedef union _LARGE_INTEGER
{
    struct
    {
        DWORD LowPart;
        LONG HighPart;
    } u;
    int64_t QuadPart;
} LARGE_INTEGER;

#endif // __VORN_WIN_TYPES_H__
