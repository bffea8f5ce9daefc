#include "HUD.h"

#include "ArenaTasksScreen.h"
#include "ArenaTimerScreen.h"
#include "CCActionInstant.h"
#include "CCActionInterval.h"
#include "CCLayerColor.h"
#include "CCMenuItem.h"
#include "CCPointExtension.h"
#include "CCSprite.h"
#include "CheckpointScreen.h"
#include "CinemascopeScreen.h"
#include "ComboCounterScreen.h"
#include "FightHealthScreen.h"
#include "GameManager.h"
#include "GrumvaldScreen.h"
#include "LocaleManager.h"
#include "PlayerHealthScreen.h"
#include "SpeechItem.h"
#include "SpeechScreen.h"
#include "ThumbsScreen.h"
#include "TimeAndLocationScreen.h"
#include "VornGameManager.h"
#include "VornPlayer.h"
#include "VornPlayerInputBase.h"

#include <algorithm>

NS_CC_BEGIN

namespace
{
enum
{
    kTagMainMenu = 1,
    kTagPauseItem = 0,
    kTagDamageOverlay = 2,
    kTagGo = 4,
};

/** The shortest step a fade takes, so a very short fade still ends on the next frame. */
const float kMinFadeStep = 1.0f / 30.0f;

GLubyte mix(GLubyte from, GLubyte to, float t)
{
    return (GLubyte)(int)(from * (1.0f - t) + to * t);
}
} // namespace

HUD::HUD()
    : m_pDamageOverlay(NULL), m_pGoNode(NULL), m_pThumbsScreen(NULL), m_pScreenLayer(NULL), m_fSpeechTimer(0.0f),
      m_bSpeechSkipAllowed(false), m_pSpeechQueue(NULL), m_pCurrentItem(NULL), m_fFadeElapsed(0.0f),
      m_fFadeDuration(0.0f), m_pTimeAndLocationScreen(NULL), m_pGrumvaldScreen(NULL), m_pPlayerHealthScreen(NULL),
      m_pEnemyHealthScreen(NULL), m_pBossHealthScreen(NULL), m_pFightHealthScreen(NULL),
      m_pComboCounterScreen(NULL), m_pCinemascopeScreen(NULL), m_pCheckpointScreen(NULL), m_pSpeechScreen(NULL),
      m_pArenaTasksScreen(NULL), m_pArenaTimerScreen(NULL), m_pPauseButton(NULL), m_pSubscribedTo(NULL),
      m_pPlayer(NULL)
{
    m_fadeStart = ccc4(0, 0, 0, 255);
    m_fadeEnd = ccc4(0, 0, 0, 255);
}

HUD::~HUD()
{
    setPlayer(NULL);
    disconnectGameSignals();
    CC_SAFE_RELEASE(m_pDamageOverlay);
    CC_SAFE_RELEASE(m_pGoNode);
    CC_SAFE_RELEASE(m_pThumbsScreen);
    CC_SAFE_RELEASE(m_pSpeechQueue);
    CC_SAFE_RELEASE(m_pCurrentItem);
    CC_SAFE_RELEASE(m_pTimeAndLocationScreen);
    CC_SAFE_RELEASE(m_pGrumvaldScreen);
    CC_SAFE_RELEASE(m_pPlayerHealthScreen);
    CC_SAFE_RELEASE(m_pEnemyHealthScreen);
    CC_SAFE_RELEASE(m_pBossHealthScreen);
    CC_SAFE_RELEASE(m_pFightHealthScreen);
    CC_SAFE_RELEASE(m_pComboCounterScreen);
    CC_SAFE_RELEASE(m_pCinemascopeScreen);
    CC_SAFE_RELEASE(m_pCheckpointScreen);
    CC_SAFE_RELEASE(m_pSpeechScreen);
    CC_SAFE_RELEASE(m_pArenaTimerScreen);
    CC_SAFE_RELEASE(m_pArenaTasksScreen);
}

template <class T>
bool HUD::addOverlay(T*& slot, int z)
{
    T* screen = new T();
    if (!screen->init())
    {
        // Its selector proxies hold it; cleanup lets them go so it can be freed.
        screen->cleanup();
        screen->release();
        return false;
    }
    slot = screen;  // the HUD's own reference
    addChild(screen, z);
    return true;
}

