#include "CCFileUtils.h"

#include "CCBackgroundWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>
#include <ctime>
#include <vector>

NS_CC_BEGIN

static CCFileUtils* s_sharedFileUtils = NULL;
static CCFileUtils::WriteFault s_writeFault = CCFileUtils::kWriteFault_None;
static int s_openFault = 0;  ///< tests: the errno that opening a saved file meets

CCFileUtils* CCFileUtils::sharedFileUtils()
{
    if (!s_sharedFileUtils)
    {
        s_sharedFileUtils = new CCFileUtils();
    }
    return s_sharedFileUtils;
}

void CCFileUtils::purgeFileUtils()
{
    // Queued writes go through us: they land before we do.
    CCBackgroundWriter::purgeSharedBackgroundWriter();
    CC_SAFE_DELETE(s_sharedFileUtils);
}

CCFileUtils::CCFileUtils()
    : m_writablePathAppName("TULMEK")
{
    setResourceDirectory("Resources");
}

void CCFileUtils::setResourceDirectory(const char* pszDirectoryName)
{
    m_resourceDirectory = pszDirectoryName ? pszDirectoryName : "";
    std::replace(m_resourceDirectory.begin(), m_resourceDirectory.end(), '\\', '/');
    // Anchor a relative folder to the working directory now, so every full path is absolute and
    // a full path handed back in (getFileData of a resolved name) is never resolved twice.
    if (!isAbsolutePath(m_resourceDirectory))
    {
        char cwd[4096];
        if (getcwd(cwd, sizeof(cwd)))
        {
            m_resourceDirectory = std::string(cwd) + (m_resourceDirectory.empty() ? "" : "/" + m_resourceDirectory);
        }
    }
    if (!m_resourceDirectory.empty() && m_resourceDirectory[m_resourceDirectory.size() - 1] != '/')
    {
        m_resourceDirectory += '/';
    }
}

bool CCFileUtils::isAbsolutePath(const std::string& strPath)
{
    return !strPath.empty() && strPath[0] == '/';
}

