#include "VornTestSupport.h"
#include "SimpleAudioEngine.h"

#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

USING_NS_CC;
using CocosDenshion::SimpleAudioEngine;

namespace
{
void put16(std::string& out, uint16_t v)
{
    out += (char)(v & 0xFF);
    out += (char)(v >> 8);
}

void put32(std::string& out, uint32_t v)
{
    put16(out, (uint16_t)(v & 0xFFFF));
    put16(out, (uint16_t)(v >> 16));
}

// A mono 16-bit PCM WAV: a quiet square wave, long enough to still play while a test looks.
std::string makeWav(int samples)
{
    const uint32_t rate = 22050;
    std::string wav = "RIFF";
    put32(wav, 36 + samples * 2);
    wav += "WAVEfmt ";
    put32(wav, 16);
    put16(wav, 1);  // PCM
    put16(wav, 1);  // mono
    put32(wav, rate);
    put32(wav, rate * 2);
    put16(wav, 2);
    put16(wav, 16);
    wav += "data";
    put32(wav, samples * 2);
    for (int i = 0; i < samples; ++i)
    {
        put16(wav, (uint16_t)((i / 50) % 2 ? 1000 : -1000));
    }
    return wav;
}

class AudioTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string root = vorntest::makeTempDir("audio");
        mkdir((root + "/sfx").c_str(), 0755);
        mkdir((root + "/music").c_str(), 0755);
        vorntest::writeFile(root + "/sfx/menu-select.wav", makeWav(22050));
        vorntest::writeFile(root + "/sfx/hit.wav", makeWav(2205));
        vorntest::writeFile(root + "/music/theme.wav", makeWav(44100));
        vorntest::writeFile(root + "/sfx/broken.wav", "RIFF not really");
        CCFileUtils::sharedFileUtils()->setResourceDirectory(root.c_str());
        m_audio = SimpleAudioEngine::sharedEngine();
    }
    void TearDown() override
    {
        SimpleAudioEngine::end();
        CCFileUtils::sharedFileUtils()->setResourceDirectory("Resources/");
    }

    SimpleAudioEngine* m_audio;
};
} // namespace

TEST_F(AudioTest, EffectIdsStartAtOneAndAStaleIdStopsNothing)
{
    const unsigned int first = m_audio->playEffect("sfx/menu-select.wav", true);
    const unsigned int second = m_audio->playEffect("SFX/Hit.wav", true);
    EXPECT_EQ(1u, first);
    EXPECT_EQ(2u, second);
    EXPECT_EQ(2, Mix_Playing(-1));

    m_audio->stopEffect(first);
    EXPECT_EQ(1, Mix_Playing(-1));
    // The freed channel is taken by a new sound: the old id must not reach it.
    const unsigned int third = m_audio->playEffect("sfx/menu-select.wav", true);
    EXPECT_EQ(3u, third);
    m_audio->stopEffect(first);
    m_audio->stopEffect(0);
    m_audio->stopEffect(9999);
    EXPECT_EQ(2, Mix_Playing(-1));

    m_audio->pauseEffect(third);
    EXPECT_EQ(1, Mix_Paused(-1));
    m_audio->resumeEffect(third);
    EXPECT_EQ(0, Mix_Paused(-1));

    // Unloading a playing effect stops it first.
    m_audio->unloadEffect("sfx/hit.wav");
    EXPECT_EQ(1, Mix_Playing(-1));
    m_audio->stopAllEffects();
    EXPECT_EQ(0, Mix_Playing(-1));
    // Ids keep counting after stops and unloads: never reused in a run.
    EXPECT_EQ(4u, m_audio->playEffect("sfx/hit.wav", false));
}

TEST_F(AudioTest, MissingOrBrokenFilesLogOnceAndGiveZero)
{
    vorntest::LogCapture log;
    const char* bad[] = { "sfx/missing.wav", "sfx/broken.wav", "", NULL };
    for (const char* name : bad)
    {
        m_audio->preloadEffect(name);
        EXPECT_EQ(0u, m_audio->playEffect(name, false)) << (name ? name : "NULL");
        EXPECT_EQ(0u, m_audio->playEffect(name, true)) << (name ? name : "NULL");
    }
    EXPECT_EQ(2u, log.lines().size());
    EXPECT_TRUE(log.contains("ERROR"));
    EXPECT_TRUE(log.contains("missing.wav"));

    m_audio->playBackgroundMusic("music/missing.ogg", true);
    EXPECT_FALSE(m_audio->isBackgroundMusicPlaying());
    EXPECT_TRUE(log.contains("missing.ogg"));
    // A good effect still gets the first id.
    EXPECT_EQ(1u, m_audio->playEffect("sfx/hit.wav", false));
}

