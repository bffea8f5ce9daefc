#include "JoystickDevices.h"

#include "WinJoystick.h"

#include <stdio.h>
#include <string.h>
#include <vector>

namespace
{
const unsigned int kStickAxisCount = 6;
const unsigned int kHatButtonCount = 4;
const unsigned int kMaskBits = 32;
const char* const kJoystickConfigPath = REGSTR_PATH_JOYCONFIG;
const char* const kJoystickOemPath = REGSTR_PATH_JOYOEM;

struct AxisRange
{
    UINT minimum;
    UINT maximum;
};

struct JoystickDevicePrivate
{
    unsigned int joystickID;
    JOYINFOEX lastState;
    int axisIndex[kStickAxisCount];  ///< X, Y, Z, R, U, V; -1 when missing
    int hatXAxis;
    int hatYAxis;
    int povFirstButton;
    unsigned int ownButtons;
    bool firstReading;  ///< nothing reported yet: the first poll reports every control off its rest
    AxisRange axisRanges[kStickAxisCount];  ///< by axis index
};

struct LayerState
{
    LayerState()
    : initialised(false), nextDeviceID(0), attached(NULL), attachedContext(NULL), removed(NULL),
      removedContext(NULL), buttonDown(NULL), buttonDownContext(NULL), buttonUp(NULL), buttonUpContext(NULL),
      axisMoved(NULL), axisMovedContext(NULL), frequency(0.0), polling(false)
    {
    }
    bool initialised;
    std::vector<JoystickDevice*> devices;
    unsigned int nextDeviceID;
    JoystickDeviceCallback attached;
    void* attachedContext;
    JoystickDeviceCallback removed;
    void* removedContext;
    JoystickButtonCallback buttonDown;
    void* buttonDownContext;
    JoystickButtonCallback buttonUp;
    void* buttonUpContext;
    JoystickAxisCallback axisMoved;
    void* axisMovedContext;
    double frequency;
    bool polling;
};

LayerState s_layer;

JoystickDevicePrivate* privateOf(JoystickDevice* device)
{
    return static_cast<JoystickDevicePrivate*>(device->privateData);
}

char* copyText(const char* text, size_t length)
{
    char* copy = new char[length + 1];
    memcpy(copy, text, length);
    copy[length] = '\0';
    return copy;
}

bool readDevice(unsigned int joystickID, JOYINFOEX& info)
{
    memset(&info, 0, sizeof(info));
    info.dwSize = sizeof(JOYINFOEX);
    info.dwFlags = JOY_RETURNALL;
    return joyGetPosEx(joystickID, &info) == JOYERR_NOERROR;
}

// The name Windows' control panel shows, from the registry; the driver's name when that fails.
char* joystickDescription(unsigned int joystickID, const JOYCAPSA& caps)
{
    char path[256];
    char regKey[MAXPNAMELEN + 1];
    memcpy(regKey, caps.szRegKey, MAXPNAMELEN);
    regKey[MAXPNAMELEN] = '\0';
    snprintf(path, sizeof(path), "%s\\%s\\%s", kJoystickConfigPath, regKey, REGSTR_KEY_JOYCURR);
    HKEY root = HKEY_LOCAL_MACHINE;
    HKEY key = NULL;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
    {
        root = HKEY_CURRENT_USER;
        if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        {
            key = NULL;
        }
    }
    if (key != NULL)
    {
        char valueName[64];
        snprintf(valueName, sizeof(valueName), REGSTR_VAL_JOYNOEMNAME, (int)joystickID + 1);
        char oemKey[256];
        DWORD size = sizeof(oemKey) - 1;
        LSTATUS status = RegQueryValueExA(key, valueName, NULL, NULL, (LPBYTE)oemKey, &size);
        RegCloseKey(key);
        if (status == ERROR_SUCCESS)
        {
            oemKey[size < sizeof(oemKey) ? size : sizeof(oemKey) - 1] = '\0';
            char oemPath[512];
            snprintf(oemPath, sizeof(oemPath), "%s\\%s", kJoystickOemPath, oemKey);
            if (RegOpenKeyExA(root, oemPath, 0, KEY_READ, &key) == ERROR_SUCCESS)
            {
                DWORD needed = 0;
                char* name = NULL;
                if (RegQueryValueExA(key, REGSTR_VAL_JOYOEMNAME, NULL, NULL, NULL, &needed) == ERROR_SUCCESS &&
                    needed > 0)
                {
                    name = new char[needed + 1];
                    if (RegQueryValueExA(key, REGSTR_VAL_JOYOEMNAME, NULL, NULL, (LPBYTE)name, &needed) ==
                        ERROR_SUCCESS)
                    {
                        name[needed] = '\0';
                    }
                    else
                    {
                        delete[] name;
                        name = NULL;
                    }
                }
                RegCloseKey(key);
                if (name != NULL)
                {
                    return name;
                }
            }
        }
    }
    return copyText(caps.szPname, strnlen(caps.szPname, MAXPNAMELEN));
}

void freeDevice(JoystickDevice* device)
{
    delete privateOf(device);
    delete[] device->description;
    delete[] device->axisStates;
    delete[] device->buttonStates;
    delete device;
}

JoystickDevice* findDevice(unsigned int joystickID)
{
    for (size_t i = 0; i < s_layer.devices.size(); ++i)
    {
        if (privateOf(s_layer.devices[i])->joystickID == joystickID)
        {
            return s_layer.devices[i];
        }
    }
    return NULL;
}

JoystickDevice* makeDevice(unsigned int joystickID, const JOYCAPSA& caps, const JOYINFOEX& reading)
{
    const bool hasHat = (caps.wCaps & JOYCAPS_HASPOV) != 0;
    JoystickDevice* device = new JoystickDevice();
    device->deviceID = s_layer.nextDeviceID++;
    device->description = joystickDescription(joystickID, caps);
    device->vendorID = caps.wMid;
    device->productID = caps.wPid;
    device->numAxes = caps.wNumAxes + (hasHat ? 2 : 0);
    device->numButtons = caps.wNumButtons + (hasHat ? kHatButtonCount : 0);
    device->axisStates = new float[device->numAxes > 0 ? device->numAxes : 1]();
    device->buttonStates = new bool[device->numButtons > 0 ? device->numButtons : 1]();

    JoystickDevicePrivate* data = new JoystickDevicePrivate();
    data->joystickID = joystickID;
    data->lastState = reading;
    data->firstReading = true;
    const UINT flags[kStickAxisCount] = {0, 0, JOYCAPS_HASZ, JOYCAPS_HASR, JOYCAPS_HASU, JOYCAPS_HASV};
    const AxisRange ranges[kStickAxisCount] = {{caps.wXmin, caps.wXmax}, {caps.wYmin, caps.wYmax},
                                               {caps.wZmin, caps.wZmax}, {caps.wRmin, caps.wRmax},
                                               {caps.wUmin, caps.wUmax}, {caps.wVmin, caps.wVmax}};
    int next = 0;
    for (unsigned int axis = 0; axis < kStickAxisCount; ++axis)
    {
        data->axisIndex[axis] = -1;
        data->axisRanges[axis].minimum = 0;
        data->axisRanges[axis].maximum = 0;
    }
    for (unsigned int axis = 0; axis < kStickAxisCount; ++axis)
    {
        if (axis < 2 || (caps.wCaps & flags[axis]) != 0)
        {
            data->axisIndex[axis] = next;
            data->axisRanges[next] = ranges[axis];
            ++next;
        }
    }
    data->hatXAxis = hasHat ? next : -1;
    data->hatYAxis = hasHat ? next + 1 : -1;
    data->povFirstButton = hasHat ? (int)caps.wNumButtons : -1;
    data->ownButtons = caps.wNumButtons;
    device->privateData = data;
    return device;
}

double now()
{
    return JoystickDevices_currentTimeSeconds();
}

bool hasAxis(JoystickDevice* device, int axisIndex)
{
    return axisIndex >= 0 && (unsigned int)axisIndex < device->numAxes;
}

void onAxisChanged(JoystickDevice* device, int axisIndex, DWORD raw)
{
    if (!hasAxis(device, axisIndex) || axisIndex >= (int)kStickAxisCount)
    {
        return;
    }
    const AxisRange& range = privateOf(device)->axisRanges[axisIndex];
    const float value = JoystickDevices_scaleAxis(raw, range.minimum, range.maximum);
    const float previous = device->axisStates[axisIndex];
    device->axisStates[axisIndex] = value;
    if (s_layer.axisMoved != NULL)
    {
        s_layer.axisMoved(device, (unsigned int)axisIndex, value, previous, now(), s_layer.axisMovedContext);
    }
}

void reportButton(JoystickDevice* device, unsigned int button, bool pressed)
{
    device->buttonStates[button] = pressed;
    if (pressed && s_layer.buttonDown != NULL)
    {
        s_layer.buttonDown(device, button, now(), s_layer.buttonDownContext);
    }
    else if (!pressed && s_layer.buttonUp != NULL)
    {
        s_layer.buttonUp(device, button, now(), s_layer.buttonUpContext);
    }
}

void onButtonsChanged(JoystickDevice* device, DWORD oldMask, DWORD newMask)
{
    // The mask has 32 bits: buttons past them (and the hat's, which follow the own buttons) have none.
    const unsigned int own = privateOf(device)->ownButtons;
    const unsigned int count = own < kMaskBits ? own : kMaskBits;
    for (unsigned int b = 0; b < count && b < device->numButtons; ++b)
    {
        const DWORD bit = (DWORD)1u << b;
        if ((oldMask & bit) != (newMask & bit))
        {
            reportButton(device, b, (newMask & bit) != 0);
        }
    }
}

void povToDirection(DWORD pov, int& x, int& y)
{
    x = 0;
    y = 0;
    if (pov == JOY_POVCENTERED)
    {
        return;
    }
    if (pov > 0 && pov < 18000)
    {
        x = 1;
    }
    else if (pov > 18000)
    {
        x = -1;
    }
    if (pov < 9000 || pov > 27000)
    {
        y = -1;
    }
    else if (pov > 9000 && pov < 27000)
    {
        y = 1;
    }
}

void onPovChanged(JoystickDevice* device, DWORD oldPov, DWORD newPov)
{
    JoystickDevicePrivate* data = privateOf(device);
    if (data->hatXAxis < 0 || data->hatYAxis < 0 || data->povFirstButton < 0)
    {
        return;
    }
    int oldX, oldY, newX, newY;
    povToDirection(oldPov, oldX, oldY);
    povToDirection(newPov, newX, newY);
    const bool states[kHatButtonCount] = {newX < 0, newX > 0, newY < 0, newY > 0};
    for (unsigned int k = 0; k < kHatButtonCount; ++k)
    {
        const unsigned int button = (unsigned int)data->povFirstButton + k;
        if (button < device->numButtons && device->buttonStates[button] != states[k])
        {
            reportButton(device, button, states[k]);
        }
    }
    if (newX != oldX)
    {
        if (hasAxis(device, data->hatXAxis))
        {
            device->axisStates[data->hatXAxis] = (float)newX;
        }
        if (s_layer.axisMoved != NULL)
        {
            s_layer.axisMoved(device, (unsigned int)data->hatXAxis + JOYSTICK_HAT_X_AXIS_OFFSET, (float)newX,
                              (float)oldX, now(), s_layer.axisMovedContext);
        }
    }
    if (newY != oldY)
    {
        if (hasAxis(device, data->hatYAxis))
        {
            device->axisStates[data->hatYAxis] = (float)newY;
        }
        if (s_layer.axisMoved != NULL)
        {
            s_layer.axisMoved(device, (unsigned int)data->hatYAxis, (float)newY, (float)oldY, now(),
                              s_layer.axisMovedContext);
        }
    }
}

// Reports what changed between two readings, in the order the fields lie in the reading.
void reportChanges(JoystickDevice* device, const JOYINFOEX& before, const JOYINFOEX& after)
{
    const int* axes = privateOf(device)->axisIndex;
    const DWORD oldValues[kStickAxisCount] = {before.dwXpos, before.dwYpos, before.dwZpos,
                                              before.dwRpos, before.dwUpos, before.dwVpos};
    const DWORD newValues[kStickAxisCount] = {after.dwXpos, after.dwYpos, after.dwZpos,
                                              after.dwRpos, after.dwUpos, after.dwVpos};
    for (unsigned int axis = 0; axis < kStickAxisCount; ++axis)
    {
        if (oldValues[axis] != newValues[axis])
        {
            onAxisChanged(device, axes[axis], newValues[axis]);
        }
    }
    if (before.dwPOV != after.dwPOV)
    {
        onPovChanged(device, before.dwPOV, after.dwPOV);
    }
    if (before.dwButtons != after.dwButtons)
    {
        onButtonsChanged(device, before.dwButtons, after.dwButtons);
    }
}

// A pad's first reading is live input: a stick already pushed or a button already held when the
// pad is plugged in is reported at once, not taken as the rest position.
void reportFirstReading(JoystickDevice* device, const JOYINFOEX& reading)
{
    JoystickDevicePrivate* data = privateOf(device);
    const DWORD values[kStickAxisCount] = {reading.dwXpos, reading.dwYpos, reading.dwZpos,
                                           reading.dwRpos, reading.dwUpos, reading.dwVpos};
    for (unsigned int axis = 0; axis < kStickAxisCount; ++axis)
    {
        const int index = data->axisIndex[axis];
        if (!hasAxis(device, index) || index >= (int)kStickAxisCount)
        {
            continue;
        }
        const AxisRange& range = data->axisRanges[index];
        if (JoystickDevices_scaleAxis(values[axis], range.minimum, range.maximum) != device->axisStates[index])
        {
            onAxisChanged(device, index, values[axis]);
        }
    }
    if (reading.dwPOV != JOY_POVCENTERED)
    {
        onPovChanged(device, JOY_POVCENTERED, reading.dwPOV);
    }
    if (reading.dwButtons != 0)
    {
        onButtonsChanged(device, 0, reading.dwButtons);
    }
}

// A pad that leaves lets go of everything it held, so nothing stays pressed or pushed.
void releaseEverything(JoystickDevice* device)
{
    JoystickDevicePrivate* data = privateOf(device);
    for (unsigned int button = 0; button < device->numButtons; ++button)
    {
        if (device->buttonStates[button])
        {
            reportButton(device, button, false);
        }
    }
    for (unsigned int axis = 0; axis < device->numAxes; ++axis)
    {
        const float previous = device->axisStates[axis];
        if (previous == 0.0f)
        {
            continue;
        }
        device->axisStates[axis] = 0.0f;
        const unsigned int reported =
            (int)axis == data->hatXAxis ? axis + JOYSTICK_HAT_X_AXIS_OFFSET : axis;
        if (s_layer.axisMoved != NULL)
        {
            s_layer.axisMoved(device, reported, 0.0f, previous, now(), s_layer.axisMovedContext);
        }
    }
}
} // namespace

