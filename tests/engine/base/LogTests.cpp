// The log: problems to standard error, the rest to standard output, developer lines only on request.
#include "VornTestSupport.h"

#include <cstdlib>
#include <gtest/gtest.h>

USING_NS_CC;

TEST(Log, ProblemLinesAreToldFromOrdinaryOnes)
{
    const struct
    {
        const char* line;
        bool problem;
    } cases[] = {
        {"ERROR: Unable to execute common level script!", true},
        {"Error loading backdrop file 'x'", true},
        {"[LUA ERROR] bot-brawler tick - boom", true},
        {"VornCameraManager::initWithGameLayer - game layer is NULL!", true},
        {"CCSpriteFrameCache::spriteFrameByName - frame 'x' not found", true},
        {"Screen resolution: 1280x720", false},
        {"Category: MaxHealth", false},
        {"SimpleAudioEngine - no audio device (none); the game runs silent", false},
        {"CCApplication::sharedApplication()->isTargetPlatform(kTargetAndroid) == 0", false},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.problem, CCLogIsProblem(c.line)) << c.line;
    }
}

TEST(Log, DeveloperLinesOnlyWithDebugLogging)
{
    vorntest::LogCapture log;
    unsetenv("VORN_LOG");
    CCLOG("tracing %d", 1);
    EXPECT_FALSE(log.contains("tracing 1"));

    setenv("VORN_LOG", "debug", 1);
    CCLOG("tracing %d", 2);
    unsetenv("VORN_LOG");
    EXPECT_TRUE(log.contains("tracing 2"));
}

TEST(Log, TrailingNewlinesAreNotDoubled)
{
    vorntest::LogCapture log;
    CCLog("Gamepad Detected: %s\n", "Pad");
    ASSERT_FALSE(log.lines().empty());
    EXPECT_EQ("Gamepad Detected: Pad", log.lines().back());
}
