#ifndef __ACHIEVEMENT_SCREEN_H__
#define __ACHIEVEMENT_SCREEN_H__

#include "AchievementViewItem.h"
#include "VornScreen.h"

#include <deque>

NS_CC_BEGIN

class CCLabelBMFont;
class GameManager;

/**
 * Pop-ups for completed achievements, one at a time in the order they were completed. A pop-up's
 * whole life (in, stay, out) is the layout's "open" timeline; when it ends the screen hides and
 * the next frame shows the next one. It runs on the always-running update, so pop-ups appear
 * while the game is paused too. Each pop-up takes one of the layout's two spots as it starts: the
 * top one over a result screen, the bottom one in play, where it waits while someone speaks. One
 * whose spot stops suiting what shows goes, and is shown again when it had not been up for long.
 */
class AchievementScreen : public VornScreen
{
public:
    typedef std::deque<AchievementViewItem> Queue;

    AchievementScreen();
    virtual ~AchievementScreen();
    CREATE_FUNC(AchievementScreen);

    /** The pop-up screen made last (the one achievements are queued on), NULL when none. */
    static AchievementScreen* sharedAchievementScreen();

    /** Shows the next pop-up when none is up. */
    virtual void tick(float dt);

    /** Reads "achievement" and joins the game manager's update; hidden until a pop-up shows. */
    virtual bool init();
    /** End of a pop-up: hidden at once. */
    virtual void onOpened();

    /** Queues a pop-up; it shows on a later frame. */
    void queueAchievement(const char* title, const char* description);

    virtual CCLabelBMFont* getTitle() { return m_pTitle; }
    virtual CCLabelBMFont* getDescription() { return m_pDescription; }
    virtual Queue& getQueue() { return m_queue; }

private:
    /** The spot that suits what shows now: the top one over a result screen, else the bottom. */
    CCNode* spotForNow();
    /** False while that spot is taken by something the player needs to read. */
    bool canShow();
    /** How long a pop-up stays, in seconds: its "open" timeline. */
    float openLength();

    CCNode* m_pPopUp;
    CCNode* m_pTopSpot;
    CCNode* m_pBottomSpot;
    CCNode* m_pShownOn;
    float m_fShownFor;
    AchievementViewItem m_shown;
    CCLabelBMFont* m_pTitle;
    CCLabelBMFont* m_pDescription;
    Queue m_queue;
    GameManager* m_pSubscribedTo;
};

NS_CC_END

#endif // __ACHIEVEMENT_SCREEN_H__
