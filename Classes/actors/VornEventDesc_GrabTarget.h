#ifndef __VORN_EVENT_DESC_GRAB_TARGET_H__
#define __VORN_EVENT_DESC_GRAB_TARGET_H__

#include "VornEventDesc.h"

NS_CC_BEGIN

/**
 * Belongs to an action in which the actor can be grabbed: an opponent walking into the area,
 * facing it at the same depth, takes hold of it.
 */
class VornEventDesc_GrabTarget : public VornEventDesc
{
public:
    VornEventDesc_GrabTarget();

    /** Needs "Bounds" besides the time. */
    virtual bool initWithDictionary(CCDictionary* dict, std::string name, std::string ownerFile);
    virtual void fire(VornActionDesc* action, VornActor* actor);

    /** The area in points (stored in pixels). */
    virtual CCRect getBounds();
    virtual void setBounds(const CCRect& bounds) { m_bounds = bounds; }

protected:
    /** Slides a grabbing pair inward when the grabber, placed at his hold, would stand past the screen's edge. */
    static void keepPairInView(VornActor* held, VornActor* grabber);
    CCRect m_bounds;  ///< pixels at content scale 1, relative to the anchor point
};

NS_CC_END

#endif // __VORN_EVENT_DESC_GRAB_TARGET_H__
