#include "ImageRecipes.h"

#include "Image.h"
#include "PngFile.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace vorntool
{
namespace
{
/** Coverage 0..1 of a pixel by a shape given as an inside-test on sample points. */
template <typename F> float coverage(int px, int py, F inside)
{
    int hits = 0;
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i)
            hits += inside(px + (i + 0.5f) / 4.0f, py + (j + 0.5f) / 4.0f) ? 1 : 0;
    return hits / 16.0f;
}

void blendWith(Image& img, int x, int y, Colour c, float amount)
{
    if (amount <= 0.0f)
        return;
    c.a = (uint8_t)lroundf(c.a * std::min(amount, 1.0f));
    img.blend(x, y, c);
}

/** Inside a rounded rectangle (x, y, w, h, corner radius), optionally shrunk by inset. */
bool insideRoundRect(float sx, float sy, const std::vector<float>& n, float inset)
{
    float x0 = n[0] + inset, y0 = n[1] + inset, x1 = n[0] + n[2] - inset, y1 = n[1] + n[3] - inset;
    float r = std::max(0.0f, std::min(n[4] - inset, std::min(x1 - x0, y1 - y0) * 0.5f));
    if (sx < x0 || sx > x1 || sy < y0 || sy > y1)
        return false;
    float cx = std::min(std::max(sx, x0 + r), x1 - r), cy = std::min(std::max(sy, y0 + r), y1 - r);
    return hypotf(sx - cx, sy - cy) <= r;
}

/** Even-odd test against a polygon given as x y pairs. */
bool insidePolygon(float sx, float sy, const std::vector<float>& n)
{
    bool in = false;
    size_t count = n.size() / 2;
    for (size_t i = 0, j = count - 1; i < count; j = i++)
    {
        float xi = n[2 * i], yi = n[2 * i + 1], xj = n[2 * j], yj = n[2 * j + 1];
        if ((yi > sy) != (yj > sy) && sx < (xj - xi) * (sy - yi) / (yj - yi) + xi)
            in = !in;
    }
    return in;
}

Colour mix(const Colour& a, const Colour& b, float t)
{
    t = std::min(std::max(t, 0.0f), 1.0f);
    Colour c;
    c.r = (uint8_t)lroundf(a.r + (b.r - a.r) * t);
    c.g = (uint8_t)lroundf(a.g + (b.g - a.g) * t);
    c.b = (uint8_t)lroundf(a.b + (b.b - a.b) * t);
    c.a = (uint8_t)lroundf(a.a + (b.a - a.a) * t);
    return c;
}

bool drawStep(Image& img, const std::vector<std::string>& w, std::string& error)
{
    std::vector<float> n;
    std::vector<Colour> colours;
    Colour c;
    for (size_t i = 1; i < w.size(); ++i)
    {
        if (w[i][0] == '#')
        {
            if (!Colour::parse(w[i], c))
            {
                error = "bad colour " + w[i];
                return false;
            }
            colours.push_back(c);
        }
        else
            n.push_back(strtof(w[i].c_str(), nullptr));
    }
    const std::string& op = w[0];
    // A rounded rectangle takes a second colour for a top-to-bottom gradient.
    Colour bottom = colours.size() > 1 ? colours[1] : c;
    if (colours.size() > 1)
        c = colours[0];
    if (op == "poly" && (n.size() < 6 || n.size() % 2 != 0))
    {
        error = "poly needs at least three x y points";
        return false;
    }
    for (int y = 0; y < img.height(); ++y)
    {
        for (int x = 0; x < img.width(); ++x)
        {
            if (op == "disc" && n.size() == 4)
            {
                blendWith(img, x, y, c, coverage(x, y, [&](float sx, float sy) {
                              float dx = (sx - n[0]) / n[2], dy = (sy - n[1]) / n[3];
                              return dx * dx + dy * dy <= 1.0f;
                          }));
            }
            else if (op == "ring" && n.size() == 4)
            {
                blendWith(img, x, y, c, coverage(x, y, [&](float sx, float sy) {
                              float d = hypotf(sx - n[0], sy - n[1]);
                              return d <= n[2] && d >= n[2] - n[3];
                          }));
            }
            else if (op == "rect" && n.size() == 5)
            {
                float t = n[3] > 0 ? (y + 0.5f - n[1]) / n[3] : 0.0f;
                blendWith(img, x, y, mix(c, bottom, t),
                          coverage(x, y, [&](float sx, float sy) { return insideRoundRect(sx, sy, n, 0.0f); }));
            }
            else if (op == "frame" && n.size() == 6)
            {
                blendWith(img, x, y, c, coverage(x, y, [&](float sx, float sy) {
                              return insideRoundRect(sx, sy, n, 0.0f) && !insideRoundRect(sx, sy, n, n[5]);
                          }));
            }
            else if (op == "poly")
            {
                blendWith(img, x, y, c,
                          coverage(x, y, [&](float sx, float sy) { return insidePolygon(sx, sy, n); }));
            }
            else if (op == "vignette" && n.size() == 2)
            {
                // Elliptic distance from the centre: 1 on the middle of each edge.
                float dx = (x + 0.5f) / (img.width() * 0.5f) - 1.0f, dy = (y + 0.5f) / (img.height() * 0.5f) - 1.0f;
                float t = n[1] > n[0] ? (hypotf(dx, dy) - n[0]) / (n[1] - n[0]) : 1.0f;
                t = std::min(std::max(t, 0.0f), 1.0f);
                blendWith(img, x, y, c, t * t * (3.0f - 2.0f * t));
            }
            else if (op == "glow" && n.size() == 3)
            {
                float d = hypotf(x + 0.5f - n[0], y + 0.5f - n[1]) / n[2];
                float a = d >= 1.0f ? 0.0f : (1.0f - d) * (1.0f - d);
                blendWith(img, x, y, c, a);
            }
            else
            {
                error = "unknown step '" + op + "' or wrong number of values";
                return false;
            }
        }
    }
    return true;
}
} // namespace

bool drawImageRecipes(const std::string& path, const std::string& dir)
{
    std::string text;
    if (!readTextFile(path, text))
        return false;
    std::istringstream in(text);
    std::string line, name;
    Image img;
    int lineNo = 0;
    auto finish = [&]() { return name.empty() || writePng(img, dir + "/" + name + ".png"); };
    while (std::getline(in, line))
    {
        ++lineNo;
        size_t hash = line.find('#');
        // A '#' starts a comment only at the line start or after a space (colours use it too).
        while (hash != std::string::npos && hash > 0 && line[hash - 1] != ' ' && line[hash - 1] != '\t')
            hash = line.find('#', hash + 1);
        if (hash != std::string::npos && (hash + 1 >= line.size() || !isxdigit((unsigned char)line[hash + 1])))
            line = line.substr(0, hash);
        std::istringstream ws(line);
        std::vector<std::string> w;
        std::string word;
        while (ws >> word)
            w.push_back(word);
        if (w.empty())
            continue;
        std::string error;
        if (w[0] == "image" && w.size() == 4)
        {
            if (!finish())
                return false;
            name = w[1];
            int iw = atoi(w[2].c_str()), ih = atoi(w[3].c_str());
            if (iw < 1 || ih < 1 || iw > 2048 || ih > 2048)
                error = "image size out of range";
            else
                img = Image(iw, ih);
        }
        else if (name.empty())
            error = "a drawing step before 'image'";
        else
            drawStep(img, w, error);
        if (!error.empty())
        {
            fprintf(stderr, "ERROR: %s:%d: %s\n", path.c_str(), lineNo, error.c_str());
            return false;
        }
    }
    return finish();
}
} // namespace vorntool