bool CCFileUtils::isFileExist(const std::string& strFilePath)
{
    if (strFilePath.empty())
    {
        return false;
    }
    std::string path = fullPathForFilename(strFilePath.c_str());
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

static bool pathExists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

// Resources are named as a Windows build named them, where case didn't matter: walk the path
// one component at a time and take a case-insensitive match where the exact one is missing.
std::string CCFileUtils::resolveCaseInsensitive(const std::string& path)
{
    if (pathExists(path))
    {
        return path;
    }
    std::string resolved = isAbsolutePath(path) ? "/" : "";
    size_t start = isAbsolutePath(path) ? 1 : 0;
    while (start <= path.size())
    {
        size_t slash = path.find('/', start);
        std::string component = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        start = slash == std::string::npos ? path.size() + 1 : slash + 1;
        if (component.empty())
        {
            continue;
        }
        std::string candidate = resolved + component;
        if (!pathExists(candidate))
        {
            DIR* dir = opendir(resolved.empty() ? "." : resolved.c_str());
            if (!dir)
            {
                return path;
            }
            std::string match;
            while (struct dirent* entry = readdir(dir))
            {
                if (strcasecmp(entry->d_name, component.c_str()) == 0)
                {
                    match = entry->d_name;
                    break;
                }
            }
            closedir(dir);
            if (match.empty())
            {
                return path;
            }
            candidate = resolved + match;
        }
        resolved = candidate;
        if (slash != std::string::npos)
        {
            resolved += '/';
        }
    }
    return resolved;
}

// A name with a ".." step, "\\" read as "/".
static bool climbs(const std::string& name)
{
    size_t start = 0;
    while (start <= name.size())
    {
        size_t end = name.find_first_of("/\\", start);
        if (end == std::string::npos)
        {
            end = name.size();
        }
        if (name.compare(start, end - start, "..") == 0 && end - start == 2)
        {
            return true;
        }
        start = end + 1;
    }
    return false;
}

bool CCFileUtils::isConfinedName(const std::string& name)
{
    return !name.empty() && name.find('\0') == std::string::npos && name[0] != '/' && name[0] != '\\' &&
           !climbs(name);
}

std::string CCFileUtils::fullPathForContentName(const std::string& name, const char* caller)
{
    if (!isConfinedName(name))
    {
        CCLog("ERROR: %s - '%s' is not a file of the game's resources; refused", caller ? caller : "?",
              name.c_str());
        return "";
    }
    return fullPathForFilename(name.c_str());
}

std::string CCFileUtils::fullPathForFilename(const char* pszFileName)
{
    if (!pszFileName || !*pszFileName)
    {
        return "";
    }
    std::string name = pszFileName;
    std::replace(name.begin(), name.end(), '\\', '/');
    if (!isAbsolutePath(name) && climbs(name))
    {
        CCLog("CCFileUtils::fullPathForFilename - '%s' climbs out of the resource folder; refused", pszFileName);
        return "";
    }
    std::string path = isAbsolutePath(name) ? name : m_resourceDirectory + name;
    return resolveCaseInsensitive(path);
}

const char* CCFileUtils::fullPathFromRelativePath(const char* pszRelativePath)
{
    m_lastFullPath = fullPathForFilename(pszRelativePath);
    return m_lastFullPath.c_str();
}

const char* CCFileUtils::fullPathFromRelativeFile(const char* pszFilename, const char* pszRelativeFile)
{
    std::string relative = pszRelativeFile ? pszRelativeFile : "";
    std::replace(relative.begin(), relative.end(), '\\', '/');
    size_t slash = relative.rfind('/');
    std::string folder = slash == std::string::npos ? "" : relative.substr(0, slash + 1);
    std::string name = folder + (pszFilename ? pszFilename : "");
    m_lastFullPath = isAbsolutePath(name) ? resolveCaseInsensitive(name) : fullPathForFilename(name.c_str());
    return m_lastFullPath.c_str();
}

unsigned char* CCFileUtils::getFileData(const char* pszFileName, const char* pszMode, unsigned long* pSize)
{
    if (pSize)
    {
        *pSize = 0;
    }
    if (!pszFileName || !*pszFileName)
    {
        return NULL;
    }
    std::string path = fullPathForFilename(pszFileName);
    FILE* fp = fopen(path.c_str(), "rb");
    if (!fp)
    {
        return NULL;
    }
    std::vector<unsigned char> bytes;
    unsigned char chunk[65536];
    size_t n;
    while ((n = fread(chunk, 1, sizeof(chunk), fp)) > 0)
    {
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    bool failed = ferror(fp) != 0;
    fclose(fp);
    if (failed)
    {
        CCLog("CCFileUtils::getFileData - error reading %s", path.c_str());
        return NULL;
    }

    bool textMode = pszMode && strchr(pszMode, 't') != NULL;
    if (textMode)
    {
        size_t out = 0;
        for (size_t i = 0; i < bytes.size(); ++i)
        {
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            {
                continue;
            }
            bytes[out++] = bytes[i];
        }
        bytes.resize(out);
    }

    // One spare zero byte: callers treat text buffers as C strings.
    unsigned char* buffer = new unsigned char[bytes.size() + 1];
    if (!bytes.empty())
    {
        memcpy(buffer, &bytes[0], bytes.size());
    }
    buffer[bytes.size()] = 0;
    if (pSize)
    {
        *pSize = (unsigned long)bytes.size();
    }
    return buffer;
}

void CCFileUtils::setWriteFaultForTesting(WriteFault fault)
{
    s_writeFault = fault;
}

void CCFileUtils::setOpenFaultForTesting(int error)
{
    s_openFault = error;
}

// The file whole, read through an open descriptor so what was checked is what is read.
static bool readWhole(int fd, size_t size, std::string& out)
{
    out.resize(size);
    size_t done = 0;
    while (done < size)
    {
        ssize_t n = read(fd, &out[done], size - done);
        if (n < 0 && errno == EINTR)
        {
            continue;
        }
        if (n <= 0)
        {
            return false;
        }
        done += (size_t)n;
    }
    return true;
}

CCFileUtils::SavedFileRead CCFileUtils::readSavedFile(const std::string& path, long maxSize, std::string* text,
                                                      std::string* reason)
{
    std::string why;
    int fd = s_openFault != 0 ? -1 : open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (s_openFault != 0)
    {
        errno = s_openFault;
    }
    if (fd < 0)
    {
        if (errno == ENOENT)
        {
            return kSavedFile_Missing;
        }
        why = strerror(errno);
    }
    else
    {
        struct stat st;
        if (fstat(fd, &st) != 0)
        {
            why = strerror(errno);
        }
        else if (S_ISDIR(st.st_mode))
        {
            why = "it is a folder";
        }
        else if (!S_ISREG(st.st_mode))
        {
            why = "it is not a plain file";
        }
        else if (st.st_size > maxSize)
        {
            char size[128];
            snprintf(size, sizeof(size), "%lld bytes, more than a save ever holds", (long long)st.st_size);
            why = size;
        }
        else if (!readWhole(fd, (size_t)st.st_size, *text))
        {
            why = "it could not be read whole";
        }
        close(fd);
    }
    if (why.empty())
    {
        return kSavedFile_Read;
    }
    text->clear();
    if (reason)
    {
        *reason = why;
    }
    return kSavedFile_Unreadable;
}

std::string CCFileUtils::unusedNameBeside(const std::string& path, const char* tag)
{
    std::string aside;
    for (int n = 0; n < 1000; ++n)
    {
        char suffix[96];
        snprintf(suffix, sizeof(suffix), n ? ".%s-%ld-%d" : ".%s-%ld", tag, (long)time(NULL), n);
        aside = path + suffix;
        if (access(aside.c_str(), F_OK) != 0)
        {
            break;
        }
    }
    return aside;
}

std::string CCFileUtils::setAsideSavedFile(const std::string& path, const char* tag)
{
    std::string aside = unusedNameBeside(path, tag);
    return rename(path.c_str(), aside.c_str()) == 0 ? aside : "";
}

static bool writeAll(int fd, const char* data, size_t size)
{
    if (s_writeFault == CCFileUtils::kWriteFault_DiskFull)
    {
        errno = ENOSPC;
        return false;
    }
    while (size > 0)
    {
        ssize_t n = write(fd, data, size);
        if (n < 0)
        {
            if (errno == EINTR)
            {
                continue;
            }
            return false;
        }
        data += n;
        size -= (size_t)n;
    }
    return true;
}

// The rename lives in the folder's own data: without this sync a power loss may undo it.
static bool syncFolderOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
    {
        return false;
    }
    bool ok = fsync(fd) == 0;
    int error = errno;
    close(fd);
    errno = error;
    return ok;
}

bool CCFileUtils::writeFileReplacing(const std::string& path, const void* data, size_t size)
{
    const std::string tempPath = path + ".tmp";
    int fd = open(tempPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
    {
        return false;
    }
    bool ok = writeAll(fd, (const char*)data, size) && fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (close(fd) != 0 && ok)
    {
        ok = false;
        error = errno;
    }
    if (ok && s_writeFault == kWriteFault_CrashBeforeRename)
    {
        errno = EINTR;
        return false;
    }
    if (ok && rename(tempPath.c_str(), path.c_str()) != 0)
    {
        ok = false;
        error = errno;
    }
    if (!ok)
    {
        unlink(tempPath.c_str());
        errno = error;
        return false;
    }
    if (!syncFolderOf(path))
    {
        // The new file is in place; only its survival of a power loss is in doubt.
        CCLog("CCFileUtils::writeFileReplacing - could not sync the folder of %s (%s)", path.c_str(), strerror(errno));
    }
    return true;
}

void CCFileUtils::setWritablePathAppName(const char* appName)
{
    m_writablePathAppName = appName ? appName : "";
}

static bool makeDirectories(const std::string& path)
{
    for (size_t i = 1; i <= path.size(); ++i)
    {
        if (i == path.size() || path[i] == '/')
        {
            std::string part = path.substr(0, i);
            if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST)
            {
                return false;
            }
        }
    }
    return true;
}

std::string CCFileUtils::getWritablePath()
{
    std::string base;
    const char* dataHome = getenv("XDG_DATA_HOME");
    if (dataHome && dataHome[0] == '/')
    {
        base = dataHome;
    }
    else
    {
        const char* home = getenv("HOME");
        base = std::string(home && *home ? home : "/tmp") + "/.local/share";
    }
    std::string path = base + "/" + m_writablePathAppName + "/";
    if (!makeDirectories(path))
    {
        CCLog("ERROR: Unable to create the writable folder %s (%s)", path.c_str(), strerror(errno));
    }
    return path;
}

NS_CC_END
