#include "menus/CCMenu.h"

#include "base/CCConsole.h"
#include "nodes/CCDirector.h"
#include "platform/CCTouchDispatcher.h"

NS_CC_BEGIN

CCMenu::CCMenu()
: m_bEnabled(false)
, m_eState(kCCMenuStateWaiting)
, m_pSelectedItem(NULL)
{
}

CCMenu::~CCMenu()
{
}

CCMenu* CCMenu::create()
{
    return createWithArray(NULL);
}

CCMenu* CCMenu::create(CCMenuItem* item, ...)
{
    va_list args;
    va_start(args, item);
    CCMenu* pRet = createWithItems(item, args);
    va_end(args);
    return pRet;
}

CCMenu* CCMenu::createWithItems(CCMenuItem* firstItem, va_list args)
{
    CCArray* items = CCArray::create();
    for (CCMenuItem* item = firstItem; item; item = va_arg(args, CCMenuItem*))
    {
        items->addObject(item);
    }
    return createWithArray(items);
}

CCMenu* CCMenu::createWithItem(CCMenuItem* item)
{
    return create(item, NULL);
}

CCMenu* CCMenu::createWithArray(CCArray* arrayOfItems)
{
    CCMenu* pRet = new CCMenu();
    if (pRet->initWithArray(arrayOfItems))
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

bool CCMenu::init()
{
    return initWithArray(NULL);
}

bool CCMenu::initWithArray(CCArray* arrayOfItems)
{
    if (!CCLayerRGBA::init())
    {
        return false;
    }
    m_nTouchPriority = kCCMenuHandlerPriority;
    m_eTouchMode = kCCTouchesOneByOne;
    m_bEnabled = true;
    setTouchEnabled(true);

    // The menu fills the window and sits at its centre, so item positions are window-centred.
    const CCSize winSize = CCDirector::sharedDirector()->getWinSize();
    ignoreAnchorPointForPosition(true);
    setAnchorPoint(ccp(0.5f, 0.5f));
    setContentSize(winSize);
    setPosition(ccp(winSize.width / 2, winSize.height / 2));

    int z = 0;
    CCObject* obj = NULL;
    CCARRAY_FOREACH(arrayOfItems, obj)
    {
        CCNode* item = dynamic_cast<CCNode*>(obj);
        if (item)
        {
            addChild(item, z++);
        }
    }
    m_pSelectedItem = NULL;
    m_eState = kCCMenuStateWaiting;
    setCascadeColorEnabled(true);
    setCascadeOpacityEnabled(true);
    return true;
}

void CCMenu::addChild(CCNode* child)
{
    CCLayerRGBA::addChild(child);
}

void CCMenu::addChild(CCNode* child, int zOrder)
{
    CCLayerRGBA::addChild(child, zOrder);
}

void CCMenu::addChild(CCNode* child, int zOrder, int tag)
{
    CCLayerRGBA::addChild(child, zOrder, tag);
}

void CCMenu::removeChild(CCNode* child, bool cleanup)
{
    // A removed item may be freed: never keep pointing at it.
    if (child && child == m_pSelectedItem)
    {
        if (m_eState == kCCMenuStateTrackingTouch)
        {
            m_pSelectedItem->unselected();
            m_eState = kCCMenuStateWaiting;
        }
        m_pSelectedItem = NULL;
    }
    CCLayerRGBA::removeChild(child, cleanup);
}

void CCMenu::setSelectedItem(CCMenuItem* item)
{
    if (item && item->getParent() != this)
    {
        CCLog("CCMenu::setSelectedItem - the item is not in this menu");
        return;
    }
    m_pSelectedItem = item;
}

void CCMenu::setHandlerPriority(int newPriority)
{
    setTouchPriority(newPriority);
}

void CCMenu::registerWithTouchDispatcher()
{
    // One touch at a time, swallowed, ahead of ordinary layers.
    CCTouchDispatcher* dispatcher = CCDirector::sharedDirector()->getTouchDispatcher();
    if (dispatcher)
    {
        dispatcher->addTargetedDelegate(this, getTouchPriority(), true);
    }
}

void CCMenu::onExit()
{
    if (m_eState == kCCMenuStateTrackingTouch)
    {
        if (m_pSelectedItem)
        {
            m_pSelectedItem->unselected();
        }
        m_eState = kCCMenuStateWaiting;
    }
    CCLayerRGBA::onExit();
}

bool CCMenu::ccTouchBegan(CCTouch* touch, CCEvent* event)
{
    CC_UNUSED_PARAM(event);
    if (m_eState != kCCMenuStateWaiting || !m_bVisible || !m_bEnabled)
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
    CCMenuItem* item = itemForTouch(touch);
    if (!item)
    {
        return false;
    }
    m_pSelectedItem = item;
    m_eState = kCCMenuStateTrackingTouch;
    item->selected();
    return true;
}

void CCMenu::ccTouchEnded(CCTouch* touch, CCEvent* event)
{
    CC_UNUSED_PARAM(touch);
    CC_UNUSED_PARAM(event);
    if (m_eState != kCCMenuStateTrackingTouch)
    {
        return;
    }
    m_eState = kCCMenuStateWaiting;
    CCMenuItem* item = m_pSelectedItem;
    if (item)
    {
        // The handler may tear the menu down (a screen closing): keep both alive for the call.
        retain();
        item->retain();
        item->unselected();
        item->activate();
        item->release();
        release();
    }
}

void CCMenu::ccTouchCancelled(CCTouch* touch, CCEvent* event)
{
    CC_UNUSED_PARAM(touch);
    CC_UNUSED_PARAM(event);
    if (m_eState != kCCMenuStateTrackingTouch)
    {
        return;
    }
    if (m_pSelectedItem)
    {
        m_pSelectedItem->unselected();
    }
    m_eState = kCCMenuStateWaiting;
}

void CCMenu::ccTouchMoved(CCTouch* touch, CCEvent* event)
{
    CC_UNUSED_PARAM(event);
    if (m_eState != kCCMenuStateTrackingTouch)
    {
        return;
    }
    CCMenuItem* current = itemForTouch(touch);
    if (current != m_pSelectedItem)
    {
        if (m_pSelectedItem)
        {
            m_pSelectedItem->unselected();
        }
        m_pSelectedItem = current;
        if (m_pSelectedItem)
        {
            m_pSelectedItem->selected();
        }
    }
}

CCMenuItem* CCMenu::itemForTouch(CCTouch* touch)
{
    const CCPoint location = touch->getLocation();
    CCObject* obj = NULL;
    CCARRAY_FOREACH_REVERSE(m_pChildren, obj)
    {
        CCMenuItem* item = dynamic_cast<CCMenuItem*>(obj);
        if (item && item->isVisible() && item->isEnabled())
        {
            const CCPoint local = item->convertToNodeSpace(location);
            CCRect r = item->rect();
            r.origin = CCPointZero;
            if (r.containsPoint(local))
            {
                return item;
            }
        }
    }
    return NULL;
}

// Layout helpers

void CCMenu::alignItemsVertically()
{
    alignItemsVerticallyWithPadding(5);
}

void CCMenu::alignItemsVerticallyWithPadding(float padding)
{
    float height = -padding;
    CCObject* obj = NULL;
    CCARRAY_FOREACH(m_pChildren, obj)
    {
        CCNode* child = (CCNode*)obj;
        height += child->getContentSize().height * child->getScaleY() + padding;
    }
    float y = height / 2.0f;
    CCARRAY_FOREACH(m_pChildren, obj)
    {
        CCNode* child = (CCNode*)obj;
        const float h = child->getContentSize().height * child->getScaleY();
        child->setPosition(ccp(0, y - h / 2.0f));
        y -= h + padding;
    }
}

void CCMenu::alignItemsHorizontally()
{
    alignItemsHorizontallyWithPadding(5);
}

void CCMenu::alignItemsHorizontallyWithPadding(float padding)
{
    float width = -padding;
    CCObject* obj = NULL;
    CCARRAY_FOREACH(m_pChildren, obj)
    {
        CCNode* child = (CCNode*)obj;
        width += child->getContentSize().width * child->getScaleX() + padding;
    }
    float x = -width / 2.0f;
    CCARRAY_FOREACH(m_pChildren, obj)
    {
        CCNode* child = (CCNode*)obj;
        const float w = child->getContentSize().width * child->getScaleX();
        child->setPosition(ccp(x + w / 2.0f, 0));
        x += w + padding;
    }
}

NS_CC_END
