#ifndef __VORN_GAME_MANAGER_H__
#define __VORN_GAME_MANAGER_H__

#include "CollisionList.h"
#include "GameManager.h"

#include <string>
#include <vector>

NS_CC_BEGIN

class BotManager;
class ArenaManager;
class CCArray;
class CCDictionary;
class CCNode;
class CCObjectPool;
class CharacterSetups;
class AchievementScreen;
class HUD;
class LevelManager;
class MusicManager;
class SFXManager;
class SplashScreen;
class VornAchievementsManager;
class VornActor;
class VornActorDesc;
class VornBackdrop;
class VornCameraManager;
class VornHighScoreManager;
class VornPlayer;
class VornPlayerInputBase;
class VornScreen;
class VornScriptEngine;

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

    /** Boot step 1: the game world. False stops the game (failStartUp). */
    virtual bool initMain1();
    /**
     * Boot step 2: the title screen (opened once the splash has closed); then the start signal
     * goes out. False stops the game (failStartUp).
     */
    virtual bool initMain2();
    /** A boot step failed: the reason is logged, the frames stop and the program ends with status 1. */
    void failStartUp(const char* reason);
    /** Replaces the root game layer by a fresh "gamelayer" layout; false (old layer kept) when it cannot be read. */
    virtual bool initGameLayer();
    /**
     * Part of boot step 1: the HUD, the achievement pop-ups, the level-up, pause and result
     * screens and the autosave notice; false when one cannot be built.
     */
    virtual bool initScreens();
    /** Depths of the game's own screens in the scene (the splash is at 10). */
    static const int kHUDZ = 5;
    /** The pause and result screens cover the HUD. */
    static const int kMenuScreenZ = 6;
    static const int kAchievementScreenZ = 30;
    /** Above the result screens that open it, below the achievement pop-ups. */
    static const int kLevelUpScreenZ = 25;
    /** The splash has played: the boot starts on the next frame, which counts as no time. */
    void onSplashFinished();

    /** The sound-effect manager, made once the framework's managers exist. */
    virtual SFXManager* getSFXManager() { return m_pSFXManager; }
    /** Retains the new manager and releases the old one. */
    virtual void setSFXManager(SFXManager* manager);
    /** The background music, made once the framework's managers exist. */
    virtual MusicManager* getMusicManager() { return m_pMusicManager; }
    /** Retains the new manager and releases the old one. */
    virtual void setMusicManager(MusicManager* manager);
    /** The story's level list, made by boot step 1 (NULL before or when "levels.plist" is missing). */
    virtual LevelManager* getLevelManager() { return m_pLevelManager; }
    /** The in-game screen, made by boot step 1 (a child; NULL before or when it failed). */
    virtual HUD* getHUD() { return m_pHUD; }
    /** Retains the new HUD and releases the old one; only the HUD the game built is its child. */
    virtual void setHUD(HUD* hud);
    /** The achievement pop-ups, made by boot step 1 (a child; NULL before). */
    virtual AchievementScreen* getAchievementScreen() { return m_pAchievementScreen; }
    /** Retains the new list and releases the old one. */
    virtual void setLevelManager(LevelManager* manager);
    /** The game's high scores, installed as the framework's high-score manager. */
    VornHighScoreManager* getVornHighScoreManager();

    /** -2 start-up failed, -1 waiting for the splash, 0 to 2 booting, 3 running. */
    virtual int getBootState() { return m_nBootState; }
    virtual void setBootState(int state) { m_nBootState = state; }
    virtual bool isReady() { return m_bReady; }
    virtual void setReady(bool ready) { m_bReady = ready; }
    virtual SplashScreen* getSplashScreen() { return m_pSplashScreen; }
    /** The title is up: the world is hidden and stands still. */
    void onTitleOpened();

    /** The arena match controller, made with the game world (NULL before). */
    virtual ArenaManager* getArenaManager() { return m_pArenaManager; }
    /** Retains the new manager and releases the old one. */
    virtual void setArenaManager(ArenaManager* manager);

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
    /** Stores the difficulty and applies its game speed. */
    virtual void setStoryDifficultyLevel(int level);

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

    // ---- Player and camera ----

    /** The one player character: made at start-up, put in play when the game world is built. */
    virtual VornPlayer* getPlayer() { return m_pPlayer; }
    /** Retains the new player and releases the old one, whose knock-out no longer ends the game. */
    virtual void setPlayer(VornPlayer* player);
    /** The camera following the player (NULL until the game world is built). */
    virtual VornCameraManager* getCameraManager() { return m_pCameraManager; }
    /** Retains the new camera and releases the old one. */
    virtual void setCameraManager(VornCameraManager* camera);
    /** Wires the player to its input and puts it in play; false when the player cannot be set up. */
    virtual bool initPlayer(VornPlayerInputBase* input);
    /** The camera on the game layer, following the player; false when it cannot be set up. */
    virtual bool initCameraManager();
    /** The player's knock-out ends the game: the touch controls go; the result screens hook in here. */
    void onPlayerDied(VornActor* player);
    /** The saved settings could not be written: a pop-up tells the player (once per run of failures). */
    void onSaveFailed(CCObject* sender);
    /** Once, when the saved settings could not be read and were kept aside. */
    void tellOfSetAsideSave();
    void showSaveNotice(const char* titleKey, const char* textKey);

    /** The stage a story level plays on when its scripts load none. */
    static const char* const kDefaultBackdrop;

    /** The character played until a level script picks another. */
    static const char* const kDefaultPlayerDesc;

    /** The longest frame the game steps at once; a longer pause is played as this. */
    static const float kMaxFrameTime;
    /** Allocation (KB) each frame's step of every Lua state's collector answers for. */
    static const int kLuaCollectorStepKb;

    // ---- Levels ----

    /** Name of the level being played (its script is "<name>.lua"); empty between levels. */
    virtual const std::string& getLevelScript() { return m_sLevelScript; }
    /**
     * Drops the timers, records the level and its mode ("arena" anywhere in the name plays the
     * arena mode), runs its scripts in a fresh script engine and unpauses; an empty name only
     * drops the timers. Restoring the "levelScript" value restarts the level through it.
     */
    virtual void startLevel(const std::string& name);
    /** Each script error told once in the last level: how often it repeated (startLevel calls it). */
    void reportRepeatedScriptErrors();
    /**
     * Runs "common.lua", then "<levelName>.lua", then init(restoring) in a fresh script engine.
     * False (logged) at the first script that fails; the level's state keeps what did run.
     */
    bool loadLevelScript(const char* levelName, bool restoring);
    /** The level's script engine: a fresh one per level load. */
    virtual VornScriptEngine* getScriptEngine() { return m_pScriptEngine; }
    virtual const std::string& getBackdropFile() { return m_sBackdropFile; }
    /**
     * A fresh backdrop from the stage layout (none for an empty name); the stage's signs, shapes
     * and triggers of the old one go. A layout that fails to load leaves an empty backdrop.
     */
    virtual void setBackdropFile(const std::string& name);
    /** A level queued to start on the next running frame. */
    virtual const std::string& getPendingLevelName() { return m_sPendingLevelName; }
    virtual void setPendingLevelName(const std::string& name) { m_sPendingLevelName = name; }
    /** Seconds played since the level started (frame time; paused frames do not count). */
    virtual float getTimeInLevel() { return m_fTimeInLevel; }
    virtual void setTimeInLevel(float time) { m_fTimeInLevel = time; }
    /** Continues used in the story; the setter saves it at once. */
    virtual int getNumStoryModeContinues() { return m_nNumStoryModeContinues; }
    virtual void setNumStoryModeContinues(int continues);

    /** The level list selected a level: it starts on the next running frame. */
    void setLevelName(const char* name);
    /** A level chosen on the title screen (the arenas): queued, then announced. */
    void onLevelChosen(const char* name);
    /** A new story game at that difficulty: the autosave notice opens, then beginNewGame. */
    void onNewGame(int difficulty);
    void beginNewGame();
    /** After a game over: back to the checkpoint held in memory (a story continue is counted). */
    void onContinue();
    /** Continue on the title screen: back to the saved checkpoint. */
    void onContinueSavedGame();
    /** Leaves the game for the title screen (paused, backdrop dropped). */
    void quitToTitleScreen();
    /** The level after the current one in the list starts; none past the last. */
    void onNextStage();
    /** The level's story end: the completion achievements of the difficulty played. */
    void onStoryModeCompleted();
    /** The level is won: the stage-complete screen opens (story only). */
    void onStageComplete();
    /** The stage is won: its score goes into the level's table, then its results open. */
    void showStageComplete();
    /** Continue on the stage-complete screen: the next stage, or after the last one the title. */
    void onStageCompleteContinue();

    // ---- Checkpoints ----

    virtual const std::string& getCheckpointFunction() { return m_sCheckpointFunction; }
    virtual void setCheckpointFunction(const std::string& name) { m_sCheckpointFunction = name; }
    virtual bool getIsRestoring() { return m_bIsRestoring; }
    /** A checkpoint saved to disk; functionName rebuilds the level's script state on restore. */
    void setCheckpoint(const char* functionName);
    /** A checkpoint kept in memory only (the start of a level). */
    void setRestartCheckpoint(const char* functionName);
    /** Applies the saved (fromSave) or the in-memory checkpoint, calls its function with true, unpauses. */
    void restoreCheckpoint(bool fromSave);
    /** No saved checkpoint any more: the title screen's continue finds none. */
    void resetStoryMode();

    // ---- Timers and triggers ----

    /** A timer calling the script global functionName (no arguments) after seconds. */
    void startTimer(float seconds, const char* functionName, bool continuous);
    /**
     * A timer calling the script function at functionIndex of the level engine's stack with its
     * progress (0 to 1); nothing is started when that slot holds no value.
     */
    void startTimer(float seconds, int functionIndex, bool continuous);
    /** Runs every timer's step on a snapshot of the list; done timers are dropped after it. */
    void updateTimers(float dt);
    /** Re-orders the actors and signs in the actor node so the nearest is drawn last. */
    void sortActorsByDepth();
    /** The backdrop's scenery over a fighter turns see-through while he is behind it. */
    void fadeSceneryOverFighters(float dt);
    /** True for a name in the level list or the arena table. */
    bool isGameLevelName(const std::string& name);
    /** True while the values of the saved file are applied: every name in them is checked. */
    bool isRestoringFromSave() const { return m_bRestoringFromSave; }
    /**
     * A saved value (key) names what the game does not ship: logged, and the save is refused
     * (kept aside, the story starts afresh) once the restore ends.
     */
    void refuseSavedName(const char* key, const std::string& name);
    /** True for the descriptor file of one of the game's characters ("jors.plist"): the player and arena tables. */
    bool isGameCharacterFile(const std::string& name);
    /** True for a stage the game ships: the default one, or a resource name with its .ccbi present ("stage-docks"). */
    bool isGameBackdropName(const std::string& name);
    void startAfreshFromRefusedSave();
    virtual CCArray* getTimers() { return m_pTimers; }
    /** The player's feet entered a trigger: it fires its script function. */
    void onTriggerHit(ActorComponent* actor, ActorComponent* trigger);
    /** Every trigger of the stage fired, so none fires again. */
    void disableTriggers();
    /** One character per member of the trigger list: "1" fired, "0" armed. */
    virtual std::string getTriggerStates();
    /** Applies the characters to the trigger list in order; members past the text keep their state. */
    virtual void setTriggerStates(const std::string& states);
    /** A member of the player list touches a member of the trigger list: (player, trigger). */
    virtual CollisionSignal& getTriggerHitSignal() { return m_triggerHitSignal; }
    virtual void setTriggerHitSignal(const CollisionSignal& signal) { m_triggerHitSignal = signal; }

    // ---- Pause, difficulty, speed ----

    /** True while none of the title and result screens shows. */
    virtual bool canShowPauseScreen();
    /** True while a result screen shows: game over, stage or arena complete, or level up. */
    virtual bool isResultScreenShowing();
    /** Pauses a running game or resumes a paused one. */
    virtual void togglePause();
    /** Resumes, unless the pause screen is still moving; counts for the pause achievement. */
    void resumeFromPause();
    /** The on-screen pause button: pauses (never resumes). */
    void onPauseButton();
    /** The game speed of the current mode and difficulty. */
    void updateGameModSpeed();
    /** How far toward their best stats the enemies are scaled (0 to 1). */
    float getEnemyRPGProgress();

    // Screens the flow looks at; stored without retaining (they are the scene's children).
    virtual VornScreen* getTitleScreen() { return m_pTitleScreen; }
    virtual void setTitleScreen(VornScreen* screen) { m_pTitleScreen = screen; }
    virtual VornScreen* getPauseScreen() { return m_pPauseScreen; }
    virtual void setPauseScreen(VornScreen* screen) { m_pPauseScreen = screen; }
    virtual VornScreen* getGameOverScreen() { return m_pGameOverScreen; }
    virtual void setGameOverScreen(VornScreen* screen) { m_pGameOverScreen = screen; }
    virtual VornScreen* getStageCompleteScreen() { return m_pStageCompleteScreen; }
    virtual void setStageCompleteScreen(VornScreen* screen) { m_pStageCompleteScreen = screen; }
    virtual VornScreen* getArenaCompleteScreen() { return m_pArenaCompleteScreen; }
    virtual void setArenaCompleteScreen(VornScreen* screen) { m_pArenaCompleteScreen = screen; }
    virtual VornScreen* getLevelUpScreen() { return m_pLevelUpScreen; }
    virtual void setLevelUpScreen(VornScreen* screen) { m_pLevelUpScreen = screen; }
    virtual VornScreen* getAutosaveNotice() { return m_pAutosaveNotice; }
    virtual void setAutosaveNotice(VornScreen* screen) { m_pAutosaveNotice = screen; }

    // ---- Signals of the flow (no argument) ----

    /** The one enemy manager, made by boot step 1 with its pool (NULL before). */
    virtual BotManager* getBotManager() { return m_pBotManager; }
    /** Retains the new manager and releases the old one. */
    virtual void setBotManager(BotManager* manager);

    /** A level's scripts have run and play has resumed. */
    virtual Signal<>& getLevelStartedSignal() { return m_levelStartedSignal; }
    virtual void setLevelStartedSignal(const Signal<>& signal) { m_levelStartedSignal = signal; }
    /** Emitted when a level is about to load, before its scripts run (what they queue must survive). */
    virtual Signal<>& getLevelLoadingSignal() { return m_levelLoadingSignal; }
    /** The player continues after a game over (before the checkpoint comes back). */
    virtual Signal<>& getContinueSignal() { return m_continueSignal; }
    virtual void setContinueSignal(const Signal<>& signal) { m_continueSignal = signal; }
    /** Emitted when the player leaves a game for the title screen. */
    virtual Signal<>& getQuitToTitleSignal() { return m_quitToTitleSignal; }
    virtual void setQuitToTitleSignal(const Signal<>& signal) { m_quitToTitleSignal = signal; }
    /** A new story game has selected its first level. */
    virtual Signal<>& getNewGameSignal() { return m_newGameSignal; }
    virtual void setNewGameSignal(const Signal<>& signal) { m_newGameSignal = signal; }
    /** A story continue was counted. */
    virtual Signal<>& getContinueUsedSignal() { return m_continueUsedSignal; }
    virtual void setContinueUsedSignal(const Signal<>& signal) { m_continueUsedSignal = signal; }
    /** A level chosen on the title screen has been queued. */
    virtual Signal<>& getLevelRequestedSignal() { return m_levelRequestedSignal; }
    virtual void setLevelRequestedSignal(const Signal<>& signal) { m_levelRequestedSignal = signal; }

