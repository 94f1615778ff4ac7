#include "round/screen.h"

#include <cmath>

#include "app/app_state.h"
#include "effects/goal_point.h"
#include "effects/lens_flare.h"
#include "gfx/gfx.h"
#include "platform/mesh.h"
#include "platform/sprite.h"
#include "play/angles.h"
#include "play/camera.h"
#include "round/pending.h"
#include "round/round_sound.h"
#include "round/round_state.h"

using plat::Matrix;
using plat::Rect;
using plat::Vec2;
using plat::Vec3;

namespace {

plat::Device* Dev() { return app.lpD3DDevice; }

float Rad(float deg) { return deg * plat::kDegToRad; }

Matrix RotY(float deg) { Matrix m; plat::MatrixRotationY(&m, Rad(deg)); return m; }
Matrix RotZRad(float rad) { Matrix m; plat::MatrixRotationZ(&m, rad); return m; }
Matrix Trans(float x, float y, float z) { Matrix m; plat::MatrixTranslation(&m, x, y, z); return m; }
Matrix Trans(const Vec3& v) { return Trans(v.x, v.y, v.z); }
Matrix Scale(float s) { Matrix m; plat::MatrixScaling(&m, s, s, s); return m; }
Matrix Axis(const Vec3& a, float deg) { Matrix m; plat::MatrixRotationAxis(&m, &a, Rad(deg)); return m; }

void Lighting(bool on) { Dev()->SetRenderState(plat::RS_LIGHTING, on ? 1 : 0); }

void Blend(uint32_t src, uint32_t dst) {
    Dev()->SetRenderState(plat::RS_SRCBLEND, src);
    Dev()->SetRenderState(plat::RS_DESTBLEND, dst);
}
void DefaultBlend() { Blend(plat::BLEND_SRCALPHA, plat::BLEND_INVSRCALPHA); }

uint32_t Argb(int a, int r, int g, int b) {
    auto c = [](int v) { return uint32_t(v < 0 ? 0 : v > 255 ? 255 : v); };
    return c(a) << 24 | c(r) << 16 | c(g) << 8 | c(b);
}

void Sprite(plat::Texture* tex, Rect src, Vec2 scale, Vec2 at, uint32_t color = 0xFFFFFFFF) {
    if (app.lpSprite) app.lpSprite->Draw(tex, &src, &scale, nullptr, 0, &at, color);
}

// A can is on the stage once its player has played there and has not retired.
bool CanInPlay(int i) {
    const CHARBOX& b = game.CharBox[i];
    return b.Dasu[game.StageNo] != 0 && b.GiveUpFlg != 2;
}

}  // namespace

void SetUpCamera() {
    const Vec3 can = game.Can[game.PlayerNo].Pos;
    if (game.CameraConditionFlg == 0) {
        Vec3 d = can - game.GoalPos;
        d.y = 0;
        plat::Vec3Normalize(&d, &d);
        Vec3 offset = TurnByHeading(d * game.Kyori + game.H, game.RotY);
        game.Pos = can + offset;
        Vec3 l = can - game.Pos;
        Vec3 axis = plat::Vec3Cross(Vec3(l.x, 0, l.z), l);
        Matrix r = Axis(axis, game.RotX);
        plat::Vec3TransformNormal(&l, &l, &r);
        game.LookPos = game.Pos + l;
    } else if (game.CameraConditionFlg == 1) {
        Matrix r;
        plat::MatrixRotationYawPitchRoll(&r, Rad(game.RotY), Rad(game.RotX), 0);
        Vec3 l(0, 0, 1);
        plat::Vec3TransformNormal(&l, &l, &r);
        game.LookPos = game.Pos + l;
    } else if (game.CameraConditionFlg == 2) {
        game.Pos = turn.CharPos + Vec3(0, 0, -100);
        game.Pos.y = 200;
        game.LookPos = can;
    }
    Matrix view, proj;
    Vec3 up(0, 1, 0);
    plat::MatrixLookAtLH(&view, &game.Pos, &game.LookPos, &up);
    plat::MatrixPerspectiveFovLH(&proj, Rad(float(game.Zoom)), 4.0f / 3.0f, 1, 20000);
    Dev()->SetTransform(plat::TS_VIEW, view);
    Dev()->SetTransform(plat::TS_PROJECTION, proj);
    game.Yng = KakudoYnosa(game.LookPos, game.Pos);
    game.Xng = KakudoXnosa();
    if (game.CameraConditionFlg == 0) game.CharYng = game.Yng;
}

void DrawSky() {
    Lighting(true);
    Dev()->SetRenderState(plat::RS_NORMALIZENORMALS, 1);
    turn.YRot += game.Wind.z;
    if (turn.YRot >= 360) turn.YRot = 0;
    Dev()->SetTransform(plat::TS_WORLD, Scale(10) * RotY(turn.YRot) * Trans(0, -300, 0));
    DrawMesh(&app.Sky);
}

