#include "ManagerTestSupport.h"
#include "SFXManager.h"
#include "SimpleAudioEngine.h"

#include <sys/stat.h>

USING_NS_CC;
using CocosDenshion::SimpleAudioEngine;

namespace
{
class SFXManagerTest : public SavedSettingsTest
{
protected:
    void TearDown() override
    {
        SimpleAudioEngine::end();
        SavedSettingsTest::TearDown();
    }
};

// Answers the limit query itself, as an audio engine that keeps few effects would.
class LimitedSFXManager : public SFXManager
{
protected:
    bool isEffectLimitActive() override { return true; }
};

bool settingsFileExists()
{
    struct stat info;
    return stat(CCUserDefault::getXMLFilePath().c_str(), &info) == 0;
}
}

TEST_F(SFXManagerTest, SavedVolumeIsSquaredForTheEngineAndOnlyChangesAreWritten)
{
    CCUserDefault::sharedUserDefault()->setFloatForKey("SFXMasterVolume", 0.8f);
    CCUserDefault::purgeSharedUserDefault();
    SFXManager* manager = new SFXManager();
    EXPECT_TRUE(manager->init());
    EXPECT_FLOAT_EQ(0.8f, manager->getMasterVolume());
    EXPECT_NEAR(0.64f, SimpleAudioEngine::sharedEngine()->getEffectsVolume(), 1e-6f);

    // An equal value writes nothing: the settings file stays gone.
    CCUserDefault::purgeSharedUserDefault();
    ASSERT_EQ(0, remove(CCUserDefault::getXMLFilePath().c_str()));
    manager->setMasterVolume(0.8f);
    CCUserDefault::purgeSharedUserDefault();
    EXPECT_FALSE(settingsFileExists());
    manager->setMasterVolume(0.3f);
    EXPECT_TRUE(settingsFileExists());
    EXPECT_FLOAT_EQ(0.3f, CCUserDefault::sharedUserDefault()->getFloatForKey("SFXMasterVolume"));
    manager->tick(0.0f);
    EXPECT_NEAR(0.09f, SimpleAudioEngine::sharedEngine()->getEffectsVolume(), 1e-6f);
    manager->release();
}

TEST_F(SFXManagerTest, DefaultVolumeAndTheFirstManagerStaysShared)
{
    SFXManager* first = new SFXManager();
    first->init();
    EXPECT_FLOAT_EQ(0.5f, first->getMasterVolume());
    EXPECT_NEAR(0.25f, SimpleAudioEngine::sharedEngine()->getEffectsVolume(), 1e-6f);
    SFXManager* second = new SFXManager();
    EXPECT_EQ(first, SFXManager::sharedSFXManager());
    first->release();
    EXPECT_EQ(NULL, SFXManager::sharedSFXManager());
    second->release();
}

TEST_F(SFXManagerTest, IdlestEffectIsUnloadedOnlyWhenTheEngineAsksForALimit)
{
    char name[32];
    SFXManager plain;
    for (int i = 0; i < 24; ++i)
    {
        snprintf(name, sizeof(name), "sfx/missing-%02d.wav", i);
        plain.preloadSFX(name);
    }
    for (SFXManager::SoundMap::iterator it = plain.getSounds().begin(); it != plain.getSounds().end(); ++it)
    {
        EXPECT_TRUE(it->second.loaded) << it->first;  // ours never asks for a limit
    }

    LimitedSFXManager limited;
    for (int i = 0; i < 23; ++i)
    {
        snprintf(name, sizeof(name), "sfx/missing-%02d.wav", i);
        limited.preloadSFX(name);
    }
    limited.playSFX("sfx/missing-00.wav");  // the oldest is played again, so it is kept
    limited.preloadSFX("sfx/new.wav");
    EXPECT_TRUE(limited.findSFX("sfx/missing-00.wav")->loaded);
    EXPECT_FALSE(limited.findSFX("sfx/missing-01.wav")->loaded);
    EXPECT_TRUE(limited.findSFX("sfx/missing-02.wav")->loaded);
    EXPECT_TRUE(limited.findSFX("sfx/new.wav")->loaded);
    EXPECT_FLOAT_EQ(0.0f, limited.findSFX("sfx/new.wav")->idleTime);
    EXPECT_EQ(NULL, limited.findSFX("sfx/never.wav"));

    // An empty name makes no record.
    limited.preloadSFX("");
    EXPECT_EQ(24u, limited.getSounds().size());
}
