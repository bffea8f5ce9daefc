#include "VornActor.h"

#include "ActionStackItem.h"
#include "CCDirector.h"
#include "CCFileUtils.h"
#include "CCPointExtension.h"
#include "CCSpriteFrame.h"
#include "CollisionManager.h"
#include "DebugRect.h"
#include "HealthChangeLabel.h"
#include "SFXManager.h"
#include "SimpleAudioEngine.h"
#include "VornAchievementsManager.h"
#include "VornActionDesc.h"
#include "VornActorComponent.h"
#include "VornActorDesc.h"
#include "VornActorLayer.h"
#include "VornAnimate.h"
#include "VornGameManager.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>

using namespace CocosDenshion;

NS_CC_BEGIN

const float VornActor::kPendingActionLifetime = 0.2f;
const float VornActor::kComboWindow = 0.5f;

namespace
{
const unsigned int kHealthChangeLabelCount = 5;
// Above the depth-sorted actors, which take the orders from 1 up.
const int kHealthChangeLabelZ = 100000;
const float kJumpSpeed = 1.2f;  // sideways speed of a jump with the stick pushed

SFXManager* sfxManager()
{
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    return game ? game->getSFXManager() : NULL;
}
} // namespace

VornActor::VornActor()
    : m_nCollisionListId(0),
      m_fHealth(0.0f),
      m_fSpeed(0.0f),
      m_nFacingDir(kFacingDir_Right),
      m_nNextFacingDir(kFacingDir_Right),
      m_movement(0.0f, 0.0f),
      m_jumpDirection(0.0f, 0.0f),
      m_pDesc(NULL),
      m_pAnimate(NULL),
      m_fHeight(0.0f),
      m_pShadow(NULL),
      m_fShadowScaleFrom(1.0f),
      m_acceleration(0.0f, 0.0f),
      m_velocity(0.0f, 0.0f),
      m_moveDelta(0.0f, 0.0f),
      m_lastBasePosition(0.0f, 0.0f),
      m_fComboTimer(0.0f),
      m_pComponent(NULL),
      m_bHealthRegenActive(true),
      m_pHealthChangeLabels(NULL),
      m_uActionSFXId(0),
      m_pCurrentAttack(NULL),
      m_bCurrentAttackHit(false),
      m_pTickSource(NULL)
{
    for (int t = 0; t < kVAT_MAX; ++t)
    {
        m_nextActions[t] = NULL;
    }
}

VornActor::~VornActor()
{
    if (m_pTickSource && m_pTickSource == GameManager::getInstance())
    {
        m_pTickSource->getGameUpdateSignal().disconnect(this, &VornActor::tick);
    }
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    if (game && game->getAchievementsManager())
    {
        m_diedSignal.disconnect(game->getAchievementsManager(), &VornAchievementsManager::onEnemyKilled);
    }
    if (m_pAnimate)
    {
        m_pAnimate->getActionChangedSignal().disconnect(this, &VornActor::onActionChanged);
        m_pAnimate->getActionLoopedSignal().disconnect(this, &VornActor::onActionLooped);
        m_pAnimate->detachActor();
        CC_SAFE_RELEASE_NULL(m_pAnimate);
    }
    if (m_pComponent)
    {
        // A list may still hold the component: it must not reach this actor any more.
        CollisionManager* collisions = game ? game->getCollisionManager() : NULL;
        CollisionList* list = collisions ? collisions->getCollisionList(m_nCollisionListId) : NULL;
        m_pComponent->setOwner(NULL);
        if (list)
        {
            list->removeObject(m_pComponent);
        }
        CC_SAFE_RELEASE_NULL(m_pComponent);
    }
    if (m_pHealthChangeLabels)
    {
        CCObject* object = NULL;
        CCARRAY_FOREACH(m_pHealthChangeLabels->getUsed(), object)
        {
            static_cast<HealthChangeLabel*>(object)->removeFromParentAndCleanup(true);
        }
        CCARRAY_FOREACH(m_pHealthChangeLabels->getFree(), object)
        {
            static_cast<HealthChangeLabel*>(object)->setPool(NULL);
        }
        CCARRAY_FOREACH(m_pHealthChangeLabels->getUsed(), object)
        {
            static_cast<HealthChangeLabel*>(object)->setPool(NULL);
        }
        CC_SAFE_RELEASE_NULL(m_pHealthChangeLabels);
    }
    CC_SAFE_RELEASE_NULL(m_pShadow);
    CC_SAFE_RELEASE_NULL(m_pDesc);
}

