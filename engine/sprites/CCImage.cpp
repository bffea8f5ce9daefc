#include "sprites/CCImage.h"

#include <SDL.h>
#include <SDL_image.h>

NS_CC_BEGIN

CCImage::CCImage()
: m_pSurface(NULL)
{
}

CCImage::~CCImage()
{
    if (m_pSurface)
    {
        SDL_FreeSurface(m_pSurface);
    }
}

bool CCImage::adopt(SDL_Surface* decoded, const char* what)
{
    if (!decoded)
    {
        CCLog("ERROR: CCImage - could not decode %s: %s", what, IMG_GetError());
        return false;
    }
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(decoded);
    if (!rgba)
    {
        CCLog("ERROR: CCImage - could not convert %s: %s", what, SDL_GetError());
        return false;
    }
    if (m_pSurface)
    {
        SDL_FreeSurface(m_pSurface);
    }
    m_pSurface = rgba;
    return true;
}

bool CCImage::initWithImageFile(const char* strPath)
{
    if (!strPath)
    {
        return false;
    }
    return adopt(IMG_Load(strPath), strPath);
}

bool CCImage::initWithImageData(const void* pData, int nDataLen)
{
    if (!pData || nDataLen <= 0)
    {
        CCLog("ERROR: CCImage - empty image data");
        return false;
    }
    SDL_RWops* rw = SDL_RWFromConstMem(pData, nDataLen);
    return adopt(rw ? IMG_Load_RW(rw, 1) : NULL, "image data");
}

bool CCImage::initWithRawRGBA(const unsigned char* pData, int nWidth, int nHeight)
{
    if (!pData || nWidth <= 0 || nHeight <= 0)
    {
        return false;
    }
    SDL_Surface* copy = SDL_CreateRGBSurfaceWithFormat(0, nWidth, nHeight, 32, SDL_PIXELFORMAT_RGBA32);
    if (!copy)
    {
        return false;
    }
    for (int y = 0; y < nHeight; ++y)
    {
        memcpy((unsigned char*)copy->pixels + y * copy->pitch, pData + y * nWidth * 4, (size_t)nWidth * 4);
    }
    if (m_pSurface)
    {
        SDL_FreeSurface(m_pSurface);
    }
    m_pSurface = copy;
    return true;
}

bool CCImage::initWithSurface(SDL_Surface* surface)
{
    if (!surface)
    {
        return false;
    }
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_RGBA32, 0);
    if (!rgba)
    {
        return false;
    }
    if (m_pSurface)
    {
        SDL_FreeSurface(m_pSurface);
    }
    m_pSurface = rgba;
    return true;
}

unsigned char* CCImage::getData()
{
    return m_pSurface ? (unsigned char*)m_pSurface->pixels : NULL;
}

int CCImage::getDataLen()
{
    return m_pSurface ? m_pSurface->pitch * m_pSurface->h : 0;
}

unsigned short CCImage::getWidth() const
{
    return m_pSurface ? (unsigned short)m_pSurface->w : 0;
}

unsigned short CCImage::getHeight() const
{
    return m_pSurface ? (unsigned short)m_pSurface->h : 0;
}

bool CCImage::saveToFile(const char* pszFilePath)
{
    if (!m_pSurface || !pszFilePath)
    {
        return false;
    }
    if (IMG_SavePNG(m_pSurface, pszFilePath) != 0)
    {
        CCLog("ERROR: CCImage::saveToFile - %s: %s", pszFilePath, IMG_GetError());
        return false;
    }
    return true;
}

NS_CC_END
