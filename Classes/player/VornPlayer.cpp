#include "VornPlayer.h"

#include "CollisionList.h"
#include "CollisionManager.h"
#include "RestartManager.h"
#include "VornActionDesc.h"
#include "VornActorDesc.h"
#include "VornCameraManager.h"
#include "VornGameManager.h"
#include "VornPlayerInputBase.h"
#include "VornRPGStats.h"

#include <algorithm>

NS_CC_BEGIN

const float VornPlayer::kScoreComboTime = 1.8f;

namespace
{
// What a heavy attack costs in health, as a share of the full health. Free for now.
const float kHeavyAttackHealthCost = 0.0f;
// Where between a kill's two experience values a knock-out pays.
const float kKillXPBlend = 0.0f;

const char* const kRestartKeys[] = {
    "playerDesc",  "playerPos", "playerInputConnected", "playerScore", "height", "playerAttacksAttempted",
    "playerAttacksHitSomething", "playerCheckpointHit",
};
} // namespace

VornPlayer::VornPlayer()
    : m_fScoreComboTimer(0.0f),
      m_fScoreComboTime(kScoreComboTime),
      m_nCombo(0),
      m_nComboPoints(0),
      m_nScore(0),
      m_nKOs(0),
      m_pInput(NULL),
      m_bInputConnected(false),
      m_nAttacksAttempted(0),
      m_nAttacksHitSomething(0),
      m_bKillRequested(false),
      m_nInputIndex(0),
      m_pSignalSource(NULL),
      m_bRestartValuesRegistered(false)
{
}

VornPlayer::~VornPlayer()
{
    if (m_bInputConnected)
    {
        disconnectInputSignals();
    }
    CC_SAFE_RELEASE_NULL(m_pInput);
    disconnectGameSignals();
    removeRestartValues();
}

bool VornPlayer::initWithInput(VornPlayerInputBase* input)
{
    setCollisionListId(kCollisionList_Player);
    if (!initWithDesc(NULL))
    {
        CCLog("VornPlayer::initWithInput - Unable to initialise base class");
        return false;
    }
    setInput(input);
    connectGameSignals();
    registerRestartValues();
    return true;
}

void VornPlayer::connectGameSignals()
{
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    if (game == NULL || m_pSignalSource != NULL)
    {
        return;
    }
    m_pSignalSource = game;
    game->getNewGameSignal().connect(this, &VornPlayer::resetScore);
    game->getLevelRequestedSignal().connect(this, &VornPlayer::resetScore);
    game->getLevelStartedSignal().connect(this, &VornPlayer::onLevelStarted);
}

void VornPlayer::disconnectGameSignals()
{
    // Only the game manager joined is still sure to be alive.
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    if (game != NULL && game == m_pSignalSource)
    {
        game->getNewGameSignal().disconnect(this, &VornPlayer::resetScore);
        game->getLevelRequestedSignal().disconnect(this, &VornPlayer::resetScore);
        game->getLevelStartedSignal().disconnect(this, &VornPlayer::onLevelStarted);
    }
    m_pSignalSource = NULL;
}

void VornPlayer::registerRestartValues()
{
    GameManager* game = GameManager::getInstance();
    RestartManager* restart = game ? game->getRestartManager() : NULL;
    if (restart == NULL || m_bRestartValuesRegistered)
    {
        return;
    }
    restart->addDelegate(RestartDelegate<std::string>::create("playerDesc", this, &VornPlayer::getPlayerDesc,
                                                                &VornPlayer::setPlayerDesc));
    restart->addDelegate(RestartDelegate<CCPoint>::create("playerPos", this, &VornPlayer::getBasePosition,
                                                            &VornPlayer::restoreBasePosition));
    restart->addDelegate(RestartDelegate<bool>::create("playerInputConnected", this, &VornPlayer::getInputConnected,
                                                         &VornPlayer::setInputConnected));
    restart->addDelegate(RestartDelegate<int>::create("playerScore", this, &VornPlayer::getScore, &VornPlayer::setScore));
    restart->addDelegate(RestartDelegate<float>::create("height", this, &VornPlayer::getHeight, &VornPlayer::setHeight));
    restart->addDelegate(RestartDelegate<int>::create("playerAttacksAttempted", this, &VornPlayer::getAttacksAttempted,
                                                        &VornPlayer::setAttacksAttempted));
    restart->addDelegate(RestartDelegate<int>::create("playerAttacksHitSomething", this,
                                                        &VornPlayer::getAttacksHitSomething,
                                                        &VornPlayer::setAttacksHitSomething));
    restart->addDelegate(RestartDelegate<bool>::create("playerCheckpointHit", this, &VornPlayer::saveCheckpointProgress,
                                                         &VornPlayer::ignoreCheckpointFlag));
    m_bRestartValuesRegistered = true;
}

void VornPlayer::removeRestartValues()
{
    GameManager* game = GameManager::getInstance();
    RestartManager* restart = game ? game->getRestartManager() : NULL;
    if (restart == NULL || !m_bRestartValuesRegistered)
    {
        return;
    }
    for (const char* key : kRestartKeys)
    {
        restart->removeDelegateWithKey(key);
    }
    m_bRestartValuesRegistered = false;
}

