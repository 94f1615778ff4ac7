// The ready phase of a turn.
#include "app/app_state.h"
#include "gfx/gfx.h"
#include "round/game.h"
#include "round/round_sound.h"
#include "round/round_state.h"
#include "round/screen.h"

using plat::Vec3;

namespace {

// A later stroke: a hand comes in, lifts the lying can, stands it up and leaves; then the
// camera zooms back out to the aiming view.
void HandStep(_CAN& can) {
    ready.HandScene += 1;
    if (ready.HandFlg == 0) {
        ready.HandFlg = 1;
        ready.HandPos = Vec3(-40, 30, 0);
        ready.HandRot = -45;
        Vec3 to = Vec3(0, 0, 0) - ready.HandPos;
        plat::Vec3Normalize(&ready.Vector, &to);
        ready.HandScene = 0;
    }
    if (ready.HandFlg == 1) {
        ready.HandPos += ready.Vector * 0.5f;
        if (ready.HandScene > 50) {
            ready.HandScene = 0;
            ready.HandFlg = 2;
        }
    }
    if (ready.HandFlg == 2) {
        can.Pos.y += 1;
        ready.HandRot += 2;
        if (ready.HandScene > 10) {
            ready.HandScene = 0;
            ready.HandFlg = 3;
        }
    }
    if (ready.HandFlg == 3) {
        can.Lean -= 2;
        if (ready.HandScene >= 45) {
            can.Lean = 0;
            ready.HandRot -= 2;
            can.Pos.y -= 1;
        }
        if (ready.HandScene >= 53) {
            ready.HandScene = 0;
            ready.HandFlg = 4;
        }
    }
    if (ready.HandFlg == 4) {
        ready.HandPos -= ready.Vector;
        if (ready.HandScene > 50) {
            ready.HandScene = 0;
            ready.HandFlg = 5;
        }
    }
    if (ready.HandFlg == 5 && ready.HandScene >= 40) {
        ready.HandScene = 40;
        if (game.SwingRot > 0) {
            game.SwingRot -= 2;
            if (game.SwingRot <= 0) game.SwingRot = 0;
        }
        if (game.SwingRot == 0) {
            game.Zoom += 2;
            game.RotX -= 1;
            if (game.RotX < -20) game.RotX = -20;
            if (game.Zoom >= 60) {
                game.Zoom = 60;
                ready.HandScene = 0;
                ready.HandFlg = 0;
                ready.Flg = 0;
                game.ShotFlg = 2;
            }
        }
    }
}

}  // namespace

void FadeRedy() {
    CHARBOX& box = game.CharBox[game.PlayerNo];
    _CAN& can = game.Can[game.PlayerNo];
    if (ready.Flg == 0) {
        ready.Flg = FadeIn();
        PlayRoundSound(RoundSound::lpSMenuEnter);
    }
    const bool placeOnly = box.Dasu[game.StageNo] == 1 || box.OBFlg == 1;
    if (ready.Flg == 1) {
        ready.Frame += 1;
        if (ready.Frame >= 30) {
            ready.Frame = 30;
            ready.Move += 10;
        }
        if (ready.Move >= 400) {
            ready.Move = 0;
            ready.Frame = 0;
            ready.Flg = 2;
            if (placeOnly) {
                ready.Flg = 0;
                box.OBFlg = 0;
                game.ShotFlg = 2;
                return;
            }
        }
    }
    if (placeOnly) {
        // First stroke on the stage, or back after out of bounds: the can simply stands.
        can.Lean = 0;
        can.Spin = 0;
        can.Dir = 0;
        can.Pos = game.CanPos + Vec3(0, 3, 0);
        game.Zoom = 60;
        game.SwingRot = 0;
        game.RotX = -20;
    } else {
        HandStep(can);
        DrawHand();
    }
    // Not on the frame the hand hands over to aiming: the banner would flash back for it.
    if (game.ShotFlg == 1) DrawPlayerBanner();
}