bool HUD::addHealthOverlay(PlayerHealthScreen*& slot, const char* layout)
{
    PlayerHealthScreen* screen = new PlayerHealthScreen();
    if (!screen->initWithName(layout))
    {
        screen->cleanup();
        screen->release();
        return false;
    }
    slot = screen;
    addChild(screen, 1);
    return true;
}

void HUD::coverScreen(CCNode* node)
{
    // A picture (the vignette) is stretched edge to edge, whatever the window's shape.
    if (!dynamic_cast<CCSprite*>(node))
    {
        return;
    }
    const CCSize screen = m_pRootNode->getContentSize();
    const CCSize art = node->getContentSize();
    if (art.width > 0.0f && art.height > 0.0f && screen.width > 0.0f && screen.height > 0.0f)
    {
        node->setScaleX(screen.width / art.width);
        node->setScaleY(screen.height / art.height);
    }
}

bool HUD::addArenaTimer()
{
    // The clock follows the task list's celebrations, so it comes second.
    ArenaTimerScreen* timer = new ArenaTimerScreen();
    if (!timer->initWithTasksScreen(m_pArenaTasksScreen))
    {
        timer->cleanup();
        timer->release();
        return false;
    }
    m_pArenaTimerScreen = timer;
    addChild(timer, 0);
    return true;
}

bool HUD::isBuilt()
{
    return getSpeechScreen() != NULL && getThumbsScreen() != NULL;
}

void HUD::showArenaTasks()
{
    if (m_pArenaTasksScreen)
    {
        m_pArenaTasksScreen->open();
    }
}

void HUD::showArenaTimer()
{
    if (m_pArenaTimerScreen)
    {
        m_pArenaTimerScreen->open();
    }
}

bool HUD::init()
{
    registerMemberVariable("pauseButton", &m_pPauseButton);
    registerMemberVariable("screenLayer", &m_pScreenLayer);
    if (!initWithCCBFile("hud-main"))
    {
        return false;
    }
    const int pauselessPlatforms[] = { kTargetOuya, kTargetGameStick, kTargetGamepadConsole, kTargetWindows,
                                       kTargetLinux, kTargetMacOS };
    for (size_t i = 0; i < sizeof(pauselessPlatforms) / sizeof(pauselessPlatforms[0]); ++i)
    {
        if (GameManager::isPlatformType(pauselessPlatforms[i]))
        {
            // Paused from the keyboard or the pad here; no on-screen button.
            if (m_pPauseButton)
            {
                m_pPauseButton->setVisible(false);
            }
            break;
        }
    }
    m_fadeStart = ccc4(0, 0, 0, 255);
    m_fadeEnd = ccc4(0, 0, 0, 255);

    CCNode* menu = m_pRootNode->getChildByTag(kTagMainMenu);
    if (!menu)
    {
        CCLog("HUD: Could not find main menu!");
    }
    else
    {
        CCMenuItem* pauseItem = dynamic_cast<CCMenuItem*>(menu->getChildByTag(kTagPauseItem));
        if (!pauseItem)
        {
            CCLog("HUD: Could not find pause item!");
        }
        else
        {
            pauseItem->setTarget(this, menu_selector(HUD::onPauseItem));
        }
    }
    m_pDamageOverlay = m_pRootNode->getChildByTag(kTagDamageOverlay);
    if (m_pDamageOverlay)
    {
        m_pDamageOverlay->retain();
        if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_pDamageOverlay))
        {
            rgba->setOpacity(0);
        }
        coverScreen(m_pDamageOverlay);
    }
    m_pGoNode = m_pRootNode->getChildByTag(kTagGo);
    if (m_pGoNode)
    {
        m_pGoNode->retain();
        m_pGoNode->runAction(
            CCRepeatForever::create(CCSequence::create(CCDelayTime::create(0.2f), CCToggleVisibility::create(), NULL)));
    }
    m_pSpeechQueue = CCArray::create();
    m_pSpeechQueue->retain();

    if (!addOverlay(m_pThumbsScreen, 2) || !addOverlay(m_pTimeAndLocationScreen, 0) ||
        !addOverlay(m_pGrumvaldScreen, 0) || !addHealthOverlay(m_pPlayerHealthScreen, "player-health") ||
        !addHealthOverlay(m_pEnemyHealthScreen, "enemy-health") ||
        !addHealthOverlay(m_pBossHealthScreen, "boss-health") || !addOverlay(m_pFightHealthScreen, 0) ||
        !addOverlay(m_pComboCounterScreen, 1) || !addOverlay(m_pCinemascopeScreen, -1) ||
        !addOverlay(m_pArenaTasksScreen, 0) || !addArenaTimer() || !addOverlay(m_pCheckpointScreen, 0) ||
        !addOverlay(m_pSpeechScreen, 0))
    {
        return false;
    }
    setVisible(false);
    connectGameSignals();
    setSlideDuration(0.5f);
    return true;
}

