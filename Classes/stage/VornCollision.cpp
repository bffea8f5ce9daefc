#include "VornCollision.h"

#include "ActorComponent.h"
#include "CollisionList.h"
#include "CollisionManager.h"
#include "GameManager.h"

NS_CC_BEGIN

VornCollision::VornCollision() : m_nCollisionListId(0), m_pComponent(NULL) {}

VornCollision::~VornCollision() {}

VornCollision* VornCollision::create(int listId)
{
    VornCollision* collision = new VornCollision();
    if (!collision->initWithCollisionList(listId))
    {
        collision->release();
        return NULL;
    }
    collision->autorelease();
    return collision;
}

CollisionList* VornCollision::findCollisionList(int listId)
{
    GameManager* manager = GameManager::getInstance();
    CollisionManager* collisions = manager ? manager->getCollisionManager() : NULL;
    return collisions ? collisions->getCollisionList(listId) : NULL;
}

bool VornCollision::initWithCollisionList(int listId)
{
    if (!CCLayerColor::init())
    {
        return false;
    }
    CollisionList* list = findCollisionList(listId);
    if (list == NULL)
    {
        CCLog("ERROR: VornCollision::initWithCollisionList - no collision list %d", listId);
        return false;
    }
    m_pComponent = ActorComponent::create(this);
    list->addObject(m_pComponent);
    m_nCollisionListId = listId;
    return true;
}

void VornCollision::removeFromCollisionManager()
{
    CollisionList* list = findCollisionList(m_nCollisionListId);
    m_pComponent = NULL;
    if (list == NULL)
    {
        return;
    }
    // Found by owner, not by the stored pointer: the list may have dropped (and freed) ours.
    CollisionList::MemberList& members = list->getMembers();
    for (CollisionList::MemberList::iterator it = members.begin(); it != members.end(); ++it)
    {
        if (*it != NULL && (*it)->getOwner() == this)
        {
            list->removeObject(*it);
            return;
        }
    }
}

NS_CC_END
