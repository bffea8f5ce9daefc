// fontmaker: renders ASCII, the Latin-1 characters and the euro sign of a TrueType font into a
// BMFont text .fnt and one page PNG (white glyphs on clear, tinted by the label).
//
// usage: fontmaker <font.ttf> <pixel size> <crisp|smooth> <out dir> <name>
//   crisp  = one-bit glyphs for sharp text at 1:1 (small HUD fonts)
//   smooth = anti-aliased glyphs (large titles)
#include "Image.h"
#include "PngFile.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace vorntool;

namespace
{
struct Glyph
{
    unsigned id = 0;
    Image image;
    int xoffset = 0, yoffset = 0, xadvance = 0;
    int x = 0, y = 0;
};

std::vector<unsigned> characterSet()
{
    std::vector<unsigned> ids;
    for (unsigned c = 32; c < 127; ++c)
        ids.push_back(c);
    for (unsigned c = 0xA0; c <= 0xFF; ++c)
        ids.push_back(c);
    ids.push_back(0x20AC); // euro
    return ids;
}

bool renderGlyph(FT_Face face, unsigned id, bool crisp, int base, Glyph& g)
{
    FT_UInt index = FT_Get_Char_Index(face, id);
    if (index == 0)
    {
        fprintf(stderr, "ERROR: the font has no glyph for U+%04X\n", id);
        return false;
    }
    FT_Int32 flags = FT_LOAD_RENDER | (crisp ? (FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) : FT_LOAD_TARGET_NORMAL);
    if (FT_Load_Glyph(face, index, flags) != 0)
    {
        fprintf(stderr, "ERROR: can't render U+%04X\n", id);
        return false;
    }
    FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    g.id = id;
    g.xoffset = slot->bitmap_left;
    g.yoffset = base - slot->bitmap_top;
    g.xadvance = (int)(slot->advance.x >> 6);
    g.image = Image((int)bm.width, (int)bm.rows);
    for (unsigned y = 0; y < bm.rows; ++y)
    {
        const unsigned char* row = bm.buffer + (long)y * bm.pitch;
        for (unsigned x = 0; x < bm.width; ++x)
        {
            int a;
            if (bm.pixel_mode == FT_PIXEL_MODE_MONO)
                a = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
            else
                a = row[x];
            if (a)
                g.image.set((int)x, (int)y, Colour::rgba(255, 255, 255, a));
        }
    }
    return true;
}

/** Rows of glyphs in character order; returns the page height for the width, -1 if too narrow. */
int layout(std::vector<Glyph>& glyphs, int width)
{
    const int pad = 1;
    int x = pad, y = pad, shelf = 0;
    for (Glyph& g : glyphs)
    {
        int w = g.image.width(), h = g.image.height();
        if (w + 2 * pad > width)
            return -1;
        if (x + w + pad > width)
        {
            x = pad;
            y += shelf + pad;
            shelf = 0;
        }
        g.x = x;
        g.y = y;
        x += w + pad;
        shelf = std::max(shelf, h);
    }
    return y + shelf + pad;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 6)
    {
        fprintf(stderr, "usage: fontmaker <font.ttf> <pixel size> <crisp|smooth> <out dir> <name>\n");
        return 2;
    }
    const std::string fontFile = argv[1];
    const int size = atoi(argv[2]);
    const std::string mode = argv[3];
    const std::string outDir = argv[4], name = argv[5];
    if (size < 4 || size > 256 || (mode != "crisp" && mode != "smooth"))
    {
        fprintf(stderr, "ERROR: pixel size 4..256 and mode crisp or smooth expected\n");
        return 2;
    }
    const bool crisp = mode == "crisp";

    FT_Library lib;
    if (FT_Init_FreeType(&lib) != 0)
    {
        fprintf(stderr, "ERROR: FreeType didn't start\n");
        return 1;
    }
    FT_Face face;
    if (FT_New_Face(lib, fontFile.c_str(), 0, &face) != 0)
    {
        fprintf(stderr, "ERROR: can't open font %s\n", fontFile.c_str());
        FT_Done_FreeType(lib);
        return 1;
    }
    FT_Set_Pixel_Sizes(face, 0, (FT_UInt)size);
    const int ascender = (int)(face->size->metrics.ascender >> 6);
    const int descender = (int)(face->size->metrics.descender >> 6);
    const int lineHeight = ascender - descender;
    const std::string family = face->family_name ? face->family_name : "";
    const bool bold = (face->style_flags & FT_STYLE_FLAG_BOLD) != 0;
    const bool italic = (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0;

    std::vector<Glyph> glyphs;
    bool ok = true;
    for (unsigned id : characterSet())
    {
        Glyph g;
        if (!renderGlyph(face, id, crisp, ascender, g))
        {
            ok = false;
            break;
        }
        glyphs.push_back(g);
    }
    FT_Done_Face(face);
    FT_Done_FreeType(lib);
    if (!ok)
        return 1;

    int width = 64, height = -1;
    for (; width <= 4096; width *= 2)
    {
        height = layout(glyphs, width);
        if (height > 0 && height <= width)
            break;
    }
    if (width > 4096)
    {
        fprintf(stderr, "ERROR: glyphs don't fit a 4096 page\n");
        return 1;
    }
    Image page(width, height);
    for (const Glyph& g : glyphs)
        page.paste(g.image, g.x, g.y);

    char line[512];
    std::string fnt;
    snprintf(line, sizeof line,
             "info face=\"%s\" size=%d bold=%d italic=%d charset=\"\" unicode=1 stretchH=100 smooth=%d aa=1 "
             "padding=0,0,0,0 spacing=1,1\n",
             family.c_str(), size, bold ? 1 : 0, italic ? 1 : 0, crisp ? 0 : 1);
    fnt += line;
    snprintf(line, sizeof line, "common lineHeight=%d base=%d scaleW=%d scaleH=%d pages=1 packed=0\n", lineHeight,
             ascender, width, height);
    fnt += line;
    fnt += "page id=0 file=\"" + name + ".png\"\n";
    fnt += "chars count=" + std::to_string(glyphs.size()) + "\n";
    for (const Glyph& g : glyphs)
    {
        snprintf(line, sizeof line,
                 "char id=%u x=%d y=%d width=%d height=%d xoffset=%d yoffset=%d xadvance=%d page=0 chnl=15\n", g.id,
                 g.x, g.y, g.image.width(), g.image.height(), g.xoffset, g.yoffset, g.xadvance);
        fnt += line;
    }

    if (!writePng(page, outDir + "/" + name + ".png") || !writeTextFile(outDir + "/" + name + ".fnt", fnt))
        return 1;
    return 0;
}
