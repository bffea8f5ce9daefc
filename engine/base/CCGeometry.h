#ifndef __CC_GEOMETRY_H__
#define __CC_GEOMETRY_H__

#include "CCPlatformMacros.h"

#include <cmath>

NS_CC_BEGIN

/** A point or vector in points (floats), passed by value. */
class CCPoint
{
public:
    float x;
    float y;

    CCPoint() : x(0), y(0) {}
    CCPoint(float fx, float fy) : x(fx), y(fy) {}

    void setPoint(float fx, float fy) { x = fx; y = fy; }
    bool equals(const CCPoint& target) const { return x == target.x && y == target.y; }
    bool fuzzyEquals(const CCPoint& target, float variance) const
    {
        return x - variance <= target.x && target.x <= x + variance
            && y - variance <= target.y && target.y <= y + variance;
    }

    CCPoint operator+(const CCPoint& right) const { return CCPoint(x + right.x, y + right.y); }
    CCPoint operator-(const CCPoint& right) const { return CCPoint(x - right.x, y - right.y); }
    CCPoint operator-() const { return CCPoint(-x, -y); }
    CCPoint operator*(float a) const { return CCPoint(x * a, y * a); }
    CCPoint operator/(float a) const { return CCPoint(x / a, y / a); }
    CCPoint& operator+=(const CCPoint& right) { x += right.x; y += right.y; return *this; }
    CCPoint& operator-=(const CCPoint& right) { x -= right.x; y -= right.y; return *this; }
    bool operator==(const CCPoint& right) const { return equals(right); }
    bool operator!=(const CCPoint& right) const { return !equals(right); }

    float getLength() const { return sqrtf(x * x + y * y); }
    float getLengthSq() const { return x * x + y * y; }
    float getDistance(const CCPoint& other) const { return (*this - other).getLength(); }
    float getDistanceSq(const CCPoint& other) const { return (*this - other).getLengthSq(); }
    float getAngle() const { return atan2f(y, x); }
    float dot(const CCPoint& other) const { return x * other.x + y * other.y; }
    float cross(const CCPoint& other) const { return x * other.y - y * other.x; }
    CCPoint getPerp() const { return CCPoint(-y, x); }
    CCPoint getRPerp() const { return CCPoint(y, -x); }
    /** Unit vector; the zero vector gives (1, 0). */
    CCPoint normalize() const
    {
        float length = getLength();
        if (length == 0.0f)
        {
            return CCPoint(1.0f, 0.0f);
        }
        return *this / length;
    }
    CCPoint lerp(const CCPoint& other, float alpha) const { return *this * (1.0f - alpha) + other * alpha; }
    CCPoint rotate(const CCPoint& other) const { return CCPoint(x * other.x - y * other.y, x * other.y + y * other.x); }
    static CCPoint forAngle(float a) { return CCPoint(cosf(a), sinf(a)); }
};

class CCSize
{
public:
    float width;
    float height;

    CCSize() : width(0), height(0) {}
    CCSize(float w, float h) : width(w), height(h) {}

    void setSize(float w, float h) { width = w; height = h; }
    bool equals(const CCSize& target) const { return width == target.width && height == target.height; }
    CCSize operator+(const CCSize& right) const { return CCSize(width + right.width, height + right.height); }
    CCSize operator-(const CCSize& right) const { return CCSize(width - right.width, height - right.height); }
    CCSize operator*(float a) const { return CCSize(width * a, height * a); }
    CCSize operator/(float a) const { return CCSize(width / a, height / a); }
    bool operator==(const CCSize& right) const { return equals(right); }
};

/** An axis-aligned rectangle: origin is the lower-left corner. Edges count as inside. */
class CCRect
{
public:
    CCPoint origin;
    CCSize size;

    CCRect() {}
    CCRect(float x, float y, float width, float height) : origin(x, y), size(width, height) {}

    void setRect(float x, float y, float width, float height)
    {
        origin.setPoint(x, y);
        size.setSize(width, height);
    }
    float getMinX() const { return origin.x; }
    float getMidX() const { return origin.x + size.width / 2.0f; }
    float getMaxX() const { return origin.x + size.width; }
    float getMinY() const { return origin.y; }
    float getMidY() const { return origin.y + size.height / 2.0f; }
    float getMaxY() const { return origin.y + size.height; }
    bool equals(const CCRect& rect) const { return origin.equals(rect.origin) && size.equals(rect.size); }
    bool operator==(const CCRect& rect) const { return equals(rect); }
    bool containsPoint(const CCPoint& point) const
    {
        return point.x >= getMinX() && point.x <= getMaxX() && point.y >= getMinY() && point.y <= getMaxY();
    }
    bool intersectsRect(const CCRect& rect) const
    {
        return !(getMaxX() < rect.getMinX() || rect.getMaxX() < getMinX()
              || getMaxY() < rect.getMinY() || rect.getMaxY() < getMinY());
    }
};

#define CCPointMake(x, y) ::cocos2d::CCPoint((float)(x), (float)(y))
#define CCSizeMake(width, height) ::cocos2d::CCSize((float)(width), (float)(height))
#define CCRectMake(x, y, width, height) ::cocos2d::CCRect((float)(x), (float)(y), (float)(width), (float)(height))
#define ccp(__X__, __Y__) ::cocos2d::CCPoint((float)(__X__), (float)(__Y__))

extern const CCPoint CCPointZero;
extern const CCSize CCSizeZero;
extern const CCRect CCRectZero;

NS_CC_END

#endif // __CC_GEOMETRY_H__
