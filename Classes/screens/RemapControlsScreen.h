#ifndef __REMAP_CONTROLS_SCREEN_H__
#define __REMAP_CONTROLS_SCREEN_H__

#include "VornScreen.h"

#include <string>

struct _xmlDoc;
struct _xmlNode;

NS_CC_BEGIN

class ButtonInputEvent;
class CCLabelBMFont;
class GameManager;
class InputHandler;
class InputManager;
class VornPlayerInputMulti;

/**
 * Lets the player give keys or pad buttons to the game's inputs, one input after another, or go
 * back to the defaults. Each press takes effect at once; a finished sequence is kept in the
 * "UserControls" document that the player input reads at start-up.
 *
 * The document: a "UserControls" root holding one "Device" per device type ("DeviceType" as a
 * decimal, "DeviceHandler" the handler's name), each holding one "ButtonMapping" per input
 * ("LogicalID", "ButtonCode", both decimal).
 */
class RemapControlsScreen : public VornScreen
{
public:
    /** The key under which the document is stored. */
    static const char* const kUserControlsKey;

    RemapControlsScreen();
    virtual ~RemapControlsScreen();
    CREATE_FUNC(RemapControlsScreen);

    /** Reads "desktop-controller-config" and follows the game's frames; hidden until opened. */
    virtual bool init();
    /** Opens (once) and shows the controls of the device in use; nothing is being assigned. */
    virtual void open();
    /** The base's close; an unfinished assignment is dropped. */
    virtual void close();

    void onBack();
    /** Forgets the player's controls: the defaults come back and the stored document is emptied. */
    void onReset();
    /** Starts assigning from the first input; presses count from the next frame on. */
    void startRemap();
    /**
     * Ends assigning. An unfinished sequence puts back the stored controls and document, so what
     * is in force is always what the next start-up will read.
     */
    void stopRemap();
    /** Each frame: starts or stops listening to buttons when the remapping flag has changed. */
    void onUpdate(float dt);
    /** While assigning: a press gives the current input to that button; the keyboard's Escape cancels. */
    void onButtonEvent(ButtonInputEvent* event);
    /** A device type as a player knows it: "Keyboard", or the pad's name from its description. */
    static std::string deviceTypeName(InputHandler* handler, int deviceType);

    virtual bool isRemapping() { return m_bRemapping; }
    virtual void setRemapping(bool remapping) { m_bRemapping = remapping; }
    /** The input being assigned (1 to 12), 0 when none. */
    int getCurrentInput() const { return m_nCurrentInput; }
    bool isListening() const { return m_bListening; }
    /** The document as it would be saved now. */
    std::string getDocumentText();

    void fillActionsLabel();
    void showControls(InputHandler* handler, int deviceType, int deviceId);
    void showDevice(InputHandler* handler, int deviceType, int deviceId);
    void updateSelectionBar();
    /** Reads the stored document; an empty or unreadable one gives a new empty document. */
    void loadDocument();
    void saveDocument();

    virtual CCLabelBMFont* getActionsLabel() { return m_pActionsLabel; }
    virtual CCLabelBMFont* getControlsLabel() { return m_pControlsLabel; }
    virtual CCNode* getSelectionBar() { return m_pSelectionBar; }
    virtual CCLabelBMFont* getDeviceTypeLabel() { return m_pDeviceTypeLabel; }
    virtual CCLabelBMFont* getDeviceHashLabel() { return m_pDeviceHashLabel; }
    virtual CCMenuItem* getResetMenuItem() { return m_pResetMenuItem; }

protected:
    /** The player's input, when the game has one of this kind. */
    virtual VornPlayerInputMulti* getPlayerInput();

private:
    _xmlNode* findOrAddDevice(int deviceType, const char* handlerName);
    void removeButtonMapping(_xmlNode* device, int input);
    void addButtonMapping(_xmlNode* device, int input, int buttonCode);
    /** Writes the handler's current button for every input the device has no mapping of. */
    void completeDevice(_xmlNode* device, InputHandler* handler, int deviceType);
    /** Drops every mapping and builds them again from the defaults and the stored document. */
    void reloadControls();
    void showPlayerControls();
    void focus(CCMenuItem* item);
    void listen(bool on);
    /** Menus stop following the buttons while they are being assigned; play input stays on. */
    void setMenuNavigation(bool on);

    CCLabelBMFont* m_pActionsLabel;
    CCLabelBMFont* m_pControlsLabel;
    CCNode* m_pSelectionBar;
    CCLabelBMFont* m_pDeviceTypeLabel;
    CCLabelBMFont* m_pDeviceHashLabel;
    CCMenuItem* m_pResetMenuItem;
    _xmlDoc* m_pDocument;  ///< owned
    int m_nCurrentInput;
    bool m_bRemapping;
    bool m_bListening;     ///< the remapping flag as last seen by onUpdate: the button listener is connected
    GameManager* m_pJoinedGame;      ///< whose update signal this screen follows
    InputManager* m_pListenedInput;  ///< whose button signal it listens to
};

NS_CC_END

#endif // __REMAP_CONTROLS_SCREEN_H__
