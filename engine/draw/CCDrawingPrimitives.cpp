#include "draw/CCDrawingPrimitives.h"

#include "draw/CCRenderer.h"
#include "nodes/CCNode.h"

#include <cmath>
#include <vector>

NS_CC_BEGIN

namespace
{
ccColor4B s_drawColor = { 255, 255, 255, 255 };

GLubyte toByte(GLfloat f)
{
    if (!(f > 0.0f))
    {
        return 0;
    }
    if (f >= 1.0f)
    {
        return 255;
    }
    return (GLubyte)(f * 255.0f + 0.5f);
}

ccColor4B toColor4B(const ccColor4F& c)
{
    return ccc4(toByte(c.r), toByte(c.g), toByte(c.b), toByte(c.a));
}

const ccBlendFunc kStraightAlpha = { GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA };
}

void ccDrawColor4B(GLubyte r, GLubyte g, GLubyte b, GLubyte a)
{
    s_drawColor = ccc4(r, g, b, a);
}

void ccDrawColor4F(GLfloat r, GLfloat g, GLfloat b, GLfloat a)
{
    s_drawColor = toColor4B(ccc4f(r, g, b, a));
}

void ccDrawPoint(const CCPoint& point)
{
    ccDrawPoints(&point, 1);
}

void ccDrawPoints(const CCPoint* points, unsigned int numberOfPoints)
{
    CCRenderer::sharedRenderer()->drawPoints(points, numberOfPoints, s_drawColor, CCNode::currentVisitTransform());
}

void ccDrawLine(const CCPoint& origin, const CCPoint& destination)
{
    const CCPoint points[2] = { origin, destination };
    CCRenderer::sharedRenderer()->drawLines(points, 2, false, s_drawColor, CCNode::currentVisitTransform());
}

void ccDrawPoly(const CCPoint* vertices, unsigned int numOfVertices, bool closePolygon)
{
    CCRenderer::sharedRenderer()->drawLines(vertices, numOfVertices, closePolygon, s_drawColor,
                                            CCNode::currentVisitTransform());
}

void ccDrawRect(CCPoint origin, CCPoint destination)
{
    const CCPoint points[4] = { origin, CCPoint(destination.x, origin.y), destination,
                                CCPoint(origin.x, destination.y) };
    ccDrawPoly(points, 4, true);
}

void ccDrawSolidPoly(const CCPoint* poli, unsigned int numberOfPoints, ccColor4F color)
{
    CCRenderer::sharedRenderer()->drawSolidPoly(poli, numberOfPoints, toColor4B(color),
                                                CCNode::currentVisitTransform(), kStraightAlpha);
}

void ccDrawSolidRect(CCPoint origin, CCPoint destination, ccColor4F color)
{
    CCRenderer::sharedRenderer()->drawSolidRect(origin, destination, toColor4B(color),
                                                CCNode::currentVisitTransform(), kStraightAlpha);
}

void ccDrawCircle(const CCPoint& center, float radius, float angle, unsigned int segments, bool drawLineToCenter)
{
    if (segments < 3)
    {
        segments = 3;
    }
    std::vector<CCPoint> points;
    points.reserve(segments + 2);
    const float step = 2.0f * (float)M_PI / (float)segments;
    for (unsigned int i = 0; i < segments; ++i)
    {
        const float a = angle + step * (float)i;
        points.push_back(CCPoint(center.x + radius * cosf(a), center.y + radius * sinf(a)));
    }
    if (drawLineToCenter)
    {
        points.push_back(points[0]);
        points.push_back(center);
        ccDrawPoly(&points[0], (unsigned int)points.size(), false);
        return;
    }
    ccDrawPoly(&points[0], (unsigned int)points.size(), true);
}

void ccPointSize(GLfloat pointSize)
{
    CC_UNUSED_PARAM(pointSize);
}

void ccLineWidth(GLfloat width)
{
    CC_UNUSED_PARAM(width);
}

NS_CC_END
