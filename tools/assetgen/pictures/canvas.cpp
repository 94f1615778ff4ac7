#include "pictures/canvas.h"

namespace assetgen::pic {

Color Mix(Color a, Color b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

View View::Sub(float x, float y, float width, float height) const {
    View s = *this;
    const int l = std::clamp(int(std::floor(x)), 0, w), t = std::clamp(int(std::floor(y)), 0, h);
    const int r = std::clamp(int(std::ceil(x + width)), l, w), b = std::clamp(int(std::ceil(y + height)), t, h);
    s.ox = ox + l;
    s.oy = oy + t;
    s.w = r - l;
    s.h = b - t;
    return s;
}

void Blend(const View& v, int x, int y, Color c, float coverage) {
    if (x < 0 || y < 0 || x >= v.w || y >= v.h) return;
    const float a = std::clamp(c.a * coverage, 0.0f, 1.0f);
    Px& d = v.at(x, y);
    d.r = c.r * a + d.r * (1 - a);
    d.g = c.g * a + d.g * (1 - a);
    d.b = c.b * a + d.b * (1 - a);
    d.a = a + d.a * (1 - a);
}

void Fill(const View& v, Color c) {
    for (int y = 0; y < v.h; ++y)
        for (int x = 0; x < v.w; ++x) v.at(x, y) = {c.r * c.a, c.g * c.a, c.b * c.a, c.a};
}

void FillRect(const View& v, float l, float t, float r, float b, Color c) {
    Shape(v.Sub(l, t, r - l, b - t), [&](P) { return -1.0f; }, c);
}

namespace {

float Lattice(int x, int y, uint32_t seed, int period) {
    if (period > 0) x = ((x % period) + period) % period, y = ((y % period) + period) % period;
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / float(0xFFFFFF);
}

}  // namespace

float Noise(float x, float y, uint32_t seed, int period) {
    const int ix = int(std::floor(x)), iy = int(std::floor(y));
    const float fx = x - ix, fy = y - iy;
    const float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const float a = Lattice(ix, iy, seed, period), b = Lattice(ix + 1, iy, seed, period);
    const float c = Lattice(ix, iy + 1, seed, period), d = Lattice(ix + 1, iy + 1, seed, period);
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

float Fbm(float x, float y, uint32_t seed, int octaves, int period) {
    float sum = 0, amp = 0.5f, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * Noise(x, y, seed + uint32_t(i) * 101u, period);
        norm += amp;
        x *= 2, y *= 2, amp *= 0.5f;
        if (period) period *= 2;
    }
    return sum / norm;
}

namespace sdf {

float Circle(P p, P c, float r) { return Len(p - c) - r; }

float Ellipse(P p, P c, float rx, float ry) {
    const P q{(p.x - c.x) / rx, (p.y - c.y) / ry};
    const float k = Len(q);
    if (k < 1e-6f) return -std::min(rx, ry);
    // Distance along the gradient: exact on the axes, close enough elsewhere for 1 px of blur.
    const P g{q.x / rx, q.y / ry};
    return (k - 1) * k / Len(g);
}

float Box(P p, float l, float t, float r, float b, float radius) {
    const P c{(l + r) / 2, (t + b) / 2};
    const P half{(r - l) / 2 - radius, (b - t) / 2 - radius};
    const P d{std::fabs(p.x - c.x) - half.x, std::fabs(p.y - c.y) - half.y};
    const P o{std::max(d.x, 0.0f), std::max(d.y, 0.0f)};
    return Len(o) + std::min(std::max(d.x, d.y), 0.0f) - radius;
}

float Segment(P p, P a, P b, float halfWidth) {
    const P pa = p - a, ba = b - a;
    const float dd = Dot(ba, ba);
    const float h = dd > 0 ? std::clamp(Dot(pa, ba) / dd, 0.0f, 1.0f) : 0.0f;
    return Len(pa - ba * h) - halfWidth;
}

float Polygon(P p, const std::vector<P>& v) {
    float d = Dot(p - v[0], p - v[0]);
    float s = 1;
    for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i, ++i) {
        const P e = v[j] - v[i], w = p - v[i];
        const float k = std::clamp(Dot(w, e) / Dot(e, e), 0.0f, 1.0f);
        const P b = w - e * k;
        d = std::min(d, Dot(b, b));
        const bool c1 = p.y >= v[i].y, c2 = p.y < v[j].y, c3 = e.x * w.y > e.y * w.x;
        if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) s = -s;
    }
    return s * std::sqrt(d);
}

float Ring(P p, P c, float r, float halfWidth) { return std::fabs(Len(p - c) - r) - halfWidth; }

}  // namespace sdf

