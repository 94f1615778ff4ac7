// Every sound file the game opens exists in the built asset tree, is a PCM WAVE file the game's
// reader takes, and fits the moment it marks: its length, a prompt onset, a sane level, a quiet
// end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const std::string kWave = std::string(POMELANE_ASSETS) + "/Wave/";

// What a file under Wave/ has to be, from the game's use of it.
struct SoundCase {
    const char* file;
    double minSeconds, maxSeconds;
};

const SoundCase kSounds[] = {
    {"LogoHit.wav", 1.0, 1.5},        {"pochi.wav", 0.05, 0.12},
    {"decide2.wav", 0.15, 0.2},       {"HITPOINT.WAV", 0.15, 0.2},
    {"be-synbeep4.wav", 0.15, 0.2},   {"Shot.wav", 0.2, 0.5},
    {"PowerShot.wav", 0.4, 0.8},      {"PowerShotFull.wav", 0.8, 1.5},
    {"PowerShotFull2.wav", 1.6, 2.0}, {"Clear.wav", 1.5, 3.0},
    {"OB.WAV", 1.0, 2.0},             {"ClearStar.wav", 1.0, 1.5},
    {"CanTrade.WAV", 0.5, 1.5},       {"Can.wav", 0.1, 0.3},
    {"Can1.wav", 0.1, 0.3},           {"ShockA@11.wav", 0.5, 0.7},
    {"SwitchF00@11.wav", 0.1, 0.3},   {"Chaim.wav", 8.0, 12.0},
    {"crash26.wav", 1.0, 2.0},        {"laser02.wav", 0.1, 0.25},
    {"FlashB@22.wav", 0.15, 0.3},     {"jump00.wav", 0.3, 0.5},
    {"pochi02@11.wav", 0.1, 0.3},     {"mirelVoice.wav", 1.0, 2.0},
    {"FallA@11.wav", 0.8, 1.5},       {"DownA@11.wav", 0.5, 1.0},
};

struct Wav {
    std::string error;  // empty when the file parsed
    uint16_t formatTag = 0, channels = 0, blockAlign = 0, bits = 0;
    uint32_t rate = 0, byteRate = 0;
    std::vector<int16_t> samples;

    double Seconds() const { return rate ? double(samples.size()) / rate : 0.0; }
};

uint32_t U32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint16_t U16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

// The RIFF layout as the game's reader walks it: chunks in any order inside the RIFF chunk,
// each padded to an even length.
Wav ReadWav(const std::string& path) {
    Wav w;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        w.error = "cannot open";
        return w;
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
        w.error = "not RIFF WAVE";
        return w;
    }
    const size_t riffEnd = std::min(bytes.size(), size_t(8) + U32(bytes.data() + 4));
    bool haveFmt = false, haveData = false;
    for (size_t at = 12; at + 8 <= riffEnd;) {
        const uint8_t* chunk = bytes.data() + at;
        const uint32_t size = U32(chunk + 4);
        if (at + 8 + size > riffEnd) {
            w.error = "chunk runs past the RIFF chunk";
            return w;
        }
        const uint8_t* body = chunk + 8;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (size < 16) {
                w.error = "fmt chunk shorter than 16 bytes";
                return w;
            }
            w.formatTag = U16(body);
            w.channels = U16(body + 2);
            w.rate = U32(body + 4);
            w.byteRate = U32(body + 8);
            w.blockAlign = U16(body + 12);
            w.bits = U16(body + 14);
            haveFmt = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            w.samples.resize(size / 2);
            for (size_t i = 0; i < w.samples.size(); ++i)
                w.samples[i] = int16_t(U16(body + 2 * i));
            haveData = true;
        }
        at += 8 + size + (size & 1);
    }
    if (!haveFmt) w.error = "no fmt chunk";
    if (!haveData) w.error = "no data chunk";
    return w;
}

