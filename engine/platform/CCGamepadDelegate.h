#ifndef __CC_GAMEPAD_DELEGATE_H__
#define __CC_GAMEPAD_DELEGATE_H__

#include "base/CCPlatformMacros.h"

NS_CC_BEGIN

/** Pad buttons and axes as the gamepad dispatcher reports them. */
class CCGamepadDelegate
{
public:
    virtual ~CCGamepadDelegate() {}
    /** A button went down or up: its number on the pad, its value (1 down, 0 up) and the pad's
     *  hash (stable for one model of pad). */
    virtual void gamepadButtonEvent(bool pressed, int buttonCode, int value, int deviceHash)
    {
        CC_UNUSED_PARAM(pressed); CC_UNUSED_PARAM(buttonCode); CC_UNUSED_PARAM(value); CC_UNUSED_PARAM(deviceHash);
    }
    /** An axis moved: its number, its value (-32768..32767) and the pad's hash. */
    virtual void gamepadAxisEvent(int axis, int value, int deviceHash)
    {
        CC_UNUSED_PARAM(axis); CC_UNUSED_PARAM(value); CC_UNUSED_PARAM(deviceHash);
    }
};

NS_CC_END

#endif // __CC_GAMEPAD_DELEGATE_H__
