#ifndef __PLAYER_HEALTH_SCREEN_H__
#define __PLAYER_HEALTH_SCREEN_H__

#include "VornScreen.h"

#include <string>

NS_CC_BEGIN

class CCAnimatingSprite;
class CCLabelBMFont;
class VornActor;
class VornPlayer;

/**
 * One fighter's health bar with its portrait, a dead marker and (in layouts that have it) the
 * score. The HUD uses it three times: the player's, an enemy's and a boss's bar.
 *
 * The bar follows one subject (the fighter shown). Its length comes from the fighter's maximum
 * health; the lost part is drawn over it. A fighter that drops to no health closes the bar, as
 * soon as the bar has finished opening.
 */
class PlayerHealthScreen : public VornScreen
{
public:
    PlayerHealthScreen();
    virtual ~PlayerHealthScreen();

    /** Health at or below this fraction counts as none (the dead marker shows). */
    static const float kDeadFraction;

    /** Reads the layout (player-health, enemy-health or boss-health); hidden until opened. */
    virtual bool initWithName(const char* name);

    /**
     * Shows a fighter: subject identifies it (retained; NULL clears the bar), character names its
     * portrait frames (those beginning with the name), maxHealth sizes the bar, fraction (0..1)
     * is its health now.
     */
    virtual void setSubject(CCObject* subject, const char* character, float maxHealth, float fraction);
    virtual CCObject* getSubject() { return m_pSubject; }
    /**
     * Shows a fighter and follows it: its health (and, where the layout shows a score, the
     * player's score) updates the bar until another subject or none takes its place.
     */
    virtual void setActor(VornActor* actor);
    /** The fighter followed, NULL when none (or when the subject is no fighter). */
    virtual VornActor* getActor();
    /** The score signal's form: only the followed fighter's score shows. */
    void onPlayerScoreChanged(VornPlayer* player, int score);
    /** The fighter's health changed (fraction of its maximum, clamped to 0..1). */
    virtual void onHealthChanged(float fraction);
    /** The fighter's score changed (shown with thousands separators where the layout has a score). */
    virtual void onScoreChanged(int score);

    virtual void onOpened();
    virtual void onClosed();

    virtual CCAnimatingSprite* getThumbSprite() { return m_pThumbSprite; }
    virtual CCNode* getDeadSprite() { return m_pDeadSprite; }
    virtual CCNode* getHealthBar1() { return m_pHealthBar1; }
    virtual CCNode* getHealthBar2() { return m_pHealthBar2; }
    virtual CCNode* getHealthBarStart() { return m_pHealthBarStart; }
    virtual CCNode* getHealthBarEnd() { return m_pHealthBarEnd; }
    virtual CCLabelBMFont* getPlayerScore() { return m_pPlayerScore; }
    virtual bool getClosePending() { return m_bClosePending; }
    virtual void setClosePending(bool pending) { m_bClosePending = pending; }

    /** Bar x scale for a maximum health: 0.1 for none up to 9.0 from 500 on. */
    static float barScaleForMaxHealth(float maxHealth);

private:
    /** Stops listening to the followed fighter. */
    void unfollow();

    CCObject* m_pSubject;  ///< retained
    CCAnimatingSprite* m_pThumbSprite;
    CCNode* m_pDeadSprite;
    CCNode* m_pHealthBar1;
    CCNode* m_pHealthBar2;
    CCNode* m_pHealthBarStart;
    CCNode* m_pHealthBarEnd;
    CCLabelBMFont* m_pPlayerScore;
    bool m_bClosePending;
};

NS_CC_END

#endif // __PLAYER_HEALTH_SCREEN_H__
