#include "VornTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>

USING_NS_CC;

namespace
{
bool isDirectory(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// A small resource tree; restores the default resource folder afterwards.
class FileUtilsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_root = vorntest::makeTempDir("resources");
        mkdir((m_root + "/music").c_str(), 0755);
        mkdir((m_root + "/Sfx").c_str(), 0755);
        mkdir((m_root + "/sheets").c_str(), 0755);
        vorntest::writeFile(m_root + "/readme.txt", "hello");
        vorntest::writeFile(m_root + "/music/Theme.OGG", "ogg");
        vorntest::writeFile(m_root + "/Sfx/Menu-Select.wav", "wav");
        vorntest::writeFile(m_root + "/sheets/hero.png", "png");
        vorntest::writeFile(m_root + "/crlf.txt", std::string("a\r\nb\r\n\rc\n\r"));
        vorntest::writeFile(m_root + "/empty.txt", "");
        m_utils = CCFileUtils::sharedFileUtils();
        m_utils->setResourceDirectory(m_root.c_str());
    }
    void TearDown() override { m_utils->setResourceDirectory("Resources/"); }

    std::string m_root;
    CCFileUtils* m_utils;
};
} // namespace

TEST_F(FileUtilsTest, ResolvesNamesFoldersCaseAndBackslashes)
{
    struct Case { const char* name; const char* expected; bool exists; };
    const Case cases[] = {
        { "readme.txt", "/readme.txt", true },
        { "music/Theme.OGG", "/music/Theme.OGG", true },
        { "music/theme.ogg", "/music/Theme.OGG", true },
        { "sfx/menu-select.wav", "/Sfx/Menu-Select.wav", true },
        { "SFX\\MENU-SELECT.WAV", "/Sfx/Menu-Select.wav", true },
        { "music", "/music", false },           // a folder is not a file
        { "music/missing.ogg", "/music/missing.ogg", false },
        { "nowhere/Missing.png", "/nowhere/Missing.png", false },
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(m_root + c.expected, m_utils->fullPathForFilename(c.name)) << c.name;
        EXPECT_STREQ((m_root + c.expected).c_str(), m_utils->fullPathFromRelativePath(c.name)) << c.name;
        EXPECT_EQ(c.exists, m_utils->isFileExist(c.name)) << c.name;
    }
    // Absolute paths stay where they are, with the same case fallback.
    EXPECT_EQ(m_root + "/music/Theme.OGG", m_utils->fullPathForFilename((m_root + "/MUSIC/theme.ogg").c_str()));
    EXPECT_TRUE(m_utils->isFileExist(m_root + "/MUSIC/theme.ogg"));
    EXPECT_STREQ((m_root + "/sheets/hero.png").c_str(), m_utils->fullPathFromRelativeFile("Hero.png", "sheets/hero.plist"));
    EXPECT_EQ("", m_utils->fullPathForFilename(""));
    EXPECT_FALSE(m_utils->isFileExist(""));
}

TEST_F(FileUtilsTest, FileDataTextModeFoldsCrlfBinaryModeKeepsBytes)
{
    unsigned long size = 99;
    unsigned char* text = m_utils->getFileData("CRLF.txt", "rt", &size);
    ASSERT_TRUE(text != NULL);
    EXPECT_EQ(std::string("a\nb\n\rc\n\r"), std::string((const char*)text, size));
    EXPECT_EQ(0, text[size]);  // callers read text buffers as C strings
    delete[] text;

    unsigned char* raw = m_utils->getFileData("crlf.txt", "rb", &size);
    ASSERT_TRUE(raw != NULL);
    EXPECT_EQ(std::string("a\r\nb\r\n\rc\n\r"), std::string((const char*)raw, size));
    delete[] raw;

    unsigned char* empty = m_utils->getFileData("empty.txt", "rb", &size);
    EXPECT_EQ(0ul, size);
    delete[] empty;

    const char* missing[] = { "missing.txt", "music", "", NULL };
    for (const char* name : missing)
    {
        size = 99;
        EXPECT_TRUE(m_utils->getFileData(name, "rb", &size) == NULL) << (name ? name : "NULL");
        EXPECT_EQ(0ul, size) << (name ? name : "NULL");
    }
}

TEST(FileUtils, WritablePathUnderTheDataHomeCreatedOnDemand)
{
    CCFileUtils* utils = CCFileUtils::sharedFileUtils();
    const std::string savedXdg = getenv("XDG_DATA_HOME") ? getenv("XDG_DATA_HOME") : "";
    const std::string savedHome = getenv("HOME") ? getenv("HOME") : "";
    const std::string base = vorntest::makeTempDir("writable");

    setenv("XDG_DATA_HOME", (base + "/xdg").c_str(), 1);
    utils->setWritablePathAppName("TulmekTest");
    EXPECT_EQ(base + "/xdg/TulmekTest/", utils->getWritablePath());
    EXPECT_TRUE(isDirectory(base + "/xdg/TulmekTest"));

    // Without XDG_DATA_HOME (or with a relative one, which the standard says to ignore): ~/.local/share.
    setenv("HOME", (base + "/home").c_str(), 1);
    const char* ignored[] = { NULL, "", "relative/dir" };
    for (const char* xdg : ignored)
    {
        if (xdg)
        {
            setenv("XDG_DATA_HOME", xdg, 1);
        }
        else
        {
            unsetenv("XDG_DATA_HOME");
        }
        EXPECT_EQ(base + "/home/.local/share/TulmekTest/", utils->getWritablePath()) << (xdg ? xdg : "unset");
        EXPECT_TRUE(isDirectory(base + "/home/.local/share/TulmekTest"));
    }

    setenv("XDG_DATA_HOME", savedXdg.c_str(), 1);
    setenv("HOME", savedHome.c_str(), 1);
    utils->setWritablePathAppName("TULMEK");
}
