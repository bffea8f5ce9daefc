#include "VornEventDesc_Attack.h"

#include "CCDirector.h"
#include "SFXManager.h"
#include "VornActionDesc.h"
#include "VornActor.h"
#include "VornActorDesc.h"
#include "VornAnimate.h"
#include "VornDictionary.h"
#include "VornGameManager.h"

#include <algorithm>
#include <cmath>

NS_CC_BEGIN

const float VornEventDesc_Attack::kDepthBand = 5.0f;

VornEventDesc_Attack::VornEventDesc_Attack()
    : m_bounds(0.0f, 0.0f, 0.0f, 0.0f), m_nAttackType(kVornAttackType_Normal), m_fDamageMod(1.0f), m_bHitsOwnSide(true)
{
    m_nType = kVET_Attack;
}

bool VornEventDesc_Attack::initWithDictionary(CCDictionary* dict, std::string name, std::string ownerFile)
{
    if (!VornEventDesc_Delay::initWithDictionary(dict, name, ownerFile))
    {
        return false;
    }
    std::string bounds;
    if (!VornDictionary::getString(dict, "Bounds", &bounds))
    {
        return false;
    }
    std::string type;
    if (VornDictionary::getString(dict, "AttackType", &type))
    {
        if (type == "Normal")
        {
            m_nAttackType = kVornAttackType_Normal;
        }
        else if (type == "KO")
        {
            m_nAttackType = kVornAttackType_KO;
        }
        else if (type == "Stun")
        {
            m_nAttackType = kVornAttackType_Stun;
        }
    }
    VornDictionary::getFloat(dict, "DamageMod", &m_fDamageMod);
    bool ko = false;
    if (VornDictionary::getBool(dict, "KO", &ko) && ko)
    {
        m_nAttackType = kVornAttackType_KO;
    }
    parseRect(bounds, &m_bounds);
    return true;
}

CCRect VornEventDesc_Attack::getBounds()
{
    float s = CCDirector::sharedDirector()->getContentScaleFactor();
    return CCRect(m_bounds.origin.x / s, m_bounds.origin.y / s, m_bounds.size.width / s, m_bounds.size.height / s);
}

void VornEventDesc_Attack::fire(VornActionDesc* action, VornActor* attacker)
{
    if (!action || !attacker)
    {
        return;
    }
    CCRect area = rectInWorld(getBounds(), attacker);
    debugRect(area, 2.0f);

    int own = attacker->getCollisionListId();
    std::vector<VornActor*> candidates;
    if (m_bHitsOwnSide)
    {
        collectActors(own, &candidates);
    }
    collectActors(opposingListId(own), &candidates);

    // The attacker stays alive through its own reactions (a script may take it out of play).
    attacker->retain();
    bool hitAnything = false;
    for (size_t i = 0; i < candidates.size(); ++i)
    {
        VornActor* target = candidates[i];
        VornActionDesc* targetAction = target->getAction();
        if (target == attacker || target->getHealth() <= 0.0f || !targetAction || !target->canTakeDamage() ||
            fabsf(target->getBasePosition().y - attacker->getBasePosition().y) > kDepthBand ||
            (targetAction->getType() == kVAT_Floored && action->getType() != kVAT_GroundAttack))
        {
            continue;
        }
        CCRect body = target->getCollisionBoundsInWorldSpace();
        debugRect(body, 0.1f);
        if (!body.intersectsRect(area))
        {
            continue;
        }
        debugRect(body, 1.0f);
        hitAnything = true;

        float left = std::max(body.getMinX(), area.getMinX());
        float bottom = std::max(body.getMinY(), area.getMinY());
        float right = std::min(body.getMaxX(), area.getMaxX());
        float top = std::min(body.getMaxY(), area.getMaxY());
        CCRect overlap(left, bottom, right - left, top - bottom);
        debugRect(overlap, 1.0f);
        CCPoint hitPoint(overlap.getMidX(), overlap.getMidY());
        CCPoint direction = target->getBasePosition() - attacker->getBasePosition();

        VornActorDesc* owner = action->getOwner();
        float amount = m_fDamageMod * (owner ? owner->getPower(attacker->getCharacterType(), action->getType()) : 0.0f);
        if (target->doTakeDamage(amount, hitPoint, direction, m_nAttackType, false))
        {
            attacker->onHitAttack(action, target, hitPoint, amount);
            showImpact(overlap, true, direction, (int)amount, true);
        }
    }

    if (hitAnything)
    {
        VornActorDesc* desc = attacker->getDesc();
        VornGameManager* game = VornGameManager::getSharedVornGameManager();
        SFXManager* sfx = game ? game->getSFXManager() : NULL;
        if (desc && sfx && !desc->getDefaultAttackHitSFX().empty())
        {
            sfx->playSFX(desc->getDefaultAttackHitSFX().c_str());
        }
        VornEventDesc_Delay::fire(action, attacker);
    }
    else
    {
        attacker->onMissedAttack(action);
    }
    attacker->release();
    releaseActors(&candidates);
}

bool VornEventDesc_Attack::willHitActor(VornActor* attacker, VornActor* target)
{
    if (!attacker || !target || target == attacker || !target->getAnimate() ||
        target->getAnimate()->isFallingOrFloored() || target->isActionTypeOf(kVAT_StandUp, false) ||
        !target->canTakeDamage() || fabsf(target->getBasePosition().y - attacker->getBasePosition().y) > kDepthBand)
    {
        return false;
    }
    return rectInWorld(getBounds(), attacker).intersectsRect(target->getCollisionBoundsInWorldSpace());
}

NS_CC_END
