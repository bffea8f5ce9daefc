#ifndef __MANAGER_TEST_SUPPORT_H__
#define __MANAGER_TEST_SUPPORT_H__

#include "VornTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

// Each test saves its settings under its own empty folder, with no store loaded.
class SavedSettingsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        cocos2d::CCUserDefault::purgeSharedUserDefault();
        std::string app = std::string("mgr-") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        cocos2d::CCFileUtils::sharedFileUtils()->setWritablePathAppName(app.c_str());
        std::string command = "rm -f '" + cocos2d::CCFileUtils::sharedFileUtils()->getWritablePath() + "'*";
        EXPECT_EQ(0, system(command.c_str()));
    }
    void TearDown() override
    {
        cocos2d::CCFileUtils::setWriteFaultForTesting(cocos2d::CCFileUtils::kWriteFault_None);
        cocos2d::CCUserDefault::purgeSharedUserDefault();
        cocos2d::CCFileUtils::sharedFileUtils()->setWritablePathAppName("TULMEK");
    }
    cocos2d::CCScopedAutoreleasePool m_pool;
};

#endif
