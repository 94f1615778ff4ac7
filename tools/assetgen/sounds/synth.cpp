#include "sounds/synth.h"

#include <algorithm>
#include <cmath>

namespace assetgen::synth {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Smooths the step of a square or saw wave over one sample (polyBLEP), which keeps high
// notes from folding back as audible aliases at our modest rate.
double PolyBlep(double phase, double step) {
    if (phase < step) {
        const double x = phase / step;
        return x + x - x * x - 1.0;
    }
    if (phase > 1.0 - step) {
        const double x = (phase - 1.0) / step;
        return x * x + x + x + 1.0;
    }
    return 0.0;
}

double Wrap(double phase) { return phase - std::floor(phase); }

struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;

    enum class Kind { Low, High, Band };

    void Set(Kind kind, double freq, double q) {
        freq = std::clamp(freq, 10.0, kRate * 0.49);
        const double w = 2.0 * kPi * freq / kRate;
        const double cw = std::cos(w);
        const double alpha = std::sin(w) / (2.0 * q);
        const double a0 = 1.0 + alpha;
        switch (kind) {
            case Kind::Low:
                b0 = (1.0 - cw) / 2.0;
                b1 = 1.0 - cw;
                b2 = b0;
                break;
            case Kind::High:
                b0 = (1.0 + cw) / 2.0;
                b1 = -(1.0 + cw);
                b2 = b0;
                break;
            case Kind::Band:  // constant 0 dB peak gain
                b0 = alpha;
                b1 = 0.0;
                b2 = -alpha;
                break;
        }
        b0 /= a0;
        b1 /= a0;
        b2 /= a0;
        a1 = -2.0 * cw / a0;
        a2 = (1.0 - alpha) / a0;
    }

    float Run(float x) {
        const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return float(y);
    }
};

void Filter(Buffer& b, Biquad::Kind kind, double freq, double q) {
    Biquad f;
    f.Set(kind, freq, q);
    for (float& s : b) s = f.Run(s);
}

void FilterSweep(Buffer& b, Biquad::Kind kind, const Curve& freq, double q) {
    Biquad f;
    for (size_t i = 0; i < b.size(); ++i) {
        // Coefficients every 16 samples: smooth enough, and cheap.
        if (i % 16 == 0) f.Set(kind, freq(double(i) / kRate), q);
        b[i] = f.Run(b[i]);
    }
}

}  // namespace

int Samples(double seconds) { return std::max(0, int(std::lround(seconds * kRate))); }
double Seconds(const Buffer& b) { return double(b.size()) / kRate; }
Buffer Silence(double seconds) { return Buffer(size_t(Samples(seconds)), 0.0f); }
double MidiHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

double Noise::Uniform() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return double(state_) / 4294967296.0;
}

Buffer Noise::Fill(double seconds) {
    Buffer b = Silence(seconds);
    for (float& s : b) s = White();
    return b;
}

Buffer Tone(Wave wave, double seconds, const Curve& freq, double duty) {
    Buffer b = Silence(seconds);
    double phase = 0.0;
    for (size_t i = 0; i < b.size(); ++i) {
        const double step = std::clamp(freq(double(i) / kRate) / kRate, 0.0, 0.5);
        double v = 0.0;
        switch (wave) {
            case Wave::Sine:
                v = std::sin(2.0 * kPi * phase);
                break;
            case Wave::Triangle:
                v = 1.0 - 4.0 * std::fabs(phase - 0.5);
                break;
            case Wave::Saw:
                v = 2.0 * phase - 1.0 - PolyBlep(phase, step);
                break;
            case Wave::Square:
                // Less the pulse's mean, so a narrow pulse carries no DC.
                v = (phase < duty ? 1.0 : -1.0) + PolyBlep(phase, step) -
                    PolyBlep(Wrap(phase - duty + 1.0), step) - (2.0 * duty - 1.0);
                break;
        }
        b[i] = float(v);
        phase = Wrap(phase + step);
    }
    return b;
}

Buffer Tone(Wave wave, double seconds, double freq, double duty) {
    return Tone(wave, seconds, [freq](double) { return freq; }, duty);
}

Curve Glide(double f0, double f1, double seconds) {
    const double ratio = f1 / f0;
    return [=](double t) { return f0 * std::pow(ratio, std::clamp(t / seconds, 0.0, 1.0)); };
}

Curve Vibrato(Curve base, double rateHz, double depth) {
    return [=](double t) { return base(t) * (1.0 + depth * std::sin(2.0 * kPi * rateHz * t)); };
}

