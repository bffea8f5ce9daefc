#ifndef __CC_TYPES_H__
#define __CC_TYPES_H__

#include "CCGeometry.h"

#include <stdint.h>

// The GL blend factors the game and its data files name (particle plists, layouts).
#ifndef GL_ZERO
#define GL_ZERO 0
#define GL_ONE 1
#define GL_SRC_COLOR 0x0300
#define GL_ONE_MINUS_SRC_COLOR 0x0301
#define GL_SRC_ALPHA 0x0302
#define GL_ONE_MINUS_SRC_ALPHA 0x0303
#define GL_DST_ALPHA 0x0304
#define GL_ONE_MINUS_DST_ALPHA 0x0305
#define GL_DST_COLOR 0x0306
#define GL_ONE_MINUS_DST_COLOR 0x0307
#endif

typedef unsigned int GLenum;
typedef unsigned char GLubyte;
typedef float GLfloat;
typedef int GLint;
typedef unsigned int GLuint;

NS_CC_BEGIN

struct ccColor3B
{
    GLubyte r, g, b;
};
static inline ccColor3B ccc3(GLubyte r, GLubyte g, GLubyte b)
{
    ccColor3B c = { r, g, b };
    return c;
}
static inline bool ccc3BEqual(ccColor3B a, ccColor3B b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

struct ccColor4B
{
    GLubyte r, g, b, a;
};
static inline ccColor4B ccc4(GLubyte r, GLubyte g, GLubyte b, GLubyte o)
{
    ccColor4B c = { r, g, b, o };
    return c;
}

struct ccColor4F
{
    GLfloat r, g, b, a;
};
static inline ccColor4F ccc4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a)
{
    ccColor4F c = { r, g, b, a };
    return c;
}
static inline ccColor4F ccc4FFromccc3B(ccColor3B c)
{
    return ccc4f(c.r / 255.f, c.g / 255.f, c.b / 255.f, 1.f);
}
static inline ccColor4F ccc4FFromccc4B(ccColor4B c)
{
    return ccc4f(c.r / 255.f, c.g / 255.f, c.b / 255.f, c.a / 255.f);
}
static inline ccColor4B ccc4BFromccc4F(ccColor4F c)
{
    return ccc4((GLubyte)(c.r * 255), (GLubyte)(c.g * 255), (GLubyte)(c.b * 255), (GLubyte)(c.a * 255));
}
static inline bool ccc4FEqual(ccColor4F a, ccColor4F b) { return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a; }

static const ccColor3B ccWHITE = { 255, 255, 255 };
static const ccColor3B ccYELLOW = { 255, 255, 0 };
static const ccColor3B ccBLUE = { 0, 0, 255 };
static const ccColor3B ccGREEN = { 0, 255, 0 };
static const ccColor3B ccRED = { 255, 0, 0 };
static const ccColor3B ccMAGENTA = { 255, 0, 255 };
static const ccColor3B ccBLACK = { 0, 0, 0 };
static const ccColor3B ccORANGE = { 255, 127, 0 };
static const ccColor3B ccGRAY = { 166, 166, 166 };

struct ccVertex2F
{
    GLfloat x, y;
};
static inline ccVertex2F vertex2(float x, float y)
{
    ccVertex2F v = { x, y };
    return v;
}

struct ccTex2F
{
    GLfloat u, v;
};
static inline ccTex2F tex2(float u, float v)
{
    ccTex2F t = { u, v };
    return t;
}

/** A GL blend pair; the renderer maps it to the nearest built-in mode. */
struct ccBlendFunc
{
    GLenum src;
    GLenum dst;
};

#define CC_BLEND_SRC GL_ONE
#define CC_BLEND_DST GL_ONE_MINUS_SRC_ALPHA

static const ccBlendFunc kCCBlendFuncDisable = { GL_ONE, GL_ZERO };

enum CCTextAlignment
{
    kCCTextAlignmentLeft,
    kCCTextAlignmentCenter,
    kCCTextAlignmentRight,
};

enum CCVerticalTextAlignment
{
    kCCVerticalTextAlignmentTop,
    kCCVerticalTextAlignmentCenter,
    kCCVerticalTextAlignmentBottom,
};

typedef float ccTime;

NS_CC_END

#endif // __CC_TYPES_H__
