#include "VornTestSupport.h"

#include <gtest/gtest.h>

USING_NS_CC;

namespace
{
// Counts its own destruction so ownership can be checked.
class Tracked : public CCObject
{
public:
    explicit Tracked(int* deaths) : m_deaths(deaths) {}
    virtual ~Tracked() { ++*m_deaths; }

private:
    int* m_deaths;
};
} // namespace

TEST(Containers, ArrayRetainsAndReleasesItsElements)
{
    int deaths = 0;
    Tracked* item = new Tracked(&deaths);
    CCArray* array = new CCArray();
    array->addObject(item);
    item->release();
    EXPECT_EQ(1u, item->retainCount());
    array->removeObjectAtIndex(0);
    EXPECT_EQ(1, deaths);
    array->release();
}

TEST(Containers, AutoreleasedObjectsLiveUntilThePoolDrains)
{
    int deaths = 0;
    {
        CCScopedAutoreleasePool pool;
        Tracked* item = new Tracked(&deaths);
        item->autorelease();
        EXPECT_EQ(0, deaths);
    }
    EXPECT_EQ(1, deaths);
}

TEST(Containers, DictionaryKeepsInsertionOrderAndReplacesInPlace)
{
    CCScopedAutoreleasePool pool;
    CCDictionary* dict = CCDictionary::create();
    const char* keys[] = { "zeta", "alpha", "Mid", "beta" };
    for (int i = 0; i < 4; ++i)
    {
        dict->setObject(CCString::create(keys[i]), keys[i]);
    }
    dict->setObject(CCString::create("again"), "alpha");
    dict->removeObjectForKey("Mid");

    std::vector<std::string> seen;
    CCDictElement* element = NULL;
    CCDICT_FOREACH(dict, element)
    {
        seen.push_back(element->getStrKey());
    }
    EXPECT_EQ((std::vector<std::string>{ "zeta", "alpha", "beta" }), seen);
    EXPECT_STREQ("again", dict->valueForKey("alpha")->getCString());
    EXPECT_STREQ("", dict->valueForKey("missing")->getCString());
    EXPECT_EQ(NULL, dict->objectForKey(std::string("missing")));
}

TEST(Containers, DictionaryIntegerKeysAndRemovalDuringIteration)
{
    CCScopedAutoreleasePool pool;
    CCDictionary* dict = CCDictionary::create();
    for (int i = 0; i < 5; ++i)
    {
        dict->setObject(CCInteger::create(i * 10), (intptr_t)(-i));
    }
    CCDictElement* element = NULL;
    CCDICT_FOREACH(dict, element)
    {
        if (element->getIntKey() % 2 == 0)
        {
            dict->removeObjectForElememt(element);
        }
    }
    EXPECT_EQ(2u, dict->count());
    EXPECT_EQ(10, ((CCInteger*)dict->objectForKey((intptr_t)-1))->getValue());
}

TEST(Containers, DictionaryDeepCopyIsIndependent)
{
    CCScopedAutoreleasePool pool;
    CCDictionary* inner = CCDictionary::create();
    inner->setObject(CCString::create("1"), "value");
    CCDictionary* outer = CCDictionary::create();
    outer->setObject(inner, "inner");

    CCDictionary* copy = CCDictionary::createWithDictionary(outer);
    inner->setObject(CCString::create("2"), "value");
    CCDictionary* copiedInner = (CCDictionary*)copy->objectForKey(std::string("inner"));
    ASSERT_NE(inner, copiedInner);
    EXPECT_STREQ("1", copiedInner->valueForKey("value")->getCString());
}

TEST(Containers, StringValues)
{
    struct Case { const char* text; int i; float f; bool b; };
    const Case cases[] = {
        { "0.5", 0, 0.5f, true }, { "12", 12, 12.0f, true }, { "", 0, 0.0f, false },
        { "0", 0, 0.0f, false }, { "false", 0, 0.0f, false }, { "-3.75", -3, -3.75f, true },
    };
    for (const Case& c : cases)
    {
        CCString s(c.text);
        EXPECT_EQ(c.i, s.intValue()) << c.text;
        EXPECT_FLOAT_EQ(c.f, s.floatValue()) << c.text;
        EXPECT_EQ(c.b, s.boolValue()) << c.text;
    }
    CCScopedAutoreleasePool pool;
    EXPECT_STREQ("P1 x3", CCString::createWithFormat("%s x%d", "P1", 3)->getCString());
}

TEST(Containers, LoopsOverEmptyOrMissingContainersAndSeveralLoopsInOneScope)
{
    CCScopedAutoreleasePool pool;
    CCDictionary* missing = NULL;
    CCDictionary* empty = CCDictionary::create();
    CCDictionary* full = CCDictionary::create();
    full->setObject(CCString::create("x"), "a");
    full->setObject(CCString::create("y"), "b");
    int visits = 0;
    CCDictElement* element = NULL;
    CCDICT_FOREACH(missing, element) { ++visits; }
    CCDICT_FOREACH(empty, element) { ++visits; }
    CCDICT_FOREACH(full, element) { ++visits; }
    EXPECT_EQ(2, visits);

    CCArray* none = NULL;
    CCObject* object = NULL;
    CCARRAY_FOREACH(none, object) { ++visits; }
    EXPECT_EQ(2, visits);

    // Out-of-range reads log and answer NULL instead of reading past the end.
    vorntest::LogCapture log;
    CCArray* array = CCArray::create();
    EXPECT_TRUE(array->objectAtIndex(0) == NULL);
    EXPECT_TRUE(array->lastObject() == NULL);
    EXPECT_TRUE(log.contains("out of range"));
    array->insertObject(CCString::create("end"), 5);  // past the end appends
    EXPECT_EQ(1u, array->count());
    EXPECT_EQ(CC_INVALID_INDEX, array->indexOfObject(full));
}
