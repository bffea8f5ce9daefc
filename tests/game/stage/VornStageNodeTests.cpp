#include "StageTestSupport.h"

#include "CCAnimatingSprite.h"
#include "CCBMemberVariableAssigner.h"
#include "CCBReader.h"
#include "CollisionManager.h"
#include "CCLabelBMFontLocale.h"
#include "CCMenuItem.h"
#include "CCParticleSystemQuad.h"
#include "CCTexture2D.h"
#include "VornCollision.h"
#include "VornCollisionLoader.h"
#include "VornLabelBMFontLoader.h"
#include "VornMenuItemImageLoader.h"
#include "VornNodeLoaderLibrary.h"
#include "VornObjectLoader.h"
#include "VornParticleSystemQuadLoader.h"
#include "VornSpriteLoader.h"
#include "VornTrigger.h"
#include "VornTriggerLoader.h"

#include <map>

USING_NS_CC;
USING_NS_CC_EXT;

namespace
{
/** Keeps every member variable of a layout by name. */
class Members : public CCBMemberVariableAssigner
{
public:
    bool onAssignCCBMemberVariable(CCObject*, const char* name, CCNode* node)
    {
        nodes[name] = node;
        return true;
    }
    std::map<std::string, CCNode*> nodes;
};
} // namespace

class StageNodeTest : public StageTest
{
};

TEST_F(StageNodeTest, CollisionRectangleJoinsItsListUntilRemoved)
{
    VornCollision* box = VornCollision::create(16);
    ASSERT_TRUE(box != nullptr);
    box->retain();
    EXPECT_TRUE(inList(16, box));
    EXPECT_EQ(16, box->getCollisionListId());
    box->removeFromCollisionManager();
    EXPECT_FALSE(inList(16, box));
    EXPECT_EQ(nullptr, box->getComponent());
    box->removeFromCollisionManager();
    EXPECT_EQ(0u, listSize(16));

    // The list may be emptied under it; leaving afterwards is harmless.
    VornCollision* other = VornCollision::create(8);
    other->retain();
    m_pManager->getCollisionManager()->getCollisionList(8)->removeAllObjects();
    other->removeFromCollisionManager();
    other->release();
    box->release();

    vorntest::LogCapture log;
    EXPECT_EQ(nullptr, VornCollision::create(64));
    EXPECT_TRUE(log.contains("no collision list 64"));
}

TEST_F(StageNodeTest, GameLoadersReplaceTheEnginesAndAddTheStageClasses)
{
    VornNodeLoaderLibrary* library = VornNodeLoaderLibrary::newGameLibrary();
    EXPECT_TRUE(dynamic_cast<VornSpriteLoader*>(library->getCCNodeLoader("CCSprite")));
    EXPECT_TRUE(dynamic_cast<VornLabelBMFontLoader*>(library->getCCNodeLoader("CCLabelBMFont")));
    EXPECT_TRUE(dynamic_cast<VornMenuItemImageLoader*>(library->getCCNodeLoader("CCMenuItemImage")));
    EXPECT_TRUE(dynamic_cast<VornParticleSystemQuadLoader*>(library->getCCNodeLoader("CCParticleSystemQuad")));
    EXPECT_TRUE(dynamic_cast<VornTriggerLoader*>(library->getCCNodeLoader("VornTrigger")));
    EXPECT_TRUE(dynamic_cast<VornCollisionLoader*>(library->getCCNodeLoader("VornCollision")));
    EXPECT_TRUE(dynamic_cast<VornObjectLoader*>(library->getCCNodeLoader("VornObject")));
    // The framework's own kinds stay.
    EXPECT_TRUE(library->getCCNodeLoader("CCAnimatingSprite") != nullptr);

    Members members;
    CCBReader* reader = new CCBReader(library, &members);
    reader->autorelease();
    vorntest::LogCapture log;
    CCNode* root = reader->readNodeGraphFromFile(fixtureLayout("loaders").c_str(), nullptr, CCSize(480, 340));
    ASSERT_TRUE(root != nullptr);

    // Textures without smoothing; particles relative to their parent.
    CCSprite* sprite = dynamic_cast<CCSprite*>(members.nodes["sprite"]);
    ASSERT_TRUE(sprite && sprite->getTexture());
    EXPECT_FALSE(sprite->getTexture()->isAntiAliased());
    CCLabelBMFontLocale* label = dynamic_cast<CCLabelBMFontLocale*>(members.nodes["label"]);
    ASSERT_TRUE(label && label->getTexture());
    EXPECT_FALSE(label->getTexture()->isAntiAliased());
    CCMenuItemImage* item = dynamic_cast<CCMenuItemImage*>(members.nodes["item"]);
    ASSERT_TRUE(item && item->getSelectedImage());
    EXPECT_FALSE(static_cast<CCSprite*>(item->getNormalImage())->getTexture()->isAntiAliased());
    EXPECT_FALSE(static_cast<CCSprite*>(item->getSelectedImage())->getTexture()->isAntiAliased());
    CCParticleSystemQuad* particles = dynamic_cast<CCParticleSystemQuad*>(members.nodes["particles"]);
    ASSERT_TRUE(particles != nullptr);
    EXPECT_EQ(kCCPositionTypeRelative, particles->getPositionType());

    // A visible trigger is an area drawn at no opacity, shown only while armed.
    VornTrigger* trigger = dynamic_cast<VornTrigger*>(members.nodes["trigger"]);
    ASSERT_TRUE(trigger != nullptr);
    EXPECT_EQ("onShown", trigger->getTriggerName());
    EXPECT_TRUE(trigger->getRepeatTrigger());
    EXPECT_TRUE(trigger->getVisibleTrigger());
    EXPECT_FALSE(trigger->isTriggered());
    EXPECT_EQ(0, trigger->getOpacity());
    EXPECT_TRUE(trigger->isVisible());
    EXPECT_TRUE(inList(32, trigger));
    EXPECT_TRUE(log.contains("Unexpected property: 'extra'!"));
    trigger->setTriggered(true);
    EXPECT_FALSE(trigger->isVisible());
    trigger->setTriggered(false);
    EXPECT_TRUE(trigger->isVisible());

    VornCollision* box = dynamic_cast<VornCollision*>(members.nodes["box"]);
    ASSERT_TRUE(box != nullptr);
    EXPECT_EQ(0, box->getOpacity());
    EXPECT_TRUE(inList(8, box));

    // No current backdrop: the object is made and kept nowhere.
    EXPECT_TRUE(dynamic_cast<CCAnimatingSprite*>(members.nodes["object"]) != nullptr);
    EXPECT_EQ(0u, listSize(4));
}
