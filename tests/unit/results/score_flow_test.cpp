// The whole score screen frame by frame, for one to four players: the frames on which its
// events fall, the Z key on the table, the pan and the rock, the iris and the way out.
#include <cmath>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "unit/results/score_fixture.h"

namespace scoretest {
namespace {

struct Event {
    const char* name;
    std::function<bool()> happened;
};

// Events that the screen's state shows, each recorded on the first frame it holds.
std::vector<Event> Events() {
    return {
        {"curtain open", [] { return scoreFrame.Alpha2 == 255; }},
        {"tilt over", [] { return score.YFlg == 1; }},
        {"walk", [] { return score.CharaPos1.x > -13; }},
        {"winner arrives", [] { return score.AngFlg == 1; }},
        {"turned", [] { return score.CupFlg == 1; }},
        {"1st takes off", [] { return score.JFlg[0] >= 1; }},
        {"1st lands", [] { return score.JFlg[0] == 2; }},
        {"banner", [] { return scoreFrame.flg >= 1; }},
        {"voice", [] { return scoreSounds.Voice > 0; }},
        {"2nd takes off", [] { return score.JFlg[1] >= 1; }},
        {"2nd lands", [] { return score.JFlg[1] == 2; }},
        {"3rd takes off", [] { return score.JFlg[2] >= 1; }},
        {"3rd lands", [] { return score.JFlg[2] == 2; }},
        {"table", [] { return scoreFrame.Alpha > 0; }},
        {"pan", [] { return score.XFlg == 1; }},
        {"rock falls", [] { return score.RockFlg == 1; }},
        {"thud", [] { return scoreSounds.Thud > 0; }},
        {"iris", [] { return game.KeyFlg == 3; }},
        {"gag", [] { return score.EnFlg >= 1; }},
        {"title", [] { return app.Mode == 0; }},
    };
}

class ScoreFlow : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        if (!IsSkipped()) plat::NullDeviceSetLogging(nd_, false);  // state is what counts here
    }
    // Runs the screen to the title (at most limit frames); onFrame may press keys.
    std::map<std::string, int> Run(int limit, const std::function<void(int)>& onFrame = nullptr) {
        std::map<std::string, int> at;
        const std::vector<Event> events = Events();
        for (int f = 1; f <= limit && app.Mode == 2; f++) {
            if (onFrame) onFrame(f);
            Frame();
            for (const Event& e : events)
                if (!at.count(e.name) && e.happened()) at[e.name] = f;
        }
        return at;
    }
    static void Expect(const std::map<std::string, int>& at, const std::map<std::string, int>& want) {
        for (const auto& w : want) {
            auto it = at.find(w.first);
            if (w.second < 0) {
                EXPECT_EQ(it, at.end()) << w.first << " should not happen (it did on " << it->second << ")";
            } else if (it == at.end()) {
                ADD_FAILURE() << w.first << " never happened, wanted frame " << w.second;
            } else {
                EXPECT_EQ(it->second, w.second) << w.first;
            }
        }
    }
    void Start(int n) {
        const int chars[4] = {0, 1, 2, 3};
        const int strokes[4] = {10, 20, 30, 40};
        EndRound(n, chars, strokes);
    }
};

// The ceremony up to the winner's banner is the same for every number of players.
const std::map<std::string, int> kCeremony = {
    // The podium's 90th frame of rising is already the first step of the walk.
    {"curtain open", 51}, {"tilt over", 215}, {"walk", 305},
    {"winner arrives", 564}, {"turned", 654}, {"1st takes off", 833}, {"1st lands", 847},
    {"banner", 866}, {"voice", 938},
};

TEST_F(ScoreFlow, OnePlayerShowsNoTableAndLeavesAfterTheBanner) {
    Start(1);
    auto at = Run(3000);
    Expect(at, kCeremony);
    Expect(at, {{"iris", 938}, {"title", 1004}, {"2nd takes off", -1}, {"table", -1}, {"gag", -1}});
    EXPECT_FLOAT_EQ(score.CupPos1.y, 9.5f) << "the second cup never comes down";
    EXPECT_EQ(score.ListY, -1.0f) << "the podium's base rests on the ground";
}

TEST_F(ScoreFlow, TwoPlayersTableOnTheSecondLandingAndZClosesTheIris) {
    Start(2);
    int press = 0;
    auto at = Run(3000, [&](int f) {
        // Z once the table is up, held for a frame.
        if (game.KeyFlg == 1 && press == 0 && scoreFrame.stx[1] <= 150) press = f;
        Key('Z', press != 0 && f == press);
    });
    Expect(at, kCeremony);
    Expect(at, {{"2nd takes off", 1012}, {"2nd lands", 1029}, {"table", 1029}, {"3rd takes off", -1},
                {"pan", -1}, {"gag", -1}});
    ASSERT_GT(press, 0);
    EXPECT_EQ(at["iris"], press);
    EXPECT_EQ(at["title"], press + 66) << "the 67th frame of the iris leaves";
    EXPECT_FLOAT_EQ(score.CupPos2.y, 9.5f);
}

