// The credits: 143 frames a page, seven pages, the 52-frame skip from anywhere, the waving
// logo's wave carried from run to run, and the return to the title.
#include <cstring>
#include <vector>

#include "unit/results/score_fixture.h"

namespace scoretest {
namespace {

class Credits : public ScreenTest {
protected:
    // As the title leaves for the credits; the first call only primes the gate.
    void Enter() {
        plat::NullDeviceSetLogging(nd_, false);  // 3600 flag quads a frame; tests look at state
        app.Mode = 3;
        CreditInit();
        MusicChange("Mid/vok-g11.mid");
        Credit();
    }
    // Frames until the title is back (at most limit), with the page on each frame.
    std::vector<int> RunToTitle(int limit = 2000) {
        std::vector<int> pages;
        for (int f = 0; f < limit && app.Mode == 3; f++) {
            Frame();
            pages.push_back(credit.CreditFlg);
        }
        return pages;
    }
};

TEST_F(Credits, SevenPagesOf143FramesThenTheTitle) {
    Enter();
    const std::vector<int> pages = RunToTitle();
    ASSERT_EQ(pages.size(), 1001u);
    for (int p = 0; p < 7; p++)
        for (int f = 0; f < 143; f++) {
            const int frame = p * 143 + f;
            // The page turns on its last frame.
            EXPECT_EQ(pages[size_t(frame)], f == 142 ? p + 1 : p) << "frame " << frame + 1;
        }
    EXPECT_EQ(app.Mode, 0);
    EXPECT_EQ(credit.CreditInitFlg, 0);
    EXPECT_EQ(credit.lpCredit, nullptr);
    EXPECT_EQ(credit.lpLogo, nullptr);
    EXPECT_EQ(credit.lpText, nullptr);
    EXPECT_EQ(Music(), "Mid/Opening2.mid");
    EXPECT_NE(title.lpText, nullptr) << "the title is set up";
}

TEST_F(Credits, APageFadesInHoldsAndFadesOut) {
    Enter();
    std::vector<int> alpha;
    for (int f = 0; f < 143; f++) {
        Frame();
        alpha.push_back(credit.Alpha);
    }
    EXPECT_EQ(alpha[0], 10);
    EXPECT_EQ(alpha[24], 250);
    EXPECT_EQ(alpha[25], 255) << "26 frames in, the last clamped";
    EXPECT_EQ(alpha[124], 255) << "held until 100 frames at full alpha";
    EXPECT_EQ(alpha[125], 240);
    EXPECT_EQ(alpha[141], 0);
    EXPECT_EQ(alpha[142], 0) << "below 0: the next page starts";
    EXPECT_EQ(credit.CreditFlg, 1);
    EXPECT_EQ(credit.AlphaPlus, 10);
}

TEST_F(Credits, ZSkipsIn52FramesFromAnywhereWithoutTurningThePage) {
    for (int at : {1, 60, 130, 142, 500}) {
        SCOPED_TRACE(at);
        game.KeyFlg = 0;
        Enter();
        Frames(at - 1);
        const int page = credit.CreditFlg;
        Key('Z', true);
        Frame();
        Key('Z', false);
        const std::vector<int> pages = RunToTitle();
        EXPECT_EQ(pages.size(), 51u) << "the skip's 52nd frame ends the credits";
        for (int p : pages) EXPECT_EQ(p, page);
        EXPECT_EQ(app.Mode, 0);
        EXPECT_EQ(credit.Alpha, 0);
        StartEnd();
    }
}

TEST_F(Credits, AKeyStillHeldFromTheMenuSkipsAtOnce) {
    game.KeyFlg = 1;  // the menu's latch is still closed
    Enter();
    EXPECT_EQ(RunToTitle().size(), 52u);
}

TEST_F(Credits, LastPageShowsTheTitleLogoFromTheTitleSheetAndTheFlagFadesWithIt) {
    Enter();
    Frames(6 * 143 + 30);
    ASSERT_EQ(credit.CreditFlg, 6);
    EXPECT_EQ(credit.LogoAlpha, 0);
    plat::NullDeviceSetLogging(nd_, true);
    plat::NullDeviceClearLog(nd_);
    Frame();
    int title = 0, sheet = 0, flag = 0;
    for (const plat::NullDraw& d : plat::NullDeviceDraws(nd_)) {
        if (d.kind == plat::NullDraw::ScreenQuad) {
            title += d.texture == credit.lpText;
            sheet += d.texture == credit.lpCredit;
        } else if (d.kind == plat::NullDraw::Primitive) {
            flag += d.texture == credit.lpLogo;
        }
    }
    EXPECT_EQ(title, 1);
    EXPECT_EQ(sheet, 0);
    EXPECT_EQ(flag, 3600) << "60 x 60 quads";
    plat::NullDeviceSetLogging(nd_, false);
    Frames(95);
    EXPECT_EQ(credit.AlphaPlus, -15);
    EXPECT_GT(credit.LogoAlpha, 0);
    Frames(17);
    EXPECT_EQ(credit.LogoAlpha, 255);
}

TEST_F(Credits, TheWaveGoesOnFromTheLastRun) {
    Enter();
    Frames(7);
    EXPECT_EQ(credit.A, 35);
    Key('Z', true);
    RunToTitle();
    Key('Z', false);
    const int a = credit.A;
    StartEnd();
    game.KeyFlg = 0;
    Enter();
    Frame();
    EXPECT_EQ(credit.A, (a + 5) % 360);
    EXPECT_EQ(credit.CreditFlg, 0) << "the rest starts afresh";
    EXPECT_EQ(credit.SkipAlpha, 0);
}

TEST_F(Credits, PagesArePlacedByTheirCentres) {
    Enter();
    Frames(30);
    auto quadsOf = [&](plat::Texture* t) {
        std::vector<plat::ScreenVertex> tl;
        for (const plat::NullDraw& d : plat::NullDeviceDraws(nd_))
            if (d.kind == plat::NullDraw::ScreenQuad && d.texture == t) {
                plat::ScreenVertex v;
                std::memcpy(&v, d.vertices.data(), sizeof v);
                tl.push_back(v);
            }
        return tl;
    };
    plat::NullDeviceSetLogging(nd_, true);
    plat::NullDeviceClearLog(nd_);
    Frame();
    plat::NullDeviceSetLogging(nd_, false);
    auto page0 = quadsOf(credit.lpCredit);
    ASSERT_EQ(page0.size(), 2u);
    EXPECT_FLOAT_EQ(page0[0].x, 32);  // rcMain
    EXPECT_FLOAT_EQ(page0[0].y, 50);
    EXPECT_FLOAT_EQ(page0[1].x, 140);  // rcName01 at 1.5
    EXPECT_FLOAT_EQ(page0[1].y, 220);
    Frames(143 * 3);
    ASSERT_EQ(credit.CreditFlg, 3);
    plat::NullDeviceSetLogging(nd_, true);
    plat::NullDeviceClearLog(nd_);
    Frame();
    auto page3 = quadsOf(credit.lpCredit);
    ASSERT_EQ(page3.size(), 2u);
    EXPECT_FLOAT_EQ(page3[1].x, 160);  // rcName07, centred vertically
    EXPECT_FLOAT_EQ(page3[1].y, 217);
}

}  // namespace
}  // namespace scoretest
