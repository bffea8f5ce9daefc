#ifndef __CC_APPLICATION_H__
#define __CC_APPLICATION_H__

#include "platform/CCApplicationProtocol.h"

NS_CC_BEGIN

/**
 * The program's application: derive from it, build the first scene in
 * applicationDidFinishLaunching, and call run() once. Making one makes it the shared application.
 *
 * The loop pumps the window's events, runs one director frame, and waits out the rest of the
 * animation interval (1/60 s unless set). Minimising the window calls
 * applicationDidEnterBackground, restoring it applicationWillEnterForeground. Closing the window
 * (or CCDirector::end) leaves the loop and run() returns: the scene is not torn down, so no
 * onExit runs at shutdown.
 *
 * The platform answers as the Windows desktop build: getTargetPlatform is kTargetWindows and
 * isTargetPlatform is true for it alone.
 */
class CCApplication : public CCApplicationProtocol
{
public:
    CCApplication();
    virtual ~CCApplication();

    /** The application made last and still alive; NULL when there is none. */
    static CCApplication* sharedApplication();

    /**
     * Runs the program; returns its exit status: 1 when the window can't be made or the launch
     * fails, else the status set while it ran (0 unless set).
     */
    int run();
    /** The status run() returns once the loop has ended: a start-up that fails later sets 1. */
    void setExitStatus(int status) { m_nExitStatus = status; }
    int getExitStatus() const { return m_nExitStatus; }

    virtual void setAnimationInterval(double interval);
    virtual ccLanguageType getCurrentLanguage();
    virtual TargetPlatform getTargetPlatform();
    virtual bool isTargetPlatform(TargetPlatform platform);

    /** Language for a locale name such as "fr_FR.UTF-8" or "pt-BR" (English when unknown). */
    static ccLanguageType languageForLocale(const char* locale);

protected:
    static CCApplication* sm_pSharedApplication;
    int m_nExitStatus;
};

NS_CC_END

#endif // __CC_APPLICATION_H__
