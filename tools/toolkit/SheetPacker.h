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
 *
 * With turnTall, a trimmed frame taller than wide is stored turned a quarter clockwise, lying
 * flat so the shelves stay low, and marked "rotated" as sheet packers do.
 */
bool packSheet(const std::vector<SheetFrame>& frames, const std::string& dir, const std::string& sheet,
               bool turnTall = false);
} // namespace vorntool

#endif
