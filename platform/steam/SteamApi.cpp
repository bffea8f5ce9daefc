#include "steam_api.h"

#include "VornSteamBackend.h"
#include "VornSteamService.h"

namespace
{
VornSteamService& service()
{
    return VornSteamService::instance();
}
} // namespace

bool SteamAPI_Init()
{
    if (!service().init())
    {
        return false;
    }
    // The writable path may have been named since the crash hook went in.
    VornSteamBackend::prepareCrashReport();
    return true;
}

void SteamAPI_Shutdown()
{
    service().shutdown();
}

void SteamAPI_RunCallbacks()
{
    service().runCallbacks();
}

ISteamClient* SteamClient()
{
    return service().isUp() ? static_cast<ISteamClient*>(&service()) : NULL;
}

ISteamUser* SteamUser()
{
    return service().isUp() ? static_cast<ISteamUser*>(&service()) : NULL;
}

ISteamUtils* SteamUtils()
{
    return service().isUp() ? static_cast<ISteamUtils*>(&service()) : NULL;
}

ISteamUserStats* SteamUserStats()
{
    return service().isUp() ? static_cast<ISteamUserStats*>(&service()) : NULL;
}

void SteamAPI_RegisterCallback(CCallbackBase* pCallback, int iCallback)
{
    service().registerCallback(pCallback, iCallback);
}

void SteamAPI_UnregisterCallback(CCallbackBase* pCallback)
{
    service().unregisterCallback(pCallback);
}

void SteamAPI_RegisterCallResult(CCallbackBase* pCallback, SteamAPICall_t hAPICall)
{
    service().registerCallResult(pCallback, hAPICall);
}

void SteamAPI_UnregisterCallResult(CCallbackBase* pCallback, SteamAPICall_t hAPICall)
{
    service().unregisterCallResult(pCallback, hAPICall);
}

// ---- settings and test switches ----

void VornSteamBackend::setAppId(AppId_t appId)
{
    service().m_appId = appId;
}

AppId_t VornSteamBackend::getAppId()
{
    return service().m_appId;
}

void VornSteamBackend::setFailInit(bool fail)
{
    service().m_bFailInit = fail;
}

void VornSteamBackend::setFailFindLeaderboard(bool fail)
{
    service().m_bFailFind = fail;
}

void VornSteamBackend::setFailUpload(bool fail)
{
    service().m_bFailUpload = fail;
}

void VornSteamBackend::resetSwitches()
{
    service().m_bFailInit = false;
    service().m_bFailFind = false;
    service().m_bFailUpload = false;
    service().m_appId = kDefaultAppId;
}

void VornSteamBackend::setStorePath(const std::string& path)
{
    service().m_storePath = path;
}

std::string VornSteamBackend::getStorePath()
{
    return service().storePath();
}

bool VornSteamBackend::storedLeaderboardScore(const std::string& name, int32* score)
{
    VornSteamStore store;
    if (!service().loadForInspection(store))
    {
        return false;
    }
    std::map<std::string, int32>::const_iterator it = store.leaderboards.find(name);
    if (it == store.leaderboards.end())
    {
        return false;
    }
    if (score)
    {
        *score = it->second;
    }
    return true;
}
