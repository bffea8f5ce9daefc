#include "CCLabelBMFont.h"
#include "InputHandler_DesktopGamepad.h"
#include "InputHandler_Keyboard.h"
#include "InputManager.h"
#include "MenuScreenFixture.h"
#include "RemapControlsScreen.h"
#include "VornPlayer.h"
#include "VornPlayerInputMulti.h"

#include <string>

USING_NS_CC;

namespace
{
int count(const std::string& text, const std::string& part)
{
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    {
        ++n;
    }
    return n;
}
} // namespace

class RemapControlsTest : public MenuScreenTest
{
protected:
    virtual void SetUp()
    {
        CCUserDefault::sharedUserDefault()->setStringForKey("UserControls", "");
        MenuScreenTest::SetUp();
        m_keyboard = dynamic_cast<InputHandler_Keyboard*>(
            InputManager::sharedInputManager()->getHandlerWithName("KeyboardHandler"));
        m_pads = dynamic_cast<InputHandler_DesktopGamepad*>(
            InputManager::sharedInputManager()->getHandlerWithName("DesktopGamepadHandler"));
        m_input = dynamic_cast<VornPlayerInputMulti*>(m_game->getPlayer()->getInput());
        ASSERT_NE(nullptr, m_keyboard);
        ASSERT_NE(nullptr, m_pads);
        ASSERT_NE(nullptr, m_input);
        m_screen = addScreen(RemapControlsScreen::create());
        ASSERT_NE(nullptr, m_screen);
        m_screen->open();
        stepFrames(20, 1.0f / 30.0f);
    }
    // The game's update signal drives the handlers and this screen; subscribers run in address
    // order, so two emissions make sure each has seen the other's work.
    void frames()
    {
        m_game->getUpdateSignal().emit(1.0f / 60.0f);
        m_game->getUpdateSignal().emit(1.0f / 60.0f);
    }
    void press(int key)
    {
        m_keyboard->keyPressed(key);
        frames();
        m_keyboard->keyReleased(key);
        frames();
    }
    void pressPad(int button)
    {
        m_pads->queueButtonEvent(kPadType, 7, button, true);
        frames();
        m_pads->queueButtonEvent(kPadType, 7, button, false);
        frames();
    }
    int keyFor(int input) { return m_keyboard->getButtonCodeForInput(input, DEVICE_TYPE_KEYBOARD); }
    std::string stored() { return CCUserDefault::sharedUserDefault()->getStringForKey("UserControls", "?"); }
    /** What the game does at start-up: defaults, then the stored document. */
    void reloadLikeStartUp()
    {
        InputManager::sharedInputManager()->resetAllButtonInfos();
        ASSERT_TRUE(m_input->loadGamepadDescriptions());
        ASSERT_TRUE(m_input->initDefaultMappings());
        ASSERT_TRUE(m_input->loadUserControls());
    }

    static const int kPadType = 0x046DC216;
    InputHandler_Keyboard* m_keyboard = NULL;
    InputHandler_DesktopGamepad* m_pads = NULL;
    VornPlayerInputMulti* m_input = NULL;
    RemapControlsScreen* m_screen = NULL;
};

TEST_F(RemapControlsTest, AKeyboardSequenceIsSavedAndReadBackAndResetBringsTheDefaultsBack)
{
    const int defaultPunch = keyFor(kVornInput_Punch);
    const int defaultPause = keyFor(kVornInput_Pause);
    const int defaultMenuBack = keyFor(kVornInput_MenuBack);
    ASSERT_NE(-1, defaultPause);
    // A remap that goes well is nothing to report: the log is for problems.
    vorntest::LogCapture log;

    m_screen->startRemap();
    // Only the menus stop following the keys; the player's input stays on.
    EXPECT_TRUE(m_input->isEnabled());
    EXPECT_FALSE(m_input->getMenuNavigationRequested());
    EXPECT_STREQ("Push my buttons..", m_screen->getDeviceTypeLabel()->getString());
    frames();
    ASSERT_TRUE(m_screen->isListening());
    const int keys[9] = { 'j', 'l', 'i', 'k', 'x', 'z', 'c', 'v', 'b' };
    for (int i = 0; i < 9; ++i)
    {
        EXPECT_EQ(i + 1, m_screen->getCurrentInput());
        EXPECT_TRUE(m_screen->getSelectionBar()->isVisible());
        press(keys[i]);
    }
    // The keyboard keeps its pause and menu keys: the sequence ends after the moves.
    EXPECT_FALSE(m_screen->isRemapping());
    EXPECT_EQ(0, m_screen->getCurrentInput());
    EXPECT_TRUE(m_input->getMenuNavigationRequested());
    EXPECT_FALSE(m_screen->getSelectionBar()->isVisible());
    // The label names the kind of device, not its id.
    EXPECT_STREQ("Keyboard", m_screen->getDeviceTypeLabel()->getString());
    EXPECT_EQ('x', keyFor(kVornInput_Jump));

    const std::string text = stored();
    EXPECT_NE(std::string::npos, text.find("<?xml version=\"1.0\"?>")) << text;
    EXPECT_EQ(1, count(text, "<Device DeviceType=\"268435457\" DeviceHandler=\"KeyboardHandler\">")) << text;
    EXPECT_NE(std::string::npos, text.find("<ButtonMapping LogicalID=\"5\" ButtonCode=\"120\"/>")) << text;
    // Every input is written, the skipped ones with the keys they kept.
    EXPECT_EQ(12, count(text, "<ButtonMapping ")) << text;
    EXPECT_TRUE(log.lines().empty()) << log.lines().front();

    // Read back as at the next start: the new keys, the old ones free, pause and menus still keyed.
    reloadLikeStartUp();
    for (int i = 0; i < 9; ++i)
    {
        EXPECT_EQ(keys[i], keyFor(i + 1)) << "input " << i + 1;
    }
    EXPECT_EQ(defaultPause, keyFor(kVornInput_Pause));
    EXPECT_EQ(defaultMenuBack, keyFor(kVornInput_MenuBack));
    CCArray* oldPunch = m_keyboard->getButtonInputInfo(defaultPunch, DEVICE_TYPE_KEYBOARD)->getMappedInputs();
    EXPECT_TRUE(oldPunch == NULL || oldPunch->count() == 0);

    m_screen->onReset();
    EXPECT_EQ("", stored());
    EXPECT_EQ(defaultPunch, keyFor(kVornInput_Punch));
    std::string shown = m_screen->getControlsLabel()->getString();
    EXPECT_EQ(12, count(shown, "\n"));
    EXPECT_EQ(0u, shown.find(m_keyboard->getButtonDisplayName(keyFor(kVornInput_Left), DEVICE_TYPE_KEYBOARD)));
}

