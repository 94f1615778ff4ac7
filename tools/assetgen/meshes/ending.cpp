// The award ceremony's set, at its own small scale: the walkable ground is at world y -2 and
// everything that stands on it has its origin at its base (the characters at their soles).
// The characters face -z and are about 1.5 tall; all four share one head, centred at
// (0, 1.12, 0) with radius 0.34, on which the two face overlays sit.
#include "meshes/models.h"
#include "meshes/textures.h"

namespace assetgen::mesh {

namespace {

const Rgb kSkin{0.95f, 0.76f, 0.6f};
const Rgb kDark{0.08f, 0.08f, 0.1f};
const Vec3 kHead{0, 1.12f, 0};
constexpr float kHeadR = 0.34f;

// A point on the head's face (the -z side) at (x, y), `out` in front of the skin.
Vec3 OnFace(float x, float y, float out) {
    float dy = y - kHead.y;
    float z = std::sqrt(std::max(0.0f, kHeadR * kHeadR - x * x - dy * dy));
    return {x, y, -z - out};
}

// --- Characters ----------------------------------------------------------------------------

Mesh EndingBody(int no) {
    const Palette& p = CharacterPalette(no);
    Mesh m;
    std::string tag = std::string("End") + char('0' + no);
    int top = m.Mat(Flat(tag + "Top", p.top, 0.1f));
    int skin = m.Mat(Flat(tag + "Skin", kSkin, 0.1f));
    int hair = m.Mat(Flat(tag + "Hair", p.hair, 0.1f));
    int accent = m.Mat(Flat(tag + "Accent", p.accent, 0.1f));
    int lower = m.Mat(Flat(tag + "Lower", p.trousers, 0.1f));

    // Hips and a round torso, short arms at the sides, the shared head.
    Sphere(m, lower, {0, 0.42f, 0}, {0.24f, 0.12f, 0.19f}, 12, 6);
    Lathe(m, top, {{0, 0.38f}, {0.22f, 0.38f, true}, {0.26f, 0.6f}, {0.23f, 0.8f}, {0.1f, 0.86f}, {0, 0.87f}}, 14,
          Xform::Scale({1, 1, 0.8f}));
    for (float side : {-1.0f, 1.0f}) {
        Vec3 shoulder{side * 0.24f, 0.78f, 0}, hand{side * 0.33f, 0.5f, -0.04f};
        Limb(m, top, shoulder, hand, 0.075f, 0.065f, 8);
        Sphere(m, skin, hand, {0.07f, 0.07f, 0.07f}, 8, 5);
    }
    Limb(m, skin, {0, 0.82f, 0}, {0, 0.9f, 0}, 0.09f, 0.09f, 8);
    Sphere(m, skin, kHead, {kHeadR, kHeadR, kHeadR}, 16, 10);
    for (float side : {-1.0f, 1.0f}) Sphere(m, skin, kHead + Vec3{side * 0.335f, -0.02f, 0}, {0.05f, 0.08f, 0.06f}, 8, 5);

    switch (no) {
        case 0:  // the man: hair under a cap, peak forward
            Sphere(m, hair, kHead + Vec3{0, 0.04f, 0.05f}, {0.35f, 0.33f, 0.33f}, 14, 8);
            Lathe(m, accent, {{0, 0}, {0.36f, 0, true}, {0.33f, 0.12f}, {0.2f, 0.24f}, {0, 0.28f}}, 16,
                  Xform::Translate(kHead + Vec3{0, 0.14f, 0.02f}));
            Box(m, accent, {-0.22f, 1.26f, -0.6f}, {0.22f, 1.3f, -0.2f});
            Box(m, m.Mat(Flat(tag + "Shirt", {0.92f, 0.92f, 0.9f}, 0.1f)), {-0.08f, 0.5f, -0.23f}, {0.08f, 0.8f, -0.15f});
            break;
        case 1:  // the girl: long hair, ribbon, sailor collar and scarf, pleated skirt
            Sphere(m, hair, kHead + Vec3{0, 0.05f, 0.04f}, {0.36f, 0.34f, 0.34f}, 14, 8);
            Sphere(m, hair, kHead + Vec3{0, -0.22f, 0.18f}, {0.3f, 0.32f, 0.14f}, 12, 6);
            Sphere(m, accent, kHead + Vec3{0.2f, 0.28f, 0.1f}, {0.1f, 0.07f, 0.06f}, 8, 5);
            Sphere(m, accent, kHead + Vec3{0.05f, 0.3f, 0.1f}, {0.08f, 0.06f, 0.05f}, 8, 5);
            Box(m, lower, {-0.22f, 0.7f, 0.05f}, {0.22f, 0.86f, 0.22f});
            Box(m, accent, {-0.07f, 0.6f, -0.24f}, {0.07f, 0.72f, -0.16f});
            Lathe(m, lower, {{0, 0.26f}, {0.34f, 0.26f, true}, {0.23f, 0.5f, true}, {0, 0.5f}}, 12);
            break;
        case 2: {  // the office worker: neat hair, glasses, a tie
            Sphere(m, hair, kHead + Vec3{0.02f, 0.06f, 0.05f}, {0.345f, 0.32f, 0.33f}, 14, 8);
            int frame = m.Mat(Flat(tag + "Glasses", kDark));
            for (float side : {-1.0f, 1.0f}) {
                Vec3 c = OnFace(side * 0.12f, 1.16f, 0.035f);
                Cylinder(m, frame, 0.075f, 0.075f, -0.008f, 0.008f, 12,
                         Xform::RotX(90) * Xform::Translate(c));
            }
            Limb(m, frame, OnFace(-0.05f, 1.17f, 0.035f), OnFace(0.05f, 1.17f, 0.035f), 0.01f, 0.01f, 5);
            Box(m, m.Mat(Flat(tag + "Shirt", {0.92f, 0.92f, 0.92f}, 0.1f)), {-0.07f, 0.62f, -0.23f}, {0.07f, 0.84f, -0.15f});
            Box(m, accent, {-0.03f, 0.48f, -0.245f}, {0.03f, 0.82f, -0.17f});
            break;
        }
        case 3: {  // the cook: a tall toque, neckerchief, buttons
            int white = m.Mat(Flat(tag + "Toque", {0.97f, 0.97f, 0.95f}, 0.1f));
            Sphere(m, hair, kHead + Vec3{0, 0.03f, 0.06f}, {0.345f, 0.31f, 0.32f}, 14, 8);
            Lathe(m, white, {{0, 0}, {0.3f, 0, true}, {0.32f, 0.26f}, {0, 0.26f}}, 16, Xform::Translate(kHead + Vec3{0, 0.18f, 0}));
            Sphere(m, white, kHead + Vec3{0, 0.5f, 0}, {0.36f, 0.18f, 0.36f}, 14, 8);
            Lathe(m, accent, {{0, 0.8f}, {0.15f, 0.8f, true}, {0.13f, 0.9f, true}, {0, 0.9f}}, 10);
            int button = m.Mat(Flat(tag + "Button", {0.2f, 0.2f, 0.22f}));
            for (int i = 0; i < 3; ++i)
                for (float x : {-0.08f, 0.08f}) Sphere(m, button, {x, 0.5f + 0.1f * float(i), -0.215f}, {0.025f, 0.025f, 0.02f}, 6, 4);
            break;
        }
    }
    return m;
}

// One stubby leg with its shoe; the left leg is on the model's +x side (it faces -z).
Mesh EndingLeg(int no, bool left) {
    const Palette& p = CharacterPalette(no);
    Mesh m;
    std::string tag = std::string("End") + char('0' + no);
    int leg = m.Mat(Flat(tag + "Leg", no == 1 ? kSkin : p.trousers, 0.1f));
    int shoe = m.Mat(Flat(tag + "Shoe", p.shoes, 0.1f));
    float x = left ? 0.12f : -0.12f;
    Limb(m, leg, {x, 0.06f, 0}, {x, 0.42f, 0}, 0.085f, 0.095f, 10);
    if (no == 1) Limb(m, m.Mat(Flat(tag + "Sock", {0.95f, 0.95f, 0.95f}, 0.1f)), {x, 0.05f, 0}, {x, 0.16f, 0}, 0.09f, 0.09f, 10);
    Box(m, shoe, {x - 0.09f, 0, -0.2f}, {x + 0.09f, 0.09f, 0.09f});
    return m;
}

// The faces, thin solids just in front of the shared head.
Mesh Face(bool crying) {
    Mesh m;
    int ink = m.Mat(Flat("FaceInk", kDark));
    int mouth = m.Mat(Flat("FaceMouth", {0.6f, 0.15f, 0.15f}));
    int blush = m.Mat(Flat("FaceBlush", {0.95f, 0.55f, 0.55f}, 0.1f));
    for (float side : {-1.0f, 1.0f}) {
        float x = side * 0.12f;
        if (!crying) {
            Sphere(m, ink, OnFace(x, 1.16f, 0.0f), {0.035f, 0.055f, 0.02f}, 8, 5);
        } else {  // shut eyes, arched, and tears running down the cheeks
            Vec3 a = OnFace(x - 0.05f, 1.15f, 0.01f), b = OnFace(x, 1.175f, 0.01f), c = OnFace(x + 0.05f, 1.15f, 0.01f);
            Limb(m, ink, a, b, 0.012f, 0.012f, 5);
            Limb(m, ink, b, c, 0.012f, 0.012f, 5);
            int tear = m.Mat(Flat("FaceTear", {0.4f, 0.7f, 1.0f}, 0.4f));
            Limb(m, tear, OnFace(x + side * 0.02f, 1.12f, 0.01f), OnFace(x + side * 0.05f, 0.98f, 0.01f), 0.02f, 0.025f, 6);
            Sphere(m, tear, OnFace(x + side * 0.06f, 0.93f, 0.01f), {0.03f, 0.04f, 0.03f}, 8, 5);
        }
        Sphere(m, blush, OnFace(side * 0.2f, 1.05f, -0.005f), {0.05f, 0.03f, 0.02f}, 8, 4);
    }
    if (!crying) {  // a smile
        Vec3 a = OnFace(-0.08f, 1.03f, 0.005f), b = OnFace(0, 1.0f, 0.005f), c = OnFace(0.08f, 1.03f, 0.005f);
        Limb(m, mouth, a, b, 0.014f, 0.014f, 5);
        Limb(m, mouth, b, c, 0.014f, 0.014f, 5);
    } else {  // a wail
        Sphere(m, mouth, OnFace(0, 1.0f, 0.0f), {0.07f, 0.055f, 0.025f}, 10, 6);
    }
    return m;
}

// --- Podium, ground, stand, rock, cups ------------------------------------------------------

// A digit drawn with seven-segment bars on a plane facing -z at z.
void Digit(Mesh& m, int mat, int digit, Vec3 centre, float h, float z) {
    // Segments a..g: top, upper right, lower right, bottom, lower left, upper left, middle.
    static const unsigned kSegs[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    float w = h * 0.55f, t = h * 0.14f, x0 = centre.x - w / 2, x1 = centre.x + w / 2;
    float y0 = centre.y - h / 2, ym = centre.y, y1 = centre.y + h / 2;
    struct Bar {
        float ax, ay, bx, by;
    } bars[7] = {{x0, y1, x1, y1}, {x1, ym, x1, y1}, {x1, y0, x1, ym}, {x0, y0, x1, y0},
                 {x0, y0, x0, ym}, {x0, ym, x0, y1}, {x0, ym, x1, ym}};
    for (int i = 0; i < 7; ++i) {
        if (!(kSegs[digit] & (1u << i))) continue;
        const Bar& b = bars[i];
        Box(m, mat, {std::min(b.ax, b.bx) - t / 2, std::min(b.ay, b.by) - t / 2, z - 0.02f},
            {std::max(b.ax, b.bx) + t / 2, std::max(b.ay, b.by) + t / 2, z + 0.001f});
    }
}

Mesh Podium() {
    Mesh m;
    int body = m.Mat(Flat("PodiumBody", {0.9f, 0.9f, 0.88f}, 0.1f));
    Rgb medal[3] = {{0.95f, 0.75f, 0.15f}, {0.75f, 0.78f, 0.82f}, {0.8f, 0.5f, 0.25f}};
    struct Step {
        float x0, x1, top;
        int place;
    } steps[3] = {{-0.5f, 0.5f, 1.15f, 1}, {-1.5f, -0.5f, 0.775f, 2}, {0.5f, 1.5f, 0.6f, 3}};
    for (const Step& s : steps) {
        int trim = m.Mat(Flat("PodiumTrim" + std::to_string(s.place), medal[s.place - 1], 0.2f));
        Box(m, body, {s.x0, 0, -0.5f}, {s.x1, s.top - 0.06f, 0.5f});
        Box(m, trim, {s.x0, s.top - 0.06f, -0.5f}, {s.x1, s.top, 0.5f});
        // The number a shade darker than the trim, so that the silver 2 reads on the pale block.
        int ink = m.Mat(Flat("PodiumDigit" + std::to_string(s.place), medal[s.place - 1] * 0.7f, 0.15f));
        Digit(m, ink, s.place, {(s.x0 + s.x1) / 2, (s.top - 0.06f) / 2 + 0.02f, 0}, std::min(0.4f, s.top * 0.5f), -0.5f);
    }
    return m;
}

constexpr float kGroundTop = 0.2143f;  // world -2 under scale 7 and the lift of -3.5

Mesh Ground() {
    Mesh m;
    int lawn = m.Mat(Textured("Lawn", {0.4f, 0.65f, 0.3f}, tex::kGrass, 0.05f));
    int carpet = m.Mat(Flat("Carpet", {0.75f, 0.12f, 0.15f}, 0.1f));
    int trunk = m.Mat(Flat("EndTrunk", {0.4f, 0.28f, 0.18f}));
    int leaves = m.Mat(Flat("EndLeaves", {0.2f, 0.5f, 0.22f}));
    // A field of radius 100 (700 in the world), its top where the ceremony stands.
    std::vector<ProfilePoint> field{{0, kGroundTop - 0.3f}, {100, kGroundTop - 0.3f, true}, {100, kGroundTop, true}, {0, kGroundTop}};
    Lathe(m, lawn, field, 48);
    for (Vertex& v : m.verts) v.uv = {v.pos.x / 2, v.pos.z / 2};  // grass tiles, not a radial smear
    // The walk to the podium: a red carpet along world z -5, from x -16 to 2.
    Box(m, carpet, {-16.0f / 7, kGroundTop, (-5.6f - 70) / 7}, {2.0f / 7, kGroundTop + 0.002f, (-4.4f - 70) / 7});
    // Trees in a ring behind the stage.
    for (int i = 0; i < 9; ++i) {
        float a = (-60 + 15.0f * float(i)) * kPi / 180;
        Vec3 base{std::sin(a) * 9, kGroundTop, -7.5f + std::cos(a) * 3};
        Limb(m, trunk, base, base + Vec3{0, 0.5f, 0}, 0.08f, 0.06f, 8);
        Sphere(m, leaves, base + Vec3{0, 0.85f, 0}, {0.45f, 0.55f, 0.45f}, 10, 6);
    }
    return m;
}

Mesh LastPlaceStand() {
    Mesh m;
    int plank = m.Mat(Flat("CratePlank", {0.6f, 0.45f, 0.28f}, 0.1f));
    int dark = m.Mat(Flat("CrateSlat", {0.4f, 0.28f, 0.16f}, 0.1f));
    int board = m.Mat(Flat("SignBoard", {0.85f, 0.82f, 0.7f}, 0.1f));
    // A battered crate with a crooked little sign stuck in it.
    Box(m, plank, {-0.5f, 0, -0.3f}, {0.5f, 0.55f, 0.3f});
    for (float y : {0.12f, 0.42f}) Box(m, dark, {-0.51f, y, -0.31f}, {0.51f, y + 0.05f, 0.31f});
    Xform lean = Xform::RotZ(8) * Xform::Translate(0.1f, 0.55f, 0);
    Box(m, dark, {-0.03f, -0.1f, -0.03f}, {0.03f, 0.6f, 0.03f}, lean);
    Box(m, board, {-0.28f, 0.4f, -0.05f}, {0.28f, 0.68f, -0.03f}, lean);
    Digit(m, dark, 4, {0, 0.295f, 0}, 0.2f, -0.3f);
    return m;
}

Mesh Rock() {
    // A lumpy boulder of radius about 0.5, its origin at its bottom so that it rests on the
    // last place's head.
    Mesh m;
    int stone = m.Mat(Flat("Rock", {0.5f, 0.47f, 0.42f}, 0.05f));
    Sphere(m, stone, {0, 0.5f, 0}, {0.55f, 0.5f, 0.5f}, 12, 8);
    for (Vertex& v : m.verts) {
        Vec3 d = v.pos - Vec3{0, 0.5f, 0};
        float bump = 1 + 0.08f * std::sin(d.x * 11) * std::cos(d.z * 9) + 0.05f * std::sin(d.y * 13);
        v.pos = Vec3{0, 0.5f, 0} + d * bump;
    }
    float bottom = 1e9f;
    for (const Vertex& v : m.verts) bottom = std::min(bottom, v.pos.y);
    m.Transform(Xform::Translate(0, -bottom, 0));
    return m;
}

Mesh Cup(int place) {
    Mesh m;
    Rgb metal[3] = {{0.95f, 0.75f, 0.15f}, {0.78f, 0.8f, 0.85f}, {0.8f, 0.5f, 0.25f}};
    int cup = m.Mat(Flat("Cup" + std::to_string(place), metal[place], 0.3f));
    int base = m.Mat(Flat("CupBase", {0.3f, 0.2f, 0.12f}, 0.1f));
    float s = place == 2 ? 0.85f : 1.0f;
    // Lathed from the foot to the rim and back down the inside: origin at the middle.
    Lathe(m, base, {{0, -1}, {0.5f, -1, true}, {0.5f, -0.72f, true}, {0.35f, -0.72f, true}, {0, -0.72f}}, 16,
          Xform::Scale(s));
    Lathe(m, cup,
          {{0, -0.72f}, {0.28f, -0.72f, true}, {0.22f, -0.6f}, {0.08f, -0.45f}, {0.07f, -0.1f},
           {0.15f, 0.0f}, {0.45f, 0.25f}, {0.55f, 0.6f}, {0.58f, 1.0f, true}, {0.52f, 1.0f, true},
           {0.48f, 0.62f}, {0.38f, 0.32f}, {0, 0.18f}},
          20, Xform::Scale(s));
    if (place < 2)  // handles
        for (float side : {-1.0f, 1.0f}) {
            Vec3 prev{side * 0.53f, 0.85f, 0};
            for (int i = 1; i <= 6; ++i) {
                float a = kPi * float(i) / 6;
                Vec3 p{side * (0.55f + 0.3f * std::sin(a)), 0.85f - 0.25f * (1 - std::cos(a)), 0};
                Limb(m, cup, prev * s, p * s, 0.05f * s, 0.05f * s, 6);
                prev = p;
            }
        }
    return m;
}

}  // namespace

std::vector<NamedMesh> EndingMeshes() {
    const char* names[4] = {"Man", "Girl", "Sara", "Shef"};
    std::vector<NamedMesh> out = {
        {"XFile/Ending/list.x", Podium()},      {"XFile/Ending/jimen.x", Ground()},
        {"XFile/Ending/biri.x", LastPlaceStand()}, {"XFile/Ending/kyu.x", Rock()},
        {"XFile/Ending/Naku.x", Face(true)},     {"XFile/Ending/Futuu.x", Face(false)},
        {"XFile/Ending/cup0.x", Cup(0)},         {"XFile/Ending/cup1.x", Cup(1)},
        {"XFile/Ending/cup2.x", Cup(2)},
    };
    for (int i = 0; i < 4; ++i) {
        std::string n = names[i];
        out.push_back({"XFile/Ending/" + n + ".x", EndingBody(i)});
        out.push_back({"XFile/Ending/" + n + " Asi Hidari.x", EndingLeg(i, true)});
        out.push_back({"XFile/Ending/" + n + " Asi Migi.x", EndingLeg(i, false)});
    }
    return out;
}

}  // namespace assetgen::mesh
