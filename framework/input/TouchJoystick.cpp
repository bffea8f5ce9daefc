#include "TouchJoystick.h"

#include "CCDirector.h"
#include "CCPointExtension.h"
#include "GameManager.h"
#include "InputDispatch.h"

NS_CC_BEGIN

TouchJoystick::TouchJoystick()
: m_pBaseSprite(NULL)
, m_pNubSprite(NULL)
, m_pActiveTouch(NULL)
, m_stickOffset(CCPointZero)
, m_touchArea(CCRectZero)
, m_fRadius(0.0f)
, m_bEnabled(true)
, m_pUpdateSource(NULL)
{
}

TouchJoystick::~TouchJoystick()
{
    if (m_pUpdateSource != NULL && GameManager::getInstance() == m_pUpdateSource)
    {
        m_pUpdateSource->getGameUpdateSignal().disconnect(this, &TouchJoystick::update);
    }
    CC_SAFE_RELEASE(m_pActiveTouch);
    CC_SAFE_RELEASE(m_pBaseSprite);
    CC_SAFE_RELEASE(m_pNubSprite);
}

bool TouchJoystick::init()
{
    if (!CCLayer::init())
    {
        return false;
    }
    CCSprite* base = CCSprite::create("joystick.png");
    CCSprite* nub = CCSprite::create("joystick-nub.png");
    if (base == NULL || nub == NULL)
    {
        CCLog("TouchJoystick::init - unable to load the joystick images");
        return false;
    }
    m_pBaseSprite = base;
    m_pNubSprite = nub;
    m_pBaseSprite->retain();
    m_pNubSprite->retain();
    addChild(m_pBaseSprite);
    addChild(m_pNubSprite);
    // Desktop builds drive the game with keys and pads: the stick works but is not drawn.
    m_pBaseSprite->setVisible(false);
    m_pNubSprite->setVisible(false);

    CC_SAFE_RELEASE_NULL(m_pActiveTouch);
    m_stickOffset = CCPointZero;
    placeNub(m_stickOffset);
    const CCSize win = CCDirector::sharedDirector()->getWinSize();
    m_touchArea = CCRect(0.0f, 0.0f, win.width * 0.5f, win.height);
    m_fRadius = m_pBaseSprite->getContentSize().width * 0.5f;

    GameManager* gameManager = GameManager::getInstance();
    if (gameManager != NULL)
    {
        gameManager->getGameUpdateSignal().connect(this, &TouchJoystick::update);
        m_pUpdateSource = gameManager;
    }
    setTouchEnabled(true);
    return true;
}

void TouchJoystick::registerWithTouchDispatcher()
{
    vornAddTargetedTouchDelegate(this, kTouchPriority, false);
}

void TouchJoystick::placeNub(const CCPoint& offset)
{
    if (m_pNubSprite != NULL)
    {
        m_pNubSprite->setPosition(offset);
    }
}

void TouchJoystick::setActiveTouch(CCTouch* touch)
{
    if (touch == m_pActiveTouch)
    {
        return;
    }
    CC_SAFE_RETAIN(touch);
    CC_SAFE_RELEASE(m_pActiveTouch);
    m_pActiveTouch = touch;
    m_stickOffset = CCPointZero;
    placeNub(m_stickOffset);
    setVisible(m_pActiveTouch != NULL);
    if (m_pActiveTouch == NULL)
    {
        m_moveSignal.emit(CCPointZero);
    }
}

bool TouchJoystick::ccTouchBegan(CCTouch* touch, CCEvent* event)
{
    CC_UNUSED_PARAM(event);
    GameManager* gameManager = GameManager::getInstance();
    if (touch == NULL || m_pActiveTouch != NULL || !m_bEnabled || (gameManager != NULL && gameManager->isPaused()))
    {
        return false;
    }
    const CCPoint location = touch->getLocation();
    if (!m_touchArea.containsPoint(location))
    {
        return false;
    }
    setPosition(location);
    setActiveTouch(touch);
    return true;
}

void TouchJoystick::ccTouchMoved(CCTouch* touch, CCEvent* event)
{
    CC_UNUSED_PARAM(event);
    if (touch == NULL || touch != m_pActiveTouch)
    {
        return;
    }
    const CCPoint location = touch->getLocation();
    if (!m_touchArea.containsPoint(location))
    {
        setActiveTouch(NULL);
        return;
    }
    CCPoint offset = ccpSub(location, getPosition());
    const float length = ccpLength(offset);
    if (length > m_fRadius && length > 0.0f)
    {
        offset = ccpMult(offset, m_fRadius / length);
    }
    m_stickOffset = offset;
    placeNub(m_stickOffset);
}

void TouchJoystick::ccTouchEnded(CCTouch* touch, CCEvent* event)
{
    CC_UNUSED_PARAM(event);
    if (touch == m_pActiveTouch)
    {
        setActiveTouch(NULL);
    }
}

void TouchJoystick::ccTouchCancelled(CCTouch* touch, CCEvent* event)
{
    ccTouchEnded(touch, event);
}

void TouchJoystick::update(float dt)
{
    CC_UNUSED_PARAM(dt);
    if (m_pActiveTouch == NULL || m_fRadius <= 0.0f)
    {
        m_moveSignal.emit(CCPointZero);
        return;
    }
    m_moveSignal.emit(ccpMult(m_stickOffset, 1.0f / m_fRadius));
}

NS_CC_END
