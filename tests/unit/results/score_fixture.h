// The score screen and the credits on the null device and null audio, in the built asset
// tree, with scripted keys and the fake clock; every state struct reset around each test.
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
#include "platform/rand.h"
#include "platform/sound.h"
#include "platform/sprite.h"
#include "platform/texture.h"
#include "results/credit.h"
#include "results/ending.h"
#include "results/results_step.h"
#include "results/score.h"
#include "results/score_state.h"
#include "round/game.h"
#include "round/round_state.h"
#include "title/start.h"
#include "title/title_state.h"

namespace scoretest {

inline void ResetAll() {
    game = GameState{};
    title = TitleState{};
    titleRun = TitleRunState{};
    titleRun.Alpha = 0;  // the opening has been seen
    titleBurst = TitleBurst{};
    gfx = GfxState{};
    score = ScoreState{};
    scoreFrame = ScoreFrameState{};
    scoreRun = ScoreRunState{};
    scoreSounds = ScoreSoundLog{};
    endUpdate = EndUpdateState{};
    endRender = EndRenderState{};
    confetti = ConfettiState{};
    credit = CreditState{};
    app.Mode = 0;
    app.OwariFlg = 0;
    app.PlayMusicFlg = 0;
    app.PauseFlg = 0;
}

class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        char* old = getcwd(nullptr, 0);
        oldDir_ = old ? old : ".";
        std::free(old);
        if (chdir(POMELANE_ASSETS) != 0) GTEST_SKIP() << "no asset tree at " << POMELANE_ASSETS;
        ResetAll();
        plat::UseScriptedKeys(true);
        plat::ReleaseAllKeys();
        plat::UseFakeClock(1000);
        plat::SRand(1);
        nd_ = plat::CreateNullDevice();
        device_ = reinterpret_cast<plat::Device*>(nd_);
        plat::SetCurrentDevice(device_);
        app.lpD3DDevice = device_;
        app.lpSprite = plat::CreateSprite();
        app.GameScreen = plat::Viewport{0, 0, 640, 480, 0, 1};
        app.lpWhite = plat::CreateTexture(1, 1);
        app.lpWhite->argb[0] = 0xFFFFFFFF;
        UseNullAudio();
        AudioStartup();
    }
    void TearDown() override {
        if (!device_) return;
        ScoreEnd();
        CreditEnd();
        StartEnd();
        GameEnd();
        ReleaseStartSounds();
        ReleaseMusicSegment();
        AudioShutdown();
        audio = AudioState{};
        plat::UseNullAudio(false);
        plat::ReleaseTexture(app.lpWhite);
        app.lpWhite = nullptr;
        plat::ReleaseSprite(app.lpSprite);
        app.lpSprite = nullptr;
        app.lpD3DDevice = nullptr;
        plat::SetCurrentDevice(nullptr);
        plat::DestroyDevice(device_);
        plat::ReleaseAllKeys();
        plat::UseScriptedKeys(false);
        plat::UseRealClock();
        ResetAll();
        if (chdir(oldDir_.c_str()) != 0) std::perror("chdir");
    }

    // A round of n players with these characters and strokes (on one stage) ends: the
    // results step runs and the score screen's gate is primed, so that Frame() runs frame 1.
    void EndRound(int n, const int* chars, const int* strokes) {
        game.Ninzu = n;
        for (int i = 0; i < n; i++) {
            game.No[i] = chars[i];
            game.CharBox[i].Dasu[0] = strokes[i];
        }
        ResultsStep();
        Score();
    }
    static void Frame() {
        plat::AdvanceFakeClock(16);
        if (app.Mode == 2) Score();
        else if (app.Mode == 3) Credit();
    }
    static void Frames(int n) {
        for (int i = 0; i < n; i++) Frame();
    }
    static void Key(int vk, bool down) { plat::SetKeyDown(vk, down); }
    static std::string Music() { return plat::PlayingSegmentFile(audio.DMPerf); }
    static int MasterVolume() {
        int32_t v = 0;
        plat::GetMasterVolume(audio.DMPerf, &v);
        return v;
    }

    plat::NullDevice* nd_ = nullptr;
    plat::Device* device_ = nullptr;
    std::string oldDir_;
};

}  // namespace scoretest
