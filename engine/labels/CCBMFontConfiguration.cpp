#include "labels/CCBMFontConfiguration.h"

#include "base/CCConsole.h"
#include "support/CCFileUtils.h"

#include <cstdlib>
#include <sstream>

NS_CC_BEGIN

namespace
{
typedef std::map<std::string, std::string> Fields;

// "tag key=value key="quoted value" ..." into the tag and its fields.
std::string splitFields(const std::string& line, Fields& fields)
{
    size_t i = 0;
    const size_t n = line.size();
    while (i < n && (line[i] == ' ' || line[i] == '\t')) ++i;
    size_t start = i;
    while (i < n && line[i] != ' ' && line[i] != '\t') ++i;
    const std::string tag = line.substr(start, i - start);
    while (i < n)
    {
        while (i < n && (line[i] == ' ' || line[i] == '\t')) ++i;
        start = i;
        while (i < n && line[i] != '=' && line[i] != ' ' && line[i] != '\t') ++i;
        const std::string key = line.substr(start, i - start);
        if (i >= n || line[i] != '=')
        {
            continue;
        }
        ++i;
        std::string value;
        if (i < n && line[i] == '"')
        {
            const size_t close = line.find('"', i + 1);
            const size_t end = close == std::string::npos ? n : close;
            value = line.substr(i + 1, end - i - 1);
            i = close == std::string::npos ? n : close + 1;
        }
        else
        {
            start = i;
            while (i < n && line[i] != ' ' && line[i] != '\t') ++i;
            value = line.substr(start, i - start);
        }
        if (!key.empty())
        {
            fields[key] = value;
        }
    }
    return tag;
}

// A field as an integer; false when missing or not a number.
bool intField(const Fields& fields, const char* key, long& out)
{
    Fields::const_iterator it = fields.find(key);
    if (it == fields.end() || it->second.empty())
    {
        return false;
    }
    char* end = NULL;
    out = strtol(it->second.c_str(), &end, 10);
    return end && *end == '\0';
}

long intOr(const Fields& fields, const char* key, long fallback)
{
    long v = 0;
    return intField(fields, key, v) ? v : fallback;
}

unsigned long long pairKey(unsigned int first, unsigned int second)
{
    return ((unsigned long long)first << 32) | second;
}

// Releases what is still cached when the program ends.
struct ConfigCache
{
    std::map<std::string, CCBMFontConfiguration*> entries;
    ~ConfigCache()
    {
        for (std::map<std::string, CCBMFontConfiguration*>::iterator it = entries.begin(); it != entries.end(); ++it)
        {
            it->second->release();
        }
    }
};

std::map<std::string, CCBMFontConfiguration*>& configCache()
{
    static ConfigCache cache;
    return cache.entries;
}
} // namespace

CCBMFontConfiguration::CCBMFontConfiguration()
: m_nCommonHeight(0)
, m_nBase(0)
, m_nScaleW(0)
, m_nScaleH(0)
, m_bHasCommon(false)
, m_nDeclaredChars(-1)
, m_nCharLines(0)
{
    m_tPadding.left = m_tPadding.top = m_tPadding.right = m_tPadding.bottom = 0;
}

CCBMFontConfiguration::~CCBMFontConfiguration()
{
}

CCBMFontConfiguration* CCBMFontConfiguration::create(const char* fntFile)
{
    CCBMFontConfiguration* pRet = new CCBMFontConfiguration();
    if (pRet->initWithFNTfile(fntFile))
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

bool CCBMFontConfiguration::initWithFNTfile(const char* fntFile)
{
    if (!fntFile || !*fntFile)
    {
        CCLog("ERROR: CCBMFontConfiguration - no font file named");
        return false;
    }
    const std::string fullPath = CCFileUtils::sharedFileUtils()->fullPathForFilename(fntFile);
    unsigned long size = 0;
    unsigned char* data = CCFileUtils::sharedFileUtils()->getFileData(fullPath.c_str(), "rt", &size);
    if (!data)
    {
        CCLog("ERROR: CCBMFontConfiguration - can't read font file '%s'", fntFile);
        return false;
    }
    const std::string contents((const char*)data, size);
    delete[] data;
    return initWithString(contents, fullPath);
}

bool CCBMFontConfiguration::initWithString(const std::string& contents, const std::string& fntPath)
{
    m_sFntPath = fntPath;
    std::istringstream in(contents);
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line))
    {
        ++lineNumber;
        if (!line.empty() && line[line.size() - 1] == '\r')
        {
            line.erase(line.size() - 1);
        }
        if (!parseLine(line, lineNumber))
        {
            return false;
        }
    }
    if (!m_bHasCommon || m_sAtlasName.empty())
    {
        CCLog("ERROR: CCBMFontConfiguration - '%s' lacks its common or page line", fntPath.c_str());
        return false;
    }
    // A file cut short still draws what it has, but the missing glyphs must not go unnoticed.
    if (m_nDeclaredChars > m_nCharLines)
    {
        CCLog("ERROR: CCBMFontConfiguration - '%s' holds %ld of its %ld glyphs (cut short?)", fntPath.c_str(),
              m_nCharLines, m_nDeclaredChars);
    }
    return true;
}

