// The title and menu sounds: one impact for the logo, and short, distinct menu cues.
#include <cmath>

#include "sounds/designs.h"

namespace assetgen::sounds {

using namespace synth;

Buffer LogoHit() {
    const double len = 1.3;
    Noise rng(0x10601);

    Buffer boom = Tone(Wave::Sine, len, Glide(110.0, 40.0, 0.4));
    ApplyDecay(boom, 0.002, 0.25);

    Buffer punch = rng.Fill(0.3);
    LowPass(punch, 1500.0);
    ApplyDecay(punch, 0.001, 0.05);

    // A struck metal plate: inharmonic partials, beating slowly, with a shimmering tail.
    Buffer clang = Modal(len, {{392.0, 0.5, 0.5},
                               {987.0, 0.35, 0.35},
                               {1542.0, 0.3, 0.25},
                               {2211.0, 0.2, 0.18},
                               {3103.0, 0.12, 0.12}},
                         3.0);
    ApplyCurve(clang, [](double t) { return 1.0 + 0.3 * std::sin(2.0 * 3.14159265 * 9.0 * t); });

    Buffer out = Mix({{&boom, 0.9}, {&punch, 0.6}, {&clang, 0.8}});
    FadeOut(out, 0.3);
    return out;
}

Buffer MenuClick() {
    const double len = 0.08;
    Buffer body = Tone(Wave::Sine, len, Glide(1500.0, 1100.0, len));
    Buffer edge = Tone(Wave::Sine, len, Glide(3000.0, 2200.0, len));
    Buffer out = Mix({{&body, 1.0}, {&edge, 0.2}});
    ApplyDecay(out, 0.002, 0.02);
    return out;
}

Buffer MenuDecide() {
    // Two rising bell notes, C6 then G6.
    // Menu cues stay under 0.2 s, so the second note dies away fast.
    const double len = 0.2;
    Buffer out = Modal(len, {{MidiHz(84), 1.0, 0.05}, {MidiHz(96), 0.3, 0.03}, {3140.0, 0.1, 0.02}});
    const Buffer high =
        Modal(len - 0.06, {{MidiHz(91), 1.0, 0.06}, {MidiHz(103), 0.3, 0.04}, {4700.0, 0.1, 0.02}});
    MixInto(out, high, 0.06);
    return out;
}

Buffer Refusal() {
    // Two squares a semitone apart beat against each other: a short, unmistakable "no".
    const double len = 0.19;
    Buffer a = Tone(Wave::Square, len, Glide(150.0, 120.0, len));
    Buffer b = Tone(Wave::Square, len, Glide(159.0, 127.0, len));
    Buffer out = Mix({{&a, 0.5}, {&b, 0.5}});
    LowPass(out, 1800.0);
    ApplyAdsr(out, {0.003, 0.05, 0.6, 0.06}, 0.13);
    return out;
}

Buffer MenuBack() {
    const double len = 0.19;
    Buffer saw = Tone(Wave::Saw, len, Glide(392.0, 330.0, len));
    Buffer sub = Tone(Wave::Square, len, Glide(196.0, 165.0, len));
    Buffer out = Mix({{&saw, 0.6}, {&sub, 0.4}});
    LowPassSweep(out, Glide(2500.0, 600.0, len));
    ApplyAdsr(out, {0.004, 0.08, 0.5, 0.07}, 0.12);
    return out;
}

}  // namespace assetgen::sounds
