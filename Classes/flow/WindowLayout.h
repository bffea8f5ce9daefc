#ifndef __WINDOW_LAYOUT_H__
#define __WINDOW_LAYOUT_H__

#include <string>

/** How the program sizes its window from the screen and reads its command line. */
class WindowLayout
{
public:
    /** A screen size the display can't tell (headless, 0) becomes this. */
    static const int kFallbackWidth = 1280;
    static const int kFallbackHeight = 720;

    /**
     * Keeps the aspect between 4:3 and 16:9 by cutting the longer side (truncated, single
     * precision), so a 1366x768 screen gives 1365x768 and 1280x1024 gives 1280x960.
     */
    static void clampAspect(int* width, int* height);
    /** The window: three quarters of the clamped size. */
    static void windowSize(int clampedWidth, int clampedHeight, float* width, float* height);
    /** Only a command line of exactly "-w" keeps the window; anything else plays full screen. */
    static bool isWindowedCommandLine(const std::string& commandLine);
    /** The program's arguments joined by single spaces, as a Windows command line reads. */
    static std::string commandLineFromArguments(int argc, char** argv);
};

#endif // __WINDOW_LAYOUT_H__
