#include "particles/CCParticleSystemQuad.h"

#include "draw/CCRenderer.h"
#include "sprites/CCSpriteFrame.h"
#include "sprites/CCTexture2D.h"

#include <cmath>

NS_CC_BEGIN

CCParticleSystemQuad::CCParticleSystemQuad()
: m_tTextureRect(CCRectZero)
{
}

CCParticleSystemQuad::~CCParticleSystemQuad()
{
}

CCParticleSystemQuad* CCParticleSystemQuad::create()
{
    CCParticleSystemQuad* pRet = new CCParticleSystemQuad();
    if (pRet->init())
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

CCParticleSystemQuad* CCParticleSystemQuad::create(const char* plistFile)
{
    CCParticleSystemQuad* pRet = new CCParticleSystemQuad();
    if (pRet->initWithFile(plistFile))
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

CCParticleSystemQuad* CCParticleSystemQuad::createWithTotalParticles(unsigned int numberOfParticles)
{
    CCParticleSystemQuad* pRet = new CCParticleSystemQuad();
    if (pRet->initWithTotalParticles(numberOfParticles))
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

void CCParticleSystemQuad::onTotalParticlesChanged()
{
    m_quads.resize(m_uTotalParticles);
    initTexCoordsWithRect(m_tTextureRect);
}

void CCParticleSystemQuad::setTextureWithRect(CCTexture2D* texture, const CCRect& rect)
{
    CCParticleSystem::setTexture(texture);
    m_tTextureRect = rect;
    initTexCoordsWithRect(rect);
}

void CCParticleSystemQuad::setTexture(CCTexture2D* texture)
{
    const CCSize size = texture ? texture->getContentSize() : CCSizeZero;
    setTextureWithRect(texture, CCRectMake(0, 0, size.width, size.height));
}

void CCParticleSystemQuad::setDisplayFrame(CCSpriteFrame* spriteFrame)
{
    if (spriteFrame)
    {
        setTextureWithRect(spriteFrame->getTexture(), spriteFrame->getRect());
    }
}

void CCParticleSystemQuad::initTexCoordsWithRect(const CCRect& rect)
{
    float left = 0, right = 1, top = 0, bottom = 1;
    if (m_pTexture && m_pTexture->getPixelsWide() && m_pTexture->getPixelsHigh())
    {
        const float wide = (float)m_pTexture->getPixelsWide();
        const float high = (float)m_pTexture->getPixelsHigh();
        left = rect.origin.x / wide;
        right = (rect.origin.x + rect.size.width) / wide;
        top = rect.origin.y / high;
        bottom = (rect.origin.y + rect.size.height) / high;
    }
    if (m_nYCoordFlipped == -1)
    {
        std::swap(top, bottom);
    }
    for (size_t i = 0; i < m_quads.size(); ++i)
    {
        ccSpriteQuad& q = m_quads[i];
        q.bl.texCoords.u = left;
        q.bl.texCoords.v = bottom;
        q.br.texCoords.u = right;
        q.br.texCoords.v = bottom;
        q.tl.texCoords.u = left;
        q.tl.texCoords.v = top;
        q.tr.texCoords.u = right;
        q.tr.texCoords.v = top;
    }
}

void CCParticleSystemQuad::updateQuadWithParticle(tCCParticle* p, const CCPoint& newPosition)
{
    ccSpriteQuad& q = m_quads[m_uParticleIdx];
    ccColor4F c = p->color;
    c.r = c.r < 0 ? 0 : (c.r > 1 ? 1 : c.r);
    c.g = c.g < 0 ? 0 : (c.g > 1 ? 1 : c.g);
    c.b = c.b < 0 ? 0 : (c.b > 1 ? 1 : c.b);
    c.a = c.a < 0 ? 0 : (c.a > 1 ? 1 : c.a);
    if (m_bOpacityModifyRGB)
    {
        c.r *= c.a;
        c.g *= c.a;
        c.b *= c.a;
    }
    const ccColor4B color = ccc4((GLubyte)(c.r * 255), (GLubyte)(c.g * 255), (GLubyte)(c.b * 255), (GLubyte)(c.a * 255));
    q.bl.colors = q.br.colors = q.tl.colors = q.tr.colors = color;

    const float half = p->size / 2;
    const float x = newPosition.x;
    const float y = newPosition.y;
    if (p->rotation != 0)
    {
        // Degrees clockwise, as node rotation.
        const float r = -CC_DEGREES_TO_RADIANS(p->rotation);
        const float cr = cosf(r);
        const float sr = sinf(r);
        q.bl.vertices = vertex2(-half * cr + half * sr + x, -half * sr - half * cr + y);
        q.br.vertices = vertex2(half * cr + half * sr + x, half * sr - half * cr + y);
        q.tr.vertices = vertex2(half * cr - half * sr + x, half * sr + half * cr + y);
        q.tl.vertices = vertex2(-half * cr - half * sr + x, -half * sr + half * cr + y);
    }
    else
    {
        q.bl.vertices = vertex2(x - half, y - half);
        q.br.vertices = vertex2(x + half, y - half);
        q.tl.vertices = vertex2(x - half, y + half);
        q.tr.vertices = vertex2(x + half, y + half);
    }
}

void CCParticleSystemQuad::draw(void)
{
    if (m_uParticleCount == 0)
    {
        return;
    }
    // Without a texture the particles show as tinted squares.
    CCRenderer::sharedRenderer()->drawQuads(m_pTexture, &m_quads[0], (int)m_uParticleCount,
                                            CCNode::currentVisitTransform(), m_tBlendFunc);
}

NS_CC_END
