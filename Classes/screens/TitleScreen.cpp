#include "TitleScreen.h"

#include "AchievementsManager.h"
#include "ArenaModeHelper.h"
#include "CCApplication.h"
#include "ChooseDifficultyScreen.h"
#include "CCBAnimationManager.h"
#include "CCBReader.h"
#include "CCDirector.h"
#include "CCFileUtils.h"
#include "CCLabelBMFont.h"
#include "CCMenuGamepad.h"
#include "CCMenuGamepadInputDispatcher.h"
#include "CCMenuItem.h"
#include "CCNotificationCenter.h"
#include "CCPointExtension.h"
#include "CCScrollView.h"
#include "CCSprite.h"
#include "CCSpriteFrame.h"
#include "HighScoreManager.h"
#include "LocaleManager.h"
#include "RPGWidget.h"
#include "RemapControlsScreen.h"
#include "ThingsILikeScreen.h"
#include "VornControllerConfigScreen.h"
#include "MessageBoxScreen.h"
#include "MusicManager.h"
#include "OnlineHandler.h"
#include "OnlineManager.h"
#include "RestartManager.h"
#include "SetupManager.h"
#include "SystemManager.h"
#include "VornAchievementsManager.h"
#include "VornActionTypes.h"
#include "VornActorDesc.h"
#include "VornActionDesc.h"
#include "VornGameManager.h"
#include "VornPlayer.h"
#include "VornGameTypes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

USING_NS_CC_EXT;

NS_CC_BEGIN

namespace
{
const char* const kEventFullscreen = "event_fullscreen";
const char* const kEventWindowed = "event_windowed";
// The credits roll at a reading pace whatever their length (a fixed time per pass left a short
// text all but standing still): design pixels per second.
const float kCreditsRollSpeed = 14.0f;

// A carousel entry's two labels: its name and text, or "LOCKED" and the unlock hint.
void showEntryTexts(CCLabelBMFont* nameLabel, CCLabelBMFont* textLabel, const char* name, const char* text)
{
    if (nameLabel)
    {
        nameLabel->setString(name ? name : "");
    }
    if (textLabel)
    {
        textLabel->setString(text ? text : "");
    }
}

const char* localized(const char* id)
{
    LocaleManager* locale = LocaleManager::sharedLocaleManager();
    return locale && id ? locale->localize(id) : (id ? id : "");
}

void playMusic(const char* track)
{
    VornGameManager* manager = VornGameManager::getSharedVornGameManager();
    if (manager && manager->getMusicManager())
    {
        manager->getMusicManager()->play(track);
    }
}

AchievementsManager* achievements()
{
    VornGameManager* manager = VornGameManager::getSharedVornGameManager();
    return manager ? manager->getAchievementsManager() : NULL;
}

bool ancestorsVisible(CCNode* node)
{
    for (; node; node = node->getParent())
    {
        if (!node->isVisible())
        {
            return false;
        }
    }
    return true;
}

/** Calls each online service the player is connected to. */
void callConnectedOnlineHandlers(void (OnlineHandler::*call)())
{
    GameManager* manager = GameManager::getInstance();
    OnlineManager* online = manager ? manager->getOnlineManager() : NULL;
    CCObject* object = NULL;
    CCARRAY_FOREACH(online ? online->getHandlers() : NULL, object)
    {
        OnlineHandler* handler = static_cast<OnlineHandler*>(object);
        if (handler->isConnected())
        {
            (handler->*call)();
        }
    }
}
} // namespace

TitleScreen::TitleScreen()
    : m_pBackdropSprite(NULL), m_pScreenResLabel(NULL), m_pCreditsScrollView(NULL), m_pCreditsTextLabel(NULL), m_pControlsMenuItem(NULL),
      m_pControlsLabel(NULL), m_pThingsILikeMenuLabel(NULL), m_pThingsILikeMenuItem(NULL), m_pBeginLabel(NULL),
      m_pContinueLabel(NULL), m_pCharacterSelectMenu(NULL), m_pArenaSelectMenu(NULL), m_bMessageBoxOpen(false),
      m_pJorsUppercutSprite(NULL), m_pSantaUppercutSprite(NULL), m_pArenaNameLabel(NULL), m_pArenaBioLabel(NULL),
      m_pArenaScoresLabel(NULL), m_pArenaScoresLabelGooglePlay(NULL), m_pArenaScoresMenuItem(NULL),
      m_pMoreBackMenuItem(NULL), m_pAchievementsLabel(NULL), m_pLeaderboardsLabel(NULL),
      m_pAchievementsLabelGooglePlay(NULL), m_pLeaderboardsLabelGooglePlay(NULL), m_pAchievementsMenuItem(NULL),
      m_pLeaderboardsMenuItem(NULL), m_pMoreLabel(NULL), m_pMoreMenuItem(NULL), m_pPreviewBuildLabel(NULL),
      m_pArenaFightMenuItem(NULL), m_pLockedArenaFrame(NULL), m_pMainCharacterMenuItem(NULL),
      m_pSelectedCharacterNameLabel(NULL), m_pCharacterBio(NULL), m_pArenaMainOptionLabel(NULL),
      m_pArenaMainOptionMenuItem(NULL), m_pCharacterSelectRoot(NULL), m_pArenaSelectRoot(NULL),
      m_pGooglePlaySignInMenuItem(NULL), m_pGooglePlaySignOutMenuItem(NULL), m_pFullScreenMenuItem(NULL),
      m_pWindowedMenuItem(NULL), m_nSelectedCharacterIndex(0), m_nSelectedArenaIndex(0), m_pArenaModeScreen(NULL),
      m_pMoreScreen(NULL), m_pResetSaveMenuItem(NULL), m_pArenaModeHelper(NULL), m_pDifficultyScreen(NULL),
      m_pControllerConfigScreen(NULL), m_pRemapControlsScreen(NULL), m_pThingsILikeScreen(NULL),
      m_pStatWidget(NULL), m_nArenaPage(0), m_nReturnTarget(kTitleReturn_MainMenu), m_nQueuedCarouselStep(0),
      m_bConnected(false)
{
    for (int i = 0; i < kNumArenaSlots; ++i)
    {
        m_pArenaSlots[i] = NULL;
    }
    for (int i = 0; i < kNumCharacterSlots; ++i)
    {
        m_pCharacterSlots[i] = NULL;
    }
}

