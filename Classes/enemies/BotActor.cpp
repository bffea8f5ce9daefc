#include "BotActor.h"

#include "BotManager.h"
#include "CCPointExtension.h"
#include "CollisionList.h"
#include "CollisionManager.h"
#include "GameManager.h"
#include "VornActionDesc.h"
#include "VornActorDesc.h"
#include "VornScriptEngine.h"

#include <cfloat>
#include <cstdlib>

NS_CC_BEGIN

const float BotActor::kReachedDistance = 0.1f;

namespace
{
const int kWanderTries = 10;
const float kWanderMargin = 0.05f;  // of the screen's width, kept clear on each side

float random01()
{
    return (float)(rand() & 0x7FFF) / 32767.0f;
}

bool isDownType(VornActionDesc* action)
{
    if (!action)
    {
        return false;
    }
    int type = action->getType();
    return type == kVAT_FallForward || type == kVAT_FallBack || type == kVAT_Floored || type == kVAT_FlooredTakeDamage;
}
} // namespace

BotActor::BotActor()
    : m_pTargetActor(NULL),
      m_fTimeTillNewTarget(0.0f),
      m_fTimeTillAttack(0.0f),
      m_fSpeedMod(1.0f),
      m_fDelta(0.0f),
      m_bIsAttacking(false),
      m_targetPosition(0.0f, 0.0f),
      m_bTargetPositionLocked(false),
      m_targetOffset(0.0f, 0.0f),
      m_pBotManager(NULL),
      m_nOnTakeDamageRef(VORNSCRIPTREF_NULL),
      m_nOnHitActorRef(VORNSCRIPTREF_NULL)
{
    m_nCollisionListId = kCollisionList_Enemy;
}

BotActor::~BotActor()
{
    releaseScriptRefs();
    CC_SAFE_RELEASE_NULL(m_pTargetActor);
}

bool BotActor::initWithBotManager(BotManager* manager, VornActorDesc* desc)
{
    if (!initWithDesc(desc))
    {
        return false;
    }
    m_pBotManager = manager;
    return true;
}

VornScriptEngine* BotActor::scriptEngine()
{
    return m_pDesc ? m_pDesc->getScriptEngine() : NULL;
}

void BotActor::callState(const char* name)
{
    VornScriptEngine* engine = scriptEngine();
    // A kind without a working enemy script would only log a missing function every frame.
    if (engine && !m_pDesc->getBotEngineFile().empty() && !m_pDesc->getBotEngineFailed())
    {
        engine->callStateFunction(name, this);
    }
}

void BotActor::releaseScriptRefs()
{
    VornScriptEngine* engine = scriptEngine();
    if (engine)
    {
        engine->releaseFunctionRef(m_nOnTakeDamageRef);
        engine->releaseFunctionRef(m_nOnHitActorRef);
    }
    m_nOnTakeDamageRef = VORNSCRIPTREF_NULL;
    m_nOnHitActorRef = VORNSCRIPTREF_NULL;
}

void BotActor::setDesc(VornActorDesc* desc)
{
    // The references belong to the engine that made them: the old descriptor's.
    releaseScriptRefs();
    VornActor::setDesc(desc);
    VornScriptEngine* engine = scriptEngine();
    if (engine)
    {
        m_nOnTakeDamageRef = engine->getFunctionRef("onTakeDamage");
        m_nOnHitActorRef = engine->getFunctionRef("onHitActor");
    }
}

void BotActor::setTargetActor(VornActor* actor)
{
    CC_SAFE_RETAIN(actor);
    CC_SAFE_RELEASE(m_pTargetActor);
    m_pTargetActor = actor;
}

void BotActor::setTargetPosition(CCPoint position)
{
    if (!m_bTargetPositionLocked)
    {
        m_targetPosition = position;
    }
}

void BotActor::setState(const std::string& state)
{
    // A copy: the caller's string may be this enemy's own state, which changes below.
    const std::string name = state;
    if (name == m_state || !m_pDesc)
    {
        return;
    }
    // A script may let go of the enemy while it runs.
    retain();
    callState("end_state");
    m_state = name;
    callState("begin_state");
    release();
}

void BotActor::reset()
{
    VornActor::reset();
    m_state.clear();
    m_bTargetPositionLocked = false;
    setState("Idle");
}

bool BotActor::doTakeDamage(float amount, CCPoint hitPoint, CCPoint direction, tVornAttackType attackType, bool force)
{
    retain();
    bool taken = VornActor::doTakeDamage(amount, hitPoint, direction, attackType, force);
    // A kill may already have handed the enemy back to its pool (no descriptor, no hooks).
    VornScriptEngine* engine = scriptEngine();
    if (engine)
    {
        engine->callFunctionRef(m_nOnTakeDamageRef, this, attackType == kVornAttackType_KO);
    }
    release();
    return taken;
}

