#include "platform/CCTouchDispatcher.h"

NS_CC_BEGIN

// ---- handler -------------------------------------------------------------------------------

CCTouchHandler::CCTouchHandler(CCTouchDelegate* delegate, int priority, bool targeted, bool swallows)
: m_pDelegate(delegate)
, m_pDelegateObject(dynamic_cast<CCObject*>(delegate))
, m_nPriority(priority)
, m_bTargeted(targeted)
, m_bSwallowsTouches(swallows)
, m_bRemoved(false)
, m_pClaimedTouches(new CCSet())
{
    CC_SAFE_RETAIN(m_pDelegateObject);
}

CCTouchHandler::~CCTouchHandler()
{
    m_pClaimedTouches->release();
    CC_SAFE_RELEASE(m_pDelegateObject);
}

// ---- dispatcher ----------------------------------------------------------------------------

CCTouchDispatcher::CCTouchDispatcher()
: m_bDispatchEvents(true)
{
}

CCTouchDispatcher::~CCTouchDispatcher()
{
    removeAllDelegates();
}

bool CCTouchDispatcher::init()
{
    m_bDispatchEvents = true;
    return true;
}

void CCTouchDispatcher::insertHandler(std::vector<CCTouchHandler*>& list, CCTouchHandler* handler)
{
    std::vector<CCTouchHandler*>::iterator it = list.begin();
    while (it != list.end() && (*it)->getPriority() <= handler->getPriority())
    {
        ++it;
    }
    list.insert(it, handler);
}

void CCTouchDispatcher::addStandardDelegate(CCTouchDelegate* pDelegate, int nPriority)
{
    if (!pDelegate || findHandler(pDelegate))
    {
        return;
    }
    insertHandler(m_standard, new CCTouchHandler(pDelegate, nPriority, false, false));
}

void CCTouchDispatcher::addTargetedDelegate(CCTouchDelegate* pDelegate, int nPriority, bool bSwallowsTouches)
{
    if (!pDelegate || findHandler(pDelegate))
    {
        return;
    }
    insertHandler(m_targeted, new CCTouchHandler(pDelegate, nPriority, true, bSwallowsTouches));
}

CCTouchHandler* CCTouchDispatcher::findHandler(CCTouchDelegate* pDelegate)
{
    for (size_t i = 0; i < m_targeted.size(); ++i)
    {
        if (m_targeted[i]->getDelegate() == pDelegate)
        {
            return m_targeted[i];
        }
    }
    for (size_t i = 0; i < m_standard.size(); ++i)
    {
        if (m_standard[i]->getDelegate() == pDelegate)
        {
            return m_standard[i];
        }
    }
    return NULL;
}

CCTouchHandler* CCTouchDispatcher::detachHandler(CCTouchDelegate* pDelegate, std::vector<CCTouchHandler*>*& list)
{
    std::vector<CCTouchHandler*>* lists[2] = { &m_targeted, &m_standard };
    for (int l = 0; l < 2; ++l)
    {
        std::vector<CCTouchHandler*>& candidates = *lists[l];
        for (std::vector<CCTouchHandler*>::iterator it = candidates.begin(); it != candidates.end(); ++it)
        {
            if ((*it)->getDelegate() == pDelegate)
            {
                CCTouchHandler* handler = *it;
                candidates.erase(it);
                list = lists[l];
                return handler;
            }
        }
    }
    return NULL;
}

void CCTouchDispatcher::removeDelegate(CCTouchDelegate* pDelegate)
{
    std::vector<CCTouchHandler*>* list = NULL;
    CCTouchHandler* handler = detachHandler(pDelegate, list);
    if (handler)
    {
        // A dispatch in progress holds its own reference and skips it from now on.
        handler->markRemoved();
        handler->release();
    }
}

void CCTouchDispatcher::removeAllDelegates(void)
{
    std::vector<CCTouchHandler*> all(m_targeted);
    all.insert(all.end(), m_standard.begin(), m_standard.end());
    m_targeted.clear();
    m_standard.clear();
    for (size_t i = 0; i < all.size(); ++i)
    {
        all[i]->markRemoved();
        all[i]->release();
    }
}