bool VornActor::initWithDesc(VornActorDesc* desc)
{
    if (!CCSprite::init())
    {
        return false;
    }
    if (m_pAnimate)
    {
        CCLog("VornActor::initWithDesc - already initialised");
        return false;
    }
    m_pAnimate = new VornAnimate();
    if (!m_pAnimate->initWithActor(this))
    {
        CC_SAFE_RELEASE_NULL(m_pAnimate);
        return false;
    }
    m_pAnimate->getActionChangedSignal().connect(this, &VornActor::onActionChanged);
    m_pAnimate->getActionLoopedSignal().connect(this, &VornActor::onActionLooped);
    m_pTickSource = GameManager::getInstance();
    if (m_pTickSource)
    {
        m_pTickSource->getGameUpdateSignal().connect(this, &VornActor::tick);
    }
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    if (game && game->getAchievementsManager())
    {
        m_diedSignal.connect(game->getAchievementsManager(), &VornAchievementsManager::onEnemyKilled);
    }
    m_attackHitSignal.connect(this, &VornActor::onHitActor);

    setAnchorPoint(CCPoint(0.5f, 0.0f));

    m_pHealthChangeLabels = new CCObjectPool();
    m_pHealthChangeLabels->initWithArray(CCArray::createWithCapacity(kHealthChangeLabelCount));
    for (unsigned int i = 0; i < kHealthChangeLabelCount; ++i)
    {
        HealthChangeLabel* label = new HealthChangeLabel();
        label->autorelease();
        if (!label->initWithHealthChange(m_pHealthChangeLabels))
        {
            return false;
        }
    }

    if (m_nCollisionListId != 0)
    {
        m_pComponent = new VornActorComponent();
        m_pComponent->setOwner(this);
    }

    setDesc(desc);
    reset();
    return true;
}

void VornActor::setDesc(VornActorDesc* desc)
{
    CC_SAFE_RETAIN(desc);
    CC_SAFE_RELEASE(m_pDesc);
    m_pDesc = desc;
    if (!desc)
    {
        // An actor without a descriptor no longer ticks: its numbers would hang in the air.
        recycleHealthChangeLabels();
        return;
    }
    const std::vector<VornActionDesc*>& idles = desc->getActionsForType(kVAT_Idle);
    if (idles.empty())
    {
        return;
    }
    VornActionDesc* idle = idles[(rand() & 0x7FFF) % idles.size()];
    if (!idle)
    {
        return;
    }
    CCArray* frames = idle->getFrames();
    if (frames && frames->count() > 0)
    {
        setDisplayFrame(static_cast<CCSpriteFrame*>(frames->objectAtIndex(0)));
    }
    if (getTexture())
    {
        getTexture()->setAliasTexParameters();
    }
    initShadow();
    int facing = m_nFacingDir;
    reset();
    setFacingDir(facing);
}

bool VornActor::initShadow()
{
    if (!m_pShadow)
    {
        m_pShadow = new CCSprite();
        if (!m_pShadow->init())
        {
            CC_SAFE_RELEASE_NULL(m_pShadow);
            return false;
        }
        addChild(m_pShadow, -1);
    }
    CCTexture2D* texture = m_pDesc ? m_pDesc->getShadowTexture() : NULL;
    m_pShadow->setTexture(texture);
    if (texture)
    {
        const CCSize& size = texture->getContentSize();
        m_pShadow->setTextureRect(CCRect(0.0f, 0.0f, size.width, size.height));
    }
    return true;
}

