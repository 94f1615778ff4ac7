#include "effects/trail.h"

#include "effect_fixture.h"

namespace {

using plat::Vec3;

class TrailTest : public EffectTest {};

TEST_F(TrailTest, ASpriteIsDrawn85TimesFadingBy3ThenItsSlotIsFree) {
    TailEfeInit(Vec3(10, 20, 30), 1, 50);
    ASSERT_EQ(tail.TailEffect[0].Alpha, 255);

    for (int n = 0; n < 85; ++n) {
        ClearDraws();
        TailEfeDraw(50, 1);
        ASSERT_EQ(Draws().size(), 1u) << "draw " << n;
        const plat::NullDraw& d = Draws()[0];
        EXPECT_EQ(d.texture, game.lpShotEffect);
        EXPECT_EQ(d.srcBlend, plat::BLEND_SRCALPHA);
        EXPECT_EQ(d.destBlend, plat::BLEND_DESTALPHA);
        EXPECT_EQ(d.zWrite, 0u);
        EXPECT_EQ(d.type, plat::PT_TRIANGLEFAN);
        EXPECT_EQ(d.primitiveCount, 2u);
        const auto v = Vertices<TLVERTEX>(d);
        ASSERT_EQ(v.size(), 4u);
        EXPECT_EQ(v[0].color, (uint32_t(255 - 3 * n) << 24) | 0xFFFFFF) << "draw " << n;
        EXPECT_EQ(d.world.m[3][0], 10);
        EXPECT_EQ(d.world.m[3][2], 30);
    }
    EXPECT_EQ(tail.TailEffect[0].Alpha, 0);
    ClearDraws();
    TailEfeDraw(50, 1);
    EXPECT_TRUE(Draws().empty());
    ExpectDefaultBlendAndDepthWrite();
}

TEST_F(TrailTest, ADropTakesTheFirstFreeSlotAndAFullPoolTakesNone) {
    for (int i = 0; i < kTailEffectMax; ++i) TailEfeInit(Vec3(float(i), 0, 0), 1, 50);
    for (int i = 0; i < kTailEffectMax; ++i) ASSERT_EQ(tail.TailEffect[i].Pos.x, float(i));

    const TailState before = tail;
    plat::SRand(99);
    TailEfeInit(Vec3(-1, -1, -1), 1, 0);
    EXPECT_EQ(std::memcmp(&before, &tail, sizeof tail), 0) << "a full pool changes nothing";
    plat::SRand(99);
    const int first = plat::Rand();
    plat::SRand(99);
    TailEfeInit(Vec3(-1, -1, -1), 1, 0);
    EXPECT_EQ(plat::Rand(), first) << "and draws no random numbers";

    tail.TailEffect[7].Alpha = 0;
    TailEfeInit(Vec3(-1, -1, -1), 1, 50);
    EXPECT_EQ(tail.TailEffect[7].Pos, Vec3(-1, -1, -1));
}

TEST_F(TrailTest, FullPowerGivesRandomColoursAnyOtherPowerWhite) {
    plat::SRand(7);
    const int r = plat::Rand() % 256, g = plat::Rand() % 256, b = plat::Rand() % 256;
    const float size = float(plat::Rand() % 700 + 50) / 100;
    const int rot = plat::Rand() % 360;

    plat::SRand(7);
    TailEfeInit(Vec3(), 1, 0);
    const _TAILEFFECT& e = tail.TailEffect[0];
    EXPECT_EQ(e.Color.r, float(r));
    EXPECT_EQ(e.Color.g, float(g));
    EXPECT_EQ(e.Color.b, float(b));
    EXPECT_EQ(e.Size, size);
    EXPECT_EQ(e.Rot, rot);

    TailEfeDraw(0, 1);
    EXPECT_EQ(Vertices<TLVERTEX>(Draws().back())[2].color,
              (0xFFu << 24) | uint32_t(r << 16) | uint32_t(g << 8) | uint32_t(b));

    for (int power : {1, 50, 100}) {
        tail = TailState{};
        TailEfeInit(Vec3(), 1, power);
        EXPECT_EQ(tail.TailEffect[0].Color.r, 255);
        EXPECT_EQ(tail.TailEffect[0].Color.g, 255);
        EXPECT_EQ(tail.TailEffect[0].Color.b, 255);
    }
}

TEST_F(TrailTest, SmokeShowsItsCellAndCyclesThroughTheLaterCellsOnlyInFlight) {
    TailEfeInit(Vec3(), 2, 50);
    tail.SmokeNo[0] = 9;  // second row, second column
    game.ShotFlg = 6;
    TailEfeDraw(50, 2);
    const plat::NullDraw& d = Draws().back();
    EXPECT_EQ(d.texture, game.lpSmoke);
    const auto v = Vertices<TLVERTEX>(d);
    EXPECT_FLOAT_EQ(v[0].t.x, 32.f / 256);
    EXPECT_FLOAT_EQ(v[0].t.y, 32.f / 256);
    EXPECT_FLOAT_EQ(v[2].t.x, 64.f / 256);
    EXPECT_FLOAT_EQ(v[2].t.y, 64.f / 256);
    EXPECT_GE(tail.SmokeNo[0], 10);
    EXPECT_LE(tail.SmokeNo[0], 12);

    for (int n = 0; n < 60; ++n) {
        TailEfeDraw(50, 2);
        ASSERT_GE(tail.SmokeNo[0], 8);
        ASSERT_LT(tail.SmokeNo[0], 32);
    }

    tail.SmokeNo[0] = 31;
    game.ShotFlg = 7;
    TailEfeDraw(50, 2);
    EXPECT_EQ(tail.SmokeNo[0], 0) << "after the flight the animation starts over";
}

TEST_F(TrailTest, TheSpriteFacesTheCameraAndRollsByItsOwnAngle) {
    TailEfeInit(Vec3(1, 2, 3), 1, 50);
    tail.TailEffect[0].Size = 2;
    tail.TailEffect[0].Rot = 90;
    game.Yng = 90;
    TailEfeDraw(50, 1);
    const plat::Matrix& w = Draws().back().world;
    // The sprite's x axis: rolled onto y, then unchanged by the yaw; its normal turns to -x.
    Vec3 x(1, 0, 0), n(0, 0, 1), out;
    plat::Vec3TransformNormal(&out, &x, &w);
    EXPECT_NEAR(out.y, 2, 1e-5);
    plat::Vec3TransformNormal(&out, &n, &w);
    EXPECT_NEAR(out.x, 2, 1e-5);
}

}  // namespace
