#include "CCObject.h"
#include "Signal.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <string>
#include <vector>

USING_NS_CC;

namespace
{
std::vector<std::string> g_calls;

// A subscriber that logs its calls and can run a scripted action inside them.
class Listener
{
public:
    std::string name;
    std::function<void()> during;

    void onEvent()
    {
        g_calls.push_back(name);
        if (during)
        {
            during();
        }
    }
    void onOther() { g_calls.push_back(name + ".other"); }
};

// Owns a signal, as game objects do; a subscriber may delete it mid-emission.
class Owner
{
public:
    Signal<> changed;
};

class SignalTest : public ::testing::Test
{
protected:
    void SetUp() override { g_calls.clear(); }
    Listener listeners[5];  // ascending addresses: listeners[0] is called first
    Signal<> signal;

    void nameListeners()
    {
        const char* names[] = {"a", "b", "c", "d", "e"};
        for (int i = 0; i < 5; ++i)
        {
            listeners[i].name = names[i];
        }
    }
};
} // namespace

TEST_F(SignalTest, CallsInAddressOrderWhateverTheConnectionOrder)
{
    nameListeners();
    signal.connect(&listeners[3], &Listener::onEvent);
    signal.connect(&listeners[1], &Listener::onEvent);
    signal.connect(&listeners[0], &Listener::onEvent);
    signal.connect(&listeners[2], &Listener::onEvent);
    signal.emit();
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c", "d"}), g_calls);
}

// Engine objects are called in the order they were made: where the allocator put them changes
// from run to run, and with it the game would.
TEST(SignalOrder, EngineObjectsInTheOrderTheyWereMadeWhateverTheirAddresses)
{
    struct Made : public CCObject
    {
        std::string name;
        void onEvent() { g_calls.push_back(name); }
    };
    g_calls.clear();
    // The older object at the higher address.
    alignas(Made) unsigned char storage[2][sizeof(Made)];
    Made* older = new (storage[1]) Made();
    Made* newer = new (storage[0]) Made();
    older->name = "older";
    newer->name = "newer";
    Signal<> signal;
    signal.connect(newer, &Made::onEvent);
    signal.connect(older, &Made::onEvent);
    signal.emit();
    EXPECT_EQ((std::vector<std::string>{"older", "newer"}), g_calls);
    signal.disconnectAll();
    newer->~Made();
    older->~Made();
}

TEST_F(SignalTest, TwoMemberFunctionsOfOneObjectKeepOneOrderAndBothRun)
{
    nameListeners();
    Signal<> first;
    first.connect(&listeners[0], &Listener::onEvent);
    first.connect(&listeners[0], &Listener::onOther);
    Signal<> second;
    second.connect(&listeners[0], &Listener::onOther);
    second.connect(&listeners[0], &Listener::onEvent);
    first.emit();
    std::vector<std::string> firstOrder = g_calls;
    g_calls.clear();
    second.emit();
    EXPECT_EQ(2u, firstOrder.size());
    EXPECT_EQ(firstOrder, g_calls);
}

TEST_F(SignalTest, DuplicatesUnknownsAndEmptySignals)
{
    nameListeners();
    signal.emit();  // nothing connected: nothing happens
    signal.disconnect(&listeners[1], &Listener::onEvent);
    EXPECT_EQ(0u, signal.count());

    signal.connect(&listeners[0], &Listener::onEvent);
    signal.connect(&listeners[0], &Listener::onEvent);
    signal.disconnect(&listeners[1], &Listener::onEvent);
    signal.emit();
    EXPECT_EQ((std::vector<std::string>{"a"}), g_calls);

    signal.disconnect(&listeners[0], &Listener::onEvent);
    g_calls.clear();
    signal.emit();
    EXPECT_TRUE(g_calls.empty());
}

TEST_F(SignalTest, ChangesDuringEmission)
{
    struct Case
    {
        const char* what;
        int actor;  // listener whose call makes the change
        std::function<void(Signal<>&, Listener*)> change;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"disconnects itself", 1, [](Signal<>& s, Listener* l) { s.disconnect(&l[1], &Listener::onEvent); },
         {"a", "b", "c", "d"}},
        {"disconnects a later one", 1, [](Signal<>& s, Listener* l) { s.disconnect(&l[2], &Listener::onEvent); },
         {"a", "b", "d"}},
        {"disconnects everyone", 1, [](Signal<>& s, Listener*) { s.disconnectAll(); }, {"a", "b"}},
        {"connects a later one", 0, [](Signal<>& s, Listener* l) { s.connect(&l[4], &Listener::onEvent); },
         {"a", "b", "c", "d", "e"}},
        {"connects an earlier one", 2, [](Signal<>& s, Listener* l) { s.connect(&l[0], &Listener::onOther); },
         {"a", "b", "c", "d"}},
        {"is replaced by an assignment", 0, [](Signal<>& s, Listener* l) {
             Signal<> other;
             other.connect(&l[3], &Listener::onEvent);
             s = other;
         },
         {"a", "d"}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        nameListeners();
        Signal<> s;
        for (int i = 0; i < 5; ++i)
        {
            listeners[i].during = nullptr;
        }
        for (int i = 0; i < 4; ++i)
        {
            s.connect(&listeners[i], &Listener::onEvent);
        }
        Listener* all = listeners;
        bool done = false;
        listeners[c.actor].during = [&]() {
            if (!done)
            {
                done = true;
                c.change(s, all);
            }
        };
        g_calls.clear();
        s.emit();
        EXPECT_EQ(c.expected, g_calls);
    }
}

