#ifndef __RPG_WIDGET_H__
#define __RPG_WIDGET_H__

#include "CCObject.h"
#include "VornGameTypes.h"

NS_CC_BEGIN

class CCLabelBMFont;
class CCLayerColor;
class CCNode;
class CCSprite;
class VornActorDesc;
class VornScreen;

/**
 * A character's four stats as rows of pips, its experience level and an experience bar, drawn by
 * nodes of the owning screen's layout (bound by name before the layout is read; any may be
 * missing). The bar animates newly earned experience level by level, then the owner is called
 * back (after the level-up screen when levels are due).
 */
class RPGWidget : public CCObject
{
public:
    RPGWidget();
    virtual ~RPGWidget();

    /** Autoreleased; its nodes are registered as members of the owner, which must not have read its layout yet. */
    static RPGWidget* create(VornScreen* owner);
    void bindMembers(VornScreen* owner);

    virtual int getXPPool() { return m_nXPPool; }
    virtual void setXPPool(int pool) { m_nXPPool = pool; }
    virtual int getDisplayedLevel() { return m_nDisplayedLevel; }
    virtual void setDisplayedLevel(int level) { m_nDisplayedLevel = level; }
    virtual CCObject* getCallbackTarget() { return m_pCallbackTarget; }
    /** Retains the new target and releases the old one. */
    virtual void setCallbackTarget(CCObject* target);
    virtual SEL_CallFunc getCallback() { return m_pCallback; }
    virtual void setCallback(SEL_CallFunc callback) { m_pCallback = callback; }
    virtual VornActorDesc* getDesc() { return m_pDesc; }
    virtual void setDesc(VornActorDesc* desc) { m_pDesc = desc; }

    /** Shows the character's level, bar and pips (the descriptor is not retained). */
    void setRPGStats(VornActorDesc* desc);
    /** Fills the bar with the experience pool; set the pool and the callback first. */
    void playLevelUpAnimation();
    /**
     * A result screen's bar: the character's banked and new experience fills it, then
     * (target->*callback)() runs.
     */
    void playExperienceOf(VornActorDesc* desc, CCObject* target, SEL_CallFunc callback);
    /**
     * The player leaves while the experience still plays: the rest of the fill is skipped, the
     * level-up screen opens when levels are due, and `next` runs on the owner in place of its
     * callback once that is done. False (and nothing happens) when no experience is playing.
     */
    bool finishThen(SEL_CallFunc next);
    /** The owner has gone: the bar stops where it is, and neither the level-up screen nor the callback follows. */
    void stop();
    /** True from playExperienceOf until the owner has been called back. */
    bool isPlayingExperience() { return m_bPlayingExperience; }
    /** The level-up screen has closed: show the new levels, then call the owner back. */
    void onLevelUpScreenClosed();
    /** Redraws the pips, the level, the bar and the maximum-level mark from the descriptor. */
    void refresh();

    CCSprite* getPip(int stat, int index);
    CCLabelBMFont* getXPLabel() { return m_pXPLabel; }
    CCLayerColor* getXPBarBackLayerColor() { return m_pXPBarBackLayerColor; }
    CCLayerColor* getXPBarLayerColor() { return m_pXPBarLayerColor; }
    CCNode* getMaxLevelLabel() { return m_pMaxLevelLabel; }

    /** Seconds the bar takes to fill completely. */
    static const float kFillDuration;

protected:
    /**
     * Opens the level-up screen for this widget and the descriptor; false when the game has none,
     * and the owner is then called back at once.
     */
    virtual bool showLevelUpScreen();

private:
    bool isAtMaximum();
    /** Each stat's pips from the descriptor's current points. */
    void showPips();
    int costOfLevel(int level);
    void levelUpStep();
    void finishLevelUpAnimation();
    void callBack();

    CCSprite* m_pPips[kRPG_MAX][MAX_NUM_RPG_LEVELS];
    CCLabelBMFont* m_pXPLabel;
    CCLayerColor* m_pXPBarBackLayerColor;
    CCLayerColor* m_pXPBarLayerColor;
    CCNode* m_pMaxLevelLabel;
    int m_nXPPool;
    int m_nDisplayedLevel;
    CCObject* m_pCallbackTarget;  ///< retained
    SEL_CallFunc m_pCallback;
    VornActorDesc* m_pDesc;       ///< weak: descriptors live as long as the game manager
    bool m_bPlayingExperience;
};

NS_CC_END

#endif // __RPG_WIDGET_H__
