#ifndef __VORN_JOYSTICK_SOURCE_H__
#define __VORN_JOYSTICK_SOURCE_H__

#include <string>
#include <vector>

/** What a pad is: the most the joystick calls can report is 6 axes, 32 buttons and one hat. */
struct VornJoystickInfo
{
    VornJoystickInfo() : vendorId(0), productId(0), numAxes(0), numButtons(0), hasHat(false) {}
    std::string name;
    int vendorId;
    int productId;
    int numAxes;
    int numButtons;
    bool hasHat;
};

/** A pad's state: axes as SDL gives them (-32768..32767), buttons as a mask, the hat in hundredths. */
struct VornJoystickReading
{
    VornJoystickReading() : buttons(0), pov(65535)
    {
        for (int i = 0; i < kMaxAxes; ++i)
        {
            axes[i] = 0;
        }
    }
    static const int kMaxAxes = 6;
    int axes[kMaxAxes];
    unsigned int buttons;
    unsigned int pov;
};

/** Where pads come from: SDL's joysticks in the game, a scripted fake in tests. */
class VornJoystickSource
{
public:
    virtual ~VornJoystickSource() {}
    /** Brings hot-plugging and readings up to date. */
    virtual void update() = 0;
    /** The keys of the attached pads; a key is stable while its pad stays and never reused. */
    virtual void attachedDevices(std::vector<long long>& keys) = 0;
    /** Opens the pad if needed and describes it; false when it is gone. */
    virtual bool describe(long long key, VornJoystickInfo& info) = 0;
    /** false when the pad is gone. */
    virtual bool read(long long key, VornJoystickReading& reading) = 0;
    /** The pad left its slot: let go of whatever was opened for it. */
    virtual void release(long long key) = 0;
};

#endif // __VORN_JOYSTICK_SOURCE_H__
