#ifndef __DEBUG_DRAW_H__
#define __DEBUG_DRAW_H__

#include "DebugRect.h"

#include <list>

NS_CC_BEGIN

/**
 * The debug overlay: rectangles (attack boxes, hit boxes, bodies) that disappear after their
 * lifetime. Its update runs on the raw frame time, also while the game is paused.
 */
class DebugDraw : public CCNode
{
public:
    typedef std::list<DebugRect*> RectList;

    virtual ~DebugDraw();

    /** Adds an outline shown for about `lifetime` seconds (0 or less: until the next update). */
    void addRect(const CCRect& rect, float lifetime);
    virtual void update(float dt);

    /**
     * The rectangles shown, oldest first: children of this node, also retained by the list so
     * that one removed by other means never dangles here.
     */
    const RectList& getRects() const { return m_rects; }

private:
    RectList m_rects;
};

NS_CC_END

#endif // __DEBUG_DRAW_H__
