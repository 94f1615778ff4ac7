#include "pictures/art.h"

namespace assetgen::pic {

TextStyle Lettering(float size, Color top, Color bottom, float outline, Face face) {
    TextStyle st;
    st.face = face;
    st.size = size;
    st.fill = top;
    st.fill2 = bottom;
    st.outline = kInk;
    st.outlineWidth = outline;
    return st;
}

void SmallLabel(const View& v, float x, float y, float w, float h, const std::string& text, Face face, Color plate,
                Color letters) {
    Shape(v, [&](P p) { return sdf::Box(p, x, y, x + w, y + h, std::min(3.0f, h / 3)); }, plate);
    TextStyle st;
    st.face = face;
    st.size = h + 2;
    st.bold = false;
    st.fill = letters;
    DrawText(v, x + 1, y + 1, w - 2, h - 2, text, st);
}

void Panel(const View& v, float l, float t, float r, float b, float radius, Color top, Color bottom, Color rim,
           float rimWidth) {
    Shape(v, [&](P p) { return sdf::Box(p, l, t, r, b, radius); }, rim);
    Shape(v, [&](P p) { return sdf::Box(p, l + rimWidth, t + rimWidth, r - rimWidth, b - rimWidth, std::max(0.0f, radius - rimWidth)); },
          Linear{{0, t}, {0, b}, top, bottom});
}

std::vector<P> Stretch(std::vector<P> pts, P c, float sx, float sy) {
    for (P& p : pts) p = {c.x + (p.x - c.x) * sx, c.y + (p.y - c.y) * sy};
    return pts;
}

Color PlayerColor(int p) {
    static const Color colors[4] = {Rgb(0xF04438), Rgb(0x3C8CF0), Rgb(0x3CC850), Rgb(0xF8C81C)};
    return colors[std::clamp(p, 0, 3)];
}

namespace {

// Point p in a frame centred at c and turned by angle (clockwise on screen).
P Local(P p, P c, float angle) {
    const P d = p - c;
    const float cs = std::cos(angle), sn = std::sin(angle);
    return {d.x * cs + d.y * sn, -d.x * sn + d.y * cs};
}

}  // namespace

void DrawCan(const View& v, P c, float h, float angle, Color body, Color band) {
    const float w = h * 0.6f, hw = w / 2, hh = h / 2, lw = std::max(1.5f, h * 0.05f);
    auto bodyShape = [&](P p) {
        const P q = Local(p, c, angle);
        return sdf::Box(q, -hw, -hh + w * 0.12f, hw, hh - w * 0.1f, w * 0.12f);
    };
    auto topShape = [&](P p) { return sdf::Ellipse(Local(p, c, angle), {0, -hh + w * 0.14f}, hw * 0.92f, w * 0.16f); };
    Shape(v, [&](P p) { return std::min(bodyShape(p), topShape(p)) - lw; }, kInk);
    // Side shading across the body, a coloured band round its middle.
    Shape(v, bodyShape, [&](P p) {
        const P q = Local(p, c, angle);
        const float u = q.x / hw;
        const bool inBand = std::fabs(q.y) < h * 0.2f;
        const Color base = inBand ? band : body;
        const float shade = 0.75f + 0.25f * std::cos((u - 0.3f) * 1.3f) + (std::fabs(u + 0.35f) < 0.12f ? 0.18f : 0.0f);
        return Color{std::min(1.0f, base.r * shade), std::min(1.0f, base.g * shade), std::min(1.0f, base.b * shade), 1};
    });
    Shape(v, topShape, Rgb(0xC8CCD4));
    Shape(v, [&](P p) { return sdf::Ellipse(Local(p, c, angle), {hw * 0.2f, -hh + w * 0.14f}, hw * 0.28f, w * 0.07f); },
          Rgb(0x6A707C));  // the opening
}

void DrawUmbrella(const View& v, P c, float w, float angle, Color canopy, Color stripe) {
    const float r = w / 2, lw = std::max(1.5f, w * 0.04f);
    auto canopyShape = [&](P p) {
        const P q = Local(p, c, angle);
        float d = std::max(sdf::Circle(q, {0, r}, r), q.y - r);
        for (int i = 0; i < 4; ++i) d = std::max(d, -sdf::Circle(q, {-r + r / 4 + i * r / 2, r + r * 0.06f}, r / 4));
        return d;
    };
    auto shaft = [&](P p) {
        const P q = Local(p, c, angle);
        float d = sdf::Segment(q, {0, -w * 0.08f}, {0, w * 1.05f}, w * 0.035f);
        // The crook of the handle.
        d = std::min(d, std::max(sdf::Ring(q, {-w * 0.11f, w * 1.05f}, w * 0.11f, w * 0.035f), w * 1.05f - q.y));
        return d;
    };
    Shape(v, [&](P p) { return std::min(canopyShape(p), shaft(p)) - lw; }, kInk);
    Shape(v, shaft, Rgb(0x8A5A30));
    Shape(v, canopyShape, [&](P p) {
        const P q = Local(p, c, angle);
        const float a = std::atan2(q.y - r, q.x);  // -pi..0 over the canopy
        const int seg = int(std::floor((a + kPi) / (kPi / 4)));
        const Color base = (seg % 2) ? stripe : canopy;
        const float shade = 0.8f + 0.2f * std::clamp((r - q.y) / r, 0.0f, 1.0f);
        return Scale(base, shade);
    });
}

}  // namespace assetgen::pic
