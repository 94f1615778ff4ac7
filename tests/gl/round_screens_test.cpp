// The round on the OpenGL device: screenshots of aiming, each gauge, a flight and the can at
// rest, written to build/round_shots/ for a look, with checks on what must show.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/winmain.h"
#include "platform/clock.h"
#include "platform/device.h"
#include "platform/image_file.h"
#include "platform/keys.h"
#include "platform/rand.h"
#include "platform/texture.h"
#include "round/round_start.h"
#include "round/round_state.h"

namespace {

const std::string kShots = std::string(POMELANE_ASSETS) + "/../round_shots/";

class RoundScreens : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(chdir(POMELANE_ASSETS), 0);
        mkdir(kShots.c_str(), 0755);
        RunOptions run;
        run.nullAudio = true;
        run.scriptedInput = true;
        started_ = AppStartup(run);
    }
    static void TearDownTestSuite() {
        if (started_) AppShutdown();
    }
    void SetUp() override {
        if (!started_) GTEST_SKIP() << "no display";
    }
    // Runs n frames of the loop (16 ms each).
    static void Frames(int n) {
        for (int i = 0; i < n; i++) {
            AppFramePass();
            plat::AdvanceFakeClock(16);
        }
    }
    template <typename Pred>
    static bool FramesUntil(Pred pred, int limit = 3000) {
        for (int i = 0; i < limit; i++) {
            if (pred()) return true;
            Frames(1);
        }
        return pred();
    }
    static void Tap(int vk) {
        plat::SetKeyDown(vk, true);
        Frames(1);
        plat::SetKeyDown(vk, false);
        Frames(1);
    }
    // The frame last shown, saved under name.
    static std::vector<uint32_t> Shot(const char* name) {
        std::vector<uint32_t> px = app.lpD3DDevice->ReadBackBuffer();
        EXPECT_EQ(px.size(), 640u * 480u);
        if (px.size() == 640u * 480u) plat::SavePng((kShots + name + ".png").c_str(), px.data(), 640, 480);
        return px;
    }
    // Pixels in the rectangle whose red clearly dominates (the gauge marker is drawn red).
    static int RedPixels(const std::vector<uint32_t>& px, int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y < y1; y++)
            for (int x = x0; x < x1; x++) {
                uint32_t c = px[size_t(y) * 640 + x];
                int r = (c >> 16) & 255, g = (c >> 8) & 255, b = c & 255;
                n += r > 150 && g < 80 && b < 80;
            }
        return n;
    }
    static int Distinct(const std::vector<uint32_t>& px) {
        std::vector<uint32_t> s(px.begin(), px.end());
        std::sort(s.begin(), s.end());
        return int(std::unique(s.begin(), s.end()) - s.begin());
    }
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
    EXPECT_GT(Distinct(aim), 50) << "a drawn scene, not a cleared screen";
    const bool hud = GaugeSheetHasMarker();
    if (!hud) std::printf("the gauge sheet has no marker column: HUD checks skipped\n");
    if (hud) {
        EXPECT_GT(RedPixels(aim, 25, 445, 40, 470), 4) << "the marker at 0";
    }

    Tap('Z');
    Frames(40);
    auto power = Shot("power_gauge");
    const int x = 30 + 3 * turn.BerGauge;
    if (hud) {
        EXPECT_GT(RedPixels(power, x - 2, 445, x + 6, 470), 4) << "the marker follows the power gauge";
    }

    ASSERT_TRUE(FramesUntil([] { return turn.BerGauge == 25; }));
    Tap('Z');
    ASSERT_TRUE(FramesUntil([] { return turn.BerGauge == 60; }));
    auto control = Shot("control_gauge");
    if (hud) {
        EXPECT_GT(RedPixels(control, 208, 445, 216, 470), 4);
    }

    ASSERT_TRUE(FramesUntil([] { return turn.BerGauge == 100; }));
    Tap('Z');
    ASSERT_TRUE(FramesUntil([] { return turn.ImpactRot >= 40; }));
    auto angle = Shot("angle_gauge");
    if (hud) {
        EXPECT_GT(RedPixels(angle, 444, 361, 552, 469), 10) << "the impact needle";
    }
    Tap('Z');

    ASSERT_TRUE(FramesUntil([] { return game.ShotFlg == 6; }));
    Frames(20);
    auto flight = Shot("flight");
    EXPECT_EQ(RedPixels(flight, 25, 445, 384, 470), 0) << "no HUD in flight";

    ASSERT_TRUE(FramesUntil([] { return game.ShotFlg == 7; }));
    Frames(30);
    auto rest = Shot("at_rest");
    if (hud) {
        EXPECT_GT(RedPixels(rest, 25, 445, 384, 470), 4) << "the HUD is back";
    }
}

}  // namespace
