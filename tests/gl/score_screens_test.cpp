// The score screen, the ceremony and the credits on the OpenGL device: screenshots of their
// key moments, written to build/score_shots/ for a look, with checks on what must show.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/winmain.h"
#include "audio/music.h"
#include "platform/clock.h"
#include "platform/device.h"
#include "platform/image_file.h"
#include "platform/keys.h"
#include "platform/rand.h"
#include "results/credit.h"
#include "results/results_step.h"
#include "results/score_state.h"
#include "round/round_start.h"
#include "round/round_state.h"
#include "title/start.h"

namespace {

const std::string kShots = std::string(POMELANE_ASSETS) + "/../score_shots/";

using Pixels = std::vector<uint32_t>;
using ColourTest = std::function<bool(int r, int g, int b)>;

const ColourTest kWhite = [](int r, int g, int b) { return r > 240 && g > 240 && b > 240; };
const ColourTest kBlack = [](int r, int g, int b) { return r + g + b < 12; };
const ColourTest kRed = [](int r, int g, int b) { return r > 170 && g < 70 && b < 70; };
const ColourTest kLit = [](int r, int g, int b) { return r + g + b > 90; };

class ScoreScreens : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(chdir(POMELANE_ASSETS), 0);
        mkdir(kShots.c_str(), 0755);
        RunOptions run;
        run.nullAudio = true;
        run.scriptedInput = true;
        started_ = AppStartup(run);
        plat::SRand(5);
    }
    static void TearDownTestSuite() {
        if (started_) AppShutdown();
    }
    void SetUp() override {
        if (!started_) GTEST_SKIP() << "no display";
    }
    static void Frames(int n) {
        for (int i = 0; i < n; i++) {
            AppFramePass();
            plat::AdvanceFakeClock(16);
        }
    }
    template <typename Pred>
    static bool FramesUntil(Pred pred, int limit = 3000) {
        for (int i = 0; i < limit && !pred(); i++) Frames(1);
        return pred();
    }
    static void Tap(int vk) {
        plat::SetKeyDown(vk, true);
        Frames(1);
        plat::SetKeyDown(vk, false);
    }
    // A round of these players ends with these strokes; the score screen's first frame is shown.
    static void EndRound(int n, const int* chars, const int* strokes) {
        int com[4] = {1, 1, 1, 1};
        ASSERT_TRUE(StartRoundForTest(n, chars, com, 0));
        Frames(2);
        for (int i = 0; i < n; i++) game.CharBox[i].Dasu[0] = strokes[i];
        ResultsStep();
        Frames(2);  // the gate's first call, then frame 1
    }
    static Pixels Shot(const std::string& name) {
        Pixels px = app.lpD3DDevice->ReadBackBuffer();
        EXPECT_EQ(px.size(), 640u * 480u);
        if (px.size() == 640u * 480u) plat::SavePng((kShots + name + ".png").c_str(), px.data(), 640, 480);
        else px.assign(640u * 480u, 0);
        return px;
    }
    static int Count(const Pixels& px, int x0, int y0, int x1, int y1, const ColourTest& is) {
        int n = 0;
        for (int y = y0; y < y1; y++)
            for (int x = x0; x < x1; x++) {
                const uint32_t c = px[size_t(y) * 640 + size_t(x)];
                n += is(int(c >> 16 & 255), int(c >> 8 & 255), int(c & 255));
            }
        return n;
    }
    static int Area(int x0, int y0, int x1, int y1) { return (x1 - x0) * (y1 - y0); }
    static bool started_;
};
bool ScoreScreens::started_ = false;