bool CCBMFontConfiguration::parseLine(const std::string& line, int lineNumber)
{
    Fields f;
    const std::string tag = splitFields(line, f);
    if (tag == "info")
    {
        // padding=top,right,bottom,left
        Fields::const_iterator it = f.find("padding");
        if (it != f.end())
        {
            sscanf(it->second.c_str(), "%d,%d,%d,%d", &m_tPadding.top, &m_tPadding.right,
                   &m_tPadding.bottom, &m_tPadding.left);
        }
    }
    else if (tag == "common")
    {
        long lineHeight = 0;
        if (!intField(f, "lineHeight", lineHeight) || lineHeight <= 0)
        {
            CCLog("ERROR: CCBMFontConfiguration - '%s' line %d: no usable lineHeight", m_sFntPath.c_str(), lineNumber);
            return false;
        }
        m_nCommonHeight = (int)lineHeight;
        m_nBase = (int)intOr(f, "base", 0);
        m_nScaleW = (int)intOr(f, "scaleW", 0);
        m_nScaleH = (int)intOr(f, "scaleH", 0);
        if (intOr(f, "pages", 1) > 1)
        {
            CCLog("CCBMFontConfiguration - '%s' has several pages; only page 0 is drawn", m_sFntPath.c_str());
        }
        m_bHasCommon = true;
    }
    else if (tag == "page")
    {
        Fields::const_iterator file = f.find("file");
        if (intOr(f, "id", -1) == 0 && file != f.end() && !file->second.empty())
        {
            m_sAtlasName = CCFileUtils::sharedFileUtils()->fullPathFromRelativeFile(file->second.c_str(), m_sFntPath.c_str());
        }
    }
    else if (tag == "chars")
    {
        m_nDeclaredChars = intOr(f, "count", -1);
    }
    else if (tag == "char")
    {
        long id = 0, x = 0, y = 0, w = 0, h = 0;
        if (!intField(f, "id", id) || !intField(f, "x", x) || !intField(f, "y", y) || !intField(f, "width", w)
            || !intField(f, "height", h) || id < 0 || w < 0 || h < 0)
        {
            CCLog("ERROR: CCBMFontConfiguration - '%s' line %d: malformed char skipped", m_sFntPath.c_str(), lineNumber);
            return true;
        }
        ++m_nCharLines;
        if (intOr(f, "page", 0) != 0)
        {
            CCLog("CCBMFontConfiguration - '%s' line %d: glyph %ld on another page skipped", m_sFntPath.c_str(), lineNumber, id);
            return true;
        }
        ccBMFontDef def;
        def.charID = (unsigned int)id;
        def.rect = CCRectMake((float)x, (float)y, (float)w, (float)h);
        def.xOffset = (short)intOr(f, "xoffset", 0);
        def.yOffset = (short)intOr(f, "yoffset", 0);
        def.xAdvance = (short)intOr(f, "xadvance", 0);
        m_glyphs[def.charID] = def;
    }
    else if (tag == "kerning")
    {
        long first = 0, second = 0, amount = 0;
        if (intField(f, "first", first) && intField(f, "second", second) && intField(f, "amount", amount)
            && first >= 0 && second >= 0)
        {
            m_kerning[pairKey((unsigned int)first, (unsigned int)second)] = (int)amount;
        }
    }
    return true;
}

const ccBMFontDef* CCBMFontConfiguration::glyph(unsigned int charID) const
{
    std::map<unsigned int, ccBMFontDef>::const_iterator it = m_glyphs.find(charID);
    return it == m_glyphs.end() ? NULL : &it->second;
}

int CCBMFontConfiguration::kerningAmount(unsigned int first, unsigned int second) const
{
    std::map<unsigned long long, int>::const_iterator it = m_kerning.find(pairKey(first, second));
    return it == m_kerning.end() ? 0 : it->second;
}

CCBMFontConfiguration* FNTConfigLoadFile(const char* fntFile)
{
    if (!fntFile || !*fntFile)
    {
        return NULL;
    }
    const std::string key = CCFileUtils::sharedFileUtils()->fullPathForFilename(fntFile);
    std::map<std::string, CCBMFontConfiguration*>& cache = configCache();
    std::map<std::string, CCBMFontConfiguration*>::iterator it = cache.find(key);
    if (it != cache.end())
    {
        return it->second;
    }
    CCBMFontConfiguration* config = new CCBMFontConfiguration();
    if (!config->initWithFNTfile(fntFile))
    {
        delete config;
        return NULL;
    }
    cache[key] = config;
    return config;
}

void FNTConfigRemoveCache(void)
{
    std::map<std::string, CCBMFontConfiguration*>& cache = configCache();
    for (std::map<std::string, CCBMFontConfiguration*>::iterator it = cache.begin(); it != cache.end(); ++it)
    {
        it->second->release();
    }
    cache.clear();
}

NS_CC_END
