// Light on black: pictures the game adds to the screen (so black is invisible), tints, or
// stretches. Computed per pixel.
#include "pictures/sheet.h"

namespace assetgen::pic {

namespace {

float Gauss(float x, float width) { return std::exp(-(x * x) / (width * width)); }

// Brightness of a soft round glow at distance t = r / radius: 1 at the centre, 0 from 1 on.
float Glow(float t) {
    if (t >= 1) return 0;
    const float u = 1 - t * t;
    return u * u * (0.35f + 0.65f * std::exp(-t * 3.5f));
}

}  // namespace

Sheet BuildWhite() {
    Sheet s("bitmap/White.bmp", 1, 1, Key::None);
    Fill(s.Add("whole", {0, 0, 1, 1}), Rgb(0xFFFFFF));
    return s;
}

Sheet BuildGlowBall() {
    Sheet s("bitmap/tama.bmp", 128, 128, Key::None);
    Pixels(s.Add("whole", {0, 0, 128, 128}), [](P p) { return Gray(Glow(Len(p - P{64, 64}) / 63.5f)); });
    return s;
}

Sheet BuildCanShadow() {
    Sheet s("bitmap/CanShadow.bmp", 64, 64, Key::None);
    Pixels(s.Add("whole", {0, 0, 64, 64}), [](P p) {
        const float t = Len(p - P{32, 32}) / 30.0f;
        return Gray(0.56f * (1 - Smoothstep(0.35f, 1.0f, t)));
    });
    return s;
}

Sheet BuildFlare() {
    Sheet s("bitmap/flare12.bmp", 128, 128, Key::None);
    Pixels(s.Add("whole", {0, 0, 128, 128}), [](P p) {
        const P d = p - P{64, 64};
        const float r = Len(d), t = r / 60.0f;
        const float ang = std::atan2(d.y, d.x);
        const float core = Gauss(r, 5.5f) + 0.55f * std::exp(-r / 11.0f);
        const float ring = 0.62f * Gauss(t - 0.78f, 0.035f) + 0.12f * Gauss(t - 0.78f, 0.12f);
        const float rays = 0.45f * std::pow(std::fabs(std::cos(ang * 2)), 90.0f) * std::exp(-r / 26.0f) +
                           0.2f * std::pow(std::fabs(std::cos(ang * 3 + 0.5f)), 140.0f) * std::exp(-r / 20.0f);
        const float fade = 1 - Smoothstep(0.86f, 1.0f, t);
        const float v = std::min(1.0f, core + ring + rays) * fade;
        return Color{v, v, std::min(1.0f, v * 1.02f), 1};
    });
    return s;
}

Sheet BuildSmokeSheet() {
    Sheet s("bitmap/Smoke.bmp", 256, 256, Key::None);
    Fill(s.All(), Rgb(0x000000));
    // Five soft lobes drifting on closed orbits: cells 8..31 are one turn of every orbit, so
    // cell 31 runs on into cell 8. Cells 0..7 grow the puff of cell 8 out of nothing.
    struct Lobe {
        float x, y, r, orbit;
        int turns;
        float phase;
    };
    static const Lobe lobes[] = {{0, 0, 8.5f, 1.5f, 1, 0.0f}, {-4.5f, -2, 6, 2.0f, 1, 1.7f}, {4.5f, -2.5f, 6.5f, 1.8f, 2, 3.1f},
                                 {-3, 4, 6, 1.6f, 1, 4.4f}, {3.5f, 4, 5.5f, 2.2f, 2, 5.3f}};
    for (int c = 0; c < 32; ++c) {
        const View cell = s.Add("cell " + std::to_string(c), {32 * (c % 8), 32 * (c / 8), 32 * (c % 8) + 32, 32 * (c / 8) + 32});
        const float grow = c < 8 ? Smoothstep(-0.5f, 8.0f, float(c)) : 1.0f;
        const float phi = c < 8 ? 0.0f : 2 * kPi * (c - 8) / 24.0f;
        Pixels(cell, [&](P p) {
            const P q = p - P{16, 16};
            float dens = 0;
            for (const Lobe& l : lobes) {
                const float a = phi * l.turns + l.phase;
                const P centre{(l.x + l.orbit * std::cos(a)) * grow, (l.y + l.orbit * std::sin(a)) * grow};
                dens += Gauss(Len(q - centre), l.r * (0.35f + 0.65f * grow));
            }
            // Wisps: noise sampled on a circle through noise space, so it loops with the lobes.
            const float n = Fbm(p.x / 7 + 3 * std::cos(phi), p.y / 7 + 3 * std::sin(phi), 11, 3);
            dens = (1 - std::exp(-dens * 0.9f)) * std::clamp(0.2f + 1.1f * (n - 0.2f), 0.0f, 1.2f);
            const float edge = 1 - Smoothstep(11.0f, 15.0f, Len(q));
            const float v = std::min(0.85f, 0.8f * dens * edge * (0.3f + 0.7f * grow));
            return Gray(v);
        });
    }
    return s;
}

Sheet BuildLensSheet() {
    Sheet s("bitmap/Lens.bmp", 512, 512, Key::None);
    Fill(s.All(), Rgb(0x000000));
    // Element 0: the sun's glare, a hot core with a starburst, dark at its borders.
    Pixels(s.Add("0 sun", {2, 2, 233, 240}), [](P p) {
        const P d = p - P{115.5f, 119};
        const float r = Len(d), t = r / 112.0f, ang = std::atan2(d.y, d.x);
        float burst = 0;
        for (int k = 0; k < 3; ++k) burst += std::pow(std::fabs(std::cos(ang * (6 + 2 * k) + k * 0.7f)), 30.0f + 20 * k);
        const float v = Gauss(r, 12) + 0.5f * std::exp(-r / 26) + 0.35f * burst * std::exp(-r / 45) * (1 - t);
        const float fade = 1 - Smoothstep(0.75f, 1.0f, t);
        return Color{std::min(1.0f, v) * fade, std::min(1.0f, v * 0.96f) * fade, std::min(1.0f, v * 0.85f) * fade, 1};
    });
    // Element 1: a large faint halo with a hint of spectrum.
    Pixels(s.Add("1 halo", {2, 243, 257, 498}), [](P p) {
        const float t = Len(p - P{127.5f, 127.5f}) / 125.0f;
        const float v = 0.32f * Gauss(t - 0.8f, 0.07f) + 0.05f * Gauss(t - 0.6f, 0.25f);
        const float fade = 1 - Smoothstep(0.92f, 1.0f, t);
        return Color{v * (0.7f + 0.6f * Smoothstep(0.7f, 0.9f, t)) * fade, v * fade, v * (1.3f - 0.6f * Smoothstep(0.7f, 0.9f, t)) * fade, 1};
    });
    auto dot = [](float w, float h, float bright, Color tint) {
        return [=](P p) {
            const float t = Len(P{(p.x - w / 2) / (w / 2), (p.y - h / 2) / (h / 2)});
            return Scale(tint, bright * Glow(t));
        };
    };
    Pixels(s.Add("2 dot", {236, 2, 246, 14}), dot(10, 12, 0.8f, Rgb(0xFFF0D0)));
    // Element 3: a small greenish disc with a brighter rim.
    Pixels(s.Add("3 ring", {249, 2, 296, 49}), [](P p) {
        const float t = Len(p - P{23.5f, 23.5f}) / 22.0f;
        const float v = t >= 1 ? 0 : 0.22f + 0.45f * Gauss(t - 0.85f, 0.08f);
        return Scale(Rgb(0x70FFA0), v * (1 - Smoothstep(0.93f, 1.0f, t)));
    });
    Pixels(s.Add("4 dot", {299, 2, 307, 10}), dot(8, 8, 0.9f, Rgb(0xFFFFFF)));
    Pixels(s.Add("5 dot", {310, 2, 314, 6}), dot(4, 4, 1.0f, Rgb(0xFFFFFF)));
    Pixels(s.Add("6 disc", {317, 2, 345, 30}), [](P p) {
        const float t = Len(p - P{14, 14}) / 13.0f;
        return Scale(Rgb(0x6090FF), 0.5f * (1 - Smoothstep(0.7f, 1.0f, t)));
    });
    // Element 7: a large hexagon, faint inside, brighter along its edge.
    Pixels(s.Add("7 hexagon", {236, 52, 335, 152}), [](P p) {
        static const std::vector<P> hex = RegularPolygon({49.5f, 50}, 46, 6, kPi / 6);
        const float d = sdf::Polygon(p, hex);
        const float v = d > 0 ? 0 : 0.12f + 0.25f * Gauss(d, 2.5f);
        return Scale(Rgb(0xFFC890), v * Coverage(d));
    });
    return s;
}

}  // namespace assetgen::pic
