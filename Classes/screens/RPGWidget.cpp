#include "RPGWidget.h"

#include "CCActionInstant.h"
#include "CCActionInterval.h"
#include "CCLabelBMFont.h"
#include "CCLayer.h"
#include "CCSprite.h"
#include "LevelUpScreen.h"
#include "VornActorDesc.h"
#include "VornGameManager.h"
#include "VornScreen.h"

#include <algorithm>
#include <cstdio>

NS_CC_BEGIN

namespace
{
const ccColor3B kPipEarned = { 215, 237, 0 };
const ccColor3B kPipOpen = { 68, 75, 1 };
const ccColor3B kBarFilling = { 215, 237, 50 };
const ccColor3B kBarMaximum = { 223, 51, 39 };

/** Part of a level's cost; a level that costs nothing is full as soon as there is any experience. */
float fillOf(int points, int cost)
{
    if (cost <= 0)
    {
        return points > 0 ? 1.0f : 0.0f;
    }
    return std::min(1.0f, std::max(0.0f, (float)points / (float)cost));
}
} // namespace

const float RPGWidget::kFillDuration = 1.5f;

RPGWidget::RPGWidget()
    : m_pXPLabel(NULL), m_pXPBarBackLayerColor(NULL), m_pXPBarLayerColor(NULL), m_pMaxLevelLabel(NULL), m_nXPPool(0),
      m_nDisplayedLevel(0), m_pCallbackTarget(NULL), m_pCallback(NULL), m_pDesc(NULL), m_bPlayingExperience(false)
{
    for (int stat = 0; stat < kRPG_MAX; ++stat)
    {
        for (int i = 0; i < MAX_NUM_RPG_LEVELS; ++i)
        {
            m_pPips[stat][i] = NULL;
        }
    }
}

RPGWidget::~RPGWidget()
{
    CC_SAFE_RELEASE(m_pCallbackTarget);
}

RPGWidget* RPGWidget::create(VornScreen* owner)
{
    RPGWidget* widget = new RPGWidget();
    widget->autorelease();
    if (owner)
    {
        widget->bindMembers(owner);
    }
    return widget;
}

void RPGWidget::bindMembers(VornScreen* owner)
{
    static const char* const kRows[kRPG_MAX] = { "health", "power", "speed", "special" };
    char name[32];
    for (int i = 0; i < MAX_NUM_RPG_LEVELS; ++i)
    {
        for (int stat = 0; stat < kRPG_MAX; ++stat)
        {
            snprintf(name, sizeof(name), "%s%d", kRows[stat], i + 1);
            owner->registerMemberVariable(name, &m_pPips[stat][i]);
        }
    }
    owner->registerMemberVariable("xpLabel", &m_pXPLabel);
    owner->registerMemberVariable("xpBarBackLayerColor", &m_pXPBarBackLayerColor);
    owner->registerMemberVariable("xpBarLayerColor", &m_pXPBarLayerColor);
    owner->registerMemberVariable("maxLevelLabel", &m_pMaxLevelLabel);
}

void RPGWidget::setCallbackTarget(CCObject* target)
{
    CC_SAFE_RETAIN(target);
    CC_SAFE_RELEASE(m_pCallbackTarget);
    m_pCallbackTarget = target;
}

CCSprite* RPGWidget::getPip(int stat, int index)
{
    if (stat < 0 || stat >= kRPG_MAX || index < 0 || index >= MAX_NUM_RPG_LEVELS)
    {
        return NULL;
    }
    return m_pPips[stat][index];
}

int RPGWidget::costOfLevel(int level)
{
    return m_pDesc ? m_pDesc->getMaxXPPoints(level) : 0;
}

bool RPGWidget::isAtMaximum()
{
    return m_pDesc && m_nDisplayedLevel == m_pDesc->getMaxXPLevel();
}

void RPGWidget::setRPGStats(VornActorDesc* desc)
{
    m_pDesc = desc;
    if (!desc)
    {
        return;
    }
    m_nDisplayedLevel = desc->getXPLevel();
    refresh();
}

void RPGWidget::showPips()
{
    if (!m_pDesc)
    {
        return;
    }
    for (int i = 0; i < MAX_NUM_RPG_LEVELS; ++i)
    {
        for (int stat = 0; stat < kRPG_MAX; ++stat)
        {
            CCSprite* pip = m_pPips[stat][i];
            if (!pip)
            {
                continue;
            }
            if (i <= m_pDesc->getNumRPGPoints(stat))
            {
                pip->setVisible(true);
                pip->setColor(kPipEarned);
            }
            else if (i <= m_pDesc->getMaxRPGPoints(stat))
            {
                pip->setVisible(true);
                pip->setColor(kPipOpen);
            }
            else
            {
                pip->setVisible(false);
            }
        }
    }
}

