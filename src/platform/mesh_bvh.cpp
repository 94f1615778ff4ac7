// Bounding-volume hierarchy for ray queries: binned surface-area splits, nearest-first
// traversal on a fixed stack.
#include "platform/mesh_bvh.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/math_tri.h"
#include "platform/mesh.h"

namespace plat {

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr unsigned kBins = 16;
constexpr unsigned kLeafSmall = 2;   // never split below this
constexpr unsigned kLeafLarge = 8;   // split even when the area heuristic says no
constexpr unsigned kSahDepth = 40;   // past this, plain median splits keep the tree shallow

struct Box {
    float lo[3] = {kInf, kInf, kInf};
    float hi[3] = {-kInf, -kInf, -kInf};
    void Grow(const Box& b) {
        for (int a = 0; a < 3; ++a) {
            lo[a] = std::min(lo[a], b.lo[a]);
            hi[a] = std::max(hi[a], b.hi[a]);
        }
    }
    void Grow(const float* p) {
        for (int a = 0; a < 3; ++a) {
            lo[a] = std::min(lo[a], p[a]);
            hi[a] = std::max(hi[a], p[a]);
        }
    }
    float HalfArea() const {
        float dx = hi[0] - lo[0], dy = hi[1] - lo[1], dz = hi[2] - lo[2];
        if (dx < 0) return 0;  // empty
        return dx * dy + dy * dz + dz * dx;
    }
};

struct Builder {
    MeshBvh& bvh;
    std::vector<Box> box;        // per candidate triangle, padded
    std::vector<float> centre;   // 3 per candidate
    std::vector<uint32_t> order; // candidates, leaf ranges index into it

