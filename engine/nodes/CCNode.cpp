#include "nodes/CCNode.h"

#include "actions/CCAction.h"
#include "actions/CCActionManager.h"
#include "nodes/CCDirector.h"
#include "nodes/CCScheduler.h"
#include "nodes/CCTouch.h"

#include <cmath>

NS_CC_BEGIN

namespace
{
unsigned int s_globalOrderOfArrival = 1;
CCAffineTransform s_visitTransform = { 1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f };
}

CCNode::CCNode()
: m_fRotation(0.0f)
, m_fScaleX(1.0f)
, m_fScaleY(1.0f)
, m_fVertexZ(0.0f)
, m_obPosition(CCPointZero)
, m_fSkewX(0.0f)
, m_fSkewY(0.0f)
, m_obAnchorPointInPoints(CCPointZero)
, m_obAnchorPoint(CCPointZero)
, m_obContentSize(CCSizeZero)
, m_sTransform(CCAffineTransformIdentity)
, m_bTransformDirty(true)
, m_pChildren(NULL)
, m_pParent(NULL)
, m_nTag(kCCNodeTagInvalid)
, m_pUserData(NULL)
, m_pUserObject(NULL)
, m_nZOrder(0)
, m_uOrderOfArrival(0)
, m_pScheduler(NULL)
, m_pActionManager(NULL)
, m_bRunning(false)
, m_bVisible(true)
, m_bIgnoreAnchorPointForPosition(false)
{
    CCDirector* director = CCDirector::sharedDirector();
    m_pScheduler = director->getScheduler();
    CC_SAFE_RETAIN(m_pScheduler);
    m_pActionManager = director->getActionManager();
    CC_SAFE_RETAIN(m_pActionManager);
    m_pChildren = new CCArray();
    m_pChildren->init();
}

CCNode::~CCNode()
{
    // Children outlive nothing of ours: drop their back pointers before releasing them.
    CCObject* obj = NULL;
    CCARRAY_FOREACH(m_pChildren, obj)
    {
        static_cast<CCNode*>(obj)->setParent(NULL);
    }
    CC_SAFE_RELEASE(m_pChildren);
    CC_SAFE_RELEASE(m_pUserObject);
    CC_SAFE_RELEASE(m_pActionManager);
    CC_SAFE_RELEASE(m_pScheduler);
}