void VornActor::reset()
{
    setScale(1.0f);
    setOpacity(255);
    setColor(ccc3(255, 255, 255));
    stopAllActions();
    setRotation(0.0f);
    setVisible(true);

    m_pendingActions.clear();
    m_movement = CCPoint(0.0f, 0.0f);
    m_jumpDirection = CCPoint(0.0f, 0.0f);

    m_nNextFacingDir = kFacingDir_Right;
    // The scale was just reset to face right: make the stored facing agree before setting it.
    m_nFacingDir = kFacingDir_Right;
    setFacingDir(kFacingDir_Right);

    if (m_pDesc)
    {
        setSpeed(m_pDesc->getSpeed(getCharacterType()));
        setHealth(m_pDesc->getHealth(getCharacterType()));
        for (int t = 0; t < kVAT_MAX; ++t)
        {
            m_nextActions[t] = randomActionOfType(t);
        }
        if (m_pAnimate)
        {
            m_pAnimate->resetAnimation();
        }
    }

    m_velocity = CCPoint(0.0f, 0.0f);
    m_fComboTimer = 0.0f;
    setHeight(0.0f);
    m_fShadowScaleFrom = 1.0f;
    updateShadow();
}

VornActionDesc* VornActor::randomActionOfType(int type)
{
    if (!m_pDesc)
    {
        return NULL;
    }
    const std::vector<VornActionDesc*>& actions = m_pDesc->getActionsForType(type);
    return actions.empty() ? NULL : actions[(rand() & 0x7FFF) % actions.size()];
}

float VornActor::maxHealth()
{
    return m_pDesc ? m_pDesc->getHealth(getCharacterType()) : 1.0f;
}

void VornActor::draw()
{
    CCSprite::draw();
    GameManager* game = GameManager::getInstance();
    if (game && game->isDebugDrawEnabled())
    {
        drawDebugRect(getCollisionBounds());
    }
}

void VornActor::visit()
{
    const bool shadowDrawn = m_pShadow && m_pShadow->isVisible() && getParent() != NULL &&
                             getParent() == VornActorLayer::drawingShadowsApart();
    if (!shadowDrawn)
    {
        CCSprite::visit();
        return;
    }
    m_pShadow->setVisible(false);
    CCSprite::visit();
    m_pShadow->setVisible(true);
}

void VornActor::setFacingDir(int dir)
{
    if (dir == m_nFacingDir)
    {
        return;
    }
    m_nFacingDir = dir;
    if (dir == kFacingDir_Left)
    {
        setScaleX(-fabsf(getScaleX()));
    }
    else if (dir == kFacingDir_Right)
    {
        setScaleX(fabsf(getScaleX()));
    }
}

CCPoint VornActor::getBasePosition()
{
    const CCPoint& p = getPosition();
    return CCPoint(p.x, p.y - m_fHeight);
}

void VornActor::setBasePosition(CCPoint position)
{
    if (position.equals(getBasePosition()))
    {
        return;
    }
    setPosition(CCPoint(position.x, position.y + m_fHeight));
}

void VornActor::setHeight(float height)
{
    if (height == m_fHeight)
    {
        return;
    }
    if (height <= 0.0f)
    {
        height = 0.0f;
    }
    const CCPoint& p = getPosition();
    setPosition(CCPoint(p.x, p.y + (height - m_fHeight)));
    m_fHeight = height;
}

void VornActor::setHealth(const float& health)
{
    if (health == m_fHealth)
    {
        return;
    }
    m_fHealth = health;
    m_healthChangedSignal.emit(getHealthValue());
}

float VornActor::getHealthValue()
{
    float max = maxHealth();
    return max > 0.0f ? clampf(m_fHealth / max, 0.0f, 1.0f) : (m_fHealth > 0.0f ? 1.0f : 0.0f);
}

void VornActor::addToCollisionManager()
{
    GameManager* game = GameManager::getInstance();
    CollisionManager* collisions = game ? game->getCollisionManager() : NULL;
    CollisionList* list = collisions ? collisions->getCollisionList(m_nCollisionListId) : NULL;
    if (!m_pComponent || !list)
    {
        CCLog("VornActor::addToCollisionManager - no collision list %d for this actor", m_nCollisionListId);
        return;
    }
    list->addObject(m_pComponent);
    VornGameManager* vorn = dynamic_cast<VornGameManager*>(game);
    CCNode* actorNode = vorn ? vorn->getActorNode() : NULL;
    if (actorNode && getParent() != actorNode)
    {
        if (getParent())
        {
            removeFromParentAndCleanup(false);
        }
        actorNode->addChild(this);
    }
}

void VornActor::removeFromCollisionManager()
{
    GameManager* game = GameManager::getInstance();
    CollisionManager* collisions = game ? game->getCollisionManager() : NULL;
    CollisionList* list = collisions ? collisions->getCollisionList(m_nCollisionListId) : NULL;
    if (list && m_pComponent)
    {
        list->removeObject(m_pComponent);
    }
    removeFromParentAndCleanup(false);
}

