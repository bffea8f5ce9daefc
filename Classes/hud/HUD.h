#ifndef __HUD_H__
#define __HUD_H__

#include "Signal.h"
#include "VornScreen.h"

NS_CC_BEGIN

class ArenaTasksScreen;
class ArenaTimerScreen;
class AchievementScreen;
class CCLayerColor;
class CheckpointScreen;
class CinemascopeScreen;
class ComboCounterScreen;
class FightHealthScreen;
class GameManager;
class GrumvaldScreen;
class PlayerHealthScreen;
class SpeechItem;
class SpeechScreen;
class ThumbsScreen;
class TimeAndLocationScreen;
class VornActor;
class VornPlayer;
class VornScriptEngine;

/**
 * The in-game screen: the pause button, a blinking GO prompt, a full-screen layer for scripted
 * fades, a damage overlay that greys in with the player's lost health, and the overlays it owns
 * and drives (health bars, combo counter, letterbox bars, checkpoint notice, banner, thumb hints,
 * place-and-time caption, speech). Speech lines and captions are queued and played one after
 * another in game time.
 */
class HUD : public VornScreen
{
public:
    HUD();
    virtual ~HUD();
    CREATE_FUNC(HUD);

    /** Reads "hud-main" and makes the overlays; false when the layout or an overlay fails. */
    virtual bool init();
    /** init has made the overlays: a HUD a script made and never built has none to show. */
    bool isBuilt();
    /** Fades and the speech queue, in game time. */
    virtual void tick(float dt);
    /** Entering the scene starts like a level, shown only while the game layer is. */
    virtual void onEnter();

    /** The arena's task list and clock. */
    void showArenaTasks();
    void showArenaTimer();

    /** Back to a clean state for a new level: overlays hidden, queue emptied, a fade in from white. */
    void onLevelStart();

    /** Queues a speech line: the speaker's head (frame name prefix) and a locale key or text. */
    void playSpeech(const char* head, const char* text, float duration, VornScriptEngine* engine = NULL,
                    int startRef = -1, int endRef = -1);
    /** Queues a place-and-time caption (texts shown as given). */
    void showTimeAndLocation(const char* timePeriod, const char* locationName, float duration,
                             VornScriptEngine* engine = NULL, int startRef = -1, int endRef = -1);
    /** Fades the screen layer to the colour over the duration (at once for 0 or less). */
    void doScreenFade(const ccColor4B& colour, float duration);

    void showLeftThumb(const char* text);
    void showRightThumb(const char* text);
    void hideLeftThumb();
    void hideRightThumb();

    /**
     * Health bars: subject identifies the fighter shown (showing the same one again does
     * nothing), character names its portrait, maxHealth sizes the bar, fraction is its health.
     * The fighter's later health changes go to the screen's onHealthChanged.
     */
    void showPlayerHealth(CCObject* subject, const char* character, float maxHealth, float fraction);
    /** Nothing for the fighter the boss bar shows. */
    void showEnemyHealth(CCObject* subject, const char* character, float maxHealth, float fraction);
    void showBossHealth(CCObject* subject, const char* character, float maxHealth, float fraction);
    void hidePlayerHealth();
    void hideEnemyHealth();
    void hideBossHealth();
    /** Two fighters face to face: each with its portrait name and health fraction. */
    void showFightHealth(CCObject* first, const char* firstCharacter, float firstFraction, CCObject* second,
                         const char* secondCharacter, float secondFraction);
    void hideFightHealth();
    /** The same for a fighter, whose bar then follows its health by itself. */
    void showPlayerHealth(VornActor* actor);
    void showEnemyHealth(VornActor* actor);
    void showBossHealth(VornActor* actor);
    void showFightHealth(VornActor* first, VornActor* second);

    /**
     * The player the HUD follows (not retained; its owner sets NULL before letting it go): its
     * health greys the damage overlay, its combo shows on the counter, its knock-out closes the
     * HUD, its input's punch tap and jump skip speech, a connected input stops the skipping.
     */
    void setPlayer(VornPlayer* player);
    VornPlayer* getPlayer() { return m_pPlayer; }

    void showGO();
    void hideGO();
    void showGrumvald();
    void hideGrumvald();
    void enableCinemascope();
    void disableCinemascope();
    bool isCinemascopeActive();
    void showCheckpointDisplay();

    /** The player's combo: from 2 it shows on the counter, 0 takes the counter away. */
    void onComboChanged(int count);
    /** The player's health (0..1): the damage overlay greys in as it drops. */
    void onPlayerHealthChanged(float fraction);
    /** A punch tap or jump: finishes the speech line's text, or moves on to the next item. */
    void onSpeechSkip();
    /** Skipping is for the player without control (in cut scenes). */
    void onPlayerInputConnected(bool connected) { m_bSpeechSkipAllowed = !connected; }
    /** Game paused: the HUD goes; resumed: it comes back. */
    void onPausedChanged(bool paused);
    /** The pause item of the layout. */
    void onPauseItem(CCObject* sender);