TEST_F(ScoreFlow, ThreePlayersTableOnTheThirdLanding) {
    Start(3);
    auto at = Run(1400);
    Expect(at, kCeremony);
    Expect(at, {{"2nd takes off", 1012}, {"2nd lands", 1029}, {"3rd takes off", 1102}, {"3rd lands", 1120},
                {"table", 1120}});
    // Without a key the table stays.
    EXPECT_EQ(game.KeyFlg, 1);
    EXPECT_EQ(app.Mode, 2);
}

TEST_F(ScoreFlow, FourPlayersPanToTheRockThenTheIrisAndTheGag) {
    Start(4);
    int press = 0, rockDown = 0;
    auto at = Run(4000, [&](int f) {
        if (game.KeyFlg == 1 && press == 0 && f > 1200) press = f;
        if (scoreSounds.Thud > 0 && rockDown == 0) rockDown = f;
        // Z once on the table, again 10 frames after the thud (seen one frame late here), and
        // once more when the gag's iris is open.
        const bool again = rockDown && f == rockDown + 9;
        const bool last = score.EnFlg == 3 && score.EnSize == 250;
        Key('Z', f == press || again || last);
    });
    Expect(at, kCeremony);
    Expect(at, {{"3rd lands", 1120}, {"table", 1120}});
    ASSERT_GT(press, 0);
    EXPECT_EQ(at["pan"], press);
    EXPECT_EQ(at["rock falls"], press + 51) << "the pan takes 51 frames after the press";
    EXPECT_EQ(at["thud"], press + 51 + 46) << "the rock lands on its 46th frame";
    EXPECT_EQ(at["iris"], at["thud"] + 10) << "the next Z starts the iris";
    EXPECT_EQ(at["gag"], at["iris"] + 66) << "the iris closes on its 67th frame";
    EXPECT_EQ(score.Enx, 320);
    EXPECT_EQ(app.Mode, 0);
    EXPECT_EQ(score.BiriAng, -35) << "the last place has turned";
}

TEST_F(ScoreFlow, FourPlayersTheIrisClosesOnTheLastPlace) {
    Start(4);
    Run(1125);
    ASSERT_EQ(game.KeyFlg, 1);
    Key('Z', true);  // held from the table through the rock: the iris starts as it lands
    Run(100);
    EXPECT_EQ(game.KeyFlg, 3);
    EXPECT_EQ(scoreSounds.Thud, 1);
    EXPECT_EQ(score.Enx, 530);
    EXPECT_EQ(score.Eny, 330);
    EXPECT_EQ(score.EnFlg, 0);
}

TEST_F(ScoreFlow, TheTableHasThreeRowsWithFacesAndNoneForTheFourthPlace) {
    const int chars[4] = {2, 3, 0, 1}, strokes[4] = {9, 4, 12, 30};  // places: 3, 2, 0, then 1 last
    EndRound(4, chars, strokes);
    Run(1120 + 24 + 3 * 49);
    ASSERT_EQ(game.KeyFlg, 1);
    plat::NullDeviceSetLogging(nd_, true);
    plat::NullDeviceClearLog(nd_);
    Frame();
    struct Quad { float x, y, u, v; };
    std::vector<Quad> quads;
    for (const plat::NullDraw& d : plat::NullDeviceDraws(nd_)) {
        if (d.kind != plat::NullDraw::ScreenQuad || d.texture != scoreAssets.lpScore) continue;
        plat::ScreenVertex v;
        std::memcpy(&v, d.vertices.data(), sizeof v);
        quads.push_back({v.x, v.y, v.u * 512, v.v * 512});
    }
    auto at = [&](float u, float v) -> const Quad* {
        for (const Quad& q : quads)
            if (std::abs(q.u - u) < 0.01f && std::abs(q.v - v) < 0.01f) return &q;
        return nullptr;
    };
    const Quad* heading = at(0, 0);
    ASSERT_NE(heading, nullptr);
    EXPECT_FLOAT_EQ(heading->x, 30);
    const float rowTop[3] = {111, 191, 271};
    for (int k = 0; k < 3; k++) {
        const Quad* row = at(0, rowTop[k]);
        ASSERT_NE(row, nullptr) << "row " << k;
        EXPECT_FLOAT_EQ(row->x, 140) << "a row that has arrived is drawn at 140";
        EXPECT_FLOAT_EQ(row->y, 150 + 110 * k);
    }
    const int faceOfPlace[3] = {3, 2, 0};
    for (int k = 0; k < 3; k++) {
        const Quad* face = at(65.0f * faceOfPlace[k], 351);
        ASSERT_NE(face, nullptr) << "face of place " << k + 1;
        EXPECT_FLOAT_EQ(face->x, 260);
        EXPECT_FLOAT_EQ(face->y, 120 + 110 * k);
    }
    EXPECT_EQ(at(65, 351), nullptr) << "the fourth place has no face";
    EXPECT_EQ(quads.size(), 1u + 3 + 3) << "heading, rows and faces only";
    EXPECT_EQ(scoreFrame.Alpha, 145) << "the veil holds at 145";
}

