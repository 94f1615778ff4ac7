// One frame of round play on the road stage with the can in flight: every car of every lane
// and the stage are tested, on the null device.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include "app/app_state.h"
#include "platform/device.h"
#include "platform/sprite.h"
#include "round/game.h"
#include "round/round_start.h"
#include "round/round_state.h"

namespace {

void BM_RoundFrameInFlightOnTheRoad(benchmark::State& state) {
    if (chdir(POMELANE_ASSETS) != 0) {
        state.SkipWithError("no asset tree");
        return;
    }
    plat::Device* device = reinterpret_cast<plat::Device*>(plat::CreateNullDevice());
    plat::SetCurrentDevice(device);
    app.lpD3DDevice = device;
    app.lpSprite = plat::CreateSprite();
    app.GameScreen = plat::Viewport{0, 0, 640, 480, 0, 1};
    app.ArrowScreen = plat::Viewport{530, 0, 100, 100, 0, 1};
    const int chars[1] = {3};  // Luck 1: five cars in every lane
    StartRoundForTest(1, chars, nullptr, 1);
    if (!game.Stage.lpMesh) {
        state.SkipWithError("stage 1 mesh missing");
        return;
    }
    game.CharParaInit = 0;
    game.Iniflg = 0;
    game.CharBox[0].Dasu[1] = 1;
    for (int l = 0; l < 4; l++)
        for (int c = 0; c < 5; c++)
            game.Lane[l][c].Pos = plat::Vec3(-2000.0f + 900 * c, 0, 580.0f + 320 * l);
    auto launch = [] {
        game.ShotFlg = 6;
        game.jumpFlg = 1;
        game.CanRollingFlg = 0;
        game.MissShotFlg = 0;
        game.Can[0].Pos = plat::Vec3(0, 300, 900);
        game.FlyPos = plat::Vec3(2, 1, 8);
    };
    launch();
    int frames = 0;
    for (auto _ : state) {
        GameFrame();
        if (++frames == 40) {  // stay in the air, over the road
            state.PauseTiming();
            launch();
            frames = 0;
            plat::NullDeviceClearLog(reinterpret_cast<plat::NullDevice*>(device));
            state.ResumeTiming();
        }
    }
    GameEnd();
    plat::ReleaseSprite(app.lpSprite);
    app.lpSprite = nullptr;
    app.lpD3DDevice = nullptr;
    plat::SetCurrentDevice(nullptr);
    plat::DestroyDevice(device);
}
BENCHMARK(BM_RoundFrameInFlightOnTheRoad);

}  // namespace