TitleScreen::~TitleScreen()
{
    if (m_bConnected)
    {
        GameManager* manager = GameManager::getInstance();
        if (manager)
        {
            manager->getUpdateSignal().disconnect(this, &TitleScreen::tickCredits);
            if (VornGameManager* game = dynamic_cast<VornGameManager*>(manager))
            {
                game->getQuitToTitleSignal().disconnect(static_cast<VornScreen*>(this), &VornScreen::open);
            }
            if (OnlineManager* online = manager->getOnlineManager())
            {
                online->getHandlerConnectedSignal().disconnect(this, &TitleScreen::onOnlineStateChanged);
                online->getHandlerDisconnectedSignal().disconnect(this, &TitleScreen::onOnlineStateChanged);
            }
        }
        CCNotificationCenter::sharedNotificationCenter()->removeObserver(this, kEventFullscreen);
        CCNotificationCenter::sharedNotificationCenter()->removeObserver(this, kEventWindowed);
    }
    CC_SAFE_RELEASE(m_pLockedArenaFrame);
    CC_SAFE_RELEASE(m_pArenaModeHelper);
    CC_SAFE_RELEASE(m_pStatWidget);
}

bool TitleScreen::initScreen()
{
    // Its pips and bar are nodes of the arena panel, so it binds them before the layout is read.
    m_pStatWidget = RPGWidget::create(this);
    m_pStatWidget->retain();
    registerMemberVariable("backdropSprite", &m_pBackdropSprite);
    registerMemberVariable("screenResLabel", &m_pScreenResLabel);
    registerMemberVariable("creditsScrollView", &m_pCreditsScrollView);
    registerMemberVariable("creditsTextLabel", &m_pCreditsTextLabel);
    registerMemberVariable("controlsMenuItem", &m_pControlsMenuItem);
    registerMemberVariable("controlsLabel", &m_pControlsLabel);
    registerMemberVariable("thingsILikeMenuLabel", &m_pThingsILikeMenuLabel);
    registerMemberVariable("thingsILikeMenuItem", &m_pThingsILikeMenuItem);
    registerMemberVariable("beginLabel", &m_pBeginLabel);
    registerMemberVariable("continueLabel", &m_pContinueLabel);
    registerMemberVariable("characterSelectMenu", &m_pCharacterSelectMenu);
    registerMemberVariable("arenaSelectMenu", &m_pArenaSelectMenu);
    registerMemberVariable("jorsUppercutSprite", &m_pJorsUppercutSprite);
    registerMemberVariable("santaUppercutSprite", &m_pSantaUppercutSprite);
    registerMemberVariable("arenaNameLabel", &m_pArenaNameLabel);
    registerMemberVariable("arenaBioLabel", &m_pArenaBioLabel);
    registerMemberVariable("arenaScoresLabel", &m_pArenaScoresLabel);
    registerMemberVariable("arenaScoresLabel_GooglePlay", &m_pArenaScoresLabelGooglePlay);
    registerMemberVariable("arenaScoresMenuItem", &m_pArenaScoresMenuItem);
    registerMemberVariable("moreBackMenuItem", &m_pMoreBackMenuItem);
    registerMemberVariable("achievementsLabel", &m_pAchievementsLabel);
    registerMemberVariable("leaderboardsLabel", &m_pLeaderboardsLabel);
    registerMemberVariable("achievementsLabel_GooglePlay", &m_pAchievementsLabelGooglePlay);
    registerMemberVariable("leaderboardsLabel_GooglePlay", &m_pLeaderboardsLabelGooglePlay);
    registerMemberVariable("achievementsMenuItem", &m_pAchievementsMenuItem);
    registerMemberVariable("leaderboardsMenuItem", &m_pLeaderboardsMenuItem);
    registerMemberVariable("moreLabel", &m_pMoreLabel);
    registerMemberVariable("moreMenuItem", &m_pMoreMenuItem);
    registerMemberVariable("previewBuildLabel", &m_pPreviewBuildLabel);
    registerMemberVariable("arenaFightMenuItem", &m_pArenaFightMenuItem);
    static const char* const kArenaSlotNames[kNumArenaSlots] = { "arena0", "arena1", "arena2", "arena3", "arena4" };
    for (int i = 0; i < kNumArenaSlots; ++i)
    {
        registerMemberVariable(kArenaSlotNames[i], &m_pArenaSlots[i]);
    }
    registerMemberVariable("mainCharacterMenuItem", &m_pMainCharacterMenuItem);
    static const char* const kCharacterSlotNames[kNumCharacterSlots] = {
        "character0", "character1", "character2", "character3", "character4", "character5", "character6"
    };
    for (int i = 0; i < kNumCharacterSlots; ++i)
    {
        registerMemberVariable(kCharacterSlotNames[i], &m_pCharacterSlots[i]);
    }
    registerMemberVariable("selectedCharacterNameLabel", &m_pSelectedCharacterNameLabel);
    registerMemberVariable("characterBio", &m_pCharacterBio);
    registerMemberVariable("arenaMainOptionLabel", &m_pArenaMainOptionLabel);
    registerMemberVariable("arenaMainOptionMenuItem", &m_pArenaMainOptionMenuItem);
    registerMemberVariable("characterSelectRoot", &m_pCharacterSelectRoot);
    registerMemberVariable("arenaSelectRoot", &m_pArenaSelectRoot);
    registerMemberVariable("googlePlaySignInMenuItem", &m_pGooglePlaySignInMenuItem);
    registerMemberVariable("googlePlaySignOutMenuItem", &m_pGooglePlaySignOutMenuItem);
    registerMemberVariable("fullScreenMenuItem", &m_pFullScreenMenuItem);
    registerMemberVariable("windowedMenuItem", &m_pWindowedMenuItem);
    registerMemberVariable("arenaModeScreen", &m_pArenaModeScreen);
    registerMemberVariable("moreScreen", &m_pMoreScreen);
    registerMemberVariable("resetSaveMenuItem", &m_pResetSaveMenuItem);

    registerGamepadMenuSelector("onBack", vornscreen_gamepad_selector(TitleScreen::onBack));
    registerMenuItemSelector("onExit", vornscreen_selector(TitleScreen::onExitGame));
    registerMenuItemSelector("onStory", vornscreen_selector(TitleScreen::onStory));
    registerMenuItemSelector("onOpenMore", vornscreen_selector(TitleScreen::onOpenMore));
    registerMenuItemSelector("onCloseMore", vornscreen_selector(TitleScreen::onCloseMore));
    registerMenuItemSelector("onOnlineShowAchievements", vornscreen_selector(TitleScreen::onOnlineShowAchievements));
    registerMenuItemSelector("onOnlineShowLeaderboards", vornscreen_selector(TitleScreen::onOnlineShowLeaderboards));
    registerMenuItemSelector("onOnlineSignIn", vornscreen_selector(TitleScreen::onOnlineSignIn));
    registerMenuItemSelector("onOnlineSignOut", vornscreen_selector(TitleScreen::onOnlineSignOut));
    registerMenuItemSelector("onOpenControlsMenu", vornscreen_selector(TitleScreen::onOpenControlsMenu));
    registerMenuItemSelector("onCloseControlsMenu", vornscreen_selector(TitleScreen::onCloseControlsMenu));
    registerMenuItemSelector("onShowThingsILike", vornscreen_selector(TitleScreen::onShowThingsILike));
    registerMenuItemSelector("onHideThingsILike", vornscreen_selector(TitleScreen::onHideThingsILike));
    registerMenuItemSelector("onResetSave", vornscreen_selector(TitleScreen::onResetSave));
    registerMenuItemSelector("onMoreScreenBack", vornscreen_selector(TitleScreen::onMoreScreenBack));
    registerMenuItemSelector("onOpenArenas", vornscreen_selector(TitleScreen::onOpenArenas));
    registerMenuItemSelector("onCloseArenas", vornscreen_selector(TitleScreen::onCloseArenas));
    registerMenuItemSelector("onArenaStart", vornscreen_selector(TitleScreen::onArenaStart));
    registerMenuItemSelector("onArenaScores", vornscreen_selector(TitleScreen::onArenaScores));
    registerGamepadMenuSelector("onArenaScreenBack", vornscreen_gamepad_selector(TitleScreen::onArenaScreenBack));
    registerGamepadMenuSelector("arenaScreenLeft", vornscreen_gamepad_selector(TitleScreen::arenaScreenLeft));
    registerGamepadMenuSelector("arenaScreenRight", vornscreen_gamepad_selector(TitleScreen::arenaScreenRight));
    registerGamepadMenuSelector("characterMoveLeft", vornscreen_gamepad_selector(TitleScreen::characterMoveLeft));
    registerGamepadMenuSelector("characterMoveRight", vornscreen_gamepad_selector(TitleScreen::characterMoveRight));
    registerGamepadMenuSelector("arenaMoveLeft", vornscreen_gamepad_selector(TitleScreen::arenaMoveLeft));
    registerGamepadMenuSelector("arenaMoveRight", vornscreen_gamepad_selector(TitleScreen::arenaMoveRight));
    registerMenuItemSelector("onShowCharacterSelect", vornscreen_selector(TitleScreen::onShowCharacterSelect));
    registerMenuItemSelector("arenaMainOption", vornscreen_selector(TitleScreen::arenaMainOption));
    registerMenuItemSelector("onFullScreen", vornscreen_selector(TitleScreen::onFullScreen));
    registerMenuItemSelector("onWindowed", vornscreen_selector(TitleScreen::onWindowed));

    if (!initWithCCBFile("title-screen"))
    {
        return false;
    }

    GameManager* manager = GameManager::getInstance();
    if (manager)
    {
        if (VornGameManager* game = dynamic_cast<VornGameManager*>(manager))
        {
            game->getQuitToTitleSignal().connect(static_cast<VornScreen*>(this), &VornScreen::open);
        }
        manager->getUpdateSignal().connect(this, &TitleScreen::tickCredits);
        if (OnlineManager* online = manager->getOnlineManager())
        {
            online->getHandlerConnectedSignal().connect(this, &TitleScreen::onOnlineStateChanged);
            online->getHandlerDisconnectedSignal().connect(this, &TitleScreen::onOnlineStateChanged);
        }
        m_bConnected = true;
    }

    const CCSize win = CCDirector::sharedDirector()->getWinSize();
    if (m_pScreenResLabel)
    {
        CCSize design = manager ? manager->getPlayAreaSize() : win;
        float scale = manager ? manager->getResolutionScale() : 1.0f;
        char text[128];
        snprintf(text, sizeof(text), "Screen:%.0fx%.0f\nDesign:%.0fx%.0f\nScale:%.2f", win.width, win.height,
                 design.width, design.height, scale);
        m_pScreenResLabel->setString(text);
        m_pScreenResLabel->setVisible(false);
    }
    if (m_pBackdropSprite)
    {
        // Covers the whole window, cropping the longer side rather than leaving bars.
        CCSize art = m_pBackdropSprite->getContentSize();
        if (art.width > 0.0f && art.height > 0.0f)
        {
            m_pBackdropSprite->setScale(std::max(win.width / art.width, win.height / art.height));
        }
    }
    setNodeVisible(m_pSantaUppercutSprite, false);
    setNodeVisible(m_pPreviewBuildLabel, false);

    // Bios wrap at their laid-out width; the arena's widens on screens wider than the design.
    float factor = win.height > 0.0f ? (win.width / win.height) / 1.5f : 1.0f;
    if (m_pCharacterBio)
    {
        m_pCharacterBio->setWidth(m_pCharacterBio->getScaleX() * m_pCharacterBio->getContentSize().width);
    }
    if (m_pArenaBioLabel)
    {
        m_pArenaBioLabel->setWidth(m_pArenaBioLabel->getScaleX() * m_pArenaBioLabel->getContentSize().width *
                                   factor);
    }

    if (m_pArenaSlots[0] && m_pArenaSlots[0]->displayFrame())
    {
        m_pLockedArenaFrame = m_pArenaSlots[0]->displayFrame();
        m_pLockedArenaFrame->retain();
    }

    m_pArenaModeHelper = new ArenaModeHelper();
    if (!m_pArenaModeHelper->init())
    {
        CCLog("TitleScreen::initScreen - the arena tables cannot be read");
        return false;
    }
    m_nArenaPage = kArenaPage_CharacterSelect;
    m_nReturnTarget = kTitleReturn_MainMenu;

    ChooseDifficultyScreen* difficulty = new ChooseDifficultyScreen();
    if (!difficulty->init())
    {
        difficulty->cleanup();
        difficulty->release();
        return false;
    }
    m_pDifficultyScreen = difficulty;
    addChild(difficulty);
    difficulty->release();

    CCApplication* app = CCApplication::sharedApplication();
    bool ouya = app && app->isTargetPlatform(kTargetOuya);
    bool android = app && app->isTargetPlatform(kTargetAndroid);
    CCLog("CCApplication::sharedApplication()->isTargetPlatform(kTargetOUYA) == %d", ouya ? 1 : 0);
    CCLog("CCApplication::sharedApplication()->isTargetPlatform(kTargetAndroid) == %d", android ? 1 : 0);
    if (!initControlScreens())
    {
        return false;
    }
    // Remapping is for keyboards and desktop pads; the console build has neither entry. Without an
    // application object (tools, tests) this is the desktop engine.
    bool desktop = !app || app->isTargetPlatform(kTargetWindows) || app->isTargetPlatform(kTargetLinux) ||
                   app->isTargetPlatform(kTargetMacOS);
    bool controls = m_pRemapControlsScreen && (desktop || (android && !ouya));
    bool things = m_pThingsILikeScreen->getItems() && m_pThingsILikeScreen->getItems()->count() > 0;
    if (app && app->isTargetPlatform(kTargetGamepadConsole))
    {
        controls = false;
        things = false;
    }
    setNodeVisible(m_pControlsMenuItem, controls);
    setNodeVisible(m_pControlsLabel, controls);
    setNodeVisible(m_pThingsILikeMenuItem, things);
    setNodeVisible(m_pThingsILikeMenuLabel, things);

    loadCredits();
    onFullScreenChanged(NULL);
    CCNotificationCenter::sharedNotificationCenter()->addObserver(
        this, callfuncO_selector(TitleScreen::onFullScreenChanged), kEventFullscreen, NULL);
    CCNotificationCenter::sharedNotificationCenter()->addObserver(
        this, callfuncO_selector(TitleScreen::onFullScreenChanged), kEventWindowed, NULL);

    hide();
    return true;
}

