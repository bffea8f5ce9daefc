#ifndef __DEBUG_RECT_H__
#define __DEBUG_RECT_H__

#include "CCNode.h"

NS_CC_BEGIN

/** The four corners of a debug outline, in drawing order. */
void debugRectCorners(const CCRect& rect, CCPoint corners[4]);
/** Draws the rectangle's outline as one closed polygon in the current colour and line width. */
void drawDebugRect(const CCRect& rect);

/** One outlined rectangle of the debug overlay, shown for a limited time. */
class DebugRect : public CCNode
{
public:
    DebugRect();

    virtual bool init(float lifetime);
    virtual bool initWithRect(const CCRect& rect, float lifetime);
    virtual void draw();

    float getLifetime() const { return m_fLifetime; }
    void setLifetime(float lifetime) { m_fLifetime = lifetime; }
    const CCRect& getRect() const { return m_rect; }

private:
    using CCNode::init;

    float m_fLifetime;  ///< seconds left
    CCRect m_rect;      ///< in the overlay's space
};

NS_CC_END

#endif // __DEBUG_RECT_H__
