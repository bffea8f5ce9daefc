#include "CCAnimatingSprite.h"
#include "CCVisibilityCheckNode.h"
#include "CCVisibilityCheckSprite.h"
#include "GameManager.h"
#include "OSKNodeLoaderLibrary.h"
#include "VornTestSupport.h"
#include "cocos-ext.h"

#include <gtest/gtest.h>

#include <map>

USING_NS_CC;
USING_NS_CC_EXT;

namespace
{
class CountingNode : public CCNode
{
public:
    CREATE_FUNC(CountingNode);
    virtual void visit() { ++visits; }
    int visits = 0;
};

class MemberOwner : public CCObject, public CCBMemberVariableAssigner
{
public:
    virtual bool onAssignCCBMemberVariable(CCObject*, const char* name, CCNode* node)
    {
        members[name] = node;
        return true;
    }
    std::map<std::string, CCNode*> members;
};

// Compiled layouts beside their images, as in Resources.
std::string stageLayouts(const char* folder)
{
    std::string dir = vorntest::makeTempDir(folder);
    const char* layouts[] = { "framework-nodes.ccbi" };
    for (const char* name : layouts)
    {
        vorntest::writeFile(dir + "/" + name, vorntest::readFile(std::string(LAYOUT_DIR) + "/" + name));
    }
    const char* resources[] = { "anim.png", "anim.plist" };
    for (const char* name : resources)
    {
        vorntest::writeFile(dir + "/" + name, vorntest::readFile(vorntest::fixturePath(std::string("framework/nodes/") + name)));
    }
    CCFileUtils::sharedFileUtils()->setResourceDirectory(dir.c_str());
    return dir;
}
} // namespace

TEST(VisibilityCheck, OnlyHorizontallyOffScreenNodesSkipDrawing)
{
    CCScopedAutoreleasePool pool;
    // Window 480 wide; the nodes are 10 wide.
    struct Case { float x; bool drawn; };
    const Case cases[] = { { -10, true }, { -10.5f, false }, { 480, true }, { 480.5f, false }, { 200, true } };
    for (const Case& c : cases)
    {
        CCNode* nodes[2] = { CCVisibilityCheckNode::create(), CCVisibilityCheckSprite::create() };
        for (CCNode* node : nodes)
        {
            node->setAnchorPoint(CCPointZero);
            node->setContentSize(CCSize(10, 10));
            node->setPosition(ccp(c.x, 5000));  // far above: only x counts
            CountingNode* child = CountingNode::create();
            node->addChild(child);
            node->visit();
            EXPECT_EQ(c.drawn ? 1 : 0, child->visits) << c.x;
        }
    }
    CCDirector::purgeSharedDirector();
}

TEST(FrameworkNodeLoaders, ALayoutBuildsTheFrameworkNodes)
{
    CCScopedAutoreleasePool pool;
    GameManager manager;
    std::string dir = stageLayouts("framework-node-loaders");

    OSKNodeLoaderLibrary* library = OSKNodeLoaderLibrary::library();
    library->registerDefaultCCNodeLoaders();
    library->registerOSKNodeLoaders();
    MemberOwner owner;
    CCBReader* reader = new CCBReader(library, &owner);
    vorntest::LogCapture log;
    CCNode* root = reader->readNodeGraphFromFile("framework-nodes", &owner, CCSize(480, 320));
    ASSERT_TRUE(root != NULL);

    CCAnimatingSprite* runner = dynamic_cast<CCAnimatingSprite*>(owner.members["runner"]);
    ASSERT_TRUE(runner != NULL);
    EXPECT_EQ("anim.plist", runner->getFile());
    EXPECT_EQ("run_", runner->getWildcard());
    ASSERT_TRUE(runner->getFrames() != NULL);
    EXPECT_EQ(4u, runner->getFrames()->count());
    EXPECT_FLOAT_EQ(0.25f, runner->getDelay());
    EXPECT_TRUE(runner->getBounce());
    EXPECT_TRUE(runner->getIgnorePause());
    EXPECT_EQ(3, runner->getTag());
    manager.setPaused(true);
    unsigned int frame = runner->getCurrentFrame();
    manager.tick(0.3f);
    EXPECT_NE(frame, runner->getCurrentFrame());

    CCAnimatingSprite* still = dynamic_cast<CCAnimatingSprite*>(owner.members["still"]);
    ASSERT_TRUE(still != NULL);
    EXPECT_EQ(NULL, still->getFrames());
    EXPECT_FLOAT_EQ(8, still->getContentSize().width);

    CCSpriteBatchNode* batch = dynamic_cast<CCSpriteBatchNode*>(owner.members["batch"]);
    ASSERT_TRUE(batch != NULL);
    EXPECT_TRUE(batch->getTexture() != NULL);
    EXPECT_TRUE(dynamic_cast<CCVisibilityCheckNode*>(owner.members["checkNode"]) != NULL);
    EXPECT_TRUE(dynamic_cast<CCVisibilityCheckSprite*>(owner.members["checkSprite"]) != NULL);
    EXPECT_FALSE(log.contains("Unexpected property"));

    reader->release();
    CCDirector::purgeSharedDirector();
    CCSpriteFrameCache::purgeSharedSpriteFrameCache();
}
