#include "NodeTestSupport.h"

USING_NS_CC;

namespace
{
class Receiver : public CCObject
{
public:
    Receiver() : hits(0), last(NULL), menuToDrop(NULL) {}
    void onTap(CCObject* sender)
    {
        ++hits;
        last = sender;
        if (menuToDrop)
        {
            menuToDrop->removeFromParentAndCleanup(true);
        }
    }
    int hits;
    CCObject* last;
    CCNode* menuToDrop;
};

// A subclass that reaches the seams a gamepad menu needs.
class CountingMenu : public CCMenu
{
public:
    CountingMenu() : inits(0), ends(0) {}
    virtual bool initWithArray(CCArray* items)
    {
        ++inits;
        return CCMenu::initWithArray(items);
    }
    virtual void ccTouchEnded(CCTouch* touch, CCEvent* event)
    {
        if (m_pSelectedItem)
        {
            ++ends;
        }
        CCMenu::ccTouchEnded(touch, event);
    }
    void focus(CCMenuItem* item) { m_pSelectedItem = item; }
    int inits;
    int ends;
};

using vorntest::touchAt;

void moveTo(CCTouch* t, float x, float y)
{
    t->setTouchInfo(0, x, 320 - y);
}
} // namespace

class MenuTest : public EngineTest
{
protected:
    virtual void SetUp()
    {
        EngineTest::SetUp();
        scene = runScene();
        // A 40x20 item at the window's centre: x 220..260, y 150..170 in the scene.
        item = CCMenuItem::create(&receiver, menu_selector(Receiver::onTap));
        item->setContentSize(CCSizeMake(40, 20));
        menu = CCMenu::create(item, NULL);
        scene->addChild(menu);
    }
    Receiver receiver;
    CCScene* scene;
    CCMenuItem* item;
    CCMenu* menu;
};

TEST_F(MenuTest, DefaultsToASwallowingTargetedMenuAtPriorityMinus128)
{
    EXPECT_TRUE(menu->isTouchEnabled());
    EXPECT_TRUE(menu->isEnabled());
    EXPECT_EQ(kCCMenuHandlerPriority, menu->getTouchPriority());
    EXPECT_EQ(kCCTouchesOneByOne, menu->getTouchMode());
    EXPECT_EQ(CCPointMake(240, 160), menu->getPosition());
}

TEST_F(MenuTest, TouchOnTheItemEdgeActivatesItOnRelease)
{
    CCTouch* t = touchAt(260, 170);
    ASSERT_TRUE(menu->ccTouchBegan(t, NULL));
    EXPECT_TRUE(item->isSelected());
    EXPECT_EQ(0, receiver.hits);
    menu->ccTouchEnded(t, NULL);
    EXPECT_FALSE(item->isSelected());
    EXPECT_EQ(1, receiver.hits);
    EXPECT_EQ(item, receiver.last);
    // The selection stays recorded for other input paths.
    EXPECT_EQ(item, menu->getSelectedItem());

    EXPECT_FALSE(menu->ccTouchBegan(touchAt(260.5f, 170), NULL));
    EXPECT_FALSE(menu->ccTouchBegan(touchAt(240, 149.5f), NULL));
}

TEST_F(MenuTest, HiddenAncestorDisabledOrHiddenItemsClaimNothing)
{
    CCNode* holder = CCNode::create();
    menu->removeFromParentAndCleanup(false);
    holder->addChild(menu);
    scene->addChild(holder);
    holder->setVisible(false);
    EXPECT_FALSE(menu->ccTouchBegan(touchAt(240, 160), NULL));
    holder->setVisible(true);

    item->setEnabled(false);
    EXPECT_FALSE(menu->ccTouchBegan(touchAt(240, 160), NULL));
    item->setEnabled(true);
    item->setVisible(false);
    EXPECT_FALSE(menu->ccTouchBegan(touchAt(240, 160), NULL));
    item->setVisible(true);
    menu->setEnabled(false);
    EXPECT_FALSE(menu->ccTouchBegan(touchAt(240, 160), NULL));
    menu->setEnabled(true);
    EXPECT_TRUE(menu->ccTouchBegan(touchAt(240, 160), NULL));
    EXPECT_EQ(0, receiver.hits);
}

TEST_F(MenuTest, DraggingOffTheItemCancelsAndOntoAnotherMovesTheSelection)
{
    CCMenuItem* other = CCMenuItem::create(&receiver, menu_selector(Receiver::onTap));
    other->setContentSize(CCSizeMake(40, 20));
    other->setPosition(ccp(0, 40));   // y 190..210
    menu->addChild(other);

    CCTouch* t = touchAt(240, 160);
    ASSERT_TRUE(menu->ccTouchBegan(t, NULL));
    moveTo(t, 10, 10);
    menu->ccTouchMoved(t, NULL);
    EXPECT_FALSE(item->isSelected());
    menu->ccTouchEnded(t, NULL);
    EXPECT_EQ(0, receiver.hits);

    t = touchAt(240, 160);
    ASSERT_TRUE(menu->ccTouchBegan(t, NULL));
    moveTo(t, 240, 200);
    menu->ccTouchMoved(t, NULL);
    EXPECT_FALSE(item->isSelected());
    EXPECT_TRUE(other->isSelected());
    menu->ccTouchEnded(t, NULL);
    EXPECT_EQ(other, receiver.last);

    // A cancelled touch unselects without activating.
    t = touchAt(240, 160);
    ASSERT_TRUE(menu->ccTouchBegan(t, NULL));
    menu->ccTouchCancelled(t, NULL);
    EXPECT_FALSE(item->isSelected());
    EXPECT_EQ(1, receiver.hits);
}

