#include "play/gauges.h"

#include "platform/keys.h"
#include "play/angles.h"
#include "round/round_sound.h"
#include "round/round_state.h"

GaugeState gauges;

namespace {

bool Down(int vk) { return (plat::GetAsyncKeyState(vk) & 0x8000) != 0; }

int StepTowards(int v, int target) { return v < target ? v + 1 : v > target ? v - 1 : v; }

float StepTowards(float v, float target) {
    if (v < target) return v + 1 > target ? target : v + 1;
    if (v > target) return v - 1 < target ? target : v - 1;
    return v;
}

}  // namespace

void Parameter(int* PowerGauge, int* ControlGauge, int* Ber, int* Level, int* ImpactRot,
               int* ImpactColor) {
    int& GaugeMove = gauges.GaugeMove;

    // Marker of the power and control gauges: falls to 0, turns, rises.
    if (game.ParaMode == 2 || game.ParaMode == 3) {
        if (*Ber <= 0) GaugeMove = -GaugeMove;
        *Ber -= GaugeMove;
    }
    // Level toggle while idle; with no power shots left only the refusal sounds.
    if (game.ParaMode == 1 && Down(plat::VK_SHIFT) && game.KeyFlg == 0) {
        if (game.Character.PowerShot != 0) {
            PlayRoundSound(RoundSound::lpSShotSwitch);
            game.KeyFlg = 1;
            *Level += 1;
            if (*Level == 3) *Level = 1;
        } else {
            PlayRoundSound(RoundSound::lpSNotPowerShot);
        }
    }
    // Once a gauge runs, undo the zoom and pitch the player set while aiming.
    if (game.ParaMode != 1) {
        game.Zoom = StepTowards(game.Zoom, 60);
        game.RotX = StepTowards(game.RotX, -20.0f);
    }
    if (game.ParaMode == 2) {
        *PowerGauge = *Ber;
        game.SwingRot = float(100 - *PowerGauge) * 1.3f;
        if (Down('X') || *Ber > 100) {
            if (GaugeMove == -1) GaugeMove = 1;
            *Ber = 0;
            *PowerGauge = 0;
            game.ParaMode = 1;
            game.SwingRot = 0;
        }
    }
    if (game.ParaMode == 3) {
        if (*Ber >= 115) {
            game.ParaMode = 4;
            GaugeMove = -GaugeMove;
        }
        *ControlGauge = *Ber;
    }
    if (game.ParaMode == 4) {
        *ImpactRot += GaugeMove;
        if (*ImpactRot >= 90)
            GaugeMove = -GaugeMove;
        else if (*ImpactRot <= 0)
            game.ParaMode = 5;
    }
    if (Down('Z') && game.KeyFlg == 0) {
        game.KeyFlg = 1;
        PlayRoundSound(RoundSound::lpSParaEnter);
        switch (game.ParaMode) {
        case 1:
            game.ParaMode = 2;
            *Ber = 100;
            *ImpactRot = 0;
            break;
        case 2:
            game.ParaMode = 3;
            break;
        case 3:
            game.ParaMode = 4;
            if (GaugeMove == -1) GaugeMove = 1;
            if (*PowerGauge == 0 && *ControlGauge == 100 && *Level == 2) game.CharEfeFlg = 1;
            break;
        case 4:
            game.ParaMode = 5;
            if (*ControlGauge <= 89 || *ControlGauge >= 111) game.MissShotFlg = 1;
            if (*Level == 2) game.Character.PowerShot -= 1;
            game.Can[game.PlayerNo].Dir = KakudoYnosa(game.LookPos, game.Pos);
            game.CanRollingFlg = 0;
            game.Zoom = 60;
            break;
        default:
            break;
        }
    }
    if (!Down('Z') && !Down(plat::VK_SHIFT)) game.KeyFlg = 0;

    // The swing takes 16 frames whatever the power; power 100 is over at once.
    if (game.ParaMode == 5) {
        gauges.kasoku += float(100 - *PowerGauge) / 100.0f;
        if (gauges.kasoku > 20) gauges.kasoku = 20;
        game.SwingRot -= gauges.kasoku;
        if (game.SwingRot <= 0) {
            *ImpactColor = 1;
            GaugeMove = 1;
            gauges.kasoku = 0;
            game.SwingRot = 0;
            game.ShotFlg = 5;
            game.ParaMode = 1;
        }
    }
}
