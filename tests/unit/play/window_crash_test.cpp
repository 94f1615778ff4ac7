#include "play/window_crash.h"

#include "../effects/effect_fixture.h"

namespace {

using plat::Vec3;

class WindowCrashTest : public EffectTest {
protected:
    void SetUp() override {
        EffectTest::SetUp();
        game.StageNo = 2;
        Still(Vec3(0, 7, 0));
    }
    // The can's last movement, from a to b.
    void Move(const Vec3& a, const Vec3& b) {
        game.SavePos[1] = a;
        game.SavePos[0] = b;
    }
    void Still(const Vec3& p) { Move(p, p); }
    // A movement along z through the wall at (x, y), from z0 to z1.
    void Through(float x, float y, float z0 = 2090, float z1 = 2104) { Move(Vec3(x, y, z0), Vec3(x, y, z1)); }
    int PaneDraws() const {
        int n = 0;
        for (const plat::NullDraw& d : Draws()) n += d.type == plat::PT_TRIANGLEFAN;
        return n;
    }
};

TEST_F(WindowCrashTest, WholePanesAreDrawnAtTheirFullSize) {
    WindowCrash();
    EXPECT_EQ(game.WindowCrashFlg, 1);
    ASSERT_EQ(Draws().size(), 6u);
    const plat::NullDraw& d = Draws()[0];
    EXPECT_EQ(d.texture, nullptr);
    EXPECT_EQ(d.fvf, kTlVertexFvf);
    EXPECT_EQ(d.srcBlend, plat::BLEND_SRCALPHA);
    EXPECT_EQ(d.destBlend, plat::BLEND_DESTALPHA);
    const auto v = Vertices<TLVERTEX>(d);
    EXPECT_EQ(v[0].p, Vec3(-54.5f, 72, 0));
    EXPECT_EQ(v[2].p, Vec3(54.5f, -72, 0));
    EXPECT_EQ(v[1].color, 0xFE464646u);
    EXPECT_EQ(d.world.m[3][0], -99);
    EXPECT_EQ(d.world.m[3][2], 2097);
    EXPECT_EQ(Vertices<TLVERTEX>(Draws()[2])[0].p, Vec3(-65.5f, 48, 0));
    EXPECT_EQ(device->GetRenderState(plat::RS_DESTBLEND), plat::BLEND_INVSRCALPHA);
}

TEST_F(WindowCrashTest, OnlyAMovementThatCrossesTheHitRectangleBreaksAPane) {
    // Pane 0 is centred on (-99, 200) and drawn 109 x 144; its hit halves are 54 and 72.
    struct Case { const char* what; Vec3 from, to; bool breaks; };
    const Case cases[] = {
        {"into the room", Vec3(-99, 200, 2104), Vec3(-99, 200, 2090), true},
        {"out of the room", Vec3(-99, 200, 2090), Vec3(-99, 200, 2104), true},
        {"just inside the hit edge", Vec3(-45.1f, 200, 2090), Vec3(-45.1f, 200, 2104), true},
        {"on the drawn glass, outside the hit rectangle", Vec3(-44.7f, 200, 2090), Vec3(-44.7f, 200, 2104), false},
        {"near the top corner", Vec3(-150, 271, 2090), Vec3(-150, 271, 2104), true},
        {"ending short of the glass", Vec3(-99, 200, 2090), Vec3(-99, 200, 2096.5f), false},
        {"lying still on the glass", Vec3(-99, 200, 2097), Vec3(-99, 200, 2097), false},
        {"slanting across", Vec3(-120, 190, 2080), Vec3(-80, 210, 2110), true},
    };
    for (const Case& c : cases) {
        windowCrash = WindowCrashState{};
        game.WindowCrashFlg = 0;
        Move(c.from, c.to);
        WindowCrash();
        EXPECT_EQ(windowCrash.Crash[0] == 1, c.breaks) << c.what;
        for (int i = 1; i < kWindowPanes; ++i) EXPECT_EQ(windowCrash.Crash[i], 0) << c.what;
    }
}

TEST_F(WindowCrashTest, TheShardsTileThePaneFromTheCrashPointAtFirst) {
    Through(-99 + 20, 200 - 30);  // pane 0, right of and below its centre
    WindowCrash();
    ASSERT_EQ(windowCrash.Crash[0], 1);
    EXPECT_NEAR(windowCrash.CrashPointPos.x, 20, 1e-3);
    EXPECT_NEAR(windowCrash.CrashPointPos.y, -30, 1e-3);
    EXPECT_NEAR(windowCrash.CrashPointPos.z, 0, 1e-3);

    // Eight one-triangle shards replace the pane; the other five panes are still whole.
    std::vector<plat::NullDraw> shards;
    for (const plat::NullDraw& d : Draws())
        if (d.type == plat::PT_TRIANGLELIST) shards.push_back(d);
    ASSERT_EQ(shards.size(), 8u);
    EXPECT_EQ(PaneDraws(), 5);

    const float w = 54.5f, h = 72;
    const Vec3 rim[9] = {{-w, 0, 0}, {-w, h, 0}, {0, h, 0},   {w, h, 0}, {w, 0, 0},
                         {w, -h, 0}, {0, -h, 0}, {-w, -h, 0}, {-w, 0, 0}};
    const Vec3 centre(-99, 200, 2097);
    for (int k = 0; k < 8; ++k) {
        const plat::NullDraw& d = shards[k];
        EXPECT_EQ(d.fvf, uint32_t(plat::FVF_XYZ | plat::FVF_DIFFUSE));
        EXPECT_EQ(d.stride, sizeof(MY_VERTEX));
        const auto v = Vertices<MY_VERTEX>(d);
        ASSERT_EQ(v.size(), 3u);
        EXPECT_EQ(v[0].Color, 0xFF323232u);
        // Where each corner lies before the shard's spin: its offset plus the shard's place.
        const Vec3 place(d.world.m[3][0], d.world.m[3][1], d.world.m[3][2]);
        const Vec3 expect[3] = {centre + Vec3(20, -30, 0), centre + rim[k], centre + rim[k + 1]};
        for (int j = 0; j < 3; ++j) {
            const Vec3 at = v[j].Pos + place;
            EXPECT_NEAR(at.x, expect[j].x, 1e-3) << "shard " << k << " corner " << j;
            EXPECT_NEAR(at.y, expect[j].y, 1e-3) << "shard " << k << " corner " << j;
            EXPECT_NEAR(at.z, expect[j].z, 1e-3) << "shard " << k << " corner " << j;
        }
    }
}

TEST_F(WindowCrashTest, TheShardsEndWhenTheFirstFallsAt30AndThePaneIsGoneForTheStage) {
    // The shards' upward starts, from the generator's next numbers (six per shard).
    float fall[kWindowShards];
    plat::SRand(77);
    for (float& f : fall) {
        plat::Rand();
        f = float(plat::Rand() % 600) / 100;
        for (int n = 0; n < 4; ++n) plat::Rand();
    }
    plat::SRand(77);
    Through(-400, 208);  // pane 3
    WindowCrash();
    ASSERT_EQ(windowCrash.Crash[3], 1);
    EXPECT_EQ(roundSounds.Count(RoundSound::lpSGlass), 1);

    // Each shard falls 0.2 faster a frame; the first to reach 30 ends the crash.
    int expected = 0;
    for (bool done = false; !done;) {
        ++expected;
        for (float& f : fall) {
            f -= 0.2f;
            if (f <= -30) done = true;
        }
    }
    EXPECT_GE(expected, 150);
    EXPECT_LE(expected, 181);

    Still(Vec3(-400, 208, 2200));  // the can flies on and stops beyond the wall
    int frames = 1;
    while (windowCrash.Crash[3] == 1 && frames < 400) {
        WindowCrash();
        ++frames;
    }
    EXPECT_EQ(frames, expected);
    EXPECT_EQ(windowCrash.CrashFlg, 0);
    EXPECT_EQ(windowCrash.SoundFlg, 0);
    EXPECT_EQ(roundSounds.Count(RoundSound::lpSGlass), 1) << "one crash, one sound";

    ClearDraws();
    Through(-400, 208);  // crossing the empty frame again breaks nothing
    WindowCrash();
    EXPECT_EQ(windowCrash.Crash[3], 2);
    EXPECT_EQ(Draws().size(), 5u) << "neither the pane nor its shards";

    game.WindowCrashFlg = 0;  // the classroom is set up again
    ClearDraws();
    Still(Vec3(0, 7, 0));
    WindowCrash();
    EXPECT_EQ(windowCrash.Crash[3], 0);
    EXPECT_EQ(Draws().size(), 6u);
}

TEST_F(WindowCrashTest, ShardsSpinAboutTheirOwnAxesAndFlyOutOfTheWall) {
    Through(-213, 200);
    WindowCrash();
    for (int k = 0; k < kWindowShards; ++k) {
        EXPECT_NEAR(plat::Vec3Length(windowCrash.RotAxis[k]), 1, 1e-4);
        EXPECT_FLOAT_EQ(windowCrash.TriRot[k], 1.5f);
        const Vec3 v = windowCrash.WindowPosPlus[k] + Vec3(0, 0.2f, 0);
        EXPECT_GE(v.x, -1.f);
        EXPECT_LT(v.x, 1.f);
        EXPECT_GE(v.z, 1.f) << "towards larger z";
        EXPECT_LT(v.z, 3.f);
        EXPECT_EQ(windowCrash.WindowPos[k].x, windowCrash.WindowPosPlus[k].x) << "moved once";
        EXPECT_NEAR(windowCrash.WindowPos[k].y, v.y, 1e-5);
    }
}

}  // namespace
