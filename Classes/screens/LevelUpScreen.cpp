#include "LevelUpScreen.h"

#include "CCLabelBMFont.h"
#include "CCMenuGamepadInputDispatcher.h"
#include "CCMenuItem.h"
#include "CCParticleSystem.h"
#include "CCSprite.h"
#include "RPGWidget.h"
#include "VornActorDesc.h"

#include <cstdio>

NS_CC_BEGIN

namespace
{
void showNumber(CCLabelBMFont* label, int value)
{
    if (label)
    {
        char text[16];
        snprintf(text, sizeof(text), "%d", value);
        label->setString(text);
    }
}
} // namespace

LevelUpScreen::LevelUpScreen()
    : m_pNumPointsLabel(NULL), m_pNewXPLabel(NULL), m_pContinueLabel(NULL), m_pContinueMenuItem(NULL),
      m_pPointsParticles(NULL), m_pCharacterSprite(NULL), m_pRPGWidget(NULL), m_pDesc(NULL), m_pOwner(NULL)
{
    for (int i = 0; i < kRPG_MAX; ++i)
    {
        m_pStatMenuItems[i] = NULL;
        m_pStatRootItems[i] = NULL;
    }
}

LevelUpScreen::~LevelUpScreen()
{
    CC_SAFE_RELEASE(m_pRPGWidget);
    CC_SAFE_RELEASE(m_pDesc);
    CC_SAFE_RELEASE(m_pOwner);
}

bool LevelUpScreen::init()
{
    m_pRPGWidget = RPGWidget::create(this);
    m_pRPGWidget->retain();
    registerMemberVariable("healthMenuItem", &m_pStatMenuItems[kRPG_Health]);
    registerMemberVariable("powerMenuItem", &m_pStatMenuItems[kRPG_Power]);
    registerMemberVariable("speedMenuItem", &m_pStatMenuItems[kRPG_Speed]);
    registerMemberVariable("specialMenuItem", &m_pStatMenuItems[kRPG_Special]);
    registerMemberVariable("healthRootItem", &m_pStatRootItems[kRPG_Health]);
    registerMemberVariable("powerRootItem", &m_pStatRootItems[kRPG_Power]);
    registerMemberVariable("speedRootItem", &m_pStatRootItems[kRPG_Speed]);
    registerMemberVariable("specialRootItem", &m_pStatRootItems[kRPG_Special]);
    registerMemberVariable("numPointsLabel", &m_pNumPointsLabel);
    registerMemberVariable("newXPLabel", &m_pNewXPLabel);
    registerMemberVariable("continueLabel", &m_pContinueLabel);
    registerMemberVariable("continueMenuItem", &m_pContinueMenuItem);
    registerMemberVariable("pointsParticles", &m_pPointsParticles);
    registerMemberVariable("characterSprite", &m_pCharacterSprite);
    registerMenuItemSelector("onHealth", vornscreen_selector(LevelUpScreen::onHealth));
    registerMenuItemSelector("onPower", vornscreen_selector(LevelUpScreen::onPower));
    registerMenuItemSelector("onSpeed", vornscreen_selector(LevelUpScreen::onSpeed));
    registerMenuItemSelector("onSpecial", vornscreen_selector(LevelUpScreen::onSpecial));
    registerMenuItemSelector("onContinue", vornscreen_selector(LevelUpScreen::onContinue));
    if (!initWithCCBFile("level-up"))
    {
        return false;
    }
    if (m_pPointsParticles)
    {
        // Quiet until a point is spent.
        m_pPointsParticles->stopSystem();
    }
    setVisible(false);
    return true;
}

void LevelUpScreen::cleanup()
{
    // The widget may hold its owner screen, which may hold this one's parent.
    setOwner(NULL);
    VornScreen::cleanup();
}

void LevelUpScreen::setOwner(RPGWidget* owner)
{
    CC_SAFE_RETAIN(owner);
    CC_SAFE_RELEASE(m_pOwner);
    m_pOwner = owner;
}

CCMenuItem* LevelUpScreen::getStatMenuItem(int stat)
{
    return stat >= 0 && stat < kRPG_MAX ? m_pStatMenuItems[stat] : NULL;
}

CCNode* LevelUpScreen::getStatRootItem(int stat)
{
    return stat >= 0 && stat < kRPG_MAX ? m_pStatRootItems[stat] : NULL;
}

void LevelUpScreen::show(RPGWidget* owner, CCObject* unused, VornActorDesc* desc)
{
    CC_UNUSED_PARAM(unused);
    CC_SAFE_RETAIN(desc);
    CC_SAFE_RELEASE(m_pDesc);
    m_pDesc = desc;
    setOwner(owner);

    if (!m_pDesc || m_pDesc->getNumXPLevelsSinceUpgrade() < 1)
    {
        notifyOwner();
        return;
    }
    open();
    CCSpriteFrame* frame = m_pDesc->getDefaultSpriteFrame();
    if (m_pCharacterSprite && frame)
    {
        m_pCharacterSprite->setDisplayFrame(frame);
    }
    refresh(kNoPreferredStat);
}

