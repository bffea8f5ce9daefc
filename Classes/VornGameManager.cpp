#include "VornGameManager.h"

#include "CCFileUtils.h"
#include "SFXManager.h"

NS_CC_BEGIN

const float VornGameManager::kMaxFrameTime = 1.0f / 15.0f;

VornGameManager::VornGameManager() : m_pSFXManager(NULL)
{
    // Nothing plays until a level starts.
    m_bPaused = true;
}

VornGameManager::~VornGameManager()
{
    CC_SAFE_RELEASE(m_pSFXManager);
}

VornGameManager* VornGameManager::getSharedVornGameManager()
{
    return dynamic_cast<VornGameManager*>(GameManager::getInstance());
}

bool VornGameManager::initVornGameManager()
{
    CCFileUtils::sharedFileUtils()->setWritablePathAppName("TULMEK");
    if (!GameManager::init(NULL))
    {
        return false;
    }
    // Menus and actors find it through the shared accessor; it ticks on the update signal.
    m_pSFXManager = new SFXManager();
    m_pSFXManager->init();
    return true;
}

void VornGameManager::tick(float dt)
{
    if (dt > kMaxFrameTime)
    {
        dt = kMaxFrameTime;
    }
    GameManager::tick(dt);
}

void VornGameManager::applicationDidEnterBackground()
{
    GameManager::applicationDidEnterBackground();
}

bool VornGameManager::canShowPauseScreen()
{
    return true;
}

void VornGameManager::togglePause()
{
    if (!canShowPauseScreen())
    {
        return;
    }
    setPaused(!isPaused());
}

NS_CC_END