bool TitleScreen::addControlScreen(VornScreen* screen, const char* what, void (TitleScreen::*onClosing)())
{
    const bool built = screen->init();
    if (built)
    {
        screen->getClosingSignal().connect(this, onClosing);
        addChild(screen, kControlScreenZ);
    }
    else
    {
        CCLog("TitleScreen::initControlScreens - the %s cannot be built", what);
        screen->cleanup();
    }
    screen->release();
    return built;
}

bool TitleScreen::initControlScreens()
{
    // The pad and controls screens are optional: the game goes on without them, their entries hidden.
    VornControllerConfigScreen* pad = new VornControllerConfigScreen();
    m_pControllerConfigScreen = addControlScreen(pad, "pad set-up screen", &TitleScreen::onCloseControlsMenu) ? pad : NULL;
    RemapControlsScreen* remap = new RemapControlsScreen();
    m_pRemapControlsScreen = addControlScreen(remap, "controls screen", &TitleScreen::onCloseControlsMenu) ? remap : NULL;
    ThingsILikeScreen* things = new ThingsILikeScreen();
    m_pThingsILikeScreen = addControlScreen(things, "things-I-like screen", &TitleScreen::onHideThingsILike) ? things : NULL;
    return m_pThingsILikeScreen != NULL;
}

