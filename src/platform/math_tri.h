// The ray-triangle kernel shared by IntersectTri and the mesh ray index, so that both give
// bit-identical answers for the same triangle.
#pragma once

#include <cmath>

#include "platform/math.h"

namespace plat::detail {

// Moeller-Trumbore without culling. e1 = p1 - p0, e2 = p2 - p0. A hit is
// p0 + u e1 + v e2 = pos + t dir with u, v >= -slack, u + v <= 1 + slack, t >= 0.
inline bool RayTriangle(const Vec3& p0, const Vec3& e1, const Vec3& e2, const Vec3& pos,
                        const Vec3& dir, float slack, float* u, float* v, float* t) {
    Vec3 pv = Vec3Cross(dir, e2);
    float det = Vec3Dot(e1, pv);
    if (det == 0.0f || !std::isfinite(det)) return false;  // parallel, degenerate or NaN
    float inv = 1.0f / det;
    Vec3 tv = pos - p0;
    float bu = Vec3Dot(tv, pv) * inv;
    if (!(bu >= -slack && bu <= 1.0f + slack)) return false;
    Vec3 qv = Vec3Cross(tv, e1);
    float bv = Vec3Dot(dir, qv) * inv;
    if (!(bv >= -slack && bu + bv <= 1.0f + slack)) return false;
    float bt = Vec3Dot(e2, qv) * inv;
    if (!(bt >= 0.0f)) return false;
    *u = bu;
    *v = bv;
    *t = bt;
    return true;
}

}  // namespace plat::detail
