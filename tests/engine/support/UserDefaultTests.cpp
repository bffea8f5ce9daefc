#include "VornTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <dirent.h>
#include <unistd.h>

USING_NS_CC;

namespace
{
// Each test saves under its own folder and starts with no store loaded.
class UserDefaultTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CCUserDefault::purgeSharedUserDefault();
        std::string app = std::string("ud-") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        CCFileUtils::sharedFileUtils()->setWritablePathAppName(app.c_str());
        m_folder = CCFileUtils::sharedFileUtils()->getWritablePath();
        std::string command = "rm -f '" + m_folder + "'*";
        EXPECT_EQ(0, system(command.c_str()));
    }
    void TearDown() override
    {
        CCUserDefault::setFlushInterruptHookForTesting(NULL);
        CCUserDefault::purgeSharedUserDefault();
        CCFileUtils::sharedFileUtils()->setWritablePathAppName("TULMEK");
    }

    std::vector<std::string> filesStartingWith(const std::string& prefix)
    {
        std::vector<std::string> names;
        DIR* dir = opendir(m_folder.c_str());
        while (dir)
        {
            struct dirent* entry = readdir(dir);
            if (!entry)
            {
                break;
            }
            if (std::string(entry->d_name).compare(0, prefix.size(), prefix) == 0)
            {
                names.push_back(entry->d_name);
            }
        }
        if (dir)
        {
            closedir(dir);
        }
        return names;
    }

    std::string m_folder;
};

bool refuseRename()
{
    return false;
}
} // namespace

TEST_F(UserDefaultTest, EveryTypeSurvivesAPurgeWithOrWithoutFlush)
{
    for (int flushFirst = 0; flushFirst < 2; ++flushFirst)
    {
        CCUserDefault* ud = CCUserDefault::sharedUserDefault();
        ud->setBoolForKey("b.true", true);
        ud->setBoolForKey("b.false", false);
        ud->setIntegerForKey("i.min", INT_MIN);
        ud->setIntegerForKey("i.max", INT_MAX);
        ud->setIntegerForKey("i.pass", flushFirst);
        ud->setFloatForKey("f", 0.1f);
        ud->setFloatForKey("f.tiny", 1.17549435e-38f);
        ud->setDoubleForKey("d", 1.0 / 3.0);
        ud->setStringForKey("s", "Grandor");
        if (flushFirst)
        {
            EXPECT_TRUE(ud->flush());
        }
        CCUserDefault::purgeSharedUserDefault();

        ud = CCUserDefault::sharedUserDefault();
        EXPECT_TRUE(ud->getBoolForKey("b.true", false));
        EXPECT_FALSE(ud->getBoolForKey("b.false", true));
        EXPECT_EQ(INT_MIN, ud->getIntegerForKey("i.min"));
        EXPECT_EQ(INT_MAX, ud->getIntegerForKey("i.max"));
        EXPECT_EQ(flushFirst, ud->getIntegerForKey("i.pass", -1));
        EXPECT_EQ(0.1f, ud->getFloatForKey("f"));
        EXPECT_EQ(1.17549435e-38f, ud->getFloatForKey("f.tiny"));
        EXPECT_EQ(1.0 / 3.0, ud->getDoubleForKey("d"));
        EXPECT_EQ("Grandor", ud->getStringForKey("s"));
        // Defaults for what was never set.
        EXPECT_TRUE(ud->getBoolForKey("none", true));
        EXPECT_EQ(7, ud->getIntegerForKey("none", 7));
        EXPECT_EQ(2.5f, ud->getFloatForKey("none", 2.5f));
        EXPECT_EQ(-1.5, ud->getDoubleForKey("none", -1.5));
        EXPECT_EQ("dflt", ud->getStringForKey("none", "dflt"));
    }
    EXPECT_TRUE(CCUserDefault::isXMLFileExist());
}

