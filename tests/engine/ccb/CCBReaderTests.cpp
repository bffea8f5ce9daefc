#include "VornTestSupport.h"

#include "cocos-ext.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>

USING_NS_CC;
USING_NS_CC_EXT;

namespace
{
std::vector<std::string>* g_events = NULL;

void note(const std::string& event)
{
    if (g_events) g_events->push_back(event);
}

// Document root class of the fixture: takes members and selectors aimed at the root.
class TestRoot : public CCLayer, public CCBMemberVariableAssigner, public CCBSelectorResolver
{
public:
    CREATE_FUNC(TestRoot);
    virtual bool onAssignCCBMemberVariable(CCObject*, const char* name, CCNode* node)
    {
        if (std::strcmp(name, "hero") != 0) return false;
        hero = node;
        return true;
    }
    virtual CCObject* onResolveCCBSelectorTarget(const char*) { return this; }
    virtual SEL_MenuHandler onResolveCCBCCMenuItemSelector(CCObject*, const char* name)
    {
        return std::strcmp(name, "onRoot") == 0 ? menu_selector(TestRoot::onRoot) : NULL;
    }
    virtual SEL_CCControlHandler onResolveCCBCCControlSelector(CCObject*, const char*) { return NULL; }
    void onRoot(CCObject*) { note("root pressed"); }

