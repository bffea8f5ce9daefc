#include "sprites/CCTexture2D.h"

#include "sprites/CCImage.h"

#include "draw/CCRenderer.h"

#include <SDL.h>

#include <algorithm>
#include <set>

NS_CC_BEGIN

namespace
{
// Every live texture, so a renderer going away can drop all uploaded copies, cached or not.
// Never freed: textures may outlive static destruction.
std::set<CCTexture2D*>& liveTextures()
{
    static std::set<CCTexture2D*>* s_live = new std::set<CCTexture2D*>();
    return *s_live;
}
}

CCTexture2D::CCTexture2D()
: m_pSurface(NULL)
, m_pSDLTexture(NULL)
, m_fSDLHeightShare(1.0f)
, m_uPixelsWide(0)
, m_uPixelsHigh(0)
, m_fMaxS(1.0f)
, m_fMaxT(1.0f)
, m_bAntiAlias(true)
{
    liveTextures().insert(this);
}

CCTexture2D::~CCTexture2D()
{
    liveTextures().erase(this);
    releaseSDLTexture();
    if (m_pSurface)
    {
        SDL_FreeSurface(m_pSurface);
    }
}

bool CCTexture2D::initWithSurface(SDL_Surface* surface)
{
    if (!surface)
    {
        CCLog("CCTexture2D::initWithSurface - surface is NULL");
        return false;
    }
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_RGBA32, 0);
    if (!rgba)
    {
        CCLog("ERROR: CCTexture2D - could not convert pixels: %s", SDL_GetError());
        return false;
    }
    // Blending stays straight alpha: the surface's own blend flags play no part.
    SDL_SetSurfaceBlendMode(rgba, SDL_BLENDMODE_NONE);
    releaseSDLTexture();
    if (m_pSurface)
    {
        SDL_FreeSurface(m_pSurface);
    }
    m_pSurface = rgba;
    m_opaqueRegions.clear();
    m_shownParts.clear();
    m_opaqueCores.clear();
    m_uPixelsWide = (unsigned int)rgba->w;
    m_uPixelsHigh = (unsigned int)rgba->h;
    m_tContentSize = CCSize((float)rgba->w, (float)rgba->h);
    m_fMaxS = m_fMaxT = 1.0f;
    return true;
}

// One key for a texel region, for the caches of answers about it.
static unsigned long long regionKey(int x0, int y0, int x1, int y1)
{
    return ((unsigned long long)(x0 & 0xffff) << 48) | ((unsigned long long)(y0 & 0xffff) << 32) |
           ((unsigned long long)(x1 & 0xffff) << 16) | (unsigned long long)(y1 & 0xffff);
}

bool CCTexture2D::isRegionOpaque(int x0, int y0, int x1, int y1)
{
    if (!m_pSurface)
    {
        return false;
    }
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, m_pSurface->w);
    y1 = std::min(y1, m_pSurface->h);
    if (x0 >= x1 || y0 >= y1)
    {
        return false;
    }
    const unsigned long long key = regionKey(x0, y0, x1, y1);
    std::map<unsigned long long, bool>::const_iterator known = m_opaqueRegions.find(key);
    if (known != m_opaqueRegions.end())
    {
        return known->second;
    }
    bool opaque = true;
    const unsigned char* pixels = (const unsigned char*)m_pSurface->pixels;
    for (int y = y0; y < y1 && opaque; ++y)
    {
        const unsigned char* row = pixels + (size_t)y * m_pSurface->pitch;
        for (int x = x0; x < x1; ++x)
        {
            // RGBA32: alpha is the fourth byte of each pixel.
            if (row[x * 4 + 3] != 255)
            {
                opaque = false;
                break;
            }
        }
    }
    m_opaqueRegions[key] = opaque;
    return opaque;
}

