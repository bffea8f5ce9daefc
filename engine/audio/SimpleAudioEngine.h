#ifndef __SIMPLE_AUDIO_ENGINE_H__
#define __SIMPLE_AUDIO_ENGINE_H__

#include <map>
#include <set>
#include <string>
#include <vector>

struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

namespace CocosDenshion
{
/**
 * Background music and sound effects over SDL2_mixer (WAV, OGG, MP3). Paths resolve through
 * CCFileUtils. Without an audio device the engine logs once and stays silent: every call is
 * still safe, volumes are still kept, and playEffect answers 0.
 */
class SimpleAudioEngine
{
public:
    static SimpleAudioEngine* sharedEngine();
    /** Stops everything, frees every sound and closes the device. */
    static void end();

    virtual ~SimpleAudioEngine();
    /** Whether callers must keep the number of loaded effects down: never needed here. */
    virtual bool isEffectLimitSupported();

    void preloadBackgroundMusic(const char* pszFilePath);
    void playBackgroundMusic(const char* pszFilePath, bool bLoop = false);
    void stopBackgroundMusic(bool bReleaseData = false);
    void pauseBackgroundMusic();
    void resumeBackgroundMusic();
    void rewindBackgroundMusic();
    bool willPlayBackgroundMusic();
    /** True while music plays; paused music counts as not playing. */
    bool isBackgroundMusicPlaying();
    /** The volume as last set (0..1; out-of-range values are kept but clamped when applied). */
    float getBackgroundMusicVolume();
    void setBackgroundMusicVolume(float volume);

    float getEffectsVolume();
    void setEffectsVolume(float volume);

    /**
     * Plays an effect, loading it first if needed. The id is never 0 and never reused in a run,
     * so stopping a finished effect's id never touches another sound; 0 when nothing plays.
     */
    unsigned int playEffect(const char* pszFilePath, bool bLoop = false);
    void pauseEffect(unsigned int nSoundId);
    void pauseAllEffects();
    void resumeEffect(unsigned int nSoundId);
    void resumeAllEffects();
    void stopEffect(unsigned int nSoundId);
    void stopAllEffects();
    void preloadEffect(const char* pszFilePath);
    void unloadEffect(const char* pszFilePath);

private:
    SimpleAudioEngine();
    bool ensureOpen();
    Mix_Chunk* loadEffect(const char* pszFilePath);
    int channelOf(unsigned int nSoundId) const;
    void applyMusicVolume();

    enum State { kStateClosed, kStateOpen, kStateSilent };
    State m_state;
    float m_musicVolume;
    float m_effectsVolume;
    Mix_Music* m_music;
    std::string m_musicPath;
    std::map<std::string, Mix_Chunk*> m_effects;  ///< by full path
    std::set<std::string> m_failedEffects;        ///< logged once each
    std::vector<unsigned int> m_channelIds;        ///< the id last started on each channel
    unsigned int m_nextId;
};
} // namespace CocosDenshion

#endif // __SIMPLE_AUDIO_ENGINE_H__
