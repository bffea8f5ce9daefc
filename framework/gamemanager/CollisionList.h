#ifndef __COLLISION_LIST_H__
#define __COLLISION_LIST_H__

#include "ActorComponent.h"
#include "Signal.h"

#include <list>
#include <string>
#include <vector>

NS_CC_BEGIN

/** Announces a touching pair: (member of the tested list, member of the other list). */
typedef Signal<ActorComponent*, ActorComponent*> CollisionSignal;

/** How one list is tested against another. */
struct tCollisionRule
{
    int listId;                 ///< the list whose members this list is tested against
    bool resolve;               ///< push this list's members back out of the other's
    CollisionSignal* signal;    ///< not owned; NULL for no announcement
};

/** A named set of components taking part in the collision tests (ids are single bits). */
class CollisionList : public CCObject
{
public:
    typedef std::list<ActorComponent*> MemberList;

    CollisionList();
    virtual ~CollisionList();

    bool initWithName(const char* name, int listId);

    virtual std::string getName() { return m_name; }
    virtual int getListId() { return m_nListId; }
    virtual void setListId(int listId) { m_nListId = listId; }
    virtual MemberList& getMembers() { return m_members; }
    virtual std::vector<tCollisionRule>& getRules() { return m_rules; }

    /** Retains and appends the member unless it is already in the list. */
    void addObject(ActorComponent* member);
    /** Takes the member out if present (releasing it); answers whether it was there. */
    bool removeObject(ActorComponent* member);
    void removeAllObjects();
    bool containsObject(ActorComponent* member) const;

    /**
     * Whether the segment p-q crosses an edge of a visible member's bounding box (parent space).
     * A segment wholly inside a box crosses nothing; touching an edge with an end point counts.
     */
    bool intersectsLine(const CCPoint& p, const CCPoint& q);

private:
    std::string m_name;
    int m_nListId;
    MemberList m_members;  ///< each retained
    std::vector<tCollisionRule> m_rules;
};

NS_CC_END

#endif // __COLLISION_LIST_H__
