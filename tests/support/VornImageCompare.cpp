#include "VornImageCompare.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vorntest
{
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
} // namespace vorntest
