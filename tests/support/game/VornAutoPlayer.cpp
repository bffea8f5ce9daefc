#include "VornAutoPlayer.h"

#include "BotActor.h"
#include "BotManager.h"
#include "InputHandler_Keyboard.h"
#include "VornGameManager.h"
#include "VornGameTypes.h"
#include "VornPlayer.h"
#include "VornPlayerInputMulti.h"

#include <SDL.h>

#include <cmath>

USING_NS_CC;

namespace
{
// The default keyboard mapping, as a person presses it.
const int kPunch = 's';
const int kKick = 'd';
const int kBackKick = 'a';
const int kStomp = 'w';
const int kKeys[] = { VornPlayerInputMulti::kKeyLeft, VornPlayerInputMulti::kKeyRight, VornPlayerInputMulti::kKeyUp,
                      VornPlayerInputMulti::kKeyDown, VornPlayerInputMulti::kKeySpace, kPunch, kKick, kBackKick,
                      kStomp };

// The same moves on a pad SDL knows the layout of, by its default mapping.
SDL_GameControllerButton padButtonFor(int code)
{
    switch (code)
    {
    case VornPlayerInputMulti::kKeyLeft: return SDL_CONTROLLER_BUTTON_DPAD_LEFT;
    case VornPlayerInputMulti::kKeyRight: return SDL_CONTROLLER_BUTTON_DPAD_RIGHT;
    case VornPlayerInputMulti::kKeyUp: return SDL_CONTROLLER_BUTTON_DPAD_UP;
    case VornPlayerInputMulti::kKeyDown: return SDL_CONTROLLER_BUTTON_DPAD_DOWN;
    case VornPlayerInputMulti::kKeySpace: return SDL_CONTROLLER_BUTTON_A;
    case kPunch: return SDL_CONTROLLER_BUTTON_X;
    case kKick: return SDL_CONTROLLER_BUTTON_B;
    case kBackKick: return SDL_CONTROLLER_BUTTON_Y;
    case kStomp: return SDL_CONTROLLER_BUTTON_RIGHTSHOULDER;
    default: return SDL_CONTROLLER_BUTTON_INVALID;
    }
}
} // namespace

VornAutoPlayer::VornAutoPlayer(VornGameManager* game, InputHandler_Keyboard* keyboard)
    : m_game(game), m_keyboard(keyboard), m_stuck(0), m_pad(NULL)
{
}

void VornAutoPlayer::hold(int code, bool down)
{
    if (m_pad != NULL)
    {
        SDL_JoystickSetVirtualButton(m_pad, padButtonFor(code), down ? 1 : 0);
        return;
    }
    if (down)
    {
        m_keyboard->keyPressed(code);
    }
    else
    {
        m_keyboard->keyReleased(code);
    }
}

void VornAutoPlayer::releaseAll()
{
    for (int code : kKeys)
    {
        hold(code, false);
    }
}

void VornAutoPlayer::decide(int frame)
{
    VornPlayer* player = m_game->getPlayer();
    CCPoint me = player->getBasePosition();
    BotActor* nearest = NULL;
    float best = 1e9f;
    for (BotActor* bot : m_game->getBotManager()->getActiveBots())
    {
        float d = ccpDistance(bot->getBasePosition(), me);
        if (bot->isAlive() && d < best)
        {
            best = d;
            nearest = bot;
        }
    }
    bool left = false, right = false, up = false, down = false;
    bool jump = false, punch = false, kick = false, backKick = false, stomp = false;
    // Held against a prop for a while: step back and around it.
    if (frame % 30 == 0)
    {
        m_stuck = ccpDistance(me, m_lastSpot) < 1.0f ? m_stuck + 1 : 0;
        m_lastSpot = me;
    }
    if (nearest == NULL && m_stuck > 0)
    {
        left = frame % 60 < 20;
        right = !left;
        down = true;
    }
    else if (nearest == NULL)
    {
        // On along the middle of the stage, clear of the props at its back.
        right = true;
        up = me.y < -38.0f;
        down = me.y > -30.0f;
    }
    else
    {
        CCPoint to = nearest->getBasePosition() - me;
        bool facingIt = (to.x < 0.0f) == (player->getFacingDir() == kFacingDir_Left);
        // Within a punch's reach, as a person closes in before swinging.
        bool close = fabsf(to.x) < 18.0f && fabsf(to.y) < 5.0f;
        if (close && nearest->isFallingOrFloored())
        {
            stomp = frame % 20 == 5;
        }
        else if (close && !facingIt && fabsf(to.x) > 6.0f && frame % 40 < 20)
        {
            backKick = frame % 20 == 7;
        }
        else if (close)
        {
            // Face it, then punch strings with a kick between them, and a jump kick now and then.
            left = to.x < 0.0f && frame % 12 == 0;
            right = to.x >= 0.0f && frame % 12 == 0;
            punch = frame % 12 == 3;
            kick = frame % 24 == 9;
            jump = frame % 240 == 100;
            kick = kick || frame % 240 == 104;
        }
        else
        {
            left = to.x < -12.0f;
            right = to.x > 12.0f;
            up = to.y > 3.0f;
            down = to.y < -3.0f;
        }
    }
    hold(VornPlayerInputMulti::kKeyLeft, left);
    hold(VornPlayerInputMulti::kKeyRight, right);
    hold(VornPlayerInputMulti::kKeyUp, up);
    hold(VornPlayerInputMulti::kKeyDown, down);
    hold(VornPlayerInputMulti::kKeySpace, jump);
    hold(kPunch, punch);
    hold(kKick, kick);
    hold(kBackKick, backKick);
    hold(kStomp, stomp);
}
