#ifndef __VORN_NODE_BOUNDS_H__
#define __VORN_NODE_BOUNDS_H__

#include "cocos2d.h"

#include <string>

namespace vorntest
{
/** The node's bounding box in window coordinates, through all its parents' transforms. */
cocos2d::CCRect worldBox(cocos2d::CCNode* node);
/** True when the node and every parent it has are visible. */
bool isShown(cocos2d::CCNode* node);
/** True when `inner` lies within `outer` grown by `slack` on every side. */
bool isInside(const cocos2d::CCRect& inner, const cocos2d::CCRect& outer, float slack = 0.0f);
/** True when the two boxes share more than `slack` in both directions. */
bool overlaps(const cocos2d::CCRect& a, const cocos2d::CCRect& b, float slack = 0.0f);
/** The smallest box holding both. */
cocos2d::CCRect unite(const cocos2d::CCRect& a, const cocos2d::CCRect& b);
/** "(x,y wxh)", for messages. */
std::string describe(const cocos2d::CCRect& box);
} // namespace vorntest

#endif
