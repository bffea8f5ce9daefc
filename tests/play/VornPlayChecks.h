#ifndef __VORN_PLAY_CHECKS_H__
#define __VORN_PLAY_CHECKS_H__

#include "cocos2d.h"

#include <map>
#include <utility>
#include <string>
#include <vector>

namespace cocos2d
{
class VornGameManager;
class VornScreen;
}

/**
 * What a player sees, checked after every frame of a play-through: the fighter in view, fighters
 * drawn nearest last, health bars that tell the truth, overlays that close again. The first
 * failure is kept with the level and frame it happened in.
 */
class VornPlayChecks
{
public:
    explicit VornPlayChecks(cocos2d::VornGameManager* game);

    /** Looks at the frame just stepped; frameTime is its length in seconds. */
    void check(int frame, float frameTime);
    /** Looks at the log lines written since the last call (the whole log so far is given). */
    void checkLog(int frame, const std::vector<std::string>& lines);
    /** "" while every check has held. */
    const std::string& firstFailure() const { return m_failure; }
    /** Per stage, the longest time (seconds) the player was more than half hidden by enemies drawn
     *  over him: part of a brawl, reported rather than failed. */
    const std::map<std::string, float>& longestHiddenByEnemies() const { return m_longestHiddenByEnemies; }

private:
    void fail(int frame, const std::string& what);
    bool inPlay();
    void checkPlayerInView(int frame);
    void checkWholeBodyInView(int frame, float frameTime);
    void checkDepthOrder(int frame);
    void checkBars(int frame);
    void checkOverlays(int frame, float frameTime);
    /** An overlay showing one thing (a line, a count) for longer than limit seconds is stuck. */
    void checkOverlayCloses(int frame, float frameTime, const char* name, bool shown, const std::string& showing,
                            float limit);
    void checkOnlyGrows(int frame);
    /** A hint or caption taken off the screen before it could be read fails. */
    void checkTextsStayUp(int frame, float frameTime);
    void checkTextStaysUp(int frame, float frameTime, const char* name, bool shown, const std::string& text);
    void checkSavedStore(int frame);
    /** Scenery drawn over the player (near layers, props nearer the viewer) may not cover a third
     *  of his box for long; enemies over him are measured. */
    void checkNotHidden(int frame, float frameTime);
    /** Floating numbers of hits and health changes do not heap up on one spot. */
    void checkNumbersApart(int frame);

    cocos2d::VornGameManager* m_game;
    std::string m_failure;
    /** Per overlay up: what it shows, and for how many seconds it has shown it. */
    std::map<std::string, std::pair<std::string, float>> m_shown;
    /** Per hint and caption on screen: what it says, and for how many seconds it has said it. */
    std::map<std::string, std::pair<std::string, float>> m_texts;
    std::map<std::string, float> m_lastCount;  ///< score, experience, knock-outs at the last frame of play
    std::string m_storeStamp;                  ///< size and time of the saved store when last parsed
    size_t m_logLinesSeen = 0;
    cocos2d::CCObject* m_lastBackground;       ///< not retained: only compared
    int m_settling;                           ///< frames left before a new stage is looked at
    float m_outOfView;                        ///< seconds the player's box has been partly out of the window
    float m_hiddenByScenery = 0.0f;           ///< seconds a third or more of his box has been under scenery
    float m_hiddenByEnemies = 0.0f;           ///< seconds over half his box has been under enemies
    std::map<std::string, float> m_longestHiddenByEnemies;
};

#endif // __VORN_PLAY_CHECKS_H__
