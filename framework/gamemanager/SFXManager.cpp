#include "SFXManager.h"

#include "CCFileUtils.h"
#include "CCUserDefault.h"
#include "GameManager.h"
#include "SimpleAudioEngine.h"

#include <algorithm>
#include <cmath>
#include <vector>

using CocosDenshion::SimpleAudioEngine;

NS_CC_BEGIN

static SFXManager* s_pSharedSFXManager = NULL;
static const char* const kMasterVolumeKey = "SFXMasterVolume";

// Sound names come from content and scripts: through the gate for such names.
static std::string fullPathOf(const std::string& fileName, const char* caller)
{
    return CCFileUtils::sharedFileUtils()->fullPathForContentName(fileName, caller);
}

SFXManager::SFXManager() : m_fMasterVolume(0.5f)
{
    if (s_pSharedSFXManager == NULL)
    {
        s_pSharedSFXManager = this;
    }
}

SFXManager::~SFXManager()
{
    // Disconnecting what was never connected is harmless; a destroyed game manager took its signal along.
    if (GameManager::getInstance() != NULL)
    {
        GameManager::getInstance()->getUpdateSignal().disconnect(this, &SFXManager::tick);
    }
    if (s_pSharedSFXManager == this)
    {
        s_pSharedSFXManager = NULL;
    }
}

SFXManager* SFXManager::sharedSFXManager()
{
    return s_pSharedSFXManager;
}

bool SFXManager::init()
{
    setMasterVolume(CCUserDefault::sharedUserDefault()->getFloatForKey(kMasterVolumeKey, m_fMasterVolume));
    if (GameManager::getInstance() != NULL)
    {
        GameManager::getInstance()->getUpdateSignal().connect(this, &SFXManager::tick);
    }
    tick(0.0f);
    return true;
}

void SFXManager::setMasterVolume(float volume)
{
    if (volume == m_fMasterVolume)
    {
        return;
    }
    m_fMasterVolume = volume;
    CCUserDefault::sharedUserDefault()->setFloatForKey(kMasterVolumeKey, volume);
    CCUserDefault::sharedUserDefault()->flush();
}

void SFXManager::tick(float dt)
{
    for (SoundMap::iterator it = m_sounds.begin(); it != m_sounds.end(); ++it)
    {
        it->second.idleTime += dt;
    }
    // Only push the volume when it drifts, not every frame.
    const float effectsVolume = m_fMasterVolume * m_fMasterVolume;
    SimpleAudioEngine* audio = SimpleAudioEngine::sharedEngine();
    if (fabsf(audio->getEffectsVolume() - effectsVolume) >= 0.001f)
    {
        audio->setEffectsVolume(effectsVolume);
    }
}

bool SFXManager::isEffectLimitActive()
{
    return SimpleAudioEngine::sharedEngine()->isEffectLimitSupported();
}

void SFXManager::preloadSFX(const char* fileName)
{
    if (fileName == NULL || fileName[0] == '\0')
    {
        return;
    }
    const std::string path = fullPathOf(fileName, "SFXManager::preloadSFX");
    if (path.empty())
    {
        return;
    }
    if (isEffectLimitActive())
    {
        unloadIdleSounds();
    }
    tSFXRecord* record = findSFX(fileName);
    if (record == NULL)
    {
        tick(0.01f);
        tSFXRecord fresh;
        fresh.fileName = fileName;
        fresh.idleTime = 0.0f;
        fresh.loaded = false;
        record = &(m_sounds[fileName] = fresh);
    }
    if (!record->loaded)
    {
        SimpleAudioEngine::sharedEngine()->preloadEffect(path.c_str());
        record->loaded = true;
        record->idleTime = 0.0f;
    }
}

unsigned int SFXManager::playSFX(const char* fileName)
{
    const std::string name = fileName ? fileName : "";
    if (name.empty())
    {
        return 0;
    }
    const std::string path = fullPathOf(name, "SFXManager::playSFX");
    if (path.empty())
    {
        return 0;
    }
    tSFXRecord* record = findSFX(name.c_str());
    if (record != NULL && record->loaded)
    {
        record->idleTime = 0.0f;
    }
    else
    {
        preloadSFX(name.c_str());
    }
    return SimpleAudioEngine::sharedEngine()->playEffect(path.c_str(), false);
}

void SFXManager::stopSFX(unsigned int effectId)
{
    SimpleAudioEngine::sharedEngine()->stopEffect(effectId);
}

tSFXRecord* SFXManager::findSFX(const char* fileName)
{
    SoundMap::iterator it = m_sounds.find(fileName ? fileName : "");
    return it == m_sounds.end() ? NULL : &it->second;
}

static bool idleLonger(const tSFXRecord* a, const tSFXRecord* b)
{
    return a->idleTime > b->idleTime;
}

void SFXManager::unloadIdleSounds()
{
    std::vector<tSFXRecord*> loaded;
    for (SoundMap::iterator it = m_sounds.begin(); it != m_sounds.end(); ++it)
    {
        if (it->second.loaded)
        {
            loaded.push_back(&it->second);
        }
    }
    if (loaded.size() <= kMaxLoadedEffects)
    {
        return;
    }
    // Stable, so equally idle effects go in name order.
    std::stable_sort(loaded.begin(), loaded.end(), idleLonger);
    const size_t excess = loaded.size() - kMaxLoadedEffects;
    for (size_t i = 0; i < excess; ++i)
    {
        // Only names the gate let in were loaded.
        SimpleAudioEngine::sharedEngine()->unloadEffect(
            CCFileUtils::sharedFileUtils()->fullPathForFilename(loaded[i]->fileName.c_str()).c_str());
        loaded[i]->loaded = false;
    }
}

NS_CC_END
