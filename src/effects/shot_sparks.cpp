#include "effects/shot_sparks.h"

#include <cmath>

#include "app/app_state.h"
#include "effects/effect_quad.h"
#include "platform/rand.h"
#include "round/round_sound.h"
#include "round/round_state.h"

using namespace plat;

ShotEfeState shotEfe;
PowerShotState powerShot;

namespace {

const Vec3& CurrentCan() { return game.Can[game.PlayerNo].Pos; }

// A velocity in the burst's frame turned by heading deg about y.
Vec3 TurnByHeading(const Vec3& v, float deg) {
    const float a = deg * kDegToRad;
    const float c = std::cos(a), s = std::sin(a);
    return {v.x * c + v.z * s, v.y, v.z * c - v.x * s};
}

constexpr uint32_t kRed = 0xFF0000, kYellow = 0xFFFF00, kWhite = 0xFFFFFF, kMagenta = 0xFF00FF;

uint32_t WithAlpha(uint32_t rgb, int a) { return (uint32_t(effects::ClampAlpha(a)) << 24) | rgb; }

void StartSparks(int Power) {
    shotEfe.EfeInitFlg = 1;
    shotEfe.Rot = game.Yng;
    shotEfe.Color = 255;
    for (int k = 0; k < kShotEfeMax; ++k) {
        shotEfe.EfePos[k] = CurrentCan();
        const float x = float(Rand() % 400 - 200) / 100;
        const float y = float(Rand() % 300 + 300) / 100;
        const float z = float(Rand() % 300 + 300) / 100;
        shotEfe.EfePosPlus[k] = Vec3(x, y, z);
        for (int i = 0; i < kShotEfeTrail; ++i) shotEfe.SaveEfePos[k][i] = shotEfe.EfePos[k];
    }
    shotEfe.kazu = kShotEfeMax - ((100 - Power) / 10) * 4;
}

}  // namespace

void ShotEfe(int Power, int Level, int ShotRot) {
    Device* d = app.lpD3DDevice;
    d->SetFVF(kTlVertexFvf);
    d->SetTexture(0, game.lpShotEffect);
    effects::BeginGlow(d);

    if (shotEfe.EfeInitFlg == 0) StartSparks(Power);

    const Matrix face = effects::FaceCamera(game.Yng, game.Xng);
    TLVERTEX v[4];
    effects::SetSquare(v, 15);
    for (int k = 0; k < kShotEfeMax - shotEfe.kazu; ++k) {
        shotEfe.EfePos[k] += TurnByHeading(shotEfe.EfePosPlus[k], shotEfe.Rot);
        shotEfe.EfePosPlus[k].y -= game.G;
        for (int i = kShotEfeTrail - 1; i >= 1; --i) shotEfe.SaveEfePos[k][i] = shotEfe.SaveEfePos[k][i - 1];
        shotEfe.SaveEfePos[k][0] = shotEfe.EfePos[k];

        // The head at full opacity, then the history behind it fading with Color.
        for (int i = 0; i < kShotEfeTrail; ++i) {
            const int a = i == 0 ? 255 : shotEfe.Color * (kShotEfeTrail - i) / kShotEfeTrail;
            if (Level == 2) {
                const uint32_t top = WithAlpha(kRed, a), bottom = WithAlpha(kYellow, a);
                effects::SetColors(v, top, top, bottom, bottom);
            } else {
                const uint32_t c = WithAlpha(kWhite, a);
                effects::SetColors(v, c, c, c, c);
            }
            const Vec3& at = i == 0 ? shotEfe.EfePos[k] : shotEfe.SaveEfePos[k][i];
            d->SetTransform(TS_WORLD, face * effects::Translation(at));
            effects::DrawQuad(d, v);
        }
    }

    shotEfe.Color -= 1;
    if (shotEfe.Color <= 0) {
        shotEfe.EfeInitFlg = 0;
        game.GoFlg = 0;
    }
    effects::EndGlow(d);
}

