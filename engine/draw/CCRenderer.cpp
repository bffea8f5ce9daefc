#include "draw/CCRenderer.h"

#include "base/CCConsole.h"
#include "sprites/CCTexture2D.h"

#include <SDL_image.h>

#include <algorithm>
#include <cstring>
#include <set>

NS_CC_BEGIN

namespace
{
CCRenderer* s_sharedRenderer = NULL;

// Runs longer than this are sent early, to keep the vertex buffer bounded.
const size_t kMaxRunVertices = 4 * 8192;

// A quad under later opaque ones is left out, or drawn clipped to its parts that show, only when
// that leaves out at least a quarter of its pixels and at least a 64x64 block: each part is a
// draw call of its own, and small quads cost little to fill but would break their runs.
const float kHiddenShare = 0.25f;
const long long kMinHiddenPixels = 64 * 64;

bool sameRect(const SDL_Rect& a, const SDL_Rect& b)
{
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

void cornersOf(const SDL_Vertex* v, SDL_FPoint* out)
{
    for (int i = 0; i < 4; ++i)
    {
        out[i] = v[i].position;
    }
}

inline SDL_Vertex makeVertex(const ccSpriteVertex& v, const CCAffineTransform& t)
{
    SDL_Vertex out;
    out.position.x = t.a * v.vertices.x + t.c * v.vertices.y + t.tx;
    out.position.y = t.b * v.vertices.x + t.d * v.vertices.y + t.ty;
    out.color.r = v.colors.r;
    out.color.g = v.colors.g;
    out.color.b = v.colors.b;
    out.color.a = v.colors.a;
    out.tex_coord.x = v.texCoords.u;
    out.tex_coord.y = v.texCoords.v;
    return out;
}

// SDL's software renderer draws two triangles that make an upright rectangle on screen as one
// copy from the texture coordinates of the top-left corner to those of the bottom-right one, so a
// texture turned a quarter inside the quad (frames packed turned, nodes turned by 90 degrees)
// comes out unturned and squeezed. Such a quad is split along its other diagonal, which never
// reads as that rectangle; every other quad keeps the split the copy serves. Corners are
// bl, br, tl, tr from base.
void quadIndices(const SDL_Vertex* corners, int base, int* out)
{
    const SDL_Vertex& bl = corners[0];
    const SDL_Vertex& br = corners[1];
    const SDL_Vertex& tl = corners[2];
    const float dx = SDL_fabsf(br.position.x - bl.position.x);
    const float dy = SDL_fabsf(br.position.y - bl.position.y);
    const float du = SDL_fabsf(br.tex_coord.x - bl.tex_coord.x);
    const float dv = SDL_fabsf(br.tex_coord.y - bl.tex_coord.y);
    const bool turned = (dx > dy) != (du > dv) && (du != dv);
    const bool tlBrFallsRight = (br.position.x - tl.position.x) * (br.position.y - tl.position.y) > 0;
    if (turned && tlBrFallsRight)
    {
        const int split[6] = { base, base + 1, base + 3, base, base + 3, base + 2 };
        std::copy(split, split + 6, out);
        return;
    }
    const int split[6] = { base, base + 1, base + 2, base + 2, base + 1, base + 3 };
    std::copy(split, split + 6, out);
}

inline SDL_FPoint applyToPoint(const CCPoint& p, const CCAffineTransform& t)
{
    SDL_FPoint out;
    out.x = t.a * p.x + t.c * p.y + t.tx;
    out.y = t.b * p.x + t.d * p.y + t.ty;
    return out;
}

// True when the quad's bounding box (pixels) covers no pixel centre of the rectangle.
bool isOutside(const SDL_Vertex* v, const SDL_Rect& r)
{
    float minX = v[0].position.x, maxX = minX, minY = v[0].position.y, maxY = minY;
    for (int i = 1; i < 4; ++i)
    {
        minX = std::min(minX, v[i].position.x);
        maxX = std::max(maxX, v[i].position.x);
        minY = std::min(minY, v[i].position.y);
        maxY = std::max(maxY, v[i].position.y);
    }
    return maxX <= (float)r.x || minX >= (float)(r.x + r.w) || maxY <= (float)r.y || minY >= (float)(r.y + r.h);
}

// Blending and adding scale the source by its alpha: a quad of alpha 0 changes no pixel.
bool leavesTargetAlone(SDL_BlendMode mode)
{
    return mode == SDL_BLENDMODE_BLEND || mode == SDL_BLENDMODE_ADD;
}

bool isOpaqueColour(const SDL_Vertex* v)
{
    return v[0].color.a == 255 && v[1].color.a == 255 && v[2].color.a == 255 && v[3].color.a == 255;
}

bool isTransparent(const SDL_Vertex* v)
{
    return v[0].color.a == 0 && v[1].color.a == 0 && v[2].color.a == 0 && v[3].color.a == 0;
}

// True when every vertex is opaque and so is every texel the quad samples (with linear filtering,
// one more on each side).
bool coversOpaque(CCTexture2D* texture, const SDL_Vertex* v)
{
    if (!texture)
    {
        return false;
    }
    float minU = v[0].tex_coord.x, maxU = minU, minV = v[0].tex_coord.y, maxV = minV;
    for (int i = 0; i < 4; ++i)
    {
        if (v[i].color.a != 255)
        {
            return false;
        }
        minU = std::min(minU, v[i].tex_coord.x);
        maxU = std::max(maxU, v[i].tex_coord.x);
        minV = std::min(minV, v[i].tex_coord.y);
        maxV = std::max(maxV, v[i].tex_coord.y);
    }
    const float w = (float)texture->getPixelsWide();
    const float h = (float)texture->getPixelsHigh();
    const int margin = texture->isAntiAliased() ? 1 : 0;
    return texture->isRegionOpaque((int)SDL_floorf(minU * w) - margin, (int)SDL_floorf(minV * h) - margin,
                                   (int)SDL_ceilf(maxU * w) + margin, (int)SDL_ceilf(maxV * h) + margin);
}

bool sameColor(const SDL_Color& a, const SDL_Color& b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

// The texels of an upright, unturned quad of one colour whose corners sit on texel edges (a sprite
// frame drawn as packed, flipped or not); false for any other quad.
bool texelRegion(CCTexture2D* texture, const SDL_Vertex* v, SDL_Rect* region)
{
    const SDL_Vertex& bl = v[0];
    const SDL_Vertex& br = v[1];
    const SDL_Vertex& tl = v[2];
    const SDL_Vertex& tr = v[3];
    if (!sameColor(bl.color, br.color) || !sameColor(bl.color, tl.color) || !sameColor(bl.color, tr.color))
    {
        return false;
    }
    // bl-br runs along x on screen and in u only; bl-tl along y and in v only.
    if (bl.position.y != br.position.y || tl.position.y != tr.position.y || bl.position.x != tl.position.x ||
        br.position.x != tr.position.x || bl.position.x == br.position.x || bl.position.y == tl.position.y)
    {
        return false;
    }
    if (bl.tex_coord.x != tl.tex_coord.x || br.tex_coord.x != tr.tex_coord.x || bl.tex_coord.y != br.tex_coord.y ||
        tl.tex_coord.y != tr.tex_coord.y || bl.tex_coord.x == br.tex_coord.x || bl.tex_coord.y == tl.tex_coord.y)
    {
        return false;
    }
    const float w = (float)texture->getPixelsWide();
    const float h = (float)texture->getPixelsHigh();
    const float edges[4] = { std::min(bl.tex_coord.x, br.tex_coord.x) * w, std::max(bl.tex_coord.x, br.tex_coord.x) * w,
                             std::min(bl.tex_coord.y, tl.tex_coord.y) * h, std::max(bl.tex_coord.y, tl.tex_coord.y) * h };
    int texels[4];
    for (int i = 0; i < 4; ++i)
    {
        texels[i] = (int)SDL_floorf(edges[i] + 0.5f);
        if (SDL_fabsf(edges[i] - (float)texels[i]) > 1e-3f)
        {
            return false;
        }
    }
    region->x = texels[0];
    region->y = texels[2];
    region->w = texels[1] - texels[0];
    region->h = texels[3] - texels[2];
    return region->w > 0 && region->h > 0;
}

// The part of the quad that shows the texels of part, of a texture texelsWide by texelsHigh: each
// corner takes the part's edge on its own side, and its place follows along the quad's edges.
void partOf(const SDL_Vertex* v, const SDL_Rect& part, int texelsWide, int texelsHigh, SDL_Vertex* out)
{
    const float w = (float)texelsWide;
    const float h = (float)texelsHigh;
    const float u0 = part.x / w;
    const float u1 = (part.x + part.w) / w;
    const float v0 = part.y / h;
    const float v1 = (part.y + part.h) / h;
    const SDL_Vertex& bl = v[0];
    const SDL_Vertex& br = v[1];
    const SDL_Vertex& tl = v[2];
    const float du = br.tex_coord.x - bl.tex_coord.x;
    const float dv = tl.tex_coord.y - bl.tex_coord.y;
    for (int i = 0; i < 4; ++i)
    {
        const bool lowU = v[i].tex_coord.x == std::min(bl.tex_coord.x, br.tex_coord.x);
        const bool lowV = v[i].tex_coord.y == std::min(bl.tex_coord.y, tl.tex_coord.y);
        const float u = lowU ? u0 : u1;
        const float t = lowV ? v0 : v1;
        const float s = (u - bl.tex_coord.x) / du;
        const float r = (t - bl.tex_coord.y) / dv;
        out[i] = v[i];
        out[i].position.x = bl.position.x + s * (br.position.x - bl.position.x);
        out[i].position.y = bl.position.y + r * (tl.position.y - bl.position.y);
        out[i].tex_coord.x = u;
        out[i].tex_coord.y = t;
    }
}

// Where an upright, unturned quad's texel edges lie on screen: edge e of its columns at pixel
// x = ax + bx * e, edge e of its rows at y = ay + by * e.
struct TexelGrid
{
    float ax, bx, ay, by;
};

TexelGrid texelGridOf(const SDL_Vertex* v, int texelsWide, int texelsHigh)
{
    const SDL_Vertex& bl = v[0];
    const SDL_Vertex& br = v[1];
    const SDL_Vertex& tl = v[2];
    TexelGrid grid;
    grid.bx = (br.position.x - bl.position.x) / ((br.tex_coord.x - bl.tex_coord.x) * (float)texelsWide);
    grid.ax = bl.position.x - bl.tex_coord.x * (float)texelsWide * grid.bx;
    grid.by = (tl.position.y - bl.position.y) / ((tl.tex_coord.y - bl.tex_coord.y) * (float)texelsHigh);
    grid.ay = bl.position.y - bl.tex_coord.y * (float)texelsHigh * grid.by;
    return grid;
}

// True when no edge from first to last at pixel a + b * edge lies within a thousandth of a pixel
// of a pixel centre.
bool clearOfPixelCentres(float a, float b, int first, int last)
{
    const float near = 1e-3f;
    for (int edge = first; edge <= last; ++edge)
    {
        const float fromCentre = a + b * (float)edge - 0.5f;
        const float off = fromCentre - SDL_floorf(fromCentre);
        if (off < near || off > 1.0f - near)
        {
            return false;
        }
    }
    return true;
}

// A quad drawn as pieces cut on texel edges samples the texels the whole did only where no pixel
// centre lies on a texel edge: there rounding picks the texel, and may pick another for a piece
// (a picture stretched by 45/16 has a texel edge on every eighth row of centres).
bool piecesSampleAsWhole(const TexelGrid& grid, const SDL_Rect& texels)
{
    return clearOfPixelCentres(grid.ax, grid.bx, texels.x, texels.x + texels.w) &&
           clearOfPixelCentres(grid.ay, grid.by, texels.y, texels.y + texels.h);
}

long long areaOf(const SDL_Rect& r)
{
    return (long long)r.w * r.h;
}

long long areaOf(const std::vector<SDL_Rect>& rects)
{
    long long area = 0;
    for (size_t i = 0; i < rects.size(); ++i)
    {
        area += areaOf(rects[i]);
    }
    return area;
}

bool isPowerOfTwo(int n)
{
    return n > 0 && (n & (n - 1)) == 0;
}

// Mesa's software OpenGL (llvmpipe) samples a linearly filtered texture whose width is a power of
// two and whose height is not as solid white. Such pixels go up with their height made a power of
// two, the last row repeated below them so the bottom edge filters as before. NULL when the
// pixels can go up as they are.
SDL_Surface* copyForLinearSampling(SDL_Surface* pixels)
{
    if (!isPowerOfTwo(pixels->w) || isPowerOfTwo(pixels->h))
    {
        return NULL;
    }
    int height = 1;
    while (height < pixels->h)
    {
        height *= 2;
    }
    SDL_Surface* copy = SDL_CreateRGBSurfaceWithFormat(0, pixels->w, height, 32, SDL_PIXELFORMAT_RGBA32);
    if (!copy)
    {
        return NULL;
    }
    SDL_SetSurfaceBlendMode(copy, SDL_BLENDMODE_NONE);
    const size_t rowBytes = (size_t)pixels->w * 4;
    for (int y = 0; y < height; ++y)
    {
        const int from = std::min(y, pixels->h - 1);
        memcpy((Uint8*)copy->pixels + (size_t)y * copy->pitch, (const Uint8*)pixels->pixels + (size_t)from * pixels->pitch,
               rowBytes);
    }
    return copy;
}

bool intersect(const SDL_Rect& a, const SDL_Rect& b, SDL_Rect* out)
{
    const int x1 = std::max(a.x, b.x);
    const int y1 = std::max(a.y, b.y);
    const int x2 = std::min(a.x + a.w, b.x + b.w);
    const int y2 = std::min(a.y + a.h, b.y + b.h);
    out->x = x1;
    out->y = y1;
    out->w = std::max(0, x2 - x1);
    out->h = std::max(0, y2 - y1);
    return out->w > 0 && out->h > 0;
}

// Clips (pixels, disjoint) that together hold every pixel of the quad v whose texel is in one of
// parts, inside clip; false when they would overlap or leave out too little to be worth a draw
// call each. culler and scratch are working space.
bool clipsOfParts(const SDL_Vertex* v, const TexelGrid& grid, const std::vector<SDL_Rect>& parts, const SDL_Rect& clip,
                  CCOcclusionCuller* culler, std::vector<SDL_Rect>* scratch, std::vector<SDL_Rect>* clips)
{
    SDL_FPoint corners[4];
    cornersOf(v, corners);
    SDL_Rect box;
    if (!intersect(CCOcclusionCuller::outerPixels(corners, 4), clip, &box))
    {
        return false;
    }
    // Each part's pixels and one more on each side (a pixel centre on the part's edge may take
    // its texel), less those of the parts before it: every pixel in one clip at most.
    clips->clear();
    culler->clear();
    for (size_t p = 0; p < parts.size(); ++p)
    {
        const SDL_Rect& part = parts[p];
        const float x0 = grid.ax + grid.bx * (float)part.x;
        const float x1 = grid.ax + grid.bx * (float)(part.x + part.w);
        const float y0 = grid.ay + grid.by * (float)part.y;
        const float y1 = grid.ay + grid.by * (float)(part.y + part.h);
        SDL_Rect pixels;
        pixels.x = (int)SDL_floorf(std::min(x0, x1)) - 1;
        pixels.y = (int)SDL_floorf(std::min(y0, y1)) - 1;
        pixels.w = (int)SDL_ceilf(std::max(x0, x1)) + 1 - pixels.x;
        pixels.h = (int)SDL_ceilf(std::max(y0, y1)) + 1 - pixels.y;
        if (!intersect(pixels, box, &pixels))
        {
            continue;
        }
        culler->visibleParts(pixels, scratch);
        clips->insert(clips->end(), scratch->begin(), scratch->end());
        culler->addCover(pixels);
    }
    // The culler passes over a cover that would cut a rectangle finely: then the clips could
    // overlap, and a pixel drawn twice would blend twice.
    for (size_t a = 0; a < clips->size(); ++a)
    {
        for (size_t b = a + 1; b < clips->size(); ++b)
        {
            SDL_Rect both;
            if (intersect((*clips)[a], (*clips)[b], &both))
            {
                return false;
            }
        }
    }
    // Each clip is a draw call of its own: only for at least a 64x64 block left out.
    if (areaOf(box) - areaOf(*clips) < kMinHiddenPixels)
    {
        return false;
    }
    return true;
}
}

CCRenderer* CCRenderer::sharedRenderer()
{
    if (!s_sharedRenderer)
    {
        s_sharedRenderer = new CCRenderer();
    }
    return s_sharedRenderer;
}

void CCRenderer::purgeSharedRenderer()
{
    if (s_sharedRenderer)
    {
        s_sharedRenderer->setSDLRenderer(NULL);
        delete s_sharedRenderer;
        s_sharedRenderer = NULL;
    }
}

CCRenderer::CCRenderer()
: m_pRenderer(NULL)
, m_designSize(480.0f, 320.0f)
, m_fScaleX(1.0f)
, m_fScaleY(1.0f)
, m_pRunTexture(NULL)
, m_eRunMode(SDL_BLENDMODE_BLEND)
, m_bTargetClipKnown(false)
, m_uDrawCalls(0)
, m_uQuads(0)
, m_uDrawCallsLastFrame(0)
, m_uQuadsLastFrame(0)
, m_uFill(0)
, m_uFillLastFrame(0)
, m_bSkipsUnseenWork(true)
, m_bSplitsClearTexels(false)
{
    m_viewport.x = 0;
    m_viewport.y = 0;
    m_viewport.w = 480;
    m_viewport.h = 320;
    m_runClip = m_viewport;
    m_targetClip = m_viewport;
    setDesignViewport(m_designSize, m_viewport);
}

CCRenderer::~CCRenderer()
{
}

// ---- the target ----------------------------------------------------------------------------

void CCRenderer::setSDLRenderer(SDL_Renderer* renderer)
{
    if (renderer == m_pRenderer)
    {
        return;
    }
    if (m_pRenderer)
    {
        flush();
    }
    m_vertices.clear();
    m_indices.clear();
    m_pending.clear();
    m_ownClips.clear();
    m_pRunTexture = NULL;
    m_clipStack.clear();
    m_bTargetClipKnown = false;
    // Uploaded copies belong to the old renderer; they are made again on first use.
    CCTexture2D::releaseAllSDLTextures();
    m_pRenderer = renderer;
    SDL_RendererInfo info;
    m_bSplitsClearTexels = renderer && SDL_GetRendererInfo(renderer, &info) == 0 && info.name &&
                           SDL_strcmp(info.name, "software") != 0;
}

void CCRenderer::setDesignViewport(const CCSize& designSize, const SDL_Rect& viewport)
{
    flush();
    m_designSize = designSize;
    m_viewport = viewport;
    m_fScaleX = designSize.width > 0.0f ? (float)viewport.w / designSize.width : 1.0f;
    m_fScaleY = designSize.height > 0.0f ? (float)viewport.h / designSize.height : 1.0f;
    // x' = vx + x * sx, y' = vy + (H - y) * sy
    m_designToPixels = CCAffineTransformMake(m_fScaleX, 0.0f, 0.0f, -m_fScaleY, (float)viewport.x,
                                             (float)viewport.y + designSize.height * m_fScaleY);
}

CCPoint CCRenderer::designToPixels(const CCPoint& designPoint) const
{
    return CCPointApplyAffineTransform(designPoint, m_designToPixels);
}

CCAffineTransform CCRenderer::toPixels(const CCAffineTransform& toWorld) const
{
    return CCAffineTransformConcat(toWorld, m_designToPixels);
}

// ---- the frame -----------------------------------------------------------------------------

void CCRenderer::beginFrame(const ccColor4B& clearColor)
{
    if (!m_pRenderer)
    {
        return;
    }
    m_vertices.clear();
    m_indices.clear();
    m_pending.clear();
    m_ownClips.clear();
    m_pRunTexture = NULL;
    m_clipStack.clear();
    m_uDrawCalls = 0;
    m_uQuads = 0;
    m_uFill = 0;
    setTargetClip(NULL);
    SDL_SetRenderDrawBlendMode(m_pRenderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(m_pRenderer, clearColor.r, clearColor.g, clearColor.b, clearColor.a);
    SDL_RenderClear(m_pRenderer);
}

void CCRenderer::endFrame()
{
    if (!m_pRenderer)
    {
        return;
    }
    flush();
    if (!m_clipStack.empty())
    {
        CCLog("CCRenderer::endFrame - %u clip rectangle(s) pushed and never popped",
              (unsigned int)m_clipStack.size());
        m_clipStack.clear();
    }
    m_uDrawCallsLastFrame = m_uDrawCalls;
    m_uQuadsLastFrame = m_uQuads;
    m_uFillLastFrame = m_uFill;
}

void CCRenderer::flush()
{
    if (!m_pRenderer)
    {
        m_pending.clear();
        m_ownClips.clear();
        m_vertices.clear();
        m_indices.clear();
        return;
    }
    sendPending();
    sendRun();
}

void CCRenderer::sendPending()
{
    if (m_pending.empty())
    {
        return;
    }
    planOcclusion();
    for (size_t i = 0; i < m_pending.size(); ++i)
    {
        const PendingQuad& quad = m_pending[i];
        if (quad.ownClipCount > 0)
        {
            for (int c = 0; c < quad.ownClipCount; ++c)
            {
                appendQuad(quad, quad.corners, m_ownClips[(size_t)(quad.firstOwnClip + c)]);
            }
            continue;
        }
        if (quad.firstPart < 0)
        {
            appendQuad(quad, quad.corners, quad.clip);
            continue;
        }
        for (int p = 0; p < quad.partCount; ++p)
        {
            const SDL_Rect& part = m_parts[(size_t)(quad.firstPart + p)];
            if (!quad.cutToTexels)
            {
                appendQuad(quad, quad.corners, part);
                continue;
            }
            SDL_Vertex piece[4];
            partOf(quad.corners, part, quad.texelsWide, quad.texelsHigh, piece);
            appendQuad(quad, piece, quad.clip);
        }
    }
    m_pending.clear();
    m_ownClips.clear();
}

void CCRenderer::planOcclusion()
{
    // From the last quad to the first: each one sees the covers of the opaque quads after it.
    m_culler.clear();
    m_parts.clear();
    for (size_t i = m_pending.size(); i-- > 0;)
    {
        PendingQuad& quad = m_pending[i];
        quad.firstPart = -1;
        quad.partCount = 0;
        quad.cutToTexels = false;
        if (!m_bSkipsUnseenWork)
        {
            continue;
        }
        SDL_FPoint corners[4];
        cornersOf(quad.corners, corners);
        SDL_Rect box;
        if (quad.ownClipCount == 0 && m_culler.hasCovers() &&
            intersect(CCOcclusionCuller::outerPixels(corners, 4), quad.clip, &box))
        {
            if (m_bSplitsClearTexels && quad.texels.w > 0 && !quad.smooth)
            {
                // A crisp quad on texel edges is cut to its texels that show, in its own run.
                if (visibleTexels(quad, box))
                {
                    quad.cutToTexels = true;
                    quad.firstPart = (int)m_parts.size();
                    quad.partCount = (int)m_visible.size();
                    m_parts.insert(m_parts.end(), m_visible.begin(), m_visible.end());
                }
            }
            else
            {
                // Any other is clipped to the pixels that show, a draw call per part, so only
                // where each part leaves out a 64x64 block and all a quarter of the quad (the
                // scissor leaves its texels where they were).
                m_culler.visibleParts(box, &m_visible);
                const long long area = areaOf(box);
                const long long hidden = area - areaOf(m_visible);
                const long long perCall = m_visible.empty() ? 1 : (long long)m_visible.size();
                if (hidden >= kMinHiddenPixels * perCall && (float)hidden >= kHiddenShare * (float)area)
                {
                    quad.firstPart = (int)m_parts.size();
                    quad.partCount = (int)m_visible.size();
                    m_parts.insert(m_parts.end(), m_visible.begin(), m_visible.end());
                }
            }
        }
        if (!CCOcclusionCuller::isUpright(corners))
        {
            continue;
        }
        // Drawn without blending, an upright quad replaces every pixel it covers; blended, the
        // pixels its opaque texels fill.
        SDL_Rect cover;
        if (quad.mode == SDL_BLENDMODE_NONE)
        {
            cover = CCOcclusionCuller::innerPixels(corners, 4);
        }
        else if (quad.opaqueTexels.w > 0)
        {
            SDL_Vertex coreCorners[4];
            partOf(quad.corners, quad.opaqueTexels, quad.texelsWide, quad.texelsHigh, coreCorners);
            SDL_FPoint points[4];
            cornersOf(coreCorners, points);
            cover = CCOcclusionCuller::innerPixels(points, 4);
        }
        else
        {
            continue;
        }
        if (intersect(cover, quad.clip, &cover))
        {
            m_culler.addCover(cover);
        }
    }
}

bool CCRenderer::visibleTexels(const PendingQuad& quad, const SDL_Rect& box)
{
    const TexelGrid grid = texelGridOf(quad.corners, quad.texelsWide, quad.texelsHigh);
    // The texels whose pixels lie inside the rectangle (pixels) r, grown by slack, or (inside
    // false) those that touch it.
    struct
    {
        TexelGrid grid;
        SDL_Rect operator()(const SDL_Rect& r, float slack, bool inside) const
        {
            const float x0 = ((float)r.x - slack - grid.ax) / grid.bx;
            const float x1 = ((float)(r.x + r.w) + slack - grid.ax) / grid.bx;
            const float y0 = ((float)r.y - slack - grid.ay) / grid.by;
            const float y1 = ((float)(r.y + r.h) + slack - grid.ay) / grid.by;
            SDL_Rect texels;
            texels.x = (int)(inside ? SDL_ceilf(std::min(x0, x1)) : SDL_floorf(std::min(x0, x1)));
            texels.y = (int)(inside ? SDL_ceilf(std::min(y0, y1)) : SDL_floorf(std::min(y0, y1)));
            texels.w = (int)(inside ? SDL_floorf(std::max(x0, x1)) : SDL_ceilf(std::max(x0, x1))) - texels.x;
            texels.h = (int)(inside ? SDL_floorf(std::max(y0, y1)) : SDL_ceilf(std::max(y0, y1))) - texels.y;
            return texels;
        }
    } texelsOf = { grid };
    // Texels wholly outside the box are outside the clip: they need not be drawn either.
    SDL_Rect shown;
    if (!intersect(texelsOf(box, 0.0f, false), quad.texels, &shown))
    {
        m_visible.clear();
        return true;
    }
    // No pixel centre is within a hundredth of a pixel of a cover's edge: that much slack keeps
    // rounding from leaving a texel out that shows. The largest covers go first, so that the
    // small ones cannot break the texels up before them.
    const float slack = 0.01f;
    m_hiddenTexels.clear();
    const std::vector<SDL_Rect>& covers = m_culler.covers();
    for (size_t c = 0; c < covers.size(); ++c)
    {
        SDL_Rect hidden;
        if (intersect(texelsOf(covers[c], slack, true), shown, &hidden))
        {
            m_hiddenTexels.push_back(hidden);
        }
    }
    std::stable_sort(m_hiddenTexels.begin(), m_hiddenTexels.end(), [](const SDL_Rect& a, const SDL_Rect& b) {
        return areaOf(a) > areaOf(b);
    });
    m_texelCuller.clear();
    for (size_t c = 0; c < m_hiddenTexels.size(); ++c)
    {
        m_texelCuller.addCover(m_hiddenTexels[c]);
    }
    m_texelCuller.visibleParts(shown, &m_visible);
    if (m_visible.empty())
    {
        return true;
    }
    if (!piecesSampleAsWhole(grid, shown))
    {
        return false;
    }
    const long long area = areaOf(quad.texels);
    const long long hidden = area - areaOf(m_visible);
    return (float)hidden >= kHiddenShare * (float)area;
}

void CCRenderer::appendQuad(const PendingQuad& quad, const SDL_Vertex* corners, const SDL_Rect& clip)
{
    beginRun(quad.texture, quad.mode, clip);
    const int base = (int)m_vertices.size();
    m_vertices.insert(m_vertices.end(), corners, corners + 4);
    for (int c = 0; c < 4 && quad.heightShare != 1.0f; ++c)
    {
        m_vertices[(size_t)(base + c)].tex_coord.y *= quad.heightShare;
    }
    int idx[6];
    quadIndices(&m_vertices[base], base, idx);
    m_indices.insert(m_indices.end(), idx, idx + 6);
    countQuads(1);
    SDL_FPoint points[4];
    cornersOf(corners, points);
    SDL_Rect filled;
    if (intersect(CCOcclusionCuller::outerPixels(points, 4), clip, &filled))
    {
        m_uFill += (unsigned long)filled.w * (unsigned long)filled.h;
    }
}

void CCRenderer::sendRun()
{
    if (!m_pRenderer || m_indices.empty())
    {
        m_vertices.clear();
        m_indices.clear();
        return;
    }
    setTargetClip(&m_runClip);
    if (m_pRunTexture)
    {
        SDL_SetTextureBlendMode(m_pRunTexture, m_eRunMode);
    }
    else
    {
        SDL_SetRenderDrawBlendMode(m_pRenderer, m_eRunMode);
    }
    if (SDL_RenderGeometry(m_pRenderer, m_pRunTexture, &m_vertices[0], (int)m_vertices.size(), &m_indices[0],
                           (int)m_indices.size()) != 0)
    {
        CCLog("ERROR: CCRenderer::flush - %s", SDL_GetError());
    }
    ++m_uDrawCalls;
    m_vertices.clear();
    m_indices.clear();
}

void CCRenderer::beginRun(SDL_Texture* texture, SDL_BlendMode mode, const SDL_Rect& clip)
{
    if (texture != m_pRunTexture || mode != m_eRunMode || !sameRect(clip, m_runClip) ||
        m_vertices.size() >= kMaxRunVertices)
    {
        sendRun();
        m_pRunTexture = texture;
        m_eRunMode = mode;
        m_runClip = clip;
    }
}

void CCRenderer::setTargetClip(const SDL_Rect* clip)
{
    if (clip == NULL)
    {
        SDL_RenderSetClipRect(m_pRenderer, NULL);
        m_bTargetClipKnown = false;
        return;
    }
    if (m_bTargetClipKnown && sameRect(*clip, m_targetClip))
    {
        return;
    }
    SDL_RenderSetClipRect(m_pRenderer, clip);
    m_targetClip = *clip;
    m_bTargetClipKnown = true;
}

void CCRenderer::countQuads(int count)
{
    m_uQuads += (unsigned int)count;
}

SDL_Texture* CCRenderer::textureFor(CCTexture2D* texture)
{
    SDL_Texture* sdlTexture = texture->getSDLTexture();
    if (sdlTexture)
    {
        return sdlTexture;
    }
    if (!texture->getSurface())
    {
        return NULL;
    }
    SDL_Surface* pixels = texture->getSurface();
    SDL_Surface* copy = texture->isAntiAliased() ? copyForLinearSampling(pixels) : NULL;
    SDL_Surface* upload = copy ? copy : pixels;
    sdlTexture = SDL_CreateTextureFromSurface(m_pRenderer, upload);
    const float heightShare = (float)pixels->h / (float)upload->h;
    if (copy)
    {
        SDL_FreeSurface(copy);
    }
    if (!sdlTexture)
    {
        CCLog("ERROR: CCRenderer - could not upload a %ux%u texture: %s", texture->getPixelsWide(),
              texture->getPixelsHigh(), SDL_GetError());
        return NULL;
    }
    SDL_SetTextureScaleMode(sdlTexture, texture->isAntiAliased() ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
    texture->setSDLTexture(sdlTexture, heightShare);
    return sdlTexture;
}

void CCRenderer::textureWillBeReleased(SDL_Texture* texture)
{
    if (!s_sharedRenderer || !texture)
    {
        return;
    }
    for (size_t i = 0; i < s_sharedRenderer->m_pending.size(); ++i)
    {
        if (s_sharedRenderer->m_pending[i].texture == texture)
        {
            s_sharedRenderer->sendPending();
            break;
        }
    }
    if (s_sharedRenderer->m_pRunTexture == texture)
    {
        s_sharedRenderer->sendRun();
        s_sharedRenderer->m_pRunTexture = NULL;
    }
}

// ---- drawing -------------------------------------------------------------------------------

void CCRenderer::drawQuads(CCTexture2D* texture, const ccSpriteQuad* quads, int count,
                           const CCAffineTransform& toWorld, const ccBlendFunc& blend)
{
    if (!m_pRenderer || !quads || count <= 0 || clipIsEmpty())
    {
        return;
    }
    SDL_Texture* sdlTexture = NULL;
    if (texture)
    {
        sdlTexture = textureFor(texture);
        if (!sdlTexture)
        {
            return;
        }
    }
    const SDL_BlendMode mode = blendModeFor(blend);
    const CCAffineTransform t = toPixels(toWorld);
    const SDL_Rect& clip = currentClip();
    for (int i = 0; i < count; ++i)
    {
        const ccSpriteQuad& q = quads[i];
        const SDL_Vertex v[4] = { makeVertex(q.bl, t), makeVertex(q.br, t), makeVertex(q.tl, t), makeVertex(q.tr, t) };
        // What lies wholly outside the clip (tiles and props off screen, particles that drifted
        // out) covers no pixel, and a faded-out overlay changes none: leave them out of the run.
        if (m_bSkipsUnseenWork && (isOutside(v, clip) || (leavesTargetAlone(mode) && isTransparent(v))))
        {
            continue;
        }
        // A normally blended quad whose pixels and colours are all opaque replaces what is below
        // it exactly: drawn without blending, the driver need not read the target.
        const bool opaque = m_bSkipsUnseenWork && mode == SDL_BLENDMODE_BLEND && coversOpaque(texture, v);
        // Clear texels blended or added change nothing: a sprite is drawn as the parts of its
        // frame that have any alpha (a fighter's frame is two fifths clear around him, the damage
        // vignette a third in its middle).
        SDL_Rect region;
        if (m_bSkipsUnseenWork && m_bSplitsClearTexels && !opaque && leavesTargetAlone(mode) && texture &&
            texelRegion(texture, v, &region))
        {
            const std::vector<SDL_Rect>& parts = texture->shownParts(region.x, region.y, region.x + region.w,
                                                                     region.y + region.h);
            const TexelGrid grid = texelGridOf(v, (int)texture->getPixelsWide(), (int)texture->getPixelsHigh());
            const bool cut = parts.size() != 1 || !sameRect(parts[0], region);
            if (cut && !piecesSampleAsWhole(grid, region))
            {
                // Texel edges on pixel centres: a big picture (an overlay over the view) is drawn
                // whole, clipped with the scissor to the pixels of its parts.
                if (clipsOfParts(v, grid, parts, clip, &m_partCuller, &m_visible, &m_partClips))
                {
                    hold(v, texture, sdlTexture, mode, clip);
                    m_pending.back().firstOwnClip = (int)m_ownClips.size();
                    m_pending.back().ownClipCount = (int)m_partClips.size();
                    m_ownClips.insert(m_ownClips.end(), m_partClips.begin(), m_partClips.end());
                    continue;
                }
            }
            else if (cut)
            {
                for (size_t p = 0; p < parts.size(); ++p)
                {
                    SDL_Vertex part[4];
                    partOf(v, parts[p], (int)texture->getPixelsWide(), (int)texture->getPixelsHigh(), part);
                    hold(part, texture, sdlTexture, mode, clip);
                }
                continue;
            }
        }
        hold(v, texture, sdlTexture, opaque ? SDL_BLENDMODE_NONE : mode, clip);
    }
}

void CCRenderer::hold(const SDL_Vertex* corners, CCTexture2D* texture, SDL_Texture* sdlTexture, SDL_BlendMode mode,
                      const SDL_Rect& clip)
{
    m_pending.push_back(PendingQuad());
    PendingQuad& pending = m_pending.back();
    std::copy(corners, corners + 4, pending.corners);
    pending.texture = sdlTexture;
    pending.heightShare = texture ? texture->getSDLTextureHeightShare() : 1.0f;
    pending.mode = mode;
    pending.clip = clip;
    pending.texelsWide = texture ? (int)texture->getPixelsWide() : 0;
    pending.texelsHigh = texture ? (int)texture->getPixelsHigh() : 0;
    const SDL_Rect none = { 0, 0, 0, 0 };
    pending.texels = none;
    pending.opaqueTexels = none;
    if (texture && texelRegion(texture, corners, &pending.texels))
    {
        // Under GL a crisp texel of full alpha blended at full opacity replaces the pixels whose
        // centres it holds: a fighter's body hides what was drawn before it there.
        const SDL_Rect& r = pending.texels;
        if (m_bSkipsUnseenWork && m_bSplitsClearTexels && mode == SDL_BLENDMODE_BLEND && !texture->isAntiAliased() &&
            isOpaqueColour(corners))
        {
            pending.opaqueTexels = texture->opaqueCore(r.x, r.y, r.x + r.w, r.y + r.h);
        }
    }
    else
    {
        pending.texels = none;
    }
    pending.smooth = texture && texture->isAntiAliased();
    pending.cutToTexels = false;
    pending.firstPart = -1;
    pending.partCount = 0;
    pending.firstOwnClip = 0;
    pending.ownClipCount = 0;
}

void CCRenderer::drawSolidRect(const CCPoint& origin, const CCPoint& destination, const ccColor4B& color,
                               const CCAffineTransform& toWorld, const ccBlendFunc& blend)
{
    ccSpriteQuad q;
    q.bl.vertices = vertex2(origin.x, origin.y);
    q.br.vertices = vertex2(destination.x, origin.y);
    q.tl.vertices = vertex2(origin.x, destination.y);
    q.tr.vertices = vertex2(destination.x, destination.y);
    q.bl.colors = q.br.colors = q.tl.colors = q.tr.colors = color;
    q.bl.texCoords = q.br.texCoords = q.tl.texCoords = q.tr.texCoords = tex2(0.0f, 0.0f);
    drawQuads(NULL, &q, 1, toWorld, blend);
}

void CCRenderer::drawSolidPoly(const CCPoint* points, unsigned int count, const ccColor4B& color,
                               const CCAffineTransform& toWorld, const ccBlendFunc& blend)
{
    if (!m_pRenderer || !points || count < 3 || clipIsEmpty())
    {
        return;
    }
    sendPending();
    beginRun(NULL, blendModeFor(blend), currentClip());
    const CCAffineTransform t = toPixels(toWorld);
    const int base = (int)m_vertices.size();
    for (unsigned int i = 0; i < count; ++i)
    {
        SDL_Vertex v;
        v.position = applyToPoint(points[i], t);
        v.color.r = color.r;
        v.color.g = color.g;
        v.color.b = color.b;
        v.color.a = color.a;
        v.tex_coord.x = 0.0f;
        v.tex_coord.y = 0.0f;
        m_vertices.push_back(v);
    }
    for (unsigned int i = 1; i + 1 < count; ++i)
    {
        m_indices.push_back(base);
        m_indices.push_back(base + (int)i);
        m_indices.push_back(base + (int)i + 1);
    }
}

void CCRenderer::drawLines(const CCPoint* points, unsigned int count, bool closed, const ccColor4B& color,
                           const CCAffineTransform& toWorld)
{
    if (!m_pRenderer || !points || count < 2 || clipIsEmpty())
    {
        return;
    }
    flush();
    setTargetClip(&currentClip());
    const CCAffineTransform t = toPixels(toWorld);
    std::vector<SDL_FPoint> pixels;
    pixels.reserve(count + 1);
    for (unsigned int i = 0; i < count; ++i)
    {
        pixels.push_back(applyToPoint(points[i], t));
    }
    if (closed && count > 2)
    {
        pixels.push_back(pixels[0]);
    }
    SDL_SetRenderDrawBlendMode(m_pRenderer, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(m_pRenderer, color.r, color.g, color.b, color.a);
    SDL_RenderDrawLinesF(m_pRenderer, &pixels[0], (int)pixels.size());
    ++m_uDrawCalls;
}

void CCRenderer::drawPoints(const CCPoint* points, unsigned int count, const ccColor4B& color,
                            const CCAffineTransform& toWorld)
{
    if (!m_pRenderer || !points || count == 0 || clipIsEmpty())
    {
        return;
    }
    flush();
    setTargetClip(&currentClip());
    const CCAffineTransform t = toPixels(toWorld);
    std::vector<SDL_FPoint> pixels;
    pixels.reserve(count);
    for (unsigned int i = 0; i < count; ++i)
    {
        pixels.push_back(applyToPoint(points[i], t));
    }
    SDL_SetRenderDrawBlendMode(m_pRenderer, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(m_pRenderer, color.r, color.g, color.b, color.a);
    SDL_RenderDrawPointsF(m_pRenderer, &pixels[0], (int)pixels.size());
    ++m_uDrawCalls;
}

// ---- clipping ------------------------------------------------------------------------------

void CCRenderer::pushClipRect(const CCRect& rect, const CCAffineTransform& toWorld)
{
    const CCRect box = CCRectApplyAffineTransform(rect, toPixels(toWorld));
    SDL_Rect wanted;
    wanted.x = (int)SDL_floorf(box.origin.x + 0.5f);
    wanted.y = (int)SDL_floorf(box.origin.y + 0.5f);
    wanted.w = (int)SDL_floorf(box.origin.x + box.size.width + 0.5f) - wanted.x;
    wanted.h = (int)SDL_floorf(box.origin.y + box.size.height + 0.5f) - wanted.y;
    SDL_Rect clipped;
    intersect(wanted, currentClip(), &clipped);
    m_clipStack.push_back(clipped);
}

void CCRenderer::popClipRect()
{
    if (m_clipStack.empty())
    {
        CCLog("CCRenderer::popClipRect - no clip rectangle to pop");
        return;
    }
    m_clipStack.pop_back();
}

const SDL_Rect& CCRenderer::currentClip() const
{
    return m_clipStack.empty() ? m_viewport : m_clipStack.back();
}

bool CCRenderer::clipIsEmpty() const
{
    const SDL_Rect& r = currentClip();
    return r.w <= 0 || r.h <= 0;
}

// ---- blend modes ---------------------------------------------------------------------------

SDL_BlendMode CCRenderer::blendModeFor(const ccBlendFunc& blend)
{
    const bool srcAlphaOrOne = blend.src == GL_ONE || blend.src == GL_SRC_ALPHA;
    if (srcAlphaOrOne && blend.dst == GL_ONE_MINUS_SRC_ALPHA)
    {
        return SDL_BLENDMODE_BLEND;
    }
    if (srcAlphaOrOne && blend.dst == GL_ONE)
    {
        return SDL_BLENDMODE_ADD;
    }
    if (blend.src == GL_ONE && blend.dst == GL_ZERO)
    {
        return SDL_BLENDMODE_NONE;
    }
    if ((blend.src == GL_DST_COLOR && blend.dst == GL_ZERO) || (blend.src == GL_ZERO && blend.dst == GL_SRC_COLOR))
    {
        return SDL_BLENDMODE_MOD;
    }
    if (blend.src == GL_DST_COLOR && blend.dst == GL_ONE_MINUS_SRC_ALPHA)
    {
        return SDL_BLENDMODE_MUL;
    }
    SDL_BlendMode nearest = SDL_BLENDMODE_BLEND;
    if (blend.dst == GL_ONE)
    {
        nearest = SDL_BLENDMODE_ADD;
    }
    else if (blend.src == GL_DST_COLOR || blend.dst == GL_SRC_COLOR)
    {
        nearest = SDL_BLENDMODE_MOD;
    }
    static std::set<unsigned long long> s_logged;
    const unsigned long long key = ((unsigned long long)blend.src << 32) | (unsigned long long)blend.dst;
    if (s_logged.insert(key).second)
    {
        CCLog("CCRenderer - blend pair 0x%x/0x%x has no SDL mode; drawing it as %s", blend.src, blend.dst,
              nearest == SDL_BLENDMODE_ADD ? "add" : (nearest == SDL_BLENDMODE_MOD ? "modulate" : "blend"));
    }
    return nearest;
}

// ---- read-back -----------------------------------------------------------------------------

SDL_Surface* CCRenderer::readPixels()
{
    if (!m_pRenderer)
    {
        return NULL;
    }
    flush();
    int w = 0;
    int h = 0;
    if (SDL_GetRendererOutputSize(m_pRenderer, &w, &h) != 0 || w <= 0 || h <= 0)
    {
        CCLog("ERROR: CCRenderer::readPixels - no output size: %s", SDL_GetError());
        return NULL;
    }
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGBA32);
    if (!surface)
    {
        return NULL;
    }
    // Read the whole target, whatever clip is set.
    setTargetClip(NULL);
    const int rc = SDL_RenderReadPixels(m_pRenderer, NULL, SDL_PIXELFORMAT_RGBA32, surface->pixels, surface->pitch);
    if (rc != 0)
    {
        CCLog("ERROR: CCRenderer::readPixels - %s", SDL_GetError());
        SDL_FreeSurface(surface);
        return NULL;
    }
    return surface;
}

bool CCRenderer::saveToPNG(const char* path)
{
    if (!path)
    {
        return false;
    }
    SDL_Surface* surface = readPixels();
    if (!surface)
    {
        return false;
    }
    const bool ok = IMG_SavePNG(surface, path) == 0;
    if (!ok)
    {
        CCLog("ERROR: CCRenderer::saveToPNG - %s: %s", path, IMG_GetError());
    }
    SDL_FreeSurface(surface);
    return ok;
}

NS_CC_END
