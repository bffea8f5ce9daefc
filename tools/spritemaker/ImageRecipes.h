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
 * Edges are smoothed by 4x4 sampling; output depends only on the recipe.
 */
bool drawImageRecipes(const std::string& path, const std::string& dir);
} // namespace vorntool

#endif
