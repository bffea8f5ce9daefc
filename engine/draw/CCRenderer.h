#ifndef __CC_RENDERER_H__
#define __CC_RENDERER_H__

#include "base/CCAffineTransform.h"
#include "base/CCGeometry.h"
#include "base/ccTypes.h"
#include "draw/CCOcclusionCuller.h"
#include "draw/ccQuadTypes.h"

#include <SDL.h>

#include <vector>

NS_CC_BEGIN

class CCTexture2D;

/**
 * The one way anything reaches the screen. Nodes draw from their draw() by handing quads, in
 * their own space, together with CCNode::currentVisitTransform():
 *
 *     CCRenderer::sharedRenderer()->drawQuads(texture, quads, count,
 *                                             CCNode::currentVisitTransform(), blendFunc);
 *
 * Quads are held until the frame ends (or a line, point or polygon is drawn, or the pixels are
 * read), then consecutive ones with the same texture, blend mode and clip are merged and sent to
 * SDL as one SDL_RenderGeometry call. So draw many quads per call where you can (a label's
 * glyphs, a particle system), and keep runs of one texture together.
 *
 * Spaces: quads and points are in the caller's node space; toWorld maps them to design space
 * (y up, the director's win size); the view's design viewport maps design space to pixels
 * (y down, letterboxed). Texture coordinates run 0..1 with v down (row 0 is the image's top).
 *
 * Blend pairs map to SDL's built-in modes (the software renderer has no custom ones), straight
 * alpha: {ONE or SRC_ALPHA, ONE_MINUS_SRC_ALPHA} -> blend, {ONE or SRC_ALPHA, ONE} -> add,
 * {ONE, ZERO} -> none, {DST_COLOR, ZERO} / {ZERO, SRC_COLOR} -> modulate; any other pair takes
 * the nearest of these with one log line per pair.
 *
 * Filtering follows the texture (CCTexture2D::setAliasTexParameters / setAntiAliasTexParameters).
 *
 * Without a bound SDL renderer (headless tests without a view) every call does nothing.
 */
class CCRenderer
{
public:
    static CCRenderer* sharedRenderer();
    /** Drops the renderer object (the SDL renderer itself belongs to the view). */
    static void purgeSharedRenderer();

    // ---- the target (bound by the view) ------------------------------------------------------
    /** Binds the SDL renderer to draw with; NULL unbinds. Changing it releases every texture's
     *  uploaded copy, so call it before destroying an SDL renderer. */
    void setSDLRenderer(SDL_Renderer* renderer);
    SDL_Renderer* getSDLRenderer() const { return m_pRenderer; }
    bool isActive() const { return m_pRenderer != NULL; }
    /** Design space of designSize is shown scaled into viewport (pixels, y down). Nothing is
     *  drawn outside the viewport (letterbox bars stay black). */
    void setDesignViewport(const CCSize& designSize, const SDL_Rect& viewport);
    const SDL_Rect& getViewport() const { return m_viewport; }
    /** Design point (y up) to target pixels (y down). */
    CCPoint designToPixels(const CCPoint& designPoint) const;

    // ---- the frame ----------------------------------------------------------------------------
    /** Clears the whole target to the colour and resets the clip stack. */
    void beginFrame(const ccColor4B& clearColor);
    /** Sends everything pending to SDL (the caller presents). */
    void endFrame();
    /** Sends the pending run to SDL now. */
    void flush();

    // ---- drawing ------------------------------------------------------------------------------
    /** Quads of one texture (NULL: untextured, vertex colours only) with one blend pair. */
    void drawQuads(CCTexture2D* texture, const ccSpriteQuad* quads, int count,
                   const CCAffineTransform& toWorld, const ccBlendFunc& blend);
    /** A filled axis-aligned rectangle of node space (origin and opposite corner). */
    void drawSolidRect(const CCPoint& origin, const CCPoint& destination, const ccColor4B& color,
                       const CCAffineTransform& toWorld, const ccBlendFunc& blend);
    /** A filled convex polygon (a triangle fan). */
    void drawSolidPoly(const CCPoint* points, unsigned int count, const ccColor4B& color,
                       const CCAffineTransform& toWorld, const ccBlendFunc& blend);
    /** One-pixel lines through the points, joining the last to the first when closed. */
    void drawLines(const CCPoint* points, unsigned int count, bool closed, const ccColor4B& color,
                   const CCAffineTransform& toWorld);
    void drawPoints(const CCPoint* points, unsigned int count, const ccColor4B& color,
                    const CCAffineTransform& toWorld);

    /**
     * On (the default): quads that change no pixel (wholly outside the clip, or blended or added
     * with alpha 0 at every corner) are left out, blended quads that are opaque throughout
     * (their texels and colours) are drawn without blending, and what an upright opaque quad
     * drawn later covers is not drawn first (a quad wholly under it is left out, one mostly under
     * it is drawn clipped to the parts that show). With the parts of sprites on (GL), the opaque
     * texels of a crisp sprite drawn at full opacity cover too, and a crisp quad is cut to its
     * texels that show rather than clipped. The pixels are the same for less work. Off draws
     * every quad as given: a test compares the two frames.
     */
    void setSkipsUnseenWork(bool skip) { m_bSkipsUnseenWork = skip; }
    bool skipsUnseenWork() const { return m_bSkipsUnseenWork; }
    /**
     * With the shortcuts on, a crisp blended or added sprite is drawn as the parts of its frame
     * that have any alpha (up to four bands), which leaves out the clear texels around it. GL
     * interpolates every pixel from the corners, so the parts show the texels the whole did; SDL's
     * software renderer draws an upright quad as a scaled copy whose steps follow its size, so
     * there a part can place its texels a pixel off: binding a software renderer turns this off.
     */
    void setSplitsClearTexels(bool split) { m_bSplitsClearTexels = split; }
    bool splitsClearTexels() const { return m_bSplitsClearTexels; }

