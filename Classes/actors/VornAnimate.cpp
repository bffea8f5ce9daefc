#include "VornAnimate.h"

#include "ActionStackItem.h"
#include "CCConsole.h"
#include "CCPointExtension.h"
#include "CCSpriteFrame.h"
#include "VornActionDesc.h"
#include "VornActor.h"
#include "VornGameTypes.h"

#include <vector>

NS_CC_BEGIN

namespace
{
const float kWalkThreshold = 0.2f;   // movement input that starts walking
const float kDeathHold = 2.0f;       // a knocked-out actor lies still this long, blinking
const float kBlinkInterval = 0.1f;
const int kStackModeDropped = 0;     // removed by any accepted push
const int kStackModeKeepRunning = 2; // stays beneath unless the push is forced
const int kStackModeKeptBeneath = 3; // Idle and Walk: stay beneath, and run when uncovered
const int kMoveModeAirborne = 2;

bool isFlooredType(VornActionDesc* desc)
{
    return desc && (desc->getType() == kVAT_Floored || desc->getType() == kVAT_FlooredTakeDamage);
}
} // namespace

VornAnimate::VornAnimate()
    : m_pStack(NULL),
      m_pItemPool(NULL),
      m_pActor(NULL),
      m_fBlinkTimer(0.0f),
      m_bDeathHoldPending(false),
      m_pLinkedAnimate(NULL),
      m_pLinkedItem(NULL),
      m_pHeldItem(NULL),
      m_nWalkDepth(0),
      m_nAddedDuringWalk(0)
{
}

VornAnimate::~VornAnimate()
{
    detachActor();
    if (m_pItemPool)
    {
        CCObject* object = NULL;
        CCARRAY_FOREACH(m_pItemPool->getFree(), object)
        {
            static_cast<ActionStackItem*>(object)->getLoopedSignal().disconnect(this, &VornAnimate::onItemLooped);
        }
        CCARRAY_FOREACH(m_pItemPool->getUsed(), object)
        {
            static_cast<ActionStackItem*>(object)->getLoopedSignal().disconnect(this, &VornAnimate::onItemLooped);
        }
    }
    returnAllItems();
    CC_SAFE_RELEASE(m_pStack);
    CC_SAFE_RELEASE(m_pItemPool);
}

bool VornAnimate::initWithActor(VornActor* actor)
{
    if (!actor || m_pStack)
    {
        return false;
    }
    m_pActor = actor;
    m_pStack = new CCArray();
    m_pStack->initWithCapacity(kMaxItems);

    CCArray* items = CCArray::createWithCapacity(kMaxItems);
    for (unsigned int i = 0; i < kMaxItems; ++i)
    {
        ActionStackItem* item = new ActionStackItem();
        item->autorelease();
        item->getLoopedSignal().connect(this, &VornAnimate::onItemLooped);
        items->addObject(item);
    }
    m_pItemPool = new CCObjectPool();
    m_pItemPool->initWithArray(items);

    actor->getHealthChangedSignal().connect(this, &VornAnimate::onActorHealthChanged);
    actor->getLandedSignal().connect(this, &VornAnimate::onActorLanded);
    return true;
}

void VornAnimate::detachActor()
{
    if (m_pHeldItem && !m_pHeldItem->getFinished())
    {
        // The other party's held action ends with ours.
        m_pHeldItem->setFinished(true);
    }
    unlink();
    if (m_pActor)
    {
        m_pActor->getHealthChangedSignal().disconnect(this, &VornAnimate::onActorHealthChanged);
        m_pActor->getLandedSignal().disconnect(this, &VornAnimate::onActorLanded);
        m_pActor = NULL;
    }
}

ActionStackItem* VornAnimate::getTopItem()
{
    return m_pStack && m_pStack->count() > 0 ? static_cast<ActionStackItem*>(m_pStack->lastObject()) : NULL;
}

VornActionDesc* VornAnimate::getTopAction()
{
    ActionStackItem* top = getTopItem();
    return top ? top->getActionDesc() : NULL;
}

