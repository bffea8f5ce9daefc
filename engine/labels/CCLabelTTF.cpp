#include "labels/CCLabelTTF.h"

#include "base/CCConsole.h"
#include "sprites/CCTexture2D.h"
#include "support/CCFileUtils.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>

NS_CC_BEGIN

namespace
{
const char* kDejaVuFolder = "/usr/share/fonts/truetype/dejavu/";

// Closes what is still open when the program ends.
struct FontCache
{
    std::map<std::string, TTF_Font*> fonts;
    ~FontCache()
    {
        for (std::map<std::string, TTF_Font*>::iterator it = fonts.begin(); it != fonts.end(); ++it)
        {
            TTF_CloseFont(it->second);
        }
    }
};

std::map<std::string, TTF_Font*>& fontCache()
{
    static FontCache cache;
    return cache.fonts;
}

TTF_Font* openFont(const std::string& path, int size)
{
    if (!TTF_WasInit() && TTF_Init() != 0)
    {
        CCLog("ERROR: CCLabelTTF - TTF_Init failed: %s", TTF_GetError());
        return NULL;
    }
    const std::string key = path + "#" + std::to_string(size);
    std::map<std::string, TTF_Font*>& cache = fontCache();
    std::map<std::string, TTF_Font*>::iterator it = cache.find(key);
    if (it != cache.end())
    {
        return it->second;
    }
    TTF_Font* font = TTF_OpenFont(path.c_str(), size);
    if (!font)
    {
        CCLog("ERROR: CCLabelTTF - can't open font '%s': %s", path.c_str(), TTF_GetError());
        return NULL;
    }
    cache[key] = font;
    return font;
}

bool endsWith(const std::string& s, const char* tail)
{
    const size_t n = strlen(tail);
    return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}
} // namespace

std::string CCLabelTTF::fontFileForName(const char* fontName)
{
    std::string name = fontName ? fontName : "";
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
    if (endsWith(lower, ".ttf") || endsWith(lower, ".otf"))
    {
        const std::string path = CCFileUtils::sharedFileUtils()->fullPathForFilename(name.c_str());
        if (CCFileUtils::sharedFileUtils()->isFileExist(path))
        {
            return path;
        }
        CCLog("CCLabelTTF - font file '%s' not found, using DejaVu", name.c_str());
    }
    const bool bold = lower.find("bold") != std::string::npos;
    std::string face = "DejaVuSans";
    if (lower.find("mono") != std::string::npos || lower.find("courier") != std::string::npos)
    {
        face = "DejaVuSansMono";
    }
    else if (lower.find("serif") != std::string::npos || lower.find("times") != std::string::npos)
    {
        face = "DejaVuSerif";
    }
    return std::string(kDejaVuFolder) + face + (bold ? "-Bold" : "") + ".ttf";
}

void CCLabelTTF::purgeFontCache()
{
    std::map<std::string, TTF_Font*>& cache = fontCache();
    for (std::map<std::string, TTF_Font*>::iterator it = cache.begin(); it != cache.end(); ++it)
    {
        TTF_CloseFont(it->second);
    }
    cache.clear();
}

CCLabelTTF::CCLabelTTF()
: m_tDimensions(CCSizeZero)
, m_hAlignment(kCCTextAlignmentCenter)
, m_vAlignment(kCCVerticalTextAlignmentTop)
, m_pFontName("Helvetica")
, m_fFontSize(12)
{
}

CCLabelTTF::~CCLabelTTF()
{
}

