#ifndef __CC_TOUCH_H__
#define __CC_TOUCH_H__

#include "base/CCGeometry.h"
#include "base/CCObject.h"

NS_CC_BEGIN

/**
 * One finger (or the mouse). The view feeds positions in window coordinates (y down, design
 * units); getLocation* answer in scene coordinates (y up) through the director.
 */
class CCTouch : public CCObject
{
public:
    CCTouch();

    CCPoint getLocation() const;
    CCPoint getPreviousLocation() const;
    CCPoint getStartLocation() const;
    /** getLocation() - getPreviousLocation(). */
    CCPoint getDelta() const;
    CCPoint getLocationInView() const { return m_point; }
    CCPoint getPreviousLocationInView() const { return m_prevPoint; }
    CCPoint getStartLocationInView() const { return m_startPoint; }

    /** A new position; the first call also sets the start and previous positions. */
    void setTouchInfo(int id, float x, float y);
    int getID() const { return m_nId; }

private:
    int m_nId;
    bool m_startPointCaptured;
    CCPoint m_startPoint;
    CCPoint m_point;
    CCPoint m_prevPoint;
};

NS_CC_END

#endif // __CC_TOUCH_H__
