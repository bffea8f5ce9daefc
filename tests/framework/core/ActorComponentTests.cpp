#include "ActorComponent.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

#include "CCNode.h"

USING_NS_CC;

TEST(ActorComponent, OffsetsAccumulateAndApplyOnce)
{
    CCScopedAutoreleasePool pool;
    CCNode* node = CCNode::create();
    node->setPosition(CCPoint(10.0f, 20.0f));
    ActorComponent* component = ActorComponent::create(node);
    EXPECT_EQ(component, node->getUserData());
    EXPECT_EQ(node, component->getOwner());

    component->applyOffset();  // nothing gathered: no move
    EXPECT_EQ(CCPoint(10.0f, 20.0f), node->getPosition());
    EXPECT_FALSE(component->getHasOffset());

    component->addOffset(CCPoint(1.0f, -2.0f));
    component->addOffset(CCPoint(3.0f, 4.0f));
    component->applyOffset();
    EXPECT_EQ(CCPoint(14.0f, 22.0f), node->getPosition());
    EXPECT_EQ(CCPoint(0.0f, 0.0f), component->getOffset());
    EXPECT_TRUE(component->getHasOffset());

    component->applyOffset();
    EXPECT_EQ(CCPoint(14.0f, 22.0f), node->getPosition());
}

TEST(ActorComponent, OwnerIsRetainedAndForgetsTheComponent)
{
    CCNode* node = new CCNode();
    node->init();
    {
        CCScopedAutoreleasePool pool;
        ActorComponent::create(node);
        EXPECT_EQ(2u, node->retainCount());
    }
    EXPECT_EQ(1u, node->retainCount());
    EXPECT_EQ(nullptr, node->getUserData());
    node->release();
}
