// The ceremony: the one sound latch shared by take-offs, landings, the voice and the rock;
// the leg swing; who is drawn; the confetti pool.
#include <algorithm>
#include <vector>

#include "unit/results/score_fixture.h"

namespace scoretest {
namespace {

class Ceremony : public ScreenTest {
protected:
    // A visit under way: the tilt is over, the podium is still low, nothing else moves.
    void SetUp() override {
        ScreenTest::SetUp();
        if (IsSkipped()) return;
        game.Ninzu = 4;
        score = ScoreState{};
        score.YFlg = 1;
        scoreRun.EndUpdateProcFlg = 1;
        endUpdate = EndUpdateState{};
    }
    int MeshDraws(const XFILE& x) const {
        int n = 0;
        for (const plat::NullDraw& d : plat::NullDeviceDraws(nd_))
            n += d.kind == plat::NullDraw::MeshSubset && x.lpMesh && d.mesh == x.lpMesh;
        return n;
    }
};

struct LatchCase {
    const char* name;
    int place;       // 1..3: whose jump
    bool landing;    // false: the take-off frame; true: the landing frame
    int before;      // OnFlg1 before the update
    int takeOffs, landings;
    int after;
};

const LatchCase kLatch[] = {
    {"take-off with the latch free sounds", 1, false, 0, 1, 0, 1},
    {"take-off after the voice (latch 1) is silent", 2, false, 1, 0, 0, 1},
    {"a landing's latch is freed first, so the next take-off sounds", 3, false, 2, 1, 0, 1},
    {"take-off after the third place has landed is silent", 1, false, 3, 0, 0, 3},
    {"the first place's landing sounds and leaves 2", 1, true, 1, 0, 1, 2},
    {"the second place's landing sounds and leaves 2", 2, true, 1, 0, 1, 2},
    {"the third place's landing sounds and leaves 3", 3, true, 1, 0, 1, 3},
    {"a landing with the latch free: take-off sound first, then the landing", 1, true, 0, 1, 1, 2},
    {"a landing with the latch at 3 is silent", 2, true, 3, 0, 0, 3},
};

TEST_F(Ceremony, SoundLatch) {
    for (const LatchCase& c : kLatch) {
        SCOPED_TRACE(c.name);
        score = ScoreState{};
        score.YFlg = 1;
        scoreSounds = ScoreSoundLog{};
        score.OnFlg1 = c.before;
        int* jflg = &score.JFlg[c.place - 1];
        plat::Vec3* pos = c.place == 1 ? &score.CharaPos1 : c.place == 2 ? &score.CharaPos2 : &score.CharaPos0;
        float* py = c.place == 1 ? &endUpdate.py1 : c.place == 2 ? &endUpdate.py2 : &endUpdate.py0;
        const float step = c.place == 1 ? 0.3f : c.place == 2 ? -0.45f : -0.8f;
        *jflg = 1;
        if (c.landing) {
            pos->y = step + 0.01f;  // falling onto the step this frame
            *py = -0.02f;
        } else {
            pos->y = -2;
            *py = 0.5f;
        }
        EndUpdateProc();
        EXPECT_EQ(scoreSounds.TakeOff, c.takeOffs);
        EXPECT_EQ(scoreSounds.Landing, c.landings);
        EXPECT_EQ(score.OnFlg1, c.after);
        EXPECT_EQ(*jflg, c.landing ? 2 : 1);
        if (c.landing) {
            EXPECT_FLOAT_EQ(pos->y, step);
        }
    }
}

TEST_F(Ceremony, TheRockThudsOnlyAfterTheThirdPlacesLanding) {
    for (int latch : {3, 0, 1, 2, 4}) {
        SCOPED_TRACE(latch);
        score = ScoreState{};
        score.YFlg = 1;
        scoreSounds = ScoreSoundLog{};
        score.RockFlg = 1;
        score.RockPos.y = -0.4f;
        score.OnFlg1 = latch;
        EndUpdateProc();
        EXPECT_NEAR(score.RockPos.y, -0.4f, 1e-5) << "it rests";
        EXPECT_EQ(scoreSounds.Thud, latch == 3 ? 1 : 0);
        EXPECT_EQ(score.OnFlg1, latch == 3 ? 4 : latch == 2 ? 0 : latch);
        EXPECT_EQ(scoreSounds.Fall, 1);
    }
}

TEST_F(Ceremony, ZOnTheRestingRockStartsTheIrisOnlyAfterTheTablePress) {
    score.RockFlg = 1;
    score.RockPos.y = -0.4f;
    game.KeyFlg = 2;
    Key('Z', true);
    EndUpdateProc();
    EXPECT_EQ(game.KeyFlg, 2) << "EnterFlg1 is 0: the table was never left by Z";
    score.EnterFlg1 = 1;
    EndUpdateProc();
    EXPECT_EQ(game.KeyFlg, 3);
}

TEST_F(Ceremony, NothingMovesBeforeTheTiltIsOver) {
    score.YFlg = 0;
    score.JFlg[0] = 1;
    endUpdate.py1 = 0.5f;
    EndUpdateProc();
    EXPECT_EQ(score.ListY, -10);
    EXPECT_EQ(score.CharaPos1.y, -2);
    EXPECT_EQ(scoreSounds.TakeOff, 0);
}

TEST_F(Ceremony, TheJumpsOfAWholeRunSoundAsTheLatchAllows) {
    const int chars[4] = {0, 1, 2, 3}, strokes[4] = {1, 2, 3, 4};
    plat::NullDeviceSetLogging(nd_, false);
    EndRound(4, chars, strokes);
    std::vector<int> takeOff, landing, voice;
    for (int f = 1; f <= 1125; f++) {
        const ScoreSoundLog before = scoreSounds;
        Frame();
        if (scoreSounds.TakeOff > before.TakeOff) takeOff.push_back(f);
        if (scoreSounds.Landing > before.Landing) landing.push_back(f);
        if (scoreSounds.Voice > before.Voice) voice.push_back(f);
    }
    EXPECT_EQ(takeOff, (std::vector<int>{833, 1102})) << "the second place takes off on 1012 in silence";
    EXPECT_EQ(landing, (std::vector<int>{847, 1029, 1120}));
    EXPECT_EQ(voice, (std::vector<int>{938}));
    EXPECT_EQ(score.OnFlg1, 3);
}

TEST_F(Ceremony, JumpsLandOnTheirStepsAfterTheirFlights) {
    // From the take-off: the winner lands on the 15th frame, the second on the 18th, the
    // third on the 19th, having moved about 1.55, 1.73 and 1.77 towards the podium.
    struct Jump { int place; int frames; float dz; };
    for (const Jump& j : {Jump{1, 15, 1.55f}, Jump{2, 18, 1.73f}, Jump{3, 19, 1.77f}}) {
        SCOPED_TRACE(j.place);
        score = ScoreState{};
        score.YFlg = 1;
        score.CupFlg = 1;
        score.CupPos0.y = score.CupPos1.y = score.CupPos2.y = 0.52f;  // each arrives at once
        endUpdate = EndUpdateState{};
        int* jflg = &score.JFlg[j.place - 1];
        plat::Vec3* pos = j.place == 1 ? &score.CharaPos1 : j.place == 2 ? &score.CharaPos2 : &score.CharaPos0;
        const float z0 = pos->z;
        int frames = 0;
        do {
            EndUpdateProc();
            frames++;
        } while (*jflg != 2 && frames < 100);
        EXPECT_EQ(frames, j.frames);
        EXPECT_NEAR(pos->z - z0, j.dz, 0.01f);
    }
}

TEST_F(Ceremony, LegsSwingInFifteenFrameCyclesUntilTheWinnerArrives) {
    scoreRun.EndRenderProcFlg = 0;
    std::vector<float> seen;
    for (int f = 0; f < 30; f++) {
        EndRenderProc();
        seen.push_back(endRender.AsiAng);
        EXPECT_FLOAT_EQ(endRender.AsiAng2, 15 - endRender.AsiAng);
    }
    const std::vector<float> cycle = {2, 4, 6, 8, 10, 12, 14, 13, 11, 9, 7, 5, 3, 1, 0};
    for (int f = 0; f < 30; f++) EXPECT_FLOAT_EQ(seen[f], cycle[f % 15]) << "frame " << f + 1;
    score.AngFlg = 1;
    EndRenderProc();
    EXPECT_EQ(endRender.AsiAng, 0);
    EXPECT_EQ(endRender.AsiAng2, 0);
}

TEST_F(Ceremony, WhoIsDrawn) {
    const int chars[4] = {0, 1, 2, 3}, strokes[4] = {1, 2, 3, 4};
    struct Case { int ninzu; int enFlg; bool last; bool naku; };
    for (const Case& c : {Case{1, 0, false, false}, Case{3, 0, false, false}, Case{4, 0, true, false},
                          Case{4, 1, true, false}, Case{4, 2, true, true}, Case{4, 4, true, true}}) {
        SCOPED_TRACE(testing::Message() << c.ninzu << " players, iris state " << c.enFlg);
        ScoreEnd();
        EndRound(c.ninzu, chars, strokes);
        score.EnFlg = c.enFlg;
        plat::NullDeviceClearLog(nd_);
        EndRenderProc();
        const ScoreAssets& a = scoreAssets;
        EXPECT_GT(MeshDraws(a.Biri), 0) << "the last-place stand is always there";
        EXPECT_GT(MeshDraws(a.Rock), 0);
        EXPECT_GT(MeshDraws(a.Cup2), 0) << "all three cups, even those that never come down";
        EXPECT_GT(MeshDraws(a.Chara1.Body), 0);
        EXPECT_EQ(MeshDraws(a.Chara2.Body) > 0, c.ninzu >= 2);
        EXPECT_EQ(MeshDraws(a.Chara0.Body) > 0, c.ninzu >= 3);
        EXPECT_EQ(MeshDraws(a.Chara3.Body) > 0, c.last);
        EXPECT_EQ(MeshDraws(a.Naku) > 0, c.naku);
    }
}

TEST_F(Ceremony, ConfettiFlowsSteadilyAndOutlivesTheScreen) {
    plat::NullDeviceSetLogging(nd_, false);
    for (int f = 0; f < 600; f++) Confetti();
    auto inUse = [] {
        return int(std::count_if(std::begin(confetti.Fubuki), std::end(confetti.Fubuki),
                                 [](const _OBJ& o) { return o.Flg == 1; }));
    };
    EXPECT_EQ(inUse(), 275) << "a piece is drawn 275 times on its way down";
    for (const _OBJ& o : confetti.Fubuki) {
        if (o.Flg != 1) continue;
        EXPECT_GE(o.Pos.y, -5);
        EXPECT_LE(o.Pos.y, 50);
        EXPECT_NEAR(plat::Vec3Length(o.Axis), 1, 1e-4);
        EXPECT_EQ(o.Color >> 24, 0xFFu);
    }
    // A new visit does not clear the pool.
    const int chars[1] = {0}, strokes[1] = {1};
    EndRound(1, chars, strokes);
    EXPECT_EQ(inUse(), 275);
}

TEST_F(Ceremony, ConfettiAddsLightAndPutsTheBlendBack) {
    for (int f = 0; f < 3; f++) Confetti();
    plat::NullDeviceClearLog(nd_);
    Confetti();
    int quads = 0;
    for (const plat::NullDraw& d : plat::NullDeviceDraws(nd_)) {
        if (d.kind != plat::NullDraw::Primitive) continue;
        quads++;
        EXPECT_EQ(d.type, plat::PT_TRIANGLEFAN);
        EXPECT_EQ(d.primitiveCount, 2u);
        EXPECT_EQ(d.destBlend, uint32_t(plat::BLEND_DESTALPHA));
        EXPECT_EQ(d.lighting, 0u);
        EXPECT_EQ(d.texture, nullptr);
    }
    EXPECT_EQ(quads, 3);
    EXPECT_EQ(device_->GetRenderState(plat::RS_DESTBLEND), uint32_t(plat::BLEND_INVSRCALPHA));
}

}  // namespace
}  // namespace scoretest
