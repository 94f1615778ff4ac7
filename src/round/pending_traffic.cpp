// Stand-in until the traffic lands; delete this file then. It only parks the cars of each
// turn at their lanes' entry points, so that none sits on the start point meanwhile.
#include "platform/rand.h"
#include "round/pending.h"

void Traffic() {
    if (game.CarInitFlg != 0) return;
    game.CarInitFlg = 1;
    static const plat::Vec3 kEntry[4] = {{3000, 0, 580}, {3000, 0, 880}, {-3000, 0, 1230}, {-3000, 0, 1530}};
    static const float kMoveX[4] = {-20, -30, 15, 35};
    const int luck = game.Character.Luck < 1 ? 1 : game.Character.Luck;
    for (int l = 0; l < 4; l++) {
        for (int c = 0; c < 6 - luck; c++) {
            _CAR& car = game.Lane[l][c];
            car.Pos = kEntry[l];
            car.MoveX = kMoveX[l];
            car.Interval = plat::Rand() % 500 + (1000 % luck) + 700;
        }
    }
}
