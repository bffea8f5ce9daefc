#ifndef __TITLE_SCREEN_H__
#define __TITLE_SCREEN_H__

#include "VornScreen.h"

#include <functional>
#include <string>

NS_CC_EXT_BEGIN
class CCScrollView;
NS_CC_EXT_END

NS_CC_BEGIN

class ArenaModeHelper;
class ChooseDifficultyScreen;
class CCLabelBMFont;
class CCSprite;
class CCSpriteFrame;
class OnlineHandler;
class RemapControlsScreen;
class ThingsILikeScreen;
class RPGWidget;
class VornControllerConfigScreen;

enum
{
    kArenaPage_CharacterSelect = 0,
    kArenaPage_ArenaSelect = 1,
    kArenaPage_MAX
};

enum
{
    kTitleReturn_MainMenu = 0,
    kTitleReturn_ArenaSelect = 1,
    kTitleReturn_MAX
};

/**
 * The main menu: story, arena panel (character then arena carousel), the "more" panel (credits,
 * controls, online entries, reset save, display mode) and quitting. Made once by the game
 * manager's boot, which listens to its new-game, continue and start-arena signals. It closes at
 * once, without a timeline, when a game starts.
 */
class TitleScreen : public VornScreen
{
public:
    TitleScreen();
    virtual ~TitleScreen();

    /** Reads "title-screen" and the arena tables; hidden until opened. False when a step fails. */
    virtual bool initScreen();

    virtual void open();
    virtual void close();
    virtual bool isTimelineRunning();
    virtual void onOpened();
    virtual void onClosed();

    // Main menu.
    void onStory();
    void onBack(int player);
    /** The layout's "onExit": quits through the system manager. */
    void onExitGame();
    void onExitQuestionNo();
    /** A new game at the difficulty chosen on the difficulty screen; kDifficulty_MAX means it was left. */
    void onDifficultyChosen(int choice);

    // More panel.
    void onOpenMore();
    void onCloseMore();
    void onMoreScreenBack();
    void onOpenControlsMenu();
    void onCloseControlsMenu();
    void onShowThingsILike();
    void onHideThingsILike();
    void onOnlineShowAchievements();
    void onOnlineShowLeaderboards();
    void onOnlineSignIn();
    void onOnlineSignOut();
    void onResetSave();
    void onFullScreen();
    void onWindowed();
    /** Keeps both display-mode items hidden: the command line chooses the mode. */
    void onFullScreenChanged(CCObject* notification);
    /** Scrolls the credits while the more panel is on screen and untouched. */
    void tickCredits(float dt);

    // Arena panel.
    void onOpenArenas();
    void onCloseArenas();
    void onArenaScreenBack(int player);
    void arenaScreenLeft(int player);
    void arenaScreenRight(int player);
    void characterMoveLeft(int player);
    void characterMoveRight(int player);
    void arenaMoveLeft(int player);
    void arenaMoveRight(int player);
    void onShowCharacterSelect();
    void arenaMainOption();
    void onArenaStart();
    void onArenaScores();
    void refreshCharacterSelect();
    void refreshArenaSelect();
    void refreshArenaMainOption();
    void refreshOnlineItems();

    virtual int getArenaPage() { return m_nArenaPage; }
    virtual void setArenaPage(int page);
    virtual int getReturnTarget() { return m_nReturnTarget; }
    virtual void setReturnTarget(int target) { m_nReturnTarget = target; }
    virtual Signal<const char*>& getStartArenaSignal() { return m_startArenaSignal; }
    virtual void setStartArenaSignal(const Signal<const char*>& signal) { m_startArenaSignal = signal; }
    virtual Signal<int>& getNewGameSignal() { return m_newGameSignal; }
    virtual void setNewGameSignal(const Signal<int>& signal) { m_newGameSignal = signal; }
    virtual Signal<>& getContinueSignal() { return m_continueSignal; }
    virtual void setContinueSignal(const Signal<>& signal) { m_continueSignal = signal; }

