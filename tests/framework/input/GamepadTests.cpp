#include "InputHandler_DesktopGamepad.h"
#include "InputTestSupport.h"
#include "JoystickDevices.h"
#include "VornJoystickBackend.h"
#include "VornTestSupport.h"

#include "CCString.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

USING_NS_CC;

namespace
{
class GamepadTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        VornJoystickBackend::useFakeDevices();
        handler = new InputHandler_DesktopGamepad();
        ASSERT_TRUE(handler->init());
        handler->getButtonSignal().connect(&recorder, &EventRecorder::onButton);
        handler->getAxisSignal().connect(&recorder, &EventRecorder::onAxis);
    }
    void TearDown() override
    {
        handler->release();
        VornJoystickBackend::shutdown();
    }

    static VornJoystickInfo pad(const char* name, int vendor, int product, int buttons, bool hat)
    {
        VornJoystickInfo info;
        info.name = name;
        info.vendorId = vendor;
        info.productId = product;
        info.numAxes = 2;
        info.numButtons = buttons;
        info.hasHat = hat;
        return info;
    }

    void frame()
    {
        recorder.events.clear();
        handler->dispatchEvents(1.0f / 60.0f);
    }

    CCScopedAutoreleasePool pool;
    InputHandler_DesktopGamepad* handler;
    EventRecorder recorder;
};
} // namespace

TEST(GamepadDeviceTypeTest, VendorHighProductLowAsSignedInt)
{
    EXPECT_EQ(0x12345678, InputHandler_DesktopGamepad::deviceTypeFor(0x1234, 0x5678));
    EXPECT_EQ((int)0x80000001u, InputHandler_DesktopGamepad::deviceTypeFor(0x8000, 0x0001));
    EXPECT_LT(InputHandler_DesktopGamepad::deviceTypeFor(0xFFFF, 0xFFFF), 0);
}

TEST(JoystickAxisTest, RangeEndsMiddleAndAnEmptyRange)
{
    EXPECT_FLOAT_EQ(-1.0f, JoystickDevices_scaleAxis(100, 100, 300));
    EXPECT_FLOAT_EQ(1.0f, JoystickDevices_scaleAxis(300, 100, 300));
    EXPECT_FLOAT_EQ(0.0f, JoystickDevices_scaleAxis(200, 100, 300));
    EXPECT_FLOAT_EQ(0.0f, JoystickDevices_scaleAxis(5, 7, 7));
    EXPECT_FLOAT_EQ(1.0f, JoystickDevices_scaleAxis(0xFFFFFFFFu, 0, 0xFFFFFFFFu));
}

