// libFuzzer entry: the line and CSV splitters and the locale table loader take any text without a
// crash, a leak or a lost byte.
#include "FuzzQuiet.h"
#include "LocaleManager.h"
#include "SetupManager.h"
#include "TextHelpers.h"
#include "cocos2d.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

USING_NS_CC;

namespace
{
std::string s_tablePath;
SetupManager* s_setup = NULL;

size_t totalLength(CCArray* strings)
{
    size_t total = 0;
    CCObject* item = NULL;
    CCARRAY_FOREACH(strings, item)
    {
        total += static_cast<CCString*>(item)->m_sString.size();
    }
    return total;
}

void checkSplitLines(const std::string& text)
{
    CCArray* lines = splitLines(text.c_str());
    size_t length = strlen(text.c_str());
    size_t count = lines->count();
    // Only the line feeds that end a line are dropped, nothing else.
    size_t dropped = count == 0 ? 0 : (text[length - 1] == '\n' ? count : count - 1);
    if (totalLength(lines) + dropped != length) abort();

    CCObject* item = NULL;
    CCARRAY_FOREACH(lines, item)
    {
        const char* line = static_cast<CCString*>(item)->getCString();
        splitCSVLine(line, false);
        CCArray* fields = splitCSVLine(line, true);
        if (totalLength(fields) > strlen(line)) abort();  // fields only ever shrink the row
    }
}

void loadLocaleTable(const uint8_t* data, size_t size)
{
    FILE* file = fopen(s_tablePath.c_str(), "wb");
    if (!file) abort();
    if (size > 0 && fwrite(data, 1, size, file) != size) abort();
    fclose(file);
    LocaleManager* locale = LocaleManager::create();
    if (!locale) abort();
    CCDictionary* table = locale->getCurrentTable();
    CCDictElement* element = NULL;
    CCDICT_FOREACH(table, element)
    {
        locale->localize(element->getStrKey());
    }
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzQuietLog();
    char path[] = "/tmp/vorn-locale-fuzz-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0) abort();
    close(fd);
    s_tablePath = path;
    atexit([] { unlink(s_tablePath.c_str()); });

    // A setup list naming the one table each input is written to.
    CCArray* files = new CCArray();
    files->addObject(CCString::create(s_tablePath));
    CCDictionary* dict = new CCDictionary();
    dict->setObject(files, "LocaleDictionaries");
    s_setup = new SetupManager();
    s_setup->setSetupDictionary(dict);
    files->release();
    dict->release();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CCScopedAutoreleasePool pool;
    checkSplitLines(std::string((const char*)data, size));
    loadLocaleTable(data, size);
    return 0;
}
