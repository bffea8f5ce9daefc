#ifndef __VORN_AUTO_PLAYER_H__
#define __VORN_AUTO_PLAYER_H__

#include "cocos2d.h"

namespace cocos2d
{
class InputHandler_Keyboard;
class VornGameManager;
}

/**
 * Plays the booted game as a simple, honest player: only through the keyboard handler (or, once
 * given one, an SDL virtual pad with its default buttons), one frame at a time. Walks to the nearest standing enemy along the depth line, faces it, punches and kicks,
 * back-kicks one behind, stomps one on the floor, jump-kicks now and then, steps around props it
 * is held against, and walks on when the stage is clear. It reads the game to decide, never
 * changes it.
 */
class VornAutoPlayer
{
public:
    VornAutoPlayer(cocos2d::VornGameManager* game, cocos2d::InputHandler_Keyboard* keyboard);

    /** Chooses and holds this frame's keys (the caller steps the frame). */
    void decide(int frame);
    /** Lets go of every key. */
    void releaseAll();
    /** From now on presses the buttons of this SDL virtual game-controller pad instead of keys. */
    void usePad(struct _SDL_Joystick* pad) { m_pad = pad; }

private:
    void hold(int code, bool down);

    cocos2d::VornGameManager* m_game;
    cocos2d::InputHandler_Keyboard* m_keyboard;
    cocos2d::CCPoint m_lastSpot;
    int m_stuck;
    struct _SDL_Joystick* m_pad;
};

#endif // __VORN_AUTO_PLAYER_H__
