#include "play/window_crash.h"

#include "app/app_state.h"
#include "gfx/gfx.h"
#include "platform/device.h"
#include "platform/rand.h"
#include "round/round_sound.h"
#include "round/round_state.h"

using namespace plat;

WindowCrashState windowCrash;

const WindowPane kWindowPane[kWindowPanes] = {
    {{-99, 200, 2097}, 109, 144},  {{-213, 200, 2097}, 109, 144}, {{-500, 208, 2097}, 131, 96},
    {{-400, 208, 2097}, 131, 96},  {{-500, 74, 2097}, 131, 96},   {{-400, 74, 2097}, 131, 96},
};

namespace {

constexpr uint32_t kPaneColor = 0xFE464646;
constexpr uint32_t kShardColor = 0xFF323232;
constexpr uint32_t kShardFvf = FVF_XYZ | FVF_DIFFUSE;

Matrix Translation(const Vec3& p) {
    Matrix m;
    MatrixTranslation(&m, p.x, p.y, p.z);
    return m;
}

// The can's last movement through the pane's hit rectangle, whose halves are whole numbers
// (a touch smaller than the drawn pane). On a hit, where it went through.
bool MovementCrosses(const WindowPane& pane, Vec3* through) {
    const int w2 = pane.W / 2, h2 = pane.H / 2;
    const Vec3& c = pane.centre;
    const Vec3 A = c + Vec3(float(-w2), float(h2), 0), B = c + Vec3(float(w2), float(h2), 0);
    const Vec3 C = c + Vec3(float(w2), float(-h2), 0), D = c + Vec3(float(-w2), float(-h2), 0);

    const Vec3 o = game.SavePos[1];
    const Vec3 m = game.SavePos[0] - game.SavePos[1];
    const float len = Vec3Length(m);
    if (len <= 0) return false;  // a can that did not move crosses nothing
    const Vec3 u = m / len;

    float bu, bv, t;
    if (!IntersectTri(&A, &B, &C, &o, &u, &bu, &bv, &t) && !IntersectTri(&A, &C, &D, &o, &u, &bu, &bv, &t))
        return false;
    if (!(len > t)) return false;
    *through = o + u * t;
    return true;
}

void DrawPane(Device* d, const WindowPane& pane) {
    const float w = float(pane.W) / 2, h = float(pane.H) / 2;
    TLVERTEX v[4] = {
        {{-w, h, 0}, kPaneColor, {0, 0}},
        {{w, h, 0}, kPaneColor, {0, 0}},
        {{w, -h, 0}, kPaneColor, {0, 0}},
        {{-w, -h, 0}, kPaneColor, {0, 0}},
    };
    d->SetFVF(kTlVertexFvf);
    d->SetTransform(TS_WORLD, Translation(pane.centre));
    d->DrawPrimitiveUP(PT_TRIANGLEFAN, 2, v, sizeof(TLVERTEX));
}

void StartShards() {
    WindowCrashState& s = windowCrash;
    s.CrashFlg = 1;
    for (int k = 0; k < kWindowShards; ++k) {
        s.WindowPos[k] = Vec3(0, 0, 0);
        const float x = float(Rand() % 200 - 100) / 100;
        const float y = float(Rand() % 600) / 100;
        const float z = float(Rand() % 200 + 100) / 100;
        s.WindowPosPlus[k] = Vec3(x, y, z);
        s.TriRot[k] = 0;
        const float yaw = float(Rand() % 360);
        const float pitch = float(Rand() % 360);
        const float roll = float(Rand() % 360);
        Matrix turn;
        MatrixRotationYawPitchRoll(&turn, yaw * kDegToRad, pitch * kDegToRad, roll * kDegToRad);
        const Vec3 z1(0, 0, 1);
        Vec3TransformCoord(&s.RotAxis[k], &z1, &turn);
    }
}

}  // namespace

void WindowCrash() {
    Device* d = app.lpD3DDevice;
    WindowCrashState& s = windowCrash;
    if (game.WindowCrashFlg == 0) {
        game.WindowCrashFlg = 1;
        for (int& c : s.Crash) c = 0;
    }

    d->SetTexture(0, nullptr);
    d->SetRenderState(RS_SRCBLEND, BLEND_SRCALPHA);
    d->SetRenderState(RS_DESTBLEND, BLEND_DESTALPHA);

    for (int i = 0; i < kWindowPanes; ++i) {
        if (s.Crash[i] == 2) continue;
        const WindowPane& pane = kWindowPane[i];
        s.WindowSetPos = pane.centre;
        Vec3 through;
        if (MovementCrosses(pane, &through)) {
            s.Crash[i] = 1;
            s.CrashPointPos = through - pane.centre;
        }
        if (s.Crash[i] == 1) Break(s.CrashPointPos, &s.Crash[i], s.WindowSetPos, pane.W, pane.H);
        if (s.Crash[i] == 0) DrawPane(d, pane);
    }

    d->SetRenderState(RS_SRCBLEND, BLEND_SRCALPHA);
    d->SetRenderState(RS_DESTBLEND, BLEND_INVSRCALPHA);
}

void Break(Vec3 CrashPointPos, int* Crash, Vec3 WindowSetPos, int WindowWidth, int WindowHeight) {
    Device* d = app.lpD3DDevice;
    WindowCrashState& s = windowCrash;
    d->SetTexture(0, nullptr);
    if (*Crash != 1) return;

    if (s.CrashFlg == 0) StartShards();

    d->SetFVF(kShardFvf);
    const float w = float(WindowWidth) / 2, h = float(WindowHeight) / 2;
    // The shards fan from the crash point around the whole rim, starting at the left edge's
    // middle and going clockwise as seen from -z; each is drawn about its first triangle's
    // centre c, so every corner is taken relative to c.
    const Vec3 rim[kWindowShards + 1] = {{-w, 0, 0}, {-w, h, 0}, {0, h, 0},   {w, h, 0}, {w, 0, 0},
                                         {w, -h, 0}, {0, -h, 0}, {-w, -h, 0}, {-w, 0, 0}};
    const Vec3 T1(CrashPointPos.x, CrashPointPos.y, 0);
    const Vec3 c = (T1 + rim[0] + rim[1]) / 3;

    for (int k = 0; k < kWindowShards; ++k) {
        s.TriRot[k] += 1.5f;
        const MY_VERTEX tri[3] = {{T1 - c, kShardColor}, {rim[k] - c, kShardColor}, {rim[k + 1] - c, kShardColor}};
        Matrix spin;
        MatrixRotationAxis(&spin, &s.RotAxis[k], s.TriRot[k] * kDegToRad);
        d->SetTransform(TS_WORLD, spin * Translation(s.WindowPos[k] + WindowSetPos + c));
        d->DrawPrimitiveUP(PT_TRIANGLELIST, 1, tri, sizeof(MY_VERTEX));
    }

    if (s.CrashFlg == 1) {
        if (s.SoundFlg == 0) {
            s.SoundFlg = 1;
            PlayRoundSound(RoundSound::lpSGlass);
        }
        for (int k = 0; k < kWindowShards; ++k) {
            s.WindowPos[k] += s.WindowPosPlus[k];
            s.WindowPosPlus[k].y -= 0.2f;
            if (s.WindowPosPlus[k].y <= -30) {
                s.SoundFlg = 0;
                s.WindowPosPlus[k] = Vec3(0, 0, 0);
                s.CrashFlg = 0;
                *Crash = 2;
            }
        }
    }
}
