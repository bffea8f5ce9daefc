#include "CCUserDefault.h"

#include "CCBackgroundWriter.h"
#include "CCFileUtils.h"
#include "CCNotificationCenter.h"
#include "CCUserDefaultDocument.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

NS_CC_BEGIN

namespace
{
CCUserDefault* s_sharedUserDefault = NULL;
std::string s_filePath;
bool s_writeFailing = false;  ///< the last write failed: the player has been told
bool s_setAside = false;      ///< a saved file was set aside and the game has not been told yet
std::string s_setAsidePath;

} // namespace

const char* const CCUserDefault::kWriteFailedNotification = "user_default_write_failed";

CCUserDefault::CCUserDefault() : m_bDirty(false), m_bFileUntouchable(false) {}

CCUserDefault* CCUserDefault::sharedUserDefault()
{
    if (!s_sharedUserDefault)
    {
        s_sharedUserDefault = new CCUserDefault();
        s_sharedUserDefault->load();
    }
    return s_sharedUserDefault;
}

void CCUserDefault::purgeSharedUserDefault()
{
    // Writes still queued land, and are answered, before the store goes.
    CCBackgroundWriter::finishQueuedWrites();
    if (s_sharedUserDefault && s_sharedUserDefault->m_bDirty && !s_sharedUserDefault->flush())
    {
        // Reading the older file back would lose what the game holds: keep it for the next save.
        return;
    }
    CC_SAFE_DELETE(s_sharedUserDefault);
}

const std::string& CCUserDefault::getXMLFilePath()
{
    s_filePath = CCFileUtils::sharedFileUtils()->getWritablePath() + "UserDefault.xml";
    return s_filePath;
}

bool CCUserDefault::isXMLFileExist()
{
    FILE* fp = fopen(getXMLFilePath().c_str(), "rb");
    if (fp)
    {
        fclose(fp);
        return true;
    }
    return false;
}

std::string CCUserDefault::keepCopyAside(const char* tag)
{
    CCBackgroundWriter::finishQueuedWrites();
    const std::string path = getXMLFilePath();
    FILE* in = fopen(path.c_str(), "rb");
    if (!in)
    {
        return "";
    }
    std::string aside = CCFileUtils::unusedNameBeside(path, tag ? tag : "kept");
    FILE* out = fopen(aside.c_str(), "wb");
    bool written = out != NULL;
    char chunk[65536];
    size_t n = 0;
    while (written && (n = fread(chunk, 1, sizeof(chunk), in)) > 0)
    {
        written = fwrite(chunk, 1, n, out) == n;
    }
    written = written && !ferror(in);
    fclose(in);
    if (out != NULL && fclose(out) != 0)
    {
        written = false;
    }
    if (!written)
    {
        CCLog("ERROR: CCUserDefault::keepCopyAside - could not copy %s to %s", path.c_str(), aside.c_str());
        remove(aside.c_str());
        return "";
    }
    return aside;
}

void CCUserDefault::load()
{
    m_values.clear();
    m_bDirty = false;
    m_bFileUntouchable = false;
    const std::string path = getXMLFilePath();
    std::string reason;
    std::string text;
    CCFileUtils::SavedFileRead found = CCFileUtils::readSavedFile(path, kMaxFileSize, &text, &reason);
    if (found == CCFileUtils::kSavedFile_Read && !CCUserDefaultDocument::read(text.data(), text.size(), m_values) &&
        !readStockLayout(path, text))
    {
        found = CCFileUtils::kSavedFile_Unreadable;
        reason = "it is not a settings document";
    }
    if (found == CCFileUtils::kSavedFile_Unreadable)
    {
        // Unread is not empty: the first save must not replace what the player has there.
        m_values.clear();
        setAside(path, reason);
    }
}

// Keeps the player's file for inspection instead of overwriting it; the store starts empty.
void CCUserDefault::setAside(const std::string& path, const std::string& reason)
{
    std::string aside = CCFileUtils::setAsideSavedFile(path, "corrupt");
    s_setAside = true;
    if (!aside.empty())
    {
        s_setAsidePath = aside;
        CCLog("ERROR: The saved settings file %s could not be read (%s); it was kept as %s and the game starts "
              "with fresh settings.", path.c_str(), reason.c_str(), aside.c_str());
        return;
    }
    s_setAsidePath.clear();
    m_bFileUntouchable = true;
    CCLog("ERROR: The saved settings file %s could not be read (%s) nor moved aside (%s); the game plays with "
          "fresh settings and saves nothing over it.", path.c_str(), reason.c_str(), strerror(errno));
}

bool CCUserDefault::takeSetAsideFile(std::string* keptAs)
{
    if (!s_setAside)
    {
        return false;
    }
    s_setAside = false;
    if (keptAs)
    {
        *keptAs = s_setAsidePath;
    }
    return true;
}