CCLabelTTF* CCLabelTTF::create()
{
    CCLabelTTF* pRet = new CCLabelTTF();
    if (pRet->init())
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

CCLabelTTF* CCLabelTTF::create(const char* string, const char* fontName, float fontSize)
{
    return create(string, fontName, fontSize, CCSizeZero, kCCTextAlignmentCenter, kCCVerticalTextAlignmentTop);
}

CCLabelTTF* CCLabelTTF::create(const char* string, const char* fontName, float fontSize,
                               const CCSize& dimensions, CCTextAlignment hAlignment)
{
    return create(string, fontName, fontSize, dimensions, hAlignment, kCCVerticalTextAlignmentTop);
}

CCLabelTTF* CCLabelTTF::create(const char* string, const char* fontName, float fontSize,
                               const CCSize& dimensions, CCTextAlignment hAlignment,
                               CCVerticalTextAlignment vAlignment)
{
    CCLabelTTF* pRet = new CCLabelTTF();
    if (pRet->initWithString(string, fontName, fontSize, dimensions, hAlignment, vAlignment))
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

bool CCLabelTTF::init()
{
    return initWithString("", "Helvetica", 12);
}

bool CCLabelTTF::initWithString(const char* string, const char* fontName, float fontSize)
{
    return initWithString(string, fontName, fontSize, CCSizeZero, kCCTextAlignmentLeft, kCCVerticalTextAlignmentTop);
}

bool CCLabelTTF::initWithString(const char* string, const char* fontName, float fontSize,
                                const CCSize& dimensions, CCTextAlignment hAlignment,
                                CCVerticalTextAlignment vAlignment)
{
    if (!CCSprite::init())
    {
        return false;
    }
    m_tDimensions = dimensions;
    m_hAlignment = hAlignment;
    m_vAlignment = vAlignment;
    m_pFontName = fontName ? fontName : "";
    m_fFontSize = fontSize;
    m_string = string ? string : "";
    return updateTexture();
}

void CCLabelTTF::setString(const char* label)
{
    const std::string text = label ? label : "";
    if (text != m_string)
    {
        m_string = text;
        updateTexture();
    }
}

void CCLabelTTF::setFontName(const char* fontName)
{
    m_pFontName = fontName ? fontName : "";
    updateTexture();
}

void CCLabelTTF::setFontSize(float fontSize)
{
    m_fFontSize = fontSize;
    updateTexture();
}

void CCLabelTTF::setDimensions(const CCSize& dim)
{
    m_tDimensions = dim;
    updateTexture();
}

void CCLabelTTF::setHorizontalAlignment(CCTextAlignment alignment)
{
    m_hAlignment = alignment;
    updateTexture();
}

void CCLabelTTF::setVerticalAlignment(CCVerticalTextAlignment verticalAlignment)
{
    m_vAlignment = verticalAlignment;
    updateTexture();
}

bool CCLabelTTF::updateTexture()
{
    const int size = std::max(1, (int)lroundf(m_fFontSize));
    TTF_Font* font = openFont(fontFileForName(m_pFontName.c_str()), size);
    if (!font)
    {
        return false;
    }
    if (m_string.empty())
    {
        setTexture(NULL);
        setTextureRect(CCRectZero, false, m_tDimensions);
        return true;
    }
    const int wrap = m_tDimensions.width > 0 ? (int)m_tDimensions.width : 0;
    TTF_SetFontWrappedAlign(font, m_hAlignment == kCCTextAlignmentCenter ? TTF_WRAPPED_ALIGN_CENTER
                                  : m_hAlignment == kCCTextAlignmentRight ? TTF_WRAPPED_ALIGN_RIGHT
                                                                           : TTF_WRAPPED_ALIGN_LEFT);
    SDL_Color white = { 255, 255, 255, 255 };
    SDL_Surface* text = TTF_RenderUTF8_Blended_Wrapped(font, m_string.c_str(), white, (Uint32)wrap);
    if (!text)
    {
        CCLog("ERROR: CCLabelTTF - can't render '%s': %s", m_string.c_str(), TTF_GetError());
        return false;
    }
    // A box of the given dimensions, the text placed in it after the alignments.
    const int boxW = m_tDimensions.width > 0 ? (int)m_tDimensions.width : text->w;
    const int boxH = m_tDimensions.height > 0 ? (int)m_tDimensions.height : text->h;
    SDL_Surface* box = SDL_CreateRGBSurfaceWithFormat(0, boxW, boxH, 32, SDL_PIXELFORMAT_RGBA32);
    bool ok = false;
    if (box)
    {
        SDL_FillRect(box, NULL, SDL_MapRGBA(box->format, 255, 255, 255, 0));
        SDL_Rect at = { 0, 0, text->w, text->h };
        if (m_hAlignment == kCCTextAlignmentCenter) at.x = (boxW - text->w) / 2;
        else if (m_hAlignment == kCCTextAlignmentRight) at.x = boxW - text->w;
        if (m_vAlignment == kCCVerticalTextAlignmentCenter) at.y = (boxH - text->h) / 2;
        else if (m_vAlignment == kCCVerticalTextAlignmentBottom) at.y = boxH - text->h;
        SDL_SetSurfaceBlendMode(text, SDL_BLENDMODE_NONE);
        SDL_BlitSurface(text, NULL, box, &at);
        CCTexture2D* texture = new CCTexture2D();
        ok = texture->initWithSurface(box);
        if (ok)
        {
            setTexture(texture);
            setTextureRect(CCRectMake(0, 0, (float)boxW, (float)boxH));
        }
        texture->release();
        SDL_FreeSurface(box);
    }
    SDL_FreeSurface(text);
    return ok;
}

NS_CC_END
