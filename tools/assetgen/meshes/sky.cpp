// The sky dome: a full sphere of radius 1000 seen from inside (faces and normals inward),
// evenly bright under any light (emissive white), its picture mapped latitude by longitude.
// No sun is painted on it: the sky turns, while the lens-flare suns stay put.
#include "meshes/models.h"
#include "meshes/textures.h"

namespace assetgen::mesh {

namespace {

constexpr float kRadius = 1000;

Mesh BuildSky() {
    Mesh m;
    Material sky = Textured("Sky", {1, 1, 1}, tex::kSky);
    sky.emissive = {1, 1, 1};
    int mat = m.Mat(sky);
    // From the zenith down to the nadir: a profile walked downwards faces inwards, and v runs
    // from the top of the picture at the zenith to its bottom at the nadir.
    std::vector<ProfilePoint> p;
    constexpr int kRings = 16;
    for (int i = 0; i <= kRings; ++i) {
        float phi = kPi / 2 - kPi * float(i) / kRings;
        p.push_back({i == 0 || i == kRings ? 0.0f : kRadius * std::cos(phi), kRadius * std::sin(phi)});
    }
    Lathe(m, mat, p, 32);
    return m;
}

}  // namespace

std::vector<NamedMesh> SkyMeshes() { return {{"XFile/Sky.x", BuildSky()}}; }

}  // namespace assetgen::mesh
