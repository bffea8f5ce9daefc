#include "ChooseDifficultyScreen.h"

#include "AchievementsManager.h"
#include "CCMenuItem.h"
#include "VornGameTypes.h"

NS_CC_BEGIN

const char* const ChooseDifficultyScreen::kHardUnlockAchievement = "achievement.grandor.completed_game_2";

ChooseDifficultyScreen::ChooseDifficultyScreen()
    : m_pTarget(NULL), m_pCallback(NULL), m_nChoice(kDifficulty_MAX), m_pHardLabel(NULL), m_pHardMenuItem(NULL),
      m_pHardHintLabel(NULL)
{
}

ChooseDifficultyScreen::~ChooseDifficultyScreen()
{
    CC_SAFE_RELEASE(m_pTarget);
}

bool ChooseDifficultyScreen::init()
{
    registerMemberVariable("hardLabel", &m_pHardLabel);
    registerMemberVariable("hardMenuItem", &m_pHardMenuItem);
    registerMemberVariable("hardHintLabel", &m_pHardHintLabel);
    registerMenuItemSelector("onEasy", vornscreen_selector(ChooseDifficultyScreen::onEasy));
    registerMenuItemSelector("onNormal", vornscreen_selector(ChooseDifficultyScreen::onNormal));
    registerMenuItemSelector("onHard", vornscreen_selector(ChooseDifficultyScreen::onHard));
    registerMenuItemSelector("onBack", vornscreen_selector(ChooseDifficultyScreen::onBack));
    if (!initWithCCBFile("choose-difficulty"))
    {
        return false;
    }
    setVisible(false);
    return true;
}

void ChooseDifficultyScreen::show(CCObject* target, SEL_DifficultyChosen callback)
{
    CC_SAFE_RETAIN(target);
    CC_SAFE_RELEASE(m_pTarget);
    m_pTarget = target;
    m_pCallback = callback;
    m_nChoice = kDifficulty_MAX;

    AchievementsManager* achievements = AchievementsManager::sharedAchievementsManager();
    bool unlocked = achievements && achievements->isAchievementUnlocked(kHardUnlockAchievement);
    CCRGBAProtocol* label = dynamic_cast<CCRGBAProtocol*>(m_pHardLabel);
    if (label)
    {
        label->setOpacity(unlocked ? 255 : 128);
    }
    if (m_pHardMenuItem)
    {
        m_pHardMenuItem->setEnabled(unlocked);
    }
    if (m_pHardHintLabel)
    {
        m_pHardHintLabel->setVisible(!unlocked);
    }
    open();
}

void ChooseDifficultyScreen::onEasy()
{
    choose(kDifficulty_Easy);
}

void ChooseDifficultyScreen::onNormal()
{
    choose(kDifficulty_Normal);
}

void ChooseDifficultyScreen::onHard()
{
    // A disabled item cannot be picked by touch, but pad activation must not get past the lock either.
    if (m_pHardMenuItem && !m_pHardMenuItem->isEnabled())
    {
        return;
    }
    choose(kDifficulty_Hard);
}

void ChooseDifficultyScreen::choose(int choice)
{
    // One choice per showing: a second press while "onStart" plays would replace the first.
    if (!isOpen())
    {
        return;
    }
    if (runTimeline("onStart", callfunc_selector(ChooseDifficultyScreen::onClosed), false))
    {
        m_nChoice = choice;
        m_bClosing = true;
        setTouchEnabled(false);
    }
    else if (!isTimelineRunning())
    {
        CCLog("ChooseDifficultyScreen - the layout has no 'onStart' timeline; the choice goes out at once");
        m_nChoice = choice;
        onClosed();
    }
}

void ChooseDifficultyScreen::onBack()
{
    if (!isOpen())
    {
        return;
    }
    m_nChoice = kDifficulty_MAX;
    close();
}

void ChooseDifficultyScreen::onClosed()
{
    VornScreen::onClosed();
    CCObject* target = m_pTarget;
    SEL_DifficultyChosen callback = m_pCallback;
    m_pTarget = NULL;
    m_pCallback = NULL;
    if (target && callback)
    {
        (target->*callback)(m_nChoice);
    }
    CC_SAFE_RELEASE(target);
}

NS_CC_END