// A file the stock engine wrote: its values become ours and go back in our layout at the next save.
bool CCUserDefault::readStockLayout(const std::string& path, const std::string& text)
{
    if (!CCUserDefaultDocument::readStockLayout(text.data(), text.size(), m_values))
    {
        return false;
    }
    CCLog("CCUserDefault - %s is in the stock layout: its %u values are read and the next save writes them in "
          "ours", path.c_str(), (unsigned int)m_values.size());
    m_bDirty = true;
    return true;
}

const std::string* CCUserDefault::findValue(const char* pKey) const
{
    if (!pKey)
    {
        return NULL;
    }
    std::map<std::string, std::string>::const_iterator it = m_values.find(pKey);
    return it == m_values.end() ? NULL : &it->second;
}

void CCUserDefault::setValue(const char* pKey, const std::string& value)
{
    if (!pKey)
    {
        CCLog("CCUserDefault::setValue - key is NULL");
        return;
    }
    std::string& slot = m_values[pKey];
    if (slot != value || !m_bDirty)
    {
        slot = value;
        m_bDirty = true;
    }
}

bool CCUserDefault::getBoolForKey(const char* pKey, bool defaultValue)
{
    const std::string* value = findValue(pKey);
    return value ? *value == "true" : defaultValue;
}

int CCUserDefault::getIntegerForKey(const char* pKey, int defaultValue)
{
    const std::string* value = findValue(pKey);
    return value ? atoi(value->c_str()) : defaultValue;
}

float CCUserDefault::getFloatForKey(const char* pKey, float defaultValue)
{
    const std::string* value = findValue(pKey);
    return value ? strtof(value->c_str(), NULL) : defaultValue;
}

double CCUserDefault::getDoubleForKey(const char* pKey, double defaultValue)
{
    const std::string* value = findValue(pKey);
    return value ? strtod(value->c_str(), NULL) : defaultValue;
}

std::string CCUserDefault::getStringForKey(const char* pKey, const std::string& defaultValue)
{
    const std::string* value = findValue(pKey);
    return value ? *value : defaultValue;
}

void CCUserDefault::setBoolForKey(const char* pKey, bool value)
{
    setValue(pKey, value ? "true" : "false");
}

void CCUserDefault::setIntegerForKey(const char* pKey, int value)
{
    char buffer[32];
    snprintf(buffer, sizeof(buffer), "%d", value);
    setValue(pKey, buffer);
}

void CCUserDefault::setFloatForKey(const char* pKey, float value)
{
    // Nine significant digits bring a float back exactly.
    char buffer[64];
    snprintf(buffer, sizeof(buffer), "%.9g", value);
    setValue(pKey, buffer);
}

void CCUserDefault::setDoubleForKey(const char* pKey, double value)
{
    char buffer[64];
    snprintf(buffer, sizeof(buffer), "%.17g", value);
    setValue(pKey, buffer);
}

void CCUserDefault::setStringForKey(const char* pKey, const std::string& value)
{
    setValue(pKey, value);
}

bool CCUserDefault::flush()
{
    // An older copy still queued must not land over this one.
    CCBackgroundWriter::finishQueuedWrites();
    const std::string text = CCUserDefaultDocument::write(m_values);
    const std::string path = getXMLFilePath();
    if (m_bFileUntouchable)
    {
        errno = EACCES;
    }
    if (m_bFileUntouchable || !CCFileUtils::sharedFileUtils()->writeFileReplacing(path, text.data(), text.size()))
    {
        reportWriteFailure(path, errno);
        return false;
    }
    m_bDirty = false;
    s_writeFailing = false;
    return true;
}

bool CCUserDefault::flushInBackground()
{
    const std::string path = getXMLFilePath();
    if (m_bFileUntouchable)
    {
        reportWriteFailure(path, EACCES);
        return false;
    }
    m_bDirty = false;
    CCBackgroundWriter::sharedBackgroundWriter()->writeFileReplacing(
        path, CCUserDefaultDocument::write(m_values), [this, path](bool ok, int error) {
            if (ok)
            {
                s_writeFailing = false;
                return;
            }
            reportWriteFailure(path, error);
        });
    return true;
}

void CCUserDefault::reportWriteFailure(const std::string& path, int error)
{
    // Whatever the failed write held is still in the store: the next flush writes it.
    m_bDirty = true;
    CCLog("ERROR: Unable to save the settings to %s (%s); the game keeps them and tries again at the next "
          "save.", path.c_str(), strerror(error));
    if (!s_writeFailing)
    {
        s_writeFailing = true;
        CCNotificationCenter::sharedNotificationCenter()->postNotification(kWriteFailedNotification);
    }
}

NS_CC_END
