#include "PauseScreen.h"

#include "CCDirector.h"
#include "CCMenuGamepad.h"
#include "CCMenuGamepadInputDispatcher.h"
#include "CCMenuItem.h"
#include "CCSlider.h"
#include "CCSprite.h"
#include "MusicManager.h"
#include "SFXManager.h"
#include "VornGameManager.h"

NS_CC_BEGIN

const float PauseScreen::kVolumeStep = 0.1f;

PauseScreen::PauseScreen()
    : m_pMainMenu(NULL), m_pVolumeMenu(NULL), m_pPauseButton(NULL), m_pSFXSlider(NULL), m_pMusicSlider(NULL),
      m_pMusicVolumeDecButton(NULL), m_pMusicVolumeIncButton(NULL), m_pSFXVolumeDecButton(NULL),
      m_pSFXVolumeIncButton(NULL), m_pVolumeControls(NULL), m_pSFXSliderControl(NULL), m_pMusicSliderControl(NULL),
      m_pJoinedGame(NULL)
{
}

PauseScreen::~PauseScreen()
{
    // Only a game manager that is still the live one has signals left to leave.
    if (m_pJoinedGame && m_pJoinedGame == GameManager::getInstance())
    {
        m_pJoinedGame->getPausedSignal().disconnect(this, &PauseScreen::onPausedChanged);
        VornGameManager* vorn = dynamic_cast<VornGameManager*>(m_pJoinedGame);
        if (vorn)
        {
            vorn->getQuitToTitleSignal().disconnect(this, &PauseScreen::close);
        }
    }
}

bool PauseScreen::init()
{
    registerMenuItemSelector("onQuit", vornscreen_selector(PauseScreen::onQuit));
    registerMenuItemSelector("onResume", vornscreen_selector(PauseScreen::onResume));
    registerMenuItemSelector("onRestart", vornscreen_selector(PauseScreen::onRestart));
    registerMenuItemSelector("musicVolumeDec", vornscreen_selector(PauseScreen::musicVolumeDec));
    registerMenuItemSelector("musicVolumeInc", vornscreen_selector(PauseScreen::musicVolumeInc));
    registerMenuItemSelector("sfxVolumeDec", vornscreen_selector(PauseScreen::sfxVolumeDec));
    registerMenuItemSelector("sfxVolumeInc", vornscreen_selector(PauseScreen::sfxVolumeInc));
    registerGamepadMenuQuery("onVolumeMenuDown", vornscreen_gamepad_query(PauseScreen::onVolumeMenuDown));
    registerGamepadMenuQuery("onMainMenuUp", vornscreen_gamepad_query(PauseScreen::onMainMenuUp));

    registerMemberVariable("mainMenu", &m_pMainMenu);
    registerMemberVariable("volumeMenu", &m_pVolumeMenu);
    registerMemberVariable("pauseButton", &m_pPauseButton);
    registerMemberVariable("sfxSlider", &m_pSFXSlider);
    registerMemberVariable("musicSlider", &m_pMusicSlider);
    registerMemberVariable("musicVolumeDecButton", &m_pMusicVolumeDecButton);
    registerMemberVariable("musicVolumeIncButton", &m_pMusicVolumeIncButton);
    registerMemberVariable("sfxVolumeDecButton", &m_pSFXVolumeDecButton);
    registerMemberVariable("sfxVolumeIncButton", &m_pSFXVolumeIncButton);
    registerMemberVariable("volumeControls", &m_pVolumeControls);
    if (!initWithCCBFile("pause-screen"))
    {
        return false;
    }

    m_pJoinedGame = GameManager::getInstance();
    if (m_pJoinedGame)
    {
        m_pJoinedGame->getPausedSignal().connect(this, &PauseScreen::onPausedChanged);
        VornGameManager* vorn = dynamic_cast<VornGameManager*>(m_pJoinedGame);
        if (vorn)
        {
            vorn->getQuitToTitleSignal().connect(this, &PauseScreen::close);
        }
    }

    if (m_pSFXSlider)
    {
        m_pSFXSliderControl = createSlider(m_pSFXSlider, this, menu_selector(PauseScreen::onSFXSliderChanged), 0.0f, 1.0f);
        SFXManager* sfx = getSFXManager();
        if (m_pSFXSliderControl && sfx)
        {
            m_pSFXSliderControl->setValue(sfx->getMasterVolume());
        }
    }
    if (m_pMusicSlider)
    {
        m_pMusicSliderControl =
            createSlider(m_pMusicSlider, this, menu_selector(PauseScreen::onMusicSliderChanged), 0.0f, 1.0f);
        MusicManager* music = getMusicManager();
        if (m_pMusicSliderControl && music)
        {
            m_pMusicSliderControl->setValue(music->getMasterVolume());
        }
    }
    setVisible(false);
    setSlideDuration(0.25f);
    return true;
}

