// The results step: totals, places with ties going by player number, records reordered by
// place, and the hand-over to the score screen.
#include "unit/results/score_fixture.h"

namespace scoretest {
namespace {

struct PlaceCase {
    const char* name;
    int ninzu;
    int dasu[4][3];     // per player, per stage
    int wantTotal[4];   // record k after the step: the finisher in place k + 1
    int wantNo[4];
};

// Characters are 3 - i, so the reordered No shows who went where.
const PlaceCase kPlaces[] = {
    {"one player", 1, {{4, 0, 0}}, {4}, {3}},
    {"fewer strokes first", 3, {{9, 9, 9}, {1, 2, 3}, {5, 5, 5}}, {6, 15, 27}, {2, 1, 3}},
    {"two equal totals: player 0 first", 2, {{3, 4, 0}, {7, 0, 0}}, {7, 7}, {3, 2}},
    {"four equal totals go by player number", 4, {{5}, {2, 3}, {1, 1, 3}, {0, 0, 5}}, {5, 5, 5, 5}, {3, 2, 1, 0}},
    {"a tie behind a leader", 4, {{8}, {8}, {3}, {8}}, {3, 8, 8, 8}, {1, 3, 2, 0}},
    {"reverse order", 4, {{40}, {30}, {20}, {10}}, {10, 20, 30, 40}, {0, 1, 2, 3}},
};

TEST(Places, TotalsPlacesAndReorder) {
    for (const PlaceCase& c : kPlaces) {
        SCOPED_TRACE(c.name);
        game = GameState{};
        game.Ninzu = c.ninzu;
        for (int i = 0; i < c.ninzu; i++) {
            for (int s = 0; s < 3; s++) game.CharBox[i].Dasu[s] = c.dasu[i][s];
            game.No[i] = 3 - i;
        }
        RankPlayers();
        for (int k = 0; k < c.ninzu; k++) {
            EXPECT_EQ(game.CharBox[k].Rank, k + 1) << "record " << k;
            EXPECT_EQ(game.CharBox[k].TotalDasu, c.wantTotal[k]) << "record " << k;
            EXPECT_EQ(game.No[k], c.wantNo[k]) << "record " << k;
        }
        // The strokes per stage stay with the player numbers.
        for (int i = 0; i < c.ninzu; i++)
            for (int s = 0; s < 3; s++) EXPECT_EQ(game.CharBox[i].Dasu[s], c.dasu[i][s]);
    }
    game = GameState{};
}

TEST(Places, PlayersBeyondNinzuAreLeftAlone) {
    game = GameState{};
    game.Ninzu = 2;
    game.CharBox[0].Dasu[0] = 9;
    game.CharBox[1].Dasu[0] = 2;
    game.CharBox[2].Dasu[0] = 1;  // left over from an earlier, larger round
    game.No[2] = 3;
    RankPlayers();
    EXPECT_EQ(game.CharBox[2].TotalDasu, 0);
    EXPECT_EQ(game.CharBox[2].Rank, 1);
    EXPECT_EQ(game.No[2], 3);
    game = GameState{};
}

using ResultsStepTest = ScreenTest;

TEST_F(ResultsStepTest, EntersTheScoreScreenWithItsMusicAndLoadsEachPlacesModel) {
    app.Mode = 1;
    const int chars[4] = {0, 1, 2, 3}, strokes[4] = {12, 5, 30, 8};
    EndRound(4, chars, strokes);
    EXPECT_EQ(app.Mode, 2);
    EXPECT_EQ(Music(), "Mid/vok-g01.mid");
    EXPECT_EQ(game.KeyFlg, 0);
    // Places: player 1 (girl), 3 (cook), 0 (man), 2 (office worker).
    EXPECT_EQ(game.No[0], 1);
    EXPECT_EQ(game.No[3], 2);
    for (int p = 1; p <= 4; p++) {
        ENDCHARA* c = CharaOfPlace(p);
        EXPECT_NE(c->Body.lpMesh, nullptr) << "place " << p;
        EXPECT_NE(c->AsiHidari.lpMesh, nullptr) << "place " << p;
        EXPECT_NE(c->AsiMigi.lpMesh, nullptr) << "place " << p;
    }
    EXPECT_EQ(CharaOfPlace(3), &scoreAssets.Chara0) << "the third place's slot is Chara0";
    for (XFILE* m : {&scoreAssets.List, &scoreAssets.Jimen, &scoreAssets.Biri, &scoreAssets.Rock,
                     &scoreAssets.Naku, &scoreAssets.Futuu, &scoreAssets.Cup0, &scoreAssets.Cup1,
                     &scoreAssets.Cup2})
        EXPECT_NE(m->lpMesh, nullptr);
    EXPECT_NE(scoreAssets.lpScore, nullptr);
    EXPECT_NE(scoreAssets.lpEn, nullptr);
    EXPECT_NE(audio.lpSSample5, nullptr);
}

TEST_F(ResultsStepTest, SlotsOfPlacesNobodyHoldsStayEmpty) {
    const int chars[2] = {2, 0}, strokes[2] = {3, 4};
    EndRound(2, chars, strokes);
    EXPECT_NE(scoreAssets.Chara1.Body.lpMesh, nullptr);
    EXPECT_NE(scoreAssets.Chara2.Body.lpMesh, nullptr);
    EXPECT_EQ(scoreAssets.Chara0.Body.lpMesh, nullptr);
    EXPECT_EQ(scoreAssets.Chara3.Body.lpMesh, nullptr);
}

TEST_F(ResultsStepTest, ScoreEndClearsThePlayersAndReleasesEverything) {
    const int chars[3] = {3, 2, 1}, strokes[3] = {3, 4, 5};
    EndRound(3, chars, strokes);
    ScoreEnd();
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(game.CharBox[i].Dasu[0], 0);
        EXPECT_EQ(game.CharBox[i].TotalDasu, 0);
        EXPECT_EQ(game.No[i], 0);
    }
    EXPECT_EQ(scoreAssets.List.lpMesh, nullptr);
    EXPECT_EQ(scoreAssets.Chara1.Body.lpMesh, nullptr);
    EXPECT_EQ(scoreAssets.lpScore, nullptr);
    EXPECT_EQ(audio.lpSSample3, nullptr);
    ScoreEnd();  // twice, and at program exit with nothing loaded: nothing happens
}

}  // namespace
}  // namespace scoretest
