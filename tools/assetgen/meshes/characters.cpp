// The four characters of the round and the select screen, each in three parts the game moves
// apart, and their right hands for the ready phase.
//
// They face +x (towards the can), their left side towards +z. The legs stand on y 0 with the
// hips at 39; the body turns about its own y axis (the spine) at the waist pivot, which the
// game puts at (3, 39.2) and leans 27 degrees towards the can, and carries the arms and the
// umbrella, whose tip reaches 84 along the body's x where the can stands at impact; the head is
// placed by the game at (3, 60) with the same lean, so its neck sits at (9.44, 1.47), where the
// body's neck top (0, 20) lands. Every part is made of closed solids for the glow copy.
#include "meshes/models.h"

namespace assetgen::mesh {

namespace {

const Rgb kSkin{0.95f, 0.76f, 0.6f};
const Rgb kDark{0.08f, 0.08f, 0.1f};
constexpr float kGlow = 0.2f;   // emissive share: readable under the title's frontal light
constexpr float kNeckH = 20;    // the body's neck top, on its spine
const Vec3 kHeadNeck{9.44f, kNeckH - 18.53f, 0};

enum class Who { Man, Girl, Salaryman, Chef };

struct Style {
    Who who;
    const char* tag;
    Palette p;
};

const Style kStyles[4] = {
    {Who::Man, "Man", {{0.8f, 0.18f, 0.12f}, {0.8f, 0.18f, 0.12f}, {0.9f, 0.9f, 0.9f},
     {0.2f, 0.3f, 0.6f}, {0.9f, 0.9f, 0.9f}, {0.15f, 0.1f, 0.07f}, {0.15f, 0.35f, 0.85f},
     {0.95f, 0.75f, 0.1f}}},
    {Who::Girl, "Girl", {{0.92f, 0.92f, 0.9f}, {0.92f, 0.92f, 0.9f}, {0.12f, 0.15f, 0.35f},
     {0.12f, 0.15f, 0.35f}, {0.4f, 0.22f, 0.12f}, {0.45f, 0.25f, 0.12f}, {0.95f, 0.45f, 0.65f},
     {0.85f, 0.1f, 0.15f}}},
    {Who::Salaryman, "Salary", {{0.3f, 0.32f, 0.36f}, {0.3f, 0.32f, 0.36f}, {0.92f, 0.92f, 0.92f},
     {0.3f, 0.32f, 0.36f}, {0.06f, 0.06f, 0.07f}, {0.05f, 0.05f, 0.06f}, {0.1f, 0.1f, 0.12f},
     {0.75f, 0.1f, 0.12f}}},
    {Who::Chef, "Chef", {{0.95f, 0.95f, 0.93f}, {0.95f, 0.95f, 0.93f}, {0.95f, 0.95f, 0.93f},
     {0.28f, 0.28f, 0.3f}, {0.9f, 0.9f, 0.88f}, {0.3f, 0.2f, 0.12f}, {0.2f, 0.6f, 0.3f},
     {0.85f, 0.15f, 0.1f}}},
};

int Colour(Mesh& m, const Style& s, const char* part, Rgb c) {
    return m.Mat(Flat(std::string(s.tag) + part, c, kGlow));
}

// --- Legs ----------------------------------------------------------------------------------

Mesh Legs(const Style& s) {
    Mesh m;
    int trousers = Colour(m, s, "Trousers", s.p.trousers);
    int shoes = Colour(m, s, "Shoes", s.p.shoes);
    int skin = Colour(m, s, "Skin", kSkin);
    bool girl = s.who == Who::Girl;
    int lower = girl ? skin : trousers;
    for (float side : {-1.0f, 1.0f}) {
        Vec3 hip{3, 38, side * 6}, knee{6, 20, side * 8.5f}, ankle{3, 5, side * 9.5f};
        if (girl) {
            int sock = Colour(m, s, "Sock", {0.95f, 0.95f, 0.95f});
            Limb(m, skin, hip, knee, 5, 3.6f, 10);
            Limb(m, skin, knee, ankle + Vec3{0, 7, 0}, 3.6f, 2.8f, 10);
            Limb(m, sock, ankle + Vec3{0, 8, 0}, ankle, 3.0f, 2.8f, 10);
        } else {
            Limb(m, trousers, hip, knee, 6, 4.6f, 10);
            Limb(m, lower, knee, ankle, 4.6f, 3.8f, 10);
        }
        Sphere(m, girl ? skin : trousers, knee, {4.6f, 4.6f, 4.6f}, 10, 6);
        Box(m, shoes, {-4, 0, side * 9.5f - 4}, {13, 6, side * 9.5f + 4});
        if (s.who == Who::Man)  // a stripe on the trainers
            Box(m, Colour(m, s, "Stripe", {0.85f, 0.15f, 0.1f}), {1, 1, side * 9.5f - 4.3f},
                {9, 3, side * 9.5f + 4.3f});
    }
    // Hips, and the girl's pleated skirt over them.
    Sphere(m, trousers, {3, 39, 0}, {8, 6, 11}, 12, 6);
    if (girl) Lathe(m, trousers, {{0, 25}, {17, 25, true}, {10, 43, true}, {0, 43}}, 12, Xform::Translate(3, 0, 0));
    if (s.who == Who::Chef) Lathe(m, Colour(m, s, "Apron", {0.97f, 0.97f, 0.95f}),
                                  {{0, 24}, {13, 24, true}, {12, 40, true}, {0, 40}}, 12,
                                  Xform::Scale({0.75f, 1, 1.05f}) * Xform::Translate(6, 0, 0));
    return m;
}

// --- Body with arms and umbrella -------------------------------------------------------------

void Umbrella(Mesh& m, const Style& s) {
    int canopy = Colour(m, s, "Umbrella", s.p.umbrella);
    int metal = Colour(m, s, "Ferrule", {0.75f, 0.75f, 0.78f});
    int grip = Colour(m, s, "Grip", {0.35f, 0.22f, 0.12f});
    Vec3 tail{18, 6, 2}, tip{84, 8, 7};
    Vec3 d = Unit(tip - tail);
    // The J-shaped grip behind the hands, the shaft, the furled canopy, the metal tip.
    Limb(m, grip, tail + d * 14, tail, 1.6f, 1.6f, 8);
    Limb(m, grip, tail, tail + Vec3{-4, -4, 0}, 1.6f, 1.6f, 8);
    Limb(m, grip, tail + Vec3{-4, -4, 0}, tail + Vec3{-2, -8, 0}, 1.6f, 1.6f, 8);
    Limb(m, grip, tail + Vec3{-2, -8, 0}, tail + Vec3{1.5f, -9, 0}, 1.6f, 1.6f, 8);
    Limb(m, metal, tail + d * 14, tip, 0.9f, 0.9f, 6);
    Vec3 c0 = tail + d * 24, c1 = tail + d * 58;
    Limb(m, canopy, c0, c0 + d * 10, 1.2f, 4.6f, 12);
    Limb(m, canopy, c0 + d * 10, c1, 4.6f, 1.0f, 12);
    Limb(m, Colour(m, s, "Strap", s.p.umbrella * 0.6f), c0 + d * 14, c0 + d * 17, 4.5f, 4.3f, 12);
}

Mesh Body(const Style& s) {
    Mesh m;
    int top = Colour(m, s, "Top", s.p.top);
    int sleeve = Colour(m, s, "Sleeve", s.p.sleeve);
    int cuff = Colour(m, s, "Cuff", s.p.cuff);
    int skin = Colour(m, s, "Skin", kSkin);
    int accent = Colour(m, s, "Accent", s.p.accent);

    // The torso: round in front view, flatter from the side; the neck on the spine.
    Lathe(m, top, {{0, -4}, {10, -4, true}, {11.5f, 4}, {12, 11}, {12.5f, 15}, {7, 19.5f}, {0, 20.5f}}, 14,
          Xform::Scale({0.62f, 1, 1}));
    Limb(m, skin, {0, 17, 0}, {0, kNeckH + 2, 0}, 3.4f, 3.4f, 10);

    // Arms reaching forward and down to the grip, where the umbrella's shaft starts.
    struct Arm {
        Vec3 shoulder, elbow, hand;
    } arms[2] = {
        {{1, 14, -11}, {9, 5, -9}, {23, 5.5f, 0.5f}},   // right, lower on the grip
        {{1, 14, 11}, {10, 5, 8}, {27, 6, 3.5f}},       // left
    };
    for (const Arm& a : arms) {
        Sphere(m, sleeve, a.shoulder, {4, 4, 4}, 10, 6);
        Limb(m, sleeve, a.shoulder, a.elbow, 3.6f, 3.1f, 10);
        Sphere(m, sleeve, a.elbow, {3.1f, 3.1f, 3.1f}, 8, 5);
        Vec3 wrist = a.hand - Unit(a.hand - a.elbow) * 3.5f;
        Limb(m, sleeve, a.elbow, wrist, 3.1f, 2.8f, 10);
        Limb(m, cuff, wrist - Unit(a.hand - a.elbow) * 1.8f, wrist, 3.0f, 3.0f, 10);
        Sphere(m, skin, a.hand, {3.2f, 3.0f, 3.0f}, 10, 6);
    }
    Umbrella(m, s);

    switch (s.who) {
        case Who::Man:  // a zipped jacket over a white shirt
            Box(m, Colour(m, s, "Shirt", {0.92f, 0.92f, 0.9f}), {6.6f, 4, -3}, {7.6f, 18, 3});
            Box(m, accent, {7.3f, 0, -0.4f}, {7.9f, 18, 0.4f});
            break;
        case Who::Girl: {  // sailor collar, scarf
            Box(m, cuff, {-8.2f, 10, -10}, {-3, 19.5f, 10});
            Box(m, cuff, {-6, 15.5f, -11.5f}, {6, 18.5f, 11.5f});
            Box(m, Colour(m, s, "Scarf", {0.85f, 0.1f, 0.15f}), {6.3f, 9, -3}, {8.5f, 16, 3});
            break;
        }
        case Who::Salaryman:  // shirt front and a tie
            Box(m, Colour(m, s, "Shirt", {0.92f, 0.92f, 0.92f}), {6.6f, 9, -3.5f}, {7.4f, 19.5f, 3.5f});
            Box(m, accent, {7.1f, 3, -1.1f}, {8.1f, 18.5f, 1.1f});
            break;
        case Who::Chef: {  // double-breasted buttons and a neckerchief
            int button = Colour(m, s, "Button", {0.2f, 0.2f, 0.22f});
            for (int i = 0; i < 3; ++i)
                for (float z : {-3.5f, 3.5f}) Sphere(m, button, {7.1f, 3 + 5.0f * float(i), z}, {0.9f, 0.9f, 0.9f}, 6, 4);
            Lathe(m, accent, {{0, 16.5f}, {5.5f, 16.5f, true}, {5, 20, true}, {0, 20}}, 10);
            break;
        }
    }
    return m;
}

// --- Head ----------------------------------------------------------------------------------

Mesh Head(const Style& s) {
    Mesh m;
    int skin = Colour(m, s, "Skin", kSkin);
    int hair = Colour(m, s, "Hair", s.p.hair);
    int eye = Colour(m, s, "Eye", kDark);
    int mouth = Colour(m, s, "Mouth", {0.7f, 0.25f, 0.25f});
    Vec3 c = kHeadNeck + Vec3{1, 11, 0};  // the skull's centre

    Limb(m, skin, kHeadNeck + Vec3{0, -2, 0}, kHeadNeck + Vec3{0.5f, 5, 0}, 3.6f, 3.6f, 10);
    Sphere(m, skin, c, {9.2f, 10.2f, 9}, 16, 10);
    for (float z : {-1.0f, 1.0f}) {
        Sphere(m, eye, c + Vec3{8.1f, 1.2f, z * 3.4f}, {1.2f, 1.8f, 1.2f}, 8, 5);
        Sphere(m, skin, c + Vec3{0, 0, z * 9}, {2, 3, 1.5f}, 8, 5);  // ears
    }
    Sphere(m, skin, c + Vec3{9.2f, -1.5f, 0}, {1.4f, 1.4f, 1.2f}, 8, 5);
    Box(m, mouth, {c.x + 7.4f, c.y - 5.2f, -2.2f}, {c.x + 8.6f, c.y - 4.4f, 2.2f});

    switch (s.who) {
        case Who::Man: {  // short hair under a cap with its peak forward
            int cap = Colour(m, s, "Cap", s.p.accent);
            Sphere(m, hair, c + Vec3{-1.5f, 0.5f, 0}, {9.4f, 10.4f, 9.6f}, 14, 8);
            Lathe(m, cap, {{0, 0}, {10.2f, 0, true}, {9.5f, 3.5f}, {6, 7.5f}, {0, 8.8f}}, 16,
                  Xform::Translate(c + Vec3{-0.5f, 3.8f, 0}));
            Box(m, cap, {c.x + 5, c.y + 3.6f, -6.5f}, {c.x + 16, c.y + 4.8f, 6.5f});
            break;
        }
        case Who::Girl: {  // long hair down the back, a ponytail and a ribbon
            int ribbon = Colour(m, s, "Ribbon", s.p.accent);
            Sphere(m, hair, c + Vec3{-1.2f, 1.5f, 0}, {9.6f, 10.2f, 9.8f}, 14, 8);
            Sphere(m, hair, c + Vec3{-5.5f, -8, 0}, {4.5f, 11, 8.5f}, 12, 8);
            Sphere(m, hair, c + Vec3{-9.5f, 2, 0}, {3.5f, 3.5f, 3.5f}, 10, 6);
            Sphere(m, hair, c + Vec3{-12, -7, 0}, {3, 9, 3.2f}, 10, 6);
            Sphere(m, ribbon, c + Vec3{-9.5f, 3, 3.5f}, {2.2f, 3.2f, 2}, 8, 5);
            Sphere(m, ribbon, c + Vec3{-9.5f, 3, -3.5f}, {2.2f, 3.2f, 2}, 8, 5);
            Box(m, hair, {c.x + 5.5f, c.y + 3.5f, -7}, {c.x + 8.8f, c.y + 7.5f, 7});  // fringe
            break;
        }
        case Who::Salaryman: {  // neat parted hair, glasses
            int frame = Colour(m, s, "Glasses", kDark);
            int lens = Colour(m, s, "Lens", {0.7f, 0.85f, 0.95f});
            Sphere(m, hair, c + Vec3{-1.8f, 1.6f, 0.4f}, {9.0f, 9.6f, 9.5f}, 14, 8);
            for (float z : {-1.0f, 1.0f}) {
                Xform at = Xform::RotZ(90) * Xform::Translate(c + Vec3{9.0f, 1.2f, z * 3.4f});
                Cylinder(m, frame, 2.6f, 2.6f, -0.4f, 0.4f, 12, at);
                Cylinder(m, lens, 2.1f, 2.1f, -0.55f, 0.55f, 12, at);
                Limb(m, frame, c + Vec3{8.8f, 1.8f, z * 6}, c + Vec3{1, 2.5f, z * 9.2f}, 0.4f, 0.4f, 5);
            }
            Limb(m, frame, c + Vec3{9.2f, 1.6f, -1}, c + Vec3{9.2f, 1.6f, 1}, 0.4f, 0.4f, 5);
            break;
        }
        case Who::Chef: {  // a tall toque and a moustache
            int white = Colour(m, s, "Toque", {0.97f, 0.97f, 0.95f});
            Sphere(m, hair, c + Vec3{-1.8f, 0.5f, 0}, {8.6f, 9.8f, 9.3f}, 14, 8);
            Lathe(m, white, {{0, 0}, {9.3f, 0, true}, {9.8f, 16}, {0, 16}}, 16, Xform::Translate(c + Vec3{-0.5f, 4, 0}));
            Sphere(m, white, c + Vec3{-0.5f, 22, 0}, {11, 6.5f, 11}, 14, 8);
            Sphere(m, hair, c + Vec3{9.1f, -3.3f, -2.3f}, {1.3f, 1.1f, 2.6f}, 8, 5);
            Sphere(m, hair, c + Vec3{9.1f, -3.3f, 2.3f}, {1.3f, 1.1f, 2.6f}, 8, 5);
            break;
        }
    }
    return m;
}

// --- Right hands for the ready phase ---------------------------------------------------------
//
// The hand's frame follows the camera: +x is screen right, +y up, +z away from the camera. It
// comes in from the upper left and stops with its origin 20 left, 15 up and 10 nearer than the
// lying can's centre, turned -45 degrees: the fingers reach down along +x to the can's side.

Mesh RightHand(const Style& s) {
    Mesh m;
    int sleeve = Colour(m, s, "Sleeve", s.p.sleeve);
    int cuff = Colour(m, s, "Cuff", s.p.cuff);
    int skin = Colour(m, s, "Skin", kSkin);
    Limb(m, sleeve, {-34, 0, 2}, {-7, 0, 2}, 6.2f, 5.2f, 12);
    Limb(m, cuff, {-8, 0, 2}, {-4, 0, 2}, 5.4f, 5.4f, 12);
    Limb(m, skin, {-5, 0, 2}, {0, 0, 2}, 3.4f, 3.6f, 10);
    // Palm, four fingers curling towards the can, and the thumb above them.
    Box(m, skin, {-1, -4.5f, -0.2f}, {10, 4.5f, 4.2f});
    for (int i = 0; i < 4; ++i) {
        float y = -3.4f + 2.27f * float(i);
        float len = i == 0 || i == 3 ? 6.0f : 7.5f;
        Vec3 k0{10, y, 2}, k1{10 + len, y, 3.5f}, k2{10 + len + 4, y, 7};
        Limb(m, skin, k0, k1, 1.15f, 1.05f, 8);
        Limb(m, skin, k1, k2, 1.05f, 0.95f, 8);
        Sphere(m, skin, k1, {1.05f, 1.05f, 1.05f}, 6, 4);
    }
    Limb(m, skin, {3, 4, 2}, {10, 7.5f, 3.5f}, 1.5f, 1.3f, 8);
    Limb(m, skin, {10, 7.5f, 3.5f}, {15, 7, 6}, 1.3f, 1.1f, 8);
    if (s.who == Who::Salaryman)  // a wristwatch
        Limb(m, Colour(m, s, "Watch", {0.75f, 0.7f, 0.45f}), {-3.8f, 0, 2}, {-2.2f, 0, 2}, 3.9f, 3.9f, 10);
    if (s.who == Who::Girl)  // the sailor cuff's stripe
        Limb(m, Colour(m, s, "CuffStripe", {0.92f, 0.92f, 0.9f}), {-6.8f, 0, 2}, {-6.2f, 0, 2}, 5.5f, 5.5f, 12);
    return m;
}

}  // namespace

const Palette& CharacterPalette(int no) { return kStyles[no].p; }

std::vector<NamedMesh> CharacterMeshes() {
    const char* hands[4] = {"ManRightHand", "GirlRightHand", "SalaryRightHand", "ChefRightHand"};
    std::vector<NamedMesh> out;
    for (int i = 0; i < 4; ++i) {
        std::string n = std::to_string(i + 1);
        out.push_back({"XFile/Foot" + n + ".x", Legs(kStyles[i])});
        out.push_back({"XFile/Body" + n + ".x", Body(kStyles[i])});
        out.push_back({"XFile/Head" + n + ".x", Head(kStyles[i])});
        out.push_back({std::string("XFile/") + hands[i] + ".x", RightHand(kStyles[i])});
    }
    return out;
}

}  // namespace assetgen::mesh
