#include "MusicManager.h"

#include "CCApplicationProtocol.h"
#include "CCConsole.h"
#include "CCFileUtils.h"
#include "CCString.h"
#include "CCUserDefault.h"
#include "SimpleAudioEngine.h"
#include "VornGameManager.h"

#include <cmath>

using CocosDenshion::SimpleAudioEngine;

NS_CC_BEGIN

const char* const MusicManager::kMasterVolumeKey = "MusicMasterVolume";

static const char* const kTrackListFile = "music/music.plist";

MusicManager::MusicManager() : m_fMasterVolume(0.5f), m_bPaused(false), m_pTracks(NULL), m_bJoinedGame(false)
{
}

MusicManager::~MusicManager()
{
    GameManager* game = GameManager::getInstance();
    if (m_bJoinedGame && game != NULL)
    {
        game->getUpdateSignal().disconnect(this, &MusicManager::tick);
        game->getPausedSignal().disconnect(this, &MusicManager::setPaused);
        game->getEnterBackgroundSignal().disconnect(this, &MusicManager::onEnterBackground);
        game->getEnterForegroundSignal().disconnect(this, &MusicManager::onEnterForeground);
        VornGameManager* vorn = dynamic_cast<VornGameManager*>(game);
        if (vorn != NULL)
        {
            vorn->getQuitToTitleSignal().disconnect(this, &MusicManager::onQuitToTitle);
        }
    }
    CC_SAFE_RELEASE(m_pTracks);
}

bool MusicManager::init()
{
    const std::string path = CCFileUtils::sharedFileUtils()->fullPathForFilename(kTrackListFile);
    CCDictionary* tracks = CCDictionary::createWithContentsOfFile(path.c_str());
    if (tracks == NULL)
    {
        // Music is not worth refusing to start over.
        CCLog("ERROR: MusicManager::init - can't read %s; no music will play", kTrackListFile);
        tracks = CCDictionary::create();
    }
    setTracks(tracks);
    setMasterVolume(CCUserDefault::sharedUserDefault()->getFloatForKey(kMasterVolumeKey, m_fMasterVolume));

    GameManager* game = GameManager::getInstance();
    if (game != NULL)
    {
        m_bJoinedGame = true;
        game->getUpdateSignal().connect(this, &MusicManager::tick);
        game->getPausedSignal().connect(this, &MusicManager::setPaused);
        game->getEnterBackgroundSignal().connect(this, &MusicManager::onEnterBackground);
        game->getEnterForegroundSignal().connect(this, &MusicManager::onEnterForeground);
        VornGameManager* vorn = dynamic_cast<VornGameManager*>(game);
        if (vorn != NULL)
        {
            vorn->getQuitToTitleSignal().connect(this, &MusicManager::onQuitToTitle);
        }
    }
    tick(0.0f);
    return true;
}

void MusicManager::setTracks(CCDictionary* tracks)
{
    CC_SAFE_RETAIN(tracks);
    CC_SAFE_RELEASE(m_pTracks);
    m_pTracks = tracks;
}

void MusicManager::setMasterVolume(float volume)
{
    if (volume != volume)  // NaN: keep what we have
    {
        return;
    }
    volume = volume < 0.0f ? 0.0f : (volume > 1.0f ? 1.0f : volume);
    if (volume == m_fMasterVolume)
    {
        return;
    }
    m_fMasterVolume = volume;
    CCUserDefault::sharedUserDefault()->setFloatForKey(kMasterVolumeKey, volume);
    CCUserDefault::sharedUserDefault()->flush();
}

bool MusicManager::pushesVolumeChangesOnly()
{
    return GameManager::isPlatformType(kTargetGameStick);
}

void MusicManager::tick(float)
{
    // The slider is linear; loudness is not, so the engine gets the square.
    const float target = m_fMasterVolume * m_fMasterVolume;
    SimpleAudioEngine* audio = SimpleAudioEngine::sharedEngine();
    if (pushesVolumeChangesOnly() && fabsf(audio->getBackgroundMusicVolume() - target) < 0.001f)
    {
        return;
    }
    audio->setBackgroundMusicVolume(target);
}

std::string MusicManager::pathOfTrack(const char* trackName)
{
    CCDictionary* track = m_pTracks ? dynamic_cast<CCDictionary*>(m_pTracks->objectForKey(trackName)) : NULL;
    if (track == NULL)
    {
        CCLog("ERROR: MusicManager::play - no track named '%s'", trackName);
        return "";
    }
    CCString* intro = dynamic_cast<CCString*>(track->objectForKey("Intro"));
    if (intro == NULL || intro->length() == 0)
    {
        CCLog("ERROR: MusicManager::play - track '%s' names no music file", trackName);
        return "";
    }
    const std::string relative = std::string("music/") + intro->getCString();
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    const std::string path = files->fullPathForFilename(relative.c_str());
    if (!files->isFileExist(path))
    {
        CCLog("ERROR: MusicManager::play - track '%s': %s is missing", trackName, relative.c_str());
        return "";
    }
    return path;
}

void MusicManager::play(const char* trackName)
{
    if (trackName == NULL || m_sCurrentTrack == trackName)
    {
        return;
    }
    // A track that can't play leaves the current music on.
    const std::string path = pathOfTrack(trackName);
    if (path.empty())
    {
        return;
    }
    SimpleAudioEngine::sharedEngine()->playBackgroundMusic(path.c_str(), true);
    m_sCurrentTrack = trackName;
}

void MusicManager::stop()
{
    SimpleAudioEngine::sharedEngine()->stopBackgroundMusic();
    m_sCurrentTrack.clear();
}

void MusicManager::setPaused(bool paused)
{
    if (paused == m_bPaused)
    {
        return;
    }
    m_bPaused = paused;
    if (paused)
    {
        SimpleAudioEngine::sharedEngine()->pauseBackgroundMusic();
    }
    else
    {
        SimpleAudioEngine::sharedEngine()->resumeBackgroundMusic();
    }
}

void MusicManager::onQuitToTitle()
{
    if (m_bPaused)
    {
        setPaused(false);
    }
}

void MusicManager::onEnterBackground()
{
    if (!m_bPaused)
    {
        SimpleAudioEngine::sharedEngine()->pauseBackgroundMusic();
    }
}

void MusicManager::onEnterForeground()
{
    if (!m_bPaused)
    {
        SimpleAudioEngine::sharedEngine()->resumeBackgroundMusic();
    }
}

NS_CC_END
