#include "CCSlider.h"

#include "CCDirector.h"
#include "CCTouchDispatcher.h"

#include <algorithm>
#include <cmath>

NS_CC_BEGIN

CCSlider::CCSlider()
    : m_fMinimum(0.0f)
    , m_fMaximum(0.0f)
    , m_fValue(0.0f)
    , m_pTarget(NULL)
    , m_pCallback(NULL)
    , m_bDragging(false)
    , m_bTrackOutside(true)
    , m_bJumpToTouch(true)
    , m_bEnabled(true)
    , m_fLength(0.0f)
    , m_fHeight(0.0f)
    , m_pTrack(NULL)
    , m_pThumb(NULL)
{
}

CCSlider::~CCSlider()
{
}

CCSlider* CCSlider::create(CCNode* track, CCNode* thumb, CCObject* target, SEL_MenuHandler callback)
{
    CCSlider* slider = new CCSlider();
    slider->m_pTrack = track;
    slider->m_pThumb = thumb;
    if (track == NULL || !slider->init(target, callback))
    {
        delete slider;
        return NULL;
    }
    slider->autorelease();
    return slider;
}

bool CCSlider::init(CCObject* target, SEL_MenuHandler callback)
{
    if (m_pThumb == NULL || m_pTrack == NULL || !CCNode::init())
    {
        return false;
    }
    m_pTarget = target;
    m_pCallback = callback;
    m_fMinimum = 0.0f;
    m_fMaximum = 100.0f;
    addChild(m_pTrack);
    addChild(m_pThumb);
    CCSize trackSize = m_pTrack->boundingBox().size;
    CCSize thumbSize = m_pThumb->boundingBox().size;
    m_fLength = trackSize.width - thumbSize.width;
    m_fHeight = std::max(trackSize.height, thumbSize.height);
    m_bEnabled = true;
    return true;
}

bool CCSlider::canTravel() const
{
    return m_fLength > 0.0f && m_fMaximum > m_fMinimum;
}

float CCSlider::travel() const
{
    return m_fLength > 0.0f ? m_fLength : 0.0f;
}

CCRect CCSlider::touchArea() const
{
    float length = travel();
    return CCRect(-length / 2, -m_fHeight / 2, length, m_fHeight);
}

void CCSlider::placeThumb(float x)
{
    m_pThumb->setPosition(ccp(x, m_pThumb->getPositionY()));
}

void CCSlider::notify()
{
    if (m_pTarget != NULL && m_pCallback != NULL)
    {
        (m_pTarget->*m_pCallback)(this);
    }
}

void CCSlider::setValue(float value)
{
    if (!m_bEnabled)
    {
        return;
    }
    if (!canTravel())
    {
        m_fValue = m_fMinimum;
        placeThumb(-travel() / 2);
    }
    else
    {
        m_fValue = std::min(std::max(value, m_fMinimum), m_fMaximum);
        placeThumb((m_fValue - m_fMinimum) / (m_fMaximum - m_fMinimum) * m_fLength - m_fLength / 2);
    }
    notify();
}

void CCSlider::setValueFromX(float x)
{
    if (!canTravel())
    {
        m_fValue = m_fMinimum;
        placeThumb(-travel() / 2);
    }
    else
    {
        float half = m_fLength / 2;
        x = std::min(std::max(x, -half), half);
        placeThumb(x);
        m_fValue = (half + x) / m_fLength * (m_fMaximum - m_fMinimum) + m_fMinimum;
    }
    notify();
}

bool CCSlider::isShownAndEnabled()
{
    if (!m_bEnabled)
    {
        return false;
    }
    for (CCNode* node = this; node != NULL; node = node->getParent())
    {
        if (!node->isVisible())
        {
            return false;
        }
    }
    return true;
}

void CCSlider::onEnter()
{
    CCNode::onEnter();
    if (CCTouchDispatcher* touches = CCDirector::sharedDirector()->getTouchDispatcher())
    {
        touches->addTargetedDelegate(this, 0, true);
    }
}

void CCSlider::onExit()
{
    if (CCTouchDispatcher* touches = CCDirector::sharedDirector()->getTouchDispatcher())
    {
        touches->removeDelegate(this);
    }
    CCNode::onExit();
}

bool CCSlider::ccTouchBegan(CCTouch* pTouch, CCEvent*)
{
    if (!isShownAndEnabled())
    {
        return false;
    }
    CCPoint location = convertTouchToNodeSpace(pTouch);
    if (!touchArea().containsPoint(location))
    {
        return false;
    }
    if (m_bJumpToTouch)
    {
        setValueFromX(location.x);
        m_bDragging = true;
        return true;
    }
    float thumbHalfWidth = m_pThumb->boundingBox().size.width / 2;
    if (std::abs(m_pThumb->getPositionX() - location.x) < thumbHalfWidth)
    {
        m_bDragging = true;
        return true;
    }
    return false;
}

void CCSlider::ccTouchMoved(CCTouch* pTouch, CCEvent*)
{
    if (!isShownAndEnabled() || !m_bDragging)
    {
        return;
    }
    CCPoint location = convertTouchToNodeSpace(pTouch);
    if (!m_bTrackOutside && !touchArea().containsPoint(location))
    {
        m_bDragging = false;
        return;
    }
    setValueFromX(location.x);
}

void CCSlider::ccTouchEnded(CCTouch*, CCEvent*)
{
    m_bDragging = false;
}

void CCSlider::ccTouchCancelled(CCTouch*, CCEvent*)
{
    m_bDragging = false;
}

NS_CC_END
