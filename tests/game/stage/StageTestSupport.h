#ifndef __STAGE_TEST_SUPPORT_H__
#define __STAGE_TEST_SUPPORT_H__

#include "VornGameManager.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

#include <string>


/** A started game manager with its collision lists, reading the game's resources. */
class StageTest : public ::testing::Test
{
protected:
    void SetUp();
    void TearDown();

    /** The compiled fixture layout of that name (absolute path, no extension). */
    static std::string fixtureLayout(const char* name);
    /** Members of the collision list with that id. */
    size_t listSize(int listId);
    /** Whether the node stands in the list with that id. */
    bool inList(int listId, cocos2d::CCNode* node);

    cocos2d::CCScopedAutoreleasePool m_pool;
    cocos2d::VornGameManager* m_pManager = nullptr;
};

#endif