TEST_F(SignalTest, OwnerDeletedDuringItsOwnEmissionEndsTheEmission)
{
    nameListeners();
    Owner* owner = new Owner();
    for (int i = 0; i < 4; ++i)
    {
        owner->changed.connect(&listeners[i], &Listener::onEvent);
    }
    listeners[1].during = [&]() { delete owner; };
    owner->changed.emit();
    EXPECT_EQ((std::vector<std::string>{"a", "b"}), g_calls);
}

TEST_F(SignalTest, NestedEmissionThenDeletionEndsBothLevels)
{
    nameListeners();
    Owner* owner = new Owner();
    for (int i = 0; i < 4; ++i)
    {
        owner->changed.connect(&listeners[i], &Listener::onEvent);
    }
    int depth = 0;
    listeners[0].during = [&]() {
        if (depth++ == 0)
        {
            owner->changed.emit();
        }
    };
    listeners[2].during = [&]() { delete owner; };
    owner->changed.emit();
    // The outer call of "a" starts an inner emission ("a" again, "b", "c"), where "c" deletes the owner.
    EXPECT_EQ((std::vector<std::string>{"a", "a", "b", "c"}), g_calls);
}

namespace
{
// Receives every argument form the game emits.
class Receiver : public CCObject
{
public:
    std::vector<std::string> seen;
    void onNone() { seen.push_back("none"); }
    void onObject(CCObject* o) { seen.push_back(o == this ? "self" : "other"); }
    void onInt(int v) { seen.push_back("int " + std::to_string(v)); }
    void onBool(bool v) { seen.push_back(v ? "true" : "false"); }
    void onFloat(float v) { seen.push_back("float " + std::to_string((int)(v * 100))); }
    void onPoint(CCPoint p)
    {
        seen.push_back("point " + std::to_string((int)p.x) + "," + std::to_string((int)p.y));
        p.x = 999.0f;  // a copy: later subscribers still see the emitted value
    }
    void onPointAgain(CCPoint p) { onPoint(p); }
    void onObjectInt(CCObject* o, int v) { seen.push_back(std::string(o ? "obj" : "null") + " " + std::to_string(v)); }
    void onTwoObjects(CCObject* a, CCObject* b) { seen.push_back(a != b ? "two" : "same"); }
    void onFour(CCObject* a, CCObject* b, CCPoint p, float f)
    {
        seen.push_back(std::string(a && b ? "four " : "? ") + std::to_string((int)p.x) + " " + std::to_string((int)f));
    }
};
} // namespace

TEST(SignalForms, EveryArgumentFormDeliversItsArguments)
{
    Receiver r;
    CCObject other;
    Signal<> none;
    Signal<CCObject*> object;
    Signal<int> integer;
    Signal<bool> flag;
    Signal<float> number;
    Signal<CCPoint> point;
    Signal<CCObject*, int> objectInt;
    Signal<CCObject*, CCObject*> twoObjects;
    Signal<CCObject*, CCObject*, CCPoint, float> four;
    none.connect(&r, &Receiver::onNone);
    object.connect(&r, &Receiver::onObject);
    integer.connect(&r, &Receiver::onInt);
    flag.connect(&r, &Receiver::onBool);
    number.connect(&r, &Receiver::onFloat);
    point.connect(&r, &Receiver::onPoint);
    point.connect(&r, &Receiver::onPointAgain);
    objectInt.connect(&r, &Receiver::onObjectInt);
    twoObjects.connect(&r, &Receiver::onTwoObjects);
    four.connect(&r, &Receiver::onFour);

    none.emit();
    object.emit(&r);
    integer.emit(-7);
    flag.emit(true);
    number.emit(0.25f);
    point.emit(CCPoint(3.0f, 4.0f));
    objectInt.emit(&other, 42);
    twoObjects.emit(&r, &other);
    four.emit(&r, &other, CCPoint(5.0f, 6.0f), 2.0f);

    EXPECT_EQ((std::vector<std::string>{"none", "self", "int -7", "true", "float 25", "point 3,4", "point 3,4",
                                        "obj 42", "two", "four 5 2"}),
              r.seen);
}

namespace
{
// A subscriber whose member function lives in a second base: the object must be adjusted to it.
struct Padding
{
    virtual ~Padding() {}
    int filler[4] = {0, 0, 0, 0};
};
struct Second
{
    int value = 5;
    void onValue(int v) { value += v; }
};
struct Derived : Padding, Second
{
};
} // namespace

TEST(SignalForms, MemberOfASecondBaseIsCalledOnThatBase)
{
    Derived d;
    Signal<int> s;
    s.connect(&d, &Second::onValue);
    s.emit(3);
    EXPECT_EQ(8, d.value);
    s.disconnect(&d, &Second::onValue);
    EXPECT_EQ(0u, s.count());
}