TEST_F(GamepadTest, HatGivesDirectionButtonsAndAxesBeforeButtons)
{
    vorntest::LogCapture log;
    long long id = VornJoystickBackend::plugFake(pad("Hat Pad", 0x1234, 0x5678, 8, true));
    frame();
    ASSERT_EQ(1u, handler->getDeviceCount());
    EXPECT_TRUE(log.contains("Gamepad Detected: Hat Pad"));
    JoystickDevice* device = JoystickDevices_getDevice(0);
    ASSERT_NE(nullptr, device);
    EXPECT_EQ(4u, device->numAxes);      // X, Y and the hat's two
    EXPECT_EQ(12u, device->numButtons);  // 8 and the hat's four
    const int deviceID = handler->deviceIDForLayerDevice(device->deviceID);
    EXPECT_NE(-1, deviceID);
    EXPECT_STREQ("Hat Pad", handler->getDeviceName(deviceID));

    handler->addAxisMapping(2 + JOYSTICK_HAT_X_AXIS_OFFSET, 3);
    handler->addAxisMapping(3, 4);

    // Up-right: buttons up (8 + 2) and right (8 + 1), axes +1 across and -1 down.
    log.clear();
    VornJoystickBackend::hatFake(id, 4500);
    frame();
    ASSERT_EQ(4u, recorder.events.size());
    EXPECT_TRUE(recorder.events[0].axis);
    EXPECT_EQ(34, recorder.events[0].code);
    EXPECT_FLOAT_EQ(1.0f, recorder.events[0].value);
    EXPECT_TRUE(recorder.events[1].axis);
    EXPECT_EQ(3, recorder.events[1].code);
    EXPECT_FLOAT_EQ(-1.0f, recorder.events[1].value);
    EXPECT_EQ(9, recorder.events[2].code);
    EXPECT_TRUE(recorder.events[2].down);
    EXPECT_EQ(10, recorder.events[3].code);
    EXPECT_EQ(0x12345678, recorder.events[3].deviceType);
    EXPECT_EQ(deviceID, recorder.events[3].deviceID);
    EXPECT_EQ(2u, log.lines().size());  // one line per press

    // Right only: up lifts, right stays; centred: right lifts and both axes return to 0.
    VornJoystickBackend::hatFake(id, 9000);
    frame();
    ASSERT_EQ(2u, recorder.events.size());
    EXPECT_EQ(3, recorder.events[0].code);
    EXPECT_FLOAT_EQ(0.0f, recorder.events[0].value);
    EXPECT_EQ(10, recorder.events[1].code);
    EXPECT_FALSE(recorder.events[1].down);
    log.clear();
    VornJoystickBackend::hatFake(id, 65535);
    frame();
    ASSERT_EQ(2u, recorder.events.size());
    EXPECT_EQ(34, recorder.events[0].code);
    EXPECT_FLOAT_EQ(0.0f, recorder.events[0].value);
    EXPECT_EQ(9, recorder.events[1].code);
    EXPECT_FALSE(recorder.events[1].down);
    EXPECT_TRUE(log.lines().empty());  // releases are not logged
}

TEST_F(GamepadTest, ButtonsAndStickAxes)
{
    long long id = VornJoystickBackend::plugFake(pad("Pad", 0x045E, 0x028E, 32, false));
    frame();
    handler->addAxisMapping(0, 1);
    VornJoystickBackend::pressFake(id, 31, true);
    VornJoystickBackend::pressFake(id, 0, true);
    VornJoystickBackend::moveFake(id, 0, -32768);
    frame();
    ASSERT_EQ(3u, recorder.events.size());
    EXPECT_TRUE(recorder.events[0].axis);
    EXPECT_FLOAT_EQ(-1.0f, recorder.events[0].value);
    EXPECT_EQ(0, recorder.events[1].code);
    EXPECT_EQ(31, recorder.events[2].code);
    EXPECT_EQ(0x045E028E, recorder.events[2].deviceType);
}

TEST_F(GamepadTest, UnpluggingTheFirstOfTwoPadsForgetsItAndKeepsPollingTheSecond)
{
    long long first = VornJoystickBackend::plugFake(pad("First", 1, 2, 4, false));
    long long second = VornJoystickBackend::plugFake(pad("Second", 1, 3, 4, false));
    frame();
    ASSERT_EQ(2u, handler->getDeviceCount());
    const int firstID = handler->deviceIDForLayerDevice(JoystickDevices_getDevice(0)->deviceID);
    const int secondID = handler->deviceIDForLayerDevice(JoystickDevices_getDevice(1)->deviceID);
    EXPECT_NE(firstID, secondID);
    EXPECT_NE(-1, firstID);

    VornJoystickBackend::unplugFake(first);
    frame();
    EXPECT_EQ(1u, JoystickDevices_getDeviceCount());
    EXPECT_EQ(1u, handler->getDeviceCount());
    EXPECT_STREQ("", handler->getDeviceName(firstID));
    EXPECT_STREQ("", handler->getDeviceName(424242));
    EXPECT_STREQ("Second", handler->getDeviceName(secondID));

    VornJoystickBackend::pressFake(second, 2, true);
    frame();
    ASSERT_EQ(1u, recorder.events.size());
    EXPECT_EQ(secondID, recorder.events[0].deviceID);
    EXPECT_EQ(2, recorder.events[0].code);
}