bool VornAnimate::addActionToStack(VornActionDesc* pAction)
{
    if (!pAction)
    {
        CCLog("addActionToStack: pAction == NULL!");
        return false;
    }
    if (!m_pStack)
    {
        return false;
    }
    ActionStackItem* top = getTopItem();
    VornActionDesc* topDesc = top ? top->getActionDesc() : NULL;
    if (topDesc && pAction->getPriority() != 0 && !pAction->getIsForced() &&
        topDesc->getPriority() >= pAction->getPriority() && !(topDesc == pAction && pAction->getCanRestart()))
    {
        return false;
    }
    // Priority 0 (a kick) cuts into anything ordinary, but never cuts a reaction or a knock-out
    // short, and never itself: tapped fast enough, it would keep its fighter out of reach of every
    // blow. Pressed while it plays, it waits in the fighter's queue like any refused move.
    if (topDesc && pAction->getPriority() == 0 && !pAction->getIsForced() &&
        (isReactionActionType(topDesc->getType()) || (m_pActor && m_pActor->getHealth() <= 0.0f) ||
         (topDesc == pAction && VornActionDesc::isAttackType(pAction->getType()))))
    {
        return false;
    }

    if (topDesc != pAction && isBuriedUnderKeptItem(pAction))
    {
        return false;
    }

    if (topDesc != pAction)
    {
        for (top = getTopItem(); top && top->getActionDesc(); top = getTopItem())
        {
            int mode = top->getActionDesc()->getStackMode();
            if (mode != kStackModeDropped && !(mode == kStackModeKeepRunning && pAction->getIsForced()))
            {
                break;
            }
            removeItem(top, false);
        }
    }
    if (top && top->getActionDesc() == pAction)
    {
        // Already on top, or uncovered by the pops (a walk kept beneath a kick): played again in
        // place. A second copy would pile up with every kick until no blow could floor the fighter.
        top->restart();
    }
    else
    {
        ActionStackItem* item = static_cast<ActionStackItem*>(m_pItemPool->getObject());
        if (!item)
        {
            CCLog("Can't add item to stack. Contents of stack are:");
            CCObject* object = NULL;
            CCARRAY_FOREACH(m_pStack, object)
            {
                VornActionDesc* desc = static_cast<ActionStackItem*>(object)->getActionDesc();
                CCLog("%s", desc ? desc->getName().c_str() : "");
            }
            return false;
        }
        if (!item->initWithAction(pAction))
        {
            CCLog("Error initialising stack item for %s:", pAction->getName().c_str());
        }
        m_pStack->addObject(item);
        noteAddedDuringWalk(item);
    }

    if (m_pActor)
    {
        m_pActor->setAnchorPoint(pAction->getAnchorPoint());
    }
    m_actionChangedSignal.emit(pAction);
    return true;
}

// A walk already beneath a move this push would leave in place (a jump, with a kick cut into it
// as it lands) plays on when that move ends: a second copy above it would pile up.
bool VornAnimate::isBuriedUnderKeptItem(VornActionDesc* pAction)
{
    if (pAction->getStackMode() != kStackModeKeptBeneath)
    {
        return false;
    }
    bool underKeptItem = false;
    for (int i = (int)m_pStack->count() - 1; i >= 0; --i)
    {
        VornActionDesc* desc = static_cast<ActionStackItem*>(m_pStack->objectAtIndex(i))->getActionDesc();
        if (desc == pAction)
        {
            return underKeptItem;
        }
        const int mode = desc ? desc->getStackMode() : kStackModeKeptBeneath;
        if (mode != kStackModeDropped && !(mode == kStackModeKeepRunning && pAction->getIsForced()))
        {
            underKeptItem = true;
        }
    }
    return false;
}

void VornAnimate::removeItem(ActionStackItem* item, bool withFollowUp)
{
    if (!item || !m_pStack || !m_pStack->containsObject(item))
    {
        return;
    }
    item->retain();
    VornActionDesc* desc = item->getActionDesc();
    CC_SAFE_RETAIN(desc);
    VornActionDesc* next = desc ? desc->getNextActionDesc() : NULL;
    CC_SAFE_RETAIN(next);

    if (item == m_pHeldItem && m_pLinkedAnimate)
    {
        dropLink();
    }
    item->setFinished(true);
    if (m_pStack->containsObject(item))
    {
        m_pStack->removeObject(item);
        m_pItemPool->returnObject(item);
    }
    if (withFollowUp && next)
    {
        addActionToStack(next);
    }
    if (m_pActor)
    {
        m_pActor->onActionCompleted(desc);
    }
    CC_SAFE_RELEASE(next);
    CC_SAFE_RELEASE(desc);
    item->release();
}

