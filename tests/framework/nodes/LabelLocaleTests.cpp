#include "CCLabelBMFontLocale.h"
#include "CCMenuGamepad.h"
#include "CCMenuGamepadInputDispatcher.h"
#include "CCMenuGamepadSelectorResolver.h"
#include "LocaleManager.h"
#include "OSKNodeLoaderLibrary.h"
#include "VornTestSupport.h"
#include "cocos-ext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>

USING_NS_CC;
USING_NS_CC_EXT;

namespace
{
class LabelLocaleTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        CCLabelBMFont::purgeCachedData();
        CCDirector::purgeSharedDirector();
    }

    CCLabelBMFontLocale* label(const char* text)
    {
        CCLabelBMFontLocale* label = CCLabelBMFontLocale::create();
        label->setFntFile(vorntest::fixturePath("engine/labels/tiny.fnt").c_str());
        label->setString(text);
        return label;
    }

    CCScopedAutoreleasePool m_pool;
};

// Screen-like owner: members, menu-item selectors and gamepad handlers on a proxy target.
class MenuOwner : public CCObject, public CCBMemberVariableAssigner, public CCBSelectorResolver,
                  public CCMenuGamepadSelectorResolver
{
public:
    MenuOwner() : proxy(new CCObject()) {}
    ~MenuOwner() { proxy->release(); }
    virtual bool onAssignCCBMemberVariable(CCObject*, const char* name, CCNode* node)
    {
        members[name] = node;
        return true;
    }
    virtual CCObject* onResolveCCBSelectorTarget(const char*) { return this; }
    virtual SEL_MenuHandler onResolveCCBCCMenuItemSelector(CCObject*, const char* name)
    {
        return std::strcmp(name, "onPlay") == 0 ? menu_selector(MenuOwner::onPlay) : NULL;
    }
    virtual SEL_CCControlHandler onResolveCCBCCControlSelector(CCObject*, const char*) { return NULL; }
    virtual SEL_MenuGamepadHandler onResolveCCBMenuGamepadSelector(CCObject* target, const char* name)
    {
        EXPECT_EQ(this, target);
        if (std::strcmp(name, "onMenuUp") == 0) return menugamepad_selector(MenuOwner::onMenuUp);
        if (std::strcmp(name, "onMenuBack") == 0) return menugamepad_selector(MenuOwner::onMenuBack);
        return NULL;
    }
    void onPlay(CCObject*) { events.push_back("play"); }
    bool onMenuUp(int player)
    {
        events.push_back("up " + std::to_string(player));
        return true;
    }
    bool onMenuBack(int player)
    {
        events.push_back("back " + std::to_string(player));
        return true;
    }

    CCObject* proxy;
    std::map<std::string, CCNode*> members;
    std::vector<std::string> events;
};
} // namespace

TEST_F(LabelLocaleTest, TextsShrinkInFivePercentStepsToTheLockBox)
{
    CCLabelBMFontLocale* fits = label("AB");
    fits->setScale(2.0f);
    fits->setLockHeight(25);
    fits->setString("AB");
    EXPECT_EQ(2.0f, fits->getScaleX());
    EXPECT_EQ(2.0f, fits->getScaleY());

    // Two lines, exactly twice the lock height: 0.95^13 is still too high, 0.95^14 fits.
    CCLabelBMFontLocale* tall = label("A");
    float lineHeight = tall->getContentSize().height;
    ASSERT_GT(lineHeight, 0);
    tall->setLockHeight(lineHeight);
    tall->setString("A\nB");
    EXPECT_FLOAT_EQ(2 * lineHeight, tall->getContentSize().height);
    EXPECT_NEAR(std::pow(0.95f, 14), tall->getScaleX(), 1e-5);
    EXPECT_NEAR(std::pow(0.95f, 14), tall->getScaleY(), 1e-5);
    EXPECT_EQ(1.0f, tall->getBaseScale().x);

    // A scale set from outside is the new base the next text starts from.
    tall->setScale(0.5f);
    tall->setString("A\nB");
    EXPECT_EQ(0.5f, tall->getScaleX());

    // The aspect of the base scale survives the shrinking.
    CCLabelBMFontLocale* wide = label("A");
    wide->setScaleX(2.0f);
    wide->setLockHeight(lineHeight);
    wide->setString("A\nB");
    EXPECT_LT(wide->getScaleY(), 1.0f);
    EXPECT_FLOAT_EQ(2.0f, wide->getScaleX() / wide->getScaleY());
    EXPECT_LE(wide->boundingBox().size.height, lineHeight);
}

