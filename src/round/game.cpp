// The turn flow: one frame of round play, in the order the game's timing rests on.
#include "round/game.h"

#include "app/app_state.h"
#include "app/frame_gate.h"
#include "app/render_init.h"
#include "effects/shot_sparks.h"
#include "effects/trail.h"
#include "gfx/gfx.h"
#include "play/angles.h"
#include "play/camera.h"
#include "play/flight.h"
#include "play/gauges.h"
#include "play/window_crash.h"
#include "results/mission_intro.h"
#include "round/pending.h"
#include "round/round_sound.h"
#include "round/round_state.h"
#include "round/screen.h"
#include "round/stage.h"
#include "title/start.h"

using plat::Vec3;

namespace {

plat::Device* Dev() { return app.lpD3DDevice; }

bool PerfectPowerShot() {
    return turn.PowerGauge == 0 && turn.ControlGauge == 100 && turn.Level == 2;
}

// Every turn costs a stroke; the can lies where it stopped and the character stands by it.
void TurnSetUp() {
    game.RotY = 0;
    game.RotX = 0;
    game.Zoom = 7;
    game.ShotFlg = 1;
    turn.AI_MenuNo = 0;
    turn.NiceMojiAlpha = 255;
    game.CharEfeFlg = 0;
    turn.Level = 1;
    turn.BerGauge = 0;
    turn.PowerGauge = 0;
    turn.ImpactRot = 45;
    turn.ImpactColor = 0;
    game.MissShotFlg = 0;
    _CAN& can = game.Can[game.PlayerNo];
    can.Spin = 0;
    can.Lean = 90;
    if (game.StageNo == 1) game.CarInitFlg = 0;
    turn.CharScale = 1.1f;
    turn.CharAlpha = 1.0f;
    game.SwingRot = 30;
    game.CharBox[game.PlayerNo].Dasu[game.StageNo] += 1;
    game.CanPos = can.Pos;
    turn.CharPos = can.Pos - Vec3(0, 7, 0);
    AI_TurnTargets();
}

void ShotRelease() {
    if (PerfectPowerShot()) {
        game.Zoom += 1;
        if (game.Zoom > 179) game.Zoom = 179;
        for (int i = 0; i < 5; i++) PowerShotFullEfeInit();
    } else {
        game.Kyori = 500;
        game.ShotFlg = 6;
        game.GoFlg = 1;
        game.RotX = 0;
    }
}

void FlightStep() {
    game.SwingRot -= 10;
    if (game.SwingRot < -60) game.SwingRot = -60;
    turn.TailScene = turn.TailScene == 0 ? 1 : 0;
    if (turn.TailScene == 0 && game.CanRollingFlg == 0)
        TailEfeInit(game.Can[game.PlayerNo].Pos, turn.Level, turn.PowerGauge);
    if (PerfectPowerShot()) {
        game.Zoom -= 1;
        if (game.Zoom < 60) game.Zoom = 60;
    } else if (game.StageNo == 2) {
        game.CameraConditionFlg = 2;
    }
    tama(turn.ImpactRot, turn.PowerGauge, turn.ControlGauge, turn.Level);
    if (game.FinishFlg == 0) game.FinishFlg = Goal();
    FlightOBTest();
}

// The can has stopped: the camera closes in for 90 frames, then the turn passes, through
// the can exchange when the can is dented past the player's limit. True when the frame ends.
bool AtRestStep() {
    turn.Change += 1;
    game.Zoom -= 1;
    if (game.Zoom < 7) game.Zoom = 7;
    game.RotX += 1;
    if (game.RotX > 0) game.RotX = 0;
    if (turn.Change <= 90) return false;
    if (game.Can[game.PlayerNo].Hekomi < 1 + float(game.Character.Luck) / 2) {
        if (FadeOut(0) == 1) {
            turn.Change = 0;
            NextPlayer();
            Dev()->EndScene();
            return true;
        }
        return false;
    }
    if (HekomiNotice() == 1) {
        turn.HMYFlg = 0;
        turn.Change = 0;
        game.CharBox[game.PlayerNo].Dasu[game.StageNo] += 1;
        CanTrade();
        NextPlayer();
        Dev()->EndScene();
        return true;
    }
    return false;
}

void EndAndPresent() {
    Dev()->EndScene();
    PresentFrame(GameSetLight);
}

}  // namespace

int Goal() {
    const Vec3& p = game.Can[game.PlayerNo].Pos;
    const _JUDGE& j = game.Judge;
    if (j.Min.x < p.x && p.x < j.Max.x && j.Min.y < p.y && p.y < j.Max.y && j.Min.z < p.z &&
        p.z < j.Max.z) {
        PlayRoundSound(RoundSound::lpSGoal);
        return 1;
    }
    return 0;
}

void NextPlayer() {
    game.CharGet[game.PlayerNo].PowerShot = game.Character.PowerShot;
    game.CharParaInit = 0;
    game.Iniflg = 0;
    game.ShotFlg = 0;
    game.FinishFlg = 0;
    game.CameraConditionFlg = 0;
    // Callers make sure someone is still playing; the step count guards against a stall.
    const int n = game.Ninzu < 1 ? 1 : game.Ninzu;
    for (int step = 0; step < n; step++) {
        game.PlayerNo = (game.PlayerNo + 1) % n;
        const CHARBOX& b = game.CharBox[game.PlayerNo];
        if (b.GiveUpFlg == 0 && b.GoalFlg == 0) break;
    }
}

