#ifndef __VORN_RENDER_TEST_H__
#define __VORN_RENDER_TEST_H__

#include "VornTestSupport.h"
#include "cocos2d.h"

#include <gtest/gtest.h>

namespace vorntest
{
/**
 * A 160x120 view (design size the same) handed to the director, for tests that draw through the
 * software renderer. Tear-down drops the director, the view and the texture and font caches.
 */
class RenderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_view = vorntest::useViewOfSize(160, 120);
        ASSERT_TRUE(m_view != NULL);
    }
    void TearDown() override
    {
        cocos2d::CCDirector::purgeSharedDirector();
        cocos2d::CCEGLView::purgeSharedOpenGLView();
        cocos2d::CCTextureCache::purgeSharedTextureCache();
        cocos2d::CCLabelBMFont::purgeCachedData();
    }
    cocos2d::CCScopedAutoreleasePool m_pool;
    cocos2d::CCEGLView* m_view = NULL;
};
} // namespace vorntest

#endif