void VornAnimate::update(float dt)
{
    if (!m_pActor || !m_pStack)
    {
        return;
    }
    VornActor* actor = m_pActor;
    actor->retain();

    VornActionDesc* walk = actor->getNextAction(kVAT_Walk);
    if (ccpLength(actor->getMovement()) > kWalkThreshold && walk && actor->isAlive())
    {
        addActionToStack(walk);
    }

    // The items present now, kept alive: events and follow-ups may change the stack meanwhile.
    std::vector<ActionStackItem*> items;
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_pStack, object)
    {
        object->retain();
        items.push_back(static_cast<ActionStackItem*>(object));
    }
    if (m_nWalkDepth == 0)
    {
        m_nAddedDuringWalk = 0;
    }
    ++m_nWalkDepth;
    ActionStackItem* top = getTopItem();
    for (size_t i = items.size(); i-- > 0;)
    {
        ActionStackItem* item = items[i];
        if (!m_pStack->containsObject(item))
        {
            continue;  // retired by something that ran earlier in this walk
        }
        if (wasAddedDuringWalk(item))
        {
            continue;  // retired and handed out again: it plays a new action from the next frame
        }
        item->update(actor, item == top, dt);
        if (!item->getFinished() || !m_pStack->containsObject(item))
        {
            continue;
        }
        if (actor->getHealth() <= 0.0f && isFloored())
        {
            continue;  // a knocked-out actor keeps lying as it is
        }
        bool wasTop = item == getTopItem();
        removeItem(item, true);
        if (wasTop)
        {
            top = getTopItem();
            if (top && top->getActionDesc())
            {
                actor->setAnchorPoint(top->getActionDesc()->getAnchorPoint());
                m_actionChangedSignal.emit(top->getActionDesc());
            }
        }
    }
    --m_nWalkDepth;
    for (size_t i = 0; i < items.size(); ++i)
    {
        items[i]->release();
    }

    top = getTopItem();
    VornActionDesc* topDesc = top ? top->getActionDesc() : NULL;
    if (m_bDeathHoldPending && isFlooredType(topDesc))
    {
        top->setElapsed(topDesc->getDuration() - 0.01f);
        top->setDelay(kDeathHold);
        m_bDeathHoldPending = false;
    }
    if (actor->getHealth() <= 0.0f && isFlooredType(topDesc))
    {
        if (!top->getFinished())
        {
            // A blinking body lies still: the walls skip him on the frames he is hidden, so a
            // slide would carry him through one.
            actor->setVelocity(CCPoint(0.0f, actor->getVelocity().y));
            m_fBlinkTimer -= dt;
            if (m_fBlinkTimer < 0.0f)
            {
                m_fBlinkTimer = kBlinkInterval;
                actor->setVisible(!actor->isVisible());
            }
        }
        else
        {
            actor->setVisible(true);
        }
    }
    showFrame();
    actor->release();
}

void VornAnimate::noteAddedDuringWalk(ActionStackItem* item)
{
    if (m_nWalkDepth > 0 && !wasAddedDuringWalk(item) && m_nAddedDuringWalk < kMaxItems)
    {
        m_addedDuringWalk[m_nAddedDuringWalk++] = item;
    }
}

bool VornAnimate::wasAddedDuringWalk(ActionStackItem* item)
{
    for (unsigned int i = 0; i < m_nAddedDuringWalk; ++i)
    {
        if (m_addedDuringWalk[i] == item)
        {
            return true;
        }
    }
    return false;
}

void VornAnimate::showFrame()
{
    ActionStackItem* top = getTopItem();
    VornActionDesc* desc = top ? top->getActionDesc() : NULL;
    CCArray* frames = desc ? desc->getFrames() : NULL;
    if (!frames || frames->count() == 0 || !m_pActor)
    {
        return;
    }
    unsigned int n = frames->count();
    float f = desc->getDuration() > 0.0f ? top->getElapsed() / desc->getDuration() : 0.0f;
    f = clampf(f, 0.0f, 1.0f);
    if (desc->getType() == kVAT_Walk)
    {
        float dx = m_pActor->getMoveDelta().x;
        int facing = m_pActor->getFacingDir();
        if ((dx < 0.0f && facing == kFacingDir_Right) || (dx > 0.0f && facing == kFacingDir_Left))
        {
            f = 1.0f - f;  // walking backwards
        }
    }
    unsigned int index = (unsigned int)(n * f);
    if (index >= n)
    {
        index = n - 1;
    }
    CCSpriteFrame* frame = static_cast<CCSpriteFrame*>(frames->objectAtIndex(index));
    if (!m_pActor->isFrameDisplayed(frame))
    {
        m_pActor->setDisplayFrame(frame);
    }
}

