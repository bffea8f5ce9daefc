// The pad set-up screen driven by a scripted pad through the engine's gamepad dispatcher, inside a
// started game.
#include "CCLabelBMFont.h"
#include "CCMenuGamepad.h"
#include "CCMenuGamepadInputDispatcher.h"
#include "CCMenuItem.h"
#include "GamepadConfigManager.h"
#include "MenuScreenFixture.h"
#include "VornControllerConfigScreen.h"
#include "VornPlayer.h"
#include "VornPlayerInputBase.h"
#include "platform/CCGamepadDispatcher.h"

#include <string>

USING_NS_CC;

namespace
{
const int kPadHash = 0x5a17c0de;

int countLines(const std::string& text)
{
    int n = 0;
    for (size_t i = 0; i < text.size(); ++i)
    {
        n += text[i] == '\n' ? 1 : 0;
    }
    return n;
}
} // namespace

class ControllerConfigTest : public MenuScreenTest
{
protected:
    virtual void SetUp()
    {
        CCUserDefault* store = CCUserDefault::sharedUserDefault();
        store->setStringForKey("GamepadInfo_DeviceHash", "");
        MenuScreenTest::SetUp();
        m_screen = addScreen(VornControllerConfigScreen::create());
        ASSERT_NE(nullptr, m_screen);
        m_input = m_game->getPlayer()->getInput();
        ASSERT_NE(nullptr, m_input);
        EXPECT_EQ(m_input, m_screen->getPlayerInput());
        m_screen->open();
        stepFrames(20, 1.0f / 30.0f);
    }
    /** One press and release of a pad button, as the view reports it. */
    void pressPad(int button, int hash = kPadHash)
    {
        CCGamepadDispatcher* pads = CCDirector::sharedDirector()->getGamepadDispatcher();
        pads->dispatchButton(true, button, 1, hash);
        pads->dispatchButton(false, button, 0, hash);
    }
    std::string text(CCLabelBMFont* label) { return label && label->getString() ? label->getString() : ""; }
    std::string stored(const char* key) { return CCUserDefault::sharedUserDefault()->getStringForKey(key, "?"); }
    int storedCode(int input)
    {
        std::string key = "GamepadInfo_" + VornPlayerInputBase::inputToName(input);
        return CCUserDefault::sharedUserDefault()->getIntegerForKey(key.c_str(), -100);
    }

    VornControllerConfigScreen* m_screen = NULL;
    VornPlayerInputBase* m_input = NULL;
};

