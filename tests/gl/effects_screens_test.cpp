// The effects on the OpenGL device, written to build/effect_shots/ for a look: each one in
// play in a round, and each one drawn over a still scene next to the same scene without it,
// where its light must only be added (a blend that misses would show dark boxes).
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/frame_gate.h"
#include "effects/goal_point.h"
#include "effects/lens_flare.h"
#include "effects/shot_sparks.h"
#include "effects/trail.h"
#include "gfx/gfx.h"
#include "gfx/xfile.h"
#include "gl/game_run.h"
#include "platform/clock.h"
#include "platform/device.h"
#include "platform/rand.h"
#include "play/angles.h"
#include "play/window_crash.h"
#include "round/game.h"
#include "round/round_start.h"
#include "round/round_state.h"
#include "round/screen.h"

namespace {

using plat::Vec3;

const std::string kShots = game_run::ShotFolder("effect_shots");

// How a picture changed against the same scene without the effect.
struct Change {
    int brighter = 0;  // pixels with a channel at least 24 up
    int darker = 0;    // pixels with a channel more than 2 down
};

Change Compare(const std::vector<uint32_t>& base, const std::vector<uint32_t>& with) {
    Change c;
    for (size_t i = 0; i < base.size() && i < with.size(); ++i) {
        bool up = false, down = false;
        for (int shift : {0, 8, 16}) {
            const int a = int((base[i] >> shift) & 255), b = int((with[i] >> shift) & 255);
            up |= b - a >= 24;
            down |= a - b > 2;
        }
        c.brighter += up;
        c.darker += down;
    }
    return c;
}

class EffectScreens : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(game_run::EnterAssets(kShots));
        started_ = game_run::StartGame();
    }
    static void TearDownTestSuite() {
        if (started_) AppShutdown();
    }
    void SetUp() override {
        if (!started_) GTEST_SKIP() << "no display";
        tail = TailState{};
        shotEfe = ShotEfeState{};
        powerShot = PowerShotState{};
        goalPoint = GoalPointState{};
        windowCrash = WindowCrashState{};
        plat::SRand(11);
    }

    static void StartOn(int stage) {
        const int chars[1] = {0};
        GameEnd();
        ASSERT_TRUE(StartRoundForTest(1, chars, nullptr, stage));
    }

    // n frames of the round, 16 ms apart. Window messages (focus comes and goes under a
    // virtual display) take passes of their own and may pause the game, which is not what
    // these pictures are about: each frame is run until it has run.
    static void Frames(int n) {
        for (int i = 0; i < n; i++) {
            for (int pass = 0; pass < 100; ++pass) {
                app.PauseFlg = 0;
                AppFramePass();
                if (frameLoop.FrameRan) break;
            }
            plat::AdvanceFakeClock(16);
        }
    }
    template <typename Pred>
    static bool FramesUntil(Pred pred, int limit = 3000) {
        return game_run::FramesUntil(pred, limit, Frames);
    }

    static std::vector<uint32_t> Shot(const std::string& name) { return game_run::Shot(kShots + name); }

    // Points the free camera from eye at a point.
    static void Look(const Vec3& eye, const Vec3& at) {
        game.CameraConditionFlg = 1;
        game.Zoom = 60;
        game.Pos = eye;
        const Vec3 d = at - eye;
        game.RotY = KakudoYnosa(at, eye);
        game.RotX = -std::atan2(d.y, std::sqrt(d.x * d.x + d.z * d.z)) * plat::kRadToDeg;
    }

    enum Backdrop { kScene, kSceneWithoutSky, kGrey };

    // One still frame from the free camera: sky and stage (or the stage alone, or only a mid
    // grey that any dark box would show on), then the effect (if any) as the round draws it,
    // with lighting off.
    static std::vector<uint32_t> Still(const std::function<void()>& effect, Backdrop backdrop = kScene) {
        plat::Device* d = app.lpD3DDevice;
        d->SetViewport(app.GameScreen);
        d->Clear(plat::CLEAR_TARGET | plat::CLEAR_ZBUFFER, backdrop == kGrey ? 0xFF808080 : 0xFF002333, 1.0f);
        d->BeginScene();
        SetUpCamera();
        if (backdrop == kScene) {
            const float skyTurn = turn.YRot;
            DrawSky();
            turn.YRot = skyTurn;
        }
        plat::Matrix id;
        plat::MatrixIdentity(&id);
        d->SetRenderState(plat::RS_LIGHTING, 1);
        d->SetTransform(plat::TS_WORLD, id);
        if (backdrop != kGrey) DrawMesh(&game.Stage);
        d->SetRenderState(plat::RS_LIGHTING, 0);
        if (effect) effect();
        d->EndScene();
        d->Present();
        return d->ReadBackBuffer();
    }

    // The effect over the still scene must light up at least minLit pixels and darken none,
    // and over plain grey it must darken none either.
    static void ExpectGlow(const std::string& name, const std::function<void()>& effect, int minLit,
                           Backdrop backdrop = kScene) {
        const std::vector<uint32_t> base = Still(nullptr, backdrop);
        const std::vector<uint32_t> with = Still(effect, backdrop);
        Shot(name);
        const Change c = Compare(base, with);
        EXPECT_GE(c.brighter, minLit) << name << ": the effect shows";
        EXPECT_EQ(c.darker, 0) << name << ": additive light never darkens the scene";

        const std::vector<uint32_t> grey = Still(nullptr, kGrey);
        const Change g = Compare(grey, Still(effect, kGrey));
        EXPECT_GT(g.brighter, 0) << name << " over grey";
        EXPECT_EQ(g.darker, 0) << name << " over grey: no dark boxes";
    }

    static bool started_;
};
bool EffectScreens::started_ = false;

