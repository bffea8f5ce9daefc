#ifndef __NODE_TEST_SUPPORT_H__
#define __NODE_TEST_SUPPORT_H__

#include "VornTestSupport.h"

#include <gtest/gtest.h>

// Each test gets its own pool and a fresh director (so scheduler and actions start empty).
class EngineTest : public ::testing::Test
{
protected:
    virtual void SetUp()
    {
        cocos2d::CCPoolManager::sharedPoolManager()->push();
    }
    virtual void TearDown()
    {
        cocos2d::CCDirector::purgeSharedDirector();
        cocos2d::CCPoolManager::sharedPoolManager()->pop();
    }

    /** A scene running in the director, ready to take children. */
    cocos2d::CCScene* runScene()
    {
        cocos2d::CCScene* scene = cocos2d::CCScene::create();
        cocos2d::CCDirector::sharedDirector()->runWithScene(scene);
        return scene;
    }

    void stepFrames(int frames, float dt = 1.0f / 60.0f)
    {
        for (int i = 0; i < frames; ++i)
        {
            cocos2d::CCDirector::sharedDirector()->step(dt);
        }
    }
};

inline void expectTransform(const cocos2d::CCAffineTransform& expected, const cocos2d::CCAffineTransform& actual)
{
    const float eps = 1e-4f;
    EXPECT_NEAR(expected.a, actual.a, eps);
    EXPECT_NEAR(expected.b, actual.b, eps);
    EXPECT_NEAR(expected.c, actual.c, eps);
    EXPECT_NEAR(expected.d, actual.d, eps);
    EXPECT_NEAR(expected.tx, actual.tx, eps);
    EXPECT_NEAR(expected.ty, actual.ty, eps);
}

#endif