    virtual Signal<>& getPauseSignal() { return m_pauseSignal; }
    virtual CCNode* getDamageOverlay() { return m_pDamageOverlay; }
    virtual CCNode* getGoNode() { return m_pGoNode; }
    /** Retains the new prompt and releases the old one. */
    virtual void setGoNode(CCNode* node);
    virtual ThumbsScreen* getThumbsScreen() { return m_pThumbsScreen; }
    virtual CCLayerColor* getScreenLayer() { return m_pScreenLayer; }
    virtual float getSpeechTimer() { return m_fSpeechTimer; }
    virtual bool getSpeechSkipAllowed() { return m_bSpeechSkipAllowed; }
    virtual void setSpeechSkipAllowed(bool allowed) { m_bSpeechSkipAllowed = allowed; }
    virtual CCArray* getSpeechQueue() { return m_pSpeechQueue; }
    virtual SpeechItem* getCurrentItem() { return m_pCurrentItem; }
    virtual float getFadeDuration() { return m_fFadeDuration; }
    virtual TimeAndLocationScreen* getTimeAndLocationScreen() { return m_pTimeAndLocationScreen; }
    virtual GrumvaldScreen* getGrumvaldScreen() { return m_pGrumvaldScreen; }
    virtual PlayerHealthScreen* getPlayerHealthScreen() { return m_pPlayerHealthScreen; }
    virtual PlayerHealthScreen* getEnemyHealthScreen() { return m_pEnemyHealthScreen; }
    virtual PlayerHealthScreen* getBossHealthScreen() { return m_pBossHealthScreen; }
    virtual FightHealthScreen* getFightHealthScreen() { return m_pFightHealthScreen; }
    virtual ComboCounterScreen* getComboCounterScreen() { return m_pComboCounterScreen; }
    virtual CinemascopeScreen* getCinemascopeScreen() { return m_pCinemascopeScreen; }
    virtual CheckpointScreen* getCheckpointScreen() { return m_pCheckpointScreen; }
    virtual ArenaTasksScreen* getArenaTasksScreen() { return m_pArenaTasksScreen; }
    virtual ArenaTimerScreen* getArenaTimerScreen() { return m_pArenaTimerScreen; }
    virtual SpeechScreen* getSpeechScreen() { return m_pSpeechScreen; }
    virtual CCNode* getPauseButton() { return m_pPauseButton; }

private:
    /** Makes, inits and adds an overlay; false (logged) when its init fails. */
    template <class T>
    bool addOverlay(T*& slot, int z);
    bool addHealthOverlay(PlayerHealthScreen*& slot, const char* layout);
    bool addArenaTimer();
    /** Stretches a picture over the whole screen. */
    void coverScreen(CCNode* node);
    void showHealth(PlayerHealthScreen* screen, CCObject* subject, const char* character, float maxHealth,
                    float fraction);
    void showActorHealth(PlayerHealthScreen* screen, VornActor* actor);
    void connectPlayer(bool connect);
    // The player's signals in their own forms.
    void onPlayerComboChanged(VornPlayer*, int count) { onComboChanged(count); }
    void onPlayerDied(VornActor* player);
    void onPlayerInputConnectedChanged(int connected) { onPlayerInputConnected(connected != 0); }
    void setCurrentItem(SpeechItem* item);
    void nextSpeechItem();
    void closeItemScreen(int type);
    void applyScreenColour(const ccColor4B& colour);
    void connectGameSignals();
    void disconnectGameSignals();
    void onQuitToTitle();
    /** A continue: back in the game, clean as a new level. */
    void onContinue();

    Signal<> m_pauseSignal;
    CCNode* m_pDamageOverlay;        ///< retained
    CCNode* m_pGoNode;               ///< retained
    ThumbsScreen* m_pThumbsScreen;   ///< retained
    CCLayerColor* m_pScreenLayer;
    float m_fSpeechTimer;
    bool m_bSpeechSkipAllowed;
    CCArray* m_pSpeechQueue;         ///< retained
    SpeechItem* m_pCurrentItem;      ///< retained
    float m_fFadeElapsed;
    float m_fFadeDuration;
    ccColor4B m_fadeStart;
    ccColor4B m_fadeEnd;
    TimeAndLocationScreen* m_pTimeAndLocationScreen;  ///< retained
    GrumvaldScreen* m_pGrumvaldScreen;                ///< retained
    PlayerHealthScreen* m_pPlayerHealthScreen;        ///< retained
    PlayerHealthScreen* m_pEnemyHealthScreen;         ///< retained
    PlayerHealthScreen* m_pBossHealthScreen;          ///< retained
    FightHealthScreen* m_pFightHealthScreen;          ///< retained
    ComboCounterScreen* m_pComboCounterScreen;        ///< retained
    CinemascopeScreen* m_pCinemascopeScreen;          ///< retained
    CheckpointScreen* m_pCheckpointScreen;            ///< retained
    SpeechScreen* m_pSpeechScreen;                    ///< retained
    ArenaTasksScreen* m_pArenaTasksScreen;            ///< retained
    ArenaTimerScreen* m_pArenaTimerScreen;            ///< retained
    CCNode* m_pPauseButton;
    GameManager* m_pSubscribedTo;
    VornPlayer* m_pPlayer;  ///< followed, not retained
};

NS_CC_END

#endif // __HUD_H__