void HUD::connectGameSignals()
{
    m_pSubscribedTo = GameManager::getInstance();
    if (!m_pSubscribedTo)
    {
        return;
    }
    m_pSubscribedTo->getPausedSignal().connect(this, &HUD::onPausedChanged);
    if (VornGameManager* game = dynamic_cast<VornGameManager*>(m_pSubscribedTo))
    {
        game->getQuitToTitleSignal().connect(this, &HUD::onQuitToTitle);
        game->getContinueSignal().connect(this, &HUD::onContinue);
        // Before the level's scripts run: what their init shows must stay up.
        game->getLevelLoadingSignal().connect(this, &HUD::onLevelStart);
    }
    m_pSubscribedTo->getGameLayerVisibleSignal().connect(this, &HUD::setVisible);
    m_pSubscribedTo->getGameUpdateSignal().connect(this, &HUD::tick);
}

void HUD::disconnectGameSignals()
{
    // A game manager on its way out has taken its signals with it.
    if (!m_pSubscribedTo || GameManager::getInstance() != m_pSubscribedTo)
    {
        m_pSubscribedTo = NULL;
        return;
    }
    m_pSubscribedTo->getPausedSignal().disconnect(this, &HUD::onPausedChanged);
    if (VornGameManager* game = dynamic_cast<VornGameManager*>(m_pSubscribedTo))
    {
        game->getQuitToTitleSignal().disconnect(this, &HUD::onQuitToTitle);
        game->getContinueSignal().disconnect(this, &HUD::onContinue);
        game->getLevelLoadingSignal().disconnect(this, &HUD::onLevelStart);
    }
    m_pSubscribedTo->getGameLayerVisibleSignal().disconnect(this, &HUD::setVisible);
    m_pSubscribedTo->getGameUpdateSignal().disconnect(this, &HUD::tick);
    m_pSubscribedTo = NULL;
}

void HUD::onEnter()
{
    VornScreen::onEnter();
    onLevelStart();
    // Shown with the game layer only: entering the scene over the title must not show it.
    GameManager* game = GameManager::getInstance();
    if (game && game->getGameLayer())
    {
        setVisible(game->getGameLayer()->isVisible());
    }
}

void HUD::onPausedChanged(bool paused)
{
    if (paused)
    {
        close();
    }
    else
    {
        open();
    }
}

void HUD::onQuitToTitle()
{
    close();
}

void HUD::onContinue()
{
    open();
    onLevelStart();
}

void HUD::onPauseItem(CCObject* sender)
{
    CC_UNUSED_PARAM(sender);
    m_pauseSignal.emit();
}

void HUD::applyScreenColour(const ccColor4B& colour)
{
    if (!m_pScreenLayer)
    {
        return;
    }
    m_pScreenLayer->setColor(ccc3(colour.r, colour.g, colour.b));
    m_pScreenLayer->setOpacity(colour.a);
    m_pScreenLayer->setVisible(colour.a != 0);
}