TEST_F(MenuTest, RemovedItemsAndHandlersThatDropTheMenuAreSafe)
{
    CCTouch* t = touchAt(240, 160);
    ASSERT_TRUE(menu->ccTouchBegan(t, NULL));
    menu->removeChild(item, true);
    EXPECT_TRUE(menu->getSelectedItem() == NULL);
    menu->ccTouchEnded(t, NULL);
    EXPECT_EQ(0, receiver.hits);

    // The handler removes the whole menu from the scene while it is being activated.
    CCMenuItem* again = CCMenuItem::create(&receiver, menu_selector(Receiver::onTap));
    again->setContentSize(CCSizeMake(40, 20));
    menu->addChild(again);
    receiver.menuToDrop = menu;
    t = touchAt(240, 160);
    ASSERT_TRUE(menu->ccTouchBegan(t, NULL));
    {
        CCScopedAutoreleasePool pool;
        menu->ccTouchEnded(t, NULL);
    }
    EXPECT_EQ(1, receiver.hits);
    EXPECT_EQ(0u, scene->getChildrenCount());
}

TEST_F(MenuTest, RegistersSwallowingAtItsPriorityAndWorksThroughTheDispatcher)
{
    CCTouchDispatcher* dispatcher = CCDirector::sharedDirector()->getTouchDispatcher();
    ASSERT_TRUE(dispatcher != NULL);
    CCMenuItem* b = CCMenuItem::create(&receiver, menu_selector(Receiver::onTap));
    b->setContentSize(CCSizeMake(10, 10));
    b->setPosition(ccp(100, 0));
    CCMenu* registered = CCMenu::create(b, NULL);
    scene->addChild(registered);
    CCTouchHandler* handler = dispatcher->findHandler(registered);
    ASSERT_TRUE(handler != NULL);
    EXPECT_EQ(kCCMenuHandlerPriority, handler->getPriority());
    EXPECT_TRUE(handler->isTargeted());
    EXPECT_TRUE(handler->isSwallowsTouches());

    CCSet* touches = new CCSet();
    touches->addObject(touchAt(340, 160));
    dispatcher->touchesBegan(touches, NULL);
    dispatcher->touchesEnded(touches, NULL);
    EXPECT_EQ(b, receiver.last);
    touches->release();

    registered->removeFromParentAndCleanup(true);
    EXPECT_TRUE(dispatcher->findHandler(registered) == NULL || dispatcher->findHandler(registered)->isRemoved());
    // Focus set from outside must be one of the menu's own items.
    vorntest::LogCapture log;
    menu->setSelectedItem(b);
    EXPECT_TRUE(menu->getSelectedItem() == NULL);
    menu->setSelectedItem(item);
    EXPECT_EQ(item, menu->getSelectedItem());
}

TEST_F(MenuTest, SubclassSeamsInitAndTouchEnded)
{
    CountingMenu* custom = new CountingMenu();
    ASSERT_TRUE(custom->init());
    custom->autorelease();
    EXPECT_EQ(1, custom->inits);
    CCMenuItem* a = CCMenuItem::create(&receiver, menu_selector(Receiver::onTap));
    a->setContentSize(CCSizeMake(10, 10));
    custom->addChild(a);
    scene->addChild(custom);
    custom->focus(a);
    EXPECT_EQ(a, custom->getSelectedItem());
    CCTouch* t = touchAt(240, 160);
    ASSERT_TRUE(custom->ccTouchBegan(t, NULL));
    custom->ccTouchEnded(t, NULL);
    EXPECT_EQ(1, custom->ends);
    EXPECT_EQ(a, receiver.last);
}

TEST_F(MenuTest, SpriteAndLabelItemsShowTheirStates)
{
    CCNode* normal = CCNode::create();
    normal->setContentSize(CCSizeMake(30, 12));
    CCNode* selected = CCNode::create();
    CCNode* disabled = CCNode::create();
    CCMenuItemSprite* sprite = CCMenuItemSprite::create(normal, selected, disabled, &receiver,
                                                        menu_selector(Receiver::onTap));
    EXPECT_EQ(CCSizeMake(30, 12), sprite->getContentSize());
    EXPECT_TRUE(normal->isVisible());
    EXPECT_FALSE(selected->isVisible());
    sprite->selected();
    EXPECT_FALSE(normal->isVisible());
    EXPECT_TRUE(selected->isVisible());
    sprite->unselected();
    sprite->setEnabled(false);
    EXPECT_TRUE(disabled->isVisible());
    EXPECT_FALSE(normal->isVisible());
    sprite->activate();
    EXPECT_EQ(0, receiver.hits);

    CCLabelBMFont* text = CCLabelBMFont::create("AB", vorntest::fixturePath("engine/labels/tiny.fnt").c_str());
    ASSERT_TRUE(text != NULL);
    CCMenuItemLabel* label = CCMenuItemLabel::create(text, &receiver, menu_selector(Receiver::onTap));
    EXPECT_EQ(text->getContentSize(), label->getContentSize());
    label->setEnabled(false);
    EXPECT_EQ(126, text->getColor().r);
    label->setEnabled(true);
    EXPECT_EQ(255, text->getColor().r);
    label->setString("ABAB");
    EXPECT_FLOAT_EQ(24.0f, label->getContentSize().width);

    vorntest::LogCapture log;
    EXPECT_TRUE(CCMenuItemImage::create("missing.png", NULL) == NULL);
    EXPECT_TRUE(log.contains("missing.png"));
    CCLabelBMFont::purgeCachedData();
}
