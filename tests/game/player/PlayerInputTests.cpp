#include "CCMenuGamepad.h"
#include "CCMenuGamepadInputDispatcher.h"
#include "CCUserDefault.h"
#include "InputHandler_DesktopGamepad.h"
#include "InputHandler_Keyboard.h"
#include "InputManager.h"
#include "VornAchievementsManager.h"
#include "VornGameManager.h"
#include "VornJoystickBackend.h"
#include "VornPlayerInputMulti.h"
#include "VornTestSupport.h"
#include "cocos2d.h"

#include <gtest/gtest.h>

USING_NS_CC;

namespace
{
const int kLogitechType = 74301974;  // 046d:c216, the pad in gamepads.plist

struct Moves
{
    void onMove(CCPoint v) { movement = v; ++movements; }
    void onPunch() { ++punch; }
    void onPunchHold() { ++punchHold; }
    void onJump() { ++jump; }
    void onStomp() { ++stomp; }
    void onBackKick() { ++backKick; }
    void onKick() { ++kick; }
    CCPoint movement;
    int movements = 0, punch = 0, punchHold = 0, jump = 0, stomp = 0, backKick = 0, kick = 0;
};

// A player input whose player holds someone and faces a chosen way.
class GrabbingInput : public VornPlayerInputMulti
{
public:
    bool grabbing = false;
    bool facingLeft = false;

protected:
    // The stand-in player is no real player: answer every question about it here.
    int getPlayerInputIndex() override { return 0; }
    bool isPlayerGrabbing() override { return grabbing; }
    bool isPlayerFacingLeft() override { return facingLeft; }
};

class MenuTarget : public CCObject
{
public:
    bool onBack(int player) { backs.push_back(player); return true; }
    bool onRight(int player) { rights.push_back(player); return true; }
    std::vector<int> backs;
    std::vector<int> rights;
};

class PlayerInputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        VornJoystickBackend::useFakeDevices();
        CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
        CCUserDefault::sharedUserDefault()->setStringForKey("UserControls", "");
        manager = new VornGameManager();
        ASSERT_TRUE(manager->initVornGameManager());
        manager->setPaused(false);
        keyboard = static_cast<InputHandler_Keyboard*>(
            InputManager::sharedInputManager()->getHandlerWithName("KeyboardHandler"));
        pads = static_cast<InputHandler_DesktopGamepad*>(
            InputManager::sharedInputManager()->getHandlerWithName("DesktopGamepadHandler"));
        ASSERT_NE(nullptr, keyboard);
        ASSERT_NE(nullptr, pads);
    }

    void TearDown() override
    {
        CC_SAFE_RELEASE(input);
        manager->cleanup();
        manager->release();
        CCDirector::purgeSharedDirector();
        VornJoystickBackend::shutdown();
    }

    void makeInput(VornPlayerInputMulti* made = NULL)
    {
        input = made != NULL ? made : new VornPlayerInputMulti();
        ASSERT_TRUE(input->init());
        input->getMovementSignal().connect(&moves, &Moves::onMove);
        input->getPunchSignal().connect(&moves, &Moves::onPunch);
        input->getPunchHoldSignal().connect(&moves, &Moves::onPunchHold);
        input->getJumpSignal().connect(&moves, &Moves::onJump);
        input->getStompSignal().connect(&moves, &Moves::onStomp);
        input->getBackKickSignal().connect(&moves, &Moves::onBackKick);
        input->getKickSignal().connect(&moves, &Moves::onKick);
    }

    // Two frames: the handlers and the input subscribe to the same update signal in address order.
    void frames(float dt = 0.01f)
    {
        manager->getUpdateSignal().emit(dt);
        manager->getUpdateSignal().emit(dt);
    }
    void tap(int key)
    {
        keyboard->keyPressed(key);
        frames();
        keyboard->keyReleased(key);
        frames();
    }
    long long plugLogitech(int axes = 2)
    {
        VornJoystickInfo info;
        info.name = "Logitech Dual Action";
        info.vendorId = 0x046D;
        info.productId = 0xC216;
        info.numAxes = axes;
        info.numButtons = 12;
        long long id = VornJoystickBackend::plugFake(info);
        frames();
        return id;
    }

    // A pad SDL knows the layout of, as the joystick layer presents it.
    static VornJoystickInfo standardPad()
    {
        VornJoystickInfo info;
        info.name = "Xbox 360 Controller";
        info.vendorId = kStandardPadVendorId;
        info.productId = kStandardPadProductId;
        info.numAxes = 6;
        info.numButtons = kStandardPadButton_MAX;
        return info;
    }
    long long plugStandardPad()
    {
        long long id = VornJoystickBackend::plugFake(standardPad());
        frames();
        return id;
    }
    void tapPad(long long pad, int button)
    {
        VornJoystickBackend::pressFake(pad, button, true);
        frames();
        VornJoystickBackend::pressFake(pad, button, false);
        frames();
    }

    CCScopedAutoreleasePool pool;
    VornGameManager* manager = NULL;
    InputHandler_Keyboard* keyboard = NULL;
    InputHandler_DesktopGamepad* pads = NULL;
    VornPlayerInputMulti* input = NULL;
    Moves moves;
};
} // namespace

