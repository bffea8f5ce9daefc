#include "VornControllerConfigScreen.h"

#include "CCDirector.h"
#include "CCLabelBMFont.h"
#include "CCMenuGamepad.h"
#include "CCMenuGamepadInputDispatcher.h"
#include "CCMenuItem.h"
#include "VornGameManager.h"
#include "VornPlayer.h"
#include "VornPlayerInputBase.h"
#include "platform/CCGamepadDispatcher.h"

#include <cstdio>

NS_CC_BEGIN

namespace
{
const int kFirstInput = kVornInput_Left;
const int kSequenceDone = kVornInput_MAX;

// The moves are named in the player's language; the rest as the pad screen has always named them.
const char* const kFixedInputNames[] = { "Jump", "Punch", "Kick", "Stomp", "Back Kick",
                                         "Pause", "Menu - Select", "Menu - Back" };

CCGamepadDispatcher* gamepadDispatcher()
{
    return CCDirector::sharedDirector()->getGamepadDispatcher();
}
} // namespace

VornControllerConfigScreen::VornControllerConfigScreen()
    : m_pControllerConfigMenu(NULL), m_pInstructionLabel(NULL), m_pInfoLabel(NULL), m_pDeviceHashLabel(NULL),
      m_pResetMenuItem(NULL), m_pPlayerInput(NULL), m_bListening(false), m_bRemapping(false), m_nCurrentInput(0),
      m_nDeviceHash(-1), m_pJoinedDispatcher(NULL)
{
}

VornControllerConfigScreen::~VornControllerConfigScreen()
{
    setListening(false);
}

bool VornControllerConfigScreen::init()
{
    registerMenuItemSelector("onBack", vornscreen_selector(VornControllerConfigScreen::onBack));
    registerMenuItemSelector("onRemapButtons", vornscreen_selector(VornControllerConfigScreen::onRemapButtons));
    registerMenuItemSelector("onReset", vornscreen_selector(VornControllerConfigScreen::onReset));
    registerGamepadMenuQuery("onControllerConfigMenuUp",
                             vornscreen_gamepad_query(VornControllerConfigScreen::onControllerConfigMenuUp));
    registerGamepadMenuQuery("onControllerConfigMenuDown",
                             vornscreen_gamepad_query(VornControllerConfigScreen::onControllerConfigMenuDown));
    registerGamepadMenuQuery("onControllerConfigMenuLeft",
                             vornscreen_gamepad_query(VornControllerConfigScreen::onControllerConfigMenuLeft));
    registerGamepadMenuQuery("onControllerConfigMenuRight",
                             vornscreen_gamepad_query(VornControllerConfigScreen::onControllerConfigMenuRight));
    registerGamepadMenuQuery("onControllerConfigMenuAction",
                             vornscreen_gamepad_query(VornControllerConfigScreen::onControllerConfigMenuAction));
    registerGamepadMenuQuery("onControllerConfigMenuBack",
                             vornscreen_gamepad_query(VornControllerConfigScreen::onControllerConfigMenuBack));
    registerMemberVariable("controllerConfigMenu", &m_pControllerConfigMenu);
    registerMemberVariable("instructionLabel", &m_pInstructionLabel);
    registerMemberVariable("infoLabel", &m_pInfoLabel);
    registerMemberVariable("deviceHashLabel", &m_pDeviceHashLabel);
    registerMemberVariable("resetMenuItem", &m_pResetMenuItem);
    if (!initWithCCBFile("android-controller-config"))
    {
        return false;
    }
    setVisible(false);
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    VornPlayer* player = game ? game->getPlayer() : NULL;
    m_pPlayerInput = player ? player->getInput() : NULL;
    return true;
}

std::string VornControllerConfigScreen::inputName(int input)
{
    if (input >= kVornInput_Left && input <= kVornInput_Down)
    {
        return VornPlayerInputBase::actionToString(input);
    }
    if (input >= kVornInput_Jump && input <= kVornInput_MenuBack)
    {
        return kFixedInputNames[input - kVornInput_Jump];
    }
    return "";
}

void VornControllerConfigScreen::setLabel(CCLabelBMFont* label, const std::string& text)
{
    if (label)
    {
        label->setString(text.c_str());
    }
}

void VornControllerConfigScreen::setListening(bool listening)
{
    if (listening == m_bListening)
    {
        return;
    }
    m_bListening = listening;
    if (listening)
    {
        // The dispatcher is kept so the screen leaves the one it joined, even after the director has gone.
        m_pJoinedDispatcher = gamepadDispatcher();
        if (m_pJoinedDispatcher)
        {
            m_pJoinedDispatcher->retain();
            m_pJoinedDispatcher->addDelegate(this);
        }
    }
    else if (m_pJoinedDispatcher)
    {
        m_pJoinedDispatcher->removeDelegate(this);
        CC_SAFE_RELEASE_NULL(m_pJoinedDispatcher);
    }
}

