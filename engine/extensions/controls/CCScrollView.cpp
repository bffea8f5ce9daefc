#include "extensions/controls/CCScrollView.h"

#include "actions/CCActionEase.h"
#include "actions/CCActionInstant.h"
#include "actions/CCActionInterval.h"
#include "base/CCPointExtension.h"
#include "draw/CCRenderer.h"
#include "nodes/CCDirector.h"
#include "platform/CCTouchDispatcher.h"

#include <cmath>

USING_NS_CC;

NS_CC_EXT_BEGIN

namespace
{
const float kDecelerationRate = 0.95f;
const float kRestDistance = 1.0f;   // glides slower than this per frame stop
const float kBounceDuration = 0.15f;
const float kInsetRatio = 0.2f;
const int kAnimatedScrollTag = 0x5c011;
} // namespace

CCScrollView::CCScrollView()
: m_pContainer(NULL)
, m_pDelegate(NULL)
, m_eDirection(kCCScrollViewDirectionBoth)
, m_bDragging(false)
, m_bTouchMoved(false)
, m_bBounceable(true)
, m_bClippingToBounds(true)
, m_tTouchPoint(CCPointZero)
, m_tScrollDistance(CCPointZero)
, m_tViewSize(CCSizeZero)
, m_pTouches(NULL)
{
}

CCScrollView::~CCScrollView()
{
    CC_SAFE_RELEASE(m_pTouches);
}

