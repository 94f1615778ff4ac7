#include <algorithm>

#include "round/game.h"
#include "round/round_start.h"
#include "round/stage.h"
#include "unit/round/round_fixture.h"

namespace {

using plat::Vec3;

class Stage : public test::RoundTest {};

TEST_F(Stage, GoalBoxAndMiniMapPerStage) {
    struct Case { int stage; Vec3 goal; float mini; };
    for (const Case& c : {Case{0, Vec3(670, 1155.5f, 3050), 0.08f}, Case{1, Vec3(720, 650, 3700), 0.05f},
                          Case{2, Vec3(-122.5f, 25, 2077.5f), 0.3f}}) {
        LoadStageInit(&game.Stage, c.stage);
        EXPECT_EQ(game.GoalPos, c.goal) << c.stage;
        EXPECT_FLOAT_EQ(game.MiniMapScale, c.mini);
        ReleaseMesh(&game.Stage);
        for (XFILE& t : game.Track) ReleaseMesh(&t);
    }
    EXPECT_GE(game.ChaimFlg, 600);
    EXPECT_LE(game.ChaimFlg, 17940);
    EXPECT_EQ(game.ChaimFlg % 60, 0);
}

TEST_F(Stage, WindIsNoneInTheClassroomAndOfItsMeterElsewhere) {
    game.StageNo = 2;
    for (int i = 0; i < 20; i++) {
        WindInit();
        EXPECT_EQ(game.WindMeter, 0);
        EXPECT_EQ(game.Wind, Vec3(0, 0, 0));
    }
    game.StageNo = 0;
    int nonzero = 0;
    for (int i = 0; i < 200; i++) {
        WindInit();
        ASSERT_GE(game.WindMeter, 0);
        ASSERT_LT(game.WindMeter, 80);
        EXPECT_FLOAT_EQ(game.Wind.y, 0);
        EXPECT_NEAR(plat::Vec3Length(game.Wind), game.WindMeter / 2660.0f, 1e-6f);
        nonzero += game.WindMeter != 0;
    }
    EXPECT_GT(nonzero, 150);
}

TEST_F(Stage, CanLabelsAreAPermutation) {
    for (int round = 0; round < 50; round++) {
        CanTexShuffle();
        int seen[10] = {};
        for (int t : game.CanTexNo) seen[t]++;
        for (int s : seen) ASSERT_EQ(s, 1);
    }
}

TEST_F(Stage, GameInitResetsThePlayersAndGameEndIsSafeTwice) {
    game.Ninzu = 2;
    game.No[0] = 1;
    game.No[1] = 7;  // no such character: none loaded
    game.PlayerNo = 1;
    game.ShotFlg = 6;
    game.FlyPos = Vec3(1, 2, 3);
    game.CharBox[1].Dasu[2] = 5;
    game.CharBox[1].Rank = 3;
    game.Can[1].Hekomi = 2;
    game.Can[1].Pos = Vec3(5, 5, 5);
    GameInit();
    EXPECT_EQ(game.DrawMissionFlg, 1);
    EXPECT_EQ(game.PlayerNo, 0);
    EXPECT_EQ(game.ShotFlg, 0);
    EXPECT_EQ(game.FlyPos, Vec3(0, 0, 0));
    EXPECT_EQ(game.CharBox[1].Dasu[2], 0);
    EXPECT_EQ(game.CharBox[1].Rank, 1);
    EXPECT_FLOAT_EQ(game.Can[1].Hekomi, 0);
    EXPECT_EQ(game.Can[1].Pos, Vec3(0, 7, 0));
    GameEnd();
    GameEnd();
    EXPECT_EQ(game.lpGauge, nullptr);
    EXPECT_EQ(game.Can[0].Mesh.lpMesh, nullptr);
}

TEST_F(Stage, StartRoundForTestChecksItsArguments) {
    const int chars[2] = {0, 3}, com[2] = {0, 1};
    EXPECT_FALSE(StartRoundForTest(0, chars, com, 0));
    EXPECT_FALSE(StartRoundForTest(2, chars, com, 3));
    const int bad[1] = {4};
    EXPECT_FALSE(StartRoundForTest(1, bad, nullptr, 0));
    ASSERT_TRUE(StartRoundForTest(2, chars, com, 1));
    EXPECT_EQ(app.Mode, 1);
    EXPECT_EQ(game.Ninzu, 2);
    EXPECT_EQ(game.StageNo, 1);
    EXPECT_EQ(game.CharGet[1].Power, 5);
    EXPECT_EQ(game.CharGet[1].Com, 1);
    EXPECT_EQ(game.CharGet[0].PowerShot, 4);
    EXPECT_EQ(game.DrawMissionFlg, 1);
    GameEnd();
    app.Mode = 0;
}

}  // namespace