TEST_F(GamepadTest, ButtonNamesFromTheDescriptions)
{
    const int type = 0x12345678;
    EXPECT_EQ("No Button", handler->getButtonDisplayName(-1, type));
    EXPECT_EQ("12", handler->getButtonDisplayName(12, type));

    CCDictionary* button = CCDictionary::create();
    button->setObject(CCString::create("A Button"), "DisplayName");
    CCDictionary* buttons = CCDictionary::create();
    buttons->setObject(button, (intptr_t)0);
    CCDictionary* padInfo = CCDictionary::create();
    padInfo->setObject(buttons, "ButtonCodeToButtonInfo");
    CCDictionary* descriptions = CCDictionary::create();
    descriptions->setObject(padInfo, (intptr_t)type);
    descriptions->retain();
    handler->setGamepadDescriptions(descriptions);
    EXPECT_EQ("A Button", handler->getButtonDisplayName(0, type));
    EXPECT_EQ("1", handler->getButtonDisplayName(1, type));
}

TEST_F(GamepadTest, UnpluggingLetsGoOfEverythingThePadHeld)
{
    long long id = VornJoystickBackend::plugFake(pad("Pad", 0x1234, 0x5678, 8, true));
    frame();
    const int deviceID = handler->deviceIDForLayerDevice(JoystickDevices_getDevice(0)->deviceID);
    handler->addAxisMapping(0, 1);
    handler->addAxisMapping(2 + JOYSTICK_HAT_X_AXIS_OFFSET, 3);
    handler->addAxisMapping(3, 4);
    VornJoystickBackend::pressFake(id, 5, true);
    VornJoystickBackend::moveFake(id, 0, 32767);
    VornJoystickBackend::hatFake(id, 27000);  // left: hat button 8 and the hat's x axis at -1
    frame();
    ASSERT_EQ(4u, recorder.events.size());

    VornJoystickBackend::unplugFake(id);
    frame();
    std::set<int> buttonsUp;
    std::map<int, float> axes;
    for (const SeenEvent& e : recorder.events)
    {
        EXPECT_EQ(deviceID, e.deviceID);
        EXPECT_EQ(0x12345678, e.deviceType);
        if (e.axis)
        {
            axes[e.code] = e.value;
        }
        else
        {
            EXPECT_FALSE(e.down);
            buttonsUp.insert(e.code);
        }
    }
    EXPECT_EQ((std::set<int>{5, 8}), buttonsUp);
    EXPECT_EQ((std::map<int, float>{{0, 0.0f}, {2 + JOYSTICK_HAT_X_AXIS_OFFSET, 0.0f}}), axes);
    EXPECT_EQ(0u, handler->getDeviceCount());
}

TEST_F(GamepadTest, APadPluggedInWithAControlHeldReportsItAtOnce)
{
    VornJoystickInfo info = pad("Pad", 0x1234, 0x5678, 8, true);
    long long id = VornJoystickBackend::plugFake(info);
    frame();
    handler->addAxisMapping(0, 1);
    VornJoystickBackend::unplugFake(id);
    frame();

    // Back in, with the stick pushed right, button 2 held and the hat down.
    id = VornJoystickBackend::plugFake(info);
    VornJoystickBackend::moveFake(id, 0, 32767);
    VornJoystickBackend::pressFake(id, 2, true);
    VornJoystickBackend::hatFake(id, 18000);
    frame();
    bool stick = false, button = false, hatDown = false;
    for (const SeenEvent& e : recorder.events)
    {
        stick = stick || (e.axis && e.code == 0 && e.value == 1.0f);
        button = button || (!e.axis && e.code == 2 && e.down);
        hatDown = hatDown || (!e.axis && e.code == 8 + 3 && e.down);
    }
    EXPECT_TRUE(stick);
    EXPECT_TRUE(button);
    EXPECT_TRUE(hatDown);

    // From then on only changes are reported.
    frame();
    EXPECT_TRUE(recorder.events.empty());
}