CCScrollView* CCScrollView::create()
{
    CCScrollView* pRet = new CCScrollView();
    if (pRet->init())
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

CCScrollView* CCScrollView::create(CCSize size, CCNode* container)
{
    CCScrollView* pRet = new CCScrollView();
    if (pRet->initWithViewSize(size, container))
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

bool CCScrollView::init()
{
    return initWithViewSize(CCSizeMake(200, 200), NULL);
}

bool CCScrollView::initWithViewSize(CCSize size, CCNode* container)
{
    if (!CCLayer::init())
    {
        return false;
    }
    if (!m_pTouches)
    {
        m_pTouches = new CCArray();
        m_pTouches->init();
    }
    m_eTouchMode = kCCTouchesOneByOne;
    setViewSize(size);
    setContainer(container ? container : CCLayer::create());
    setTouchEnabled(true);
    m_pDelegate = NULL;
    m_bBounceable = true;
    m_bClippingToBounds = true;
    m_eDirection = kCCScrollViewDirectionBoth;
    return true;
}

// Sizes

void CCScrollView::setViewSize(CCSize size)
{
    m_tViewSize = size;
    CCLayer::setContentSize(size);
}

void CCScrollView::setContainer(CCNode* pContainer)
{
    if (!pContainer || pContainer == m_pContainer)
    {
        return;
    }
    pContainer->retain();
    if (m_pContainer)
    {
        removeChild(m_pContainer, true);
    }
    m_pContainer = pContainer;
    m_pContainer->ignoreAnchorPointForPosition(false);
    m_pContainer->setAnchorPoint(ccp(0, 0));
    m_pContainer->setPosition(ccp(0, 0));
    CCLayer::addChild(m_pContainer);
    pContainer->release();
}

const CCSize& CCScrollView::getContentSize() const
{
    return m_pContainer ? m_pContainer->getContentSize() : CCLayer::getContentSize();
}

void CCScrollView::setContentSize(const CCSize& size)
{
    if (m_pContainer)
    {
        m_pContainer->setContentSize(size);
    }
    else
    {
        CCLayer::setContentSize(size);
    }
}

CCRect CCScrollView::getViewRect()
{
    const CCPoint origin = convertToWorldSpace(CCPointZero);
    float scaleX = getScaleX();
    float scaleY = getScaleY();
    for (CCNode* p = m_pParent; p; p = p->getParent())
    {
        scaleX *= p->getScaleX();
        scaleY *= p->getScaleY();
    }
    // Negative scales flip the rectangle about its origin.
    CCRect rect(origin.x, origin.y, m_tViewSize.width * scaleX, m_tViewSize.height * scaleY);
    if (rect.size.width < 0)
    {
        rect.origin.x += rect.size.width;
        rect.size.width = -rect.size.width;
    }
    if (rect.size.height < 0)
    {
        rect.origin.y += rect.size.height;
        rect.size.height = -rect.size.height;
    }
    return rect;
}

// Offsets

CCPoint CCScrollView::maxContainerOffset()
{
    return ccp(0, 0);
}

CCPoint CCScrollView::minContainerOffset()
{
    if (!m_pContainer)
    {
        return ccp(0, 0);
    }
    const CCSize content = m_pContainer->getContentSize();
    return ccp(m_tViewSize.width - content.width * m_pContainer->getScaleX(),
               m_tViewSize.height - content.height * m_pContainer->getScaleY());
}

CCPoint CCScrollView::inset() const
{
    return ccp(m_tViewSize.width * kInsetRatio, m_tViewSize.height * kInsetRatio);
}

CCPoint CCScrollView::clampOffset(CCPoint offset, const CCPoint& slack)
{
    // The far end wins when the content is smaller than the view, so it stays at the top/left.
    const CCPoint lo = ccpSub(minContainerOffset(), slack);
    const CCPoint hi = ccpAdd(maxContainerOffset(), slack);
    offset.x = std::max(lo.x, std::min(offset.x, hi.x));
    offset.y = std::max(lo.y, std::min(offset.y, hi.y));
    return offset;
}

void CCScrollView::setContentOffset(CCPoint offset, bool animated)
{
    if (!m_pContainer)
    {
        return;
    }
    if (animated)
    {
        setContentOffsetInDuration(offset, kBounceDuration);
        return;
    }
    if (!m_bBounceable)
    {
        offset = clampOffset(offset, CCPointZero);
    }
    m_pContainer->stopActionByTag(kAnimatedScrollTag);
    m_pContainer->setPosition(offset);
    if (m_pDelegate)
    {
        m_pDelegate->scrollViewDidScroll(this);
    }
}

void CCScrollView::setContentOffsetInDuration(CCPoint offset, float dt)
{
    if (!m_pContainer)
    {
        return;
    }
    m_pContainer->stopActionByTag(kAnimatedScrollTag);
    CCFiniteTimeAction* move = CCEaseOut::create(CCMoveTo::create(dt, offset), 2.0f);
    CCFiniteTimeAction* done = CCCallFuncN::create(this, callfuncN_selector(CCScrollView::stoppedAnimatedScroll));
    CCAction* scroll = CCSequence::createWithTwoActions(move, done);
    scroll->setTag(kAnimatedScrollTag);
    m_pContainer->runAction(scroll);
    schedule(schedule_selector(CCScrollView::performedAnimatedScroll));
}

CCPoint CCScrollView::getContentOffset()
{
    return m_pContainer ? m_pContainer->getPosition() : CCPointZero;
}

void CCScrollView::performedAnimatedScroll(float dt)
{
    CC_UNUSED_PARAM(dt);
    if (m_bDragging)
    {
        unschedule(schedule_selector(CCScrollView::performedAnimatedScroll));
        return;
    }
    if (m_pDelegate)
    {
        m_pDelegate->scrollViewDidScroll(this);
    }
}

void CCScrollView::stoppedAnimatedScroll(CCNode* node)
{
    CC_UNUSED_PARAM(node);
    unschedule(schedule_selector(CCScrollView::performedAnimatedScroll));
    if (m_pDelegate)
    {
        m_pDelegate->scrollViewDidScroll(this);
    }
}

void CCScrollView::relocateContainer(bool animated)
{
    const CCPoint current = getContentOffset();
    const CCPoint inside = clampOffset(current, CCPointZero);
    if (!inside.equals(current))
    {
        setContentOffset(inside, animated);
    }
}

bool CCScrollView::isNodeVisible(CCNode* node)
{
    const CCPoint offset = getContentOffset();
    const CCRect viewRect(-offset.x, -offset.y, m_tViewSize.width, m_tViewSize.height);
    return viewRect.intersectsRect(node->boundingBox());
}

void CCScrollView::deaccelerateScrolling(float dt)
{
    CC_UNUSED_PARAM(dt);
    if (m_bDragging || !m_pContainer)
    {
        unschedule(schedule_selector(CCScrollView::deaccelerateScrolling));
        return;
    }
    const CCPoint slack = m_bBounceable ? inset() : CCPointZero;
    const CCPoint wanted = ccpAdd(m_pContainer->getPosition(), m_tScrollDistance);
    const CCPoint reached = clampOffset(wanted, slack);
    setContentOffset(reached);
    m_tScrollDistance = ccpMult(m_tScrollDistance, kDecelerationRate);

    const bool slow = fabsf(m_tScrollDistance.x) <= kRestDistance && fabsf(m_tScrollDistance.y) <= kRestDistance;
    if (slow || !reached.equals(wanted))
    {
        // At rest or against the slack's edge: glide no further and settle inside the offsets.
        m_tScrollDistance = CCPointZero;
        unschedule(schedule_selector(CCScrollView::deaccelerateScrolling));
        relocateContainer(true);
    }
}

// Touch

void CCScrollView::registerWithTouchDispatcher()
{
    // Not swallowing: items inside the view (menus) see the same touches.
    CCTouchDispatcher* dispatcher = CCDirector::sharedDirector()->getTouchDispatcher();
    if (dispatcher)
    {
        dispatcher->addTargetedDelegate(this, getTouchPriority(), false);
    }
}

bool CCScrollView::ccTouchBegan(CCTouch* touch, CCEvent* event)
{
    CC_UNUSED_PARAM(event);
    if (!isVisible() || !m_pContainer)
    {
        return false;
    }
    for (CCNode* c = m_pParent; c; c = c->getParent())
    {
        if (!c->isVisible())
        {
            return false;
        }
    }
    if (m_pTouches->count() >= 1 || m_bTouchMoved || !getViewRect().containsPoint(touch->getLocation()))
    {
        return false;
    }
    m_pTouches->addObject(touch);
    m_tTouchPoint = convertTouchToNodeSpace(touch);
    m_bTouchMoved = false;
    m_bDragging = true;
    m_tScrollDistance = CCPointZero;
    unschedule(schedule_selector(CCScrollView::deaccelerateScrolling));
    m_pContainer->stopActionByTag(kAnimatedScrollTag);
    return true;
}

void CCScrollView::ccTouchMoved(CCTouch* touch, CCEvent* event)
{
    CC_UNUSED_PARAM(event);
    if (!m_bDragging || !m_pTouches->containsObject(touch))
    {
        return;
    }
    const CCPoint point = convertTouchToNodeSpace(touch);
    CCPoint delta = ccpSub(point, m_tTouchPoint);
    m_tTouchPoint = point;
    m_bTouchMoved = true;
    if (m_eDirection == kCCScrollViewDirectionVertical)
    {
        delta.x = 0;
    }
    else if (m_eDirection == kCCScrollViewDirectionHorizontal)
    {
        delta.y = 0;
    }
    else if (m_eDirection == kCCScrollViewDirectionNone)
    {
        delta = CCPointZero;
    }
    const CCPoint slack = m_bBounceable ? inset() : CCPointZero;
    const CCPoint before = getContentOffset();
    const CCPoint after = clampOffset(ccpAdd(before, delta), slack);
    m_tScrollDistance = ccpSub(after, before);
    setContentOffset(after);
}

void CCScrollView::ccTouchEnded(CCTouch* touch, CCEvent* event)
{
    CC_UNUSED_PARAM(event);
    if (!m_pTouches->containsObject(touch))
    {
        return;
    }
    m_pTouches->removeObject(touch);
    m_bDragging = false;
    if (m_bTouchMoved)
    {
        schedule(schedule_selector(CCScrollView::deaccelerateScrolling));
    }
    else
    {
        relocateContainer(true);
    }
    m_bTouchMoved = false;
}

void CCScrollView::ccTouchCancelled(CCTouch* touch, CCEvent* event)
{
    CC_UNUSED_PARAM(event);
    if (!m_pTouches->containsObject(touch))
    {
        return;
    }
    m_pTouches->removeObject(touch);
    m_bDragging = false;
    m_bTouchMoved = false;
    m_tScrollDistance = CCPointZero;
    relocateContainer(true);
}

// Children go into the container.

void CCScrollView::addChild(CCNode* child, int zOrder, int tag)
{
    if (!m_pContainer || child == m_pContainer)
    {
        CCLayer::addChild(child, zOrder, tag);
    }
    else
    {
        m_pContainer->addChild(child, zOrder, tag);
    }
}

void CCScrollView::addChild(CCNode* child, int zOrder)
{
    addChild(child, zOrder, child ? child->getTag() : kCCNodeTagInvalid);
}

void CCScrollView::addChild(CCNode* child)
{
    addChild(child, child ? child->getZOrder() : 0, child ? child->getTag() : kCCNodeTagInvalid);
}

void CCScrollView::visit()
{
    if (!isVisible())
    {
        return;
    }
    if (m_bClippingToBounds)
    {
        beforeDraw();
    }
    CCLayer::visit();
    if (m_bClippingToBounds)
    {
        afterDraw();
    }
}

void CCScrollView::beforeDraw()
{
    // Called before this node's own visit, so the current transform is still the parent's.
    const CCAffineTransform toWorld = CCAffineTransformConcat(nodeToParentTransform(), CCNode::currentVisitTransform());
    CCRenderer::sharedRenderer()->pushClipRect(CCRectMake(0, 0, m_tViewSize.width, m_tViewSize.height), toWorld);
}

void CCScrollView::afterDraw()
{
    CCRenderer::sharedRenderer()->popClipRect();
}

NS_CC_EXT_END
