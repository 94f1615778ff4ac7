// The four vehicles of the road, each built facing its lane's way of travel (lanes 0 and 1 run
// towards -x, lanes 2 and 3 towards +x), their origin at the middle of the footprint on the road.
// All are shorter than 700, at most 200 wide and under 250 tall, with flat-ish roofs a can can
// ride on. They are collision geometry too, so they are closed solids.
#include "meshes/models.h"

namespace assetgen::mesh {

namespace {

struct CarLook {
    const char* tag;
    Rgb paint;
    float width;
    std::vector<Vec2> body;    // side outline facing +x, counter-clockwise
    std::vector<Vec2> cabin;   // the glasshouse above the body, or empty
    float wheelbase, wheelR;
};

void Wheels(Mesh& m, int tyre, int hub, float wheelbase, float r, float halfWidth) {
    for (float x : {-wheelbase / 2, wheelbase / 2})
        for (float side : {-1.0f, 1.0f}) {
            float z0 = side * (halfWidth - 24), z1 = side * (halfWidth + 1);
            Xform along = Xform::RotX(90) * Xform::Translate(x, r, 0);
            Cylinder(m, tyre, r, r, std::min(z0, z1), std::max(z0, z1), 14, along);
            float h0 = side > 0 ? z1 : z1 - 2, h1 = side > 0 ? z1 + 2 : z1;
            Cylinder(m, hub, r * 0.55f, r * 0.55f, h0, h1, 10, along);
        }
}

Mesh Car(const CarLook& c) {
    Mesh m;
    std::string t = c.tag;
    int paint = m.Mat(Flat(t + "Paint", c.paint, 0.1f));
    int glass = m.Mat(Flat(t + "Glass", {0.2f, 0.28f, 0.36f}, 0.1f));
    int tyre = m.Mat(Flat("Tyre", {0.08f, 0.08f, 0.09f}));
    int hub = m.Mat(Flat("Hub", {0.7f, 0.7f, 0.72f}));
    int head = m.Mat(Flat("Headlight", {1, 0.95f, 0.75f}, 0.8f));
    int tail = m.Mat(Flat("Taillight", {0.9f, 0.1f, 0.08f}, 0.6f));
    int trim = m.Mat(Flat("Trim", {0.15f, 0.15f, 0.17f}));
    float hw = c.width / 2;
    Extrude(m, paint, c.body, -hw, hw);
    if (!c.cabin.empty()) Extrude(m, glass, c.cabin, -hw + 10, hw - 10);
    Wheels(m, tyre, hub, c.wheelbase, c.wheelR, hw);
    // Lamps on the nose and the tail, a bumper at each end.
    float front = -1e9f, back = 1e9f;
    for (const Vec2& p : c.body) front = std::max(front, p.x), back = std::min(back, p.x);
    for (float side : {-1.0f, 1.0f}) {
        float z = side * (hw - 28);
        Box(m, head, {front - 4, 52, z - 18}, {front + 1, 66, z + 18});
        Box(m, tail, {back - 1, 58, z - 16}, {back + 4, 72, z + 16});
    }
    Box(m, trim, {front - 6, 20, -hw + 4}, {front + 3, 36, hw - 4});
    Box(m, trim, {back - 3, 20, -hw + 4}, {back + 6, 36, hw - 4});
    return m;
}

Mesh Hatchback() {
    CarLook c{"Hatch", {0.8f, 0.12f, 0.1f}, 176,
              {{-200, 22}, {200, 22}, {200, 70}, {186, 86}, {60, 96}, {-196, 98}, {-200, 84}},
              {{55, 96}, {-10, 146}, {-160, 146}, {-192, 104}, {-192, 98}},
              270, 30};
    Mesh m = Car(c);
    Box(m, m.Mat(Flat("HatchPaint", c.paint, 0.1f)), {-165, 146, -70}, {-5, 151, 70});
    return m;
}

Mesh Taxi() {
    CarLook c{"Taxi", {0.95f, 0.7f, 0.1f}, 178,
              {{-230, 22}, {230, 22}, {230, 68}, {215, 84}, {85, 92}, {-150, 92}, {-225, 88}, {-230, 72}},
              {{80, 92}, {25, 142}, {-110, 142}, {-150, 98}, {-150, 92}},
              285, 31};
    Mesh m = Car(c);
    int paint = m.Mat(Flat("TaxiPaint", c.paint, 0.1f));
    Box(m, paint, {-115, 142, -72}, {25, 147, 72});
    Box(m, m.Mat(Flat("TaxiSign", {0.95f, 0.95f, 0.9f}, 0.5f)), {-70, 147, -30}, {-20, 164, 30});
    Box(m, m.Mat(Flat("TaxiStripe", {0.15f, 0.15f, 0.17f})), {-230, 56, -90}, {230, 62, 90});
    return m;
}

Mesh Truck() {
    // A cab with a flat roof in front and a box body behind it.
    CarLook c{"Truck", {0.2f, 0.4f, 0.75f}, 200,
              {{-270, 26}, {270, 26}, {270, 60}, {262, 140}, {250, 210}, {160, 214}, {160, 60}, {-270, 60}},
              {},
              330, 36};
    Mesh m = Car(c);
    int cargo = m.Mat(Flat("TruckCargo", {0.85f, 0.85f, 0.82f}, 0.1f));
    int glass = m.Mat(Flat("TruckGlass", {0.2f, 0.28f, 0.36f}, 0.1f));
    Box(m, cargo, {-270, 60, -100}, {150, 230, 100});
    Box(m, glass, {254, 132, -88}, {265, 196, 88});
    Box(m, glass, {185, 132, -101}, {245, 196, 101});
    Box(m, m.Mat(Flat("TruckStripe", {0.2f, 0.4f, 0.75f})), {-265, 150, -101}, {145, 170, 101});
    return m;
}

Mesh SportsCar() {
    CarLook c{"Sports", {0.15f, 0.65f, 0.3f}, 186,
              {{-225, 18}, {225, 18}, {225, 42}, {205, 62}, {40, 78}, {-200, 82}, {-225, 70}},
              {{30, 78}, {-40, 112}, {-130, 112}, {-180, 84}, {-180, 80}},
              265, 29};
    Mesh m = Car(c);
    Box(m, m.Mat(Flat("SportsPaint", c.paint, 0.1f)), {-135, 112, -66}, {-40, 115, 66});
    Box(m, m.Mat(Flat("Spoiler", {0.1f, 0.1f, 0.12f})), {-228, 92, -85}, {-195, 97, 85});
    for (float z : {-70.0f, 70.0f}) Box(m, m.Mat(Flat("Trim", {0.15f, 0.15f, 0.17f})), {-220, 82, z - 4}, {-205, 92, z + 4});
    return m;
}

Mesh FacingMinusX(Mesh m) {
    m.Transform(Xform::RotY(180));
    return m;
}

}  // namespace

std::vector<NamedMesh> CarMeshes() {
    return {
        {"XFile/Track1.x", FacingMinusX(Hatchback())},
        {"XFile/Track2.x", FacingMinusX(Taxi())},
        {"XFile/Track3.x", Truck()},
        {"XFile/Track4.x", SportsCar()},
    };
}

}  // namespace assetgen::mesh
