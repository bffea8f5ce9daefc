#include "CCLabelBMFont.h"
#include "CCMenuGamepadInputDispatcher.h"
#include "CCMenuItem.h"
#include "LevelUpScreen.h"
#include "MenuScreenFixture.h"
#include "RPGWidget.h"
#include "VornActorDesc.h"

USING_NS_CC;

namespace
{
class Owner : public CCObject
{
public:
    void onDone() { ++calls; }
    int calls = 0;
};
} // namespace

class LevelUpScreenTest : public MenuScreenTest
{
protected:
    virtual void SetUp()
    {
        MenuScreenTest::SetUp();
        m_screen = dynamic_cast<LevelUpScreen*>(m_game->getLevelUpScreen());
        ASSERT_NE(nullptr, m_screen);
        m_widget = RPGWidget::create(NULL);
        m_widget->retain();
        m_widget->setCallbackTarget(&m_owner);
        m_widget->setCallback(callfunc_selector(Owner::onDone));
    }
    virtual void TearDown()
    {
        if (m_widget)
        {
            m_widget->setCallbackTarget(NULL);
            m_widget->release();
        }
        MenuScreenTest::TearDown();
    }

    /** Jors with saved points and enough banked experience for that many levels. */
    VornActorDesc* jors(const int points[kRPG_MAX], int levels)
    {
        CCUserDefault* store = CCUserDefault::sharedUserDefault();
        int level = 0;
        for (int i = 0; i < kRPG_MAX; ++i)
        {
            store->setIntegerForKey(("jors_RPG_" + std::to_string(i)).c_str(), points[i]);
        }
        VornActorDesc* desc = m_game->actorDescWithFile("jors.plist");
        desc->loadRPGPoints();
        level = desc->getXPLevel();
        int banked = 0;
        for (int i = 0; i < levels; ++i)
        {
            banked += desc->getMaxXPPoints(level + i);
        }
        desc->setXPPoints(levels > 0 ? banked + 1 : 0);  // a level is bought by more than its cost
        desc->setXPPointsSinceUpgrade(0);
        return desc;
    }
    /** True when a label with text shows on the item. */
    static bool hasShownCaption(CCNode* item)
    {
        CCObject* child = NULL;
        CCARRAY_FOREACH(item->getChildren(), child)
        {
            CCLabelBMFont* label = dynamic_cast<CCLabelBMFont*>(child);
            if (label && label->isVisible() && label->getString() && *label->getString())
            {
                return true;
            }
        }
        return false;
    }
    CCMenuItem* focused() { return CCMenuGamepadInputDispatcher::sharedDispatcher()->getFocusMenuItem(0); }

    LevelUpScreen* m_screen = NULL;
    RPGWidget* m_widget = NULL;
    Owner m_owner;
};

TEST_F(LevelUpScreenTest, ACharacterWithNothingToSpendNeverSeesTheScreen)
{
    const int points[kRPG_MAX] = { 1, 1, 1, 1 };
    VornActorDesc* desc = jors(points, 0);
    m_screen->show(m_widget, NULL, desc);
    EXPECT_FALSE(m_screen->isVisible());
    EXPECT_EQ(1, m_owner.calls);
}

TEST_F(LevelUpScreenTest, EachPressSpendsALevelOnAStatAndSavesItThenContinueCallsTheOwnerBack)
{
    VornActorDesc* desc = m_game->actorDescWithFile("jors.plist");
    ASSERT_NE(nullptr, desc);
    const int maxPower = desc->getMaxRPGPoints(kRPG_Power);
    const int maxSpeed = desc->getMaxRPGPoints(kRPG_Speed);
    // Power is full and speed one point short, with two levels to spend.
    const int points[kRPG_MAX] = { 0, maxPower, maxSpeed - 1, 0 };
    desc = jors(points, 2);
    const int spent = desc->getXPLevel();
    m_screen->show(m_widget, NULL, desc);
    ASSERT_TRUE(m_screen->isVisible());
    EXPECT_STREQ("2", m_screen->getNumPointsLabel()->getString());
    EXPECT_STREQ(std::to_string(spent + 3).c_str(), m_screen->getNewXPLabel()->getString());
    EXPECT_FALSE(m_screen->getStatMenuItem(kRPG_Power)->isVisible());
    EXPECT_FALSE(m_screen->getStatMenuItem(kRPG_Power)->isEnabled());
    EXPECT_FALSE(m_screen->getStatRootItem(kRPG_Power)->isVisible());
    EXPECT_FALSE(m_screen->getContinueMenuItem()->isEnabled());
    // No captionless button while levels are left to spend: it shows greyed, with its caption.
    EXPECT_TRUE(m_screen->getContinueMenuItem()->isVisible());
    EXPECT_TRUE(hasShownCaption(m_screen->getContinueMenuItem()));
    EXPECT_EQ(m_screen->getStatMenuItem(kRPG_Health), focused());

    // Speed reaches its maximum: its item goes and the focus falls back to the first open stat.
    m_screen->onSpeed();
    EXPECT_EQ(maxSpeed, desc->getNumRPGPoints(kRPG_Speed));
    EXPECT_EQ(maxSpeed, CCUserDefault::sharedUserDefault()->getIntegerForKey("jors_RPG_2", -1));
    EXPECT_STREQ("1", m_screen->getNumPointsLabel()->getString());
    EXPECT_FALSE(m_screen->getStatMenuItem(kRPG_Speed)->isVisible());
    EXPECT_EQ(m_screen->getStatMenuItem(kRPG_Health), focused());

    // The last level: only continue is left.
    m_screen->onSpecial();
    EXPECT_EQ(1, desc->getNumRPGPoints(kRPG_Special));
    EXPECT_STREQ("0", m_screen->getNumPointsLabel()->getString());
    for (int stat = 0; stat < kRPG_MAX; ++stat)
    {
        EXPECT_FALSE(m_screen->getStatMenuItem(stat)->isVisible()) << stat;
    }
    EXPECT_TRUE(m_screen->getContinueLabel()->isVisible());
    EXPECT_TRUE(m_screen->getContinueMenuItem()->isEnabled());
    EXPECT_TRUE(m_screen->getContinueMenuItem()->isVisible());
    EXPECT_EQ(m_screen->getContinueMenuItem(), focused());

    // A press with nothing left to pay with buys nothing and leaves the experience alone.
    const int banked = desc->getXPPoints();
    m_screen->onHealth();
    EXPECT_EQ(0, desc->getNumRPGPoints(kRPG_Health));
    EXPECT_EQ(banked, desc->getXPPoints());

    EXPECT_EQ(0, m_owner.calls);
    m_screen->onContinue();
    m_screen->onContinue();
    stepFrames(30, 1.0f / 30.0f);
    EXPECT_FALSE(m_screen->isVisible());
    EXPECT_EQ(1, m_owner.calls);
}
