#ifndef __VORN_TOOL_IMAGE_H__
#define __VORN_TOOL_IMAGE_H__

#include <cstdint>
#include <string>
#include <vector>

namespace vorntool
{
/** Straight-alpha RGBA colour. */
struct Colour
{
    uint8_t r = 0, g = 0, b = 0, a = 0;
    static Colour rgba(int r, int g, int b, int a = 255);
    /** "#rrggbb" or "#rrggbbaa"; false on anything else. */
    static bool parse(const std::string& text, Colour& out);
    /** Each channel times f (alpha kept). */
    Colour scaled(float f) const;
    bool operator==(const Colour& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};

/** An RGBA image, rows top to bottom. */
class Image
{
public:
    Image() {}
    Image(int w, int h);

    int width() const { return m_w; }
    int height() const { return m_h; }
    bool empty() const { return m_w == 0 || m_h == 0; }
    Colour get(int x, int y) const;
    void set(int x, int y, const Colour& c);
    /** Source-over blend of a straight-alpha colour. */
    void blend(int x, int y, const Colour& c);
    const std::vector<uint8_t>& pixels() const { return m_px; }
    std::vector<uint8_t>& pixels() { return m_px; }

    /** The smallest rectangle holding every pixel with alpha; w = 0 when fully clear. */
    void opaqueBounds(int& x, int& y, int& w, int& h) const;
    Image crop(int x, int y, int w, int h) const;
    /** The image turned a quarter clockwise (width and height swap). */
    Image turnedClockwise() const;
    void paste(const Image& src, int dx, int dy);
    bool samePixels(const Image& o) const { return m_w == o.m_w && m_h == o.m_h && m_px == o.m_px; }

private:
    int m_w = 0, m_h = 0;
    std::vector<uint8_t> m_px;
};
} // namespace vorntool

#endif
