#ifndef __CC_IMAGE_H__
#define __CC_IMAGE_H__

#include "base/CCObject.h"

#include <string>

struct SDL_Surface;

NS_CC_BEGIN

/** Decoded pixels in memory: RGBA, 8 bits a channel, straight alpha, rows top to bottom. */
class CCImage : public CCObject
{
public:
    CCImage();
    virtual ~CCImage();

    /** A PNG (or other SDL_image format) file by full path; false and a log line on failure. */
    bool initWithImageFile(const char* strPath);
    /** An encoded image in memory (PNG bytes). */
    bool initWithImageData(const void* pData, int nDataLen);
    /** Raw RGBA pixels, copied. */
    bool initWithRawRGBA(const unsigned char* pData, int nWidth, int nHeight);
    /** Takes a copy of any surface, converted to RGBA. */
    bool initWithSurface(SDL_Surface* surface);

    unsigned char* getData();
    int getDataLen();
    unsigned short getWidth() const;
    unsigned short getHeight() const;
    bool hasAlpha() const { return true; }
    bool isPremultipliedAlpha() const { return false; }
    int getBitsPerComponent() const { return 8; }
    /** Writes a PNG. */
    bool saveToFile(const char* pszFilePath);

    /** The pixels as an SDL surface owned by the image (RGBA32). */
    SDL_Surface* getSurface() const { return m_pSurface; }

private:
    bool adopt(SDL_Surface* decoded, const char* what);

    SDL_Surface* m_pSurface;   ///< owned
};

NS_CC_END

#endif // __CC_IMAGE_H__
