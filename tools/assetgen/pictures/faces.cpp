#include "pictures/faces.h"

namespace assetgen::pic {

namespace {

const Color kSkin = Rgb(0xFFD8AE);
const Color kBlush = Rgb(0xF59A90, 0.8f);
const Color kWhite = Rgb(0xF6F6F2);

// Draws in a 100 x 100 face box placed at (x, y) with side 100·s on the view.
struct Pen {
    View v;
    float x, y, s;
    FaceLook look;
    P Q(P p) const { return {(p.x - x) / s, (p.y - y) / s}; }
    float Line() const { return std::max(1.0f, look.line * s); }
    template <class F>
    void Fill(F f, Color c) const {
        Shape(v, [&](P p) { return f(Q(p)) * s; }, c);
    }
    template <class F>
    void Inked(F f, Color c) const {
        const float w = Line();
        Shape(v, [&](P p) { return f(Q(p)) * s - w; }, look.ink);
        Fill(f, c);
    }
    // A stroke of the ink colour, width in face units (at least a pixel).
    void Stroke(P a, P b, float width) const {
        const float hw = std::max(0.5f, width * s / 2) / s;
        Fill([&](P q) { return sdf::Segment(q, a, b, hw); }, look.ink);
    }
    void Arc(P c, float r, float a0, float a1, float width) const {
        const int n = 10;
        for (int i = 0; i < n; ++i) {
            const float t0 = a0 + (a1 - a0) * i / n, t1 = a0 + (a1 - a0) * (i + 1) / n;
            Stroke({c.x + r * std::cos(t0), c.y + r * std::sin(t0)}, {c.x + r * std::cos(t1), c.y + r * std::sin(t1)}, width);
        }
    }
};

float Head(P q) { return sdf::Ellipse(q, {50, 57}, 29, 32); }

void Eyes(const Pen& pen, float rx, float ry, bool lashes) {
    for (float ex : {39.0f, 61.0f}) {
        pen.Fill([&](P q) { return sdf::Ellipse(q, {ex, 61}, rx, ry); }, pen.look.ink);
        pen.Fill([&](P q) { return sdf::Circle(q, {ex + rx * 0.35f, 61 - ry * 0.4f}, rx * 0.38f); }, kWhite);
        if (lashes) {  // lashes rising towards the outer corner
            const float out = ex < 50 ? -1.0f : 1.0f;
            pen.Stroke({ex - out * (rx + 0.5f), 61 - ry + 0.3f}, {ex + out * (rx + 2.0f), 61 - ry - 1.5f}, 2.0f);
        }
    }
}

void Shoulders(const Pen& pen, Color shirt) {
    pen.Inked([](P q) { return sdf::Ellipse(q, {50, 118}, 48, 28); }, shirt);
    pen.Inked([](P q) { return sdf::Box(q, 42, 82, 58, 95, 3); }, kSkin);  // neck
}

void Man(const Pen& pen) {
    const Color hair = Rgb(0x2A2220);
    if (pen.look.shoulders) Shoulders(pen, Rgb(0xD8402E));
    for (float ex : {21.0f, 79.0f}) pen.Inked([&](P q) { return sdf::Circle(q, {ex, 62}, 6); }, kSkin);
    pen.Inked(Head, kSkin);
    // Spiky hair: a cap over the brow with spikes along its top.
    std::vector<P> spikes{{20, 54}, {16, 34}, {26, 36}, {24, 18}, {36, 26}, {42, 8}, {50, 22}, {60, 6}, {64, 24}, {78, 14}, {76, 32}, {86, 30}, {80, 54}, {76, 44}, {62, 40}, {50, 44}, {38, 40}, {24, 46}};
    pen.Inked([&](P q) { return sdf::Polygon(q, spikes); }, hair);
    for (float ex : {39.0f, 61.0f}) pen.Stroke({ex - 7, 51 + (ex < 50 ? 1.0f : -1.0f)}, {ex + 7, 51 + (ex < 50 ? -1.0f : 1.0f)}, 4.0f);
    Eyes(pen, 3.8f, 5.0f, false);
    // A wide grin.
    pen.Inked([](P q) { return std::max(sdf::Ellipse(q, {50, 74}, 12, 9), 74 - q.y); }, Rgb(0x9C2A22));
    pen.Fill([](P q) { return std::max(sdf::Ellipse(q, {50, 74}, 10, 7), std::max(74 - q.y, q.y - 77.5f)); }, kWhite);
}

void Girl(const Pen& pen) {
    const Color hair = Rgb(0x8A4A22);
    // Long hair behind the head.
    pen.Inked([](P q) { return std::min(sdf::Ellipse(q, {50, 60}, 38, 40), sdf::Box(q, 13, 55, 87, 100, 10)); }, hair);
    if (pen.look.shoulders) Shoulders(pen, Rgb(0xF27AAE));
    pen.Inked(Head, kSkin);
    // Bangs: a cap cut in scallops above the eyes.
    pen.Inked([](P q) {
        float cap = std::max(sdf::Ellipse(q, {50, 46}, 33, 26), q.y - 52);
        for (float bx : {30.0f, 44.0f, 58.0f, 72.0f}) cap = std::max(cap, -sdf::Circle(q, {bx, 56}, 6.5f));
        return cap;
    }, hair);
    // Ribbon.
    pen.Inked([](P q) { return sdf::Polygon(q, {{70, 24}, {82, 14}, {84, 32}}); }, Rgb(0xF04E8E));
    pen.Inked([](P q) { return sdf::Polygon(q, {{70, 24}, {58, 14}, {57, 32}}); }, Rgb(0xF04E8E));
    pen.Inked([](P q) { return sdf::Circle(q, {70, 24}, 4); }, Rgb(0xF870A6));
    Eyes(pen, 4.6f, 6.2f, true);
    for (float cx : {31.0f, 69.0f}) pen.Fill([&](P q) { return sdf::Ellipse(q, {cx, 71}, 5, 3); }, kBlush);
    pen.Inked([](P q) { return std::max(sdf::Circle(q, {50, 75}, 5), 75 - q.y); }, Rgb(0xC83A44));
}

void Worker(const Pen& pen) {
    const Color hair = Rgb(0x3A3C48);
    if (pen.look.shoulders) {
        Shoulders(pen, Rgb(0x34405E));
        pen.Inked([](P q) { return sdf::Polygon(q, {{40, 92}, {50, 100}, {60, 92}, {58, 90}, {42, 90}}); }, kWhite);
        pen.Inked([](P q) { return sdf::Polygon(q, {{47, 92}, {53, 92}, {55, 100}, {45, 100}}); }, Rgb(0xC0302E));
    }
    for (float ex : {21.0f, 79.0f}) pen.Inked([&](P q) { return sdf::Circle(q, {ex, 62}, 6); }, kSkin);
    pen.Inked(Head, kSkin);
    // Neatly parted hair, combed flat: a small lobe left of the parting, a sweep to the right.
    pen.Inked([](P q) {
        const float left = std::max(sdf::Ellipse(q, {33, 40}, 14, 16), q.y - 47);
        const float right = std::max(sdf::Ellipse(q, {56, 38}, 27, 15), q.y - 43 - 0.12f * (q.x - 40));
        return std::max(std::min(left, right), -sdf::Segment(q, {39, 24}, {41, 46}, 0.8f));
    }, hair);
    for (float ex : {39.0f, 61.0f}) pen.Stroke({ex - 6, 51}, {ex + 6, 51}, 3.0f);
    Eyes(pen, 3.0f, 3.6f, false);
    // Glasses.
    for (float ex : {39.0f, 61.0f}) pen.Fill([&](P q) { return sdf::Ring(q, {ex, 61}, 8.5f, 1.4f); }, pen.look.ink);
    pen.Stroke({47.5f, 60}, {52.5f, 60}, 2.5f);
    pen.Stroke({30.5f, 59}, {22, 57}, 2.5f);
    pen.Stroke({69.5f, 59}, {78, 57}, 2.5f);
    pen.Arc({50, 70}, 8, 0.35f, kPi - 0.35f, 3.0f);
}

void Cook(const Pen& pen) {
    if (pen.look.shoulders) Shoulders(pen, kWhite);
    for (float ex : {21.0f, 79.0f}) pen.Inked([&](P q) { return sdf::Circle(q, {ex, 62}, 6); }, kSkin);
    pen.Inked(Head, kSkin);
    // Tall white toque.
    pen.Inked([](P q) {
        float d = sdf::Box(q, 25, 20, 75, 36, 3);
        d = std::min(d, sdf::Circle(q, {35, 18}, 12));
        d = std::min(d, sdf::Circle(q, {50, 13}, 13));
        return std::min(d, sdf::Circle(q, {65, 18}, 12));
    }, Rgb(0xF4F4EE));
    pen.Stroke({38, 28}, {38, 35}, 1.4f);
    pen.Stroke({50, 26}, {50, 35}, 1.4f);
    pen.Stroke({62, 28}, {62, 35}, 1.4f);
    for (float ex : {39.0f, 61.0f}) pen.Stroke({ex - 6, 49}, {ex + 6, 48}, 3.5f);
    Eyes(pen, 3.4f, 4.6f, false);
    for (float cx : {30.0f, 70.0f}) pen.Fill([&](P q) { return sdf::Ellipse(q, {cx, 72}, 5, 3); }, kBlush);
    // Curled moustache over a smile.
    pen.Arc({50, 76}, 6, 0.4f, kPi - 0.4f, 2.6f);
    pen.Inked([](P q) {
        return std::min(sdf::Ellipse(q, {42, 71}, 9, 4), sdf::Ellipse(q, {58, 71}, 9, 4));
    }, Rgb(0x4A3020));
}

}  // namespace

Color CharacterColor(int c) {
    static const Color colors[kCharacters] = {Rgb(0xE0483A), Rgb(0xEE6FA6), Rgb(0x3C78D8), Rgb(0xF0A030)};
    return colors[std::clamp(c, 0, kCharacters - 1)];
}

void DrawFace(const View& v, float x, float y, float size, int character, const FaceLook& look) {
    const View sv = v.Sub(x, y, size, size * (look.shoulders ? 1.5f : 1.0f));
    const Pen pen{sv, x - (sv.ox - v.ox), y - (sv.oy - v.oy), size / 100.0f, look};
    switch (character) {
        case 0: Man(pen); break;
        case 1: Girl(pen); break;
        case 2: Worker(pen); break;
        default: Cook(pen); break;
    }
}

void DrawFaceBadge(const View& v, float x, float y, float size, int character) {
    const float r = size / 2, rim = std::max(1.0f, size * 0.04f);
    const P c{x + r, y + r};
    Shape(v, [&](P p) { return sdf::Circle(p, c, r - 0.5f); }, Rgb(0x141420));
    Shape(v, [&](P p) { return sdf::Circle(p, c, r - 0.5f - rim); },
          Radial{{c.x, c.y - r * 0.4f}, r * 1.4f, Mix(CharacterColor(character), Rgb(0xFFFFFF), 0.45f), CharacterColor(character)});
    // The face fills the plate a little beyond its rim at the bottom, cut to the plate.
    Canvas face(int(std::ceil(size)), int(std::ceil(size)));
    DrawFace(View(face), size * 0.06f, size * 0.04f, size * 0.88f, character, FaceLook{Rgb(0x201814), 2.8f});
    for (int py = 0; py < face.h; ++py)
        for (int px = 0; px < face.w; ++px) {
            const float keep = Coverage(sdf::Circle({px + 0.5f, py + 0.5f}, {r, r}, r - 0.5f - rim));
            Px& f = face.at(px, py);
            f.r *= keep, f.g *= keep, f.b *= keep, f.a *= keep;
        }
    Draw(v, face, x, y, float(face.w), float(face.h));
}

}  // namespace assetgen::pic
