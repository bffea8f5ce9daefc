#include "CCString.h"

#include "CCArray.h"
#include "../support/CCFileUtils.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

NS_CC_BEGIN

CCString::CCString() {}
CCString::CCString(const char* str) : m_sString(str ? str : "") {}
CCString::CCString(const std::string& str) : m_sString(str) {}
CCString::CCString(const CCString& str) : CCObject(), m_sString(str.m_sString) {}

CCString& CCString::operator=(const CCString& other)
{
    m_sString = other.m_sString;
    return *this;
}

CCString* CCString::create(const std::string& str)
{
    CCString* pRet = new CCString(str);
    pRet->autorelease();
    return pRet;
}

CCString* CCString::createWithFormat(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int needed = vsnprintf(NULL, 0, format, args);
    va_end(args);
    std::string text;
    if (needed > 0)
    {
        text.resize(needed + 1);
        vsnprintf(&text[0], needed + 1, format, copy);
        text.resize(needed);
    }
    va_end(copy);
    return create(text);
}

CCString* CCString::createWithData(const unsigned char* pData, unsigned long nLen)
{
    return create(pData ? std::string((const char*)pData, nLen) : std::string());
}

CCString* CCString::createWithContentsOfFile(const char* pszFileName)
{
    unsigned long size = 0;
    unsigned char* data = CCFileUtils::sharedFileUtils()->getFileData(pszFileName, "rb", &size);
    if (!data)
    {
        return NULL;
    }
    CCString* pRet = createWithData(data, size);
    delete[] data;
    return pRet;
}

int CCString::intValue() const
{
    return atoi(m_sString.c_str());
}

unsigned int CCString::uintValue() const
{
    return (unsigned int)atoi(m_sString.c_str());
}

float CCString::floatValue() const
{
    return (float)atof(m_sString.c_str());
}

double CCString::doubleValue() const
{
    return atof(m_sString.c_str());
}

bool CCString::boolValue() const
{
    if (m_sString.empty())
    {
        return false;
    }
    return m_sString != "0" && m_sString != "false";
}

CCArray* CCString::componentsSeparatedByString(const char* delimiter)
{
    CCArray* result = CCArray::create();
    std::string delim = delimiter ? delimiter : "";
    if (delim.empty())
    {
        result->addObject(CCString::create(m_sString));
        return result;
    }
    size_t start = 0;
    for (;;)
    {
        size_t found = m_sString.find(delim, start);
        if (found == std::string::npos)
        {
            result->addObject(CCString::create(m_sString.substr(start)));
            break;
        }
        result->addObject(CCString::create(m_sString.substr(start, found - start)));
        start = found + delim.length();
    }
    return result;
}

CCObject* CCString::copy()
{
    return new CCString(m_sString);
}

bool CCString::isEqual(const CCObject* pObject)
{
    const CCString* other = dynamic_cast<const CCString*>(pObject);
    return other && other->m_sString == m_sString;
}

NS_CC_END
