#include "PngFile.h"

#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace vorntool
{
namespace
{
void put32(std::string& s, uint32_t v)
{
    s.push_back((char)(v >> 24));
    s.push_back((char)(v >> 16));
    s.push_back((char)(v >> 8));
    s.push_back((char)v);
}

void chunk(std::string& out, const char* type, const std::string& data)
{
    put32(out, (uint32_t)data.size());
    std::string body(type, 4);
    body += data;
    out += body;
    put32(out, (uint32_t)crc32(0, (const Bytef*)body.data(), (uInt)body.size()));
}

uint32_t get32(const unsigned char* p)
{
    return ((uint32_t)p[0] << 24) | ((uint32_t)p[1] << 16) | ((uint32_t)p[2] << 8) | p[3];
}

int paeth(int a, int b, int c)
{
    int p = a + b - c, pa = abs(p - a), pb = abs(p - b), pc = abs(p - c);
    if (pa <= pb && pa <= pc)
        return a;
    return pb <= pc ? b : c;
}
} // namespace

bool writePng(const Image& image, const std::string& path)
{
    const int w = image.width(), h = image.height();
    std::string raw;
    raw.reserve((size_t)h * (w * 4 + 1));
    const std::vector<uint8_t>& px = image.pixels();
    for (int y = 0; y < h; ++y)
    {
        raw.push_back(0);
        raw.append((const char*)&px[(size_t)y * w * 4], (size_t)w * 4);
    }
    uLongf packedSize = compressBound((uLong)raw.size());
    std::string packed(packedSize, '\0');
    if (compress2((Bytef*)&packed[0], &packedSize, (const Bytef*)raw.data(), (uLong)raw.size(), 9) != Z_OK)
    {
        fprintf(stderr, "ERROR: can't compress %s\n", path.c_str());
        return false;
    }
    packed.resize(packedSize);

    std::string out("\x89PNG\r\n\x1a\n", 8);
    std::string ihdr;
    put32(ihdr, (uint32_t)w);
    put32(ihdr, (uint32_t)h);
    ihdr += std::string("\x08\x06\x00\x00\x00", 5);
    chunk(out, "IHDR", ihdr);
    chunk(out, "IDAT", packed);
    chunk(out, "IEND", std::string());

    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(out.data(), (std::streamsize)out.size());
    if (!f)
    {
        fprintf(stderr, "ERROR: can't write %s\n", path.c_str());
        return false;
    }
    return true;
}

bool readPng(const std::string& path, Image& out)
{
    std::string data;
    if (!readTextFile(path, data))
        return false;
    const unsigned char* p = (const unsigned char*)data.data();
    if (data.size() < 8 || memcmp(p, "\x89PNG\r\n\x1a\n", 8) != 0)
    {
        fprintf(stderr, "ERROR: %s is not a PNG\n", path.c_str());
        return false;
    }
    size_t pos = 8;
    uint32_t w = 0, h = 0;
    int type = -1;
    std::string idat;
    while (pos + 8 <= data.size())
    {
        uint32_t len = get32(p + pos);
        std::string type4(data, pos + 4, 4);
        if (pos + 12 + (size_t)len > data.size())
            break;
        const unsigned char* body = p + pos + 8;
        if (type4 == "IHDR" && len >= 13)
        {
            w = get32(body);
            h = get32(body + 4);
            if (body[8] != 8 || body[12] != 0)
            {
                fprintf(stderr, "ERROR: %s: only 8-bit non-interlaced PNGs are read\n", path.c_str());
                return false;
            }
            type = body[9];
        }
        else if (type4 == "IDAT")
            idat.append((const char*)body, len);
        else if (type4 == "IEND")
            break;
        pos += 12 + (size_t)len;
    }
    int channels = type == 6 ? 4 : type == 2 ? 3 : type == 4 ? 2 : type == 0 ? 1 : 0;
    if (channels == 0 || w == 0 || h == 0 || w > 16384 || h > 16384)
    {
        fprintf(stderr, "ERROR: %s: unsupported PNG layout\n", path.c_str());
        return false;
    }
    const size_t stride = (size_t)w * channels;
    std::vector<unsigned char> raw((stride + 1) * h);
    uLongf rawSize = (uLongf)raw.size();
    if (uncompress(raw.data(), &rawSize, (const Bytef*)idat.data(), (uLong)idat.size()) != Z_OK ||
        rawSize != raw.size())
    {
        fprintf(stderr, "ERROR: %s: damaged image data\n", path.c_str());
        return false;
    }
    std::vector<unsigned char> prev(stride, 0), cur(stride);
    out = Image((int)w, (int)h);
    for (uint32_t y = 0; y < h; ++y)
    {
        const unsigned char* line = &raw[y * (stride + 1)];
        int filter = line[0];
        for (size_t i = 0; i < stride; ++i)
        {
            int a = i >= (size_t)channels ? cur[i - channels] : 0;
            int b = prev[i];
            int c = i >= (size_t)channels ? prev[i - channels] : 0;
            int x = line[1 + i];
            switch (filter)
            {
            case 1: x += a; break;
            case 2: x += b; break;
            case 3: x += (a + b) / 2; break;
            case 4: x += paeth(a, b, c); break;
            default: break;
            }
            cur[i] = (unsigned char)x;
        }
        for (uint32_t x = 0; x < w; ++x)
        {
            const unsigned char* s = &cur[x * channels];
            Colour col;
            if (channels >= 3)
                col = Colour::rgba(s[0], s[1], s[2], channels == 4 ? s[3] : 255);
            else
                col = Colour::rgba(s[0], s[0], s[0], channels == 2 ? s[1] : 255);
            out.set((int)x, (int)y, col);
        }
        prev.swap(cur);
    }
    return true;
}

bool writeTextFile(const std::string& path, const std::string& text)
{
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(text.data(), (std::streamsize)text.size());
    if (!f)
    {
        fprintf(stderr, "ERROR: can't write %s\n", path.c_str());
        return false;
    }
    return true;
}

bool readTextFile(const std::string& path, std::string& out)
{
    std::ifstream f(path, std::ios::binary);
    if (!f)
    {
        fprintf(stderr, "ERROR: can't read %s\n", path.c_str());
        return false;
    }
    std::ostringstream ss;
    ss << f.rdbuf();
    out = ss.str();
    return true;
}
} // namespace vorntool