void JoystickDevices_init()
{
    if (!s_layer.initialised)
    {
        s_layer.initialised = true;
        JoystickDevices_detect();
    }
}

void JoystickDevices_shutdown()
{
    if (!s_layer.initialised)
    {
        return;
    }
    for (size_t i = 0; i < s_layer.devices.size(); ++i)
    {
        freeDevice(s_layer.devices[i]);
    }
    s_layer.devices.clear();
    s_layer.initialised = false;
}

void JoystickDevices_detect()
{
    if (!s_layer.initialised)
    {
        return;
    }
    const UINT count = joyGetNumDevs();
    for (UINT i = 0; i < count; ++i)
    {
        // A known slot is left to the poll, which also sees the pad leave.
        if (findDevice(i) != NULL)
        {
            continue;
        }
        JOYINFOEX reading;
        if (!readDevice(i, reading))
        {
            continue;
        }
        JOYCAPSA caps;
        memset(&caps, 0, sizeof(caps));
        if (joyGetDevCapsA(i, &caps, sizeof(caps)) != JOYERR_NOERROR)
        {
            continue;
        }
        JoystickDevice* device = makeDevice(i, caps, reading);
        s_layer.devices.push_back(device);
        if (s_layer.attached != NULL)
        {
            s_layer.attached(device, s_layer.attachedContext);
        }
    }
}

