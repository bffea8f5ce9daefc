#include "FightHealthScreen.h"

#include "CCAnimatingSprite.h"
#include "CCPointExtension.h"
#include "PlayerHealthScreen.h"
#include "VornActor.h"
#include "VornActorDesc.h"

NS_CC_BEGIN

FightHealthScreen::FightHealthScreen()
{
    for (int i = 0; i < kSide_MAX; ++i)
    {
        m_pPanels[i] = NULL;
        m_pSubjects[i] = NULL;
        m_pBars[i] = NULL;
        m_pPortraits[i] = NULL;
        m_pDeadMarkers[i] = NULL;
    }
}

FightHealthScreen::~FightHealthScreen()
{
    for (int i = 0; i < kSide_MAX; ++i)
    {
        listen(i, false);
        CC_SAFE_RELEASE(m_pPanels[i]);
        CC_SAFE_RELEASE(m_pSubjects[i]);
        CC_SAFE_RELEASE(m_pBars[i]);
        CC_SAFE_RELEASE(m_pPortraits[i]);
        CC_SAFE_RELEASE(m_pDeadMarkers[i]);
    }
}

bool FightHealthScreen::init()
{
    if (!initWithCCBFile("fight-health"))
    {
        return false;
    }
    for (int i = 0; i < kSide_MAX; ++i)
    {
        CCNode* panel = m_pRootNode->getChildByTag(i);
        if (!panel)
        {
            CCLog("FightHealthScreen::init - the layout has no panel %d", i);
            return false;
        }
        m_pPanels[i] = panel;
        panel->retain();
        m_pPortraits[i] = dynamic_cast<CCAnimatingSprite*>(panel->getChildByTag(1));
        CC_SAFE_RETAIN(m_pPortraits[i]);
        m_pDeadMarkers[i] = panel->getChildByTag(2);
        CC_SAFE_RETAIN(m_pDeadMarkers[i]);
        CCNode* end = panel;
        while (CCNode* next = end->getChildByTag(0))
        {
            end = next;
        }
        m_pBars[i] = end->getChildByTag(1);
        if (!m_pBars[i])
        {
            CCLog("FightHealthScreen::init - panel %d has no bar", i);
            return false;
        }
        m_pBars[i]->retain();
    }
    setSlideDuration(0.25f);
    setVisible(false);
    return true;
}

void FightHealthScreen::setSide(int side, CCObject* subject, const char* character, float fraction)
{
    if (!validSide(side))
    {
        return;
    }
    CC_SAFE_RETAIN(subject);
    listen(side, false);
    CC_SAFE_RELEASE_NULL(m_pSubjects[side]);
    if (!subject)
    {
        return;
    }
    m_pSubjects[side] = subject;
    onSideHealthChanged(side, fraction);
    if (m_pPortraits[side])
    {
        m_pPortraits[side]->setWildcard(character ? character : "");
    }
}

void FightHealthScreen::listen(int side, bool follow)
{
    VornActor* actor = validSide(side) ? dynamic_cast<VornActor*>(m_pSubjects[side]) : NULL;
    if (actor == NULL)
    {
        return;
    }
    Signal<float>& health = actor->getHealthChangedSignal();
    if (side == kSide_First)
    {
        follow ? health.connect(this, &FightHealthScreen::onFirstHealthChanged)
               : health.disconnect(this, &FightHealthScreen::onFirstHealthChanged);
    }
    else
    {
        follow ? health.connect(this, &FightHealthScreen::onSecondHealthChanged)
               : health.disconnect(this, &FightHealthScreen::onSecondHealthChanged);
    }
}

void FightHealthScreen::setActor(int side, VornActor* actor)
{
    VornActorDesc* desc = actor ? actor->getDesc() : NULL;
    const std::string name = desc ? desc->getName() : std::string();
    setSide(side, actor, name.c_str(), actor ? actor->getHealthValue() : 0.0f);
    listen(side, true);
}

CCObject* FightHealthScreen::getSubject(int side)
{
    return validSide(side) ? m_pSubjects[side] : NULL;
}

void FightHealthScreen::onSideHealthChanged(int side, float fraction)
{
    if (!validSide(side) || !m_pBars[side])
    {
        return;
    }
    float f = clampf(fraction, 0.0f, 1.0f);
    m_pBars[side]->setScaleX(f);
    if (m_pDeadMarkers[side])
    {
        m_pDeadMarkers[side]->setVisible(f <= PlayerHealthScreen::kDeadFraction);
    }
}

void FightHealthScreen::onClosed()
{
    for (int i = 0; i < kSide_MAX; ++i)
    {
        setSide(i, NULL, NULL, 0.0f);
    }
    VornScreen::onClosed();
}

CCNode* FightHealthScreen::getPanel(int side)
{
    return validSide(side) ? m_pPanels[side] : NULL;
}

CCNode* FightHealthScreen::getBar(int side)
{
    return validSide(side) ? m_pBars[side] : NULL;
}

CCAnimatingSprite* FightHealthScreen::getPortrait(int side)
{
    return validSide(side) ? m_pPortraits[side] : NULL;
}

CCNode* FightHealthScreen::getDeadMarker(int side)
{
    return validSide(side) ? m_pDeadMarkers[side] : NULL;
}

NS_CC_END
