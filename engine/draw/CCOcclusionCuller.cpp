#include "draw/CCOcclusionCuller.h"

#include <algorithm>
#include <cmath>

NS_CC_BEGIN

namespace
{
bool overlaps(const SDL_Rect& a, const SDL_Rect& b)
{
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

void pushIfAny(std::vector<SDL_Rect>* out, int x, int y, int w, int h)
{
    if (w > 0 && h > 0)
    {
        SDL_Rect r = { x, y, w, h };
        out->push_back(r);
    }
}

// The parts of r outside c (which overlaps it): the bands above and below c across r's width,
// then what is left beside c in c's rows.
void subtract(const SDL_Rect& r, const SDL_Rect& c, std::vector<SDL_Rect>* out)
{
    const int top = std::max(r.y, c.y);
    const int bottom = std::min(r.y + r.h, c.y + c.h);
    pushIfAny(out, r.x, r.y, r.w, top - r.y);
    pushIfAny(out, r.x, bottom, r.w, r.y + r.h - bottom);
    pushIfAny(out, r.x, top, c.x - r.x, bottom - top);
    pushIfAny(out, c.x + c.w, top, r.x + r.w - (c.x + c.w), bottom - top);
}

void boxOf(const SDL_FPoint* corners, int count, float* minX, float* minY, float* maxX, float* maxY)
{
    *minX = *maxX = corners[0].x;
    *minY = *maxY = corners[0].y;
    for (int i = 1; i < count; ++i)
    {
        *minX = std::min(*minX, corners[i].x);
        *maxX = std::max(*maxX, corners[i].x);
        *minY = std::min(*minY, corners[i].y);
        *maxY = std::max(*maxY, corners[i].y);
    }
}
} // namespace

void CCOcclusionCuller::addCover(const SDL_Rect& cover)
{
    if (cover.w <= 0 || cover.h <= 0)
    {
        return;
    }
    m_covers.push_back(cover);
    // Tiles and a sprite's pieces come one after another: one sharing a whole edge with the cover
    // before it joins it, so that what lies across their seam counts as hidden too.
    while (m_covers.size() >= 2)
    {
        SDL_Rect& before = m_covers[m_covers.size() - 2];
        const SDL_Rect& last = m_covers.back();
        const bool sameColumns = before.x == last.x && before.w == last.w &&
                                 (before.y + before.h == last.y || last.y + last.h == before.y);
        const bool sameRows = before.y == last.y && before.h == last.h &&
                              (before.x + before.w == last.x || last.x + last.w == before.x);
        if (!sameColumns && !sameRows)
        {
            break;
        }
        const int x = std::min(before.x, last.x);
        const int y = std::min(before.y, last.y);
        before.w = std::max(before.x + before.w, last.x + last.w) - x;
        before.h = std::max(before.y + before.h, last.y + last.h) - y;
        before.x = x;
        before.y = y;
        m_covers.pop_back();
    }
}

void CCOcclusionCuller::visibleParts(const SDL_Rect& rect, std::vector<SDL_Rect>* parts) const
{
    parts->clear();
    if (rect.w <= 0 || rect.h <= 0)
    {
        return;
    }
    parts->push_back(rect);
    for (size_t c = 0; c < m_covers.size() && !parts->empty(); ++c)
    {
        const SDL_Rect& cover = m_covers[c];
        m_scratch.clear();
        for (size_t i = 0; i < parts->size(); ++i)
        {
            const SDL_Rect& part = (*parts)[i];
            if (overlaps(part, cover))
            {
                subtract(part, cover, &m_scratch);
            }
            else
            {
                m_scratch.push_back(part);
            }
        }
        if (m_scratch.size() > kMaxParts)
        {
            continue;  // it would break the rest up finely: the next covers may still hide some
        }
        parts->swap(m_scratch);
    }
}

SDL_Rect CCOcclusionCuller::innerPixels(const SDL_FPoint* corners, int count)
{
    float minX, minY, maxX, maxY;
    boxOf(corners, count, &minX, &minY, &maxX, &maxY);
    SDL_Rect r;
    r.x = (int)std::ceil(minX);
    r.y = (int)std::ceil(minY);
    r.w = std::max(0, (int)std::floor(maxX) - r.x);
    r.h = std::max(0, (int)std::floor(maxY) - r.y);
    return r;
}

SDL_Rect CCOcclusionCuller::outerPixels(const SDL_FPoint* corners, int count)
{
    float minX, minY, maxX, maxY;
    boxOf(corners, count, &minX, &minY, &maxX, &maxY);
    SDL_Rect r;
    r.x = (int)std::floor(minX);
    r.y = (int)std::floor(minY);
    r.w = std::max(0, (int)std::ceil(maxX) - r.x);
    r.h = std::max(0, (int)std::ceil(maxY) - r.y);
    return r;
}

bool CCOcclusionCuller::isUpright(const SDL_FPoint* corners)
{
    float minX, minY, maxX, maxY;
    boxOf(corners, 4, &minX, &minY, &maxX, &maxY);
    if (!(minX < maxX && minY < maxY))
    {
        return false;
    }
    int seen = 0;  // one bit per corner of the box
    for (int i = 0; i < 4; ++i)
    {
        const bool onX = corners[i].x == minX || corners[i].x == maxX;
        const bool onY = corners[i].y == minY || corners[i].y == maxY;
        if (!onX || !onY)
        {
            return false;
        }
        seen |= 1 << ((corners[i].x == minX ? 0 : 1) + (corners[i].y == minY ? 0 : 2));
    }
    return seen == 0xf;
}

NS_CC_END
