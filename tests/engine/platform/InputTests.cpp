// Touches and keys injected as SDL events, through the view's pump to the dispatchers.
#include "VornTestSupport.h"

#include "cocos2d.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace cocos2d;

namespace
{
class Recorder : public CCObject, public CCTouchDelegate, public CCKeyboardDelegate
{
public:
    explicit Recorder(bool claims = true) : m_claims(claims), m_removeOnBegan(NULL), m_dispatcher(NULL) {}
    virtual bool ccTouchBegan(CCTouch* touch, CCEvent*)
    {
        record("began", touch);
        if (m_removeOnBegan)
        {
            m_dispatcher->removeDelegate(m_removeOnBegan);
        }
        return m_claims;
    }
    virtual void ccTouchMoved(CCTouch* touch, CCEvent*) { record("moved", touch); }
    virtual void ccTouchEnded(CCTouch* touch, CCEvent*) { record("ended", touch); }
    virtual void ccTouchesBegan(CCSet* touches, CCEvent*) { record("set-began", static_cast<CCTouch*>(touches->anyObject())); }
    virtual void ccTouchesEnded(CCSet* touches, CCEvent*) { record("set-ended", static_cast<CCTouch*>(touches->anyObject())); }
    virtual void keyPressed(int code) { keys.push_back(code); }
    virtual void keyReleased(int code) { keys.push_back(-code); }

    void record(const char* what, CCTouch* touch)
    {
        events.push_back(what);
        touches.push_back(touch);
        locations.push_back(touch->getLocation());
    }

    bool m_claims;
    CCTouchDelegate* m_removeOnBegan;
    CCTouchDispatcher* m_dispatcher;
    std::vector<std::string> events;
    std::vector<CCTouch*> touches;
    std::vector<CCPoint> locations;
    std::vector<int> keys;
};

class InputTest : public ::testing::Test
{
protected:
    void SetUp()
    {
        m_view = CCEGLView::sharedOpenGLView();
        ASSERT_TRUE(m_view != NULL);
        CCDirector::sharedDirector()->setOpenGLView(m_view);
        m_view->pollEvents();   // drop what the window's creation queued
    }
    void TearDown()
    {
        CCDirector::purgeSharedDirector();
        CCEGLView::purgeSharedOpenGLView();
    }
    void pushMouse(Uint32 type, int x, int y)
    {
        SDL_Event e;
        SDL_zero(e);
        e.type = type;
        if (type == SDL_MOUSEMOTION)
        {
            e.motion.windowID = SDL_GetWindowID(m_view->getSDLWindow());
            e.motion.x = x;
            e.motion.y = y;
            e.motion.state = SDL_BUTTON_LMASK;
        }
        else
        {
            e.button.windowID = SDL_GetWindowID(m_view->getSDLWindow());
            e.button.button = SDL_BUTTON_LEFT;
            e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
            e.button.x = x;
            e.button.y = y;
        }
        SDL_PushEvent(&e);
    }
    void pushKey(Uint32 type, SDL_Keycode key, bool repeat = false,
                 SDL_Scancode scancode = SDL_SCANCODE_UNKNOWN)
    {
        SDL_Event e;
        SDL_zero(e);
        e.type = type;
        e.key.windowID = SDL_GetWindowID(m_view->getSDLWindow());
        e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.key.repeat = repeat ? 1 : 0;
        e.key.keysym.sym = key;
        e.key.keysym.scancode = scancode;
        SDL_PushEvent(&e);
    }
    CCEGLView* m_view;
};
} // namespace

