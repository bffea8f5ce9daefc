#ifndef __CC_SPRITE_FRAME_H__
#define __CC_SPRITE_FRAME_H__

#include "base/CCGeometry.h"
#include "base/CCObject.h"

#include <string>

NS_CC_BEGIN

class CCTexture2D;

/**
 * A region of a texture. The rect is in the texture's pixels with the frame's unrotated size (a
 * rotated frame occupies rect.height x rect.width in the texture). The offset is the trimmed
 * region's centre relative to the original image's centre, y up; originalSize is the untrimmed size.
 */
class CCSpriteFrame : public CCObject
{
public:
    CCSpriteFrame();
    virtual ~CCSpriteFrame();

    static CCSpriteFrame* create(const char* filename, const CCRect& rect);
    static CCSpriteFrame* create(const char* filename, const CCRect& rect, bool rotated, const CCPoint& offset,
                                 const CCSize& originalSize);
    static CCSpriteFrame* createWithTexture(CCTexture2D* pobTexture, const CCRect& rect);
    static CCSpriteFrame* createWithTexture(CCTexture2D* pobTexture, const CCRect& rect, bool rotated,
                                            const CCPoint& offset, const CCSize& originalSize);

    bool initWithTexture(CCTexture2D* pobTexture, const CCRect& rect);
    bool initWithTextureFilename(const char* filename, const CCRect& rect);
    bool initWithTexture(CCTexture2D* pobTexture, const CCRect& rect, bool rotated, const CCPoint& offset,
                         const CCSize& originalSize);
    bool initWithTextureFilename(const char* filename, const CCRect& rect, bool rotated, const CCPoint& offset,
                                 const CCSize& originalSize);

    const CCRect& getRect(void) const { return m_obRect; }
    void setRect(const CCRect& rect) { m_obRect = rect; }
    const CCRect& getRectInPixels(void) const { return m_obRect; }
    void setRectInPixels(const CCRect& rect) { m_obRect = rect; }
    bool isRotated(void) const { return m_bRotated; }
    void setRotated(bool bRotated) { m_bRotated = bRotated; }
    const CCPoint& getOffset(void) const { return m_obOffset; }
    void setOffset(const CCPoint& offsets) { m_obOffset = offsets; }
    const CCPoint& getOffsetInPixels(void) const { return m_obOffset; }
    void setOffsetInPixels(const CCPoint& offsets) { m_obOffset = offsets; }
    const CCSize& getOriginalSize(void) const { return m_obOriginalSize; }
    void setOriginalSize(const CCSize& size) { m_obOriginalSize = size; }
    const CCSize& getOriginalSizeInPixels(void) const { return m_obOriginalSize; }
    void setOriginalSizeInPixels(const CCSize& size) { m_obOriginalSize = size; }

    /** The texture; a frame made from a file name loads it through the texture cache on first use. */
    CCTexture2D* getTexture(void);
    void setTexture(CCTexture2D* pobTexture);

    virtual CCObject* copy();

protected:
    CCPoint m_obOffset;
    CCSize m_obOriginalSize;
    CCRect m_obRect;
    bool m_bRotated;
    CCTexture2D* m_pobTexture;   ///< retained
    std::string m_strTextureFilename;
};

NS_CC_END

#endif // __CC_SPRITE_FRAME_H__