    // ---- clipping (scroll views) --------------------------------------------------------------
    /** Limits drawing to a node-space rectangle (its screen bounding box), inside the current
     *  clip; pop it after drawing the clipped children. Pushes nest. */
    void pushClipRect(const CCRect& rect, const CCAffineTransform& toWorld);
    void popClipRect();
    unsigned int getClipDepth() const { return (unsigned int)m_clipStack.size(); }

    // ---- what the last finished frame cost ---------------------------------------------------
    /** SDL draw calls, and quads sent to SDL (those left out are not counted). */
    unsigned int getDrawCallsLastFrame() const { return m_uDrawCallsLastFrame; }
    unsigned int getQuadsLastFrame() const { return m_uQuadsLastFrame; }
    /** Pixels the quads sent to SDL cover, each counted by its box inside its clip: the fill. */
    unsigned long getFillLastFrame() const { return m_uFillLastFrame; }

    // ---- read-back (tests, screenshots) -------------------------------------------------------
    /** The target's pixels as a new RGBA32 surface (free it with SDL_FreeSurface); NULL without
     *  a target. Call after endFrame and before presenting. */
    SDL_Surface* readPixels();
    bool saveToPNG(const char* path);

    /** Maps a blend pair to an SDL mode (logs an unsupported pair once). */
    static SDL_BlendMode blendModeFor(const ccBlendFunc& blend);
    /** A texture is going away: flush a pending run that still uses its SDL copy. */
    static void textureWillBeReleased(SDL_Texture* texture);

private:
    CCRenderer();
    ~CCRenderer();
    /** A quad held until the frame's quads are sent: pixels, texture, mode and clip. */
    struct PendingQuad
    {
        SDL_Vertex corners[4];  ///< bl, br, tl, tr; v as the caller gave it (scaled by heightShare when sent)
        SDL_Texture* texture;
        float heightShare;
        SDL_BlendMode mode;
        SDL_Rect clip;
        SDL_Rect texels;        ///< w > 0: the corners sit on the edges of these texels
        int texelsWide;         ///< of the texture, with texels
        int texelsHigh;
        SDL_Rect opaqueTexels;  ///< w > 0: texels of full alpha drawn at full opacity, inside texels
        bool smooth;            ///< its texture is filtered linearly
        bool cutToTexels;       ///< its parts are texel rectangles drawn as pieces of it, not clips
        int firstOwnClip;       ///< into m_ownClips: drawn whole in each of ownClipCount clips
        int ownClipCount;       ///< 0: none of its own
        int firstPart;          ///< into m_parts; -1: drawn whole in its clip
        int partCount;          ///< 0 with firstPart >= 0: wholly hidden
    };

    SDL_Texture* textureFor(CCTexture2D* texture);
    /** heightShare: the texture's CCTexture2D::getSDLTextureHeightShare (v is scaled by it). */
    /** texture may be NULL (untextured). */
    void hold(const SDL_Vertex* corners, CCTexture2D* texture, SDL_Texture* sdlTexture, SDL_BlendMode mode,
              const SDL_Rect& clip);
    void sendPending();
    void planOcclusion();
    /** The texels of quad that show in box (its pixels inside its clip) and no cover hides, into
     *  m_visible; false when too few are left out to cut it. */
    bool visibleTexels(const PendingQuad& quad, const SDL_Rect& box);
    void appendQuad(const PendingQuad& quad, const SDL_Vertex* corners, const SDL_Rect& clip);
    void beginRun(SDL_Texture* texture, SDL_BlendMode mode, const SDL_Rect& clip);
    void sendRun();
    void setTargetClip(const SDL_Rect* clip);
    const SDL_Rect& currentClip() const;
    bool clipIsEmpty() const;
    CCAffineTransform toPixels(const CCAffineTransform& toWorld) const;
    void countQuads(int count);

    SDL_Renderer* m_pRenderer;      ///< not owned
    SDL_Rect m_viewport;
    CCSize m_designSize;
    float m_fScaleX;
    float m_fScaleY;
    CCAffineTransform m_designToPixels;

    std::vector<SDL_Vertex> m_vertices;
    std::vector<int> m_indices;
    SDL_Texture* m_pRunTexture;     ///< texture of the pending run (NULL: untextured)
    SDL_BlendMode m_eRunMode;
    SDL_Rect m_runClip;
    SDL_Rect m_targetClip;          ///< the clip SDL has, when m_bTargetClipKnown
    bool m_bTargetClipKnown;

    std::vector<PendingQuad> m_pending;
    std::vector<SDL_Rect> m_parts;
    std::vector<SDL_Rect> m_visible;
    CCOcclusionCuller m_culler;
    CCOcclusionCuller m_texelCuller;     ///< one quad's covers, in its texels
    std::vector<SDL_Rect> m_hiddenTexels;
    std::vector<SDL_Rect> m_ownClips;     ///< the pending quads' own clips
    std::vector<SDL_Rect> m_partClips;
    CCOcclusionCuller m_partCuller;      ///< one quad's clips so far

    std::vector<SDL_Rect> m_clipStack;   ///< pixel rectangles, each inside the one below

    unsigned int m_uDrawCalls;
    unsigned int m_uQuads;
    unsigned int m_uDrawCallsLastFrame;
    unsigned int m_uQuadsLastFrame;
    unsigned long m_uFill;
    unsigned long m_uFillLastFrame;
    bool m_bSkipsUnseenWork;
    bool m_bSplitsClearTexels;
};

NS_CC_END

#endif // __CC_RENDERER_H__
