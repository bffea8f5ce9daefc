#include "TouchGestures.h"

#include "CCDirector.h"
#include "CCPointExtension.h"
#include "GameManager.h"
#include "InputDispatch.h"

#include <cmath>

NS_CC_BEGIN

const float TouchGestures::kSwipeDistance = 15.0f;

TouchGestures::TouchGestures()
: m_pActiveTouch(NULL)
, m_touchArea(CCRectZero)
, m_fHoldTimer(0.0f)
, m_fHoldTime(0.25f)
, m_startPoint(CCPointZero)
, m_pUpdateSource(NULL)
{
}

TouchGestures::~TouchGestures()
{
    if (m_pUpdateSource != NULL && GameManager::getInstance() == m_pUpdateSource)
    {
        m_pUpdateSource->getUpdateSignal().disconnect(this, &TouchGestures::update);
    }
    CC_SAFE_RELEASE(m_pActiveTouch);
}

bool TouchGestures::init()
{
    if (!CCLayer::init())
    {
        return false;
    }
    CC_SAFE_RELEASE_NULL(m_pActiveTouch);
    const CCSize win = CCDirector::sharedDirector()->getWinSize();
    m_touchArea = CCRect(win.width * 0.5f, 0.0f, win.width * 0.5f, win.height);
    GameManager* gameManager = GameManager::getInstance();
    if (gameManager != NULL)
    {
        gameManager->getUpdateSignal().connect(this, &TouchGestures::update);
        m_pUpdateSource = gameManager;
    }
    m_fHoldTimer = 0.0f;
    m_fHoldTime = 0.25f;
    setTouchEnabled(true);
    return true;
}

void TouchGestures::registerWithTouchDispatcher()
{
    vornAddTargetedTouchDelegate(this, kTouchPriority, false);
}

void TouchGestures::setActiveTouch(CCTouch* touch)
{
    if (touch == m_pActiveTouch)
    {
        return;
    }
    if (touch != NULL)
    {
        touchBeganSignal.emit(getPosition());
        m_fHoldTimer = m_fHoldTime;
    }
    else
    {
        touchEndedSignal.emit(getPosition());
    }
    CC_SAFE_RETAIN(touch);
    CC_SAFE_RELEASE(m_pActiveTouch);
    m_pActiveTouch = touch;
}

bool TouchGestures::ccTouchBegan(CCTouch* touch, CCEvent* event)
{
    CC_UNUSED_PARAM(event);
    if (touch == NULL || m_pActiveTouch != NULL)
    {
        return false;
    }
    const CCPoint location = touch->getLocation();
    if (!m_touchArea.containsPoint(location))
    {
        return false;
    }
    m_startPoint = location;
    setActiveTouch(touch);
    return true;
}

void TouchGestures::ccTouchMoved(CCTouch* touch, CCEvent* event)
{
    CC_UNUSED_PARAM(event);
    if (touch == NULL || touch != m_pActiveTouch)
    {
        return;
    }
    const CCPoint moved = ccpSub(touch->getLocation(), m_startPoint);
    if (ccpLength(moved) <= kSwipeDistance)
    {
        return;
    }
    const CCPoint direction = ccpNormalize(moved);
    // Unsigned angle from straight up: within 45 degrees of up or down is a vertical swipe.
    const float angle = acosf(direction.y < -1.0f ? -1.0f : (direction.y > 1.0f ? 1.0f : direction.y));
    Signal<>* swipe = NULL;
    if (angle < (float)M_PI_4 || angle > 3.0f * (float)M_PI_4)
    {
        swipe = direction.y > 0.0f ? &m_swipeUpSignal : (direction.y < 0.0f ? &m_swipeDownSignal : NULL);
    }
    else
    {
        swipe = direction.x > 0.0f ? &m_swipeRightSignal : (direction.x < 0.0f ? &m_swipeLeftSignal : NULL);
    }
    if (swipe != NULL)
    {
        swipe->emit();
        setActiveTouch(NULL);
    }
}

void TouchGestures::ccTouchEnded(CCTouch* touch, CCEvent* event)
{
    CC_UNUSED_PARAM(event);
    if (touch == NULL || touch != m_pActiveTouch)
    {
        return;
    }
    if (m_fHoldTimer > 0.0f)
    {
        tapSignal.emit(touch->getLocation());
    }
    setActiveTouch(NULL);
}

void TouchGestures::ccTouchCancelled(CCTouch* touch, CCEvent* event)
{
    CC_UNUSED_PARAM(event);
    if (touch != NULL && touch == m_pActiveTouch)
    {
        setActiveTouch(NULL);
    }
}

void TouchGestures::update(float dt)
{
    if (m_pActiveTouch == NULL)
    {
        return;
    }
    m_fHoldTimer -= dt;
    if (m_fHoldTimer < 0.0f)
    {
        holdSignal.emit(m_pActiveTouch->getLocation());
        setActiveTouch(NULL);
    }
}

NS_CC_END