TEST(PlayerInputNames, TextsNamesAndConnection)
{
    CCScopedAutoreleasePool pool;
    EXPECT_EQ("NOP", VornPlayerInputBase::actionToString(kVornInput_Nop));
    EXPECT_EQ("MAX", VornPlayerInputBase::actionToString(kVornInput_MAX));
    EXPECT_EQ("", VornPlayerInputBase::actionToString(14));
    EXPECT_EQ("", VornPlayerInputBase::actionToString(-1));
    for (int input = kVornInput_Left; input < kVornInput_MAX; ++input)
    {
        const std::string name = VornPlayerInputBase::inputToName(input);
        EXPECT_EQ(0u, name.find("kVornInput_"));
        EXPECT_EQ(input, VornPlayerInputBase::inputFromName(name));
    }
    EXPECT_EQ("", VornPlayerInputBase::inputToName(kVornInput_Nop));
    EXPECT_EQ("", VornPlayerInputBase::inputToName(kVornInput_MAX));
    EXPECT_EQ(kVornInput_Nop, VornPlayerInputBase::inputFromName("kVornInput_Nop"));
    EXPECT_EQ(kVornInput_Nop, VornPlayerInputBase::inputFromName("kVornInput_MAX"));
    EXPECT_EQ(kVornInput_Nop, VornPlayerInputBase::inputFromName("kvornInput_Jump"));

    VornPlayerInputBase* base = new VornPlayerInputBase();
    int someone = 0;
    VornPlayer* player = reinterpret_cast<VornPlayer*>(&someone);
    base->connect(NULL);
    EXPECT_FALSE(base->getIsConnected());
    EXPECT_EQ(nullptr, base->getPlayer());
    base->connect(player);
    EXPECT_TRUE(base->getIsConnected());
    EXPECT_EQ(player, base->getPlayer());
    base->connect(NULL);
    EXPECT_EQ(player, base->getPlayer());
    base->disconnect();
    EXPECT_FALSE(base->getIsConnected());
    EXPECT_EQ(nullptr, base->getPlayer());
    EXPECT_EQ("", base->getDisplayStringForAction(kVornInput_Jump));
    base->release();
}

TEST_F(PlayerInputTest, LocalisedInputTexts)
{
    EXPECT_EQ("Left", VornPlayerInputBase::actionToString(kVornInput_Left));
}

TEST_F(PlayerInputTest, DefaultKeysGiveMovesAndTheirNames)
{
    makeInput();
    tap(' ');
    tap('w');
    tap('a');
    tap('d');
    tap('s');
    EXPECT_EQ(1, moves.jump);
    EXPECT_EQ(1, moves.stomp);
    EXPECT_EQ(1, moves.backKick);
    EXPECT_EQ(1, moves.kick);
    EXPECT_EQ(1, moves.punch);
    EXPECT_EQ(0, moves.punchHold);
    EXPECT_GT(moves.movements, 0);

    EXPECT_EQ(DEVICE_TYPE_KEYBOARD, input->getCurrentDeviceType());
    EXPECT_EQ("Space", input->getDisplayStringForAction(kVornInput_Jump));
    EXPECT_EQ("S", input->getDisplayStringForAction(kVornInput_Punch));
    EXPECT_EQ("Left", input->getDisplayStringForAction(kVornInput_Left));
    EXPECT_EQ("Return", input->getDisplayStringForAction(kVornInput_MenuAction));
}

