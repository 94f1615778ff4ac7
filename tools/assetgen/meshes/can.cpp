// The drink can: 14 across and 20 tall about its centre, its axis along y. The side carries the
// 128 x 128 label once round, u growing to the right as seen from outside, and from the top rim
// (v 0) to the bottom rim (v 1); both ends sit on one texel of the label's plain rim band. The
// labels repeat their design at a quarter and three quarters of the way round, so u 0.25 faces
// -z, where the ready phase's camera looks at an upright can. The side's vertices are shared so that dents move the surface, not tear it.
#include "meshes/models.h"

namespace assetgen::mesh {

namespace {

constexpr int kAround = 24;

struct Row {
    float y, r;
};

// From the bottom rim to the top rim: a tapered shoulder at each end, a straight side between.
const Row kRows[] = {
    {-10.0f, 6.0f}, {-9.4f, 6.8f}, {-8.6f, 7.0f}, {-6.6f, 7.0f}, {-4.5f, 7.0f}, {-2.3f, 7.0f},
    {0.0f, 7.0f},   {2.3f, 7.0f},  {4.5f, 7.0f},  {6.6f, 7.0f},  {8.6f, 7.0f},  {9.4f, 6.8f},
    {10.0f, 6.0f},
};
constexpr int kRowCount = int(sizeof kRows / sizeof kRows[0]);

Vec3 OnRing(float r, float y, float turn) {
    if (turn >= 1) turn = 0;  // the seam's two copies of a vertex share one position exactly
    float th = 2 * kPi * (turn - 0.25f);
    return {r * std::sin(th), y, -r * std::cos(th)};
}

}  // namespace

Mesh BuildCan() {
    Mesh m;
    int metal = m.Mat(Flat("CanMetal", {1, 1, 1}));

    // The side, smooth: normals from the neighbouring rows' slope.
    std::vector<std::vector<uint32_t>> side(kRowCount);
    for (int i = 0; i < kRowCount; ++i) {
        const Row& lo = kRows[i > 0 ? i - 1 : i];
        const Row& hi = kRows[i + 1 < kRowCount ? i + 1 : i];
        float dr = hi.r - lo.r, dy = hi.y - lo.y, l = std::sqrt(dr * dr + dy * dy);
        float nr = dy / l, ny = -dr / l;
        for (int j = 0; j <= kAround; ++j) {
            float turn = float(j) / kAround;
            Vec3 p = OnRing(kRows[i].r, kRows[i].y, turn);
            Vec3 n = OnRing(nr, 0, turn);
            n.y = ny;
            side[i].push_back(m.Vert(p, Unit(n), {turn, (10 - kRows[i].y) / 20}));
        }
    }
    for (int i = 0; i + 1 < kRowCount; ++i)
        for (int j = 0; j < kAround; ++j) {
            uint32_t tl = side[i + 1][j], tr = side[i + 1][j + 1], br = side[i][j + 1], bl = side[i][j];
            m.Tri(tl, tr, br, metal);
            m.Tri(tl, br, bl, metal);
        }

    // The ends: a rim ring, a lid sunk a little inside it, and the lid's middle.
    const Vec2 rimTexel{64.5f / 128, 3.5f / 128};
    for (int end = 0; end < 2; ++end) {
        float sign = end ? 1.0f : -1.0f;
        Vec3 n{0, sign, 0};
        struct Ring {
            float r, y;
        } rings[] = {{6.0f, 10.0f}, {5.3f, 9.5f}, {2.6f, 9.5f}};
        std::vector<uint32_t> ring[3];
        for (int k = 0; k < 3; ++k)
            for (int j = 0; j < kAround; ++j)
                ring[k].push_back(m.Vert(OnRing(rings[k].r, sign * rings[k].y, float(j) / kAround),
                                         n, rimTexel));
        uint32_t centre = m.Vert({0, sign * 9.5f, 0}, n, rimTexel);
        for (int j = 0; j < kAround; ++j) {
            int j1 = (j + 1) % kAround;
            auto tri = [&](uint32_t a, uint32_t b, uint32_t c) {
                if (end) m.Tri(a, b, c, metal);
                else m.Tri(a, c, b, metal);
            };
            for (int k = 0; k < 2; ++k) {
                const auto &o = ring[k], &in = ring[k + 1];
                tri(in[j], in[j1], o[j1]);
                tri(in[j], o[j1], o[j]);
            }
            tri(centre, ring[2][j1], ring[2][j]);
        }
    }
    return m;
}

std::vector<NamedMesh> CanMeshes() { return {{"XFile/Can.x", BuildCan()}}; }

}  // namespace assetgen::mesh
