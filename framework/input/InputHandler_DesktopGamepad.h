#ifndef __INPUT_HANDLER_DESKTOP_GAMEPAD_H__
#define __INPUT_HANDLER_DESKTOP_GAMEPAD_H__

#include "InputHandler.h"
#include "CCTouchDelegateProtocol.h"

#include <map>

struct JoystickDevice;

NS_CC_BEGIN

/**
 * Joysticks and gamepads of the desktop. Polls the joystick layer every frame before dispatching,
 * so a change read by the poll goes out in the same frame. A pad's device type is its vendor id
 * in the high 16 bits and its product id in the low 16; its button codes are the layer's button
 * indexes (own buttons, then the hat's left, right, up, down).
 */
class InputHandler_DesktopGamepad : public InputHandler, public CCKeyboardDelegate
{
public:
    InputHandler_DesktopGamepad() : m_pGamepadDescriptions(NULL) {}
    virtual ~InputHandler_DesktopGamepad();

    virtual bool init();
    virtual const char* getName() { return "DesktopGamepadHandler"; }
    /** The pad's name; "" for an id never handed out or whose pad was unplugged. */
    virtual const char* getDeviceName(int deviceID);
    /** The "DisplayName" from the pad's description, else the code as a number ("No Button" for -1). */
    virtual std::string getButtonDisplayName(int buttonCode, int deviceType);
    virtual void dispatchEvents(float dt);

    virtual CCDictionary* getGamepadDescriptions() const { return m_pGamepadDescriptions; }
    /** Takes over a reference the caller already holds (released with the handler). */
    virtual void setGamepadDescriptions(CCDictionary* descriptions) { m_pGamepadDescriptions = descriptions; }

    /** vendor << 16 | product, as a signed 32-bit value. */
    static int deviceTypeFor(int vendorID, int productID);
    /** This handler's id of the pad the layer knows by layerDeviceID; -1 when it has none. */
    int deviceIDForLayerDevice(unsigned int layerDeviceID) const;
    /** How many pads the handler holds records of. */
    unsigned int getDeviceCount() const { return (unsigned int)m_devices.size(); }

protected:
    static int nextUniqueGamepadDeviceId();
    CCDictionary* getButtonDescription(int buttonCode, int deviceType);

    static void onDeviceAttached(JoystickDevice* device, void* context);
    static void onDeviceRemoved(JoystickDevice* device, void* context);
    static void onButtonDown(JoystickDevice* device, unsigned int buttonIndex, double timestamp, void* context);
    static void onButtonUp(JoystickDevice* device, unsigned int buttonIndex, double timestamp, void* context);
    static void onAxisMoved(JoystickDevice* device, unsigned int axisIndex, float value, float previousValue,
                            double timestamp, void* context);

    CCDictionary* m_pGamepadDescriptions;
    std::map<unsigned int, int> m_deviceIDs;          ///< layer device id -> this handler's id
    std::map<int, JoystickDevice*> m_devices;         ///< this handler's id -> the layer's record
};

NS_CC_END

#endif // __INPUT_HANDLER_DESKTOP_GAMEPAD_H__
