#include "PlayerHealthScreen.h"

#include "CCAnimatingSprite.h"
#include "CCLabelBMFont.h"
#include "CCPointExtension.h"
#include "TextHelpers.h"
#include "VornActor.h"
#include "VornActorDesc.h"
#include "VornPlayer.h"

NS_CC_BEGIN

const float PlayerHealthScreen::kDeadFraction = 1.1920929e-7f;

PlayerHealthScreen::PlayerHealthScreen()
    : m_pSubject(NULL), m_pThumbSprite(NULL), m_pDeadSprite(NULL), m_pHealthBar1(NULL), m_pHealthBar2(NULL),
      m_pHealthBarStart(NULL), m_pHealthBarEnd(NULL), m_pPlayerScore(NULL), m_bClosePending(false)
{
}

PlayerHealthScreen::~PlayerHealthScreen()
{
    unfollow();
    CC_SAFE_RELEASE(m_pSubject);
}

bool PlayerHealthScreen::initWithName(const char* name)
{
    registerMemberVariable("thumbSprite", &m_pThumbSprite);
    registerMemberVariable("deadSprite", &m_pDeadSprite);
    registerMemberVariable("healthBar1", &m_pHealthBar1);
    registerMemberVariable("healthBar2", &m_pHealthBar2);
    registerMemberVariable("healthBarStart", &m_pHealthBarStart);
    registerMemberVariable("healthBarEnd", &m_pHealthBarEnd);
    registerMemberVariable("playerScore", &m_pPlayerScore);
    if (!initWithCCBFile(name))
    {
        return false;
    }
    setVisible(false);
    return true;
}

float PlayerHealthScreen::barScaleForMaxHealth(float maxHealth)
{
    return clampf(maxHealth / 500.0f, 0.0f, 1.0f) * 8.9f + 0.1f;
}

void PlayerHealthScreen::setSubject(CCObject* subject, const char* character, float maxHealth, float fraction)
{
    CC_SAFE_RETAIN(subject);
    unfollow();
    CC_SAFE_RELEASE_NULL(m_pSubject);
    if (!subject)
    {
        return;
    }
    m_pSubject = subject;
    if (m_pThumbSprite)
    {
        m_pThumbSprite->setWildcardIsPrefix(true);
        m_pThumbSprite->setWildcard(character ? character : "");
    }
    if (m_pHealthBar1)
    {
        m_pHealthBar1->setScaleX(barScaleForMaxHealth(maxHealth));
        CCRect box = m_pHealthBar1->boundingBox();
        if (m_pHealthBarStart)
        {
            m_pHealthBarStart->setPositionX(box.getMinX());
        }
        if (m_pHealthBarEnd)
        {
            m_pHealthBarEnd->setPositionX(box.getMaxX());
        }
    }
    onHealthChanged(fraction);
}

VornActor* PlayerHealthScreen::getActor()
{
    return dynamic_cast<VornActor*>(m_pSubject);
}

void PlayerHealthScreen::unfollow()
{
    VornActor* actor = getActor();
    if (actor == NULL)
    {
        return;
    }
    actor->getHealthChangedSignal().disconnect(this, &PlayerHealthScreen::onHealthChanged);
    if (VornPlayer* player = dynamic_cast<VornPlayer*>(actor))
    {
        player->getScoreSignal().disconnect(this, &PlayerHealthScreen::onPlayerScoreChanged);
    }
}

void PlayerHealthScreen::setActor(VornActor* actor)
{
    if (actor == NULL)
    {
        setSubject(NULL, NULL, 0.0f, 0.0f);
        return;
    }
    VornActorDesc* desc = actor->getDesc();
    const std::string name = desc ? desc->getName() : std::string();
    const float maxHealth = desc ? desc->getHealth(actor->getCharacterType()) : 0.0f;
    setSubject(actor, name.c_str(), maxHealth, actor->getHealthValue());
    actor->getHealthChangedSignal().connect(this, &PlayerHealthScreen::onHealthChanged);
    if (m_pPlayerScore)
    {
        if (VornPlayer* player = dynamic_cast<VornPlayer*>(actor))
        {
            player->getScoreSignal().connect(this, &PlayerHealthScreen::onPlayerScoreChanged);
            onScoreChanged(player->getScore());
        }
    }
}

void PlayerHealthScreen::onPlayerScoreChanged(VornPlayer* player, int score)
{
    if (player != NULL && player == m_pSubject)
    {
        onScoreChanged(score);
    }
}

void PlayerHealthScreen::onHealthChanged(float fraction)
{
    float f = clampf(fraction, 0.0f, 1.0f);
    if (m_pSubject && fraction <= 0.0f)
    {
        if (m_bOpening)
        {
            m_bClosePending = true;
        }
        else
        {
            close();
        }
    }
    if (m_pDeadSprite)
    {
        m_pDeadSprite->setVisible(f <= kDeadFraction);
    }
    if (m_pHealthBar2)
    {
        m_pHealthBar2->setScaleX(1.0f - f);
    }
}

void PlayerHealthScreen::onScoreChanged(int score)
{
    if (m_pPlayerScore)
    {
        m_pPlayerScore->setString(formatNumberWithCommas(score).c_str());
    }
}

void PlayerHealthScreen::onOpened()
{
    VornScreen::onOpened();
    if (m_bClosePending)
    {
        m_bClosePending = false;
        close();
    }
}

void PlayerHealthScreen::onClosed()
{
    setSubject(NULL, NULL, 0.0f, 0.0f);
    VornScreen::onClosed();
}

NS_CC_END
