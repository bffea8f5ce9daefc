#ifndef __CC_DRAWING_PRIMITIVES_H__
#define __CC_DRAWING_PRIMITIVES_H__

#include "base/CCGeometry.h"
#include "base/ccTypes.h"

NS_CC_BEGIN

/**
 * Immediate debug drawing, called from a node's draw(): points are in that node's space and
 * take the colour set by ccDrawColor4B/4F (opaque white at first). Lines are one pixel wide.
 */
void ccDrawColor4B(GLubyte r, GLubyte g, GLubyte b, GLubyte a);
void ccDrawColor4F(GLfloat r, GLfloat g, GLfloat b, GLfloat a);
void ccDrawPoint(const CCPoint& point);
void ccDrawPoints(const CCPoint* points, unsigned int numberOfPoints);
void ccDrawLine(const CCPoint& origin, const CCPoint& destination);
/** An outline through the points; closed joins the last point to the first. */
void ccDrawPoly(const CCPoint* vertices, unsigned int numOfVertices, bool closePolygon);
/** The outline of the axis-aligned rectangle with these opposite corners. */
void ccDrawRect(CCPoint origin, CCPoint destination);
/** A filled convex polygon in the given colour. */
void ccDrawSolidPoly(const CCPoint* poli, unsigned int numberOfPoints, ccColor4F color);
void ccDrawSolidRect(CCPoint origin, CCPoint destination, ccColor4F color);
/** Outline of a circle (segments straight pieces), optionally with its radius line. */
void ccDrawCircle(const CCPoint& center, float radius, float angle, unsigned int segments, bool drawLineToCenter);
/** Kept for callers; lines are always one pixel. */
void ccPointSize(GLfloat pointSize);
void ccLineWidth(GLfloat width);

NS_CC_END

#endif // __CC_DRAWING_PRIMITIVES_H__
