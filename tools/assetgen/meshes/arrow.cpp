// The wind arrow: 76 long along +z about its middle (the pivot), a shaft 12 wide and a head
// 26 wide, 9 thick; everything within 40 of the pivot so that no part leaves its little
// viewport as it turns. Bright, with some glow, to read from 18 degrees above.
#include "meshes/models.h"

namespace assetgen::mesh {

namespace {

Mesh BuildArrow() {
    Mesh m;
    int top = m.Mat(Flat("ArrowBody", {1.0f, 0.55f, 0.05f}, 0.35f));
    int edge = m.Mat(Flat("ArrowEdge", {0.9f, 0.25f, 0.05f}, 0.25f));
    // Outline in (x, z), counter-clockwise with z playing the role of y.
    std::vector<Vec2> outline = {{-6, -38}, {6, -38}, {6, 8}, {13, 8}, {0, 38}, {-13, 8}, {-6, 8}};
    // Extrude along local z, then stand it so that local y becomes +z and the depth vertical.
    Extrude(m, top, outline, -4.5f, 4.5f, Xform::RotX(90), {}, edge);
    return m;
}

}  // namespace

std::vector<NamedMesh> ArrowMeshes() { return {{"XFile/Arrow.x", BuildArrow()}}; }

}  // namespace assetgen::mesh
