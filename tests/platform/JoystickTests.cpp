#include "VornJoystickBackend.h"
#include "VornTestSupport.h"
#include "WinJoystick.h"
#include "cocos2d.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <stdio.h>
#include <string>
#include <vector>

namespace
{
MMRESULT poll(UINT slot, JOYINFOEX& info)
{
    info = JOYINFOEX();
    info.dwSize = sizeof(JOYINFOEX);
    info.dwFlags = JOY_RETURNALL;
    return joyGetPosEx(slot, &info);
}

class JoystickTest : public ::testing::Test
{
protected:
    void SetUp() override { VornJoystickBackend::useFakeDevices(); }
    void TearDown() override { VornJoystickBackend::shutdown(); }

    static VornJoystickInfo pad(const char* name, int axes, int buttons, bool hat)
    {
        VornJoystickInfo info;
        info.name = name;
        info.vendorId = 0x045E;
        info.productId = 0x028E;
        info.numAxes = axes;
        info.numButtons = buttons;
        info.hasHat = hat;
        return info;
    }

    // The game's two-step name lookup: settings key, then the OEM key it names.
    static std::string registryName(UINT slot)
    {
        JOYCAPSA caps;
        if (joyGetDevCapsA(slot, &caps, sizeof(caps)) != JOYERR_NOERROR)
        {
            return "";
        }
        char path[512];
        snprintf(path, sizeof(path), "%s\\%s\\%s", REGSTR_PATH_JOYCONFIG, caps.szRegKey, REGSTR_KEY_JOYCURR);
        HKEY key = NULL;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        {
            return "";
        }
        char valueName[64];
        snprintf(valueName, sizeof(valueName), REGSTR_VAL_JOYNOEMNAME, slot + 1);
        char oem[256];
        DWORD size = sizeof(oem);
        LSTATUS status = RegQueryValueExA(key, valueName, NULL, NULL, (LPBYTE)oem, &size);
        RegCloseKey(key);
        if (status != ERROR_SUCCESS)
        {
            return "";
        }
        snprintf(path, sizeof(path), "%s\\%s", REGSTR_PATH_JOYOEM, oem);
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        {
            return "";
        }
        DWORD needed = 0;
        std::string name;
        if (RegQueryValueExA(key, REGSTR_VAL_JOYOEMNAME, NULL, NULL, NULL, &needed) == ERROR_SUCCESS)
        {
            std::string buffer(needed, '\0');
            DWORD small = needed - 1;
            EXPECT_EQ(ERROR_MORE_DATA, RegQueryValueExA(key, REGSTR_VAL_JOYOEMNAME, NULL, NULL, (LPBYTE)&buffer[0], &small));
            if (RegQueryValueExA(key, REGSTR_VAL_JOYOEMNAME, NULL, NULL, (LPBYTE)&buffer[0], &needed) == ERROR_SUCCESS)
            {
                name = buffer.c_str();
            }
        }
        RegCloseKey(key);
        return name;
    }
};
} // namespace

TEST_F(JoystickTest, StructuresHaveTheWindowsSizes)
{
    EXPECT_EQ(404u, sizeof(JOYCAPSA));
    EXPECT_EQ(52u, sizeof(JOYINFOEX));
    EXPECT_EQ(16u, joyGetNumDevs());
}

TEST_F(JoystickTest, SlotsStayPutWhenAPadLeaves)
{
    long long first = VornJoystickBackend::plugFake(pad("First Pad", 2, 8, false));
    long long second = VornJoystickBackend::plugFake(pad("Second Pad", 4, 10, true));
    JOYINFOEX info;
    ASSERT_EQ(JOYERR_NOERROR, poll(0, info));
    ASSERT_EQ(JOYERR_NOERROR, poll(1, info));
    EXPECT_EQ(JOYERR_UNPLUGGED, poll(2, info));

    VornJoystickBackend::pressFake(second, 3, true);
    VornJoystickBackend::unplugFake(first);
    EXPECT_EQ(JOYERR_UNPLUGGED, poll(0, info));
    ASSERT_EQ(JOYERR_NOERROR, poll(1, info));
    EXPECT_EQ(1u << 3, info.dwButtons);
    EXPECT_EQ(1u, info.dwButtonNumber);
    JOYCAPSA caps;
    ASSERT_EQ(JOYERR_NOERROR, joyGetDevCapsA(1, &caps, sizeof(caps)));
    EXPECT_STREQ("Second Pad", caps.szPname);

    // A new pad fills the slot whose departure was reported, not a later one.
    VornJoystickBackend::plugFake(pad("Third Pad", 2, 6, false));
    ASSERT_EQ(JOYERR_NOERROR, joyGetDevCapsA(0, &caps, sizeof(caps)));
    EXPECT_STREQ("Third Pad", caps.szPname);
    EXPECT_EQ("Third Pad", registryName(0));
    EXPECT_EQ("Second Pad", registryName(1));
}