TEST_F(PlayerInputTest, PunchTapHoldAndPause)
{
    makeInput();
    keyboard->keyPressed('s');
    frames(0.05f);  // the press lands in the first frame at the latest: 0.1 s or less of holding
    keyboard->keyReleased('s');
    frames(0.01f);
    EXPECT_EQ(1, moves.punch);
    EXPECT_EQ(0, moves.punchHold);

    keyboard->keyPressed('s');
    frames(0.15f);
    frames(0.15f);  // well past the hold time: the hold fires once
    EXPECT_EQ(1, moves.punchHold);
    keyboard->keyReleased('s');
    frames();
    EXPECT_EQ(1, moves.punch);  // nothing on release after the hold
    EXPECT_EQ(1, moves.punchHold);

    // Pressed while paused: no timer, so neither move comes later.
    manager->setPaused(true);
    keyboard->keyPressed('s');
    frames();
    manager->setPaused(false);
    keyboard->keyReleased('s');
    frames(0.15f);
    EXPECT_EQ(1, moves.punch);
    EXPECT_EQ(1, moves.punchHold);
    EXPECT_FLOAT_EQ(0.0f, input->getPunchHoldTimer());
}

TEST_F(PlayerInputTest, MovementFromKeysAndStick)
{
    makeInput();
    keyboard->keyPressed(VornPlayerInputMulti::kKeyRight);
    keyboard->keyPressed(VornPlayerInputMulti::kKeyUp);
    frames();
    EXPECT_NEAR(0.7071f, moves.movement.x, 1e-3f);
    EXPECT_NEAR(0.7071f, moves.movement.y, 1e-3f);
    keyboard->keyReleased(VornPlayerInputMulti::kKeyUp);
    frames();
    EXPECT_FLOAT_EQ(1.0f, moves.movement.x);
    EXPECT_FLOAT_EQ(0.0f, moves.movement.y);
    keyboard->keyReleased(VornPlayerInputMulti::kKeyRight);
    frames();
    EXPECT_FLOAT_EQ(0.0f, moves.movement.x);

    long long pad = plugLogitech();
    struct Case
    {
        int raw;
        float expected;
    };
    // Raw -32768..32767; inside the dead zone nothing, beyond it stretched, a full push is 1.
    const Case cases[] = {{13107, 0.0f}, {-13107, 0.0f}, {32767, 1.0f}, {-32768, -1.0f}};
    for (const Case& c : cases)
    {
        VornJoystickBackend::moveFake(pad, 0, c.raw);
        frames();
        EXPECT_NEAR(c.expected, moves.movement.x, 1e-3f) << c.raw;
    }
    // Pads count y downwards: a push up is a negative raw value.
    VornJoystickBackend::moveFake(pad, 0, 0);
    VornJoystickBackend::moveFake(pad, 1, -32768);
    frames();
    EXPECT_NEAR(0.0f, moves.movement.x, 1e-3f);
    EXPECT_NEAR(1.0f, moves.movement.y, 1e-3f);
    // A held key wins over the stick.
    keyboard->keyPressed(VornPlayerInputMulti::kKeyDown);
    frames();
    EXPECT_NEAR(-1.0f, moves.movement.y, 1e-3f);
}

TEST_F(PlayerInputTest, FirmPositivePushPicksThePad)
{
    makeInput();
    long long pad = plugLogitech();
    VornJoystickBackend::moveFake(pad, 0, -32768);
    frames();
    EXPECT_EQ(DEVICE_TYPE_KEYBOARD, input->getCurrentDeviceType());
    EXPECT_EQ("Space", input->getDisplayStringForAction(kVornInput_Jump));

    VornJoystickBackend::moveFake(pad, 0, 32767);
    frames();
    EXPECT_EQ(kLogitechType, input->getCurrentDeviceType());
    EXPECT_EQ("Button 2", input->getDisplayStringForAction(kVornInput_Jump));
    EXPECT_EQ("Button 1", input->getDisplayStringForAction(kVornInput_Punch));

    // The pad's buttons give moves from the descriptions; a key takes the device back.
    VornJoystickBackend::pressFake(pad, 1, true);
    frames();
    EXPECT_EQ(1, moves.jump);
    tap('d');
    EXPECT_EQ(DEVICE_TYPE_KEYBOARD, input->getCurrentDeviceType());
    EXPECT_EQ("D", input->getDisplayStringForAction(kVornInput_Kick));
}

