#ifndef __ARENA_COMPLETE_SCREEN_H__
#define __ARENA_COMPLETE_SCREEN_H__

#include "VornScreen.h"

#include <string>

NS_CC_BEGIN

class ArenaTimerScreen;
class CCLabelBMFont;
class CCMenuItem;
class CCSprite;
class RPGWidget;
class VornActor;
class VornActorDesc;
class VornPlayer;

/**
 * The results of an arena match: the character with its stats, the time survived, the tasks
 * done, the knock-outs, the hit accuracy, the score and the arena's best, then a menu to fight
 * again, go back to the title or see the arena's online scores. Showing it keeps the score in
 * the arena's table, sends it online and counts the match for the arena achievements.
 */
class ArenaCompleteScreen : public VornScreen
{
public:
    ArenaCompleteScreen();
    virtual ~ArenaCompleteScreen();
    CREATE_FUNC(ArenaCompleteScreen);

    /** Reads "arena-complete" and waits for the timer's time-up to end; hidden until shown. */
    virtual bool init();
    /** The results of the game's player. */
    virtual void show();
    /**
     * Fills in the player's results, keeps and sends the score and opens. Once per showing: a
     * second call while the screen is up changes nothing and sends nothing.
     */
    virtual void showResults(VornPlayer* player);
    /** The arena's local table and online leaderboard get the score. */
    virtual void submitScore(VornPlayer* player);
    /** The base's steps, the game holds and hides, then the experience bar fills before the menu shows. */
    virtual void onOpened();
    /** The base's steps; the experience bar stops with the screen. */
    virtual void onClosed();
    virtual void showMenu();
    virtual void cleanup();

    void onRestart();
    void onQuit();
    void onOnline();

    /** Whole percent of attacks that hit; 0% when none was tried. */
    static std::string formatAccuracy(int attempted, int hits);
    /** The leaderboard id of the arena being played; NULL when there is none. */
    static const char* currentLeaderboardID();

    virtual CCSprite* getCharacterSprite() { return m_pCharacterSprite; }
    virtual RPGWidget* getRPGWidget() { return m_pRPGWidget; }
    virtual CCLabelBMFont* getTimeLabel() { return m_pTimeLabel; }
    virtual CCLabelBMFont* getTasksCompleteLabel() { return m_pTasksCompleteLabel; }
    virtual CCLabelBMFont* getEnemiesKilledLabel() { return m_pEnemiesKilledLabel; }
    virtual CCLabelBMFont* getAccuracyLabel() { return m_pAccuracyLabel; }
    virtual CCLabelBMFont* getScoreLabel() { return m_pScoreLabel; }
    virtual CCLabelBMFont* getHighscoreLabel() { return m_pHighscoreLabel; }
    virtual CCNode* getScoresMenuItemLabel() { return m_pScoresMenuItemLabel; }
    virtual CCNode* getScoresMenuItemLabelGooglePlay() { return m_pScoresMenuItemLabelGooglePlay; }
    virtual CCMenuItem* getScoresMenuItem() { return m_pScoresMenuItem; }

    virtual Signal<>& getRestartSignal() { return m_restartSignal; }
    virtual void setRestartSignal(const Signal<>& signal) { m_restartSignal = signal; }
    virtual Signal<>& getQuitSignal() { return m_quitSignal; }
    virtual void setQuitSignal(const Signal<>& signal) { m_quitSignal = signal; }

private:
    /** A leave asked for while the experience plays runs once it (and any level-up) is done. */
    bool leavesAfterExperience(SEL_CallFunc leave);
    void setLabel(CCLabelBMFont* label, const std::string& text);
    void showOnlineEntry();
    /** Starts a leaving timeline once; a press while another timeline plays is ignored. */
    void leaveBy(const char* timeline, SEL_CallFunc ended);
    void onMenuShown();
    void onRestartTimelineEnded();
    void onQuitTimelineEnded();

    CCSprite* m_pCharacterSprite;
    RPGWidget* m_pRPGWidget;  ///< retained
    CCLabelBMFont* m_pTimeLabel;
    CCLabelBMFont* m_pTasksCompleteLabel;
    CCLabelBMFont* m_pEnemiesKilledLabel;
    CCLabelBMFont* m_pAccuracyLabel;
    CCLabelBMFont* m_pScoreLabel;
    CCLabelBMFont* m_pHighscoreLabel;
    CCNode* m_pScoresMenuItemLabel;
    CCNode* m_pScoresMenuItemLabelGooglePlay;
    CCMenuItem* m_pScoresMenuItem;
    VornActorDesc* m_pDesc;             ///< the character shown
    ArenaTimerScreen* m_pTimerScreen;   ///< retained while its time-up is followed
    Signal<> m_restartSignal;
    Signal<> m_quitSignal;
};

NS_CC_END

#endif // __ARENA_COMPLETE_SCREEN_H__
