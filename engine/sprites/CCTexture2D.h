#ifndef __CC_TEXTURE_2D_H__
#define __CC_TEXTURE_2D_H__

#include "base/CCGeometry.h"
#include "base/CCObject.h"
#include "base/ccTypes.h"

#include <SDL.h>

#include <map>
#include <vector>

struct SDL_Surface;
struct SDL_Texture;

NS_CC_BEGIN

class CCImage;

typedef enum
{
    kCCTexture2DPixelFormat_RGBA8888,
    kCCTexture2DPixelFormat_RGB888,
    kCCTexture2DPixelFormat_RGB565,
    kCCTexture2DPixelFormat_A8,
    kCCTexture2DPixelFormat_I8,
    kCCTexture2DPixelFormat_AI88,
    kCCTexture2DPixelFormat_RGBA4444,
    kCCTexture2DPixelFormat_RGB5A1,
    kCCTexture2DPixelFormat_Default = kCCTexture2DPixelFormat_RGBA8888,
} CCTexture2DPixelFormat;

/**
 * An image ready to draw: its pixels (RGBA, straight alpha, kept in an SDL surface) and its size.
 * The renderer uploads the pixels on first use and keeps the SDL texture here.
 */
class CCTexture2D : public CCObject
{
public:
    CCTexture2D();
    virtual ~CCTexture2D();

    bool initWithImage(CCImage* uiImage);
    /** Raw pixels; only RGBA8888 and A8 (white with alpha) are accepted. */
    bool initWithData(const void* data, CCTexture2DPixelFormat pixelFormat, unsigned int pixelsWide,
                      unsigned int pixelsHigh, const CCSize& contentSize);
    /** Takes a converted copy of the surface. */
    bool initWithSurface(SDL_Surface* surface);

    unsigned int getPixelsWide() const { return m_uPixelsWide; }
    unsigned int getPixelsHigh() const { return m_uPixelsHigh; }
    /** Content size in points (= pixels on the desktop). */
    CCSize getContentSize() const;
    const CCSize& getContentSizeInPixels() const { return m_tContentSize; }
    GLfloat getMaxS() const { return m_fMaxS; }
    GLfloat getMaxT() const { return m_fMaxT; }
    CCTexture2DPixelFormat getPixelFormat() const { return kCCTexture2DPixelFormat_RGBA8888; }
    /** Straight alpha throughout: always false. */
    bool hasPremultipliedAlpha() const { return false; }
    bool hasMipmaps() const { return false; }

    /** Nearest-pixel sampling (pixel art, crisp fonts). A change of sampling makes the renderer
     *  upload the pixels again, shaped for it. */
    void setAliasTexParameters();
    /** Linear sampling, the default. */
    void setAntiAliasTexParameters();
    bool isAntiAliased() const { return m_bAntiAlias; }

    /**
     * True when every pixel of the rectangle (pixels, x0 <= x < x1, y0 <= y < y1, clamped to the
     * image) has full alpha. Answers are kept per rectangle: the renderer asks for each sprite.
     */
    bool isRegionOpaque(int x0, int y0, int x1, int y1);
    /**
     * Where the rectangle (pixels, inside the image) has any alpha: up to four row bands, each cut to the columns and rows that have some and split around a wide
     * run of clear columns; a smooth texture's parts keep the clear texels its filtering reads.
     * None when it is clear throughout, the whole rectangle when cutting would leave out little.
     * Kept per rectangle like isRegionOpaque.
     */
    const std::vector<SDL_Rect>& shownParts(int x0, int y0, int x1, int y1);
    /**
     * The largest rectangle of texels with full alpha inside the rectangle (pixels, inside the
     * image), when it holds at least a quarter of it; empty (w = 0) otherwise. Kept per rectangle
     * like isRegionOpaque.
     */
    SDL_Rect opaqueCore(int x0, int y0, int x1, int y1);

    /** The pixels (RGBA32), owned by the texture. */
    SDL_Surface* getSurface() const { return m_pSurface; }
    /** The renderer's copy; destroyed with the texture. */
    SDL_Texture* getSDLTexture() const { return m_pSDLTexture; }
    /** heightShare: the part of the copy's height the pixels fill (below them, the last row again). */
    void setSDLTexture(SDL_Texture* texture, float heightShare = 1.0f);
    float getSDLTextureHeightShare() const { return m_fSDLHeightShare; }
    /** Destroys the renderer's copy (before its renderer goes away). */
    void releaseSDLTexture();
    /** Destroys the renderer copies of every live texture (before their renderer goes away). */
    static void releaseAllSDLTextures();

private:
    SDL_Surface* m_pSurface;     ///< owned
    SDL_Texture* m_pSDLTexture;  ///< owned
    float m_fSDLHeightShare;
    unsigned int m_uPixelsWide;
    unsigned int m_uPixelsHigh;
    CCSize m_tContentSize;
    GLfloat m_fMaxS;
    GLfloat m_fMaxT;
    bool m_bAntiAlias;
    std::map<unsigned long long, bool> m_opaqueRegions;  ///< isRegionOpaque's answers by rectangle
    std::map<unsigned long long, std::vector<SDL_Rect> > m_shownParts;  ///< shownParts' answers
    std::map<unsigned long long, SDL_Rect> m_opaqueCores;  ///< opaqueCore's answers
};

NS_CC_END

#endif // __CC_TEXTURE_2D_H__