TEST_F(JoystickTest, AVacatedSlotAnswersUnpluggedBeforeANewPadTakesIt)
{
    long long first = VornJoystickBackend::plugFake(pad("Old Pad", 2, 4, false));
    JOYINFOEX info;
    ASSERT_EQ(JOYERR_NOERROR, poll(0, info));
    VornJoystickBackend::unplugFake(first);
    VornJoystickBackend::plugFake(pad("New Pad", 2, 4, false));
    // The new pad takes the next free slot rather than slipping into the old one unseen.
    EXPECT_EQ(JOYERR_UNPLUGGED, poll(0, info));
    JOYCAPSA caps;
    ASSERT_EQ(JOYERR_NOERROR, joyGetDevCapsA(1, &caps, sizeof(caps)));
    EXPECT_STREQ("New Pad", caps.szPname);
}

TEST_F(JoystickTest, ReadingsPassThroughRaw)
{
    long long id = VornJoystickBackend::plugFake(pad("Hat Pad", 4, 12, true));
    JOYCAPSA caps;
    ASSERT_EQ(JOYERR_NOERROR, joyGetDevCapsA(0, &caps, sizeof(caps)));
    EXPECT_EQ(0x045E, caps.wMid);
    EXPECT_EQ(0x028E, caps.wPid);
    EXPECT_EQ((UINT)(JOYCAPS_HASZ | JOYCAPS_HASR), caps.wCaps & 0xF);
    EXPECT_TRUE(caps.wCaps & JOYCAPS_HASPOV);
    EXPECT_EQ(4u, caps.wNumAxes);
    EXPECT_EQ(12u, caps.wNumButtons);
    EXPECT_EQ(0u, caps.wXmin);
    EXPECT_EQ(65535u, caps.wRmax);

    JOYINFOEX info;
    ASSERT_EQ(JOYERR_NOERROR, poll(0, info));
    EXPECT_EQ((DWORD)JOY_POVCENTERED, info.dwPOV);
    VornJoystickBackend::hatFake(id, 4500);
    VornJoystickBackend::moveFake(id, 0, -32768);
    VornJoystickBackend::moveFake(id, 3, 32767);
    ASSERT_EQ(JOYERR_NOERROR, poll(0, info));
    EXPECT_EQ(4500u, info.dwPOV);
    EXPECT_EQ(0u, info.dwXpos);
    EXPECT_EQ(32768u, info.dwYpos);
    EXPECT_EQ(65535u, info.dwRpos);
    EXPECT_EQ(0u, info.dwUpos);
}

TEST_F(JoystickTest, BadArgumentsAreRefused)
{
    VornJoystickBackend::plugFake(pad("Pad", 2, 4, false));
    JOYINFOEX info = JOYINFOEX();
    info.dwSize = 40;
    info.dwFlags = JOY_RETURNALL;
    EXPECT_EQ(JOYERR_PARMS, joyGetPosEx(0, &info));
    EXPECT_EQ(JOYERR_PARMS, poll(16, info));
    JOYCAPSA caps;
    EXPECT_EQ(JOYERR_PARMS, joyGetDevCapsA(0, &caps, sizeof(caps) - 1));
    EXPECT_EQ(JOYERR_PARMS, joyGetDevCapsA(0, NULL, sizeof(caps)));
    HKEY key = NULL;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Other", 0, KEY_READ, &key));
    EXPECT_EQ("", registryName(5));
}

TEST(PerformanceCounterTest, CountsForwardInNanoseconds)
{
    LARGE_INTEGER frequency, first, second;
    ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
    EXPECT_EQ(1000000000LL, frequency.QuadPart);
    ASSERT_TRUE(QueryPerformanceCounter(&first));
    ASSERT_TRUE(QueryPerformanceCounter(&second));
    EXPECT_LE(first.QuadPart, second.QuadPart);
}

TEST(SdlJoystickTest, WithoutPadsEverySlotAnswersUnplugged)
{
    VornJoystickBackend::useSdlDevices();
    JOYINFOEX info = JOYINFOEX();
    info.dwSize = sizeof(info);
    info.dwFlags = JOY_RETURNALL;
    // CI machines have no pads; a developer's plugged pad takes slot 0 and reads fine.
    const MMRESULT result = joyGetPosEx(0, &info);
    EXPECT_TRUE(result == JOYERR_UNPLUGGED || result == JOYERR_NOERROR);
    EXPECT_EQ(JOYERR_UNPLUGGED, joyGetPosEx(15, &info));
    VornJoystickBackend::shutdown();
}

