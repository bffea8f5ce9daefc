#ifndef __SYSTEM_HANDLER_WIN32_H__
#define __SYSTEM_HANDLER_WIN32_H__

#include "SystemHandler.h"
#include "WinShell.h"

NS_CC_BEGIN

/**
 * The desktop handler: links open in the default browser through the shell layer, quitting ends
 * the process with status 0, the cursor hides through the cursor call, full screen is the view's.
 * The calls that leave the process go through protected virtuals so tests can stand in for them.
 */
class SystemHandler_Win32 : public SystemHandler
{
public:
    static SystemHandler_Win32* create();

    virtual bool openURL(const char* url);
    virtual void quit();
    virtual void hideCursor();
    virtual void setFullscreen(bool fullscreen);
    virtual bool isFullscreen();

protected:
    virtual HINSTANCE shellExecute(HWND hwnd, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                                   LPCSTR directory, INT showCommand);
    virtual HCURSOR setCursor(HCURSOR cursor);
    virtual void exitProcess(int status);
};

NS_CC_END

#endif // __SYSTEM_HANDLER_WIN32_H__