void VornPlayer::restoreBasePosition(const CCPoint& position)
{
    CCPoint p = position;
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    VornCameraManager* camera = game ? game->getCameraManager() : NULL;
    if (camera != NULL)
    {
        float bottom = camera->getGameScreenBounds().getMinY();
        CCPoint onEdge(p.x, bottom);
        CollisionManager* collisions = game->getCollisionManager();
        CollisionList* backdrop = collisions ? collisions->getCollisionList(kCollisionList_Backdrop) : NULL;
        // Scenery between the edge and the point, or a point under the screen: stand on the edge.
        if (backdrop != NULL && backdrop->intersectsLine(onEdge, p))
        {
            p = onEdge;
        }
        if (bottom > p.y)
        {
            p = onEdge;
        }
    }
    setBasePosition(p);
}

void VornPlayer::keepInView()
{
    // The walls stop his feet, so at a side of the view half his body stood past its edge; and a
    // zoom that moves the window's bottom edge up past a fighter standing there left him inside
    // the floor, cut off. He is kept whole inside the view instead.
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    VornCameraManager* camera = game ? game->getCameraManager() : NULL;
    if (camera == NULL || camera->getGameScreenBounds().size.height <= 0.0f || getParent() == NULL)
    {
        return;
    }
    const CCRect view = camera->getGameScreenBounds();
    const float halfBody = getCollisionBoundsInParentSpace().size.width * 0.5f;
    CCPoint base = getBasePosition();
    CCPoint kept = base;
    if (view.size.width > 2.0f * halfBody)
    {
        kept.x = std::max(view.getMinX() + halfBody, std::min(view.getMaxX() - halfBody, base.x));
    }
    kept.y = std::max(kept.y, view.getMinY() + VornCameraManager::kFloorInset);
    if (!kept.equals(base))
    {
        setBasePosition(kept);
    }
}

bool VornPlayer::saveCheckpointProgress()
{
    if (m_pDesc != NULL)
    {
        m_pDesc->saveRPGPoints();
    }
    return true;
}

void VornPlayer::setInput(VornPlayerInputBase* input)
{
    if (input == m_pInput)
    {
        return;
    }
    // The old input must not keep driving this player.
    if (m_bInputConnected)
    {
        disconnectInputSignals();
    }
    CC_SAFE_RETAIN(input);
    CC_SAFE_RELEASE(m_pInput);
    m_pInput = input;
}

void VornPlayer::setInputConnected(bool connected)
{
    if (connected)
    {
        connectInputSignals();
    }
    else
    {
        disconnectInputSignals();
    }
}

void VornPlayer::connectInputSignals()
{
    if (m_bInputConnected || m_pInput == NULL)
    {
        return;
    }
    m_pInput->connect(this);
    m_pInput->getMovementSignal().connect(this, &VornPlayer::setMovement);
    m_pInput->getPunchSignal().connect(this, &VornPlayer::doLightAttack);
    m_pInput->getPunchHoldSignal().connect(this, &VornPlayer::doHeavyAttack);
    m_pInput->getKickSignal().connect(this, &VornPlayer::doForwardAttack);
    m_pInput->getBackKickSignal().connect(this, &VornPlayer::doReverseAttack);
    m_pInput->getJumpSignal().connect(this, &VornPlayer::doJump);
    m_pInput->getStompSignal().connect(this, &VornPlayer::doGroundAttack);
    m_bInputConnected = true;
    m_inputConnectedSignal.emit(1);
}

void VornPlayer::disconnectInputSignals()
{
    if (!m_bInputConnected)
    {
        return;
    }
    setMovement(CCPoint(0.0f, 0.0f));
    if (m_pInput != NULL)
    {
        m_pInput->disconnect();
        m_pInput->getMovementSignal().disconnect(this, &VornPlayer::setMovement);
        m_pInput->getPunchSignal().disconnect(this, &VornPlayer::doLightAttack);
        m_pInput->getPunchHoldSignal().disconnect(this, &VornPlayer::doHeavyAttack);
        m_pInput->getKickSignal().disconnect(this, &VornPlayer::doForwardAttack);
        m_pInput->getBackKickSignal().disconnect(this, &VornPlayer::doReverseAttack);
        m_pInput->getJumpSignal().disconnect(this, &VornPlayer::doJump);
        m_pInput->getStompSignal().disconnect(this, &VornPlayer::doGroundAttack);
    }
    m_bInputConnected = false;
    m_inputConnectedSignal.emit(0);
}

void VornPlayer::resetScore()
{
    setScore(0);
}

void VornPlayer::onLevelStarted()
{
    m_nAttacksAttempted = 0;
    m_nAttacksHitSomething = 0;
}

float VornPlayer::getHitAccuracy()
{
    return m_nAttacksAttempted > 0 ? (float)m_nAttacksHitSomething / (float)m_nAttacksAttempted : 0.0f;
}

bool VornPlayer::isGrabbing()
{
    return isActionTypeOf(kVAT_Grab, true);
}

