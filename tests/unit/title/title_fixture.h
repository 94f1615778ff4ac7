// The front end on the null device and the null audio backend, in the built asset tree,
// with scripted keys and the fake clock; every state struct reset around each test.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "app/app_state.h"
#include "audio/audio_lifecycle.h"
#include "audio/audio_state.h"
#include "audio/music.h"
#include "audio/sounds.h"
#include "gfx/gfx.h"
#include "platform/clock.h"
#include "platform/device.h"
#include "platform/keys.h"
#include "platform/music.h"
#include "platform/sound.h"
#include "round/game.h"
#include "round/round_state.h"
#include "title/key_get.h"
#include "title/start.h"
#include "title/title_state.h"
#include "unit/null_machine.h"

namespace titletest {

inline void ResetFrontEnd() {
    game = GameState{};
    title = TitleState{};
    titleRun = TitleRunState{};
    titleBurst = TitleBurst{};
    gfx = GfxState{};
    app.Mode = 0;
    app.OwariFlg = 0;
    app.PlayMusicFlg = 0;
    app.FullScreenFlg = 0;
    app.PauseFlg = 0;
}

inline bool Playing(plat::SoundBuffer* b) {
    uint32_t status = 0;
    if (b) plat::GetStatus(b, &status);
    return status & plat::SOUNDSTATUS_PLAYING;
}
inline int PlayingCount(plat::SoundBuffer* const (&set)[3]) {
    return Playing(set[0]) + Playing(set[1]) + Playing(set[2]);
}

class TitleTest : public ::testing::Test, protected test::NullScreen {
protected:
    void SetUp() override {
        char* old = getcwd(nullptr, 0);
        oldDir_ = old ? old : ".";
        std::free(old);
        if (chdir(POMELANE_ASSETS) != 0) GTEST_SKIP() << "no asset tree at " << POMELANE_ASSETS;
        ResetFrontEnd();
        test::UseTestMachine();
        OpenScreen(kSprite | kWhite);
        app.GameScreen = plat::Viewport{0, 0, 640, 480, 0, 1};
        UseNullAudio();
        AudioStartup();
    }
    void TearDown() override {
        if (!device) return;
        StartEnd();
        GameEnd();
        ReleaseStartSounds();
        ReleaseMusicSegment();
        AudioShutdown();
        audio = AudioState{};
        plat::UseNullAudio(false);
        CloseScreen();
        test::UseRealMachine();
        ResetFrontEnd();
        if (chdir(oldDir_.c_str()) != 0) std::perror("chdir");
    }

    static void Key(int vk, bool down) { plat::SetKeyDown(vk, down); }
    // Runs n frames of the front end, the clock moving 16 ms each.
    static void Frames(int n) {
        for (int i = 0; i < n; i++) {
            StartFrame();
            plat::AdvanceFakeClock(16);
        }
    }
    // Holds vk for one frame, then lets it go for one more.
    static void Tap(int vk) {
        Key(vk, true);
        Frames(1);
        Key(vk, false);
        Frames(1);
    }
    // Frames until the menu is at rest again (the strip and the carousel stopped).
    static void Settle() {
        for (int i = 0; i < 100 && (title.Slide.Now != title.Slide.Target || title.Rot % 90 != 0); i++) Frames(1);
        Frames(1);  // one call with every key up opens the latch
    }
    // Taps vk on a resting menu and waits for the screen to come to rest.
    static void Press(int vk) {
        Tap(vk);
        Settle();
    }
    int Presents() const {
        int n = 0;
        for (const plat::DeviceCall& c : plat::NullDeviceLog(nd)) n += c.name == "Present";
        return n;
    }
    static std::string Music() { return plat::PlayingSegmentFile(audio.DMPerf); }

    std::string oldDir_;
};

}  // namespace titletest