TEST_F(InputTest, ShowAllMapsWindowCornersToDesignPoints)
{
    // 100x100 design in a 400x200 window: scale 2, the design area at x 100..300.
    m_view->setFrameSize(400, 200);
    m_view->setDesignResolutionSize(100, 100, kResolutionShowAll);
    ASSERT_EQ(100, m_view->getViewportRect().x);
    Recorder* r = new Recorder();
    CCDirector::sharedDirector()->getTouchDispatcher()->addTargetedDelegate(r, 0, true);

    pushMouse(SDL_MOUSEBUTTONDOWN, 100, 0);     // top-left of the design area
    pushMouse(SDL_MOUSEMOTION, 300, 200);       // its bottom-right
    pushMouse(SDL_MOUSEBUTTONUP, 0, 0);         // the window's own corner, in the left bar
    m_view->pollEvents();

    ASSERT_EQ(3u, r->events.size());
    EXPECT_EQ("began", r->events[0]);
    EXPECT_EQ("moved", r->events[1]);
    EXPECT_EQ("ended", r->events[2]);
    EXPECT_FLOAT_EQ(0, r->locations[0].x);
    EXPECT_FLOAT_EQ(100, r->locations[0].y);
    EXPECT_FLOAT_EQ(100, r->locations[1].x);
    EXPECT_FLOAT_EQ(0, r->locations[1].y);
    EXPECT_FLOAT_EQ(-50, r->locations[2].x);
    EXPECT_FLOAT_EQ(100, r->locations[2].y);
    // One touch object for the whole press, still valid at its end.
    EXPECT_EQ(r->touches[0], r->touches[1]);
    EXPECT_EQ(r->touches[0], r->touches[2]);
    EXPECT_EQ(0, r->touches[0]->getID());
    EXPECT_FLOAT_EQ(0, r->touches[2]->getStartLocation().x);
    CCDirector::sharedDirector()->getTouchDispatcher()->removeDelegate(r);
    r->release();
}

TEST_F(InputTest, TargetedPriorityAndSwallowingThenStandard)
{
    CCTouchDispatcher* d = CCDirector::sharedDirector()->getTouchDispatcher();
    Recorder* menu = new Recorder(true);       // swallows what it claims
    Recorder* watcher = new Recorder(true);    // claims without swallowing
    Recorder* standard = new Recorder();
    d->addStandardDelegate(standard, -200);    // standard ones always come after targeted ones
    d->addTargetedDelegate(watcher, -127, false);
    d->addTargetedDelegate(menu, -128, true);

    pushMouse(SDL_MOUSEBUTTONDOWN, 10, 10);
    pushMouse(SDL_MOUSEBUTTONUP, 10, 10);
    m_view->pollEvents();
    EXPECT_EQ(2u, menu->events.size());
    EXPECT_TRUE(watcher->events.empty());
    EXPECT_TRUE(standard->events.empty());

    // The menu declines: the watcher claims but lets the touch through to the standard one.
    menu->m_claims = false;
    menu->events.clear();
    pushMouse(SDL_MOUSEBUTTONDOWN, 10, 10);
    pushMouse(SDL_MOUSEBUTTONUP, 10, 10);
    m_view->pollEvents();
    ASSERT_EQ(1u, menu->events.size());   // began only: it did not claim
    ASSERT_EQ(2u, watcher->events.size());
    ASSERT_EQ(2u, standard->events.size());
    EXPECT_EQ("set-began", standard->events[0]);
    EXPECT_EQ("set-ended", standard->events[1]);

    // A delegate removed from inside a callback gets nothing more, and is released.
    menu->m_removeOnBegan = watcher;
    menu->m_dispatcher = d;
    watcher->events.clear();
    watcher->retain();
    const unsigned int before = watcher->retainCount();
    pushMouse(SDL_MOUSEBUTTONDOWN, 10, 10);
    m_view->pollEvents();
    EXPECT_TRUE(watcher->events.empty());
    EXPECT_EQ(before - 1, watcher->retainCount());
    watcher->release();

    d->removeAllDelegates();
    menu->release();
    watcher->release();
    standard->release();
}

TEST_F(InputTest, KeysReachDelegatesWithTableCodesWithoutRepeats)
{
    Recorder* r = new Recorder();
    CCDirector::sharedDirector()->getKeyboardDispatcher()->addDelegate(r);
    pushKey(SDL_KEYDOWN, SDLK_LEFT);
    pushKey(SDL_KEYDOWN, SDLK_LEFT, true);   // auto-repeat
    pushKey(SDL_KEYUP, SDLK_LEFT);
    pushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    pushKey(SDL_KEYDOWN, SDLK_a);
    pushKey(SDL_KEYUP, SDLK_a);
    // Keys outside the table come by their place: F13, and a German layout's U-umlaut.
    pushKey(SDL_KEYDOWN, SDLK_F13, false, SDL_SCANCODE_F13);
    pushKey(SDL_KEYDOWN, 0xFC, false, SDL_SCANCODE_LEFTBRACKET);
    pushKey(SDL_KEYUP, 0xFC, false, SDL_SCANCODE_LEFTBRACKET);
    pushKey(SDL_KEYDOWN, SDLK_UNKNOWN);      // neither a key nor a place: nothing to deliver
    m_view->pollEvents();
    const int f13 = CCKeyboardDispatcher::kUnnamedKeyBase + SDL_SCANCODE_F13;
    const int umlaut = CCKeyboardDispatcher::kUnnamedKeyBase + SDL_SCANCODE_LEFTBRACKET;
    const int expected[] = { 4177, -4177, 27, 97, -97, f13, umlaut, -umlaut };
    EXPECT_EQ(std::vector<int>(expected, expected + 8), r->keys);
    CCDirector::sharedDirector()->getKeyboardDispatcher()->removeDelegate(r);
    r->release();
}

