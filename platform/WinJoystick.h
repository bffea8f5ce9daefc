#ifndef __VORN_WIN_JOYSTICK_H__
#define __VORN_WIN_JOYSTICK_H__

// The WinMM joystick, registry and performance-counter calls the game's joystick code makes,
// under their Windows names, answered from SDL2's joysticks (or a scripted fake for tests).

#include "WinTypes.h"

typedef UINT MMRESULT;

#define JOYERR_NOERROR 0
#define JOYERR_PARMS 165
#define JOYERR_NOCANDO 166
#define JOYERR_UNPLUGGED 167

#define MAXPNAMELEN 32
#define MAX_JOYSTICKOEMVXDNAME 260

#define JOYCAPS_HASZ 0x0001
#define JOYCAPS_HASR 0x0002
#define JOYCAPS_HASU 0x0004
#define JOYCAPS_HASV 0x0008
#define JOYCAPS_HASPOV 0x0010
#define JOYCAPS_POV4DIR 0x0020
#define JOYCAPS_POVCTS 0x0040

#define JOY_RETURNX 0x00000001
#define JOY_RETURNY 0x00000002
#define JOY_RETURNZ 0x00000004
#define JOY_RETURNR 0x00000008
#define JOY_RETURNU 0x00000010
#define JOY_RETURNV 0x00000020
#define JOY_RETURNPOV 0x00000040
#define JOY_RETURNBUTTONS 0x00000080
#define JOY_RETURNALL (JOY_RETURNX | JOY_RETURNY | JOY_RETURNZ | JOY_RETURNR | JOY_RETURNU | JOY_RETURNV | \
                       JOY_RETURNPOV | JOY_RETURNBUTTONS)

#define JOY_POVCENTERED 65535
#define JOY_POVFORWARD 0
#define JOY_POVRIGHT 9000
#define JOY_POVBACKWARD 18000
#define JOY_POVLEFT 27000

/** A joystick's capabilities; 404 bytes, laid out as on Windows. */
typedef struct tagJOYCAPSA
{
    WORD wMid;
    WORD wPid;
    CHAR szPname[MAXPNAMELEN];
    UINT wXmin;
    UINT wXmax;
    UINT wYmin;
    UINT wYmax;
    UINT wZmin;
    UINT wZmax;
    UINT wNumButtons;
    UINT wPeriodMin;
    UINT wPeriodMax;
    UINT wRmin;
    UINT wRmax;
    UINT wUmin;
    UINT wUmax;
    UINT wVmin;
    UINT wVmax;
    UINT wCaps;
    UINT wMaxAxes;
    UINT wNumAxes;
    UINT wMaxButtons;
    CHAR szRegKey[MAXPNAMELEN];
    CHAR szOEMVxD[MAX_JOYSTICKOEMVXDNAME];
} JOYCAPSA, *LPJOYCAPSA;

/** One reading of a joystick; 52 bytes, laid out as on Windows. */
typedef struct joyinfoex_tag
{
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwXpos;
    DWORD dwYpos;
    DWORD dwZpos;
    DWORD dwRpos;
    DWORD dwUpos;
    DWORD dwVpos;
    DWORD dwButtons;
    DWORD dwButtonNumber;
    DWORD dwPOV;
    DWORD dwReserved1;
    DWORD dwReserved2;
} JOYINFOEX, *LPJOYINFOEX;

/**
 * The number of joystick slots (16). A pad keeps its slot while plugged; a slot it left answers
 * JOYERR_UNPLUGGED to joyGetPosEx at least once before another pad may take it.
 */
UINT joyGetNumDevs(void);
/**
 * The capabilities of the pad in slot uJoyID: SDL's vendor and product ids, its name (cut to
 * 31 bytes), every axis ranging 0..65535, up to 32 buttons, JOYCAPS_HASPOV for a hat.
 * JOYERR_PARMS for a bad slot, pointer or size; JOYERR_UNPLUGGED for an empty slot.
 */
MMRESULT joyGetDevCapsA(UINT_PTR uJoyID, LPJOYCAPSA pjc, UINT cbjc);
/**
 * The current reading of slot uJoyID: raw axes in the device's range (0..65535), buttons as a
 * bit mask, the hat in hundredths of a degree clockwise from up (65535 centred). Only the
 * fields named in dwFlags are written; dwSize must be sizeof(JOYINFOEX).
 */
MMRESULT joyGetPosEx(UINT uJoyID, LPJOYINFOEX pji);

// The registry, as far as it names joysticks.

typedef struct HKEY__* HKEY;
typedef HKEY* PHKEY;
typedef DWORD REGSAM;
typedef LONG LSTATUS;

#define HKEY_CLASSES_ROOT ((HKEY)(uintptr_t)0x80000000)
#define HKEY_CURRENT_USER ((HKEY)(uintptr_t)0x80000001)
#define HKEY_LOCAL_MACHINE ((HKEY)(uintptr_t)0x80000002)

#define KEY_QUERY_VALUE 0x0001
#define KEY_READ 0x20019

#define REG_NONE 0
#define REG_SZ 1

#define ERROR_SUCCESS 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_MORE_DATA 234L

#define REGSTR_PATH_JOYCONFIG "System\\CurrentControlSet\\Control\\MediaResources\\Joystick"
#define REGSTR_PATH_JOYOEM "System\\CurrentControlSet\\Control\\MediaProperties\\PrivateProperties\\Joystick\\OEM"
#define REGSTR_KEY_JOYCURR "CurrentJoystickSettings"
#define REGSTR_VAL_JOYNOEMNAME "Joystick%dOEMName"
#define REGSTR_VAL_JOYOEMNAME "OEMName"

/**
 * Answers only the joystick keys: REGSTR_PATH_JOYCONFIG\<szRegKey>\REGSTR_KEY_JOYCURR, whose
 * value "Joystick<n>OEMName" (n = slot + 1) names the pad's OEM key, and
 * REGSTR_PATH_JOYOEM\<that name>, whose value "OEMName" is the pad's name from SDL.
 * Both roots HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER answer; names compare case-insensitively.
 */
LSTATUS RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult);
/** With lpData NULL only the size (with the terminating zero) is answered; ERROR_MORE_DATA when small. */
LSTATUS RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                         LPDWORD lpcbData);
LSTATUS RegCloseKey(HKEY hKey);

// Time stamps from a monotonic clock, counted in nanoseconds.
BOOL QueryPerformanceCounter(LARGE_INTEGER* lpPerformanceCount);
BOOL QueryPerformanceFrequency(LARGE_INTEGER* lpFrequency);

#endif // __VORN_WIN_JOYSTICK_H__
