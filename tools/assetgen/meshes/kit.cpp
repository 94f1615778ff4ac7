#include "meshes/kit.h"

#include <algorithm>

namespace assetgen::mesh {

Material Flat(const std::string& name, Rgb colour, float glow) {
    return {name, colour, colour * glow, {}};
}

Material Textured(const std::string& name, Rgb colour, const std::string& texture, float glow) {
    return {name, colour, colour * glow, texture};
}

// --- Xform ---------------------------------------------------------------------------------

Xform Xform::Translate(const Vec3& v) {
    Xform x;
    x.t = v;
    return x;
}

Xform Xform::Scale(const Vec3& s) {
    Xform x;
    x.m[0][0] = s.x;
    x.m[1][1] = s.y;
    x.m[2][2] = s.z;
    return x;
}

namespace {

// Sine and cosine with quarter turns exact, so that turned models keep their round numbers.
void SinCos(float degrees, float* s, float* c) {
    double a = double(degrees) * 3.14159265358979323846 / 180;
    double sd = std::sin(a), cd = std::cos(a);
    if (std::fabs(sd) < 1e-9) sd = 0;
    if (std::fabs(cd) < 1e-9) cd = 0;
    *s = float(sd);
    *c = float(cd);
}

}  // namespace

Xform Xform::RotX(float degrees) {
    float c, s;
    SinCos(degrees, &s, &c);
    Xform x;
    x.m[1][1] = c;
    x.m[1][2] = s;
    x.m[2][1] = -s;
    x.m[2][2] = c;
    return x;
}

Xform Xform::RotY(float degrees) {
    float c, s;
    SinCos(degrees, &s, &c);
    Xform x;
    x.m[0][0] = c;
    x.m[0][2] = -s;
    x.m[2][0] = s;
    x.m[2][2] = c;
    return x;
}

Xform Xform::RotZ(float degrees) {
    float c, s;
    SinCos(degrees, &s, &c);
    Xform x;
    x.m[0][0] = c;
    x.m[0][1] = s;
    x.m[1][0] = -s;
    x.m[1][1] = c;
    return x;
}

Xform Xform::operator*(const Xform& o) const {
    Xform r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            r.m[i][j] = m[i][0] * o.m[0][j] + m[i][1] * o.m[1][j] + m[i][2] * o.m[2][j];
    r.t = o.Point(t);
    return r;
}

Vec3 Xform::Direction(const Vec3& d) const {
    return {d.x * m[0][0] + d.y * m[1][0] + d.z * m[2][0],
            d.x * m[0][1] + d.y * m[1][1] + d.z * m[2][1],
            d.x * m[0][2] + d.y * m[1][2] + d.z * m[2][2]};
}

Vec3 Xform::Point(const Vec3& p) const { return Direction(p) + t; }

float Xform::Determinant() const {
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
           m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

Vec3 Xform::Normal(const Vec3& n) const {
    // Row vector times the inverse transpose = the cofactor matrix applied as columns.
    float c[3][3];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            int i1 = (i + 1) % 3, i2 = (i + 2) % 3, j1 = (j + 1) % 3, j2 = (j + 2) % 3;
            c[i][j] = m[i1][j1] * m[i2][j2] - m[i1][j2] * m[i2][j1];
        }
    Vec3 r{n.x * c[0][0] + n.y * c[1][0] + n.z * c[2][0],
           n.x * c[0][1] + n.y * c[1][1] + n.z * c[2][1],
           n.x * c[0][2] + n.y * c[1][2] + n.z * c[2][2]};
    if (Determinant() < 0) r = -r;
    return Unit(r);
}

// --- Mesh ----------------------------------------------------------------------------------

int Mesh::Mat(const Material& material) {
    for (size_t i = 0; i < mats.size(); ++i)
        if (mats[i].name == material.name) return int(i);
    mats.push_back(material);
    return int(mats.size() - 1);
}

uint32_t Mesh::Vert(const Vec3& pos, const Vec3& normal, const Vec2& uv) {
    verts.push_back({pos, normal, uv});
    return uint32_t(verts.size() - 1);
}

void Mesh::Tri(uint32_t a, uint32_t b, uint32_t c, int material) {
    tris.push_back({{a, b, c}, material});
}

void Mesh::Append(const Mesh& other, const Xform& xf) {
    std::vector<int> matMap;
    for (const Material& mat : other.mats) matMap.push_back(Mat(mat));
    uint32_t base = uint32_t(verts.size());
    for (const Vertex& v : other.verts) verts.push_back({xf.Point(v.pos), xf.Normal(v.normal), v.uv});
    bool flip = xf.Determinant() < 0;
    for (const Triangle& t : other.tris) {
        if (flip)
            Tri(base + t.v[0], base + t.v[2], base + t.v[1], matMap[t.material]);
        else
            Tri(base + t.v[0], base + t.v[1], base + t.v[2], matMap[t.material]);
    }
}

void Mesh::Transform(const Xform& xf) {
    for (Vertex& v : verts) {
        v.pos = xf.Point(v.pos);
        v.normal = xf.Normal(v.normal);
    }
    if (xf.Determinant() < 0)
        for (Triangle& t : tris) std::swap(t.v[1], t.v[2]);
}

// --- Flat faces ----------------------------------------------------------------------------

namespace {

Vec2 PlanarUv(const Vec3& p, const Vec3& n, float scale) {
    float ax = std::fabs(n.x), ay = std::fabs(n.y), az = std::fabs(n.z);
    if (ay >= ax && ay >= az) return {p.x / scale, p.z / scale};
    if (ax >= az) return {p.z / scale, -p.y / scale};
    return {p.x / scale, -p.y / scale};
}

// Emits a placed triangle with one flat normal; skips a degenerate one.
void FlatTri(Mesh& m, int mat, Vec3 a, Vec3 b, Vec3 c, Vec2 ua, Vec2 ub, Vec2 uc) {
    Vec3 n = Cross(b - a, c - a);
    if (Length(n) < 1e-9f) return;
    n = Unit(n);
    m.Tri(m.Vert(a, n, ua), m.Vert(b, n, ub), m.Vert(c, n, uc), mat);
}

void Place(const Xform& xf, Vec3* p, int count) {
    for (int i = 0; i < count; ++i) p[i] = xf.Point(p[i]);
}

}  // namespace

void QuadUv(Mesh& m, int mat, Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec2 ua, Vec2 ub, Vec2 uc, Vec2 ud,
            const Xform& xf) {
    Vec3 p[4] = {a, b, c, d};
    Place(xf, p, 4);
    if (xf.Determinant() < 0) {
        std::swap(p[1], p[3]);
        std::swap(ub, ud);
    }
    Vec3 n = Unit(Cross(p[1] - p[0], p[2] - p[0]) + Cross(p[2] - p[0], p[3] - p[0]));
    if (Length(n) == 0) return;
    uint32_t i0 = m.Vert(p[0], n, ua), i1 = m.Vert(p[1], n, ub), i2 = m.Vert(p[2], n, uc),
             i3 = m.Vert(p[3], n, ud);
    m.Tri(i0, i1, i2, mat);
    m.Tri(i0, i2, i3, mat);
}

void Quad(Mesh& m, int mat, Vec3 a, Vec3 b, Vec3 c, Vec3 d, const Xform& xf, Planar uv) {
    Vec3 p[4] = {a, b, c, d};
    Place(xf, p, 4);
    if (xf.Determinant() < 0) std::swap(p[1], p[3]);
    Vec3 n = Unit(Cross(p[1] - p[0], p[2] - p[0]) + Cross(p[2] - p[0], p[3] - p[0]));
    if (Length(n) == 0) return;
    uint32_t i[4];
    for (int k = 0; k < 4; ++k) i[k] = m.Vert(p[k], n, PlanarUv(p[k], n, uv.scale));
    m.Tri(i[0], i[1], i[2], mat);
    m.Tri(i[0], i[2], i[3], mat);
}

void TriFace(Mesh& m, int mat, Vec3 a, Vec3 b, Vec3 c, const Xform& xf, Planar uv) {
    Vec3 p[3] = {a, b, c};
    Place(xf, p, 3);
    if (xf.Determinant() < 0) std::swap(p[1], p[2]);
    Vec3 n = Unit(Cross(p[1] - p[0], p[2] - p[0]));
    FlatTri(m, mat, p[0], p[1], p[2], PlanarUv(p[0], n, uv.scale), PlanarUv(p[1], n, uv.scale),
            PlanarUv(p[2], n, uv.scale));
}

void Box(Mesh& m, int mat, Vec3 lo, Vec3 hi, const Xform& xf, unsigned faces, Planar uv) {
    float x0 = lo.x, y0 = lo.y, z0 = lo.z, x1 = hi.x, y1 = hi.y, z1 = hi.z;
    if (faces & kNegZ) Quad(m, mat, {x0, y1, z0}, {x1, y1, z0}, {x1, y0, z0}, {x0, y0, z0}, xf, uv);
    if (faces & kPosZ) Quad(m, mat, {x1, y1, z1}, {x0, y1, z1}, {x0, y0, z1}, {x1, y0, z1}, xf, uv);
    if (faces & kNegX) Quad(m, mat, {x0, y1, z1}, {x0, y1, z0}, {x0, y0, z0}, {x0, y0, z1}, xf, uv);
    if (faces & kPosX) Quad(m, mat, {x1, y1, z0}, {x1, y1, z1}, {x1, y0, z1}, {x1, y0, z0}, xf, uv);
    if (faces & kPosY) Quad(m, mat, {x0, y1, z1}, {x1, y1, z1}, {x1, y1, z0}, {x0, y1, z0}, xf, uv);
    if (faces & kNegY) Quad(m, mat, {x1, y0, z1}, {x0, y0, z1}, {x0, y0, z0}, {x1, y0, z0}, xf, uv);
}

void Panel(Mesh& m, int mat, Facing f, float at, Rect r, const Xform& xf, Planar uv) {
    switch (f) {
        case Facing::PosX: Box(m, mat, {at, r.b0, r.a0}, {at, r.b1, r.a1}, xf, kPosX, uv); break;
        case Facing::NegX: Box(m, mat, {at, r.b0, r.a0}, {at, r.b1, r.a1}, xf, kNegX, uv); break;
        case Facing::PosZ: Box(m, mat, {r.a0, r.b0, at}, {r.a1, r.b1, at}, xf, kPosZ, uv); break;
        case Facing::NegZ: Box(m, mat, {r.a0, r.b0, at}, {r.a1, r.b1, at}, xf, kNegZ, uv); break;
        case Facing::PosY: Box(m, mat, {r.a0, at, r.b0}, {r.a1, at, r.b1}, xf, kPosY, uv); break;
        case Facing::NegY: Box(m, mat, {r.a0, at, r.b0}, {r.a1, at, r.b1}, xf, kNegY, uv); break;
    }
}

void PanelWithHoles(Mesh& m, int mat, Facing f, float at, Rect whole, const std::vector<Rect>& holes,
                    const Xform& xf, Planar uv) {
    // Cut the rectangle on a grid through every hole edge and keep the cells outside the holes,
    // joining runs of kept cells along a.
    std::vector<float> as{whole.a0, whole.a1}, bs{whole.b0, whole.b1};
    for (const Rect& h : holes) {
        as.insert(as.end(), {h.a0, h.a1});
        bs.insert(bs.end(), {h.b0, h.b1});
    }
    auto prepare = [](std::vector<float>& v, float lo, float hi) {
        std::sort(v.begin(), v.end());
        v.erase(std::unique(v.begin(), v.end()), v.end());
        v.erase(std::remove_if(v.begin(), v.end(), [&](float x) { return x < lo || x > hi; }), v.end());
    };
    prepare(as, whole.a0, whole.a1);
    prepare(bs, whole.b0, whole.b1);
    for (size_t j = 0; j + 1 < bs.size(); ++j) {
        size_t i = 0;
        while (i + 1 < as.size()) {
            auto open = [&](size_t k) {
                float a = (as[k] + as[k + 1]) / 2, b = (bs[j] + bs[j + 1]) / 2;
                for (const Rect& h : holes)
                    if (a > h.a0 && a < h.a1 && b > h.b0 && b < h.b1) return true;
                return false;
            };
            if (open(i)) {
                ++i;
                continue;
            }
            size_t k = i;
            while (k + 2 < as.size() && !open(k + 1)) ++k;
            Panel(m, mat, f, at, {as[i], as[k + 1], bs[j], bs[j + 1]}, xf, uv);
            i = k + 1;
        }
    }
}

void BoxAt(Mesh& m, int mat, Vec3 c, Vec3 size, const Xform& xf, unsigned faces) {
    Box(m, mat, c - size * 0.5f, c + size * 0.5f, xf, faces);
}

namespace {

// A frame whose local z runs along d (the box beams) or whose local y does (the rods).
Xform FrameZ(Vec3 origin, Vec3 d, Vec3 up) {
    Vec3 z = Unit(d);
    Vec3 x = Cross(up, z);
    if (Length(x) < 1e-4f) x = Cross(Vec3{1, 0, 0}, z);
    if (Length(x) < 1e-4f) x = Cross(Vec3{0, 0, 1}, z);
    x = Unit(x);
    Vec3 y = Cross(z, x);
    Xform f;
    f.m[0][0] = x.x; f.m[0][1] = x.y; f.m[0][2] = x.z;
    f.m[1][0] = y.x; f.m[1][1] = y.y; f.m[1][2] = y.z;
    f.m[2][0] = z.x; f.m[2][1] = z.y; f.m[2][2] = z.z;
    f.t = origin;
    return f;
}

}  // namespace

void Beam(Mesh& m, int mat, Vec3 a, Vec3 b, float w, float h, Vec3 up) {
    float len = Length(b - a);
    Box(m, mat, {-w / 2, -h / 2, 0}, {w / 2, h / 2, len}, FrameZ(a, b - a, up));
}

// --- Lathes --------------------------------------------------------------------------------

void Lathe(Mesh& m, int mat, const std::vector<ProfilePoint>& profile, int segments,
           const Xform& xf) {
    struct Seg {
        int a, b;
        float nr, ny;  // outward normal in the (r, y) plane
    };
    std::vector<Seg> segs;
    for (size_t i = 0; i + 1 < profile.size(); ++i) {
        float dr = profile[i + 1].r - profile[i].r, dy = profile[i + 1].y - profile[i].y;
        float l = std::sqrt(dr * dr + dy * dy);
        if (l < 1e-7f) continue;
        segs.push_back({int(i), int(i + 1), dy / l, -dr / l});
    }
    if (segs.empty()) return;
    std::vector<float> s(profile.size(), 0);
    for (size_t i = 1; i < profile.size(); ++i) {
        float dr = profile[i].r - profile[i - 1].r, dy = profile[i].y - profile[i - 1].y;
        s[i] = s[i - 1] + std::sqrt(dr * dr + dy * dy);
    }
    float total = s.back() > 0 ? s.back() : 1;

    // The normal of a profile point as seen from segment k (smooth points average with the
    // neighbouring segment; points on the axis point along it).
    auto pointNormal = [&](size_t k, bool atEnd) {
        const Seg& g = segs[k];
        int p = atEnd ? g.b : g.a;
        float nr = g.nr, ny = g.ny;
        if (!profile[p].sharp) {
            if (atEnd && k + 1 < segs.size() && segs[k + 1].a == p) {
                nr += segs[k + 1].nr;
                ny += segs[k + 1].ny;
            } else if (!atEnd && k > 0 && segs[k - 1].b == p) {
                nr += segs[k - 1].nr;
                ny += segs[k - 1].ny;
            }
        }
        if (profile[p].r == 0) {
            nr = 0;
            ny = ny >= 0 ? 1.0f : -1.0f;
        }
        float l = std::sqrt(nr * nr + ny * ny);
        return std::pair<float, float>(nr / l, ny / l);
    };

    Mesh local;
    for (size_t k = 0; k < segs.size(); ++k) {
        uint32_t ring[2][1024];
        for (int e = 0; e < 2; ++e) {
            int p = e ? segs[k].b : segs[k].a;
            auto [nr, ny] = pointNormal(k, e == 1);
            for (int j = 0; j <= segments; ++j) {
                float th = 2 * kPi * float(j) / float(segments);
                float sn = std::sin(th), cs = std::cos(th);
                if (j == segments) sn = 0, cs = 1;
                Vec3 pos{profile[p].r * sn, profile[p].y, -profile[p].r * cs};
                Vec3 nrm{nr * sn, ny, -nr * cs};
                ring[e][j] = local.Vert(pos, nrm, {float(j) / float(segments), s[p] / total});
            }
        }
        for (int j = 0; j < segments; ++j) {
            uint32_t tl = ring[1][j], tr = ring[1][j + 1], br = ring[0][j + 1], bl = ring[0][j];
            auto area = [&](uint32_t a, uint32_t b, uint32_t c) {
                return Length(Cross(local.verts[b].pos - local.verts[a].pos,
                                    local.verts[c].pos - local.verts[a].pos));
            };
            if (area(tl, tr, br) > 1e-9f) local.Tri(tl, tr, br, 0);
            if (area(tl, br, bl) > 1e-9f) local.Tri(tl, br, bl, 0);
        }
    }
    local.mats.push_back(m.mats[mat]);
    m.Append(local, xf);
}

void Cylinder(Mesh& m, int mat, float r0, float r1, float y0, float y1, int segments,
              const Xform& xf, bool caps) {
    if (caps)
        Lathe(m, mat, {{0, y0}, {r0, y0, true}, {r1, y1, true}, {0, y1}}, segments, xf);
    else
        Lathe(m, mat, {{r0, y0}, {r1, y1}}, segments, xf);
}

void Rod(Mesh& m, int mat, Vec3 a, Vec3 b, float r, int segments, bool caps) {
    // Local y along the rod: a frame with z along the rod, turned so that y takes its place.
    Xform f = Xform::RotX(90) * FrameZ(a, b - a, {0, 1, 0});
    Cylinder(m, mat, r, r, 0, Length(b - a), segments, f, caps);
}

void Limb(Mesh& m, int mat, Vec3 a, Vec3 b, float ra, float rb, int segments) {
    Xform f = Xform::RotX(90) * FrameZ(a, b - a, {0, 1, 0});
    Cylinder(m, mat, ra, rb, 0, Length(b - a), segments, f, true);
}

void Sphere(Mesh& m, int mat, Vec3 c, Vec3 radii, int segments, int rings) {
    std::vector<ProfilePoint> p;
    for (int i = 0; i <= rings; ++i) {
        float phi = -kPi / 2 + kPi * float(i) / float(rings);
        p.push_back({i == 0 || i == rings ? 0.0f : std::cos(phi), std::sin(phi)});
    }
    Lathe(m, mat, p, segments, Xform::Scale(radii) * Xform::Translate(c));
}

std::vector<Vec2> Circle(float r, int segments) {
    std::vector<Vec2> pts;
    for (int i = 0; i < segments; ++i) {
        float a = 2 * kPi * float(i) / float(segments);
        pts.push_back({r * std::cos(a), r * std::sin(a)});
    }
    return pts;
}

// --- Extrusions ----------------------------------------------------------------------------

namespace {

float Cross2(Vec2 o, Vec2 a, Vec2 b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); }

// Inside or on the edge: a reflex corner lying on an ear's edge must keep the ear from being cut.
bool InTriangle(Vec2 p, Vec2 a, Vec2 b, Vec2 c) {
    if (p == a || p == b || p == c) return false;
    return Cross2(a, b, p) >= 0 && Cross2(b, c, p) >= 0 && Cross2(c, a, p) >= 0;
}

// Ear clipping of a simple counter-clockwise polygon into counter-clockwise triangles.
std::vector<int> Triangulate(const std::vector<Vec2>& pts) {
    std::vector<int> idx(pts.size()), out;
    for (size_t i = 0; i < pts.size(); ++i) idx[i] = int(i);
    while (idx.size() > 3) {
        bool clipped = false;
        for (size_t i = 0; i < idx.size(); ++i) {
            int a = idx[(i + idx.size() - 1) % idx.size()], b = idx[i], c = idx[(i + 1) % idx.size()];
            if (Cross2(pts[a], pts[b], pts[c]) <= 1e-9f) continue;
            bool empty = true;
            for (int k : idx)
                if (k != a && k != b && k != c && InTriangle(pts[k], pts[a], pts[b], pts[c])) {
                    empty = false;
                    break;
                }
            if (!empty) continue;
            out.insert(out.end(), {a, b, c});
            idx.erase(idx.begin() + long(i));
            clipped = true;
            break;
        }
        if (!clipped) break;  // not simple: give up on what is left
    }
    if (idx.size() == 3) out.insert(out.end(), {idx[0], idx[1], idx[2]});
    return out;
}

}  // namespace

