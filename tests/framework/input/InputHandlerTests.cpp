#include "GameManager.h"
#include "InputHandler_Keyboard.h"
#include "InputManager.h"
#include "InputTestSupport.h"
#include "TouchInput.h"
#include "cocos2d.h"
#include "VornJoystickBackend.h"
#include "VornTestSupport.h"

#include "CCKeyboardDispatcher.h"

#include <gtest/gtest.h>

USING_NS_CC;

namespace
{
const int kPunch = 6;
const int kKick = 7;
const int kJump = 5;

class KeyboardTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        keyboard = new InputHandler_Keyboard();
        keyboard->setDeviceID(1234);
        ASSERT_TRUE(keyboard->init());
        keyboard->getButtonSignal().connect(&recorder, &EventRecorder::onButton);
        keyboard->getAxisSignal().connect(&recorder, &EventRecorder::onAxis);
    }
    void TearDown() override { keyboard->release(); }

    CCScopedAutoreleasePool pool;
    InputHandler_Keyboard* keyboard;
    EventRecorder recorder;
};

// Resets the controls from inside a dispatch, the way the controls screen does on a key press.
class ResettingSubscriber
{
public:
    void onButton(ButtonInputEvent* event)
    {
        if (!resetDone)
        {
            resetDone = true;
            manager->resetAllButtonInfos();
            keyboard->clearButtonMappings(DEVICE_TYPE_KEYBOARD);
            InputHandler::removeInputMapping(kKick, static_cast<CCDictionary*>(
                keyboard->getButtonInfos()->objectForKey((intptr_t)DEVICE_TYPE_KEYBOARD)));
            keyboard->addButtonMapping('Z', DEVICE_TYPE_KEYBOARD, kJump);
            keyboard->keyPressed('Q');
        }
        CC_UNUSED_PARAM(event);
    }
    InputManager* manager;
    InputHandler_Keyboard* keyboard;
    bool resetDone = false;
};
} // namespace

TEST_F(KeyboardTest, TwentyOneEventsInAFrameDeliverTwentyAndRefillThePool)
{
    for (int i = 0; i < 21; ++i)
    {
        keyboard->keyPressed('A');
    }
    keyboard->dispatchEvents(0.016f);
    EXPECT_EQ(20u, recorder.events.size());
    EXPECT_EQ(20u, keyboard->getButtonEventPool()->getFree()->count());
    EXPECT_EQ(0u, keyboard->getButtonEventPool()->getUsed()->count());
    EXPECT_EQ(0u, keyboard->getButtonEvents()->count());

    // An empty frame emits nothing; the next frame has the whole pool again.
    recorder.events.clear();
    keyboard->dispatchEvents(0.016f);
    EXPECT_TRUE(recorder.events.empty());
    for (int i = 0; i < 20; ++i)
    {
        keyboard->keyReleased('A');
    }
    keyboard->dispatchEvents(0.016f);
    EXPECT_EQ(20u, recorder.events.size());
}

TEST_F(KeyboardTest, PressAndReleaseInOneFrameArriveInOrderWithTheKeyCode)
{
    keyboard->addButtonMapping(0x1051, DEVICE_TYPE_KEYBOARD, 1);
    keyboard->keyPressed(0x1051);
    keyboard->keyReleased(0x1051);
    keyboard->keyPressed(0x0100);  // unnamed keys are queued too
    keyboard->dispatchEvents(0.0f);
    ASSERT_EQ(3u, recorder.events.size());
    EXPECT_TRUE(recorder.events[0].down);
    EXPECT_FALSE(recorder.events[1].down);
    for (int i = 0; i < 2; ++i)
    {
        EXPECT_EQ(0x1051, recorder.events[i].code);
        EXPECT_EQ(DEVICE_TYPE_KEYBOARD, recorder.events[i].deviceType);
        EXPECT_EQ(1234, recorder.events[i].deviceID);
        EXPECT_EQ(std::vector<int>{1}, recorder.events[i].mapped);
    }
    EXPECT_EQ(0x0100, recorder.events[2].code);
    EXPECT_FALSE(recorder.events[2].hadMapping);
    EXPECT_EQ("", keyboard->getButtonDisplayName(0x0100, DEVICE_TYPE_KEYBOARD));
}

