#include "VornCameraManager.h"

#include "AutoLerpFloat.h"
#include "CCConsole.h"
#include "CCDirector.h"
#include "CCNode.h"
#include "CCPointExtension.h"
#include "RestartManager.h"
#include "VornBackdrop.h"
#include "VornCollision.h"
#include "VornGameManager.h"

#include <algorithm>
#include <cstdlib>

NS_CC_BEGIN

const float VornCameraManager::kDefaultGameScale = 4.0f;
const float VornCameraManager::kSmoothScale = 5.0f;
const float VornCameraManager::kFloorInset = 2.0f;

namespace
{
const char* const kShakeKey = "cameraShakeScale";


// -1 to 1.
float randomSigned()
{
    return 2.0f * (float)(rand() & 0x7FFF) / 32767.0f - 1.0f;
}
} // namespace

VornCameraManager::VornCameraManager()
    : m_pGameLayer(NULL),
      m_pTarget(NULL),
      m_pGameScale(NULL),
      m_cameraPosition(0.0f, 0.0f),
      m_pCameraCenterHeight(NULL),
      m_gameScreenBounds(0.0f, 0.0f, 0.0f, 0.0f),
      m_fShakeScale(0.0f),
      m_bJustRestarted(true),
      m_pSignalSource(NULL),
      m_pBackdrop(NULL),
      m_bRestartValueRegistered(false)
{
}

VornCameraManager::~VornCameraManager()
{
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    if (game != NULL && game == m_pSignalSource)
    {
        game->getUpdateSignal().disconnect(this, &VornCameraManager::tick);
        game->getLevelStartedSignal().disconnect(this, &VornCameraManager::onRestart);
        game->getContinueSignal().disconnect(this, &VornCameraManager::onRestart);
        if (m_bRestartValueRegistered && game->getRestartManager() != NULL)
        {
            game->getRestartManager()->removeDelegateWithKey(kShakeKey);
        }
    }
    m_pSignalSource = NULL;
    if (m_pBackdrop != NULL)
    {
        m_cameraMovedSignal.disconnect(m_pBackdrop, &VornBackdrop::onCameraMoved);
        CC_SAFE_RELEASE_NULL(m_pBackdrop);
    }
    CC_SAFE_RELEASE(m_pGameScale);
    CC_SAFE_RELEASE(m_pCameraCenterHeight);
    CC_SAFE_RELEASE(m_pTarget);
    CC_SAFE_RELEASE(m_pGameLayer);
}

bool VornCameraManager::initWithGameLayer(CCNode* gameLayer)
{
    if (gameLayer == NULL)
    {
        CCLog("VornCameraManager::initWithGameLayer - game layer is NULL!");
        return false;
    }
    if (m_pSignalSource != NULL)
    {
        CCLog("VornCameraManager::initWithGameLayer - already initialised");
        return false;
    }
    setGameLayer(gameLayer);
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    if (game != NULL)
    {
        m_pSignalSource = game;
        game->getUpdateSignal().connect(this, &VornCameraManager::tick);
        game->getLevelStartedSignal().connect(this, &VornCameraManager::onRestart);
        game->getContinueSignal().connect(this, &VornCameraManager::onRestart);
    }
    AutoLerpFloat* height = new AutoLerpFloat(kSmoothScale, 0.0f);
    setCameraCenterHeight(height);
    height->release();
    AutoLerpFloat* scale = new AutoLerpFloat(kSmoothScale, kDefaultGameScale);
    setGameScale(scale);
    scale->release();
    if (game != NULL && game->getRestartManager() != NULL)
    {
        game->getRestartManager()->addDelegate(RestartDelegate<float>::create(
            kShakeKey, this, &VornCameraManager::getShakeScale, &VornCameraManager::setShakeScale));
        m_bRestartValueRegistered = true;
    }
    return true;
}

void VornCameraManager::setGameLayer(CCNode* layer)
{
    CC_SAFE_RETAIN(layer);
    CC_SAFE_RELEASE(m_pGameLayer);
    m_pGameLayer = layer;
}

void VornCameraManager::setTarget(CCNode* target)
{
    CC_SAFE_RETAIN(target);
    CC_SAFE_RELEASE(m_pTarget);
    m_pTarget = target;
}

void VornCameraManager::setGameScale(AutoLerpFloat* scale)
{
    CC_SAFE_RETAIN(scale);
    CC_SAFE_RELEASE(m_pGameScale);
    m_pGameScale = scale;
}

void VornCameraManager::setCameraCenterHeight(AutoLerpFloat* height)
{
    CC_SAFE_RETAIN(height);
    CC_SAFE_RELEASE(m_pCameraCenterHeight);
    m_pCameraCenterHeight = height;
}

void VornCameraManager::onRestart()
{
    m_fShakeScale = 0.0f;
    m_bJustRestarted = true;
    if (m_pGameScale != NULL)
    {
        m_pGameScale->setTarget(kDefaultGameScale);
        m_pGameScale->setValue(kDefaultGameScale);
    }
    if (m_pCameraCenterHeight != NULL)
    {
        m_pCameraCenterHeight->setTarget(0.0f);
        m_pCameraCenterHeight->setValue(0.0f);
    }
}

VornBackdrop* VornCameraManager::currentBackdrop()
{
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    return game != NULL ? game->getBackground() : NULL;
}

