#ifndef __CC_USER_DEFAULT_H__
#define __CC_USER_DEFAULT_H__

#include "base/CCObject.h"

#include <map>
#include <string>

NS_CC_BEGIN

/**
 * The saved settings and progress: one XML file in the writable path. Every flush writes the
 * whole store to a temporary file and renames it into place, so a crash never leaves a torn
 * file. A file that can't be read (not a settings document, a folder, over kMaxFileSize, no
 * permission to open it) is moved aside unread (kept for the player) and the store starts empty;
 * when it can't even be moved, nothing is ever written over it. takeSetAsideFile tells the game
 * once, so it can tell the player. A file in the stock engine's layout (elements named by their
 * keys) is read as well and written in ours at the next flush.
 *
 * A write that fails keeps the store in memory as it is and is tried again by the next flush;
 * the first failure after a good write posts kWriteFailedNotification, so the player is told once.
 */
class CCUserDefault
{
public:
    static const long kMaxFileSize = 4 * 1024 * 1024;
    static const char* const kWriteFailedNotification;

    static CCUserDefault* sharedUserDefault();
    /**
     * Writes any change not yet flushed, then drops the store: the next access reads the file
     * again. When that write fails the store is kept, never replaced by the older file.
     */
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

    /** Writes the store now; false (and a log line) when it could not be written, the store kept. */
    bool flush();
    /**
     * Writes the store as it is now on the background writer's thread, so the frame does not
     * wait for the disk. A failure is reported a frame or so later as flush reports it, and the
     * store counts as unsaved again. False when the file is known to be out of reach.
     */
    bool flushInBackground();
    /** Changes not on disk yet: never flushed, or the last flush failed. */
    bool hasUnsavedChanges() const { return m_bDirty; }

    /**
     * Where the saved file that could not be read was kept ("" when it could not be moved), once:
     * false when no file has been set aside since the last call.
     */
    static bool takeSetAsideFile(std::string* keptAs);

    /**
     * Keeps a copy of the saved file beside it as "<file>.<tag>-<time>" (never over an earlier
     * copy), for a save the game had to refuse. Answers the copy's path, "" when none was made.
     */
    std::string keepCopyAside(const char* tag);

private:
    CCUserDefault();
    void load();
    bool readStockLayout(const std::string& path, const std::string& text);
    void setAside(const std::string& path, const std::string& reason);
    void setValue(const char* pKey, const std::string& value);
    const std::string* findValue(const char* pKey) const;
    void reportWriteFailure(const std::string& path, int error);

    std::map<std::string, std::string> m_values;
    bool m_bDirty;
    bool m_bFileUntouchable;  ///< the file could be neither read nor moved aside: never write over it
};

NS_CC_END

#endif // __CC_USER_DEFAULT_H__