TEST_F(JoystickTest, ThePadListIsReadOnlyWhenPadsComeOrGo)
{
    VornJoystickBackend::plugFake(pad("Pad", 2, 4, false));
    JOYINFOEX info;
    joyGetNumDevs();
    const unsigned int reads = VornJoystickBackend::getListReadCount();
    // Frames of detection and polling, as the gamepad handler runs them, with no pad coming or going.
    for (int frame = 0; frame < 10; ++frame)
    {
        joyGetNumDevs();
        JOYCAPSA caps;
        for (UINT slot = 0; slot < joyGetNumDevs(); ++slot)
        {
            poll(slot, info);
            joyGetDevCapsA(slot, &caps, sizeof(caps));
        }
    }
    EXPECT_EQ(reads, VornJoystickBackend::getListReadCount());
    long long second = VornJoystickBackend::plugFake(pad("Second", 2, 4, false));
    ASSERT_EQ(JOYERR_NOERROR, poll(1, info));
    EXPECT_EQ(reads + 1, VornJoystickBackend::getListReadCount());
    VornJoystickBackend::unplugFake(second);
    EXPECT_EQ(JOYERR_UNPLUGGED, poll(1, info));
    EXPECT_EQ(reads + 2, VornJoystickBackend::getListReadCount());
}

namespace
{
// SDL's own virtual pads: one with a game-controller layout, one SDL cannot tell the layout of.
class SdlVirtualPadTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        VornJoystickBackend::useSdlDevices();
        joyGetNumDevs();
    }
    void TearDown() override
    {
        for (int index : attached)
        {
            detach(index);
        }
        VornJoystickBackend::shutdown();
    }

    int attachController(const char* name)
    {
        SDL_VirtualJoystickDesc desc;
        SDL_zero(desc);
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.vendor_id = 0x045E;
        desc.product_id = 0x028E;
        desc.name = name;
        return remember(SDL_JoystickAttachVirtualEx(&desc));
    }
    int attachRaw()
    {
        return remember(SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 6, 1));
    }
    int remember(int index)
    {
        EXPECT_GE(index, 0) << SDL_GetError();
        attached.push_back(index);
        return index;
    }
    void detach(int index)
    {
        SDL_JoystickDetachVirtual(index);
        attached.erase(std::remove(attached.begin(), attached.end(), index), attached.end());
    }
    /** The slot holding the pad whose capabilities have this product name; -1 when none. */
    static int slotNamed(const char* name, JOYCAPSA& caps)
    {
        joyGetNumDevs();
        for (UINT slot = 0; slot < VornJoystickBackend::kSlotCount; ++slot)
        {
            if (joyGetDevCapsA(slot, &caps, sizeof(caps)) == JOYERR_NOERROR && std::string(caps.szPname) == name)
            {
                return (int)slot;
            }
        }
        return -1;
    }
    static SDL_Joystick* virtualJoystick(int index)
    {
        SDL_Joystick* joystick = SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(index));
        return joystick != NULL ? joystick : SDL_JoystickOpen(index);
    }

    std::vector<int> attached;
};
} // namespace

TEST_F(SdlVirtualPadTest, ARecognisedPadIsTheStandardPadUnderItsSdlName)
{
    const int index = attachController("Virtual Brawl Pad");
    JOYCAPSA caps;
    const int slot = slotNamed("Virtual Brawl Pad", caps);
    ASSERT_GE(slot, 0);
    EXPECT_EQ(kStandardPadVendorId, caps.wMid);
    EXPECT_EQ(kStandardPadProductId, caps.wPid);
    EXPECT_EQ((UINT)kStandardPadButton_MAX, caps.wNumButtons);
    EXPECT_EQ(6u, caps.wNumAxes);
    EXPECT_FALSE(caps.wCaps & JOYCAPS_HASPOV);

    SDL_Joystick* joystick = virtualJoystick(index);
    ASSERT_NE(nullptr, joystick);
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_X, 1);
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_DPAD_LEFT, 1);
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, 32767);
    joyGetNumDevs();
    JOYINFOEX info;
    ASSERT_EQ(JOYERR_NOERROR, poll((UINT)slot, info));
    EXPECT_EQ((1u << kStandardPadButton_X) | (1u << kStandardPadButton_DpadLeft), info.dwButtons);
    EXPECT_EQ(65535u, info.dwXpos);

    detach(index);
    joyGetNumDevs();
    EXPECT_EQ(JOYERR_UNPLUGGED, poll((UINT)slot, info));
}