TEST(Sounds, EveryFileIsMono16BitPcmTheReaderTakes) {
    for (const SoundCase& c : kSounds) {
        SCOPED_TRACE(c.file);
        const Wav w = ReadWav(kWave + c.file);
        ASSERT_EQ(w.error, "");
        EXPECT_EQ(w.formatTag, 1);
        EXPECT_EQ(w.channels, 1);
        EXPECT_EQ(w.bits, 16);
        EXPECT_TRUE(w.rate == 22050 || w.rate == 44100) << w.rate;
        EXPECT_EQ(w.blockAlign, 2);
        EXPECT_EQ(w.byteRate, w.rate * 2);
        EXPECT_GE(w.Seconds(), c.minSeconds);
        EXPECT_LE(w.Seconds(), c.maxSeconds);
    }
}

TEST(Sounds, StartAtOnceAtASaneLevelAndEndInSilence) {
    for (const SoundCase& c : kSounds) {
        SCOPED_TRACE(c.file);
        const Wav w = ReadWav(kWave + c.file);
        ASSERT_EQ(w.error, "");
        ASSERT_FALSE(w.samples.empty());
        // Every sound marks an event: sound within 5 ms.
        const size_t onsetWindow = w.rate * 5 / 1000;
        int early = 0;
        for (size_t i = 0; i < onsetWindow && i < w.samples.size(); ++i)
            early = std::max(early, std::abs(int(w.samples[i])));
        EXPECT_GT(early, 32767 / 100);

        int peak = 0;
        double sum = 0.0;
        for (int16_t s : w.samples) {
            peak = std::max(peak, std::abs(int(s)));
            sum += s;
        }
        EXPECT_LT(peak, 32767 * 95 / 100) << "too hot, or clipped";
        EXPECT_GT(peak, 32767 / 4) << "too quiet to be heard in the mix";
        EXPECT_LT(std::fabs(sum / w.samples.size()), 32767 * 0.01) << "DC offset";
        // Ends in silence, so neither the end nor a stop clicks.
        EXPECT_LT(std::abs(int(w.samples.back())), 32767 / 200);
    }
}

// How often the signal crosses zero per second: a rough pitch for comparing variants.
double CrossingRate(const Wav& w) {
    int crossings = 0;
    for (size_t i = 1; i < w.samples.size(); ++i)
        crossings += (w.samples[i - 1] < 0) != (w.samples[i] < 0);
    return crossings / w.Seconds();
}

TEST(Sounds, TheTwoCanHitsAreDifferentPitches) {
    const Wav a = ReadWav(kWave + "Can.wav"), b = ReadWav(kWave + "Can1.wav");
    ASSERT_EQ(a.error, "");
    ASSERT_EQ(b.error, "");
    const double ra = CrossingRate(a), rb = CrossingRate(b);
    EXPECT_GT(std::fabs(ra - rb) / std::max(ra, rb), 0.1) << ra << " vs " << rb;
}

TEST(Sounds, TheFallingWhistleStartsSoftlyAndFalls) {
    // The ceremony starts and stops it on every frame after the landing: a hard start clicks.
    const Wav w = ReadWav(kWave + "FallA@11.wav");
    ASSERT_EQ(w.error, "");
    const size_t ms2 = w.rate * 2 / 1000;
    int first = 0, peak = 0;
    for (size_t i = 0; i < w.samples.size(); ++i) {
        const int v = std::abs(int(w.samples[i]));
        if (i < ms2) first = std::max(first, v);
        peak = std::max(peak, v);
    }
    EXPECT_LT(first, peak / 10);

    Wav head = w, tail = w;
    const size_t quarter = w.samples.size() / 4;
    head.samples.assign(w.samples.begin(), w.samples.begin() + quarter);
    tail.samples.assign(w.samples.end() - quarter, w.samples.end());
    EXPECT_GT(CrossingRate(head), 1.5 * CrossingRate(tail));
}

}  // namespace
