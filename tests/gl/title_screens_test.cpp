// The front end on the OpenGL device: screenshots of the opening, the title menu, the options,
// the players, character, mode and stage screens and the stage intro, written to
// build/title_shots/ for a look, with checks on what must show.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/app_state.h"
#include "gl/game_run.h"
#include "platform/keys.h"
#include "platform/rand.h"
#include "round/round_state.h"
#include "title/title_state.h"

namespace {

using namespace game_run;

const std::string kShots = ShotFolder("title_shots");

class TitleScreens : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(EnterAssets(kShots));
        // Full screen and music on, whatever an earlier run left behind.
        if (FILE* f = std::fopen("data.txt", "w")) {
            std::fputs("0 0\n", f);
            std::fclose(f);
        }
        started_ = StartGame();
        plat::SRand(3);
    }
    static void TearDownTestSuite() {
        if (started_) AppShutdown();
    }
    void SetUp() override {
        if (!started_) GTEST_SKIP() << "no display";
    }
    template <typename Pred>
    static bool FramesUntil(Pred pred) {
        return game_run::FramesUntil(pred, 2000);
    }
    // A key pressed on a resting menu, then frames until it rests again.
    static void Press(int vk) { Tap(vk, 30); }
    static Pixels Shot(const char* name) {
        Pixels px = app.lpD3DDevice->ReadBackBuffer();
        if (!SavePicture(kShots + name, px)) px.assign(kScreenPixels, 0);
        return px;
    }
    // Pixels of the rectangle that differ clearly between two frames.
    static int Changed(const Pixels& a, const Pixels& b, int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y < y1; y++)
            for (int x = x0; x < x1; x++) {
                const uint32_t p = a[size_t(y) * 640 + size_t(x)], q = b[size_t(y) * 640 + size_t(x)];
                int d = 0;
                for (int s = 0; s < 24; s += 8) d += std::abs(int(p >> s & 255) - int(q >> s & 255));
                n += d > 60;
            }
        return n;
    }
    static bool started_;
};
bool TitleScreens::started_ = false;

const ColourTest kGreen = [](int r, int g, int b) { return g > 150 && r < 120 && b < 120; };
const ColourTest kYellow = [](int r, int g, int b) { return r > 200 && g > 200 && b < 90; };
const ColourTest kBright = [](int r, int g, int b) { return r + g + b > 450; };
const ColourTest kDark = [](int r, int g, int b) { return r + g + b < 30; };

