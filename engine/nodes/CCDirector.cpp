#include "nodes/CCDirector.h"

#include "actions/CCActionManager.h"
#include "base/CCAutoreleasePool.h"
#include "nodes/CCScene.h"
#include "nodes/CCScheduler.h"
#include "platform/CCEGLView.h"
#include "platform/CCGamepadDispatcher.h"
#include "platform/CCKeyboardDispatcher.h"
#include "platform/CCKeypadDispatcher.h"
#include "platform/CCTouchDispatcher.h"
#include "support/CCBackgroundWriter.h"

#include <SDL.h>

NS_CC_BEGIN

namespace
{
CCDirector* s_sharedDirector = NULL;
}

CCDirector* CCDirector::sharedDirector(void)
{
    if (!s_sharedDirector)
    {
        s_sharedDirector = new CCDirector();
        s_sharedDirector->init();
    }
    return s_sharedDirector;
}

void CCDirector::purgeSharedDirector(void)
{
    if (s_sharedDirector)
    {
        s_sharedDirector->purgeDirector();
    }
}

bool CCDirector::hasSharedDirector(void)
{
    return s_sharedDirector != NULL;
}

CCDirector::CCDirector()
: m_pScheduler(NULL)
, m_pActionManager(NULL)
, m_pRunningScene(NULL)
, m_pNextScene(NULL)
, m_pNotificationNode(NULL)
, m_pobOpenGLView(NULL)
, m_pTouchDispatcher(NULL)
, m_pKeypadDispatcher(NULL)
, m_pKeyboardDispatcher(NULL)
, m_pGamepadDispatcher(NULL)
, m_obWinSizeInPoints(480.0f, 320.0f)
, m_dAnimationInterval(1.0 / 60.0)
, m_fDeltaTime(0.0f)
, m_fContentScaleFactor(1.0f)
, m_uTotalFrames(0)
, m_uPresents(0)
, m_uLastTicks(0)
, m_eProjection(kCCDirectorProjectionDefault)
, m_bPaused(false)
, m_bNextDeltaTimeZero(false)
, m_bDisplayStats(false)
, m_bDepthTest(false)
, m_bInvalid(false)
, m_bEnding(false)
{
}

bool CCDirector::init(void)
{
    m_pScheduler = new CCScheduler();
    m_pActionManager = new CCActionManager();
    m_pScheduler->scheduleUpdateForTarget(m_pActionManager, kCCPrioritySystem, false);
    m_pTouchDispatcher = new CCTouchDispatcher();
    m_pTouchDispatcher->init();
    m_pKeypadDispatcher = new CCKeypadDispatcher();
    m_pKeyboardDispatcher = new CCKeyboardDispatcher();
    m_pGamepadDispatcher = new CCGamepadDispatcher();
    return true;
}

CCDirector::~CCDirector()
{
    CC_SAFE_RELEASE(m_pRunningScene);
    CC_SAFE_RELEASE(m_pNextScene);
    CC_SAFE_RELEASE(m_pNotificationNode);
    CC_SAFE_RELEASE(m_pActionManager);
    CC_SAFE_RELEASE(m_pScheduler);
    CC_SAFE_RELEASE(m_pTouchDispatcher);
    CC_SAFE_RELEASE(m_pKeypadDispatcher);
    CC_SAFE_RELEASE(m_pKeyboardDispatcher);
    CC_SAFE_RELEASE(m_pGamepadDispatcher);
}

void CCDirector::purgeDirector(void)
{
    if (m_pRunningScene)
    {
        m_pRunningScene->onExitTransitionDidStart();
        m_pRunningScene->onExit();
        m_pRunningScene->cleanup();
    }
    CC_SAFE_RELEASE_NULL(m_pRunningScene);
    CC_SAFE_RELEASE_NULL(m_pNextScene);
    if (m_pNotificationNode)
    {
        m_pNotificationNode->onExit();
        m_pNotificationNode->cleanup();
    }
    CC_SAFE_RELEASE_NULL(m_pNotificationNode);
    m_pScheduler->unscheduleAll();
    m_pActionManager->removeAllActions();
    // Registered delegates are let go with the director.
    m_pTouchDispatcher->removeAllDelegates();
    m_pKeyboardDispatcher->removeAllDelegates();
    // Nodes still alive keep their own references to the scheduler and action manager.
    s_sharedDirector = NULL;
    release();
}

// ---- scenes --------------------------------------------------------------------------------

void CCDirector::runWithScene(CCScene* pScene)
{
    if (!pScene)
    {
        CCLog("CCDirector::runWithScene - scene is NULL");
        return;
    }
    if (m_pRunningScene)
    {
        CCLog("CCDirector::runWithScene - a scene is already running, replacing it");
        replaceScene(pScene);
        return;
    }
    CC_SAFE_RELEASE_NULL(m_pNextScene);
    pScene->retain();
    m_pRunningScene = pScene;
    m_pRunningScene->onEnter();
    m_pRunningScene->onEnterTransitionDidFinish();
    startAnimation();
}

void CCDirector::replaceScene(CCScene* pScene)
{
    if (!pScene)
    {
        CCLog("CCDirector::replaceScene - scene is NULL");
        return;
    }
    pScene->retain();
    CC_SAFE_RELEASE(m_pNextScene);
    m_pNextScene = pScene;
}

void CCDirector::setNextScene(void)
{
    CCScene* previous = m_pRunningScene;
    m_pRunningScene = m_pNextScene;
    m_pNextScene = NULL;
    if (previous)
    {
        previous->onExitTransitionDidStart();
        previous->onExit();
        previous->cleanup();
        previous->release();
    }
    if (m_pRunningScene)
    {
        m_pRunningScene->onEnter();
        m_pRunningScene->onEnterTransitionDidFinish();
    }
}

