#ifndef __VORN_JOYSTICK_BACKEND_H__
#define __VORN_JOYSTICK_BACKEND_H__

#include "VornJoystickSource.h"

#include <string>

/**
 * The fixed slots behind joyGetNumDevs/joyGetDevCapsA/joyGetPosEx and the source filling them:
 * SDL's joysticks unless a test switches to scripted fake pads.
 */
class VornJoystickBackend
{
public:
    static const unsigned int kSlotCount = 16;

    enum SlotState
    {
        kSlotEmpty,
        kSlotOccupied,
        kSlotVacated,  ///< its pad left; answers "unplugged" once before another pad may take it
        kSlotState_MAX
    };

    /** Scripted pads from now on (slots cleared). */
    static void useFakeDevices();
    /** SDL's joysticks from now on (slots cleared); the default. */
    static void useSdlDevices();
    /** Closes the source and clears the slots; the next call starts SDL's source again. */
    static void shutdown();

    // Scripting the fake pads (after useFakeDevices); ids are those plugFake answered.
    static long long plugFake(const VornJoystickInfo& info);
    static void unplugFake(long long id);
    static void pressFake(long long id, int button, bool pressed);
    static void moveFake(long long id, int axis, int value);
    static void hatFake(long long id, unsigned int pov);

    // For the joystick and registry calls.
    /** Once a frame: lets the source catch up, and reads its pad list if pads came or went. */
    static void update();
    /** How often the pad list has been read (it costs a trip through SDL's device list). */
    static unsigned int getListReadCount();
    /** Catches up with plugging already announced, then answers the slot's state (and pad when occupied). */
    static SlotState refreshSlot(unsigned int slot, VornJoystickInfo* info, long long* key);
    /** Reads the slot's pad; a vacated slot is freed by answering false. */
    static bool readSlot(unsigned int slot, VornJoystickReading& reading);
    /** The pad key in a slot, without refreshing; -1 when empty. */
    static long long slotKey(unsigned int slot);
    /** The name of an attached pad by key; false when no slot holds it. */
    static bool nameForKey(long long key, std::string& name);
};

#endif // __VORN_JOYSTICK_BACKEND_H__
