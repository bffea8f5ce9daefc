#ifndef __VORN_TOOL_SHEET_PACKER_H__
#define __VORN_TOOL_SHEET_PACKER_H__

#include "Image.h"

#include <string>
#include <vector>

namespace vorntool
{
struct SheetFrame
{
    std::string name;
    Image image; // the untrimmed frame; its size is the frame's source size
};

/**
 * Trims every frame to its opaque pixels, stores identical trimmed frames once, packs them into
 * one page and writes <dir>/<sheet>.png and <dir>/<sheet>.plist (sprite-sheet format 2). The
 * result depends only on the frames given, never on time or machine.
 */
bool packSheet(const std::vector<SheetFrame>& frames, const std::string& dir, const std::string& sheet);
} // namespace vorntool

#endif
