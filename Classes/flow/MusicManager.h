#ifndef __MUSIC_MANAGER_H__
#define __MUSIC_MANAGER_H__

#include "CCDictionary.h"

#include <string>

NS_CC_BEGIN

/**
 * Plays the looping background music by track name ("music/music.plist": track -> {"Intro": file
 * under music/}), keeps the music master volume the player sets (saved as "MusicMasterVolume";
 * the audio engine gets its square, pushed every frame) and pauses the music with the game and
 * while the application is in the background.
 */
class MusicManager : public CCObject
{
public:
    MusicManager();
    virtual ~MusicManager();

    /** Reads the track list (a missing list is logged and leaves the game silent) and the saved volume. */
    bool init();
    /** Starts the track, looping; the track already playing goes on undisturbed. */
    void play(const char* trackName);
    /** Stops the music; the next play of any track starts it again. */
    void stop();
    void tick(float dt);

    virtual float getMasterVolume() { return m_fMasterVolume; }
    /** Stores and saves the volume (clamped to 0..1) only when it changes. */
    virtual void setMasterVolume(float volume);
    virtual bool isPaused() { return m_bPaused; }
    /** Pauses or resumes the music, only when the state changes. */
    virtual void setPaused(bool paused);
    virtual CCDictionary* getTracks() { return m_pTracks; }
    /** Retains the new list and releases the old one. */
    virtual void setTracks(CCDictionary* tracks);
    virtual const std::string& getCurrentTrack() { return m_sCurrentTrack; }
    virtual void setCurrentTrack(const std::string& track) { m_sCurrentTrack = track; }

    static const char* const kMasterVolumeKey;

protected:
    /** Whether the audio engine should get only volume changes, not a push every frame. */
    virtual bool pushesVolumeChangesOnly();

private:
    void onQuitToTitle();
    void onEnterBackground();
    void onEnterForeground();
    /** The full path of the track's file, or "" (logged) when the track can't be played. */
    std::string pathOfTrack(const char* trackName);

    float m_fMasterVolume;
    bool m_bPaused;
    CCDictionary* m_pTracks;  ///< retained
    std::string m_sCurrentTrack;
    bool m_bJoinedGame;       ///< connected to the game manager's signals
};

NS_CC_END

#endif // __MUSIC_MANAGER_H__
