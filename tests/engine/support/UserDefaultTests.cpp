#include "CCBackgroundWriter.h"
#include "CCUserDefaultDocument.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
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
        CCFileUtils::setWriteFaultForTesting(CCFileUtils::kWriteFault_None);
        CCFileUtils::setOpenFaultForTesting(0);
        CCNotificationCenter::sharedNotificationCenter()->removeAllObservers(&m_notices);
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

    /** What the settings file on disk holds, read as the game would read it. */
    CCUserDefaultDocument::Values valuesOnDisk()
    {
        CCUserDefaultDocument::Values values;
        std::string text = vorntest::readFile(CCUserDefault::getXMLFilePath());
        EXPECT_TRUE(CCUserDefaultDocument::read(text.data(), text.size(), values));
        return values;
    }

    class NoticeCounter : public CCObject
    {
    public:
        void onWriteFailed(CCObject*) { ++count; }
        int count = 0;
    };

    void countNotices()
    {
        CCNotificationCenter::sharedNotificationCenter()->addObserver(
            &m_notices, callfuncO_selector(NoticeCounter::onWriteFailed), CCUserDefault::kWriteFailedNotification, NULL);
    }

    std::string m_folder;
    NoticeCounter m_notices;
};
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
        // UTF-8 in form only, not XML's: plain, any of them made the whole file unreadable.
        { "overlong", "\xc0\xbb \xe0\x80\xaf" },
        { "surrogate", "\xed\xa0\x80" },
        { "past U+10FFFF", "\xf4\x90\x80\x80" },
        { "not a character", "\xef\xbf\xbe" },
        { "cut short", "caf\xc3" },
        { "\xc0\xaf key", "overlong key" },
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

// The stock engine names each element after its key. Such a file is read, not set aside, and
// the next save writes it in our layout; a file in neither layout is set aside as before.
TEST_F(UserDefaultTest, AStockLayoutFileIsReadAndSavedBackInOursOthersAreSetAside)
{
    const std::string path = CCUserDefault::getXMLFilePath();
    vorntest::writeFile(path, "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<userDefaultRoot>\n"
                              "  <music.on>true</music.on>\n  <level.best>12</level.best>\n"
                              "  <volume>0.75</volume>\n  <name>Jo &amp; Kira &lt;3</name>\n"
                              "  <empty/>\n  <level.best>99</level.best>\n</userDefaultRoot>\n");
    {
        vorntest::LogCapture log;
        CCUserDefault* ud = CCUserDefault::sharedUserDefault();
        EXPECT_TRUE(ud->getBoolForKey("music.on", false));
        EXPECT_EQ(12, ud->getIntegerForKey("level.best", 0));   // the first of two, as stock lookups find
        EXPECT_FLOAT_EQ(0.75f, ud->getFloatForKey("volume", 0));
        EXPECT_EQ("Jo & Kira <3", ud->getStringForKey("name", ""));
        EXPECT_EQ("", ud->getStringForKey("empty", "unset"));
        EXPECT_FALSE(log.contains("ERROR"));
        EXPECT_TRUE(log.contains("stock layout"));
    }
    EXPECT_TRUE(filesStartingWith("UserDefault.xml.").empty());

    // Dropping the store writes the values back in our layout, nothing else needed.
    CCUserDefault::purgeSharedUserDefault();
    CCUserDefaultDocument::Values expected;
    expected["music.on"] = "true";
    expected["level.best"] = "12";
    expected["volume"] = "0.75";
    expected["name"] = "Jo & Kira <3";
    expected["empty"] = "";
    EXPECT_EQ(expected, valuesOnDisk());
    EXPECT_EQ(12, CCUserDefault::sharedUserDefault()->getIntegerForKey("level.best", 0));
    CCUserDefault::purgeSharedUserDefault();

    // A file in neither layout is still set aside whole.
    const char* files[] = {
        "<userDefaultRoot><level.best kind=\"int\">12</level.best></userDefaultRoot>",
        "<userDefaultRoot><level><best>12</best></level></userDefaultRoot>",
        "<userDefaultRoot><entry key=\"a\">1</entry><b>2</b></userDefaultRoot>",
        "<settings><level.best>12</level.best></settings>",
    };
    for (const char* file : files)
    {
        SCOPED_TRACE(file);
        EXPECT_EQ(0, system(("rm -f '" + m_folder + "'*").c_str()));
        vorntest::writeFile(path, file);
        vorntest::LogCapture log;
        CCUserDefault* ud = CCUserDefault::sharedUserDefault();
        EXPECT_EQ(-1, ud->getIntegerForKey("level.best", -1));
        EXPECT_EQ(-1, ud->getIntegerForKey("b", -1));
        EXPECT_TRUE(log.contains("ERROR"));
        std::vector<std::string> aside = filesStartingWith("UserDefault.xml.");
        ASSERT_EQ(1u, aside.size());
        EXPECT_EQ(file, vorntest::readFile(m_folder + aside[0]));
        CCUserDefault::purgeSharedUserDefault();
    }
}

