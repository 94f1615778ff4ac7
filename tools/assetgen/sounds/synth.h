// A small synthesiser kit for the sound effects: mono float buffers at one rate, oscillators
// with gliding pitch, seeded noise, envelopes, filters and mixing. Everything is deterministic.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

namespace assetgen::synth {

constexpr int kRate = 22050;

using Buffer = std::vector<float>;
using Curve = std::function<double(double t)>;  // a value over time in seconds

int Samples(double seconds);
double Seconds(const Buffer& b);
Buffer Silence(double seconds);
double MidiHz(double note);  // 69 = A4 = 440 Hz

// xorshift32: our own generator, so the output never depends on the C library.
class Noise {
  public:
    explicit Noise(uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
    double Uniform();               // [0, 1)
    double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
    float White() { return float(Uniform() * 2.0 - 1.0); }
    Buffer Fill(double seconds);    // white noise

  private:
    uint32_t state_;
};

enum class Wave { Sine, Triangle, Square, Saw };

// A band-limited oscillator whose frequency (Hz) follows a curve; duty only shapes Square.
Buffer Tone(Wave wave, double seconds, const Curve& freq, double duty = 0.5);
Buffer Tone(Wave wave, double seconds, double freq, double duty = 0.5);
// Exponential glide from f0 to f1 over the whole length.
Curve Glide(double f0, double f1, double seconds);
// Frequency wobble around a curve: depth is a ratio (0.02 = 2 %).
Curve Vibrato(Curve base, double rateHz, double depth);

// A struck object: decaying sine partials (cans, bells, glass). Amplitude is linear, tau is the
// time in seconds for the partial to fall to 1/e.
struct Partial {
    double freq;
    double amp;
    double tau;
};
Buffer Modal(double seconds, const std::vector<Partial>& partials, double detuneHz = 0.0);

// Short noise bursts scattered over a window, each band-passed at a random centre: crackle,
// crunch, debris. Density follows u^spread (spread > 1 crowds them towards the start).
struct Scatter {
    int count;
    double window;     // seconds over which onsets fall
    double spread;
    double minLength, maxLength;
    double lowHz, highHz;
    double q;
};
Buffer Crackle(Noise& rng, double seconds, const Scatter& s);

// Envelopes multiply a buffer in place.
struct Adsr {
    double attack;
    double decay;
    double sustain;  // level 0..1
    double release;
};
void ApplyAdsr(Buffer& b, const Adsr& env, double gateSeconds);
void ApplyDecay(Buffer& b, double attack, double tau);  // linear rise, then exponential fall
void ApplyCurve(Buffer& b, const Curve& gain);
void FadeIn(Buffer& b, double seconds);
void FadeOut(Buffer& b, double seconds);

// Filters (biquads after the audio EQ cookbook), in place.
void LowPass(Buffer& b, double cutoff, double q = 0.707);
void HighPass(Buffer& b, double cutoff, double q = 0.707);
void BandPass(Buffer& b, double centre, double q);
// A band-pass whose centre moves along a curve (whooshes, wah).
void BandPassSweep(Buffer& b, const Curve& centre, double q);
void LowPassSweep(Buffer& b, const Curve& cutoff, double q = 0.707);

// Mixing.
void MixInto(Buffer& dst, const Buffer& src, double atSeconds, double gain = 1.0);
Buffer Mix(std::initializer_list<std::pair<const Buffer*, double>> parts);
void Scale(Buffer& b, double gain);
void SoftClip(Buffer& b, double drive);  // tanh saturation, keeps level near 1
void Normalize(Buffer& b, double peakDb);
double PeakDb(const Buffer& b);
double DbToGain(double db);

}  // namespace assetgen::synth