void TitleScreen::setNodeVisible(CCNode* node, bool visible)
{
    if (node)
    {
        node->setVisible(visible);
    }
}

bool TitleScreen::hasCheckpoint()
{
    GameManager* manager = GameManager::getInstance();
    RestartManager* restart = manager ? manager->getRestartManager() : NULL;
    return restart && restart->getHasCheckpoint();
}

void TitleScreen::showStoryCaption()
{
    bool saved = hasCheckpoint();
    setNodeVisible(m_pBeginLabel, !saved);
    setNodeVisible(m_pContinueLabel, saved);
}

void TitleScreen::open()
{
    setVisible(true);
    refreshOnlineItems();
    showStoryCaption();
    m_bOpening = true;
    const char* timeline = m_nReturnTarget == kTitleReturn_ArenaSelect ? "onGameToArenaSelect" : "onEnter";
    if (!startOrFinish(timeline, callfunc_selector(TitleScreen::onOpened), false) && !isTimelineRunning())
    {
        onOpened();
    }
    refreshCharacterSelect();
    refreshArenaSelect();
    playMusic("Menu");
}

void TitleScreen::onOpened()
{
    m_bOpening = false;
    setTouchEnabled(true);
    m_openedSignal.emit();
    focusDefaultMenu();
    if (m_nReturnTarget == kTitleReturn_ArenaSelect && m_pArenaSelectMenu)
    {
        CCMenuGamepadInputDispatcher::sharedDispatcher()->setActiveMenu(m_pArenaSelectMenu, -1);
    }
    if (getAnimationManager())
    {
        getAnimationManager()->setAnimationCompletedCallback(NULL, NULL);
    }
    m_nReturnTarget = kTitleReturn_MainMenu;
}

void TitleScreen::close()
{
    setTouchEnabled(false);
    onClosed();
}

void TitleScreen::onClosed()
{
    setVisible(false);
}

bool TitleScreen::isTimelineRunning()
{
    CCBAnimationManager* manager = getAnimationManager();
    const char* running = manager ? manager->getRunningSequenceName() : NULL;
    if (running && *running)
    {
        return true;
    }
    CCBAnimationManager* arena =
        m_pReader && m_pArenaModeScreen ? m_pReader->getAnimationManagerForNode(m_pArenaModeScreen) : NULL;
    running = arena ? arena->getRunningSequenceName() : NULL;
    return running && *running;
}

// Main menu --------------------------------------------------------------------------------

void TitleScreen::onStory()
{
    if (isTimelineRunning())
    {
        return;
    }
    m_nReturnTarget = kTitleReturn_MainMenu;
    AchievementsManager* achieved = achievements();
    if (!hasCheckpoint() && m_pDifficultyScreen && achieved &&
        achieved->isAchievementUnlocked("achievement.grandor.completed_game_1"))
    {
        m_pDifficultyScreen->show(this, difficulty_selector(TitleScreen::onDifficultyChosen));
        return;
    }
    if (!runTimeline("onStory", callfunc_selector(TitleScreen::onStoryTimelineDone), false))
    {
        onStoryTimelineDone();
    }
}

void TitleScreen::onStoryTimelineDone()
{
    onClosed();
    if (hasCheckpoint())
    {
        m_continueSignal.emit();
    }
    else
    {
        m_newGameSignal.emit(kDifficulty_Easy);
    }
}

void TitleScreen::onDifficultyChosen(int choice)
{
    if (choice == kDifficulty_MAX)
    {
        onOpened();
        return;
    }
    m_newGameSignal.emit(choice);
    hide();
}