void HUD::doScreenFade(const ccColor4B& colour, float duration)
{
    m_fFadeElapsed = 0.0f;
    m_fadeEnd = colour;
    if (duration > 0.0f)
    {
        m_fFadeDuration = duration;
        if (m_pScreenLayer)
        {
            const ccColor3B& c = m_pScreenLayer->getColor();
            m_fadeStart = ccc4(c.r, c.g, c.b, m_pScreenLayer->getOpacity());
        }
        return;
    }
    m_fFadeDuration = 0.0f;
    applyScreenColour(colour);
}

void HUD::tick(float dt)
{
    if (m_fFadeDuration > m_fFadeElapsed)
    {
        m_fFadeElapsed += std::max(dt, kMinFadeStep);
        float t = clampf(m_fFadeElapsed / m_fFadeDuration, 0.0f, 1.0f);
        applyScreenColour(ccc4(mix(m_fadeStart.r, m_fadeEnd.r, t), mix(m_fadeStart.g, m_fadeEnd.g, t),
                               mix(m_fadeStart.b, m_fadeEnd.b, t), mix(m_fadeStart.a, m_fadeEnd.a, t)));
    }
    m_fSpeechTimer -= dt;
    if (m_fSpeechTimer <= 0.0f)
    {
        nextSpeechItem();
    }
}

void HUD::setCurrentItem(SpeechItem* item)
{
    CC_SAFE_RETAIN(item);
    CC_SAFE_RELEASE(m_pCurrentItem);
    m_pCurrentItem = item;
}

void HUD::closeItemScreen(int type)
{
    if (type == SpeechItem::kSpeechItem_Speech)
    {
        m_pSpeechScreen->close();
    }
    else
    {
        m_pTimeAndLocationScreen->close();
    }
}

void HUD::nextSpeechItem()
{
    // Held for this frame: its end function may queue more.
    SpeechItem* previous = m_pCurrentItem;
    CC_SAFE_RETAIN(previous);
    if (previous)
    {
        previous->callEnd();
    }
    if (m_pSpeechQueue->count() > 0)
    {
        SpeechItem* item = static_cast<SpeechItem*>(m_pSpeechQueue->objectAtIndex(0));
        m_fSpeechTimer = item->getDuration();
        if (item->getType() == SpeechItem::kSpeechItem_Speech)
        {
            m_pSpeechScreen->open();
            m_pSpeechScreen->setHead(item->getFirstText().c_str());
            LocaleManager* locale = LocaleManager::sharedLocaleManager();
            const char* text = item->getSecondText().c_str();
            m_pSpeechScreen->setText(locale ? locale->localize(text) : text);
        }
        else
        {
            m_pTimeAndLocationScreen->setTexts(item->getFirstText().c_str(), item->getSecondText().c_str());
            m_pTimeAndLocationScreen->open();
        }
        setCurrentItem(item);
        item->callStart();
        m_pSpeechQueue->removeObject(item);
    }
    else
    {
        setCurrentItem(NULL);
    }
    if (previous && (!m_pCurrentItem || m_pCurrentItem->getType() != previous->getType()))
    {
        closeItemScreen(previous->getType());
    }
    CC_SAFE_RELEASE(previous);
}

void HUD::playSpeech(const char* head, const char* text, float duration, VornScriptEngine* engine, int startRef,
                     int endRef)
{
    m_pSpeechQueue->addObject(
        SpeechItem::create(SpeechItem::kSpeechItem_Speech, head, text, duration, engine, startRef, endRef));
}

void HUD::showTimeAndLocation(const char* timePeriod, const char* locationName, float duration,
                              VornScriptEngine* engine, int startRef, int endRef)
{
    m_pSpeechQueue->addObject(SpeechItem::create(SpeechItem::kSpeechItem_TimeAndLocation, timePeriod, locationName,
                                                 duration, engine, startRef, endRef));
}

void HUD::onSpeechSkip()
{
    if (!m_bSpeechSkipAllowed)
    {
        return;
    }
    if (!m_pCurrentItem || m_pCurrentItem->getType() != SpeechItem::kSpeechItem_Speech)
    {
        m_fSpeechTimer = 0.0f;
        return;
    }
    // The first press only completes the text; the next moves on.
    if (m_pSpeechScreen->finishReveal())
    {
        m_fSpeechTimer = 0.0f;
    }
}