void CCDirector::setNotificationNode(CCNode* node)
{
    CC_SAFE_RETAIN(node);
    CC_SAFE_RELEASE(m_pNotificationNode);
    m_pNotificationNode = node;
}

// ---- the frame -----------------------------------------------------------------------------

void CCDirector::calculateDeltaTime(void)
{
    const unsigned long long now = SDL_GetPerformanceCounter();
    if (m_bNextDeltaTimeZero || m_uLastTicks == 0)
    {
        m_fDeltaTime = 0.0f;
        m_bNextDeltaTimeZero = false;
    }
    else
    {
        m_fDeltaTime = (float)((double)(now - m_uLastTicks) / (double)SDL_GetPerformanceFrequency());
        // A long stall (debugger, window drag) must not fling everything across the screen.
        if (m_fDeltaTime > 0.2f)
        {
            m_fDeltaTime = 1.0f / 60.0f;
        }
    }
    m_uLastTicks = now;
}

void CCDirector::mainLoop(void)
{
    if (m_bInvalid)
    {
        return;
    }
    calculateDeltaTime();
    drawScene();
    CCPoolManager::sharedPoolManager()->finalize();
}

void CCDirector::step(float dt)
{
    if (m_bNextDeltaTimeZero)
    {
        m_fDeltaTime = 0.0f;
        m_bNextDeltaTimeZero = false;
    }
    else
    {
        m_fDeltaTime = dt < 0.0f ? 0.0f : dt;
    }
    drawScene();
    CCPoolManager::sharedPoolManager()->finalize();
}

void CCDirector::drawScene(void)
{
    // Hold ourselves: a scheduled callback may purge the director.
    retain();
    // Answers of files written in the background come back on this thread, before the frame's work.
    CCBackgroundWriter::dispatchFinishedWrites();
    m_pScheduler->update(m_fDeltaTime);
    if (m_pNextScene)
    {
        setNextScene();
    }
    presentScene();
    ++m_uTotalFrames;
    release();
}

void CCDirector::presentScene(void)
{
    CCEGLView* view = m_pobOpenGLView;
    if (view)
    {
        view->beginFrame();
    }
    if (m_pRunningScene)
    {
        m_pRunningScene->visit();
    }
    if (m_pNotificationNode)
    {
        m_pNotificationNode->visit();
    }
    if (view)
    {
        view->endFrame();
    }
    ++m_uPresents;
}

void CCDirector::pause(void)
{
    m_bPaused = true;
}

void CCDirector::resume(void)
{
    m_bPaused = false;
    m_bNextDeltaTimeZero = true;
}

// ---- sizes ---------------------------------------------------------------------------------

void CCDirector::setContentScaleFactor(float scaleFactor)
{
    m_fContentScaleFactor = scaleFactor;
}

CCSize CCDirector::getWinSizeInPixels(void) const
{
    return CCSize(m_obWinSizeInPoints.width * m_fContentScaleFactor, m_obWinSizeInPoints.height * m_fContentScaleFactor);
}

void CCDirector::setWinSize(const CCSize& size)
{
    m_obWinSizeInPoints = size;
}

CCPoint CCDirector::convertToGL(const CCPoint& obPoint)
{
    return CCPoint(obPoint.x, m_obWinSizeInPoints.height - obPoint.y);
}

CCPoint CCDirector::convertToUI(const CCPoint& obPoint)
{
    return CCPoint(obPoint.x, m_obWinSizeInPoints.height - obPoint.y);
}

// ---- subsystems ----------------------------------------------------------------------------

void CCDirector::setScheduler(CCScheduler* pScheduler)
{
    if (m_pScheduler != pScheduler)
    {
        CC_SAFE_RETAIN(pScheduler);
        CC_SAFE_RELEASE(m_pScheduler);
        m_pScheduler = pScheduler;
    }
}

void CCDirector::setActionManager(CCActionManager* pActionManager)
{
    if (m_pActionManager != pActionManager)
    {
        CC_SAFE_RETAIN(pActionManager);
        CC_SAFE_RELEASE(m_pActionManager);
        m_pActionManager = pActionManager;
    }
}

void CCDirector::setTouchDispatcher(CCTouchDispatcher* pTouchDispatcher)
{
    CC_SAFE_RETAIN(pTouchDispatcher);
    CC_SAFE_RELEASE(m_pTouchDispatcher);
    m_pTouchDispatcher = pTouchDispatcher;
}

void CCDirector::setKeypadDispatcher(CCKeypadDispatcher* pKeypadDispatcher)
{
    CC_SAFE_RETAIN(pKeypadDispatcher);
    CC_SAFE_RELEASE(m_pKeypadDispatcher);
    m_pKeypadDispatcher = pKeypadDispatcher;
}

void CCDirector::setKeyboardDispatcher(CCKeyboardDispatcher* pDispatcher)
{
    CC_SAFE_RETAIN(pDispatcher);
    CC_SAFE_RELEASE(m_pKeyboardDispatcher);
    m_pKeyboardDispatcher = pDispatcher;
}

void CCDirector::setGamepadDispatcher(CCGamepadDispatcher* pDispatcher)
{
    CC_SAFE_RETAIN(pDispatcher);
    CC_SAFE_RELEASE(m_pGamepadDispatcher);
    m_pGamepadDispatcher = pDispatcher;
}

NS_CC_END
