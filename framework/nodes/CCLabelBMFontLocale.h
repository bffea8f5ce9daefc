#ifndef __CC_LABEL_BMFONT_LOCALE_H__
#define __CC_LABEL_BMFONT_LOCALE_H__

#include "CCLabelBMFont.h"

NS_CC_BEGIN

/**
 * A bitmap-font label for the player's texts that can be locked to the box it had in its layout:
 * with a lock height, a text that would not fit is shrunk in 5 % steps (keeping the aspect of the
 * scale set from outside, the base scale) until it is no higher than the lock height and no wider
 * than the lock width.
 */
class CCLabelBMFontLocale : public CCLabelBMFont
{
public:
    CCLabelBMFontLocale();

    /** An empty label without a font; NULL when it cannot be initialised. */
    static CCLabelBMFontLocale* create();

    virtual float getLockHeight() { return m_fLockHeight; }
    virtual void setLockHeight(float height) { m_fLockHeight = height; }
    virtual CCPoint getBaseScale() { return m_baseScale; }
    virtual void setBaseScale(CCPoint scale) { m_baseScale = scale; }
    float getLockWidth() const { return m_fLockWidth; }

    /** These set the base scale as well as the node's. */
    virtual void setScaleX(float scaleX);
    virtual void setScaleY(float scaleY);
    virtual void setScale(float scale);
    virtual void setScale(float scaleX, float scaleY);
    using CCLabelBMFont::setString;
    /** Layout passes (fromUpdate) go straight through; a new text is shrunk to the lock box. */
    virtual void setString(const char* newString, bool fromUpdate);
    /** Word-wraps at the width and remembers it as the lock width. */
    virtual void setWidth(float width);

private:
    bool fitsLockBox();

    float m_fLockHeight;
    CCPoint m_baseScale;
    float m_fLockWidth;
};

NS_CC_END

#endif // __CC_LABEL_BMFONT_LOCALE_H__
