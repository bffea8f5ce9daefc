#include "SheetPacker.h"

#include "PlistText.h"
#include "PngFile.h"

#include <algorithm>
#include <cstdio>

namespace vorntool
{
namespace
{
const int kPadding = 1;

struct Piece
{
    Image trimmed;   // as the frame shows it
    Image image;     // as stored on the page
    bool turned = false;
    std::string firstName;
    int x = 0, y = 0;
};

std::string num(double v)
{
    char buf[32];
    snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

/** Shelf packing in the pieces' order; returns the height used, or -1 when a piece is too wide. */
int shelfPack(std::vector<Piece*>& order, int width)
{
    int x = kPadding, y = kPadding, shelf = 0;
    for (Piece* p : order)
    {
        int w = p->image.width(), h = p->image.height();
        if (w + 2 * kPadding > width)
            return -1;
        if (x + w + kPadding > width)
        {
            x = kPadding;
            y += shelf + kPadding;
            shelf = 0;
        }
        p->x = x;
        p->y = y;
        x += w + kPadding;
        shelf = std::max(shelf, h);
    }
    return y + shelf + kPadding;
}
} // namespace

bool packSheet(const std::vector<SheetFrame>& frames, const std::string& dir, const std::string& sheet,
               bool turnTall)
{
    struct Placed
    {
        size_t piece;
        int bx, by, bw, bh;
    };
    std::vector<Piece> pieces;
    std::vector<Placed> placed;
    pieces.reserve(frames.size());
    for (const SheetFrame& f : frames)
    {
        int bx, by, bw, bh;
        f.image.opaqueBounds(bx, by, bw, bh);
        if (bw == 0)
        {
            // A clear frame still needs a pixel to point at.
            bx = by = 0;
            bw = bh = 1;
        }
        Image trimmed = f.image.crop(bx, by, bw, bh);
        size_t index = pieces.size();
        for (size_t i = 0; i < pieces.size(); ++i)
        {
            if (pieces[i].trimmed.samePixels(trimmed))
            {
                index = i;
                break;
            }
        }
        if (index == pieces.size())
        {
            Piece p;
            p.trimmed = trimmed;
            p.turned = turnTall && trimmed.height() > trimmed.width();
            p.image = p.turned ? trimmed.turnedClockwise() : trimmed;
            p.firstName = f.name;
            pieces.push_back(p);
        }
        placed.push_back({index, bx, by, bw, bh});
    }

    std::vector<Piece*> order;
    for (Piece& p : pieces)
        order.push_back(&p);
    std::stable_sort(order.begin(), order.end(), [](const Piece* a, const Piece* b) {
        if (a->image.height() != b->image.height())
            return a->image.height() > b->image.height();
        if (a->image.width() != b->image.width())
            return a->image.width() > b->image.width();
        return a->firstName < b->firstName;
    });

    int width = 64, height = -1;
    for (; width <= 4096; width *= 2)
    {
        height = shelfPack(order, width);
        if (height > 0 && height <= width)
            break;
    }
    if (height <= 0 || width > 4096)
    {
        fprintf(stderr, "ERROR: sheet %s doesn't fit in 4096 pixels\n", sheet.c_str());
        return false;
    }

    Image page(width, height);
    for (const Piece& p : pieces)
        page.paste(p.image, p.x, p.y);

    PValue root = PValue::dict();
    PValue& framesDict = root.set("frames", PValue::dict());
    for (size_t i = 0; i < frames.size(); ++i)
    {
        const SheetFrame& f = frames[i];
        const Placed& pl = placed[i];
        const Piece& p = pieces[pl.piece];
        const int sw = f.image.width(), sh = f.image.height();
        const double ox = (pl.bx + pl.bw / 2.0) - sw / 2.0;
        const double oy = sh / 2.0 - (pl.by + pl.bh / 2.0);
        PValue e = PValue::dict();
        e.set("frame", PValue::string("{{" + std::to_string(p.x) + "," + std::to_string(p.y) + "},{" +
                                      std::to_string(pl.bw) + "," + std::to_string(pl.bh) + "}}"));
        e.set("offset", PValue::string("{" + num(ox) + "," + num(oy) + "}"));
        e.set("rotated", PValue::boolean(p.turned));
        e.set("sourceColorRect", PValue::string("{{" + std::to_string(pl.bx) + "," + std::to_string(pl.by) +
                                                "},{" + std::to_string(pl.bw) + "," + std::to_string(pl.bh) + "}}"));
        e.set("sourceSize", PValue::string("{" + std::to_string(sw) + "," + std::to_string(sh) + "}"));
        framesDict.set(f.name, e);
    }
    PValue& meta = root.set("metadata", PValue::dict());
    meta.set("format", PValue::integer(2));
    meta.set("realTextureFileName", PValue::string(sheet + ".png"));
    meta.set("size", PValue::string("{" + std::to_string(width) + "," + std::to_string(height) + "}"));
    meta.set("textureFileName", PValue::string(sheet + ".png"));

    return writePng(page, dir + "/" + sheet + ".png") &&
           writeTextFile(dir + "/" + sheet + ".plist", root.document());
}
} // namespace vorntool