void TitleScreen::onBack(int player)
{
    CC_UNUSED_PARAM(player);
    if (isTimelineRunning() || !isVisible() || m_bMessageBoxOpen)
    {
        return;
    }
    // Only a question on screen blocks the next one; a box that failed to open leaves back working.
    MessageBoxScreen* box = MessageBoxScreen::showMessageBox(
        this, localized("MENU_EXIT_GAME_QUESTION"), NULL, NULL, messagebox_selector(TitleScreen::onExitGame),
        messagebox_selector(TitleScreen::onExitQuestionNo), messagebox_selector(TitleScreen::onExitGame));
    m_bMessageBoxOpen = box != NULL;
}

void TitleScreen::onExitQuestionNo()
{
    m_bMessageBoxOpen = false;
}

void TitleScreen::onExitGame()
{
    m_bMessageBoxOpen = false;
    GameManager* manager = GameManager::getInstance();
    if (manager && manager->getSystemManager())
    {
        manager->getSystemManager()->quit();
    }
}

void TitleScreen::selectItem(CCMenuItem* item)
{
    if (item)
    {
        CCMenuGamepadInputDispatcher::sharedDispatcher()->setFocusMenuItem(item, 0);
    }
}

// More panel ------------------------------------------------------------------------------

void TitleScreen::onOpenMore()
{
    if (isTimelineRunning())
    {
        return;
    }
    if (!runTimeline("openMore", callfunc_selector(TitleScreen::focusMoreBack), false))
    {
        return;
    }
    refreshOnlineItems();
    if (m_pCreditsScrollView)
    {
        m_pCreditsScrollView->setContentOffset(m_pCreditsScrollView->minContainerOffset(), false);
    }
    playMusic("Credits");
}

void TitleScreen::focusMoreBack()
{
    selectItem(m_pMoreBackMenuItem);
}

void TitleScreen::onCloseMore()
{
    runTimeline("closeMore", callfunc_selector(TitleScreen::onCloseMoreDone), false);
    showStoryCaption();
}

void TitleScreen::onCloseMoreDone()
{
    onOpened();
    if (m_pCreditsScrollView)
    {
        if (m_pCreditsScrollView->getContainer())
        {
            m_pCreditsScrollView->getContainer()->stopAllActions();
        }
        m_pCreditsScrollView->unscheduleAllSelectors();
    }
    playMusic("Menu");
}

void TitleScreen::onMoreScreenBack()
{
    if (!isTimelineRunning())
    {
        onCloseMore();
    }
}

void TitleScreen::onOpenControlsMenu()
{
    if (!isTimelineRunning() && m_pRemapControlsScreen)
    {
        runTimelineOnNode(m_pMoreScreen, "openControlsMenu", NULL);
        m_pRemapControlsScreen->open();
    }
}

void TitleScreen::onCloseControlsMenu()
{
    if (!isTimelineRunning())
    {
        runTimelineOnNode(m_pMoreScreen, "closeControlsMenu", callfunc_selector(TitleScreen::focusControlsItem));
        if (m_pRemapControlsScreen)
        {
            m_pRemapControlsScreen->close();
        }
    }
}

void TitleScreen::focusControlsItem()
{
    selectItem(m_pControlsMenuItem);
}

void TitleScreen::onShowThingsILike()
{
    if (!isTimelineRunning() && m_pThingsILikeScreen)
    {
        runTimelineOnNode(m_pMoreScreen, "openControlsMenu", NULL);
        m_pThingsILikeScreen->open();
    }
}

void TitleScreen::onHideThingsILike()
{
    runTimelineOnNode(m_pMoreScreen, "closeControlsMenu", callfunc_selector(TitleScreen::focusThingsILikeItem));
}

void TitleScreen::focusThingsILikeItem()
{
    selectItem(m_pThingsILikeMenuItem);
}

void TitleScreen::onOnlineStateChanged(OnlineHandler* handler)
{
    CC_UNUSED_PARAM(handler);
    refreshOnlineItems();
}

void TitleScreen::refreshOnlineItems()
{
    GameManager* manager = GameManager::getInstance();
    OnlineManager* online = manager ? manager->getOnlineManager() : NULL;
    SetupManager* setup = manager ? manager->getSetupManager() : NULL;
    bool gp = setup && setup->isOnlineHandlerEnabled("GooglePlayServices");
    bool on = online && online->isConnected();
    bool ach = on && online->canShowAchievements();
    bool lb = on && online->canShowLeaderboards();
    setNodeVisible(m_pArenaScoresLabelGooglePlay, gp && lb);
    setNodeVisible(m_pArenaScoresLabel, !gp && lb);
    setNodeVisible(m_pArenaScoresMenuItem, lb);
    if (m_pArenaScoresMenuItem)
    {
        m_pArenaScoresMenuItem->setEnabled(lb);
    }
    setNodeVisible(m_pAchievementsLabel, !gp && ach);
    setNodeVisible(m_pLeaderboardsLabel, !gp && lb);
    setNodeVisible(m_pAchievementsLabelGooglePlay, gp && ach);
    setNodeVisible(m_pLeaderboardsLabelGooglePlay, gp && lb);
    setNodeVisible(m_pAchievementsMenuItem, ach);
    setNodeVisible(m_pLeaderboardsMenuItem, lb);
    setNodeVisible(m_pGooglePlaySignInMenuItem, gp && !on);
    setNodeVisible(m_pGooglePlaySignOutMenuItem, false);
}

void TitleScreen::onOnlineShowAchievements()
{
    callConnectedOnlineHandlers(&OnlineHandler::showAchievements);
}

void TitleScreen::onOnlineShowLeaderboards()
{
    GameManager* manager = GameManager::getInstance();
    if (manager && manager->getOnlineManager())
    {
        manager->getOnlineManager()->showLeaderboards();
    }
}

void TitleScreen::onOnlineSignIn()
{
    GameManager* manager = GameManager::getInstance();
    if (manager && manager->getOnlineManager())
    {
        manager->getOnlineManager()->connectGooglePlayServices();
    }
}

void TitleScreen::onOnlineSignOut()
{
    CCLog("onOnlineSignOut");
    callConnectedOnlineHandlers(&OnlineHandler::shutdown);
}

void TitleScreen::onResetSave()
{
    MessageBoxScreen::showMessageBox(this, localized("MENU_RESET_SAVE_QUESTION"), localized("MENU_YES"),
                                     localized("MENU_NO"), messagebox_selector(TitleScreen::resetSave),
                                     messagebox_selector(TitleScreen::focusResetSaveItem),
                                     messagebox_selector(TitleScreen::focusResetSaveItem));
}

