#include "CCMenuGamepad.h"
#include "CCMenuGamepadInputDispatcher.h"
#include "CCMenuItem.h"
#include "CCSlider.h"
#include "MenuScreenFixture.h"
#include "MessageBoxScreen.h"
#include "MusicManager.h"
#include "PauseScreen.h"
#include "SFXManager.h"

USING_NS_CC;

namespace
{
class PauseRecorder
{
public:
    void onQuit() { ++quits; }
    void onResume() { ++resumes; }
    void onRestart() { ++restarts; }
    int quits = 0;
    int resumes = 0;
    int restarts = 0;
};

MessageBoxScreen* questionOf(CCNode* screen)
{
    CCObject* child = NULL;
    CCARRAY_FOREACH(screen->getChildren(), child)
    {
        if (MessageBoxScreen* box = dynamic_cast<MessageBoxScreen*>(child))
        {
            return box;
        }
    }
    return NULL;
}

CCMenuItem* itemWithBlockOf(CCMenuGamepad* menu, unsigned int index)
{
    return static_cast<CCMenuItem*>(menu->getChildren()->objectAtIndex(index));
}
} // namespace

class PauseScreenTest : public MenuScreenTest
{
protected:
    virtual void SetUp()
    {
        MenuScreenTest::SetUp();
        ASSERT_NE(nullptr, m_game->getMusicManager());
        ASSERT_NE(nullptr, m_game->getSFXManager());
        // Volumes at the ends of their range before the screen reads them.
        m_game->getSFXManager()->setMasterVolume(1.0f);
        m_game->getMusicManager()->setMasterVolume(0.0f);
        m_screen = addScreen(PauseScreen::create());
        ASSERT_NE(nullptr, m_screen);
        m_screen->getQuitSignal().connect(&m_recorder, &PauseRecorder::onQuit);
        m_screen->getResumeSignal().connect(&m_recorder, &PauseRecorder::onResume);
        m_screen->getRestartSignal().connect(&m_recorder, &PauseRecorder::onRestart);
    }
    void openByPausing()
    {
        m_game->setPaused(true);
        stepFrames(30, 1.0f / 60.0f);
    }
    PauseScreen* m_screen = NULL;
    PauseRecorder m_recorder;
};

TEST_F(PauseScreenTest, VolumeButtonsStepTheSlidersWithinTheirRangeAndSaveThroughTheManagers)
{
    CCSlider* sfx = m_screen->getSFXSlider();
    CCSlider* music = m_screen->getMusicSlider();
    ASSERT_NE(nullptr, sfx);
    ASSERT_NE(nullptr, music);
    EXPECT_FLOAT_EQ(1.0f, sfx->getValue());
    EXPECT_FLOAT_EQ(0.0f, music->getValue());
    CCUserDefault* store = CCUserDefault::sharedUserDefault();

    // At the ends nothing moves.
    m_screen->getSFXVolumeIncButton()->activate();
    m_screen->getMusicVolumeDecButton()->activate();
    EXPECT_FLOAT_EQ(1.0f, sfx->getValue());
    EXPECT_FLOAT_EQ(1.0f, m_game->getSFXManager()->getMasterVolume());
    EXPECT_FLOAT_EQ(0.0f, music->getValue());
    EXPECT_FLOAT_EQ(0.0f, m_game->getMusicManager()->getMasterVolume());

    m_screen->getMusicVolumeIncButton()->activate();
    m_screen->getMusicVolumeIncButton()->activate();
    m_screen->getSFXVolumeDecButton()->activate();
    EXPECT_NEAR(0.2f, m_game->getMusicManager()->getMasterVolume(), 1e-5);
    EXPECT_NEAR(0.2f, store->getFloatForKey("MusicMasterVolume", -1.0f), 1e-5);
    EXPECT_NEAR(0.9f, m_game->getSFXManager()->getMasterVolume(), 1e-5);
    EXPECT_NEAR(0.9f, store->getFloatForKey("SFXMasterVolume", -1.0f), 1e-5);
    // The pressed button keeps the focus.
    EXPECT_EQ(m_screen->getSFXVolumeDecButton(), CCMenuGamepadInputDispatcher::sharedDispatcher()->getFocusMenuItem(3));

    // The slider sits where its placeholder was and its thumb follows the value.
    EXPECT_EQ(m_screen->getVolumeControls(), music->getParent());
    EXPECT_GT(music->getThumb()->getPositionX(), -music->getLength() / 2);
}

