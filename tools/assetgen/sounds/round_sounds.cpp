// The round's sounds: strikes, can hits, gauge and turn cues, the goal and out-of-bounds
// jingles, and the classroom's chime and breaking glass.
#include <algorithm>
#include <cmath>

#include "sounds/designs.h"

namespace assetgen::sounds {

using namespace synth;

namespace {

constexpr double kTau = 2.0 * 3.14159265358979323846;

// The thin metal of an empty can: a few inharmonic modes that die fast.
Buffer CanRing(double seconds, double base, const double (&ratios)[5], double decay) {
    const double amps[5] = {0.5, 0.45, 0.35, 0.25, 0.15};
    const double taus[5] = {0.08, 0.06, 0.045, 0.03, 0.02};
    std::vector<Partial> partials;
    for (int i = 0; i < 5; ++i) partials.push_back({base * ratios[i], amps[i], taus[i] * decay});
    return Modal(seconds, partials, 2.0);
}

Buffer Click(Noise& rng, double highPass, double tau) {
    Buffer click = rng.Fill(0.03);
    HighPass(click, highPass);
    ApplyDecay(click, 0.0005, tau);
    return click;
}

// A bright brass-like note for jingles: a pulse with a soft edge over a triangle an octave down.
Buffer JingleNote(int midi, double gate, double release) {
    const double len = gate + release;
    Buffer pulse = Tone(Wave::Square, len, MidiHz(midi), 0.25);
    Buffer low = Tone(Wave::Triangle, len, MidiHz(midi - 12));
    Buffer out = Mix({{&pulse, 0.6}, {&low, 0.4}});
    LowPass(out, 4000.0);
    ApplyAdsr(out, {0.005, 0.05, 0.7, release}, gate);
    return out;
}

Buffer Strike(Noise& rng, double thumpFrom, double thumpTo, double ringBase, double ringDecay,
              double len) {
    static const double kRatios[5] = {1.0, 2.34, 3.84, 5.74, 7.58};
    Buffer click = Click(rng, 2000.0, 0.004);
    Buffer ring = CanRing(len, ringBase, kRatios, ringDecay);
    Buffer thump = Tone(Wave::Sine, len, Glide(thumpFrom, thumpTo, 0.1));
    ApplyDecay(thump, 0.001, 0.03 * ringDecay);
    return Mix({{&click, 0.7}, {&ring, 1.0}, {&thump, 0.9}});
}

}  // namespace

Buffer Shot() {
    Noise rng(0x5407);
    return Strike(rng, 220.0, 110.0, 620.0, 1.0, 0.35);
}

Buffer PowerShot() {
    const double len = 0.7;
    Noise rng(0x9057);
    Buffer hit = Strike(rng, 160.0, 70.0, 480.0, 1.5, len);
    Buffer whoosh = rng.Fill(len);
    BandPassSweep(whoosh, Glide(2500.0, 500.0, len), 1.5);
    ApplyCurve(whoosh, [](double t) { return t < 0.08 ? t / 0.08 : std::exp(-(t - 0.08) / 0.2); });
    Buffer out = Mix({{&hit, 1.0}, {&whoosh, 1.2}});
    FadeOut(out, 0.1);
    return out;
}

Buffer PowerShotFull() {
    const double len = 1.3;
    Noise rng(0xF011);
    Buffer hit = Strike(rng, 200.0, 90.0, 440.0, 1.8, len);
    Buffer boom = Tone(Wave::Sine, len, Glide(90.0, 28.0, 0.6));
    ApplyDecay(boom, 0.002, 0.35);
    Buffer blast = rng.Fill(len);
    LowPassSweep(blast, Glide(6000.0, 300.0, 1.0));
    ApplyDecay(blast, 0.002, 0.25);
    Buffer crackle = Crackle(rng, len, {60, 0.8, 1.6, 0.002, 0.01, 1500.0, 6000.0, 2.0});
    Buffer out = Mix({{&hit, 0.8}, {&boom, 1.0}, {&blast, 1.2}, {&crackle, 0.5}});
    SoftClip(out, 1.5);
    FadeOut(out, 0.3);
    return out;
}

Buffer PowerCharge() {
    // Rises for 1.6 s, as long as the ring charges, and lets go at the release.
    const double rise = 1.6, len = 1.8;
    Noise rng(0xC4A6);
    auto swell = [=](double t) {
        if (t < rise) return 0.15 + 0.85 * (t / rise) * (t / rise);
        return std::max(0.0, 1.0 - (t - rise) / (len - rise));
    };
    Buffer saw = Tone(Wave::Saw, len, Glide(110.0, 880.0, rise));
    Buffer square = Tone(Wave::Square, len, Glide(221.0, 1765.0, rise));
    Buffer tone = Mix({{&saw, 0.6}, {&square, 0.3}});
    LowPassSweep(tone, Glide(400.0, 6000.0, rise));
    // The tremolo speeds up from 6 to 30 Hz as the charge builds.
    ApplyCurve(tone, [=](double t) {
        const double u = std::min(t, rise);
        return 1.0 + 0.25 * std::sin(kTau * (6.0 * u + 7.5 * u * u));
    });
    Buffer air = rng.Fill(len);
    BandPassSweep(air, Glide(300.0, 5000.0, rise), 2.0);
    Buffer out = Mix({{&tone, 1.0}, {&air, 0.8}});
    ApplyCurve(out, swell);
    FadeIn(out, 0.01);
    return out;
}

Buffer GoalJingle() {
    // C5 E5 G5 C6 . A5 B5 | C major chord ringing out.
    struct N {
        double at;
        int midi;
        double gate;
    };
    const N notes[] = {{0.00, 72, 0.09}, {0.10, 76, 0.09}, {0.20, 79, 0.09}, {0.30, 84, 0.30},
                       {0.65, 81, 0.09}, {0.75, 83, 0.09}};
    Buffer out = Silence(2.2);
    for (const N& n : notes) MixInto(out, JingleNote(n.midi, n.gate, 0.06), n.at, 0.5);
    for (int midi : {72, 76, 79, 84}) MixInto(out, JingleNote(midi, 0.7, 0.5), 0.85, 0.3);
    out.resize(size_t(Samples(2.2)));
    FadeOut(out, 0.2);
    return out;
}

Buffer OutOfBounds() {
    // The comic "wah wah wah waaah": a muted trombone sliding down by semitones.
    struct N {
        double at, len;
        int midi;
    };
    const N notes[] = {{0.0, 0.26, 55}, {0.27, 0.26, 54}, {0.54, 0.26, 53}, {0.81, 0.55, 52}};
    Buffer out = Silence(1.4);
    for (const N& n : notes) {
        const bool last = &n == &notes[3];
        Curve pitch = [hz = MidiHz(n.midi)](double) { return hz; };
        if (last) pitch = Vibrato(pitch, 6.0, 0.02);
        Buffer saw = Tone(Wave::Saw, n.len, pitch);
        Buffer square = Tone(Wave::Square, n.len, pitch);
        Buffer note = Mix({{&saw, 0.7}, {&square, 0.3}});
        // The plunger opening and closing: a band-pass that rises and falls over each note.
        BandPassSweep(note, [len = n.len](double t) {
            return 400.0 + 1100.0 * std::sin(3.14159265 * std::min(t / len, 1.0));
        }, 2.5);
        ApplyAdsr(note, {0.02, 0.05, 0.85, 0.06}, n.len - 0.06);
        MixInto(out, note, n.at);
    }
    out.resize(size_t(Samples(1.4)));
    return out;
}

Buffer ClearStars() {
    const double len = 1.3;
    Noise rng(0x57A2);
    // Pentatonic pings, crowded at the start as the stars burst, thinning as they fade.
    const int scale[] = {84, 86, 88, 91, 93, 96, 98, 100};
    Buffer out = Silence(len);
    for (int i = 0; i < 40; ++i) {
        const double at = 0.9 * std::pow(rng.Uniform(), 1.7);
        const double hz = MidiHz(scale[int(rng.Uniform() * 8)]);
        Buffer ping = Modal(0.4, {{hz, 1.0, 0.08}, {hz * 2.76, 0.3, 0.04}});
        MixInto(out, ping, at, rng.Range(0.3, 0.6) * std::exp(-at / 0.6));
    }
    Buffer rise = Tone(Wave::Sine, 0.25, Glide(1000.0, 3000.0, 0.2));
    ApplyAdsr(rise, {0.003, 0.05, 0.6, 0.1}, 0.15);
    MixInto(out, rise, 0.0, 0.4);
    Buffer shimmer = rng.Fill(len);
    HighPass(shimmer, 5000.0);
    ApplyDecay(shimmer, 0.003, 0.4);
    MixInto(out, shimmer, 0.0, 0.15);
    out.resize(size_t(Samples(len)));
    FadeOut(out, 0.2);
    return out;
}

Buffer CanTrade() {
    const double len = 0.8;
    Noise rng(0xCA27);
    // Crumpling metal, then a deflating squash.
    Buffer crunch = Crackle(rng, len, {28, 0.35, 1.0, 0.003, 0.012, 800.0, 4000.0, 3.0});
    Buffer squash = Tone(Wave::Saw, 0.4, Glide(300.0, 80.0, 0.4));
    LowPass(squash, 1200.0);
    ApplyAdsr(squash, {0.01, 0.1, 0.6, 0.12}, 0.28);
    Buffer out = crunch;
    MixInto(out, squash, 0.3, 0.6);
    out.resize(size_t(Samples(len)));
    return out;
}

Buffer CanClank(int variant) {
    static const double kRatios[2][5] = {{1.0, 1.58, 2.31, 3.12, 4.05},
                                         {1.0, 1.72, 2.47, 3.38, 4.4}};
    const double base = variant == 0 ? 1180.0 : 860.0;
    Noise rng(variant == 0 ? 0xCA40u : 0xCA41u);
    Buffer click = Click(rng, 3000.0, 0.003);
    Buffer ring = CanRing(0.2, base, kRatios[variant], 0.8);
    return Mix({{&click, 0.5}, {&ring, 1.0}});
}

Buffer MissShock() {
    const double len = 0.6;
    Noise rng(0x5A0C);
    Buffer saw = Tone(Wave::Saw, len, 100.0);
    Buffer square = Tone(Wave::Square, len, 150.0);
    Buffer buzz = Mix({{&saw, 0.6}, {&square, 0.4}});
    HighPass(buzz, 300.0);
    SoftClip(buzz, 3.0);
    // The arc sputters: a new random level every 8 ms, eased between.
    std::vector<double> levels(size_t(len / 0.008) + 2);
    for (double& l : levels) l = rng.Range(0.4, 1.0);
    ApplyCurve(buzz, [&](double t) {
        const double x = t / 0.008;
        const size_t i = size_t(x);
        const double f = x - double(i);
        return levels[i] * (1.0 - f) + levels[i + 1] * f;
    });
    Buffer sparks = Crackle(rng, len, {30, 0.55, 1.0, 0.002, 0.006, 2000.0, 8000.0, 1.5});
    Buffer out = Mix({{&buzz, 0.8}, {&sparks, 0.6}});
    ApplyAdsr(out, {0.005, 0.05, 0.9, 0.1}, len - 0.1);
    return out;
}

Buffer ShotSwitch() {
    Buffer out = Tone(Wave::Square, 0.14, Glide(500.0, 2000.0, 0.1), 0.3);
    LowPass(out, 5000.0);
    ApplyAdsr(out, {0.002, 0.04, 0.6, 0.05}, 0.09);
    return out;
}

Buffer SchoolChime() {
    // The school bell: four four-note phrases on E, F#, G# and the B below,
    // 3-1-2-5, 5-2-3-1, 3-2-1-5, 5-2-3-1.
    const int deg[4][4] = {{68, 64, 66, 59}, {59, 66, 68, 64}, {68, 66, 64, 59}, {59, 66, 68, 64}};
    const double step = 0.5, phrase = 2.3, len = 10.6;
    Noise rng(0xC4A1);
    Buffer out = Silence(len);
    for (int p = 0; p < 4; ++p) {
        for (int n = 0; n < 4; ++n) {
            const double at = p * phrase + n * step;
            const double hz = MidiHz(deg[p][n]);
            Buffer bell = Modal(len - at, {{hz * 0.5, 0.15, 2.0},
                                           {hz, 1.0, 1.6},
                                           {hz * 2.0, 0.35, 0.9},
                                           {hz * 2.76, 0.25, 0.5},
                                           {hz * 5.4, 0.12, 0.2}},
                                0.7);
            MixInto(bell, Click(rng, 3000.0, 0.002), 0.0, 0.15);
            MixInto(out, bell, at, 0.3);
        }
    }
    out.resize(size_t(Samples(len)));
    FadeOut(out, 1.0);
    return out;
}

Buffer GlassCrash() {
    const double len = 1.6;
    Noise rng(0x61A5);
    Buffer impact = rng.Fill(0.12);
    HighPass(impact, 1200.0);
    ApplyDecay(impact, 0.001, 0.03);
    Buffer thud = Tone(Wave::Sine, 0.3, Glide(150.0, 60.0, 0.2));
    ApplyDecay(thud, 0.001, 0.05);
    Buffer sizzle = rng.Fill(len);
    HighPass(sizzle, 4000.0);
    ApplyDecay(sizzle, 0.002, 0.35);

    Buffer out = Mix({{&impact, 1.0}, {&thud, 0.4}, {&sizzle, 0.3}});
    // Shards falling and tinkling, most of them in the first half second.
    for (int i = 0; i < 70; ++i) {
        const double at = 1.3 * std::pow(rng.Uniform(), 1.8);
        const double hz = rng.Range(2000.0, 7000.0);
        const double tau = rng.Range(0.03, 0.08);
        Buffer shard = Modal(0.3, {{hz, 1.0, tau}, {hz * 1.47, 0.5, tau * 0.7},
                                   {hz * 2.09, 0.3, tau * 0.5}});
        MixInto(out, shard, at, rng.Range(0.2, 0.5) * std::exp(-at / 0.5));
    }
    out.resize(size_t(Samples(len)));
    FadeOut(out, 0.2);
    return out;
}

Buffer TurnZap() {
    // Short on purpose: the turn's fade-in retriggers it every frame.
    const double len = 0.18;
    Buffer square = Tone(Wave::Square, len, Glide(2200.0, 280.0, 0.16));
    Buffer sine = Tone(Wave::Sine, len, Glide(2200.0, 280.0, 0.16));
    Buffer out = Mix({{&square, 0.5}, {&sine, 0.5}});
    LowPass(out, 6000.0);
    ApplyDecay(out, 0.002, 0.05);
    return out;
}

Buffer GaugeFlash() {
    Noise rng(0xF1A5);
    Buffer ring = Modal(0.25, {{2637.0, 0.5, 0.09},
                               {3951.0, 0.4, 0.07},
                               {5274.0, 0.35, 0.05},
                               {6645.0, 0.25, 0.04},
                               {8372.0, 0.2, 0.03}},
                        5.0);
    Buffer air = rng.Fill(0.25);
    HighPass(air, 5000.0);
    ApplyDecay(air, 0.001, 0.03);
    return Mix({{&ring, 1.0}, {&air, 0.4}});
}

}  // namespace assetgen::sounds
