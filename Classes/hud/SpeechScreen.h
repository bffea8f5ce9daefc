#ifndef __SPEECH_SCREEN_H__
#define __SPEECH_SCREEN_H__

#include "VornScreen.h"

#include <string>

NS_CC_BEGIN

class CCAnimatingSprite;
class CCLabelBMFont;
class GameManager;

/**
 * A speaker's animated head beside a line of text that appears letter by letter in game time
 * (it stands still while the game is paused and runs faster with the game speed). Lines break
 * where the whole text breaks, so words never jump lines while the text grows.
 */
class SpeechScreen : public VornScreen
{
public:
    /** Seconds of game time per revealed character. */
    static const float kRevealInterval;

    SpeechScreen();
    virtual ~SpeechScreen();
    CREATE_FUNC(SpeechScreen);

    /** Reads "speech" and joins the game-update; hidden until opened. */
    virtual bool init();

    /** Starts revealing a new text (from nothing). */
    virtual void setText(const char* text);
    /** The head's frames: those whose names begin with the name. */
    void setHead(const char* name);
    /** True when the whole text shows; otherwise shows it all at once (when open) and answers false. */
    bool finishReveal();
    /** Reveals by game time, only while open. */
    void tick(float dt);

    virtual CCLabelBMFont* getTextLabel() { return m_pTextLabel; }
    virtual CCAnimatingSprite* getHeadSprite() { return m_pHeadSprite; }
    virtual float getElapsedTime() { return m_fElapsed; }
    virtual void setElapsedTime(float elapsed) { m_fElapsed = elapsed; }
    /** The text as it will show, with its line breaks (UTF-8). */
    virtual std::string getText();
    /** Characters of the text (line breaks included). */
    unsigned int getTextLength() const { return (unsigned int)m_text.size(); }
    /** Characters shown now. */
    unsigned int getShownLength() const { return m_uShown; }
    virtual float getLabelScale() { return m_fLabelScale; }
    virtual void setLabelScale(float scale) { m_fLabelScale = scale; }

private:
    void showCharacters(unsigned int count);

    CCLabelBMFont* m_pTextLabel;
    CCAnimatingSprite* m_pHeadSprite;
    float m_fElapsed;
    std::u16string m_text;
    unsigned int m_uShown;
    float m_fLabelScale;
    GameManager* m_pSubscribedTo;
};

NS_CC_END

#endif // __SPEECH_SCREEN_H__
