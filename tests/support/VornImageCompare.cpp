#include "VornImageCompare.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vorntest
{
namespace
{
bool samePixel(const Uint8* p, const Uint8* q, int tolerance)
{
    for (int c = 0; c < 4; ++c)
    {
        if (abs((int)p[c] - (int)q[c]) > tolerance)
        {
            return false;
        }
    }
    return true;
}

// Pixels of area `from` with no pixel alike in area `to` within `reach` of the same place.
long unmatched(SDL_Surface* pixels, const SDL_Rect& from, const SDL_Rect& to, int tolerance, int reach, int* firstX,
               int* firstY)
{
    long bad = 0;
    for (int y = 0; y < from.h; ++y)
    {
        for (int x = 0; x < from.w; ++x)
        {
            const Uint8* p = (const Uint8*)pixels->pixels + (from.y + y) * pixels->pitch + (from.x + x) * 4;
            bool found = false;
            for (int dy = -reach; dy <= reach && !found; ++dy)
            {
                for (int dx = -reach; dx <= reach && !found; ++dx)
                {
                    const int tx = x + dx;
                    const int ty = y + dy;
                    if (tx < 0 || ty < 0 || tx >= to.w || ty >= to.h)
                    {
                        continue;
                    }
                    const Uint8* q = (const Uint8*)pixels->pixels + (to.y + ty) * pixels->pitch + (to.x + tx) * 4;
                    found = samePixel(p, q, tolerance);
                }
            }
            if (!found && bad++ == 0)
            {
                *firstX = from.x + x;
                *firstY = from.y + y;
            }
        }
    }
    return bad;
}
} // namespace

bool areasMatch(SDL_Surface* frame, const SDL_Rect& a, const SDL_Rect& b, int tolerance, int reach, std::string* why)
{
    if (!frame)
    {
        *why = "no frame";
        return false;
    }
    const bool inside = a.w == b.w && a.h == b.h && a.w > 0 && a.h > 0 && a.x >= 0 && a.y >= 0 && b.x >= 0 &&
                        b.y >= 0 && a.x + a.w <= frame->w && a.y + a.h <= frame->h && b.x + b.w <= frame->w &&
                        b.y + b.h <= frame->h;
    if (!inside)
    {
        *why = "the areas differ in size or leave the frame";
        return false;
    }
    SDL_Surface* pixels = SDL_ConvertSurfaceFormat(frame, SDL_PIXELFORMAT_RGBA32, 0);
    if (!pixels)
    {
        *why = "could not convert the frame";
        return false;
    }
    int ax = 0, ay = 0, bx = 0, by = 0;
    const long badA = unmatched(pixels, a, b, tolerance, reach, &ax, &ay);
    const long badB = unmatched(pixels, b, a, tolerance, reach, &bx, &by);
    SDL_FreeSurface(pixels);
    char text[256];
    snprintf(text, sizeof(text), "%ld pixels of the first area and %ld of the second have no match within %d pixel(s) "
             "(first at (%d,%d) and (%d,%d))", badA, badB, reach, ax, ay, bx, by);
    *why = text;
    return badA == 0 && badB == 0;
}

bool matchesReference(SDL_Surface* frame, const std::string& referencePath, int tolerance, double maxBadFraction,
                      std::string* why)
{
    char text[256];
    if (!frame)
    {
        *why = "no frame";
        return false;
    }
    const char* update = getenv("VORN_UPDATE_REFERENCES");
    if (update && strcmp(update, "1") == 0)
    {
        if (IMG_SavePNG(frame, referencePath.c_str()) != 0)
        {
            *why = std::string("could not write ") + referencePath + ": " + IMG_GetError();
            return false;
        }
        return true;
    }
    SDL_Surface* loaded = IMG_Load(referencePath.c_str());
    if (!loaded)
    {
        *why = std::string("no reference ") + referencePath + " (run with VORN_UPDATE_REFERENCES=1 to make it)";
        return false;
    }
    SDL_Surface* expected = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_Surface* actual = SDL_ConvertSurfaceFormat(frame, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(loaded);
    bool ok = false;
    if (!expected || !actual)
    {
        *why = "could not convert the images";
    }
    else if (expected->w != actual->w || expected->h != actual->h)
    {
        snprintf(text, sizeof(text), "size %dx%d, reference %dx%d", actual->w, actual->h, expected->w, expected->h);
        *why = text;
    }
    else
    {
        long bad = 0;
        int worst = 0;
        int worstX = 0;
        int worstY = 0;
        for (int y = 0; y < actual->h; ++y)
        {
            const Uint8* a = (const Uint8*)actual->pixels + y * actual->pitch;
            const Uint8* e = (const Uint8*)expected->pixels + y * expected->pitch;
            for (int x = 0; x < actual->w; ++x)
            {
                int diff = 0;
                for (int c = 0; c < 4; ++c)
                {
                    const int d = abs((int)a[x * 4 + c] - (int)e[x * 4 + c]);
                    diff = d > diff ? d : diff;
                }
                if (diff > tolerance)
                {
                    ++bad;
                }
                if (diff > worst)
                {
                    worst = diff;
                    worstX = x;
                    worstY = y;
                }
            }
        }
        const double fraction = (double)bad / ((double)actual->w * actual->h);
        ok = fraction <= maxBadFraction;
        snprintf(text, sizeof(text), "%ld pixels (%.3f%%) differ by more than %d; worst %d at (%d,%d)", bad,
                 fraction * 100.0, tolerance, worst, worstX, worstY);
        *why = text;
    }
    if (expected)
    {
        SDL_FreeSurface(expected);
    }
    if (actual)
    {
        SDL_FreeSurface(actual);
    }
    return ok;
}
int differingBytes(SDL_Surface* a, SDL_Surface* b)
{
    int differing = 0;
    for (int y = 0; y < a->h; ++y)
    {
        const Uint8* rowA = (const Uint8*)a->pixels + y * a->pitch;
        const Uint8* rowB = (const Uint8*)b->pixels + y * b->pitch;
        for (int x = 0; x < a->w * 4; ++x)
        {
            differing += rowA[x] != rowB[x] ? 1 : 0;
        }
    }
    return differing;
}
} // namespace vorntest
