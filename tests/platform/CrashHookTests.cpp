#include "CrashHook.h"
#include "VornSteamBackend.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

TEST(CrashHookTest, AFatalSignalWritesAReportAndStillKillsTheProcess)
{
    const std::string report = vorntest::makeTempDir("crash") + "/report.txt";
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
    {
        VornSteamBackend::setCrashReportPath(report);
        VornInstallCrashHook();
        raise(SIGSEGV);
        _exit(0);  // the signal must not be swallowed
    }
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(SIGSEGV, WTERMSIG(status));
    const std::string text = vorntest::readFile(report);
    EXPECT_NE(std::string::npos, text.find("signal: 11 (SIGSEGV)")) << text;
    EXPECT_NE(std::string::npos, text.find("comment: Minidump comment: SteamworksExample.exe\n")) << text;
    EXPECT_NE(std::string::npos, text.find("backtrace:\n")) << text;
}