    CCNode* hero = NULL;
};

class TestRootLoader : public CCLayerLoader
{
public:
    CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(TestRootLoader, loader);

protected:
    CCB_VIRTUAL_NEW_AUTORELEASE_CREATECCNODE_METHOD(TestRoot);
};

// A custom class with custom properties and selector blocks.
class TestWidget : public CCNode
{
public:
    CREATE_FUNC(TestWidget);
    std::string label;
    std::map<std::string, BlockData> blocks;
    std::map<std::string, bool> nullBlocks;
    BlockCCControlData control = { NULL, NULL, 0 };
    bool propertiesDone = false;
};

class TestWidgetLoader : public CCNodeLoader
{
public:
    CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(TestWidgetLoader, loader);

protected:
    CCB_VIRTUAL_NEW_AUTORELEASE_CREATECCNODE_METHOD(TestWidget);
    virtual void onHandlePropTypeString(CCNode* node, CCNode* parent, const char* name, const char* value, CCBReader* r)
    {
        if (std::strcmp(name, "label") == 0) static_cast<TestWidget*>(node)->label = value;
        else CCNodeLoader::onHandlePropTypeString(node, parent, name, value, r);
    }
    virtual void onHandlePropTypeBlock(CCNode* node, CCNode*, const char* name, BlockData* block, CCBReader*)
    {
        TestWidget* widget = static_cast<TestWidget*>(node);
        if (block) widget->blocks[name] = *block;
        else widget->nullBlocks[name] = true;
    }
    virtual void onHandlePropTypeBlockCCControl(CCNode* node, CCNode*, const char*, BlockCCControlData* block, CCBReader*)
    {
        if (block) static_cast<TestWidget*>(node)->control = *block;
    }
    virtual void onPropertiesParsed(CCNode* node, CCNode*, CCBReader*)
    {
        static_cast<TestWidget*>(node)->propertiesDone = true;
    }
};

// A root layer that counts the live ones, to see a dropped graph go.
class CountedLayer : public CCLayer
{
public:
    CREATE_FUNC(CountedLayer);
    CountedLayer() { ++s_alive; }
    ~CountedLayer() { --s_alive; }
    static int s_alive;
};
int CountedLayer::s_alive = 0;

class CountedLayerLoader : public CCLayerLoader
{
public:
    CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(CountedLayerLoader, loader);

protected:
    CCB_VIRTUAL_NEW_AUTORELEASE_CREATECCNODE_METHOD(CountedLayer);
};

// A node that schedules its update when made, as a particle system does.
class CountedTicker : public CCNode
{
public:
    CREATE_FUNC(CountedTicker);
    CountedTicker() { ++s_alive; }
    ~CountedTicker() { --s_alive; }
    virtual bool init()
    {
        scheduleUpdate();
        return true;
    }
    virtual void update(float) {}
    static int s_alive;
};
int CountedTicker::s_alive = 0;

class CountedTickerLoader : public CCNodeLoader
{
public:
    CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(CountedTickerLoader, loader);

protected:
    CCB_VIRTUAL_NEW_AUTORELEASE_CREATECCNODE_METHOD(CountedTicker);
};

// The owner: a screen-like object taking members, resolving selectors to a proxy, told of timelines.
class TestOwner : public CCObject, public CCBMemberVariableAssigner, public CCBSelectorResolver,
                  public CCBAnimationManagerDelegate
{
public:
    TestOwner() : proxy(new CCObject()) {}
    ~TestOwner() { proxy->release(); }

    virtual bool onAssignCCBMemberVariable(CCObject* target, const char* name, CCNode* node)
    {
        targets[name] = target;
        members[name] = node;
        return true;
    }
    virtual CCObject* onResolveCCBSelectorTarget(const char*) { return proxy; }
    virtual SEL_MenuHandler onResolveCCBCCMenuItemSelector(CCObject* target, const char* name)
    {
        EXPECT_EQ(proxy, target);
        return std::strcmp(name, "onBack") == 0 ? menu_selector(TestOwner::onBack) : NULL;
    }
    virtual SEL_CCControlHandler onResolveCCBCCControlSelector(CCObject*, const char* name)
    {
        return std::strcmp(name, "onControl") == 0 ? cccontrol_selector(TestOwner::onControl) : NULL;
    }
    virtual void completedAnimationSequenceNamed(const char* name)
    {
        const char* running = manager ? manager->getRunningSequenceName() : NULL;
        note(std::string("delegate ") + name + (running ? " while running" : " while idle"));
    }
    void onBack(CCObject*) {}
    void onControl(CCObject*, CCControlEvent) {}
    void onTimelineEnd() { note("callback"); }

    CCObject* proxy;
    std::map<std::string, CCNode*> members;
    std::map<std::string, CCObject*> targets;
    CCBAnimationManager* manager = NULL;
};

class CCBReaderTest : public ::testing::Test
{
protected:
    virtual void SetUp()
    {
        CCPoolManager::sharedPoolManager()->push();
        // Compiled layouts and their images side by side, as in Resources.
        std::string dir = vorntest::makeTempDir("ccb-reader");
        const char* layouts[] = { "screen", "sub-screen", "every-type", "broken-sub", "self-including", "looping",
                                  "fails-after-ticker", "leftover-timeline" };
        for (const char* name : layouts)
        {
            std::string file = std::string(name) + ".ccbi";
            vorntest::writeFile(dir + "/" + file, vorntest::readFile(std::string(CCB_LAYOUT_DIR) + "/" + file));
        }
        const char* images[] = { "hero.png", "hero2.png" };
        for (const char* name : images)
        {
            vorntest::writeFile(dir + "/" + name, vorntest::readFile(vorntest::fixturePath(std::string("engine/ccb/") + name)));
        }
        CCFileUtils::sharedFileUtils()->setResourceDirectory(dir.c_str());
        m_dir = dir;
        CCBReader::setResolutionScale(2.0f);
        g_events = &m_events;
    }
    virtual void TearDown()
    {
        g_events = NULL;
        for (size_t i = 0; i < m_readers.size(); ++i) m_readers[i]->release();
        m_readers.clear();
        CCBReader::setResolutionScale(1.0f);
        CCDirector::purgeSharedDirector();
        CCPoolManager::sharedPoolManager()->pop();
    }

    CCNodeLoaderLibrary* library()
    {
        CCNodeLoaderLibrary* lib = CCNodeLoaderLibrary::newDefaultCCNodeLoaderLibrary();
        lib->registerCCNodeLoader("TestRoot", TestRootLoader::loader());
        lib->registerCCNodeLoader("TestWidget", TestWidgetLoader::loader());
        return lib;
    }

    // Held by the test as a screen holds its reader, released at the end.
    CCBReader* makeReader(TestOwner* owner)
    {
        CCBReader* reader = new CCBReader(library(), owner, owner);
        m_readers.push_back(reader);
        return reader;
    }

