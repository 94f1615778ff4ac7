// Small hand-made collision meshes for the flight tests.
#pragma once

#include <memory>
#include <vector>

#include "gfx/xfile.h"
#include "platform/mesh.h"

namespace test {

// A mesh record owning a plain triangle mesh, with its ray index built.
struct HandMesh {
    std::unique_ptr<plat::Mesh> mesh = std::make_unique<plat::Mesh>();
    XFILE record;

    HandMesh() { record.lpMesh = mesh.get(); }
    HandMesh(const HandMesh&) = delete;
    ~HandMesh() { record.lpMesh = nullptr; }

    void Quad(plat::Vec3 a, plat::Vec3 b, plat::Vec3 c, plat::Vec3 d) {
        uint32_t base = uint32_t(mesh->vertices.size());
        for (const plat::Vec3& p : {a, b, c, d}) mesh->vertices.push_back({p, plat::Vec3(0, 1, 0), {}});
        for (uint32_t i : {0u, 1u, 2u, 0u, 2u, 3u}) mesh->indices.push_back(base + i);
        mesh->subsets.assign(1, {0, unsigned(mesh->indices.size())});
        plat::MeshVerticesChanged(mesh.get());
    }
    // Horizontal square at height y.
    void Floor(float y, float half = 10000) {
        Quad({-half, y, -half}, {-half, y, half}, {half, y, half}, {half, y, -half});
    }
    // Vertical plane z = z0 + x * slope (a square wall when slope is 0).
    void WallZ(float z0, float slope = 0, float half = 1000) {
        Quad({-half, -half, z0 - half * slope}, {-half, half, z0 - half * slope},
             {half, half, z0 + half * slope}, {half, -half, z0 + half * slope});
    }
};

}  // namespace test
