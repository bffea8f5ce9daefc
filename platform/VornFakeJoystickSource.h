#ifndef __VORN_FAKE_JOYSTICK_SOURCE_H__
#define __VORN_FAKE_JOYSTICK_SOURCE_H__

#include "VornJoystickSource.h"

#include <map>

/** Scripted pads for tests: plugged, unplugged, pressed and moved by hand. */
class VornFakeJoystickSource : public VornJoystickSource
{
public:
    VornFakeJoystickSource();

    /** A new pad (attached at once); answers its key. */
    long long plug(const VornJoystickInfo& info);
    void unplug(long long key);
    void setButton(long long key, int button, bool pressed);
    void setAxis(long long key, int axis, int value);
    void setHat(long long key, unsigned int pov);

    virtual void update() {}
    virtual bool takeDevicesChanged();
    virtual void attachedDevices(std::vector<long long>& keys);
    virtual bool describe(long long key, VornJoystickInfo& info);
    virtual bool read(long long key, VornJoystickReading& reading);
    virtual void release(long long key) { (void)key; }

private:
    struct Pad
    {
        VornJoystickInfo info;
        VornJoystickReading reading;
    };
    long long m_nextKey;
    bool m_bDevicesChanged;
    std::map<long long, Pad> m_pads;  // keys grow, so map order is plug order
};

#endif // __VORN_FAKE_JOYSTICK_SOURCE_H__