TEST_F(UserDefaultTest, FlushInterruptedBeforeTheRenameLeavesTheOldFileWhole)
{
    CCUserDefault* ud = CCUserDefault::sharedUserDefault();
    ud->setStringForKey("progress", "level 3");
    ASSERT_TRUE(ud->flush());
    const std::string before = vorntest::readFile(CCUserDefault::getXMLFilePath());

    CCFileUtils::setWriteFaultForTesting(CCFileUtils::kWriteFault_CrashBeforeRename);
    ud->setStringForKey("progress", "level 4");
    ud->setStringForKey("extra", std::string(4096, 'x'));
    EXPECT_FALSE(ud->flush());
    EXPECT_EQ(before, vorntest::readFile(CCUserDefault::getXMLFilePath()));

    // As if the game died there: the file reads back as the old settings.
    CCUserDefaultDocument::Values onDisk = valuesOnDisk();
    EXPECT_EQ("level 3", onDisk["progress"]);
    EXPECT_EQ(0u, onDisk.count("extra"));

    // A failed flush leaves the change pending: the next flush or purge writes it.
    ud->setStringForKey("progress", "level 5");
    EXPECT_FALSE(ud->flush());
    CCFileUtils::setWriteFaultForTesting(CCFileUtils::kWriteFault_None);
    CCUserDefault::purgeSharedUserDefault();
    EXPECT_EQ("level 5", CCUserDefault::sharedUserDefault()->getStringForKey("progress"));
}

// A full disk: the game keeps what it holds (never the older file's values), says so once, and
// the next save writes everything.
TEST_F(UserDefaultTest, AFailedWriteKeepsTheStoreAndTheNextSaveWritesIt)
{
    countNotices();
    CCUserDefault* ud = CCUserDefault::sharedUserDefault();
    ud->setIntegerForKey("NumStoryModeContinues", 11881);
    ASSERT_TRUE(ud->flush());

    CCFileUtils::setWriteFaultForTesting(CCFileUtils::kWriteFault_DiskFull);
    ud->setIntegerForKey("NumStoryModeContinues", 77);
    ud->setBoolForKey("hasCheckpoint", true);
    {
        vorntest::LogCapture log;
        EXPECT_FALSE(ud->flush());
        EXPECT_TRUE(log.contains("ERROR: Unable to save the settings"));
    }
    // Purges, as the checkpoint store does after saving, neither drop nor reload anything.
    for (int purge = 0; purge < 3; ++purge)
    {
        CCUserDefault::purgeSharedUserDefault();
        EXPECT_EQ(ud, CCUserDefault::sharedUserDefault());
        EXPECT_EQ(77, CCUserDefault::sharedUserDefault()->getIntegerForKey("NumStoryModeContinues"));
        EXPECT_TRUE(CCUserDefault::sharedUserDefault()->getBoolForKey("hasCheckpoint"));
    }
    EXPECT_EQ(1, m_notices.count);
    EXPECT_NE(0, access((CCUserDefault::getXMLFilePath() + ".tmp").c_str(), F_OK));

    // Room again: the next save of anything writes the whole store.
    CCFileUtils::setWriteFaultForTesting(CCFileUtils::kWriteFault_None);
    ud->setFloatForKey("MusicMasterVolume", 0.5f);
    EXPECT_TRUE(ud->flush());
    CCUserDefaultDocument::Values onDisk = valuesOnDisk();
    EXPECT_EQ("77", onDisk["NumStoryModeContinues"]);
    EXPECT_EQ("true", onDisk["hasCheckpoint"]);

    // A later failure, after a good save, tells the player again.
    CCFileUtils::setWriteFaultForTesting(CCFileUtils::kWriteFault_DiskFull);
    ud->setIntegerForKey("NumStoryModeContinues", 76);
    EXPECT_FALSE(ud->flush());
    EXPECT_EQ(2, m_notices.count);
}

