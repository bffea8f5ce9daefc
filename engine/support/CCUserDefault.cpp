#include "CCUserDefault.h"

#include "CCFileUtils.h"
#include "labels/ccUTF8.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cctype>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

NS_CC_BEGIN

namespace
{
const char* kRootName = "userDefaultRoot";
const char* kEntryName = "entry";

CCUserDefault* s_sharedUserDefault = NULL;
CCUserDefault::FlushInterruptHook s_flushHook = NULL;
std::string s_filePath;

// XML 1.0 can carry only valid UTF-8 without most control characters; anything else is hex-coded.
bool isXmlSafe(const std::string& text)
{
    const unsigned char* s = (const unsigned char*)text.c_str();
    const size_t n = text.size();
    size_t i = 0;
    while (i < n)
    {
        const unsigned char c = s[i];
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r')
        {
            return false;
        }
        const int length = cc_utf8_sequence_length(c);
        if (length == 0)
        {
            return false;
        }
        const size_t extra = (size_t)length - 1;
        if (i + extra >= n)
        {
            return false;
        }
        for (size_t k = 1; k <= extra; ++k)
        {
            if ((s[i + k] & 0xC0) != 0x80)
            {
                return false;
            }
        }
        i += extra + 1;
    }
    return true;
}

std::string toHex(const std::string& text)
{
    static const char* digits = "0123456789abcdef";
    std::string out;
    out.reserve(text.size() * 2);
    for (size_t i = 0; i < text.size(); ++i)
    {
        unsigned char c = (unsigned char)text[i];
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

bool fromHex(const std::string& hex, std::string& out)
{
    if (hex.size() % 2)
    {
        return false;
    }
    std::string bytes;  // out may be hex itself
    bytes.reserve(hex.size() / 2);
    for (size_t i = 0; i < hex.size(); i += 2)
    {
        char pair[3] = { hex[i], hex[i + 1], 0 };
        char* end = NULL;
        long v = strtol(pair, &end, 16);
        if (*end || !isxdigit((unsigned char)pair[0]))
        {
            return false;
        }
        bytes += (char)v;
    }
    out.swap(bytes);
    return true;
}

std::string textOf(const xmlNode* element)
{
    std::string text;
    for (const xmlNode* child = element->children; child; child = child->next)
    {
        if ((child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE) && child->content)
        {
            text += (const char*)child->content;
        }
    }
    return text;
}

std::string attributeOf(const xmlNode* element, const char* name, bool* present)
{
    xmlChar* value = xmlGetProp(element, (const xmlChar*)name);
    *present = value != NULL;
    std::string result = value ? (const char*)value : "";
    xmlFree(value);
    return result;
}

bool writeAll(int fd, const char* data, size_t size)
{
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
} // namespace

CCUserDefault::CCUserDefault() : m_bDirty(false) {}

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
    if (s_sharedUserDefault && s_sharedUserDefault->m_bDirty)
    {
        s_sharedUserDefault->flush();
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

void CCUserDefault::setFlushInterruptHookForTesting(FlushInterruptHook hook)
{
    s_flushHook = hook;
}

// A name beside the file not taken yet: an earlier file kept aside is never overwritten.
static std::string asideName(const std::string& path, const char* tag)
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

std::string CCUserDefault::keepCopyAside(const char* tag)
{
    const std::string path = getXMLFilePath();
    unsigned long size = 0;
    unsigned char* data = CCFileUtils::sharedFileUtils()->getFileData(path.c_str(), "rb", &size);
    if (!data)
    {
        return "";
    }
    std::string aside = asideName(path, tag ? tag : "kept");
    FILE* out = fopen(aside.c_str(), "wb");
    bool written = out != NULL && fwrite(data, 1, size, out) == size;
    if (out != NULL && fclose(out) != 0)
    {
        written = false;
    }
    delete[] data;
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
    const std::string path = getXMLFilePath();
    unsigned long size = 0;
    unsigned char* data = CCFileUtils::sharedFileUtils()->getFileData(path.c_str(), "rb", &size);
    if (!data)
    {
        return;
    }

    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    xmlDocPtr doc = size > 0 ? xmlReadMemory((const char*)data, (int)size, path.c_str(), NULL, options) : NULL;
    delete[] data;
    const xmlNode* root = doc ? xmlDocGetRootElement(doc) : NULL;
    bool valid = root && strcmp((const char*)root->name, kRootName) == 0;
    std::map<std::string, std::string> values;
    for (const xmlNode* node = valid ? root->children : NULL; node && valid; node = node->next)
    {
        if (node->type != XML_ELEMENT_NODE)
        {
            continue;
        }
        bool hasKey = false;
        bool hasEncoding = false;
        bool hasKeyEncoding = false;
        std::string key = attributeOf(node, "key", &hasKey);
        std::string encoding = attributeOf(node, "enc", &hasEncoding);
        std::string keyEncoding = attributeOf(node, "keyenc", &hasKeyEncoding);
        std::string value = textOf(node);
        if (strcmp((const char*)node->name, kEntryName) != 0 || !hasKey)
        {
            valid = false;
        }
        else if ((hasEncoding && !fromHex(value, value)) || (hasKeyEncoding && !fromHex(key, key)))
        {
            valid = false;
        }
        else
        {
            values[key] = value;
        }
    }
    if (doc)
    {
        xmlFreeDoc(doc);
    }

    if (!valid)
    {
        // Keep the player's file for inspection instead of overwriting it, then start empty.
        std::string aside = asideName(path, "corrupt");
        if (rename(path.c_str(), aside.c_str()) == 0)
        {
            CCLog("ERROR: The saved settings file %s could not be read; it was kept as %s and the game starts "
                  "with fresh settings.", path.c_str(), aside.c_str());
        }
        else
        {
            CCLog("ERROR: The saved settings file %s could not be read nor moved aside (%s); starting with fresh "
                  "settings.", path.c_str(), strerror(errno));
        }
        return;
    }
    m_values.swap(values);
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
    xmlDocPtr doc = xmlNewDoc((const xmlChar*)"1.0");
    xmlNodePtr root = xmlNewNode(NULL, (const xmlChar*)kRootName);
    xmlDocSetRootElement(doc, root);
    for (std::map<std::string, std::string>::const_iterator it = m_values.begin(); it != m_values.end(); ++it)
    {
        bool plain = isXmlSafe(it->second);
        bool plainKey = isXmlSafe(it->first);
        xmlNodePtr entry = xmlNewChild(root, NULL, (const xmlChar*)kEntryName, NULL);
        xmlNewProp(entry, (const xmlChar*)"key", (const xmlChar*)(plainKey ? it->first : toHex(it->first)).c_str());
        if (!plainKey)
        {
            xmlNewProp(entry, (const xmlChar*)"keyenc", (const xmlChar*)"hex");
        }
        if (!plain)
        {
            xmlNewProp(entry, (const xmlChar*)"enc", (const xmlChar*)"hex");
        }
        // Text content, not an attribute: libxml2 escapes it and newlines survive the round trip.
        xmlNodeAddContent(entry, (const xmlChar*)(plain ? it->second : toHex(it->second)).c_str());
    }
    xmlChar* buffer = NULL;
    int size = 0;
    xmlDocDumpFormatMemoryEnc(doc, &buffer, &size, "UTF-8", 1);
    xmlFreeDoc(doc);

    const std::string path = getXMLFilePath();
    const std::string tempPath = path + ".tmp";
    bool ok = false;
    int fd = open(tempPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0)
    {
        ok = writeAll(fd, (const char*)buffer, (size_t)size) && fsync(fd) == 0;
        ok = close(fd) == 0 && ok;
    }
    xmlFree(buffer);
    if (!ok)
    {
        CCLog("ERROR: Unable to write the saved settings to %s (%s)", tempPath.c_str(), strerror(errno));
        unlink(tempPath.c_str());
        return false;
    }
    if (s_flushHook && !s_flushHook())
    {
        return false;
    }
    if (rename(tempPath.c_str(), path.c_str()) != 0)
    {
        CCLog("ERROR: Unable to replace the saved settings file %s (%s)", path.c_str(), strerror(errno));
        unlink(tempPath.c_str());
        return false;
    }
    m_bDirty = false;
    return true;
}

NS_CC_END