TEST_F(TitleScreens, FromTheOpeningThroughEveryMenuToTheStageIntro) {
    // The opening: the logo spins small at the centre of a black screen, then hits and bursts.
    Frames(30);
    Pixels spin = Shot("opening_spin");
    EXPECT_GT(Count(spin, 300, 220, 340, 260, kBright), 20) << "the small logo at the centre";
    EXPECT_GT(Count(spin, 0, 0, 640, 120, kDark), 640 * 110) << "black around it";
    ASSERT_TRUE(FramesUntil([] { return titleBurst.Flg == 1; }));
    Frames(12);
    Pixels burst = Shot("opening_burst");
    EXPECT_GT(Count(burst, 0, 0, 640, 480, [](int r, int g, int b) { return r > 150 && r > b + 40 && r > g; }), 500)
        << "red-tinted sparks";
    EXPECT_GT(Count(burst, 195, 175, 446, 306, kBright), 5000) << "the full-size logo";
    Frames(200);
    Shot("opening_fade");

    ASSERT_TRUE(FramesUntil([] { return title.SceneFlg == 1; }));
    Frames(20);
    Pixels menu = Shot("title_menu");
    EXPECT_GT(Count(menu, 195, 235, 250, 300, kGreen), 100) << "left note beside the first entry";
    EXPECT_GT(Count(menu, 390, 235, 445, 300, kGreen), 100) << "right note";
    EXPECT_GT(Count(menu, 480, 165, 600, 185, kYellow), 20) << "the version";
    EXPECT_GT(Count(menu, 90, 455, 560, 475, kYellow), 100) << "the notice line";

    // Options: music off, window, and the notice about the next start.
    Press(plat::VK_DOWN);
    Pixels menu1 = Shot("title_menu_options_entry");
    EXPECT_GT(Count(menu1, 195, 275, 250, 340, kGreen), 100) << "the notes moved down one entry";
    Press('Z');
    Pixels options = Shot("options");
    EXPECT_GT(Count(options, 50, 408, 400, 425, kYellow), 60) << "the full-screen notice";
    EXPECT_GT(Changed(menu, options, 40, 270, 640, 410), 10000) << "the option panel slid in";
    Press(plat::VK_RIGHT);
    Press(plat::VK_DOWN);
    Press(plat::VK_RIGHT);
    Pixels changed = Shot("options_off_window");
    EXPECT_GT(Changed(options, changed, 375, 275, 620, 330), 300) << "the music row's marks moved";
    EXPECT_GT(Changed(options, changed, 345, 280, 380, 400), 100) << "the row cursor moved";
    Press(plat::VK_LEFT);
    Press(plat::VK_UP);
    Press(plat::VK_LEFT);
    Press('Z');
    ASSERT_EQ(title.SceneFlg, 1);
    ASSERT_EQ(app.PlayMusicFlg, 0);

    // Players: four, the notes by the last row.
    Press(plat::VK_UP);
    Press('Z');
    Press(plat::VK_UP);
    ASSERT_EQ(game.Ninzu, 4);
    Pixels players = Shot("players_four");
    EXPECT_GT(Count(players, 180, 380, 250, 445, kGreen), 100) << "147 pixels below the first row";

    // Characters: player 1 takes the man, player 2 (a computer) the girl, who then shows taken.
    Press('Z');
    Pixels chars = Shot("characters");
    Press('Z');
    Press(plat::VK_RIGHT);
    Press(plat::VK_UP);
    Pixels com = Shot("characters_computer");
    EXPECT_GT(Changed(chars, com, 40, 395, 145, 445), 200) << "the switch label changed";
    Press('Z');
    Pixels taken = Shot("characters_taken");
    EXPECT_EQ(title.CharNo, 1);
    EXPECT_EQ(game.Not[1], 1);
    EXPECT_GT(Changed(chars, taken, 0, 0, 160, 80), 500) << "the chosen players listed top left";
    EXPECT_GT(Changed(com, taken, 150, 245, 325, 305), 500) << "the taken mark over the girl";
    Press(plat::VK_RIGHT);
    Press('Z');
    Press(plat::VK_RIGHT);
    Shot("characters_last");
    Press('Z');
    ASSERT_EQ(title.SceneFlg, 4);

    // Mode: free play in front, then the mission after a turn.
    Pixels mode = Shot("mode_free_play");
    EXPECT_GT(Changed(taken, mode, 150, 120, 440, 300), 20000) << "the board in front";
    Press(plat::VK_RIGHT);
    Shot("mode_mission");
    Press(plat::VK_LEFT);
    Press('Z');

    // Stage: each preview with its name and text.
    const char* stages[3] = {"stage_stairs", "stage_road", "stage_classroom"};
    for (int k = 0; k < 3; k++) {
        ASSERT_EQ(game.StageNo, k);
        Pixels stage = Shot(stages[k]);
        EXPECT_GT(Count(stage, 330, 315, 640, 395, kYellow), 400) << "the stage text";
        EXPECT_EQ(Count(stage, 636, 315, 640, 395, kYellow), 0) << "no text runs off the screen";
        if (k < 2) Press(plat::VK_RIGHT);
    }

    // The set-up fade, then the stage intro and the round.
    Tap('Z', 8);
    Shot("setup_fade");
    ASSERT_TRUE(FramesUntil([] { return title.SceneFlg == 7 || app.Mode == 1; }));
    if (app.Mode == 0) {
        Frames(150);
        Shot("stage_intro");
    }
    ASSERT_TRUE(FramesUntil([] { return app.Mode == 1; }));
    Frames(10);
    Shot("round_start");
    EXPECT_EQ(game.Ninzu, 4);
    EXPECT_EQ(game.StageNo, 2);
}

}  // namespace
