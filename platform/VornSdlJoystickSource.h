#ifndef __VORN_SDL_JOYSTICK_SOURCE_H__
#define __VORN_SDL_JOYSTICK_SOURCE_H__

#include "VornJoystickSource.h"

#include <SDL_atomic.h>

#include <map>

struct _SDL_Joystick;
struct _SDL_GameController;
union SDL_Event;

/**
 * Pads from SDL2's joystick API; starts SDL's joystick and game-controller subsystems for its
 * lifetime. A pad SDL recognises as a game controller is read through its mapping as the
 * standard pad; any other pad passes its raw buttons, axes and hat through.
 */
class VornSdlJoystickSource : public VornJoystickSource
{
public:
    VornSdlJoystickSource();
    virtual ~VornSdlJoystickSource();

    virtual void update();
    virtual bool takeDevicesChanged();
    virtual void attachedDevices(std::vector<long long>& keys);
    virtual bool describe(long long key, VornJoystickInfo& info);
    virtual bool read(long long key, VornJoystickReading& reading);
    virtual void release(long long key);

private:
    struct OpenPad
    {
        _SDL_Joystick* joystick;
        _SDL_GameController* controller;  ///< NULL for a pad read raw
    };

    bool open(long long key, OpenPad& pad);
    static int onEvent(void* userdata, SDL_Event* event);

    bool m_bStarted;
    SDL_atomic_t m_devicesChanged;  ///< set from SDL's event watch
    std::map<long long, OpenPad> m_open;
};

#endif // __VORN_SDL_JOYSTICK_SOURCE_H__
