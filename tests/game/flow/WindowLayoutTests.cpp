#include "WindowLayout.h"

#include <gtest/gtest.h>

TEST(WindowLayout, ScreensClampBetweenFourByThreeAndSixteenByNine)
{
    struct Case { int w, h, clampedW, clampedH; float windowW, windowH; };
    const Case cases[] = {
        { 1280, 1024, 1280, 960, 960.0f, 720.0f },
        { 1366, 768, 1365, 768, 1023.75f, 576.0f },
        { 2560, 1080, 1920, 1080, 1440.0f, 810.0f },
        { 3440, 1440, 2560, 1440, 1920.0f, 1080.0f },
        { 1920, 1080, 1920, 1080, 1440.0f, 810.0f },
        { 1024, 768, 1024, 768, 768.0f, 576.0f },
        { 0, 0, 1280, 720, 960.0f, 540.0f },
    };
    for (const Case& c : cases)
    {
        int w = c.w, h = c.h;
        WindowLayout::clampAspect(&w, &h);
        EXPECT_EQ(c.clampedW, w) << c.w << "x" << c.h;
        EXPECT_EQ(c.clampedH, h) << c.w << "x" << c.h;
        float ww = 0, wh = 0;
        WindowLayout::windowSize(w, h, &ww, &wh);
        EXPECT_FLOAT_EQ(c.windowW, ww) << c.w << "x" << c.h;
        EXPECT_FLOAT_EQ(c.windowH, wh) << c.w << "x" << c.h;
    }
}

TEST(WindowLayout, OnlyExactlyDashWKeepsTheWindow)
{
    const char* fullScreen[] = { "", "-W", " -w", "-w ", "-w -x", "--w", "w" };
    for (const char* line : fullScreen)
    {
        EXPECT_FALSE(WindowLayout::isWindowedCommandLine(line)) << "'" << line << "'";
    }
    EXPECT_TRUE(WindowLayout::isWindowedCommandLine("-w"));

    char prog[] = "tulmek", w[] = "-w", x[] = "-x";
    char* one[] = { prog, w };
    char* two[] = { prog, w, x };
    EXPECT_TRUE(WindowLayout::isWindowedCommandLine(WindowLayout::commandLineFromArguments(2, one)));
    EXPECT_FALSE(WindowLayout::isWindowedCommandLine(WindowLayout::commandLineFromArguments(3, two)));
}
