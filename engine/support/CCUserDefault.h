#ifndef __CC_USER_DEFAULT_H__
#define __CC_USER_DEFAULT_H__

#include "base/CCObject.h"

#include <map>
#include <string>

NS_CC_BEGIN

/**
 * The saved settings and progress: one XML file in the writable path. Every flush writes the
 * whole store to a temporary file and renames it into place, so a crash never leaves a torn
 * file. A file that can't be read is moved aside (kept for the player) and the store starts empty.
 */
class CCUserDefault
{
public:
    static CCUserDefault* sharedUserDefault();
    /** Writes any change not yet flushed, then drops the store: the next access reads the file again. */
    static void purgeSharedUserDefault();
    static const std::string& getXMLFilePath();
    static bool isXMLFileExist();

    bool getBoolForKey(const char* pKey, bool defaultValue = false);
    int getIntegerForKey(const char* pKey, int defaultValue = 0);
    float getFloatForKey(const char* pKey, float defaultValue = 0.0f);
    double getDoubleForKey(const char* pKey, double defaultValue = 0.0);
    std::string getStringForKey(const char* pKey, const std::string& defaultValue = "");

    void setBoolForKey(const char* pKey, bool value);
    void setIntegerForKey(const char* pKey, int value);
    void setFloatForKey(const char* pKey, float value);
    void setDoubleForKey(const char* pKey, double value);
    void setStringForKey(const char* pKey, const std::string& value);

    /** Writes the store now; false (and a log line) when it could not be written. */
    bool flush();

    /**
     * Keeps a copy of the saved file beside it as "<file>.<tag>-<time>" (never over an earlier
     * copy), for a save the game had to refuse. Answers the copy's path, "" when none was made.
     */
    std::string keepCopyAside(const char* tag);

    /** Tests: called after the temporary file is written; returning false stops before the rename. */
    typedef bool (*FlushInterruptHook)();
    static void setFlushInterruptHookForTesting(FlushInterruptHook hook);

private:
    CCUserDefault();
    void load();
    void setValue(const char* pKey, const std::string& value);
    const std::string* findValue(const char* pKey) const;

    std::map<std::string, std::string> m_values;
    bool m_bDirty;
};

NS_CC_END

#endif // __CC_USER_DEFAULT_H__
