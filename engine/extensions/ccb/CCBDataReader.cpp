#include "CCBDataReader.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace cocos2d {
namespace extension {

CCBDataReader::CCBDataReader(const unsigned char* bytes, size_t size)
    : m_bytes(bytes), m_size(bytes ? size : 0), m_byte(0), m_bit(0), m_failed(false), m_pCache(&m_strings)
{
}

CCBDataReader::CCBDataReader(const CCBDataReader& other)
    : m_bytes(other.m_bytes), m_size(other.m_size), m_byte(other.m_byte), m_bit(other.m_bit),
      m_failed(other.m_failed), m_reason(other.m_reason), m_strings(other.m_strings),
      m_pCache(other.m_pCache == &other.m_strings ? &m_strings : other.m_pCache)
{
}

CCBDataReader CCBDataReader::lookAhead(const CCBDataReader& other)
{
    CCBDataReader ahead(other.m_bytes, other.m_size);
    ahead.m_byte = other.m_byte;
    ahead.m_bit = other.m_bit;
    ahead.m_failed = other.m_failed;
    ahead.m_reason = other.m_reason;
    ahead.m_pCache = other.m_pCache;
    return ahead;
}

void CCBDataReader::seekTo(const CCBDataReader& other)
{
    if (m_failed) return;
    m_byte = other.m_byte;
    m_bit = other.m_bit;
    if (other.m_failed) fail(other.m_reason);
}

void CCBDataReader::fail(const std::string& reason)
{
    if (m_failed) return;
    m_failed = true;
    char where[64];
    std::snprintf(where, sizeof(where), " at byte %lu", (unsigned long)m_byte);
    m_reason = reason + where;
}

bool CCBDataReader::readBit(bool* bit)
{
    if (m_failed) return false;
    if (m_byte >= m_size)
    {
        fail("unexpected end of data");
        return false;
    }
    *bit = ((m_bytes[m_byte] >> m_bit) & 1) != 0;
    if (++m_bit == 8)
    {
        m_bit = 0;
        ++m_byte;
    }
    return true;
}

void CCBDataReader::alignBits()
{
    if (m_bit != 0)
    {
        m_bit = 0;
        ++m_byte;
    }
}

unsigned char CCBDataReader::readByte()
{
    alignBits();
    if (m_failed) return 0;
    if (m_byte >= m_size)
    {
        fail("unexpected end of data");
        return 0;
    }
    return m_bytes[m_byte++];
}

bool CCBDataReader::readBool()
{
    return readByte() != 0;
}

int CCBDataReader::readInt(bool isSigned)
{
    alignBits();
    int leadingZeros = 0;
    bool bit = false;
    for (;;)
    {
        if (!readBit(&bit)) return 0;
        if (bit) break;
        if (++leadingZeros > 32)
        {
            fail("integer too large");
            return 0;
        }
    }
    unsigned long long code = 1;
    for (int i = 0; i < leadingZeros; ++i)
    {
        if (!readBit(&bit)) return 0;
        code = (code << 1) | (bit ? 1u : 0u);
    }
    alignBits();

    long long value;
    if (isSigned)
    {
        value = (code & 1) ? (long long)(code / 2) : -(long long)(code / 2);
    }
    else
    {
        value = (long long)code - 1;
    }
    if (value > INT_MAX || value < INT_MIN)
    {
        fail("integer too large");
        return 0;
    }
    return (int)value;
}

float CCBDataReader::readFloat()
{
    unsigned char kind = readByte();
    if (m_failed) return 0;
    switch (kind)
    {
    case kCCBFloat0: return 0.0f;
    case kCCBFloat1: return 1.0f;
    case kCCBFloatMinus1: return -1.0f;
    case kCCBFloat05: return 0.5f;
    case kCCBFloatInteger: return (float)readInt(true);
    case kCCBFloatFull:
    {
        if (bytesLeft() < 4)
        {
            fail("unexpected end of data");
            return 0;
        }
        // The format stores little-endian IEEE floats; so does every host this game runs on.
        float value;
        std::memcpy(&value, m_bytes + m_byte, 4);
        m_byte += 4;
        if (!std::isfinite(value))
        {
            fail("float is not finite");
            return 0;
        }
        return value;
    }
    default:
        fail("unknown float kind");
        return 0;
    }
}

std::string CCBDataReader::readUTF8()
{
    int high = readByte();
    int low = readByte();
    size_t length = (size_t)((high << 8) | low);
    if (m_failed) return std::string();
    if (bytesLeft() < length)
    {
        fail("string runs past the end of data");
        return std::string();
    }
    std::string text(reinterpret_cast<const char*>(m_bytes + m_byte), length);
    m_byte += length;
    return text;
}

std::string CCBDataReader::readCachedString()
{
    int index = readInt(false);
    if (m_failed) return std::string();
    if (index < 0 || (size_t)index >= m_pCache->size())
    {
        fail("string index out of range");
        return std::string();
    }
    return (*m_pCache)[(size_t)index];
}

int CCBDataReader::readCount(const char* what)
{
    int count = readInt(false);
    if (m_failed) return 0;
    if ((size_t)count > bytesLeft())
    {
        fail(std::string("too many ") + what);
        return 0;
    }
    return count;
}

bool CCBDataReader::readHeader(bool* jsControlled)
{
    if (m_size < 4 || std::memcmp(m_bytes, kCCBMagic, 4) != 0)
    {
        fail("not a .ccbi file");
        return false;
    }
    m_byte = 4;
    int version = readInt(false);
    if (!m_failed && version != kCCBVersion)
    {
        char reason[64];
        std::snprintf(reason, sizeof(reason), "unsupported version %d (expected %d)", version, (int)kCCBVersion);
        fail(reason);
        return false;
    }
    bool js = readBool();
    if (jsControlled) *jsControlled = js;
    return !m_failed;
}

bool CCBDataReader::readStringCache()
{
    int count = readCount("strings");
    m_strings.clear();
    for (int i = 0; i < count && !m_failed; ++i)
    {
        m_strings.push_back(readUTF8());
    }
    return !m_failed;
}

} // namespace extension
} // namespace cocos2d
