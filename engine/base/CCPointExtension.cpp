#include "CCPointExtension.h"

#include <cfloat>

NS_CC_BEGIN

float ccpLength(const CCPoint& v) { return v.getLength(); }
float ccpLengthSQ(const CCPoint& v) { return v.getLengthSq(); }
float ccpDistance(const CCPoint& v1, const CCPoint& v2) { return v1.getDistance(v2); }
float ccpDistanceSQ(const CCPoint& v1, const CCPoint& v2) { return v1.getDistanceSq(v2); }
CCPoint ccpNormalize(const CCPoint& v) { return v.normalize(); }
CCPoint ccpForAngle(float a) { return CCPoint::forAngle(a); }

float ccpToAngle(const CCPoint& v)
{
    if (v.x == 0.0f && v.y == 0.0f)
    {
        return 0.0f;
    }
    return atan2f(v.y, v.x);
}

float clampf(float value, float min_inclusive, float max_inclusive)
{
    if (min_inclusive > max_inclusive)
    {
        float t = min_inclusive;
        min_inclusive = max_inclusive;
        max_inclusive = t;
    }
    return value < min_inclusive ? min_inclusive : (value < max_inclusive ? value : max_inclusive);
}

CCPoint ccpClamp(const CCPoint& p, const CCPoint& from, const CCPoint& to)
{
    return CCPoint(clampf(p.x, from.x, to.x), clampf(p.y, from.y, to.y));
}

CCPoint ccpLerp(const CCPoint& a, const CCPoint& b, float alpha)
{
    return a.lerp(b, alpha);
}

bool ccpFuzzyEqual(const CCPoint& a, const CCPoint& b, float variance)
{
    return a.fuzzyEquals(b, variance);
}

float ccpAngleSigned(const CCPoint& a, const CCPoint& b)
{
    CCPoint a2 = ccpNormalize(a);
    CCPoint b2 = ccpNormalize(b);
    float angle = atan2f(a2.x * b2.y - a2.y * b2.x, ccpDot(a2, b2));
    if (fabsf(angle) < FLT_EPSILON)
    {
        return 0.0f;
    }
    return angle;
}

float ccpAngle(const CCPoint& a, const CCPoint& b)
{
    float cosine = ccpDot(ccpNormalize(a), ccpNormalize(b));
    // Rounding can push the cosine just past 1 for parallel vectors.
    cosine = clampf(cosine, -1.0f, 1.0f);
    float angle = acosf(cosine);
    if (fabsf(angle) < FLT_EPSILON)
    {
        return 0.0f;
    }
    return angle;
}

CCPoint ccpRotateByAngle(const CCPoint& v, const CCPoint& pivot, float angle)
{
    CCPoint r = v - pivot;
    float cosa = cosf(angle);
    float sina = sinf(angle);
    return CCPoint(r.x * cosa - r.y * sina, r.x * sina + r.y * cosa) + pivot;
}

bool ccpLineIntersect(const CCPoint& A, const CCPoint& B, const CCPoint& C, const CCPoint& D, float* S, float* T)
{
    // A point instead of a line has no direction.
    if ((A.x == B.x && A.y == B.y) || (C.x == D.x && C.y == D.y))
    {
        return false;
    }
    const float BAx = B.x - A.x;
    const float BAy = B.y - A.y;
    const float DCx = D.x - C.x;
    const float DCy = D.y - C.y;
    const float ACx = A.x - C.x;
    const float ACy = A.y - C.y;

    const float denom = DCy * BAx - DCx * BAy;
    if (denom == 0.0f)
    {
        return false;
    }
    if (S)
    {
        *S = (DCx * ACy - DCy * ACx) / denom;
    }
    if (T)
    {
        *T = (BAx * ACy - BAy * ACx) / denom;
    }
    return true;
}

bool ccpSegmentIntersect(const CCPoint& A, const CCPoint& B, const CCPoint& C, const CCPoint& D)
{
    float S = 0.0f;
    float T = 0.0f;
    return ccpLineIntersect(A, B, C, D, &S, &T) && S >= 0.0f && S <= 1.0f && T >= 0.0f && T <= 1.0f;
}

CCPoint ccpIntersectPoint(const CCPoint& A, const CCPoint& B, const CCPoint& C, const CCPoint& D)
{
    float S = 0.0f;
    float T = 0.0f;
    if (ccpLineIntersect(A, B, C, D, &S, &T))
    {
        return CCPoint(A.x + S * (B.x - A.x), A.y + S * (B.y - A.y));
    }
    return CCPointZero;
}

NS_CC_END