void DrawStage() {
    Matrix id;
    plat::MatrixIdentity(&id);
    Lighting(true);
    Dev()->SetTransform(plat::TS_WORLD, id);
    DrawMesh(&game.Stage);
    Lighting(false);
    GoalPointEfe();
    Lighting(true);
}

void DrawCansAndCharacter() {
    for (int i = 0; i < game.Ninzu && i < 4; i++) {
        if (!CanInPlay(i)) continue;
        const _CAN& c = game.Can[i];
        Vec3 a = TurnByHeading(Vec3(0, 0, 1), c.Dir);
        Vec3 b = TurnByHeading(Vec3(1, 0, 0), c.Dir);
        Dev()->SetTransform(plat::TS_WORLD, Axis(a, c.Lean) * Axis(b, c.Spin) * Trans(c.Pos));
        DrawCanMesh(&game.Can[i].Mesh, game.CanTexNo[i]);
    }

    CHARBOX& box = game.CharBox[game.PlayerNo];
    const Matrix B = Trans(-80, 0, 0) * RotY(game.CharYng) * Trans(turn.CharPos);
    const Matrix tilt = RotZRad(-0.471238911f);
    Dev()->SetTransform(plat::TS_WORLD, B);
    DrawMeshRed(&box.Foot, turn.CharColorRed, turn.CharAlpha);
    Dev()->SetTransform(plat::TS_WORLD, RotY(game.SwingRot + 5) * tilt * Trans(3, 39.2f, 0) * B);
    DrawMeshRed(&box.Body, turn.CharColorRed, turn.CharAlpha);
    Dev()->SetTransform(plat::TS_WORLD, tilt * Trans(3, 60, 0) * B);
    DrawMeshRed(&box.Head, turn.CharColorRed, turn.CharAlpha);

    if (game.CharEfeFlg == 1) {
        // A red silhouette pulsing out from the character, its inner faces showing.
        plat::Material glow;
        glow.Diffuse.a = 1;
        glow.Emissive.r = 1;
        Dev()->SetMaterial(glow);
        turn.CharScale -= 0.007f;
        if (turn.CharScale <= 1.0f) {
            turn.CharScale = 1.1f;
            turn.CharColorRed += 1;
            if (turn.CharColorRed > 10) {
                turn.CharColorRed = 10;
                turn.CharScale = 1.0f;
            }
        }
        Blend(plat::BLEND_SRCALPHA, plat::BLEND_DESTALPHA);
        Dev()->SetRenderState(plat::RS_CULLMODE, plat::CULL_CW);
        const Matrix S = Scale(turn.CharScale);
        Dev()->SetTransform(plat::TS_WORLD, S * B);
        DrawMeshNoMat(&box.Foot);
        Dev()->SetTransform(plat::TS_WORLD, S * RotY(game.SwingRot) * tilt * Trans(3, 39.2f, 0) * B);
        DrawMeshNoMat(&box.Body);
        Dev()->SetTransform(plat::TS_WORLD, S * tilt * Trans(0, 60, 0) * B);
        DrawMeshNoMat(&box.Head);
        Dev()->SetRenderState(plat::RS_CULLMODE, plat::CULL_CCW);
        DefaultBlend();
    } else {
        turn.CharScale = 1.1f;
        turn.CharColorRed = 0;
    }

    // Shadows: a darkening quad on the stage below each can, larger for a lying can.
    Lighting(false);
    Dev()->SetFVF(kTlVertexFvf);
    Dev()->SetTexture(0, game.lpCanShadow);
    float alpha = 255 * turn.CharAlpha;
    uint32_t color = Argb(int(alpha), 255, 255, 255);
    const TLVERTEX quad[4] = {
        {Vec3(-8, 0, 8), color, Vec2(0, 0)},
        {Vec3(8, 0, 8), color, Vec2(0, 1)},
        {Vec3(8, 0, -8), color, Vec2(1, 1)},
        {Vec3(-8, 0, -8), color, Vec2(1, 0)},
    };
    for (int i = 0; i < game.Ninzu && i < 4; i++) {
        if (!CanInPlay(i) || !game.Stage.lpMesh) continue;
        const _CAN& c = game.Can[i];
        bool hit = false;
        float h = 0;
        plat::IntersectMesh(game.Stage.lpMesh, c.Pos, Vec3(0, -1, 0), &hit, &h);
        if (!hit) continue;
        float s = std::fabs(1 + std::sin(Rad(c.Lean)) * 0.875f);
        Dev()->SetTransform(plat::TS_WORLD, Scale(s) * Trans(c.Pos.x, c.Pos.y - h + 0.01f, c.Pos.z));
        Blend(plat::BLEND_ZERO, plat::BLEND_INVSRCCOLOR);
        Dev()->DrawPrimitiveUP(plat::PT_TRIANGLEFAN, 2, quad, sizeof(TLVERTEX));
        DefaultBlend();
    }

    if (game.StageNo != 2) {
        const Matrix proj = Dev()->GetTransform(plat::TS_PROJECTION);
        const Matrix view = Dev()->GetTransform(plat::TS_VIEW);
        CLens.Draw(&proj, &view, &app.GameScreen);
    }
}

