#include "Image.h"

#include <cstdio>
#include <cstdlib>

namespace vorntool
{
Colour Colour::rgba(int r, int g, int b, int a)
{
    Colour c;
    c.r = (uint8_t)r;
    c.g = (uint8_t)g;
    c.b = (uint8_t)b;
    c.a = (uint8_t)a;
    return c;
}

bool Colour::parse(const std::string& text, Colour& out)
{
    if (text.size() != 7 && text.size() != 9)
        return false;
    if (text[0] != '#')
        return false;
    for (size_t i = 1; i < text.size(); ++i)
    {
        if (!isxdigit((unsigned char)text[i]))
            return false;
    }
    unsigned long v = strtoul(text.c_str() + 1, NULL, 16);
    if (text.size() == 7)
        out = rgba((v >> 16) & 255, (v >> 8) & 255, v & 255, 255);
    else
        out = rgba((v >> 24) & 255, (v >> 16) & 255, (v >> 8) & 255, v & 255);
    return true;
}

Colour Colour::scaled(float f) const
{
    auto ch = [f](uint8_t v) {
        int s = (int)(v * f + 0.5f);
        return s > 255 ? 255 : (s < 0 ? 0 : s);
    };
    return rgba(ch(r), ch(g), ch(b), a);
}

Image::Image(int w, int h) : m_w(w), m_h(h), m_px((size_t)w * h * 4, 0) {}

Colour Image::get(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_w || y >= m_h)
        return Colour();
    const uint8_t* p = &m_px[((size_t)y * m_w + x) * 4];
    return Colour::rgba(p[0], p[1], p[2], p[3]);
}

void Image::set(int x, int y, const Colour& c)
{
    if (x < 0 || y < 0 || x >= m_w || y >= m_h)
        return;
    uint8_t* p = &m_px[((size_t)y * m_w + x) * 4];
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
    p[3] = c.a;
}

void Image::blend(int x, int y, const Colour& c)
{
    if (c.a == 255)
    {
        set(x, y, c);
        return;
    }
    Colour d = get(x, y);
    int sa = c.a, da = d.a * (255 - sa) / 255;
    int oa = sa + da;
    if (oa == 0)
        return;
    set(x, y, Colour::rgba((c.r * sa + d.r * da) / oa, (c.g * sa + d.g * da) / oa,
                           (c.b * sa + d.b * da) / oa, oa));
}

void Image::opaqueBounds(int& bx, int& by, int& bw, int& bh) const
{
    int minX = m_w, minY = m_h, maxX = -1, maxY = -1;
    for (int y = 0; y < m_h; ++y)
    {
        for (int x = 0; x < m_w; ++x)
        {
            if (m_px[((size_t)y * m_w + x) * 4 + 3] == 0)
                continue;
            if (x < minX) minX = x;
            if (x > maxX) maxX = x;
            if (y < minY) minY = y;
            if (y > maxY) maxY = y;
        }
    }
    if (maxX < 0)
    {
        bx = by = bw = bh = 0;
        return;
    }
    bx = minX;
    by = minY;
    bw = maxX - minX + 1;
    bh = maxY - minY + 1;
}

Image Image::crop(int x, int y, int w, int h) const
{
    Image out(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            out.set(i, j, get(x + i, y + j));
    return out;
}

Image Image::turnedClockwise() const
{
    // The left column, read upwards, becomes the top row.
    Image out(m_h, m_w);
    for (int j = 0; j < m_w; ++j)
        for (int i = 0; i < m_h; ++i)
            out.set(i, j, get(j, m_h - 1 - i));
    return out;
}

void Image::paste(const Image& src, int dx, int dy)
{
    for (int j = 0; j < src.height(); ++j)
        for (int i = 0; i < src.width(); ++i)
            set(dx + i, dy + j, src.get(i, j));
}
} // namespace vorntool
