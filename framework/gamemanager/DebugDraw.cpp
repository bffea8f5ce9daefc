#include "DebugDraw.h"

NS_CC_BEGIN

DebugDraw::~DebugDraw()
{
    for (RectList::iterator it = m_rects.begin(); it != m_rects.end(); ++it)
    {
        (*it)->release();
    }
}

void DebugDraw::addRect(const CCRect& rect, float lifetime)
{
    DebugRect* debugRect = new DebugRect();
    debugRect->autorelease();
    if (debugRect->initWithRect(rect, lifetime))
    {
        addChild(debugRect);
        debugRect->retain();
        m_rects.push_back(debugRect);
    }
}

void DebugDraw::update(float dt)
{
    const RectList rects = m_rects;
    for (RectList::const_iterator it = rects.begin(); it != rects.end(); ++it)
    {
        DebugRect* debugRect = *it;
        debugRect->setLifetime(debugRect->getLifetime() - dt);
        // One taken off the overlay by other means goes as well.
        if (debugRect->getLifetime() <= 0.0f || debugRect->getParent() != this)
        {
            m_rects.remove(debugRect);
            if (debugRect->getParent() == this)
            {
                debugRect->removeFromParentAndCleanup(true);
            }
            debugRect->release();
        }
    }
}

NS_CC_END
