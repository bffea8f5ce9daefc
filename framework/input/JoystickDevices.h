#ifndef __JOYSTICK_DEVICES_H__
#define __JOYSTICK_DEVICES_H__

// Joysticks and gamepads over the WinMM joystick calls: one record per attached device, polled
// once per call, every change of a raw reading reported through optional callbacks.

/** One attached device; owned by the layer and freed when the device goes. */
struct JoystickDevice
{
    unsigned int deviceID;   ///< never reused within the process
    char* description;
    int vendorID;
    int productID;
    unsigned int numAxes;    ///< stick axes, plus the hat's two
    unsigned int numButtons; ///< own buttons, plus the hat's left, right, up and down
    float* axisStates;
    bool* buttonStates;
    void* privateData;
};

typedef void (*JoystickDeviceCallback)(JoystickDevice* device, void* context);
typedef void (*JoystickButtonCallback)(JoystickDevice* device, unsigned int buttonIndex, double timestamp,
                                       void* context);
typedef void (*JoystickAxisCallback)(JoystickDevice* device, unsigned int axisIndex, float value,
                                     float previousValue, double timestamp, void* context);

/** Axis indexes at or above this carry the hat's horizontal axis (its index plus this). */
#define JOYSTICK_HAT_X_AXIS_OFFSET 32

void JoystickDevices_init();
/** Frees every record without calling the removed callback. */
void JoystickDevices_shutdown();
/** Adds a record, and calls the attached callback, for every newly connected device. */
void JoystickDevices_detect();
/** Reads every device and reports the changes; an unplugged device is reported and freed. */
void JoystickDevices_processEvents();

void JoystickDevices_setDeviceAttachedCallback(JoystickDeviceCallback callback, void* context);
/** Called before the record is freed. */
void JoystickDevices_setDeviceRemovedCallback(JoystickDeviceCallback callback, void* context);
void JoystickDevices_setButtonDownCallback(JoystickButtonCallback callback, void* context);
void JoystickDevices_setButtonUpCallback(JoystickButtonCallback callback, void* context);
void JoystickDevices_setAxisMovedCallback(JoystickAxisCallback callback, void* context);
/** Clears every callback installed with this context (its owner is going). */
void JoystickDevices_clearCallbacks(void* context);

unsigned int JoystickDevices_getDeviceCount();
/** The device at a place of the list (detection order); NULL past the end. */
JoystickDevice* JoystickDevices_getDevice(unsigned int index);

/** A raw reading within [minimum, maximum] as -1.0 .. 1.0; 0.0 for a range without width. */
float JoystickDevices_scaleAxis(unsigned int raw, unsigned int minimum, unsigned int maximum);

/** Seconds from the performance counter. */
double JoystickDevices_currentTimeSeconds();

#endif // __JOYSTICK_DEVICES_H__