void VornAnimate::returnAllItems()
{
    if (m_pStack)
    {
        m_pStack->removeAllObjects();
    }
    if (m_pItemPool)
    {
        m_pItemPool->returnAllObjects();
    }
}

void VornAnimate::resetAnimation()
{
    m_bDeathHoldPending = false;
    if (m_pHeldItem && !m_pHeldItem->getFinished())
    {
        // Let the other party of a grab go too, rather than leave it holding nothing.
        m_pHeldItem->setFinished(true);
    }
    unlink();
    returnAllItems();
    addActionToStack(m_pActor ? m_pActor->getNextAction(kVAT_Idle) : NULL);
    update(0.0f);
}

bool VornAnimate::isActionTypeOf(int type, bool searchWholeStack)
{
    if (!searchWholeStack)
    {
        VornActionDesc* top = getTopAction();
        return top && top->getType() == type;
    }
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_pStack, object)
    {
        VornActionDesc* desc = static_cast<ActionStackItem*>(object)->getActionDesc();
        if (desc && desc->getType() == type)
        {
            return true;
        }
    }
    return false;
}

bool VornAnimate::isFalling()
{
    VornActionDesc* top = getTopAction();
    return top && (top->getType() == kVAT_FallForward || top->getType() == kVAT_FallBack);
}

bool VornAnimate::isFloored()
{
    return isFlooredType(getTopAction());
}

bool VornAnimate::isFallingOrFloored()
{
    return isFalling() || isFloored();
}

void VornAnimate::removeStunnedItems()
{
    if (!m_pStack)
    {
        return;
    }
    for (unsigned int i = m_pStack->count(); i-- > 0;)
    {
        if (i >= m_pStack->count())
        {
            continue;
        }
        ActionStackItem* item = static_cast<ActionStackItem*>(m_pStack->objectAtIndex(i));
        if (item->getActionDesc() && item->getActionDesc()->getType() == kVAT_Stunned)
        {
            removeItem(item, false);
        }
    }
}

void VornAnimate::linkTo(VornAnimate* other)
{
    dropLink();
    if (!other || other == this || !other->getTopItem() || !getTopItem())
    {
        return;
    }
    other->retain();
    m_pLinkedAnimate = other;
    m_pLinkedItem = other->getTopItem();
    m_pLinkedItem->retain();
    m_pHeldItem = getTopItem();
    m_pHeldItem->retain();
    m_pLinkedItem->getCompletedSignal().connect(this, &VornAnimate::onLinkedItemCompleted);
}

void VornAnimate::dropLink()
{
    if (m_pLinkedItem)
    {
        m_pLinkedItem->getCompletedSignal().disconnect(this, &VornAnimate::onLinkedItemCompleted);
    }
    CC_SAFE_RELEASE_NULL(m_pLinkedItem);
    CC_SAFE_RELEASE_NULL(m_pHeldItem);
    CC_SAFE_RELEASE_NULL(m_pLinkedAnimate);
}

void VornAnimate::unlink()
{
    VornAnimate* other = m_pLinkedAnimate;
    CC_SAFE_RETAIN(other);
    dropLink();
    if (other && other->getLinkedAnimate() == this)
    {
        other->dropLink();
    }
    CC_SAFE_RELEASE(other);
}

void VornAnimate::onLinkedItemCompleted(VornActionDesc* desc)
{
    if (m_pLinkedItem && m_pLinkedItem->getActionDesc() == desc && m_pHeldItem && !m_pHeldItem->getFinished())
    {
        removeItem(m_pHeldItem, true);
    }
}

void VornAnimate::onActorHealthChanged(float fraction)
{
    if (fraction <= 0.0f)
    {
        m_bDeathHoldPending = true;
    }
}

void VornAnimate::onActorLanded()
{
    if (!m_pStack)
    {
        return;
    }
    // Finishing an item may end a link and change the stack: walk a copy.
    CCArray* items = CCArray::createWithArray(m_pStack);
    CCObject* object = NULL;
    CCARRAY_FOREACH(items, object)
    {
        ActionStackItem* item = static_cast<ActionStackItem*>(object);
        if (item->getActionDesc() && item->getActionDesc()->getMoveMode() == kMoveModeAirborne)
        {
            item->setFinished(true);
        }
    }
}

void VornAnimate::onItemLooped(VornActionDesc* desc)
{
    if (desc && desc == getTopAction())
    {
        m_actionLoopedSignal.emit(desc);
    }
}

NS_CC_END