    CCScene* runScene()
    {
        CCScene* scene = CCScene::create();
        CCDirector::sharedDirector()->runWithScene(scene);
        return scene;
    }

    void step(int frames, float dt)
    {
        for (int i = 0; i < frames; ++i) CCDirector::sharedDirector()->step(dt);
    }

    std::string m_dir;
    std::vector<std::string> m_events;
    std::vector<CCBReader*> m_readers;
};
} // namespace

TEST_F(CCBReaderTest, BuildsTheLayoutAndBindsMembersAndSelectors)
{
    TestOwner owner;
    CCBReader* reader = makeReader(&owner);
    vorntest::LogCapture log;
    CCNode* root = reader->readNodeGraphFromFile("screen", &owner, CCSizeMake(480, 320));
    ASSERT_TRUE(root != NULL);
    EXPECT_EQ(reader->getAnimationManager()->getRootNode(), root);
    EXPECT_EQ(&owner, reader->getOwner());

    // Members: the owner's, and the root's through its own assigner.
    TestRoot* testRoot = dynamic_cast<TestRoot*>(root);
    ASSERT_TRUE(testRoot != NULL);
    EXPECT_EQ(root, owner.members["rootNode"]);
    EXPECT_EQ(&owner, owner.targets["rootNode"]);
    ASSERT_TRUE(testRoot->hero != NULL);
    EXPECT_EQ(0u, owner.members.count("hero"));
    EXPECT_EQ(480, root->getContentSize().width);

    // Units: percent of the parent, top-left corner, scaled by the resolution scale.
    CCLayerColor* background = dynamic_cast<CCLayerColor*>(owner.members["background"]);
    ASSERT_TRUE(background != NULL);
    EXPECT_FLOAT_EQ(240, background->getContentSize().width);
    EXPECT_FLOAT_EQ(80, background->getContentSize().height);
    EXPECT_FLOAT_EQ(10, background->getPositionX());
    EXPECT_FLOAT_EQ(300, background->getPositionY());
    EXPECT_EQ(128, background->getOpacity());
    EXPECT_EQ(20, background->getColor().g);
    CCSprite* hero = dynamic_cast<CCSprite*>(testRoot->hero);
    ASSERT_TRUE(hero != NULL);
    EXPECT_FLOAT_EQ(4, hero->getPositionX());
    EXPECT_FLOAT_EQ(6, hero->getPositionY());
    EXPECT_FLOAT_EQ(4, hero->getScaleX());
    EXPECT_FLOAT_EQ(4, hero->getContentSize().width);

    // A custom class through its registered loader, with its blocks resolved as the screens need.
    TestWidget* widget = dynamic_cast<TestWidget*>(owner.members["widget"]);
    ASSERT_TRUE(widget != NULL);
    EXPECT_EQ("hello", widget->label);
    EXPECT_EQ(7, widget->getTag());
    EXPECT_TRUE(widget->propertiesDone);
    EXPECT_EQ(owner.proxy, widget->blocks["onPress"].mTarget);
    EXPECT_TRUE(widget->blocks["onPress"].mSELMenuHandler == menu_selector(TestOwner::onBack));
    EXPECT_EQ(root, widget->blocks["onRootPress"].mTarget);
    EXPECT_TRUE(widget->nullBlocks["onNothing"]);
    EXPECT_EQ(&owner, widget->control.mTarget);  // a control's target is the base itself
    EXPECT_EQ(32, widget->control.mControlEvents);

    // Unknown properties are skipped by type with a line each.
    EXPECT_TRUE(log.contains("Unexpected property: 'mystery'!"));
    EXPECT_TRUE(log.contains("Unexpected property: 'gamepadEnabled'!"));

    // The sub-document replaces its placeholder and keeps its place and tag.
    CCNode* sub = owner.members["subScreen"];
    ASSERT_TRUE(sub != NULL);
    EXPECT_EQ(dynamic_cast<CCBFile*>(sub), (CCBFile*)NULL);
    EXPECT_EQ(root, sub->getParent());
    EXPECT_EQ(9, sub->getTag());
    EXPECT_FLOAT_EQ(5, sub->getPositionX());
    EXPECT_TRUE(owner.members["subPanel"] != NULL);
    EXPECT_FLOAT_EQ(20, owner.members["subPanel"]->getContentSize().width);
    EXPECT_TRUE(reader->getAnimationManagerForNode(sub) != NULL);
    EXPECT_NE(reader->getAnimationManager(), reader->getAnimationManagerForNode(sub));
    EXPECT_EQ(reader->getAnimationManager(), reader->getAnimationManagerForNode(root));
}

