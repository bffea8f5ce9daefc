#ifndef __VORN_SDL_JOYSTICK_SOURCE_H__
#define __VORN_SDL_JOYSTICK_SOURCE_H__

#include "VornJoystickSource.h"

#include <map>

struct _SDL_Joystick;

/** Pads from SDL2's joystick API; starts SDL's joystick subsystem for its lifetime. */
class VornSdlJoystickSource : public VornJoystickSource
{
public:
    VornSdlJoystickSource();
    virtual ~VornSdlJoystickSource();

    virtual void update();
    virtual void attachedDevices(std::vector<long long>& keys);
    virtual bool describe(long long key, VornJoystickInfo& info);
    virtual bool read(long long key, VornJoystickReading& reading);
    virtual void release(long long key);

private:
    _SDL_Joystick* open(long long key);

    bool m_bStarted;
    std::map<long long, _SDL_Joystick*> m_open;
};

#endif // __VORN_SDL_JOYSTICK_SOURCE_H__