void VornActor::resetAnimation()
{
    if (m_pAnimate)
    {
        m_pAnimate->resetAnimation();
    }
}

bool VornActor::isAlive()
{
    return m_fHealth > 0.0f;
}

bool VornActor::isDying()
{
    ActionStackItem* top = m_pAnimate ? m_pAnimate->getTopItem() : NULL;
    return m_fHealth <= 0.0f && top && !top->getFinished();
}

bool VornActor::isDead()
{
    if (m_fHealth > 0.0f || !m_pAnimate || !m_pAnimate->isFloored())
    {
        return false;
    }
    ActionStackItem* top = m_pAnimate->getTopItem();
    return !top || top->getFinished();
}

bool VornActor::isInAir()
{
    return m_fHeight > FLT_EPSILON;
}

bool VornActor::isFalling()
{
    return m_pAnimate && m_pAnimate->isFalling();
}

bool VornActor::isFallingOrFloored()
{
    return m_pAnimate && m_pAnimate->isFallingOrFloored();
}

bool VornActor::isGettingUp()
{
    return isActionTypeOf(kVAT_StandUp, false);
}

bool VornActor::isStanding()
{
    return !isFallingOrFloored() && !isGettingUp();
}

bool VornActor::isActionTypeOf(int type, bool searchWholeStack)
{
    return m_pAnimate && m_pAnimate->isActionTypeOf(type, searchWholeStack);
}

VornActionDesc* VornActor::getAction()
{
    return m_pAnimate ? m_pAnimate->getTopAction() : NULL;
}

VornActionDesc* VornActor::getNextAction(int type)
{
    return type >= 0 && type < kVAT_MAX ? m_nextActions[type] : NULL;
}

bool VornActor::canTakeDamage()
{
    ActionStackItem* item = m_pAnimate ? m_pAnimate->getTopItem() : NULL;
    VornActionDesc* top = item ? item->getActionDesc() : NULL;
    if (m_fHealth <= 0.0f || isDead() || !top)
    {
        return false;
    }
    if (top->getCanTakeDamage())
    {
        return true;
    }
    // A kick covers its fighter up to its blow only: covered after it too, kicking without pause
    // kept him out of reach of every blow.
    const float lastBlow = top->getLastBlowTime();
    return top->getPriority() == 0 && lastBlow >= 0.0f && item->getElapsed() > lastBlow * top->getDuration();
}

bool VornActor::willAttackHitActor(VornActionDesc* action, VornActor* target)
{
    return action && action->willAttackHitActor(this, target);
}

void VornActor::delayCurrentAction(float seconds)
{
    ActionStackItem* top = m_pAnimate ? m_pAnimate->getTopItem() : NULL;
    if (top)
    {
        top->setDelay(seconds);
    }
}

CCRect VornActor::getCollisionBounds()
{
    VornActionDesc* top = getAction();
    CCSize box = top ? top->getBounds() : CCSize(0.0f, 0.0f);
    float s = CCDirector::sharedDirector()->getContentScaleFactor();
    float w = box.width / s;
    float h = box.height / s;
    return CCRect((getContentSize().width - w) * 0.5f, 0.0f, w, h);
}

CCRect VornActor::getCollisionBoundsInParentSpace()
{
    VornActionDesc* top = getAction();
    CCSize box = top ? top->getBounds() : CCSize(0.0f, 0.0f);
    float s = CCDirector::sharedDirector()->getContentScaleFactor();
    CCRect pixels((getContentSize().width * s - box.width) * 0.5f, 0.0f, box.width, box.height);
    CCRect r = CCRectApplyAffineTransform(pixels, nodeToParentTransform());
    return CCRect(r.origin.x / s, r.origin.y / s, r.size.width / s, r.size.height / s);
}

CCRect VornActor::getCollisionBoundsInWorldSpace()
{
    return CCRectApplyAffineTransform(getCollisionBounds(), nodeToWorldTransform());
}

// Requests

void VornActor::queueAction(int type)
{
    tPendingAction entry = {type, 0.0f};
    m_pendingActions.push_back(entry);
}

