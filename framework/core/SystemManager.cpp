#include "SystemManager.h"

#include "SystemHandler_Win32.h"

NS_CC_BEGIN

SystemManager::SystemManager() : m_pHandler(NULL) {}

SystemManager::~SystemManager()
{
    CC_SAFE_RELEASE(m_pHandler);
}

SystemManager* SystemManager::create()
{
    SystemManager* manager = new SystemManager();
    if (manager->init())
    {
        manager->autorelease();
        return manager;
    }
    delete manager;
    return NULL;
}

bool SystemManager::init()
{
    setHandler(SystemHandler_Win32::create());
    if (m_pHandler == NULL)
    {
        CCLog("SystemManager::init - no system handler, system services are off");
    }
    return true;
}

bool SystemManager::openURL(const char* url)
{
    return m_pHandler != NULL && m_pHandler->openURL(url);
}

void SystemManager::quit()
{
    if (m_pHandler == NULL)
    {
        return;
    }
    // Keep the handler alive even if a subscriber swaps it out while the signal runs.
    SystemHandler* handler = m_pHandler;
    handler->retain();
    m_quitSignal.emit();
    handler->quit();
    handler->release();
}

void SystemManager::hideCursor()
{
    if (m_pHandler)
    {
        m_pHandler->hideCursor();
    }
}

void SystemManager::setFullscreen(bool fullscreen)
{
    if (m_pHandler)
    {
        m_pHandler->setFullscreen(fullscreen);
    }
}

bool SystemManager::isFullscreen()
{
    return m_pHandler ? m_pHandler->isFullscreen() : true;
}

void SystemManager::setHandler(SystemHandler* handler)
{
    CC_SAFE_RETAIN(handler);
    CC_SAFE_RELEASE(m_pHandler);
    m_pHandler = handler;
}

NS_CC_END
