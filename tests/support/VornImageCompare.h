#ifndef __VORN_IMAGE_COMPARE_H__
#define __VORN_IMAGE_COMPARE_H__

#include <string>

struct SDL_Surface;
struct SDL_Rect;

namespace vorntest
{
/**
 * Compares a rendered frame with a stored reference PNG. Pixels may differ by up to `tolerance`
 * per channel; at most `maxBadFraction` of them may differ by more. On failure `why` says how.
 *
 * With VORN_UPDATE_REFERENCES=1 in the environment the frame is written over the reference
 * instead (and the comparison passes): run the test that way to regenerate, then look at the
 * image before committing it.
 */
bool matchesReference(SDL_Surface* frame, const std::string& referencePath, int tolerance, double maxBadFraction,
                      std::string* why);
/**
 * Compares two equally sized areas of one frame (pixels, y down), such as a drawing beside the
 * one it should equal: every pixel of each area must have a pixel of the other, within `reach`
 * pixels of the same place, that differs by at most `tolerance` per channel. A reach of 0 asks
 * for the same picture; 1 forgives SDL's software rasterizer, which may place a texel one pixel
 * off where it interpolates a textured triangle.
 */
bool areasMatch(SDL_Surface* frame, const SDL_Rect& a, const SDL_Rect& b, int tolerance, int reach,
                std::string* why);
/**
 * How many bytes of two frames of the same size differ: 0 when the pictures are the same.
 */
int differingBytes(SDL_Surface* a, SDL_Surface* b);
} // namespace vorntest

#endif
