#ifndef __CC_SPRITES_MODULE_H__
#define __CC_SPRITES_MODULE_H__

// Umbrella of the sprites module: images, textures, frames, sprites, batch node, animations.

#include "sprites/CCNS.h"
#include "sprites/CCImage.h"
#include "sprites/CCTexture2D.h"
#include "sprites/CCTextureCache.h"
#include "sprites/CCSpriteFrame.h"
#include "sprites/CCSpriteFrameCache.h"
#include "sprites/CCSprite.h"
#include "sprites/CCSpriteBatchNode.h"
#include "sprites/CCAnimation.h"
#include "sprites/CCAnimationCache.h"

#endif
