#include "LocaleManager.h"
#include "SetupManager.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

#include <string>

USING_NS_CC;

namespace
{
// Reads the setup list and tables from one folder, as the game reads them from Resources.
class LocaleTest : public ::testing::Test
{
protected:
    void useResources(const std::string& folder, const char* setupFile)
    {
        CCFileUtils::sharedFileUtils()->setResourceDirectory(folder.c_str());
        setup = SetupManager::create(setupFile);
        ASSERT_NE(nullptr, setup);
    }
    void TearDown() override { CCFileUtils::sharedFileUtils()->setResourceDirectory(""); }

    CCScopedAutoreleasePool pool;
    SetupManager* setup = NULL;
};

std::string textOf(CCDictionary* table, const char* id)
{
    CCString* text = table ? dynamic_cast<CCString*>(table->objectForKey(id)) : NULL;
    return text ? text->m_sString : "<none>";
}
} // namespace

TEST_F(LocaleTest, TablesMergeAndUnknownIdsAnswerThemselves)
{
    useResources(vorntest::fixturePath("framework"), "setup.plist");
    vorntest::LogCapture log;
    LocaleManager* locale = LocaleManager::create();
    ASSERT_NE(nullptr, locale);
    EXPECT_EQ(locale, LocaleManager::sharedLocaleManager());
    EXPECT_TRUE(log.contains("LocaleManager::init - skipping"));

    const std::pair<const char*, const char*> cases[] = {
        {"HELLO", "Hello"},                    // first table only
        {"BYE", "Goodbye"},                    // the second table wins
        {"EXTRA", "Only here"},                // second table only; cells past the header ignored
        {"LIST", "one, two"},                  // quoted comma kept
        {"MULTI", "line one\nline two"},       // quoted line break kept
        {"SHORT", "SHORT"},                    // a row without texts
        {"NO_SUCH_ID", "NO_SUCH_ID"},
        {"", ""},                              // rows without an id are not stored
    };
    for (const auto& c : cases)
    {
        EXPECT_STREQ(c.second, locale->localize(c.first)) << c.first;
    }
    CCDictionary* german = dynamic_cast<CCDictionary*>(locale->getLanguageTables()->objectForKey("de"));
    EXPECT_EQ("Hallo", textOf(german, "HELLO"));
    EXPECT_EQ("Tschuess", textOf(german, "BYE"));
    EXPECT_EQ(locale->getLanguageTables()->objectForKey("en"), locale->getCurrentTable());
}

TEST_F(LocaleTest, LineEndsAndNoBreakSpaces)
{
    std::string folder = vorntest::makeTempDir("locale-bytes");
    vorntest::writeFile(folder + "/setup.plist",
                        "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>LocaleDictionaries</key>"
                        "<array><string>table.csv</string></array></dict></plist>");
    // CRLF and bare CR line ends; C2 A0 is a no-break space, while C3 A0 ("à") holds an A0 byte too.
    vorntest::writeFile(folder + "/table.csv",
                        "id,fr\r\nSPACE,100\xC2\xA0%\r\rACCENT,voil\xC3\xA0\rLAST,fin\r\n");
    useResources(folder, "setup.plist");
    LocaleManager* locale = LocaleManager::create();
    EXPECT_STREQ("100 %", locale->localize("SPACE"));
    EXPECT_STREQ("voil\xC3\xA0", locale->localize("ACCENT"));
    EXPECT_STREQ("fin", locale->localize("LAST"));
}

TEST_F(LocaleTest, NoTablesStillInitialises)
{
    useResources(vorntest::fixturePath("framework"), "setup-bare.plist");
    LocaleManager* locale = LocaleManager::create();
    ASSERT_NE(nullptr, locale);
    EXPECT_EQ(nullptr, locale->getCurrentTable());
    EXPECT_STREQ("MENU_YES", locale->localize("MENU_YES"));
}

// A table that is missing, or names no language, would leave every text showing its key.
TEST_F(LocaleTest, AMissingOrHeadlessTableIsAnErrorNamingIt)
{
    const std::string dir = vorntest::makeTempDir("locale-broken");
    vorntest::writeFile(dir + "/setup.plist",
                        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
                        "<key>LocaleDictionaries</key><array><string>missing.csv</string>"
                        "<string>nolanguage.csv</string></array></dict></plist>\n");
    vorntest::writeFile(dir + "/nolanguage.csv", "id\nMENU_YES\n");
    useResources(dir, "setup.plist");
    vorntest::LogCapture log;
    ASSERT_NE(nullptr, LocaleManager::create());
    EXPECT_TRUE(log.contains("ERROR: LocaleManager - the string table \"missing.csv\" is missing or empty"));
    EXPECT_TRUE(log.contains("ERROR: LocaleManager - the string table \"nolanguage.csv\" names no language"));
}

// A line the table cannot use whole is named by file and line (a text spanning lines counts
// them all); the lines around it still read.
TEST_F(LocaleTest, ALineATableCannotUseIsNamedByFileAndLine)
{
    const std::string dir = vorntest::makeTempDir("locale-lines");
    vorntest::writeFile(dir + "/setup.plist",
                        "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>LocaleDictionaries</key>"
                        "<array><string>cut.csv</string></array></dict></plist>");
    vorntest::writeFile(dir + "/cut.csv", "id,en\r\n"
                                          "GOOD,Fine\r\n"
                                          "NO_TEXT\r\n"
                                          ",an orphan text\r\n"
                                          "MULTI,\"two\r\nlines\"\r\n"
                                          "AFTER,ok\r\n"
                                          "ALSO_NO_TEXT\r\n"
                                          "CUT,\"The save file could not");
    useResources(dir, "setup.plist");
    vorntest::LogCapture log;
    LocaleManager* locale = LocaleManager::create();
    ASSERT_NE(nullptr, locale);
    const char* expected[] = {
        "\"cut.csv\", line 3: NO_TEXT has no text",
        "\"cut.csv\", line 4: a text without its id",
        "\"cut.csv\", line 8: ALSO_NO_TEXT has no text",
        "\"cut.csv\", line 9: the text of CUT is cut off",
    };
    for (const char* line : expected)
    {
        EXPECT_TRUE(log.contains(std::string("ERROR: LocaleManager - the string table ") + line)) << line;
    }
    EXPECT_STREQ("Fine", locale->localize("GOOD"));
    EXPECT_STREQ("two\nlines", locale->localize("MULTI"));
    EXPECT_STREQ("ok", locale->localize("AFTER"));
}
