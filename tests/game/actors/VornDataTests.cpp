#include "CharacterSetups.h"
#include "VornActionTypes.h"
#include "VornDictionary.h"
#include "VornGameTypes.h"
#include "VornRPGStats.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

USING_NS_CC;

namespace
{
VornDictionary* dictionaryWith(const char* key, const char* text)
{
    VornDictionary* dict = VornDictionary::create();
    dict->setObject(CCString::create(text), key);
    return dict;
}
} // namespace

TEST(VornDictionary, TypedGettersConvertText)
{
    CCScopedAutoreleasePool pool;
    float f = 9.0f;
    bool b = true;
    EXPECT_TRUE(dictionaryWith("K", "0.5")->getFloat("K", &f));
    EXPECT_FLOAT_EQ(0.5f, f);
    EXPECT_TRUE(dictionaryWith("K", "0.5")->getBool("K", &b));
    EXPECT_FALSE(b);  // integer reading of "0.5" is 0
    EXPECT_TRUE(dictionaryWith("K", "1")->getBool("K", &b));
    EXPECT_TRUE(b);

    CCPoint p(1.0f, 2.0f);
    EXPECT_TRUE(dictionaryWith("K", "(10.5,-3)")->getPoint("K", &p));
    EXPECT_FLOAT_EQ(10.5f, p.x);
    EXPECT_FLOAT_EQ(-3.0f, p.y);
    EXPECT_TRUE(dictionaryWith("K", "(7)")->getPoint("K", &p));
    EXPECT_FLOAT_EQ(7.0f, p.x);
    EXPECT_FLOAT_EQ(-3.0f, p.y);  // not reached: kept
    EXPECT_TRUE(dictionaryWith("K", "3,4")->getPoint("K", &p));
    EXPECT_FLOAT_EQ(7.0f, p.x);

    CCSize size(0.0f, 0.0f);
    EXPECT_TRUE(dictionaryWith("K", "(14,30)")->getSize("K", &size));
    EXPECT_FLOAT_EQ(14.0f, size.width);
    EXPECT_FLOAT_EQ(30.0f, size.height);

    std::string s;
    EXPECT_TRUE(dictionaryWith("K", "Jors")->getString("K", &s));
    EXPECT_EQ("Jors", s);
}

TEST(VornDictionary, MissingOrMistypedKeysKeepTheDefault)
{
    CCScopedAutoreleasePool pool;
    VornDictionary* dict = dictionaryWith("Nested", "x");
    dict->setObject(CCDictionary::create(), "Dict");
    float f = 3.0f;
    int i = 4;
    bool b = true;
    CCPoint p(5.0f, 6.0f);
    std::string s = "keep";
    CCArray* array = NULL;
    EXPECT_FALSE(dict->getFloat("Missing", &f));
    EXPECT_FALSE(dict->getInt("Missing", &i));
    EXPECT_FALSE(dict->getBool("Missing", &b));
    EXPECT_FALSE(dict->getPoint("Missing", &p));
    EXPECT_FALSE(dict->getString("Dict", &s));  // a dictionary is no text
    EXPECT_FALSE(dict->getArray("Nested", &array));  // a text is no array
    EXPECT_FALSE(dict->getFloat("Missing", NULL));
    EXPECT_TRUE(dict->getString("Nested", NULL));  // presence test
    EXPECT_FLOAT_EQ(3.0f, f);
    EXPECT_EQ(4, i);
    EXPECT_TRUE(b);
    EXPECT_FLOAT_EQ(5.0f, p.x);
    EXPECT_EQ("keep", s);
    EXPECT_EQ(nullptr, array);
    // The static form reads plain dictionaries from files, and a null one as empty.
    EXPECT_FALSE(VornDictionary::getFloat(NULL, "K", &f));
}

