#include "VornTestSupport.h"

#include <gtest/gtest.h>

USING_NS_CC;
using vorntest::fixturePath;

namespace
{
std::string plistPath(const char* name)
{
    return fixturePath(std::string("engine/plist/") + name);
}

std::vector<std::string> keysOf(CCDictionary* dict)
{
    std::vector<std::string> keys;
    CCDictElement* element = NULL;
    CCDICT_FOREACH(dict, element)
    {
        keys.push_back(element->getStrKey());
    }
    return keys;
}

const char* stringAt(CCArray* array, unsigned int index)
{
    CCString* s = dynamic_cast<CCString*>(array->objectAtIndex(index));
    return s ? s->getCString() : "(not a string)";
}
} // namespace

TEST(Plist, NestedDictKeepsOrderAndEveryScalarIsAString)
{
    CCScopedAutoreleasePool pool;
    CCDictionary* dict = CCDictionary::createWithContentsOfFile(plistPath("nested.plist").c_str());
    ASSERT_TRUE(dict != NULL);
    EXPECT_EQ((std::vector<std::string>{ "zulu", "alpha", "real", "yes", "no", "when", "blob", "escaped", "empty",
                                         "frames", "levels" }),
              keysOf(dict));

    struct Scalar { const char* key; const char* text; };
    const Scalar scalars[] = {
        { "zulu", "first key in the file" }, { "alpha", "-42" }, { "real", "0.5" }, { "yes", "1" }, { "no", "0" },
        { "when", "2013-05-01T12:00:00Z" }, { "blob", "\n\tSGVsbG8=\n\t" },
        { "escaped", "<UserControls a=\"1\"/> & caf\xc3\xa9" }, { "empty", "" },
    };
    for (const Scalar& s : scalars)
    {
        CCObject* value = dict->objectForKey(std::string(s.key));
        ASSERT_TRUE(dynamic_cast<CCString*>(value) != NULL) << s.key;
        EXPECT_STREQ(s.text, ((CCString*)value)->getCString()) << s.key;
    }
    EXPECT_EQ(-42, dict->valueForKey("alpha")->intValue());
    EXPECT_TRUE(dict->valueForKey("yes")->boolValue());
    EXPECT_FALSE(dict->valueForKey("no")->boolValue());

    CCDictionary* frames = dynamic_cast<CCDictionary*>(dict->objectForKey(std::string("frames")));
    ASSERT_TRUE(frames != NULL);
    EXPECT_EQ((std::vector<std::string>{ "hero_02.png", "hero_01.png" }), keysOf(frames));
    CCDictionary* hero = (CCDictionary*)frames->objectForKey(std::string("hero_02.png"));
    EXPECT_STREQ("{{2,4},{16,32}}", hero->valueForKey("frame")->getCString());
    EXPECT_EQ(0u, ((CCDictionary*)frames->objectForKey(std::string("hero_01.png")))->count());

    CCArray* levels = dynamic_cast<CCArray*>(dict->objectForKey(std::string("levels")));
    ASSERT_TRUE(levels != NULL);
    ASSERT_EQ(4u, levels->count());
    EXPECT_STREQ("forest", stringAt(levels, 0));
    CCArray* numbers = dynamic_cast<CCArray*>(levels->objectAtIndex(1));
    ASSERT_TRUE(numbers != NULL);
    EXPECT_STREQ("2", stringAt(numbers, 1));
    EXPECT_STREQ("Grandor", ((CCDictionary*)levels->objectAtIndex(2))->valueForKey("boss")->getCString());
    EXPECT_EQ(0u, ((CCArray*)levels->objectAtIndex(3))->count());
}

TEST(Plist, ArrayAtTheTopAndTheKindAskedFor)
{
    CCScopedAutoreleasePool pool;
    CCArray* array = CCArray::createWithContentsOfFile(plistPath("top-array.plist").c_str());
    ASSERT_TRUE(array != NULL);
    ASSERT_EQ(3u, array->count());
    EXPECT_STREQ("2.5", stringAt(array, 1));
    EXPECT_STREQ("0", stringAt(array, 2));

    // Asking for the other kind is an error, not a wrong cast.
    vorntest::LogCapture log;
    EXPECT_TRUE(CCDictionary::createWithContentsOfFile(plistPath("top-array.plist").c_str()) == NULL);
    EXPECT_TRUE(CCArray::createWithContentsOfFile(plistPath("nested.plist").c_str()) == NULL);
    EXPECT_EQ(2u, log.lines().size());
}

TEST(Plist, ThreadSafeVariantIsRetainedNotAutoreleased)
{
    CCDictionary* dict = NULL;
    {
        CCScopedAutoreleasePool pool;
        dict = CCDictionary::createWithContentsOfFileThreadSafe(plistPath("nested.plist").c_str());
        ASSERT_TRUE(dict != NULL);
    }
    // Still alive after the pool drained: the caller owns it.
    EXPECT_EQ(1u, dict->retainCount());
    EXPECT_EQ(11u, dict->count());
    dict->release();
}

TEST(Plist, MissingOrMalformedGivesNullAndALoggedError)
{
    const char* bad[] = { "no-such-file.plist", "unclosed.plist", "key-without-value.plist",
                          "value-without-key.plist", "unknown-element.plist", "scalar-top.plist",
                          "binary.plist", "empty.plist" };
    for (const char* name : bad)
    {
        CCScopedAutoreleasePool pool;
        vorntest::LogCapture log;
        EXPECT_TRUE(CCDictionary::createWithContentsOfFile(plistPath(name).c_str()) == NULL) << name;
        EXPECT_TRUE(CCArray::createWithContentsOfFile(plistPath(name).c_str()) == NULL) << name;
        EXPECT_TRUE(log.contains("ERROR")) << name;
    }
}

TEST(Plist, EntitiesAreNeverExpanded)
{
    CCScopedAutoreleasePool pool;
    vorntest::LogCapture log;
    // Internal entities that expand exponentially, and an external entity naming a local file:
    // the file is refused as a whole rather than read with holes.
    const char* attempts[] = { "billion-laughs.plist", "external-entity.plist" };
    for (const char* name : attempts)
    {
        EXPECT_TRUE(CCDictionary::createWithContentsOfFile(plistPath(name).c_str()) == NULL) << name;
    }
    // The same with an absolute file URL, from memory.
    std::string xml = "<?xml version=\"1.0\"?><!DOCTYPE plist [<!ENTITY s SYSTEM \"file://"
                      + plistPath("entity-secret.txt") + "\">]><plist><array><string>&s;</string></array></plist>";
    EXPECT_TRUE(CCPlistParser::objectWithData(xml.data(), xml.size(), "memory") == NULL);

    EXPECT_TRUE(log.contains("ERROR"));
    for (const std::string& line : log.lines())
    {
        EXPECT_EQ(std::string::npos, line.find("TOP-SECRET")) << line;
        EXPECT_EQ(std::string::npos, line.find("lollol")) << line;
    }
}
