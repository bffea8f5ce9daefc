#include "CollisionManager.h"

#include "CCNode.h"
#include "CCPointExtension.h"

NS_CC_BEGIN

namespace
{
// A retained copy of a list's members: a subscriber (a trigger running a script) may add or
// remove members while the pairs are tested, so the walk never touches the live list.
class MemberSnapshot
{
public:
    explicit MemberSnapshot(CollisionList* list) : m_members(list->getMembers().begin(), list->getMembers().end())
    {
        for (size_t i = 0; i < m_members.size(); ++i)
        {
            m_members[i]->retain();
        }
    }
    ~MemberSnapshot()
    {
        for (size_t i = 0; i < m_members.size(); ++i)
        {
            m_members[i]->release();
        }
    }
    size_t size() const { return m_members.size(); }
    ActorComponent* operator[](size_t i) const { return m_members[i]; }

private:
    MemberSnapshot(const MemberSnapshot&);
    MemberSnapshot& operator=(const MemberSnapshot&);
    std::vector<ActorComponent*> m_members;
};

const float kStandOff = 0.001f;  // how far in front of a crossed edge a resolved member stops
// A member stopped in front of an edge can land a hair behind it once the transforms have rounded
// its position; within this depth it still counts as standing on its own side.
const float kEdgeHair = 0.01f;
}

CollisionManager::CollisionManager() : m_pCollisionLists(NULL) {}

CollisionManager::~CollisionManager()
{
    if (m_pCollisionLists != NULL)
    {
        m_pCollisionLists->removeAllObjects();
    }
    CC_SAFE_RELEASE_NULL(m_pCollisionLists);
}

void CollisionManager::setCollisionLists(CCArray* lists)
{
    CC_SAFE_RETAIN(lists);
    CC_SAFE_RELEASE(m_pCollisionLists);
    m_pCollisionLists = lists;
}

CollisionList* CollisionManager::getCollisionList(int listId)
{
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_pCollisionLists, object)
    {
        CollisionList* list = static_cast<CollisionList*>(object);
        if (list->getListId() == listId)
        {
            return list;
        }
    }
    return NULL;
}

void CollisionManager::update()
{
    if (m_pCollisionLists == NULL)
    {
        return;
    }
    // The lists and rules may also change under a subscriber: walk copies, keeping the lists alive.
    std::vector<CollisionList*> lists;
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_pCollisionLists, object)
    {
        object->retain();
        lists.push_back(static_cast<CollisionList*>(object));
    }
    for (size_t l = 0; l < lists.size(); ++l)
    {
        const std::vector<tCollisionRule> rules = lists[l]->getRules();
        for (size_t i = 0; i < rules.size(); ++i)
        {
            CollisionList* other = getCollisionList(rules[i].listId);
            if (other == NULL)
            {
                continue;
            }
            other->retain();
            testPairs(lists[l], other, rules[i]);
            if (rules[i].resolve)
            {
                // Second pass sees the corrections of the first.
                testPairs(lists[l], other, rules[i]);
            }
            other->release();
        }
    }
    for (size_t l = 0; l < lists.size(); ++l)
    {
        lists[l]->release();
    }
}

void CollisionManager::testPairs(CollisionList* listA, CollisionList* listB, const tCollisionRule& rule)
{
    const MemberSnapshot membersA(listA);
    const MemberSnapshot membersB(listB);
    for (size_t i = 0; i < membersA.size(); ++i)
    {
        ActorComponent* a = membersA[i];
        CCNode* nodeA = a->getOwner();
        if (nodeA == NULL || !nodeA->isVisible())
        {
            continue;
        }
        for (size_t j = 0; j < membersB.size(); ++j)
        {
            ActorComponent* b = membersB[j];
            CCNode* nodeB = b->getOwner();
            if (nodeB == NULL || nodeB == nodeA || !nodeB->isVisible())
            {
                continue;
            }
            const CCSize& sizeA = nodeA->getContentSize();
            const CCRect boxA(0.0f, 0.0f, sizeA.width, sizeA.height);
            const CCSize& sizeB = nodeB->getContentSize();
            const CCAffineTransform bToA =
                CCAffineTransformConcat(nodeB->nodeToWorldTransform(), nodeA->worldToNodeTransform());
            const CCRect boxB = CCRectApplyAffineTransform(CCRect(0.0f, 0.0f, sizeB.width, sizeB.height), bToA);
            if (!boxA.intersectsRect(boxB))
            {
                continue;
            }
            if (rule.resolve)
            {
                resolve(a, nodeB, CCAffineTransformConcat(bToA, nodeA->nodeToParentTransform()));
            }
            if (rule.signal != NULL)
            {
                rule.signal->emit(a, b);
            }
        }
        a->applyOffset();
    }
}

void CollisionManager::resolve(ActorComponent* a, CCNode* nodeB, const CCAffineTransform& bToParentOfA)
{
    const CCSize& size = nodeB->getContentSize();
    const CCPoint corners[4] = {
        CCPointApplyAffineTransform(CCPoint(0.0f, 0.0f), bToParentOfA),
        CCPointApplyAffineTransform(CCPoint(size.width, 0.0f), bToParentOfA),
        CCPointApplyAffineTransform(CCPoint(size.width, size.height), bToParentOfA),
        CCPointApplyAffineTransform(CCPoint(0.0f, size.height), bToParentOfA),
    };
    const CCPoint centre = ccpMult(ccpAdd(corners[0], corners[2]), 0.5f);
    const CCPoint current = a->getPosition();
    for (int edge = 0; edge < 4; ++edge)
    {
        const CCPoint& from = corners[edge];
        const CCPoint& to = corners[(edge + 1) % 4];
        CCPoint last = a->getLastPosition();
        CCPoint outward = ccpNormalize(CCPoint(to.y - from.y, from.x - to.x));
        if (ccpDot(outward, ccpSub(centre, from)) > 0.0f)
        {
            outward = ccpNeg(outward);
        }
        const float depth = -ccpDot(outward, ccpSub(last, from));
        if (depth >= 0.0f && depth < kEdgeHair)
        {
            last = ccpAdd(last, ccpMult(outward, depth + kStandOff));
        }
        if (!ccpSegmentIntersect(last, current, from, to))
        {
            continue;
        }
        const CCPoint along = ccpSub(to, from);
        CCPoint normal = ccpNormalize(CCPoint(along.y, -along.x));
        if (ccpDot(normal, last) - ccpDot(normal, from) < 0.0f)
        {
            normal = ccpNeg(normal);  // face the side a came from
        }
        const float distance = ccpDot(normal, current) - ccpDot(normal, from);
        if (distance < 0.0f)
        {
            a->addOffset(ccpMult(normal, kStandOff - distance));
        }
    }
}

NS_CC_END