TEST_F(PauseScreenTest, OpensWithThePauseFreezesTheDirectorAndClosesWithTheResume)
{
    SignalCounter signals;
    signals.watch(m_screen);
    openByPausing();
    EXPECT_TRUE(m_screen->isOpen());
    EXPECT_TRUE(CCDirector::sharedDirector()->isPaused());
    EXPECT_EQ(1, signals.opened);
    CCMenuItem* resume = itemWithBlockOf(m_screen->getMainMenu(), 0);
    EXPECT_EQ(resume, CCMenuGamepadInputDispatcher::sharedDispatcher()->getFocusMenuItem(0));

    resume->activate();
    EXPECT_EQ(1, m_recorder.resumes);
    EXPECT_FALSE(CCDirector::sharedDirector()->isPaused());
    m_game->setPaused(false);
    stepFrames(30, 1.0f / 60.0f);
    EXPECT_FALSE(m_screen->isVisible());
    EXPECT_EQ(1, signals.closed);

    itemWithBlockOf(m_screen->getMainMenu(), 1)->activate();
    EXPECT_EQ(1, m_recorder.restarts);
}

TEST_F(PauseScreenTest, UnpausingWhileItOpensLeavesTheDirectorRunning)
{
    m_game->setPaused(true);
    stepFrames(5, 1.0f / 60.0f);
    m_game->setPaused(false);
    stepFrames(40, 1.0f / 60.0f);
    EXPECT_FALSE(m_screen->isVisible());
    EXPECT_FALSE(m_screen->isClosing());
    EXPECT_FALSE(CCDirector::sharedDirector()->isPaused());
}

TEST_F(PauseScreenTest, PadMovesToTheVisuallyAdjacentItemBetweenTheVolumeAndTheMainMenus)
{
    openByPausing();
    CCMenuGamepadInputDispatcher* pad = CCMenuGamepadInputDispatcher::sharedDispatcher();
    CCMenuItem* resume = itemWithBlockOf(m_screen->getMainMenu(), 0);
    CCMenuItem* restart = itemWithBlockOf(m_screen->getMainMenu(), 1);

    // Up from Resume reaches the effects row right above it, then the music row.
    pad->handleMenuInput(kMenuGamepadInput_Up, 0);
    EXPECT_EQ(m_screen->getVolumeMenu(), pad->getActiveMenu(0));
    EXPECT_EQ(m_screen->getSFXVolumeDecButton(), pad->getFocusMenuItem(0));
    pad->handleMenuInput(kMenuGamepadInput_Up, 0);
    EXPECT_EQ(m_screen->getMusicVolumeDecButton(), pad->getFocusMenuItem(0));
    // Down from the music row is the menu's own move; down from the effects row reaches Resume.
    pad->handleMenuInput(kMenuGamepadInput_Down, 0);
    EXPECT_EQ(m_screen->getSFXVolumeDecButton(), pad->getFocusMenuItem(0));
    pad->handleMenuInput(kMenuGamepadInput_Down, 0);
    EXPECT_EQ(m_screen->getMainMenu(), pad->getActiveMenu(0));
    EXPECT_EQ(resume, pad->getFocusMenuItem(0));
    // Within the main menu up and down step one item; Restart's up is Resume.
    pad->handleMenuInput(kMenuGamepadInput_Down, 0);
    EXPECT_EQ(restart, pad->getFocusMenuItem(0));
    pad->handleMenuInput(kMenuGamepadInput_Up, 0);
    EXPECT_EQ(resume, pad->getFocusMenuItem(0));

    // With the volume controls hidden, up stays on the main menu.
    m_screen->getVolumeControls()->setVisible(false);
    pad->handleMenuInput(kMenuGamepadInput_Up, 0);
    EXPECT_EQ(m_screen->getMainMenu(), pad->getActiveMenu(0));
    EXPECT_EQ(resume, pad->getFocusMenuItem(0));
}

TEST_F(PauseScreenTest, QuitLeavesForTheTitleWithoutAQuestion)
{
    openByPausing();
    itemWithBlockOf(m_screen->getMainMenu(), 2)->activate();
    EXPECT_EQ(nullptr, questionOf(m_screen));
    EXPECT_FALSE(CCDirector::sharedDirector()->isPaused());
    // A second press while the screen leaves counts once.
    itemWithBlockOf(m_screen->getMainMenu(), 2)->activate();
    stepFrames(60, 1.0f / 60.0f);
    EXPECT_EQ(1, m_recorder.quits);
    EXPECT_FALSE(m_screen->isVisible());
}

TEST_F(PauseScreenTest, QuittingToTheTitleElsewhereClosesIt)
{
    openByPausing();
    m_game->getQuitToTitleSignal().emit();
    stepFrames(30, 1.0f / 60.0f);
    EXPECT_FALSE(m_screen->isVisible());
    EXPECT_FALSE(CCDirector::sharedDirector()->isPaused());
    EXPECT_EQ(0, m_recorder.quits);
}
