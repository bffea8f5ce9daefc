#include "DebugRect.h"

#include "CCDrawingPrimitives.h"

NS_CC_BEGIN

void debugRectCorners(const CCRect& rect, CCPoint corners[4])
{
    corners[0] = CCPoint(rect.getMinX(), rect.getMinY());
    corners[1] = CCPoint(rect.getMinX(), rect.getMaxY());
    corners[2] = CCPoint(rect.getMaxX(), rect.getMaxY());
    corners[3] = CCPoint(rect.getMaxX(), rect.getMinY());
}

void drawDebugRect(const CCRect& rect)
{
    CCPoint corners[4];
    debugRectCorners(rect, corners);
    ccDrawPoly(corners, 4, true);
}

DebugRect::DebugRect() : m_fLifetime(0.0f), m_rect() {}

bool DebugRect::init(float lifetime)
{
    if (!CCNode::init())
    {
        return false;
    }
    m_fLifetime = lifetime;
    return true;
}

bool DebugRect::initWithRect(const CCRect& rect, float lifetime)
{
    if (!init(lifetime))
    {
        return false;
    }
    m_rect = rect;
    return true;
}

void DebugRect::draw()
{
    drawDebugRect(m_rect);
}

NS_CC_END