void Extrude(Mesh& m, int mat, const std::vector<Vec2>& outline, float z0, float z1,
             const Xform& xf, Planar uv, int sideMat) {
    if (sideMat < 0) sideMat = mat;
    std::vector<int> tris = Triangulate(outline);
    for (size_t i = 0; i + 2 < tris.size(); i += 3) {
        Vec2 a = outline[tris[i]], b = outline[tris[i + 1]], c = outline[tris[i + 2]];
        TriFace(m, mat, {a.x, a.y, z1}, {b.x, b.y, z1}, {c.x, c.y, z1}, xf, uv);
        TriFace(m, mat, {a.x, a.y, z0}, {c.x, c.y, z0}, {b.x, b.y, z0}, xf, uv);
    }
    for (size_t i = 0; i < outline.size(); ++i) {
        Vec2 p = outline[i], q = outline[(i + 1) % outline.size()];
        Quad(m, sideMat, {p.x, p.y, z0}, {q.x, q.y, z0}, {q.x, q.y, z1}, {p.x, p.y, z1}, xf, uv);
    }
}

// --- Clipping ------------------------------------------------------------------------------

Mesh ClipToBox(const Mesh& m, Vec3 lo, Vec3 hi) {
    Mesh out;
    out.mats = m.mats;
    auto lerp = [](const Vertex& a, const Vertex& b, float t) {
        return Vertex{Lerp(a.pos, b.pos, t), Unit(Lerp(a.normal, b.normal, t)),
                      {a.uv.x + (b.uv.x - a.uv.x) * t, a.uv.y + (b.uv.y - a.uv.y) * t}};
    };
    for (const Triangle& t : m.tris) {
        std::vector<Vertex> poly{m.verts[t.v[0]], m.verts[t.v[1]], m.verts[t.v[2]]};
        for (int plane = 0; plane < 6 && !poly.empty(); ++plane) {
            int axis = plane / 2;
            bool upper = plane % 2;
            float limit = axis == 0 ? (upper ? hi.x : lo.x) : axis == 1 ? (upper ? hi.y : lo.y)
                                                                        : (upper ? hi.z : lo.z);
            auto dist = [&](const Vertex& v) {
                float c = axis == 0 ? v.pos.x : axis == 1 ? v.pos.y : v.pos.z;
                return upper ? limit - c : c - limit;
            };
            std::vector<Vertex> next;
            for (size_t i = 0; i < poly.size(); ++i) {
                const Vertex &a = poly[i], &b = poly[(i + 1) % poly.size()];
                float da = dist(a), db = dist(b);
                if (da >= 0) next.push_back(a);
                if ((da >= 0) != (db >= 0)) next.push_back(lerp(a, b, da / (da - db)));
            }
            poly.swap(next);
        }
        for (size_t i = 1; i + 1 < poly.size(); ++i) {
            Vec3 n = Cross(poly[i].pos - poly[0].pos, poly[i + 1].pos - poly[0].pos);
            if (Length(n) < 1e-9f) continue;
            out.Tri(out.Vert(poly[0].pos, poly[0].normal, poly[0].uv),
                    out.Vert(poly[i].pos, poly[i].normal, poly[i].uv),
                    out.Vert(poly[i + 1].pos, poly[i + 1].normal, poly[i + 1].uv), t.material);
        }
    }
    return out;
}

