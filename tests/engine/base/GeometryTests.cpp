#include "VornTestSupport.h"

#include <gtest/gtest.h>

USING_NS_CC;

TEST(Geometry, NormalizeOfZeroIsUnitX)
{
    CCPoint p = ccpNormalize(CCPointZero);
    EXPECT_FLOAT_EQ(1.0f, p.x);
    EXPECT_FLOAT_EQ(0.0f, p.y);
    EXPECT_FLOAT_EQ(0.0f, ccpToAngle(CCPointZero));
}

TEST(Geometry, LineIntersectFalseOnlyWhenParallel)
{
    float s = 0, t = 0;
    // Crossing beyond the segments still answers true, with S and T outside 0..1.
    EXPECT_TRUE(ccpLineIntersect(ccp(0, 0), ccp(1, 0), ccp(3, -1), ccp(3, 1), &s, &t));
    EXPECT_FLOAT_EQ(3.0f, s);
    EXPECT_FLOAT_EQ(0.5f, t);
    EXPECT_FALSE(ccpLineIntersect(ccp(0, 0), ccp(1, 1), ccp(0, 1), ccp(1, 2), &s, &t));
    EXPECT_FALSE(ccpLineIntersect(ccp(0, 0), ccp(1, 0), ccp(2, 0), ccp(5, 0), &s, &t));
}

TEST(Geometry, RectanglesCountTouchingEdges)
{
    CCRect r(0, 0, 10, 10);
    EXPECT_TRUE(r.containsPoint(ccp(10, 10)));
    EXPECT_TRUE(r.containsPoint(ccp(0, 5)));
    EXPECT_FALSE(r.containsPoint(ccp(10.001f, 5)));
    EXPECT_TRUE(r.intersectsRect(CCRect(10, 10, 5, 5)));
    EXPECT_FALSE(r.intersectsRect(CCRect(10.5f, 0, 5, 5)));
}

TEST(Geometry, RectThroughRotationGivesBoundingBoxOfCorners)
{
    CCAffineTransform rot = CCAffineTransformRotate(CCAffineTransformIdentity, CC_DEGREES_TO_RADIANS(45));
    CCRect box = CCRectApplyAffineTransform(CCRect(0, 0, 2, 2), rot);
    const float h = sqrtf(2.0f);
    EXPECT_NEAR(-h, box.getMinX(), 1e-5);
    EXPECT_NEAR(h, box.getMaxX(), 1e-5);
    EXPECT_NEAR(0.0f, box.getMinY(), 1e-5);
    EXPECT_NEAR(2 * h, box.getMaxY(), 1e-5);
}

TEST(Geometry, ConcatAppliesFirstThenSecondAndInvertUndoes)
{
    CCAffineTransform scale = CCAffineTransformScale(CCAffineTransformIdentity, 2, 3);
    CCAffineTransform move = CCAffineTransformTranslate(CCAffineTransformIdentity, 5, 7);
    CCAffineTransform both = CCAffineTransformConcat(scale, move);
    CCPoint p = CCPointApplyAffineTransform(ccp(1, 1), both);
    EXPECT_FLOAT_EQ(7.0f, p.x);
    EXPECT_FLOAT_EQ(10.0f, p.y);
    CCPoint back = CCPointApplyAffineTransform(p, CCAffineTransformInvert(both));
    EXPECT_NEAR(1.0f, back.x, 1e-6);
    EXPECT_NEAR(1.0f, back.y, 1e-6);
}