// ---- In play ----

TEST_F(EffectScreens, APerfectPowerShotInPlayOnTheStairs) {
    StartOn(0);
    ASSERT_TRUE(FramesUntil([] { return game.ShotFlg == 2; }));
    Frames(2);
    Shot("play_stage0_aim_goal_panel_and_flare");

    // The gauges stopped at full power, dead straight, as a power shot: the swing runs.
    turn.Level = 2;
    turn.PowerGauge = 0;
    turn.ControlGauge = 100;
    turn.ImpactRot = 45;
    game.CharEfeFlg = 1;
    game.SwingRot = 130;
    game.Can[0].Dir = KakudoYnosa(game.LookPos, game.Pos);
    game.ParaMode = 5;
    ASSERT_TRUE(FramesUntil([] { return game.ShotFlg == 5; }, 100));
    int charge = 1;  // that frame was the first of the charge
    Frames(49);
    charge += 49;
    Shot("play_power_shot_charge_ring_half_closed");
    EXPECT_EQ(powerShot.PowerShotFlg, 2);
    while (game.ShotFlg == 5 && charge < 200) {
        Frames(1);
        ++charge;
    }
    EXPECT_EQ(charge, 100) << "the ring closes on the 100th charge frame";
    EXPECT_EQ(game.GoFlg, 1);
    Frames(8);
    Shot("play_power_shot_released_sparks");
    Frames(30);
    Shot("play_power_shot_smoke_trail");
}

TEST_F(EffectScreens, ANormalShotInPlayOnTheRoad) {
    StartOn(1);
    ASSERT_TRUE(FramesUntil([] { return game.ShotFlg == 2; }));
    Frames(60);  // the goal's particles gather
    Shot("play_stage1_aim_goal_particles");

    turn.Level = 1;
    turn.PowerGauge = 30;
    turn.ControlGauge = 100;
    turn.ImpactRot = 40;
    game.SwingRot = 90;
    game.Can[0].Dir = KakudoYnosa(game.LookPos, game.Pos);
    game.ParaMode = 5;
    ASSERT_TRUE(FramesUntil([] { return game.ShotFlg == 6; }, 100));
    Frames(6);
    Shot("play_normal_shot_sparks");
    Frames(30);
    Shot("play_normal_shot_flare_trail");
}

TEST_F(EffectScreens, TheClassroomWindowBreaksInPlay) {
    StartOn(2);
    ASSERT_TRUE(FramesUntil([] { return game.ShotFlg == 2; }));
    Frames(60);
    Shot("play_stage2_beam_and_panes");

    // The player's free camera, walked up to the window.
    game.CameraConditionFlg = 1;
    game.Pos = Vec3(-300, 150, 1700);
    game.RotY = 0;
    game.RotX = 0;
    Frames(1);
    Shot("play_stage2_panes_close");

    // A can's last movement straight through pane 3; then it lies beyond the wall.
    game.SavePos[1] = Vec3(-400, 208, 2090);
    game.SavePos[0] = Vec3(-400, 208, 2104);
    Frames(1);
    EXPECT_EQ(windowCrash.Crash[3], 1);
    game.SavePos[1] = game.SavePos[0];
    Frames(12);
    Shot("play_window_shards");
    ASSERT_TRUE(FramesUntil([] { return windowCrash.Crash[3] == 2; }, 400));
    Frames(1);
    Shot("play_window_pane_gone");
}

// ---- Over a still scene ----

