#include "platform/CCEGLView.h"

#include "base/CCConsole.h"
#include "base/CCSet.h"
#include "draw/CCRenderer.h"
#include "nodes/CCDirector.h"
#include "nodes/CCEvent.h"
#include "nodes/CCTouch.h"
#include "platform/CCApplication.h"
#include "platform/CCGamepadDispatcher.h"
#include "platform/CCKeyboardDispatcher.h"
#include "platform/CCTouchDispatcher.h"
#include "sprites/CCTexture2D.h"
#include "support/CCNotificationCenter.h"

#include <SDL_image.h>

#include <cmath>
#include <cstring>

NS_CC_BEGIN

namespace
{
CCEGLView* s_sharedView = NULL;
std::string s_iconPath;

const int kDefaultScreenWidth = 1280;
const int kDefaultScreenHeight = 720;

// A pad's hash: the same for every pad of one model (its SDL GUID), so mappings carry over.
int padHash(SDL_JoystickID instance)
{
    SDL_Joystick* joystick = SDL_JoystickFromInstanceID(instance);
    if (!joystick)
    {
        return -1;
    }
    const SDL_JoystickGUID guid = SDL_JoystickGetGUID(joystick);
    unsigned int hash = 2166136261u;
    for (size_t i = 0; i < sizeof(guid.data); ++i)
    {
        hash = (hash ^ guid.data[i]) * 16777619u;
    }
    return (int)(hash & 0x7FFFFFFF);
}
}

CCEGLView* CCEGLView::sharedOpenGLView()
{
    if (!s_sharedView)
    {
        CCEGLView* view = new CCEGLView();
        if (!view->initView())
        {
            delete view;
            return NULL;
        }
        s_sharedView = view;
    }
    return s_sharedView;
}

void CCEGLView::purgeSharedOpenGLView()
{
    if (!s_sharedView)
    {
        return;
    }
    if (CCDirector::hasSharedDirector() && CCDirector::sharedDirector()->getOpenGLView() == s_sharedView)
    {
        CCDirector::sharedDirector()->setOpenGLView(NULL);
    }
    CCEGLView* view = s_sharedView;
    s_sharedView = NULL;
    view->release();
}

void CCEGLView::setIcon(const char* imagePath)
{
    s_iconPath = imagePath ? imagePath : "";
    if (s_sharedView)
    {
        s_sharedView->applyIcon();
    }
}

CCEGLView::CCEGLView()
: m_pWindow(NULL)
, m_pRenderer(NULL)
, m_obFrameSize(960.0f, 640.0f)
, m_obDesignSize(960.0f, 640.0f)
, m_eResolutionPolicy(kResolutionShowAll)
, m_nOutputWidth(0)
, m_nOutputHeight(0)
, m_fScaleX(1.0f)
, m_fScaleY(1.0f)
, m_bFullscreen(false)
, m_bMinimized(false)
, m_bCloseRequested(false)
, m_pMouseTouch(NULL)
, m_pEvent(new CCEvent())
{
    m_viewport.x = 0;
    m_viewport.y = 0;
    m_viewport.w = 960;
    m_viewport.h = 640;
}

