#ifndef __CC_POINT_EXTENSION_H__
#define __CC_POINT_EXTENSION_H__

#include "CCGeometry.h"

NS_CC_BEGIN

// Vector helpers in the engine's C style.

static inline CCPoint ccpNeg(const CCPoint& v) { return -v; }
static inline CCPoint ccpAdd(const CCPoint& v1, const CCPoint& v2) { return v1 + v2; }
static inline CCPoint ccpSub(const CCPoint& v1, const CCPoint& v2) { return v1 - v2; }
static inline CCPoint ccpMult(const CCPoint& v, float s) { return v * s; }
static inline CCPoint ccpMidpoint(const CCPoint& v1, const CCPoint& v2) { return (v1 + v2) * 0.5f; }
static inline float ccpDot(const CCPoint& v1, const CCPoint& v2) { return v1.dot(v2); }
static inline float ccpCross(const CCPoint& v1, const CCPoint& v2) { return v1.cross(v2); }
static inline CCPoint ccpPerp(const CCPoint& v) { return v.getPerp(); }
static inline CCPoint ccpRPerp(const CCPoint& v) { return v.getRPerp(); }
static inline CCPoint ccpProject(const CCPoint& v1, const CCPoint& v2) { return v2 * (v1.dot(v2) / v2.dot(v2)); }
static inline CCPoint ccpRotate(const CCPoint& v1, const CCPoint& v2) { return v1.rotate(v2); }
static inline CCPoint ccpCompMult(const CCPoint& a, const CCPoint& b) { return CCPoint(a.x * b.x, a.y * b.y); }
static inline CCPoint ccpFromSize(const CCSize& s) { return CCPoint(s.width, s.height); }

float ccpLength(const CCPoint& v);
float ccpLengthSQ(const CCPoint& v);
float ccpDistance(const CCPoint& v1, const CCPoint& v2);
float ccpDistanceSQ(const CCPoint& v1, const CCPoint& v2);
/** Unit vector; the zero vector gives (1, 0). */
CCPoint ccpNormalize(const CCPoint& v);
CCPoint ccpForAngle(float a);
/** atan2 of the vector; the zero vector gives 0. */
float ccpToAngle(const CCPoint& v);
float clampf(float value, float min_inclusive, float max_inclusive);
CCPoint ccpClamp(const CCPoint& p, const CCPoint& from, const CCPoint& to);
CCPoint ccpLerp(const CCPoint& a, const CCPoint& b, float alpha);
bool ccpFuzzyEqual(const CCPoint& a, const CCPoint& b, float variance);
/** Signed angle in radians from a to b; zero when they are (nearly) parallel. */
float ccpAngleSigned(const CCPoint& a, const CCPoint& b);
/** Unsigned angle in radians between a and b; zero when they are (nearly) parallel. */
float ccpAngle(const CCPoint& a, const CCPoint& b);
CCPoint ccpRotateByAngle(const CCPoint& v, const CCPoint& pivot, float angle);
/**
 * Where lines AB and CD meet: A + S*(B-A) = C + T*(D-C). False only when the lines are parallel
 * (or either is a point); the hit need not lie within the segments.
 */
bool ccpLineIntersect(const CCPoint& A, const CCPoint& B, const CCPoint& C, const CCPoint& D, float* S, float* T);
/** True when segments AB and CD cross. */
bool ccpSegmentIntersect(const CCPoint& A, const CCPoint& B, const CCPoint& C, const CCPoint& D);
CCPoint ccpIntersectPoint(const CCPoint& A, const CCPoint& B, const CCPoint& C, const CCPoint& D);

NS_CC_END

#endif // __CC_POINT_EXTENSION_H__