CCSlider* PauseScreen::createSlider(CCSprite* placeholder, CCObject* target, SEL_MenuHandler callback, float minimum,
                                   float maximum)
{
    CCNode* parent = placeholder ? placeholder->getParent() : NULL;
    CCNode* thumb = placeholder && placeholder->getChildrenCount() > 0
                        ? static_cast<CCNode*>(placeholder->getChildren()->objectAtIndex(0))
                        : NULL;
    if (!parent || !thumb)
    {
        CCLog("PauseScreen::createSlider - the slider needs a placeholder on the layout with its thumb inside");
        return NULL;
    }
    // Both move into the slider; hold them while they have no parent.
    placeholder->retain();
    thumb->retain();
    placeholder->removeFromParentAndCleanup(false);
    thumb->removeFromParentAndCleanup(false);

    // The slider takes over the placeholder's place and scale. The track is reset before the slider
    // measures it, or its scale would count twice in the thumb's travel.
    float scaleX = placeholder->getScaleX();
    float scaleY = placeholder->getScaleY();
    CCPoint position = placeholder->getPosition();
    CCPoint anchor = placeholder->getAnchorPoint();
    placeholder->setScale(1.0f);
    placeholder->setPosition(CCPointZero);
    placeholder->setAnchorPoint(ccp(0.5f, 0.5f));

    CCSlider* slider = CCSlider::create(placeholder, thumb, target, callback);
    placeholder->release();
    thumb->release();
    if (!slider)
    {
        CCLog("PauseScreen::createSlider - the slider could not be made");
        return NULL;
    }
    slider->setMinimumValue(minimum);
    slider->setMaximumValue(maximum);
    parent->addChild(slider);
    slider->setScaleX(scaleX);
    slider->setScaleY(scaleY);
    slider->setPosition(position);
    slider->setAnchorPoint(anchor);
    thumb->setPositionY(slider->getContentSize().height / 2);
    return slider;
}

MusicManager* PauseScreen::getMusicManager()
{
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    return game ? game->getMusicManager() : NULL;
}

SFXManager* PauseScreen::getSFXManager()
{
    return SFXManager::sharedSFXManager();
}

void PauseScreen::onSFXSliderChanged(CCObject* sender)
{
    CC_UNUSED_PARAM(sender);
    SFXManager* sfx = getSFXManager();
    if (sfx && m_pSFXSliderControl)
    {
        sfx->setMasterVolume(m_pSFXSliderControl->getValue());
    }
}

void PauseScreen::onMusicSliderChanged(CCObject* sender)
{
    CC_UNUSED_PARAM(sender);
    MusicManager* music = getMusicManager();
    if (music && m_pMusicSliderControl)
    {
        music->setMasterVolume(m_pMusicSliderControl->getValue());
    }
}

void PauseScreen::stepSlider(CCSlider* slider, float delta, CCMenuItem* focus)
{
    if (!slider)
    {
        return;
    }
    slider->setValue(slider->getValue() + delta);
    if (focus)
    {
        CCMenuGamepadInputDispatcher::sharedDispatcher()->setFocusMenuItem(focus, -1);
    }
}

