#include "CCAnimatingSprite.h"
#include "GameManager.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

USING_NS_CC;

namespace
{
class AnimatingSpriteTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_manager = new GameManager();
        m_sheet = vorntest::fixturePath("framework/nodes/anim.plist");
    }
    void TearDown() override
    {
        delete m_manager;
        CCSpriteFrameCache::purgeSharedSpriteFrameCache();
    }

    // Index into the sprite's frames of the one it shows, -1 when none.
    static int shownFrame(CCAnimatingSprite* sprite)
    {
        CCArray* frames = sprite->getFrames();
        for (unsigned int i = 0; frames && i < frames->count(); ++i)
        {
            if (sprite->isFrameDisplayed(static_cast<CCSpriteFrame*>(frames->objectAtIndex(i)))) return (int)i;
        }
        return -1;
    }

    CCAnimatingSprite* runner(bool bounce)
    {
        CCAnimatingSprite* sprite = CCAnimatingSprite::create();
        sprite->setWildcard("run_");
        sprite->setBounce(bounce);
        EXPECT_TRUE(sprite->playFile(m_sheet.c_str()));
        return sprite;
    }

    CCScopedAutoreleasePool m_pool;
    GameManager* m_manager = NULL;
    std::string m_sheet;
};
} // namespace

TEST_F(AnimatingSpriteTest, ALongTickAdvancesSeveralFramesAndKeepsTheRemainder)
{
    CCAnimatingSprite* sprite = runner(false);
    ASSERT_EQ(4u, sprite->getFrames()->count());
    unsigned int start = sprite->getCurrentFrame();
    EXPECT_EQ((int)start, shownFrame(sprite));

    sprite->tick(0.35f);
    EXPECT_EQ((start + 3) % 4, sprite->getCurrentFrame());
    EXPECT_EQ((int)((start + 3) % 4), shownFrame(sprite));
    EXPECT_NEAR(0.05f, sprite->getTimer(), 1e-5);
}

TEST_F(AnimatingSpriteTest, BounceRunsDownAndBackUpAfterRestart)
{
    CCAnimatingSprite* sprite = runner(true);
    sprite->setDelay(1.0f);
    sprite->restart();
    EXPECT_EQ(0, shownFrame(sprite));

    // Exact binary steps: 0.25 stays in the timer, each further tick of 1.0 is one frame.
    std::vector<int> shown;
    sprite->tick(0.25f);
    shown.push_back(shownFrame(sprite));
    for (int i = 0; i < 6; ++i)
    {
        sprite->tick(1.0f);
        shown.push_back(shownFrame(sprite));
    }
    EXPECT_EQ((std::vector<int>{ 3, 2, 1, 0, 1, 2, 3 }), shown);
}

TEST_F(AnimatingSpriteTest, OneFrameBouncingAndNoLoopHoldTheirFrame)
{
    CCAnimatingSprite* single = CCAnimatingSprite::create();
    single->setWildcard("idle_");
    single->setBounce(true);
    ASSERT_TRUE(single->playFile(m_sheet.c_str()));
    ASSERT_EQ(1u, single->getFrames()->count());
    single->tick(0.55f);  // no division by an empty bounce cycle
    EXPECT_EQ(0, shownFrame(single));

    CCAnimatingSprite* held = runner(false);
    held->setNoLoop(true);
    held->restart();
    for (int i = 0; i < 10; ++i) held->tick(0.15f);
    EXPECT_EQ(3u, held->getCurrentFrame());
}

TEST_F(AnimatingSpriteTest, NonPositiveAndTinyDelays)
{
    CCAnimatingSprite* sprite = runner(false);
    unsigned int start = sprite->getCurrentFrame();
    sprite->setDelay(0.0f);
    sprite->tick(5.0f);
    EXPECT_EQ(start, sprite->getCurrentFrame());
    sprite->setDelay(-1.0f);
    sprite->tick(5.0f);
    EXPECT_EQ(start, sprite->getCurrentFrame());

    // So small that subtracting it changes nothing: the tick still ends, the timer below the delay.
    sprite->setDelay(1e-30f);
    sprite->tick(0.35f);
    EXPECT_LE(sprite->getTimer(), 1e-30f);
    EXPECT_GE(shownFrame(sprite), 0);
}

TEST_F(AnimatingSpriteTest, WildcardsFilterAndAFailedPlayKeepsTheAnimation)
{
    CCAnimatingSprite* sprite = runner(false);
    CCArray* before = sprite->getFrames();
    sprite->setWildcard("nothing-matches");
    EXPECT_EQ(before, sprite->getFrames());
    EXPECT_FALSE(sprite->playFile(m_sheet.c_str()));
    EXPECT_EQ(4u, sprite->getFrames()->count());

    sprite->setWildcardIsPrefix(true);
    sprite->setWildcard("un_");  // contained in every run frame, but no prefix
    EXPECT_EQ(before, sprite->getFrames());
    sprite->setWildcardIsPrefix(false);
    sprite->setWildcard("un_");
    EXPECT_EQ(4u, sprite->getFrames()->count());
    EXPECT_NE(before, sprite->getFrames());

    sprite->setWildcard("");
    EXPECT_EQ(5u, sprite->getFrames()->count());

    // Naming a file without playing it does not stop the next play from loading it.
    CCAnimatingSprite* named = CCAnimatingSprite::create();
    named->setFile(m_sheet);
    EXPECT_TRUE(named->playFile(m_sheet.c_str()));

    vorntest::LogCapture log;
    EXPECT_FALSE(named->playFile("no-such-sheet.plist"));
    EXPECT_EQ(5u, named->getFrames()->count());
}

TEST_F(AnimatingSpriteTest, PauseStopsGameUpdateSpritesButNotThoseIgnoringIt)
{
    CCAnimatingSprite* normal = runner(false);
    CCAnimatingSprite* ignoring = runner(false);
    ignoring->setIgnorePause(true);
    normal->setDelay(1.0f);
    ignoring->setDelay(1.0f);
    normal->restart();
    ignoring->restart();

    m_manager->setPaused(true);
    m_manager->tick(1.5f);
    EXPECT_EQ(0u, normal->getCurrentFrame());
    EXPECT_EQ(1u, ignoring->getCurrentFrame());

    m_manager->setPaused(false);
    m_manager->tick(1.5f);
    EXPECT_EQ(1u, normal->getCurrentFrame());
    EXPECT_EQ(2u, ignoring->getCurrentFrame());

    // Back on the game update: paused again, it stands still.
    ignoring->setIgnorePause(false);
    m_manager->setPaused(true);
    m_manager->tick(1.5f);
    EXPECT_EQ(2u, ignoring->getCurrentFrame());
}

TEST_F(AnimatingSpriteTest, ASpriteFromAFileTicksOnlyWhenAsked)
{
    CCAnimatingSprite* sprite =
        CCAnimatingSprite::animatingSpriteWithFile(vorntest::fixturePath("framework/nodes/anim.png").c_str());
    ASSERT_TRUE(sprite != NULL);
    sprite->setWildcard("run_");
    ASSERT_TRUE(sprite->playFile(m_sheet.c_str()));
    sprite->setDelay(1.0f);
    sprite->restart();
    m_manager->tick(1.5f);
    EXPECT_EQ(0u, sprite->getCurrentFrame());
    sprite->setIgnorePause(true);
    m_manager->tick(1.5f);
    EXPECT_EQ(1u, sprite->getCurrentFrame());

    EXPECT_EQ(NULL, CCAnimatingSprite::animatingSpriteWithFile("missing.png"));
}
