#include "FlowTestSupport.h"
#include "MusicManager.h"
#include "SimpleAudioEngine.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

USING_NS_CC;
using CocosDenshion::SimpleAudioEngine;
using flowtest::GameTest;

class MusicManagerTest : public GameTest
{
protected:
    SimpleAudioEngine* audio() { return SimpleAudioEngine::sharedEngine(); }
};

TEST_F(MusicManagerTest, PlaysSwitchesKeepsAndStopsTracks)
{
    MusicManager* music = m_game->getMusicManager();
    ASSERT_NE(nullptr, music);
    EXPECT_EQ("", music->getCurrentTrack());

    music->play("Street");
    EXPECT_EQ("Street", music->getCurrentTrack());
    EXPECT_TRUE(audio()->isBackgroundMusicPlaying());

    // The same track again is not restarted (a restart would also undo this pause).
    audio()->pauseBackgroundMusic();
    music->play("Street");
    EXPECT_FALSE(audio()->isBackgroundMusicPlaying());
    audio()->resumeBackgroundMusic();

    music->play("Boss");
    EXPECT_EQ("Boss", music->getCurrentTrack());
    EXPECT_TRUE(audio()->isBackgroundMusicPlaying());

    // Tracks that can't play leave the music on and the current track as it was.
    CCDictionary* broken = CCDictionary::create();
    broken->setObject(CCString::create(""), "Intro");
    music->getTracks()->setObject(broken, "Empty");
    CCDictionary* gone = CCDictionary::create();
    gone->setObject(CCString::create("nowhere.mp3"), "Intro");
    music->getTracks()->setObject(gone, "Gone");
    vorntest::LogCapture log;
    music->play("Nope");
    music->play("Empty");
    music->play("Gone");
    music->play(NULL);
    EXPECT_TRUE(log.contains("no track named 'Nope'"));
    EXPECT_TRUE(log.contains("track 'Empty' names no music file"));
    EXPECT_TRUE(log.contains("music/nowhere.mp3 is missing"));
    EXPECT_EQ("Boss", music->getCurrentTrack());
    EXPECT_TRUE(audio()->isBackgroundMusicPlaying());

    music->stop();
    EXPECT_FALSE(audio()->isBackgroundMusicPlaying());
    EXPECT_EQ("", music->getCurrentTrack());
    music->play("Boss");
    EXPECT_TRUE(audio()->isBackgroundMusicPlaying());
}

TEST_F(MusicManagerTest, TheEngineGetsTheSquaredVolumeEveryFrame)
{
    MusicManager* music = m_game->getMusicManager();
    music->setMasterVolume(0.5f);
    m_game->tick(0.01f);
    EXPECT_FLOAT_EQ(0.25f, audio()->getBackgroundMusicVolume());
    // Someone else touching the engine's volume is overruled on the next frame, paused or not.
    audio()->setBackgroundMusicVolume(0.9f);
    m_game->setPaused(true);
    m_game->tick(0.01f);
    EXPECT_FLOAT_EQ(0.25f, audio()->getBackgroundMusicVolume());

    music->setMasterVolume(0.8f);
    m_game->tick(0.01f);
    EXPECT_FLOAT_EQ(0.64f, audio()->getBackgroundMusicVolume());
    EXPECT_FLOAT_EQ(0.8f, CCUserDefault::sharedUserDefault()->getFloatForKey(MusicManager::kMasterVolumeKey, -1.0f));

    music->setMasterVolume(3.0f);
    EXPECT_FLOAT_EQ(1.0f, music->getMasterVolume());
    music->setMasterVolume(-1.0f);
    EXPECT_FLOAT_EQ(0.0f, music->getMasterVolume());
    music->setMasterVolume(NAN);
    EXPECT_FLOAT_EQ(0.0f, music->getMasterVolume());

    // A new run starts at the saved volume.
    music->setMasterVolume(0.3f);
    MusicManager fresh;
    ASSERT_TRUE(fresh.init());
    EXPECT_FLOAT_EQ(0.3f, fresh.getMasterVolume());
    EXPECT_FLOAT_EQ(0.09f, audio()->getBackgroundMusicVolume());
    music->setMasterVolume(0.5f);
}

TEST_F(MusicManagerTest, MusicFollowsPauseBackgroundAndQuitToTitle)
{
    MusicManager* music = m_game->getMusicManager();
    music->play("Street");
    m_game->setPaused(true);
    EXPECT_TRUE(music->isPaused());
    EXPECT_FALSE(audio()->isBackgroundMusicPlaying());
    // Paused again: nothing more happens; minimising and coming back keep it paused.
    m_game->setPaused(true);
    m_game->applicationDidEnterBackground();
    m_game->applicationWillEnterForeground();
    EXPECT_FALSE(audio()->isBackgroundMusicPlaying());

    m_game->getQuitToTitleSignal().emit();
    EXPECT_FALSE(music->isPaused());
    EXPECT_TRUE(audio()->isBackgroundMusicPlaying());

    m_game->applicationDidEnterBackground();
    EXPECT_FALSE(audio()->isBackgroundMusicPlaying());
    m_game->applicationWillEnterForeground();
    EXPECT_TRUE(audio()->isBackgroundMusicPlaying());
    m_game->setPaused(false);
    EXPECT_TRUE(audio()->isBackgroundMusicPlaying());
}

TEST(MusicManagerFiles, AMissingTrackListLeavesTheGameSilent)
{
    CCScopedAutoreleasePool pool;
    CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::makeTempDir("no-music").c_str());
    vorntest::LogCapture log;
    MusicManager music;
    EXPECT_TRUE(music.init());
    EXPECT_TRUE(log.contains("can't read music/music.plist"));
    music.play("Menu");
    EXPECT_EQ("", music.getCurrentTrack());
    SimpleAudioEngine::end();
}