void TitleScreen::resetSave()
{
    GameManager* manager = GameManager::getInstance();
    if (manager)
    {
        if (manager->getRestartManager())
        {
            manager->getRestartManager()->setHasCheckpoint(false);
        }
        if (manager->getHighScoreManager())
        {
            manager->getHighScoreManager()->resetAllScores();
        }
    }
    if (AchievementsManager* achieved = achievements())
    {
        achieved->resetAllAchievements();
    }
    if (m_pArenaModeHelper)
    {
        m_pArenaModeHelper->resetProgression();
    }
    showStoryCaption();
    refreshCharacterSelect();
    refreshArenaSelect();
    focusResetSaveItem();
}

void TitleScreen::focusResetSaveItem()
{
    selectItem(m_pResetSaveMenuItem);
}

void TitleScreen::onFullScreen()
{
    GameManager* manager = GameManager::getInstance();
    if (manager && manager->getSystemManager())
    {
        manager->getSystemManager()->setFullscreen(true);
    }
    onFullScreenChanged(NULL);
    selectItem(m_pWindowedMenuItem);
}

void TitleScreen::onWindowed()
{
    GameManager* manager = GameManager::getInstance();
    if (manager && manager->getSystemManager())
    {
        manager->getSystemManager()->setFullscreen(false);
    }
    onFullScreenChanged(NULL);
    selectItem(m_pFullScreenMenuItem);
}

void TitleScreen::onFullScreenChanged(CCObject* notification)
{
    CC_UNUSED_PARAM(notification);
    // The display mode is chosen on the command line ("-w"); the panel offers no switch.
    setNodeVisible(m_pFullScreenMenuItem, false);
    setNodeVisible(m_pWindowedMenuItem, false);
}

std::string TitleScreen::localizeCredits(const std::string& source)
{
    std::string text = source;
    size_t pos = 0;
    while ((pos = text.find('<', pos)) != std::string::npos)
    {
        size_t end = text.find('>', pos + 1);
        if (end == std::string::npos)
        {
            break;
        }
        std::string key = text.substr(pos + 1, end - pos - 1);
        std::string token = "<" + key + ">";
        std::string value = localized(key.c_str());
        // Every occurrence at once; scanning goes on after this one's replacement, so a text
        // that itself holds "<...>" is never looked up again.
        size_t at = pos;
        size_t next = pos + value.size();
        while ((at = text.find(token, at)) != std::string::npos)
        {
            text.replace(at, token.size(), value);
            at += value.size();
        }
        pos = next;
    }
    return text;
}

// Junk in the credits would roll on screen as it is: each line that cannot be shown as meant is
// named (a text key the tables do not have, an unclosed "<", bytes that are not text).
void TitleScreen::reportUnusableCreditLines(const std::string& text)
{
    unsigned int number = 0;
    size_t start = 0;
    while (start < text.size())
    {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
        {
            end = text.size();
        }
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        ++number;
        std::string problem;
        for (unsigned char c : line)
        {
            if ((c < 0x20 && c != '\t' && c != '\r') || c == 0x7F)
            {
                problem = "it holds bytes that are not text";
                break;
            }
        }
        for (size_t open = line.find('<'); problem.empty() && open != std::string::npos; open = line.find('<', open + 1))
        {
            size_t close = line.find('>', open + 1);
            if (close == std::string::npos)
            {
                problem = "a \"<\" is not closed";
                break;
            }
            const std::string key = line.substr(open + 1, close - open - 1);
            LocaleManager* locale = LocaleManager::sharedLocaleManager();
            if (locale && key == locale->localize(key.c_str()))
            {
                problem = "<" + key + "> names no text";
            }
        }
        if (!problem.empty())
        {
            CCLog("ERROR: TitleScreen::loadCredits - credits.txt, line %u: %s", number, problem.c_str());
        }
    }
}

void TitleScreen::loadCredits()
{
    unsigned long size = 0;
    unsigned char* data = CCFileUtils::sharedFileUtils()->getFileData("credits.txt", "rt", &size);
    std::string text;
    if (data)
    {
        text.assign(reinterpret_cast<const char*>(data), size);
        delete[] data;
    }
    else
    {
        CCLog("TitleScreen::loadCredits - cannot read 'credits.txt'");
    }
    reportUnusableCreditLines(text);
    text = localizeCredits(text);
    if (!m_pCreditsTextLabel)
    {
        return;
    }
    m_pCreditsTextLabel->setString(text.c_str());
    if (m_pCreditsScrollView && m_pCreditsScrollView->getContainer())
    {
        const CCSize win = CCDirector::sharedDirector()->getWinSize();
        float height = m_pCreditsTextLabel->getContentSize().height * m_pCreditsTextLabel->getScaleY();
        m_pCreditsScrollView->getContainer()->setContentSize(CCSize(win.width, height));
        m_pCreditsTextLabel->setPosition(ccp(win.width * 0.5f, height * 0.5f));
    }
}

void TitleScreen::tickCredits(float dt)
{
    CCScrollView* view = m_pCreditsScrollView;
    if (!view || !ancestorsVisible(view) || view->isDragging() ||
        ccpLength(view->getScrollDistance()) >= 1.0f)
    {
        return;
    }
    CCPoint lo = view->minContainerOffset();
    CCPoint hi = view->maxContainerOffset();
    float range = hi.y - lo.y;
    if (range <= 0.0f)
    {
        // Credits that fit the view have nowhere to scroll.
        return;
    }
    CCPoint offset = view->getContentOffset();
    GameManager* manager = GameManager::getInstance();
    float speed = kCreditsRollSpeed * (manager ? manager->getResolutionScale() : 1.0f);
    float t = (offset.y - lo.y) / range + dt * speed / range;
    t = t < 0.0f ? 0.0f : (t > 1.0f ? 1.0f : t);
    view->setContentOffset(ccpLerp(lo, hi, t), false);
    if (t >= 0.999f)
    {
        if (AchievementsManager* achieved = achievements())
        {
            achieved->setAchievementProgress("achievement.grandor.finished_credits", 1.0f);
        }
    }
}

// Arena panel -----------------------------------------------------------------------------

int TitleScreen::wrapIndex(int index, int count)
{
    if (count <= 0)
    {
        return 0;
    }
    int wrapped = index % count;
    return wrapped < 0 ? wrapped + count : wrapped;
}

int TitleScreen::firstSlotIndex(int selected, int back, int count)
{
    return wrapIndex(selected - back, count);
}

CCSprite* TitleScreen::getCharacterSlot(int slot)
{
    return slot >= 0 && slot < kNumCharacterSlots ? m_pCharacterSlots[slot] : NULL;
}