const std::vector<SDL_Rect>& CCTexture2D::shownParts(int x0, int y0, int x1, int y1)
{
    const unsigned long long key = regionKey(x0, y0, x1, y1);
    std::map<unsigned long long, std::vector<SDL_Rect> >::iterator known = m_shownParts.find(key);
    if (known != m_shownParts.end())
    {
        return known->second;
    }
    std::vector<SDL_Rect>& parts = m_shownParts[key];
    SDL_Rect whole = { x0, y0, x1 - x0, y1 - y0 };
    if (!m_pSurface || x0 < 0 || y0 < 0 || x1 > m_pSurface->w || y1 > m_pSurface->h || x0 >= x1 || y0 >= y1)
    {
        parts.push_back(whole);
        return parts;
    }
    // Linear sampling reads one texel beyond each side: a smooth picture keeps that much of its
    // clear texels next to what it shows.
    const int margin = m_bAntiAlias ? 1 : 0;
    // Thinner bands would follow a round clear middle closer, but llvmpipe draws a full-screen
    // picture cut into sixteen slower than whole.
    const int bands = (y1 - y0) >= 8 ? 4 : 1;
    const unsigned char* pixels = (const unsigned char*)m_pSurface->pixels;
    std::vector<char> columnShown((size_t)(x1 - x0));
    long long kept = 0;
    for (int b = 0; b < bands; ++b)
    {
        const int top = y0 + (y1 - y0) * b / bands;
        const int bottom = y0 + (y1 - y0) * (b + 1) / bands;
        const int readTop = std::max(top - margin, 0);
        const int readBottom = std::min(bottom + margin, m_pSurface->h);
        const int readLeft = std::max(x0 - margin, 0);
        const int readRight = std::min(x1 + margin, m_pSurface->w);
        int minX = x1, maxX = x0 - 1, minY = bottom, maxY = top - 1;
        std::fill(columnShown.begin(), columnShown.end(), 0);
        for (int y = readTop; y < readBottom; ++y)
        {
            const unsigned char* row = pixels + (size_t)y * m_pSurface->pitch;
            for (int x = readLeft; x < readRight; ++x)
            {
                // RGBA32: alpha is the fourth byte of each pixel.
                if (row[x * 4 + 3] != 0)
                {
                    const int column = std::min(std::max(x, x0), x1 - 1);
                    columnShown[column - x0] = 1;
                    minX = std::min(minX, column);
                    maxX = std::max(maxX, column);
                    minY = std::min(minY, std::max(y, top));
                    maxY = std::max(maxY, std::min(y, bottom - 1));
                }
            }
        }
        if (maxX < minX)
        {
            continue;
        }
        minX = std::max(minX - margin, x0);
        maxX = std::min(maxX + margin, x1 - 1);
        minY = std::max(minY - margin, top);
        maxY = std::min(maxY + margin, bottom - 1);
        // The widest run of columns clear through the band (a vignette's middle, the gap between
        // two legs) is left out when it is at least a quarter of the rectangle wide.
        int gapStart = 0, gapEnd = 0;
        for (int x = minX; x <= maxX;)
        {
            if (columnShown[x - x0])
            {
                ++x;
                continue;
            }
            int end = x;
            while (end <= maxX && !columnShown[end - x0])
            {
                ++end;
            }
            if (end - x > gapEnd - gapStart)
            {
                gapStart = x;
                gapEnd = end;
            }
            x = end;
        }
        gapStart += margin;
        gapEnd -= margin;
        if ((gapEnd - gapStart) * 4 >= whole.w)
        {
            SDL_Rect left = { minX, minY, gapStart - minX, maxY - minY + 1 };
            SDL_Rect right = { gapEnd, minY, maxX + 1 - gapEnd, maxY - minY + 1 };
            parts.push_back(left);
            parts.push_back(right);
            kept += (long long)(left.w + right.w) * left.h;
        }
        else
        {
            SDL_Rect part = { minX, minY, maxX - minX + 1, maxY - minY + 1 };
            parts.push_back(part);
            kept += (long long)part.w * part.h;
        }
    }
    // Each part is a quad of its own: not worth it for a tenth of the pixels.
    if (!parts.empty() && kept * 10 >= (long long)whole.w * whole.h * 9)
    {
        parts.assign(1, whole);
    }
    return parts;
}

SDL_Rect CCTexture2D::opaqueCore(int x0, int y0, int x1, int y1)
{
    const unsigned long long key = regionKey(x0, y0, x1, y1);
    std::map<unsigned long long, SDL_Rect>::const_iterator known = m_opaqueCores.find(key);
    if (known != m_opaqueCores.end())
    {
        return known->second;
    }
    SDL_Rect best = { x0, y0, 0, 0 };
    if (m_pSurface && x0 >= 0 && y0 >= 0 && x1 <= m_pSurface->w && y1 <= m_pSurface->h && x0 < x1 && y0 < y1)
    {
        // Row by row, each column's run of opaque texels ending in that row; the largest
        // rectangle under those heights, found with a stack of rising heights.
        const int w = x1 - x0;
        std::vector<int> heights((size_t)w + 1, 0);
        std::vector<int> rising;
        const unsigned char* pixels = (const unsigned char*)m_pSurface->pixels;
        for (int y = y0; y < y1; ++y)
        {
            const unsigned char* row = pixels + (size_t)y * m_pSurface->pitch;
            for (int x = 0; x < w; ++x)
            {
                // RGBA32: alpha is the fourth byte of each pixel.
                heights[(size_t)x] = row[(x0 + x) * 4 + 3] == 255 ? heights[(size_t)x] + 1 : 0;
            }
            rising.clear();
            for (int x = 0; x <= w; ++x)
            {
                while (!rising.empty() && heights[(size_t)rising.back()] >= heights[(size_t)x])
                {
                    const int h = heights[(size_t)rising.back()];
                    rising.pop_back();
                    const int left = rising.empty() ? 0 : rising.back() + 1;
                    if ((long long)h * (x - left) > (long long)best.w * best.h)
                    {
                        best.x = x0 + left;
                        best.y = y - h + 1;
                        best.w = x - left;
                        best.h = h;
                    }
                }
                rising.push_back(x);
            }
        }
    }
    // Each piece round the core is a quad of its own: not worth it for a small core.
    if ((long long)best.w * best.h * 4 < (long long)(x1 - x0) * (y1 - y0))
    {
        best.w = best.h = 0;
    }
    m_opaqueCores[key] = best;
    return best;
}

