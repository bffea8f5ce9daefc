#include "VornTestSupport.h"
#include "WinShell.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
bool succeeded(HINSTANCE result)
{
    return (uintptr_t)result > 32;
}

class ShellTest : public ::testing::Test
{
protected:
    void TearDown() override { VornShell_setOpenProgram(NULL); }
};
} // namespace

TEST_F(ShellTest, TheUrlReachesTheOpenerAsOneArgument)
{
    // The stand-in browser writes its argument count and arguments into a pipe the test reads,
    // so the test waits for it without sleeping.
    const std::string dir = vorntest::makeTempDir("shell");
    const std::string fifo = dir + "/args";
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
    const std::string script = dir + "/opener.sh";
    vorntest::writeFile(script, "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > '" + fifo + "'\n");
    ASSERT_EQ(0, chmod(script.c_str(), 0700));
    VornShell_setOpenProgram(script.c_str());

    const char* url = "https://example.org/a?b=1&c=$(touch x);echo `id` | cat";
    ASSERT_TRUE(succeeded(ShellExecuteA(NULL, "open", url, NULL, NULL, SW_SHOWNORMAL)));
    EXPECT_EQ(std::string("1\n") + url + "\n", vorntest::readFile(fifo));
}

TEST_F(ShellTest, OnlyWebLinksAreOpened)
{
    VornShell_setOpenProgram("/bin/true");
    EXPECT_TRUE(succeeded(ShellExecuteA(NULL, "open", "http://example.org/", NULL, NULL, SW_SHOWNORMAL)));
    const char* refused[] = {"file:///etc/passwd", "javascript:alert(1)", "/usr/bin/xterm", "https://",
                             "http://example.org/\nsecond", "", "ftp://example.org/"};
    for (const char* url : refused)
    {
        EXPECT_EQ((uintptr_t)2, (uintptr_t)ShellExecuteA(NULL, "open", url, NULL, NULL, SW_SHOWNORMAL)) << url;
    }
    EXPECT_FALSE(succeeded(ShellExecuteA(NULL, "open", NULL, NULL, NULL, SW_SHOWNORMAL)));
    EXPECT_FALSE(succeeded(ShellExecuteA(NULL, "print", "http://example.org/", NULL, NULL, SW_SHOWNORMAL)));
}

TEST_F(ShellTest, AMissingOpenerIsReportedAsFailure)
{
    VornShell_setOpenProgram("/nonexistent/xdg-open");
    EXPECT_EQ((uintptr_t)31, (uintptr_t)ShellExecuteA(NULL, "open", "https://example.org/", NULL, NULL, 1));
}

TEST(CursorTest, HidingWithoutAWindowIsSafe)
{
    SetCursor(NULL);
    EXPECT_EQ(NULL, SetCursor((HCURSOR)1));
    EXPECT_NE((HCURSOR)NULL, SetCursor(NULL));
}

// As on Windows: keys or a pad hide the pointer, and it comes back as soon as the mouse moves.
TEST(CursorTest, AHiddenCursorShowsAgainWhenTheMouseMoves)
{
    ASSERT_EQ(0, SDL_InitSubSystem(SDL_INIT_VIDEO)) << SDL_GetError();
    SetCursor(NULL);
    EXPECT_EQ(SDL_DISABLE, SDL_ShowCursor(SDL_QUERY));
    SDL_Event motion;
    SDL_zero(motion);
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 10;
    motion.motion.y = 20;
    SDL_PushEvent(&motion);
    EXPECT_EQ(SDL_ENABLE, SDL_ShowCursor(SDL_QUERY));
    EXPECT_NE((HCURSOR)NULL, SetCursor(NULL));  // shown again, as the caller sees it too

    // Hidden again: the next motion brings it back again.
    EXPECT_EQ(SDL_DISABLE, SDL_ShowCursor(SDL_QUERY));
    SDL_PushEvent(&motion);
    EXPECT_EQ(SDL_ENABLE, SDL_ShowCursor(SDL_QUERY));
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
