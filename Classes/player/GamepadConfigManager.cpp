#include "GamepadConfigManager.h"

#include "CCDictionary.h"
#include "CCFileUtils.h"
#include "CCString.h"
#include "CCUserDefault.h"
#include "GameManager.h"
#include "VornPlayerInputBase.h"

#include <cstdio>
#include <cstdlib>

NS_CC_BEGIN

namespace
{
const char* const kHashKey = "GamepadInfo_DeviceHash";
// What a reset stores: no pad is customised.
const char* const kNoCustomPad = "ffffffff";
const int kOuyaPlatform = 9;

std::string codeKey(int input)
{
    return std::string("GamepadInfo_") + VornPlayerInputBase::inputToName(input);
}

unsigned int readHash(const char* text)
{
    return (unsigned int)strtoul(text, NULL, 16);
}
} // namespace

GamepadConfigManager* GamepadConfigManager::create()
{
    GamepadConfigManager* manager = new GamepadConfigManager();
    if (!manager->init())
    {
        delete manager;
        return NULL;
    }
    manager->autorelease();
    return manager;
}

bool GamepadConfigManager::init()
{
    m_tables.clear();
    loadGamepadCodeTables();
    loadCustomGamepadInfo();
    return true;
}

const char* GamepadConfigManager::descriptionFileName()
{
    return GameManager::isPlatformType(kOuyaPlatform) ? "gamepads.ouya.plist" : "gamepads.android.plist";
}

void GamepadConfigManager::loadGamepadCodeTables()
{
    const char* path = CCFileUtils::sharedFileUtils()->fullPathFromRelativePath(descriptionFileName());
    CCDictionary* pads = CCDictionary::createWithContentsOfFile(path);
    if (pads == NULL)
    {
        return;
    }
    CCDictElement* element = NULL;
    CCDICT_FOREACH(pads, element)
    {
        CCDictionary* pad = dynamic_cast<CCDictionary*>(element->getObject());
        if (pad == NULL)
        {
            continue;
        }
        GamepadButtonMap buttons;
        CCDictionary* codes = dynamic_cast<CCDictionary*>(pad->objectForKey(std::string("Codes")));
        CCDictElement* entry = NULL;
        if (codes != NULL)
        {
            CCDICT_FOREACH(codes, entry)
            {
                CCString* code = dynamic_cast<CCString*>(entry->getObject());
                buttons[VornPlayerInputBase::inputFromName(entry->getStrKey())].buttonCode =
                    code != NULL ? code->intValue() : 0;
            }
        }
        CCDictionary* names = dynamic_cast<CCDictionary*>(pad->objectForKey(std::string("Strings")));
        if (names != NULL)
        {
            CCDICT_FOREACH(names, entry)
            {
                CCString* name = dynamic_cast<CCString*>(entry->getObject());
                if (name == NULL)
                {
                    continue;
                }
                GamepadButtonInfo& info = buttons[VornPlayerInputBase::inputFromName(entry->getStrKey())];
                info.buttonName = name->getCString();
                info.hasName = true;
            }
        }
        m_tables[readHash(pad->valueForKey("DeviceHash")->getCString())] = buttons;
    }
}

void GamepadConfigManager::loadCustomGamepadInfo()
{
    CCUserDefault* settings = CCUserDefault::sharedUserDefault();
    const std::string hashText = settings->getStringForKey(kHashKey, "");
    // After a reset the old codes may still be stored; they belong to no pad.
    if (hashText.empty() || hashText == kNoCustomPad)
    {
        return;
    }
    CCLog("GamepadInfo_DeviceHash = %s", hashText.c_str());
    GamepadButtonMap buttons;
    for (int input = kVornInput_Nop; input < kVornInput_MAX; ++input)
    {
        const std::string key = codeKey(input);
        const int code = settings->getIntegerForKey(key.c_str(), 0);
        buttons[input].buttonCode = code;
        CCLog("%s = %d", key.c_str(), code);
    }
    m_tables[readHash(hashText.c_str())] = buttons;
}

void GamepadConfigManager::saveGamepadInfo(unsigned int deviceHash, const GamepadButtonMap& mapping)
{
    CCUserDefault* settings = CCUserDefault::sharedUserDefault();
    char hashText[16];
    snprintf(hashText, sizeof(hashText), "%x", deviceHash);
    settings->setStringForKey(kHashKey, hashText);
    for (int input = kVornInput_Nop; input < kVornInput_MAX; ++input)
    {
        GamepadButtonMap::const_iterator found = mapping.find(input);
        settings->setIntegerForKey(codeKey(input).c_str(), found != mapping.end() ? found->second.buttonCode : 0);
    }
    settings->flush();
    m_tables.clear();
    loadGamepadCodeTables();
    loadCustomGamepadInfo();
}

void GamepadConfigManager::resetCustomGamepadInfo()
{
    CCUserDefault* settings = CCUserDefault::sharedUserDefault();
    settings->setStringForKey(kHashKey, kNoCustomPad);
    settings->flush();
    m_tables.clear();
    loadGamepadCodeTables();
}

const GamepadButtonMap* GamepadConfigManager::getButtonMap(unsigned int deviceHash) const
{
    std::map<unsigned int, GamepadButtonMap>::const_iterator found = m_tables.find(deviceHash);
    return found != m_tables.end() ? &found->second : NULL;
}

NS_CC_END