    void Build(uint32_t nodeIndex, uint32_t begin, uint32_t end, unsigned depth);
    void MakeLeaf(uint32_t nodeIndex, uint32_t begin, uint32_t end) {
        bvh.nodes[nodeIndex].first = begin;
        bvh.nodes[nodeIndex].count = end - begin;
    }
};

void Builder::Build(uint32_t nodeIndex, uint32_t begin, uint32_t end, unsigned depth) {
    bvh.depth = std::max(bvh.depth, depth + 1);
    Box bounds, cbounds;
    for (uint32_t i = begin; i < end; ++i) {
        bounds.Grow(box[order[i]]);
        cbounds.Grow(&centre[3 * order[i]]);
    }
    {
        MeshBvh::Node& node = bvh.nodes[nodeIndex];
        for (int a = 0; a < 3; ++a) {
            node.lo[a] = bounds.lo[a];
            node.hi[a] = bounds.hi[a];
        }
    }
    const uint32_t n = end - begin;
    if (n <= kLeafSmall || depth + 2 >= MeshBvh::kMaxDepth) {
        MakeLeaf(nodeIndex, begin, end);
        return;
    }

    // Binned surface-area heuristic over the three axes.
    int bestAxis = -1;
    unsigned bestSplit = 0;
    float bestCost = kInf;
    if (depth < kSahDepth) {
        for (int a = 0; a < 3; ++a) {
            float extent = cbounds.hi[a] - cbounds.lo[a];
            if (!(extent > 0)) continue;
            float scale = float(kBins) / extent;
            Box binBox[kBins];
            unsigned binCount[kBins] = {};
            for (uint32_t i = begin; i < end; ++i) {
                uint32_t t = order[i];
                unsigned b = std::min(kBins - 1, unsigned((centre[3 * t + a] - cbounds.lo[a]) * scale));
                binBox[b].Grow(box[t]);
                ++binCount[b];
            }
            float rightArea[kBins];
            unsigned rightCount[kBins];
            Box acc;
            unsigned cnt = 0;
            for (unsigned b = kBins - 1; b > 0; --b) {
                acc.Grow(binBox[b]);
                cnt += binCount[b];
                rightArea[b] = acc.HalfArea();
                rightCount[b] = cnt;
            }
            acc = Box{};
            cnt = 0;
            for (unsigned b = 1; b < kBins; ++b) {  // split between bins b - 1 and b
                acc.Grow(binBox[b - 1]);
                cnt += binCount[b - 1];
                if (cnt == 0 || rightCount[b] == 0) continue;
                float cost = float(cnt) * acc.HalfArea() + float(rightCount[b]) * rightArea[b];
                if (cost < bestCost) {
                    bestCost = cost;
                    bestAxis = a;
                    bestSplit = b;
                }
            }
        }
    }

    uint32_t mid;
    float area = bounds.HalfArea();
    bool sahWorthIt = bestAxis >= 0 && (area <= 0 || 1.0f + bestCost / area < float(n));
    if (sahWorthIt) {
        float extent = cbounds.hi[bestAxis] - cbounds.lo[bestAxis];
        float scale = float(kBins) / extent, lo = cbounds.lo[bestAxis];
        auto* split = std::partition(order.data() + begin, order.data() + end, [&](uint32_t t) {
            return std::min(kBins - 1, unsigned((centre[3 * t + bestAxis] - lo) * scale)) < bestSplit;
        });
        mid = uint32_t(split - order.data());
    } else if (n <= kLeafLarge) {
        MakeLeaf(nodeIndex, begin, end);
        return;
    } else {
        // Median along the widest spread of centres: always halves, whatever the shapes.
        int axis = 0;
        for (int a = 1; a < 3; ++a)
            if (cbounds.hi[a] - cbounds.lo[a] > cbounds.hi[axis] - cbounds.lo[axis]) axis = a;
        mid = begin + n / 2;
        std::nth_element(order.data() + begin, order.data() + mid, order.data() + end,
                         [&](uint32_t x, uint32_t y) { return centre[3 * x + axis] < centre[3 * y + axis]; });
    }
    if (mid == begin || mid == end) mid = begin + n / 2;  // cannot happen, but never loop

    uint32_t left = uint32_t(bvh.nodes.size());
    bvh.nodes.push_back({});
    bvh.nodes.push_back({});
    bvh.nodes[nodeIndex].first = left;
    bvh.nodes[nodeIndex].count = 0;
    Build(left, begin, mid, depth + 1);
    Build(left + 1, mid, end, depth + 1);
}

bool Finite(const Vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// Slab test against [t0, best]; the entry distance goes to *enter.
inline bool HitBox(const MeshBvh::Node& n, const float o[3], const float inv[3], const bool flat[3],
                   float best, float* enter) {
    float t0 = 0.0f, t1 = best;
    for (int a = 0; a < 3; ++a) {
        if (flat[a]) {  // the ray runs parallel to these slabs
            if (o[a] < n.lo[a] || o[a] > n.hi[a]) return false;
            continue;
        }
        float ta = (n.lo[a] - o[a]) * inv[a];
        float tb = (n.hi[a] - o[a]) * inv[a];
        if (ta > tb) std::swap(ta, tb);
        t0 = ta > t0 ? ta : t0;
        t1 = tb < t1 ? tb : t1;
        if (t0 > t1) return false;
    }
    *enter = t0;
    return true;
}

}  // namespace

void BuildMeshBvh(MeshBvh& bvh, const Mesh& mesh) {
    bvh.nodes.clear();
    bvh.tris.clear();
    bvh.depth = 0;

    Builder b{bvh, {}, {}, {}};
    std::vector<MeshBvh::Tri> cand;
    const size_t faces = mesh.indices.size() / 3;
    const size_t nv = mesh.vertices.size();
    cand.reserve(faces);
    b.box.reserve(faces);
    b.centre.reserve(3 * faces);
    for (size_t f = 0; f < faces; ++f) {
        uint32_t i0 = mesh.indices[3 * f], i1 = mesh.indices[3 * f + 1], i2 = mesh.indices[3 * f + 2];
        if (i0 >= nv || i1 >= nv || i2 >= nv) continue;
        const Vec3& p0 = mesh.vertices[i0].pos;
        const Vec3& p1 = mesh.vertices[i1].pos;
        const Vec3& p2 = mesh.vertices[i2].pos;
        if (!Finite(p0) || !Finite(p1) || !Finite(p2)) continue;
        cand.push_back({p0, p1 - p0, p2 - p0, uint32_t(f)});
        Box bx;
        bx.Grow(&p0.x);
        bx.Grow(&p1.x);
        bx.Grow(&p2.x);
        // Pad so that rounding in the slab test can never lose a hit near a box face, nor one
        // the edge slack lets through.
        float ext = 0, mag = 0;
        for (int a = 0; a < 3; ++a) {
            ext = std::max(ext, bx.hi[a] - bx.lo[a]);
            mag = std::max(mag, std::max(std::fabs(bx.lo[a]), std::fabs(bx.hi[a])));
        }
        float pad = ext * 1e-4f + mag * 1e-6f;
        for (int a = 0; a < 3; ++a) {
            bx.lo[a] -= pad;
            bx.hi[a] += pad;
        }
        float c[3];
        bool sane = true;
        for (int a = 0; a < 3; ++a) {
            c[a] = 0.5f * bx.lo[a] + 0.5f * bx.hi[a];
            sane = sane && std::isfinite(bx.lo[a]) && std::isfinite(bx.hi[a]) && std::isfinite(c[a]);
        }
        if (!sane) {  // corners near the float limit: the kernel overflows on them anyway
            cand.pop_back();
            continue;
        }
        b.box.push_back(bx);
        b.centre.insert(b.centre.end(), c, c + 3);
    }
    if (cand.empty()) return;

    b.order.resize(cand.size());
    for (uint32_t i = 0; i < b.order.size(); ++i) b.order[i] = i;
    bvh.nodes.reserve(2 * cand.size());
    bvh.nodes.push_back({});
    b.Build(0, 0, uint32_t(cand.size()), 0);

    bvh.tris.resize(cand.size());
    for (size_t i = 0; i < b.order.size(); ++i) bvh.tris[i] = cand[b.order[i]];
}

bool RayMeshBvh(const MeshBvh& bvh, const Vec3& pos, const Vec3& dir, float* t, uint32_t* face) {
    if (bvh.nodes.empty() || !Finite(pos) || !Finite(dir)) return false;
    if (dir.x == 0 && dir.y == 0 && dir.z == 0) return false;
    const float o[3] = {pos.x, pos.y, pos.z};
    const float d[3] = {dir.x, dir.y, dir.z};
    float inv[3];
    bool flat[3];
    for (int a = 0; a < 3; ++a) {
        flat[a] = d[a] == 0.0f;
        inv[a] = flat[a] ? 0.0f : 1.0f / d[a];
    }

    struct Entry {
        uint32_t node;
        float enter;
    };
    Entry stack[MeshBvh::kMaxDepth];
    unsigned sp = 0;
    float best = kInf, enter;
    uint32_t bestFace = 0;
    bool found = false;
    if (!HitBox(bvh.nodes[0], o, inv, flat, best, &enter)) return false;
    uint32_t ni = 0;
    for (;;) {
        const MeshBvh::Node& n = bvh.nodes[ni];
        if (n.count) {
            for (uint32_t i = n.first, e = n.first + n.count; i < e; ++i) {
                const MeshBvh::Tri& tri = bvh.tris[i];
                float u, v, dist;
                if (detail::RayTriangle(tri.p0, tri.e1, tri.e2, pos, dir, kMeshEdgeSlack, &u, &v, &dist) &&
                    dist < best) {
                    best = dist;
                    bestFace = tri.face;
                    found = true;
                }
            }
        } else {
            float ta, tb;
            bool ha = HitBox(bvh.nodes[n.first], o, inv, flat, best, &ta);
            bool hb = HitBox(bvh.nodes[n.first + 1], o, inv, flat, best, &tb);
            if (ha && hb) {
                uint32_t nearer = n.first, farther = n.first + 1;
                if (tb < ta) {
                    std::swap(nearer, farther);
                    std::swap(ta, tb);
                }
                stack[sp++] = {farther, tb};
                ni = nearer;
                continue;
            }
            if (ha || hb) {
                ni = ha ? n.first : n.first + 1;
                continue;
            }
        }
        for (;;) {
            if (sp == 0) {
                if (found) {
                    *t = best;
                    *face = bestFace;
                }
                return found;
            }
            const Entry& e = stack[--sp];
            if (e.enter <= best) {
                ni = e.node;
                break;
            }
        }
    }
}

}  // namespace plat