TEST_F(ScoreFlow, ZHeldAsTheTableComesUpLeavesItOnItsFirstFrame) {
    Start(3);
    Key('Z', true);
    auto at = Run(1200);
    EXPECT_EQ(at["table"], 1120);
    EXPECT_EQ(at["iris"], 1120);
}

TEST_F(ScoreFlow, TheGagTakesItsTimeFadesTheMusicAndWaitsForAFreshZ) {
    Start(4);
    Run(1125);
    Key('Z', true);
    Run(2000, [&](int) {
        if (score.EnFlg == 3) Key('Z', true);  // still held: no fresh press
    });
    ASSERT_EQ(app.Mode, 2) << "the held key does not leave the gag";
    EXPECT_EQ(score.EnFlg, 3);
    EXPECT_EQ(score.EnSize, 250);
    EXPECT_EQ(scoreFrame.Alpha3, 250);
    EXPECT_EQ(scoreFrame.AL4, 250);
    EXPECT_LT(scoreFrame.Vol, -10000) << "the music fades while the gag runs";
    EXPECT_LT(MasterVolume(), 0);
    Key('Z', false);
    Frames(2);
    Key('Z', true);
    Frames(1);
    EXPECT_EQ(score.EnFlg, 4);
    Frames(14);
    EXPECT_EQ(app.Mode, 0) << "250 down to below -20 at 20 a frame";
}

TEST_F(ScoreFlow, TheExitClearsThePlayersRestoresTheVolumeAndPlaysTheTitleMusic) {
    const int chars[2] = {3, 1}, strokes[2] = {7, 4};
    EndRound(2, chars, strokes);
    Run(1100);
    Key('Z', true);
    Run(100);
    ASSERT_EQ(app.Mode, 0);
    for (int i = 0; i < 2; i++) {
        EXPECT_EQ(game.CharBox[i].Dasu[0], 0);
        EXPECT_EQ(game.CharBox[i].TotalDasu, 0);
        EXPECT_EQ(game.No[i], 0);
    }
    EXPECT_EQ(Music(), "Mid/Opening2.mid");
    EXPECT_EQ(MasterVolume(), 500);
    EXPECT_EQ(scoreRun.ScoreInitFlg, 0);
    EXPECT_EQ(scoreRun.EndUpdateProcFlg, 0);
    EXPECT_EQ(scoreRun.EndRenderProcFlg, 0);
    EXPECT_EQ(scoreAssets.lpScore, nullptr);
    EXPECT_NE(title.lpText, nullptr) << "the title is set up";
}

TEST_F(ScoreFlow, WithMusicOffTheVolumeIsLeftAlone) {
    app.PlayMusicFlg = 1;
    const int chars[1] = {2}, strokes[1] = {7};
    EndRound(1, chars, strokes);
    Run(1100);
    ASSERT_EQ(app.Mode, 0);
    EXPECT_EQ(MasterVolume(), 0);
    EXPECT_EQ(Music(), "");
}

TEST_F(ScoreFlow, ASecondVisitStartsAfresh) {
    const int chars[1] = {0}, strokes[1] = {3};
    EndRound(1, chars, strokes);
    Run(1100);
    ASSERT_EQ(app.Mode, 0);
    StartEnd();
    const int chars2[2] = {1, 2}, strokes2[2] = {3, 3};
    EndRound(2, chars2, strokes2);
    Frame();  // the gate was primed long ago: the first call of the visit runs
    scoreSounds = ScoreSoundLog{};
    auto at = Run(1100);
    EXPECT_EQ(at["tilt over"], 214) << "one frame ran before the count";
    EXPECT_EQ(at["2nd lands"], 1028);
}

}  // namespace
}  // namespace scoretest
