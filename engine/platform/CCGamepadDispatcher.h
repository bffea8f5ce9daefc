#ifndef __CC_GAMEPAD_DISPATCHER_H__
#define __CC_GAMEPAD_DISPATCHER_H__

#include "base/CCObject.h"
#include "platform/CCGamepadDelegate.h"

#include <vector>

NS_CC_BEGIN

/**
 * Hands pad buttons and axes to its delegates (not retained), in order of registration. The view
 * feeds it the joystick events SDL reports for pads that something has opened. Delegates may be
 * added or removed from inside a callback.
 */
class CCGamepadDispatcher : public CCObject
{
public:
    void addDelegate(CCGamepadDelegate* pDelegate);
    void removeDelegate(CCGamepadDelegate* pDelegate);
    bool hasDelegate(CCGamepadDelegate* pDelegate) const;

    void dispatchButton(bool pressed, int buttonCode, int value, int deviceHash);
    void dispatchAxis(int axis, int value, int deviceHash);

private:
    std::vector<CCGamepadDelegate*> m_delegates;
};

NS_CC_END

#endif // __CC_GAMEPAD_DISPATCHER_H__