bool CCTexture2D::initWithImage(CCImage* uiImage)
{
    if (!uiImage || !uiImage->getSurface())
    {
        CCLog("CCTexture2D::initWithImage - image is empty");
        return false;
    }
    return initWithSurface(uiImage->getSurface());
}

bool CCTexture2D::initWithData(const void* data, CCTexture2DPixelFormat pixelFormat, unsigned int pixelsWide,
                               unsigned int pixelsHigh, const CCSize& contentSize)
{
    if (!data || pixelsWide == 0 || pixelsHigh == 0)
    {
        CCLog("CCTexture2D::initWithData - no pixels");
        return false;
    }
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, (int)pixelsWide, (int)pixelsHigh, 32, SDL_PIXELFORMAT_RGBA32);
    if (!surface)
    {
        return false;
    }
    const unsigned char* src = (const unsigned char*)data;
    for (unsigned int y = 0; y < pixelsHigh; ++y)
    {
        unsigned char* row = (unsigned char*)surface->pixels + y * surface->pitch;
        if (pixelFormat == kCCTexture2DPixelFormat_RGBA8888)
        {
            memcpy(row, src + (size_t)y * pixelsWide * 4, (size_t)pixelsWide * 4);
        }
        else if (pixelFormat == kCCTexture2DPixelFormat_A8)
        {
            for (unsigned int x = 0; x < pixelsWide; ++x)
            {
                row[x * 4 + 0] = row[x * 4 + 1] = row[x * 4 + 2] = 255;
                row[x * 4 + 3] = src[(size_t)y * pixelsWide + x];
            }
        }
        else
        {
            CCLog("CCTexture2D::initWithData - pixel format %d not supported", (int)pixelFormat);
            SDL_FreeSurface(surface);
            return false;
        }
    }
    const bool ok = initWithSurface(surface);
    SDL_FreeSurface(surface);
    if (ok)
    {
        m_tContentSize = contentSize;
        m_fMaxS = contentSize.width / (float)pixelsWide;
        m_fMaxT = contentSize.height / (float)pixelsHigh;
    }
    return ok;
}

CCSize CCTexture2D::getContentSize() const
{
    return m_tContentSize;
}

// The copy's shape depends on its sampling (see CCRenderer::textureFor), and a scale mode set on
// a live SDL texture would also reach draws already queued with it: the next draw uploads afresh.
void CCTexture2D::setAliasTexParameters()
{
    if (m_bAntiAlias)
    {
        m_bAntiAlias = false;
        m_shownParts.clear();
        releaseSDLTexture();
    }
}

void CCTexture2D::setAntiAliasTexParameters()
{
    if (!m_bAntiAlias)
    {
        m_bAntiAlias = true;
        m_shownParts.clear();
        releaseSDLTexture();
    }
}

void CCTexture2D::setSDLTexture(SDL_Texture* texture, float heightShare)
{
    if (texture != m_pSDLTexture)
    {
        releaseSDLTexture();
        m_pSDLTexture = texture;
    }
    m_fSDLHeightShare = heightShare;
}

void CCTexture2D::releaseSDLTexture()
{
    if (m_pSDLTexture)
    {
        CCRenderer::sharedRenderer()->textureWillBeReleased(m_pSDLTexture);
        SDL_DestroyTexture(m_pSDLTexture);
        m_pSDLTexture = NULL;
        m_fSDLHeightShare = 1.0f;
    }
}

void CCTexture2D::releaseAllSDLTextures()
{
    std::set<CCTexture2D*>& live = liveTextures();
    for (std::set<CCTexture2D*>::iterator it = live.begin(); it != live.end(); ++it)
    {
        (*it)->releaseSDLTexture();
    }
}

NS_CC_END
