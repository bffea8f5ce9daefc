#include "AnalyticsManager.h"
#include "SetupManager.h"
#include "SystemHandler_Win32.h"
#include "SystemManager.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

USING_NS_CC;

TEST(SetupManager, Queries)
{
    CCScopedAutoreleasePool pool;
    vorntest::LogCapture log;
    SetupManager* setup = SetupManager::create(vorntest::fixturePath("framework/setup.plist").c_str());
    ASSERT_NE(nullptr, setup);
    EXPECT_EQ(setup, SetupManager::sharedSetupManager());

    const std::pair<const char*, bool> handlers[] = {
        {"Steamworks", true}, {"steamworks", false}, {"Steam", false}, {"", false}};
    for (const auto& h : handlers)
    {
        EXPECT_EQ(h.second, setup->isOnlineHandlerEnabled(h.first)) << h.first;
    }
    EXPECT_TRUE(log.contains("SetupManager::isOnlineHandlerEnabled - skipping"));
    EXPECT_NE(nullptr, dynamic_cast<CCArray*>(setup->objectForKey("LocaleDictionaries")));
    EXPECT_EQ(nullptr, setup->objectForKey("NoSuchKey"));

    SetupManager* bare = SetupManager::create(vorntest::fixturePath("framework/setup-bare.plist").c_str());
    ASSERT_NE(nullptr, bare);
    EXPECT_EQ(bare, SetupManager::sharedSetupManager());
    EXPECT_FALSE(bare->isOnlineHandlerEnabled("Steamworks"));

    EXPECT_EQ(nullptr, SetupManager::create(vorntest::fixturePath("framework/no-setup.plist").c_str()));
}

TEST(SetupManager, SharedInstanceDiesWithItsManager)
{
    {
        CCScopedAutoreleasePool pool;
        SetupManager::create(vorntest::fixturePath("framework/setup-bare.plist").c_str());
        EXPECT_NE(nullptr, SetupManager::sharedSetupManager());
    }
    EXPECT_EQ(nullptr, SetupManager::sharedSetupManager());
}

namespace
{
std::vector<std::string> g_events;

// The desktop handler with the calls that leave the process recorded instead.
class RecordingHandler : public SystemHandler_Win32
{
public:
    HWND window = reinterpret_cast<HWND>(1);
    std::string operation, file;
    LPCSTR parameters = "unset";
    LPCSTR directory = "unset";
    INT show = -1;
    int opens = 0;

protected:
    HINSTANCE shellExecute(HWND hwnd, LPCSTR op, LPCSTR f, LPCSTR params, LPCSTR dir, INT showCommand) override
    {
        ++opens;
        window = hwnd;
        operation = op ? op : "";
        file = f ? f : "";
        parameters = params;
        directory = dir;
        show = showCommand;
        return reinterpret_cast<HINSTANCE>(42);
    }
    HCURSOR setCursor(HCURSOR cursor) override
    {
        g_events.push_back(cursor == NULL ? "cursor hidden" : "cursor shown");
        return NULL;
    }
    void exitProcess(int status) override { g_events.push_back("exit " + std::to_string(status)); }
};

struct QuitListener
{
    std::string name;
    void onQuit() { g_events.push_back(name); }
};

class BareHandler : public SystemHandler
{
public:
    bool openURL(const char*) override { return true; }
    void quit() override {}
};
} // namespace

TEST(SystemManager, OpeningALinkReachesTheShellAsOneArgument)
{
    CCScopedAutoreleasePool pool;
    SystemManager* system = SystemManager::create();
    ASSERT_NE(nullptr, dynamic_cast<SystemHandler_Win32*>(system->getHandler()));
    RecordingHandler* handler = new RecordingHandler();
    system->setHandler(handler);
    handler->release();

    const char* url = "https://example.com/a b?x=1&y=\"2\";echo $HOME";
    system->openURL(url);
    EXPECT_EQ(1, handler->opens);
    EXPECT_EQ(nullptr, handler->window);
    EXPECT_EQ("open", handler->operation);
    EXPECT_EQ(url, handler->file);
    EXPECT_EQ(nullptr, handler->parameters);
    EXPECT_EQ(nullptr, handler->directory);
    EXPECT_EQ(SW_SHOWNORMAL, handler->show);

    system->openURL("");
    system->openURL(NULL);
    EXPECT_EQ(1, handler->opens);
}

TEST(SystemManager, QuitAnnouncesThenExitsAndCursorHides)
{
    CCScopedAutoreleasePool pool;
    g_events.clear();
    SystemManager* system = SystemManager::create();
    RecordingHandler* handler = new RecordingHandler();
    system->setHandler(handler);
    handler->release();
    QuitListener listeners[2] = {{"first"}, {"second"}};
    system->getQuitSignal().connect(&listeners[1], &QuitListener::onQuit);
    system->getQuitSignal().connect(&listeners[0], &QuitListener::onQuit);

    system->hideCursor();
    system->quit();
    EXPECT_EQ((std::vector<std::string>{"cursor hidden", "first", "second", "exit 0"}), g_events);

    // Without a handler nothing is announced and the game stays "full screen".
    g_events.clear();
    system->setHandler(NULL);
    system->quit();
    system->openURL("https://example.com");
    EXPECT_TRUE(g_events.empty());
    EXPECT_TRUE(system->isFullscreen());
    BareHandler* bare = new BareHandler();
    EXPECT_FALSE(bare->isFullscreen());
    bare->release();
}

TEST(SystemManagerDeathTest, QuitEndsTheProcessWithStatusZero)
{
    EXPECT_EXIT(
        {
            CCScopedAutoreleasePool pool;
            SystemManager::create()->quit();
        },
        ::testing::ExitedWithCode(0), "");
}

namespace
{
class RecordingBackend : public AnalyticsBackend
{
public:
    bool accept = true;
    std::vector<std::string> calls;
    bool init(const char* key) override
    {
        calls.push_back(std::string("init ") + key);
        return accept;
    }
    void logEvent(const char* name) override { calls.push_back(name); }
};
} // namespace

TEST(AnalyticsManager, HarmlessWithoutBackendAndForwardsWithOne)
{
    CCScopedAutoreleasePool pool;
    AnalyticsManager* analytics = AnalyticsManager::create("key");
    ASSERT_NE(nullptr, analytics);
    EXPECT_EQ(analytics, AnalyticsManager::sharedAnalyticsManager());
    EXPECT_TRUE(analytics->init("key"));
    analytics->logEvent("startNewGame");
    analytics->logEvent(NULL);

    RecordingBackend* backend = new RecordingBackend();
    analytics->setBackend(backend);
    backend->release();
    EXPECT_TRUE(analytics->init("abc"));
    analytics->logEvent("startNewGame");
    backend->accept = false;
    EXPECT_FALSE(analytics->init("abc"));
    EXPECT_EQ((std::vector<std::string>{"init abc", "startNewGame", "init abc"}), backend->calls);
}
