// libFuzzer entry: the saved controls document ("UserControls"). The player input applies any
// text without a crash or a leak, and what the controls screen saves of a document it read gives
// the player the same controls.
#include "ButtonInputInfo.h"
#include "FuzzQuiet.h"
#include "InputHandler.h"
#include "InputManager.h"
#include "RemapControlsScreen.h"
#include "VornGameManager.h"
#include "VornJoystickBackend.h"
#include "VornPlayerInputMulti.h"
#include "cocos2d.h"

#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

USING_NS_CC;

namespace
{
VornPlayerInputMulti* s_input = NULL;

// handler, device type, button code -> the inputs it triggers, in order
typedef std::map<std::vector<intptr_t>, std::vector<int> > Mappings;

Mappings applyControls(const std::string& text)
{
    CCUserDefault::sharedUserDefault()->setStringForKey(RemapControlsScreen::kUserControlsKey, text);
    InputManager* inputs = InputManager::sharedInputManager();
    inputs->resetAllButtonInfos();
    if (!s_input->loadGamepadDescriptions() || !s_input->initDefaultMappings() || !s_input->loadUserControls()) abort();

    Mappings mappings;
    const char* handlers[] = { "KeyboardHandler", "DesktopGamepadHandler" };
    for (intptr_t h = 0; h < 2; ++h)
    {
        InputHandler* handler = inputs->getHandlerWithName(handlers[h]);
        CCDictionary* devices = handler ? handler->getButtonInfos() : NULL;
        CCDictElement* device = NULL;
        CCDICT_FOREACH(devices, device)
        {
            CCDictElement* button = NULL;
            CCDICT_FOREACH(static_cast<CCDictionary*>(device->getObject()), button)
            {
                CCArray* mapped = static_cast<ButtonInputInfo*>(button->getObject())->getMappedInputs();
                std::vector<int>& inputsOf = mappings[{ h, device->getIntKey(), button->getIntKey() }];
                for (unsigned int i = 0; mapped && i < mapped->count(); ++i)
                {
                    inputsOf.push_back(static_cast<CCInteger*>(mapped->objectAtIndex(i))->getValue());
                }
            }
        }
    }
    return mappings;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzQuietLog();
    // The settings are never written, but keep them away from the player's anyway.
    char home[] = "/tmp/vorn-controls-fuzz-XXXXXX";
    if (!mkdtemp(home)) abort();
    setenv("XDG_DATA_HOME", home, 1);
    const char* resources = getenv("VORN_FUZZ_RESOURCES");
    CCFileUtils::sharedFileUtils()->setResourceDirectory(resources ? resources : VORN_FUZZ_RESOURCES);
    VornJoystickBackend::useFakeDevices();
    CCUserDefault::sharedUserDefault()->setStringForKey(RemapControlsScreen::kUserControlsKey, "");
    VornGameManager* manager = new VornGameManager();
    if (!manager->initVornGameManager()) abort();
    s_input = new VornPlayerInputMulti();
    if (!s_input->init()) abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CCScopedAutoreleasePool pool;
    const Mappings first = applyControls(std::string((const char*)data, size));

    // The screen keeps the document it reads and saves it back as it stands.
    RemapControlsScreen* screen = new RemapControlsScreen();
    screen->loadDocument();
    const std::string saved = screen->getDocumentText();
    screen->release();
    if (applyControls(saved) != first) abort();
    return 0;
}
