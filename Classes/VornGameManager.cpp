#include "VornGameManager.h"

#include "CCFileUtils.h"

NS_CC_BEGIN

const float VornGameManager::kMaxFrameTime = 1.0f / 15.0f;

VornGameManager::VornGameManager()
{
    // Nothing plays until a level starts.
    m_bPaused = true;
}

VornGameManager::~VornGameManager() {}

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

NS_CC_END
