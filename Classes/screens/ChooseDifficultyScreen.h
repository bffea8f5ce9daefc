#ifndef __CHOOSE_DIFFICULTY_SCREEN_H__
#define __CHOOSE_DIFFICULTY_SCREEN_H__

#include "VornScreen.h"

NS_CC_BEGIN

/** The receiver of a choice: a kDifficulty_ value, kDifficulty_MAX when the player backed out. */
typedef void (CCObject::*SEL_DifficultyChosen)(int choice);
#define difficulty_selector(_SELECTOR) (::cocos2d::SEL_DifficultyChosen)(&_SELECTOR)

/**
 * Asks for the story difficulty before a new story game. Hard stays greyed out and disabled until
 * the story has been completed on normal. Every way out hands exactly one choice to the callback,
 * once the screen has closed.
 */
class ChooseDifficultyScreen : public VornScreen
{
public:
    ChooseDifficultyScreen();
    virtual ~ChooseDifficultyScreen();
    CREATE_FUNC(ChooseDifficultyScreen);

    /** Reads "choose-difficulty"; hidden until shown. */
    virtual bool init();
    /** Opens the screen; the callback on the target (retained until then) gets the choice. */
    virtual void show(CCObject* target, SEL_DifficultyChosen callback);
    /** Closed: the choice goes out, and the target is let go. */
    virtual void onClosed();

    virtual int getChoice() { return m_nChoice; }
    virtual CCNode* getHardLabel() { return m_pHardLabel; }
    virtual CCMenuItem* getHardMenuItem() { return m_pHardMenuItem; }
    /** Optional: says how to unlock Hard; shown only while it is locked. */
    virtual CCNode* getHardHintLabel() { return m_pHardHintLabel; }

    void onEasy();
    void onNormal();
    void onHard();
    void onBack();

    /** Achievement that unlocks the hard difficulty. */
    static const char* const kHardUnlockAchievement;

private:
    void choose(int choice);

    CCObject* m_pTarget;  ///< retained while shown
    SEL_DifficultyChosen m_pCallback;
    int m_nChoice;
    CCNode* m_pHardLabel;
    CCMenuItem* m_pHardMenuItem;
    CCNode* m_pHardHintLabel;
};

NS_CC_END

#endif // __CHOOSE_DIFFICULTY_SCREEN_H__
