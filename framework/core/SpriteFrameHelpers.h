#ifndef __SPRITE_FRAME_HELPERS_H__
#define __SPRITE_FRAME_HELPERS_H__

#include "CCArray.h"

NS_CC_BEGIN

/**
 * The frame names (CCString) of a sprite-sheet plist, sorted byte-wise (so "walk10.png" comes
 * before "walk2.png": an animation's frames must be named to sort in playing order). The sheet
 * is added to the sprite-frame cache too. NULL, with a logged error, when the sheet has no frames.
 */
CCArray* getSortedSpriteFrameNames(const char* fileName);

/**
 * The sheet's sprite frames in frame-name order, the sheet added to the sprite-frame cache.
 * A sheet without frames logs an error and gives an empty array.
 */
CCArray* loadSpriteFramesFromFile(const char* fileName);

NS_CC_END

#endif // __SPRITE_FRAME_HELPERS_H__
