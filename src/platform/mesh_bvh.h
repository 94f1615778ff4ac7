// The ray-query index of a mesh: a bounding-volume hierarchy over its triangles.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/math.h"

namespace plat {

struct Mesh;

struct MeshBvh {
    // An inner node (count 0) has its two children at first and first + 1; a leaf holds
    // tris[first .. first + count).
    struct Node {
        float lo[3];
        uint32_t first;
        float hi[3];
        uint32_t count;
    };
    // A triangle as the ray kernel wants it, with its face number in the mesh.
    struct Tri {
        Vec3 p0, e1, e2;
        uint32_t face;
    };
    std::vector<Node> nodes;  // nodes[0] is the root; empty when there is nothing to hit
    std::vector<Tri> tris;
    unsigned depth = 0;       // longest root-to-leaf path, in nodes

    static constexpr unsigned kMaxDepth = 64;
};

// (Re)builds the index from the mesh's current vertices and indices, reusing its storage.
// Triangles with a non-finite corner are left out: no ray can hit them.
void BuildMeshBvh(MeshBvh& bvh, const Mesh& mesh);

// Nearest hit along pos + t dir, t >= 0, either face. No allocation.
bool RayMeshBvh(const MeshBvh& bvh, const Vec3& pos, const Vec3& dir, float* t, uint32_t* face);

// How far outside a triangle's edges (in barycentric units) a mesh ray still counts as a
// hit: it closes the hairline gaps that rounding opens along edges two triangles share.
constexpr float kMeshEdgeSlack = 1e-5f;

}  // namespace plat
