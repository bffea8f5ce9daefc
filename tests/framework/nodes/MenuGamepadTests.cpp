#include "CCMenuGamepad.h"
#include "CCMenuGamepadInputDispatcher.h"
#include "GameManager.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

USING_NS_CC;

namespace
{
// Takes the menus' handlers and the items' activations, in order.
class MenuListener : public CCObject
{
public:
    bool onUp(int player)
    {
        events.push_back("up " + std::to_string(player));
        return upHandles;
    }
    bool onAction(int player)
    {
        events.push_back("action " + std::to_string(player));
        return false;
    }
    void onItem(CCObject* sender) { events.push_back("item " + std::to_string(static_cast<CCNode*>(sender)->getTag())); }

    bool upHandles = true;
    std::vector<std::string> events;
};

class MenuGamepadTest : public ::testing::Test
{
protected:
    void SetUp() override { dispatcher()->setShowSelection(true); }
    void TearDown() override
    {
        dispatcher()->setFocusMenuItem(NULL, -1);
        dispatcher()->setShowSelection(true);
        CCDirector::purgeSharedDirector();
    }

    static CCMenuGamepadInputDispatcher* dispatcher() { return CCMenuGamepadInputDispatcher::sharedDispatcher(); }

    CCMenuItem* item(int tag, float x, float y)
    {
        CCMenuItem* item = CCMenuItem::create(&m_listener, menu_selector(MenuListener::onItem));
        item->setContentSize(CCSize(20, 10));
        item->setPosition(ccp(x, y));
        item->setTag(tag);
        return item;
    }

    // A menu at the window's origin, so item positions are window positions.
    CCMenuGamepad* menu(CCMenuItem* a, CCMenuItem* b = NULL, CCMenuItem* c = NULL)
    {
        CCMenuGamepad* menu = CCMenuGamepad::create(a, b, c, NULL);
        menu->setPosition(CCPointZero);
        return menu;
    }

    int focusTag(int player = 0)
    {
        CCMenuItem* focus = dispatcher()->getFocusMenuItem(player);
        return focus ? focus->getTag() : -1;
    }

    CCScopedAutoreleasePool m_pool;
    MenuListener m_listener;
};
} // namespace

TEST_F(MenuGamepadTest, AColumnMovesByPositionAndWraps)
{
    CCMenuGamepad* column = menu(item(1, 100, 50), item(2, 100, 100), item(3, 100, 150));
    dispatcher()->setFocusMenuItem(static_cast<CCMenuItem*>(column->getChildByTag(2)), 0);
    EXPECT_EQ(column, dispatcher()->getActiveMenu(0));
    EXPECT_EQ(column->getChildByTag(2), column->getSelectedItem());

    dispatcher()->moveSelection(kMenuGamepadInput_Up, 0);
    EXPECT_EQ(3, focusTag());
    EXPECT_TRUE(static_cast<CCMenuItem*>(column->getChildByTag(3))->isSelected());
    EXPECT_FALSE(static_cast<CCMenuItem*>(column->getChildByTag(2))->isSelected());
    dispatcher()->moveSelection(kMenuGamepadInput_Up, 0);
    EXPECT_EQ(1, focusTag());
    dispatcher()->moveSelection(kMenuGamepadInput_Down, 0);
    EXPECT_EQ(3, focusTag());  // wraps from the lowest to the highest

    // Nothing else in the row: the focus and the highlight switch stay as they were.
    dispatcher()->setShowSelection(false);
    dispatcher()->moveSelection(kMenuGamepadInput_Left, 0);
    dispatcher()->moveSelection(kMenuGamepadInput_Right, 0);
    EXPECT_EQ(3, focusTag());
    EXPECT_FALSE(dispatcher()->getShowSelection());
    column->cleanup();
}