void DrawHand() {
    if (ready.HandFlg < 1 || ready.HandFlg > 4) return;
    const Vec3& p = ready.HandPos;
    Dev()->SetTransform(plat::TS_WORLD, RotZRad(Rad(float(ready.HandRot))) * Trans(p.x, p.y, p.z - 10) *
                                            RotY(game.Yng) * Trans(game.CanPos));
    Lighting(true);
    DrawMesh(&game.CharBox[game.PlayerNo].RightHand);
    Lighting(false);
}

void DrawPlayerBanner() {
    if (ready.Flg == 2 || !app.lpSprite) return;
    const long p = game.PlayerNo;
    const uint32_t color = Argb(255 - (ready.Move * 255 / 400), 255, 255, 255);
    app.lpSprite->Begin();
    Sprite(game.lpGameText, Rect{745, 68 + 81 * p, 1000, 107 + 81 * p}, Vec2(2, 1),
           Vec2(60.0f + ready.Move, 181), color);
    Sprite(game.lpGameText, Rect{745, 107 + 81 * p, 1000, 146 + 81 * p}, Vec2(2, 1),
           Vec2(61.0f - ready.Move, 220), color);
    app.lpSprite->End();
}

void DrawWindArrow() {
    if (game.WindMeter == 0 || game.ShotFlg == 6) return;
    Dev()->SetViewport(app.ArrowScreen);
    Dev()->Clear(plat::CLEAR_ZBUFFER, 0, 1.0f);
    Matrix view, proj;
    Vec3 eye(0, 150, -450), at(0, 0, 0), up(0, 1, 0);
    plat::MatrixLookAtLH(&view, &eye, &at, &up);
    plat::MatrixPerspectiveFovLH(&proj, 0.1745329f, 4.0f / 3.0f, 1, 1000);
    Dev()->SetTransform(plat::TS_VIEW, view);
    Dev()->SetTransform(plat::TS_PROJECTION, proj);
    Dev()->SetTransform(plat::TS_WORLD, RotY(-game.RotY) * game.WindRot);
    Lighting(true);
    DrawMesh(&game.Arrow);
    Dev()->SetViewport(app.GameScreen);
}

int StrokeDigits(int n, int* x, int* digit) {
    if (n >= 1000) n %= 1000;
    int count = 0, off = 0;
    bool hundreds = n / 100 != 0;
    if (hundreds) {
        x[count] = 70 + off;
        digit[count++] = n / 100;
        n %= 100;
        off = 30;
    }
    if (n / 10 != 0 || hundreds) {
        x[count] = 70 + off;
        digit[count++] = n / 10;
        off += 30;
    }
    x[count] = 70 + off;
    digit[count++] = n % 10;
    return count;
}