// --- Stairs --------------------------------------------------------------------------------

void Stairs(Mesh& m, StairMats mats, float x0, float x1, float z0, float y0, float z1, float y1,
            int steps, const Xform& xf, bool solid) {
    float run = (z1 - z0) / float(steps), rise = (y1 - y0) / float(steps);
    for (int i = 0; i < steps; ++i) {
        float z = z0 + float(i) * run, ya = y0 + float(i) * rise, yb = ya + rise;
        Quad(m, mats.riser, {x0, yb, z}, {x1, yb, z}, {x1, ya, z}, {x0, ya, z}, xf);
        Quad(m, mats.tread, {x0, yb, z + run}, {x1, yb, z + run}, {x1, yb, z}, {x0, yb, z}, xf);
    }
    if (!solid) return;
    int side = mats.side >= 0 ? mats.side : mats.riser;
    Quad(m, side, {x1, y1, z1}, {x0, y1, z1}, {x0, y0, z1}, {x1, y0, z1}, xf);
    // The side outline in (z, y): up the steps, down the back, along the floor.
    std::vector<Vec2> outline{{z0, y0}};
    for (int i = 0; i < steps; ++i) {
        float z = z0 + float(i) * run, yb = y0 + float(i + 1) * rise;
        outline.push_back({z, yb});
        outline.push_back({z + run, yb});
    }
    outline.push_back({z1, y0});
    float area = 0;
    for (size_t i = 0; i < outline.size(); ++i) {
        const Vec2 &p = outline[i], &q = outline[(i + 1) % outline.size()];
        area += p.x * q.y - q.x * p.y;
    }
    if (area < 0) std::reverse(outline.begin(), outline.end());
    std::vector<int> tris = Triangulate(outline);
    for (size_t i = 0; i + 2 < tris.size(); i += 3) {
        Vec2 a = outline[tris[i]], b = outline[tris[i + 1]], c = outline[tris[i + 2]];
        for (float x : {x0, x1}) {
            Vec3 pa{x, a.y, a.x}, pb{x, b.y, b.x}, pc{x, c.y, c.x};
            float facing = Cross(pb - pa, pc - pa).x;
            if ((x == x1) != (facing > 0)) std::swap(pb, pc);
            TriFace(m, side, pa, pb, pc, xf);
        }
    }
}

}  // namespace assetgen::mesh
