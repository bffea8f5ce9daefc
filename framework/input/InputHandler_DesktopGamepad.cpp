#include "InputHandler_DesktopGamepad.h"

#include "CCString.h"
#include "JoystickDevices.h"

#include <set>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

NS_CC_BEGIN

namespace
{
std::set<int>& usedGamepadDeviceIds()
{
    static std::set<int> ids;
    return ids;
}
} // namespace

InputHandler_DesktopGamepad::~InputHandler_DesktopGamepad()
{
    JoystickDevices_clearCallbacks(this);
    JoystickDevices_shutdown();
    m_devices.clear();
    m_deviceIDs.clear();
    CC_SAFE_RELEASE(m_pGamepadDescriptions);
}

bool InputHandler_DesktopGamepad::init()
{
    if (!InputHandler::init())
    {
        return false;
    }
    JoystickDevices_setDeviceAttachedCallback(&InputHandler_DesktopGamepad::onDeviceAttached, this);
    // The layer frees a record when its pad leaves; forget it then so nothing reads freed memory.
    JoystickDevices_setDeviceRemovedCallback(&InputHandler_DesktopGamepad::onDeviceRemoved, this);
    JoystickDevices_setButtonDownCallback(&InputHandler_DesktopGamepad::onButtonDown, this);
    JoystickDevices_setButtonUpCallback(&InputHandler_DesktopGamepad::onButtonUp, this);
    JoystickDevices_setAxisMovedCallback(&InputHandler_DesktopGamepad::onAxisMoved, this);
    JoystickDevices_init();
    JoystickDevices_detect();
    return true;
}

int InputHandler_DesktopGamepad::deviceTypeFor(int vendorID, int productID)
{
    const uint32_t type = ((uint32_t)vendorID << 16) | ((uint32_t)productID & 0xFFFFu);
    return (int)(int32_t)type;
}

int InputHandler_DesktopGamepad::nextUniqueGamepadDeviceId()
{
    std::set<int>& used = usedGamepadDeviceIds();
    int id = rand();
    while (id == -1 || used.count(id) != 0)
    {
        id = rand();
    }
    used.insert(id);
    return id;
}

int InputHandler_DesktopGamepad::deviceIDForLayerDevice(unsigned int layerDeviceID) const
{
    std::map<unsigned int, int>::const_iterator it = m_deviceIDs.find(layerDeviceID);
    return it != m_deviceIDs.end() ? it->second : -1;
}

const char* InputHandler_DesktopGamepad::getDeviceName(int deviceID)
{
    std::map<int, JoystickDevice*>::const_iterator it = m_devices.find(deviceID);
    if (it == m_devices.end() || it->second == NULL || it->second->description == NULL)
    {
        return "";
    }
    return it->second->description;
}

CCDictionary* InputHandler_DesktopGamepad::getButtonDescription(int buttonCode, int deviceType)
{
    if (m_pGamepadDescriptions == NULL)
    {
        return NULL;
    }
    CCDictionary* pad = dynamic_cast<CCDictionary*>(m_pGamepadDescriptions->objectForKey((intptr_t)deviceType));
    if (pad == NULL)
    {
        return NULL;
    }
    CCDictionary* buttons = dynamic_cast<CCDictionary*>(pad->objectForKey(std::string("ButtonCodeToButtonInfo")));
    if (buttons == NULL)
    {
        return NULL;
    }
    return dynamic_cast<CCDictionary*>(buttons->objectForKey((intptr_t)buttonCode));
}

std::string InputHandler_DesktopGamepad::getButtonDisplayName(int buttonCode, int deviceType)
{
    std::string result;
    CCDictionary* description = getButtonDescription(buttonCode, deviceType);
    if (description != NULL)
    {
        CCString* name = dynamic_cast<CCString*>(description->objectForKey(std::string("DisplayName")));
        if (name != NULL)
        {
            result = name->getCString();
        }
    }
    if (result.empty())
    {
        if (buttonCode == -1)
        {
            result = "No Button";
        }
        else
        {
            char number[16];
            snprintf(number, sizeof(number), "%d", buttonCode);
            result = number;
        }
    }
    return result;
}

void InputHandler_DesktopGamepad::dispatchEvents(float dt)
{
    JoystickDevices_detect();
    JoystickDevices_processEvents();
    InputHandler::dispatchEvents(dt);
}

void InputHandler_DesktopGamepad::onDeviceAttached(JoystickDevice* device, void* context)
{
    InputHandler_DesktopGamepad* handler = static_cast<InputHandler_DesktopGamepad*>(context);
    const int id = nextUniqueGamepadDeviceId();
    handler->m_deviceIDs[device->deviceID] = id;
    handler->m_devices[id] = device;
    CCLog("Gamepad Detected: %s\n", device->description);
}

void InputHandler_DesktopGamepad::onDeviceRemoved(JoystickDevice* device, void* context)
{
    InputHandler_DesktopGamepad* handler = static_cast<InputHandler_DesktopGamepad*>(context);
    std::map<unsigned int, int>::iterator it = handler->m_deviceIDs.find(device->deviceID);
    if (it != handler->m_deviceIDs.end())
    {
        handler->m_devices.erase(it->second);
        handler->m_deviceIDs.erase(it);
    }
}

void InputHandler_DesktopGamepad::onButtonDown(JoystickDevice* device, unsigned int buttonIndex, double timestamp,
                                               void* context)
{
    CC_UNUSED_PARAM(timestamp);
    InputHandler_DesktopGamepad* handler = static_cast<InputHandler_DesktopGamepad*>(context);
    const int deviceType = deviceTypeFor(device->vendorID, device->productID);
    const int id = handler->deviceIDForLayerDevice(device->deviceID);
    CCLog("InputHandler_DesktopGamepad deviceType=%d deviceID=%d button=%d down=%d", deviceType, id, (int)buttonIndex,
          1);
    handler->queueButtonEvent(deviceType, id, (int)buttonIndex, true);
}

void InputHandler_DesktopGamepad::onButtonUp(JoystickDevice* device, unsigned int buttonIndex, double timestamp,
                                             void* context)
{
    CC_UNUSED_PARAM(timestamp);
    InputHandler_DesktopGamepad* handler = static_cast<InputHandler_DesktopGamepad*>(context);
    const int deviceType = deviceTypeFor(device->vendorID, device->productID);
    handler->queueButtonEvent(deviceType, handler->deviceIDForLayerDevice(device->deviceID), (int)buttonIndex, false);
}

void InputHandler_DesktopGamepad::onAxisMoved(JoystickDevice* device, unsigned int axisIndex, float value,
                                              float previousValue, double timestamp, void* context)
{
    CC_UNUSED_PARAM(previousValue);
    CC_UNUSED_PARAM(timestamp);
    InputHandler_DesktopGamepad* handler = static_cast<InputHandler_DesktopGamepad*>(context);
    const int deviceType = deviceTypeFor(device->vendorID, device->productID);
    handler->queueAxisEvent(deviceType, handler->deviceIDForLayerDevice(device->deviceID), (int)axisIndex, value);
}

NS_CC_END