TEST_F(UserDefaultTest, AwkwardKeysAndValuesRoundTripExactly)
{
    const std::pair<std::string, std::string> entries[] = {
        { "achievement.grandor.level.1", "1" },
        { "UserControls", "<controls><key name=\"jump\" code=\"32\"/>&amp; </controls>" },
        { "lines", "one\ntwo\r\nthree\rfour\n" },
        { "spaces", "  \t padded \t  " },
        { "empty", "" },
        { "cdata", "]]><![CDATA[x]]>" },
        { "bytes", std::string("\xff\xfe\x00\x01 latin1 caf\xe9", 16) },
        { "utf8", "caf\xc3\xa9 \xe2\x9c\x93" },
        { "key with <xml> & \"quotes\"\nand a newline", "v" },
        { std::string("key\xff", 4), "non-UTF-8 key" },
    };
    CCUserDefault* ud = CCUserDefault::sharedUserDefault();
    for (const auto& e : entries)
    {
        ud->setStringForKey(e.first.c_str(), e.second);
    }
    ASSERT_TRUE(ud->flush());
    CCUserDefault::purgeSharedUserDefault();

    ud = CCUserDefault::sharedUserDefault();
    for (const auto& e : entries)
    {
        EXPECT_EQ(e.second, ud->getStringForKey(e.first.c_str(), "<missing>")) << e.first;
    }
}

TEST_F(UserDefaultTest, CorruptFileIsKeptAsideAndTheStoreStartsEmpty)
{
    const std::string path = CCUserDefault::getXMLFilePath();
    const std::string broken[] = { "<userDefaultRoot><entry key=\"a\">1</entry>", "<html>not ours</html>" };
    for (int round = 0; round < 2; ++round)
    {
        vorntest::writeFile(path, broken[round]);
        vorntest::LogCapture log;
        CCUserDefault* ud = CCUserDefault::sharedUserDefault();
        EXPECT_EQ(-1, ud->getIntegerForKey("a", -1));
        EXPECT_TRUE(log.contains("ERROR"));
        ud->setIntegerForKey("a", 5);
        CCUserDefault::purgeSharedUserDefault();
        EXPECT_EQ(5, CCUserDefault::sharedUserDefault()->getIntegerForKey("a"));
        CCUserDefault::purgeSharedUserDefault();
    }
    // Both broken files are kept, neither overwrote the other.
    std::vector<std::string> aside = filesStartingWith("UserDefault.xml.");
    ASSERT_EQ(2u, aside.size());
    std::string kept = vorntest::readFile(m_folder + aside[0]) + "|" + vorntest::readFile(m_folder + aside[1]);
    EXPECT_NE(std::string::npos, kept.find(broken[0]));
    EXPECT_NE(std::string::npos, kept.find(broken[1]));
}

TEST_F(UserDefaultTest, FlushInterruptedBeforeTheRenameLeavesTheOldFileWhole)
{
    CCUserDefault* ud = CCUserDefault::sharedUserDefault();
    ud->setStringForKey("progress", "level 3");
    ASSERT_TRUE(ud->flush());
    const std::string before = vorntest::readFile(CCUserDefault::getXMLFilePath());

    CCUserDefault::setFlushInterruptHookForTesting(&refuseRename);
    ud->setStringForKey("progress", "level 4");
    ud->setStringForKey("extra", std::string(4096, 'x'));
    EXPECT_FALSE(ud->flush());
    EXPECT_EQ(before, vorntest::readFile(CCUserDefault::getXMLFilePath()));

    // As if the game died there: the store is dropped and the file read again.
    CCUserDefault::purgeSharedUserDefault();
    CCUserDefault::setFlushInterruptHookForTesting(NULL);
    ud = CCUserDefault::sharedUserDefault();
    EXPECT_EQ("level 3", ud->getStringForKey("progress"));
    EXPECT_EQ("", ud->getStringForKey("extra"));

    // A failed flush leaves the change pending: the next flush or purge writes it.
    CCUserDefault::setFlushInterruptHookForTesting(&refuseRename);
    ud->setStringForKey("progress", "level 5");
    EXPECT_FALSE(ud->flush());
    CCUserDefault::setFlushInterruptHookForTesting(NULL);
    CCUserDefault::purgeSharedUserDefault();
    EXPECT_EQ("level 5", CCUserDefault::sharedUserDefault()->getStringForKey("progress"));
}