void RPGWidget::refresh()
{
    // Points spent on the level-up screen show on the screen beneath as soon as it is back.
    showPips();
    bool atMaximum = isAtMaximum();
    if (m_pXPLabel && m_pDesc)
    {
        char text[16];
        snprintf(text, sizeof(text), "%d", m_nDisplayedLevel + 1);
        m_pXPLabel->setString(text);
    }
    if (m_pXPBarLayerColor && m_pXPBarBackLayerColor)
    {
        m_pXPBarLayerColor->setContentSize(m_pXPBarBackLayerColor->getContentSize());
        float fill = 1.0f;
        if (atMaximum)
        {
            m_pXPBarLayerColor->setColor(kBarMaximum);
        }
        else
        {
            fill = m_pDesc ? fillOf(m_pDesc->getXPPoints(), costOfLevel(m_pDesc->getXPLevel())) : 0.0f;
            m_pXPBarLayerColor->setColor(kBarFilling);
        }
        m_pXPBarLayerColor->setScaleX(fill);
    }
    if (m_pMaxLevelLabel)
    {
        m_pMaxLevelLabel->setVisible(atMaximum);
    }
}

void RPGWidget::playExperienceOf(VornActorDesc* desc, CCObject* target, SEL_CallFunc callback)
{
    setDesc(desc);
    setXPPool(desc ? desc->getXPPoints() + desc->getXPPointsSinceUpgrade() : 0);
    setCallbackTarget(target);
    setCallback(callback);
    m_bPlayingExperience = true;
    playLevelUpAnimation();
}

bool RPGWidget::finishThen(SEL_CallFunc next)
{
    if (!m_bPlayingExperience)
    {
        return false;
    }
    m_pCallback = next;
    CCNode* bar = m_pXPBarLayerColor;
    if (!bar || bar->numberOfRunningActions() == 0)
    {
        // The bar has stopped: the level-up screen is open and calls back when it closes.
        return true;
    }
    bar->stopAllActions();
    bar->setVisible(true);  // a blink cut short
    // The levels the pool still pays for, at once.
    while (m_pDesc && !isAtMaximum() && costOfLevel(m_nDisplayedLevel) <= m_nXPPool)
    {
        m_nXPPool -= costOfLevel(m_nDisplayedLevel);
        ++m_nDisplayedLevel;
    }
    refresh();
    finishLevelUpAnimation();
    return true;
}

void RPGWidget::stop()
{
    if (m_pXPBarLayerColor)
    {
        m_pXPBarLayerColor->stopAllActions();
    }
    m_bPlayingExperience = false;
}

void RPGWidget::playLevelUpAnimation()
{
    CCNode* bar = m_pXPBarLayerColor;
    if (!bar || !m_pDesc)
    {
        // Nothing to animate: settle the experience all the same so no one waits.
        finishLevelUpAnimation();
        return;
    }
    bar->stopAllActions();
    if (isAtMaximum())
    {
        bar->setScaleX(1.0f);
        bar->runAction(CCSequence::create(CCBlink::create(1.0f, 10),
                                          CCCallFunc::create(this, callfunc_selector(RPGWidget::finishLevelUpAnimation)),
                                          NULL));
        return;
    }
    int cost = costOfLevel(m_nDisplayedLevel);
    float current = bar->getScaleX();
    // A pool that reaches the cost fills the bar and makes the level, as the descriptor counts it.
    if (cost <= m_nXPPool)
    {
        float duration = std::max(0.0f, (1.0f - current) * kFillDuration);
        bar->runAction(CCSequence::create(CCScaleTo::create(duration, 1.0f, 1.0f),
                                          CCCallFunc::create(this, callfunc_selector(RPGWidget::levelUpStep)), NULL));
        return;
    }
    float target = fillOf(m_nXPPool, cost);
    float duration = std::max(0.01f, (target - current) * kFillDuration);
    bar->runAction(CCSequence::create(CCScaleTo::create(duration, target, 1.0f),
                                      CCCallFunc::create(this, callfunc_selector(RPGWidget::finishLevelUpAnimation)),
                                      NULL));
}

void RPGWidget::levelUpStep()
{
    m_nXPPool -= costOfLevel(m_nDisplayedLevel);
    int maximum = m_pDesc ? m_pDesc->getMaxXPLevel() : m_nDisplayedLevel;
    m_nDisplayedLevel = std::min(m_nDisplayedLevel + 1, maximum);
    refresh();
    if (m_pXPBarLayerColor)
    {
        m_pXPBarLayerColor->setScaleX(0.0f);
    }
    playLevelUpAnimation();
}

void RPGWidget::finishLevelUpAnimation()
{
    if (m_pDesc)
    {
        m_pDesc->updateRunningXPPointsTotal();
        if (m_pDesc->getNumXPLevelsSinceUpgrade() >= 1 && showLevelUpScreen())
        {
            return;
        }
    }
    callBack();
}

void RPGWidget::onLevelUpScreenClosed()
{
    refresh();
    callBack();
}

bool RPGWidget::showLevelUpScreen()
{
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    LevelUpScreen* screen = game ? dynamic_cast<LevelUpScreen*>(game->getLevelUpScreen()) : NULL;
    if (!screen)
    {
        return false;
    }
    // The screen calls onLevelUpScreenClosed when the levels are spent.
    screen->show(this, NULL, m_pDesc);
    return true;
}

void RPGWidget::callBack()
{
    m_bPlayingExperience = false;
    if (m_pCallbackTarget && m_pCallback)
    {
        // The owner may drop this widget from inside its callback.
        retain();
        (m_pCallbackTarget->*m_pCallback)();
        release();
    }
}

NS_CC_END
