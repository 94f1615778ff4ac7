// Meshes read from .x files (text or binary): one subset per material, shared vertices, a
// vertex array the game may change in place, and a bounding-volume hierarchy for ray queries.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/device.h"
#include "platform/math.h"

namespace plat {

// Position, normal, one texture coordinate: FVF_XYZ | FVF_NORMAL | FVF_TEX1, 32 bytes.
struct MeshVertex {
    Vec3 pos;
    Vec3 normal;
    Vec2 uv;
};

struct MeshSubset {
    unsigned firstIndex = 0;  // into Mesh::indices
    unsigned indexCount = 0;  // a multiple of 3
};

// A material as the file stores it, with the texture file name exactly as written there.
struct MeshMaterial {
    Material material;
    std::string textureFile;  // empty when the material names no texture
};

struct MeshBvh;  // the ray-query index, built at load and rebuilt by MeshVerticesChanged

struct Mesh {
    std::vector<MeshVertex> vertices;
    std::vector<uint32_t> indices;     // triangle list
    std::vector<MeshSubset> subsets;   // subset i uses material i
    std::vector<MeshMaterial> materials;
    std::shared_ptr<MeshBvh> bvh;
    uint32_t deviceHandle = 0;         // the device backend's own name for it
    bool dirty = true;                 // vertices changed since the last upload

    unsigned NumVertices() const { return unsigned(vertices.size()); }
    static constexpr unsigned kStride = sizeof(MeshVertex);
};

// Loads an .x file; null when it cannot be read.
Mesh* LoadXMesh(const std::string& path);
// After changing vertices in place: marks the mesh for upload and refreshes its ray index.
void MeshVerticesChanged(Mesh* mesh);
// Frees the mesh (the current device forgets it first); null does nothing.
void ReleaseMeshObject(Mesh* mesh);

// Nearest hit of a ray against the mesh's triangles, either face. dist is in units of
// |rayDir|. Returns false on a miss (hit false as well).
bool IntersectMesh(const Mesh* mesh, const Vec3& rayPos, const Vec3& rayDir, bool* hit,
                   float* dist, unsigned* faceIndex = nullptr);

}  // namespace plat
