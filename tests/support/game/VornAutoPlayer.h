#ifndef __VORN_AUTO_PLAYER_H__
#define __VORN_AUTO_PLAYER_H__

#include "cocos2d.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace cocos2d
{
class BotActor;
class InputHandler_Keyboard;
class VornGameManager;
}

/**
 * Plays the booted game as an honest player: only through the keyboard handler (or, once given
 * one, an SDL virtual pad with its default buttons), one frame at a time, with a person's timing
 * in seconds whatever the frame length. Walks to the nearest standing enemy along the depth line
 * and goes through every move of the controls in turn: punch strings, the held heavy punch, the
 * kick, the jump kick, and the grab (kick to daze, walk in) with the throw ahead, the throw behind
 * and the knee; back-kicks an enemy behind it and stomps one on the floor. In an arena it plays
 * for the tasks drawn. It steps round a prop it is held against and says so. It reads the game to
 * decide, never changes it.
 *
 * As a novice it plays as someone new to the game does: it looks again only every quarter second,
 * walks up to the nearest enemy and turns to him, and then only punches and kicks.
 */
class VornAutoPlayer
{
public:
    /** The moves of the controls it tries, and what it sees come out of them. */
    enum Move
    {
        kMove_PunchString,
        kMove_HeavyPunch,
        kMove_Kick,
        kMove_BackKick,
        kMove_JumpKick,
        kMove_Stomp,
        kMove_Grab,
        kMove_ThrowAhead,
        kMove_ThrowBehind,
        kMove_Knee,
        kMove_MAX
    };
    static const char* moveName(int move);

    /** How it plays: every move of the controls, or as a novice. */
    enum Policy
    {
        kPolicy_Full,
        kPolicy_Novice,
        kPolicy_MAX
    };

    VornAutoPlayer(cocos2d::VornGameManager* game, cocos2d::InputHandler_Keyboard* keyboard, float frameTime);

    void setPolicy(int policy) { m_policy = policy; }
    int getPolicy() const { return m_policy; }

    /** Chooses and holds this frame's keys (the caller steps the frame). */
    void decide(int frame);
    /** Lets go of every key. */
    void releaseAll();
    /** From now on presses the buttons of this SDL virtual game-controller pad instead of keys. */
    void usePad(struct _SDL_Joystick* pad) { m_pad = pad; }

    /** How many times each move was set out on, and how many times the player was seen making it. */
    int tries(int move) const { return m_tries[move]; }
    int made(int move) const { return m_made[move]; }
    /** The moves tried a few times that never came out, by name, or "" when every one was seen. */
    std::string movesNeverMade() const;
    /** Each time it was held against something on its way on and had to step round, with where. */
    const std::vector<std::string>& stepRounds() const { return m_stepRounds; }
    /** Arena tasks seen completed, by kind (see taskKind). */
    const std::map<std::string, int>& tasksCompleted() const { return m_tasksCompleted; }
    /** Every arena task kind the pool can draw, by the names tasksCompleted uses. */
    static std::vector<std::string> taskKinds();

    /** Grabs tried and made with the time from the kick's daze to the walk-in, for measuring. */
    struct GrabTry
    {
        float depthOffset;  ///< the fighters' depth apart as the walk-in began
        bool held;
    };
    const std::vector<GrabTry>& grabTries() const { return m_grabTries; }

private:
    void hold(int code, bool down);
    void tap(int code) { m_tap.insert(code); }
    float seconds(int frame) const { return frame * m_frameTime; }
    void watchMoves();
    cocos2d::BotActor* nearestEnemy();
    /** Presses and releases keys to match this frame's choice. */
    void applyKeys();
    /** The novice's turn: a new choice each quarter second, the keys held in between. */
    void decideAsNovice(int frame);
    void watchTasks();
    /** The move the arena's tasks ask for now, or kMove_MAX when none does (or not in an arena). */
    int taskMove(cocos2d::BotActor* target);
    /** The kind of the drawn task played for: the one done least often so far ("" outside a match). */
    std::string taskPlayedFor();
    void nextMove();
    void fight(int frame, cocos2d::BotActor* target);
    void grab(int frame, cocos2d::BotActor* target);
    void walkOn(int frame);
    /** Away from every enemy's swing, for the task of surviving without a hit. */
    void keepClear();

    cocos2d::VornGameManager* m_game;
    cocos2d::InputHandler_Keyboard* m_keyboard;
    float m_frameTime;
    struct _SDL_Joystick* m_pad;
    int m_policy;
    float m_nextLook;  ///< when the novice looks again

    // This frame's keys: held ones, and taps (pressed for this frame only).
    bool m_left, m_right, m_up, m_down, m_punchHeld;
    std::set<int> m_tap;
    std::set<int> m_down_keys;

    // The move being made: which, since when, and the step of it reached.
    int m_move;
    int m_rotation;
    float m_moveStart;
    int m_step;
    float m_stepAt;
    float m_now;
    cocos2d::BotActor* m_grabTarget;  ///< not retained: compared and read while in play only

    // Being held against something while walking on, along one lane of the floor.
    bool m_walking = false;
    int m_lane = 0;
    cocos2d::CCPoint m_lastSpot;
    float m_stuckSince;
    float m_roundUntil;

    int m_tries[kMove_MAX];
    int m_made[kMove_MAX];
    std::string m_lastActionSeen;
    std::vector<std::string> m_stepRounds;
    std::vector<GrabTry> m_grabTries;

    // The arena's slots as last seen: their draw factor and kind.
    int m_tasksCompletedSeen;
    float m_slotDifficulty[3];
    std::string m_slotKind[3];
    std::map<std::string, int> m_tasksCompleted;
};

#endif // __VORN_AUTO_PLAYER_H__