protected:
    /** The arena's results screen over the HUD, restarting or quitting through the flow; false when it cannot be built. */
    bool initArenaCompleteScreen();
    /** The flow's six checkpoint values, in the order the restore relies on. */
    void registerRestartValues();
    void removeRestartValues();
    /** How high a fighter is above the ground; triggers test the ground under it (0 for other nodes). */
    virtual float getActorHeight(CCNode* actor);
    bool isScreenVisible(VornScreen* screen);
    /** The pause and result screens, each a child joined to the flow; false when one cannot be built. */
    bool initMenuScreens();
    /** Joins (or leaves) the signals of the pause and result screens still among the children. */
    void connectMenuScreens(bool connect);
    bool isOwnChild(CCNode* node);
    CollisionList* getCollisionList(int listId);
    /** Empties the backdrop (8) and trigger (32) lists: the stage that filled them is gone. */
    void clearStageCollisions();
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
    std::vector<ActorComponent*> m_depthOrder;        ///< reused each frame by the depth sort
    int m_nGameMode;
    int m_nStoryDifficultyLevel;
    LevelManager* m_pLevelManager;                    ///< retained
    HUD* m_pHUD;                                      ///< retained; the one the game built is also a child
    AchievementScreen* m_pAchievementScreen;          ///< a child; owned by the scene graph
    std::string m_sLevelScript;
    Signal<> m_quitToTitleSignal;
    VornBackdrop* m_pBackground;  ///< retained
    CCObjectPool* m_pImpactPool;  ///< retained; each impact holds it too until the manager goes
    CollisionSignal m_triggerHitSignal;
    Signal<> m_continueSignal;

    std::string m_sBackdropFile;
    std::string m_sCheckpointFunction;
    std::string m_sTriggerStates;
    std::string m_sPendingLevelName;
    float m_fTimeInLevel;
    int m_nNumStoryModeContinues;
    bool m_bIsRestoring;
    bool m_bRestoringFromSave;                         ///< the restore reads the saved file
    bool m_bSavedGameRefused;                          ///< the saved values named what the game refuses
    bool m_bRestartValuesRegistered;
    bool m_bBackdropSet;  ///< a backdrop was loaded since the level's scripts began
    bool m_bRestartStored;  ///< the game in play has a checkpoint held in memory
    VornScriptEngine* m_pScriptEngine;  ///< retained; the level's
    CCArray* m_pTimers;                 ///< retained; TimedTrigger, the only holder of each
    VornScreen* m_pTitleScreen;
    VornScreen* m_pPauseScreen;
    VornScreen* m_pGameOverScreen;
    VornScreen* m_pStageCompleteScreen;
    VornScreen* m_pArenaCompleteScreen;
    VornScreen* m_pLevelUpScreen;
    VornScreen* m_pAutosaveNotice;
    Signal<> m_levelStartedSignal;
    Signal<> m_levelLoadingSignal;
    Signal<> m_newGameSignal;
    Signal<> m_continueUsedSignal;
    Signal<> m_levelRequestedSignal;
    VornPlayer* m_pPlayer;                  ///< owned; also a child of the actor node while in play
    VornCameraManager* m_pCameraManager;    ///< owned
    BotManager* m_pBotManager;              ///< owned
    ArenaManager* m_pArenaManager;          ///< owned
};

NS_CC_END

#endif // __VORN_GAME_MANAGER_H__