TEST_F(CCBReaderTest, TimelineEndTellsTheDelegateThenTheCallbackThenChains)
{
    TestOwner owner;
    CCBReader* reader = makeReader(&owner);
    CCBAnimationManager* manager = reader->getAnimationManager();
    manager->setDelegate(&owner);  // before reading: the same manager serves the document
    owner.manager = manager;
    CCNode* root = reader->readNodeGraphFromFile("screen.ccbi", &owner, CCSizeMake(480, 320));
    ASSERT_TRUE(root != NULL);
    EXPECT_EQ(NULL, manager->getRunningSequenceName());
    runScene()->addChild(root);

    manager->runAnimationsForSequenceNamed("open");
    manager->setAnimationCompletedCallback(&owner, callfunc_selector(TestOwner::onTimelineEnd));
    ASSERT_STREQ("open", manager->getRunningSequenceName());
    CCLayerColor* background = static_cast<CCLayerColor*>(owner.members["background"]);
    EXPECT_EQ(0, background->getOpacity());  // first keyframe at once
    const float dt = 1.0f / 64;  // exact in binary, so 32 frames are exactly half a second
    step(16, dt);
    EXPECT_GT(background->getOpacity(), 0);
    EXPECT_LT(background->getOpacity(), 255);
    EXPECT_GT(background->getPositionY(), 250.0f);  // cubic out: past halfway early
    step(15, dt);
    EXPECT_GT(background->getOpacity(), 240);
    EXPECT_TRUE(m_events.empty());
    step(1, dt);
    ASSERT_EQ(2u, m_events.size());
    EXPECT_EQ("delegate open while idle", m_events[0]);
    EXPECT_EQ("callback", m_events[1]);
    EXPECT_STREQ("idle", manager->getRunningSequenceName());  // chained after both
    // idle does not animate the background, so it is back at its layout values.
    EXPECT_EQ(128, background->getOpacity());
    EXPECT_FLOAT_EQ(300, background->getPositionY());

    // idle turns the sprite and switches its frame halfway.
    CCSprite* hero = static_cast<CCSprite*>(static_cast<TestRoot*>(root)->hero);
    step(31, dt);
    EXPECT_FLOAT_EQ(4, hero->getContentSize().width);
    step(1, dt);
    EXPECT_FLOAT_EQ(45, hero->getRotation());
    EXPECT_FLOAT_EQ(8, hero->getContentSize().width);
    step(32, dt);
    EXPECT_EQ(NULL, manager->getRunningSequenceName());
    EXPECT_EQ(4u, m_events.size());

    // Properties the next timeline does not animate go back to the layout's values.
    manager->setAnimationCompletedCallback(NULL, NULL);
    manager->runAnimationsForSequenceNamed("close");
    EXPECT_FLOAT_EQ(10, hero->getRotation());
    step(20, dt);
    EXPECT_FALSE(background->isVisible());
    EXPECT_EQ("delegate close while idle", m_events.back());
}

TEST_F(CCBReaderTest, SubDocumentRunsItsOwnTimelines)
{
    TestOwner owner;
    CCBReader* reader = makeReader(&owner);
    CCNode* root = reader->readNodeGraphFromFile("screen", &owner, CCSizeMake(480, 320));
    ASSERT_TRUE(root != NULL);
    runScene()->addChild(root);
    CCBAnimationManager* sub = reader->getAnimationManagerForNode(owner.members["subScreen"]);
    ASSERT_TRUE(sub != NULL);
    sub->runAnimationsForSequenceNamed("slide");
    EXPECT_EQ(NULL, reader->getAnimationManager()->getRunningSequenceName());
    step(40, 1.0f / 60);
    EXPECT_FLOAT_EQ(100, owner.members["subPanel"]->getPositionX());
    EXPECT_EQ(NULL, sub->getRunningSequenceName());
}

