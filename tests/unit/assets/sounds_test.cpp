// Every sound file the game opens exists in the built asset tree, loads through the game's own
// reader and sound sets, and fits the moment it marks: its length, a prompt onset, a sane
// level, a quiet end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "audio/audio_lifecycle.h"
#include "audio/audio_state.h"
#include "audio/sounds.h"
#include "audio/wave_read.h"

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
    std::string error;  // empty when the game's reader took the file
    plat::WaveFormat format;
    uint32_t rate = 0;
    std::vector<int16_t> samples;

    double Seconds() const { return rate ? double(samples.size()) / rate : 0.0; }
};

// Reads a file the way the game does: CWaveSoundRead, then the whole data chunk in one Read.
Wav ReadWav(const std::string& path) {
    Wav w;
    CWaveSoundRead reader;
    if (reader.Open(path.c_str()) != S_OK) {
        w.error = "the game's reader refuses it";
        return w;
    }
    w.format = *reader.pwfxInfo;
    w.rate = w.format.nSamplesPerSec;
    const uint32_t size = reader.ckIn.cksize;
    std::vector<uint8_t> bytes(size);
    uint32_t got = 0;
    if (reader.Read(size, bytes.data(), &got) != S_OK || got != size) {
        w.error = "the data chunk is shorter than its header says";
        return w;
    }
    if (reader.Read(16, bytes.data(), &got) != S_OK || got != 0) {
        w.error = "more to read after the data chunk";
        return w;
    }
    w.samples.resize(size / 2);
    for (size_t i = 0; i < w.samples.size(); ++i)
        w.samples[i] = int16_t(bytes[2 * i] | bytes[2 * i + 1] << 8);
    return w;
}

TEST(SoundAssets, EveryFileIsMono16BitPcmTheReaderTakes) {
    for (const SoundCase& c : kSounds) {
        SCOPED_TRACE(c.file);
        const Wav w = ReadWav(kWave + c.file);
        ASSERT_EQ(w.error, "");
        EXPECT_EQ(w.format.wFormatTag, plat::WAVE_FORMAT_PCM);
        EXPECT_EQ(w.format.nChannels, 1);
        EXPECT_EQ(w.format.wBitsPerSample, 16);
        EXPECT_TRUE(w.rate == 22050 || w.rate == 44100) << w.rate;
        EXPECT_EQ(w.format.nBlockAlign, 2);
        EXPECT_EQ(w.format.nAvgBytesPerSec, w.rate * 2);
        EXPECT_EQ(w.format.cbSize, 0);
        EXPECT_GE(w.Seconds(), c.minSeconds);
        EXPECT_LE(w.Seconds(), c.maxSeconds);
    }
}

TEST(SoundAssets, StartAtOnceAtASaneLevelAndEndInSilence) {
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

TEST(SoundAssets, TheTwoCanHitsAreDifferentPitches) {
    const Wav a = ReadWav(kWave + "Can.wav"), b = ReadWav(kWave + "Can1.wav");
    ASSERT_EQ(a.error, "");
    ASSERT_EQ(b.error, "");
    const double ra = CrossingRate(a), rb = CrossingRate(b);
    EXPECT_GT(std::fabs(ra - rb) / std::max(ra, rb), 0.1) << ra << " vs " << rb;
}

TEST(SoundAssets, TheFallingWhistleStartsSoftlyAndFalls) {
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

// The screens' sound sets open the files by the game's own names, relative to the asset tree:
// every buffer of every set must come out loaded, with all of its file's samples.
class SoundSets : public ::testing::Test {
  protected:
    void SetUp() override {
        wasNull_ = plat::NullAudioInUse();
        before_ = std::filesystem::current_path();
        std::filesystem::current_path(POMELANE_ASSETS);
        UseNullAudio();
        AudioStartup();
    }
    void TearDown() override {
        AudioShutdown();
        audio = AudioState{};
        plat::UseNullAudio(wasNull_);
        std::filesystem::current_path(before_);
    }

    static void ExpectLoaded(std::initializer_list<plat::SoundBuffer*> buffers) {
        int i = 0;
        for (plat::SoundBuffer* b : buffers) {
            EXPECT_NE(b, nullptr) << "buffer " << i;
            ++i;
        }
    }

  private:
    bool wasNull_ = false;
    std::filesystem::path before_;
};

TEST_F(SoundSets, EveryScreenLoadsItsWholeSet) {
    LoadStartSounds();
    ExpectLoaded({audio.lpSLogoHit});
    for (int i = 0; i < 3; ++i)
        ExpectLoaded({audio.lpSPochi[i], audio.lpSMenuEnter[i], audio.lpSError[i], audio.lpSMiss[i]});
    ReleaseStartSounds();

    LoadGameSounds();
    ExpectLoaded({audio.lpSShot, audio.lpSPowerShot, audio.lpSPowerShotFull,
                  audio.lpSPowerShotFull2, audio.lpSNotPowerShot, audio.lpSGoal, audio.lpSOB,
                  audio.lpSClearStar, audio.lpSCanTrade, audio.lpSCan[0], audio.lpSCan[1],
                  audio.lpSMissShot, audio.lpSShotSwitch, audio.lpSChaim, audio.lpSGlass});
    for (int i = 0; i < 3; ++i)
        ExpectLoaded({audio.lpSMenuSelect[i], audio.lpSMenuEnter[i], audio.lpSParaEnter[i]});
    ReleaseGameSounds();

    LoadScoreSounds();
    ExpectLoaded({audio.lpSSample3, audio.lpSSample4, audio.lpSSample5, audio.lpSSample6,
                  audio.lpSSample7});
    ReleaseScoreSounds();
}

}  // namespace
