// The round on the OpenGL device: screenshots of aiming, each gauge, a flight and the can at
// rest, written to build/round_shots/ for a look, with checks on what must show.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/app_state.h"
#include "gl/game_run.h"
#include "platform/rand.h"
#include "platform/texture.h"
#include "round/round_start.h"
#include "round/round_state.h"

namespace {

using namespace game_run;

const std::string kShots = ShotFolder("round_shots");

// The gauge marker is drawn red.
const ColourTest kRed = [](int r, int g, int b) { return r > 150 && g < 80 && b < 80; };

class RoundScreens : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(EnterAssets(kShots));
        started_ = StartGame();
    }
    static void TearDownTestSuite() {
        if (started_) AppShutdown();
    }
    void SetUp() override {
        if (!started_) GTEST_SKIP() << "no display";
    }
    static Pixels Shot(const char* name) { return game_run::Shot(kShots + name); }
    // The gauge sheet's marker column (5, 2..10) is white, so the marker shows red on screen.
    static bool GaugeSheetHasMarker() {
        const plat::Texture* t = game.lpGauge;
        if (!t || t->width < 8 || t->height < 12) return false;
        for (int y = 2; y < 11; y++)
            if ((t->argb[size_t(y) * t->width + 5] & 0xFFFFFFu) != 0xFFFFFFu) return false;
        return true;
    }
    static bool started_;
};
bool RoundScreens::started_ = false;

TEST_F(RoundScreens, AimingGaugesFlightAndRest) {
    plat::SRand(7);
    const int chars[1] = {0};
    ASSERT_TRUE(StartRoundForTest(1, chars, nullptr, 0));
    ASSERT_TRUE(FramesUntil([] { return game.ShotFlg == 2; }));
    Frames(2);
    auto aim = Shot("aim");
    EXPECT_GT(Distinct(aim), 50u) << "a drawn scene, not a cleared screen";
    const bool hud = GaugeSheetHasMarker();
    if (!hud) std::printf("the gauge sheet has no marker column: HUD checks skipped\n");
    if (hud) {
        EXPECT_GT(Count(aim, 25, 445, 40, 470, kRed), 4) << "the marker at 0";
    }

    Tap('Z');
    Frames(40);
    auto power = Shot("power_gauge");
    const int x = 30 + 3 * turn.BerGauge;
    if (hud) {
        EXPECT_GT(Count(power, x - 2, 445, x + 6, 470, kRed), 4) << "the marker follows the power gauge";
    }

    ASSERT_TRUE(FramesUntil([] { return turn.BerGauge == 25; }));
    Tap('Z');
    ASSERT_TRUE(FramesUntil([] { return turn.BerGauge == 60; }));
    auto control = Shot("control_gauge");
    if (hud) {
        EXPECT_GT(Count(control, 208, 445, 216, 470, kRed), 4);
    }

    ASSERT_TRUE(FramesUntil([] { return turn.BerGauge == 100; }));
    Tap('Z');
    ASSERT_TRUE(FramesUntil([] { return turn.ImpactRot >= 40; }));
    auto angle = Shot("angle_gauge");
    if (hud) {
        EXPECT_GT(Count(angle, 444, 361, 552, 469, kRed), 10) << "the impact needle";
    }
    Tap('Z');

    ASSERT_TRUE(FramesUntil([] { return game.ShotFlg == 6; }));
    Frames(20);
    auto flight = Shot("flight");
    EXPECT_EQ(Count(flight, 25, 445, 384, 470, kRed), 0) << "no HUD in flight";

    ASSERT_TRUE(FramesUntil([] { return game.ShotFlg == 7; }));
    Frames(30);
    auto rest = Shot("at_rest");
    if (hud) {
        EXPECT_GT(Count(rest, 25, 445, 384, 470, kRed), 4) << "the HUD is back";
    }
}

}  // namespace
