#ifndef __STAGE_COMPLETE_SCREEN_H__
#define __STAGE_COMPLETE_SCREEN_H__

#include "VornResultScreen.h"

#include <string>

NS_CC_BEGIN

class CCLabelBMFont;
class CCSprite;
class RPGWidget;
class VornActorDesc;

/**
 * Shown when a story level is finished: marks the level's completion achievement, shows the
 * score, the level's best score, the time taken and the hit accuracy, fills the character's
 * experience bar, then offers the next stage or the title.
 */
class StageCompleteScreen : public VornResultScreen
{
public:
    StageCompleteScreen();
    virtual ~StageCompleteScreen();
    CREATE_FUNC(StageCompleteScreen);

    /** Reads "stage-complete"; hidden until opened. */
    virtual bool init();
    /** Holds the game, records the level as completed, fills in the results and runs "open". */
    virtual void open();
    virtual void close();
    /** The base's steps, the game layer hides, then the experience bar fills before the menu shows. */
    virtual void onOpened();

    virtual Signal<>& getContinueSignal() { return m_continueSignal; }
    virtual void setContinueSignal(const Signal<>& signal) { m_continueSignal = signal; }
    virtual Signal<>& getQuitSignal() { return m_quitSignal; }
    virtual void setQuitSignal(const Signal<>& signal) { m_quitSignal = signal; }

    void onContinue();
    void onQuit();
    void showMenu();

    virtual CCLabelBMFont* getTimeLabel() { return m_pTimeLabel; }
    virtual CCLabelBMFont* getAccuracyLabel() { return m_pAccuracyLabel; }

    /** "mm:ss:hh" of a time in seconds; minutes go on past an hour. */
    static std::string formatTime(float seconds);
    /** Whole percent of attacks that hit; 100% when none was tried. */
    static std::string formatAccuracy(int attempted, int hits);
    /** The achievement of finishing the level at that place of the level list (from 1). */
    static std::string completedLevelAchievement(int levelNumber);
    /** Place of the current level in the level list, from 1 (1 when there is none). */
    static int getLevelNumber();

protected:
    // What the results are made of; a game without a player shows no character and no score.
    virtual bool hasPlayer();
    virtual int getPlayerScore();
    virtual VornActorDesc* getPlayerDesc();
    virtual int getAttacksAttempted();
    virtual int getAttacksHitSomething();
    virtual float getTimeInLevel();

private:
    void onMenuShown();
    void onContinueTimelineEnded();
    void onQuitTimelineEnded();

    CCLabelBMFont* m_pTimeLabel;
    CCLabelBMFont* m_pAccuracyLabel;
    Signal<> m_continueSignal;
    Signal<> m_quitSignal;
};

NS_CC_END

#endif // __STAGE_COMPLETE_SCREEN_H__
