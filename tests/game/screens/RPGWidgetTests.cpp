#include "CCLabelBMFont.h"
#include "CCLayer.h"
#include "CCSprite.h"
#include "GameOverScreen.h"
#include "MenuScreenFixture.h"
#include "LevelUpScreen.h"
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

/** The story's player with saved points per stat and experience. */
VornActorDesc* jorsWith(VornGameManager* game, const int points[kRPG_MAX], int banked, int running)
{
    CCUserDefault* store = CCUserDefault::sharedUserDefault();
    for (int i = 0; i < kRPG_MAX; ++i)
    {
        store->setIntegerForKey(("jors_RPG_" + std::to_string(i)).c_str(), points[i]);
    }
    store->setIntegerForKey("jors_XPPoints", banked);
    store->setIntegerForKey("jors_XPPointsSinceUpgrade", running);
    VornActorDesc* desc = game->actorDescWithFile("jors.plist");
    if (desc)
    {
        desc->loadRPGPoints();
    }
    return desc;
}
} // namespace

class RPGWidgetTest : public MenuScreenTest
{
protected:
    virtual void SetUp()
    {
        MenuScreenTest::SetUp();
        // The game-over layout carries a full widget.
        m_screen = addScreen(GameOverScreen::create());
        ASSERT_NE(nullptr, m_screen);
        m_widget = m_screen->getRPGWidget();
    }
    GameOverScreen* m_screen = NULL;
    RPGWidget* m_widget = NULL;
};

TEST_F(RPGWidgetTest, PipsShowEachStatsPointsAndRoomToGrow)
{
    const int points[kRPG_MAX] = { 0, 3, 10, 6 };
    VornActorDesc* desc = jorsWith(m_game, points, 50, 0);
    ASSERT_NE(nullptr, desc);
    m_widget->setRPGStats(desc);

    const ccColor3B earned = { 215, 237, 0 };
    const ccColor3B open = { 68, 75, 1 };
    for (int stat = 0; stat < kRPG_MAX; ++stat)
    {
        for (int i = 0; i < MAX_NUM_RPG_LEVELS; ++i)
        {
            CCSprite* pip = m_widget->getPip(stat, i);
            ASSERT_NE(nullptr, pip) << stat << "/" << i;
            EXPECT_TRUE(pip->isVisible());
            const ccColor3B want = i <= points[stat] ? earned : open;
            EXPECT_EQ(want.g, pip->getColor().g) << "stat " << stat << " pip " << i + 1;
        }
    }
    // Level 19 shows as 20; the bar holds 50 of what level 19 costs.
    EXPECT_STREQ("20", m_widget->getXPLabel()->getString());
    EXPECT_NEAR(50.0f / desc->getMaxXPPoints(19), m_widget->getXPBarLayerColor()->getScaleX(), 1e-4);
    EXPECT_EQ(m_widget->getXPBarBackLayerColor()->getContentSize().width,
              m_widget->getXPBarLayerColor()->getContentSize().width);
    EXPECT_FALSE(m_widget->getMaxLevelLabel()->isVisible());
}

TEST_F(RPGWidgetTest, AtTheMaximumTheBarIsFullAndRedAndOnlyBlinks)
{
    const int points[kRPG_MAX] = { 10, 10, 10, 10 };
    VornActorDesc* desc = jorsWith(m_game, points, 0, 0);
    ASSERT_NE(nullptr, desc);
    m_widget->setRPGStats(desc);
    EXPECT_TRUE(m_widget->getMaxLevelLabel()->isVisible());
    EXPECT_FLOAT_EQ(1.0f, m_widget->getXPBarLayerColor()->getScaleX());
    EXPECT_EQ(223, m_widget->getXPBarLayerColor()->getColor().r);
    EXPECT_EQ(51, m_widget->getXPBarLayerColor()->getColor().g);

    Owner owner;
    m_widget->setCallbackTarget(&owner);
    m_widget->setCallback(callfunc_selector(Owner::onDone));
    m_widget->setXPPool(500);
    m_widget->playLevelUpAnimation();
    stepFrames(30, 1.0f / 60.0f);
    EXPECT_EQ(0, owner.calls);  // still blinking
    stepFrames(40, 1.0f / 60.0f);
    EXPECT_EQ(1, owner.calls);
    EXPECT_EQ(40, m_widget->getDisplayedLevel());
    EXPECT_TRUE(m_widget->getXPBarLayerColor()->isVisible());
    m_widget->setCallbackTarget(NULL);
}

TEST_F(RPGWidgetTest, APoolOfTwoLevelsFillsTheBarTwiceThenTheRemainderAndBanksTheExperience)
{
    const int points[kRPG_MAX] = { 0, 0, 0, 0 };
    VornActorDesc* desc = jorsWith(m_game, points, 0, 0);
    ASSERT_NE(nullptr, desc);
    m_widget->setRPGStats(desc);
    const int pool = desc->getMaxXPPoints(0) + desc->getMaxXPPoints(1) + 30;
    desc->setXPPointsSinceUpgrade(pool);

    Owner owner;
    m_widget->setCallbackTarget(&owner);
    m_widget->setCallback(callfunc_selector(Owner::onDone));
    m_widget->setXPPool(pool);
    m_widget->playLevelUpAnimation();
    // Two full bars of 1.5 s, then 30 / (cost of level 2) of one.
    stepFrames(130, 1.0f / 30.0f);
    EXPECT_EQ(2, m_widget->getDisplayedLevel());
    EXPECT_STREQ("3", m_widget->getXPLabel()->getString());
    EXPECT_NEAR(30.0f / desc->getMaxXPPoints(2), m_widget->getXPBarLayerColor()->getScaleX(), 1e-3);
    // The running total went into the bank and buys two levels on the level-up screen, which
    // holds the owner back until it is done.
    EXPECT_EQ(pool, desc->getXPPoints());
    EXPECT_EQ(0, desc->getXPPointsSinceUpgrade());
    EXPECT_EQ(pool, CCUserDefault::sharedUserDefault()->getIntegerForKey("jors_XPPoints", -1));
    LevelUpScreen* levelUp = dynamic_cast<LevelUpScreen*>(m_game->getLevelUpScreen());
    ASSERT_NE(nullptr, levelUp);
    EXPECT_TRUE(levelUp->isVisible());
    EXPECT_EQ(0, owner.calls);
    levelUp->onPower();
    levelUp->onPower();
    levelUp->onContinue();
    stepFrames(30, 1.0f / 30.0f);
    EXPECT_FALSE(levelUp->isVisible());
    EXPECT_EQ(1, owner.calls);
    // The screen beneath shows the points just spent, not those it opened with.
    EXPECT_EQ(237, m_widget->getPip(kRPG_Power, 2)->getColor().g);
    EXPECT_EQ(75, m_widget->getPip(kRPG_Power, 3)->getColor().g);
    m_widget->setCallbackTarget(NULL);
}

