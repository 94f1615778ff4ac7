// The real backends: the SDL mixer and FluidSynth under SDL's dummy and disk drivers, and the
// game with no audio device at all.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <sstream>
#include <thread>

#include "app/app_state.h"
#include "audio/audio_lifecycle.h"
#include "audio/audio_state.h"
#include "audio/music.h"
#include "audio/sounds.h"
#include "audio_fixtures.h"
#include "platform/clock.h"
#include "platform/sound_internal.h"

using namespace audiotest;
using namespace std::chrono_literals;

namespace {

// Sets environment variables for the scope and puts the old values back.
class Env {
public:
    Env(std::initializer_list<std::pair<const char*, const char*>> vars) {
        for (auto [name, value] : vars) {
            const char* old = std::getenv(name);
            old_[name] = old ? std::optional<std::string>(old) : std::nullopt;
            if (value) setenv(name, value, 1);
            else unsetenv(name);
        }
    }
    ~Env() {
        for (auto& [name, value] : old_) {
            if (value) setenv(name.c_str(), value->c_str(), 1);
            else unsetenv(name.c_str());
        }
    }

private:
    std::map<std::string, std::optional<std::string>> old_;
};

class RealAudio : public testing::Test {
protected:
    void SetUp() override {
        plat::UseNullAudio(false);
        plat::UseRealClock();
        app.PlayMusicFlg = 0;
    }
    void TearDown() override {
        ReleaseStartSounds();
        ReleaseGameSounds();
        ReleaseMusicSegment();
        AudioShutdown();
        audio = AudioState{};
    }
    ScratchDir dir;
};

bool IsPlaying(plat::SoundBuffer* b) {
    uint32_t status = 0;
    plat::GetStatus(b, &status);
    return status & plat::SOUNDSTATUS_PLAYING;
}

// Waits (at most limit) until done() holds.
template <typename F>
bool WaitFor(F done, std::chrono::milliseconds limit = 10s) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST_F(RealAudio, WithNoAudioDeviceTheGameRunsSilentlyAndSaysSoInOneLine) {
    dir.Write("Wave/pochi.wav", PcmWav(1, 22050, 16, Sine(1, 22050, 16, 440, 0.1, 0.5)));
    dir.Write("Mid/Opening2.mid", HeldNoteMidi());
    dir.Write("Mid/vok-g11.mid", HeldNoteMidi());
    const struct {
        const char* driver;
        const char* device;
    } cases[] = {
        {"nosuchdriver", nullptr},
        {"alsa", "hw:97,0"},  // a card that is not there
    };
    for (const auto& c : cases) {
        Env env{{"SDL_AUDIODRIVER", c.driver}, {"AUDIODEV", c.device}, {"POMELANE_AUDIO", nullptr}};
        testing::internal::CaptureStderr();
        AudioStartup();
        for (auto& b : audio.lpSPochi) LoadWAVE(b, "Wave/pochi.wav");
        EXPECT_NE(audio.lpSPochi[0], nullptr) << c.driver;
        EXPECT_TRUE(PlaySoundSet(audio.lpSPochi));
        PlayTitleMusic();
        MusicChange("Mid/vok-g11.mid");
        SetMusicVolume(500);
        MusicStop();
        ReleaseStartSounds();
        AudioShutdown();
        const std::vector<std::string> lines = Lines(testing::internal::GetCapturedStderr());
        ASSERT_EQ(lines.size(), 1u) << c.driver << ":\n" << testing::PrintToString(lines);
        EXPECT_NE(lines[0].find("no audio device"), std::string::npos) << lines[0];
    }
}

TEST_F(RealAudio, MixerAndSynthesiserRunUnderTheDummyDriver) {
    Env env{{"SDL_AUDIODRIVER", "dummy"}, {"POMELANE_AUDIO", nullptr}};
    dir.Write("Wave/pochi.wav", PcmWav(2, 22050, 16, Sine(2, 22050, 16, 440, 0.15, 0.5)));
    dir.Write("Mid/Opening2.mid", HeldNoteMidi(8));
    testing::internal::CaptureStderr();
    AudioStartup();
    ASSERT_NE(audio.lpDSound, nullptr);
    EXPECT_FALSE(plat::SoundDeviceIsNull(audio.lpDSound));

    for (auto& b : audio.lpSPochi) LoadWAVE(b, "Wave/pochi.wav");
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(PlaySoundSet(audio.lpSPochi));
    EXPECT_FALSE(PlaySoundSet(audio.lpSPochi));  // three sound already
    for (auto* b : audio.lpSPochi) EXPECT_TRUE(IsPlaying(b));
    EXPECT_TRUE(WaitFor([] { return !IsPlaying(audio.lpSPochi[2]); }));
    uint32_t pos = 1;
    plat::GetCurrentPosition(audio.lpSPochi[2], &pos);
    EXPECT_EQ(pos, 0u);  // rewound at its end

    PlayTitleMusic();
    EXPECT_EQ(plat::PlayingSegmentFile(audio.DMPerf), "Mid/Opening2.mid");
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(plat::PlayingSegmentFile(audio.DMPerf), "Mid/Opening2.mid");

    // Another output format reopens the device; the music goes on at the new rate.
    plat::WaveFormat low;
    low.wFormatTag = plat::WAVE_FORMAT_PCM;
    low.nChannels = 1;
    low.nSamplesPerSec = 22050;
    low.wBitsPerSample = 8;
    low.nBlockAlign = 1;
    low.nAvgBytesPerSec = 22050;
    ASSERT_EQ(plat::SetFormat(audio.lpSPrimary, low), plat::SOUND_OK);
    EXPECT_EQ(plat::SoundDeviceRate(audio.lpDSound), 22050u);
    EXPECT_TRUE(PlaySoundSet(audio.lpSPochi));
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(plat::PlayingSegmentFile(audio.DMPerf), "Mid/Opening2.mid");
    MusicStop();
    EXPECT_EQ(plat::PlayingSegmentFile(audio.DMPerf), "");
    ReleaseStartSounds();
    AudioShutdown();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// 16-bit stereo frames of the raw output, as floats of the left side.
std::vector<float> LeftSide(const Bytes& raw, size_t fromByte, size_t toByte) {
    std::vector<float> left;
    for (size_t i = fromByte & ~size_t(3); i + 4 <= toByte && i + 4 <= raw.size(); i += 4)
        left.push_back(int16_t(raw[i] | raw[i + 1] << 8) / 32768.0f);
    return left;
}

double Rms(const std::vector<float>& s) {
    double sum = 0;
    for (float v : s) sum += double(v) * v;
    return s.empty() ? 0 : std::sqrt(sum / s.size());
}

TEST_F(RealAudio, SoundAndMusicAreHeardInWhatTheDiskDriverWrites) {
    const std::string out = dir.Path("out.raw");
    Env env{{"SDL_AUDIODRIVER", "disk"}, {"SDL_DISKAUDIOFILE", out.c_str()}, {"POMELANE_AUDIO", nullptr}};
    // 8-bit mono at 11025 Hz: the mixer resamples it to the device's 44100 Hz stereo.
    dir.Write("Wave/Shot.wav", PcmWav(1, 11025, 8, Sine(1, 11025, 8, 440, 0.5, 0.5)));
    dir.Write("Mid/Opening2.mid", HeldNoteMidi(8, 60, 19));  // an organ: it holds its level
    AudioStartup();
    ASSERT_FALSE(plat::SoundDeviceIsNull(audio.lpDSound));
    constexpr size_t kBytesPerSecond = 44100 * 4;

    LoadWAVE(audio.lpSShot, "Wave/Shot.wav");
    PlaySound(audio.lpSShot);
    ASSERT_TRUE(WaitFor([] { return !IsPlaying(audio.lpSShot); }));
    std::this_thread::sleep_for(100ms);
    const size_t afterShot = std::filesystem::file_size(out);

    PlayTitleMusic();
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::file_size(out) > afterShot + 3 * kBytesPerSecond / 2; }));
    ReleaseMusicSegment();
    ReleaseGameSounds();
    AudioShutdown();  // closes the file

    const Bytes raw = ReadBytes(out);
    const std::vector<float> shot = LeftSide(raw, 0, afterShot);
    size_t first = shot.size(), last = 0;
    for (size_t i = 0; i < shot.size(); ++i) {
        if (std::fabs(shot[i]) <= 0.01f) continue;
        first = std::min(first, i);
        last = i;
    }
    ASSERT_LT(first, last) << "the sound is silent";
    const std::vector<float> sounding(shot.begin() + first, shot.begin() + last + 1);
    int crossings = 0;
    for (size_t i = 1; i < sounding.size(); ++i) crossings += (sounding[i - 1] < 0) != (sounding[i] < 0);
    const double seconds = sounding.size() / 44100.0;
    EXPECT_NEAR(seconds, 0.5, 0.01);
    EXPECT_NEAR(crossings / seconds / 2, 440, 5);
    EXPECT_NEAR(Rms(sounding), 0.5 / std::sqrt(2.0), 0.02);

    const double musicRms = Rms(LeftSide(raw, afterShot + kBytesPerSecond / 4, raw.size()));
    EXPECT_GT(musicRms, 0.005) << "the music is silent";
    RecordProperty("music_rms", std::to_string(musicRms));
}

}  // namespace
