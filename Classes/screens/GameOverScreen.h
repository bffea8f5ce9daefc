#ifndef __GAME_OVER_SCREEN_H__
#define __GAME_OVER_SCREEN_H__

#include "VornResultScreen.h"

NS_CC_BEGIN

class CCLabelBMFont;
class CCSprite;
class GameManager;
class HighScoreItem;
class HighScoreTable;
class RPGWidget;
class VornActorDesc;

/**
 * Shown when the player is knocked out in the story: the score and the level's best score, the
 * character with its stats and experience bar (which fills with what the level earned), then a
 * menu to restart from the last checkpoint or quit to the title.
 */
class GameOverScreen : public VornResultScreen
{
public:
    GameOverScreen();
    virtual ~GameOverScreen();
    CREATE_FUNC(GameOverScreen);

    /** Reads "game-over-screen-new"; hidden until opened. */
    virtual bool init();
    /** Shows the level's best score and the character, plays the game-over music, runs "open". */
    virtual void open();
    virtual void close();
    /** The base's steps, then the experience bar fills; the menu shows when it is done. */
    virtual void onOpened();

    virtual Signal<>& getRestartSignal() { return m_restartSignal; }
    virtual void setRestartSignal(const Signal<>& signal) { m_restartSignal = signal; }
    virtual Signal<>& getQuitSignal() { return m_quitSignal; }
    virtual void setQuitSignal(const Signal<>& signal) { m_quitSignal = signal; }

    /** The score with thousands commas; a score of 0 or less arriving while shown is ignored. */
    void setScore(CCObject* source, int score);
    void setHighScore(int score);
    void onNewHighScore(HighScoreTable* table, HighScoreItem* item);

    void onRestart();
    void onQuit();
    /** Runs "showMenu"; at its end the menu takes the focus. */
    void showMenu();


    /** The best score of the running level's table, 0 when it has none. */
    static int getLevelHighScore();

protected:
    /** The played character, when there is a player. */
    virtual VornActorDesc* getPlayerDesc();

private:
    void onMenuShown();
    void onRestartTimelineEnded();
    void onQuitTimelineEnded();

    GameManager* m_pJoinedGame;
    Signal<> m_restartSignal;
    Signal<> m_quitSignal;
};

NS_CC_END

#endif // __GAME_OVER_SCREEN_H__
