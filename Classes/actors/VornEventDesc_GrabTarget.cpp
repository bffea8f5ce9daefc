#include "VornEventDesc_GrabTarget.h"

#include "ActionStackItem.h"
#include "CCDirector.h"
#include "VornActionDesc.h"
#include "VornActor.h"
#include "VornAnimate.h"
#include "VornCameraManager.h"
#include "VornDictionary.h"
#include "VornGameManager.h"

#include <cmath>

NS_CC_BEGIN

namespace
{
const float kDepthBand = 5.0f;   // how far apart in depth two actors can still touch
const float kGrabHold = 100.0f;  // the grab pose holds until the link ends it
const float kInFront = 0.001f;   // the grabber stands a hair lower, so it is drawn in front
} // namespace

VornEventDesc_GrabTarget::VornEventDesc_GrabTarget() : m_bounds(0.0f, 0.0f, 0.0f, 0.0f) {}

void VornEventDesc_GrabTarget::keepPairInView(VornActor* held, VornActor* grabber)
{
    // Placed at his hold, a grabber at the screen's edge would stand out of sight: the pair
    // slides inward together, keeping its hold.
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    VornCameraManager* camera = game ? game->getCameraManager() : NULL;
    if (camera == NULL || camera->getGameScreenBounds().size.width <= 0.0f)
    {
        return;
    }
    CCRect view = camera->getGameScreenBounds();
    const float halfBody = grabber->getCollisionBoundsInWorldSpace().size.width * 0.5f;
    const float x = grabber->getBasePosition().x;
    float shift = 0.0f;
    if (x + halfBody > view.getMaxX())
    {
        shift = view.getMaxX() - halfBody - x;
    }
    else if (x - halfBody < view.getMinX())
    {
        shift = view.getMinX() + halfBody - x;
    }
    if (shift != 0.0f)
    {
        grabber->setBasePosition(grabber->getBasePosition() + CCPoint(shift, 0.0f));
        held->setBasePosition(held->getBasePosition() + CCPoint(shift, 0.0f));
    }
}

bool VornEventDesc_GrabTarget::initWithDictionary(CCDictionary* dict, std::string name, std::string ownerFile)
{
    if (!VornEventDesc::initWithDictionary(dict, name, ownerFile))
    {
        return false;
    }
    std::string text;
    if (!VornDictionary::getString(dict, "Bounds", &text))
    {
        return false;
    }
    parseRect(text, &m_bounds);
    return true;
}

CCRect VornEventDesc_GrabTarget::getBounds()
{
    float s = CCDirector::sharedDirector()->getContentScaleFactor();
    return CCRect(m_bounds.origin.x / s, m_bounds.origin.y / s, m_bounds.size.width / s, m_bounds.size.height / s);
}

void VornEventDesc_GrabTarget::fire(VornActionDesc* action, VornActor* actor)
{
    CC_UNUSED_PARAM(action);
    if (!actor || !actor->getAnimate())
    {
        return;
    }
    CCRect area = rectInWorld(getBounds(), actor);
    debugRect(area, 2.0f);

    std::vector<VornActor*> candidates;
    collectActors(opposingListId(actor->getCollisionListId()), &candidates);
    for (size_t i = 0; i < candidates.size(); ++i)
    {
        VornActor* grabber = candidates[i];
        VornActionDesc* grabberAction = grabber->getAction();
        if (grabber == actor || !grabberAction || grabberAction->getType() != kVAT_Walk ||
            grabber->getFacingDir() == actor->getFacingDir() ||
            fabsf(grabber->getBasePosition().y - actor->getBasePosition().y) > kDepthBand)
        {
            continue;
        }
        CCRect body = grabber->getCollisionBoundsInWorldSpace();
        debugRect(body, 0.1f);
        if (!body.intersectsRect(area))
        {
            continue;
        }
        debugRect(body, 1.0f);

        actor->getAnimate()->removeStunnedItems();
        if (!actor->doAction(kVAT_Grabbed, false))
        {
            continue;
        }
        VornAnimate* grabberStack = grabber->getAnimate();
        VornActionDesc* grab = grabber->getNextAction(kVAT_Grab);
        if (grab)
        {
            grabberStack->addActionToStack(grab);
        }
        if (grabberStack->getTopItem())
        {
            grabberStack->getTopItem()->setDelay(kGrabHold);
        }
        grabberStack->linkTo(actor->getAnimate());
        actor->getAnimate()->linkTo(grabberStack);
        CCPoint base = actor->getBasePosition();
        grabber->setBasePosition(
            CCPoint(base.x - (m_bounds.origin.x + m_bounds.size.width) * grabber->getScaleX(), base.y - kInFront));
        keepPairInView(actor, grabber);
    }
    releaseActors(&candidates);
}

NS_CC_END
