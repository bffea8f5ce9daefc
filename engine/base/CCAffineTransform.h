#ifndef __CC_AFFINE_TRANSFORM_H__
#define __CC_AFFINE_TRANSFORM_H__

#include "CCGeometry.h"

NS_CC_BEGIN

/** | a  c  tx |
 *  | b  d  ty |   x' = a*x + c*y + tx,  y' = b*x + d*y + ty */
struct CCAffineTransform
{
    float a, b, c, d;
    float tx, ty;
};

CCAffineTransform __CCAffineTransformMake(float a, float b, float c, float d, float tx, float ty);
#define CCAffineTransformMake __CCAffineTransformMake
CCPoint __CCPointApplyAffineTransform(const CCPoint& point, const CCAffineTransform& t);
#define CCPointApplyAffineTransform __CCPointApplyAffineTransform
CCSize __CCSizeApplyAffineTransform(const CCSize& size, const CCAffineTransform& t);
#define CCSizeApplyAffineTransform __CCSizeApplyAffineTransform

CCAffineTransform CCAffineTransformMakeIdentity();
/** The axis-aligned box around the four mapped corners. */
CCRect CCRectApplyAffineTransform(const CCRect& rect, const CCAffineTransform& anAffineTransform);

CCAffineTransform CCAffineTransformTranslate(const CCAffineTransform& t, float tx, float ty);
CCAffineTransform CCAffineTransformRotate(const CCAffineTransform& aTransform, float anAngle);
CCAffineTransform CCAffineTransformScale(const CCAffineTransform& t, float sx, float sy);
/** t1 applied first, then t2. */
CCAffineTransform CCAffineTransformConcat(const CCAffineTransform& t1, const CCAffineTransform& t2);
bool CCAffineTransformEqualToTransform(const CCAffineTransform& t1, const CCAffineTransform& t2);
CCAffineTransform CCAffineTransformInvert(const CCAffineTransform& t);

extern const CCAffineTransform CCAffineTransformIdentity;

NS_CC_END

#endif // __CC_AFFINE_TRANSFORM_H__
