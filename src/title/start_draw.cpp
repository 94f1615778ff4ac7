// The front end's pictures. All screens lie on one horizontal strip: every panel, model and
// board sits at an x that falls by 32 pixels per step of Slide, so a screen change slides the
// old screen out and the new one in. Everything is drawn every frame; what belongs to other
// screens simply lies off screen.
#include "title/start_draw.h"

#include <cmath>

#include "app/app_state.h"
#include "gfx/gfx.h"
#include "gfx/xfile.h"
#include "platform/device.h"
#include "platform/font.h"
#include "platform/rand.h"
#include "platform/sprite.h"
#include "round/round_state.h"
#include "title/start.h"
#include "title/title_state.h"

using plat::Matrix;
using plat::Rect;
using plat::Vec2;
using plat::Vec3;

namespace {

constexpr float kPi = 3.14159265f;

const char* const kVersion = "Ver.1.05";
const char* const kNotice = "Copyright (C) Pomelane Project. All rights reserved.";
const char* const kOptionNotice = "フルスクリーン設定は次回起動時から有効です。";
const char* const kModeText[2] = {"選んだステージで遊ぼう!!", "決められた複数のステージを回ろう!!"};
const char* const kStageText[3] = {
    "Level. ★★\n階段を登るだけ,簡単そうに\n見えて意外と難しい!!",
    "Level. ★\n安全な道と危険な道\n君はどちらを選ぶ!?",
    "Level. ★★★\n懐かしの教室。ゴミ箱への\n力加減は難しい!!",
};

plat::Device* Dev() { return app.lpD3DDevice; }

float Rad(float deg) { return deg * plat::kDegToRad; }
Matrix RotX(float deg) { Matrix m; plat::MatrixRotationX(&m, Rad(deg)); return m; }
Matrix RotY(float deg) { Matrix m; plat::MatrixRotationY(&m, Rad(deg)); return m; }
Matrix RotZ(float deg) { Matrix m; plat::MatrixRotationZ(&m, Rad(deg)); return m; }
Matrix Trans(float x, float y, float z) { Matrix m; plat::MatrixTranslation(&m, x, y, z); return m; }
Matrix Scale(float s) { Matrix m; plat::MatrixScaling(&m, s, s, s); return m; }
Matrix Identity() { Matrix m; plat::MatrixIdentity(&m); return m; }
Vec3 Turn(const Vec3& v, const Matrix& m) { Vec3 o; plat::Vec3TransformCoord(&o, &v, &m); return o; }

uint32_t Alpha8(int a) { return uint32_t(a < 0 ? 0 : a > 255 ? 255 : a) << 24; }
uint32_t W(int a) { return Alpha8(a) | 0xFFFFFF; }
uint32_t Yel(int a) { return Alpha8(a) | 0xFFFF00; }
uint32_t Grn(int a) { return Alpha8(a) | 0x00FF00; }
constexpr uint32_t kOpaque = 0xFFFFFFFF;

Rect R(long l, long t, long r, long b) { return Rect{l, t, r, b}; }

void Spr(plat::Texture* tex, const Rect& src, float x, float y, uint32_t color, Vec2 scale = Vec2(1, 1),
         const Vec2* centre = nullptr, float rotation = 0) {
    if (!app.lpSprite) return;
    const Vec2 at(x, y);
    app.lpSprite->Draw(tex, &src, &scale, centre, rotation, &at, color);
}

void Text(plat::Font* font, const char* text, long x, long y, uint32_t color, uint32_t format = 0) {
    if (!font) return;
    font->DrawText(text, Rect{x, y, x + 640, y + 480}, format | plat::DT_NOCLIP, color);
}

void Blend(uint32_t src, uint32_t dst) {
    Dev()->SetRenderState(plat::RS_SRCBLEND, src);
    Dev()->SetRenderState(plat::RS_DESTBLEND, dst);
}

bool On(int lo, int hi) { return title.SceneFlg >= lo && title.SceneFlg <= hi; }

// Title menu and options: the option panel that slides in from the left.
void DrawOptionPanel() {
    const TitleState& t = title;
    plat::Texture* tx = t.lpText;
    const float o = 32.0f * float(t.OptionMoji.Now);
    Spr(tx, R(667, 374, 758, 420), -590 + o, 280, kOpaque);
    Spr(tx, R(667, 423, 954, 467), -590 + o, 360, kOpaque);
    const Vec2 markCentre(12.5f, 22);
    for (int row = 0; row < 2; row++) {
        const int v = row == 0 ? t.OptionMusicFlg : app.FullScreenFlg;
        const float y = 280.0f + 80.0f * float(row);
        Spr(tx, R(761, 376, 786, 420), -260 + o + 110.0f * float(v), y, kOpaque);
        Spr(tx, R(761, 376, 786, 420), -160 + o + 110.0f * float(v), y, kOpaque, Vec2(1, 1), &markCentre, kPi);
        Spr(tx, R(789, 376, 876, 420), -240 + o, y, kOpaque);
        Spr(tx, R(879, 376, 965, 420), -130 + o, y, kOpaque);
    }
    Spr(game.lpGameText, R(307, 265, 336, 293), -290 + o, 287.0f + 83.0f * float(t.OptionTriangleFlg), kOpaque);
    Text(app.lpFont, kOptionNotice, long(-590 + o), 410, 0xFFFFFF00);
}

// Options to characters: lettering, version, notice, title icons, menu, notes, players panel.
void DrawTitleLayer(int TA) {
    TitleState& t = title;
    TitleRunState& r = titleRun;
    plat::Texture* tx = t.lpText;
    const float s = float(t.Slide.Now);
    const float tt = 24.0f * float(t.TitleMoji.Now);
    r.WavePos = Vec2(15.0f * std::cos(Rad(float(3 * r.Ang))), 5.0f * std::sin(Rad(float(r.Ang))));
    const float wx = r.WavePos.x, wy = r.WavePos.y;

    Text(app.lpFont, kVersion, 500, long(170 - tt), Yel(TA));
    Text(app.lpFont, kNotice, 100, long(460 + tt), Yel(TA));
    Spr(tx, R(2, 80, 402, 148), 150, 50 - tt, W(TA));
    Spr(tx, R(156, 2, 491, 70), 150, 125 - tt, W(TA));
    Spr(tx, R(2, 2, 77, 77), 80 + wx, 50 - tt - wy, W(TA));
    Spr(tx, R(80, 2, 153, 77), 210 - wx, 50 - tt + wy, W(TA));
    Spr(tx, R(2, 151, 130, 191), 256 - 32 * s, 245, W(TA));
    Spr(tx, R(2, 238, 160, 279), 241 - 32 * s, 285, W(TA));
    Spr(tx, R(2, 282, 159, 323), 241.5f - 32 * s, 325, W(TA));
    Spr(tx, R(2, 326, 100, 367), 271 - 32 * s, 365, W(TA));

    r.OnpuY += 0.15f * float(r.Y);
    if (r.OnpuY > 5 || r.OnpuY < 0) r.Y = int8_t(-r.Y);
    const float q = float(t.SceneFlg / 2);
    const float onpu = 32.0f * float(t.Onpu.Now);
    const float y = 240 + r.OnpuY + 40.0f * float(t.StartMenuFlg) + 49.0f * float(game.Ninzu - 1);
    Spr(tx, R(988, 16, 1021, 62), 205 - 15 * q + onpu, y, Grn(TA));
    Spr(tx, R(988, 16, 1021, 62), 400 + 15 * q + onpu, y, Grn(TA));

    Spr(tx, R(221, 285, 414, 478), 864 - 32 * s, 241, kOpaque);
}

// Players to stage: character heading, parameters, who is choosing, who has chosen.
void DrawCharacterLayer() {
    TitleState& t = title;
    const TitleRunState& r = titleRun;
    plat::Texture* tx = t.lpText;
    const float s = float(t.Slide.Now);
    const float wx = r.WavePos.x, wy = r.WavePos.y;
    const int p = t.SelectPlayerNo;

    Spr(tx, R(494, 2, 686, 63), 180 + wx, -460 + 24.0f * float(t.CharMoji.Now) + wy, kOpaque);
    Spr(tx, R(475, 140, 878, 315), 1515 - 32 * s, 355, kOpaque, Vec2(1, 0.7f));
    Spr(tx, R(475, 374 + 42 * p, 664, 413 + 42 * p), 1530 - 32 * s, 120, kOpaque);
    for (int k = 0; k < 4; k++) {
        for (int j = 0; j < t.Parameters[t.CharNo][k]; j++)
            Spr(tx, R(860, 2, 916, 34), 1678 - 32 * s + 43.0f * float(j), 359 + 44 * 0.7f * float(k), kOpaque,
                Vec2(0.99f, 0.7f));
        t.ArrowSize[k] += 0.05f;
        if (t.ArrowSize[k] > 1.0f) t.ArrowSize[k] = 1.0f;
    }
    const int m = game.CharGet[p].Com;
    Spr(tx, R(881, 197 + 42 * m, 975, 237 + 42 * m), 1325 - 32 * s, 400, kOpaque);
    for (int i = 0; i < game.Ninzu && i < 4; i++) {
        if (game.Player[i].DecideFlg != 1) continue;
        const int mi = game.CharGet[i].Com;
        const int c = game.Player[i].CharaNo;
        Spr(tx, R(860 + 32 * i, 37, 889 + 32 * i, 62), 1285 - 32 * s, 10.0f + 35.0f * float(i), kOpaque);
        Spr(tx, R(881, 197 + 42 * mi, 975, 237 + 42 * mi), 1325 - 32 * s, 10.0f + 35.0f * float(i), kOpaque,
            Vec2(0.7f, 0.7f));
        Spr(tx, R(771 + 36 * c, 318, 804 + 36 * c, 351), 1400 - 32 * s, 5.0f + 36.0f * float(i), kOpaque);
        if (c == t.CharNo) {
            Spr(tx, R(475 + 74 * i, 318, 546 + 74 * i, 371), 1435 - 32 * s, 250, kOpaque);
            if (i < 3) Spr(tx, R(881, 140, 983, 194), 1500 - 32 * s, 250, kOpaque);
        }
    }

    const int last = game.Ninzu >= 1 && game.Ninzu <= 4 ? game.Ninzu - 1 : 0;
    t.WorkFlg = game.Player[last].DecideFlg == 1 ? 1 : 0;
    if (t.WorkFlg == 1 && t.SceneFlg == 3) CharSelectEnd();
}

void DrawArrows(int SA) {
    const TitleState& t = title;
    plat::Texture* tx = t.lpText;
    const Rect arrow = R(833, 2, 857, 49);
    const float s = float(t.Slide.Now);
    const float a = 32.0f * float(t.ArrowMove.Now);
    const Vec2 centre(12, 23);
    const float* size = t.ArrowSize;
    Spr(tx, arrow, 1230 - a, 185 + 23 - 23 * size[1], W(SA), Vec2(size[1], size[1]));
    Spr(tx, arrow, 650 - a, 187 - (23 - 23 * size[0]), W(SA), Vec2(size[0], size[0]), &centre, kPi);
    Spr(tx, arrow, 1360 - 32 * s + 12 - 12 * size[2], 360, kOpaque, Vec2(size[2], size[2]), &centre, kPi / 2);
    Spr(tx, arrow, 1360 - 32 * s - (12 - 12 * size[3]), 435, kOpaque, Vec2(size[3], size[3]), &centre,
        3 * kPi / 2);
}

// Characters to the set-up fade: mode and stage headings, text boxes and texts.
void DrawModeStageLayer(int SA) {
    const TitleState& t = title;
    const TitleRunState& r = titleRun;
    const float wx = r.WavePos.x, wy = r.WavePos.y;
    const float m = 24.0f * float(t.ModeMoji.Now), g = 24.0f * float(t.StageMoji.Now);
    Spr(t.lpText, R(547, 67, 746, 135), 170 + wx, -460 + wy + m, W(SA));
    if (t.lpSell)
        Spr(t.lpSell, R(0, 0, t.lpSell->width, t.lpSell->height), 10, 815 - m, W(SA), Vec2(3.0f, 1.3f));
    if (app.lpFont1) {
        const int mode = game.SelectStageType == 1 ? 1 : 0;
        const Rect box{0, long(860 - m), 640, 200};
        app.lpFont1->DrawText(kModeText[mode], box, plat::DT_CENTER | plat::DT_NOCLIP, W(SA));
    }
    Spr(t.lpText, R(749, 67, 1016, 137), 120 + wx, -460 + wy + g, W(SA));
    const int k = game.StageNo >= 0 && game.StageNo <= 2 ? game.StageNo : 0;
    Spr(game.lpGameText, R(2, 491 + 55 * k, 329, 543 + 55 * k), 10, 900 - g, W(SA));
    if (t.lpSell)
        Spr(t.lpSell, R(0, 0, t.lpSell->width, t.lpSell->height), 320, 770 - g, W(SA), Vec2(1.53f, 1.5f));
    Text(app.lpFont2, kStageText[k], 335, long(800 - g), Yel(SA));
}

void DrawSky() {
    TitleRunState& r = titleRun;
    r.SkyRotY += 0.1f;
    if (r.SkyRotY >= 360) r.SkyRotY = 0;
    Dev()->SetRenderState(plat::RS_LIGHTING, 1);
    Dev()->SetRenderState(plat::RS_NORMALIZENORMALS, 1);
    Dev()->SetTransform(plat::TS_WORLD, RotY(r.SkyRotY) * Scale(10));
    DrawMeshAlpha(&app.Sky, 1.0f - float(r.Alpha) / 255.0f);
}

// The carousel of the four characters; the highlighted one turns to the camera and swings.
void DrawCharacters() {
    TitleState& t = title;
    TitleRunState& r = titleRun;
    r.CharRot += r.SwingRotPlus;
    if (r.CharRot >= 130) r.SwingRotPlus = -10;
    if (r.CharRot <= -45) r.SwingRotPlus = 2;
    const Matrix tilt = RotZ(-27);
    for (int i = 0; i < 4; i++) {
        const Vec3 c = Vec3(0, 0, 390) + Turn(Vec3(150, 0, 0), RotY(t.SetRot[i] + float(t.Rot)));
        const bool lit = i == t.CharNo;
        const Matrix base = (lit ? RotY(80) : Identity()) *
                            Trans(c.x + 1230 - 32.0f * float(t.Slide.Now), c.y - 60, c.z);
        const Matrix swing = lit && game.Not[i] == 0 ? RotY(float(r.CharRot)) : Identity();
        const float bright = 1.0f - 0.8f * float(game.Not[i]);
        CHARBOX& box = game.CharBox[i];
        Dev()->SetTransform(plat::TS_WORLD, base);
        DrawMeshDiffuse(&box.Foot, bright, 1);
        Dev()->SetTransform(plat::TS_WORLD, swing * tilt * Trans(3, 39.2f, 0) * base);
        DrawMeshDiffuse(&box.Body, bright, 1);
        Dev()->SetTransform(plat::TS_WORLD, tilt * Trans(3, 60, 0) * base);
        DrawMeshDiffuse(&box.Head, bright, 1);
    }
}

// The three stage previews; the highlighted one spins, tilted towards the camera.
void DrawStagePreviews() {
    TitleState& t = title;
    TitleRunState& r = titleRun;
    const float sa = float(t.SelectAlpha) / 255.0f;
    for (int i = 0; i < 3; i++) {
        const float angle = float(t.StageSetRot[i]) + float(t.Rot * 4 / 3);
        const Vec3 p = Vec3(0, -5, 40) + Turn(Vec3(20, 0, 0), RotY(angle));
        Matrix spin = Identity(), tilt = Identity();
        float dim = 0.8f;
        if (i == game.StageNo) {
            r.kaiten += 1;
            if (r.kaiten >= 360) r.kaiten = 0;
            spin = RotY(float(r.kaiten));
            tilt = RotX(-20);
            dim = 0;
        }
        const float x = p.x + 640 - (float(t.Slide.Now) / 80.0f) * 640;
        Dev()->SetTransform(plat::TS_WORLD, spin * Scale(7) * tilt * Trans(x, p.y, p.z));
        DrawMeshDiffuse(&t.StageMesh[i], 1 - dim, sa);
    }
}

// The free-play and mission boards, turning about a slanted axis; 90 degrees of Rot swap them.
void DrawModeBoards() {
    TitleState& t = title;
    const uint32_t c = W(t.SelectAlpha);
    const float u = 0.5859375f, v = 0.78125f;
    const TLVERTEX quad[4] = {
        {Vec3(-1.5f, 1, 0), c, Vec2(0, 0)},
        {Vec3(1.5f, 1, 0), c, Vec2(u, 0)},
        {Vec3(1.5f, -1, 0), c, Vec2(u, v)},
        {Vec3(-1.5f, -1, 0), c, Vec2(0, v)},
    };
    Dev()->SetFVF(kTlVertexFvf);
    const Vec3 axis(1, 1, 0);
    for (int i = 0; i < 2; i++) {
        Matrix turn;
        plat::MatrixRotationAxis(&turn, &axis, Rad(float(2 * t.Rot + 60 + 180 * i)));
        t.PlayMode[i].Pos = Turn(Vec3(0, 0, -10), turn);
        const Vec3& p = t.PlayMode[i].Pos;
        Dev()->SetTransform(plat::TS_WORLD,
                            Scale(20) * Trans(p.x + 1920 - 32.0f * float(t.Slide.Now), p.y, p.z + 80));
        Dev()->SetTexture(0, t.PlayMode[i].lpTex);
        if (t.PlayMode[i].lpTex) Dev()->DrawPrimitiveUP(plat::PT_TRIANGLEFAN, 2, quad, sizeof(TLVERTEX));
    }
    Dev()->SetTexture(0, nullptr);
}

}  // namespace

