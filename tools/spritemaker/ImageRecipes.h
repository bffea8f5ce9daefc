#ifndef __VORN_TOOL_IMAGE_RECIPES_H__
#define __VORN_TOOL_IMAGE_RECIPES_H__

#include <string>

namespace vorntool
{
/**
 * Draws every image of a recipe file into <dir>/<name>.png. A recipe:
 *   image <name> <width> <height>
 *     disc <cx> <cy> <rx> <ry> <#colour>         filled ellipse
 *     ring <cx> <cy> <radius> <thickness> <#colour>
 *     glow <cx> <cy> <radius> <#colour>          alpha fading to clear at the radius
 *     vignette <inner> <outer> <#colour>         clear inside the inner ellipse, full from the
 *                                                outer one (1 touches the middle of each edge)
 *     rect <x> <y> <w> <h> <corner> <#colour> [<#bottom>]   rounded box, optional vertical gradient
 *     frame <x> <y> <w> <h> <corner> <thickness> <#colour>  outline of a rounded box
 *     poly <x1> <y1> <x2> <y2> <x3> <y3> ... <#colour>      filled polygon (even-odd)
 * Edges are smoothed by 4x4 sampling; output depends only on the recipe.
 */
bool drawImageRecipes(const std::string& path, const std::string& dir);
} // namespace vorntool

#endif
