#include "CCLabelBMFont.h"
#include "CCMenuGamepadInputDispatcher.h"
#include "CCMenuItem.h"
#include "GameManager.h"
#include "LocaleManager.h"
#include "MenuScreenFixture.h"
#include "SystemHandler.h"
#include "SystemManager.h"
#include "ThingsILikeScreen.h"

#include <string>
#include <vector>

USING_NS_CC;

namespace
{
class RecordingSystem : public SystemHandler
{
public:
    virtual bool openURL(const char* url)
    {
        urls.push_back(url);
        return opens;
    }
    virtual void quit() {}
    std::vector<std::string> urls;
    bool opens = true;
};
} // namespace

class ThingsILikeTest : public MenuScreenTest
{
protected:
    virtual void SetUp()
    {
        MenuScreenTest::SetUp();
        m_screen = addScreen(ThingsILikeScreen::create());
        ASSERT_NE(nullptr, m_screen);
        m_system = new RecordingSystem();
        m_game->getSystemManager()->setHandler(m_system);
        m_system->release();
    }
    /** A move runs its timeline; the next one waits for it. */
    void settle() { stepFrames(20, 1.0f / 30.0f); }

    ThingsILikeScreen* m_screen = NULL;
    RecordingSystem* m_system = NULL;
};

TEST_F(ThingsILikeTest, CardsWrapBothWaysAndOnlyExistingLinksOpen)
{
    ASSERT_EQ(2u, m_screen->getItems()->count());
    m_screen->open();
    settle();
    EXPECT_EQ(m_screen->getBackMenuItem(), CCMenuGamepadInputDispatcher::sharedDispatcher()->getFocusMenuItem(0));
    // Titles are locale keys; link captions are shown as written.
    EXPECT_STREQ(LocaleManager::sharedLocaleManager()->localize("THINGS_TOOLS_TITLE"),
                 m_screen->getTitleLabel()->getString());
    EXPECT_STREQ("libsdl.org", m_screen->getLink1Label()->getString());
    EXPECT_STREQ("lua.org", m_screen->getLink2Label()->getString());
    EXPECT_EQ(255, m_screen->getLink2Label()->getOpacity());
    EXPECT_TRUE(m_screen->getLink2MenuItem()->isEnabled());
    m_screen->onLink2();
    ASSERT_EQ(1u, m_system->urls.size());
    EXPECT_EQ("https://www.lua.org/", m_system->urls[0]);

    // The second card has no links.
    m_screen->onNextItem();
    settle();
    EXPECT_EQ(1, m_screen->getCurrentIndex());
    EXPECT_EQ(128, m_screen->getLink1Label()->getOpacity());
    EXPECT_EQ(128, m_screen->getLink2Label()->getOpacity());
    EXPECT_FALSE(m_screen->getLink1MenuItem()->isEnabled());
    EXPECT_FALSE(m_screen->getLink2MenuItem()->isEnabled());
    m_screen->onLink1();
    m_screen->onLink2();
    EXPECT_EQ(1u, m_system->urls.size());

    m_screen->onNextItem();
    settle();
    EXPECT_EQ(0, m_screen->getCurrentIndex());
    m_screen->onPrevItem();
    settle();
    EXPECT_EQ(1, m_screen->getCurrentIndex());
    m_screen->onLink1();  // still nothing on this card
    m_screen->onPrevItem();
    settle();
    EXPECT_EQ(0, m_screen->getCurrentIndex());
    m_screen->onLink1();
    ASSERT_EQ(2u, m_system->urls.size());
    EXPECT_EQ("https://www.libsdl.org/", m_system->urls[1]);
}

TEST_F(ThingsILikeTest, AListWithoutCardsLoadsAndMovesDoNothing)
{
    std::string dir = vorntest::makeTempDir("things-empty");
    vorntest::writeFile(dir + "/empty.plist",
                        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><array/></plist>\n");
    ASSERT_TRUE(m_screen->loadItems((dir + "/empty.plist").c_str()));
    EXPECT_EQ(0u, m_screen->getItems()->count());
    m_screen->open();
    settle();
    m_screen->onNextItem();
    m_screen->onPrevItem();
    m_screen->onLink1();
    EXPECT_EQ(0, m_screen->getCurrentIndex());
    EXPECT_FALSE(m_screen->getLink1MenuItem()->isEnabled());
    EXPECT_TRUE(m_system->urls.empty());
    // A file that is not a list of cards is refused.
    EXPECT_FALSE(m_screen->loadItems((dir + "/missing.plist").c_str()));
}

TEST_F(ThingsILikeTest, ALinkNoBrowserTakesShowsItsAddressOnTheCard)
{
    m_screen->open();
    settle();
    const std::string description = m_screen->getDescriptionLabel()->getString();
    struct
    {
        bool opens;
        bool told;
    } cases[] = { { true, false }, { false, true } };
    for (const auto& c : cases)
    {
        m_system->opens = c.opens;
        m_screen->onLink2();
        const std::string shown = m_screen->getDescriptionLabel()->getString();
        EXPECT_EQ(c.told, shown.find("https://www.lua.org/") != std::string::npos) << shown;
        EXPECT_EQ(c.told, shown != description) << shown;
    }
    // The next card shows its own text again.
    m_screen->onNextItem();
    settle();
    EXPECT_EQ(std::string::npos, std::string(m_screen->getDescriptionLabel()->getString()).find("lua.org"));
}
