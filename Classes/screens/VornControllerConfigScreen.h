#ifndef __VORN_CONTROLLER_CONFIG_SCREEN_H__
#define __VORN_CONTROLLER_CONFIG_SCREEN_H__

#include "GamepadConfigManager.h"
#include "VornScreen.h"
#include "platform/CCGamepadDelegate.h"

#include <string>

NS_CC_BEGIN

class CCGamepadDispatcher;
class CCLabelBMFont;
class VornPlayerInputBase;

/**
 * The pad set-up screen: the player presses, for each input in turn, the pad button that should
 * trigger it, and the result is kept as the player's custom pad; reset goes back to the stock
 * layout. Buttons come straight from the engine's gamepad dispatcher, which it listens to while
 * it is open. The title screen makes it; no menu opens it on the desktop, where the controls
 * screen does this job.
 */
class VornControllerConfigScreen : public VornScreen, public CCGamepadDelegate
{
public:
    VornControllerConfigScreen();
    virtual ~VornControllerConfigScreen();
    CREATE_FUNC(VornControllerConfigScreen);

    /** Reads "android-controller-config"; hidden until opened. */
    virtual bool init();
    /** Opens (once) and starts over: empty labels, the hint, the player's pad. */
    virtual void open();
    /** Stops listening to the pads. */
    virtual void onClosed();

    /** While remapping, a press gives the current input to that button. */
    virtual void gamepadButtonEvent(bool pressed, int buttonCode, int value, int deviceHash);

    void onBack();
    void onRemapButtons();
    void onReset();
    // The menu's navigation while a sequence runs: the presses are the sequence's, not the menu's.
    bool onControllerConfigMenuUp(int player);
    bool onControllerConfigMenuDown(int player);
    bool onControllerConfigMenuLeft(int player);
    bool onControllerConfigMenuRight(int player);
    bool onControllerConfigMenuAction(int player);
    bool onControllerConfigMenuBack(int player);

    /** The name the screen gives an input in its prompts; "" outside 1 to 12. */
    static std::string inputName(int input);

    virtual VornPlayerInputBase* getPlayerInput() { return m_pPlayerInput; }
    virtual void setPlayerInput(VornPlayerInputBase* input) { m_pPlayerInput = input; }
    virtual bool isListening() { return m_bListening; }
    /** Joins or leaves the engine's gamepad dispatcher; only a change does anything. */
    virtual void setListening(bool listening);
    virtual bool isRemapping() { return m_bRemapping; }
    virtual void setRemapping(bool remapping) { m_bRemapping = remapping; }
    virtual int getCurrentInput() { return m_nCurrentInput; }
    virtual void setCurrentInput(int input) { m_nCurrentInput = input; }
    virtual int getDeviceHash() { return m_nDeviceHash; }
    /** A new hash is written to the hash label. */
    virtual void setDeviceHash(int hash);
    virtual const GamepadButtonMap& getCollectedMapping() { return m_collectedMapping; }
    virtual void setCollectedMapping(const GamepadButtonMap& mapping) { m_collectedMapping = mapping; }

    virtual CCMenuGamepad* getControllerConfigMenu() { return m_pControllerConfigMenu; }
    virtual CCLabelBMFont* getInstructionLabel() { return m_pInstructionLabel; }
    virtual CCLabelBMFont* getInfoLabel() { return m_pInfoLabel; }
    virtual CCLabelBMFont* getDeviceHashLabel() { return m_pDeviceHashLabel; }
    virtual CCMenuItem* getResetMenuItem() { return m_pResetMenuItem; }

private:
    void showPrompt();
    void setLabel(CCLabelBMFont* label, const std::string& text);
    void focusDefaultItem();

    CCMenuGamepad* m_pControllerConfigMenu;
    CCLabelBMFont* m_pInstructionLabel;
    CCLabelBMFont* m_pInfoLabel;
    CCLabelBMFont* m_pDeviceHashLabel;
    CCMenuItem* m_pResetMenuItem;
    VornPlayerInputBase* m_pPlayerInput;  ///< the player's; the game keeps it for the whole run
    bool m_bListening;
    bool m_bRemapping;
    int m_nCurrentInput;
    int m_nDeviceHash;
    GamepadButtonMap m_collectedMapping;
    CCGamepadDispatcher* m_pJoinedDispatcher;  ///< retained while listening
};

NS_CC_END

#endif // __VORN_CONTROLLER_CONFIG_SCREEN_H__
