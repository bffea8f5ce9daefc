#include "WinShell.h"

#include "cocos2d.h"

#include <SDL.h>

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <strings.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

using namespace cocos2d;

namespace
{
std::string s_openProgram;  // empty: xdg-open

// Windows answers above 32 on success; these are its error numbers for the cases we refuse.
const uintptr_t kShellOk = 42;
const uintptr_t kShellFileNotFound = 2;
const uintptr_t kShellNoAssociation = 31;

HINSTANCE shellResult(uintptr_t value)
{
    return (HINSTANCE)value;
}

// Only web links leave the game; anything else (file:, javascript:, a bare path) could run or
// reveal local things through the desktop's handlers.
bool isWebLink(const char* url)
{
    size_t prefix = 0;
    if (strncasecmp(url, "http://", 7) == 0)
    {
        prefix = 7;
    }
    else if (strncasecmp(url, "https://", 8) == 0)
    {
        prefix = 8;
    }
    else
    {
        return false;
    }
    if (url[prefix] == '\0')
    {
        return false;
    }
    for (const unsigned char* p = (const unsigned char*)url; *p; ++p)
    {
        if (*p < 0x20 || *p == 0x7F)
        {
            return false;
        }
    }
    return true;
}

bool writeAllFd(int fd, const void* data, size_t size)
{
    const char* p = (const char*)data;
    while (size > 0)
    {
        ssize_t n = write(fd, p, size);
        if (n < 0 && errno == EINTR)
        {
            continue;
        }
        if (n <= 0)
        {
            return false;
        }
        p += n;
        size -= (size_t)n;
    }
    return true;
}

/**
 * Starts the program with the URL as its only argument, detached (double fork, so no zombie is
 * left behind). Answers 0 when exec succeeded, else the errno of the failure.
 */
int launchDetached(const char* program, const char* url)
{
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
    {
        return errno;
    }
    pid_t child = fork();
    if (child < 0)
    {
        int err = errno;
        close(pipeFds[0]);
        close(pipeFds[1]);
        return err;
    }
    if (child == 0)
    {
        close(pipeFds[0]);
        pid_t grandChild = fork();
        if (grandChild == 0)
        {
            setsid();
            char* const argv[] = {(char*)program, (char*)url, NULL};
            execvp(program, argv);
            int err = errno;
            writeAllFd(pipeFds[1], &err, sizeof(err));
            _exit(127);
        }
        if (grandChild < 0)
        {
            int err = errno;
            writeAllFd(pipeFds[1], &err, sizeof(err));
            _exit(1);
        }
        _exit(0);
    }
    close(pipeFds[1]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR)
    {
    }
    // The write end closes on a successful exec: nothing to read means the program started.
    int err = 0;
    ssize_t got;
    do
    {
        got = read(pipeFds[0], &err, sizeof(err));
    } while (got < 0 && errno == EINTR);
    close(pipeFds[0]);
    if (got == (ssize_t)sizeof(err))
    {
        return err != 0 ? err : EIO;
    }
    return 0;
}

HCURSOR arrowCursor()
{
    static char s_arrow;
    return (HCURSOR)&s_arrow;
}

bool s_cursorHidden = false;
} // namespace

void VornShell_setOpenProgram(const char* program)
{
    s_openProgram = program ? program : "";
}

HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                        INT nShowCmd)
{
    (void)hwnd;
    (void)lpParameters;
    (void)lpDirectory;
    (void)nShowCmd;
    if (lpOperation != NULL && strcasecmp(lpOperation, "open") != 0)
    {
        CCLog("ShellExecuteA - only \"open\" is supported, not \"%s\"", lpOperation);
        return shellResult(kShellFileNotFound);
    }
    if (lpFile == NULL || !isWebLink(lpFile))
    {
        CCLog("ShellExecuteA - refusing to open \"%s\": only http and https links are opened",
              lpFile ? lpFile : "(null)");
        return shellResult(kShellFileNotFound);
    }
    const char* program = s_openProgram.empty() ? "xdg-open" : s_openProgram.c_str();
    int err = launchDetached(program, lpFile);
    if (err != 0)
    {
        CCLog("ERROR: Unable to start %s for a link (%s)", program, strerror(err));
        return shellResult(kShellNoAssociation);
    }
    return shellResult(kShellOk);
}

namespace
{
// As on Windows, a cursor hidden by SetCursor(NULL) comes back when the mouse moves.
int SDLCALL showCursorOnMotion(void* userdata, SDL_Event* event)
{
    (void)userdata;
    if (event->type == SDL_MOUSEMOTION && s_cursorHidden)
    {
        s_cursorHidden = false;
        SDL_ShowCursor(SDL_ENABLE);
    }
    return 1;
}
} // namespace

HCURSOR SetCursor(HCURSOR hCursor)
{
    HCURSOR previous = s_cursorHidden ? NULL : arrowCursor();
    s_cursorHidden = (hCursor == NULL);
    // Before the window exists there is no cursor to change.
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0)
    {
        // Watches end with SDL's event loop; put ours back (once) whenever the cursor changes.
        SDL_DelEventWatch(&showCursorOnMotion, NULL);
        SDL_AddEventWatch(&showCursorOnMotion, NULL);
        SDL_ShowCursor(s_cursorHidden ? SDL_DISABLE : SDL_ENABLE);
    }
    return previous;
}
