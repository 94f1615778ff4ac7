// Whole frames of the front end: the opening once per run, keys only at rest, the hop of the
// notes, the fade to the credits, and the set-up chain through its fade to the round.
#include <algorithm>
#include <vector>

#include "unit/title/title_fixture.h"

namespace titletest {
namespace {

class Flow : public TitleTest {
protected:
    void SetUp() override {
        TitleTest::SetUp();
        if (IsSkipped()) return;
        app.Sky = XFILE{};
    }
    // A later visit of the run: the opening is over, the first frame goes to the menu.
    static void OnTitleMenu() {
        titleRun.Alpha = 0;
        StartInit();
        Frames(1);
        ASSERT_EQ(title.SceneFlg, 1);
        Settle();
    }
    template <typename Pred>
    static int FramesUntil(Pred pred, int limit = 2000) {
        for (int n = 0; n < limit; n++) {
            if (pred()) return n;
            Frames(1);
        }
        return pred() ? limit : -1;
    }
};

TEST_F(Flow, TheOpeningSpinsGrowsHitsHoldsAndFadesOncePerRun) {
    StartInit();
    EXPECT_EQ(FramesUntil([] { return titleRun.Flg == 1; }), 74) << "10 degrees a frame up to 737";
    EXPECT_EQ(titleRun.TitleRot, 17);
    EXPECT_EQ(titleRun.Alpha, 254);
    const int grow = FramesUntil([] { return titleRun.Flg == 2; });
    EXPECT_GE(grow, 18);
    EXPECT_LE(grow, 19);
    EXPECT_FLOAT_EQ(titleRun.TitleSize, 1.0f);
    EXPECT_TRUE(Playing(audio.lpSLogoHit)) << "the hit";
    EXPECT_EQ(titleBurst.Flg, 1) << "the burst starts with the hit";
    EXPECT_EQ(titleRun.WaveSize, 20);
    EXPECT_EQ(titleBurst.CircleInitFlg, 1);
    EXPECT_EQ(FramesUntil([] { return titleRun.Flg == 3; }), 120);
    EXPECT_EQ(titleRun.AlphaPlus, 1);
    EXPECT_EQ(FramesUntil([] { return title.SceneFlg == 1; }), 254);
    EXPECT_EQ(titleRun.Alpha, 0);

    // The next visit skips it: the first frame goes to the menu and is not shown.
    StartInit();
    EXPECT_EQ(title.SceneFlg, 0);
    plat::NullDeviceClearLog(nd);
    Frames(1);
    EXPECT_EQ(title.SceneFlg, 1);
    EXPECT_EQ(Presents(), 0);
    Frames(1);
    EXPECT_EQ(Presents(), 1);
}

TEST_F(Flow, TheShakeSwingsAndDiesOutIn58Frames) {
    StartInit();
    ASSERT_GE(FramesUntil([] { return titleBurst.Flg == 1; }), 0);
    float last = titleRun.WaveSize;
    int swings = 0;
    const int frames = FramesUntil([&] {
        if (titleRun.WaveSize != last) {
            EXPECT_LT(titleRun.WaveSize * last, 0.01f) << "it changes sign at each step";
            last = titleRun.WaveSize;
            swings++;
        }
        return titleRun.WaveSize == 0;
    });
    EXPECT_EQ(frames, 58);
    EXPECT_EQ(swings, 29);
}

TEST_F(Flow, ZDuringTheOpeningSpeedsUpTheFade) {
    StartInit();
    Frames(10);
    Tap('Z');
    EXPECT_EQ(titleRun.AlphaPlus, 10);
    const int rest = FramesUntil([] { return title.SceneFlg == 1; });
    EXPECT_GE(rest, 23);
    EXPECT_LE(rest, 25);
    EXPECT_EQ(titleRun.Flg, 0) << "the logo was still spinning";
    EXPECT_GT(titleRun.TitleRot, 100);
}

TEST_F(Flow, KeysAreReadOnlyWhileTheStripAndTheCarouselRest) {
    OnTitleMenu();
    Tap('Z');
    ASSERT_EQ(title.SceneFlg, 2);
    int frames = 2;  // the press and the release frame moved the strip already
    for (; title.Slide.Now != title.Slide.Target; frames++) {
        EXPECT_EQ(title.Slide.Now, frames);
        Key(plat::VK_DOWN, frames % 2 == 0);
        plat::AdvanceFakeClock(5000);  // every sound over
        Frames(1);
        EXPECT_EQ(PlayingCount(audio.lpSPochi), 0) << "not read, so not heard";
    }
    EXPECT_EQ(frames, 20);
    EXPECT_EQ(game.Ninzu, 1);
    Key(plat::VK_DOWN, false);
    Frames(1);
    Press(plat::VK_DOWN);
    EXPECT_EQ(game.Ninzu, 2);

    Press('Z');
    ASSERT_EQ(title.SceneFlg, 3);
    Tap(plat::VK_RIGHT);
    EXPECT_EQ(title.CharNo, 1);
    EXPECT_EQ(title.Rot, 27) << "the key's 9 and two frames' steps";
    Frames(7);
    EXPECT_EQ(title.Rot, 90) << "a turn takes 10 frames";
    // The latch opens only in a call that sees every key up, and none was made meanwhile:
    // a key already down on the first frame at rest does not count.
    Key(plat::VK_RIGHT, true);
    Frames(1);
    EXPECT_EQ(title.CharNo, 1);
    Key(plat::VK_RIGHT, false);
    Frames(1);
    Tap(plat::VK_RIGHT);
    EXPECT_EQ(title.CharNo, 2);
}

TEST_F(Flow, TheNotesHopOutAndBackOnTheTitleAndPlayersScreens) {
    OnTitleMenu();
    Tap('Z');  // to the players screen
    std::vector<int> path;
    for (int i = 0; i < 24; i++) {
        path.push_back(title.Onpu.Now);
        Frames(1);
    }
    // Tap ran two frames: the press frame stepped to 1, the release frame to 2.
    EXPECT_EQ(path.front(), 2);
    EXPECT_EQ(*std::max_element(path.begin(), path.end()), 10);
    EXPECT_EQ(path.back(), 0);
    EXPECT_EQ(title.Onpu.Target, 0);

    Press('Z');  // on to the characters: the notes leave with the strip
    EXPECT_EQ(title.Onpu.Now, 20);
}

TEST_F(Flow, CreditsStartWhenTheFadeEndsAndKeysStillActMeanwhile) {
    OnTitleMenu();
    MusicChange("Mid/Opening2.mid");
    Press(plat::VK_DOWN);
    Press(plat::VK_DOWN);
    ASSERT_EQ(title.StartMenuFlg, 2);
    Tap('Z');
    ASSERT_EQ(title.FadeFlg, 1);
    EXPECT_EQ(titleRun.FadeAlpha, 5) << "the fade began on the release frame";
    Frames(1);
    Tap(plat::VK_UP);
    EXPECT_EQ(title.StartMenuFlg, 1) << "the menu still answers during the fade";
    EXPECT_EQ(app.Mode, 0);
    const int rest = FramesUntil([] { return app.Mode == 3; });
    EXPECT_EQ(1 + 1 + 2 + rest, 52) << "0 to 255 by 5";
    EXPECT_EQ(titleRun.FadeAlpha, 0);
    EXPECT_EQ(title.lpText, nullptr) << "the front end let go of its sheet";
    EXPECT_NE(game.lpGameText, nullptr);
    EXPECT_EQ(audio.lpSPochi[0], nullptr);
    EXPECT_EQ(Music(), "Mid/vok-g11.mid");
}

// Two players, the second a computer, free play on the road: the whole chain to the round.
TEST_F(Flow, TheSetUpChainHandsOverToTheRound) {
    OnTitleMenu();
    MusicChange("Mid/Opening2.mid");
    Press('Z');
    Press(plat::VK_DOWN);
    Press('Z');
    ASSERT_EQ(title.SceneFlg, 3);
    Press('Z');  // player 1 takes character 0
    Press(plat::VK_LEFT);
    Press(plat::VK_LEFT);
    Press(plat::VK_UP);  // player 2 is a computer
    EXPECT_EQ(title.CharNo, 2);
    Tap('Z');
    EXPECT_EQ(title.SceneFlg, 4) << "the frame after the last pick moves on";
    Settle();
    EXPECT_EQ(game.No[0], 0);
    EXPECT_EQ(game.No[1], 2);
    Press('Z');  // free play
    ASSERT_EQ(title.SceneFlg, 5);
    Press(plat::VK_RIGHT);
    EXPECT_EQ(game.StageNo, 1);

    Tap('Z');
    ASSERT_EQ(title.SceneFlg, 6);
    EXPECT_EQ(Music(), "Mid/town2.mid");
    const int fade = FramesUntil([] { return title.SceneFlg == 7 || app.Mode == 1; });
    EXPECT_EQ(title.SelectAlpha, 0);
    EXPECT_EQ(2 + fade, 18) << "255 falls by 15 a frame; below 0 the intro starts";
    EXPECT_EQ(title.lpText, nullptr);
    EXPECT_EQ(title.StageMesh[0].lpMesh, nullptr);
    EXPECT_NE(game.lpGameText, nullptr) << "kept for the intro and the round";

    ASSERT_GE(FramesUntil([] { return app.Mode == 1; }), 0);
    EXPECT_EQ(title.SceneFlg, 0);
    EXPECT_EQ(game.Ninzu, 2);
    EXPECT_EQ(game.SelectStageType, 0);
    EXPECT_EQ(game.StageNo, 1);
    EXPECT_EQ(game.CharGet[0].Com, 0);
    EXPECT_EQ(game.CharGet[1].Com, 1);
    EXPECT_EQ(game.CharGet[1].Power, 3);
    EXPECT_EQ(game.CharGet[1].Control, 1);
    EXPECT_EQ(game.CharGet[1].PowerShot, 5);
    EXPECT_EQ(game.CharGet[1].Luck, 2);
    EXPECT_EQ(game.DrawMissionFlg, 1) << "GameInit ran";
    EXPECT_NE(game.CharBox[1].RightHand.lpMesh, nullptr) << "the round loaded the players' characters";
    EXPECT_NE(game.Stage.lpMesh, nullptr);
    EXPECT_EQ(Music(), "Mid/town2.mid");
    EXPECT_FLOAT_EQ(device->GetLight(0).Ambient.r, 0.5f);
}

}  // namespace
}  // namespace titletest