TEST_F(MenuGamepadTest, WithoutFocusEachDirectionStartsFromItsFarSide)
{
    // An L of items: a column at x 50 and a row at y 250.
    CCMenuGamepad* column = menu(item(1, 50, 50), item(2, 50, 150));
    CCMenuGamepad* row = menu(item(3, 150, 250), item(4, 300, 250));
    struct Case { int direction; int expected; };
    const Case cases[] = { { kMenuGamepadInput_Up, 1 }, { kMenuGamepadInput_Down, 3 },
                           { kMenuGamepadInput_Left, 4 }, { kMenuGamepadInput_Right, 1 } };
    for (const Case& c : cases)
    {
        dispatcher()->setFocusMenuItem(NULL, 0);
        dispatcher()->setShowSelection(false);
        dispatcher()->moveSelection(c.direction, 0);
        EXPECT_EQ(c.expected, focusTag()) << c.direction;
        EXPECT_TRUE(dispatcher()->getShowSelection());
    }
    // Players are independent; past the fourth nobody moves.
    dispatcher()->moveSelection(kMenuGamepadInput_Down, 1);
    EXPECT_EQ(3, focusTag(1));
    EXPECT_EQ(1, focusTag(0));
    dispatcher()->moveSelection(kMenuGamepadInput_Down, 4);
    column->cleanup();
    row->cleanup();
}

TEST_F(MenuGamepadTest, LockedMenusHiddenParentsAndDisabledMenusLimitTheCandidates)
{
    CCMenuGamepad* left = menu(item(1, 50, 100), item(2, 50, 200));
    CCMenuGamepad* right = menu(item(3, 300, 100));
    left->setGamepadLocked(true);
    dispatcher()->setActiveMenu(left, 0);
    EXPECT_EQ(1, focusTag());
    dispatcher()->moveSelection(kMenuGamepadInput_Right, 0);
    EXPECT_EQ(1, focusTag());
    dispatcher()->moveSelection(kMenuGamepadInput_Up, 0);
    EXPECT_EQ(2, focusTag());

    // Unlocked, the other menu's item in the row is reachable, but not while its parent is hidden.
    left->setGamepadLocked(false);
    CCNode* parent = CCNode::create();
    parent->addChild(right);
    parent->setVisible(false);
    dispatcher()->setFocusMenuItem(static_cast<CCMenuItem*>(left->getChildByTag(1)), 0);
    dispatcher()->moveSelection(kMenuGamepadInput_Right, 0);
    EXPECT_EQ(1, focusTag());
    parent->setVisible(true);
    dispatcher()->moveSelection(kMenuGamepadInput_Right, 0);
    EXPECT_EQ(3, focusTag());

    // A focused item that stops being a candidate loses the focus on the next move.
    right->setGamepadEnabled(false);
    dispatcher()->moveSelection(kMenuGamepadInput_Up, 0);
    EXPECT_EQ(1, focusTag());
    left->cleanup();
    right->cleanup();
}

TEST_F(MenuGamepadTest, HandlersComeFirstAndActionActivatesTheFocusedItem)
{
    CCMenuGamepad* column = menu(item(1, 100, 50), item(2, 100, 150));
    column->setGamepadHandler(kMenuGamepadInput_Up, &m_listener, menugamepad_selector(MenuListener::onUp));
    dispatcher()->setActiveMenu(column, 2);
    EXPECT_EQ(1, focusTag(2));

    dispatcher()->handleMenuInput(kMenuGamepadInput_Up, 2);  // taken by the handler
    EXPECT_EQ(1, focusTag(2));
    m_listener.upHandles = false;
    dispatcher()->handleMenuInput(kMenuGamepadInput_Up, 2);  // declined: the focus moves
    EXPECT_EQ(2, focusTag(2));
    column->setTouchEnabled(false);  // handlers need the menu to take input
    EXPECT_FALSE(column->callSelector(kMenuGamepadInput_Up, 2));
    column->setTouchEnabled(true);

    // No action handler: a disabled item stays, an enabled one is activated and loses the focus.
    CCMenuItem* focused = dispatcher()->getFocusMenuItem(2);
    focused->setEnabled(false);
    dispatcher()->handleMenuInput(kMenuGamepadInput_Action, 2);
    EXPECT_EQ(focused, dispatcher()->getFocusMenuItem(2));
    focused->setEnabled(true);
    dispatcher()->handleMenuInput(kMenuGamepadInput_Action, 2);
    EXPECT_EQ(NULL, dispatcher()->getFocusMenuItem(2));
    EXPECT_FALSE(focused->isSelected());

    // An action handler that declines still lets the item activate.
    column->setGamepadHandler(kMenuGamepadInput_Action, &m_listener, menugamepad_selector(MenuListener::onAction));
    dispatcher()->setFocusMenuItem(focused, 2);
    dispatcher()->handleMenuInput(kMenuGamepadInput_Action, 2);
    EXPECT_EQ((std::vector<std::string>{ "up 2", "up 2", "item 2", "action 2", "item 2" }), m_listener.events);
    column->cleanup();
}

