#include "FighterDrawing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vorntool
{
namespace
{
const float kPi = 3.14159265f;
const float kFarShade = 0.72f;

struct P
{
    float x, y;
};
P operator+(P a, P b) { return {a.x + b.x, a.y + b.y}; }
P operator-(P a, P b) { return {a.x - b.x, a.y - b.y}; }
P operator*(P a, float s) { return {a.x * s, a.y * s}; }
float dot(P a, P b) { return a.x * b.x + a.y * b.y; }

/** Direction of a limb angle: 0 hangs down, 90 points forward (+x). */
P down(float deg)
{
    float r = deg * kPi / 180.0f;
    return {sinf(r), -cosf(r)};
}

/** Direction of an upright angle: 0 points up, 90 points forward. */
P up(float deg)
{
    float r = deg * kPi / 180.0f;
    return {sinf(r), cosf(r)};
}

struct Shape
{
    P a, b;     // a capsule from a to b (a circle when equal)
    float r;
    Colour fill;
    int detail = 0; // 1: head (hair, band, eye drawn over it)
    P facing{1, 0}, upward{0, 1};
};

typedef std::vector<Shape> Group;

float segDistance(P p, P a, P b)
{
    P ab = b - a, ap = p - a;
    float len2 = dot(ab, ab);
    float t = len2 > 1e-6f ? std::clamp(dot(ap, ab) / len2, 0.0f, 1.0f) : 0.0f;
    P d = ap - ab * t;
    return sqrtf(dot(d, d));
}

class Painter
{
public:
    Painter(Image& img, const std::map<std::string, Colour>& palette, P shift)
        : m_img(img), m_palette(palette), m_shift(shift)
    {
    }

    void group(const Group& g, const Colour& outline)
    {
        for (const Shape& s : g)
            capsule(s, s.r + 1.0f, outline);
        for (const Shape& s : g)
        {
            capsule(s, s.r, s.fill);
            if (s.detail == 1)
                head(s);
        }
    }

private:
    P world(int px, int py) const
    {
        return {px + 0.5f - m_img.width() / 2.0f - m_shift.x, m_img.height() - (py + 0.5f) - m_shift.y};
    }

    template <typename F> void each(const Shape& s, float r, F fn)
    {
        float minX = std::min(s.a.x, s.b.x) - r, maxX = std::max(s.a.x, s.b.x) + r;
        float minY = std::min(s.a.y, s.b.y) - r, maxY = std::max(s.a.y, s.b.y) + r;
        int px0 = (int)floorf(minX + m_shift.x + m_img.width() / 2.0f) - 1;
        int px1 = (int)ceilf(maxX + m_shift.x + m_img.width() / 2.0f) + 1;
        int py0 = (int)floorf(m_img.height() - (maxY + m_shift.y)) - 1;
        int py1 = (int)ceilf(m_img.height() - (minY + m_shift.y)) + 1;
        for (int py = py0; py <= py1; ++py)
        {
            for (int px = px0; px <= px1; ++px)
            {
                P w = world(px, py);
                if (segDistance(w, s.a, s.b) <= r)
                    fn(px, py, w);
            }
        }
    }

    void capsule(const Shape& s, float r, const Colour& c)
    {
        each(s, r, [&](int px, int py, P) { m_img.set(px, py, c); });
    }

    void head(const Shape& s)
    {
        const Colour* hair = colour("hair");
        const Colour* band = colour("band");
        each(s, s.r, [&](int px, int py, P w) {
            P d = w - s.a;
            float u = dot(d, s.upward) / s.r, f = dot(d, s.facing) / s.r;
            if (hair && (u > 0.25f || (f < -0.35f && u > -0.5f)))
                m_img.set(px, py, *hair);
            if (band && u > 0.05f && u < 0.45f)
                m_img.set(px, py, *band);
        });
        // One dark eye on the facing side shows which way the fighter looks.
        P eye = s.a + s.facing * (s.r * 0.55f) + s.upward * (s.r * -0.05f);
        int px = (int)floorf(eye.x + m_shift.x + m_img.width() / 2.0f);
        int py = (int)floorf(m_img.height() - (eye.y + m_shift.y));
        const Colour* e = colour("eye");
        m_img.set(px, py, e ? *e : Colour::rgba(20, 16, 16));
    }

    const Colour* colour(const std::string& n) const
    {
        auto it = m_palette.find(n);
        return it == m_palette.end() ? nullptr : &it->second;
    }

    Image& m_img;
    const std::map<std::string, Colour>& m_palette;
    P m_shift;
};
} // namespace

bool drawFighter(const Fighter& f, const Pose& pose, Image& out)
{
    auto joint = [&](const char* n) {
        auto it = pose.find(n);
        return it == pose.end() ? 0.0f : it->second;
    };
    static const char* kBones[] = {"torso", "neck", "head", "upperarm", "forearm", "hand", "thigh", "shin", "foot", "belt"};
    for (const char* b : kBones)
    {
        auto it = f.bones.find(b);
        if (it == f.bones.end())
        {
            fprintf(stderr, "ERROR: fighter %s has no bone '%s'\n", f.name.c_str(), b);
            return false;
        }
        if (f.palette.find(it->second.colour) == f.palette.end())
        {
            fprintf(stderr, "ERROR: fighter %s has no colour '%s'\n", f.name.c_str(), it->second.colour.c_str());
            return false;
        }
    }
    auto bone = [&](const char* n) -> const Bone& { return f.bones.at(n); };
    auto fill = [&](const char* n, bool far) {
        Colour c = f.palette.at(bone(n).colour);
        return far ? c.scaled(kFarShade) : c;
    };
    auto outline = f.palette.count("outline") ? f.palette.at("outline") : Colour::rgba(24, 18, 20);

    // "rot" turns the whole body about the hip (positive pitches it forward); limb angles are
    // measured against the body, so the same pose reads lying down as standing.
    const float rot = joint("rot");
    const P hip = {joint("x"), 0.0f};
    const P torsoDir = up(joint("t") + rot);
    const P shoulder = hip + torsoDir * bone("torso").length;
    const P neckTop = shoulder + torsoDir * bone("neck").length;
    const P headDir = up(joint("t") + joint("h") + rot);
    const float headR = bone("head").width / 2.0f;
    const P headCentre = neckTop + headDir * (headR * 0.8f);
    const P armRoot = shoulder - torsoDir * 1.0f;

    auto arm = [&](const char* u, const char* l, bool far) {
        Group g;
        P elbow = armRoot + down(joint(u) - rot) * bone("upperarm").length;
        P wrist = elbow + down(joint(l) - rot) * bone("forearm").length;
        g.push_back({armRoot, elbow, bone("upperarm").width / 2.0f, fill("upperarm", far)});
        g.push_back({elbow, wrist, bone("forearm").width / 2.0f, fill("forearm", far)});
        g.push_back({wrist, wrist, bone("hand").width / 2.0f, fill("hand", far)});
        return g;
    };
    auto leg = [&](const char* u, const char* l, const char* ft, bool far) {
        Group g;
        P knee = hip + down(joint(u) - rot) * bone("thigh").length;
        P ankle = knee + down(joint(l) - rot) * bone("shin").length;
        P toe = ankle + down(joint(ft) - rot) * bone("foot").length;
        g.push_back({hip, knee, bone("thigh").width / 2.0f, fill("thigh", far)});
        g.push_back({knee, ankle, bone("shin").width / 2.0f, fill("shin", far)});
        g.push_back({ankle, toe, bone("foot").width / 2.0f, fill("foot", far)});
        return g;
    };

    Group body;
    body.push_back({hip, shoulder, bone("torso").width / 2.0f, fill("torso", false)});
    body.push_back({hip + torsoDir * 0.5f, hip + torsoDir * bone("belt").length, bone("belt").width / 2.0f,
                    fill("belt", false)});
    body.push_back({shoulder, neckTop, bone("neck").width / 2.0f, fill("neck", false)});
    Shape headShape{headCentre, headCentre, headR, fill("head", false)};
    headShape.detail = 1;
    headShape.upward = headDir;
    headShape.facing = {headDir.y, -headDir.x};
    body.push_back(headShape);

    std::vector<Group> groups = {arm("a2u", "a2l", true), leg("l2u", "l2l", "l2f", true), body,
                                 leg("l1u", "l1l", "l1f", false), arm("a1u", "a1l", false)};

    // Stand the lowest point of the body on the ground, then lift it by the pose's "lift".
    float lowest = 1e9f;
    for (const Group& g : groups)
        for (const Shape& s : g)
            lowest = std::min(lowest, std::min(s.a.y, s.b.y) - s.r - 1.0f);
    P shift = {0.0f, -lowest + joint("lift")};

    out = Image(f.canvasW, f.canvasH);
    Painter painter(out, f.palette, shift);
    for (const Group& g : groups)
        painter.group(g, outline);
    return true;
}
} // namespace vorntool
