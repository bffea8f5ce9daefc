#ifndef __CC_OCCLUSION_CULLER_H__
#define __CC_OCCLUSION_CULLER_H__

#include "base/CCPlatformMacros.h"

#include <SDL.h>

#include <vector>

NS_CC_BEGIN

/**
 * Pixel rectangles that opaque quads drawn later will cover, and what of an earlier quad's
 * rectangle is left to see. The renderer walks a frame's quads from the last to the first, asks
 * for each one's visible parts, then adds it as a cover when it replaces every pixel it covers.
 *
 * The parts are disjoint and, with the covers, hold every pixel of the rectangle. The stage's far
 * layers lie mostly under its main layer; drawing them only where they show saves the fill.
 */
class CCOcclusionCuller
{
public:
    /** A rectangle is cut into at most this many parts: a cover that would cut it into more is
     *  passed over. */
    static const size_t kMaxParts = 16;

    void clear() { m_covers.clear(); }
    /** Pixels a later opaque quad overwrites (empty rectangles are ignored; one sharing a whole
     *  edge with the cover added last joins it). */
    void addCover(const SDL_Rect& cover);
    bool hasCovers() const { return !m_covers.empty(); }
    const std::vector<SDL_Rect>& covers() const { return m_covers; }
    /** The parts of rect no cover hides, into parts (cleared first); none when wholly hidden. */
    void visibleParts(const SDL_Rect& rect, std::vector<SDL_Rect>* parts) const;

    /** The pixels whose whole square lies inside the upright box of the four corners. */
    static SDL_Rect innerPixels(const SDL_FPoint* corners, int count);
    /** The pixels the box of the corners touches at all. */
    static SDL_Rect outerPixels(const SDL_FPoint* corners, int count);
    /** True when the four corners are those of an upright rectangle. */
    static bool isUpright(const SDL_FPoint* corners);

private:
    std::vector<SDL_Rect> m_covers;
    mutable std::vector<SDL_Rect> m_scratch;
};

NS_CC_END

#endif // __CC_OCCLUSION_CULLER_H__
