#include "CollisionList.h"

#include "CCNode.h"
#include "CCPointExtension.h"

#include <algorithm>

NS_CC_BEGIN

CollisionList::CollisionList() : m_nListId(0) {}

CollisionList::~CollisionList()
{
    removeAllObjects();
}

bool CollisionList::initWithName(const char* name, int listId)
{
    m_name = name ? name : "";
    m_nListId = listId;
    return true;
}

void CollisionList::addObject(ActorComponent* member)
{
    if (member == NULL || containsObject(member))
    {
        return;
    }
    member->retain();
    m_members.push_back(member);
}

bool CollisionList::removeObject(ActorComponent* member)
{
    MemberList::iterator it = std::find(m_members.begin(), m_members.end(), member);
    if (it == m_members.end())
    {
        return false;
    }
    m_members.erase(it);
    member->release();
    return true;
}

void CollisionList::removeAllObjects()
{
    // Swap first: a member's release may run code that looks at this list.
    MemberList members;
    members.swap(m_members);
    for (MemberList::iterator it = members.begin(); it != members.end(); ++it)
    {
        (*it)->release();
    }
}

bool CollisionList::containsObject(ActorComponent* member) const
{
    return std::find(m_members.begin(), m_members.end(), member) != m_members.end();
}

bool CollisionList::intersectsLine(const CCPoint& p, const CCPoint& q)
{
    for (MemberList::iterator it = m_members.begin(); it != m_members.end(); ++it)
    {
        CCNode* node = (*it)->getOwner();
        if (node == NULL || !node->isVisible())
        {
            continue;
        }
        const CCRect box = node->boundingBox();
        const CCPoint bottomLeft(box.getMinX(), box.getMinY());
        const CCPoint bottomRight(box.getMaxX(), box.getMinY());
        const CCPoint topLeft(box.getMinX(), box.getMaxY());
        const CCPoint topRight(box.getMaxX(), box.getMaxY());
        if (ccpSegmentIntersect(p, q, bottomLeft, bottomRight) || ccpSegmentIntersect(p, q, topLeft, topRight) ||
            ccpSegmentIntersect(p, q, bottomLeft, topLeft) || ccpSegmentIntersect(p, q, bottomRight, topRight))
        {
            return true;
        }
    }
    return false;
}

NS_CC_END
