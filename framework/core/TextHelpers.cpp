#include "TextHelpers.h"

#include "CCFileUtils.h"
#include "CCString.h"

#include <cstring>
#include <sstream>

NS_CC_BEGIN

char* readTextFile(const char* fileName)
{
    unsigned long size = 0;
    unsigned char* data = NULL;
    if (fileName != NULL)
    {
        CCFileUtils* fileUtils = CCFileUtils::sharedFileUtils();
        std::string fullPath = fileUtils->fullPathFromRelativePath(fileName);
        data = fileUtils->getFileData(fullPath.c_str(), "rt", &size);
    }
    if (data == NULL)
    {
        size = 0;
    }
    char* text = new char[size + 1];
    if (size > 0)
    {
        memcpy(text, data, size);
    }
    text[size] = '\0';
    delete[] data;
    return text;
}

CCArray* splitLines(const char* text)
{
    CCArray* lines = CCArray::create();
    if (text == NULL)
    {
        return lines;
    }
    size_t length = strlen(text);
    bool quoted = false;
    size_t start = 0;
    for (size_t i = 0; i < length; ++i)
    {
        char c = text[i];
        if (c == '"')
        {
            quoted = !quoted;
        }
        else if (c == '\n' && (!quoted || i == length - 1))
        {
            lines->addObject(CCString::create(std::string(text + start, i - start)));
            start = i + 1;
        }
    }
    if (start < length)
    {
        lines->addObject(CCString::create(std::string(text + start, length - start)));
    }
    return lines;
}

CCArray* splitCSVLine(const char* line, bool removeQuotedCommas)
{
    CCArray* fields = CCArray::create();
    if (line == NULL || *line == '\0')
    {
        return fields;
    }
    std::string field;
    bool quoted = false;
    bool endedOnSeparator = false;
    for (const char* p = line; *p != '\0'; ++p)
    {
        endedOnSeparator = false;
        if (p[0] == '"' && p[1] == '"')
        {
            field += '"';
            ++p;
        }
        else if (p[0] == '"')
        {
            quoted = !quoted;
        }
        else if (p[0] == ',' && !quoted)
        {
            fields->addObject(CCString::create(field));
            field.clear();
            endedOnSeparator = true;
        }
        else if (p[0] == ',')
        {
            if (!removeQuotedCommas)
            {
                field += ',';
            }
        }
        else
        {
            field += p[0];
        }
    }
    if (!endedOnSeparator)
    {
        fields->addObject(CCString::create(field));
    }
    return fields;
}

void replaceAll(std::string& text, const std::string& search, const std::string& replacement)
{
    // An empty search text matches everywhere and would never end.
    if (search.empty())
    {
        return;
    }
    size_t position = text.find(search);
    while (position != std::string::npos)
    {
        text.replace(position, search.length(), replacement);
        position = text.find(search, position + replacement.length());
    }
}

void replaceAllWithInt(std::string& text, const std::string& search, int value)
{
    std::ostringstream number;
    number << value;
    replaceAll(text, search, number.str());
}

std::string formatNumberWithCommas(int value)
{
    long long magnitude = value;
    bool negative = magnitude < 0;
    if (negative)
    {
        magnitude = -magnitude;
    }
    std::ostringstream stream;
    stream << magnitude;
    std::string digits = stream.str();
    for (int i = (int)digits.length() - 3; i > 0; i -= 3)
    {
        digits.insert((size_t)i, 1, ',');
    }
    return negative ? "-" + digits : digits;
}

NS_CC_END
