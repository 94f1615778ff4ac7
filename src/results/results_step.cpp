#include "results/results_step.h"

#include "app/app_state.h"
#include "audio/music.h"
#include "results/score.h"
#include "round/game.h"
#include "round/round_state.h"

void RankPlayers() {
    const int n = game.Ninzu < 4 ? game.Ninzu : 4;
    CHARBOX* box = game.CharBox;
    for (int i = 0; i < n; i++) {
        box[i].TotalDasu += box[i].Dasu[0] + box[i].Dasu[1] + box[i].Dasu[2];
        box[i].Rank = 1;
    }
    for (int i = 0; i < n; i++)
        for (int j = 0; j < n; j++) {
            if (i == j) continue;
            if (box[i].TotalDasu > box[j].TotalDasu) box[i].Rank++;
            else if (box[i].TotalDasu == box[j].TotalDasu && i > j) box[i].Rank++;
        }
    int total[4] = {}, rank[4] = {}, no[4] = {};
    for (int p = 1; p <= n; p++)
        for (int i = 0; i < n; i++) {
            if (box[i].Rank != p) continue;
            total[p - 1] = box[i].TotalDasu;
            rank[p - 1] = box[i].Rank;
            no[p - 1] = game.No[i];
        }
    for (int k = 0; k < n; k++) {
        box[k].TotalDasu = total[k];
        box[k].Rank = rank[k];
        game.No[k] = no[k];
    }
}

void ResultsStep() {
    RankPlayers();
    GameEnd();
    ScoreInit();
    app.Mode = 2;
    MusicChange("Mid/vok-g01.mid");
}
