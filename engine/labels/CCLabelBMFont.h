#ifndef __CC_LABEL_BMFONT_H__
#define __CC_LABEL_BMFONT_H__

#include "labels/CCBMFontConfiguration.h"
#include "sprites/CCSpriteBatchNode.h"

#include <string>

NS_CC_BEGIN

enum
{
    /** No wrapping width. */
    kCCLabelAutomaticWidth = -1,
};

/**
 * Text in a bitmap font, one glyph sprite per character (tagged with the character's index in
 * the laid-out string). Colour and opacity cascade to the glyphs.
 *
 * Strings: getString() is the text as last given to setString(text) / setString(text, false).
 * Laying out wraps that text at the width and stores the result through setString(wrapped, true),
 * which only replaces the shown characters. A wrap turns the breaking space into a newline, so
 * the laid-out string has exactly as many characters as the text. An outside call of
 * setString(text, true) shows text unwrapped and makes it what the next layout (a new width,
 * alignment or scale) wraps; getString() is left as it was. A word wider than the width stays
 * whole on its own line.
 *
 * The wrapping width is in the parent's units: a line wraps when its width times the x scale
 * exceeds it. Any scale change lays the text out again.
 */
class CCLabelBMFont : public CCSpriteBatchNode, public CCLabelProtocol, public CCRGBAProtocol
{
public:
    CCLabelBMFont();
    virtual ~CCLabelBMFont();

    static CCLabelBMFont* create();
    /** NULL (and a log line) when the font or its page image can't be read. */
    static CCLabelBMFont* create(const char* str, const char* fntFile);
    static CCLabelBMFont* create(const char* str, const char* fntFile, float width,
                                 CCTextAlignment alignment = kCCTextAlignmentLeft,
                                 CCPoint imageOffset = CCPointZero);
    /** No font: an empty label that a loader fills in with setFntFile and setString. */
    virtual bool init();
    virtual bool initWithString(const char* str, const char* fntFile, float width = kCCLabelAutomaticWidth,
                                CCTextAlignment alignment = kCCTextAlignmentLeft,
                                CCPoint imageOffset = CCPointZero);

    // Text
    virtual void setString(const char* newString);
    virtual void setString(const char* newString, bool fromUpdate);
    virtual const char* getString(void);
    /** The characters as laid out, wrapping newlines included (one per code point). */
    const std::u16string& getDisplayString() const { return m_sString; }
    std::string getDisplayStringUTF8() const;
    virtual void setCString(const char* label) { setString(label); }

    // Layout
    virtual void setWidth(float width);
    float getWidth() const { return m_fWidth; }
    virtual void setAlignment(CCTextAlignment alignment);
    CCTextAlignment getAlignment() const { return m_pAlignment; }
    virtual void setScale(float scale);
    virtual void setScale(float scaleX, float scaleY);
    virtual void setScaleX(float scaleX);
    virtual void setScaleY(float scaleY);
    /** Wraps the current text at the width and shows it. */
    virtual void updateLabel();
    /** The font's line height, 0 without a font. */
    float getLineHeight() const;

    // Font
    /** Keeps the current font (and logs) when the new one can't be read. */
    virtual void setFntFile(const char* fntFile);
    const char* getFntFile() { return m_sFntFile.c_str(); }
    CCBMFontConfiguration* getConfiguration() const { return m_pConfiguration; }
    static void purgeCachedData();

    // Looks
    virtual void setBlendFunc(ccBlendFunc blendFunc);
    virtual void setColor(const ccColor3B& color);
    virtual const ccColor3B& getColor(void);
    virtual const ccColor3B& getDisplayedColor(void);
    virtual void updateDisplayedColor(const ccColor3B& parentColor);
    virtual bool isCascadeColorEnabled(void);
    virtual void setCascadeColorEnabled(bool cascadeColorEnabled);
    virtual GLubyte getOpacity(void);
    virtual GLubyte getDisplayedOpacity(void);
    virtual void setOpacity(GLubyte opacity);
    virtual void updateDisplayedOpacity(GLubyte parentOpacity);
    virtual bool isCascadeOpacityEnabled(void);
    virtual void setCascadeOpacityEnabled(bool cascadeOpacityEnabled);
    virtual void setOpacityModifyRGB(bool isOpacityModifyRGB) { m_bIsOpacityModifyRGB = isOpacityModifyRGB; }
    virtual bool isOpacityModifyRGB(void) { return m_bIsOpacityModifyRGB; }

protected:
    /** The laid-out string with the text wrapped at the width (same length as the source). */
    std::u16string wrappedSource() const;
    /** Places one glyph sprite per drawable character of m_sString and sizes the node. */
    virtual void createFontChars();
    void dropGlyphsFrom(unsigned int count);

    CCBMFontConfiguration* m_pConfiguration;   ///< retained
    std::string m_sFntFile;
    std::string m_sInitialString;   ///< the text as given (UTF-8)
    std::u16string m_sSourceString;  ///< what the next layout wraps
    std::u16string m_sString;        ///< the characters shown, as laid out
    float m_fWidth;                  ///< wrapping width in the parent's units; <= 0 for none
    CCTextAlignment m_pAlignment;
    CCPoint m_tImageOffset;
    bool m_bInLayout;                ///< inside updateLabel's own setString(wrapped, true)
    CCArray* m_pGlyphs;              ///< glyph sprites made so far, reused between layouts

    GLubyte m_cDisplayedOpacity;
    GLubyte m_cRealOpacity;
    ccColor3B m_tDisplayedColor;
    ccColor3B m_tRealColor;
    bool m_bCascadeColorEnabled;
    bool m_bCascadeOpacityEnabled;
    bool m_bIsOpacityModifyRGB;
};

NS_CC_END

#endif // __CC_LABEL_BMFONT_H__
