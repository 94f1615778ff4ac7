#include "effects/trail.h"

#include "app/app_state.h"
#include "effects/effect_quad.h"
#include "platform/rand.h"
#include "round/round_state.h"

using namespace plat;

TailState tail;

namespace {
constexpr int kSmokeCells = 32;    // the top four rows of the 8 x 8 sheet
constexpr float kSmokeCell = 32;   // cell size in pixels
constexpr float kSmokeSheet = 256;
}  // namespace

void TailEfeInit(const Vec3& Pos, int Level, int Power) {
    for (_TAILEFFECT& e : tail.TailEffect) {
        if (e.Alpha != 0) continue;
        if (Power != 0) {
            e.Color = Color(255, 255, 255, 0);
        } else {
            float r = float(Rand() % 256);
            float g = float(Rand() % 256);
            float b = float(Rand() % 256);
            e.Color = Color(r, g, b, 0);
        }
        e.Size = float(Rand() % 700 + 50) / 100;
        e.Alpha = 255;
        e.Pos = Pos;
        e.Rot = Rand() % 360;
        return;
    }
}

void TailEfeDraw(int Power, int Level) {
    Device* d = app.lpD3DDevice;
    const bool smoke = Level == 2;
    d->SetFVF(kTlVertexFvf);
    d->SetTexture(0, smoke ? game.lpSmoke : game.lpShotEffect);
    effects::BeginGlow(d);

    TLVERTEX v[4];
    effects::SetSquare(v, 15);
    for (int i = 0; i < kTailEffectMax; ++i) {
        _TAILEFFECT& e = tail.TailEffect[i];
        if (e.Alpha == 0) continue;
        const uint32_t c = effects::Argb(e.Alpha, int(e.Color.r), int(e.Color.g), int(e.Color.b));
        effects::SetColors(v, c, c, c, c);
        if (smoke) {
            const int cell = tail.SmokeNo[i];
            const float left = kSmokeCell * float(cell % 8), top = kSmokeCell * float(cell / 8);
            const float right = left + kSmokeCell, bottom = top + kSmokeCell;
            v[0].t = {left / kSmokeSheet, top / kSmokeSheet};
            v[1].t = {right / kSmokeSheet, top / kSmokeSheet};
            v[2].t = {right / kSmokeSheet, bottom / kSmokeSheet};
            v[3].t = {left / kSmokeSheet, bottom / kSmokeSheet};
        }
        Matrix turn;
        MatrixRotationYawPitchRoll(&turn, game.Yng * kDegToRad, game.Xng * kDegToRad, float(e.Rot) * kDegToRad);
        const Matrix world = effects::Scaling(e.Size) * turn * effects::Translation(e.Pos);
        d->SetTransform(TS_WORLD, world);
        effects::DrawQuad(d, v);

        if (smoke) {
            tail.SmokeNo[i] += Rand() % 3 + 1;
            // In flight the puffs keep cycling through the later cells; afterwards they start over.
            if (tail.SmokeNo[i] >= kSmokeCells) {
                if (game.ShotFlg == 6)
                    tail.SmokeNo[i] -= 24;
                else
                    tail.SmokeNo[i] = 0;
            }
        }
        e.Alpha -= 3;
        if (e.Alpha < 0) e.Alpha = 0;
    }
    effects::EndGlow(d);
}
