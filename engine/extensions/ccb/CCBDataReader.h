#ifndef __CCB_DATA_READER_H__
#define __CCB_DATA_READER_H__

#include "CCBFormat.h"

#include <string>
#include <vector>
#include <cstddef>

namespace cocos2d {
namespace extension {

/**
 * A bounds-checked cursor over .ccbi bytes: the format's bytes, Elias gamma integers, tagged
 * floats and cached strings. A read past the end or a malformed value sets a sticky failure
 * (with its reason and byte offset) and returns a zero value; no read ever leaves the buffer.
 */
class CCBDataReader
{
public:
    /** The buffer is not copied; it must outlive the reader. */
    CCBDataReader(const unsigned char* bytes, size_t size);
    CCBDataReader(const CCBDataReader& other);
    /** A look-ahead cursor at the other's position, sharing its string cache; it must not outlive it. */
    static CCBDataReader lookAhead(const CCBDataReader& other);
    /** Moves to where another cursor over the same buffer stands. */
    void seekTo(const CCBDataReader& other);

    unsigned char readByte();
    bool readBool();
    /** Unsigned integers are stored as n + 1; signed ones interleave (0, -1, 1, -2 ...). */
    int readInt(bool isSigned);
    float readFloat();
    /** A two-byte big-endian length and that many bytes. */
    std::string readUTF8();
    /** An index into the string cache read by readStringCache. */
    std::string readCachedString();
    /** Reads a count of following items; more items than bytes left is a failure. */
    int readCount(const char* what);

    /** The magic, version and script flag; fails on anything but version 5. */
    bool readHeader(bool* jsControlled);
    bool readStringCache();
    const std::vector<std::string>& getStringCache() const { return *m_pCache; }

    bool hasFailed() const { return m_failed; }
    const std::string& getFailureReason() const { return m_reason; }
    /** Marks the data malformed; the first reason is kept. */
    void fail(const std::string& reason);
    size_t getPosition() const { return m_byte; }
    size_t getSize() const { return m_size; }
    size_t bytesLeft() const { return m_byte < m_size ? m_size - m_byte : 0; }

private:
    CCBDataReader& operator=(const CCBDataReader&);
    bool readBit(bool* bit);
    void alignBits();

    const unsigned char* m_bytes;
    size_t m_size;
    size_t m_byte;
    int m_bit;
    bool m_failed;
    std::string m_reason;
    std::vector<std::string> m_strings;
    const std::vector<std::string>* m_pCache;  ///< m_strings, or the cache of the cursor looked ahead from
};

} // namespace extension
} // namespace cocos2d

#endif // __CCB_DATA_READER_H__
