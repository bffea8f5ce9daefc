#include "SystemHandler_Win32.h"

#include <cstdlib>

// Full screen belongs to the director's view; without a view this handler answers windowed.
#include "CCDirector.h"
#include "CCEGLView.h"

NS_CC_BEGIN

SystemHandler_Win32* SystemHandler_Win32::create()
{
    SystemHandler_Win32* handler = new SystemHandler_Win32();
    if (handler->init())
    {
        handler->autorelease();
        return handler;
    }
    delete handler;
    return NULL;
}

bool SystemHandler_Win32::openURL(const char* url)
{
    if (url == NULL || *url == '\0')
    {
        CCLog("SystemHandler_Win32::openURL - no URL!");
        return false;
    }
    // The shell layer refuses anything but http(s) and reports it; the browser is not awaited.
    // As on Windows, a result above 32 means the link was handed over.
    return (intptr_t)shellExecute(NULL, "open", url, NULL, NULL, SW_SHOWNORMAL) > 32;
}

void SystemHandler_Win32::quit()
{
    exitProcess(0);
}

void SystemHandler_Win32::hideCursor()
{
    setCursor(NULL);
}

void SystemHandler_Win32::setFullscreen(bool fullscreen)
{
    CCEGLView* view = CCDirector::sharedDirector()->getOpenGLView();
    if (view != NULL)
    {
        view->setFullscreen(fullscreen);
    }
}

bool SystemHandler_Win32::isFullscreen()
{
    CCEGLView* view = CCDirector::sharedDirector()->getOpenGLView();
    return view != NULL && view->getFullscreen();
}

HINSTANCE SystemHandler_Win32::shellExecute(HWND hwnd, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                                            LPCSTR directory, INT showCommand)
{
    return ::ShellExecuteA(hwnd, operation, file, parameters, directory, showCommand);
}

HCURSOR SystemHandler_Win32::setCursor(HCURSOR cursor)
{
    return ::SetCursor(cursor);
}

void SystemHandler_Win32::exitProcess(int status)
{
    // Ends at once: static destructors and atexit handlers run, the scene is not torn down.
    exit(status);
}

NS_CC_END
