#include "effects/lens_flare.h"

#include "effect_fixture.h"
#include "platform/sprite.h"

namespace {

using plat::Matrix;
using plat::Vec3;

class LensFlareTest : public EffectTest {
protected:
    CLensFlare lens_;
    plat::Texture sheet_;
    Matrix identity_;
    plat::Viewport screen_{0, 0, 640, 480, 0, 1};

    void SetUp() override {
        EffectTest::SetUp();
        app.lpSprite = plat::CreateSprite();
        sheet_.width = sheet_.height = 512;
        sheet_.argb.assign(512 * 512, 0xFFFFFFFF);
        lens_.lpTexture = &sheet_;
        plat::MatrixIdentity(&identity_);
    }
    void TearDown() override {
        lens_.lpTexture = nullptr;  // not ours to free
        plat::ReleaseSprite(app.lpSprite);
        EffectTest::TearDown();
    }

    // With identity view and projection the sun's x and y are its normalised screen place.
    std::vector<plat::NullDraw> DrawAtScreen(float px, float py) {
        ClearDraws();
        const Vec3 sun(px / 320 - 1, 1 - py / 240, 0.5f);
        lens_.SetPos(&sun);
        lens_.Draw(&identity_, &identity_, &screen_);
        std::vector<plat::NullDraw> quads;
        for (const plat::NullDraw& d : Draws())
            if (d.kind == plat::NullDraw::ScreenQuad) quads.push_back(d);
        return quads;
    }
};

TEST_F(LensFlareTest, TheSunOnTheScreenBorderStillFlaresAndHalfAPixelOutDoesNot) {
    struct Case { float x, y; bool drawn; };
    for (Case c : {Case{0, 240, true}, Case{640, 240, true}, Case{320, 0, true}, Case{320, 480, true},
                   Case{-0.5f, 240, false}, Case{640.5f, 240, false}, Case{320, -0.5f, false},
                   Case{320, 480.5f, false}}) {
        EXPECT_EQ(DrawAtScreen(c.x, c.y).size(), c.drawn ? 8u : 0u) << c.x << ", " << c.y;
    }
}

TEST_F(LensFlareTest, AtTheCentreAllEightSitOnOnePointAtFullOpacity) {
    const auto quads = DrawAtScreen(320, 240);
    ASSERT_EQ(quads.size(), 8u);
    for (int k = 0; k < 8; ++k) {
        const plat::Rect& r = lens_.rcFlare[k];
        const auto v = Vertices<plat::ScreenVertex>(quads[k]);
        ASSERT_EQ(v.size(), 4u);
        EXPECT_FLOAT_EQ(v[0].x, 320 - float(r.right - r.left) / 2) << "element " << k;
        EXPECT_FLOAT_EQ(v[0].y, 240 - float(r.bottom - r.top) / 2) << "element " << k;
        EXPECT_FLOAT_EQ(v[2].x, 320 + float(r.right - r.left) / 2) << "element " << k;
        EXPECT_EQ(v[0].color, 0xFFFFFFFFu);
        EXPECT_EQ(quads[k].texture, &sheet_);
        EXPECT_EQ(quads[k].srcBlend, plat::BLEND_SRCALPHA);
        EXPECT_EQ(quads[k].destBlend, plat::BLEND_DESTALPHA);
    }
    EXPECT_EQ(device->GetRenderState(plat::RS_DESTBLEND), plat::BLEND_INVSRCALPHA);
}

TEST_F(LensFlareTest, ElementsStringAlongTheLineThroughTheCentreAndDimWithDistance) {
    struct Case { float x; unsigned alpha; };
    for (Case c : {Case{290, 225}, Case{265, 200}, Case{100, 200}}) {
        const auto quads = DrawAtScreen(c.x, 240);
        ASSERT_EQ(quads.size(), 8u);
        for (int k = 0; k < 8; ++k) {
            const plat::Rect& r = lens_.rcFlare[k];
            const auto v = Vertices<plat::ScreenVertex>(quads[k]);
            const float centre = c.x + (320 - c.x) * kLensFlareFactor[k];
            EXPECT_NEAR(v[0].x + float(r.right - r.left) / 2, centre, 1e-3) << "element " << k;
            EXPECT_EQ(Alpha(v[0].color), c.alpha) << "sun at x " << c.x;
        }
    }
}

TEST_F(LensFlareTest, ASunBehindTheCameraDrawsNoFlare) {
    Matrix view, proj;
    const Vec3 eye(0, 0, 0), at(0, 0, 1), up(0, 1, 0);
    plat::MatrixLookAtLH(&view, &eye, &at, &up);
    plat::MatrixPerspectiveFovLH(&proj, 60 * plat::kDegToRad, 4.f / 3, 1, 20000);

    const Vec3 ahead(10, 20, 4000), behind(-10, -20, -4000);  // the second projects on screen too
    Vec3 p;
    plat::Vec3Project(&p, &behind, &screen_, &proj, &view, &identity_);
    ASSERT_TRUE(p.x >= 0 && p.x <= 640 && p.y >= 0 && p.y <= 480);

    lens_.SetPos(&ahead);
    lens_.Draw(&proj, &view, &screen_);
    EXPECT_EQ(Draws().size(), 8u);
    ClearDraws();
    lens_.SetPos(&behind);
    lens_.Draw(&proj, &view, &screen_);
    EXPECT_TRUE(Draws().empty());
}

TEST_F(LensFlareTest, EndReleasesTheSheetAndIsSafeTwice) {
    CLensFlare other;
    other.lpTexture = plat::CreateTexture(4, 4);
    other.End();
    EXPECT_EQ(other.lpTexture, nullptr);
    other.End();
    EXPECT_EQ(other.lpTexture, nullptr);
}

}  // namespace