CCNode* CCNode::create(void)
{
    CCNode* pRet = new CCNode();
    if (pRet->init())
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

bool CCNode::init()
{
    return true;
}

// ---- children ------------------------------------------------------------------------------

void CCNode::addChild(CCNode* child)
{
    if (child)
    {
        addChild(child, child->getZOrder(), child->getTag());
    }
}

void CCNode::addChild(CCNode* child, int zOrder)
{
    if (child)
    {
        addChild(child, zOrder, child->getTag());
    }
}

void CCNode::addChild(CCNode* child, int zOrder, int tag)
{
    if (!child)
    {
        CCLog("CCNode::addChild - child is NULL");
        return;
    }
    if (child->m_pParent)
    {
        CCLog("CCNode::addChild - child already has a parent");
        return;
    }
    insertChild(child, zOrder);
    child->m_nTag = tag;
    child->setParent(this);
    if (m_bRunning)
    {
        child->onEnter();
        child->onEnterTransitionDidFinish();
    }
}

void CCNode::insertChild(CCNode* child, int z)
{
    child->m_nZOrder = z;
    child->m_uOrderOfArrival = s_globalOrderOfArrival++;
    // After every sibling of the same or lower z: re-added and reordered nodes go last in their z.
    std::vector<CCObject*>& data = m_pChildren->data();
    unsigned int index = (unsigned int)data.size();
    while (index > 0 && static_cast<CCNode*>(data[index - 1])->m_nZOrder > z)
    {
        --index;
    }
    m_pChildren->insertObject(child, index);
}

CCNode* CCNode::getChildByTag(int tag)
{
    CCObject* obj = NULL;
    CCARRAY_FOREACH(m_pChildren, obj)
    {
        CCNode* child = static_cast<CCNode*>(obj);
        if (child->m_nTag == tag)
        {
            return child;
        }
    }
    return NULL;
}

unsigned int CCNode::getChildrenCount(void) const
{
    return m_pChildren ? m_pChildren->count() : 0;
}

void CCNode::removeFromParent()
{
    removeFromParentAndCleanup(true);
}

void CCNode::removeFromParentAndCleanup(bool cleanup)
{
    if (m_pParent)
    {
        m_pParent->removeChild(this, cleanup);
    }
}

void CCNode::removeChild(CCNode* child)
{
    removeChild(child, true);
}

void CCNode::removeChild(CCNode* child, bool cleanup)
{
    if (!child || !m_pChildren->containsObject(child))
    {
        return;
    }
    detachChild(child, cleanup);
}

void CCNode::detachChild(CCNode* child, bool doCleanup)
{
    // Keep the child alive through its exit hooks, which may release the last other reference.
    child->retain();
    if (m_bRunning)
    {
        child->onExitTransitionDidStart();
        child->onExit();
    }
    if (doCleanup)
    {
        child->cleanup();
    }
    child->setParent(NULL);
    m_pChildren->removeObject(child);
    child->release();
}

void CCNode::removeChildByTag(int tag)
{
    removeChildByTag(tag, true);
}

void CCNode::removeChildByTag(int tag, bool cleanup)
{
    CCNode* child = getChildByTag(tag);
    if (!child)
    {
        CCLog("CCNode::removeChildByTag - child with tag %d not found", tag);
        return;
    }
    removeChild(child, cleanup);
}

void CCNode::removeAllChildren()
{
    removeAllChildrenWithCleanup(true);
}

void CCNode::removeAllChildrenWithCleanup(bool cleanup)
{
    CCArray* snapshot = new CCArray();
    childrenSnapshot(snapshot);
    CCObject* obj = NULL;
    CCARRAY_FOREACH(snapshot, obj)
    {
        CCNode* child = static_cast<CCNode*>(obj);
        if (child->m_pParent == this)
        {
            detachChild(child, cleanup);
        }
    }
    snapshot->release();
}

void CCNode::reorderChild(CCNode* child, int zOrder)
{
    if (!child || !m_pChildren->containsObject(child))
    {
        CCLog("CCNode::reorderChild - not a child of this node");
        return;
    }
    child->retain();
    m_pChildren->removeObject(child);
    insertChild(child, zOrder);
    child->release();
}

void CCNode::childrenSnapshot(CCArray* out)
{
    out->init();
    out->addObjectsFromArray(m_pChildren);
}

// ---- geometry ------------------------------------------------------------------------------

void CCNode::setZOrder(int zOrder)
{
    if (m_pParent)
    {
        m_pParent->reorderChild(this, zOrder);
    }
    else
    {
        m_nZOrder = zOrder;
    }
}

void CCNode::setPosition(const CCPoint& position)
{
    m_obPosition = position;
    m_bTransformDirty = true;
}

const CCPoint& CCNode::getPosition()
{
    return m_obPosition;
}

void CCNode::setPosition(float x, float y)
{
    setPosition(CCPoint(x, y));
}

void CCNode::getPosition(float* x, float* y)
{
    *x = m_obPosition.x;
    *y = m_obPosition.y;
}

void CCNode::setPositionX(float x)
{
    setPosition(CCPoint(x, m_obPosition.y));
}

float CCNode::getPositionX(void)
{
    return m_obPosition.x;
}

void CCNode::setPositionY(float y)
{
    setPosition(CCPoint(m_obPosition.x, y));
}

float CCNode::getPositionY(void)
{
    return m_obPosition.y;
}

void CCNode::setScaleX(float fScaleX)
{
    m_fScaleX = fScaleX;
    m_bTransformDirty = true;
}

float CCNode::getScaleX()
{
    return m_fScaleX;
}

void CCNode::setScaleY(float fScaleY)
{
    m_fScaleY = fScaleY;
    m_bTransformDirty = true;
}

float CCNode::getScaleY()
{
    return m_fScaleY;
}

void CCNode::setScale(float scale)
{
    m_fScaleX = m_fScaleY = scale;
    m_bTransformDirty = true;
}

float CCNode::getScale()
{
    return m_fScaleX;
}

void CCNode::setScale(float fScaleX, float fScaleY)
{
    m_fScaleX = fScaleX;
    m_fScaleY = fScaleY;
    m_bTransformDirty = true;
}

void CCNode::setSkewX(float fSkewX)
{
    m_fSkewX = fSkewX;
    m_bTransformDirty = true;
}

float CCNode::getSkewX()
{
    return m_fSkewX;
}

void CCNode::setSkewY(float fSkewY)
{
    m_fSkewY = fSkewY;
    m_bTransformDirty = true;
}

float CCNode::getSkewY()
{
    return m_fSkewY;
}

void CCNode::setRotation(float fRotation)
{
    m_fRotation = fRotation;
    m_bTransformDirty = true;
}

float CCNode::getRotation()
{
    return m_fRotation;
}

void CCNode::setAnchorPoint(const CCPoint& anchorPoint)
{
    m_obAnchorPoint = anchorPoint;
    m_obAnchorPointInPoints = CCPoint(m_obContentSize.width * anchorPoint.x, m_obContentSize.height * anchorPoint.y);
    m_bTransformDirty = true;
}

const CCPoint& CCNode::getAnchorPoint()
{
    return m_obAnchorPoint;
}

const CCPoint& CCNode::getAnchorPointInPoints()
{
    return m_obAnchorPointInPoints;
}

void CCNode::setContentSize(const CCSize& size)
{
    m_obContentSize = size;
    m_obAnchorPointInPoints = CCPoint(size.width * m_obAnchorPoint.x, size.height * m_obAnchorPoint.y);
    m_bTransformDirty = true;
}

const CCSize& CCNode::getContentSize() const
{
    return m_obContentSize;
}

void CCNode::setVisible(bool visible)
{
    m_bVisible = visible;
}

bool CCNode::isVisible()
{
    return m_bVisible;
}

void CCNode::ignoreAnchorPointForPosition(bool ignore)
{
    m_bIgnoreAnchorPointForPosition = ignore;
    m_bTransformDirty = true;
}

bool CCNode::isIgnoreAnchorPointForPosition()
{
    return m_bIgnoreAnchorPointForPosition;
}

void CCNode::setUserObject(CCObject* pUserObject)
{
    CC_SAFE_RETAIN(pUserObject);
    CC_SAFE_RELEASE(m_pUserObject);
    m_pUserObject = pUserObject;
}

// ---- life cycle ----------------------------------------------------------------------------

void CCNode::onEnter()
{
    CCArray* snapshot = new CCArray();
    childrenSnapshot(snapshot);
    CCObject* obj = NULL;
    CCARRAY_FOREACH(snapshot, obj)
    {
        static_cast<CCNode*>(obj)->onEnter();
    }
    snapshot->release();
    resumeSchedulerAndActions();
    m_bRunning = true;
}

void CCNode::onEnterTransitionDidFinish()
{
    CCArray* snapshot = new CCArray();
    childrenSnapshot(snapshot);
    CCObject* obj = NULL;
    CCARRAY_FOREACH(snapshot, obj)
    {
        static_cast<CCNode*>(obj)->onEnterTransitionDidFinish();
    }
    snapshot->release();
}

void CCNode::onExitTransitionDidStart()
{
    CCArray* snapshot = new CCArray();
    childrenSnapshot(snapshot);
    CCObject* obj = NULL;
    CCARRAY_FOREACH(snapshot, obj)
    {
        static_cast<CCNode*>(obj)->onExitTransitionDidStart();
    }
    snapshot->release();
}

void CCNode::onExit()
{
    pauseSchedulerAndActions();
    m_bRunning = false;
    CCArray* snapshot = new CCArray();
    childrenSnapshot(snapshot);
    CCObject* obj = NULL;
    CCARRAY_FOREACH(snapshot, obj)
    {
        static_cast<CCNode*>(obj)->onExit();
    }
    snapshot->release();
}

void CCNode::cleanup()
{
    stopAllActions();
    unscheduleAllSelectors();
    CCArray* snapshot = new CCArray();
    childrenSnapshot(snapshot);
    CCObject* obj = NULL;
    CCARRAY_FOREACH(snapshot, obj)
    {
        static_cast<CCNode*>(obj)->cleanup();
    }
    snapshot->release();
}

void CCNode::draw()
{
}

const CCAffineTransform& CCNode::currentVisitTransform()
{
    return s_visitTransform;
}

void CCNode::visit()
{
    if (!m_bVisible)
    {
        return;
    }
    const CCAffineTransform saved = s_visitTransform;
    s_visitTransform = CCAffineTransformConcat(nodeToParentTransform(), saved);

    // Hold the node and its children while drawing: a draw hook may change the tree.
    retain();
    std::vector<CCObject*>& data = m_pChildren->data();
    unsigned int i = 0;
    for (; i < data.size() && static_cast<CCNode*>(data[i])->m_nZOrder < 0; ++i)
    {
        static_cast<CCNode*>(data[i])->visit();
    }
    draw();
    for (; i < data.size(); ++i)
    {
        static_cast<CCNode*>(data[i])->visit();
    }
    release();
    s_visitTransform = saved;
}

CCRect CCNode::boundingBox()
{
    CCRect rect(0, 0, m_obContentSize.width, m_obContentSize.height);
    return CCRectApplyAffineTransform(rect, nodeToParentTransform());
}

// ---- actions and scheduling ----------------------------------------------------------------

void CCNode::setActionManager(CCActionManager* actionManager)
{
    if (actionManager != m_pActionManager)
    {
        stopAllActions();
        CC_SAFE_RETAIN(actionManager);
        CC_SAFE_RELEASE(m_pActionManager);
        m_pActionManager = actionManager;
    }
}

CCAction* CCNode::runAction(CCAction* action)
{
    if (!action)
    {
        CCLog("CCNode::runAction - action is NULL");
        return NULL;
    }
    m_pActionManager->addAction(action, this, !m_bRunning);
    return action;
}

void CCNode::stopAllActions()
{
    m_pActionManager->removeAllActionsFromTarget(this);
}

void CCNode::stopAction(CCAction* action)
{
    m_pActionManager->removeAction(action);
}

void CCNode::stopActionByTag(int tag)
{
    m_pActionManager->removeActionByTag(tag, this);
}

CCAction* CCNode::getActionByTag(int tag)
{
    return m_pActionManager->getActionByTag(tag, this);
}

unsigned int CCNode::numberOfRunningActions()
{
    return m_pActionManager->numberOfRunningActionsInTarget(this);
}

void CCNode::setScheduler(CCScheduler* scheduler)
{
    if (scheduler != m_pScheduler)
    {
        unscheduleAllSelectors();
        CC_SAFE_RETAIN(scheduler);
        CC_SAFE_RELEASE(m_pScheduler);
        m_pScheduler = scheduler;
    }
}

bool CCNode::isScheduled(SEL_SCHEDULE selector)
{
    return m_pScheduler->isScheduled(selector, this);
}

void CCNode::scheduleUpdate()
{
    scheduleUpdateWithPriority(0);
}

void CCNode::scheduleUpdateWithPriority(int priority)
{
    m_pScheduler->scheduleUpdateForTarget(this, priority, !m_bRunning);
}

void CCNode::unscheduleUpdate()
{
    m_pScheduler->unscheduleUpdateForTarget(this);
}

void CCNode::schedule(SEL_SCHEDULE selector)
{
    schedule(selector, 0.0f, kCCRepeatForever, 0.0f);
}

void CCNode::schedule(SEL_SCHEDULE selector, float interval)
{
    schedule(selector, interval, kCCRepeatForever, 0.0f);
}

void CCNode::schedule(SEL_SCHEDULE selector, float interval, unsigned int repeat, float delay)
{
    if (!selector)
    {
        CCLog("CCNode::schedule - selector is NULL");
        return;
    }
    m_pScheduler->scheduleSelector(selector, this, interval, repeat, delay, !m_bRunning);
}

void CCNode::scheduleOnce(SEL_SCHEDULE selector, float delay)
{
    schedule(selector, 0.0f, 0, delay);
}

void CCNode::unschedule(SEL_SCHEDULE selector)
{
    if (selector)
    {
        m_pScheduler->unscheduleSelector(selector, this);
    }
}

void CCNode::unscheduleAllSelectors()
{
    m_pScheduler->unscheduleAllForTarget(this);
}

void CCNode::resumeSchedulerAndActions()
{
    m_pScheduler->resumeTarget(this);
    m_pActionManager->resumeTarget(this);
}

void CCNode::pauseSchedulerAndActions()
{
    m_pScheduler->pauseTarget(this);
    m_pActionManager->pauseTarget(this);
}

// ---- transforms ----------------------------------------------------------------------------

CCAffineTransform CCNode::nodeToParentTransform()
{
    if (!m_bTransformDirty)
    {
        return m_sTransform;
    }
    float x = m_obPosition.x;
    float y = m_obPosition.y;
    if (m_bIgnoreAnchorPointForPosition)
    {
        x += m_obAnchorPointInPoints.x;
        y += m_obAnchorPointInPoints.y;
    }
    // Rotation is clockwise in degrees, hence the negated angle.
    const float radians = -CC_DEGREES_TO_RADIANS(m_fRotation);
    const float c = m_fRotation != 0.0f ? cosf(radians) : 1.0f;
    const float s = m_fRotation != 0.0f ? sinf(radians) : 0.0f;

    CCAffineTransform t = CCAffineTransformMake(c * m_fScaleX, s * m_fScaleX, -s * m_fScaleY, c * m_fScaleY, x, y);
    if (m_fSkewX != 0.0f || m_fSkewY != 0.0f)
    {
        const CCAffineTransform skew = CCAffineTransformMake(1.0f, tanf(CC_DEGREES_TO_RADIANS(m_fSkewY)),
                                                             tanf(CC_DEGREES_TO_RADIANS(m_fSkewX)), 1.0f, 0.0f, 0.0f);
        t = CCAffineTransformConcat(skew, t);
    }
    if (m_obAnchorPointInPoints.x != 0.0f || m_obAnchorPointInPoints.y != 0.0f)
    {
        t = CCAffineTransformTranslate(t, -m_obAnchorPointInPoints.x, -m_obAnchorPointInPoints.y);
    }
    m_sTransform = t;
    m_bTransformDirty = false;
    return m_sTransform;
}

CCAffineTransform CCNode::parentToNodeTransform()
{
    return CCAffineTransformInvert(nodeToParentTransform());
}

CCAffineTransform CCNode::nodeToWorldTransform()
{
    CCAffineTransform t = nodeToParentTransform();
    for (CCNode* p = m_pParent; p != NULL; p = p->getParent())
    {
        t = CCAffineTransformConcat(t, p->nodeToParentTransform());
    }
    return t;
}

CCAffineTransform CCNode::worldToNodeTransform()
{
    return CCAffineTransformInvert(nodeToWorldTransform());
}

CCPoint CCNode::convertToNodeSpace(const CCPoint& worldPoint)
{
    return CCPointApplyAffineTransform(worldPoint, worldToNodeTransform());
}

CCPoint CCNode::convertToWorldSpace(const CCPoint& nodePoint)
{
    return CCPointApplyAffineTransform(nodePoint, nodeToWorldTransform());
}

CCPoint CCNode::convertToNodeSpaceAR(const CCPoint& worldPoint)
{
    return convertToNodeSpace(worldPoint) - m_obAnchorPointInPoints;
}

CCPoint CCNode::convertToWorldSpaceAR(const CCPoint& nodePoint)
{
    return convertToWorldSpace(nodePoint + m_obAnchorPointInPoints);
}

CCPoint CCNode::convertTouchToNodeSpace(CCTouch* touch)
{
    return convertToNodeSpace(touch->getLocation());
}

CCPoint CCNode::convertTouchToNodeSpaceAR(CCTouch* touch)
{
    return convertToNodeSpaceAR(touch->getLocation());
}

NS_CC_END