TEST_F(LabelLocaleTest, ALockWidthWrapsAndShrinksOnlyWithALockHeight)
{
    CCLabelBMFontLocale* wrapped = label("AB");
    float oneWord = wrapped->getContentSize().width;
    wrapped->setWidth(oneWord);
    wrapped->setString("AB AB AB");
    EXPECT_EQ(1.0f, wrapped->getScaleX());
    EXPECT_NE(std::string::npos, wrapped->getDisplayStringUTF8().find('\n'));

    // With a lock height, a box no text can fit still ends (tiny, but finite and not zero).
    wrapped->setLockHeight(1e-6f);
    wrapped->setString("AB AB AB");
    EXPECT_GT(wrapped->getScaleX(), 0.0f);
    EXPECT_TRUE(std::isfinite(wrapped->getScaleY()));
}

TEST_F(LabelLocaleTest, ALayoutsMenusAndLabelsBecomeGamepadMenusAndLocalisedLabels)
{
    std::string dir = vorntest::makeTempDir("framework-menus");
    vorntest::writeFile(dir + "/framework-menus.ccbi", vorntest::readFile(std::string(LAYOUT_DIR) + "/framework-menus.ccbi"));
    vorntest::writeFile(dir + "/anim.png", vorntest::readFile(vorntest::fixturePath("framework/nodes/anim.png")));
    vorntest::writeFile(dir + "/tiny.fnt", vorntest::readFile(vorntest::fixturePath("engine/labels/tiny.fnt")));
    vorntest::writeFile(dir + "/tiny.png", vorntest::readFile(vorntest::fixturePath("engine/labels/tiny.png")));
    CCFileUtils::sharedFileUtils()->setResourceDirectory(dir.c_str());

    LocaleManager* locale = new LocaleManager();
    CCDictionary* table = CCDictionary::create();
    table->setObject(CCString::create("AB BA"), "MENU_HELLO");
    locale->setCurrentTable(table);

    OSKNodeLoaderLibrary* library = OSKNodeLoaderLibrary::library();
    library->registerDefaultCCNodeLoaders();
    library->registerOSKNodeLoaders();
    MenuOwner owner;
    CCBReader* reader = new CCBReader(library, &owner, &owner);
    vorntest::LogCapture log;
    CCNode* root = reader->readNodeGraphFromFile("framework-menus", &owner, CCSize(480, 320));
    ASSERT_TRUE(root != NULL);

    CCMenuGamepad* menu = dynamic_cast<CCMenuGamepad*>(owner.members["menu"]);
    ASSERT_TRUE(menu != NULL);
    EXPECT_TRUE(CCMenuGamepadInputDispatcher::sharedDispatcher()->getMenus()->containsObject(menu));
    EXPECT_TRUE(menu->isGamepadLocked());
    EXPECT_EQ(&owner, menu->getGamepadHandlerTarget(kMenuGamepadInput_Up));
    EXPECT_TRUE(menu->getGamepadHandler(kMenuGamepadInput_Left) == NULL);  // not registered: never fires
    EXPECT_TRUE(menu->callSelector(kMenuGamepadInput_Up, 1));
    EXPECT_FALSE(menu->callSelector(kMenuGamepadInput_Left, 1));
    CCMenuGamepadInputDispatcher::sharedDispatcher()->setActiveMenu(menu, 0);
    CCMenuGamepadInputDispatcher::sharedDispatcher()->handleMenuInput(kMenuGamepadInput_Back, 0);
    CCMenuGamepadInputDispatcher::sharedDispatcher()->handleMenuInput(kMenuGamepadInput_Action, 0);
    EXPECT_EQ((std::vector<std::string>{ "up 1", "back 0", "play" }), owner.events);

    CCLabelBMFontLocale* title = dynamic_cast<CCLabelBMFontLocale*>(owner.members["title"]);
    ASSERT_TRUE(title != NULL);
    EXPECT_STREQ("AB BA", title->getString());
    EXPECT_FLOAT_EQ(title->getContentSize().height, title->getLockHeight());  // present, though unchecked
    EXPECT_FALSE(log.contains("Unexpected property"));

    CCMenuGamepadInputDispatcher::sharedDispatcher()->setFocusMenuItem(NULL, -1);
    menu->cleanup();
    reader->release();
    delete locale;
}
