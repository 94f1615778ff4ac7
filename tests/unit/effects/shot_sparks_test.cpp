#include "effects/shot_sparks.h"

#include <cmath>

#include "effect_fixture.h"

namespace {

using plat::Vec3;

class ShotSparksTest : public EffectTest {
protected:
    void SetUp() override {
        EffectTest::SetUp();
        game.Can[0].Pos = Vec3(100, 7, 200);
        game.GoFlg = 1;
    }
};

TEST_F(ShotSparksTest, ThePowerGaugeSetsHowManySparksShow) {
    struct Case { int power, shown; };
    for (Case c : {Case{0, 40}, Case{9, 36}, Case{10, 36}, Case{55, 16}, Case{91, 0}, Case{100, 0}}) {
        shotEfe = ShotEfeState{};
        ClearDraws();
        ShotEfe(c.power, 1, 45);
        EXPECT_EQ(shotEfe.kazu, 40 - c.shown) << "power " << c.power;
        EXPECT_EQ(Draws().size(), size_t(c.shown) * 20) << "power " << c.power << ": a head and 19 behind";
    }
}

TEST_F(ShotSparksTest, TheSparksRun255FramesHoldingGoFlgEvenWhenNoneShow) {
    plat::NullDeviceSetLogging(nd, false);  // 200 000 draws: only the state matters here
    for (int power : {0, 100}) {
        shotEfe = ShotEfeState{};
        game.GoFlg = 1;
        for (int n = 1; n < 255; ++n) {
            ShotEfe(power, 1, 45);
            ASSERT_EQ(game.GoFlg, 1) << "frame " << n;
            ASSERT_EQ(shotEfe.EfeInitFlg, 1);
        }
        ShotEfe(power, 1, 45);
        EXPECT_EQ(game.GoFlg, 0);
        EXPECT_EQ(shotEfe.EfeInitFlg, 0);
    }
    ExpectDefaultBlendAndDepthWrite();
}

TEST_F(ShotSparksTest, TheHeadIsOpaqueAndTheTrailFadesWithTheEffect) {
    ShotEfe(0, 2, 45);
    // Spark 0's 20 images: the head, then history entries 1..19.
    for (int i = 0; i < 20; ++i) {
        const auto v = Vertices<TLVERTEX>(Draws()[i]);
        const unsigned a = i == 0 ? 255 : 255 * (20 - i) / 20;
        EXPECT_EQ(v[0].color, (a << 24) | 0xFF0000) << "top corners red, image " << i;
        EXPECT_EQ(v[3].color, (a << 24) | 0xFFFF00) << "bottom corners yellow, image " << i;
        EXPECT_EQ(Draws()[i].texture, game.lpShotEffect);
        EXPECT_EQ(Draws()[i].destBlend, plat::BLEND_DESTALPHA);
    }
    for (int n = 0; n < 99; ++n) ShotEfe(0, 1, 45);
    ClearDraws();
    ShotEfe(0, 1, 45);  // Color is 155 during this call
    EXPECT_EQ(Vertices<TLVERTEX>(Draws()[0])[0].color, 0xFFFFFFFFu);
    EXPECT_EQ(Alpha(Vertices<TLVERTEX>(Draws()[1])[0].color), 155u * 19 / 20);
    EXPECT_EQ(Alpha(Vertices<TLVERTEX>(Draws()[19])[0].color), 155u * 1 / 20);
}

TEST_F(ShotSparksTest, SparksStartAtTheCanAndFlyAlongTheCameraHeadingUnderGravity) {
    game.Yng = 90;  // looking along +x: the burst's forward z becomes +x
    ShotEfe(0, 1, 45);
    const Vec3 v0 = shotEfe.EfePosPlus[0] + Vec3(0, game.G, 0);  // before this frame's gravity
    const Vec3 p = shotEfe.EfePos[0];
    EXPECT_NEAR(p.x, 100 + v0.z, 1e-3);
    EXPECT_NEAR(p.y, 7 + v0.y, 1e-4);
    EXPECT_NEAR(p.z, 200 - v0.x, 1e-3);
    EXPECT_GE(v0.z, 3.f);
    EXPECT_LT(v0.z, 6.f);
    EXPECT_EQ(shotEfe.SaveEfePos[0][0], p);
    EXPECT_EQ(shotEfe.SaveEfePos[0][1], game.Can[0].Pos) << "the history starts at the can";
    EXPECT_EQ(Draws()[1].world.m[3][0], 100) << "the first trail image sits on the can";

    game.Can[0].Pos = Vec3(0, 0, 0);  // the burst keeps its own heading and start
    game.Yng = 0;
    ShotEfe(0, 1, 45);
    EXPECT_NEAR(shotEfe.EfePos[0].x, p.x + v0.z, 1e-3);
    EXPECT_NEAR(shotEfe.EfePos[0].y, p.y + v0.y - game.G, 1e-4);
}

// The turn flow's frames of a perfect power shot: five charge particles, then the burst.
void ChargeFrame() {
    if (game.ShotFlg == 5)
        for (int i = 0; i < 5; ++i) PowerShotFullEfeInit();
    PowerShotFullEfe();
}

class PowerShotTest : public ShotSparksTest {
protected:
    void SetUp() override {
        ShotSparksTest::SetUp();
        game.GoFlg = 0;
        game.ShotFlg = 5;
    }
};

TEST_F(PowerShotTest, TheRingClosesAndReleasesTheShotOnThe100thChargeFrame) {
    ChargeFrame();
    EXPECT_EQ(powerShot.PowerShotFlg, 2);
    EXPECT_EQ(roundSounds.Count(RoundSound::lpSPowerShotFull2), 1);
    EXPECT_EQ(powerShot.StarTexPos, Vec3(100, -2, 200)) << "on the ground under the can";
    const plat::NullDraw& ring = Draws().back();
    EXPECT_EQ(ring.texture, game.lpShotEffect);
    EXPECT_FLOAT_EQ(ring.world.m[1][1], 49.5f) << "the ring starts 990 units across";
    EXPECT_EQ(Vertices<TLVERTEX>(ring)[0].color, 0xFFFF0000u);
    EXPECT_EQ(Vertices<TLVERTEX>(ring)[2].color, 0xFFFFFF00u);

    for (int frame = 2; frame < 100; ++frame) {
        ChargeFrame();
        ASSERT_EQ(game.ShotFlg, 5) << "frame " << frame;
        ASSERT_EQ(game.GoFlg, 0);
    }
    ChargeFrame();
    EXPECT_EQ(game.ShotFlg, 6);
    EXPECT_EQ(game.GoFlg, 1);
    EXPECT_FLOAT_EQ(Draws().back().world.m[1][1], 0.f);
    EXPECT_EQ(roundSounds.Count(RoundSound::lpSPowerShotFull2), 1);

    // Then it opens by 100 units a frame, and once past 0 fades over 51 frames.
    int frame = 100;
    while (powerShot.PowerShotFlg != 0 && frame < 400) {
        ++frame;
        ChargeFrame();
        if (frame == 101) {
            EXPECT_FLOAT_EQ(Draws().back().world.m[1][1], 5.f);
        } else if (frame == 109) {
            EXPECT_EQ(powerShot.Alpha, 255);
        } else if (frame == 110) {
            EXPECT_EQ(powerShot.Alpha, 250);
        }
    }
    EXPECT_EQ(frame, 160);
    EXPECT_EQ(powerShot.Alpha, 0);
    ExpectDefaultBlendAndDepthWrite();
}

TEST_F(PowerShotTest, AFullParticlePoolAddsNoneButTheRingStillRuns) {
    for (int i = 0; i < kPowerShotEffectMax; ++i) PowerShotFullEfeInit();
    for (const _POWERSHOTEFFECT& p : powerShot.PowerShotEffect) ASSERT_EQ(p.Flg, 1);
    powerShot.PowerShotFlg = 0;
    const PowerShotState before = powerShot;
    PowerShotFullEfeInit();
    EXPECT_EQ(powerShot.PowerShotFlg, 1) << "the ring is requested all the same";
    EXPECT_EQ(std::memcmp(&before.PowerShotEffect, &powerShot.PowerShotEffect, sizeof before.PowerShotEffect), 0);
    PowerShotFullEfe();
    EXPECT_EQ(powerShot.PowerShotFlg, 2);
}

TEST_F(PowerShotTest, ParticlesRushInAreCaughtAtTheCanAndFadeAfterTheRelease) {
    PowerShotFullEfeInit();
    const _POWERSHOTEFFECT& p = powerShot.PowerShotEffect[0];
    const Vec3 can = game.Can[0].Pos;
    EXPECT_EQ(p.Alpha, 255);
    EXPECT_GE(p.Size, 1.0f);
    EXPECT_LE(p.Size, 2.4f);
    EXPECT_LE(std::fabs(p.Pos.x - can.x), 300);
    EXPECT_GE(p.Pos.y, can.y);

    // While charging, every particle that reaches within 15 of the can is gone at once.
    powerShot.PowerShotEffect[1] = _POWERSHOTEFFECT{};
    powerShot.PowerShotEffect[1].Flg = 1;
    powerShot.PowerShotEffect[1].Alpha = 255;
    powerShot.PowerShotEffect[1].Pos = can + Vec3(10, 0, 0);
    ClearDraws();
    PowerShotFullEfe();
    EXPECT_EQ(powerShot.PowerShotEffect[1].Flg, 0);
    EXPECT_EQ(Draws().size(), 3u) << "two particles (one in its last frame) and the ring";
    const auto v = Vertices<TLVERTEX>(Draws()[0]);
    EXPECT_EQ(v[0].color, 0xFFFFFF00u);
    EXPECT_EQ(v[1].color, 0xFFFF00FFu);
    EXPECT_EQ(v[2].color, 0xFFFFFFFFu);
    EXPECT_EQ(Draws()[0].texture, game.lpEffectCircle);

    // After the release they are no longer caught and fade out over 85 frames.
    game.ShotFlg = 6;
    const int alpha = powerShot.PowerShotEffect[0].Alpha;
    ASSERT_EQ(alpha, 255);
    int frames = 0;
    while (powerShot.PowerShotEffect[0].Flg == 1 && frames < 200) {
        PowerShotFullEfe();
        ++frames;
    }
    EXPECT_EQ(frames, 85);
}

}  // namespace