TEST_F(KeyboardTest, KeyNames)
{
    struct Case { int code; const char* name; };
    const Case cases[] = {
        {0x0061, "A"}, {0x0041, "A"}, {0x0022, "\""}, {0x0027, "\""}, {0x003B, ";"}, {0x0020, "Space"},
        {0x005E, "^"}, {0x001B, "Esc"}, {0x00C9, "F12"}, {0x10B5, "KP Five"}, {0x20AC, "\xE2\x82\xAC"},
        {0x00A3, "\xC2\xA3"}, {0x0095, "."}, {0xFFAA, "Search"}, {0x0000, "None"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.name, keyboard->getButtonDisplayName(c.code, DEVICE_TYPE_KEYBOARD)) << std::hex << c.code;
    }
    CCDictionary* keys = static_cast<CCDictionary*>(keyboard->getButtonInfos()->objectForKey((intptr_t)DEVICE_TYPE_KEYBOARD));
    EXPECT_EQ(156u, keys->count());
    EXPECT_STREQ("Keyboard", keyboard->getDeviceName(-77));

    // Records follow the table's order: '%' then '^' then '&'.
    std::vector<intptr_t> order;
    CCDictElement* element = NULL;
    CCDICT_FOREACH(keys, element)
    {
        order.push_back(element->getIntKey());
    }
    const size_t percent = std::find(order.begin(), order.end(), 0x25) - order.begin();
    ASSERT_LT(percent + 2, order.size());
    EXPECT_EQ(0x5E, order[percent + 1]);
    EXPECT_EQ(0x26, order[percent + 2]);
}

TEST_F(KeyboardTest, KeysOutsideTheTableAreNamedAsSdlNamesThem)
{
    const int f13 = CCKeyboardDispatcher::kUnnamedKeyBase + SDL_SCANCODE_F13;
    keyboard->keyPressed(f13);
    keyboard->dispatchEvents(0.0f);
    ASSERT_EQ(1u, recorder.events.size());
    EXPECT_EQ(f13, recorder.events[0].code);
    // The remapping screen shows a key by this name.
    EXPECT_EQ("F13", keyboard->getButtonDisplayName(f13, DEVICE_TYPE_KEYBOARD));
    EXPECT_FALSE(keyboard->getButtonDisplayName(CCKeyboardDispatcher::kUnnamedKeyBase + SDL_SCANCODE_MUTE,
                                                DEVICE_TYPE_KEYBOARD).empty());
    // The table's own names are untouched, and so is the empty name of a code no key has.
    EXPECT_EQ("A", keyboard->getButtonDisplayName(0x61, DEVICE_TYPE_KEYBOARD));
    EXPECT_EQ("", keyboard->getButtonDisplayName(0x0100, DEVICE_TYPE_KEYBOARD));
}

TEST_F(KeyboardTest, DefaultMappingsAndReverseLookup)
{
    const int padType = 0x12345678;
    keyboard->addButtonMapping(3, DEVICE_TYPE_DEFAULT, kPunch);
    keyboard->addButtonMapping(4, padType, kKick);

    keyboard->queueButtonEvent(padType, 9, 3, true);   // no own mapping: the default one
    keyboard->queueButtonEvent(padType, -1, 3, true);  // device id -1: no fallback
    keyboard->queueButtonEvent(padType, 9, 4, true);   // own mapping
    keyboard->dispatchEvents(0.0f);
    ASSERT_EQ(3u, recorder.events.size());
    EXPECT_EQ(std::vector<int>{kPunch}, recorder.events[0].mapped);
    EXPECT_FALSE(recorder.events[1].hadMapping);
    EXPECT_EQ(std::vector<int>{kKick}, recorder.events[2].mapped);

    EXPECT_EQ(3, keyboard->getButtonCodeForInput(kPunch, padType));
    EXPECT_EQ(4, keyboard->getButtonCodeForInput(kKick, padType));
    EXPECT_EQ(3, keyboard->getButtonCodeForInput(kPunch, 0x0BADBEEF));  // type never seen
    EXPECT_EQ(-1, keyboard->getButtonCodeForInput(kJump, padType));
    EXPECT_EQ(-1, keyboard->getButtonCodeForInput(kKick, DEVICE_TYPE_DEFAULT));
}