void HUD::showLeftThumb(const char* text)
{
    m_pThumbsScreen->showLeftThumb(text);
}

void HUD::showRightThumb(const char* text)
{
    m_pThumbsScreen->showRightThumb(text);
}

void HUD::hideLeftThumb()
{
    m_pThumbsScreen->hideLeftThumb();
}

void HUD::hideRightThumb()
{
    m_pThumbsScreen->hideRightThumb();
}

void HUD::showHealth(PlayerHealthScreen* screen, CCObject* subject, const char* character, float maxHealth,
                     float fraction)
{
    if (screen->getSubject() == subject && screen->isVisible() && !screen->isClosing())
    {
        return;
    }
    screen->setClosePending(false);
    if (screen->isClosing())
    {
        screen->hide();
    }
    screen->open();
    screen->setSubject(subject, character, maxHealth, fraction);
}

void HUD::showPlayerHealth(CCObject* subject, const char* character, float maxHealth, float fraction)
{
    showHealth(m_pPlayerHealthScreen, subject, character, maxHealth, fraction);
}

void HUD::showEnemyHealth(CCObject* subject, const char* character, float maxHealth, float fraction)
{
    if (subject && m_pBossHealthScreen->getSubject() == subject)
    {
        return;
    }
    showHealth(m_pEnemyHealthScreen, subject, character, maxHealth, fraction);
}

void HUD::showBossHealth(CCObject* subject, const char* character, float maxHealth, float fraction)
{
    showHealth(m_pBossHealthScreen, subject, character, maxHealth, fraction);
}

void HUD::showActorHealth(PlayerHealthScreen* screen, VornActor* actor)
{
    if (screen->getSubject() == actor && screen->isVisible() && !screen->isClosing())
    {
        return;
    }
    screen->setClosePending(false);
    if (screen->isClosing())
    {
        screen->hide();
    }
    screen->open();
    screen->setActor(actor);
}

void HUD::showPlayerHealth(VornActor* actor)
{
    showActorHealth(m_pPlayerHealthScreen, actor);
}

void HUD::showEnemyHealth(VornActor* actor)
{
    if (actor && m_pBossHealthScreen->getSubject() == actor)
    {
        return;
    }
    showActorHealth(m_pEnemyHealthScreen, actor);
}

void HUD::showBossHealth(VornActor* actor)
{
    showActorHealth(m_pBossHealthScreen, actor);
}

void HUD::showFightHealth(VornActor* first, VornActor* second)
{
    m_pFightHealthScreen->setActor(FightHealthScreen::kSide_First, first);
    m_pFightHealthScreen->setActor(FightHealthScreen::kSide_Second, second);
    m_pFightHealthScreen->open();
}

void HUD::setPlayer(VornPlayer* player)
{
    if (player == m_pPlayer)
    {
        return;
    }
    connectPlayer(false);
    m_pPlayer = player;
    connectPlayer(true);
}

void HUD::connectPlayer(bool connect)
{
    if (!m_pPlayer)
    {
        return;
    }
    VornPlayerInputBase* input = m_pPlayer->getInput();
    if (connect)
    {
        m_pPlayer->getHealthChangedSignal().connect(this, &HUD::onPlayerHealthChanged);
        m_pPlayer->getComboSignal().connect(this, &HUD::onPlayerComboChanged);
        m_pPlayer->getDiedSignal().connect(this, &HUD::onPlayerDied);
        m_pPlayer->getInputConnectedSignal().connect(this, &HUD::onPlayerInputConnectedChanged);
        if (input)
        {
            input->getPunchSignal().connect(this, &HUD::onSpeechSkip);
            input->getJumpSignal().connect(this, &HUD::onSpeechSkip);
        }
        onPlayerInputConnected(m_pPlayer->getInputConnected());
    }
    else
    {
        m_pPlayer->getHealthChangedSignal().disconnect(this, &HUD::onPlayerHealthChanged);
        m_pPlayer->getComboSignal().disconnect(this, &HUD::onPlayerComboChanged);
        m_pPlayer->getDiedSignal().disconnect(this, &HUD::onPlayerDied);
        m_pPlayer->getInputConnectedSignal().disconnect(this, &HUD::onPlayerInputConnectedChanged);
        if (input)
        {
            input->getPunchSignal().disconnect(this, &HUD::onSpeechSkip);
            input->getJumpSignal().disconnect(this, &HUD::onSpeechSkip);
        }
    }
}

