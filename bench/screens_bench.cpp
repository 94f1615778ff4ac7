// Whole frames of the busiest screens on the OpenGL device (run under Xvfb, 640 x 480), each
// frame timed on its own from the mode function's call to the presented picture: the mean,
// median, 95th percentile and worst frame, also as a share of the 16 ms frame budget. The game
// runs as it does for the player (fake clock, scripted keys, silent audio), driven to each
// screen through its own code.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <vector>

#include "app/app_state.h"
#include "app/frame_gate.h"
#include "app/winmain.h"
#include "effects/shot_sparks.h"
#include "platform/clock.h"
#include "platform/keys.h"
#include "platform/rand.h"
#include "play/angles.h"
#include "results/credit.h"
#include "results/score.h"
#include "round/game.h"
#include "round/round_start.h"
#include "round/round_state.h"
#include "title/start.h"
#include "title/title_state.h"

namespace {

constexpr double kBudgetMs = 16.0;

bool StartOnce() {
    static const bool started = [] {
        if (chdir(POMELANE_ASSETS) != 0) return false;
        RunOptions run;
        run.nullAudio = true;
        run.scriptedInput = true;
        if (!AppStartup(run)) return false;
        std::atexit(AppShutdown);
        return true;
    }();
    return started;
}

// One frame of the current mode, 16 ms after the last; the wall time of the pass that ran it.
// Focus comes and goes under a virtual display, and its messages take passes of their own and
// may pause the game: those passes are not the frame and are not timed.
double Frame() {
    double ms = 0;
    for (int pass = 0; pass < 100; ++pass) {
        app.PauseFlg = 0;
        const auto t0 = std::chrono::steady_clock::now();
        AppFramePass();
        const auto t1 = std::chrono::steady_clock::now();
        if (frameLoop.FrameRan) {
            ms = std::chrono::duration<double, std::milli>(t1 - t0).count();
            break;
        }
    }
    plat::AdvanceFakeClock(16);
    return ms;
}

bool FramesUntil(const std::function<bool()>& pred, int limit = 3000) {
    for (int i = 0; i < limit && !pred(); i++) Frame();
    return pred();
}

void Press(int vk, int restFrames = 30) {
    plat::SetKeyDown(vk, true);
    Frame();
    plat::SetKeyDown(vk, false);
    for (int i = 0; i < restFrames; ++i) Frame();
}

void LeaveEveryMode() {
    GameEnd();
    ScoreEnd();
    CreditEnd();
    StartEnd();
}

// Per-frame times of one benchmark, reported as counters.
class FrameTimes {
public:
    void Add(benchmark::State& state, double ms) {
        ms_.push_back(ms);
        state.SetIterationTime(ms / 1000.0);
    }
    void Report(benchmark::State& state) {
        if (ms_.empty()) return;
        std::vector<double> v = ms_;
        std::sort(v.begin(), v.end());
        auto at = [&](double q) { return v[std::min(v.size() - 1, size_t(q * double(v.size())))]; };
        double sum = 0;
        for (double x : v) sum += x;
        state.counters["mean_ms"] = sum / double(v.size());
        state.counters["p50_ms"] = at(0.50);
        state.counters["p95_ms"] = at(0.95);
        state.counters["max_ms"] = v.back();
        state.counters["p95_budget%"] = 100.0 * at(0.95) / kBudgetMs;
        state.counters["frames"] = double(v.size());
    }

private:
    std::vector<double> ms_;
};

// A perfect power shot by one human on the stairs, as far as the charge: the gauges stopped at
// full power, dead straight, with a power shot; the swing runs until the charge begins.
bool PowerShotToTheCharge() {
    LeaveEveryMode();
    plat::SRand(11);
    const int chars[1] = {0};
    if (!StartRoundForTest(1, chars, nullptr, 0)) return false;
    if (!FramesUntil([] { return game.ShotFlg == 2; })) return false;
    turn.Level = 2;
    turn.PowerGauge = 0;
    turn.ControlGauge = 100;
    turn.ImpactRot = 45;
    game.CharEfeFlg = 1;
    game.SwingRot = 130;
    game.Can[0].Dir = KakudoYnosa(game.LookPos, game.Pos);
    game.ParaMode = 5;
    return FramesUntil([] { return game.ShotFlg == 5; }, 200);
}

void BM_PowerShotChargeFrameGl(benchmark::State& state) {
    if (!StartOnce()) return state.SkipWithError("no asset tree, or no display for the OpenGL device");
    FrameTimes times;
    bool charging = false;
    for (auto _ : state) {
        if (!charging || game.ShotFlg != 5) {
            if (!PowerShotToTheCharge()) return state.SkipWithError("the charge did not begin");
            charging = true;
        }
        times.Add(state, Frame());
    }
    times.Report(state);
}

void BM_ShotSparksFrameGl(benchmark::State& state) {
    if (!StartOnce()) return state.SkipWithError("no asset tree, or no display for the OpenGL device");
    FrameTimes times;
    auto sparking = [] { return game.ShotFlg >= 6 && shotEfe.EfeInitFlg == 1; };
    for (auto _ : state) {
        if (!sparking()) {
            if (!PowerShotToTheCharge() || !FramesUntil(sparking, 200))
                return state.SkipWithError("the sparks did not begin");
        }
        times.Add(state, Frame());
    }
    times.Report(state);
}

// The score screen of a finished mission of four, its confetti at the steady state.
void BM_ScoreScreenFrameGl(benchmark::State& state) {
    if (!StartOnce()) return state.SkipWithError("no asset tree, or no display for the OpenGL device");
    LeaveEveryMode();
    plat::SRand(5);
    const int chars[4] = {0, 1, 2, 3};
    const int com[4] = {0, 1, 1, 1};
    if (!StartRoundForTest(4, chars, com, 2)) return state.SkipWithError("no round");
    game.SelectStageType = 1;
    for (int i = 0; i < 4; ++i) {
        game.CharBox[i].Dasu[0] = 3 + i;
        game.CharBox[i].Dasu[1] = 2 + i;
        game.CharBox[i].Dasu[2] = 4 - i;
        game.CharBox[i].GoalFlg = 1;
    }
    GameEnd();
    app.Mode = 2;
    ScoreInit();
    for (int i = 0; i < 600; ++i) Frame();  // the confetti fills the screen
    FrameTimes times;
    for (auto _ : state) times.Add(state, Frame());
    times.Report(state);
    state.counters["mode"] = app.Mode;
}

// The character screen of four players, its carousel kept turning.
void BM_CharacterScreenFrameGl(benchmark::State& state) {
    if (!StartOnce()) return state.SkipWithError("no asset tree, or no display for the OpenGL device");
    LeaveEveryMode();
    app.Mode = 0;
    StartInit();
    if (!FramesUntil([] { return title.SceneFlg == 1; })) return state.SkipWithError("no title menu");
    Press('Z');
    for (int i = 0; i < 3 && game.Ninzu < 4; ++i) Press(plat::VK_UP);
    Press('Z');
    if (title.SceneFlg != 3) return state.SkipWithError("no character screen");
    FrameTimes times;
    int n = 0;
    for (auto _ : state) {
        const bool turnNow = n++ % 40 == 0;
        if (turnNow) plat::SetKeyDown(plat::VK_RIGHT, true);
        times.Add(state, Frame());
        if (turnNow) plat::SetKeyDown(plat::VK_RIGHT, false);
    }
    times.Report(state);
    state.counters["scene"] = title.SceneFlg;
}

// The title menu: what a frame costs in wall and processor time (the process's, llvmpipe's
// threads included), against which the game's processor use while it waits at the title is
// judged.
void BM_TitleMenuFrameGl(benchmark::State& state) {
    if (!StartOnce()) return state.SkipWithError("no asset tree, or no display for the OpenGL device");
    LeaveEveryMode();
    app.Mode = 0;
    StartInit();
    if (!FramesUntil([] { return title.SceneFlg == 1; })) return state.SkipWithError("no title menu");
    FrameTimes times;
    for (auto _ : state) times.Add(state, Frame());
    times.Report(state);
}

BENCHMARK(BM_PowerShotChargeFrameGl)->Iterations(400)->UseManualTime()->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShotSparksFrameGl)->Iterations(400)->UseManualTime()->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScoreScreenFrameGl)->Iterations(600)->UseManualTime()->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CharacterScreenFrameGl)->Iterations(600)->UseManualTime()->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TitleMenuFrameGl)->Iterations(600)->UseManualTime()->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

}  // namespace
