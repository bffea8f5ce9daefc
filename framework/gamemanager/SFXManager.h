#ifndef __SFX_MANAGER_H__
#define __SFX_MANAGER_H__

#include "CCObject.h"

#include <map>
#include <string>

NS_CC_BEGIN

/** What the manager knows of one effect file it has preloaded at least once. */
struct tSFXRecord
{
    std::string fileName;
    float idleTime;  ///< seconds since last preloaded or played
    bool loaded;     ///< whether the audio engine holds it now
};

/**
 * Plays the short sound effects, keeps the effects master volume (saved as "SFXMasterVolume";
 * the audio engine gets its square) and, where the audio engine wants the number of loaded
 * effects kept down, unloads the ones idle longest.
 */
class SFXManager : public CCObject
{
public:
    typedef std::map<std::string, tSFXRecord> SoundMap;

    /** The first manager made becomes the shared one until it is destroyed. */
    SFXManager();
    virtual ~SFXManager();

    static SFXManager* sharedSFXManager();

    /** Reads the saved volume and joins the game manager's every-frame update. Always true. */
    bool init();
    void tick(float dt);

    void preloadSFX(const char* fileName);
    /** Plays the effect once (preloading it if needed); the audio engine's effect id. */
    unsigned int playSFX(const char* fileName);
    void stopSFX(unsigned int effectId);
    /** The record for exactly this name, or NULL. */
    tSFXRecord* findSFX(const char* fileName);

    virtual float getMasterVolume() { return m_fMasterVolume; }
    /** Stores and saves the volume, only when it changes. */
    virtual void setMasterVolume(float volume);
    virtual SoundMap& getSounds() { return m_sounds; }
    virtual void setSounds(const SoundMap& sounds) { m_sounds = sounds; }

    /** Loaded effects kept before a preload when the audio engine asks for a limit. */
    static const unsigned int kMaxLoadedEffects = 22;

protected:
    /** Whether the audio engine wants the number of loaded effects kept down (asked per preload). */
    virtual bool isEffectLimitActive();

private:
    void unloadIdleSounds();

    float m_fMasterVolume;
    SoundMap m_sounds;
};

NS_CC_END

#endif // __SFX_MANAGER_H__
