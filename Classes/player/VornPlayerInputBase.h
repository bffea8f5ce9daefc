#ifndef __VORN_PLAYER_INPUT_BASE_H__
#define __VORN_PLAYER_INPUT_BASE_H__

#include "CCGeometry.h"
#include "CCObject.h"
#include "GamepadConfigManager.h"
#include "Signal.h"

#include <string>

NS_CC_BEGIN

class VornPlayer;

/** What the player can ask for. The values are saved in the user's controls: never renumber. */
enum
{
    kVornInput_Nop = 0,
    kVornInput_Left = 1,
    kVornInput_Right = 2,
    kVornInput_Up = 3,
    kVornInput_Down = 4,
    kVornInput_Jump = 5,
    kVornInput_Punch = 6,
    kVornInput_Kick = 7,
    kVornInput_Stomp = 8,
    kVornInput_BackKick = 9,
    kVornInput_Pause = 10,
    kVornInput_MenuAction = 11,
    kVornInput_MenuBack = 12,
    kVornInput_MAX = 13,
};

/** What a raw pad axis drives (an input handler's axis mapping holds these). */
enum
{
    kGamepadAxis_Nop = 0,
    kGamepadAxis_MoveX = 1,
    kGamepadAxis_MoveY = 2,
    kGamepadAxis_DpadMoveX = 3,
    kGamepadAxis_DpadMoveY = 4,
    kGamepadAxis_MAX = 5,
};

/**
 * Turns devices into the player's intentions: a movement vector and one-shot moves, announced on
 * signals the player character listens to. The signals fire whether or not a player is connected.
 */
class VornPlayerInputBase : public CCObject
{
public:
    VornPlayerInputBase();
    virtual ~VornPlayerInputBase();

    /** A NULL player is ignored. */
    virtual void connect(VornPlayer* player);
    /** Forgets the player; unsubscribing from the signals is the player's own business. */
    virtual void disconnect();
    /** The name of the key or button that triggers the input on the device in use; "" here. */
    virtual std::string getDisplayStringForAction(int input);

    virtual bool getIsConnected() { return m_bIsConnected; }
    virtual void setIsConnected(bool connected) { m_bIsConnected = connected; }
    virtual VornPlayer* getPlayer() { return m_pPlayer; }
    virtual void setPlayer(VornPlayer* player) { m_pPlayer = player; }

    // Getters hand out the signal itself; setters copy another signal's subscribers.
    virtual Signal<CCPoint>& getMovementSignal() { return m_movementSignal; }
    virtual void setMovementSignal(const Signal<CCPoint>& signal) { m_movementSignal = signal; }
    virtual Signal<>& getPunchSignal() { return m_punchSignal; }
    virtual void setPunchSignal(const Signal<>& signal) { m_punchSignal = signal; }
    virtual Signal<>& getPunchHoldSignal() { return m_punchHoldSignal; }
    virtual void setPunchHoldSignal(const Signal<>& signal) { m_punchHoldSignal = signal; }
    virtual Signal<>& getJumpSignal() { return m_jumpSignal; }
    virtual void setJumpSignal(const Signal<>& signal) { m_jumpSignal = signal; }
    virtual Signal<>& getStompSignal() { return m_stompSignal; }
    virtual void setStompSignal(const Signal<>& signal) { m_stompSignal = signal; }
    virtual Signal<>& getBackKickSignal() { return m_backKickSignal; }
    virtual void setBackKickSignal(const Signal<>& signal) { m_backKickSignal = signal; }
    virtual Signal<>& getKickSignal() { return m_kickSignal; }
    virtual void setKickSignal(const Signal<>& signal) { m_kickSignal = signal; }

    /** The hash of the pad in use (as the engine's gamepad dispatcher reports it); -1 when none. */
    virtual int getDeviceHash() { return -1; }
    /**
     * Keeps the pad's button for each input as the player's custom pad and rebuilds the pad
     * tables with it; an input missing from the mapping is stored as button 0.
     */
    void saveGamepadInfo(unsigned int deviceHash, const GamepadButtonMap& mapping);
    /** Forgets the custom pad: the pad tables are the stock ones again. */
    void resetGamepadInfo();
    /** The pad tables, read on first use. */
    GamepadConfigManager* getGamepadConfig();

    /** The input's text in the player's language; "NOP" for 0, "MAX" for 13, "" outside. */
    static std::string actionToString(int input);
    /** "kVornInput_Left" and so on for 1 to 12; "" otherwise. */
    static std::string inputToName(int input);
    /** The input a name stands for (exact spelling); kVornInput_Nop when none. */
    static int inputFromName(const std::string& name);

protected:
    // What the input needs to know of its player; without one: menus of player 0, not grabbing,
    // facing right.
    virtual int getPlayerInputIndex();
    virtual bool isPlayerGrabbing();
    virtual bool isPlayerFacingLeft();

    bool m_bIsConnected;
    VornPlayer* m_pPlayer;
    GamepadConfigManager* m_pGamepadConfig;  ///< retained, made on first use  ///< weak: the player disconnects before it goes
    Signal<CCPoint> m_movementSignal;
    Signal<> m_punchSignal;
    Signal<> m_punchHoldSignal;
    Signal<> m_jumpSignal;
    Signal<> m_stompSignal;
    Signal<> m_backKickSignal;
    Signal<> m_kickSignal;
};

NS_CC_END

#endif // __VORN_PLAYER_INPUT_BASE_H__
