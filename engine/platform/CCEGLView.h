#ifndef __CC_EGLVIEW_H__
#define __CC_EGLVIEW_H__

#include "base/CCGeometry.h"
#include "base/CCObject.h"

#include <SDL.h>

#include <string>

NS_CC_BEGIN

class CCEvent;
class CCSet;
class CCTouch;
class CCTouchDispatcher;

typedef enum
{
    /** Design area stretched over the whole window (aspect not kept). */
    kResolutionExactFit = 0,
    /** Design area scaled to cover the window; what sticks out is cut off. */
    kResolutionNoBorder = 1,
    /** Design area scaled to fit inside the window, letterboxed with black bars. */
    kResolutionShowAll = 2,
    kResolution_MAX
} ResolutionPolicy;

/**
 * The window: an SDL window and renderer, the design resolution mapped into it, and the event
 * pump that feeds the director's touch, keyboard and gamepad dispatchers.
 *
 * Under SDL's dummy video driver (tests, CI) it draws with the software renderer, and a frame can
 * be read back (saveFrameToPNG). Otherwise it uses SDL's accelerated renderer, falling back to
 * software. The window is made hidden and shown when the application loop starts.
 *
 * Mouse: the left button is touch 0; one CCTouch per press, the same object from began to ended.
 * Touch positions are in design units (y down in the view, y up through CCTouch::getLocation).
 */
class CCEGLView : public CCObject
{
public:
    /** The view, made with its window on first call; NULL (and a log line) when SDL can't. */
    static CCEGLView* sharedOpenGLView();
    /** Destroys the window and renderer (tests); the director forgets it. */
    static void purgeSharedOpenGLView();
    /** An image file (PNG ...) to use as the window icon; call before the view exists, or at
     *  any time to change it. */
    static void setIcon(const char* imagePath);

    virtual ~CCEGLView();

    bool isOpenGLReady() const { return m_pRenderer != NULL; }
    /** The desktop's size in pixels (1280x720 when the display does not say). */
    int getFullscreenWidth();
    int getFullscreenHeight();

    /** The windowed size, in pixels. */
    virtual void setFrameSize(float width, float height);
    virtual const CCSize& getFrameSize() const { return m_obFrameSize; }
    /** The size the game lays out in; also becomes the director's win size. */
    virtual void setDesignResolutionSize(float width, float height, ResolutionPolicy resolutionPolicy);
    const CCSize& getDesignResolutionSize() const { return m_obDesignSize; }
    ResolutionPolicy getResolutionPolicy() const { return m_eResolutionPolicy; }
    /** The part of the design area that shows (all of it under show-all). */
    virtual CCSize getVisibleSize() const;
    virtual CCPoint getVisibleOrigin() const;
    float getScaleX() const { return m_fScaleX; }
    float getScaleY() const { return m_fScaleY; }
    /** Where the design area lands in the drawing target, in pixels. */
    const SDL_Rect& getViewportRect() const { return m_viewport; }

    /** Full screen at the desktop's size, or back to the window; posts "event_fullscreen" or
     *  "event_windowed" through the notification centre. */
    virtual void setFullscreen(bool fullscreen);
    bool getFullscreen() const { return m_bFullscreen; }
    virtual void setWindowTitle(const char* title);
    void setViewName(const char* name) { setWindowTitle(name); }
    void show();

    // The frame (called by the director around its visit)
    void beginFrame();
    /** Finishes drawing, saves a requested capture, then presents. */
    void endFrame();
    /** The drawn frame as a PNG (software renderer: any time after a frame). */
    bool saveFrameToPNG(const char* path);
    /** Saves the next frame to a PNG just before it is presented (works with any renderer). */
    void captureNextFrame(const char* path) { m_captureNextFrame = path ? path : ""; }

    // Events
    /** Handles every pending SDL event. */
    void pollEvents();
    void handleEvent(const SDL_Event& event);
    /** The window was closed (or the program asked to quit). */
    bool isCloseRequested() const { return m_bCloseRequested; }
    void end() { m_bCloseRequested = true; }
    /** A window position (pixels, y down) to design units (y down). */
    CCPoint convertWindowToDesign(float x, float y) const;

    SDL_Window* getSDLWindow() { return m_pWindow; }
    SDL_Renderer* getSDLRenderer() { return m_pRenderer; }

protected:
    CCEGLView();
    bool initView();
    void updateViewport();
    void mouseDown(float x, float y);
    void mouseMoved(float x, float y);
    void mouseUp(float x, float y);
    void cancelTouch();
    /** Hands the mouse's touch, alone in a set, to one phase of the touch dispatcher. */
    void dispatchMouseTouch(CCTouch* touch, void (CCTouchDispatcher::*phase)(CCSet*, CCEvent*));
    void applyIcon();

    SDL_Window* m_pWindow;          ///< owned
    SDL_Renderer* m_pRenderer;      ///< owned
    CCSize m_obFrameSize;
    CCSize m_obDesignSize;
    ResolutionPolicy m_eResolutionPolicy;
    SDL_Rect m_viewport;
    int m_nOutputWidth;
    int m_nOutputHeight;
    float m_fScaleX;
    float m_fScaleY;
    bool m_bFullscreen;
    bool m_bMinimized;
    bool m_bCloseRequested;
    CCTouch* m_pMouseTouch;         ///< retained while the left button is down
    CCEvent* m_pEvent;              ///< owned, handed with every touch
    std::string m_captureNextFrame;
};

NS_CC_END

#endif // __CC_EGLVIEW_H__
