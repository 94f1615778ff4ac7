#include "gfx/gfx.h"
#include "round/game.h"
#include "round/screen.h"
#include "unit/play/mesh_fixture.h"
#include "unit/round/round_fixture.h"

namespace {

using plat::Vec3;

class Turn : public test::RoundTest {
protected:
    void SetUp() override {
        test::RoundTest::SetUp();
        gfx = GfxState{};
        game.DrawMissionFlg = 1;  // the stage intro is over
    }
    // Runs frames until pred holds; the number of frames run, or -1 after limit.
    template <typename Pred>
    int RunUntil(Pred pred, int limit = 2000) {
        for (int f = 1; f <= limit; f++) {
            GameFrame();
            if (pred()) return f;
        }
        return -1;
    }
    CHARBOX& box(int i = 0) { return game.CharBox[i]; }
    _CAN& can(int i = 0) { return game.Can[i]; }
};

TEST_F(Turn, FirstStrokeShowsNoHandAndAimsOnThe68thFrameAfterTheFadeIn) {
    int fadeDone = 0, seenHand = 0;
    int f = RunUntil([&] {
        if (ready.Flg != 0 && fadeDone == 0) fadeDone = 1;
        if (ready.HandFlg != 0) seenHand = 1;
        return game.ShotFlg == 2;
    });
    // FadeIn returns 1 on its 52nd call, which is also the first frame of the banner.
    EXPECT_EQ(f, 52 + 68);
    EXPECT_EQ(seenHand, 0);
    EXPECT_EQ(box().Dasu[0], 1);
    EXPECT_EQ(can().Pos, Vec3(0, 10, 0)) << "stood 3 above its rest height";
    EXPECT_FLOAT_EQ(can().Lean, 0);
    EXPECT_EQ(game.Zoom, 60);
    EXPECT_FLOAT_EQ(game.RotX, -20);
    EXPECT_EQ(ready.Flg, 0);
    EXPECT_EQ(roundSounds.Count(RoundSound::lpSMenuEnter), 52) << "every fade-in frame";
}

TEST_F(Turn, LaterStrokeRunsTheHandThatStandsTheCanUp) {
    box().Dasu[0] = 1;
    can().Pos = Vec3(100, 7, 200);
    float top = 0;
    int steps = 0, lastStep = 0;
    int f = RunUntil([&] {
        top = std::max(top, can().Pos.y);
        if (ready.HandFlg != lastStep) {
            lastStep = ready.HandFlg;
            steps++;
        }
        return game.ShotFlg == 2;
    });
    EXPECT_EQ(f, 247);
    EXPECT_EQ(steps, 6) << "hand steps 1 to 5, then back to 0";
    EXPECT_FLOAT_EQ(top, 19) << "lifted 12";
    EXPECT_EQ(can().Pos, Vec3(100, 10, 200)) << "lowered 9";
    EXPECT_FLOAT_EQ(can().Lean, 0);
    EXPECT_EQ(game.Zoom, 60);
    EXPECT_FLOAT_EQ(game.SwingRot, 0);
    EXPECT_EQ(box().Dasu[0], 2);
    EXPECT_EQ(game.CanPos, Vec3(100, 7, 200));
    EXPECT_EQ(turn.CharPos, Vec3(100, 0, 200));
}

TEST_F(Turn, OutOfBoundsReturnShowsNoHand) {
    box().Dasu[0] = 3;
    box().OBFlg = 1;
    EXPECT_EQ(RunUntil([&] { return game.ShotFlg == 2; }), 120);
    EXPECT_EQ(box().OBFlg, 0);
    EXPECT_EQ(box().Dasu[0], 4);
}

TEST_F(Turn, AtRestTheTurnPassesAfterTheCloseUpAndTheFade) {
    game.ShotFlg = 7;
    game.CharParaInit = 1;
    game.Iniflg = 1;
    box().Dasu[0] = 1;
    game.Character.Luck = 5;
    can().Hekomi = 3.49f;
    game.Zoom = 60;
    game.RotX = -20;
    int f = RunUntil([&] { return game.ShotFlg == 0; });
    EXPECT_EQ(f, 90 + 18) << "90 frames of close-up, then 18 fade calls";
    EXPECT_EQ(turn.Change, 0);
    EXPECT_EQ(game.Zoom, 7);
    EXPECT_FLOAT_EQ(game.RotX, 0);
    EXPECT_EQ(box().Dasu[0], 1);
    GameFrame();
    EXPECT_EQ(box().Dasu[0], 2) << "the next turn costs a stroke";
}

TEST_F(Turn, CanDentedToTheLimitIsExchangedForAStroke) {
    game.ShotFlg = 7;
    game.CharParaInit = 1;
    game.Iniflg = 1;
    box().Dasu[0] = 1;
    game.CharGet[0].Luck = 5;
    game.Character.Luck = 5;
    can().Hekomi = 3.5f;  // exactly 1 + 5 / 2
    int f = RunUntil([&] { return game.ShotFlg == 0; });
    EXPECT_EQ(f, 91);
    EXPECT_EQ(box().Dasu[0], 2);
}

TEST_F(Turn, NextPlayerSkipsFinishedPlayersAndKeepsPowerShots) {
    game.Ninzu = 1;
    game.Character.PowerShot = 1;
    game.ShotFlg = 7;
    game.FinishFlg = 1;
    game.CameraConditionFlg = 1;
    NextPlayer();
    EXPECT_EQ(game.PlayerNo, 0) << "one player: the same one again";
    EXPECT_EQ(game.CharGet[0].PowerShot, 1);
    EXPECT_EQ(game.ShotFlg, 0);
    EXPECT_EQ(game.FinishFlg, 0);
    EXPECT_EQ(game.CameraConditionFlg, 0);
    EXPECT_EQ(game.CharParaInit, 0);
    EXPECT_EQ(game.Iniflg, 0);

    game.Ninzu = 4;
    box(1).GoalFlg = 1;
    box(2).GiveUpFlg = 2;
    NextPlayer();
    EXPECT_EQ(game.PlayerNo, 3);
    NextPlayer();
    EXPECT_EQ(game.PlayerNo, 0) << "wraps";
    box(3).GiveUpFlg = 1;
    NextPlayer();
    EXPECT_EQ(game.PlayerNo, 0) << "everyone else is done";
}

TEST_F(Turn, GivingUpCostsNineStrokesAndFadesOutOver101Frames) {
    game.ShotFlg = 2;
    game.CharParaInit = 1;
    game.Iniflg = 1;
    box().Dasu[0] = 3;
    turn.CharAlpha = 1.0f;
    box().GiveUpFlg = 1;
    int f = RunUntil([&] { return box().GiveUpFlg == 2; });
    EXPECT_EQ(f, 101);
    EXPECT_EQ(box().Dasu[0], 12);
    EXPECT_EQ(turn.Scene, 0);
}

TEST_F(Turn, MissedSwingFlashesFor31FramesBeforeTheShotFlies) {
    game.ShotFlg = 6;
    game.CharParaInit = 1;
    game.Iniflg = 1;
    box().Dasu[0] = 1;
    game.MissShotFlg = 1;
    turn.ControlGauge = 89;
    turn.ImpactRot = 45;
    int f = RunUntil([&] { return game.jumpFlg == 1; });
    EXPECT_EQ(f, 32) << "31 frames of flash, the shot in the next";
    EXPECT_EQ(roundSounds.Count(RoundSound::lpSMissShot), 31);
    EXPECT_FLOAT_EQ(can().Dir, 90);
}

TEST_F(Turn, GoalIsStrictlyInsideTheBox) {
    game.Judge.Min = Vec3(0, 0, 0);
    game.Judge.Max = Vec3(10, 10, 10);
    struct Case { Vec3 pos; int in; };
    for (const Case& c : {Case{Vec3(5, 5, 5), 1}, Case{Vec3(0, 5, 5), 0}, Case{Vec3(5, 10, 5), 0},
                          Case{Vec3(5, 5, 9.999f), 1}, Case{Vec3(5, 5, 10), 0}}) {
        can().Pos = c.pos;
        EXPECT_EQ(Goal(), c.in) << c.pos.x << " " << c.pos.y << " " << c.pos.z;
    }
    EXPECT_EQ(roundSounds.Count(RoundSound::lpSGoal), 2);
}

TEST_F(Turn, StrokeDigitsDropLeadingZerosButKeepAZeroTens) {
    struct Case { int n; std::vector<int> x, digit; };
    for (const Case& c : {Case{7, {70}, {7}}, Case{12, {70, 100}, {1, 2}}, Case{105, {70, 100, 130}, {1, 0, 5}},
                          Case{0, {70}, {0}}, Case{1012, {70, 100}, {1, 2}}}) {
        int x[3], d[3];
        int n = StrokeDigits(c.n, x, d);
        ASSERT_EQ(n, int(c.x.size())) << c.n;
        for (int i = 0; i < n; i++) {
            EXPECT_EQ(x[i], c.x[i]) << c.n;
            EXPECT_EQ(d[i], c.digit[i]) << c.n;
        }
    }
}

// A whole turn by the keys on a flat floor: aim, three gauges, swing, flight, rest, next turn.
TEST_F(Turn, HumanShotRunsFromAimingToTheNextTurn) {
    test::HandMesh floor;
    floor.Floor(0);
    game.Stage.lpMesh = floor.mesh.get();
    game.GoalPos = Vec3(0, 0, 3000);
    game.Judge.Min = Vec3(-1, -1, 2999);
    game.Judge.Max = Vec3(1, 1, 3001);
    ASSERT_GT(RunUntil([&] { return game.ShotFlg == 2; }), 0);
    auto press = [&] {
        Key('Z', true);
        GameFrame();
        Key('Z', false);
    };
    press();
    ASSERT_GT(RunUntil([&] { return turn.BerGauge == 20; }), 0);
    press();
    ASSERT_GT(RunUntil([&] { return turn.BerGauge == 100; }), 0);
    press();
    ASSERT_GT(RunUntil([&] { return turn.ImpactRot == 30; }), 0);
    press();
    EXPECT_NEAR(can().Dir, 0, 1e-3f) << "aimed at the goal";
    ASSERT_GT(RunUntil([&] { return game.ShotFlg == 6; }), 0);
    EXPECT_EQ(game.Kyori, 500);
    ASSERT_GT(RunUntil([&] { return game.ShotFlg == 7; }), 0);
    EXPECT_GT(can().Pos.z, 300);
    EXPECT_NEAR(can().Pos.y, 7, 1e-3f);
    EXPECT_GT(can().Hekomi, 0);
    ASSERT_GT(RunUntil([&] { return game.ShotFlg == 1; }), 0);
    EXPECT_EQ(box().Dasu[0], 2);
    game.Stage.lpMesh = nullptr;
}

}  // namespace