CCSprite* TitleScreen::getArenaSlot(int slot)
{
    return slot >= 0 && slot < kNumArenaSlots ? m_pArenaSlots[slot] : NULL;
}

bool TitleScreen::isCharacterUnlocked(int index)
{
    return m_pArenaModeHelper && m_pArenaModeHelper->isCharacterUnlocked(index);
}

bool TitleScreen::isArenaUnlocked(int index)
{
    return m_pArenaModeHelper && m_pArenaModeHelper->isArenaUnlocked(index);
}

std::string TitleScreen::lockedHint(const char* lockedId, const char* achievement)
{
    std::string hint = localized(lockedId);
    AchievementsManager* achieved = achievements();
    // An achievement the game does not know has no hint worth showing.
    if (achievement && achieved && achieved->getAchievement(achievement))
    {
        hint += "\n";
        hint += localized((std::string("pre_") + achievement).c_str());
    }
    return hint;
}

void TitleScreen::onOpenArenas()
{
    if (isTimelineRunning())
    {
        return;
    }
    if (runTimeline("openArenas", callfunc_selector(TitleScreen::resetArenaPositions), false) &&
        m_pCharacterSelectMenu)
    {
        CCMenuGamepadInputDispatcher::sharedDispatcher()->setActiveMenu(
            m_nArenaPage == kArenaPage_ArenaSelect && m_pArenaSelectMenu ? m_pArenaSelectMenu : m_pCharacterSelectMenu,
            0);
    }
}

void TitleScreen::resetArenaPositions()
{
    runTimelineOnNode(m_pArenaModeScreen, "resetPositions", NULL);
}

void TitleScreen::onCloseArenas()
{
    if (!isTimelineRunning())
    {
        runTimeline("closeArenas", callfunc_selector(TitleScreen::onOpened), false);
    }
}

void TitleScreen::onArenaScreenBack(int player)
{
    CC_UNUSED_PARAM(player);
    if (isTimelineRunning())
    {
        return;
    }
    if (m_nArenaPage == kArenaPage_CharacterSelect)
    {
        onCloseArenas();
    }
    else if (m_nArenaPage == kArenaPage_ArenaSelect)
    {
        setArenaPage(kArenaPage_CharacterSelect);
    }
}

bool TitleScreen::slideCarousel(int step, int count, const std::string& timeline, int* index)
{
    if (count <= 0)
    {
        return false;
    }
    if (!runTimelineOnNode(m_pArenaModeScreen, (timeline + (step < 0 ? "Left" : "Right")).c_str(),
                           callfunc_selector(TitleScreen::onCarouselSlideDone)))
    {
        queueCarouselStep(step);
        return false;
    }
    *index = wrapIndex(*index + step, count);
    return true;
}

void TitleScreen::moveCharacter(int step)
{
    const int count = m_pArenaModeHelper ? m_pArenaModeHelper->getNumCharacters() : 0;
    if (slideCarousel(step, count, "characterMove", &m_nSelectedCharacterIndex))
    {
        refreshCharacterSelect();
    }
}

void TitleScreen::moveArena(int step)
{
    const int count = m_pArenaModeHelper ? m_pArenaModeHelper->getNumArenas() : 0;
    if (slideCarousel(step, count, "arenaMove", &m_nSelectedArenaIndex))
    {
        refreshArenaSelect();
    }
}

void TitleScreen::queueCarouselStep(int step)
{
    // A press while the carousel slides is kept for the slide's end: one press, the latest.
    CCBAnimationManager* panel =
        m_pReader && m_pArenaModeScreen ? m_pReader->getAnimationManagerForNode(m_pArenaModeScreen) : NULL;
    if (panel && panel->getRunningSequenceName())
    {
        m_nQueuedCarouselStep = step;
    }
}

void TitleScreen::onCarouselSlideDone()
{
    refreshCharacterSelect();
    refreshArenaSelect();
    int step = m_nQueuedCarouselStep;
    m_nQueuedCarouselStep = 0;
    if (step != 0)
    {
        arenaScreenMove(step);
    }
}

void TitleScreen::arenaScreenMove(int step)
{
    if (m_nArenaPage == kArenaPage_CharacterSelect)
    {
        moveCharacter(step);
    }
    else if (m_nArenaPage == kArenaPage_ArenaSelect)
    {
        moveArena(step);
    }
}

// The carousel's gamepad selectors: which player pressed does not matter on the title.
void TitleScreen::characterMoveLeft(int) { moveCharacter(-1); }
void TitleScreen::characterMoveRight(int) { moveCharacter(1); }
void TitleScreen::arenaMoveLeft(int) { moveArena(-1); }
void TitleScreen::arenaMoveRight(int) { moveArena(1); }
void TitleScreen::arenaScreenLeft(int) { arenaScreenMove(-1); }
void TitleScreen::arenaScreenRight(int) { arenaScreenMove(1); }

void TitleScreen::onShowCharacterSelect()
{
    setArenaPage(kArenaPage_CharacterSelect);
}

void TitleScreen::setArenaPage(int page)
{
    if (page == m_nArenaPage)
    {
        return;
    }
    m_nArenaPage = page;
    m_nQueuedCarouselStep = 0;
    CCMenuGamepadInputDispatcher* dispatcher = CCMenuGamepadInputDispatcher::sharedDispatcher();
    if (page == kArenaPage_ArenaSelect)
    {
        if (runTimelineOnNode(m_pArenaModeScreen, "switchCharacterToArena", NULL) && m_pArenaMainOptionLabel)
        {
            m_pArenaMainOptionLabel->setString(localized("MENU_FIGHT"));
        }
        dispatcher->setActiveMenu(m_pArenaSelectMenu, -1);
    }
    else if (page == kArenaPage_CharacterSelect)
    {
        if (runTimelineOnNode(m_pArenaModeScreen, "switchArenaToCharacter", NULL) && m_pArenaMainOptionLabel)
        {
            m_pArenaMainOptionLabel->setString(localized("MENU_SELECT_ARENA"));
        }
        dispatcher->setActiveMenu(m_pCharacterSelectMenu, -1);
    }
    refreshArenaMainOption();
}

void TitleScreen::arenaMainOption()
{
    if (isTimelineRunning() || !m_pArenaMainOptionMenuItem || !m_pArenaMainOptionMenuItem->isEnabled())
    {
        return;
    }
    if (m_nArenaPage == kArenaPage_CharacterSelect)
    {
        setArenaPage(kArenaPage_ArenaSelect);
    }
    else if (m_nArenaPage == kArenaPage_ArenaSelect)
    {
        onArenaStart();
    }
}

