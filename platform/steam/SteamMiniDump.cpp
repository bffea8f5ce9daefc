#include "steam_api.h"

#include "VornSteamBackend.h"

#include "cocos2d.h"

#include <execinfo.h>
#include <fcntl.h>
#include <signal.h>
#include <string.h>
#include <unistd.h>

// Everything the crash path touches is prepared beforehand in fixed buffers: a signal handler
// may not allocate, lock or use stdio.

namespace
{
const size_t kPathMax = 4096;
const size_t kCommentMax = 512;
const int kMaxFrames = 64;

char s_paths[2][kPathMax];
volatile sig_atomic_t s_activePath = -1;  // which buffer holds the path; -1 none
bool s_pathSetByCaller = false;
char s_comment[kCommentMax];

void copyText(char* target, size_t capacity, const char* text)
{
    size_t i = 0;
    for (; text != NULL && text[i] != '\0' && i + 1 < capacity; ++i)
    {
        target[i] = text[i];
    }
    target[i] = '\0';
}

void storePath(const std::string& path)
{
    if (path.size() + 1 > kPathMax)
    {
        cocos2d::CCLog("ERROR: The crash report path is too long: %s", path.c_str());
        return;
    }
    const int next = s_activePath == 0 ? 1 : 0;
    copyText(s_paths[next], kPathMax, path.c_str());
    s_activePath = next;
}

void putText(int fd, const char* text)
{
    size_t length = strlen(text);
    while (length > 0)
    {
        ssize_t n = write(fd, text, length);
        if (n <= 0)
        {
            return;
        }
        text += n;
        length -= (size_t)n;
    }
}

void putNumber(int fd, unsigned long long value, unsigned int base)
{
    char digits[32];
    int at = (int)sizeof(digits) - 1;
    digits[at] = '\0';
    do
    {
        digits[--at] = "0123456789abcdef"[value % base];
        value /= base;
    } while (value != 0 && at > 0);
    putText(fd, digits + at);
}

const char* signalName(uint32 sig)
{
    switch (sig)
    {
    case SIGSEGV: return "SIGSEGV";
    case SIGBUS: return "SIGBUS";
    case SIGFPE: return "SIGFPE";
    case SIGILL: return "SIGILL";
    case SIGABRT: return "SIGABRT";
    case SIGTRAP: return "SIGTRAP";
    default: return "signal";
    }
}
} // namespace

void VornSteamBackend::setCrashReportPath(const std::string& path)
{
    s_pathSetByCaller = true;
    storePath(path);
}

void VornSteamBackend::prepareCrashReport()
{
    // backtrace() loads its unwinder on first use; do that now rather than inside a crash.
    void* frames[4];
    backtrace(frames, 4);
    if (!s_pathSetByCaller)
    {
        storePath(cocos2d::CCFileUtils::sharedFileUtils()->getWritablePath() + "crash-report.txt");
    }
}

void SteamAPI_SetMiniDumpComment(const char* pchMsg)
{
    copyText(s_comment, kCommentMax, pchMsg);
}

void SteamAPI_WriteMiniDump(uint32 uStructuredExceptionCode, void* pvExceptionInfo, uint32 uBuildID)
{
    const int active = s_activePath;
    if (active < 0)
    {
        return;
    }
    int fd = open(s_paths[active], O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
    {
        return;
    }
    putText(fd, "TULMEK crash report\nsignal: ");
    putNumber(fd, uStructuredExceptionCode, 10);
    putText(fd, " (");
    putText(fd, signalName(uStructuredExceptionCode));
    putText(fd, ")\n");
    if (pvExceptionInfo != NULL)
    {
        const siginfo_t* info = (const siginfo_t*)pvExceptionInfo;
        putText(fd, "address: 0x");
        putNumber(fd, (unsigned long long)(uintptr_t)info->si_addr, 16);
        putText(fd, "\ncode: ");
        putNumber(fd, (unsigned long long)(unsigned int)info->si_code, 10);
        putText(fd, "\n");
    }
    putText(fd, "build: ");
    putNumber(fd, uBuildID, 10);
    putText(fd, "\ncomment: ");
    putText(fd, s_comment);
    if (s_comment[0] == '\0' || s_comment[strlen(s_comment) - 1] != '\n')
    {
        putText(fd, "\n");
    }
    putText(fd, "backtrace:\n");
    void* frames[kMaxFrames];
    const int count = backtrace(frames, kMaxFrames);
    backtrace_symbols_fd(frames, count, fd);
    fsync(fd);
    close(fd);
}
