#ifndef __CC_QUAD_TYPES_H__
#define __CC_QUAD_TYPES_H__

#include "base/ccTypes.h"

NS_CC_BEGIN

/** One corner of a quad: position in the drawing node's space, colour, texture coordinate. */
struct ccSpriteVertex
{
    ccVertex2F vertices;
    ccColor4B colors;
    ccTex2F texCoords;   ///< u right, v down, 0..1 over the texture
};

/**
 * A textured, tinted quad: bottom-left, bottom-right, top-left, top-right. Sprites, glyphs,
 * particles and scale-9 pieces all draw as arrays of these (CCRenderer::drawQuads).
 */
struct ccSpriteQuad
{
    ccSpriteVertex bl;
    ccSpriteVertex br;
    ccSpriteVertex tl;
    ccSpriteVertex tr;
};

NS_CC_END

#endif // __CC_QUAD_TYPES_H__