// Deleting a timeline in the editor leaves its keyframes on the nodes: the file still loads, the
// leftovers never play, and one line says so.
TEST_F(CCBReaderTest, KeyframesOfADeletedTimelineAreKeptUnplayedWithOneLogLine)
{
    TestOwner owner;
    CCBReader* reader = makeReader(&owner);
    vorntest::LogCapture log;
    CCNode* root = reader->readNodeGraphFromFile("leftover-timeline", &owner, CCSizeMake(480, 320));
    ASSERT_TRUE(root != NULL);
    int notes = 0;
    for (const std::string& line : log.lines())
    {
        if (line.find("deleted timeline") != std::string::npos) ++notes;
    }
    EXPECT_EQ(1, notes);
    runScene()->addChild(root);

    CCBAnimationManager* manager = reader->getAnimationManager();
    EXPECT_STREQ("idle", manager->getRunningSequenceName());
    CCSprite* hero = dynamic_cast<CCSprite*>(owner.members["hero"]);
    ASSERT_TRUE(hero != NULL);
    step(20, 1.0f / 60);
    EXPECT_LT(hero->getOpacity(), 255);
    EXPECT_EQ(CCPointMake(10, 20), hero->getPosition());   // the layout's place, never the leftover's
    manager->runAnimationsForSequenceNamed("intro");
    EXPECT_STRNE("intro", manager->getRunningSequenceName() ? manager->getRunningSequenceName() : "");

    // Read again, as a screen is each time it opens: no second line.
    log.clear();
    TestOwner again;
    ASSERT_TRUE(makeReader(&again)->readNodeGraphFromFile("leftover-timeline", &again, CCSizeMake(480, 320)) != NULL);
    for (const std::string& line : log.lines())
    {
        EXPECT_EQ(std::string::npos, line.find("deleted timeline")) << line;
    }
}

TEST_F(CCBReaderTest, MissingOrDamagedLayoutsGiveNullAndALogLine)
{
    CCBReader* reader = makeReader(NULL);
    {
        vorntest::LogCapture log;
        EXPECT_EQ(NULL, reader->readNodeGraphFromFile("no-such-layout", NULL, CCSizeMake(480, 320)));
        EXPECT_TRUE(log.contains("no-such-layout.ccbi"));
    }
    {
        // every-type names classes no loader knows.
        vorntest::LogCapture log;
        EXPECT_EQ(NULL, reader->readNodeGraphFromFile("every-type", NULL, CCSizeMake(480, 320)));
        EXPECT_TRUE(log.contains("no loader for class"));
    }
    {
        vorntest::LogCapture log;
        EXPECT_EQ(NULL, reader->readNodeGraphFromFile("broken-sub", NULL, CCSizeMake(480, 320)));
        EXPECT_TRUE(log.contains("sub-document 'missing-sub.ccbi' could not be read"));
    }
    {
        vorntest::LogCapture log;
        EXPECT_EQ(NULL, reader->readNodeGraphFromFile("self-including", NULL, CCSizeMake(480, 320)));
        EXPECT_TRUE(log.contains("nested too deeply"));
    }

    std::string good = vorntest::readFile(m_dir + "/screen.ccbi");
    std::mt19937 random(99);
    for (int round = 0; round < 400; ++round)
    {
        std::vector<unsigned char> bytes(good.begin(), good.end());
        bytes.resize(round % 4 == 0 ? random() % bytes.size() : bytes.size());
        if (round % 4 != 0) bytes[random() % bytes.size()] ^= (unsigned char)(1 + random() % 255);
        TestOwner owner;
        CCBReader* damaged = new CCBReader(library(), &owner, &owner);
        vorntest::LogCapture log;
        CCNode* node = damaged->readNodeGraphFromData(bytes.data(), bytes.size(), &owner, CCSizeMake(480, 320));
        if (!node)
        {
            EXPECT_FALSE(log.lines().empty());
        }
        damaged->release();
    }
}

