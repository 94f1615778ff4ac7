#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "unit/gfx/gfx_fixture.h"
#include "results/mission_intro.h"
#include "round/round_state.h"

namespace {

struct MissionIntro : NullScene {
    MissionIntro() {
        game = GameState{};
        missionIntro = MissionIntroState{};
        game.lpGameText = plat::CreateTexture(1024, 1024);
    }
    ~MissionIntro() override {
        plat::ReleaseTexture(game.lpGameText);
        game = GameState{};
        missionIntro = MissionIntroState{};
    }
    // Frames until DrawMission returns 1 (at most limit).
    int RunIntro(int limit = 2000) {
        for (int frame = 1; frame <= limit; ++frame)
            if (DrawMission() == 1) return frame;
        return -1;
    }
};

TEST_F(MissionIntro, GrowsThenShowsTheTextsThenFadesOutAndGoesIdle) {
    EXPECT_EQ(DrawMission(), 0);
    EXPECT_EQ(missionIntro.MissionFlg, 1);
    EXPECT_FLOAT_EQ(missionIntro.StageRotPlus, 5.95f);
    EXPECT_EQ(missionIntro.ClearMojiAlpha, 0) << "the texts wait for the model";

    const int rest = RunIntro();
    // 120 growth frames (the last also starts the texts), 16 more to full alpha, 150 shown
    // frames of which the last starts the 18-call fade.
    const int total = rest + 1;
    EXPECT_GE(total, 120 + 16 + 149 + 17);
    EXPECT_LE(total, 121 + 16 + 149 + 18);
    EXPECT_EQ(missionIntro.MissionFlg, 0);
    EXPECT_EQ(missionIntro.ClearMojiAlpha, 255);
    EXPECT_FLOAT_EQ(missionIntro.StageRotPlus, 6.0f);

    // The next intro starts afresh and takes as long.
    EXPECT_EQ(RunIntro(), total);
}

TEST_F(MissionIntro, CentresEachStagesTitle) {
    const float expectedLeft[3] = {320 - 484 / 2.0f, 320 - 365 / 2.0f, 320 - 478 / 2.0f};
    for (int stage = 0; stage < 3; ++stage) {
        game.StageNo = stage;
        plat::NullDeviceClearLog(nd);
        DrawMission();
        const auto& draws = Draws();
        ASSERT_GE(draws.size(), 2u);
        // The last screen quad is the title.
        const plat::NullDraw& title = draws.back();
        ASSERT_EQ(title.kind, plat::NullDraw::ScreenQuad);
        ASSERT_EQ(title.vertices.size(), 4 * sizeof(plat::ScreenVertex));
        float left = 1e9f, top = 1e9f;
        for (int k = 0; k < 4; ++k) {
            plat::ScreenVertex v;
            std::memcpy(&v, title.vertices.data() + k * sizeof v, sizeof v);
            left = std::min(left, v.x);
            top = std::min(top, v.y);
        }
        EXPECT_NEAR(left, expectedLeft[stage], 0.5f) << "stage " << stage;
        EXPECT_NEAR(top, 250, 0.5f);
    }
}

}  // namespace
