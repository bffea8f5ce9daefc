#ifndef __FLOW_TEST_SUPPORT_H__
#define __FLOW_TEST_SUPPORT_H__

#include "VornGameManager.h"
#include "cocos2d.h"

#include <gtest/gtest.h>

namespace flowtest
{
/** The game manager with a settable level being played. */
class TestGame : public cocos2d::VornGameManager
{
public:
    void setLevelBeingPlayed(const char* name) { m_sLevelScript = name; }
};

/** Starts the game's managers on the real resources; tears them down after each test. */
class GameTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    cocos2d::CCScopedAutoreleasePool* m_pool = nullptr;
    TestGame* m_game = nullptr;
};
} // namespace flowtest

#endif
