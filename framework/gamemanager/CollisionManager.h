#ifndef __COLLISION_MANAGER_H__
#define __COLLISION_MANAGER_H__

#include "CCAffineTransform.h"
#include "CCArray.h"
#include "CollisionList.h"

NS_CC_BEGIN

/**
 * Holds the collision lists and runs their rules once per unpaused frame: members whose boxes
 * touch are pushed back out (resolve) and/or announced on the rule's signal.
 */
class CollisionManager : public CCObject
{
public:
    CollisionManager();
    virtual ~CollisionManager();

    virtual CCArray* getCollisionLists() { return m_pCollisionLists; }
    /** Retains the new array and releases the old one. */
    virtual void setCollisionLists(CCArray* lists);

    /** The first list with the id; NULL when none (or no array). */
    CollisionList* getCollisionList(int listId);

    /** Every list's rules, in list and rule order; resolving rules run their pair test twice. */
    void update();

private:
    void testPairs(CollisionList* listA, CollisionList* listB, const tCollisionRule& rule);
    void resolve(ActorComponent* a, CCNode* nodeB, const CCAffineTransform& bToParentOfA);

    CCArray* m_pCollisionLists;  ///< retained
};

NS_CC_END

#endif // __COLLISION_MANAGER_H__