void TitleScreen::onArenaStart()
{
    if (isTimelineRunning() || !m_pArenaModeHelper || m_pArenaModeHelper->getNumArenas() <= 0)
    {
        return;
    }
    // A locked arena (or character) cannot be played, whichever item asked.
    if (!isArenaUnlocked(m_nSelectedArenaIndex) || !isCharacterUnlocked(m_nSelectedCharacterIndex))
    {
        return;
    }
    m_nReturnTarget = kTitleReturn_ArenaSelect;
    if (!runTimeline("onArenaSelectToGame", callfunc_selector(TitleScreen::onArenaSelectToGameDone), false))
    {
        onArenaSelectToGameDone();
    }
}

void TitleScreen::onArenaSelectToGameDone()
{
    // The arena is fought with the fighter picked here; arena scripts keep that choice.
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    const char* character = m_pArenaModeHelper ? m_pArenaModeHelper->getCharacterType(m_nSelectedCharacterIndex) : NULL;
    if (game && game->getPlayer() && character && *character)
    {
        game->getPlayer()->setPlayerDesc(std::string(character) + ".plist");
    }
    std::string level = m_pArenaModeHelper ? m_pArenaModeHelper->getArenaLevelName(m_nSelectedArenaIndex) : "";
    m_startArenaSignal.emit(level.c_str());
    onClosed();
}

void TitleScreen::onArenaScores()
{
    GameManager* manager = GameManager::getInstance();
    OnlineManager* online = manager ? manager->getOnlineManager() : NULL;
    const char* id = m_pArenaModeHelper ? m_pArenaModeHelper->getCurrentArenaLeaderboardID() : NULL;
    if (online && id)
    {
        online->showLeaderboard(id);
    }
}

void TitleScreen::fillCarouselSlots(CCSprite* const* slots, int numSlots, int selected, int count,
                                    const std::function<void(CCSprite*, int)>& fill)
{
    // The selected entry sits in the middle slot; the others wrap round the list.
    int index = firstSlotIndex(selected, numSlots / 2, count);
    for (int slot = 0; slot < numSlots; ++slot, index = wrapIndex(index + 1, count))
    {
        if (slots[slot])
        {
            fill(slots[slot], index);
        }
    }
}

void TitleScreen::showCharacterInSlot(CCSprite* sprite, int index)
{
    sprite->setColor(isCharacterUnlocked(index) ? ccc3(255, 255, 255) : ccc3(0, 0, 0));
    VornActorDesc* desc = m_pArenaModeHelper->getCharacterDesc(index);
    const std::vector<VornActionDesc*>* idles = desc ? &desc->getActionsForType(kVAT_Idle) : NULL;
    if (idles && !idles->empty())
    {
        VornActionDesc* idle = (*idles)[rand() % idles->size()];
        CCArray* frames = idle ? idle->getFrames() : NULL;
        CCSpriteFrame* frame =
            frames && frames->count() ? dynamic_cast<CCSpriteFrame*>(frames->objectAtIndex(0)) : NULL;
        if (frame)
        {
            sprite->setDisplayFrame(frame);
        }
    }
}

void TitleScreen::refreshCharacterSelect()
{
    const int count = m_pArenaModeHelper ? m_pArenaModeHelper->getNumCharacters() : 0;
    if (count > 0)
    {
        fillCarouselSlots(m_pCharacterSlots, kNumCharacterSlots, m_nSelectedCharacterIndex, count,
                          [this](CCSprite* sprite, int index) { showCharacterInSlot(sprite, index); });
        const int selected = m_nSelectedCharacterIndex;
        VornActorDesc* desc = m_pArenaModeHelper->getCharacterDesc(selected);
        m_pStatWidget->setRPGStats(desc);
        if (isCharacterUnlocked(selected))
        {
            showEntryTexts(m_pSelectedCharacterNameLabel, m_pCharacterBio, desc ? desc->getDisplayName().c_str() : "",
                           m_pArenaModeHelper->getCharacterBio(selected));
        }
        else
        {
            const std::string hint =
                lockedHint("CHAR_SELECT_LOCKED", m_pArenaModeHelper->getCharacterUnlockAchievement(selected));
            showEntryTexts(m_pSelectedCharacterNameLabel, m_pCharacterBio, "LOCKED", hint.c_str());
        }
    }
    refreshArenaMainOption();
}

void TitleScreen::refreshArenaSelect()
{
    const int count = m_pArenaModeHelper ? m_pArenaModeHelper->getNumArenas() : 0;
    if (count > 0)
    {
        fillCarouselSlots(m_pArenaSlots, kNumArenaSlots, m_nSelectedArenaIndex, count, [this](CCSprite* sprite, int index) {
            CCSpriteFrame* preview = isArenaUnlocked(index) ? m_pArenaModeHelper->getArenaPreview(index) : NULL;
            CCSpriteFrame* frame = preview ? preview : m_pLockedArenaFrame;
            if (frame)
            {
                sprite->setDisplayFrame(frame);
            }
        });
        const int selected = m_nSelectedArenaIndex;
        if (isArenaUnlocked(selected))
        {
            m_pArenaModeHelper->setCurrentArenaIndex(selected);
            showEntryTexts(m_pArenaNameLabel, m_pArenaBioLabel, m_pArenaModeHelper->getArenaLocationName(selected),
                           m_pArenaModeHelper->getArenaBio(selected));
        }
        else
        {
            const std::string hint =
                lockedHint("ARENA_SELECT_LOCKED", m_pArenaModeHelper->getArenaUnlockAchievement(selected));
            showEntryTexts(m_pArenaNameLabel, m_pArenaBioLabel, "LOCKED", hint.c_str());
        }
    }
    refreshArenaMainOption();
}

void TitleScreen::refreshArenaMainOption()
{
    bool unlocked = false;
    if (m_nArenaPage == kArenaPage_CharacterSelect)
    {
        unlocked = isCharacterUnlocked(m_nSelectedCharacterIndex);
    }
    else if (m_nArenaPage == kArenaPage_ArenaSelect)
    {
        unlocked = isArenaUnlocked(m_nSelectedArenaIndex);
    }
    if (m_pArenaMainOptionLabel)
    {
        m_pArenaMainOptionLabel->setOpacity(unlocked ? 255 : 128);
    }
    if (m_pArenaMainOptionMenuItem)
    {
        m_pArenaMainOptionMenuItem->setEnabled(unlocked);
    }
}

NS_CC_END
