#include "VornActorLayer.h"

#include "VornActor.h"

NS_CC_BEGIN

VornActorLayer* VornActorLayer::s_pDrawing = NULL;

CCAffineTransform VornActorLayer::StandIn::nodeToParentTransform()
{
    return m_pFor->nodeToParentTransform();
}

void VornActorLayer::StandIn::draw()
{
    if (m_pLayer)
    {
        m_pLayer->drawShadows();
    }
    else
    {
        static_cast<VornActor*>(m_pFor)->getShadow()->visit();
    }
}

VornActorLayer::VornActorLayer() : m_pLayerStandIn(new StandIn()), m_pActorStandIn(new StandIn())
{
    m_pLayerStandIn->m_pFor = this;
    m_pLayerStandIn->m_pLayer = this;
}

VornActorLayer::~VornActorLayer()
{
    m_pLayerStandIn->release();
    m_pActorStandIn->release();
}

void VornActorLayer::visit()
{
    if (!isVisible())
    {
        return;
    }
    m_pLayerStandIn->visit();
    // Layers do not nest, but a draw hook may visit another scene's layer: keep the outer one.
    VornActorLayer* outer = s_pDrawing;
    s_pDrawing = this;
    CCNode::visit();
    s_pDrawing = outer;
}

void VornActorLayer::drawShadows()
{
    CCObject* child = NULL;
    CCARRAY_FOREACH(getChildren(), child)
    {
        VornActor* actor = dynamic_cast<VornActor*>(child);
        CCSprite* shadow = actor && actor->isVisible() ? actor->getShadow() : NULL;
        if (shadow && shadow->getParent() == actor)
        {
            m_pActorStandIn->m_pFor = actor;
            m_pActorStandIn->visit();
        }
    }
    m_pActorStandIn->m_pFor = NULL;
}

NS_CC_END