TEST_F(SdlVirtualPadTest, AnUnrecognisedPadKeepsItsRawButtonsAndHat)
{
    const int index = attachRaw();
    const char* sdlName = SDL_JoystickNameForIndex(index);
    ASSERT_NE(nullptr, sdlName);
    JOYCAPSA caps;
    const int slot = slotNamed(std::string(sdlName).substr(0, MAXPNAMELEN - 1).c_str(), caps);
    ASSERT_GE(slot, 0);
    if (SDL_IsGameController(index))
    {
        GTEST_SKIP() << "this SDL knows a layout for its plain virtual pad";
    }
    EXPECT_NE(kStandardPadVendorId, caps.wMid);
    EXPECT_EQ(6u, caps.wNumButtons);
    EXPECT_TRUE(caps.wCaps & JOYCAPS_HASPOV);
    SDL_Joystick* joystick = virtualJoystick(index);
    ASSERT_NE(nullptr, joystick);
    SDL_JoystickSetVirtualButton(joystick, 5, 1);
    SDL_JoystickSetVirtualHat(joystick, 0, SDL_HAT_RIGHT);
    joyGetNumDevs();
    JOYINFOEX info;
    ASSERT_EQ(JOYERR_NOERROR, poll((UINT)slot, info));
    EXPECT_EQ(1u << 5, info.dwButtons);
    EXPECT_EQ(9000u, info.dwPOV);
}

TEST_F(SdlVirtualPadTest, ThePadListIsReadAgainOnlyOnSdlsDeviceEvents)
{
    for (int frame = 0; frame < 3; ++frame)
    {
        joyGetNumDevs();
    }
    const unsigned int reads = VornJoystickBackend::getListReadCount();
    for (int frame = 0; frame < 30; ++frame)
    {
        joyGetNumDevs();
        JOYINFOEX info;
        for (UINT slot = 0; slot < VornJoystickBackend::kSlotCount; ++slot)
        {
            poll(slot, info);
        }
    }
    EXPECT_EQ(reads, VornJoystickBackend::getListReadCount());
    attachController("Late Pad");
    JOYCAPSA caps;
    EXPECT_GE(slotNamed("Late Pad", caps), 0);
    EXPECT_GT(VornJoystickBackend::getListReadCount(), reads);
}

// A player's mapping file beside the saves makes a pad SDL does not know a standard pad; a line
// SDL refuses is named by its number and the lines after it still count.
TEST_F(SdlVirtualPadTest, APadMappingFileBesideTheSavesIsReadAtStart)
{
    const int probe = attachRaw();
    char guid[64];
    SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(probe), guid, sizeof(guid));
    detach(probe);
    memset(guid + 4, '0', 4);   // mapping lists write the GUID without its name checksum (bytes 2 and 3)

    cocos2d::CCFileUtils* files = cocos2d::CCFileUtils::sharedFileUtils();
    files->setWritablePathAppName("pad-mappings");
    const std::string path = files->getWritablePath() + "gamecontrollerdb.txt";
    const std::string mapping = std::string(guid) + ",Brawl Test Pad,a:b0,b:b1,x:b2,y:b3,back:b4,start:b5,"
                                                    "leftx:a0,lefty:a1,dpup:h0.1,dpright:h0.2,dpdown:h0.4,dpleft:h0.8,";
    vorntest::writeFile(path, "# pads for this machine\r\n\r\n"
                              "this line is not a mapping\r\n" +
                              mapping + "platform:Windows,\r\n" +   // another platform's line: passed over
                              mapping + "platform:Linux,\r\n");
    vorntest::LogCapture log;
    VornJoystickBackend::useSdlDevices();
    remove(path.c_str());
    files->setWritablePathAppName("TULMEK");
    EXPECT_TRUE(log.contains("gamecontrollerdb.txt:3:")) << "the malformed line is named by its number";
    EXPECT_FALSE(log.contains("gamecontrollerdb.txt:4:"));
    EXPECT_FALSE(log.contains("gamecontrollerdb.txt:5:"));

    const int index = attachRaw();
    JOYCAPSA caps;
    const int slot = slotNamed("Brawl Test Pad", caps);
    ASSERT_GE(slot, 0);
    EXPECT_EQ(kStandardPadVendorId, caps.wMid);
    SDL_Joystick* joystick = virtualJoystick(index);
    ASSERT_NE(nullptr, joystick);
    SDL_JoystickSetVirtualButton(joystick, 5, 1);   // mapped to start
    joyGetNumDevs();
    JOYINFOEX info;
    ASSERT_EQ(JOYERR_NOERROR, poll((UINT)slot, info));
    EXPECT_EQ(1u << kStandardPadButton_Start, info.dwButtons);
}