TEST_F(MenuGamepadTest, WithNothingFurtherInItsColumnTheFocusGoesToTheNearestItemThatWay)
{
    // A button row under two buttons that sit off the row's columns, as on the results and the
    // more panel: up from a row button reaches the nearer upper button instead of going nowhere.
    CCMenuGamepad* row = menu(item(1, 100, 50), item(2, 200, 50), item(3, 400, 50));
    CCMenuGamepad* upper = menu(item(4, 150, 200), item(5, 420, 200));
    struct Case
    {
        int from;
        int direction;
        int expected;
    } cases[] = {
        { 1, kMenuGamepadInput_Up, 4 },    // nothing above in its column: the nearer one
        { 2, kMenuGamepadInput_Up, 4 },
        { 3, kMenuGamepadInput_Up, 5 },    // the nearer one is up and to the right
        { 4, kMenuGamepadInput_Down, 1 },  // a tie goes to the first in menu order
        { 5, kMenuGamepadInput_Down, 3 },
        { 4, kMenuGamepadInput_Up, 4 },    // nothing beyond at all: wraps within its column
        { 1, kMenuGamepadInput_Right, 2 },
        { 1, kMenuGamepadInput_Left, 3 },   // rows wrap as before, even with an item up that way
        { 3, kMenuGamepadInput_Right, 1 },
    };
    for (const Case& c : cases)
    {
        CCMenuGamepad* owner = c.from <= 3 ? row : upper;
        dispatcher()->setFocusMenuItem(static_cast<CCMenuItem*>(owner->getChildByTag(c.from)), 0);
        dispatcher()->moveSelection(c.direction, 0);
        EXPECT_EQ(c.expected, focusTag()) << "from " << c.from << " direction " << c.direction;
    }
    // A hidden menu's items are no neighbours.
    upper->setVisible(false);
    dispatcher()->setFocusMenuItem(static_cast<CCMenuItem*>(row->getChildByTag(1)), 0);
    dispatcher()->moveSelection(kMenuGamepadInput_Up, 0);
    EXPECT_EQ(1, focusTag());
    row->cleanup();
    upper->cleanup();
}

