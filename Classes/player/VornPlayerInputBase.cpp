#include "VornPlayerInputBase.h"

#include "LocaleManager.h"
#include "VornGameTypes.h"
#include "VornPlayer.h"

NS_CC_BEGIN

namespace
{
struct InputText
{
    const char* name;
    const char* localeKey;
};

// Indexed by input value, 1 to 12.
const InputText kInputTexts[kVornInput_MAX] = {
    {"", ""},
    {"kVornInput_Left", "CONTROL_LEFT"},
    {"kVornInput_Right", "CONTROL_RIGHT"},
    {"kVornInput_Up", "CONTROL_UP"},
    {"kVornInput_Down", "CONTROL_DOWN"},
    {"kVornInput_Jump", "CONTROL_JUMP"},
    {"kVornInput_Punch", "CONTROL_PUNCH"},
    {"kVornInput_Kick", "CONTROL_KICK"},
    {"kVornInput_Stomp", "CONTROL_STOMP"},
    {"kVornInput_BackKick", "CONTROL_BACK_KICK"},
    {"kVornInput_Pause", "CONTROL_PAUSE"},
    {"kVornInput_MenuAction", "CONTROL_MENU_SELECT"},
    {"kVornInput_MenuBack", "CONTROL_MENU_BACK"},
};

bool isNamedInput(int input)
{
    return input > kVornInput_Nop && input < kVornInput_MAX;
}
} // namespace

VornPlayerInputBase::VornPlayerInputBase() : m_bIsConnected(false), m_pPlayer(NULL), m_pGamepadConfig(NULL)
{
}

VornPlayerInputBase::~VornPlayerInputBase()
{
    CC_SAFE_RELEASE(m_pGamepadConfig);
}

GamepadConfigManager* VornPlayerInputBase::getGamepadConfig()
{
    if (!m_pGamepadConfig)
    {
        m_pGamepadConfig = GamepadConfigManager::create();
        CC_SAFE_RETAIN(m_pGamepadConfig);
    }
    return m_pGamepadConfig;
}

void VornPlayerInputBase::saveGamepadInfo(unsigned int deviceHash, const GamepadButtonMap& mapping)
{
    if (GamepadConfigManager* config = getGamepadConfig())
    {
        config->saveGamepadInfo(deviceHash, mapping);
    }
}

void VornPlayerInputBase::resetGamepadInfo()
{
    if (GamepadConfigManager* config = getGamepadConfig())
    {
        config->resetCustomGamepadInfo();
    }
}

void VornPlayerInputBase::connect(VornPlayer* player)
{
    if (player == NULL)
    {
        return;
    }
    m_pPlayer = player;
    setIsConnected(true);
}

void VornPlayerInputBase::disconnect()
{
    m_pPlayer = NULL;
    m_bIsConnected = false;
}

int VornPlayerInputBase::getPlayerInputIndex()
{
    return m_pPlayer != NULL ? m_pPlayer->getInputIndex() : 0;
}

bool VornPlayerInputBase::isPlayerGrabbing()
{
    return m_pPlayer != NULL && m_pPlayer->isGrabbing();
}

bool VornPlayerInputBase::isPlayerFacingLeft()
{
    return m_pPlayer != NULL && m_pPlayer->getFacingDir() == kFacingDir_Left;
}

std::string VornPlayerInputBase::getDisplayStringForAction(int input)
{
    CC_UNUSED_PARAM(input);
    return "";
}

std::string VornPlayerInputBase::actionToString(int input)
{
    if (input == kVornInput_Nop)
    {
        return "NOP";
    }
    if (input == kVornInput_MAX)
    {
        return "MAX";
    }
    if (!isNamedInput(input))
    {
        return "";
    }
    LocaleManager* locale = LocaleManager::sharedLocaleManager();
    if (locale == NULL)
    {
        return kInputTexts[input].localeKey;
    }
    const char* text = locale->localize(kInputTexts[input].localeKey);
    return text != NULL ? text : "";
}

std::string VornPlayerInputBase::inputToName(int input)
{
    return isNamedInput(input) ? kInputTexts[input].name : "";
}

int VornPlayerInputBase::inputFromName(const std::string& name)
{
    for (int input = kVornInput_Left; input < kVornInput_MAX; ++input)
    {
        if (name == kInputTexts[input].name)
        {
            return input;
        }
    }
    return kVornInput_Nop;
}

NS_CC_END