void BotActor::onHitActor(VornActionDesc* action, VornActor* target, CCPoint point, float value)
{
    VornActor::onHitActor(action, target, point, value);
    VornScriptEngine* engine = scriptEngine();
    if (engine)
    {
        engine->callFunctionRef(m_nOnHitActorRef, this, target);
    }
}

void BotActor::onMissedAttack(VornActionDesc* action)
{
    CC_UNUSED_PARAM(action);
    setState("Seek");
}

CCPoint BotActor::getTargetActorPosition()
{
    return m_pTargetActor ? m_pTargetActor->getBasePosition() : CCPoint(0.0f, 0.0f);
}

float BotActor::getDistanceFromTargetActor()
{
    return ccpLength(getTargetActorPosition() - getBasePosition());
}

bool BotActor::hasReachedTarget()
{
    return ccpDistance(getBasePosition(), m_targetPosition) < kReachedDistance;
}

void BotActor::tick(float dt)
{
    if (!m_pDesc)
    {
        return;
    }
    // The script or the manager may hand the enemy back to the pool during the step.
    retain();
    VornActionDesc* top = getAction();
    // Down, getting up, or without a script to think with (its load failed): the enemy stands.
    if (isFallingOrFloored() || (top && top->getType() == kVAT_StandUp) || m_pDesc->getBotEngineFailed())
    {
        m_movement = CCPoint(0.0f, 0.0f);
        setTargetPosition(getBasePosition());
    }
    else
    {
        CCPoint m0 = m_movement;
        m_fDelta = dt;
        callState("tick");

        CCPoint d = m_targetPosition - getBasePosition();
        float length = ccpLength(d);
        if (length > 0.001f)
        {
            // Full speed from two points away, slower inside that.
            d = ccpNormalize(d) * clampf(length * 0.5f, 0.0f, 1.0f);
            if (d.y > FLT_EPSILON)
            {
                // Going up the screen (away) weighs the vertical part double, at full speed.
                d.y *= 2.0f;
                d = ccpNormalize(d);
            }
            float s = m_fSpeedMod;
            if ((m_moveDelta.x > 0.0f && getFacingDir() == kFacingDir_Left) ||
                (m_moveDelta.x < 0.0f && getFacingDir() == kFacingDir_Right))
            {
                s *= 0.5f;  // backing away is slower
            }
            m_movement = d * s;
        }
        else
        {
            m_movement = CCPoint(0.0f, 0.0f);
            setTargetPosition(getBasePosition());
        }
        m_movement = m0 * 0.9f + m_movement * 0.1f;
    }

    CCPoint diff = getBasePosition() - getTargetActorPosition();
    setNextFacingDir(diff.x > 0.0f ? kFacingDir_Left : kFacingDir_Right);

    VornActor::tick(dt);

    if (m_pDesc && m_fHealth > 0.0f && hasReachedTarget())
    {
        // Arrival holds even while the target is locked.
        m_targetPosition = getBasePosition();
        m_reachedTargetSignal.emit(this);
    }
    release();
}

CCPoint BotActor::generateWanderPosition()
{
    CCRect bounds = BotManager::getGameScreenBounds();
    float margin = bounds.size.width * kWanderMargin;
    float xLow = bounds.getMinX() + margin;
    float xRange = (bounds.getMaxX() - margin) - xLow;
    float yLow = bounds.getMinY();
    float yRange = bounds.getMaxY() - yLow;

    GameManager* game = GameManager::getInstance();
    CollisionManager* collisions = game ? game->getCollisionManager() : NULL;
    CollisionList* backdrop = collisions ? collisions->getCollisionList(kCollisionList_Backdrop) : NULL;
    CCPoint from = getBasePosition();
    bool targetDown = m_pTargetActor && isDownType(m_pTargetActor->getAction());
    CCPoint targetPos = getTargetActorPosition();
    CCPoint candidate = from;
    for (int tries = 1;; ++tries)
    {
        candidate = CCPoint(random01() * xRange + xLow, random01() * yRange + yLow);
        bool blocked = false;
        if (targetDown)
        {
            // Never past a fallen target: the line across the screen at its feet is a wall.
            blocked = ccpSegmentIntersect(from, candidate, CCPoint(targetPos.x, bounds.getMinY()),
                                          CCPoint(targetPos.x, bounds.getMaxY()));
        }
        if (!blocked && backdrop)
        {
            blocked = backdrop->intersectsLine(from, candidate);
        }
        if (tries >= kWanderTries)
        {
            // Out of tries: to the target; with none to fall back on, staying put walks through nothing.
            return m_pTargetActor ? targetPos : (blocked ? from : candidate);
        }
        if (!blocked)
        {
            return candidate;
        }
    }
}

NS_CC_END