TEST_F(RPGWidgetTest, EvenATinyFillTakesAHundredthOfASecond)
{
    const int points[kRPG_MAX] = { 0, 0, 0, 0 };
    VornActorDesc* desc = jorsWith(m_game, points, 0, 0);
    ASSERT_NE(nullptr, desc);
    m_widget->setRPGStats(desc);
    Owner owner;
    m_widget->setCallbackTarget(&owner);
    m_widget->setCallback(callfunc_selector(Owner::onDone));
    m_widget->setXPPool(0);
    m_widget->playLevelUpAnimation();
    stepFrames(2, 0.004f);
    EXPECT_EQ(0, owner.calls);
    stepFrames(3, 0.004f);
    EXPECT_EQ(1, owner.calls);
    m_widget->setCallbackTarget(NULL);
}

namespace
{
class Leaver : public CCObject
{
public:
    void onDone() { ++calls; }
    void onLeave() { ++leaves; }
    int calls = 0;
    int leaves = 0;
};
} // namespace

// Leaving while the bar fills: the rest of the fill is skipped, the levels it makes are offered,
// and the leave runs in place of the owner's callback once they are spent; with no level made it
// runs at once.
TEST_F(RPGWidgetTest, ALeaveWhileTheBarFillsOffersTheLevelsItMakesThenRunsInsteadOfTheCallback)
{
    struct Case { int levels; bool offered; };
    const Case cases[] = { { 2, true }, { 0, false } };
    LevelUpScreen* levelUp = dynamic_cast<LevelUpScreen*>(m_game->getLevelUpScreen());
    ASSERT_NE(nullptr, levelUp);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.levels);
        const int points[kRPG_MAX] = { 0, 0, 0, 0 };
        VornActorDesc* desc = jorsWith(m_game, points, 0, 0);
        ASSERT_NE(nullptr, desc);
        m_widget->setRPGStats(desc);
        int pool = 30;
        for (int level = 0; level < c.levels; ++level)
        {
            pool += desc->getMaxXPPoints(level);
        }
        desc->setXPPointsSinceUpgrade(pool);
        Leaver owner;
        m_widget->playExperienceOf(desc, &owner, callfunc_selector(Leaver::onDone));
        stepFrames(5, 1.0f / 30.0f);
        ASSERT_TRUE(m_widget->isPlayingExperience());

        EXPECT_TRUE(m_widget->finishThen(callfunc_selector(Leaver::onLeave)));
        EXPECT_EQ(c.levels, m_widget->getDisplayedLevel());
        EXPECT_EQ(pool, desc->getXPPoints());  // banked, as at the end of a whole fill
        EXPECT_EQ(c.offered, levelUp->isVisible());
        if (c.offered)
        {
            EXPECT_EQ(0, owner.leaves);
            // A second leave while the level-up is open only waits with the first.
            EXPECT_TRUE(m_widget->finishThen(callfunc_selector(Leaver::onLeave)));
            for (int i = 0; i < c.levels; ++i)
            {
                levelUp->onPower();
            }
            levelUp->onContinue();
            stepFrames(30, 1.0f / 30.0f);
        }
        EXPECT_EQ(1, owner.leaves);
        EXPECT_EQ(0, owner.calls);
        EXPECT_FALSE(m_widget->isPlayingExperience());
        EXPECT_FALSE(m_widget->finishThen(callfunc_selector(Leaver::onLeave)));
        m_widget->setCallbackTarget(NULL);
    }
}

// A result screen closed while its bar fills takes the bar with it: no level-up screen opens later
// over whatever comes next.
TEST_F(RPGWidgetTest, AResultScreenClosedWhileItsBarFillsOpensNoLevelUpLater)
{
    const int points[kRPG_MAX] = { 0, 0, 0, 0 };
    VornActorDesc* desc = jorsWith(m_game, points, 0, 0);
    ASSERT_NE(nullptr, desc);
    desc->setXPPointsSinceUpgrade(desc->getMaxXPPoints(0) + desc->getMaxXPPoints(1));
    Leaver owner;
    m_widget->playExperienceOf(desc, &owner, callfunc_selector(Leaver::onDone));
    stepFrames(5, 1.0f / 30.0f);
    m_screen->hide();
    EXPECT_FALSE(m_widget->isPlayingExperience());
    stepFrames(150, 1.0f / 30.0f);
    EXPECT_FALSE(m_game->getLevelUpScreen()->isVisible());
    EXPECT_EQ(0, owner.calls);
    m_widget->setCallbackTarget(NULL);
}
