// Opens a window of the given size, draws a small moving scene at 60 frames per second, saves
// one frame as a PNG and closes after the given number of frames, printing the frame rate.
//   windowcheck [width height frames capture.png]
#include "cocos2d.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace cocos2d;

namespace
{
int s_width = 480;
int s_height = 320;
int s_frames = 120;
std::string s_capture = "windowcheck.png";

CCTexture2D* checkerTexture()
{
    const int n = 32;
    std::vector<unsigned char> pixels(n * n * 4);
    for (int y = 0; y < n; ++y)
    {
        for (int x = 0; x < n; ++x)
        {
            const bool light = ((x / 8) + (y / 8)) % 2 == 0;
            unsigned char* p = &pixels[(y * n + x) * 4];
            p[0] = light ? 240 : 40;
            p[1] = light ? 200 : 120;
            p[2] = light ? 60 : 220;
            p[3] = 255;
        }
    }
    CCTexture2D* texture = new CCTexture2D();
    texture->initWithData(&pixels[0], kCCTexture2DPixelFormat_RGBA8888, n, n, CCSize((float)n, (float)n));
    texture->autorelease();
    return texture;
}

class CheckLayer : public CCLayerColor
{
public:
    CheckLayer() : m_sprite(NULL), m_frames(0), m_start(0) {}
    bool init()
    {
        if (!CCLayerColor::initWithColor(ccc4(20, 30, 50, 255)))
        {
            return false;
        }
        const CCSize size = CCDirector::sharedDirector()->getWinSize();
        m_sprite = CCSprite::createWithTexture(checkerTexture());
        m_sprite->setScale(3);
        m_sprite->setPosition(ccp(size.width / 2, size.height / 2));
        addChild(m_sprite);
        scheduleUpdate();
        return true;
    }
    virtual void update(float dt)
    {
        m_sprite->setRotation(m_sprite->getRotation() + 90.0f * dt);
        if (m_frames == 0)
        {
            m_start = SDL_GetPerformanceCounter();
        }
        ++m_frames;
        if (m_frames == s_frames)
        {
            CCEGLView::sharedOpenGLView()->captureNextFrame(s_capture.c_str());
        }
        else if (m_frames == s_frames + 2)
        {
            const double seconds = (double)(SDL_GetPerformanceCounter() - m_start) / SDL_GetPerformanceFrequency();
            int w = 0;
            int h = 0;
            SDL_GetWindowSize(CCEGLView::sharedOpenGLView()->getSDLWindow(), &w, &h);
            SDL_RendererInfo info;
            SDL_GetRendererInfo(CCEGLView::sharedOpenGLView()->getSDLRenderer(), &info);
            printf("window %dx%d, renderer %s, %d frames in %.3f s = %.1f fps, frame saved to %s\n", w, h, info.name,
                   m_frames - 1, seconds, (m_frames - 1) / seconds, s_capture.c_str());
            CCEGLView::sharedOpenGLView()->end();
        }
    }
    CREATE_FUNC(CheckLayer);

private:
    CCSprite* m_sprite;
    int m_frames;
    Uint64 m_start;
};

class CheckApp : public CCApplication
{
public:
    virtual bool applicationDidFinishLaunching()
    {
        CCDirector* director = CCDirector::sharedDirector();
        director->setOpenGLView(CCEGLView::sharedOpenGLView());
        director->setAnimationInterval(1.0 / 60);
        CCScene* scene = CCScene::create();
        scene->addChild(CheckLayer::create());
        director->runWithScene(scene);
        return true;
    }
    virtual void applicationDidEnterBackground() {}
    virtual void applicationWillEnterForeground() {}
};
} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3)
    {
        s_width = atoi(argv[1]);
        s_height = atoi(argv[2]);
    }
    if (argc >= 4)
    {
        s_frames = atoi(argv[3]);
    }
    if (argc >= 5)
    {
        s_capture = argv[4];
    }
    if (s_width <= 0 || s_height <= 0 || s_frames <= 0)
    {
        fprintf(stderr, "usage: windowcheck [width height frames capture.png]\n");
        return 2;
    }
    CheckApp app;
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    if (!view)
    {
        return 1;
    }
    view->setFrameSize((float)s_width, (float)s_height);
    view->setDesignResolutionSize(480, 320, kResolutionShowAll);
    view->setWindowTitle("windowcheck");
    return app.run();
}
