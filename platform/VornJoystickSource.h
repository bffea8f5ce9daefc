#ifndef __VORN_JOYSTICK_SOURCE_H__
#define __VORN_JOYSTICK_SOURCE_H__

#include <string>
#include <vector>

/**
 * Pads whose layout SDL knows (its game-controller mappings) are all presented as one standard
 * pad: this vendor and product, buttons in kStandardPadButton_ order, axes left stick x and y,
 * right stick x and y, left and right trigger. One default mapping then serves every such pad.
 */
const int kStandardPadVendorId = 0x1000;
const int kStandardPadProductId = 0x0002;

/** The standard pad's buttons; the values are stored in saved controls, so they never change. */
enum
{
    kStandardPadButton_A,  ///< bottom face button
    kStandardPadButton_B,  ///< right
    kStandardPadButton_X,  ///< left
    kStandardPadButton_Y,  ///< top
    kStandardPadButton_Back,
    kStandardPadButton_Guide,
    kStandardPadButton_Start,
    kStandardPadButton_LeftStick,
    kStandardPadButton_RightStick,
    kStandardPadButton_LeftShoulder,
    kStandardPadButton_RightShoulder,
    kStandardPadButton_DpadUp,
    kStandardPadButton_DpadDown,
    kStandardPadButton_DpadLeft,
    kStandardPadButton_DpadRight,
    kStandardPadButton_Misc,
    kStandardPadButton_Paddle1,
    kStandardPadButton_Paddle2,
    kStandardPadButton_Paddle3,
    kStandardPadButton_Paddle4,
    kStandardPadButton_Touchpad,
    kStandardPadButton_MAX
};

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
    /** True once after pads came or went (and at first): only then is the list worth reading. */
    virtual bool takeDevicesChanged() = 0;
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