void VornCameraManager::followBackdrop()
{
    VornBackdrop* backdrop = currentBackdrop();
    if (backdrop == m_pBackdrop)
    {
        return;
    }
    if (m_pBackdrop != NULL)
    {
        m_cameraMovedSignal.disconnect(m_pBackdrop, &VornBackdrop::onCameraMoved);
    }
    CC_SAFE_RETAIN(backdrop);
    CC_SAFE_RELEASE(m_pBackdrop);
    m_pBackdrop = backdrop;
    if (m_pBackdrop != NULL)
    {
        m_cameraMovedSignal.connect(m_pBackdrop, &VornBackdrop::onCameraMoved);
    }
}

void VornCameraManager::tick(float dt)
{
    followBackdrop();
    if (m_pGameLayer == NULL || m_pGameLayer->getChildrenCount() == 0 || m_pGameScale == NULL ||
        m_pCameraCenterHeight == NULL)
    {
        return;
    }
    m_pCameraCenterHeight->tick(dt);
    m_pGameScale->tick(dt);

    CCDirector* director = CCDirector::sharedDirector();
    const CCSize win = director->getWinSize();
    GameManager* game = GameManager::getInstance();
    const float s = m_pGameScale->getValue() * (game != NULL ? game->getGameScale() : 1.0f);
    m_pGameLayer->setAnchorPoint(CCPoint(0.5f, 0.5f));
    m_pGameLayer->setContentSize(CCSize(0.0f, 0.0f));
    m_pGameLayer->setScale(s);

    CCPoint desired(m_pTarget != NULL ? m_pTarget->getPosition().x : m_cameraPosition.x,
                    m_pCameraCenterHeight->getValue());
    VornBackdrop* backdrop = m_pBackdrop;
    if (backdrop != NULL && backdrop->getLeftEdgeCollision() != NULL && backdrop->getRightEdgeCollision() != NULL &&
        s > 0.0f)
    {
        const float halfWidth = 0.5f * win.width / s;
        const float left = backdrop->getLeftEdgeCollision()->getPosition().x;
        const float right = backdrop->getRightEdgeCollision()->getPosition().x;
        // Walls closer than a screen: the right one wins.
        desired.x = std::max(desired.x, left + halfWidth);
        desired.x = std::min(desired.x, right - halfWidth);
        if (backdrop->getFloorCollision() != NULL)
        {
            backdrop->getFloorCollision()->setPosition(CCPoint(left, -0.5f * win.height / s + kFloorInset));
        }
    }

    float t = clampf(dt * kSmoothScale, 0.0f, 1.0f);
    if (m_bJustRestarted)
    {
        t = 1.0f;
        m_bJustRestarted = false;
    }
    m_cameraPosition = ccpLerp(m_cameraPosition, desired, t);
    CCPoint view = m_cameraPosition;

    if (game != NULL && !game->isPaused() && m_fShakeScale > 0.0f)
    {
        const float amplitude = director->getContentScaleFactor() * m_fShakeScale;
        const float x = amplitude * randomSigned();
        const float y = amplitude * randomSigned();
        view = view + CCPoint(x, y);
    }

    // The emission may drop the camera's last other holder (a script reloading the level).
    retain();
    m_cameraMovedSignal.emit(CCPoint(-view.x, 0.0f));

    view = view * s;
    m_pGameLayer->setPosition(CCPoint(0.5f * win.width - view.x, 0.5f * win.height + view.y));

    const CCPoint origin = m_pGameLayer->convertToNodeSpace(CCPoint(0.0f, 0.0f));
    const CCPoint corner = m_pGameLayer->convertToNodeSpace(CCPoint(win.width, win.height));
    m_gameScreenBounds = CCRect(origin.x, origin.y, corner.x - origin.x, corner.y - origin.y);
    release();
}

void VornCameraManager::moveEdge(bool left, const CCPoint& position)
{
    VornBackdrop* backdrop = currentBackdrop();
    VornCollision* edge = backdrop == NULL ? NULL
                          : left          ? backdrop->getLeftEdgeCollision()
                                          : backdrop->getRightEdgeCollision();
    if (edge == NULL)
    {
        CCLog("VornCameraManager::moveEdge - no stage loaded");
        return;
    }
    edge->setPosition(position);
}

void VornCameraManager::setLeftEdgeCollisionToCameraBounds(bool toCamera)
{
    VornBackdrop* backdrop = currentBackdrop();
    if (toCamera)
    {
        moveEdge(true, CCPoint(m_gameScreenBounds.getMinX(), m_gameScreenBounds.getMinY()));
    }
    else
    {
        moveEdge(true, CCPoint(backdrop ? backdrop->getLevelBounds().getMinX() : 0.0f, 0.0f));
    }
}

void VornCameraManager::setRightEdgeCollisionToCameraBounds(bool toCamera)
{
    VornBackdrop* backdrop = currentBackdrop();
    if (toCamera)
    {
        moveEdge(false, CCPoint(m_gameScreenBounds.getMaxX(), m_gameScreenBounds.getMinY()));
    }
    else
    {
        moveEdge(false, CCPoint(backdrop ? backdrop->getLevelBounds().getMaxX() : 0.0f, 0.0f));
    }
}

void VornCameraManager::setLeftEdgeCollision(float x)
{
    moveEdge(true, CCPoint(x, m_gameScreenBounds.getMinY()));
}

void VornCameraManager::setRightEdgeCollision(float x)
{
    moveEdge(false, CCPoint(x, m_gameScreenBounds.getMinY()));
}

NS_CC_END
