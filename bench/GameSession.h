#ifndef __VORN_BENCH_GAME_SESSION_H__
#define __VORN_BENCH_GAME_SESSION_H__

#include "AppDelegate.h"

#include <vector>

namespace cocos2d
{
class VornGameManager;
}

/**
 * What one frame cost: wall time of the game update and of the drawing, in milliseconds, and the
 * update's CPU time on this thread (what the update itself spent, whatever else the machine ran).
 */
struct FrameCost
{
    double updateMs;
    double updateCpuMs;
    double drawMs;
    double drawCpuMs;  ///< the whole process's CPU time while drawing: the GL driver's threads count too
    unsigned int drawCalls;
    unsigned int quads;
    int botsBefore;  ///< enemies in play before the frame and after it: a spawn or a leaving shows here
    int botsAfter;
    /**
     * With pictures compared (GameSession::setComparePictures): the frame showed a picture other
     * than the one before it (more than one pixel in a thousand changed). A long frame that shows the same picture (a cover, a held splash)
     * is not seen to stall: the screen held still anyway.
     */
    bool pictureChanged;
    /** The update showed a picture itself (a level load puts its cover up before it starts). */
    bool shownInUpdate;
};

/**
 * The real game in one process for measuring: boots through the director's step like the window
 * loop does, starts a level and fills it with enemies. The window comes from SDL_VIDEODRIVER and
 * SDL_RENDER_DRIVER (dummy and software unless the caller set them before start).
 */
class GameSession
{
public:
    GameSession();
    ~GameSession();

    /** Window and design size in pixels; false (logged to stderr) when the game cannot boot. */
    bool start(int width, int height);
    /** Plays the level from its start; false when it did not start. */
    bool startLevel(const char* name);
    /** Asks for the level as a player picking it would (the title closes); it loads in the next frames. */
    void requestLevel(const char* name);
    /** True once the level of that name runs with a player in it. */
    bool isPlaying(const char* name);
    /**
     * Only count enemies of that descriptor in play: the level's own waves and callbacks go and
     * the new ones appear spread over the visible street at once. Answers how many are in play
     * after a second of play, -1 when the descriptor does not load.
     */
    int fillWithEnemies(const char* descFile, int count);
    /** One frame of dt seconds through the director's step (no timing). */
    void step(float dt);
    /** One frame of dt seconds, the update and the drawing timed apart. */
    FrameCost timedStep(float dt);
    /** Keeps the player standing so a long run does not end in the game-over screen. */
    bool topUpPlayer();
    /**
     * Knocks out one standing enemy of descFile and queues a new one in its place, somewhere on
     * the visible street: the enemy manager brings it in once the knocked-out one has gone.
     * False when no enemy was standing.
     */
    bool knockOutAndReplace(const char* descFile);
    /**
     * Reads each timed frame's picture back (outside the timed parts) and tells whether it
     * changed; off by default, as the read-back costs.
     */
    void setComparePictures(bool compare) { m_bComparePictures = compare; }
    /** The boot's frames (from the launch until the title has opened): the longest, and the longest that changed the picture. */
    double bootLongestMs() const { return m_bootLongestMs; }
    double bootLongestInViewMs() const { return m_bootLongestInViewMs; }
    /** One more frame (untimed), saved to a PNG at path. */
    bool captureFrame(const char* path);
    /** Ends the scene and the window. */
    void stop();

    cocos2d::VornGameManager* game() const { return m_pGame; }
    /** "dummy/software", "x11/opengl" and so on. */
    const char* describeDrivers();

private:
    void noteBootFrame(const FrameCost& cost);

    AppDelegate m_app;
    cocos2d::VornGameManager* m_pGame;
    float m_fPlayerHealth;
    bool m_bRunning;
    bool m_bComparePictures;
    std::vector<unsigned int> m_lastPicture;  ///< the last picture read back
    double m_bootLongestMs;
    double m_bootLongestInViewMs;
    char m_drivers[64];
};

#endif // __VORN_BENCH_GAME_SESSION_H__
