#ifndef __VORN_IMAGE_COMPARE_H__
#define __VORN_IMAGE_COMPARE_H__

#include <string>

struct SDL_Surface;

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
} // namespace vorntest

#endif
