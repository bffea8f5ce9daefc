#include "CCAffineTransform.h"

#include <algorithm>
#include <cmath>

NS_CC_BEGIN

const CCAffineTransform CCAffineTransformIdentity = { 1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f };

CCAffineTransform __CCAffineTransformMake(float a, float b, float c, float d, float tx, float ty)
{
    CCAffineTransform t = { a, b, c, d, tx, ty };
    return t;
}

CCPoint __CCPointApplyAffineTransform(const CCPoint& point, const CCAffineTransform& t)
{
    return CCPoint(t.a * point.x + t.c * point.y + t.tx, t.b * point.x + t.d * point.y + t.ty);
}

CCSize __CCSizeApplyAffineTransform(const CCSize& size, const CCAffineTransform& t)
{
    return CCSize(t.a * size.width + t.c * size.height, t.b * size.width + t.d * size.height);
}

CCAffineTransform CCAffineTransformMakeIdentity()
{
    return CCAffineTransformIdentity;
}

CCRect CCRectApplyAffineTransform(const CCRect& rect, const CCAffineTransform& t)
{
    const float top = rect.getMinY();
    const float left = rect.getMinX();
    const float right = rect.getMaxX();
    const float bottom = rect.getMaxY();

    CCPoint corners[4] = {
        CCPointApplyAffineTransform(CCPoint(left, top), t),
        CCPointApplyAffineTransform(CCPoint(right, top), t),
        CCPointApplyAffineTransform(CCPoint(left, bottom), t),
        CCPointApplyAffineTransform(CCPoint(right, bottom), t),
    };
    float minX = corners[0].x, maxX = corners[0].x, minY = corners[0].y, maxY = corners[0].y;
    for (int i = 1; i < 4; ++i)
    {
        minX = std::min(minX, corners[i].x);
        maxX = std::max(maxX, corners[i].x);
        minY = std::min(minY, corners[i].y);
        maxY = std::max(maxY, corners[i].y);
    }
    return CCRect(minX, minY, maxX - minX, maxY - minY);
}

CCAffineTransform CCAffineTransformTranslate(const CCAffineTransform& t, float tx, float ty)
{
    return __CCAffineTransformMake(t.a, t.b, t.c, t.d, t.tx + t.a * tx + t.c * ty, t.ty + t.b * tx + t.d * ty);
}

CCAffineTransform CCAffineTransformScale(const CCAffineTransform& t, float sx, float sy)
{
    return __CCAffineTransformMake(t.a * sx, t.b * sx, t.c * sy, t.d * sy, t.tx, t.ty);
}

CCAffineTransform CCAffineTransformRotate(const CCAffineTransform& t, float anAngle)
{
    float fSin = sinf(anAngle);
    float fCos = cosf(anAngle);
    return __CCAffineTransformMake(t.a * fCos + t.c * fSin,
                                   t.b * fCos + t.d * fSin,
                                   t.c * fCos - t.a * fSin,
                                   t.d * fCos - t.b * fSin,
                                   t.tx,
                                   t.ty);
}

CCAffineTransform CCAffineTransformConcat(const CCAffineTransform& t1, const CCAffineTransform& t2)
{
    return __CCAffineTransformMake(t1.a * t2.a + t1.b * t2.c, t1.a * t2.b + t1.b * t2.d,
                                   t1.c * t2.a + t1.d * t2.c, t1.c * t2.b + t1.d * t2.d,
                                   t1.tx * t2.a + t1.ty * t2.c + t2.tx,
                                   t1.tx * t2.b + t1.ty * t2.d + t2.ty);
}

bool CCAffineTransformEqualToTransform(const CCAffineTransform& t1, const CCAffineTransform& t2)
{
    return t1.a == t2.a && t1.b == t2.b && t1.c == t2.c && t1.d == t2.d && t1.tx == t2.tx && t1.ty == t2.ty;
}

CCAffineTransform CCAffineTransformInvert(const CCAffineTransform& t)
{
    float determinant = t.a * t.d - t.b * t.c;
    if (determinant == 0.0f)
    {
        // A collapsed node (scale 0) has no inverse; identity keeps callers finite.
        return CCAffineTransformIdentity;
    }
    determinant = 1.0f / determinant;
    return __CCAffineTransformMake(determinant * t.d, -determinant * t.b, -determinant * t.c, determinant * t.a,
                                   determinant * (t.c * t.ty - t.d * t.tx), determinant * (t.b * t.tx - t.a * t.ty));
}

NS_CC_END
