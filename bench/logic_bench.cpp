// The game logic of one round frame in its worst case: the road stage, the can in flight over
// the road, five cars in every lane, every one of them and the stage tested each frame. The
// frame's draws go to the null device with its log off, so what is timed is the game's own
// work (and the null device's bookkeeping of each call), not any drawing.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>

#include "app/app_state.h"
#include "platform/device.h"
#include "platform/sprite.h"
#include "round/game.h"
#include "round/round_start.h"
#include "round/round_state.h"

namespace {

constexpr double kBudgetMs = 16.0;

void BM_GameLogicFrameWorstCase(benchmark::State& state) {
    if (chdir(POMELANE_ASSETS) != 0) return state.SkipWithError("no asset tree");
    plat::NullDevice* null = plat::CreateNullDevice();
    plat::Device* device = reinterpret_cast<plat::Device*>(null);
    plat::NullDeviceSetLogging(null, false);
    plat::SetCurrentDevice(device);
    app.lpD3DDevice = device;
    app.lpSprite = plat::CreateSprite();
    app.GameScreen = plat::Viewport{0, 0, 640, 480, 0, 1};
    app.MiniScreen = plat::Viewport{4, 134, 292, 342, 0, 1};
    app.ArrowScreen = plat::Viewport{530, 0, 100, 100, 0, 1};
    const int chars[1] = {3};  // Luck 1: five cars in every lane
    StartRoundForTest(1, chars, nullptr, 1);
    if (!game.Stage.lpMesh) return state.SkipWithError("stage 1 mesh missing");
    game.CharParaInit = 0;
    game.Iniflg = 0;
    game.CharBox[0].Dasu[1] = 1;
    auto launch = [] {
        // The cars spread along their lanes, the can high over the road heading across it.
        for (int l = 0; l < 4; l++)
            for (int c = 0; c < 5; c++) game.Lane[l][c].Pos = plat::Vec3(-2000.0f + 900 * c, 0, 580.0f + 320 * l);
        game.ShotFlg = 6;
        game.jumpFlg = 1;
        game.CanRollingFlg = 0;
        game.MissShotFlg = 0;
        game.Can[0].Pos = plat::Vec3(0, 300, 900);
        game.FlyPos = plat::Vec3(2, 1, 8);
    };
    launch();
    int frames = 0, inFlight = 0;
    double ms = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        GameFrame();
        ms += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        inFlight += game.ShotFlg == 6;
        if (++frames == 40) {  // stay in the air, over the road
            state.PauseTiming();
            launch();
            frames = 0;
            state.ResumeTiming();
        }
    }
    state.counters["cars/lane"] = 6 - (game.Character.Luck < 1 ? 1 : game.Character.Luck);
    state.counters["in_flight%"] = 100.0 * inFlight / double(state.iterations());
    state.counters["draws/frame"] = double(device->DrawCallCount()) / double(state.iterations());
    state.counters["budget%"] = 100.0 * ms / double(state.iterations()) / kBudgetMs;  // wall time
    GameEnd();
    plat::ReleaseSprite(app.lpSprite);
    app.lpSprite = nullptr;
    app.lpD3DDevice = nullptr;
    plat::SetCurrentDevice(nullptr);
    plat::DestroyDevice(device);
}
BENCHMARK(BM_GameLogicFrameWorstCase)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

}  // namespace
