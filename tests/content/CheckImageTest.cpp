// Renders both fighters' key frames and a line of the small font into a PNG to look at.
#include "ContentTestSupport.h"
#include "VornTestSupport.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <iostream>

using namespace cocos2d;
using namespace vorntest;

namespace
{
const int kScale = 3;
const int kCellW = 64, kCellH = 48;

struct Canvas
{
    SDL_Surface* s;
    void put(int x, int y, Uint32 rgba)
    {
        Uint8 a = rgba & 0xff;
        if (x < 0 || y < 0 || x >= s->w || y >= s->h || a == 0)
            return;
        Uint8* p = (Uint8*)s->pixels + y * s->pitch + x * 4;
        // The surface is RGBA32 (bytes r, g, b, a); blend straight alpha over it.
        Uint8 src[3] = {(Uint8)(rgba >> 24), (Uint8)(rgba >> 16), (Uint8)(rgba >> 8)};
        for (int i = 0; i < 3; ++i)
            p[i] = (Uint8)((src[i] * a + p[i] * (255 - a)) / 255);
        p[3] = 255;
    }
    void fill(int x, int y, int w, int h, Uint32 rgba)
    {
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i)
                put(x + i, y + j, rgba);
    }
    /** An outline of a rectangle given in a cell's units (y up from the cell's bottom). */
    void box(int cellX, int cellY, float x, float y, float w, float h, Uint32 rgba)
    {
        int left = cellX + (int)((kCellW / 2 + x) * kScale), right = cellX + (int)((kCellW / 2 + x + w) * kScale);
        int top = cellY + (int)((kCellH - y - h) * kScale), bottom = cellY + (int)((kCellH - y) * kScale);
        fill(left, top, right - left, 1, rgba);
        fill(left, bottom - 1, right - left, 1, rgba);
        fill(left, top, 1, bottom - top, rgba);
        fill(right - 1, top, 1, bottom - top, rgba);
    }
};

Uint32 pixelOf(SDL_Surface* img, int x, int y)
{
    Uint8* p = (Uint8*)img->pixels + y * img->pitch + x * 4;
    return ((Uint32)p[0] << 24) | ((Uint32)p[1] << 16) | ((Uint32)p[2] << 8) | p[3];
}

/** Draws a sheet frame into a cell at its untrimmed place, scaled, optionally mirrored and shifted. */
bool drawFrame(Canvas& c, SDL_Surface* page, CCDictionary* frames, const std::string& name, int cellX, int cellY,
               bool mirror = false, int shift = 0)
{
    CCDictionary* f = dynamic_cast<CCDictionary*>(frames->objectForKey(name));
    if (!f)
        return false;
    int fx, fy, fw, fh, sx, sy, sw, sh, ow, oh;
    if (sscanf(stringFor(f, "frame").c_str(), "{{%d,%d},{%d,%d}}", &fx, &fy, &fw, &fh) != 4 ||
        sscanf(stringFor(f, "sourceColorRect").c_str(), "{{%d,%d},{%d,%d}}", &sx, &sy, &sw, &sh) != 4 ||
        sscanf(stringFor(f, "sourceSize").c_str(), "{%d,%d}", &ow, &oh) != 2)
        return false;
    for (int j = 0; j < fh; ++j)
    {
        for (int i = 0; i < fw; ++i)
        {
            Uint32 px = pixelOf(page, fx + i, fy + j);
            int x = sx + i;
            if (mirror)
                x = ow - 1 - x;
            x += shift;
            c.fill(cellX + x * kScale, cellY + (sy + j) * kScale, kScale, kScale, px);
        }
    }
    return true;
}

/** UTF-8 to code points (our texts are UTF-8). */
std::vector<int> codePoints(const std::string& s)
{
    std::vector<int> out;
    for (size_t i = 0; i < s.size();)
    {
        unsigned char b = (unsigned char)s[i];
        int n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : 4;
        int cp = n == 1 ? b : b & (0x7f >> n);
        for (int k = 1; k < n && i + k < s.size(); ++k)
            cp = (cp << 6) | ((unsigned char)s[i + k] & 0x3f);
        out.push_back(cp);
        i += n;
    }
    return out;
}
} // namespace