namespace {

void DrawImpactCutIn() {
    if (turn.ImpactColor <= 0 || game.ShotFlg != 6) return;
    Blend(plat::BLEND_SRCALPHA, plat::BLEND_DESTALPHA);
    const int gb = 255 - (turn.Level - 1) * 255;
    const uint32_t color = Argb(255 - turn.ImpactColor, 255, gb, gb);
    for (int k = 0; k < 3; k++) {
        float s = (1 + float(turn.ImpactColor) / 80.0f) * float(k + 1) / 2;
        Vec2 scale(s, s), at(320 - 320 * s, 240 - 240 * s);
        if (app.lpSprite)
            app.lpSprite->Draw(game.CharBox[game.PlayerNo].lpEffect, nullptr, &scale, nullptr, 0, &at, color);
    }
    turn.ImpactColor += 10;
    if (turn.ImpactColor > 255) turn.ImpactColor = 0;
    DefaultBlend();
}

void DrawHud() {
    if (game.ShotFlg == 6) return;
    plat::Texture* g = game.lpGauge;
    plat::Texture* t = game.lpGameText;
    const long pg = turn.PowerGauge, lv = turn.Level;
    Sprite(g, Rect{0, 0, 123, 15}, Vec2(3, 2), Vec2(15, 446));
    Sprite(g, Rect{pg, 16 + 8 * (lv - 1), 100, 16 + 8 * lv}, Vec2(3, 2), Vec2(30.0f + 3 * pg, 452), 0xAAFFFFFF);
    Sprite(g, Rect{5, 2, 6, 11}, Vec2(3, 2), Vec2(30.0f + 3 * turn.BerGauge, 450), 0xFFFF0000);
    const long n = game.Character.PowerShot;
    Sprite(g, Rect{11 * n + 1, 32, 11 * n + 11, 42}, Vec2(2.5f, 2.5f), Vec2(390, 446));
    Sprite(g, Rect{7, 80, 79, 152}, Vec2(1.5f, 1.5f), Vec2(444, 361));
    {
        Rect src{7, 152, 69, 162};
        Vec2 scale(1.5f, 1.5f), center(6, 10), at(447, 456);
        if (app.lpSprite) app.lpSprite->Draw(g, &src, &scale, &center, Rad(float(turn.ImpactRot)), &at, 0xFFFF0000);
    }
    Sprite(g, Rect{1, 43, 36, 53}, Vec2(1, 1.5f), Vec2(20, 430));
    Sprite(g, Rect{1, 54, 29, 64}, Vec2(1, 1.5f), Vec2(170, 430));
    Sprite(g, Rect{1, 65, 23, 75}, Vec2(1, 1.5f), Vec2(325, 430));

    Sprite(t, Rect{3, 414, 66, 455}, Vec2(1, 1), Vec2(1, 1));
    int xs[3], ds[3];
    int count = StrokeDigits(game.CharBox[game.PlayerNo].Dasu[game.StageNo], xs, ds);
    for (int i = 0; i < count; i++)
        Sprite(t, Rect{69 + 28 * ds[i], 412, 94 + 28 * ds[i], 453}, Vec2(1, 1), Vec2(float(xs[i]), 0));

    const long tens = game.WindMeter / 10, units = game.WindMeter % 10;
    Sprite(t, Rect{2, 458, 52, 478}, Vec2(1, 1), Vec2(525, 80));
    Sprite(t, Rect{55 + 19 * tens, 458, 71 + 19 * tens, 478}, Vec2(1, 1), Vec2(575, 80));
    Sprite(t, Rect{245, 475, 253, 483}, Vec2(1, 1), Vec2(588, 92));
    Sprite(t, Rect{55 + 19 * units, 458, 71 + 19 * units, 478}, Vec2(1, 1), Vec2(595, 80));
    Sprite(t, Rect{245, 458, 263, 472}, Vec2(1, 1), Vec2(610, 85));
    Sprite(t, Rect{245, 312, 363, 399}, Vec2(1, 1), Vec2(518, 8));
}

void DrawFullPowerCaption() {
    if (game.jumpFlg != 1 || turn.PowerGauge != 0) return;
    turn.NiceMojiAlpha -= 2;
    if (turn.NiceMojiAlpha < 0) turn.NiceMojiAlpha = 0;
    const uint32_t color = Argb(turn.NiceMojiAlpha, 255, 255, 255);
    Sprite(game.lpGameText, Rect{410, 2, 723, 56}, Vec2(2, 1), Vec2(5, 10), color);
    Sprite(game.lpGameText, Rect{410, 2, 723, 56}, Vec2(2, 1), Vec2(5, 420), color);
}

// Giving up: nine penalty strokes, then the character fades out over 101 frames.
void GiveUpStep() {
    CHARBOX& box = game.CharBox[game.PlayerNo];
    if (box.GiveUpFlg == 1) {
        if (turn.Scene < 9) {
            turn.Scene += 1;
            box.Dasu[game.StageNo] += 1;
        }
        turn.CharAlpha -= 0.01f;
        if (turn.CharAlpha < 0) {
            box.GiveUpFlg = 2;
            turn.Scene = 0;
        }
    }
    if (box.GiveUpFlg == 1 || box.GiveUpFlg == 2)
        Sprite(game.lpGameText, Rect{489, 68, 742, 220}, Vec2(1, 1), Vec2(200, 150));
}

// The missed swing: 31 frames of the screen in inverted colours before the shot flies.
void MissedSwingStep() {
    if (game.MissShotFlg != 1) return;
    PlayRoundSound(RoundSound::lpSMissShot);
    turn.FrameCount += 1;
    Blend(plat::BLEND_INVDESTCOLOR, plat::BLEND_ZERO);
    Sprite(app.lpWhite, Rect{0, 0, 1, 1}, Vec2(640, 480), Vec2(0, 0), 0x80FFFFFF);
    DefaultBlend();
    if (turn.FrameCount > 30) {
        turn.FrameCount = 0;
        game.MissShotFlg = 0;
    }
}

}  // namespace

void DrawGameSprites() {
    if (app.lpSprite) app.lpSprite->Begin();
    DrawImpactCutIn();
    DrawHud();
    DrawFullPowerCaption();
    GiveUpStep();
    MissedSwingStep();
    if (game.ShotFlg == -1) OB();
    if (app.lpSprite) app.lpSprite->End();
}