// A save in the middle of play goes to the background writer: a later save at once never lands
// under it, and its failure reaches the game on its own thread, as a failed flush would.
TEST_F(UserDefaultTest, ABackgroundSaveLandsBeforeTheNextAndReportsItsFailureOnTheGamesThread)
{
    countNotices();
    CCBackgroundWriter* writer = CCBackgroundWriter::sharedBackgroundWriter();
    CCUserDefault* ud = CCUserDefault::sharedUserDefault();
    ud->setStringForKey("progress", "level 1");
    ASSERT_TRUE(ud->flushInBackground());
    EXPECT_FALSE(ud->hasUnsavedChanges());
    ud->setStringForKey("progress", "level 2");
    ASSERT_TRUE(ud->flush());
    EXPECT_EQ(0, writer->getUnansweredCount());
    EXPECT_EQ("level 2", valuesOnDisk()["progress"]);

    CCFileUtils::setWriteFaultForTesting(CCFileUtils::kWriteFault_DiskFull);
    ud->setStringForKey("progress", "level 3");
    vorntest::LogCapture log;
    ASSERT_TRUE(ud->flushInBackground());
    EXPECT_EQ(0, m_notices.count) << "told before the game's thread heard of it";
    writer->finishAll();
    EXPECT_TRUE(log.contains("ERROR: Unable to save the settings"));
    EXPECT_EQ(1, m_notices.count);
    EXPECT_TRUE(ud->hasUnsavedChanges());
    EXPECT_EQ("level 2", valuesOnDisk()["progress"]);

    // Room again: leaving writes what the failed save held.
    CCFileUtils::setWriteFaultForTesting(CCFileUtils::kWriteFault_None);
    CCUserDefault::purgeSharedUserDefault();
    EXPECT_EQ("level 3", valuesOnDisk()["progress"]);
}

// Set aside without reading it: a file far over any save's size, a folder, a pipe, a save the
// game may not open. The game is told once per file set aside, and nothing is written over one.
TEST_F(UserDefaultTest, AHugeFileOrAFolderInPlaceOfTheSaveIsSetAsideUnread)
{
    const std::string path = CCUserDefault::getXMLFilePath();
    CCUserDefault::takeSetAsideFile(NULL);
    for (int kind = 0; kind < 4; ++kind)
    {
        SCOPED_TRACE(kind);
        if (kind == 0)
        {
            // Sparse: 300 MB on paper, no disk used, and a read of it would show in memory.
            int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            ASSERT_GE(fd, 0);
            ASSERT_EQ(0, ftruncate(fd, 300L * 1024 * 1024));
            close(fd);
        }
        else if (kind == 1)
        {
            ASSERT_EQ(0, mkdir(path.c_str(), 0755));
            vorntest::writeFile(path + "/inside", "kept");
        }
        else if (kind == 2)
        {
            ASSERT_EQ(0, mkfifo(path.c_str(), 0644));
        }
        else
        {
            // A good save the game is not allowed to open: kept whole, not replaced at the first save.
            vorntest::writeFile(path, "<userDefaultRoot><entry key=\"b\">7</entry></userDefaultRoot>");
            CCFileUtils::setOpenFaultForTesting(EACCES);
        }
        vorntest::LogCapture log;
        CCUserDefault* ud = CCUserDefault::sharedUserDefault();
        CCFileUtils::setOpenFaultForTesting(0);
        EXPECT_TRUE(log.contains("could not be read"));
        EXPECT_TRUE(log.contains("it was kept as"));
        std::string keptAs;
        EXPECT_TRUE(CCUserDefault::takeSetAsideFile(&keptAs));
        EXPECT_TRUE(log.contains(keptAs));
        EXPECT_FALSE(CCUserDefault::takeSetAsideFile(&keptAs)) << "told once";
        EXPECT_EQ(-1, ud->getIntegerForKey("a", -1));
        ud->setIntegerForKey("a", kind);
        CCUserDefault::purgeSharedUserDefault();
        EXPECT_EQ(kind, CCUserDefault::sharedUserDefault()->getIntegerForKey("a"));
        CCUserDefault::purgeSharedUserDefault();
        ASSERT_EQ(0, unlink(path.c_str()));
    }
    std::vector<std::string> aside = filesStartingWith("UserDefault.xml.corrupt");
    ASSERT_EQ(4u, aside.size());
    struct stat st;
    bool sawFolder = false;
    bool sawUnopened = false;
    for (const std::string& name : aside)
    {
        ASSERT_EQ(0, stat((m_folder + name).c_str(), &st));
        sawFolder = sawFolder || (S_ISDIR(st.st_mode) && vorntest::readFile(m_folder + name + "/inside") == "kept");
        sawUnopened = sawUnopened || (S_ISREG(st.st_mode) &&
                                      vorntest::readFile(m_folder + name).find("key=\"b\">7<") != std::string::npos);
    }
    EXPECT_TRUE(sawFolder);
    EXPECT_TRUE(sawUnopened);
    std::string command = "rm -rf '" + m_folder + "'UserDefault.xml.corrupt*";
    EXPECT_EQ(0, system(command.c_str()));
}
