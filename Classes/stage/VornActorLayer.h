#ifndef __VORN_ACTOR_LAYER_H__
#define __VORN_ACTOR_LAYER_H__

#include "CCNode.h"

NS_CC_BEGIN

/**
 * The node the actors live in, depth-sorted by the game manager. It draws every actor's shadow
 * first, in one pass under all of them, then its children in their depth order, the actors
 * without their shadows. Shadows lie on the floor, under every fighter, and drawn together they
 * are one run of the shadow texture instead of a texture change per fighter.
 */
class VornActorLayer : public CCNode
{
public:
    VornActorLayer();
    virtual ~VornActorLayer();
    CREATE_FUNC(VornActorLayer);

    virtual void visit();

    /** The layer whose children are being visited after its shadow pass, or NULL. */
    static VornActorLayer* drawingShadowsApart() { return s_pDrawing; }

private:
    /**
     * Nodes that stand in for the layer and for one actor at a time, never in the tree: visiting
     * one applies the transform of what it stands for, so each shadow lands where its actor stands.
     */
    class StandIn : public CCNode
    {
    public:
        CCNode* m_pFor;           ///< weak; the layer, or the actor while its shadow is drawn
        VornActorLayer* m_pLayer; ///< weak; set on the layer's own stand-in only
        StandIn() : m_pFor(NULL), m_pLayer(NULL) {}
        virtual CCAffineTransform nodeToParentTransform();
        virtual void draw();
    };

    void drawShadows();

    StandIn* m_pLayerStandIn;  ///< owned
    StandIn* m_pActorStandIn;  ///< owned
    static VornActorLayer* s_pDrawing;
};

NS_CC_END

#endif // __VORN_ACTOR_LAYER_H__
