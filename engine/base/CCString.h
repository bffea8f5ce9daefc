#ifndef __CC_STRING_H__
#define __CC_STRING_H__

#include "CCObject.h"

#include <string>

NS_CC_BEGIN

class CCArray;

/** A string object: every plist scalar arrives as one. */
class CCString : public CCObject
{
public:
    CCString();
    CCString(const char* str);
    CCString(const std::string& str);
    CCString(const CCString& str);
    CCString& operator=(const CCString& other);

    static CCString* create(const std::string& str);
    static CCString* createWithFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
    static CCString* createWithData(const unsigned char* pData, unsigned long nLen);
    static CCString* createWithContentsOfFile(const char* pszFileName);

    const char* getCString() const { return m_sString.c_str(); }
    unsigned int length() const { return (unsigned int)m_sString.length(); }
    int compare(const char* str) const { return m_sString.compare(str); }

    /** atoi semantics: "0.5" gives 0, "" gives 0. */
    int intValue() const;
    unsigned int uintValue() const;
    float floatValue() const;
    double doubleValue() const;
    /** False for "", "0" and "false"; true otherwise. */
    bool boolValue() const;

    /** Splits on a separator; empty parts are kept. */
    CCArray* componentsSeparatedByString(const char* delimiter);

    virtual CCObject* copy();
    virtual bool isEqual(const CCObject* pObject);

    std::string m_sString;
};

struct CCStringCompare
{
    bool operator()(CCString* a, CCString* b) const { return a->m_sString.compare(b->m_sString) < 0; }
};

#define CCStringMake(str) ::cocos2d::CCString::create(str)
#define ccs CCStringMake

NS_CC_END

#endif // __CC_STRING_H__