void CCTouchDispatcher::setPriority(int nPriority, CCTouchDelegate* pDelegate)
{
    std::vector<CCTouchHandler*>* list = NULL;
    CCTouchHandler* handler = detachHandler(pDelegate, list);
    if (handler)
    {
        handler->setPriority(nPriority);
        insertHandler(*list, handler);
    }
}

void CCTouchDispatcher::touchesBegan(CCSet* touches, CCEvent* pEvent)
{
    dispatch(touches, pEvent, kPhaseBegan);
}

void CCTouchDispatcher::touchesMoved(CCSet* touches, CCEvent* pEvent)
{
    dispatch(touches, pEvent, kPhaseMoved);
}

void CCTouchDispatcher::touchesEnded(CCSet* touches, CCEvent* pEvent)
{
    dispatch(touches, pEvent, kPhaseEnded);
}

void CCTouchDispatcher::touchesCancelled(CCSet* touches, CCEvent* pEvent)
{
    dispatch(touches, pEvent, kPhaseCancelled);
}

void CCTouchDispatcher::dispatch(CCSet* touches, CCEvent* pEvent, Phase phase)
{
    if (!m_bDispatchEvents || !touches || touches->count() == 0)
    {
        return;
    }
    // Snapshots: callbacks may add or remove delegates.
    std::vector<CCTouchHandler*> targeted(m_targeted);
    std::vector<CCTouchHandler*> standard(m_standard);
    for (size_t i = 0; i < targeted.size(); ++i)
    {
        targeted[i]->retain();
    }
    for (size_t i = 0; i < standard.size(); ++i)
    {
        standard[i]->retain();
    }

    CCSet* remaining = touches->mutableCopy();
    std::vector<CCTouch*> list;
    for (CCSetIterator it = touches->begin(); it != touches->end(); ++it)
    {
        list.push_back(static_cast<CCTouch*>(*it));
    }

    for (size_t t = 0; t < list.size(); ++t)
    {
        CCTouch* touch = list[t];
        for (size_t i = 0; i < targeted.size(); ++i)
        {
            CCTouchHandler* handler = targeted[i];
            if (handler->isRemoved())
            {
                continue;
            }
            CCTouchDelegate* delegate = handler->getDelegate();
            bool claimed = false;
            if (phase == kPhaseBegan)
            {
                claimed = delegate->ccTouchBegan(touch, pEvent);
                if (claimed && !handler->isRemoved())
                {
                    handler->getClaimedTouches()->addObject(touch);
                }
            }
            else if (handler->getClaimedTouches()->containsObject(touch))
            {
                claimed = true;
                if (phase == kPhaseMoved)
                {
                    delegate->ccTouchMoved(touch, pEvent);
                }
                else
                {
                    handler->getClaimedTouches()->removeObject(touch);
                    if (phase == kPhaseEnded)
                    {
                        delegate->ccTouchEnded(touch, pEvent);
                    }
                    else
                    {
                        delegate->ccTouchCancelled(touch, pEvent);
                    }
                }
            }
            if (claimed && handler->isSwallowsTouches())
            {
                remaining->removeObject(touch);
                break;
            }
        }
    }

    if (remaining->count() > 0)
    {
        for (size_t i = 0; i < standard.size(); ++i)
        {
            CCTouchHandler* handler = standard[i];
            if (handler->isRemoved())
            {
                continue;
            }
            CCTouchDelegate* delegate = handler->getDelegate();
            switch (phase)
            {
            case kPhaseBegan:
                delegate->ccTouchesBegan(remaining, pEvent);
                break;
            case kPhaseMoved:
                delegate->ccTouchesMoved(remaining, pEvent);
                break;
            case kPhaseEnded:
                delegate->ccTouchesEnded(remaining, pEvent);
                break;
            case kPhaseCancelled:
                delegate->ccTouchesCancelled(remaining, pEvent);
                break;
            }
        }
    }

    remaining->release();
    for (size_t i = 0; i < targeted.size(); ++i)
    {
        targeted[i]->release();
    }
    for (size_t i = 0; i < standard.size(); ++i)
    {
        standard[i]->release();
    }
}

NS_CC_END
