// The busiest frame of the effects on the OpenGL device (run under a display, e.g. Xvfb):
// 40 sparks with their 19-image trails, 300 charge particles with the ring, and a full pool
// of goal particles, over a cleared screen, presented.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>

#include "app/app_state.h"
#include "app/winmain.h"
#include "effects/goal_point.h"
#include "effects/shot_sparks.h"
#include "platform/device.h"
#include "platform/math.h"
#include "platform/rand.h"
#include "round/game.h"
#include "round/round_start.h"
#include "round/round_state.h"
#include "round/screen.h"

namespace {

// The effects' state at the height of a perfect power shot, restored before every frame so
// that each measured frame draws the same amount.
struct BusiestState {
    ShotEfeState sparks;
    PowerShotState burst;
    GoalPointState goal;
};

BusiestState MakeBusiest() {
    plat::SRand(3);
    game.ShotFlg = 5;
    game.GoFlg = 1;
    shotEfe = ShotEfeState{};
    for (int n = 0; n < 25; ++n) ShotEfe(0, 2, 45);  // all 40 shown, trails spread out
    powerShot = PowerShotState{};
    for (int i = 0; i < kPowerShotEffectMax; ++i) PowerShotFullEfeInit();
    PowerShotFullEfe();  // the ring starts
    for (_POWERSHOTEFFECT& p : powerShot.PowerShotEffect) {  // every slot alive, none near the can
        p.Flg = 1;
        p.Alpha = 255;
        p.Move = plat::Vec3(0, 0, 0);
        if (plat::Vec3Length(p.Pos - game.Can[0].Pos) < 60) p.Pos.y += 200;
    }
    goalPoint = GoalPointState{};
    for (_GOALPOINTEFFECT& e : goalPoint.GoalPointEffect)
        e = _GOALPOINTEFFECT{game.GoalPos + plat::Vec3(float(plat::Rand() % 600 - 300), 200, 0), 1, 128, 0, 6};
    return BusiestState{shotEfe, powerShot, goalPoint};
}

// The game on the OpenGL device with the road stage's round loaded, once for every run.
bool StartOnce() {
    static const bool started = [] {
        if (chdir(POMELANE_ASSETS) != 0) return false;
        RunOptions run;
        run.nullAudio = true;
        run.scriptedInput = true;
        if (!AppStartup(run)) return false;
        const int chars[1] = {2};
        StartRoundForTest(1, chars, nullptr, 1);
        std::atexit([] {
            GameEnd();
            AppShutdown();
        });
        return true;
    }();
    return started;
}

enum : int { kSparks = 1, kBurst = 2, kGoal = 4, kAll = 7 };
enum : int { kAsInPlay = 0, kCloseUp = 1 };

// Args: which effects to draw (all of them, one at a time to see where the time goes, or none:
// the clear and present alone), and from where they are seen.
void BM_BusiestEffectFrameGl(benchmark::State& state) {
    const int parts = int(state.range(0));
    if (!StartOnce()) {
        state.SkipWithError("no asset tree, or no display for the OpenGL device");
        return;
    }

    plat::Device* d = app.lpD3DDevice;
    game.Can[0].Pos = plat::Vec3(0, 10, 0);
    if (state.range(1) == kAsInPlay) {
        // The round's camera at the release: 200 behind the can, widened to 160 degrees by
        // the charge; the road's goal far ahead.
        game.GoalPos = (game.Judge.Max + game.Judge.Min) / 2;
        game.CameraConditionFlg = 0;
        game.Kyori = 200;
        game.H = plat::Vec3(0, 80, 0);
        game.RotY = 0;
        game.RotX = -20;
        game.Zoom = 160;
    } else {
        // A close look at everything at 60 degrees: big sprites, the worst case for fill.
        game.GoalPos = plat::Vec3(0, 0, 400);
        game.CameraConditionFlg = 1;
        game.Pos = plat::Vec3(0, 250, -600);
        game.RotY = 0;
        game.RotX = 10;
        game.Zoom = 60;
    }
    SetUpCamera();
    const plat::Matrix view = d->GetTransform(plat::TS_VIEW), proj = d->GetTransform(plat::TS_PROJECTION);
    const BusiestState busiest = MakeBusiest();

    unsigned draws = 0;
    for (auto _ : state) {
        shotEfe = busiest.sparks;
        powerShot = busiest.burst;
        goalPoint = busiest.goal;
        game.ShotFlg = 5;
        game.GoFlg = 1;
        const unsigned before = d->DrawCallCount();
        d->SetViewport(app.GameScreen);
        d->Clear(plat::CLEAR_TARGET | plat::CLEAR_ZBUFFER, 0xFF002333, 1.0f);
        d->BeginScene();
        d->SetTransform(plat::TS_VIEW, view);
        d->SetTransform(plat::TS_PROJECTION, proj);
        d->SetRenderState(plat::RS_LIGHTING, 0);
        if (parts & kGoal) GoalPointEfe();
        if (parts & kBurst) PowerShotFullEfe();
        if (parts & kSparks) ShotEfe(0, 2, 45);
        d->EndScene();
        d->Present();
        draws = d->DrawCallCount() - before;
    }
    state.counters["draws"] = draws;
}
BENCHMARK(BM_BusiestEffectFrameGl)
    ->ArgNames({"parts", "view"})
    ->ArgsProduct({{0, kAll, kSparks, kBurst, kGoal}, {kAsInPlay, kCloseUp}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0)
    ->UseRealTime();

}  // namespace
