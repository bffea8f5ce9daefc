#include "VornTestSupport.h"

#include "cocos-ext.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

USING_NS_CC;
USING_NS_CC_EXT;

namespace
{
class StockOwner : public CCObject, public CCBMemberVariableAssigner, public CCBSelectorResolver,
                   public CCBAnimationManagerDelegate
{
public:
    virtual bool onAssignCCBMemberVariable(CCObject*, const char* name, CCNode* node)
    {
        members[name] = node;
        return true;
    }
    virtual CCObject* onResolveCCBSelectorTarget(const char*) { return this; }
    virtual SEL_MenuHandler onResolveCCBCCMenuItemSelector(CCObject*, const char* name)
    {
        return std::strcmp(name, "onPlay") == 0 ? menu_selector(StockOwner::onPlay) : NULL;
    }
    virtual SEL_CCControlHandler onResolveCCBCCControlSelector(CCObject*, const char*) { return NULL; }
    virtual void completedAnimationSequenceNamed(const char* name) { completed.push_back(name); }
    void onPlay(CCObject*) { ++plays; }

    std::map<std::string, CCNode*> members;
    std::vector<std::string> completed;
    int plays = 0;
};
} // namespace

TEST(CCBStockLoaders, AScreenOfStockNodesLoadsBindsAndRunsItsTimelines)
{
    CCScopedAutoreleasePool pool;
    std::string dir = vorntest::makeTempDir("ccb-stock");
    vorntest::writeFile(dir + "/stock-screen.ccbi", vorntest::readFile(std::string(CCB_LAYOUT_DIR) + "/stock-screen.ccbi"));
    const char* files[][2] = { { "engine/ccb/hero.png", "hero.png" }, { "engine/ccb/hero2.png", "hero2.png" },
                               { "engine/labels/tiny.fnt", "tiny.fnt" }, { "engine/labels/tiny.png", "tiny.png" } };
    for (auto& f : files) vorntest::writeFile(dir + "/" + f[1], vorntest::readFile(vorntest::fixturePath(f[0])));
    CCFileUtils::sharedFileUtils()->setResourceDirectory(dir.c_str());

    StockOwner owner;
    CCBReader* reader = new CCBReader(CCNodeLoaderLibrary::newDefaultCCNodeLoaderLibrary(), &owner, &owner);
    vorntest::LogCapture log;
    CCNode* root = reader->readNodeGraphFromFile("stock-screen", &owner, CCSize(480, 320));
    ASSERT_TRUE(root != NULL);

    CCLabelBMFont* title = dynamic_cast<CCLabelBMFont*>(owner.members["title"]);
    ASSERT_TRUE(title != NULL);
    EXPECT_STREQ("AB", title->getString());
    EXPECT_GT(title->getContentSize().width, 0);
    EXPECT_EQ(255, title->getColor().r);
    EXPECT_FLOAT_EQ(240, title->getPositionX());
    CCLabelTTF* caption = dynamic_cast<CCLabelTTF*>(owner.members["caption"]);
    ASSERT_TRUE(caption != NULL);
    EXPECT_STREQ("Caption", caption->getString());

    // The stock menu is a plain menu: the gamepad properties are skipped, each with a line.
    CCMenu* menu = dynamic_cast<CCMenu*>(owner.members["menu"]);
    ASSERT_TRUE(menu != NULL);
    EXPECT_TRUE(log.contains("Unexpected property: 'backSelector'!"));
    EXPECT_TRUE(log.contains("Unexpected property: 'gamepadLocked'!"));
    CCMenuItemImage* play = dynamic_cast<CCMenuItemImage*>(owner.members["playItem"]);
    CCMenuItemImage* quit = dynamic_cast<CCMenuItemImage*>(owner.members["quitItem"]);
    ASSERT_TRUE(play != NULL && quit != NULL);
    EXPECT_EQ(menu, play->getParent());
    EXPECT_TRUE(play->getNormalImage() != NULL && play->getSelectedImage() != NULL);
    EXPECT_FALSE(quit->isEnabled());
    play->activate();
    EXPECT_EQ(1, owner.plays);

    CCParticleSystemQuad* sparks = dynamic_cast<CCParticleSystemQuad*>(owner.members["sparks"]);
    ASSERT_TRUE(sparks != NULL);
    EXPECT_EQ(20u, sparks->getTotalParticles());
    EXPECT_FLOAT_EQ(40, sparks->getEmissionRate());
    EXPECT_FLOAT_EQ(1, sparks->getLife());
    EXPECT_FLOAT_EQ(0.25f, sparks->getLifeVar());
    EXPECT_FLOAT_EQ(1, sparks->getEndColor().r);
    EXPECT_TRUE(sparks->getTexture() != NULL);

    // Both timelines run to their ends, the second chained after the first.
    CCScene* scene = CCScene::create();
    CCDirector::sharedDirector()->runWithScene(scene);
    scene->addChild(root);
    CCBAnimationManager* manager = reader->getAnimationManager();
    manager->setDelegate(&owner);
    manager->runAnimationsForSequenceNamed("open");
    for (int i = 0; i < 60; ++i) CCDirector::sharedDirector()->step(1.0f / 60);
    EXPECT_EQ((std::vector<std::string>{ "open", "pulse" }), owner.completed);
    EXPECT_EQ(NULL, manager->getRunningSequenceName());
    EXPECT_EQ(255, title->getOpacity());
    CCSprite* hero = dynamic_cast<CCSprite*>(owner.members["hero"]);
    ASSERT_TRUE(hero != NULL);
    EXPECT_FLOAT_EQ(2, hero->getScaleX());
    EXPECT_GT(sparks->getParticleCount(), 0u);

    scene->removeAllChildrenWithCleanup(true);
    reader->release();
    CCLabelBMFont::purgeCachedData();
    CCLabelTTF::purgeFontCache();
    CCDirector::purgeSharedDirector();
}
