#ifndef __ACTOR_COMPONENT_H__
#define __ACTOR_COMPONENT_H__

#include "CCGeometry.h"
#include "CCObject.h"

NS_CC_BEGIN

class CCNode;

/**
 * How a node takes part in the collision lists: the lists hold components, and the collision
 * manager reads positions and gathers position corrections through them. The component retains
 * its owner; the owner only points back through its user data (no retain, so no cycle).
 */
class ActorComponent : public CCObject
{
public:
    ActorComponent();
    virtual ~ActorComponent();

    /** A component for the node, stored as the node's user data. */
    static ActorComponent* create(CCNode* owner);

    virtual CCPoint getPosition();
    virtual CCPoint getLastPosition();
    virtual void setPosition(CCPoint position);

    virtual CCNode* getOwner() { return m_pOwner; }
    /** Retains the new owner and releases the old one. */
    virtual void setOwner(CCNode* owner);
    virtual CCPoint getOffset() { return m_offset; }
    virtual void setOffset(CCPoint offset) { m_offset = offset; }
    virtual bool getHasOffset() { return m_bHasOffset; }
    virtual void setHasOffset(bool hasOffset) { m_bHasOffset = hasOffset; }

    /** Adds a correction to apply later. */
    void addOffset(const CCPoint& delta);
    /** Moves the owner by the gathered correction and clears it. */
    void applyOffset();

protected:
    CCNode* m_pOwner;  ///< retained
    CCPoint m_offset;
    bool m_bHasOffset;
};

NS_CC_END

#endif // __ACTOR_COMPONENT_H__
