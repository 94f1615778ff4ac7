#include <cstring>

#include "gfx_fixture.h"

namespace {

using namespace plat;

struct Fades : NullScene {
    // The colour of the one curtain drawn since the last call; 0 with alpha 0 when none.
    uint32_t Curtain(bool* drawn) {
        const auto& d = Draws();
        *drawn = !d.empty();
        uint32_t color = 0;
        if (*drawn) {
            EXPECT_EQ(d.size(), 1u);
            EXPECT_EQ(d[0].kind, NullDraw::ScreenQuad);
            EXPECT_EQ(d[0].texture, app.lpWhite);
            ScreenVertex q[4];
            std::memcpy(q, d[0].vertices.data(), sizeof q);
            EXPECT_EQ(q[0].x, 0.0f);
            EXPECT_EQ(q[0].y, 0.0f);
            EXPECT_EQ(q[2].x, 640.0f);
            EXPECT_EQ(q[2].y, 480.0f);
            color = q[0].color;
        }
        NullDeviceClearLog(nd);
        return color;
    }
};

TEST_F(Fades, FadeOutDrawsSeventeenStepsThenFinishesAndStartsAfresh) {
    for (int call = 1; call <= 17; ++call) {
        EXPECT_EQ(FadeOut(0x12345680), 0) << call;
        bool drawn = false;
        EXPECT_EQ(Curtain(&drawn), uint32_t(15 * call) << 24 | 0x808080u) << call;
        EXPECT_TRUE(drawn);
    }
    EXPECT_EQ(FadeOut(0x80), 1);
    bool drawn = true;
    Curtain(&drawn);
    EXPECT_FALSE(drawn);  // the finishing call draws nothing
    EXPECT_EQ(FadeOut(255), 0);
    EXPECT_EQ(Curtain(&drawn), 0x0FFFFFFFu);  // a new fade, to white this time
}

TEST_F(Fades, FadeInTakesFiftyTwoCallsAndSharesItsCounter) {
    for (int call = 1; call <= 26; ++call) EXPECT_EQ(FadeIn(), 0);
    NullDeviceClearLog(nd);
    // Another caller's fade-in goes on from where the first left off.
    int calls = 26;
    int result = 0;
    uint32_t lastColor = 0;
    while (result == 0 && calls < 100) {
        result = FadeIn();
        ++calls;
        bool drawn = false;
        lastColor = Curtain(&drawn);
        EXPECT_TRUE(drawn);
    }
    EXPECT_EQ(calls, 52);
    EXPECT_EQ(lastColor, 0x00000000u);  // the last call draws alpha 0, in black
    EXPECT_EQ(gfx.FadeInCount, 255);
    FadeIn();
    bool drawn = false;
    EXPECT_EQ(Curtain(&drawn), 0xFF000000u);
}

TEST_F(Fades, WithoutWhiteTextureOrSpriteTheCountersStillRun) {
    ReleaseText(&app.lpWhite);
    EXPECT_EQ(app.lpWhite, nullptr);
    for (int i = 0; i < 17; ++i) EXPECT_EQ(FadeOut(0), 0);
    EXPECT_EQ(FadeOut(0), 1);
    EXPECT_TRUE(Draws().empty());
}

TEST_F(NullScene, LightSetUps) {
    const struct {
        void (*setUp)();
        float ambient;
        Vec3 dir;
    } cases[] = {{StartLightSet, 0.2f, Vec3(0, 0, 1)}, {GameSetLight, 0.5f, Vec3(1, -0.7f, 0.2f)}};
    for (const auto& c : cases) {
        device->LightEnable(0, false);
        c.setUp();
        const Light l = device->GetLight(0);
        EXPECT_TRUE(device->GetLightEnable(0));
        EXPECT_EQ(l.Type, LIGHT_DIRECTIONAL);
        EXPECT_EQ(l.Direction, c.dir);
        EXPECT_EQ(l.Diffuse.r, 1.0f);
        EXPECT_EQ(l.Diffuse.g, 1.0f);
        EXPECT_EQ(l.Diffuse.b, 1.0f);
        EXPECT_EQ(l.Ambient.r, c.ambient);
        EXPECT_EQ(l.Ambient.b, c.ambient);
        EXPECT_EQ(l.Specular.r, 0.0f);
        EXPECT_EQ(l.Range, 0.0f);
    }
}

TEST_F(NullScene, LoadTextLeavesNullForAMissingFileAndReleaseIsSafeTwice) {
    Texture* held = CreateTexture(2, 2);
    Texture* tex = held;
    LoadText(&tex, "bitmap/NoSuchFile.bmp", 0, 0, 0xFFFF00FF);
    EXPECT_EQ(tex, nullptr);
    ReleaseTexture(held);
    ReleaseText(&tex);
    ReleaseText(&tex);
}

}  // namespace