void PauseScreen::musicVolumeDec()
{
    stepSlider(m_pMusicSliderControl, -kVolumeStep, m_pMusicVolumeDecButton);
}

void PauseScreen::musicVolumeInc()
{
    stepSlider(m_pMusicSliderControl, kVolumeStep, m_pMusicVolumeIncButton);
}

void PauseScreen::sfxVolumeDec()
{
    stepSlider(m_pSFXSliderControl, -kVolumeStep, m_pSFXVolumeDecButton);
}

void PauseScreen::sfxVolumeInc()
{
    stepSlider(m_pSFXSliderControl, kVolumeStep, m_pSFXVolumeIncButton);
}

CCMenuItem* PauseScreen::getMainMenuTopItem()
{
    CCArray* items = m_pMainMenu ? m_pMainMenu->getChildren() : NULL;
    return items && items->count() > 0 ? dynamic_cast<CCMenuItem*>(items->objectAtIndex(0)) : NULL;
}

bool PauseScreen::onVolumeMenuDown(int player)
{
    CC_UNUSED_PARAM(player);
    CCMenuGamepadInputDispatcher* dispatcher = CCMenuGamepadInputDispatcher::sharedDispatcher();
    CCMenuItem* selected = dispatcher->getFocusMenuItem(0);
    CCMenuItem* top = getMainMenuTopItem();
    if (selected && top && (selected == m_pSFXVolumeDecButton || selected == m_pSFXVolumeIncButton))
    {
        // The effects row sits right above the main menu's first item.
        dispatcher->setFocusMenuItem(top, -1);
        return true;
    }
    return false;
}

bool PauseScreen::onMainMenuUp(int player)
{
    CC_UNUSED_PARAM(player);
    CCMenuGamepadInputDispatcher* dispatcher = CCMenuGamepadInputDispatcher::sharedDispatcher();
    if (dispatcher->getFocusMenuItem(0) != getMainMenuTopItem())
    {
        return false;  // within the main menu, up is the menu's own move
    }
    if (m_pVolumeControls && m_pVolumeControls->isVisible() && m_pSFXVolumeDecButton)
    {
        // The effects row is the one right above.
        dispatcher->setFocusMenuItem(m_pSFXVolumeDecButton, -1);
    }
    return true;
}

void PauseScreen::onResume()
{
    CCDirector::sharedDirector()->resume();
    m_resumeSignal.emit();
}

void PauseScreen::onRestart()
{
    m_restartSignal.emit();
}

void PauseScreen::onQuit()
{
    if (m_bClosing || !isVisible())
    {
        return;
    }
    CCDirector::sharedDirector()->resume();
    m_bClosing = true;
    setTouchEnabled(false);
    if (!runTimeline("onQuit", callfunc_selector(PauseScreen::onQuitTimelineEnded), true))
    {
        onQuitTimelineEnded();
    }
}

void PauseScreen::onQuitTimelineEnded()
{
    onClosed();
    m_quitSignal.emit();
}

void PauseScreen::onPausedChanged(bool paused)
{
    if (paused)
    {
        open();
    }
    else
    {
        close();
    }
}

void PauseScreen::onOpened()
{
    VornScreen::onOpened();
    CCDirector* director = CCDirector::sharedDirector();
    director->pause();
    director->setAnimationInterval(1.0 / 60.0);
}

void PauseScreen::close()
{
    if (!isVisible() || m_bClosing)
    {
        return;
    }
    setTouchEnabled(false);
    m_bClosing = true;
    CCDirector::sharedDirector()->resume();
    // A close during the opening takes over from it: the opening's end would pause the director
    // again and leave the screen up with the game running.
    if (!runTimeline("close", callfunc_selector(VornScreen::onClosed), true))
    {
        onClosed();
    }
}

NS_CC_END