void HUD::onPlayerDied(VornActor* player)
{
    CC_UNUSED_PARAM(player);
    close();
}

void HUD::hidePlayerHealth()
{
    m_pPlayerHealthScreen->close();
}

void HUD::hideEnemyHealth()
{
    m_pEnemyHealthScreen->close();
}

void HUD::hideBossHealth()
{
    m_pBossHealthScreen->close();
}

void HUD::showFightHealth(CCObject* first, const char* firstCharacter, float firstFraction, CCObject* second,
                          const char* secondCharacter, float secondFraction)
{
    m_pFightHealthScreen->setSide(FightHealthScreen::kSide_First, first, firstCharacter, firstFraction);
    m_pFightHealthScreen->setSide(FightHealthScreen::kSide_Second, second, secondCharacter, secondFraction);
    m_pFightHealthScreen->open();
}

void HUD::hideFightHealth()
{
    m_pFightHealthScreen->close();
}

void HUD::setGoNode(CCNode* node)
{
    if (node == m_pGoNode)
    {
        return;
    }
    CC_SAFE_RETAIN(node);
    CC_SAFE_RELEASE(m_pGoNode);
    m_pGoNode = node;
}

void HUD::showGO()
{
    if (m_pGoNode)
    {
        m_pGoNode->resumeSchedulerAndActions();
        m_pGoNode->setVisible(true);
    }
}

void HUD::hideGO()
{
    if (m_pGoNode)
    {
        m_pGoNode->pauseSchedulerAndActions();
        m_pGoNode->setVisible(false);
    }
}

void HUD::showGrumvald()
{
    m_pGrumvaldScreen->open();
}

void HUD::hideGrumvald()
{
    m_pGrumvaldScreen->close();
}

void HUD::enableCinemascope()
{
    m_pCinemascopeScreen->open();
}

void HUD::disableCinemascope()
{
    m_pCinemascopeScreen->close();
}

bool HUD::isCinemascopeActive()
{
    return m_pCinemascopeScreen->isVisible();
}

void HUD::showCheckpointDisplay()
{
    m_pCheckpointScreen->open();
}

void HUD::onComboChanged(int count)
{
    if (count > 0)
    {
        m_pComboCounterScreen->showCount(count);
    }
    else
    {
        m_pComboCounterScreen->close();
    }
}

void HUD::onPlayerHealthChanged(float fraction)
{
    if (!m_pDamageOverlay)
    {
        return;
    }
    float v = clampf(fraction, 0.0f, 1.0f);
    GLubyte level = (GLubyte)(int)((1.0f - v) * 255.0f);
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_pDamageOverlay))
    {
        rgba->setOpacity(level);
        rgba->setColor(ccc3(level, level, level));
    }
}

void HUD::onLevelStart()
{
    if (!m_pSpeechQueue)
    {
        return;  // not built
    }
    setVisible(true);
    setCurrentItem(NULL);
    m_pSpeechQueue->removeAllObjects();
    m_fSpeechTimer = 0.0f;
    m_pTimeAndLocationScreen->hide();
    m_pGrumvaldScreen->hide();
    m_pPlayerHealthScreen->hide();
    m_pEnemyHealthScreen->hide();
    m_pBossHealthScreen->hide();
    m_pFightHealthScreen->hide();
    m_pThumbsScreen->hide();
    m_pCinemascopeScreen->hide();
    m_pSpeechScreen->hide();
    m_pArenaTimerScreen->hide();
    // Drawn over the cover: the last level's notice and task list would stay up over the new one's load.
    m_pCheckpointScreen->hide();
    m_pArenaTasksScreen->hide();
    hideGO();
    doScreenFade(ccc4(255, 255, 255, 255), 0.0f);
    doScreenFade(ccc4(0, 0, 0, 0), 0.5f);
}

NS_CC_END
