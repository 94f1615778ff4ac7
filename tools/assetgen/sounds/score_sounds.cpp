// The score screen and ceremony: jumps and landings on the podium, the winner's cheer, and the
// rock that falls on the last place.
#include <algorithm>
#include <cmath>

#include "sounds/designs.h"

namespace assetgen::sounds {

using namespace synth;

namespace {

// Straight-line interpolation through (time, value) points, held flat beyond the ends.
Curve Path(std::vector<std::pair<double, double>> points) {
    return [points = std::move(points)](double t) {
        if (t <= points.front().first) return points.front().second;
        for (size_t i = 1; i < points.size(); ++i) {
            if (t < points[i].first) {
                const auto& [t0, v0] = points[i - 1];
                const auto& [t1, v1] = points[i];
                return v0 + (v1 - v0) * (t - t0) / (t1 - t0);
            }
        }
        return points.back().second;
    };
}

}  // namespace

Buffer Jump() {
    const double len = 0.4;
    Buffer spring = Tone(Wave::Sine, len, Vibrato(Glide(180.0, 720.0, 0.35), 18.0, 0.06));
    Buffer edge = Tone(Wave::Sine, len, Vibrato(Glide(360.0, 1440.0, 0.35), 18.0, 0.06));
    Buffer out = Mix({{&spring, 1.0}, {&edge, 0.25}});
    ApplyAdsr(out, {0.003, 0.1, 0.7, 0.1}, 0.3);
    return out;
}

Buffer Landing() {
    Noise rng(0x9002);
    Buffer pop = Tone(Wave::Sine, 0.15, Glide(260.0, 90.0, 0.08));
    ApplyDecay(pop, 0.001, 0.035);
    Buffer tap = rng.Fill(0.03);
    LowPass(tap, 1500.0);
    ApplyDecay(tap, 0.0005, 0.005);
    MixInto(pop, tap, 0.0, 0.3);
    return pop;
}

Buffer WinnerCheer() {
    // A formant-synthesised "Ya-ay!" rising in pitch, then a little sparkle of bells.
    const double voiceLen = 0.75;
    Noise rng(0x3E11);
    const Curve pitch =
        Vibrato(Path({{0.0, 330.0}, {0.2, 440.0}, {0.45, 520.0}, {0.75, 480.0}}), 6.0, 0.03);
    Buffer source = Tone(Wave::Saw, voiceLen, pitch);
    Buffer breath = rng.Fill(voiceLen);
    MixInto(source, breath, 0.0, 0.08);

    // /j/ into an open /a/, closing towards /i/ at the end: three moving formants.
    const Curve f1 = Path({{0.0, 300.0}, {0.12, 750.0}, {0.5, 700.0}, {0.75, 420.0}});
    const Curve f2 = Path({{0.0, 2200.0}, {0.12, 1300.0}, {0.5, 1400.0}, {0.75, 2000.0}});
    const Curve f3 = Path({{0.0, 2900.0}, {0.12, 2600.0}, {0.75, 2750.0}});
    Buffer voice = Silence(voiceLen);
    const std::pair<const Curve*, double> formants[] = {{&f1, 1.0}, {&f2, 0.55}, {&f3, 0.3}};
    for (const auto& [centre, gain] : formants) {
        Buffer band = source;
        BandPassSweep(band, *centre, 6.0);
        BandPassSweep(band, *centre, 6.0);  // twice, for a sharper vowel
        MixInto(voice, band, 0.0, gain);
    }
    ApplyAdsr(voice, {0.03, 0.1, 0.85, 0.15}, voiceLen - 0.15);

    Buffer out = voice;
    Normalize(out, 0.0);
    const int sparkle[] = {84, 88, 91, 96};
    for (int i = 0; i < 4; ++i) {
        const double hz = MidiHz(sparkle[i]);
        Buffer bell = Modal(0.6, {{hz, 1.0, 0.18}, {hz * 2.0, 0.3, 0.08}, {hz * 3.0, 0.1, 0.05}});
        MixInto(out, bell, 0.62 + 0.09 * i, 0.35);
    }
    out.resize(size_t(Samples(1.5)));
    FadeOut(out, 0.15);
    return out;
}

Buffer RockFall() {
    // Starts softly: after the landing it is started and stopped on every frame.
    const double len = 1.0;
    Noise rng(0xFA11);
    const Curve pitch = Vibrato(Glide(2400.0, 600.0, len), 7.0, 0.01);
    Buffer whistle = Tone(Wave::Sine, len, pitch);
    Buffer air = rng.Fill(len);
    BandPassSweep(air, pitch, 8.0);
    Buffer out = Mix({{&whistle, 1.0}, {&air, 0.3}});
    ApplyCurve(out, [=](double t) { return 0.7 + 0.3 * t / len; });  // coming closer
    FadeIn(out, 0.08);
    FadeOut(out, 0.05);
    return out;
}

Buffer RockLand() {
    const double len = 0.8;
    Noise rng(0xD0A7);
    Buffer thud = Tone(Wave::Sine, len, Glide(80.0, 32.0, 0.4));
    ApplyDecay(thud, 0.001, 0.18);
    Buffer crash = rng.Fill(len);
    LowPassSweep(crash, Glide(3000.0, 150.0, 0.5));
    ApplyDecay(crash, 0.001, 0.12);
    Buffer debris = Crackle(rng, len, {15, 0.5, 1.3, 0.005, 0.02, 300.0, 1500.0, 2.0});
    Buffer out = Mix({{&thud, 1.0}, {&crash, 0.8}});
    MixInto(out, debris, 0.1, 0.3);
    out.resize(size_t(Samples(len)));
    SoftClip(out, 2.0);
    FadeOut(out, 0.15);
    return out;
}

}  // namespace assetgen::sounds
