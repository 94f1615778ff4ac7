#include <gtest/gtest.h>

#include <cmath>

#include "audio_fixtures.h"
#include "platform/sound_internal.h"

using namespace audiotest;

namespace {

plat::MixVoice Voice(uint16_t channels, uint32_t rate, uint16_t bits, const Bytes& data) {
    plat::MixVoice v;
    v.format.wFormatTag = plat::WAVE_FORMAT_PCM;
    v.format.nChannels = channels;
    v.format.nSamplesPerSec = rate;
    v.format.wBitsPerSample = bits;
    v.format.nBlockAlign = uint16_t(channels * bits / 8);
    v.format.nAvgBytesPerSec = rate * v.format.nBlockAlign;
    v.data = data;
    v.frames = uint32_t(data.size() / v.format.nBlockAlign);
    v.playing = true;
    return v;
}

struct Measure {
    int soundingFrames = 0;  // up to the last non-zero frame
    int crossings = 0;       // sign changes of the left side
    double rmsLeft = 0, rmsRight = 0;
};

Measure Analyse(const std::vector<float>& stereo) {
    Measure m;
    const int frames = int(stereo.size() / 2);
    for (int i = 0; i < frames; ++i)
        if (stereo[2 * i] != 0 || stereo[2 * i + 1] != 0) m.soundingFrames = i + 1;
    for (int i = 1; i < m.soundingFrames; ++i)
        if ((stereo[2 * i - 2] < 0) != (stereo[2 * i] < 0)) ++m.crossings;
    for (int i = 0; i < m.soundingFrames; ++i) {
        m.rmsLeft += stereo[2 * i] * stereo[2 * i];
        m.rmsRight += stereo[2 * i + 1] * stereo[2 * i + 1];
    }
    m.rmsLeft = std::sqrt(m.rmsLeft / m.soundingFrames);
    m.rmsRight = std::sqrt(m.rmsRight / m.soundingFrames);
    return m;
}

TEST(Mixer, ConvertsAnyPcmLayoutToTheOutputRateAtItsOwnPitchAndLength) {
    const struct {
        uint16_t channels;
        uint32_t rate;
        uint16_t bits;
    } cases[] = {
        {1, 11025, 8}, {2, 11025, 16}, {1, 22050, 16}, {2, 22050, 8},
        {1, 44100, 16}, {2, 44100, 16}, {1, 48000, 8}, {2, 8000, 16},
    };
    constexpr uint32_t kOut = 44100;
    constexpr double kHz = 500, kSeconds = 0.2, kAmp = 0.5;
    for (const auto& c : cases) {
        plat::MixVoice v = Voice(c.channels, c.rate, c.bits, Sine(c.channels, c.rate, c.bits, kHz, kSeconds, kAmp));
        plat::MixVoice* voices[] = {&v};
        // In pieces, as the output callback asks for them.
        std::vector<float> out(2 * kOut / 2, 0.0f);
        for (size_t at = 0; at < out.size() / 2; at += 512) {
            const int n = int(std::min<size_t>(512, out.size() / 2 - at));
            plat::MixVoices(voices, 1, kOut, out.data() + 2 * at, n);
        }
        const Measure m = Analyse(out);
        const std::string what = std::to_string(c.channels) + "ch " + std::to_string(c.rate) + " Hz " +
                                 std::to_string(c.bits) + "-bit";
        EXPECT_NEAR(m.soundingFrames, kSeconds * kOut, 8) << what;
        EXPECT_NEAR(m.crossings, 2 * kHz * kSeconds, 3) << what;
        EXPECT_NEAR(m.rmsLeft, kAmp / std::sqrt(2.0), 0.02) << what;
        EXPECT_NEAR(m.rmsRight, m.rmsLeft, 1e-6) << what;
        EXPECT_FALSE(v.playing) << what;
        EXPECT_EQ(v.pos, 0) << what;  // rewound for the next play
    }
}

TEST(Mixer, KeepsTheSidesApartAndAddsVoicesWithTheirGains) {
    Bytes leftOnly;
    const Bytes mono = Sine(1, 44100, 16, 300, 0.1, 0.4);
    for (size_t i = 0; i < mono.size(); i += 2) leftOnly.insert(leftOnly.end(), {mono[i], mono[i + 1], 0, 0});
    plat::MixVoice a = Voice(2, 44100, 16, leftOnly);
    plat::MixVoice b = Voice(1, 44100, 16, mono);
    b.gainLeft = 0.0f;
    b.gainRight = 0.5f;
    plat::MixVoice idle = Voice(1, 44100, 16, mono);
    idle.playing = false;
    plat::MixVoice* voices[] = {&a, &b, &idle};
    std::vector<float> out(2 * 4410, 0.0f);
    plat::MixVoices(voices, 3, 44100, out.data(), 4410);
    const Measure m = Analyse(out);
    EXPECT_NEAR(m.rmsLeft, 0.4 / std::sqrt(2.0), 0.01);
    EXPECT_NEAR(m.rmsRight, 0.2 / std::sqrt(2.0), 0.01);
    EXPECT_FALSE(idle.playing);
    EXPECT_EQ(idle.pos, 0);
}

TEST(Mixer, WritesTheOutputFormatScaledAndClipped) {
    const float mix[] = {0.5f, -0.25f, 2.0f, -3.0f};
    plat::WaveFormat f16;
    f16.wFormatTag = 1;
    f16.nChannels = 2;
    f16.wBitsPerSample = 16;
    f16.nBlockAlign = 4;
    int16_t s16[4];
    plat::ConvertMix(mix, 2, 1.0f, 0.5f, f16, reinterpret_cast<uint8_t*>(s16));
    EXPECT_EQ(s16[0], 16384);
    EXPECT_EQ(s16[1], -4096);
    EXPECT_EQ(s16[2], 32767);
    EXPECT_EQ(s16[3], -32767);

    plat::WaveFormat f8 = f16;
    f8.nChannels = 1;
    f8.wBitsPerSample = 8;
    f8.nBlockAlign = 1;
    uint8_t s8[2];
    plat::ConvertMix(mix, 2, 1.0f, 1.0f, f8, s8);
    EXPECT_EQ(s8[0], 128 + 16);  // the mean of both sides, 0.125
    EXPECT_EQ(s8[1], 128);       // both sides clipped first: (1 - 1) / 2
}

TEST(Mixer, VolumeAndPanAreHundredthsOfADecibelOffEachSide) {
    const struct {
        int32_t volume, pan;
        float left, right;
    } cases[] = {
        {0, 0, 1, 1}, {-2000, 0, 0.1f, 0.1f}, {-600, 0, 0.501f, 0.501f}, {-10000, 0, 0, 0},
        {0, 2000, 0.1f, 1}, {0, -4000, 1, 0.01f}, {0, 10000, 0, 1}, {-2000, -2000, 0.1f, 0.01f},
    };
    for (const auto& c : cases) {
        float l, r;
        plat::GainsOf(c.volume, c.pan, &l, &r);
        EXPECT_NEAR(l, c.left, 0.001) << c.volume << " " << c.pan;
        EXPECT_NEAR(r, c.right, 0.001) << c.volume << " " << c.pan;
    }
}

}  // namespace