void BeginStartScene() {
    const int a = titleRun.Alpha;
    const uint32_t green = uint32_t((254 - a) * 35 / 254), blue = uint32_t((254 - a) * 51 / 254);
    Dev()->SetViewport(app.GameScreen);
    Dev()->Clear(plat::CLEAR_TARGET | plat::CLEAR_ZBUFFER, 0xFF000000 | green << 8 | blue, 1.0f);
    Dev()->BeginScene();
    Matrix view, proj;
    const Vec3 up(0, 1, 0);
    plat::MatrixLookAtLH(&view, &game.Pos, &game.LookPos, &up);
    plat::MatrixPerspectiveFovLH(&proj, kPi / 3, 4.0f / 3.0f, 1, 15000);
    Dev()->SetTransform(plat::TS_VIEW, view);
    Dev()->SetTransform(plat::TS_PROJECTION, proj);
}

void DrawOpening() {
    TitleRunState& r = titleRun;
    TitleBurst& b = titleBurst;
    if (!app.lpSprite) return;
    app.lpSprite->Begin();

    // The shake after the hit: a swing every second frame, 0.7 smaller each time.
    if (r.WaveSize != 0) {
        r.WaveSceneFlg += 1;
        if (r.WaveSceneFlg >= 2) {
            r.WaveSceneFlg = 0;
            if (r.WaveSize > 0) r.WaveSize = r.WaveSize - 0.7f < 0 ? 0 : r.WaveSize - 0.7f;
            else r.WaveSize = r.WaveSize + 0.7f > 0 ? 0 : r.WaveSize + 0.7f;
            r.WaveSize = -r.WaveSize;
        }
    }

    // The logo spins and grows about the screen's centre.
    const float ts = r.TitleSize;
    const Vec2 centre(125 * ts, 65 * ts);
    Spr(title.lpText, R(221, 151, 472, 282), 195 + 125 - 125 * ts, 175 + 65 - 65 * ts + r.WaveSize, W(r.Alpha),
        Vec2(ts, ts), &centre, Rad(float(r.TitleRot)));

    if (b.CircleInitFlg == 0) {
        b.CircleInitFlg = 1;
        for (int k = 0; k < kBurstSparks; k++) {
            b.Ang -= 1;
            const float a = Rad(float(b.Ang));
            b.CirclePos[k] = Vec2(280, 210);
            const float r1 = float(plat::Rand() % 500 + 100) / 100.0f;
            const float r2 = float(plat::Rand() % 500 + 100) / 100.0f;
            b.CirclePosPlus[k] = Vec2(std::cos(a) * r1 * 2, std::sin(a) * r2 * 2);
            b.CircleSize[k] = float(plat::Rand() % 500 + 100) / 1000.0f;
            const float green = float(plat::Rand() % 256);
            const float blue = float(plat::Rand() % 256);
            b.CircleColor[k] = plat::Color(254, green, blue, 0);
        }
    }

    if (r.TitleSize >= 1.0f) {
        if (b.Flg == 0) {
            b.Flg = 1;
            r.WaveSize = 20;
        }
        Blend(plat::BLEND_SRCALPHA, plat::BLEND_DESTALPHA);
        plat::Texture* spark = title.lpEffectCircle;
        for (int k = 0; k < kBurstSparks; k++) {
            b.CirclePos[k] += b.CirclePosPlus[k];
            b.CirclePosPlus[k].y += 0.08f;
            const plat::Color& c = b.CircleColor[k];
            const uint32_t argb = Alpha8(r.Alpha) | uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | uint32_t(c.b);
            const Vec2 scale(b.CircleSize[k], b.CircleSize[k]);
            if (spark) app.lpSprite->Draw(spark, nullptr, &scale, nullptr, 0, &b.CirclePos[k], argb);
        }
        Blend(plat::BLEND_SRCALPHA, plat::BLEND_INVSRCALPHA);
    }
    app.lpSprite->End();
}