CCEGLView::~CCEGLView()
{
    CC_SAFE_RELEASE(m_pMouseTouch);
    m_pEvent->release();
    if (m_pRenderer)
    {
        CCRenderer::sharedRenderer()->setSDLRenderer(NULL);
        SDL_DestroyRenderer(m_pRenderer);
    }
    if (m_pWindow)
    {
        SDL_DestroyWindow(m_pWindow);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
}

bool CCEGLView::initView()
{
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
    {
        CCLog("ERROR: CCEGLView - SDL video: %s", SDL_GetError());
        return false;
    }
    m_pWindow = SDL_CreateWindow("", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, (int)m_obFrameSize.width,
                                 (int)m_obFrameSize.height, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
    if (!m_pWindow)
    {
        CCLog("ERROR: CCEGLView - no window: %s", SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool headless = driver && strcmp(driver, "dummy") == 0;
    if (!headless)
    {
        m_pRenderer = SDL_CreateRenderer(m_pWindow, -1, SDL_RENDERER_ACCELERATED);
    }
    if (!m_pRenderer)
    {
        m_pRenderer = SDL_CreateRenderer(m_pWindow, -1, SDL_RENDERER_SOFTWARE);
    }
    if (!m_pRenderer)
    {
        CCLog("ERROR: CCEGLView - no renderer: %s", SDL_GetError());
        SDL_DestroyWindow(m_pWindow);
        m_pWindow = NULL;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    CCRenderer::sharedRenderer()->setSDLRenderer(m_pRenderer);
    applyIcon();
    updateViewport();
    return true;
}

void CCEGLView::applyIcon()
{
    if (!m_pWindow || s_iconPath.empty())
    {
        return;
    }
    SDL_Surface* icon = IMG_Load(s_iconPath.c_str());
    if (!icon)
    {
        CCLog("CCEGLView::setIcon - can't load %s: %s", s_iconPath.c_str(), IMG_GetError());
        return;
    }
    SDL_SetWindowIcon(m_pWindow, icon);
    SDL_FreeSurface(icon);
}

// ---- sizes ---------------------------------------------------------------------------------

int CCEGLView::getFullscreenWidth()
{
    SDL_DisplayMode mode;
    const int display = m_pWindow ? SDL_GetWindowDisplayIndex(m_pWindow) : 0;
    if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &mode) != 0 || mode.w <= 0 || mode.h <= 0)
    {
        return kDefaultScreenWidth;
    }
    return mode.w;
}

int CCEGLView::getFullscreenHeight()
{
    SDL_DisplayMode mode;
    const int display = m_pWindow ? SDL_GetWindowDisplayIndex(m_pWindow) : 0;
    if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &mode) != 0 || mode.w <= 0 || mode.h <= 0)
    {
        return kDefaultScreenHeight;
    }
    return mode.h;
}

void CCEGLView::setFrameSize(float width, float height)
{
    if (!(width >= 1.0f) || !(height >= 1.0f))
    {
        CCLog("CCEGLView::setFrameSize - ignoring %gx%g", width, height);
        return;
    }
    m_obFrameSize = CCSize(width, height);
    if (m_pWindow)
    {
        SDL_SetWindowSize(m_pWindow, (int)width, (int)height);
        if (!m_bFullscreen)
        {
            SDL_SetWindowPosition(m_pWindow, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
        }
    }
    updateViewport();
}

void CCEGLView::setDesignResolutionSize(float width, float height, ResolutionPolicy resolutionPolicy)
{
    if (!(width > 0.0f) || !(height > 0.0f))
    {
        CCLog("CCEGLView::setDesignResolutionSize - ignoring %gx%g", width, height);
        return;
    }
    if (resolutionPolicy < kResolutionExactFit || resolutionPolicy >= kResolution_MAX)
    {
        CCLog("CCEGLView::setDesignResolutionSize - unknown policy %d, showing all", (int)resolutionPolicy);
        resolutionPolicy = kResolutionShowAll;
    }
    m_obDesignSize = CCSize(width, height);
    m_eResolutionPolicy = resolutionPolicy;
    CCDirector::sharedDirector()->setWinSize(m_obDesignSize);
    updateViewport();
}

void CCEGLView::updateViewport()
{
    int outW = (int)m_obFrameSize.width;
    int outH = (int)m_obFrameSize.height;
    if (m_pRenderer)
    {
        SDL_GetRendererOutputSize(m_pRenderer, &outW, &outH);
    }
    m_nOutputWidth = outW;
    m_nOutputHeight = outH;
    const float sx = (float)outW / m_obDesignSize.width;
    const float sy = (float)outH / m_obDesignSize.height;
    switch (m_eResolutionPolicy)
    {
    case kResolutionExactFit:
        m_fScaleX = sx;
        m_fScaleY = sy;
        break;
    case kResolutionNoBorder:
        m_fScaleX = m_fScaleY = sx > sy ? sx : sy;
        break;
    default:
        m_fScaleX = m_fScaleY = sx < sy ? sx : sy;
        break;
    }
    m_viewport.w = (int)lroundf(m_obDesignSize.width * m_fScaleX);
    m_viewport.h = (int)lroundf(m_obDesignSize.height * m_fScaleY);
    m_viewport.x = (outW - m_viewport.w) / 2;
    m_viewport.y = (outH - m_viewport.h) / 2;
    CCRenderer::sharedRenderer()->setDesignViewport(m_obDesignSize, m_viewport);
}

CCSize CCEGLView::getVisibleSize() const
{
    if (m_eResolutionPolicy == kResolutionNoBorder)
    {
        return CCSize((float)m_nOutputWidth / m_fScaleX, (float)m_nOutputHeight / m_fScaleY);
    }
    return m_obDesignSize;
}

CCPoint CCEGLView::getVisibleOrigin() const
{
    if (m_eResolutionPolicy == kResolutionNoBorder)
    {
        const CCSize visible = getVisibleSize();
        return CCPoint((m_obDesignSize.width - visible.width) / 2.0f, (m_obDesignSize.height - visible.height) / 2.0f);
    }
    return CCPointZero;
}

CCPoint CCEGLView::convertWindowToDesign(float x, float y) const
{
    // Mouse positions are in window units, which differ from pixels on high-density screens.
    if (m_pWindow)
    {
        int winW = 0;
        int winH = 0;
        SDL_GetWindowSize(m_pWindow, &winW, &winH);
        if (winW > 0 && winH > 0)
        {
            x *= (float)m_nOutputWidth / (float)winW;
            y *= (float)m_nOutputHeight / (float)winH;
        }
    }
    return CCPoint((x - (float)m_viewport.x) / m_fScaleX, (y - (float)m_viewport.y) / m_fScaleY);
}

// ---- window --------------------------------------------------------------------------------

void CCEGLView::setFullscreen(bool fullscreen)
{
    if (m_pWindow && SDL_SetWindowFullscreen(m_pWindow, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0)
    {
        CCLog("CCEGLView::setFullscreen - %s", SDL_GetError());
        return;
    }
    m_bFullscreen = fullscreen;
    if (!fullscreen && m_pWindow)
    {
        SDL_SetWindowSize(m_pWindow, (int)m_obFrameSize.width, (int)m_obFrameSize.height);
    }
    updateViewport();
    CCNotificationCenter::sharedNotificationCenter()->postNotification(fullscreen ? "event_fullscreen"
                                                                                  : "event_windowed");
}

void CCEGLView::setWindowTitle(const char* title)
{
    if (m_pWindow)
    {
        SDL_SetWindowTitle(m_pWindow, title ? title : "");
    }
}

void CCEGLView::show()
{
    if (m_pWindow)
    {
        SDL_ShowWindow(m_pWindow);
    }
}

// ---- the frame -----------------------------------------------------------------------------

void CCEGLView::beginFrame()
{
    if (!m_pRenderer)
    {
        return;
    }
    int outW = 0;
    int outH = 0;
    SDL_GetRendererOutputSize(m_pRenderer, &outW, &outH);
    if (outW != m_nOutputWidth || outH != m_nOutputHeight)
    {
        updateViewport();
    }
    CCRenderer::sharedRenderer()->beginFrame(ccc4(0, 0, 0, 255));
}

void CCEGLView::endFrame()
{
    if (!m_pRenderer)
    {
        return;
    }
    CCRenderer* renderer = CCRenderer::sharedRenderer();
    renderer->endFrame();
    if (!m_captureNextFrame.empty())
    {
        renderer->saveToPNG(m_captureNextFrame.c_str());
        m_captureNextFrame.clear();
    }
    SDL_RenderPresent(m_pRenderer);
}

bool CCEGLView::saveFrameToPNG(const char* path)
{
    return m_pRenderer && CCRenderer::sharedRenderer()->saveToPNG(path);
}

// ---- events --------------------------------------------------------------------------------

void CCEGLView::pollEvents()
{
    SDL_Event event;
    while (SDL_PollEvent(&event))
    {
        handleEvent(event);
    }
}

void CCEGLView::handleEvent(const SDL_Event& event)
{
    CCDirector* director = CCDirector::sharedDirector();
    switch (event.type)
    {
    case SDL_QUIT:
        m_bCloseRequested = true;
        break;
    case SDL_WINDOWEVENT:
        if (m_pWindow && event.window.windowID != SDL_GetWindowID(m_pWindow))
        {
            break;
        }
        switch (event.window.event)
        {
        case SDL_WINDOWEVENT_CLOSE:
            m_bCloseRequested = true;
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            if (!m_bMinimized)
            {
                m_bMinimized = true;
                cancelTouch();
                if (CCApplication::sharedApplication())
                {
                    CCApplication::sharedApplication()->applicationDidEnterBackground();
                }
            }
            break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
            if (m_bMinimized)
            {
                m_bMinimized = false;
                if (CCApplication::sharedApplication())
                {
                    CCApplication::sharedApplication()->applicationWillEnterForeground();
                }
            }
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            updateViewport();
            break;
        default:
            break;
        }
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (event.button.button == SDL_BUTTON_LEFT)
        {
            mouseDown((float)event.button.x, (float)event.button.y);
        }
        break;
    case SDL_MOUSEMOTION:
        if (m_pMouseTouch)
        {
            mouseMoved((float)event.motion.x, (float)event.motion.y);
        }
        break;
    case SDL_MOUSEBUTTONUP:
        if (event.button.button == SDL_BUTTON_LEFT)
        {
            mouseUp((float)event.button.x, (float)event.button.y);
        }
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
    {
        // Auto-repeat is not a new press.
        if (event.key.repeat)
        {
            break;
        }
        const int code = CCKeyboardDispatcher::keyCodeForSDLKey(event.key.keysym.sym, event.key.keysym.scancode);
        if (code != 0 && director->getKeyboardDispatcher())
        {
            director->getKeyboardDispatcher()->dispatchKey(code, event.type == SDL_KEYDOWN);
        }
        break;
    }
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
        if (director->getGamepadDispatcher())
        {
            const bool pressed = event.type == SDL_JOYBUTTONDOWN;
            director->getGamepadDispatcher()->dispatchButton(pressed, event.jbutton.button, pressed ? 1 : 0,
                                                             padHash(event.jbutton.which));
        }
        break;
    case SDL_JOYAXISMOTION:
        if (director->getGamepadDispatcher())
        {
            director->getGamepadDispatcher()->dispatchAxis(event.jaxis.axis, event.jaxis.value,
                                                           padHash(event.jaxis.which));
        }
        break;
    default:
        break;
    }
}

void CCEGLView::mouseDown(float x, float y)
{
    if (m_pMouseTouch)
    {
        // The release was lost (outside the window): finish that touch first.
        mouseUp(x, y);
    }
    const CCPoint p = convertWindowToDesign(x, y);
    m_pMouseTouch = new CCTouch();
    m_pMouseTouch->setTouchInfo(0, p.x, p.y);
    dispatchMouseTouch(m_pMouseTouch, &CCTouchDispatcher::touchesBegan);
}

void CCEGLView::mouseMoved(float x, float y)
{
    CCTouch* touch = m_pMouseTouch;
    const CCPoint p = convertWindowToDesign(x, y);
    touch->setTouchInfo(0, p.x, p.y);
    dispatchMouseTouch(touch, &CCTouchDispatcher::touchesMoved);
}

void CCEGLView::mouseUp(float x, float y)
{
    CCTouch* touch = m_pMouseTouch;
    if (!touch)
    {
        return;
    }
    m_pMouseTouch = NULL;
    const CCPoint p = convertWindowToDesign(x, y);
    touch->setTouchInfo(0, p.x, p.y);
    dispatchMouseTouch(touch, &CCTouchDispatcher::touchesEnded);
    touch->release();
}

void CCEGLView::cancelTouch()
{
    CCTouch* touch = m_pMouseTouch;
    if (!touch)
    {
        return;
    }
    m_pMouseTouch = NULL;
    dispatchMouseTouch(touch, &CCTouchDispatcher::touchesCancelled);
    touch->release();
}

void CCEGLView::dispatchMouseTouch(CCTouch* touch, void (CCTouchDispatcher::*phase)(CCSet*, CCEvent*))
{
    CCTouchDispatcher* dispatcher = CCDirector::sharedDirector()->getTouchDispatcher();
    if (dispatcher)
    {
        CCSet* set = CCSet::create();
        set->addObject(touch);
        (dispatcher->*phase)(set, m_pEvent);
    }
}

NS_CC_END
