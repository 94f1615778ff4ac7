// The synthesiser's repeats on the real backend, rendered here block by block: a piece repeats
// without end and is heard after its end, a piece played once falls silent, and a file that
// ends where it starts (a damaged or empty MIDI file) renders silence instead of hanging.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>

#include "app/app_state.h"
#include "audio/audio_lifecycle.h"
#include "audio/audio_state.h"
#include "audio/music.h"
#include "unit/audio/audio_fixtures.h"
#include "platform/sound_internal.h"

using namespace audiotest;

namespace {

// A Standard MIDI File of one track at 96 ticks a beat (120 beats a minute).
Bytes OneTrack(const Bytes& events) {
    Bytes b = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k', 0, 0, 0, uint8_t(events.size())};
    b.insert(b.end(), events.begin(), events.end());
    return b;
}

class MusicRepeats : public testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        unsetenv("POMELANE_AUDIO");
        plat::UseNullAudio(false);
        app.PlayMusicFlg = 0;
        AudioStartup();
        if (plat::SoundDeviceIsNull(audio.lpDSound)) GTEST_SKIP() << "no SDL audio";
    }
    void TearDown() override {
        ReleaseMusicSegment();
        AudioShutdown();
        audio = AudioState{};
    }
    // RMS of the left side of the next ms of output, mixed here (the dummy driver's own
    // thread mixes too; the lock keeps the two apart).
    static double Render(int ms) {
        const int frames = int(plat::SoundDeviceRate(audio.lpDSound)) * ms / 1000;
        std::vector<uint8_t> out(size_t(frames) * audio.lpDSound->output.nBlockAlign);
        plat::LockSoundDevice(audio.lpDSound);
        plat::MixDevice(audio.lpDSound, out.data(), int(out.size()));
        plat::UnlockSoundDevice(audio.lpDSound);
        double sum = 0;
        const size_t step = audio.lpDSound->output.nBlockAlign;
        for (size_t i = 0; i + 1 < out.size(); i += step) {
            const double v = int16_t(out[i] | out[i + 1] << 8) / 32768.0;
            sum += v * v;
        }
        return std::sqrt(sum / frames);
    }
    ScratchDir dir;
};

TEST_F(MusicRepeats, APieceRepeatsWithoutEndAndOnePlayEnds) {
    // A note of half a second, then a second and a half of nothing: two seconds a play.
    dir.Write("Mid/beat.mid", OneTrack({0, 0x90, 60, 100, 96, 0x80, 60, 64, 0x82, 0x20, 0xFF, 0x2F, 0}));
    MusicStart("Mid/beat.mid");
    auto plays = [] {
        std::vector<bool> loud;  // each 250 ms of five seconds
        for (int i = 0; i < 20; ++i) loud.push_back(Render(250) > 1e-3);
        return loud;
    };
    // The dummy driver's thread mixes as well, in real time, so the plays may start a little
    // later than 2 s apart in these windows: count them, and the silence between.
    auto starts = [](const std::vector<bool>& loud) {
        int n = 0;
        for (size_t i = 0; i < loud.size(); ++i) n += loud[i] && (i == 0 || !loud[i - 1]);
        return n;
    };
    const std::vector<bool> endless = plays();
    EXPECT_EQ(starts(endless), 3) << "a play every two seconds";
    EXPECT_GE(std::count(endless.begin(), endless.end(), false), 6) << "with the rest of each play silent";
    EXPECT_EQ(plat::PlayingSegmentFile(audio.DMPerf), "Mid/beat.mid");

    plat::SetRepeats(audio.DMSegment1, 0);
    plat::PlaySegment(audio.DMPerf, audio.DMSegment1);
    const std::vector<bool> once = plays();
    EXPECT_EQ(starts(once), 1);
    EXPECT_TRUE(once[0]);
    EXPECT_EQ(std::count(once.begin() + 8, once.end(), true), 0) << "no second play";
    EXPECT_EQ(plat::PlayingSegmentFile(audio.DMPerf), "");
}

TEST_F(MusicRepeats, AFileThatEndsWhereItStartsRendersSilence) {
    // A header and tracks with nothing but their end, as damaged or empty files have.
    const Bytes endOnly = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 0, 96,
                           'M', 'T', 'r', 'k', 0, 0, 0, 4, 0, 0xFF, 0x2F, 0,
                           'M', 'T', 'r', 'k', 0, 0, 0, 4, 0, 0xFF, 0x2F, 0};
    const Bytes noTracks = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 0, 0, 96};
    const Bytes garbage = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k', 0xFF, 0xFF, 0xFF, 0xFF, 1};
    for (const Bytes& file : {endOnly, noTracks, garbage}) {
        dir.Write("Mid/odd.mid", file);
        std::atomic<bool> done{false};
        std::thread watchdog([&] {
            for (int i = 0; i < 200 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
            if (!done) {
                std::fprintf(stderr, "the synthesiser hangs on a file that ends where it starts\n");
                std::abort();
            }
        });
        MusicChange("Mid/odd.mid");
        double rms = 0;
        for (int i = 0; i < 10; ++i) rms += Render(100);
        done = true;
        watchdog.join();
        EXPECT_LT(rms, 1e-4);
        MusicStop();
    }
}

}  // namespace
