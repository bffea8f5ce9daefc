#ifndef __VORN_TOOL_FIGHTER_DRAWING_H__
#define __VORN_TOOL_FIGHTER_DRAWING_H__

#include "FighterFile.h"

namespace vorntool
{
/**
 * Draws one pose on a clear canvas of the fighter's size, facing right, the lowest point of the
 * body on the bottom row (raised by the pose's "lift") and the hip at the centre plus "x".
 */
bool drawFighter(const Fighter& f, const Pose& pose, Image& out);
} // namespace vorntool

#endif