TEST_F(RemapControlsTest, APadSequenceTakesTwelvePressesAndAssigningAgainReplacesTheDevicesMappings)
{
    for (int round = 0; round < 2; ++round)
    {
        m_screen->startRemap();
        frames();
        // Button 0 carries the first two inputs.
        const int buttons[12] = { 0, 0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11 };
        for (int i = 0; i < 12; ++i)
        {
            ASSERT_EQ(i + 1, m_screen->getCurrentInput()) << "round " << round;
            pressPad(buttons[i] + round);
        }
        EXPECT_FALSE(m_screen->isRemapping());
        // The pad is named by its description, whichever of its kind was pressed.
        EXPECT_STREQ("Logitech Dual Action", m_screen->getDeviceTypeLabel()->getString());
    }
    const std::string text = stored();
    EXPECT_EQ(1, count(text, "<Device ")) << text;
    EXPECT_EQ(12, count(text, "<ButtonMapping ")) << text;
    EXPECT_EQ(2, count(text, "ButtonCode=\"1\"/>")) << text;
    EXPECT_EQ(1, m_pads->getButtonCodeForInput(kVornInput_Right, kPadType));
    CCArray* both = m_pads->getButtonInputInfo(1, kPadType)->getMappedInputs();
    ASSERT_NE(nullptr, both);
    EXPECT_EQ(2u, both->count());

    reloadLikeStartUp();
    EXPECT_EQ(12, m_pads->getButtonCodeForInput(kVornInput_MenuBack, kPadType));
    EXPECT_EQ(1, m_pads->getButtonCodeForInput(kVornInput_Left, kPadType));
}

TEST_F(RemapControlsTest, LeavingHalfWayPutsBackTheSavedControlsAndTheInput)
{
    const int defaultLeft = keyFor(kVornInput_Left);
    // Closing before the listener has even joined must not leave the player's input off.
    m_screen->startRemap();
    m_screen->close();
    stepFrames(20, 1.0f / 30.0f);
    EXPECT_TRUE(m_input->getMenuNavigationRequested());
    EXPECT_FALSE(m_screen->isRemapping());
    EXPECT_FALSE(m_screen->isListening());

    // A stored value that is not a document starts a new one.
    CCUserDefault::sharedUserDefault()->setStringForKey("UserControls", "<UserControls><Device");
    m_screen->open();
    stepFrames(20, 1.0f / 30.0f);
    m_screen->startRemap();
    frames();
    press('q');
    press('e');
    EXPECT_EQ('q', keyFor(kVornInput_Left));
    m_screen->close();
    stepFrames(20, 1.0f / 30.0f);
    EXPECT_TRUE(m_input->getMenuNavigationRequested());
    EXPECT_EQ(defaultLeft, keyFor(kVornInput_Left));
    EXPECT_EQ("<UserControls><Device", stored());
    // Presses after leaving change nothing.
    press('r');
    EXPECT_EQ(defaultLeft, keyFor(kVornInput_Left));
}

TEST_F(RemapControlsTest, EscapeCancelsARemapAndLeavesTheSavedControlsAsTheyWere)
{
    // Saved controls to keep: one finished keyboard sequence.
    m_screen->startRemap();
    frames();
    const int keys[9] = { 'j', 'l', 'i', 'k', 'x', 'z', 'c', 'v', 'b' };
    for (int key : keys)
    {
        press(key);
    }
    const std::string saved = stored();
    ASSERT_NE(std::string::npos, saved.find("ButtonCode=\"120\"")) << saved;

    // Half-way through the pad's sequence the player presses Escape on the keyboard.
    m_screen->startRemap();
    frames();
    pressPad(5);
    pressPad(6);
    ASSERT_EQ(3, m_screen->getCurrentInput());
    press(VornPlayerInputMulti::kKeyEscape);
    EXPECT_FALSE(m_screen->isRemapping());
    EXPECT_EQ(0, m_screen->getCurrentInput());
    EXPECT_TRUE(m_input->getMenuNavigationRequested());
    EXPECT_EQ(saved, stored());
    EXPECT_EQ('j', keyFor(kVornInput_Left));
    EXPECT_NE(5, m_pads->getButtonCodeForInput(kVornInput_Left, kPadType));

    // The next sequence starts from the saved document, not the abandoned one.
    m_screen->startRemap();
    frames();
    for (int key : keys)
    {
        press(key);
    }
    EXPECT_EQ(std::string::npos, stored().find("<Device DeviceType=\"" + std::to_string(kPadType))) << stored();
}
