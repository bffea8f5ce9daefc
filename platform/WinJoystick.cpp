#include "WinJoystick.h"

#include "VornJoystickBackend.h"

#include <string.h>

namespace
{
const char* const kRegKeyName = "VornJoystick";
const UINT kAxisMax = 65535;

// SDL's signed axis, shifted into the unsigned range the capabilities announce.
DWORD rawAxis(const VornJoystickReading& reading, const VornJoystickInfo& info, int axis)
{
    return axis < info.numAxes ? (DWORD)(reading.axes[axis] + 32768) : 0;
}

int popCount(unsigned int mask)
{
    int count = 0;
    for (; mask != 0; mask &= mask - 1)
    {
        ++count;
    }
    return count;
}
} // namespace

// Detection asks this first on every pass: the moment to bring the pads up to date.
UINT joyGetNumDevs(void)
{
    VornJoystickBackend::update();
    return VornJoystickBackend::kSlotCount;
}

MMRESULT joyGetDevCapsA(UINT_PTR uJoyID, LPJOYCAPSA pjc, UINT cbjc)
{
    if (pjc == NULL || cbjc < sizeof(JOYCAPSA) || uJoyID >= VornJoystickBackend::kSlotCount)
    {
        return JOYERR_PARMS;
    }
    VornJoystickInfo info;
    if (VornJoystickBackend::refreshSlot((unsigned int)uJoyID, &info, NULL) != VornJoystickBackend::kSlotOccupied)
    {
        return JOYERR_UNPLUGGED;
    }
    memset(pjc, 0, sizeof(JOYCAPSA));
    pjc->wMid = (WORD)info.vendorId;
    pjc->wPid = (WORD)info.productId;
    strncpy(pjc->szPname, info.name.c_str(), MAXPNAMELEN - 1);
    UINT* const ranges[6][2] = {{&pjc->wXmin, &pjc->wXmax}, {&pjc->wYmin, &pjc->wYmax},
                                {&pjc->wZmin, &pjc->wZmax}, {&pjc->wRmin, &pjc->wRmax},
                                {&pjc->wUmin, &pjc->wUmax}, {&pjc->wVmin, &pjc->wVmax}};
    const UINT axisCaps[6] = {0, 0, JOYCAPS_HASZ, JOYCAPS_HASR, JOYCAPS_HASU, JOYCAPS_HASV};
    for (int axis = 0; axis < info.numAxes && axis < 6; ++axis)
    {
        *ranges[axis][0] = 0;
        *ranges[axis][1] = kAxisMax;
        pjc->wCaps |= axisCaps[axis];
    }
    if (info.hasHat)
    {
        pjc->wCaps |= JOYCAPS_HASPOV | JOYCAPS_POVCTS;
    }
    pjc->wNumButtons = (UINT)info.numButtons;
    pjc->wPeriodMin = 10;
    pjc->wPeriodMax = 1000;
    pjc->wMaxAxes = 6;
    pjc->wNumAxes = (UINT)info.numAxes;
    pjc->wMaxButtons = 32;
    strncpy(pjc->szRegKey, kRegKeyName, MAXPNAMELEN - 1);
    return JOYERR_NOERROR;
}

MMRESULT joyGetPosEx(UINT uJoyID, LPJOYINFOEX pji)
{
    if (pji == NULL || pji->dwSize != sizeof(JOYINFOEX) || uJoyID >= VornJoystickBackend::kSlotCount)
    {
        return JOYERR_PARMS;
    }
    VornJoystickReading reading;
    if (!VornJoystickBackend::readSlot(uJoyID, reading))
    {
        return JOYERR_UNPLUGGED;
    }
    VornJoystickInfo info;
    VornJoystickBackend::refreshSlot(uJoyID, &info, NULL);
    const DWORD flags = pji->dwFlags;
    DWORD* const axes[6] = {&pji->dwXpos, &pji->dwYpos, &pji->dwZpos, &pji->dwRpos, &pji->dwUpos, &pji->dwVpos};
    for (int axis = 0; axis < 6; ++axis)
    {
        if (flags & (JOY_RETURNX << axis))
        {
            *axes[axis] = rawAxis(reading, info, axis);
        }
    }
    if (flags & JOY_RETURNPOV)
    {
        pji->dwPOV = info.hasHat ? reading.pov : JOY_POVCENTERED;
    }
    if (flags & JOY_RETURNBUTTONS)
    {
        pji->dwButtons = reading.buttons;
        pji->dwButtonNumber = (DWORD)popCount(reading.buttons);
    }
    return JOYERR_NOERROR;
}
