#ifndef __LEVEL_UP_SCREEN_H__
#define __LEVEL_UP_SCREEN_H__

#include "VornGameTypes.h"
#include "VornScreen.h"

NS_CC_BEGIN

class CCLabelBMFont;
class CCParticleSystem;
class CCSprite;
class RPGWidget;
class VornActorDesc;

/**
 * Spends a character's earned experience levels on its four stats, one level per press, then
 * continues. Opened by a stat widget at the end of its experience animation; the widget is called
 * back once the screen has closed.
 */
class LevelUpScreen : public VornScreen
{
public:
    /** No stat preferred for the focus. */
    static const int kNoPreferredStat = kRPG_MAX;

    LevelUpScreen();
    virtual ~LevelUpScreen();
    CREATE_FUNC(LevelUpScreen);

    /** Reads "level-up"; hidden until shown. */
    virtual bool init();
    /** Lets go of the widget that waits for this screen. */
    virtual void cleanup();

    /**
     * Opens for the character when it has levels to spend; otherwise the owner is called back at
     * once and the screen stays closed. The second argument is not used.
     */
    void show(RPGWidget* owner, CCObject* unused, VornActorDesc* desc);
    /** Redraws stats, counts and items; the focus goes to the preferred stat when it is still open. */
    void refresh(int preferredStat);
    /** Raises the stat by one point when a level is there to pay for it. */
    void spendPoint(int stat);

    void onHealth();
    void onPower();
    void onSpeed();
    void onSpecial();
    void onContinue();
    /** End of "close": the base's steps, then the owner goes on. */
    void onClosedNotify();

    virtual RPGWidget* getRPGWidget() { return m_pRPGWidget; }
    virtual VornActorDesc* getDesc() { return m_pDesc; }
    virtual CCMenuItem* getStatMenuItem(int stat);
    virtual CCNode* getStatRootItem(int stat);
    virtual CCLabelBMFont* getNumPointsLabel() { return m_pNumPointsLabel; }
    virtual CCLabelBMFont* getNewXPLabel() { return m_pNewXPLabel; }
    virtual CCNode* getContinueLabel() { return m_pContinueLabel; }
    virtual CCMenuItem* getContinueMenuItem() { return m_pContinueMenuItem; }
    virtual CCParticleSystem* getPointsParticles() { return m_pPointsParticles; }
    virtual CCSprite* getCharacterSprite() { return m_pCharacterSprite; }

private:
    void setOwner(RPGWidget* owner);
    void notifyOwner();

    CCMenuItem* m_pStatMenuItems[kRPG_MAX];
    CCNode* m_pStatRootItems[kRPG_MAX];
    CCLabelBMFont* m_pNumPointsLabel;
    CCLabelBMFont* m_pNewXPLabel;
    CCNode* m_pContinueLabel;
    CCMenuItem* m_pContinueMenuItem;
    CCParticleSystem* m_pPointsParticles;
    CCSprite* m_pCharacterSprite;
    RPGWidget* m_pRPGWidget;  ///< retained
    VornActorDesc* m_pDesc;   ///< retained
    RPGWidget* m_pOwner;      ///< retained until it has been called back
};

NS_CC_END

#endif // __LEVEL_UP_SCREEN_H__
