#include "effects/goal_point.h"

#include "effect_fixture.h"

namespace {

using plat::Vec3;

class GoalPointTest : public EffectTest {
protected:
    // The goal boxes of the three stages.
    void Stage(int no) {
        const Vec3 max[3] = {{1660, 1500, 3500}, {1990, 1300, 4900}, {-90, 50, 2095}};
        const Vec3 min[3] = {{-320, 811, 2600}, {-550, 0, 2500}, {-155, 0, 2060}};
        game.StageNo = no;
        game.Judge.Max = max[no];
        game.Judge.Min = min[no];
        game.GoalPos = (max[no] + min[no]) / 2;
    }
    int Alive() const {
        int n = 0;
        for (const _GOALPOINTEFFECT& e : goalPoint.GoalPointEffect) n += e.Flg;
        return n;
    }
};

TEST_F(GoalPointTest, ANewParticleIsMovedOnceBeforeItIsFirstDrawn) {
    Stage(2);
    plat::SRand(5);
    const float x = float(plat::Rand() % 20 - 10), y = float(plat::Rand() % 300 + 100);
    const int alphaPlus = plat::Rand() % 5;
    plat::SRand(5);
    GoalPointEfe();
    const _GOALPOINTEFFECT& e = goalPoint.GoalPointEffect[0];
    EXPECT_EQ(e.Pos, game.GoalPos + Vec3(x, y - 1, 0));
    EXPECT_EQ(e.Alpha, 1 + alphaPlus);
    ASSERT_EQ(Draws().size(), 2u) << "the particle and the beam";
    EXPECT_EQ(Draws()[0].world.m[3][1], e.Pos.y);
    EXPECT_EQ(Draws()[0].texture, game.lpShotEffect);
    EXPECT_EQ(Draws()[0].srcBlend, plat::BLEND_SRCALPHA);
    EXPECT_EQ(Draws()[0].destBlend, plat::BLEND_DESTALPHA);
    EXPECT_EQ(Draws()[0].zWrite, 0u);
    ExpectDefaultBlendAndDepthWrite();
}

TEST_F(GoalPointTest, AFullPoolSpawnsNothing) {
    Stage(1);
    for (_GOALPOINTEFFECT& e : goalPoint.GoalPointEffect) {
        e.Flg = 1;
        e.Alpha = 100;
        e.Pos = Vec3(0, 1000, 3000);
    }
    plat::SRand(3);
    const int first = plat::Rand();
    plat::SRand(3);
    GoalPointEfe();
    EXPECT_EQ(Alive(), kGoalPointMax);
    EXPECT_EQ(plat::Rand(), first) << "no spawn, no random numbers drawn";
    EXPECT_EQ(Draws().size(), size_t(kGoalPointMax));
}

TEST_F(GoalPointTest, APeakPastFullOpacityIsDrawnAt255AndTurnsBack) {
    Stage(1);
    for (int plus : {3, 4}) {
        goalPoint = GoalPointState{};
        for (int i = 1; i < kGoalPointMax; ++i) goalPoint.GoalPointEffect[i].Flg = 1;  // no spawns
        for (int i = 1; i < kGoalPointMax; ++i) goalPoint.GoalPointEffect[i].Alpha = 100;
        for (int i = 1; i < kGoalPointMax; ++i) goalPoint.GoalPointEffect[i].Pos = Vec3(0, 1e6f, 0);
        _GOALPOINTEFFECT& e = goalPoint.GoalPointEffect[0];
        e = _GOALPOINTEFFECT{Vec3(0, 1000, 3000), 1, 253, plus, 2};
        ClearDraws();
        GoalPointEfe();
        EXPECT_EQ(e.Alpha, 253 + plus);
        EXPECT_EQ(e.AlphaPlus, -plus);
        EXPECT_EQ(Alpha(Vertices<TLVERTEX>(Draws()[0])[0].color), 255u);
        EXPECT_EQ(Vertices<TLVERTEX>(Draws()[0])[0].color & 0xFFFFFF, 0x96FF00u) << "yellow-green top";
        EXPECT_EQ(Vertices<TLVERTEX>(Draws()[0])[3].color & 0xFFFFFF, 0xFFFFFFu);
        EXPECT_FLOAT_EQ(Draws()[0].world.m[1][1], 2.5f * 2) << "faces the camera, 2.5 times its size";
        GoalPointEfe();
        EXPECT_EQ(e.Alpha, 253);
    }
}

TEST_F(GoalPointTest, EachStageLetsItsParticlesFallToItsOwnFloor) {
    struct Case { int stage; float y; bool lives; };
    for (Case c : {Case{0, 802, true}, Case{0, 801, false}, Case{1, 2, true}, Case{1, 1, false},
                   Case{2, 1, true}, Case{2, 0.5f, false}}) {
        Stage(c.stage);
        goalPoint = GoalPointState{};
        for (_GOALPOINTEFFECT& e : goalPoint.GoalPointEffect) e = _GOALPOINTEFFECT{Vec3(0, 5000, 0), 1, 100, 0, 2};
        goalPoint.GoalPointEffect[0].Pos.y = c.y;
        GoalPointEfe();
        EXPECT_EQ(goalPoint.GoalPointEffect[0].Flg == 1, c.lives) << "stage " << c.stage << " y " << c.y;
    }
}

TEST_F(GoalPointTest, TheClassroomSpawnsMovesAndDrawsOnlyTheFirst30Records) {
    Stage(2);
    for (int n = 0; n < 60; ++n) GoalPointEfe();
    for (int i = 0; i < kGoalPointMax; ++i)
        ASSERT_EQ(goalPoint.GoalPointEffect[i].Flg, i < kGoalPointClassroom ? 1 : 0) << "record " << i;
    ClearDraws();
    GoalPointEfe();
    EXPECT_EQ(Draws().size(), size_t(kGoalPointClassroom) + 1) << "30 particles and the beam";

    const plat::NullDraw& beam = Draws().back();
    EXPECT_EQ(beam.texture, game.lpEffectCircle);
    const auto v = Vertices<TLVERTEX>(beam);
    EXPECT_EQ(v[0].color, 0xFF00FF00u);
    EXPECT_EQ(v[1].color, 0xFF64FF64u);
    EXPECT_FLOAT_EQ(v[0].t.y, 0.4921875f);
    EXPECT_FLOAT_EQ(v[2].t.y, 0.5f);
    EXPECT_FLOAT_EQ(beam.world.m[3][1], game.GoalPos.y + 170);
}

TEST_F(GoalPointTest, TheStairsShowAFlatPanelInFrontOfTheGoalWithCullingOff) {
    Stage(0);
    device->SetRenderState(plat::RS_CULLMODE, plat::CULL_CCW);
    GoalPointEfe();
    ASSERT_EQ(Draws().size(), 2u);
    EXPECT_EQ(Draws()[0].cull, uint32_t(plat::CULL_NONE));
    const plat::NullDraw& panel = Draws()[1];
    EXPECT_EQ(panel.cull, uint32_t(plat::CULL_NONE));
    EXPECT_EQ(panel.texture, app.lpWhite);
    EXPECT_EQ(Vertices<TLVERTEX>(panel)[0].color, 0x9A00FFFFu);
    EXPECT_EQ(Vertices<TLVERTEX>(panel)[2].color, 0x9A0000C8u);
    EXPECT_FLOAT_EQ(panel.world.m[0][0], 200);
    EXPECT_FLOAT_EQ(panel.world.m[1][1], 70);
    EXPECT_FLOAT_EQ(panel.world.m[3][2], game.GoalPos.z - 330);
    EXPECT_EQ(device->GetRenderState(plat::RS_CULLMODE), uint32_t(plat::CULL_CCW));
    ExpectDefaultBlendAndDepthWrite();
}

TEST_F(GoalPointTest, AStageStartEmptiesThePool) {
    Stage(0);
    for (int n = 0; n < 50; ++n) GoalPointEfe();
    ASSERT_GT(Alive(), 0);
    GoalPointEfeInit();
    EXPECT_EQ(Alive(), 0);
}

}  // namespace