std::vector<P> Star(P c, float outer, float inner, int points, float turn) {
    std::vector<P> v;
    for (int i = 0; i < points * 2; ++i) {
        const float a = turn - kPi / 2 + i * kPi / points;
        const float r = (i % 2) ? inner : outer;
        v.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a)});
    }
    return v;
}

std::vector<P> RegularPolygon(P c, float r, int sides, float turn) {
    std::vector<P> v;
    for (int i = 0; i < sides; ++i) {
        const float a = turn - kPi / 2 + i * 2 * kPi / sides;
        v.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a)});
    }
    return v;
}

Color Linear::operator()(P p) const {
    const P d = b - a;
    const float t = std::clamp(Dot(p - a, d) / Dot(d, d), 0.0f, 1.0f);
    return Mix(c0, c1, t);
}

Color Radial::operator()(P p) const { return Mix(c0, c1, std::clamp(Len(p - c) / r, 0.0f, 1.0f)); }

namespace {

struct Tap {
    int src;
    float w;
};

// For each destination index, the source samples it covers when source [0, n) is laid on
// destination [pos, pos + size): a box filter whose width is at least one source pixel.
std::vector<std::vector<Tap>> Taps(int dstCount, float pos, float size, int n) {
    std::vector<std::vector<Tap>> taps(dstCount);
    const float scale = n / size;  // source pixels per destination pixel
    for (int d = 0; d < dstCount; ++d) {
        float s0 = (d - pos) * scale, s1 = (d + 1 - pos) * scale;
        if (s1 - s0 < 1) {  // enlarging: sample one source pixel wide, centred
            const float c = (s0 + s1) / 2;
            s0 = c - 0.5f;
            s1 = c + 0.5f;
        }
        const float norm = 1.0f / (s1 - s0);
        for (int i = std::max(0, int(std::floor(s0))); i < std::min(n, int(std::ceil(s1))); ++i) {
            const float w = std::min(s1, float(i + 1)) - std::max(s0, float(i));
            if (w > 0) taps[d].push_back({i, w * norm});
        }
    }
    return taps;
}

// Resamples src onto a w x h grid where src occupies [x, x + sw) x [y, y + sh).
Canvas Place(const Canvas& src, int w, int h, float x, float y, float sw, float sh) {
    const auto tx = Taps(w, x, sw, src.w), ty = Taps(h, y, sh, src.h);
    Canvas mid(w, src.h), out(w, h);
    for (int sy = 0; sy < src.h; ++sy)
        for (int dx = 0; dx < w; ++dx) {
            Px acc;
            for (const Tap& t : tx[dx]) {
                const Px& s = src.at(t.src, sy);
                acc.r += s.r * t.w, acc.g += s.g * t.w, acc.b += s.b * t.w, acc.a += s.a * t.w;
            }
            mid.at(dx, sy) = acc;
        }
    for (int dy = 0; dy < h; ++dy)
        for (int dx = 0; dx < w; ++dx) {
            Px acc;
            for (const Tap& t : ty[dy]) {
                const Px& s = mid.at(dx, t.src);
                acc.r += s.r * t.w, acc.g += s.g * t.w, acc.b += s.b * t.w, acc.a += s.a * t.w;
            }
            out.at(dx, dy) = acc;
        }
    return out;
}

}  // namespace

void Draw(const View& v, const Canvas& src, float x, float y, float w, float h) {
    if (src.w == 0 || src.h == 0 || w <= 0 || h <= 0) return;
    const View d = v.Sub(x, y, w, h);
    const Canvas placed = Place(src, d.w, d.h, x - (d.ox - v.ox), y - (d.oy - v.oy), w, h);
    for (int py = 0; py < d.h; ++py)
        for (int px = 0; px < d.w; ++px) {
            const Px& s = placed.at(px, py);
            Px& o = d.at(px, py);
            const float a = std::clamp(s.a, 0.0f, 1.0f);
            o.r = s.r + o.r * (1 - a);
            o.g = s.g + o.g * (1 - a);
            o.b = s.b + o.b * (1 - a);
            o.a = a + o.a * (1 - a);
        }
}

Canvas RotateClockwise(const Canvas& src) {
    Canvas out(src.h, src.w);
    for (int y = 0; y < src.h; ++y)
        for (int x = 0; x < src.w; ++x) out.at(src.h - 1 - y, x) = src.at(x, y);
    return out;
}

}  // namespace assetgen::pic