bool VornActor::doAction(int type, bool queue)
{
    // A knocked-out fighter takes no move of its own: it lies still until it is revived.
    if (!isAlive() && !isReactionActionType(type))
    {
        return false;
    }
    if (!m_pendingActions.empty() && queue)
    {
        queueAction(type);
        return false;
    }
    int t = type;
    if (m_fHeight > FLT_EPSILON && !isFallingOrFloored() &&
        (type == kVAT_LightAttack || type == kVAT_HeavyAttack || type == kVAT_ForwardAttack))
    {
        t = kVAT_JumpAttack;
    }
    // Holding someone, every blow is a grab move, also one pressed while a knee or a throw plays
    // over the hold: it waits for the hold as the move it stands for. Let through as a plain kick,
    // it would land over the hold, and walks and holds would pile up beneath it until the stack
    // had no room left.
    if (isActionTypeOf(kVAT_Grab, true))
    {
        switch (type)
        {
        case kVAT_LightAttack: t = kVAT_GrabLightAttack; break;
        case kVAT_HeavyAttack: t = kVAT_GrabHeavyAttack; break;
        case kVAT_ForwardAttack: t = kVAT_GrabThrowForward; break;
        case kVAT_BackAttack: t = kVAT_GrabThrowBack; break;
        default: break;
        }
    }
    VornActionDesc* action = getNextAction(t);
    if (!action || !m_pAnimate)
    {
        if (queue)
        {
            queueAction(type);
        }
        return false;
    }
    bool ok = m_pAnimate->addActionToStack(action);
    if (t == kVAT_Jump)
    {
        float x = m_movement.x;
        if (fabsf(x) > FLT_EPSILON)
        {
            x = x > 0.0f ? kJumpSpeed : -kJumpSpeed;
        }
        m_jumpDirection = CCPoint(x, 0.0f);
    }
    if (ok)
    {
        if (type == kVAT_Stunned)
        {
            m_stunnedSignal.emit(this);
        }
        else if (type == kVAT_Grabbed)
        {
            m_grabbedSignal.emit(this);
        }
        else if (VornActionDesc::isAttackType(type))
        {
            m_pCurrentAttack = action;
            m_bCurrentAttackHit = false;
        }
    }
    else if (queue)
    {
        queueAction(type);
    }
    return ok;
}

void VornActor::doLightAttack()
{
    doAction(kVAT_LightAttack, true);
}

void VornActor::doHeavyAttack()
{
    doAction(kVAT_HeavyAttack, true);
}

void VornActor::doForwardAttack()
{
    doAction(kVAT_ForwardAttack, true);
}

void VornActor::doReverseAttack()
{
    doAction(kVAT_BackAttack, true);
}

void VornActor::doJump()
{
    if (!isAlive())
    {
        return;
    }
    if (!m_pendingActions.empty())
    {
        queueAction(kVAT_Jump);
        return;
    }
    VornActionDesc* action = getNextAction(kVAT_Jump);
    if (!action || !m_pAnimate)
    {
        queueAction(kVAT_Jump);
        return;
    }
    bool ok = m_pAnimate->addActionToStack(action);
    float x = m_movement.x;
    if (fabsf(x) > FLT_EPSILON)
    {
        x = x > 0.0f ? kJumpSpeed : -kJumpSpeed;
    }
    m_jumpDirection = CCPoint(x, 0.0f);
    if (!ok)
    {
        queueAction(kVAT_Jump);
    }
}

void VornActor::doGroundAttack()
{
    if (!isAlive())
    {
        return;
    }
    if (!m_pendingActions.empty())
    {
        queueAction(kVAT_GroundAttack);
        return;
    }
    VornActionDesc* action = getNextAction(kVAT_GroundAttack);
    if (action && m_pAnimate && m_pAnimate->addActionToStack(action))
    {
        m_pCurrentAttack = action;
        m_bCurrentAttackHit = false;
    }
    else
    {
        queueAction(kVAT_GroundAttack);
    }
}

bool VornActor::doActionByName(const char* name)
{
    if (!m_pDesc || !name || !m_pAnimate)
    {
        return false;
    }
    VornActionDesc* action = m_pDesc->getActionDesc(name);
    if (!action || (!isAlive() && !isReactionActionType(action->getType())))
    {
        return false;
    }
    return m_pAnimate->addActionToStack(action);
}

