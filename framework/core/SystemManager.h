#ifndef __SYSTEM_MANAGER_H__
#define __SYSTEM_MANAGER_H__

#include "Signal.h"
#include "SystemHandler.h"

NS_CC_BEGIN

/** The front for operating-system services; announces quitting so online services shut down first. */
class SystemManager : public CCObject
{
public:
    SystemManager();
    virtual ~SystemManager();

    static SystemManager* create();

    /** Makes the platform handler; true even when that fails (every service then does nothing). */
    virtual bool init();
    /** False when no browser took the link (or there are no system services). */
    virtual bool openURL(const char* url);
    /** Emits the quit signal, then has the handler end the process. Nothing without a handler. */
    virtual void quit();
    virtual void hideCursor();
    virtual void setFullscreen(bool fullscreen);
    /** The handler's answer; true without a handler. */
    virtual bool isFullscreen();

    virtual SystemHandler* getHandler() { return m_pHandler; }
    /** Retains the new handler and releases the old one. */
    virtual void setHandler(SystemHandler* handler);
    virtual Signal<>& getQuitSignal() { return m_quitSignal; }
    virtual void setQuitSignal(const Signal<>& quitSignal) { m_quitSignal = quitSignal; }

private:
    SystemHandler* m_pHandler;  ///< retained
    Signal<> m_quitSignal;
};

NS_CC_END

#endif // __SYSTEM_MANAGER_H__
