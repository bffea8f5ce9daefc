#include "InputHandler_Keyboard.h"

#include "InputDispatch.h"

#include "CCKeyboardDispatcher.h"

NS_CC_BEGIN

namespace
{
struct KeyName
{
    int code;
    const char* name;
};

// Named before the printable characters; the order is the keyboard's look-up order.
const KeyName kLeadingKeys[] = {
    {0x0000, "None"}, {0x0013, "Pause"}, {0x1014, "Scroll Lock"}, {0x1061, "Print"}, {0x106A, "SysReq"},
    {0x106B, "Break"}, {0x001B, "Esc"}, {0x0008, "Backspace"}, {0x0009, "Tab"}, {0x0089, "BackTab"},
    {0x000D, "Return"}, {0x00E5, "Caps Lock"}, {0x00E1, "Shift"}, {0x00E3, "Ctrl"}, {0x00E9, "Alt"},
    {0x1067, "Menu"}, {0x10ED, "Hyper"}, {0x1063, "Insert"}, {0x1050, "Home"}, {0x1055, "Page Up"},
    {0x10FF, "Delete"}, {0x1057, "End"}, {0x1056, "Page Down"}, {0x1051, "Left"}, {0x1053, "Right"},
    {0x1052, "Up"}, {0x1054, "Down"}, {0x107F, "Num Lock"},
    {0x10AB, "KP Plus"}, {0x10AD, "KP Minus"}, {0x10AA, "KP Multiply"}, {0x10AF, "KP Divide"},
    {0x108D, "KP Enter"}, {0x10B7, "KP Home"}, {0x10B8, "KP Up"}, {0x10B9, "KP Page Up"}, {0x10B4, "KP Left"},
    {0x10B5, "KP Five"}, {0x10B6, "KP Right"}, {0x10B1, "KP End"}, {0x10B2, "KP Down"},
    {0x10B3, "KP Page Down"}, {0x10B0, "KP Insert"}, {0x10AE, "KP Delete"},
    {0x00BE, "F1"}, {0x00BF, "F2"}, {0x00C0, "F3"}, {0x00C1, "F4"}, {0x00C2, "F5"}, {0x00C3, "F6"},
    {0x00C4, "F7"}, {0x00C5, "F8"}, {0x00C6, "F9"}, {0x00C7, "F10"}, {0x00C8, "F11"}, {0x00C9, "F12"},
};

const KeyName kTrailingKeys[] = {
    {0x20AC, "\xE2\x82\xAC"}, {0x00A3, "\xC2\xA3"}, {0x00A5, "Yen"}, {0x0095, "."}, {0xFFAA, "Search"},
};

const int kFirstPrintable = 0x20;
const int kLastPrintable = 0x7E;
const int kCaret = 0x5E;     // named right after '%'
const int kPercent = 0x25;

std::string printableName(int code)
{
    if (code == ' ')
    {
        return "Space";
    }
    if (code == '\'')
    {
        return "\"";
    }
    if (code >= 'a' && code <= 'z')
    {
        return std::string(1, (char)(code - 'a' + 'A'));
    }
    return std::string(1, (char)code);
}
} // namespace

InputHandler_Keyboard::~InputHandler_Keyboard()
{
    // The dispatcher must not call a handler that is gone.
    unregisterFromDispatcher();
}

void InputHandler_Keyboard::unregisterFromDispatcher()
{
    if (m_bRegistered)
    {
        m_bRegistered = false;
        vornRemoveKeyboardDelegate(this);
    }
}

bool InputHandler_Keyboard::init()
{
    if (!InputHandler::init())
    {
        return false;
    }
    m_bRegistered = vornAddKeyboardDelegate(this);
    nameKeys();
    return true;
}

void InputHandler_Keyboard::nameKeys()
{
    for (unsigned int i = 0; i < sizeof(kLeadingKeys) / sizeof(kLeadingKeys[0]); ++i)
    {
        setKeyboardButtonName(kLeadingKeys[i].code, kLeadingKeys[i].name);
    }
    for (int code = kFirstPrintable; code <= kLastPrintable; ++code)
    {
        if (code == kCaret)
        {
            continue;
        }
        setKeyboardButtonName(code, printableName(code).c_str());
        if (code == kPercent)
        {
            setKeyboardButtonName(kCaret, printableName(kCaret).c_str());
        }
    }
    for (unsigned int i = 0; i < sizeof(kTrailingKeys) / sizeof(kTrailingKeys[0]); ++i)
    {
        setKeyboardButtonName(kTrailingKeys[i].code, kTrailingKeys[i].name);
    }
}

unsigned int InputHandler_Keyboard::namedKeyCount()
{
    return (unsigned int)(sizeof(kLeadingKeys) / sizeof(kLeadingKeys[0]) + (kLastPrintable - kFirstPrintable + 1) +
                          sizeof(kTrailingKeys) / sizeof(kTrailingKeys[0]));
}

const char* InputHandler_Keyboard::getDeviceName(int deviceID)
{
    CC_UNUSED_PARAM(deviceID);
    return "Keyboard";
}

std::string InputHandler_Keyboard::getButtonDisplayName(int buttonCode, int deviceType)
{
    std::string name = InputHandler::getButtonDisplayName(buttonCode, deviceType);
    if (name.empty() && deviceType == DEVICE_TYPE_KEYBOARD)
    {
        name = CCKeyboardDispatcher::nameForUnnamedKeyCode(buttonCode);
    }
    return name;
}

void InputHandler_Keyboard::keyPressed(int keyCode)
{
    queueButtonEvent(DEVICE_TYPE_KEYBOARD, m_nDeviceID, keyCode, true);
}

void InputHandler_Keyboard::keyReleased(int keyCode)
{
    queueButtonEvent(DEVICE_TYPE_KEYBOARD, m_nDeviceID, keyCode, false);
}

NS_CC_END
