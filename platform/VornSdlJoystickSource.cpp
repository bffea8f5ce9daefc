#include "VornSdlJoystickSource.h"

#include "VornPadMappings.h"
#include "cocos2d.h"

#include <SDL.h>

using namespace cocos2d;

namespace
{
const Uint32 kSubsystems = SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER;

// The standard pad's buttons, in kStandardPadButton_ order.
const SDL_GameControllerButton kStandardButtons[kStandardPadButton_MAX] = {
    SDL_CONTROLLER_BUTTON_A,           SDL_CONTROLLER_BUTTON_B,          SDL_CONTROLLER_BUTTON_X,
    SDL_CONTROLLER_BUTTON_Y,           SDL_CONTROLLER_BUTTON_BACK,       SDL_CONTROLLER_BUTTON_GUIDE,
    SDL_CONTROLLER_BUTTON_START,       SDL_CONTROLLER_BUTTON_LEFTSTICK,  SDL_CONTROLLER_BUTTON_RIGHTSTICK,
    SDL_CONTROLLER_BUTTON_LEFTSHOULDER, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, SDL_CONTROLLER_BUTTON_DPAD_UP,
    SDL_CONTROLLER_BUTTON_DPAD_DOWN,   SDL_CONTROLLER_BUTTON_DPAD_LEFT,  SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
    SDL_CONTROLLER_BUTTON_MISC1,       SDL_CONTROLLER_BUTTON_PADDLE1,    SDL_CONTROLLER_BUTTON_PADDLE2,
    SDL_CONTROLLER_BUTTON_PADDLE3,     SDL_CONTROLLER_BUTTON_PADDLE4,    SDL_CONTROLLER_BUTTON_TOUCHPAD,
};

const SDL_GameControllerAxis kStandardAxes[VornJoystickReading::kMaxAxes] = {
    SDL_CONTROLLER_AXIS_LEFTX,  SDL_CONTROLLER_AXIS_LEFTY,       SDL_CONTROLLER_AXIS_RIGHTX,
    SDL_CONTROLLER_AXIS_RIGHTY, SDL_CONTROLLER_AXIS_TRIGGERLEFT, SDL_CONTROLLER_AXIS_TRIGGERRIGHT,
};

unsigned int hatToPov(Uint8 hat)
{
    switch (hat)
    {
    case SDL_HAT_UP: return 0;
    case SDL_HAT_RIGHTUP: return 4500;
    case SDL_HAT_RIGHT: return 9000;
    case SDL_HAT_RIGHTDOWN: return 13500;
    case SDL_HAT_DOWN: return 18000;
    case SDL_HAT_LEFTDOWN: return 22500;
    case SDL_HAT_LEFT: return 27000;
    case SDL_HAT_LEFTUP: return 31500;
    default: return 65535;
    }
}

int clampCount(int count, int most)
{
    return count < 0 ? 0 : (count > most ? most : count);
}

// SDL opens by device index, which moves as pads come and go: the current index of a pad.
int deviceIndexOf(long long key)
{
    const int count = SDL_NumJoysticks();
    for (int i = 0; i < count; ++i)
    {
        if (SDL_JoystickGetDeviceInstanceID(i) == key)
        {
            return i;
        }
    }
    return -1;
}
} // namespace

VornSdlJoystickSource::VornSdlJoystickSource() : m_bStarted(false)
{
    // The first look at the list is always due.
    SDL_AtomicSet(&m_devicesChanged, 1);
    if (SDL_InitSubSystem(kSubsystems) == 0)
    {
        m_bStarted = true;
        // Before any pad is opened, so a pad the player mapped is a standard pad from the start.
        VornPadMappings::loadPlayersFile();
        SDL_AddEventWatch(&VornSdlJoystickSource::onEvent, this);
    }
    else
    {
        CCLog("ERROR: Unable to start SDL's joysticks (%s); no gamepads will be found", SDL_GetError());
    }
}

VornSdlJoystickSource::~VornSdlJoystickSource()
{
    for (std::map<long long, OpenPad>::iterator it = m_open.begin(); it != m_open.end(); ++it)
    {
        if (it->second.controller != NULL)
        {
            SDL_GameControllerClose(it->second.controller);
        }
        else
        {
            SDL_JoystickClose(it->second.joystick);
        }
    }
    m_open.clear();
    if (m_bStarted)
    {
        SDL_DelEventWatch(&VornSdlJoystickSource::onEvent, this);
        SDL_QuitSubSystem(kSubsystems);
    }
}

// May run on whichever thread posts the event: it only raises a flag.
int VornSdlJoystickSource::onEvent(void* userdata, SDL_Event* event)
{
    if (event->type == SDL_JOYDEVICEADDED || event->type == SDL_JOYDEVICEREMOVED)
    {
        SDL_AtomicSet(&static_cast<VornSdlJoystickSource*>(userdata)->m_devicesChanged, 1);
    }
    return 1;
}

