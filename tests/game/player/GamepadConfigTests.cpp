#include "CCFileUtils.h"
#include "CCUserDefault.h"
#include "GamepadConfigManager.h"
#include "VornPlayerInputBase.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

USING_NS_CC;

namespace
{
class GamepadConfigTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::fixturePath("game/player").c_str());
        CCUserDefault::sharedUserDefault()->setStringForKey("GamepadInfo_DeviceHash", "");
    }
    void TearDown() override
    {
        CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
    }
    CCScopedAutoreleasePool pool;
};
} // namespace

TEST_F(GamepadConfigTest, StockTablesFromTheDescriptionFile)
{
    GamepadConfigManager* manager = GamepadConfigManager::create();
    ASSERT_NE(nullptr, manager);
    EXPECT_EQ(2u, manager->getTableCount());
    const GamepadButtonMap* pad = manager->getButtonMap(0xA1B2C3D4u);
    ASSERT_NE(nullptr, pad);
    EXPECT_EQ(96, pad->at(kVornInput_Jump).buttonCode);
    EXPECT_TRUE(pad->at(kVornInput_Jump).hasName);
    EXPECT_EQ("A", pad->at(kVornInput_Jump).buttonName);
    EXPECT_EQ(99, pad->at(kVornInput_Punch).buttonCode);
    EXPECT_FALSE(pad->at(kVornInput_Punch).hasName);
    // A pad without a hash lands on 0; without names only its codes are known.
    const GamepadButtonMap* codesOnly = manager->getButtonMap(0);
    ASSERT_NE(nullptr, codesOnly);
    EXPECT_EQ(100, codesOnly->at(kVornInput_Kick).buttonCode);
}

TEST_F(GamepadConfigTest, SaveStoresFourteenValuesAndResetForgetsThePad)
{
    GamepadConfigManager* manager = GamepadConfigManager::create();
    GamepadButtonMap custom;
    custom[kVornInput_Jump].buttonCode = 7;
    custom[kVornInput_Nop].buttonCode = 3;
    vorntest::LogCapture log;
    manager->saveGamepadInfo(0xA1B2C3D4u, custom);

    CCUserDefault* settings = CCUserDefault::sharedUserDefault();
    EXPECT_EQ("a1b2c3d4", settings->getStringForKey("GamepadInfo_DeviceHash"));
    EXPECT_EQ(3, settings->getIntegerForKey("GamepadInfo_", -1));
    EXPECT_EQ(7, settings->getIntegerForKey("GamepadInfo_kVornInput_Jump", -1));
    EXPECT_EQ(0, settings->getIntegerForKey("GamepadInfo_kVornInput_MenuBack", -1));
    EXPECT_EQ(14u, log.lines().size());  // the hash and thirteen codes

    // The customised pad replaces its stock table: codes only, no names.
    const GamepadButtonMap* pad = manager->getButtonMap(0xA1B2C3D4u);
    ASSERT_NE(nullptr, pad);
    EXPECT_EQ(13u, pad->size());
    EXPECT_EQ(7, pad->at(kVornInput_Jump).buttonCode);
    EXPECT_FALSE(pad->at(kVornInput_Jump).hasName);

    manager->resetCustomGamepadInfo();
    EXPECT_EQ("ffffffff", settings->getStringForKey("GamepadInfo_DeviceHash"));
    EXPECT_EQ(96, manager->getButtonMap(0xA1B2C3D4u)->at(kVornInput_Jump).buttonCode);
    // Nor on the next start: the codes left in the settings belong to no pad.
    GamepadConfigManager* restarted = GamepadConfigManager::create();
    EXPECT_EQ(2u, restarted->getTableCount());
    EXPECT_EQ(nullptr, restarted->getButtonMap(0xFFFFFFFFu));
}