Buffer Modal(double seconds, const std::vector<Partial>& partials, double detuneHz) {
    Buffer b = Silence(seconds);
    for (const Partial& p : partials) {
        if (p.freq >= kRate * 0.48) continue;
        // A second copy slightly off pitch gives the slow beating of real metal.
        const double copies = detuneHz > 0.0 ? 2.0 : 1.0;
        for (size_t i = 0; i < b.size(); ++i) {
            const double t = double(i) / kRate;
            double v = std::sin(2.0 * kPi * p.freq * t);
            if (detuneHz > 0.0) v += std::sin(2.0 * kPi * (p.freq + detuneHz) * t + 1.0);
            b[i] += float(p.amp / copies * v * std::exp(-t / p.tau));
        }
    }
    FadeOut(b, 0.003);  // whatever still rings at the cut must not click
    return b;
}

Buffer Crackle(Noise& rng, double seconds, const Scatter& s) {
    Buffer out = Silence(seconds);
    for (int i = 0; i < s.count; ++i) {
        const double at = s.window * std::pow(rng.Uniform(), s.spread);
        const double length = rng.Range(s.minLength, s.maxLength);
        Buffer burst = rng.Fill(length);
        BandPass(burst, rng.Range(s.lowHz, s.highHz), s.q);
        ApplyDecay(burst, 0.0005, length / 3.0);
        MixInto(out, burst, at, rng.Range(0.3, 1.0));
    }
    out.resize(size_t(Samples(seconds)));
    return out;
}

void ApplyAdsr(Buffer& b, const Adsr& env, double gateSeconds) {
    for (size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        auto held = [&](double u) {
            if (u < env.attack) return u / env.attack;
            if (u < env.attack + env.decay)
                return 1.0 - (1.0 - env.sustain) * (u - env.attack) / env.decay;
            return env.sustain;
        };
        double g = 0.0;
        if (t < gateSeconds) {
            g = held(t);
        } else if (t < gateSeconds + env.release) {
            g = held(gateSeconds) * (1.0 - (t - gateSeconds) / env.release);
        }
        b[i] *= float(g);
    }
}

void ApplyDecay(Buffer& b, double attack, double tau) {
    for (size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        const double g = t < attack ? t / attack : std::exp(-(t - attack) / tau);
        b[i] *= float(g);
    }
}

void ApplyCurve(Buffer& b, const Curve& gain) {
    for (size_t i = 0; i < b.size(); ++i) b[i] *= float(gain(double(i) / kRate));
}

void FadeIn(Buffer& b, double seconds) {
    const size_t n = std::min(b.size(), size_t(Samples(seconds)));
    for (size_t i = 0; i < n; ++i) b[i] *= float(double(i) / double(n));
}

void FadeOut(Buffer& b, double seconds) {
    const size_t n = std::min(b.size(), size_t(Samples(seconds)));
    for (size_t i = 0; i < n; ++i) b[b.size() - 1 - i] *= float(double(i) / double(n));
}

void LowPass(Buffer& b, double cutoff, double q) { Filter(b, Biquad::Kind::Low, cutoff, q); }
void HighPass(Buffer& b, double cutoff, double q) { Filter(b, Biquad::Kind::High, cutoff, q); }
void BandPass(Buffer& b, double centre, double q) { Filter(b, Biquad::Kind::Band, centre, q); }
void BandPassSweep(Buffer& b, const Curve& centre, double q) {
    FilterSweep(b, Biquad::Kind::Band, centre, q);
}
void LowPassSweep(Buffer& b, const Curve& cutoff, double q) {
    FilterSweep(b, Biquad::Kind::Low, cutoff, q);
}

void MixInto(Buffer& dst, const Buffer& src, double atSeconds, double gain) {
    const size_t at = size_t(Samples(atSeconds));
    if (dst.size() < at + src.size()) dst.resize(at + src.size(), 0.0f);
    for (size_t i = 0; i < src.size(); ++i) dst[at + i] += float(gain * src[i]);
}

Buffer Mix(std::initializer_list<std::pair<const Buffer*, double>> parts) {
    Buffer out;
    for (const auto& [buffer, gain] : parts) MixInto(out, *buffer, 0.0, gain);
    return out;
}

void Scale(Buffer& b, double gain) {
    for (float& s : b) s *= float(gain);
}

void SoftClip(Buffer& b, double drive) {
    const double norm = std::tanh(drive);
    for (float& s : b) s = float(std::tanh(drive * s) / norm);
}

double PeakDb(const Buffer& b) {
    float peak = 0.0f;
    for (float s : b) peak = std::max(peak, std::fabs(s));
    return peak > 0.0f ? 20.0 * std::log10(peak) : -200.0;
}

double DbToGain(double db) { return std::pow(10.0, db / 20.0); }

void Normalize(Buffer& b, double peakDb) {
    const double now = PeakDb(b);
    if (now > -199.0) Scale(b, DbToGain(peakDb - now));
}

}  // namespace assetgen::synth
