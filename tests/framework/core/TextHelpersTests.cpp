#include "SpriteFrameHelpers.h"
#include "TextHelpers.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

USING_NS_CC;

namespace
{
std::vector<std::string> strings(CCArray* array)
{
    std::vector<std::string> out;
    CCObject* item = NULL;
    CCARRAY_FOREACH(array, item)
    {
        out.push_back(static_cast<CCString*>(item)->m_sString);
    }
    return out;
}
} // namespace

TEST(TextHelpers, SplitCSVLine)
{
    struct Case
    {
        const char* line;
        bool removeQuotedCommas;
        std::vector<std::string> fields;
    };
    const Case cases[] = {
        {"a,\"b,c\",d", false, {"a", "b,c", "d"}},
        {"a,\"b,c\",d", true, {"a", "bc", "d"}},
        {"\"1,500\",\"12,345,678\"", true, {"1500", "12345678"}},
        {"a,\"\",b", false, {"a", "\"", "b"}},
        {"a,b,", false, {"a", "b"}},
        {"a,,b", false, {"a", "", "b"}},
        {",", false, {""}},
        {"\"say \"\"hi\"\" now\"", false, {"say \"hi\" now"}},
        {" a , b\r", false, {" a ", " b\r"}},
        {"a,\"open, never closed", false, {"a", "open, never closed"}},
        {"", false, {}},
    };
    CCScopedAutoreleasePool pool;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(c.fields, strings(splitCSVLine(c.line, c.removeQuotedCommas)));
    }
}

TEST(TextHelpers, SplitLines)
{
    struct Case
    {
        const char* text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"one\ntwo\n", {"one", "two"}},
        {"one\ntwo", {"one", "two"}},
        {"one\n\nthree", {"one", "", "three"}},
        {"id,\"first\nsecond\"\nnext", {"id,\"first\nsecond\"", "next"}},
        {"id,\"open\n", {"id,\"open"}},
        {"cr\r\nkept", {"cr\r", "kept"}},
        {"\n", {""}},
        {"", {}},
    };
    CCScopedAutoreleasePool pool;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.lines, strings(splitLines(c.text)));
    }
}

TEST(TextHelpers, ReplaceAll)
{
    struct Case
    {
        const char* text;
        const char* search;
        const char* replacement;
        const char* result;
    };
    const Case cases[] = {
        {"aaa", "a", "aa", "aaaaaa"},
        {"x <%1> y <%1>", "<%1>", "7", "x 7 y 7"},
        {"abc", "", "z", "abc"},
        {"abc", "d", "z", "abc"},
        {"abab", "ab", "", ""},
    };
    for (const Case& c : cases)
    {
        std::string text = c.text;
        replaceAll(text, c.search, c.replacement);
        EXPECT_EQ(c.result, text) << c.text << " / " << c.search;
    }
    std::string placeholders = "<%1> of <%2>";
    replaceAllWithInt(placeholders, "<%1>", -3);
    replaceAllWithInt(placeholders, "<%2>", 10);
    EXPECT_EQ("-3 of 10", placeholders);
}

TEST(TextHelpers, FormatNumberWithCommas)
{
    const std::pair<int, const char*> cases[] = {
        {0, "0"},           {999, "999"},          {1000, "1,000"},
        {1234, "1,234"},    {100000, "100,000"},   {1000000, "1,000,000"},
        {-123, "-123"},     {-1234, "-1,234"},     {-2147483647 - 1, "-2,147,483,648"},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.second, formatNumberWithCommas(c.first)) << c.first;
    }
}

TEST(TextHelpers, ReadTextFile)
{
    char* text = readTextFile(vorntest::fixturePath("framework/locale-extra.csv").c_str());
    EXPECT_EQ(vorntest::readFile(vorntest::fixturePath("framework/locale-extra.csv")), std::string(text));
    delete[] text;

    char* missing = readTextFile(vorntest::fixturePath("framework/no-such-file.csv").c_str());
    ASSERT_NE(nullptr, missing);
    EXPECT_STREQ("", missing);
    delete[] missing;
}

TEST(TextHelpers, SortedSpriteFrameNames)
{
    CCScopedAutoreleasePool pool;
    CCArray* names = getSortedSpriteFrameNames(vorntest::fixturePath("framework/sheet.plist").c_str());
    ASSERT_NE(nullptr, names);
    // Byte-wise: capitals first, and "walk10" before "walk2".
    EXPECT_EQ((std::vector<std::string>{"Walk3.png", "walk1.png", "walk10.png", "walk2.png"}), strings(names));

    vorntest::LogCapture log;
    EXPECT_EQ(nullptr, getSortedSpriteFrameNames(vorntest::fixturePath("framework/sheet-noframes.plist").c_str()));
    EXPECT_TRUE(log.contains("ERROR: Unable to open sprites file"));
}