    virtual ArenaModeHelper* getArenaModeHelper() { return m_pArenaModeHelper; }
    virtual ChooseDifficultyScreen* getDifficultyScreen() { return m_pDifficultyScreen; }
    /** NULL when its layout could not be read (the controls entry is then hidden). */
    virtual RemapControlsScreen* getRemapControlsScreen() { return m_pRemapControlsScreen; }
    /** The pad set-up screen; no menu opens it. NULL when its layout could not be read. */
    virtual VornControllerConfigScreen* getControllerConfigScreen() { return m_pControllerConfigScreen; }
    virtual ThingsILikeScreen* getThingsILikeScreen() { return m_pThingsILikeScreen; }
    /** The stats of the fighter chosen on the arena panel. */
    virtual RPGWidget* getStatWidget() { return m_pStatWidget; }
    virtual int getSelectedCharacterIndex() { return m_nSelectedCharacterIndex; }
    virtual int getSelectedArenaIndex() { return m_nSelectedArenaIndex; }
    virtual bool isMessageBoxOpen() { return m_bMessageBoxOpen; }
    virtual CCLabelBMFont* getCreditsTextLabel() { return m_pCreditsTextLabel; }
    virtual extension::CCScrollView* getCreditsScrollView() { return m_pCreditsScrollView; }
    virtual CCNode* getArenaModeScreen() { return m_pArenaModeScreen; }
    virtual CCNode* getMoreScreen() { return m_pMoreScreen; }
    virtual CCMenuGamepad* getCharacterSelectMenu() { return m_pCharacterSelectMenu; }
    virtual CCMenuGamepad* getArenaSelectMenu() { return m_pArenaSelectMenu; }
    virtual CCNode* getBeginLabel() { return m_pBeginLabel; }
    virtual CCNode* getContinueLabel() { return m_pContinueLabel; }
    virtual CCLabelBMFont* getSelectedCharacterNameLabel() { return m_pSelectedCharacterNameLabel; }
    virtual CCLabelBMFont* getCharacterBio() { return m_pCharacterBio; }
    virtual CCLabelBMFont* getArenaNameLabel() { return m_pArenaNameLabel; }
    virtual CCLabelBMFont* getArenaBioLabel() { return m_pArenaBioLabel; }
    virtual CCLabelBMFont* getArenaMainOptionLabel() { return m_pArenaMainOptionLabel; }
    virtual CCMenuItem* getArenaMainOptionMenuItem() { return m_pArenaMainOptionMenuItem; }
    virtual CCMenuItem* getControlsMenuItem() { return m_pControlsMenuItem; }
    virtual CCMenuItem* getThingsILikeMenuItem() { return m_pThingsILikeMenuItem; }
    virtual CCMenuItem* getResetSaveMenuItem() { return m_pResetSaveMenuItem; }
    virtual CCMenuItem* getMoreBackMenuItem() { return m_pMoreBackMenuItem; }
    virtual CCMenuItem* getFullScreenMenuItem() { return m_pFullScreenMenuItem; }
    virtual CCMenuItem* getWindowedMenuItem() { return m_pWindowedMenuItem; }
    virtual CCSprite* getCharacterSlot(int slot);
    virtual CCSprite* getArenaSlot(int slot);
    virtual CCSpriteFrame* getLockedArenaFrame() { return m_pLockedArenaFrame; }

    /** Replaces each "<KEY>" by the key's locale text; a "<" without ">" ends the scan. */
    static std::string localizeCredits(const std::string& text);
    /** Logs each line of the credits that cannot be shown as meant, with its number. */
    static void reportUnusableCreditLines(const std::string& text);
    /** The entry shown in the first of the carousel's slots: back places before the selected one, wrapped. */
    static int firstSlotIndex(int selected, int back, int count);
    /** index + step, wrapped into [0, count). */
    static int wrapIndex(int index, int count);

    enum
    {
        kNumCharacterSlots = 7,
        kNumArenaSlots = 5,
        kControlScreenZ = 100,  ///< the controls and things-I-like screens over the panels
    };

private:
    void loadCredits();
    void showStoryCaption();
    bool hasCheckpoint();
    void onStoryTimelineDone();
    void onCloseMoreDone();
    void focusMoreBack();
    void focusControlsItem();
    void focusThingsILikeItem();
    void focusResetSaveItem();
    void resetSave();
    void resetArenaPositions();
    void onArenaSelectToGameDone();
    void onOnlineStateChanged(OnlineHandler* handler);
    void selectItem(CCMenuItem* item);
    /** Runs timeline+"Left"/"Right" and steps *index round count; false (step queued) while one slides. */
    bool slideCarousel(int step, int count, const std::string& timeline, int* index);
    /** Calls fill for each slot that exists with the entry it shows, selected in the middle. */
    void fillCarouselSlots(CCSprite* const* slots, int numSlots, int selected, int count,
                           const std::function<void(CCSprite*, int)>& fill);
    void showCharacterInSlot(CCSprite* sprite, int index);
    void moveCharacter(int step);
    void moveArena(int step);
    /** One carousel step on the page shown: characters or arenas. */
    void arenaScreenMove(int step);
    void queueCarouselStep(int step);
    /** The end of a carousel slide: the slots redrawn, then the press kept during it. */
    void onCarouselSlideDone();
    bool isCharacterUnlocked(int index);
    bool isArenaUnlocked(int index);
    std::string lockedHint(const char* lockedId, const char* achievement);
    void setNodeVisible(CCNode* node, bool visible);
    /** Builds screen as a child that calls onClosing as it closes; false (logged, released) when it cannot be built. */
    bool addControlScreen(VornScreen* screen, const char* what, void (TitleScreen::*onClosing)());
    bool initControlScreens();