namespace
{
// A completion target that drops the manager's hold on itself from inside the callback, and
// starts another timeline there.
class SelfClearingTarget : public CCObject
{
public:
    explicit SelfClearingTarget(CCBAnimationManager* manager) : m_manager(manager) {}
    ~SelfClearingTarget() { note("target gone"); }
    void onEnd()
    {
        m_manager->setAnimationCompletedCallback(NULL, NULL);  // releases this target
        m_manager->runAnimationsForSequenceNamed("close");
        note("callback done");
    }

private:
    CCBAnimationManager* m_manager;
};
} // namespace

TEST_F(CCBReaderTest, ListenersMayClearTheCallbackAndPickTheNextTimeline)
{
    TestOwner owner;
    CCBReader* reader = makeReader(&owner);
    CCNode* root = reader->readNodeGraphFromFile("screen", &owner, CCSizeMake(480, 320));
    ASSERT_TRUE(root != NULL);
    runScene()->addChild(root);
    CCBAnimationManager* manager = reader->getAnimationManager();
    CCLayerColor* background = static_cast<CCLayerColor*>(owner.members["background"]);

    // A tween eases from the current values to the first keyframe before the timeline runs.
    manager->runAnimationsForSequenceNamedTweenDuration("open", 0.25f);
    EXPECT_EQ(128, background->getOpacity());
    step(8, 1.0f / 64);
    EXPECT_EQ(64, background->getOpacity());
    step(8, 1.0f / 64);
    EXPECT_EQ(0, background->getOpacity());

    SelfClearingTarget* target = new SelfClearingTarget(manager);
    manager->setAnimationCompletedCallback(target, callfunc_selector(SelfClearingTarget::onEnd));
    target->release();  // the manager holds the only reference now
    step(32, 1.0f / 64);
    ASSERT_EQ(2u, m_events.size());
    EXPECT_EQ("callback done", m_events[0]);  // the target outlived its own call
    EXPECT_EQ("target gone", m_events[1]);
    EXPECT_STREQ("close", manager->getRunningSequenceName());  // the listener's pick beats the chain
}

TEST_F(CCBReaderTest, DroppedGraphWithARunningTimelineIsFreed)
{
    // The layout's timeline loops for ever; the graph goes once without ever being shown and
    // once taken out of the scene mid-timeline.
    for (int shown = 0; shown < 2; ++shown)
    {
        CCScene* scene = runScene();
        CCNodeLoaderLibrary* lib = CCNodeLoaderLibrary::newDefaultCCNodeLoaderLibrary();
        lib->registerCCNodeLoader("CCLayer", CountedLayerLoader::loader());
        CCBReader* reader = new CCBReader(lib);
        CCNode* root = reader->readNodeGraphFromFile("looping", NULL, CCSizeMake(480, 320));
        ASSERT_TRUE(root != NULL);
        ASSERT_STREQ("idle", reader->getAnimationManager()->getRunningSequenceName());
        EXPECT_EQ(1, CountedLayer::s_alive);
        if (shown)
        {
            scene->addChild(root);
            step(10, 1.0f / 60);
            scene->removeChild(root, true);
        }
        reader->release();
        step(2, 1.0f / 60);
        EXPECT_EQ(0, CountedLayer::s_alive) << (shown ? "shown" : "never shown");
    }
}

TEST_F(CCBReaderTest, FailedReadLetsGoOfNodesThatScheduledThemselves)
{
    runScene();
    CCNodeLoaderLibrary* lib = CCNodeLoaderLibrary::newDefaultCCNodeLoaderLibrary();
    lib->registerCCNodeLoader("CountedTicker", CountedTickerLoader::loader());
    CCBReader* reader = new CCBReader(lib);
    {
        vorntest::LogCapture log;
        EXPECT_EQ(NULL, reader->readNodeGraphFromFile("fails-after-ticker", NULL, CCSizeMake(480, 320)));
        EXPECT_TRUE(log.contains("no loader for class 'NoSuchClass'"));
    }
    reader->release();
    step(2, 1.0f / 60);
    EXPECT_EQ(0, CountedTicker::s_alive);
}
