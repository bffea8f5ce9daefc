#ifndef __CC_BMFONT_CONFIGURATION_H__
#define __CC_BMFONT_CONFIGURATION_H__

#include "base/CCGeometry.h"
#include "base/CCObject.h"

#include <map>
#include <string>

NS_CC_BEGIN

/** One glyph of a bitmap font: where it sits in the page and how it advances the pen. */
struct ccBMFontDef
{
    unsigned int charID;
    CCRect rect;       ///< in page pixels, y down
    short xOffset;     ///< from the pen to the glyph's left edge
    short yOffset;     ///< from the line's top to the glyph's top edge
    short xAdvance;
};

struct ccBMFontPadding
{
    int left;
    int top;
    int right;
    int bottom;
};

/**
 * A bitmap font read from a BMFont text file (info, common, page, char and kerning lines).
 * Only page 0 is drawn; glyphs of other pages are dropped with a log line.
 */
class CCBMFontConfiguration : public CCObject
{
public:
    CCBMFontConfiguration();
    virtual ~CCBMFontConfiguration();

    /** NULL and a log line when the file can't be read or has no usable common/page line. */
    static CCBMFontConfiguration* create(const char* fntFile);
    bool initWithFNTfile(const char* fntFile);
    /** Parses text already in memory; the page image is looked up beside fntPath. */
    bool initWithString(const std::string& contents, const std::string& fntPath);

    /** NULL when the font has no such glyph. */
    const ccBMFontDef* glyph(unsigned int charID) const;
    /** The pen adjustment between two characters (0 when the font has no pair). */
    int kerningAmount(unsigned int first, unsigned int second) const;
    /** The page image's full path. */
    const std::string& getAtlasName() const { return m_sAtlasName; }
    const std::string& getFntPath() const { return m_sFntPath; }
    unsigned int getGlyphCount() const { return (unsigned int)m_glyphs.size(); }
    unsigned int getKerningCount() const { return (unsigned int)m_kerning.size(); }

    int m_nCommonHeight;   ///< the line height
    int m_nBase;
    int m_nScaleW;
    int m_nScaleH;
    ccBMFontPadding m_tPadding;

private:
    bool parseLine(const std::string& line, int lineNumber);

    std::map<unsigned int, ccBMFontDef> m_glyphs;
    std::map<unsigned long long, int> m_kerning;
    std::string m_sAtlasName;
    std::string m_sFntPath;
    bool m_bHasCommon;
    long m_nDeclaredChars;  ///< the "chars count", -1 when the file gives none
    long m_nCharLines;      ///< well-formed "char" lines met
};

/** The configuration of a font file, parsed once and cached by full path. NULL on failure. */
CCBMFontConfiguration* FNTConfigLoadFile(const char* fntFile);
/** Drops every cached configuration. */
void FNTConfigRemoveCache(void);

NS_CC_END

#endif // __CC_BMFONT_CONFIGURATION_H__
