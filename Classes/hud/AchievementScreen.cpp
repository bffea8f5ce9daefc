#include "AchievementScreen.h"

#include "CCLabelBMFont.h"
#include "GameManager.h"

NS_CC_BEGIN

static AchievementScreen* s_sharedAchievementScreen = NULL;

AchievementScreen::AchievementScreen() : m_pTitle(NULL), m_pDescription(NULL), m_pSubscribedTo(NULL)
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
    CC_UNUSED_PARAM(dt);
    if (m_queue.empty() || isVisible())
    {
        return;
    }
    AchievementViewItem item = m_queue.front();
    m_queue.pop_front();
    if (m_pTitle)
    {
        m_pTitle->setString(item.getTitle().c_str());
    }
    if (m_pDescription)
    {
        m_pDescription->setString(item.getDescription().c_str());
    }
    open();
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