void LevelUpScreen::refresh(int preferredStat)
{
    if (!m_pDesc)
    {
        return;
    }
    m_pRPGWidget->setRPGStats(m_pDesc);

    int levels = m_pDesc->getNumXPLevelsSinceUpgrade();
    int spent = 0;
    for (int stat = 0; stat < kRPG_MAX; ++stat)
    {
        spent += m_pDesc->getNumRPGPoints(stat) - m_pDesc->getMinRPGPoints(stat);
    }
    showNumber(m_pNewXPLabel, levels + 1 + spent);

    bool open[kRPG_MAX];
    for (int stat = 0; stat < kRPG_MAX; ++stat)
    {
        open[stat] = levels >= 1 && m_pDesc->getNumRPGPoints(stat) != m_pDesc->getMaxRPGPoints(stat);
        if (m_pStatRootItems[stat])
        {
            m_pStatRootItems[stat]->setVisible(open[stat]);
        }
        if (m_pStatMenuItems[stat])
        {
            m_pStatMenuItems[stat]->setVisible(open[stat]);
            m_pStatMenuItems[stat]->setEnabled(open[stat]);
        }
    }
    showNumber(m_pNumPointsLabel, levels);

    bool done = levels <= 0;
    if (m_pContinueLabel)
    {
        m_pContinueLabel->setVisible(done);
    }
    if (m_pContinueMenuItem)
    {
        m_pContinueMenuItem->setEnabled(done);
    }

    CCMenuItem* focus = NULL;
    if (done)
    {
        focus = m_pContinueMenuItem;
    }
    else if (preferredStat >= 0 && preferredStat < kRPG_MAX && open[preferredStat] && m_pStatMenuItems[preferredStat])
    {
        focus = m_pStatMenuItems[preferredStat];
    }
    else
    {
        for (int stat = 0; stat < kRPG_MAX && !focus; ++stat)
        {
            if (open[stat])
            {
                focus = m_pStatMenuItems[stat];
            }
        }
    }
    if (focus)
    {
        CCMenuGamepadInputDispatcher::sharedDispatcher()->setFocusMenuItem(focus, -1);
    }
}

void LevelUpScreen::spendPoint(int stat)
{
    // A point costs a level: without one the banked experience would go below nothing.
    if (!m_pDesc || !isVisible() || m_bClosing || m_pDesc->getNumXPLevelsSinceUpgrade() < 1 ||
        !m_pDesc->increaseRPGPoints(stat))
    {
        return;
    }
    refresh(stat);
    CCNode* root = getStatRootItem(stat);
    if (m_pPointsParticles && root)
    {
        CCRect box = root->boundingBox();
        CCPoint centre = ccp(box.getMidX(), box.getMidY());
        // The burst lives beside the root, in the same parent's space when they share one.
        if (root->getParent() && m_pPointsParticles->getParent() && root->getParent() != m_pPointsParticles->getParent())
        {
            centre = m_pPointsParticles->getParent()->convertToNodeSpace(root->getParent()->convertToWorldSpace(centre));
        }
        m_pPointsParticles->setPosition(centre);
        m_pPointsParticles->stopSystem();
        m_pPointsParticles->resetSystem();
    }
}

void LevelUpScreen::onHealth()
{
    spendPoint(kRPG_Health);
}

void LevelUpScreen::onPower()
{
    spendPoint(kRPG_Power);
}

void LevelUpScreen::onSpeed()
{
    spendPoint(kRPG_Speed);
}

void LevelUpScreen::onSpecial()
{
    spendPoint(kRPG_Special);
}

void LevelUpScreen::onContinue()
{
    if (!isVisible() || m_bClosing)
    {
        return;
    }
    if (!hasTimeline("close"))
    {
        // Nothing to play: close at once so the owner is not left waiting.
        onClosedNotify();
        return;
    }
    if (runTimeline("close", callfunc_selector(LevelUpScreen::onClosedNotify), true))
    {
        m_bClosing = true;
        setTouchEnabled(false);
    }
}

void LevelUpScreen::onClosedNotify()
{
    onClosed();
    notifyOwner();
}

void LevelUpScreen::notifyOwner()
{
    RPGWidget* owner = m_pOwner;
    if (owner)
    {
        // Called once; the owner may show this screen again from inside its step.
        m_pOwner = NULL;
        owner->onLevelUpScreenClosed();
        owner->release();
    }
}

NS_CC_END