void JoystickDevices_processEvents()
{
    if (!s_layer.initialised || s_layer.polling)
    {
        return;
    }
    s_layer.polling = true;
    for (size_t i = 0; i < s_layer.devices.size(); ++i)
    {
        JoystickDevice* device = s_layer.devices[i];
        JoystickDevicePrivate* data = privateOf(device);
        JOYINFOEX reading;
        memset(&reading, 0, sizeof(reading));
        reading.dwSize = sizeof(JOYINFOEX);
        reading.dwFlags = JOY_RETURNALL;
        const MMRESULT result = joyGetPosEx(data->joystickID, &reading);
        if (result == JOYERR_UNPLUGGED)
        {
            releaseEverything(device);
            if (s_layer.removed != NULL)
            {
                s_layer.removed(device, s_layer.removedContext);
            }
            s_layer.devices.erase(s_layer.devices.begin() + (long)i);
            freeDevice(device);
            // The devices behind it are read on the next call.
            break;
        }
        if (result != JOYERR_NOERROR)
        {
            continue;
        }
        const JOYINFOEX before = data->lastState;
        if (data->firstReading)
        {
            data->firstReading = false;
            reportFirstReading(device, reading);
        }
        else
        {
            reportChanges(device, before, reading);
        }
        data->lastState = reading;
    }
    s_layer.polling = false;
}