void VornActor::updatePendingActions(float dt)
{
    for (PendingActionList::iterator it = m_pendingActions.begin(); it != m_pendingActions.end();)
    {
        it->age += dt;
        if (it->age > kPendingActionLifetime)
        {
            it = m_pendingActions.erase(it);
        }
        else
        {
            ++it;
        }
    }
    if (!m_pendingActions.empty())
    {
        int type = m_pendingActions.front().type;
        if (doAction(type, false) && !m_pendingActions.empty())
        {
            m_pendingActions.pop_front();
        }
    }
}

void VornActor::showHealthChange(float change)
{
    const int shown = (int)lroundf(change);
    if (shown == 0 || !getParent())
    {
        return;
    }
    char text[16];
    snprintf(text, sizeof(text), "%+d", shown);
    // Over the head, on the actor's layer above every actor there.
    CCPoint head = getPosition() + CCPoint(0.0f, getContentSize().height * getScaleY());
    HealthChangeLabel::showFromPool(m_pHealthChangeLabels, getParent(), head, text, kHealthChangeLabelZ);
}

void VornActor::recycleHealthChangeLabels()
{
    CCArray* used = m_pHealthChangeLabels ? m_pHealthChangeLabels->getUsed() : NULL;
    while (used && used->count() > 0)
    {
        HealthChangeLabel* label = static_cast<HealthChangeLabel*>(used->lastObject());
        if (!label->isActive())
        {
            m_pHealthChangeLabels->returnObject(label);
            continue;
        }
        label->recycle();
    }
}

void VornActor::applyForce(CCPoint force)
{
    if (m_nFacingDir == kFacingDir_Right)
    {
        force.x = -force.x;
    }
    float mass = m_pDesc ? m_pDesc->getMass() : 1.0f;
    if (mass <= 0.0f)
    {
        mass = 1.0f;  // a massless actor would fly off at infinite speed
    }
    m_velocity = force * (1.0f / mass);
}

bool VornActor::doTakeDamage(float amount, CCPoint hitPoint, CCPoint direction, tVornAttackType attackType, bool force)
{
    CC_UNUSED_PARAM(hitPoint);
    if (!canTakeDamage() && !force)
    {
        return false;
    }
    if (m_fHealth <= 0.0f)
    {
        return false;
    }
    const float before = m_fHealth;
    setHealth(m_fHealth - amount);
    // What was lost: a killing blow takes what was left, not its whole strength.
    showHealthChange(std::max(m_fHealth, 0.0f) - before);
    bool killed = m_fHealth <= 0.0f;
    if (killed)
    {
        // Moves asked for before the blow are not made by a knocked-out fighter.
        m_pendingActions.clear();
        m_killedSignal.emit(this);
        stopActionSFX();
        SFXManager* sfx = sfxManager();
        if (m_pDesc && sfx && !m_pDesc->getDieSFX().empty())
        {
            sfx->playSFX(m_pDesc->getDieSFX().c_str());
        }
    }
    if (attackType == kVornAttackType_Thrown)
    {
        return true;
    }
    bool knockDown = killed || (attackType == kVornAttackType_KO && m_pDesc && m_pDesc->getCanFallOver());
    if (!knockDown)
    {
        bool reacted = false;
        if (isActionTypeOf(kVAT_Stunned, false))
        {
            if (attackType == kVornAttackType_Stun)
            {
                knockDown = true;
                reacted = true;
            }
        }
        else if (isActionTypeOf(kVAT_Grabbed, true))
        {
            VornActionDesc* impact = getNextAction(kVAT_GrabbedImpact);
            reacted = impact && m_pAnimate->addActionToStack(impact);
        }
        else if (m_pAnimate && m_pAnimate->isFloored())
        {
            VornActionDesc* floored = getNextAction(kVAT_FlooredTakeDamage);
            if (floored)
            {
                m_pAnimate->addActionToStack(floored);
            }
            reacted = true;
        }
        VornActionDesc* top = getAction();
        if (!reacted && m_pAnimate && !(top && top->getIsUnstoppable()))
        {
            if (!(attackType == kVornAttackType_Stun && doAction(kVAT_Stunned, false)))
            {
                VornActionDesc* hurt = getNextAction(kVAT_TakeDamage);
                if (hurt)
                {
                    m_pAnimate->addActionToStack(hurt);
                }
            }
        }
        if (!knockDown)
        {
            return true;
        }
    }

    VornActionDesc* fall = getNextAction(kVAT_FallBack);
    if (!fall)
    {
        return true;
    }
    setFacingDir(direction.x <= 0.0f ? kFacingDir_Right : kFacingDir_Left);
    if (isFallingOrFloored())
    {
        return true;
    }
    m_pAnimate->addActionToStack(fall);
    return true;
}