TEST_F(ScoreScreens, FourPlayersFromTheCurtainThroughTheCeremonyTableRockAndGag) {
    const int chars[4] = {0, 1, 2, 3}, strokes[4] = {14, 9, 30, 11};  // girl, cook, man, office worker
    EndRound(4, chars, strokes);
    Pixels white = Shot("01_curtain_closed");
    EXPECT_GT(Count(white, 0, 0, 640, 480, kWhite), Area(0, 0, 640, 480) * 95 / 100)
        << "the screen starts white, as the fade before it ended";
    Frames(24);
    Pixels half = Shot("02_curtain_opening");
    EXPECT_GT(Count(half, 0, 0, 640, 30, kWhite), 640 * 25) << "the top panel is still on the way";
    EXPECT_LT(Count(half, 200, 150, 440, 330, kWhite), Area(200, 150, 440, 330) / 10) << "the middle is open";
    Frames(100);
    Shot("03_tilt_from_the_sky");
    ASSERT_TRUE(FramesUntil([] { return score.YFlg == 1; }));
    Frames(60);
    Shot("04_podium_rising");
    ASSERT_TRUE(FramesUntil([] { return score.CharaPos1.x > -1; }));
    Pixels walk = Shot("05_walk");
    EXPECT_GT(Count(walk, 0, 0, 640, 480, kLit), 1000);
    ASSERT_TRUE(FramesUntil([] { return score.Ang >= 45; }));
    Shot("06_turn");
    ASSERT_TRUE(FramesUntil([] { return score.CupFlg == 1 && score.CupPos0.y < 4; }));
    Shot("07_cup_coming_down");
    ASSERT_TRUE(FramesUntil([] { return score.JFlg[0] == 1 && score.CharaPos1.y > 0.5f; }));
    Shot("08_winner_jumps");
    ASSERT_TRUE(FramesUntil([] { return scoreFrame.flg == 1; }));
    Frames(30);
    Shot("09_close_up_banner_sliding");
    ASSERT_TRUE(FramesUntil([] { return scoreFrame.x == 51; }));
    Frames(1);
    Shot("10_banner_at_rest");
    ASSERT_TRUE(FramesUntil([] { return score.JFlg[1] == 1 && score.CharaPos2.y > 0; }));
    Shot("11_second_jumps");
    ASSERT_TRUE(FramesUntil([] { return score.JFlg[2] == 1 && score.CharaPos0.y > 0; }));
    Shot("12_third_jumps");
    ASSERT_TRUE(FramesUntil([] { return game.KeyFlg == 1; }));
    Frames(12);
    Shot("13_table_heading");
    ASSERT_TRUE(FramesUntil([] { return scoreFrame.stx[2] <= 150; }));
    Frames(1);
    Pixels table = Shot("14_table");
    for (int k = 0; k < 3; k++)
        EXPECT_GT(Count(table, 360, 160 + 110 * k, 480, 176 + 110 * k, kRed), 30) << "stroke count of row " << k;
    EXPECT_EQ(Count(table, 360, 470, 480, 480, kRed), 0) << "the fourth place has no row";

    Tap('Z');
    Frames(25);
    Shot("15_pan_to_the_last_place");
    ASSERT_TRUE(FramesUntil([] { return score.RockFlg == 1; }));
    Frames(20);
    Shot("16_rock_falling");
    ASSERT_TRUE(FramesUntil([] { return score.OnFlg1 == 4; }));
    Frames(2);
    Shot("17_rock_landed");
    Tap('Z');
    Frames(30);
    Pixels iris = Shot("18_iris_closing_on_the_last_place");
    EXPECT_GT(Count(iris, 0, 0, 180, 480, kBlack), 180 * 470) << "black left of the opening";
    EXPECT_GT(Count(iris, 190, 0, 215, 25, kBlack), 25 * 20) << "the mask's corner";
    EXPECT_GT(Count(iris, 500, 300, 560, 360, kLit), 100) << "the scene through the opening at (530, 330)";
    Frames(30);
    Shot("19_iris_small");
    ASSERT_TRUE(FramesUntil([] { return score.EnFlg == 1 && scoreFrame.Alpha3 >= 200; }));
    Pixels caption = Shot("20_gag_caption");
    EXPECT_GT(Count(caption, 400, 400, 602, 464, kLit), 200) << "the caption on black";
    EXPECT_GT(Count(caption, 0, 0, 640, 380, kBlack), 640 * 370);
    ASSERT_TRUE(FramesUntil([] { return score.EnFlg == 3 && score.EnSize == 250; }));
    Pixels crying = Shot("21_gag_crying_close_up");
    EXPECT_GT(Count(crying, 200, 120, 440, 360, kLit), 5000) << "the last place through the small iris";
    EXPECT_GT(Count(crying, 0, 0, 640, 110, kBlack), 640 * 105);
    Tap('Z');
    ASSERT_TRUE(FramesUntil([] { return app.Mode == 0; }, 40));
    Frames(3);
    Shot("22_title_again");
}

TEST_F(ScoreScreens, OnePlayerBannerAndIrisOnTheCentre) {
    const int chars[1] = {1}, strokes[1] = {6};
    EndRound(1, chars, strokes);
    ASSERT_TRUE(FramesUntil([] { return game.KeyFlg == 3; }));
    Frames(40);
    Pixels iris = Shot("30_one_player_iris");
    EXPECT_GT(Count(iris, 0, 0, 60, 480, kBlack), 60 * 470) << "the bar left of the square";
    EXPECT_GT(Count(iris, 70, 0, 100, 30, kBlack), 30 * 25) << "the mask's corner";
    EXPECT_GT(Count(iris, 280, 200, 360, 280, kLit), 1000) << "open around (320, 240)";
    ASSERT_TRUE(FramesUntil([] { return app.Mode == 0; }, 40));
}

TEST_F(ScoreScreens, TwoPlayersTable) {
    const int chars[2] = {3, 2}, strokes[2] = {5, 5};
    EndRound(2, chars, strokes);
    ASSERT_TRUE(FramesUntil([] { return game.KeyFlg == 1 && scoreFrame.stx[1] <= 150; }));
    Frames(5);
    Pixels table = Shot("31_two_player_table");
    EXPECT_GT(Count(table, 360, 160, 480, 176, kRed), 30);
    EXPECT_GT(Count(table, 360, 270, 480, 286, kRed), 30);
    EXPECT_EQ(Count(table, 360, 380, 480, 396, kRed), 0) << "no third row";
    Tap('Z');
    ASSERT_TRUE(FramesUntil([] { return app.Mode == 0; }, 80));
}

TEST_F(ScoreScreens, EveryCreditsPageAndTheSkip) {
    game.KeyFlg = 0;
    StartEnd();
    app.Mode = 3;
    CreditInit();
    MusicChange("Mid/vok-g11.mid");
    Frames(1);
    for (int page = 0; page < 7; page++) {
        ASSERT_TRUE(FramesUntil([&] { return credit.CreditFlg == page && credit.CreditSceneFlg >= 50; }));
        Pixels px = Shot("4" + std::to_string(page) + "_credits_page_" + std::to_string(page));
        EXPECT_GT(Count(px, 0, 0, 640, 380, kLit), 800) << "page " << page << " shows";
        EXPECT_GT(Count(px, 540, 380, 625, 470, kLit), 1500) << "the waving logo in the corner";
        EXPECT_GT(Count(px, 0, 0, 520, 480, kBlack), Area(0, 0, 520, 480) * 3 / 4) << "over black";
    }
    plat::SetKeyDown('Z', true);
    Frames(26);
    plat::SetKeyDown('Z', false);
    Shot("47_credits_skip");
    ASSERT_TRUE(FramesUntil([] { return app.Mode == 0; }, 40));
}

}  // namespace
