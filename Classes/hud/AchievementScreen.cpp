#include "AchievementScreen.h"

#include "CCBAnimationManager.h"
#include "CCLabelBMFont.h"
#include "GameManager.h"
#include "HUD.h"
#include "SpeechScreen.h"
#include "VornGameManager.h"

NS_CC_BEGIN

static AchievementScreen* s_sharedAchievementScreen = NULL;

AchievementScreen::AchievementScreen()
    : m_pPopUp(NULL), m_pTopSpot(NULL), m_pBottomSpot(NULL), m_pShownOn(NULL), m_fShownFor(0.0f),
      m_shown("", ""), m_pTitle(NULL), m_pDescription(NULL), m_pSubscribedTo(NULL)
{
    s_sharedAchievementScreen = this;
}

AchievementScreen::~AchievementScreen()
{
    if (m_pSubscribedTo && GameManager::getInstance() == m_pSubscribedTo)
    {
        m_pSubscribedTo->getUpdateSignal().disconnect(this, &AchievementScreen::tick);
    }
    if (s_sharedAchievementScreen == this)
    {
        s_sharedAchievementScreen = NULL;
    }
}

AchievementScreen* AchievementScreen::sharedAchievementScreen()
{
    return s_sharedAchievementScreen;
}

bool AchievementScreen::init()
{
    registerMemberVariable("popUp", &m_pPopUp);
    registerMemberVariable("topSpot", &m_pTopSpot);
    registerMemberVariable("bottomSpot", &m_pBottomSpot);
    registerMemberVariable("title", &m_pTitle);
    registerMemberVariable("description", &m_pDescription);
    if (!initWithCCBFile("achievement"))
    {
        return false;
    }
    m_pSubscribedTo = GameManager::getInstance();
    if (m_pSubscribedTo)
    {
        m_pSubscribedTo->getUpdateSignal().connect(this, &AchievementScreen::tick);
    }
    if (m_pDescription)
    {
        // Long descriptions wrap inside the box the layout gives them.
        m_pDescription->setWidth(m_pDescription->getContentSize().width * m_pDescription->getScaleX());
    }
    setVisible(false);
    return true;
}

void AchievementScreen::tick(float dt)
{
    if (isVisible())
    {
        m_fShownFor += dt;
        // What shows beneath changed: the pop-up goes. One cut short before its words could be
        // read goes back to the front of the queue, to start again on the spot that suits what
        // shows now, or once its spot is free.
        if (spotForNow() != m_pShownOn || !canShow())
        {
            hide();
            if (m_fShownFor < openLength() / 2.0f)
            {
                m_queue.push_front(m_shown);
            }
        }
        return;
    }
    if (m_queue.empty() || !canShow())
    {
        return;
    }
    m_shown = m_queue.front();
    m_queue.pop_front();
    if (m_pTitle)
    {
        m_pTitle->setString(m_shown.getTitle().c_str());
    }
    if (m_pDescription)
    {
        m_pDescription->setString(m_shown.getDescription().c_str());
    }
    m_pShownOn = spotForNow();
    m_fShownFor = 0.0f;
    if (m_pPopUp && m_pShownOn && m_pPopUp->getParent())
    {
        CCNode* parent = m_pPopUp->getParent();
        m_pPopUp->setPosition(parent->convertToNodeSpace(m_pShownOn->convertToWorldSpace(CCPointZero)));
    }
    open();
}

CCNode* AchievementScreen::spotForNow()
{
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    return game && game->isResultScreenShowing() ? m_pTopSpot : m_pBottomSpot;
}

float AchievementScreen::openLength()
{
    extension::CCBAnimationManager* manager = getAnimationManager();
    return manager ? manager->getSequenceDuration("open") : 0.0f;
}

bool AchievementScreen::canShow()
{
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    if (!game || spotForNow() != m_pBottomSpot)
    {
        return true;
    }
    // The bottom spot is where a speaker's lines show.
    HUD* hud = game->getHUD();
    SpeechScreen* speech = hud ? hud->getSpeechScreen() : NULL;
    return !(hud && hud->isVisible() && speech && speech->isVisible());
}

void AchievementScreen::onOpened()
{
    VornScreen::onOpened();
    hide();
}

void AchievementScreen::queueAchievement(const char* title, const char* description)
{
    m_queue.push_back(AchievementViewItem(title, description));
}

NS_CC_END
