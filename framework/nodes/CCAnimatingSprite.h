#ifndef __CC_ANIMATING_SPRITE_H__
#define __CC_ANIMATING_SPRITE_H__

#include "CCSprite.h"

#include <string>

NS_CC_BEGIN

class CCArray;
class GameManager;

/**
 * A sprite that cycles through the frames of one sprite sheet at a fixed delay: all of them, or
 * those whose names match a wildcard; looping, holding the last frame (noLoop) or bouncing.
 * It advances on the game manager's game-update signal (standing still while the game is paused)
 * or, with ignorePause, on the always-running update signal.
 */
class CCAnimatingSprite : public CCSprite
{
public:
    CCAnimatingSprite();
    virtual ~CCAnimatingSprite();

    /** A sprite on the game-update signal; NULL when the sprite cannot be initialised. */
    static CCAnimatingSprite* create();
    /** A sprite showing the image, on no signal: it animates once setIgnorePause(true) or its owner ticks it. */
    static CCAnimatingSprite* animatingSpriteWithFile(const char* file);

    /** The sprite's init, then subscribes tick to the game-update signal. */
    virtual bool init();

    /**
     * Plays the sheet's frames that match the wildcard from a random one. False, keeping the
     * current animation, when no frame matches.
     */
    bool playFile(const char* file);
    /** Advances the animation by dt seconds (scripts call it directly too). */
    void tick(float dt);
    /** Back to the first frame with a fresh timer. */
    void restart();

    virtual float getDelay() { return m_fDelay; }
    virtual void setDelay(float delay) { m_fDelay = delay; }
    virtual CCArray* getFrames() { return m_pFrames; }
    /** Retains the new array and releases the old. */
    virtual void setFrames(CCArray* frames);
    virtual bool getIgnorePause() { return m_bIgnorePause; }
    /** Moves tick to the update signal (true) or the game-update signal (false). */
    virtual void setIgnorePause(bool ignorePause);
    virtual bool getBounce() { return m_bBounce; }
    virtual void setBounce(bool bounce) { m_bBounce = bounce; }
    /** A flag free for the sprite's users; the sprite itself never reads it. */
    virtual bool getUserFlag() { return m_bUserFlag; }
    virtual void setUserFlag(bool flag) { m_bUserFlag = flag; }
    virtual bool getNoLoop() { return m_bNoLoop; }
    virtual void setNoLoop(bool noLoop) { m_bNoLoop = noLoop; }
    virtual const std::string& getFile() { return m_file; }
    /** Only names the file; playFile loads it. */
    virtual void setFile(const std::string& file) { m_file = file; }
    virtual const std::string& getWildcard() { return m_wildcard; }
    /** Stores the filter and, when a file is set, plays it again with the filter. */
    virtual void setWildcard(const std::string& wildcard);
    virtual bool getWildcardIsPrefix() { return m_bWildcardIsPrefix; }
    virtual void setWildcardIsPrefix(bool isPrefix) { m_bWildcardIsPrefix = isPrefix; }

    unsigned int getCurrentFrame() const { return m_uCurrentFrame; }
    float getTimer() const { return m_fTimer; }

private:
    void subscribe();
    void unsubscribe();
    bool matchesWildcard(const std::string& name) const;

    CCArray* m_pFrameNames;    ///< retained: every frame name of the sheet, sorted
    std::string m_frameNamesFile;  ///< the sheet m_pFrameNames was read from
    unsigned int m_uCurrentFrame;
    float m_fTimer;
    float m_fDelay;
    CCArray* m_pFrames;        ///< retained: the frames being played
    bool m_bIgnorePause;
    bool m_bBounce;
    bool m_bUserFlag;
    bool m_bNoLoop;
    std::string m_file;
    std::string m_wildcard;
    bool m_bWildcardIsPrefix;
    GameManager* m_pSubscribedTo;  ///< the game manager whose signal ticks us, NULL when none
};

NS_CC_END

#endif // __CC_ANIMATING_SPRITE_H__
