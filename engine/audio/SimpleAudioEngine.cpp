#include "SimpleAudioEngine.h"

#include "CCAlsaLog.h"

#include "base/CCConsole.h"
#include "support/CCFileUtils.h"

#include <SDL.h>
#include <SDL_mixer.h>

using cocos2d::CCFileUtils;
using cocos2d::CCLog;

namespace CocosDenshion
{
namespace
{
const int kChannels = 32;
SimpleAudioEngine* s_sharedEngine = NULL;

int mixerVolume(float volume)
{
    if (!(volume > 0.0f))  // also NaN
    {
        return 0;
    }
    return volume >= 1.0f ? MIX_MAX_VOLUME : (int)(volume * MIX_MAX_VOLUME + 0.5f);
}

std::string fullPath(const char* pszFilePath)
{
    return pszFilePath && *pszFilePath ? CCFileUtils::sharedFileUtils()->fullPathForFilename(pszFilePath)
                                       : std::string();
}
} // namespace

SimpleAudioEngine* SimpleAudioEngine::sharedEngine()
{
    if (!s_sharedEngine)
    {
        s_sharedEngine = new SimpleAudioEngine();
    }
    return s_sharedEngine;
}

void SimpleAudioEngine::end()
{
    delete s_sharedEngine;
    s_sharedEngine = NULL;
}

SimpleAudioEngine::SimpleAudioEngine()
    : m_state(kStateClosed)
    , m_musicVolume(1.0f)
    , m_effectsVolume(1.0f)
    , m_music(NULL)
    , m_nextId(1)
{
}

SimpleAudioEngine::~SimpleAudioEngine()
{
    if (m_state != kStateOpen)
    {
        return;
    }
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    if (m_music)
    {
        Mix_FreeMusic(m_music);
    }
    for (std::map<std::string, Mix_Chunk*>::iterator it = m_effects.begin(); it != m_effects.end(); ++it)
    {
        Mix_FreeChunk(it->second);
    }
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SimpleAudioEngine::isEffectLimitSupported()
{
    return false;
}

// The device opens on first use; when it can't, say so once and stay silent for the whole run.
bool SimpleAudioEngine::ensureOpen()
{
    if (m_state != kStateClosed)
    {
        return m_state == kStateOpen;
    }
    m_state = kStateSilent;
    cocos2d::CCAlsaLogToDebug();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
    {
        CCLog("SimpleAudioEngine - no audio (%s); the game runs silent", SDL_GetError());
        return false;
    }
    const int wanted = MIX_INIT_OGG | MIX_INIT_MP3;
    const int got = Mix_Init(wanted);
    if ((got & wanted) != wanted)
    {
        CCLog("SimpleAudioEngine - some decoders are missing (%s)", Mix_GetError());
    }
    if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 1024) != 0)
    {
        CCLog("SimpleAudioEngine - no audio device (%s); the game runs silent", Mix_GetError());
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(kChannels);
    m_channelIds.assign(kChannels, 0);
    m_state = kStateOpen;
    Mix_Volume(-1, mixerVolume(m_effectsVolume));
    applyMusicVolume();
    return true;
}

void SimpleAudioEngine::applyMusicVolume()
{
    if (m_state == kStateOpen)
    {
        Mix_VolumeMusic(mixerVolume(m_musicVolume));
    }
}

// ---- Background music ----

void SimpleAudioEngine::preloadBackgroundMusic(const char* pszFilePath)
{
    std::string path = fullPath(pszFilePath);
    if (!ensureOpen() || path.empty() || (m_music && path == m_musicPath))
    {
        return;
    }
    Mix_Music* music = Mix_LoadMUS(path.c_str());
    if (!music)
    {
        CCLog("ERROR: SimpleAudioEngine - unable to load music %s (%s)", path.c_str(), Mix_GetError());
        return;
    }
    if (m_music)
    {
        Mix_HaltMusic();
        Mix_FreeMusic(m_music);
    }
    m_music = music;
    m_musicPath = path;
}

void SimpleAudioEngine::playBackgroundMusic(const char* pszFilePath, bool bLoop)
{
    preloadBackgroundMusic(pszFilePath);
    if (m_state != kStateOpen || !m_music || m_musicPath != fullPath(pszFilePath))
    {
        return;
    }
    // SDL_mixer counts plays, not repeats: 1 plays once, -1 forever.
    if (Mix_PlayMusic(m_music, bLoop ? -1 : 1) != 0)
    {
        CCLog("ERROR: SimpleAudioEngine - unable to play music %s (%s)", m_musicPath.c_str(), Mix_GetError());
    }
}

void SimpleAudioEngine::stopBackgroundMusic(bool bReleaseData)
{
    if (m_state != kStateOpen)
    {
        return;
    }
    Mix_HaltMusic();
    if (bReleaseData && m_music)
    {
        Mix_FreeMusic(m_music);
        m_music = NULL;
        m_musicPath.clear();
    }
}

void SimpleAudioEngine::pauseBackgroundMusic()
{
    if (m_state == kStateOpen)
    {
        Mix_PauseMusic();
    }
}

void SimpleAudioEngine::resumeBackgroundMusic()
{
    if (m_state == kStateOpen)
    {
        Mix_ResumeMusic();
    }
}

void SimpleAudioEngine::rewindBackgroundMusic()
{
    if (m_state == kStateOpen && Mix_PlayingMusic())
    {
        Mix_RewindMusic();
    }
}

bool SimpleAudioEngine::willPlayBackgroundMusic()
{
    return m_state == kStateOpen && m_music != NULL;
}

bool SimpleAudioEngine::isBackgroundMusicPlaying()
{
    return m_state == kStateOpen && Mix_PlayingMusic() && !Mix_PausedMusic();
}

float SimpleAudioEngine::getBackgroundMusicVolume()
{
    return m_musicVolume;
}

void SimpleAudioEngine::setBackgroundMusicVolume(float volume)
{
    m_musicVolume = volume;
    applyMusicVolume();
}

// ---- Effects ----

float SimpleAudioEngine::getEffectsVolume()
{
    return m_effectsVolume;
}

void SimpleAudioEngine::setEffectsVolume(float volume)
{
    m_effectsVolume = volume;
    if (m_state == kStateOpen)
    {
        Mix_Volume(-1, mixerVolume(volume));
    }
}

Mix_Chunk* SimpleAudioEngine::loadEffect(const char* pszFilePath)
{
    std::string path = fullPath(pszFilePath);
    if (!ensureOpen() || path.empty())
    {
        return NULL;
    }
    std::map<std::string, Mix_Chunk*>::iterator it = m_effects.find(path);
    if (it != m_effects.end())
    {
        return it->second;
    }
    const bool exists = CCFileUtils::sharedFileUtils()->isFileExist(path);
    Mix_Chunk* chunk = exists ? Mix_LoadWAV(path.c_str()) : NULL;
    if (!chunk)
    {
        // Once per file: a missing sound is played again and again.
        if (m_failedEffects.insert(path).second)
        {
            CCLog("ERROR: SimpleAudioEngine - unable to load effect %s (%s)", path.c_str(),
                  exists ? Mix_GetError() : "no such file");
        }
        return NULL;
    }
    m_effects[path] = chunk;
    return chunk;
}

void SimpleAudioEngine::preloadEffect(const char* pszFilePath)
{
    loadEffect(pszFilePath);
}

unsigned int SimpleAudioEngine::playEffect(const char* pszFilePath, bool bLoop)
{
    Mix_Chunk* chunk = loadEffect(pszFilePath);
    if (!chunk)
    {
        return 0;
    }
    int channel = Mix_PlayChannel(-1, chunk, bLoop ? -1 : 0);
    if (channel < 0 || channel >= (int)m_channelIds.size())
    {
        // Every channel busy: the sound is dropped, as a mixer does.
        if (channel >= 0)
        {
            Mix_HaltChannel(channel);
        }
        return 0;
    }
    Mix_Volume(channel, mixerVolume(m_effectsVolume));
    const unsigned int id = m_nextId++;
    if (m_nextId == 0)
    {
        m_nextId = 1;  // after four billion sounds; 0 stays "none"
    }
    m_channelIds[channel] = id;
    return id;
}

// The channel still playing that id, or -1 once it finished or its channel was taken over.
int SimpleAudioEngine::channelOf(unsigned int nSoundId) const
{
    if (nSoundId == 0 || m_state != kStateOpen)
    {
        return -1;
    }
    for (size_t c = 0; c < m_channelIds.size(); ++c)
    {
        if (m_channelIds[c] == nSoundId)
        {
            return Mix_Playing((int)c) ? (int)c : -1;
        }
    }
    return -1;
}

void SimpleAudioEngine::pauseEffect(unsigned int nSoundId)
{
    int channel = channelOf(nSoundId);
    if (channel >= 0)
    {
        Mix_Pause(channel);
    }
}

void SimpleAudioEngine::pauseAllEffects()
{
    if (m_state == kStateOpen)
    {
        Mix_Pause(-1);
    }
}

void SimpleAudioEngine::resumeEffect(unsigned int nSoundId)
{
    int channel = channelOf(nSoundId);
    if (channel >= 0)
    {
        Mix_Resume(channel);
    }
}

void SimpleAudioEngine::resumeAllEffects()
{
    if (m_state == kStateOpen)
    {
        Mix_Resume(-1);
    }
}

void SimpleAudioEngine::stopEffect(unsigned int nSoundId)
{
    int channel = channelOf(nSoundId);
    if (channel >= 0)
    {
        Mix_HaltChannel(channel);
        m_channelIds[channel] = 0;
    }
}

void SimpleAudioEngine::stopAllEffects()
{
    if (m_state == kStateOpen)
    {
        Mix_HaltChannel(-1);
        m_channelIds.assign(m_channelIds.size(), 0);
    }
}

void SimpleAudioEngine::unloadEffect(const char* pszFilePath)
{
    std::map<std::string, Mix_Chunk*>::iterator it = m_effects.find(fullPath(pszFilePath));
    if (it == m_effects.end())
    {
        return;
    }
    for (size_t c = 0; c < m_channelIds.size(); ++c)
    {
        if (Mix_GetChunk((int)c) == it->second)
        {
            Mix_HaltChannel((int)c);
            m_channelIds[c] = 0;
        }
    }
    Mix_FreeChunk(it->second);
    m_effects.erase(it);
}
} // namespace CocosDenshion