TEST_F(KeyboardTest, AxisEventsNeedAMappingAndComeBeforeButtons)
{
    keyboard->keyPressed('X');
    keyboard->queueAxisEvent(7, 1, 0, 0.5f);  // axis 0 has no mapping yet
    keyboard->addAxisMapping(0, 1);
    keyboard->queueAxisEvent(7, 1, 0, -0.25f);
    keyboard->dispatchEvents(0.0f);
    ASSERT_EQ(2u, recorder.events.size());
    EXPECT_TRUE(recorder.events[0].axis);
    EXPECT_FLOAT_EQ(-0.25f, recorder.events[0].value);
    EXPECT_EQ(std::vector<int>{1}, recorder.events[0].mapped);
    EXPECT_FALSE(recorder.events[1].axis);
}

TEST(InputManagerTest, ResetFromInsideADispatchNeitherDeadlocksNorLosesEvents)
{
    CCScopedAutoreleasePool pool;
    VornJoystickBackend::useFakeDevices();
    InputManager* manager = new InputManager();
    ASSERT_TRUE(manager->init());
    InputHandler_Keyboard* keyboard = static_cast<InputHandler_Keyboard*>(manager->getHandlerWithName("KeyboardHandler"));
    ASSERT_NE(nullptr, keyboard);
    keyboard->addButtonMapping('J', DEVICE_TYPE_KEYBOARD, kPunch);
    keyboard->addButtonMapping('K', DEVICE_TYPE_KEYBOARD, kKick);
    keyboard->addButtonMapping('K', DEVICE_TYPE_KEYBOARD, kJump);

    ResettingSubscriber resetter;
    resetter.manager = manager;
    resetter.keyboard = keyboard;
    EventRecorder recorder;
    manager->getButtonSignal().connect(&resetter, &ResettingSubscriber::onButton);
    manager->getButtonSignal().connect(&recorder, &EventRecorder::onButton);

    keyboard->keyPressed('J');
    keyboard->keyPressed('K');
    keyboard->dispatchEvents(0.0f);
    // Both events keep the mapping they were queued with, whatever the reset did meanwhile.
    ASSERT_EQ(2u, recorder.events.size());
    EXPECT_EQ(std::vector<int>{kPunch}, recorder.events[0].mapped);
    EXPECT_EQ((std::vector<int>{kKick, kJump}), recorder.events[1].mapped);
    EXPECT_EQ("J", keyboard->getButtonDisplayName('J', DEVICE_TYPE_KEYBOARD));

    // The key queued by the subscriber goes out with the next dispatch, with the new mappings.
    recorder.events.clear();
    keyboard->keyPressed('K');
    keyboard->keyPressed('Z');
    keyboard->dispatchEvents(0.0f);
    ASSERT_EQ(3u, recorder.events.size());
    EXPECT_EQ('Q', recorder.events[0].code);
    EXPECT_FALSE(recorder.events[1].hadMapping);
    EXPECT_EQ(std::vector<int>{kJump}, recorder.events[2].mapped);
    EXPECT_EQ(20u, keyboard->getButtonEventPool()->getFree()->count());
    EXPECT_EQ(-1, keyboard->getButtonCodeForInput(kPunch, DEVICE_TYPE_KEYBOARD));

    manager->getButtonSignal().disconnect(&resetter, &ResettingSubscriber::onButton);
    manager->getButtonSignal().disconnect(&recorder, &EventRecorder::onButton);
    manager->release();
    VornJoystickBackend::shutdown();
}