void VornActor::onHitAttack(VornActionDesc* action, VornActor* target, CCPoint point, float value)
{
    m_attackHitSignal.emit(action, target, point, value);
    m_bCurrentAttackHit = true;
}

void VornActor::onHitActor(VornActionDesc* action, VornActor* target, CCPoint point, float value)
{
    CC_UNUSED_PARAM(target);
    CC_UNUSED_PARAM(point);
    CC_UNUSED_PARAM(value);
    m_fComboTimer = kComboWindow;
    chooseComboActions(action);
}

void VornActor::chooseComboActions(VornActionDesc* action)
{
    static const int kComboTypes[] = {kVAT_LightAttack, kVAT_HeavyAttack, kVAT_ForwardAttack, kVAT_BackAttack};
    for (int type : kComboTypes)
    {
        const std::vector<VornActionDesc*>* follow = action ? &action->getNextDescs(type) : NULL;
        VornActionDesc* next = NULL;
        if (follow && !follow->empty())
        {
            next = (*follow)[(rand() & 0x7FFF) % follow->size()];
        }
        m_nextActions[type] = next ? next : randomActionOfType(type);
    }
}

void VornActor::resetAttackActions()
{
    static const int kComboTypes[] = {kVAT_LightAttack, kVAT_HeavyAttack, kVAT_ForwardAttack, kVAT_BackAttack};
    for (int type : kComboTypes)
    {
        m_nextActions[type] = randomActionOfType(type);
    }
}

void VornActor::onActionChanged(VornActionDesc* action)
{
    m_fShadowScaleFrom = m_pShadow ? m_pShadow->getScaleX() : 1.0f;
    if (!action || action->getSFX().empty())
    {
        return;
    }
    stopActionSFX();
    SFXManager* sfx = sfxManager();
    const char* file = action->getSFX().c_str();
    const std::string path = CCFileUtils::sharedFileUtils()->fullPathForContentName(file, "VornActor action sound");
    if (path.empty())
    {
        return;
    }
    if (sfx)
    {
        tSFXRecord* record = sfx->findSFX(file);
        if (record && record->loaded)
        {
            record->idleTime = 0.0f;
        }
        else
        {
            sfx->preloadSFX(file);
        }
    }
    m_uActionSFXId = SimpleAudioEngine::sharedEngine()->playEffect(path.c_str(), false);
}

void VornActor::onActionLooped(VornActionDesc* action)
{
    CC_UNUSED_PARAM(action);
    m_fShadowScaleFrom = m_pShadow ? m_pShadow->getScaleX() : 1.0f;
}

void VornActor::onActionCompleted(VornActionDesc* action)
{
    if (action && action->getType() == kVAT_Grabbed)
    {
        m_grabbedFinishedSignal.emit(this);
    }
}

void VornActor::stopActionSFX()
{
    if (m_uActionSFXId != 0)
    {
        SimpleAudioEngine::sharedEngine()->stopEffect(m_uActionSFXId);
        m_uActionSFXId = 0;
    }
}

// The per-frame step

void VornActor::tick(float dt)
{
    if (!m_pDesc || !m_pAnimate)
    {
        return;
    }
    // Reactions this frame (a script, the bot manager) may let go of this actor.
    retain();
    bool deadBefore = isDead();
    m_lastBasePosition = getBasePosition();
    m_pAnimate->update(dt);
    updateMovement(dt);
    updatePhysics(dt);
    updateShadow();
    if (m_fComboTimer > 0.0f)
    {
        m_fComboTimer -= dt;
        if (m_fComboTimer < 0.0f)
        {
            resetAttackActions();
        }
    }
    if (m_nFacingDir != m_nNextFacingDir)
    {
        updateFacing();
    }
    float regen = m_pDesc->getHealthRegen();
    if (!isFallingOrFloored() && !isGettingUp() && regen > 0.0f && m_bHealthRegenActive)
    {
        setHealth(std::min(m_fHealth + regen * dt, maxHealth()));
    }
    m_moveDelta = getBasePosition() - m_lastBasePosition;
    if (m_pHealthChangeLabels)
    {
        // Backwards: a label whose time is up leaves the used list as it ticks.
        CCArray* used = m_pHealthChangeLabels->getUsed();
        for (unsigned int i = used->count(); i-- > 0;)
        {
            if (i < used->count())
            {
                static_cast<HealthChangeLabel*>(used->objectAtIndex(i))->tick(dt);
            }
        }
    }
    if (!deadBefore && isDead())
    {
        m_diedSignal.emit(this);
    }
    updatePendingActions(dt);
    release();
}