TEST_F(ControllerConfigTest, TwelvePressesMakeTheCustomPadAndAResetForgetsIt)
{
    EXPECT_TRUE(m_screen->isListening());
    EXPECT_EQ("Buttons in wrong place?\nTry REMAP BUTTONS!", text(m_screen->getInfoLabel()));
    // Presses before the sequence starts are nobody's.
    pressPad(3);
    EXPECT_EQ("", text(m_screen->getInstructionLabel()));

    m_screen->onRemapButtons();
    ASSERT_TRUE(m_screen->isRemapping());
    EXPECT_EQ(1, m_screen->getCurrentInput());
    EXPECT_EQ("Press button for\n" + VornPlayerInputBase::actionToString(kVornInput_Left),
              text(m_screen->getInfoLabel()));
    for (int input = kVornInput_Left; input <= kVornInput_MenuBack; ++input)
    {
        EXPECT_EQ(input, m_screen->getCurrentInput());
        pressPad(20 + input);
        if (input == kVornInput_Jump)
        {
            // The next prompt names the input to come.
            EXPECT_EQ("Press button for\nPunch", text(m_screen->getInfoLabel()));
        }
    }
    EXPECT_FALSE(m_screen->isRemapping());
    EXPECT_EQ("Remap Complete!", text(m_screen->getInfoLabel()));
    const std::string lines = text(m_screen->getInstructionLabel());
    EXPECT_EQ(12, countLines(lines)) << lines;
    EXPECT_EQ(0u, lines.find("\nLeft - 21")) << lines;
    EXPECT_NE(std::string::npos, lines.find("\nBack Kick - 29")) << lines;
    EXPECT_NE(std::string::npos, lines.find("\nMenu - Back - 32")) << lines;
    EXPECT_EQ("5a17c0de", text(m_screen->getDeviceHashLabel()));

    // Saved through the player's input: the hash, a code per input, and the pad tables use them.
    EXPECT_EQ("5a17c0de", stored("GamepadInfo_DeviceHash"));
    EXPECT_EQ(0, storedCode(kVornInput_Nop));
    EXPECT_EQ(25, storedCode(kVornInput_Jump));
    EXPECT_EQ(32, storedCode(kVornInput_MenuBack));
    const GamepadButtonMap* pad = m_input->getGamepadConfig()->getButtonMap(kPadHash);
    ASSERT_NE(nullptr, pad);
    EXPECT_EQ(26, pad->find(kVornInput_Punch)->second.buttonCode);
    // Later presses are not taken.
    pressPad(7);
    EXPECT_EQ(lines, text(m_screen->getInstructionLabel()));

    m_screen->onReset();
    EXPECT_EQ("Reset Complete!", text(m_screen->getInfoLabel()));
    EXPECT_EQ("ffffffff", stored("GamepadInfo_DeviceHash"));
    EXPECT_EQ(nullptr, m_input->getGamepadConfig()->getButtonMap(kPadHash));
}

TEST_F(ControllerConfigTest, ASequenceIsThePadsAlonePressesOnTheMenuAreTakenAndBackDropsIt)
{
    CCMenuGamepadInputDispatcher* menus = CCMenuGamepadInputDispatcher::sharedDispatcher();
    ASSERT_NE(nullptr, m_screen->getControllerConfigMenu());
    m_screen->onRemapButtons();
    EXPECT_EQ(m_screen->getControllerConfigMenu(), menus->getActiveMenu(0));
    menus->setFocusMenuItem(m_screen->getResetMenuItem(), 0);
    m_screen->getResetMenuItem()->selected();
    // Directions and select on the menu belong to the sequence: no move, no reset, no close.
    menus->handleMenuInput(kMenuGamepadInput_Right, 0);
    menus->handleMenuInput(kMenuGamepadInput_Action, 0);
    menus->handleMenuInput(kMenuGamepadInput_Back, 0);
    EXPECT_EQ(m_screen->getResetMenuItem(), menus->getFocusMenuItem(0));
    EXPECT_NE("Reset Complete!", text(m_screen->getInfoLabel()));
    EXPECT_TRUE(m_screen->isVisible());

    // A release is not a press; pads may mix within one sequence, the last one's hash counts.
    CCDirector::sharedDirector()->getGamepadDispatcher()->dispatchButton(false, 4, 0, kPadHash);
    EXPECT_EQ(1, m_screen->getCurrentInput());
    pressPad(4, 0x111);
    pressPad(5, 0x222);
    EXPECT_EQ(3, m_screen->getCurrentInput());
    EXPECT_EQ("222", text(m_screen->getDeviceHashLabel()));

    // Backing out saves nothing and stops listening once closed.
    m_screen->onBack();
    EXPECT_FALSE(m_screen->isRemapping());
    stepFrames(20, 1.0f / 30.0f);
    EXPECT_FALSE(m_screen->isVisible());
    EXPECT_FALSE(m_screen->isListening());
    EXPECT_EQ("", stored("GamepadInfo_DeviceHash"));
    pressPad(6);
    EXPECT_EQ(3, m_screen->getCurrentInput());
    // Out of a sequence the menu moves as usual.
    m_screen->open();
    stepFrames(20, 1.0f / 30.0f);
    EXPECT_TRUE(m_screen->isListening());
    EXPECT_FALSE(m_screen->onControllerConfigMenuRight(0));
}