TEST_F(MenuGamepadTest, AMenuScaledToNothingTakesNoInputUntilItShows)
{
    // A result screen's menu waits at scale 0 until its timeline brings it in; its panel may be
    // the one scaled, or the menu itself.
    CCMenuGamepad* column = menu(item(1, 100, 50), item(2, 100, 150));
    column->setGamepadHandler(kMenuGamepadInput_Up, &m_listener, menugamepad_selector(MenuListener::onUp));
    column->setGamepadHandler(kMenuGamepadInput_Back, &m_listener, menugamepad_selector(MenuListener::onUp));
    CCNode* panel = CCNode::create();
    panel->addChild(column);
    CCNode* hiding[] = { column, panel };
    for (CCNode* scaled : hiding)
    {
        m_listener.events.clear();
        scaled->setScale(0.0f);
        dispatcher()->setFocusMenuItem(static_cast<CCMenuItem*>(column->getChildByTag(1)), 0);
        EXPECT_FALSE(column->isShowing());
        dispatcher()->handleMenuInput(kMenuGamepadInput_Action, 0);
        dispatcher()->handleMenuInput(kMenuGamepadInput_Back, 0);
        dispatcher()->handleMenuInput(kMenuGamepadInput_Up, 0);
        EXPECT_TRUE(m_listener.events.empty()) << m_listener.events.front();

        scaled->setScale(1.0f);
        EXPECT_TRUE(column->isShowing());
        dispatcher()->setFocusMenuItem(static_cast<CCMenuItem*>(column->getChildByTag(1)), 0);
        dispatcher()->handleMenuInput(kMenuGamepadInput_Back, 0);
        dispatcher()->handleMenuInput(kMenuGamepadInput_Action, 0);
        EXPECT_EQ((std::vector<std::string>{ "up 0", "item 1" }), m_listener.events);
    }
    column->cleanup();
}

TEST_F(MenuGamepadTest, ActivateOnSelectionFiresOncePerFocusChange)
{
    CCMenuGamepad* column = menu(item(1, 100, 50), item(2, 100, 150));
    column->setActivateOnSelection(true);
    CCMenuItem* first = static_cast<CCMenuItem*>(column->getChildByTag(1));
    CCMenuItem* second = static_cast<CCMenuItem*>(column->getChildByTag(2));
    second->setEnabled(false);

    dispatcher()->setFocusMenuItem(first, -1);  // four players, one activation
    dispatcher()->setFocusMenuItem(first, 0);   // no change
    dispatcher()->setFocusMenuItem(second, 0);  // disabled
    EXPECT_EQ((std::vector<std::string>{ "item 1" }), m_listener.events);
    column->cleanup();
}

TEST_F(MenuGamepadTest, ActiveMenusForAllPlayersAndMenusLeaving)
{
    CCMenuGamepad* column = menu(item(1, 100, 50), item(2, 100, 150));
    column->setSelectedMenuItem(static_cast<CCMenuItem*>(column->getChildByTag(2)));
    dispatcher()->setActiveMenu(column, -1);
    for (int p = 0; p < 4; ++p)
    {
        EXPECT_EQ(2, focusTag(p)) << p;
        EXPECT_EQ(column, dispatcher()->getActiveMenu(p)) << p;
    }
    dispatcher()->setActiveMenu(NULL, -1);  // ignored
    EXPECT_EQ(2, focusTag(3));

    EXPECT_TRUE(column->getParent() == NULL);
    column->cleanup();
    EXPECT_FALSE(dispatcher()->removeMenu(column));
    EXPECT_EQ(NULL, dispatcher()->getFocusMenuItem(0));
    EXPECT_EQ(NULL, dispatcher()->getActiveMenu(0));

    // A menu dropped without cleanup (a layout that failed to load) leaves the dispatcher too.
    unsigned int before = dispatcher()->getMenus()->count();
    {
        CCScopedAutoreleasePool pool;
        CCMenuGamepad* dropped = menu(item(5, 10, 10));
        EXPECT_EQ(before + 1, dispatcher()->getMenus()->count());
        dispatcher()->setFocusMenuItem(static_cast<CCMenuItem*>(dropped->getChildByTag(5)), 1);
        dispatcher()->setActiveMenu(column, 1);  // the focus moves away and releases the menu
    }
    EXPECT_EQ(before, dispatcher()->getMenus()->count());
}

TEST_F(MenuGamepadTest, TouchControlsAreUsedUntilSelectionsShow)
{
    GameManager manager;
    dispatcher()->setShowSelection(false);
    EXPECT_TRUE(manager.isUsingTouchControls());
    dispatcher()->setShowSelection(true);
    EXPECT_FALSE(manager.isUsingTouchControls());
}