TEST_F(PlayerInputTest, KickWhileGrabbingTurnsByShapedMovement)
{
    GrabbingInput* grabbing = new GrabbingInput();
    makeInput(grabbing);
    int someone = 0;
    grabbing->connect(reinterpret_cast<VornPlayer*>(&someone));

    struct Case
    {
        bool grabbing;
        bool facingLeft;
        float stickX;
        bool backKick;
    };
    const Case cases[] = {
        {true, false, -0.65f, true},   // movement -0.5: away from the facing
        {true, false, -0.56f, false},  // movement -0.2: under the threshold
        {true, false, 0.65f, false},   // towards the facing
        {true, true, 0.65f, true},
        {false, false, -0.65f, false},
    };
    for (const Case& c : cases)
    {
        grabbing->grabbing = c.grabbing;
        grabbing->facingLeft = c.facingLeft;
        grabbing->setStickPosition(ccp(c.stickX, 0.0f));
        frames();
        const int backKicks = moves.backKick;
        const int kicks = moves.kick;
        tap('d');
        EXPECT_EQ(c.backKick ? 1 : 0, moves.backKick - backKicks) << c.stickX;
        EXPECT_EQ(c.backKick ? 0 : 1, moves.kick - kicks) << c.stickX;
    }
    grabbing->disconnect();
}

TEST_F(PlayerInputTest, UserControlsReplaceTheDeviceDefaults)
{
    // Jump on J, punch on K; an extra attribute must not add the mapping twice; an input the game
    // lacks and a device of an unknown handler are left out.
    CCUserDefault::sharedUserDefault()->setStringForKey(
        "UserControls",
        "<?xml version=\"1.0\"?>\n<UserControls>\n"
        "  <Device DeviceType=\"268435457\" DeviceHandler=\"KeyboardHandler\">\n"
        "    <ButtonMapping LogicalID=\"5\" ButtonCode=\"106\" Note=\"x\"/>\n"
        "    <ButtonMapping ButtonCode=\"107\" LogicalID=\"6\"/>\n"
        "    <ButtonMapping LogicalID=\"40\" ButtonCode=\"108\"/>\n"
        "    <ButtonMapping LogicalID=\"7\"/>\n"
        "  </Device>\n"
        "  <Device DeviceType=\"74301974\" DeviceHandler=\"NoSuchHandler\">\n"
        "    <ButtonMapping LogicalID=\"5\" ButtonCode=\"0\"/>\n"
        "  </Device>\n"
        "</UserControls>\n");
    makeInput();
    tap(' ');
    tap('d');
    tap('l');
    EXPECT_EQ(0, moves.jump);
    EXPECT_EQ(0, moves.kick);
    keyboard->keyPressed(VornPlayerInputMulti::kKeyLeft);
    frames();
    EXPECT_FLOAT_EQ(0.0f, moves.movement.x);
    keyboard->keyReleased(VornPlayerInputMulti::kKeyLeft);
    tap('j');
    tap('k');
    EXPECT_EQ(1, moves.jump);
    EXPECT_EQ(1, moves.punch);
    EXPECT_EQ("J", input->getDisplayStringForAction(kVornInput_Jump));

    // The pad keeps its described buttons.
    long long pad = plugLogitech();
    VornJoystickBackend::pressFake(pad, 1, true);
    frames();
    EXPECT_EQ(2, moves.jump);
}

TEST_F(PlayerInputTest, MalformedUserControlsAreLoggedAndIgnored)
{
    const char* documents[] = {"<UserControls><Device DeviceType=\"268435457\"", "not xml at all", "<a/><b/>"};
    for (const char* document : documents)
    {
        CCUserDefault::sharedUserDefault()->setStringForKey("UserControls", document);
        vorntest::LogCapture log;
        VornPlayerInputMulti* other = new VornPlayerInputMulti();
        EXPECT_TRUE(other->init());
        EXPECT_TRUE(log.contains("VornPlayerInputMulti::loadUserControls")) << document;
        other->release();
    }
    // A root with devices lacking what they need changes nothing either.
    CCUserDefault::sharedUserDefault()->setStringForKey(
        "UserControls", "<UserControls><Device DeviceHandler=\"KeyboardHandler\"/>text<Device DeviceType=\"268435457\"/></UserControls>");
    InputManager::sharedInputManager()->resetAllButtonInfos();
    makeInput();
    tap(' ');
    EXPECT_EQ(1, moves.jump);
}