TEST_F(EffectScreens, TrailFlaresAndSmokeAddLight) {
    StartOn(0);
    Look(Vec3(0, 60, -150), Vec3(0, 40, 60));
    for (int level : {1, 2}) {
        tail = TailState{};
        for (int i = 0; i < 30; ++i) TailEfeInit(Vec3(float(i * 4 - 60), 20 + float(i * 3), float(i * 6)), level, level == 2 ? 0 : 40);
        ExpectGlow(level == 1 ? "still_trail_flares" : "still_trail_smoke",
                   [level] { TailEfeDraw(0, level); }, 2000);
    }
}

TEST_F(EffectScreens, SparksAndTheirTrailsAddLight) {
    StartOn(0);
    game.Can[0].Pos = Vec3(0, 7, 0);
    Look(Vec3(-150, 120, -220), Vec3(0, 60, 60));
    for (int level : {1, 2}) {
        shotEfe = ShotEfeState{};
        game.GoFlg = 1;
        for (int n = 0; n < 12; ++n) ShotEfe(0, level, 45);
        ExpectGlow(level == 1 ? "still_sparks_white" : "still_sparks_power",
                   [level] { ShotEfe(0, level, 45); }, 3000);
    }
}

TEST_F(EffectScreens, ChargeParticlesAndTheRingAddLight) {
    StartOn(0);
    game.Can[0].Pos = Vec3(0, 10, 0);  // stood up by the ready phase: the ring lies just above the floor
    game.ShotFlg = 5;
    Look(Vec3(0, 500, -700), Vec3(0, 0, 0));
    auto frame = [] {
        for (int i = 0; i < 5; ++i) PowerShotFullEfeInit();
        PowerShotFullEfe();
    };
    for (int n = 0; n < 40; ++n) frame();
    ExpectGlow("still_charge_particles_and_ring", frame, 5000);
    EXPECT_EQ(game.ShotFlg, 5);
}

TEST_F(EffectScreens, TheGoalMarkersAddLight) {
    struct Case { int stage; const char* name; int frames; int minLit; };
    for (Case c : {Case{0, "still_goal_stage0_panel", 200, 5000}, Case{1, "still_goal_stage1_particles", 200, 300},
                   Case{2, "still_goal_stage2_beam", 60, 300}}) {
        StartOn(c.stage);
        const Vec3 goal = game.GoalPos;
        const float back = c.stage == 2 ? 350.f : 2200.f;
        Look(goal + Vec3(0, c.stage == 2 ? 150.f : 300.f, -back), goal + Vec3(0, c.stage == 2 ? 150.f : 0.f, 0));
        for (int n = 0; n < c.frames; ++n) GoalPointEfe();
        ExpectGlow(c.name, [] { GoalPointEfe(); }, c.minLit);
    }
}

TEST_F(EffectScreens, TheLensFlareAddsLight) {
    StartOn(0);
    Look(Vec3(0, 80, -200), CLens.Pos + Vec3(400, -300, 0));
    ExpectGlow("still_lens_flare", [] {
        const plat::Matrix proj = app.lpD3DDevice->GetTransform(plat::TS_PROJECTION);
        const plat::Matrix view = app.lpD3DDevice->GetTransform(plat::TS_VIEW);
        CLens.Draw(&proj, &view, &app.GameScreen);
    }, 3000);

    // Turned round, the sun is behind the camera: no flare at all.
    Look(Vec3(0, 80, -200), Vec3(0, 80, -4000));
    const std::vector<uint32_t> base = Still(nullptr, kGrey);
    const std::vector<uint32_t> with = Still([] {
        const plat::Matrix proj = app.lpD3DDevice->GetTransform(plat::TS_PROJECTION);
        const plat::Matrix view = app.lpD3DDevice->GetTransform(plat::TS_VIEW);
        CLens.Draw(&proj, &view, &app.GameScreen);
    }, kGrey);
    EXPECT_EQ(Compare(base, with).brighter, 0);
}

TEST_F(EffectScreens, ThePanesAndShardsAddLight) {
    StartOn(2);
    Look(Vec3(-300, 150, 1750), Vec3(-300, 150, 2097));
    game.WindowCrashFlg = 0;
    game.SavePos[0] = game.SavePos[1] = Vec3(0, 7, 0);
    // The sky that shows through the holes may be bright enough to hide the glass: leave it out.
    ExpectGlow("still_window_panes", [] { WindowCrash(); }, 20000, kSceneWithoutSky);

    game.SavePos[1] = Vec3(-400, 208, 2090);
    game.SavePos[0] = Vec3(-400, 208, 2104);
    WindowCrash();
    game.SavePos[1] = game.SavePos[0];
    for (int n = 0; n < 10; ++n) WindowCrash();
    ExpectGlow("still_window_shards", [] { WindowCrash(); }, 20000, kSceneWithoutSky);
    EXPECT_EQ(windowCrash.Crash[3], 1);
}

}  // namespace
