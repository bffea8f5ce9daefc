#ifndef __VORN_BOOTED_GAME_H__
#define __VORN_BOOTED_GAME_H__

#include "VornTestSupport.h"

#include <functional>
#include <string>

namespace cocos2d
{
class InputHandler_Keyboard;
class TitleScreen;
class VornGameManager;
}

namespace vorntest
{
/**
 * The game as the program starts it: the game scene run by the director, the splash, then the
 * title, with keys pressed through the keyboard handler a person's key presses reach. Each
 * frame is a fixed 1/60 s step, the frame the game runs at.
 */
class BootedGame
{
public:
    static const float kFrame;
    /** How many frames a wait for something that should come is given: twenty seconds. */
    static const int kPatience;

    ~BootedGame() { shutDown(); }

    /** A saved-data folder of its own, so earlier runs leak nothing in. Call before boot(). */
    static void useFreshHome(const std::string& name);
    /** Boots up to the open title; fails the test (fatally) when it does not get there. */
    void boot();
    /** Tears the game down as quitting does; the saved store stays on disk. */
    void shutDown();

    void frame();
    void frames(int count);
    bool stepUntil(const std::function<bool()>& done, int limit = kPatience);
    /** A key pressed and released as a person taps it. */
    void press(int code);

    cocos2d::VornGameManager* game() const { return m_game; }
    cocos2d::InputHandler_Keyboard* keyboard() const { return m_keyboard; }
    cocos2d::TitleScreen* title() const;
    /** Frames stepped since the last boot. */
    int frameCount() const { return m_frame; }
    /** Lines of the log since boot. */
    const LogCapture& log() const { return *m_log; }
    /** Every line that reports a problem, once each. */
    std::string problems() const;
    /** Boots with no saved controls, achievements or checkpoint, whatever the store holds. */
    bool forgetProgress = false;
    /** The window the game lays itself out in; set before boot(). */
    float windowWidth = 960.0f;
    float windowHeight = 640.0f;
    /** Runs after every frame (the play checks). */
    std::function<void(int frame)> afterFrame;

private:
    cocos2d::VornGameManager* m_game = nullptr;
    cocos2d::InputHandler_Keyboard* m_keyboard = nullptr;
    LogCapture* m_log = nullptr;
    bool m_booted = false;
    int m_frame = 0;
};
} // namespace vorntest

#endif
