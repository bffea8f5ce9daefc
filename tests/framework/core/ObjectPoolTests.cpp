#include "CCObjectPool.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

USING_NS_CC;

TEST(ObjectPool, HandsOutFromTheEndAndTakesEverythingBack)
{
    CCScopedAutoreleasePool autorelease;
    CCObject* a = CCString::create("a");
    CCObject* b = CCString::create("b");
    CCObject* c = CCString::create("c");
    CCObjectPool* pool = CCObjectPool::create(CCArray::create(a, b, c, NULL));

    EXPECT_EQ(c, pool->getObject());
    EXPECT_EQ(b, pool->getObject());
    EXPECT_EQ(a, pool->getObject());
    EXPECT_EQ(nullptr, pool->getObject());
    EXPECT_EQ(3u, pool->getUsed()->count());

    pool->returnAllObjects();
    EXPECT_EQ(0u, pool->getUsed()->count());
    // Handed back last-out first, so the free order is the original one again.
    EXPECT_EQ(c, pool->getObject());
    EXPECT_EQ(b, pool->getObject());

    pool->returnObject(c);
    EXPECT_EQ(c, pool->getObject());
    EXPECT_EQ(2u, pool->getUsed()->count());
}

TEST(ObjectPool, RefusesObjectsItDidNotHandOut)
{
    CCScopedAutoreleasePool autorelease;
    CCObject* a = CCString::create("a");
    CCObjectPool* pool = CCObjectPool::create(CCArray::create(a, NULL));
    vorntest::LogCapture log;
    pool->returnObject(a);  // still free: taking it again would put it in both lists
    pool->returnObject(CCString::create("stranger"));
    EXPECT_EQ(2u, log.lines().size());
    EXPECT_EQ(1u, pool->getFree()->count());
    EXPECT_EQ(a, pool->getObject());
    EXPECT_EQ(nullptr, pool->getObject());

    CCObjectPool* empty = CCObjectPool::create(NULL);
    EXPECT_EQ(nullptr, empty->getObject());
}
