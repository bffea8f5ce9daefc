#include "WindowLayout.h"

void WindowLayout::clampAspect(int* width, int* height)
{
    if (*width <= 0 || *height <= 0)
    {
        *width = kFallbackWidth;
        *height = kFallbackHeight;
    }
    const float ratio = (float)*width / (float)*height;
    const float fourByThree = 1.3333334f;
    const float sixteenByNine = 1.7777778f;
    if (ratio < fourByThree)
    {
        *height = (int)((float)*width / fourByThree);
    }
    else if (ratio > sixteenByNine)
    {
        *width = (int)((float)*height * sixteenByNine);
    }
}

void WindowLayout::windowSize(int clampedWidth, int clampedHeight, float* width, float* height)
{
    *width = (float)(clampedWidth * 0.75);
    *height = (float)(clampedHeight * 0.75);
}

bool WindowLayout::isWindowedCommandLine(const std::string& commandLine)
{
    return commandLine == "-w";
}

std::string WindowLayout::commandLineFromArguments(int argc, char** argv)
{
    std::string line;
    for (int i = 1; i < argc; ++i)
    {
        if (i > 1)
        {
            line += ' ';
        }
        line += argv[i] ? argv[i] : "";
    }
    return line;
}
