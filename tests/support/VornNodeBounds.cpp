#include "VornNodeBounds.h"

#include <algorithm>
#include <sstream>

USING_NS_CC;

namespace vorntest
{
CCRect worldBox(CCNode* node)
{
    CCRect local(0.0f, 0.0f, node->getContentSize().width, node->getContentSize().height);
    return CCRectApplyAffineTransform(local, node->nodeToWorldTransform());
}

bool isShown(CCNode* node)
{
    for (CCNode* n = node; n != NULL; n = n->getParent())
    {
        if (!n->isVisible())
        {
            return false;
        }
    }
    return true;
}

bool isInside(const CCRect& inner, const CCRect& outer, float slack)
{
    return inner.getMinX() >= outer.getMinX() - slack && inner.getMaxX() <= outer.getMaxX() + slack &&
           inner.getMinY() >= outer.getMinY() - slack && inner.getMaxY() <= outer.getMaxY() + slack;
}

bool overlaps(const CCRect& a, const CCRect& b, float slack)
{
    float across = std::min(a.getMaxX(), b.getMaxX()) - std::max(a.getMinX(), b.getMinX());
    float up = std::min(a.getMaxY(), b.getMaxY()) - std::max(a.getMinY(), b.getMinY());
    return across > slack && up > slack;
}

CCRect unite(const CCRect& a, const CCRect& b)
{
    float left = std::min(a.getMinX(), b.getMinX());
    float bottom = std::min(a.getMinY(), b.getMinY());
    return CCRect(left, bottom, std::max(a.getMaxX(), b.getMaxX()) - left, std::max(a.getMaxY(), b.getMaxY()) - bottom);
}

std::string describe(const CCRect& box)
{
    std::ostringstream out;
    out << "(" << box.origin.x << "," << box.origin.y << " " << box.size.width << "x" << box.size.height << ")";
    return out.str();
}
} // namespace vorntest
