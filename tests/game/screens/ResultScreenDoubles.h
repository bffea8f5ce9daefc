#ifndef __RESULT_SCREEN_DOUBLES_H__
#define __RESULT_SCREEN_DOUBLES_H__

#include "GameOverScreen.h"
#include "StageCompleteScreen.h"

/** The game over screen showing the character a test hands it. */
class ShownGameOver : public cocos2d::GameOverScreen
{
public:
    CREATE_FUNC(ShownGameOver);
    cocos2d::VornActorDesc* desc = NULL;

protected:
    virtual cocos2d::VornActorDesc* getPlayerDesc() { return desc; }
};

/** The stage complete screen with a test's results: 31 hits of 40, and the score and time given. */
class ShownStageComplete : public cocos2d::StageCompleteScreen
{
public:
    CREATE_FUNC(ShownStageComplete);
    cocos2d::VornActorDesc* desc = NULL;
    int score = 48250;
    float timeInLevel = 142.37f;

protected:
    virtual bool hasPlayer() { return true; }
    virtual int getPlayerScore() { return score; }
    virtual cocos2d::VornActorDesc* getPlayerDesc() { return desc; }
    virtual int getAttacksAttempted() { return 40; }
    virtual int getAttacksHitSomething() { return 31; }
    virtual float getTimeInLevel() { return timeInLevel; }
};

#endif