void VornControllerConfigScreen::setDeviceHash(int hash)
{
    if (hash == m_nDeviceHash)
    {
        return;
    }
    m_nDeviceHash = hash;
    char text[16];
    snprintf(text, sizeof(text), "%x", (unsigned int)hash);
    setLabel(m_pDeviceHashLabel, text);
}

void VornControllerConfigScreen::open()
{
    if (!isVisible())
    {
        VornScreen::open();
    }
    setListening(true);
    setLabel(m_pDeviceHashLabel, "");
    setLabel(m_pInstructionLabel, "");
    setLabel(m_pInfoLabel, "Buttons in wrong place?\nTry REMAP BUTTONS!");
    setDeviceHash(m_pPlayerInput ? m_pPlayerInput->getDeviceHash() : -1);
}

void VornControllerConfigScreen::onClosed()
{
    setListening(false);
    VornScreen::onClosed();
}

void VornControllerConfigScreen::showPrompt()
{
    if (m_bRemapping)
    {
        char text[64];
        snprintf(text, sizeof(text), "Press button for\n%s", inputName(m_nCurrentInput).c_str());
        setLabel(m_pInfoLabel, text);
    }
    else if (m_nCurrentInput == kSequenceDone)
    {
        setLabel(m_pInfoLabel, "Remap Complete!");
    }
}

void VornControllerConfigScreen::focusDefaultItem()
{
    if (m_pDefaultMenuItem)
    {
        CCMenuGamepadInputDispatcher::sharedDispatcher()->setFocusMenuItem(m_pDefaultMenuItem, -1);
    }
}

void VornControllerConfigScreen::onRemapButtons()
{
    if (m_bRemapping)
    {
        return;
    }
    m_bRemapping = true;
    setLabel(m_pInstructionLabel, "");
    m_nCurrentInput = kFirstInput;
    setDeviceHash(-1);
    showPrompt();
    if (m_pControllerConfigMenu)
    {
        CCMenuGamepadInputDispatcher::sharedDispatcher()->setActiveMenu(m_pControllerConfigMenu, -1);
    }
}

void VornControllerConfigScreen::gamepadButtonEvent(bool pressed, int buttonCode, int value, int deviceHash)
{
    CC_UNUSED_PARAM(value);
    if (!m_bRemapping || !pressed)
    {
        return;
    }
    setDeviceHash(deviceHash);
    char line[64];
    snprintf(line, sizeof(line), "\n%s - %d", inputName(m_nCurrentInput).c_str(), buttonCode);
    setLabel(m_pInstructionLabel, std::string(m_pInstructionLabel ? m_pInstructionLabel->getString() : "") + line);
    m_collectedMapping[m_nCurrentInput].buttonCode = buttonCode;
    ++m_nCurrentInput;
    if (m_nCurrentInput == kSequenceDone)
    {
        m_bRemapping = false;
        if (m_pPlayerInput)
        {
            m_pPlayerInput->saveGamepadInfo((unsigned int)m_nDeviceHash, m_collectedMapping);
        }
        focusDefaultItem();
    }
    showPrompt();
}

bool VornControllerConfigScreen::onControllerConfigMenuUp(int player)
{
    CC_UNUSED_PARAM(player);
    CCLog("UP!");
    return m_bRemapping;
}

bool VornControllerConfigScreen::onControllerConfigMenuDown(int player)
{
    CC_UNUSED_PARAM(player);
    CCLog("DOWN!");
    return m_bRemapping;
}

bool VornControllerConfigScreen::onControllerConfigMenuLeft(int player)
{
    CC_UNUSED_PARAM(player);
    CCLog("LEFT!");
    return m_bRemapping;
}

bool VornControllerConfigScreen::onControllerConfigMenuRight(int player)
{
    CC_UNUSED_PARAM(player);
    CCLog("RIGHT!");
    return m_bRemapping;
}

bool VornControllerConfigScreen::onControllerConfigMenuAction(int player)
{
    CC_UNUSED_PARAM(player);
    CCLog("SELECT!");
    return m_bRemapping;
}

bool VornControllerConfigScreen::onControllerConfigMenuBack(int player)
{
    CC_UNUSED_PARAM(player);
    CCLog("BACK!");
    return m_bRemapping;
}

void VornControllerConfigScreen::onReset()
{
    CCLog("m_pGamepadConfigManager->resetCustomGamepadInfo();");
    if (m_pPlayerInput)
    {
        m_pPlayerInput->resetGamepadInfo();
    }
    CCLog("pDispatcher->setFocusMenuItem");
    focusDefaultItem();
    setLabel(m_pInfoLabel, "Reset Complete!");
}

void VornControllerConfigScreen::onBack()
{
    m_bRemapping = false;
    close();
}

NS_CC_END