void Game() {
    if (!PassFrameGate(&turn.Gate)) return;
    GameFrame();
}

void GameFrame() {
    CHARBOX& box = game.CharBox[game.PlayerNo];
    const bool human = game.CharGet[game.PlayerNo].Com == 0;

    // 1-3: clear, the player's abilities, the camera defaults.
    Dev()->SetViewport(app.GameScreen);
    Dev()->Clear(plat::CLEAR_TARGET | plat::CLEAR_ZBUFFER, 0xFF002333, 1.0f);
    Dev()->BeginScene();
    if (game.CharParaInit == 0) {
        game.CharParaInit = 1;
        const CharParameter& g = game.CharGet[game.PlayerNo];
        game.Character.Power = g.Power;
        game.Character.Control = g.Control;
        game.Character.PowerShot = g.PowerShot;
        game.Character.Luck = g.Luck;
    }
    if (game.Iniflg == 0) {
        game.Iniflg = 1;
        game.Kyori = 200;
        game.H = Vec3(0, 80, 0);
        game.RotY = 0;
        game.RotX = -20;
        game.Zoom = 60;
        if (game.CameraConditionFlg == 1) game.RotY = KakudoYnosa(game.LookPos, game.Pos);
    }
    // 4-6: turn set-up, camera keys, gauges.
    if (game.ShotFlg == 0) TurnSetUp();
    if (game.ShotFlg == 2 && turn.Menu == 0 && game.ParaMode == 1) CameraWork(turn.Level);
    if (game.CameraConditionFlg == 0 && turn.Menu == 0 && game.ShotFlg == 2 && box.GiveUpFlg == 0) {
        if (human) {
            Parameter(&turn.PowerGauge, &turn.ControlGauge, &turn.BerGauge, &turn.Level,
                      &turn.ImpactRot, &turn.ImpactColor);
        } else {
            AI_GiveUpTest();
            if (turn.AI_MenuNo == 0)
                AI_Parameter(&game.Ai, &turn.PowerGauge, &turn.ControlGauge, &turn.BerGauge,
                             &turn.Level, &turn.ImpactRot, &turn.ImpactColor);
        }
    }
    // 7-9: camera, sky, the stage intro (nothing below runs while it shows).
    SetUpCamera();
    DrawSky();
    if (game.DrawMissionFlg == 0) {
        game.DrawMissionFlg = DrawMission();
        if (game.DrawMissionFlg == 1) {
            game.ShotFlg = 0;
            game.Iniflg = 0;
            game.CharParaInit = 0;
            Dev()->EndScene();
            return;
        }
        EndAndPresent();
        return;
    }
    // 10-14: window and chime, stage, traffic, spin, cans, character, shadows.
    if (game.StageNo == 2) {
        Dev()->SetRenderState(plat::RS_LIGHTING, 0);
        WindowCrash();
        if (game.ChaimFlg != -1) {
            game.ChaimFlg -= 1;
            if (game.ChaimFlg <= 0) {
                game.ChaimFlg = -1;
                PlayRoundSound(RoundSound::lpSChaim);
            }
        }
    }
    DrawStage();
    if (game.StageNo == 1) Traffic();
    if (game.jumpFlg == 1) CanSpin(turn.PowerGauge);
    DrawCansAndCharacter();
    // 15-20: ready phase, shot release, sparks, flight, trail, road test.
    if (game.ShotFlg == 1) FadeRedy();
    if (game.ShotFlg == 5) ShotRelease();
    PowerShotFullEfe();
    if (game.GoFlg == 1 && game.MissShotFlg == 0) ShotEfe(turn.PowerGauge, turn.Level, turn.ImpactRot);
    if (game.ShotFlg == 6 && game.MissShotFlg == 0) FlightStep();
    TailEfeDraw(turn.PowerGauge, turn.Level);
    RestOBTest();
    // 21: the 2-D pass.
    DrawFreeCameraFrame();
    DrawWindArrow();
    DrawGameSprites();
    // 22-24: at rest, the clear display, the stage-clear step.
    if (game.ShotFlg == 7 && game.FinishFlg == 0 && AtRestStep()) return;
    Finish();
    {
        const CHARBOX& b = game.CharBox[game.PlayerNo];
        if ((b.GoalFlg == 1 || b.GiveUpFlg == 2) && MissionClear() == 1) {
            Dev()->EndScene();
            return;
        }
    }
    // 25-27: the in-game menu, texture filters.
    if (turn.Menu == 0 && game.ShotFlg == 2 && game.ParaMode == 1) GameMenuKey();
    if (turn.Menu == 1) game.TitleFlg = GameMenu(&turn.Menu, &turn.EnterKeyFlg);
    if (turn.AI_MenuNo != 0) AI_GameMenu(&turn.AI_MenuNo);
    Dev()->SetSamplerState(0, plat::SAMP_MINFILTER, plat::TEXF_LINEAR);
    Dev()->SetSamplerState(0, plat::SAMP_MAGFILTER, plat::TEXF_LINEAR);
    // 28: back to the title once the fade-out is over.
    if (game.TitleFlg == 1 && FadeOut(0) == 1) {
        app.Mode = 0;
        GameEnd();
        StartInit();
        if (app.PlayMusicFlg == 0) SwitchMusic("Mid/Opening2.mid");
        Dev()->EndScene();
        return;
    }
    EndAndPresent();
}