TEST(KeyTable, KeysOutsideTheTableGetCodesAndNamesOfTheirOwn)
{
    // A code of the table keeps it whatever the place; others never fall on a table code.
    EXPECT_EQ(0x61, CCKeyboardDispatcher::keyCodeForSDLKey(SDLK_a, SDL_SCANCODE_Q));
    EXPECT_EQ(CCKeyboardDispatcher::kUnnamedKeyBase + SDL_SCANCODE_VOLUMEUP,
              CCKeyboardDispatcher::keyCodeForSDLKey(SDLK_VOLUMEUP, SDL_SCANCODE_VOLUMEUP));
    EXPECT_EQ(CCKeyboardDispatcher::kUnnamedKeyBase + SDL_SCANCODE_SEMICOLON,
              CCKeyboardDispatcher::keyCodeForSDLKey(0xF6, SDL_SCANCODE_SEMICOLON));  // o-umlaut
    EXPECT_EQ(0, CCKeyboardDispatcher::keyCodeForSDLKey(SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN));
    EXPECT_GT(CCKeyboardDispatcher::kUnnamedKeyBase, 0xFFAA);

    EXPECT_EQ("F13", CCKeyboardDispatcher::nameForUnnamedKeyCode(CCKeyboardDispatcher::kUnnamedKeyBase +
                                                                 SDL_SCANCODE_F13));
    EXPECT_FALSE(CCKeyboardDispatcher::nameForUnnamedKeyCode(CCKeyboardDispatcher::kUnnamedKeyBase +
                                                             SDL_SCANCODE_VOLUMEUP).empty());
    EXPECT_EQ("", CCKeyboardDispatcher::nameForUnnamedKeyCode(0x61));
    EXPECT_EQ("", CCKeyboardDispatcher::nameForUnnamedKeyCode(CCKeyboardDispatcher::kUnnamedKeyBase));
    EXPECT_EQ("", CCKeyboardDispatcher::nameForUnnamedKeyCode(CCKeyboardDispatcher::kUnnamedKeyBase +
                                                              SDL_NUM_SCANCODES));
}

TEST(KeyTable, SDLKeysMapToTheGameCodes)
{
    const struct
    {
        SDL_Keycode key;
        int code;
    } cases[] = {
        { SDLK_RETURN, 0x0D },   { SDLK_BACKSPACE, 0x08 },  { SDLK_TAB, 0x09 },      { SDLK_SPACE, 0x20 },
        { SDLK_SEMICOLON, 0x3B }, { SDLK_QUOTE, 0x27 },     { SDLK_z, 0x7A },        { SDLK_0, 0x30 },
        { SDLK_RIGHT, 0x1053 },  { SDLK_UP, 0x1052 },       { SDLK_DOWN, 0x1054 },   { SDLK_DELETE, 0x10FF },
        { SDLK_F1, 0xBE },       { SDLK_F12, 0xC9 },        { SDLK_KP_5, 0x10B5 },   { SDLK_KP_ENTER, 0x108D },
        { SDLK_RSHIFT, 0xE1 },   { SDLK_LCTRL, 0xE3 },      { SDLK_PAUSE, 0x13 },    { SDLK_PAGEDOWN, 0x1056 },
        { SDLK_F13, 0 },         { SDLK_VOLUMEUP, 0 },
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
    {
        EXPECT_EQ(cases[i].code, CCKeyboardDispatcher::keyCodeForSDLKey(cases[i].key)) << SDL_GetKeyName(cases[i].key);
    }
}