void VornSdlJoystickSource::update()
{
    if (m_bStarted)
    {
        SDL_JoystickUpdate();
    }
}

bool VornSdlJoystickSource::takeDevicesChanged()
{
    return SDL_AtomicSet(&m_devicesChanged, 0) != 0;
}

void VornSdlJoystickSource::attachedDevices(std::vector<long long>& keys)
{
    keys.clear();
    if (!m_bStarted)
    {
        return;
    }
    const int count = SDL_NumJoysticks();
    for (int i = 0; i < count; ++i)
    {
        SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(i);
        if (id >= 0)
        {
            keys.push_back(id);
        }
    }
}

bool VornSdlJoystickSource::open(long long key, OpenPad& pad)
{
    std::map<long long, OpenPad>::iterator it = m_open.find(key);
    if (it != m_open.end())
    {
        pad = it->second;
        return SDL_JoystickGetAttached(pad.joystick) == SDL_TRUE;
    }
    const int index = m_bStarted ? deviceIndexOf(key) : -1;
    if (index < 0)
    {
        return false;
    }
    pad.controller = NULL;
    pad.joystick = NULL;
    if (SDL_IsGameController(index))
    {
        pad.controller = SDL_GameControllerOpen(index);
        if (pad.controller == NULL)
        {
            CCLog("ERROR: Unable to open game controller %d (%s); reading it as a joystick", index, SDL_GetError());
        }
        else
        {
            pad.joystick = SDL_GameControllerGetJoystick(pad.controller);
        }
    }
    if (pad.joystick == NULL)
    {
        pad.joystick = SDL_JoystickOpen(index);
    }
    if (pad.joystick == NULL)
    {
        CCLog("ERROR: Unable to open joystick %d (%s)", index, SDL_GetError());
        return false;
    }
    m_open[key] = pad;
    return true;
}

bool VornSdlJoystickSource::describe(long long key, VornJoystickInfo& info)
{
    OpenPad pad;
    if (!open(key, pad))
    {
        return false;
    }
    if (pad.controller != NULL)
    {
        const char* name = SDL_GameControllerName(pad.controller);
        info.name = name ? name : "Gamepad";
        info.vendorId = kStandardPadVendorId;
        info.productId = kStandardPadProductId;
        info.numAxes = VornJoystickReading::kMaxAxes;
        info.numButtons = kStandardPadButton_MAX;
        info.hasHat = false;
        return true;
    }
    const char* name = SDL_JoystickName(pad.joystick);
    info.name = name ? name : "Gamepad";
    info.vendorId = SDL_JoystickGetVendor(pad.joystick);
    info.productId = SDL_JoystickGetProduct(pad.joystick);
    info.numAxes = clampCount(SDL_JoystickNumAxes(pad.joystick), VornJoystickReading::kMaxAxes);
    info.numButtons = clampCount(SDL_JoystickNumButtons(pad.joystick), 32);
    info.hasHat = SDL_JoystickNumHats(pad.joystick) > 0;
    return true;
}

bool VornSdlJoystickSource::read(long long key, VornJoystickReading& reading)
{
    OpenPad pad;
    if (!open(key, pad))
    {
        return false;
    }
    reading = VornJoystickReading();
    if (pad.controller != NULL)
    {
        for (int i = 0; i < VornJoystickReading::kMaxAxes; ++i)
        {
            reading.axes[i] = SDL_GameControllerGetAxis(pad.controller, kStandardAxes[i]);
        }
        for (int i = 0; i < kStandardPadButton_MAX; ++i)
        {
            if (SDL_GameControllerGetButton(pad.controller, kStandardButtons[i]))
            {
                reading.buttons |= 1u << i;
            }
        }
        return true;
    }
    SDL_Joystick* joystick = pad.joystick;
    const int axes = clampCount(SDL_JoystickNumAxes(joystick), VornJoystickReading::kMaxAxes);
    for (int i = 0; i < axes; ++i)
    {
        reading.axes[i] = SDL_JoystickGetAxis(joystick, i);
    }
    const int buttons = clampCount(SDL_JoystickNumButtons(joystick), 32);
    for (int i = 0; i < buttons; ++i)
    {
        if (SDL_JoystickGetButton(joystick, i))
        {
            reading.buttons |= 1u << i;
        }
    }
    if (SDL_JoystickNumHats(joystick) > 0)
    {
        reading.pov = hatToPov(SDL_JoystickGetHat(joystick, 0));
    }
    return true;
}

void VornSdlJoystickSource::release(long long key)
{
    std::map<long long, OpenPad>::iterator it = m_open.find(key);
    if (it != m_open.end())
    {
        if (it->second.controller != NULL)
        {
            SDL_GameControllerClose(it->second.controller);
        }
        else
        {
            SDL_JoystickClose(it->second.joystick);
        }
        m_open.erase(it);
    }
}