TEST_F(PlayerInputTest, ADeviceWithoutOneValidMappingKeepsItsDefaults)
{
    const char* documents[] = {
        "<UserControls><Device DeviceType=\"268435457\" DeviceHandler=\"KeyboardHandler\"/></UserControls>",
        "<UserControls><Device DeviceType=\"268435457\" DeviceHandler=\"KeyboardHandler\">"
        "<ButtonMapping LogicalID=\"40\" ButtonCode=\"106\"/><ButtonMapping LogicalID=\"5\"/>"
        "<ButtonMapping ButtonCode=\"107\"/><ButtonMapping LogicalID=\"-3\" ButtonCode=\"108\"/>"
        "</Device></UserControls>",
    };
    for (const char* document : documents)
    {
        CCUserDefault::sharedUserDefault()->setStringForKey("UserControls", document);
        InputManager::sharedInputManager()->resetAllButtonInfos();
        CC_SAFE_RELEASE_NULL(input);
        moves = Moves();
        makeInput();
        tap(' ');
        tap('d');
        EXPECT_EQ(1, moves.jump) << document;
        EXPECT_EQ(1, moves.kick) << document;
    }
}

TEST_F(PlayerInputTest, ReloadingControlsKeepsOneMappingEach)
{
    makeInput();
    for (int i = 0; i < 3; ++i)
    {
        InputManager::sharedInputManager()->resetAllButtonInfos();
        ASSERT_TRUE(input->loadGamepadDescriptions());
        ASSERT_TRUE(input->initDefaultMappings());
        ASSERT_TRUE(input->loadUserControls());
    }
    tap(' ');
    EXPECT_EQ(1, moves.jump);
    CCArray* stickX = static_cast<CCArray*>(pads->getAxisMappings()->objectForKey((intptr_t)0));
    ASSERT_NE(nullptr, stickX);
    EXPECT_EQ(1u, stickX->count());
    long long pad = plugLogitech();
    VornJoystickBackend::pressFake(pad, 1, true);
    frames();
    EXPECT_EQ(2, moves.jump);
}

TEST_F(PlayerInputTest, MenusFromKeysAndPads)
{
    makeInput();
    MenuTarget* target = new MenuTarget();
    CCMenuGamepad* menu = CCMenuGamepad::create();
    ASSERT_NE(nullptr, menu);
    menu->setGamepadHandler(kMenuGamepadInput_Back, target, menugamepad_selector(MenuTarget::onBack));
    menu->setGamepadHandler(kMenuGamepadInput_Right, target, menugamepad_selector(MenuTarget::onRight));
    CCMenuGamepadInputDispatcher* dispatcher = CCMenuGamepadInputDispatcher::sharedDispatcher();
    dispatcher->setActiveMenu(menu, 0);
    ASSERT_EQ(menu, dispatcher->getActiveMenu(0));

    // Escape: the menu's back, then the pause toggle.
    tap(VornPlayerInputMulti::kKeyEscape);
    EXPECT_EQ(std::vector<int>{0}, target->backs);
    EXPECT_TRUE(manager->isPaused());
    tap(VornPlayerInputMulti::kKeyRight);
    EXPECT_EQ(std::vector<int>{0}, target->rights);
    // Escape again resumes, which counts for the pause achievement.
    manager->getAchievementsManager()->resetAllAchievements();
    tap(VornPlayerInputMulti::kKeyEscape);
    EXPECT_FALSE(manager->isPaused());
    EXPECT_TRUE(manager->getAchievementsManager()->isAchievementUnlocked("achievement.grandor.pause_master"));
    target->backs.clear();

    // The pad's back button and stick push step the menu; a D-pad push counts on its own even
    // while the stick is held over.
    long long pad = plugLogitech(3);
    pads->addAxisMapping(2, kGamepadAxis_DpadMoveX);
    VornJoystickBackend::pressFake(pad, 2, true);
    frames();
    EXPECT_EQ(1u, target->backs.size());
    VornJoystickBackend::moveFake(pad, 0, 32767);
    frames();
    EXPECT_EQ(2u, target->rights.size());
    VornJoystickBackend::moveFake(pad, 2, 32767);
    frames();
    EXPECT_EQ(3u, target->rights.size());

    // With navigation off (from the next frame), keys and pads leave the menus alone.
    input->setMenuNavigationRequested(false);
    EXPECT_TRUE(input->getMenuNavigationEnabled());
    frames();
    tap(VornPlayerInputMulti::kKeyEscape);
    VornJoystickBackend::pressFake(pad, 2, false);
    frames();
    VornJoystickBackend::pressFake(pad, 2, true);
    frames();
    EXPECT_EQ(1u, target->backs.size());
    EXPECT_FALSE(manager->isPaused());

    dispatcher->removeMenu(menu);
    target->release();
}

