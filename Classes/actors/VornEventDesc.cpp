#include "VornEventDesc.h"

#include "CCDirector.h"
#include "CCObjectPool.h"
#include "CollisionManager.h"
#include "DebugDraw.h"
#include "VornActor.h"
#include "VornDictionary.h"
#include "VornGameManager.h"

#include "VornImpact.h"

#include <algorithm>
#include <cstdio>

NS_CC_BEGIN

VornEventDesc::VornEventDesc() : m_nType(kVET_None), m_fTime(0.0f) {}

VornEventDesc::~VornEventDesc() {}

bool VornEventDesc::initWithDictionary(CCDictionary* dict, std::string name, std::string ownerFile)
{
    CC_UNUSED_PARAM(ownerFile);
    m_name = name;
    if (!VornDictionary::getFloat(dict, "Time", &m_fTime))
    {
        return false;
    }
    if (m_fTime < -1.0f || m_fTime > 1.0f)
    {
        CCLog("VornEventDesc::initWithTime - Invalid time %.2f", m_fTime);
        return false;
    }
    return true;
}

CCRect VornEventDesc::rectInWorld(const CCRect& pointsRect, VornActor* actor)
{
    CCRect rect = pointsRect;
    rect.origin = rect.origin + actor->getAnchorPointInPoints();
    return CCRectApplyAffineTransform(rect, actor->nodeToWorldTransform());
}

void VornEventDesc::debugRect(const CCRect& rect, float lifetime)
{
    GameManager* game = GameManager::getInstance();
    if (game && game->isDebugDrawEnabled() && game->getDebugDraw())
    {
        game->getDebugDraw()->addRect(rect, lifetime);
    }
}

void VornEventDesc::parseRect(const std::string& text, CCRect* rect)
{
    float values[4] = {rect->origin.x, rect->origin.y, rect->size.width, rect->size.height};
    sscanf(text.c_str(), "(%f,%f) (%f,%f)", &values[0], &values[1], &values[2], &values[3]);
    *rect = CCRect(values[0], values[1], values[2], values[3]);
}

void VornEventDesc::showImpact(const CCRect& rect, bool inWorld, const CCPoint& direction, int number, bool particles)
{
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    CCObjectPool* pool = game ? game->getImpactPool() : NULL;
    CCNode* layer = game ? game->getGameLayer() : NULL;
    if (!pool || !layer)
    {
        return;
    }
    VornImpact* impact = dynamic_cast<VornImpact*>(pool->getObject());
    if (impact)
    {
        CCRect layerRect = inWorld ? CCRectApplyAffineTransform(rect, layer->worldToNodeTransform()) : rect;
        const CCPoint spot(layerRect.getMidX(), layerRect.getMidY());
        // A blow landing on a number still up there adds to it: a string of blows reads as one
        // count, not as a blot of numbers over each other.
        CCObject* object;
        CCARRAY_FOREACH(pool->getUsed(), object)
        {
            VornImpact* shown = static_cast<VornImpact*>(object);
            if (shown != impact && shown->numberCovers(layer, spot))
            {
                shown->addToNumber(number, spot);
                impact->showImpact(layer, layerRect, direction, "", particles);
                return;
            }
        }
        char text[32];
        snprintf(text, sizeof(text), "%d", number);
        impact->showImpact(layer, layerRect, direction, text, particles);
    }
}

void VornEventDesc::collectActors(int listId, std::vector<VornActor*>* out)
{
    GameManager* game = GameManager::getInstance();
    CollisionManager* collisions = game ? game->getCollisionManager() : NULL;
    CollisionList* list = collisions ? collisions->getCollisionList(listId) : NULL;
    if (!list)
    {
        return;
    }
    CollisionList::MemberList& members = list->getMembers();
    for (CollisionList::MemberList::iterator it = members.begin(); it != members.end(); ++it)
    {
        VornActor* actor = *it ? dynamic_cast<VornActor*>((*it)->getOwner()) : NULL;
        if (actor && std::find(out->begin(), out->end(), actor) == out->end())
        {
            actor->retain();
            out->push_back(actor);
        }
    }
}

void VornEventDesc::releaseActors(std::vector<VornActor*>* actors)
{
    for (size_t i = 0; i < actors->size(); ++i)
    {
        (*actors)[i]->release();
    }
    actors->clear();
}

int VornEventDesc::opposingListId(int listId)
{
    return listId == kCollisionList_Player ? kCollisionList_Enemy : kCollisionList_Player;
}

NS_CC_END
