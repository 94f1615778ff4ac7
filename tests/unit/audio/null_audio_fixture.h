// The game's sound and music on the headless backend and the fake clock, set up and torn
// down around each test, in a scratch folder that the test fills with Wave/ and Mid/ files.
#pragma once

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "audio/audio_lifecycle.h"
#include "audio/audio_state.h"
#include "audio/music.h"
#include "audio/sounds.h"
#include "audio_fixtures.h"
#include "platform/clock.h"

namespace audiotest {

class NullAudioTest : public testing::Test {
protected:
    void SetUp() override {
        plat::UseFakeClock(10000);
        app.PlayMusicFlg = 0;
        UseNullAudio();
        AudioStartup();
    }
    void TearDown() override {
        ReleaseStartSounds();
        ReleaseGameSounds();
        ReleaseScoreSounds();
        ReleaseMusicSegment();
        AudioShutdown();
        audio = AudioState{};
        app.PlayMusicFlg = 0;
        plat::UseNullAudio(false);
        plat::UseRealClock();
    }
    static void Advance(uint32_t ms) { plat::AdvanceFakeClock(ms); }

    ScratchDir dir;
};

inline bool Playing(plat::SoundBuffer* b) {
    uint32_t status = 0;
    plat::GetStatus(b, &status);
    return status & plat::SOUNDSTATUS_PLAYING;
}

inline uint32_t Position(plat::SoundBuffer* b) {
    uint32_t pos = 0;
    plat::GetCurrentPosition(b, &pos);
    return pos;
}

}  // namespace audiotest
