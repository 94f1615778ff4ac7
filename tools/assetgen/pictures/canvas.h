// A small raster kit for the picture sheets: a premultiplied RGBA float canvas, views into it
// (local coordinates, clipped), antialiased shapes given by signed distance, and resampling.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace assetgen::pic {

// Straight (not premultiplied) colour, channels 0..1.
struct Color {
    float r = 0, g = 0, b = 0, a = 1;
};

// 0xRRGGBB with an optional alpha.
constexpr Color Rgb(uint32_t rgb, float a = 1.0f) {
    return {((rgb >> 16) & 255) / 255.0f, ((rgb >> 8) & 255) / 255.0f, (rgb & 255) / 255.0f, a};
}
Color Mix(Color a, Color b, float t);

struct Px {  // premultiplied
    float r = 0, g = 0, b = 0, a = 0;
};

struct Canvas {
    int w = 0, h = 0;
    std::vector<Px> px;
    Canvas() = default;
    Canvas(int width, int height) : w(width), h(height), px(size_t(width) * height) {}
    Px& at(int x, int y) { return px[size_t(y) * w + x]; }
    const Px& at(int x, int y) const { return px[size_t(y) * w + x]; }
};

struct Rect {
    int l = 0, t = 0, r = 0, b = 0;  // right and bottom exclusive
    int w() const { return r - l; }
    int h() const { return b - t; }
};

struct P {
    float x = 0, y = 0;
};
inline P operator+(P a, P b) { return {a.x + b.x, a.y + b.y}; }
inline P operator-(P a, P b) { return {a.x - b.x, a.y - b.y}; }
inline P operator*(P a, float s) { return {a.x * s, a.y * s}; }
inline float Dot(P a, P b) { return a.x * b.x + a.y * b.y; }
inline float Len(P a) { return std::sqrt(Dot(a, a)); }

// A window onto a canvas: drawing uses coordinates relative to its top-left corner and never
// touches pixels outside it, so a picture cannot spill into its neighbours on the sheet.
struct View {
    Canvas* c = nullptr;
    int ox = 0, oy = 0, w = 0, h = 0;
    View() = default;
    View(Canvas& canvas) : c(&canvas), w(canvas.w), h(canvas.h) {}
    View(Canvas& canvas, Rect r) : c(&canvas), ox(r.l), oy(r.t), w(r.w()), h(r.h()) {}
    View Sub(float x, float y, float width, float height) const;
    Px& at(int x, int y) const { return c->at(ox + x, oy + y); }
};

// Composites colour c over pixel (x, y) with the given coverage.
void Blend(const View& v, int x, int y, Color c, float coverage);
void Fill(const View& v, Color c);  // replaces every pixel
void FillRect(const View& v, float l, float t, float r, float b, Color c);  // composites

// Coverage of a pixel whose centre lies at signed distance d (negative inside).
inline float Coverage(float d) { return std::clamp(0.5f - d, 0.0f, 1.0f); }

// Shapes by signed distance: sdf(P) < 0 inside. paint(P) gives the colour at a point.
template <class Sdf, class Paint>
void Shape(const View& v, Sdf sdf, Paint paint) {
    for (int y = 0; y < v.h; ++y)
        for (int x = 0; x < v.w; ++x) {
            const P p{x + 0.5f, y + 0.5f};
            const float cov = Coverage(sdf(p));
            if (cov > 0) Blend(v, x, y, paint(p), cov);
        }
}
template <class Sdf>
void Shape(const View& v, Sdf sdf, Color c) {
    Shape(v, sdf, [c](P) { return c; });
}
// The shape in fill, with a band of the given width around it in edge colour.
template <class Sdf, class Paint>
void Outlined(const View& v, Sdf sdf, Paint fill, Color edge, float width) {
    Shape(v, [&](P p) { return sdf(p) - width; }, edge);
    Shape(v, sdf, fill);
}

// Sets every pixel of v, opaque, to f(pixel centre): for pictures computed per pixel.
template <class F>
void Pixels(const View& v, F f) {
    for (int y = 0; y < v.h; ++y)
        for (int x = 0; x < v.w; ++x) {
            const Color c = f(P{x + 0.5f, y + 0.5f});
            v.at(x, y) = {c.r, c.g, c.b, 1};
        }
}

inline float Smoothstep(float e0, float e1, float x) {
    const float t = std::clamp((x - e0) / (e1 - e0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}
inline Color Gray(float v) { return {v, v, v, 1}; }
inline Color Scale(Color c, float k) { return {c.r * k, c.g * k, c.b * k, c.a}; }

// Smooth value noise in 0..1, periodic with the given period in x and y (0: not periodic).
float Noise(float x, float y, uint32_t seed, int period = 0);
float Fbm(float x, float y, uint32_t seed, int octaves, int period = 0);

// Signed distances.
namespace sdf {
float Circle(P p, P c, float r);
float Ellipse(P p, P c, float rx, float ry);
float Box(P p, float l, float t, float r, float b, float radius = 0);
float Segment(P p, P a, P b, float halfWidth);
float Polygon(P p, const std::vector<P>& pts);
float Ring(P p, P c, float r, float halfWidth);
}  // namespace sdf

std::vector<P> Star(P c, float outer, float inner, int points, float turn = 0);
std::vector<P> RegularPolygon(P c, float r, int sides, float turn = 0);

// Linear gradient from c0 at a to c1 at b.
struct Linear {
    P a, b;
    Color c0, c1;
    Color operator()(P p) const;
};
// Radial gradient from c0 at the centre to c1 at radius r.
struct Radial {
    P c;
    float r;
    Color c0, c1;
    Color operator()(P p) const;
};

// Composites src (whole) over v, resampled by area into the rectangle at (x, y) of size w x h.
void Draw(const View& v, const Canvas& src, float x, float y, float w, float h);
// A copy turned 90 degrees clockwise.
Canvas RotateClockwise(const Canvas& src);

// A small deterministic generator (the builder never uses the C library's rand).
struct Rng {
    uint32_t s;
    explicit Rng(uint32_t seed) : s(seed ? seed : 1) {}
    uint32_t Next() {
        s ^= s << 13;
        s ^= s >> 17;
        s ^= s << 5;
        return s;
    }
    float Unit() { return (Next() >> 8) * (1.0f / 16777216.0f); }  // 0..1
    float Range(float lo, float hi) { return lo + (hi - lo) * Unit(); }
};

constexpr float kPi = 3.14159265358979f;

}  // namespace assetgen::pic
