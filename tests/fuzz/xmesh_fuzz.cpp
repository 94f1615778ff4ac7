// The .x loader on any bytes, and what the game then does with a mesh: rebuild the ray index
// (as after a dent) and cast the rays of the can's flight at it.
#include <cstdint>

#include "fuzz_input.h"
#include "platform/mesh.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = fuzz::ScratchPath(".x");
    if (!fuzz::WriteInput(path, data, size)) return 0;
    plat::Mesh* mesh = plat::LoadXMesh(path);
    if (!mesh) return 0;
    if (!mesh->vertices.empty()) mesh->vertices[0].pos.y += 1.0f;
    plat::MeshVerticesChanged(mesh);
    const plat::Vec3 from[3] = {{0, 100, 0}, {0, 0, -100}, {1e30f, 0, 0}};
    const plat::Vec3 dir[3] = {{0, -1, 0}, {0, 0, 1}, {-1, 0, 0}};
    for (int i = 0; i < 3; ++i) {
        bool hit = false;
        float dist = 0;
        plat::IntersectMesh(mesh, from[i], dir[i], &hit, &dist);
    }
    plat::ReleaseMeshObject(mesh);
    return 0;
}
