// Stand-ins until the effects land; delete this file then.
#include "round/pending.h"

void TailEfeInit(const plat::Vec3&, int, int) {}
void TailEfeDraw(int, int) {}
// No sparks: they are over as soon as they start.
void ShotEfe(int, int, int) { game.GoFlg = 0; }
void PowerShotFullEfeInit() {}
// No burst to wait for: a perfect power shot flies at once.
void PowerShotFullEfe() {
    if (game.ShotFlg == 5) {
        game.GoFlg = 1;
        game.ShotFlg = 6;
    }
}
void GoalPointEfe() {}
void LensSetPos(const plat::Vec3&) {}
void LensDraw(const plat::Matrix&, const plat::Matrix&, const plat::Viewport&) {}