void JoystickDevices_setDeviceAttachedCallback(JoystickDeviceCallback callback, void* context)
{
    s_layer.attached = callback;
    s_layer.attachedContext = context;
}

void JoystickDevices_setDeviceRemovedCallback(JoystickDeviceCallback callback, void* context)
{
    s_layer.removed = callback;
    s_layer.removedContext = context;
}

void JoystickDevices_setButtonDownCallback(JoystickButtonCallback callback, void* context)
{
    s_layer.buttonDown = callback;
    s_layer.buttonDownContext = context;
}

void JoystickDevices_setButtonUpCallback(JoystickButtonCallback callback, void* context)
{
    s_layer.buttonUp = callback;
    s_layer.buttonUpContext = context;
}

void JoystickDevices_setAxisMovedCallback(JoystickAxisCallback callback, void* context)
{
    s_layer.axisMoved = callback;
    s_layer.axisMovedContext = context;
}

void JoystickDevices_clearCallbacks(void* context)
{
    if (s_layer.attachedContext == context)
    {
        JoystickDevices_setDeviceAttachedCallback(NULL, NULL);
    }
    if (s_layer.removedContext == context)
    {
        JoystickDevices_setDeviceRemovedCallback(NULL, NULL);
    }
    if (s_layer.buttonDownContext == context)
    {
        JoystickDevices_setButtonDownCallback(NULL, NULL);
    }
    if (s_layer.buttonUpContext == context)
    {
        JoystickDevices_setButtonUpCallback(NULL, NULL);
    }
    if (s_layer.axisMovedContext == context)
    {
        JoystickDevices_setAxisMovedCallback(NULL, NULL);
    }
}

unsigned int JoystickDevices_getDeviceCount()
{
    return (unsigned int)s_layer.devices.size();
}

JoystickDevice* JoystickDevices_getDevice(unsigned int index)
{
    return index < s_layer.devices.size() ? s_layer.devices[index] : NULL;
}

float JoystickDevices_scaleAxis(unsigned int raw, unsigned int minimum, unsigned int maximum)
{
    const uint32_t span = (uint32_t)(maximum - minimum);
    // A range without width has no meaningful position: centred, never a division by zero.
    if (span == 0)
    {
        return 0.0f;
    }
    return ((float)(uint32_t)(raw - minimum) / (float)span) * 2.0f - 1.0f;
}

double JoystickDevices_currentTimeSeconds()
{
    if (s_layer.frequency <= 0.0)
    {
        LARGE_INTEGER frequency;
        if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0)
        {
            return 0.0;
        }
        s_layer.frequency = (double)frequency.QuadPart;
    }
    LARGE_INTEGER counter;
    if (!QueryPerformanceCounter(&counter))
    {
        return 0.0;
    }
    return (double)counter.QuadPart / s_layer.frequency;
}
