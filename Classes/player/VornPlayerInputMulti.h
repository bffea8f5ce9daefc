#ifndef __VORN_PLAYER_INPUT_MULTI_H__
#define __VORN_PLAYER_INPUT_MULTI_H__

#include "VornPlayerInputBase.h"
#include "AxisInputEvent.h"
#include "ButtonInputEvent.h"

NS_CC_BEGIN

class GameManager;
class InputHandler;
class InputManager;

/**
 * The desktop player input: keyboard and desktop gamepads through the input manager. Installs the
 * default keys, the pads described in "gamepads.plist" and the player's own controls (the XML
 * document saved under "UserControls"), follows the device last used, turns logical inputs into
 * the player's moves, builds the movement vector every frame and drives the gamepad menus.
 */
class VornPlayerInputMulti : public VornPlayerInputBase
{
public:
    static const float kHoldTime;             ///< a punch held this long is a punch-hold
    static const float kAnalogSwitchThreshold;  ///< a push beyond this picks the device and steps menus
    static const float kBackKickThreshold;    ///< movement away from the facing that turns a kick round
    static const float kAnalogDeadZone;
    static const float kAnalogGain;

    // Key codes of the keyboard handler.
    enum
    {
        kKeyLeft = 4177,
        kKeyUp = 4178,
        kKeyRight = 4179,
        kKeyDown = 4180,
        kKeyEnter = 13,
        kKeyEscape = 27,
        kKeySpace = 32,
    };

    VornPlayerInputMulti();
    virtual ~VornPlayerInputMulti();

    /** Joins the frame updates, then loads the pad descriptions, the defaults and the user's controls. */
    virtual bool init();
    /** Reads "gamepads.plist" into the desktop gamepad handler; a missing file leaves no pads described. */
    bool loadGamepadDescriptions();
    /** Listens to the input manager and adds the default keys and stick axes. */
    bool initDefaultMappings();
    /** Applies the "UserControls" document: each device in it replaces that device's mappings. */
    bool loadUserControls();

    virtual std::string getDisplayStringForAction(int input);

    void update(float dt);
    void onAxisEvent(AxisInputEvent* event);
    void onButtonEvent(ButtonInputEvent* event);
    void onLogicalInput(int input, int deviceType, bool down);

    virtual CCPoint getStickPosition() { return m_stickPosition; }
    virtual void setStickPosition(CCPoint position) { m_stickPosition = position; }
    virtual CCPoint getDpadPosition() { return m_dpadPosition; }
    virtual void setDpadPosition(CCPoint position) { m_dpadPosition = position; }
    virtual CCPoint getMovementVector() { return m_movementVector; }
    virtual void setMovementVector(CCPoint vector) { m_movementVector = vector; }
    virtual float getPunchHoldTimer() { return m_fPunchHoldTimer; }
    virtual void setPunchHoldTimer(float timer) { m_fPunchHoldTimer = timer; }
    virtual InputHandler* getCurrentHandler() { return m_pCurrentHandler; }
    virtual void setCurrentHandler(InputHandler* handler) { m_pCurrentHandler = handler; }
    virtual int getCurrentDeviceType() { return m_nCurrentDeviceType; }
    virtual void setCurrentDeviceType(int deviceType) { m_nCurrentDeviceType = deviceType; }
    virtual int getLastDeviceId() { return m_nLastDeviceId; }
    virtual void setLastDeviceId(int deviceId) { m_nLastDeviceId = deviceId; }
    virtual int getActiveDeviceId() { return m_nActiveDeviceId; }
    virtual void setActiveDeviceId(int deviceId) { m_nActiveDeviceId = deviceId; }
    virtual bool getMenuNavigationEnabled() { return m_bMenuNavigationEnabled; }
    virtual void setMenuNavigationEnabled(bool enabled) { m_bMenuNavigationEnabled = enabled; }
    /** Takes effect at the next frame's update. */
    virtual bool getMenuNavigationRequested() { return m_bMenuNavigationRequested; }
    virtual void setMenuNavigationRequested(bool requested) { m_bMenuNavigationRequested = requested; }

    /** Off: buttons and axes are ignored (nothing held, no moves, no menu steps), e.g. while keys are being remapped. */
    virtual bool isEnabled() { return m_bEnabled; }
    virtual void setEnabled(bool enabled);

    /** Whether a button mapped to the input is held. */
    bool isInputHeld(int input) const;

protected:
    /** One menu step (kMenuGamepadInput_*) for the player whose controls these are. */
    void driveMenu(int menuInput, int player);
    void pushMenuDirection(int direction, int deviceType);
    void togglePause();
    /** The connected player's input index; 0 without a player. */
    int currentPlayerIndex();
    /** The movement vector from the stick, the D-pad and the held direction keys. */
    CCPoint computeMovement() const;

    CCPoint m_stickPosition;
    CCPoint m_dpadPosition;
    CCPoint m_movementVector;
    float m_fPunchHoldTimer;
    InputHandler* m_pCurrentHandler;  ///< weak: the input manager keeps its handlers
    int m_nCurrentDeviceType;
    int m_nLastDeviceId;
    unsigned int m_uHeldInputMask;
    int m_nActiveDeviceId;
    bool m_bMenuNavigationEnabled;
    bool m_bMenuNavigationRequested;
    bool m_bEnabled;

private:
    void disconnectFromSources();
    void disconnectFromInput();

    GameManager* m_pUpdateSource;     ///< whose update signal drives this input
    InputManager* m_pInputSource;     ///< whose signals deliver the events
};

NS_CC_END

#endif // __VORN_PLAYER_INPUT_MULTI_H__
