#ifndef __INPUT_HANDLER_KEYBOARD_H__
#define __INPUT_HANDLER_KEYBOARD_H__

#include "InputHandler.h"
#include "CCTouchDelegateProtocol.h"

NS_CC_BEGIN

/**
 * The computer keyboard: every key press and release from the engine's keyboard dispatcher is
 * queued as a button event of DEVICE_TYPE_KEYBOARD whose button code is the key code itself.
 */
class InputHandler_Keyboard : public InputHandler, public CCKeyboardDelegate
{
public:
    InputHandler_Keyboard() : m_nDeviceID(-1), m_bRegistered(false) {}
    virtual ~InputHandler_Keyboard();

    virtual bool init();
    virtual const char* getName() { return "KeyboardHandler"; }
    virtual const char* getDeviceName(int deviceID);
    /** The table's name; a key outside the table is named as SDL names it. */
    virtual std::string getButtonDisplayName(int buttonCode, int deviceType);

    virtual void keyPressed(int keyCode);
    virtual void keyReleased(int keyCode);

    virtual int getDeviceID() const { return m_nDeviceID; }
    virtual void setDeviceID(int deviceID) { m_nDeviceID = deviceID; }

    /** Leaves the keyboard dispatcher (which holds a reference while the handler is registered). */
    void unregisterFromDispatcher();

    /** How many key codes have names. */
    static unsigned int namedKeyCount();

protected:
    void nameKeys();

    int m_nDeviceID;
    bool m_bRegistered;
};

NS_CC_END

#endif // __INPUT_HANDLER_KEYBOARD_H__