TEST_F(AudioTest, BackgroundMusicPlayPauseResumeStop)
{
    m_audio->playBackgroundMusic("music/theme.wav", true);
    EXPECT_TRUE(m_audio->isBackgroundMusicPlaying());
    m_audio->pauseBackgroundMusic();
    EXPECT_FALSE(m_audio->isBackgroundMusicPlaying());
    m_audio->resumeBackgroundMusic();
    EXPECT_TRUE(m_audio->isBackgroundMusicPlaying());
    m_audio->playBackgroundMusic("music/theme.wav", true);  // the same again restarts it
    EXPECT_TRUE(m_audio->isBackgroundMusicPlaying());
    m_audio->stopBackgroundMusic();
    EXPECT_FALSE(m_audio->isBackgroundMusicPlaying());
    EXPECT_TRUE(m_audio->willPlayBackgroundMusic());
    m_audio->stopBackgroundMusic(true);
    EXPECT_FALSE(m_audio->willPlayBackgroundMusic());

    // OGG and MP3 decoders are there too.
    const int wanted = MIX_INIT_OGG | MIX_INIT_MP3;
    EXPECT_EQ(wanted, Mix_Init(wanted) & wanted);
    Mix_Quit();  // balances the extra Mix_Init above
}

TEST_F(AudioTest, VolumesAreKeptAsSet)
{
    EXPECT_EQ(1.0f, m_audio->getEffectsVolume());
    EXPECT_EQ(1.0f, m_audio->getBackgroundMusicVolume());
    const float volumes[] = { 0.37f, 0.0f, 0.25f * 0.25f, 1.5f, -0.2f };
    for (float v : volumes)
    {
        m_audio->setEffectsVolume(v);
        m_audio->setBackgroundMusicVolume(v);
        EXPECT_EQ(v, m_audio->getEffectsVolume());
        EXPECT_EQ(v, m_audio->getBackgroundMusicVolume());
    }
    m_audio->setEffectsVolume(0.5f);
    m_audio->playEffect("sfx/hit.wav", true);
    EXPECT_EQ(MIX_MAX_VOLUME / 2, Mix_Volume(-1, -1));
}

TEST_F(AudioTest, LimitQueryIsTheSecondVirtualAndAnswersNo)
{
    EXPECT_FALSE(m_audio->isEffectLimitSupported());
    // Itanium C++ ABI: a pointer to a virtual member holds 1 + its byte offset in the vtable.
    // The virtual destructor takes the first two entries, so the query sits right after them.
    bool (SimpleAudioEngine::*query)() = &SimpleAudioEngine::isEffectLimitSupported;
    uintptr_t encoded = 0;
    memcpy(&encoded, &query, sizeof(encoded));
    EXPECT_EQ(1 + 2 * sizeof(void*), encoded);
}

TEST(AudioNoDevice, LogsOnceAndStaysSilent)
{
    const char* saved = getenv("SDL_AUDIODRIVER");
    const std::string savedDriver = saved ? saved : "";
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    {
        vorntest::LogCapture log;
        SimpleAudioEngine* audio = SimpleAudioEngine::sharedEngine();
        for (int i = 0; i < 3; ++i)
        {
            audio->preloadEffect("sfx/hit.wav");
            EXPECT_EQ(0u, audio->playEffect("sfx/hit.wav", true));
            audio->playBackgroundMusic("music/theme.wav", true);
            EXPECT_FALSE(audio->isBackgroundMusicPlaying());
            audio->pauseBackgroundMusic();
            audio->stopEffect(1);
            audio->stopAllEffects();
            audio->unloadEffect("sfx/hit.wav");
        }
        audio->setEffectsVolume(0.3f);
        EXPECT_EQ(0.3f, audio->getEffectsVolume());
        EXPECT_EQ(1u, log.lines().size());
        SimpleAudioEngine::end();
    }
    if (saved)
    {
        setenv("SDL_AUDIODRIVER", savedDriver.c_str(), 1);
    }
    else
    {
        unsetenv("SDL_AUDIODRIVER");
    }
}
