#ifndef __CC_LABEL_TTF_H__
#define __CC_LABEL_TTF_H__

#include "sprites/CCSprite.h"

#include <string>

NS_CC_BEGIN

/**
 * Text drawn by SDL2_ttf into a texture, white, so the sprite colour tints it. A font name ending
 * in .ttf/.otf names a file; any other name picks a DejaVu face (bold, mono and serif by name).
 * With dimensions the text wraps at their width and sits in the box after the alignments.
 */
class CCLabelTTF : public CCSprite, public CCLabelProtocol
{
public:
    CCLabelTTF();
    virtual ~CCLabelTTF();

    static CCLabelTTF* create();
    static CCLabelTTF* create(const char* string, const char* fontName, float fontSize);
    static CCLabelTTF* create(const char* string, const char* fontName, float fontSize,
                              const CCSize& dimensions, CCTextAlignment hAlignment);
    static CCLabelTTF* create(const char* string, const char* fontName, float fontSize,
                              const CCSize& dimensions, CCTextAlignment hAlignment,
                              CCVerticalTextAlignment vAlignment);
    virtual bool init();
    /** False (and a log line) when no font file can be opened. */
    bool initWithString(const char* string, const char* fontName, float fontSize);
    bool initWithString(const char* string, const char* fontName, float fontSize,
                        const CCSize& dimensions, CCTextAlignment hAlignment,
                        CCVerticalTextAlignment vAlignment);

    virtual void setString(const char* label);
    virtual const char* getString(void) { return m_string.c_str(); }
    void setFontName(const char* fontName);
    const char* getFontName() { return m_pFontName.c_str(); }
    void setFontSize(float fontSize);
    float getFontSize() const { return m_fFontSize; }
    void setDimensions(const CCSize& dim);
    const CCSize& getDimensions() const { return m_tDimensions; }
    void setHorizontalAlignment(CCTextAlignment alignment);
    CCTextAlignment getHorizontalAlignment() const { return m_hAlignment; }
    void setVerticalAlignment(CCVerticalTextAlignment verticalAlignment);
    CCVerticalTextAlignment getVerticalAlignment() const { return m_vAlignment; }

    /** The font file a font name resolves to. */
    static std::string fontFileForName(const char* fontName);
    /** Closes the cached fonts. */
    static void purgeFontCache();

protected:
    bool updateTexture();

    CCSize m_tDimensions;
    CCTextAlignment m_hAlignment;
    CCVerticalTextAlignment m_vAlignment;
    std::string m_pFontName;
    float m_fFontSize;
    std::string m_string;
};

NS_CC_END

#endif // __CC_LABEL_TTF_H__
