#ifndef __VORN_COLLISION_H__
#define __VORN_COLLISION_H__

#include "CCLayerColor.h"

NS_CC_BEGIN

class ActorComponent;
class CollisionList;

/**
 * A solid axis-aligned rectangle taking part in the collision tests: the layer's bounding box is
 * the rectangle. It joins one collision list of the game manager on creation and stays there until
 * removeFromCollisionManager (or until the list is cleared).
 */
class VornCollision : public CCLayerColor
{
public:
    VornCollision();
    virtual ~VornCollision();

    /** A rectangle registered in the list with that id; NULL (logged) when there is no such list. */
    static VornCollision* create(int listId);

    virtual bool initWithCollisionList(int listId);

    virtual int getCollisionListId() { return m_nCollisionListId; }
    virtual void setCollisionListId(int listId) { m_nCollisionListId = listId; }
    /** The component standing for this node in its list; the list owns it, so it is valid while a member. */
    virtual ActorComponent* getComponent() { return m_pComponent; }
    virtual void setComponent(ActorComponent* component) { m_pComponent = component; }

    /** Leaves the list; a second call, or one after the list was cleared, changes nothing. */
    void removeFromCollisionManager();

    /** The game manager's list with that id, NULL when there is none. */
    static CollisionList* findCollisionList(int listId);

private:
    int m_nCollisionListId;
    ActorComponent* m_pComponent;  ///< weak: the list holds it, and it holds this node
};

NS_CC_END

#endif // __VORN_COLLISION_H__
