#include "WinJoystick.h"

#include "VornJoystickBackend.h"

#include <set>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <strings.h>

// The registry holds nothing but what names joysticks: the settings key whose
// "Joystick<n>OEMName" values point at a per-pad OEM key, and that key's "OEMName".

struct HKEY__
{
    enum Kind
    {
        kJoystickSettings,
        kJoystickOem,
    } kind;
    long long padKey;  // the pad an OEM key names
};

namespace
{
std::set<HKEY> s_openKeys;
const char* const kOemPrefix = "VornPad";

bool isRoot(HKEY key)
{
    return key == HKEY_LOCAL_MACHINE || key == HKEY_CURRENT_USER;
}

/** "<prefix>\<rest>" case-insensitively; answers rest or NULL. */
const char* afterPrefix(const char* path, const char* prefix)
{
    const size_t length = strlen(prefix);
    if (strncasecmp(path, prefix, length) != 0 || path[length] != '\\')
    {
        return NULL;
    }
    return path + length + 1;
}

std::string settingsPath()
{
    return std::string(REGSTR_PATH_JOYCONFIG) + "\\VornJoystick\\" + REGSTR_KEY_JOYCURR;
}

HKEY openKey(HKEY__::Kind kind, long long padKey)
{
    HKEY key = new HKEY__;
    key->kind = kind;
    key->padKey = padKey;
    s_openKeys.insert(key);
    return key;
}

/** The OEM key name of a pad, and back. */
std::string oemName(long long padKey)
{
    char text[64];
    snprintf(text, sizeof(text), "%s%lld", kOemPrefix, padKey);
    return text;
}

bool parseOemName(const char* text, long long& padKey)
{
    const size_t length = strlen(kOemPrefix);
    if (strncasecmp(text, kOemPrefix, length) != 0 || text[length] == '\0')
    {
        return false;
    }
    char* end = NULL;
    padKey = strtoll(text + length, &end, 10);
    return end != NULL && *end == '\0';
}

LSTATUS answerText(const std::string& text, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData)
{
    const DWORD needed = (DWORD)text.size() + 1;
    if (lpType)
    {
        *lpType = REG_SZ;
    }
    if (lpData == NULL)
    {
        if (lpcbData)
        {
            *lpcbData = needed;
        }
        return ERROR_SUCCESS;
    }
    if (lpcbData == NULL)
    {
        return ERROR_INVALID_PARAMETER;
    }
    if (*lpcbData < needed)
    {
        *lpcbData = needed;
        return ERROR_MORE_DATA;
    }
    memcpy(lpData, text.c_str(), needed);
    *lpcbData = needed;
    return ERROR_SUCCESS;
}
} // namespace

LSTATUS RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult)
{
    (void)ulOptions;
    (void)samDesired;
    if (phkResult == NULL)
    {
        return ERROR_INVALID_PARAMETER;
    }
    *phkResult = NULL;
    if (!isRoot(hKey))
    {
        return s_openKeys.count(hKey) ? ERROR_FILE_NOT_FOUND : ERROR_INVALID_HANDLE;
    }
    if (lpSubKey == NULL)
    {
        return ERROR_FILE_NOT_FOUND;
    }
    if (strcasecmp(lpSubKey, settingsPath().c_str()) == 0)
    {
        *phkResult = openKey(HKEY__::kJoystickSettings, -1);
        return ERROR_SUCCESS;
    }
    const char* oem = afterPrefix(lpSubKey, REGSTR_PATH_JOYOEM);
    long long padKey = -1;
    std::string name;
    if (oem != NULL && parseOemName(oem, padKey) && VornJoystickBackend::nameForKey(padKey, name))
    {
        *phkResult = openKey(HKEY__::kJoystickOem, padKey);
        return ERROR_SUCCESS;
    }
    return ERROR_FILE_NOT_FOUND;
}

LSTATUS RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                         LPDWORD lpcbData)
{
    (void)lpReserved;
    if (s_openKeys.count(hKey) == 0)
    {
        return ERROR_INVALID_HANDLE;
    }
    if (lpValueName == NULL)
    {
        return ERROR_FILE_NOT_FOUND;
    }
    if (hKey->kind == HKEY__::kJoystickSettings)
    {
        int number = 0;
        char tail[16] = {0};
        if (sscanf(lpValueName, "Joystick%d%15s", &number, tail) != 2 || strcasecmp(tail, "OEMName") != 0 ||
            number < 1 || number > (int)VornJoystickBackend::kSlotCount)
        {
            return ERROR_FILE_NOT_FOUND;
        }
        const long long padKey = VornJoystickBackend::slotKey((unsigned int)(number - 1));
        if (padKey < 0)
        {
            return ERROR_FILE_NOT_FOUND;
        }
        return answerText(oemName(padKey), lpType, lpData, lpcbData);
    }
    std::string name;
    if (strcasecmp(lpValueName, REGSTR_VAL_JOYOEMNAME) != 0 || !VornJoystickBackend::nameForKey(hKey->padKey, name))
    {
        return ERROR_FILE_NOT_FOUND;
    }
    return answerText(name, lpType, lpData, lpcbData);
}

LSTATUS RegCloseKey(HKEY hKey)
{
    if (isRoot(hKey))
    {
        return ERROR_SUCCESS;
    }
    if (s_openKeys.erase(hKey) == 0)
    {
        return ERROR_INVALID_HANDLE;
    }
    delete hKey;
    return ERROR_SUCCESS;
}
