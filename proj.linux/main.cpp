// The program's entry: sizes the window from the screen, then hands over to the engine loop.
#include "AppDelegate.h"
#include "CCEGLView.h"
#include "CCFileUtils.h"
#include "CrashHook.h"
#include "WindowLayout.h"

#include <exception>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

USING_NS_CC;

namespace
{
bool isDirectory(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// "Resources" beside the working directory, as the game is started from its folder; failing that,
// the folder the build came from, so the program also starts from elsewhere.
std::string findResourceDirectory()
{
    if (isDirectory("Resources"))
    {
        return "Resources";
    }
    const std::string built = std::string(VORN_SOURCE_RESOURCES);
    if (isDirectory(built))
    {
        return built;
    }
    return "Resources";
}
} // namespace

int main(int argc, char** argv)
{
    VornInstallCrashHook();
    AppDelegate app;

    const std::string resources = findResourceDirectory();
    CCEGLView::setIcon((resources + "/icon.png").c_str());

    CCEGLView* view = CCEGLView::sharedOpenGLView();
    int width = view->getFullscreenWidth();
    int height = view->getFullscreenHeight();
    CCLog("Screen resolution: %dx%d", width, height);
    WindowLayout::clampAspect(&width, &height);
    float frameWidth = 0.0f;
    float frameHeight = 0.0f;
    WindowLayout::windowSize(width, height, &frameWidth, &frameHeight);
    view->setFrameSize(frameWidth, frameHeight);
    view->setDesignResolutionSize((float)width, (float)height, kResolutionShowAll);
    if (!WindowLayout::isWindowedCommandLine(WindowLayout::commandLineFromArguments(argc, argv)))
    {
        view->setFullscreen(true);
    }
    view->setWindowTitle("TULMEK");
    CCFileUtils::sharedFileUtils()->setResourceDirectory(resources.c_str());

    try
    {
        return CCApplication::sharedApplication()->run();
    }
    catch (const std::exception& e)
    {
        CCLog("ERROR: The game stopped on an unexpected error: %s", e.what());
    }
    catch (...)
    {
        CCLog("ERROR: The game stopped on an unexpected error");
    }
    return 1;
}