void PowerShotFullEfeInit() {
    if (powerShot.PowerShotFlg == 0) powerShot.PowerShotFlg = 1;
    for (_POWERSHOTEFFECT& p : powerShot.PowerShotEffect) {
        if (p.Flg != 0) continue;
        p.Flg = 1;
        p.Alpha = 255;
        p.Size = float(Rand() % 15 + 10) / 10;
        p.Move = Vec3(0, 0, 0);
        const float x = float(Rand() % 600 - 300);
        const float y = float(Rand() % 500);
        const float z = float(Rand() % 600 - 300);
        p.Pos = CurrentCan() + Vec3(x, y, z);
        return;
    }
}

void PowerShotFullEfe() {
    Device* d = app.lpD3DDevice;
    d->SetFVF(kTlVertexFvf);
    effects::BeginGlow(d);

    // Charge particles: each pulls towards the can, may overshoot and swing back; caught at
    // the can while charging, fading once the shot is away.
    d->SetTexture(0, game.lpEffectCircle);
    const Vec3& can = CurrentCan();
    const Matrix face = effects::FaceCamera(game.Yng, game.Xng);
    TLVERTEX v[4];
    effects::SetSquare(v, 20);
    for (_POWERSHOTEFFECT& p : powerShot.PowerShotEffect) {
        if (p.Flg != 1) continue;
        Vec3 toCan = can - p.Pos;
        Vec3Normalize(&toCan, &toCan);
        p.Move += toCan;
        p.Pos += p.Move;
        if (game.ShotFlg == 5) {
            if (Vec3Length(can - p.Pos) <= 15) p.Flg = 0;
        } else {
            p.Alpha -= 3;
            if (p.Alpha <= 0) p.Flg = 0;
        }
        // Drawn also in the frame it died.
        effects::SetColors(v, WithAlpha(kYellow, p.Alpha), WithAlpha(kMagenta, p.Alpha),
                           WithAlpha(kWhite, p.Alpha), WithAlpha(kMagenta, p.Alpha));
        d->SetTransform(TS_WORLD, face * effects::Scaling(p.Size) * effects::Translation(p.Pos));
        effects::DrawQuad(d, v);
    }

    d->SetTexture(0, game.lpShotEffect);
    if (powerShot.PowerShotFlg == 1) {
        powerShot.PowerShotFlg = 2;
        powerShot.Rot = 0;
        powerShot.Size = 0;
        powerShot.SizePlus = 0.5f;
        powerShot.Alpha = 255;
        powerShot.StarTexPos = can - Vec3(0, 9, 0);
        PlayRoundSound(RoundSound::lpSPowerShotFull2);
    }
    if (powerShot.PowerShotFlg == 2) {
        powerShot.Rot += 5;
        powerShot.Size += powerShot.SizePlus;
        // Closed: the shot goes off and the ring opens again.
        if (powerShot.Size >= 50) {
            powerShot.SizePlus = -5;
            game.GoFlg = 1;
            game.ShotFlg = 6;
        }
        if (powerShot.Size <= 0) {
            powerShot.Alpha -= 5;
            if (powerShot.Alpha <= 0) powerShot.PowerShotFlg = 0;
        }
        TLVERTEX ring[4];
        ring[0].p = {-10, 0, 10};
        ring[1].p = {10, 0, 10};
        ring[2].p = {10, 0, -10};
        ring[3].p = {-10, 0, -10};
        ring[0].t = {0, 0};
        ring[1].t = {1, 0};
        ring[2].t = {1, 1};
        ring[3].t = {0, 1};
        const uint32_t red = WithAlpha(kRed, powerShot.Alpha), yellow = WithAlpha(kYellow, powerShot.Alpha);
        effects::SetColors(ring, red, red, yellow, yellow);
        Matrix spin;
        MatrixRotationY(&spin, float(powerShot.Rot) * kDegToRad);
        d->SetTransform(TS_WORLD, effects::Scaling(50 - powerShot.Size) * spin *
                                      effects::Translation(powerShot.StarTexPos));
        d->SetSamplerState(0, SAMP_MINFILTER, TEXF_LINEAR);
        d->SetSamplerState(0, SAMP_MAGFILTER, TEXF_LINEAR);
        effects::DrawQuad(d, ring);
    }
    effects::EndGlow(d);
}