void VornPlayer::setScore(int score)
{
    if (score == m_nScore)
    {
        return;
    }
    m_nScore = score;
    m_scoreSignal.emit(this, score);
}

void VornPlayer::setComboPoints(int points)
{
    if (points == m_nComboPoints)
    {
        return;
    }
    m_nComboPoints = points;
    m_comboPointsSignal.emit(this, points);
}

void VornPlayer::setCombo(int combo)
{
    if (combo == m_nCombo)
    {
        return;
    }
    if (m_nCombo < 1)
    {
        setComboPoints(0);
    }
    m_nCombo = combo;
    m_comboSignal.emit(this, combo);
}

void VornPlayer::setPlayerDesc(const std::string& name)
{
    // A descriptor that failed to load is tried again rather than kept missing.
    if (name == m_sPlayerDesc && m_pDesc != NULL)
    {
        reset();
        return;
    }
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    // A save names the character: only one of the game's, whatever the file says.
    if (game && game->isRestoringFromSave() && !game->isGameCharacterFile(name))
    {
        game->refuseSavedName("playerDesc", name);
        return;
    }
    m_sPlayerDesc = name;
    setDesc(game ? game->actorDescWithFile(name.c_str()) : NULL);
}

float VornPlayer::fullHealth()
{
    return m_pDesc ? m_pDesc->getHealth(kCharacter_Player) : 0.0f;
}

void VornPlayer::doHeavyAttack()
{
    VornActionDesc* heavy = m_nextActions[kVAT_HeavyAttack];
    if (heavy && heavy->getType() == kVAT_HeavyAttack && m_fHealth <= fullHealth() * kHeavyAttackHealthCost)
    {
        return;
    }
    doAction(kVAT_HeavyAttack, true);
}

void VornPlayer::onActionChanged(VornActionDesc* action)
{
    VornActor::onActionChanged(action);
    if (action && action->getType() == kVAT_HeavyAttack)
    {
        setHealth(m_fHealth - fullHealth() * kHeavyAttackHealthCost);
    }
}

void VornPlayer::onActionCompleted(VornActionDesc* action)
{
    if (action && VornActionDesc::isAttackType(action->getType()))
    {
        ++m_nAttacksAttempted;
        if (m_bCurrentAttackHit)
        {
            ++m_nAttacksHitSomething;
        }
    }
    VornActor::onActionCompleted(action);
}

void VornPlayer::onHitActor(VornActionDesc* action, VornActor* target, CCPoint point, float value)
{
    m_fScoreComboTimer = m_fScoreComboTime;
    setCombo(std::max(m_nCombo, 0) + 1);
    const int points = (int)((float)m_nCombo * value);
    setScore(m_nScore + points);
    setComboPoints(m_nComboPoints + points);
    if (target != NULL && target->getHealth() <= 0.0f)
    {
        VornActorDesc* targetDesc = target->getDesc();
        VornRPGStats* stats = targetDesc ? targetDesc->getEnemyStats() : NULL;
        if (stats != NULL && m_pDesc != NULL)
        {
            const float k0 = stats->getXPKillPoints(0);
            const float k1 = stats->getXPKillPoints(1);
            m_pDesc->increaseXPPoints((int)(k0 + (k1 - k0) * kKillXPBlend));
        }
        ++m_nKOs;
    }
    VornActor::onHitActor(action, target, point, value);
}

bool VornPlayer::takeDamage(float amount, CCPoint hitPoint, CCPoint direction, tVornAttackType attackType)
{
    return doTakeDamage(amount, hitPoint, direction, attackType, false);
}

bool VornPlayer::doTakeDamage(float amount, CCPoint hitPoint, CCPoint direction, tVornAttackType attackType, bool force)
{
    const bool applied = VornActor::doTakeDamage(amount, hitPoint, direction, attackType, force);
    if (applied && isFalling())
    {
        setCombo(-1);
        m_fScoreComboTimer = m_fScoreComboTime;
    }
    return applied;
}

void VornPlayer::tick(float dt)
{
    if (m_movement.x < 0.0f)
    {
        setNextFacingDir(kFacingDir_Left);
    }
    else if (m_movement.x > 0.0f)
    {
        setNextFacingDir(kFacingDir_Right);
    }
    // The step may let go of the last other reference (a level reload).
    retain();
    VornActor::tick(dt);
    keepInView();
    m_fScoreComboTimer -= dt;
    if (m_fScoreComboTimer <= 0.0f)
    {
        setCombo(0);
    }
    if (m_bKillRequested)
    {
        // A player who cannot be hurt right now (mid-fall, say) is killed as soon as it can be.
        if (takeDamage(m_fHealth + 1.0f, CCPoint(0.0f, 0.0f), CCPoint(0.0f, 0.0f), kVornAttackType_Normal) ||
            !isAlive() || m_pDesc == NULL)
        {
            m_bKillRequested = false;
        }
    }
    release();
}

void VornPlayer::reset()
{
    VornActor::reset();
    setCombo(0);
    setComboPoints(0);
    m_nKOs = 0;
}

NS_CC_END