TEST_F(PlayerInputTest, AStandardPadPlaysWithNoRemapping)
{
    makeInput();
    long long pad = plugStandardPad();
    const struct
    {
        int button;
        const int* count;
        const char* name;
        int input;
    } moveButtons[] = {
        {kStandardPadButton_A, &moves.jump, "A", kVornInput_Jump},
        {kStandardPadButton_X, &moves.punch, "X", kVornInput_Punch},
        {kStandardPadButton_B, &moves.kick, "B", kVornInput_Kick},
        {kStandardPadButton_Y, &moves.backKick, "Y", kVornInput_BackKick},
        // Either shoulder stomps; the first one is the one named.
        {kStandardPadButton_RightShoulder, &moves.stomp, "Left Shoulder", kVornInput_Stomp},
    };
    for (const auto& m : moveButtons)
    {
        const int before = *m.count;
        tapPad(pad, m.button);
        EXPECT_EQ(before + 1, *m.count) << m.name;
        EXPECT_EQ(m.name, input->getDisplayStringForAction(m.input));
    }
    EXPECT_EQ(InputHandler_DesktopGamepad::deviceTypeFor(kStandardPadVendorId, kStandardPadProductId),
              input->getCurrentDeviceType());
    EXPECT_STREQ("Xbox 360 Controller", pads->getDeviceName(input->getLastDeviceId()));

    // The D-pad and the left stick move; Start pauses.
    VornJoystickBackend::pressFake(pad, kStandardPadButton_DpadLeft, true);
    frames();
    EXPECT_FLOAT_EQ(-1.0f, moves.movement.x);
    VornJoystickBackend::pressFake(pad, kStandardPadButton_DpadLeft, false);
    VornJoystickBackend::moveFake(pad, 1, -32768);
    frames();
    EXPECT_NEAR(1.0f, moves.movement.y, 1e-3f);
    tapPad(pad, kStandardPadButton_Start);
    EXPECT_TRUE(manager->isPaused());
    tapPad(pad, kStandardPadButton_Start);
    EXPECT_FALSE(manager->isPaused());
}

TEST_F(PlayerInputTest, PullingOutAPadStopsWhatItHeldAndPluggingItBackMovesAtOnce)
{
    makeInput();
    long long pad = plugStandardPad();
    VornJoystickBackend::pressFake(pad, kStandardPadButton_DpadRight, true);
    VornJoystickBackend::moveFake(pad, 1, 32767);
    VornJoystickBackend::pressFake(pad, kStandardPadButton_X, true);
    frames();
    EXPECT_NEAR(0.7071f, moves.movement.x, 1e-3f);  // right and down together
    EXPECT_NEAR(-0.7071f, moves.movement.y, 1e-3f);

    VornJoystickBackend::unplugFake(pad);
    frames();
    EXPECT_FLOAT_EQ(0.0f, moves.movement.x);
    EXPECT_FLOAT_EQ(0.0f, moves.movement.y);
    // The punch button let go before the hold time: a punch, and no hold afterwards.
    EXPECT_EQ(1, moves.punch);
    frames(0.3f);
    EXPECT_EQ(0, moves.punchHold);

    // Back in with the stick already pushed left: the player walks left straight away.
    pad = VornJoystickBackend::plugFake(standardPad());
    VornJoystickBackend::moveFake(pad, 0, -32768);
    frames();
    EXPECT_NEAR(-1.0f, moves.movement.x, 1e-3f);
}
