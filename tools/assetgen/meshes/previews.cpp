// The stage-select carousel's previews: each stage itself, cut down to its telling part,
// shrunk onto a plinth whose corners lie kReach from the spin axis, centred on that axis with
// its base at kBaseY. The highlighted preview spins left of the screen's middle and tilts
// towards the camera, so its reach, not its width, must keep it on the screen. Walls facing
// inwards vanish from outside, so the previews read as cut-away models. The title's light
// comes from the camera with little ambient: the materials glow a little.
#include <algorithm>
#include <cmath>

#include "meshes/models.h"

namespace assetgen::mesh {

namespace {

constexpr float kReach = 1.5f;
constexpr float kBaseY = -0.45f;
constexpr float kGlow = 0.22f;

// `tall` stretches the heights: the real stages are flat for their size.
Mesh Miniature(const Mesh& stage, Vec3 lo, Vec3 hi, float tall) {
    Mesh cut = ClipToBox(stage, lo, hi);
    float s = 2 * kReach / std::hypot(hi.x - lo.x, hi.z - lo.z);
    Vec3 centre{(lo.x + hi.x) / 2, lo.y, (lo.z + hi.z) / 2};
    cut.Transform(Xform::Translate(-centre) * Xform::Scale({s, s * tall, s}) * Xform::Translate(0, kBaseY, 0));
    for (Material& mat : cut.mats) {
        mat.emissive = mat.diffuse * kGlow;
        mat.name = "Preview" + mat.name;
    }
    int plinth = cut.Mat(Flat("PreviewPlinth", {0.25f, 0.27f, 0.3f}, kGlow));
    float hx = (hi.x - lo.x) * s / 2 + 0.04f, hz = (hi.z - lo.z) * s / 2 + 0.04f;
    Box(cut, plinth, {-hx, kBaseY - 0.1f, -hz}, {hx, kBaseY - 0.005f, hz});
    return cut;
}

Mesh StationPreview() {
    return Miniature(StationStage(), {-700, -1, -700}, {1900, 1750, 3720}, 1.3f);
}

Mesh BridgePreview() {
    Mesh stage = BridgeStage();
    // A few cars on their lanes, and the river kept to the model's footprint.
    std::vector<NamedMesh> cars = CarMeshes();
    const float lanes[4] = {580, 880, 1230, 1530};
    const float xs[4][2] = {{1400, -900}, {300, -1500}, {-200, 1900}, {900, 2300}};
    for (int l = 0; l < 4; ++l)
        for (float x : xs[l]) stage.Append(cars[l].mesh, Xform::Translate(x, 0, lanes[l]));
    return Miniature(stage, {-1700, -420, -760}, {2700, 950, 5060}, 2.2f);
}

Mesh SchoolPreview() {
    // Cut below the ceiling lights, which would float over the open room.
    return Miniature(ClassroomStage(), {-650, -1, 850}, {350, 288, 2098}, 1.6f);
}

}  // namespace

std::vector<NamedMesh> PreviewMeshes() {
    return {
        {"XFile/StageSelect/steation.x", StationPreview()},
        {"XFile/StageSelect/bridge.x", BridgePreview()},
        {"XFile/StageSelect/school.x", SchoolPreview()},
    };
}

}  // namespace assetgen::mesh
