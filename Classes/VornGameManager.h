#ifndef __VORN_GAME_MANAGER_H__
#define __VORN_GAME_MANAGER_H__

#include "CollisionList.h"
#include "GameManager.h"

#include <string>

NS_CC_BEGIN

class BotManager;
class CCDictionary;
class CCNode;
class CCObjectPool;
class CharacterSetups;
class LevelManager;
class MusicManager;
class SFXManager;
class SplashScreen;
class VornAchievementsManager;
class VornActorDesc;
class VornHighScoreManager;
class VornBackdrop;

/**
 * The game's game manager. Start-up runs the framework's managers and then the game's own and
 * opens the splash screen. Until the splash has played, a frame only hides the cursor; then the
 * world is built over three frames (boot steps), after which each frame caps its time step and
 * runs the framework's tick.
 */
class VornGameManager : public GameManager
{
public:
    VornGameManager();
    virtual ~VornGameManager();

    static VornGameManager* getSharedVornGameManager();

    virtual bool initVornGameManager();
    virtual void tick(float dt);
    virtual void applicationDidEnterBackground();

    /** Whether a pause screen may open now; true until the game's other screens exist. */
    virtual bool canShowPauseScreen();
    /** Pauses a running game or resumes a paused one (a resume counts for the pause achievement). */
    virtual void togglePause();
    /** Boot step 1: the game world. Its result does not stop the boot. */
    virtual bool initMain1();
    /** Boot step 2: the game is ready; the start signal goes out. */
    virtual bool initMain2();
    /** Replaces the root game layer by a fresh "gamelayer" layout; false (old layer kept) when it cannot be read. */
    virtual bool initGameLayer();
    /** The splash has played: the boot starts on the next frame, which counts as no time. */
    void onSplashFinished();

    /** The sound-effect manager, made once the framework's managers exist. */
    virtual SFXManager* getSFXManager() { return m_pSFXManager; }
    /** The background music, made once the framework's managers exist. */
    virtual MusicManager* getMusicManager() { return m_pMusicManager; }
    virtual void setMusicManager(MusicManager* manager) { m_pMusicManager = manager; }
    /** The story's level list, made by boot step 1 (NULL before or when "levels.plist" is missing). */
    virtual LevelManager* getLevelManager() { return m_pLevelManager; }
    /** Retains the new list and releases the old one. */
    virtual void setLevelManager(LevelManager* manager);
    /** The game's high scores, installed as the framework's high-score manager. */
    VornHighScoreManager* getVornHighScoreManager();

    /** Name of the level being played (its script is "<name>.lua"); empty between levels. */
    virtual const std::string& getLevelScript() { return m_sLevelScript; }

    /** Emitted when the player leaves a game for the title screen. */
    virtual Signal<>& getQuitToTitleSignal() { return m_quitToTitleSignal; }
    virtual void setQuitToTitleSignal(const Signal<>& signal) { m_quitToTitleSignal = signal; }
    /** -1 waiting for the splash, 0 to 2 booting, 3 running. */
    virtual int getBootState() { return m_nBootState; }
    virtual void setBootState(int state) { m_nBootState = state; }
    virtual bool isReady() { return m_bReady; }
    virtual void setReady(bool ready) { m_bReady = ready; }
    virtual SplashScreen* getSplashScreen() { return m_pSplashScreen; }

    /** The achievement rules, made before the framework's managers so they are the shared ones. */
    virtual VornAchievementsManager* getAchievementsManager() { return m_pAchievementsManager; }

    /** Tuning tables of characters as played and as enemies (NULL until the game world is built). */
    virtual CharacterSetups* getPlayerCharacterSetups() { return m_pPlayerCharacterSetups; }
    /** Retains the new table and releases the old one. */
    virtual void setPlayerCharacterSetups(CharacterSetups* setups);
    virtual CharacterSetups* getEnemyCharacterSetups() { return m_pEnemyCharacterSetups; }
    virtual void setEnemyCharacterSetups(CharacterSetups* setups);