void VornActor::updateMovement(float dt)
{
    float s = getSpeed();
    CCPoint v(0.0f, 0.0f);
    VornActionDesc* top = getAction();
    int type = top ? top->getType() : kVAT_Idle;
    switch (type)
    {
    case kVAT_Idle:
    case kVAT_Walk:
        v = m_movement;
        break;
    case kVAT_Jump:
    case kVAT_JumpAttack:
        v = m_fHeight > FLT_EPSILON ? m_jumpDirection : CCPoint(0.0f, 0.0f);
        break;
    case kVAT_RushAttack:
        v = CCPoint(m_nFacingDir == kFacingDir_Left ? -1.0f : 1.0f, 0.0f);
        break;
    default:
        break;
    }
    if (type != kVAT_Jump && type != kVAT_JumpAttack)
    {
        m_jumpDirection = CCPoint(0.0f, 0.0f);
    }
    setBasePosition(getBasePosition() + v * (s * dt));
}

void VornActor::updatePhysics(float dt)
{
    if (m_fHeight <= FLT_EPSILON && ccpLength(m_velocity) <= FLT_EPSILON)
    {
        return;
    }
    float mass = m_pDesc && m_pDesc->getMass() > 0.0f ? m_pDesc->getMass() : 1.0f;
    float gravity = m_pDesc ? m_pDesc->getGravity() : 0.0f;
    m_acceleration = CCPoint(0.0f, gravity * dt) * (1.0f / mass);
    m_velocity = m_velocity + m_acceleration;
    CCPoint d = m_velocity * dt;
    bool airborne = m_fHeight > FLT_EPSILON;
    setHeight(m_fHeight + d.y);
    const CCPoint& p = getPosition();
    setPosition(CCPoint(p.x + d.x, p.y));
    if (m_fHeight <= FLT_EPSILON)
    {
        if (isFallingOrFloored() && m_velocity.y < 0.0f)
        {
            m_velocity.x *= 0.25f;
            m_velocity.y = (float)(-(double)m_velocity.y * 0.3);
        }
        if (airborne)
        {
            m_landedSignal.emit();
        }
    }
}

void VornActor::updateShadow()
{
    if (!m_pShadow)
    {
        return;
    }
    const CCPoint& anchor = getAnchorPointInPoints();
    m_pShadow->setPosition(
        CCPoint(anchor.x, anchor.y - m_fHeight / CCDirector::sharedDirector()->getContentScaleFactor()));
    ActionStackItem* top = m_pAnimate ? m_pAnimate->getTopItem() : NULL;
    VornActionDesc* desc = top ? top->getActionDesc() : NULL;
    if (!desc)
    {
        return;
    }
    float t = 0.0f;
    if (top->getWindowLength() > 0.0f)
    {
        t = clampf((top->getElapsed() - top->getWindowStart()) / top->getWindowLength(), 0.0f, 1.0f);
    }
    m_pShadow->setScaleX(m_fShadowScaleFrom + (desc->getShadowScale() - m_fShadowScaleFrom) * t);
}

void VornActor::updateFacing()
{
    if (isActionTypeOf(kVAT_Idle, false) || isActionTypeOf(kVAT_Walk, false))
    {
        setFacingDir(m_nNextFacingDir);
    }
}

CCPoint VornActor::getMovementSpeed()
{
    if (isActionTypeOf(kVAT_RushAttack, false))
    {
        return CCPoint(m_nFacingDir == kFacingDir_Left ? -1.0f : 1.0f, 0.0f);
    }
    return m_movement;
}

NS_CC_END
