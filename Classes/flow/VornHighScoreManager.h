#ifndef __VORN_HIGH_SCORE_MANAGER_H__
#define __VORN_HIGH_SCORE_MANAGER_H__

#include "HighScoreManager.h"
#include "Signal.h"

NS_CC_BEGIN

class VornActor;

/**
 * The game's high scores: the "Story Mode" table, the per-level tables the level list adds and the
 * arenas' tables. When the player is knocked out, the score goes into the table of the level being
 * played, and a new best is announced with the table and its best entry.
 */
class VornHighScoreManager : public HighScoreManager
{
public:
    VornHighScoreManager();
    virtual ~VornHighScoreManager();

    virtual bool init();

    /** Enters the score in the table of the level being played (nothing when it has none). */
    void submitScore(int score);
    /** Enters the score in the table with that key; true when it is the table's new best. */
    bool submitScoreForLevel(const char* levelName, int score);

    virtual Signal<HighScoreTable*, HighScoreItem*>& getNewHighScoreSignal() { return m_newHighScoreSignal; }
    virtual void setNewHighScoreSignal(const Signal<HighScoreTable*, HighScoreItem*>& signal)
    {
        m_newHighScoreSignal = signal;
    }

    /** The name the player's scores are entered under. */
    static const char* const kPlayerName;

protected:
    /** Hooks the score recording to the knock-out of the game's player. */
    virtual void connectToPlayer();
    /** The player's knock-out: its score goes into the level's table. */
    void onPlayerDied(VornActor* player);

private:
    Signal<HighScoreTable*, HighScoreItem*> m_newHighScoreSignal;
};

NS_CC_END

#endif // __VORN_HIGH_SCORE_MANAGER_H__
