#include "AchievementsManager.h"
#include "CCMenuItem.h"
#include "ChooseDifficultyScreen.h"
#include "MenuScreenFixture.h"
#include "VornAchievementsManager.h"
#include "VornGameTypes.h"

USING_NS_CC;

namespace
{
class Chooser : public CCObject
{
public:
    void onChosen(int choice) { choices.push_back(choice); }
    std::vector<int> choices;
};
} // namespace

class DifficultyScreenTest : public MenuScreenTest
{
protected:
    virtual void SetUp()
    {
        MenuScreenTest::SetUp();
        m_screen = addScreen(ChooseDifficultyScreen::create());
        ASSERT_NE(nullptr, m_screen);
        ASSERT_NE(nullptr, m_screen->getHardMenuItem());
        ASSERT_NE(nullptr, m_screen->getHardLabel());
    }
    void show()
    {
        m_screen->show(&m_chooser, difficulty_selector(Chooser::onChosen));
        stepFrames(30, 1.0f / 60.0f);
    }
    ChooseDifficultyScreen* m_screen = NULL;
    Chooser m_chooser;
};

TEST_F(DifficultyScreenTest, HardIsGreyedOutAndLockedUntilTheStoryIsBeatenOnNormal)
{
    show();
    EXPECT_TRUE(m_screen->isOpen());
    EXPECT_FALSE(m_screen->getHardMenuItem()->isEnabled());
    EXPECT_EQ(128, dynamic_cast<CCRGBAProtocol*>(m_screen->getHardLabel())->getOpacity());
    ASSERT_NE(nullptr, m_screen->getHardHintLabel());
    EXPECT_TRUE(m_screen->getHardHintLabel()->isVisible());
    // A press that gets past the disabled item still picks nothing.
    m_screen->onHard();
    stepFrames(40, 1.0f / 60.0f);
    EXPECT_TRUE(m_screen->isOpen());
    EXPECT_TRUE(m_chooser.choices.empty());

    m_screen->onBack();
    stepFrames(30, 1.0f / 60.0f);
    ASSERT_EQ(1u, m_chooser.choices.size());
    EXPECT_EQ(kDifficulty_MAX, m_chooser.choices[0]);

    m_game->getAchievementsManager()->setAchievementProgress("achievement.grandor.completed_game_2", 1.0f);
    show();
    EXPECT_TRUE(m_screen->getHardMenuItem()->isEnabled());
    EXPECT_EQ(255, dynamic_cast<CCRGBAProtocol*>(m_screen->getHardLabel())->getOpacity());
    EXPECT_FALSE(m_screen->getHardHintLabel()->isVisible());
    m_screen->getHardMenuItem()->activate();
    stepFrames(40, 1.0f / 60.0f);
    ASSERT_EQ(2u, m_chooser.choices.size());
    EXPECT_EQ(kDifficulty_Hard, m_chooser.choices[1]);
}

TEST_F(DifficultyScreenTest, TheFirstPickIsDeliveredOnceAfterTheScreenHasClosed)
{
    SignalCounter signals;
    signals.watch(m_screen);
    show();
    m_screen->onEasy();
    m_screen->onNormal();  // too late: "onStart" already plays for Easy
    EXPECT_TRUE(m_chooser.choices.empty());
    stepFrames(40, 1.0f / 60.0f);
    ASSERT_EQ(1u, m_chooser.choices.size());
    EXPECT_EQ(kDifficulty_Easy, m_chooser.choices[0]);
    EXPECT_FALSE(m_screen->isVisible());
    EXPECT_EQ(1, signals.closed);
    // The chooser is let go with the answer.
    m_screen->onBack();
    stepFrames(30, 1.0f / 60.0f);
    EXPECT_EQ(1u, m_chooser.choices.size());
}