TEST(CheckImage, FightersAndSmallFontRenderIntoAPng)
{
    CCScopedAutoreleasePool pool;
    const char* kFrames[] = {"idle_00", "lightattack_00", "lightattack_01", "fallback_00", "fallback_01", "fallback_02"};
    const int cols = 7;
    Canvas c;
    c.s = SDL_CreateRGBSurfaceWithFormat(0, cols * kCellW * kScale, 2 * kCellH * kScale + 60, 32, SDL_PIXELFORMAT_RGBA32);
    ASSERT_TRUE(c.s);
    c.fill(0, 0, c.s->w, c.s->h, 0x3a4458ff);

    int row = 0;
    for (const FighterFiles& f : kFighters)
    {
        std::string sheetName = f.sheet;
        CCDictionary* sheet = CCDictionary::createWithContentsOfFile(resourcePath(sheetName + ".plist").c_str());
        ASSERT_TRUE(sheet);
        CCDictionary* frames = dynamic_cast<CCDictionary*>(sheet->objectForKey("frames"));
        SDL_Surface* loaded = IMG_Load(resourcePath(sheetName + ".png").c_str());
        ASSERT_TRUE(loaded);
        SDL_Surface* page = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
        SDL_FreeSurface(loaded);
        ASSERT_TRUE(page);
        std::string prefix = std::string(f.descriptor) == "jors" ? "jors_" : "thug_";
        const int cellY = row * kCellH * kScale;
        for (int i = 0; i < 6; ++i)
        {
            const int cellX = i * kCellW * kScale;
            c.fill(cellX, cellY + kCellH * kScale - 1, kCellW * kScale, 1, 0x90a0b0ff); // the ground
            EXPECT_TRUE(drawFrame(c, page, frames, prefix + kFrames[i], cellX, cellY)) << prefix + kFrames[i];
        }
        c.box(0, cellY, -7, 0, 14, 30, 0x40ff60ff); // body box on Idle
        c.box(2 * kCellW * kScale, cellY, 5, 17, 13, 8, 0xff4040ff); // the jab's reach
        // The jab against the other fighter standing 20 units ahead, facing back.
        const int duelX = 6 * kCellW * kScale;
        const FighterFiles& other = kFighters[1 - row];
        std::string otherSheet = other.sheet;
        CCDictionary* otherPlist = CCDictionary::createWithContentsOfFile(resourcePath(otherSheet + ".plist").c_str());
        SDL_Surface* otherLoaded = IMG_Load(resourcePath(otherSheet + ".png").c_str());
        ASSERT_TRUE(otherPlist && otherLoaded);
        SDL_Surface* otherPage = SDL_ConvertSurfaceFormat(otherLoaded, SDL_PIXELFORMAT_RGBA32, 0);
        SDL_FreeSurface(otherLoaded);
        std::string otherPrefix = prefix == "jors_" ? "thug_" : "jors_";
        c.fill(duelX, cellY + kCellH * kScale - 1, kCellW * kScale, 1, 0x90a0b0ff);
        drawFrame(c, otherPage, dynamic_cast<CCDictionary*>(otherPlist->objectForKey("frames")), otherPrefix + "idle_00",
                  duelX, cellY, true, 20 - 12);
        drawFrame(c, page, frames, prefix + "lightattack_01", duelX, cellY, false, -12);
        SDL_FreeSurface(otherPage);
        SDL_FreeSurface(page);
        ++row;
    }

    // A line of the small font, at twice its size.
    FntFile fnt = readFnt(resourcePath("unibody8bold.fnt"));
    SDL_Surface* loaded = IMG_Load(resourcePath(fnt.pageFile).c_str());
    ASSERT_TRUE(loaded);
    SDL_Surface* glyphs = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(loaded);
    int penX = 8;
    const int penY = 2 * kCellH * kScale + 10;
    for (int cp : codePoints("JORS 1234 x3 COMBO! Hit 25 - Straße €5 £9 Ünïcödé àéîõü"))
    {
        auto it = fnt.chars.find(cp);
        ASSERT_NE(fnt.chars.end(), it) << cp;
        FntChar& g = it->second;
        for (int j = 0; j < g["height"]; ++j)
            for (int i = 0; i < g["width"]; ++i)
                c.fill(penX + (g["xoffset"] + i) * 2, penY + (g["yoffset"] + j) * 2, 2, 2,
                       pixelOf(glyphs, g["x"] + i, g["y"] + j) & 0xffd070ff);
        penX += g["xadvance"] * 2;
    }
    SDL_FreeSurface(glyphs);

    const std::string out = makeTempDir("check-image") + "/fighters-check.png";
    EXPECT_EQ(0, IMG_SavePNG(c.s, out.c_str()));
    SDL_FreeSurface(c.s);
    std::cout << "check image: " << out << std::endl;
}