    CCSprite* m_pBackdropSprite;
    CCLabelBMFont* m_pScreenResLabel;
    extension::CCScrollView* m_pCreditsScrollView;
    CCLabelBMFont* m_pCreditsTextLabel;
    CCMenuItem* m_pControlsMenuItem;
    CCNode* m_pControlsLabel;
    CCNode* m_pThingsILikeMenuLabel;
    CCMenuItem* m_pThingsILikeMenuItem;
    CCNode* m_pBeginLabel;
    CCNode* m_pContinueLabel;
    CCMenuGamepad* m_pCharacterSelectMenu;
    CCMenuGamepad* m_pArenaSelectMenu;
    bool m_bMessageBoxOpen;
    CCSprite* m_pJorsUppercutSprite;
    CCSprite* m_pSantaUppercutSprite;
    CCLabelBMFont* m_pArenaNameLabel;
    CCLabelBMFont* m_pArenaBioLabel;
    CCNode* m_pArenaScoresLabel;
    CCNode* m_pArenaScoresLabelGooglePlay;
    CCMenuItem* m_pArenaScoresMenuItem;
    CCMenuItem* m_pMoreBackMenuItem;
    CCNode* m_pAchievementsLabel;
    CCNode* m_pLeaderboardsLabel;
    CCNode* m_pAchievementsLabelGooglePlay;
    CCNode* m_pLeaderboardsLabelGooglePlay;
    CCMenuItem* m_pAchievementsMenuItem;
    CCMenuItem* m_pLeaderboardsMenuItem;
    CCNode* m_pMoreLabel;
    CCMenuItem* m_pMoreMenuItem;
    CCNode* m_pPreviewBuildLabel;
    CCMenuItem* m_pArenaFightMenuItem;
    CCSpriteFrame* m_pLockedArenaFrame;  ///< retained
    CCSprite* m_pArenaSlots[kNumArenaSlots];
    CCMenuItem* m_pMainCharacterMenuItem;
    CCSprite* m_pCharacterSlots[kNumCharacterSlots];
    CCLabelBMFont* m_pSelectedCharacterNameLabel;
    CCLabelBMFont* m_pCharacterBio;
    CCLabelBMFont* m_pArenaMainOptionLabel;
    CCMenuItem* m_pArenaMainOptionMenuItem;
    CCNode* m_pCharacterSelectRoot;
    CCNode* m_pArenaSelectRoot;
    CCMenuItem* m_pGooglePlaySignInMenuItem;
    CCMenuItem* m_pGooglePlaySignOutMenuItem;
    CCMenuItem* m_pFullScreenMenuItem;
    CCMenuItem* m_pWindowedMenuItem;
    int m_nSelectedCharacterIndex;
    int m_nSelectedArenaIndex;
    CCNode* m_pArenaModeScreen;
    CCNode* m_pMoreScreen;
    CCMenuItem* m_pResetSaveMenuItem;
    ArenaModeHelper* m_pArenaModeHelper;  ///< retained
    ChooseDifficultyScreen* m_pDifficultyScreen;  ///< a child
    VornControllerConfigScreen* m_pControllerConfigScreen;  ///< a child
    RemapControlsScreen* m_pRemapControlsScreen;  ///< a child
    ThingsILikeScreen* m_pThingsILikeScreen;      ///< a child
    RPGWidget* m_pStatWidget;                     ///< retained
    int m_nArenaPage;
    int m_nReturnTarget;
    int m_nQueuedCarouselStep;  ///< a carousel press made during a slide: -1, 1, or 0 for none
    bool m_bConnected;
    Signal<const char*> m_startArenaSignal;
    Signal<int> m_newGameSignal;
    Signal<> m_continueSignal;
};

NS_CC_END

#endif // __TITLE_SCREEN_H__
