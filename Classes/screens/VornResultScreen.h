#ifndef __VORN_RESULT_SCREEN_H__
#define __VORN_RESULT_SCREEN_H__

#include "VornScreen.h"

NS_CC_BEGIN

class CCLabelBMFont;
class CCSprite;
class RPGWidget;
class VornActorDesc;

/**
 * What the game over and stage complete screens share: the score and best score, the played
 * character with its stats, and the experience bar that fills before the menu shows. Leaving while
 * the bar fills offers its levels first; a closing screen stops its bar.
 */
class VornResultScreen : public VornScreen
{
public:
    VornResultScreen();
    virtual ~VornResultScreen();

    /** The base's steps; the experience bar stops with the screen. */
    virtual void onClosed();
    /** Lets the stat widget go of this screen. */
    virtual void cleanup();

    virtual CCLabelBMFont* getScoreLabel() { return m_pScoreLabel; }
    virtual CCLabelBMFont* getHighScoreLabel() { return m_pHighScoreLabel; }
    virtual CCSprite* getCharacterSprite() { return m_pCharacterSprite; }
    virtual RPGWidget* getRPGWidget() { return m_pRPGWidget; }

protected:
    /**
     * Registers the shared members and reads the layout (a subclass registers its own first);
     * the scores read "0" and the screen stays hidden until opened. False when the layout fails.
     */
    bool initResultScreen(const char* layout);
    /** Shows the character and its stats, remembered for the experience bar; none without a sprite. */
    void showCharacter(VornActorDesc* desc);
    /** A leave asked for while the experience plays runs once it (and any level-up) is done. */
    bool leavesAfterExperience(SEL_CallFunc leave);

    CCLabelBMFont* m_pScoreLabel;
    CCLabelBMFont* m_pHighScoreLabel;
    CCSprite* m_pCharacterSprite;
    RPGWidget* m_pRPGWidget;  ///< retained
    VornActorDesc* m_pDesc;   ///< the character shown
};

NS_CC_END

#endif // __VORN_RESULT_SCREEN_H__