TEST(VornDictionary, GetArrayHandsOverAnOwnedCopy)
{
    CCScopedAutoreleasePool pool;
    VornDictionary* dict = VornDictionary::create();
    dict->setObject(CCArray::create(), "Empty");
    dict->setObject(CCArray::create(CCString::create("a"), CCString::create("b"), NULL), "Two");
    CCArray* array = NULL;
    ASSERT_TRUE(dict->getArray("Empty", &array));
    ASSERT_NE(nullptr, array);
    EXPECT_EQ(0u, array->count());
    EXPECT_EQ(1u, array->retainCount());
    array->release();
    ASSERT_TRUE(dict->getArray("Two", &array));
    EXPECT_NE(dict->objectForKey("Two"), array);
    ASSERT_EQ(2u, array->count());
    EXPECT_STREQ("b", static_cast<CCString*>(array->objectAtIndex(1))->getCString());
    array->release();
}

TEST(ActionTypes, NamesAndLookUp)
{
    ASSERT_EQ(28, kVAT_MAX);
    for (int type = 0; type < kVAT_MAX; ++type)
    {
        EXPECT_EQ(type, actionTypeFromName(kActionTypeNames[type])) << kActionTypeNames[type];
    }
    EXPECT_EQ("Idle", kActionTypeNames[kVAT_Idle]);
    EXPECT_EQ("LightAttack", kActionTypeNames[kVAT_LightAttack]);
    EXPECT_EQ("GrabThrowForward", kActionTypeNames[kVAT_GrabThrowForward]);
    EXPECT_EQ("Default", kActionTypeNames[kVAT_Default]);
    EXPECT_EQ(kVAT_MAX, actionTypeFromName("idle"));
    EXPECT_EQ(kVAT_MAX, actionTypeFromName(""));
    EXPECT_EQ(kVAT_MAX, actionTypeFromName("LightAttack2"));
}

TEST(CharacterSetups, ReadsRowsUntilTheirFirstEmptyField)
{
    CCScopedAutoreleasePool pool;
    vorntest::LogCapture log;
    CharacterSetups* setups = CharacterSetups::create(vorntest::fixturePath("game/actors/setups.csv").c_str());
    ASSERT_NE(nullptr, setups);
    EXPECT_TRUE(log.contains("Category: MinHealth"));

    // "hero" appears twice: the later row wins.
    float value = -1.0f;
    EXPECT_TRUE(setups->getValue("hero", "MaxHealth", value));
    EXPECT_FLOAT_EQ(400.0f, value);
    EXPECT_TRUE(setups->getValue("hero", "XPKillPoints", value));
    EXPECT_FLOAT_EQ(12.5f, value);

    // A row without a name adds nothing; unknown names and categories leave the value alone.
    EXPECT_EQ(2u, setups->getSetups()->count());
    value = -1.0f;
    EXPECT_FALSE(setups->getValue("nobody", "MinHealth", value));
    EXPECT_FALSE(setups->getValue("hero", "Charisma", value));
    EXPECT_FALSE(setups->getValue("brute", "MinSpeed", value));
    EXPECT_FLOAT_EQ(-1.0f, value);

    int whole = 7;
    EXPECT_TRUE(setups->getValue("brute", "MinHealth", whole));
    EXPECT_EQ(2, whole);
    EXPECT_TRUE(setups->getValue("brute", "MaxHealth", whole));
    EXPECT_EQ(-2, whole);
}