TEST(InputManagerTest, RegistryAndSharedInstance)
{
    CCScopedAutoreleasePool pool;
    VornJoystickBackend::useFakeDevices();
    InputManager* first = new InputManager();
    ASSERT_TRUE(first->init());
    InputManager* second = new InputManager();
    EXPECT_EQ(first, InputManager::sharedInputManager());
    EXPECT_NE(nullptr, first->getHandlerWithName("KeyboardHandler"));
    EXPECT_NE(nullptr, first->getHandlerWithName("DesktopGamepadHandler"));
    EXPECT_EQ(nullptr, first->getHandlerWithName("TouchHandler"));
    EXPECT_EQ(2u, first->getHandlers()->count());
    second->release();
    first->release();
    EXPECT_EQ(nullptr, InputManager::sharedInputManager());
    VornJoystickBackend::shutdown();
}

// Under a real (dummy-driver) window: SDL key events through the view's pump and the keyboard
// dispatcher reach the input manager with the key table's codes; a mouse press drives the stick.
TEST(GameManagerInputTest, SdlEventsReachTheInputManagerAndTheStick)
{
    CCScopedAutoreleasePool pool;
    CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
    VornJoystickBackend::useFakeDevices();
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    ASSERT_NE(nullptr, view);
    CCDirector* director = CCDirector::sharedDirector();
    director->setOpenGLView(view);
    view->setFrameSize(480, 320);
    view->setDesignResolutionSize(480, 320, kResolutionShowAll);
    view->pollEvents();

    GameManager* game = new GameManager();
    ASSERT_TRUE(game->init(NULL));
    EXPECT_EQ(game, game->getTouchInput()->getParent());
    EXPECT_EQ(10, game->getTouchInput()->getZOrder());
    director->runWithScene(game);

    EventRecorder recorder;
    game->getInputManager()->getButtonSignal().connect(&recorder, &EventRecorder::onButton);
    const SDL_Keycode keys[] = {SDLK_LEFT, SDLK_a};
    for (SDL_Keycode key : keys)
    {
        SDL_Event e;
        SDL_zero(e);
        e.type = SDL_KEYDOWN;
        e.key.windowID = SDL_GetWindowID(view->getSDLWindow());
        e.key.state = SDL_PRESSED;
        e.key.keysym.sym = key;
        SDL_PushEvent(&e);
    }
    SDL_Event press;
    SDL_zero(press);
    press.type = SDL_MOUSEBUTTONDOWN;
    press.button.windowID = SDL_GetWindowID(view->getSDLWindow());
    press.button.button = SDL_BUTTON_LEFT;
    press.button.state = SDL_PRESSED;
    press.button.x = 60;
    press.button.y = 200;
    SDL_PushEvent(&press);
    view->pollEvents();
    EXPECT_TRUE(recorder.events.empty());  // queued until the next frame
    game->tick(1.0f / 60.0f);
    ASSERT_EQ(2u, recorder.events.size());
    EXPECT_EQ(0x1051, recorder.events[0].code);
    EXPECT_EQ(0x61, recorder.events[1].code);
    EXPECT_EQ(DEVICE_TYPE_KEYBOARD, recorder.events[1].deviceType);
    EXPECT_TRUE(recorder.events[1].down);
    ASSERT_NE(nullptr, game->getTouchInput()->getJoystick()->getActiveTouch());
    EXPECT_TRUE(game->getTouchInput()->getJoystick()->getPosition().equals(ccp(60, 120)));

    game->getInputManager()->getButtonSignal().disconnect(&recorder, &EventRecorder::onButton);
    game->release();
    CCDirector::purgeSharedDirector();
    CCEGLView::purgeSharedOpenGLView();
    VornJoystickBackend::shutdown();
}
