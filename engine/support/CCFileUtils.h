#ifndef __CC_FILE_UTILS_H__
#define __CC_FILE_UTILS_H__

#include "base/CCObject.h"

#include <string>

NS_CC_BEGIN

/**
 * Finds and reads the game's files. Relative names resolve against the resource directory
 * (relative to the working directory unless absolute); saved data goes to the writable path.
 */
class CCFileUtils
{
public:
    static CCFileUtils* sharedFileUtils();
    static void purgeFileUtils();

    void setResourceDirectory(const char* pszDirectoryName);
    const std::string& getResourceDirectory() const { return m_resourceDirectory; }

    /**
     * The full path of a resource: "name", "music/name" or an absolute path. "\\" reads as "/".
     * When the exact name is missing, a case-insensitive match is taken; when nothing matches,
     * the path where the file would be is returned. A relative name that climbs out of the
     * resource folder ("../x") is refused: logged, and "" returned.
     */
    std::string fullPathForFilename(const char* pszFileName);
    const char* fullPathFromRelativePath(const char* pszRelativePath);
    /** A file named beside another (a sprite sheet's texture beside its plist). */
    const char* fullPathFromRelativeFile(const char* pszFilename, const char* pszRelativeFile);

    /**
     * The whole file in a new[] buffer (the caller delete[]s it). "rt" turns CRLF into LF;
     * "rb" reads as is. NULL and size 0 when the file can't be read.
     */
    unsigned char* getFileData(const char* pszFileName, const char* pszMode, unsigned long* pSize);

    bool isFileExist(const std::string& strFilePath);

    /**
     * Replaces the file at the full path with data: written to "<path>.tmp", synced, renamed over
     * the path, then the folder synced, so a crash or a power loss leaves the old file or the new
     * one, whole. False (errno set, the temporary file removed) when a step fails.
     */
    bool writeFileReplacing(const std::string& path, const void* data, size_t size);

    /** What readSavedFile found. */
    enum SavedFileRead
    {
        kSavedFile_Missing,     ///< no file there: a first run
        kSavedFile_Read,        ///< read whole
        kSavedFile_Unreadable,  ///< there but not usable: set it aside, never write over it
        kSavedFile_MAX
    };
    /**
     * Reads a file the game saved (at a full path) as a whole, opened without blocking (a pipe
     * in its place can't hang the game) and only when it is a plain file of at most maxSize
     * bytes. The reason says why an unreadable one could not be used.
     */
    static SavedFileRead readSavedFile(const std::string& path, long maxSize, std::string* text, std::string* reason);
    /**
     * Moves a saved file that could not be used to "<path>.<tag>-<time>" beside it (never over an
     * earlier one). Answers the new path, "" (errno set) when it could not be moved.
     */
    static std::string setAsideSavedFile(const std::string& path, const char* tag);
    /** A name beside path, "<path>.<tag>-<time>", that no file has yet. */
    static std::string unusedNameBeside(const std::string& path, const char* tag);

    /** Tests: opening a saved file for reading fails with this errno (0: opens as usual). */
    static void setOpenFaultForTesting(int error);

    /** Tests: a failure for writeFileReplacing to meet, as a full disk or a crash would bring it. */
    enum WriteFault
    {
        kWriteFault_None,
        kWriteFault_DiskFull,        ///< the data write fails with ENOSPC
        kWriteFault_CrashBeforeRename,  ///< stops after the temporary file, as if the game died there
        kWriteFault_MAX
    };
    static void setWriteFaultForTesting(WriteFault fault);

    /**
     * True when a name read from content or saved data stays inside the resource folder: not
     * empty, relative, no ".." step (with "\\" read as "/"), no NUL byte.
     */
    static bool isConfinedName(const std::string& name);
    /**
     * The one gate for file names that come from content, a script or a save: the full path of a
     * confined name (above), or "" with a log line naming the refused name and who asked. The
     * engine's own paths (its resource folder, the writable path, test fixtures) do not pass here.
     */
    std::string fullPathForContentName(const std::string& name, const char* caller);
    bool isAbsolutePath(const std::string& strPath);

    /** Names the folder under the data home ($XDG_DATA_HOME or ~/.local/share) for saved data. */
    void setWritablePathAppName(const char* appName);
    /** The writable folder, with a trailing "/", created on demand. */
    std::string getWritablePath();

private:
    CCFileUtils();
    std::string resolveCaseInsensitive(const std::string& path);

    std::string m_resourceDirectory;
    std::string m_writablePathAppName;
    std::string m_lastFullPath;  ///< storage behind the const char* answers
};

NS_CC_END

#endif // __CC_FILE_UTILS_H__