TEST(CharacterSetups, AnEmptyFieldEndsTheRow)
{
    CCScopedAutoreleasePool pool;
    std::string dir = vorntest::makeTempDir("setups");
    vorntest::writeFile(dir + "/bob.csv", "Name,MinHealth,MaxHealth\nBob,100,,200\n");
    CharacterSetups* setups = CharacterSetups::create((dir + "/bob.csv").c_str());
    ASSERT_NE(nullptr, setups);
    float value = 0.0f;
    EXPECT_TRUE(setups->getValue("Bob", "MinHealth", value));
    EXPECT_FLOAT_EQ(100.0f, value);
    EXPECT_FALSE(setups->getValue("Bob", "MaxHealth", value));

    // A missing file is an empty table, not a failure, but an error names it; so does a table
    // without a character.
    vorntest::LogCapture log;
    CharacterSetups* missing = CharacterSetups::create((dir + "/none.csv").c_str());
    ASSERT_NE(nullptr, missing);
    EXPECT_EQ(0u, missing->getSetups()->count());
    EXPECT_TRUE(log.contains("ERROR: The character table \"" + dir + "/none.csv\" is missing"));
    vorntest::writeFile(dir + "/header.csv", "Name,MinHealth,MaxHealth\n");
    ASSERT_NE(nullptr, CharacterSetups::create((dir + "/header.csv").c_str()));
    EXPECT_TRUE(log.contains("ERROR: The character table \"" + dir + "/header.csv\" names no characters"));
    vorntest::writeFile(dir + "/empty.csv", "");
    ASSERT_NE(nullptr, CharacterSetups::create((dir + "/empty.csv").c_str()));
    EXPECT_TRUE(log.contains("ERROR: The character table \"" + dir + "/empty.csv\" is empty"));
}

TEST(VornRPGStats, PowerRangesByActionAndDefaults)
{
    CCScopedAutoreleasePool pool;
    CharacterSetups* setups = CharacterSetups::create(vorntest::fixturePath("game/actors/setups.csv").c_str());
    ASSERT_NE(nullptr, setups);
    VornRPGStats* stats = new VornRPGStats();
    ASSERT_TRUE(stats->initWithCharacterSetups("hero", setups));
    EXPECT_FLOAT_EQ(200.0f, stats->getMinHealth());
    EXPECT_FLOAT_EQ(28.0f, stats->getMaxSpeed());
    EXPECT_FLOAT_EQ(12.5f, stats->getXPKillPoints(kCharacter_Enemy));
    EXPECT_FLOAT_EQ(100.0f, stats->getXPLevelBase());
    EXPECT_FLOAT_EQ(10.0f, stats->getXPLevelBump());

    struct
    {
        int type;
        float min, max;
        int stat;
    } cases[] = {
        {kVAT_JumpAttack, 12.5f, 37.5f, kRPG_Power},   {kVAT_LightAttack, 10.0f, 30.0f, kRPG_Power},
        {kVAT_HeavyAttack, 20.0f, 50.0f, kRPG_Special}, {kVAT_RushAttack, 20.0f, 50.0f, kRPG_Special},
        {kVAT_GrabHeavyAttack, 20.0f, 50.0f, kRPG_Special}, {kVAT_GroundAttack, 5.0f, 15.0f, kRPG_Power},
        {kVAT_GrabThrowForward, 20.0f, 60.0f, kRPG_Power}, {kVAT_Idle, 10.0f, 30.0f, kRPG_Power},
    };
    for (const auto& c : cases)
    {
        EXPECT_FLOAT_EQ(c.min, stats->getMinPower(c.type)) << kActionTypeNames[c.type];
        EXPECT_FLOAT_EQ(c.max, stats->getMaxPower(c.type)) << kActionTypeNames[c.type];
        EXPECT_EQ(c.stat, stats->getActionStat(c.type)) << kActionTypeNames[c.type];
    }
    stats->release();

    VornRPGStats* stranger = new VornRPGStats();
    ASSERT_TRUE(stranger->initWithCharacterSetups("nobody", setups));
    EXPECT_FLOAT_EQ(1.0f, stranger->getXPLevelBase());
    EXPECT_FLOAT_EQ(1.0f, stranger->getXPLevelBump());
    EXPECT_FLOAT_EQ(0.0f, stranger->getMaxHealth());
    EXPECT_FLOAT_EQ(0.0f, stranger->getMaxPower(kVAT_HeavyAttack));
    stranger->release();
}
