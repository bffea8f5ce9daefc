#include "particles/ccParticleImageData.h"

#include <zlib.h>

NS_CC_BEGIN

namespace
{
int base64Value(unsigned char c)
{
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

bool inflateAll(const std::vector<unsigned char>& in, std::vector<unsigned char>& out, size_t maxBytes)
{
    z_stream zs = z_stream();
    // 15 + 32: accept both gzip and zlib headers.
    if (inflateInit2(&zs, 15 + 32) != Z_OK)
    {
        return false;
    }
    zs.next_in = const_cast<Bytef*>(in.data());
    zs.avail_in = (uInt)in.size();
    out.clear();
    unsigned char chunk[16384];
    int rc = Z_OK;
    while (rc == Z_OK)
    {
        zs.next_out = chunk;
        zs.avail_out = sizeof(chunk);
        rc = inflate(&zs, Z_NO_FLUSH);
        if (rc != Z_OK && rc != Z_STREAM_END)
        {
            break;
        }
        out.insert(out.end(), chunk, chunk + (sizeof(chunk) - zs.avail_out));
        if (out.size() > maxBytes)
        {
            rc = Z_MEM_ERROR;
            break;
        }
        if (rc == Z_OK && zs.avail_in == 0 && zs.avail_out != 0)
        {
            rc = Z_DATA_ERROR;   // truncated stream
        }
    }
    inflateEnd(&zs);
    return rc == Z_STREAM_END;
}
} // namespace

bool ccBase64Decode(const std::string& text, std::vector<unsigned char>& out)
{
    out.clear();
    unsigned int buffer = 0;
    int bits = 0;
    int padding = 0;
    for (size_t i = 0; i < text.size(); ++i)
    {
        const unsigned char c = (unsigned char)text[i];
        if (c == ' ' || c == '\n' || c == '\r' || c == '\t')
        {
            continue;
        }
        if (c == '=')
        {
            ++padding;
            continue;
        }
        const int v = base64Value(c);
        if (v < 0 || padding)
        {
            return false;
        }
        buffer = (buffer << 6) | (unsigned int)v;
        bits += 6;
        if (bits >= 8)
        {
            bits -= 8;
            out.push_back((unsigned char)((buffer >> bits) & 0xFF));
        }
    }
    return bits < 6 && padding <= 2;
}

bool ccDecodeEmbeddedImage(const std::string& base64, std::vector<unsigned char>& out, size_t maxBytes)
{
    std::vector<unsigned char> raw;
    if (!ccBase64Decode(base64, raw) || raw.empty())
    {
        return false;
    }
    const bool gzip = raw.size() > 2 && raw[0] == 0x1F && raw[1] == 0x8B;
    const bool zlib = raw.size() > 2 && (raw[0] & 0x0F) == 8 && ((raw[0] << 8) | raw[1]) % 31 == 0;
    if (!gzip && !zlib)
    {
        out.swap(raw);
        return true;
    }
    return inflateAll(raw, out, maxBytes);
}

NS_CC_END
