#include "sprites/CCNS.h"

#include <cstdlib>
#include <cstring>

NS_CC_BEGIN

namespace
{
// Reads exactly `count` numbers from a brace-and-comma string; false when the shape is wrong.
bool readNumbers(const char* text, float* out, int count)
{
    if (!text)
    {
        return false;
    }
    int found = 0;
    const char* p = text;
    while (*p)
    {
        if (*p == '{' || *p == '}' || *p == ',' || *p == ' ' || *p == '\t')
        {
            ++p;
            continue;
        }
        char* end = NULL;
        float value = strtof(p, &end);
        if (end == p || found == count)
        {
            return false;
        }
        out[found++] = value;
        p = end;
    }
    return found == count;
}
} // namespace

CCRect CCRectFromString(const char* pszContent)
{
    float v[4];
    if (!readNumbers(pszContent, v, 4))
    {
        return CCRectZero;
    }
    return CCRect(v[0], v[1], v[2], v[3]);
}

CCPoint CCPointFromString(const char* pszContent)
{
    float v[2];
    if (!readNumbers(pszContent, v, 2))
    {
        return CCPointZero;
    }
    return CCPoint(v[0], v[1]);
}

CCSize CCSizeFromString(const char* pszContent)
{
    float v[2];
    if (!readNumbers(pszContent, v, 2))
    {
        return CCSizeZero;
    }
    return CCSize(v[0], v[1]);
}

NS_CC_END
