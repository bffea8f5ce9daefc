#include "VornSdlJoystickSource.h"

#include "cocos2d.h"

#include <SDL.h>

using namespace cocos2d;

namespace
{
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
} // namespace

VornSdlJoystickSource::VornSdlJoystickSource() : m_bStarted(false)
{
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0)
    {
        m_bStarted = true;
    }
    else
    {
        CCLog("ERROR: Unable to start SDL's joysticks (%s); no gamepads will be found", SDL_GetError());
    }
}

VornSdlJoystickSource::~VornSdlJoystickSource()
{
    for (std::map<long long, SDL_Joystick*>::iterator it = m_open.begin(); it != m_open.end(); ++it)
    {
        SDL_JoystickClose(it->second);
    }
    m_open.clear();
    if (m_bStarted)
    {
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
}

void VornSdlJoystickSource::update()
{
    if (m_bStarted)
    {
        SDL_JoystickUpdate();
    }
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

SDL_Joystick* VornSdlJoystickSource::open(long long key)
{
    std::map<long long, SDL_Joystick*>::iterator it = m_open.find(key);
    if (it != m_open.end())
    {
        return SDL_JoystickGetAttached(it->second) ? it->second : NULL;
    }
    if (!m_bStarted)
    {
        return NULL;
    }
    // SDL opens by device index, which moves as pads come and go: find the current one.
    const int count = SDL_NumJoysticks();
    for (int i = 0; i < count; ++i)
    {
        if (SDL_JoystickGetDeviceInstanceID(i) == key)
        {
            SDL_Joystick* joystick = SDL_JoystickOpen(i);
            if (joystick == NULL)
            {
                CCLog("ERROR: Unable to open joystick %d (%s)", i, SDL_GetError());
                return NULL;
            }
            m_open[key] = joystick;
            return joystick;
        }
    }
    return NULL;
}

bool VornSdlJoystickSource::describe(long long key, VornJoystickInfo& info)
{
    SDL_Joystick* joystick = open(key);
    if (joystick == NULL)
    {
        return false;
    }
    const char* name = SDL_JoystickName(joystick);
    info.name = name ? name : "Gamepad";
    info.vendorId = SDL_JoystickGetVendor(joystick);
    info.productId = SDL_JoystickGetProduct(joystick);
    info.numAxes = SDL_JoystickNumAxes(joystick);
    if (info.numAxes > VornJoystickReading::kMaxAxes)
    {
        info.numAxes = VornJoystickReading::kMaxAxes;
    }
    if (info.numAxes < 0)
    {
        info.numAxes = 0;
    }
    info.numButtons = SDL_JoystickNumButtons(joystick);
    if (info.numButtons > 32)
    {
        info.numButtons = 32;
    }
    if (info.numButtons < 0)
    {
        info.numButtons = 0;
    }
    info.hasHat = SDL_JoystickNumHats(joystick) > 0;
    return true;
}

bool VornSdlJoystickSource::read(long long key, VornJoystickReading& reading)
{
    SDL_Joystick* joystick = open(key);
    if (joystick == NULL)
    {
        return false;
    }
    reading = VornJoystickReading();
    const int axes = SDL_JoystickNumAxes(joystick);
    for (int i = 0; i < axes && i < VornJoystickReading::kMaxAxes; ++i)
    {
        reading.axes[i] = SDL_JoystickGetAxis(joystick, i);
    }
    const int buttons = SDL_JoystickNumButtons(joystick);
    for (int i = 0; i < buttons && i < 32; ++i)
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
    std::map<long long, SDL_Joystick*>::iterator it = m_open.find(key);
    if (it != m_open.end())
    {
        SDL_JoystickClose(it->second);
        m_open.erase(it);
    }
}
