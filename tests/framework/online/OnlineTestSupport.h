#ifndef __ONLINE_TEST_SUPPORT_H__
#define __ONLINE_TEST_SUPPORT_H__

#include "GameManager.h"
#include "OnlineManager.h"
#include "SetupManager.h"
#include "SystemManager.h"
#include "VornSteamBackend.h"
#include "VornTestSupport.h"
#include "steam_api.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

// Every test starts with empty saved settings, a fresh Steam store, the online fixtures as the
// resource folder and an uninitialised game manager holding a system manager.
class OnlineTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        cocos2d::CCUserDefault::purgeSharedUserDefault();
        remove(cocos2d::CCUserDefault::getXMLFilePath().c_str());
        VornSteamBackend::resetSwitches();
        std::string dir = vorntest::makeTempDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
        VornSteamBackend::setStorePath(dir + "/steam-store.txt");
        cocos2d::CCFileUtils::sharedFileUtils()->setResourceDirectory(
            vorntest::fixturePath("framework/online").c_str());
        gameManager = new cocos2d::GameManager();
        // The game manager releases the managers it holds, as it does after its own init.
        system = cocos2d::SystemManager::create();
        system->retain();
        gameManager->setSystemManager(system);
    }
    void TearDown() override
    {
        gameManager->release();
        SteamAPI_Shutdown();
        VornSteamBackend::resetSwitches();
        VornSteamBackend::setStorePath("");
        cocos2d::CCFileUtils::sharedFileUtils()->setResourceDirectory("");
    }

    void useSetup(const char* fileName)
    {
        ASSERT_NE(nullptr, cocos2d::SetupManager::create(fileName));
    }

    /** Hands the online manager to the game manager, which keeps one reference. */
    void adopt(cocos2d::OnlineManager* online)
    {
        online->retain();
        gameManager->setOnlineManager(online);
    }

    cocos2d::CCScopedAutoreleasePool pool;
    cocos2d::GameManager* gameManager = NULL;
    cocos2d::SystemManager* system = NULL;
};

#endif // __ONLINE_TEST_SUPPORT_H__
