#ifndef __PAUSE_SCREEN_H__
#define __PAUSE_SCREEN_H__

#include "VornScreen.h"

NS_CC_BEGIN

class CCSlider;
class CCSprite;
class GameManager;
class MusicManager;
class SFXManager;

/**
 * The in-game pause menu: resume, restart from the last checkpoint, quit to the title, and music and sound-effect volumes, each a slider with a decrease and an increase
 * button. It opens and closes with the game's paused state and freezes the director while shown.
 */
class PauseScreen : public VornScreen
{
public:
    PauseScreen();
    virtual ~PauseScreen();
    CREATE_FUNC(PauseScreen);

    /** Reads "pause-screen", joins the game's paused and quit-to-title signals, builds the sliders. */
    virtual bool init();
    /** Only when visible and not closing already; the director runs again at once. */
    virtual void close();
    /** The base's steps, then the director pauses (at 60 frames a second). */
    virtual void onOpened();

    virtual Signal<>& getRestartSignal() { return m_restartSignal; }
    virtual void setRestartSignal(const Signal<>& signal) { m_restartSignal = signal; }
    virtual Signal<>& getResumeSignal() { return m_resumeSignal; }
    virtual void setResumeSignal(const Signal<>& signal) { m_resumeSignal = signal; }
    virtual Signal<>& getQuitSignal() { return m_quitSignal; }
    virtual void setQuitSignal(const Signal<>& signal) { m_quitSignal = signal; }

    /** Turns a layout's placeholder sprite (its first child the thumb) into a slider in its place. */
    static CCSlider* createSlider(CCSprite* placeholder, CCObject* target, SEL_MenuHandler callback, float minimum,
                                  float maximum);

    void onPausedChanged(bool paused);
    void onSFXSliderChanged(CCObject* sender);
    void onMusicSliderChanged(CCObject* sender);

    void onResume();
    void onRestart();
    /** Leaves for the title: the "onQuit" timeline, then the quit signal. */
    void onQuit();
    void musicVolumeDec();
    void musicVolumeInc();
    void sfxVolumeDec();
    void sfxVolumeInc();
    /** Down from the effects buttons goes to the main menu's first item; elsewhere the menu moves as usual. */
    bool onVolumeMenuDown(int player);
    /**
     * Up from the main menu's first item goes to the effects row above it while the volume
     * controls show, and stays put while they are hidden; below it, the menu moves as usual.
     */
    bool onMainMenuUp(int player);

    virtual CCMenuGamepad* getMainMenu() { return m_pMainMenu; }
    virtual CCMenuGamepad* getVolumeMenu() { return m_pVolumeMenu; }
    virtual CCSlider* getSFXSlider() { return m_pSFXSliderControl; }
    virtual CCSlider* getMusicSlider() { return m_pMusicSliderControl; }
    virtual CCMenuItem* getMusicVolumeDecButton() { return m_pMusicVolumeDecButton; }
    virtual CCMenuItem* getMusicVolumeIncButton() { return m_pMusicVolumeIncButton; }
    virtual CCMenuItem* getSFXVolumeDecButton() { return m_pSFXVolumeDecButton; }
    virtual CCMenuItem* getSFXVolumeIncButton() { return m_pSFXVolumeIncButton; }
    virtual CCNode* getVolumeControls() { return m_pVolumeControls; }

    /** How much one press of a volume button changes the volume. */
    static const float kVolumeStep;

protected:
    /** The game's music, when it has any. */
    virtual MusicManager* getMusicManager();
    virtual SFXManager* getSFXManager();

private:
    void stepSlider(CCSlider* slider, float delta, CCMenuItem* focus);
    CCMenuItem* getMainMenuTopItem();
    void onQuitTimelineEnded();

    CCMenuGamepad* m_pMainMenu;
    CCMenuGamepad* m_pVolumeMenu;
    CCNode* m_pPauseButton;
    CCSprite* m_pSFXSlider;    ///< the layout's placeholder (the slider's track)
    CCSprite* m_pMusicSlider;  ///< the layout's placeholder (the slider's track)
    CCMenuItem* m_pMusicVolumeDecButton;
    CCMenuItem* m_pMusicVolumeIncButton;
    CCMenuItem* m_pSFXVolumeDecButton;
    CCMenuItem* m_pSFXVolumeIncButton;
    CCNode* m_pVolumeControls;
    CCSlider* m_pSFXSliderControl;    ///< a node of the layout
    CCSlider* m_pMusicSliderControl;  ///< a node of the layout
    GameManager* m_pJoinedGame;       ///< whose signals this screen listens to
    Signal<> m_restartSignal;
    Signal<> m_resumeSignal;
    Signal<> m_quitSignal;
};

NS_CC_END

#endif // __PAUSE_SCREEN_H__