    /** The node the actors in play live in (NULL until the game world is built). */
    virtual CCNode* getActorNode() { return m_pActorNode; }
    /** Retains the new node and releases the old one. */
    virtual void setActorNode(CCNode* node);

    /** kVornGameMode_ value of the level being played. */
    virtual int getGameMode() { return m_nGameMode; }
    virtual void setGameMode(int mode) { m_nGameMode = mode; }
    /** kDifficulty_ value chosen for the story. */
    virtual int getStoryDifficultyLevel() { return m_nStoryDifficultyLevel; }
    virtual void setStoryDifficultyLevel(int level) { m_nStoryDifficultyLevel = level; }

    /**
     * The descriptor loaded from that property list, kept for the life of the game manager under
     * the name as given; NULL (logged) when it does not load.
     */
    VornActorDesc* actorDescWithFile(const char* name);

    /** The current stage's backdrop; the setter retains the new one and releases the old. */
    virtual VornBackdrop* getBackground() { return m_pBackground; }
    virtual void setBackground(VornBackdrop* backdrop);
    /** The ten hit impacts (NULL until the game world is built). */
    virtual CCObjectPool* getImpactPool() { return m_pImpactPool; }
    /** The game world's impacts: ten of them in a fresh pool; false when one cannot be built. */
    virtual bool initImpactPool();
    /**
     * The six collision lists: player 1, enemy 2, sign 4, backdrop 8, bounds 16, trigger 32. The
     * player is pushed out of bounds and backdrop boxes and announces triggers on the trigger-hit
     * signal. False when a list cannot be made.
     */
    virtual bool initCollisionLists();

    /** A member of the player list touches a member of the trigger list: (player, trigger). */
    virtual CollisionSignal& getTriggerHitSignal() { return m_triggerHitSignal; }
    virtual void setTriggerHitSignal(const CollisionSignal& signal) { m_triggerHitSignal = signal; }
    /** The one enemy manager, made by boot step 1 with its pool (NULL before). */
    virtual BotManager* getBotManager() { return m_pBotManager; }
    /** A level has started: its scripts have run and the game plays. */
    virtual Signal<>& getLevelStartedSignal() { return m_levelStartedSignal; }
    virtual void setLevelStartedSignal(const Signal<>& signal) { m_levelStartedSignal = signal; }
    /** The player continues after a game over. */
    virtual Signal<>& getContinueSignal() { return m_continueSignal; }
    virtual void setContinueSignal(const Signal<>& signal) { m_continueSignal = signal; }

    /** The longest frame the game steps at once; a longer pause is played as this. */
    static const float kMaxFrameTime;

protected:
    void releaseImpactPool();

    static const int kImpactCount = 10;
    static const int kBotPoolSize = 50;

    int m_nBootState;
    bool m_bReady;
    SFXManager* m_pSFXManager;                        ///< owned
    MusicManager* m_pMusicManager;                    ///< owned
    SplashScreen* m_pSplashScreen;                    ///< a child; owned by the scene graph
    VornAchievementsManager* m_pAchievementsManager;  ///< owned
    CharacterSetups* m_pPlayerCharacterSetups;        ///< retained
    CharacterSetups* m_pEnemyCharacterSetups;         ///< retained
    CCDictionary* m_pActorDescs;                      ///< retained; file name -> VornActorDesc
    CCNode* m_pActorNode;                             ///< retained
    int m_nGameMode;
    int m_nStoryDifficultyLevel;
    LevelManager* m_pLevelManager;                    ///< retained
    std::string m_sLevelScript;
    Signal<> m_quitToTitleSignal;
    VornBackdrop* m_pBackground;  ///< retained
    CCObjectPool* m_pImpactPool;  ///< retained; each impact holds it too until the manager goes
    CollisionSignal m_triggerHitSignal;
    Signal<> m_continueSignal;
    BotManager* m_pBotManager;  ///< owned
    Signal<> m_levelStartedSignal;
};

NS_CC_END

#endif // __VORN_GAME_MANAGER_H__