void DrawStartScreens() {
    TitleState& t = title;
    TitleRunState& r = titleRun;
    const int TA = 255 - r.Alpha;
    const int SA = t.SelectAlpha;

    DrawSky();
    if (On(2, 4)) DrawCharacters();
    if (On(4, 5)) DrawStagePreviews();
    Dev()->SetRenderState(plat::RS_LIGHTING, 0);
    if (On(3, 5)) DrawModeBoards();
    r.Ang += 1;
    if (r.Ang >= 360) r.Ang = 0;

    if (!app.lpSprite) return;
    app.lpSprite->Begin();
    if (t.SceneFlg == 1 || t.SceneFlg == -1) DrawOptionPanel();
    if (On(-1, 3)) DrawTitleLayer(TA);
    r.WavePos = Vec2(20.0f * std::cos(Rad(float(r.Ang))), 10.0f * std::sin(Rad(float(3 * r.Ang))));
    Spr(t.lpText, R(689, 2, 830, 64), 350, -460 + 24.0f * float(t.SelectMoji.Now), W(SA));
    if (On(2, 5)) DrawCharacterLayer();
    DrawArrows(SA);
    if (On(3, 6)) DrawModeStageLayer(SA);
    app.lpSprite->End();
}

void DrawCreditsCurtain(int alpha) {
    plat::Texture* white = app.lpWhite;
    if (!app.lpSprite || !white) return;
    const Vec2 scale(640.0f / float(white->width), 480.0f / float(white->height));
    const Vec2 at(0, 0);
    app.lpSprite->Begin();
    app.lpSprite->Draw(white, nullptr, &scale, nullptr, 0, &at, Alpha8(alpha));
    app.lpSprite->End();
}
