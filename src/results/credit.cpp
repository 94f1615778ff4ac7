// The credits: seven pages fade in and out over black while a small logo waves in the corner;
// Z skips to a black curtain. Then the title comes back.
#include "results/credit.h"

#include <cmath>

#include "app/app_state.h"
#include "app/render_init.h"
#include "audio/music.h"
#include "gfx/gfx.h"
#include "platform/keys.h"
#include "platform/sprite.h"
#include "round/round_state.h"
#include "title/start.h"

using plat::Matrix;
using plat::Rect;
using plat::Vec2;
using plat::Vec3;

CreditState credit;

namespace {

const Rect rcMain{2, 2, 578, 77};
const Rect rcSub{2, 80, 545, 155};
const Rect rcSpecial{2, 158, 494, 232};
const Rect rc3D{2, 235, 402, 311};
const Rect rcMusic{2, 314, 206, 382};
const Rect rcAdviser{209, 314, 461, 383};
const Rect rcTitle{221, 151, 472, 282};
const Rect rcName01{2, 386, 242, 431};
const Rect rcName02{2, 434, 280, 480};
const Rect rcName03{2, 483, 307, 534};
const Rect rcName04{2, 537, 214, 588};
const Rect rcName05{2, 591, 243, 637};
const Rect rcName06{2, 640, 269, 686};
const Rect rcName07{2, 689, 322, 735};
const Rect rcName08{2, 738, 286, 788};
const Rect rcName09{2, 791, 119, 840};
const Rect rcName10{122, 791, 291, 840};
const Rect rcName11{2, 843, 214, 889};

constexpr int kCentredVertically = -1;

// An image of the page centred on x cx, at y (or centred vertically).
void Image(plat::Texture* tex, const Rect& r, float cx, int y, float scale = 1) {
    if (!app.lpSprite) return;
    const float w = float(r.right - r.left) * scale;
    const float top = y == kCentredVertically ? float(240 - (r.bottom - r.top) / 2) : float(y);
    const Vec2 s(scale, scale), at(cx - w / 2, top);
    app.lpSprite->Draw(tex, &r, &s, nullptr, 0, &at, uint32_t(credit.Alpha) << 24 | 0xFFFFFF);
}

void Page(int page) {
    plat::Texture* c = credit.lpCredit;
    switch (page) {
        case 0:
            Image(c, rcMain, 320, 50);
            Image(c, rcName01, 320, 220, 1.5f);
            break;
        case 1:
            Image(c, rcSub, 320, 50);
            Image(c, rcName02, 220, 220);
            Image(c, rcName03, 420, 270);
            break;
        case 2:
            Image(c, rcSpecial, 320, 50);
            Image(c, rcName04, 320, 150);
            Image(c, rcName05, 220, 200);
            Image(c, rcName06, 420, 250);
            Image(c, rcName08, 220, 300);
            break;
        case 3:
            Image(c, rc3D, 320, 50);
            Image(c, rcName07, 320, kCentredVertically);
            break;
        case 4:
            Image(c, rcMusic, 320, 50);
            Image(c, rcName09, 320, 200);
            Image(c, rcName10, 320, 300);
            break;
        case 5:
            Image(c, rcAdviser, 320, 50);
            Image(c, rcName11, 320, kCentredVertically);
            break;
        case 6:
            Image(credit.lpText, rcTitle, 320, kCentredVertically);
            break;
        default:
            break;
    }
}

// A 60 x 60 grid of quads whose depth follows a cosine running along the flag.
void WavingLogo() {
    plat::Device* d = app.lpD3DDevice;
    const uint32_t color = uint32_t(255 - credit.LogoAlpha) << 24 | 0xFFFFFF;
    Matrix scale;
    plat::MatrixScaling(&scale, 0.25f, 0.25f, 0.25f);
    for (int i = 0; i < 60; i++) {
        const float z0 = std::cos(float(9 * i + credit.A) * plat::kDegToRad) * 32 * 2;
        const float z1 = std::cos(float(9 * (i + 1) + credit.A) * plat::kDegToRad) * 32 * 2;
        const float v0 = float(i) / 60, v1 = float(i + 1) / 60;
        for (int j = 0; j < 60; j++) {
            Matrix at, world;
            plat::MatrixTranslation(&at, 730 + 2.5f * float(i), 2.5f * float(j) - 150, 0);
            world = scale * at;
            d->SetTransform(plat::TS_WORLD, world);
            const float u0 = float(j) / 60, u1 = float(j + 1) / 60;
            const TLVERTEX v[4] = {{Vec3(0, 0, z0), color, Vec2(u0, v0)},
                                   {Vec3(0, 10, z0), color, Vec2(u1, v0)},
                                   {Vec3(10, 10, z1), color, Vec2(u1, v1)},
                                   {Vec3(10, 0, z1), color, Vec2(u0, v1)}};
            d->DrawPrimitiveUP(plat::PT_TRIANGLEFAN, 2, v, sizeof(TLVERTEX));
        }
    }
}

void Advance() {
    CreditState& c = credit;
    if ((plat::GetAsyncKeyState('Z') & 0x8000) && game.KeyFlg == 0) game.KeyFlg = 1;
    if (game.KeyFlg == 0) {
        c.Alpha += c.AlphaPlus;
        if (c.Alpha >= 255) {
            c.Alpha = 255;
            c.CreditSceneFlg += 1;
            if (c.CreditSceneFlg >= 100) {
                c.CreditSceneFlg = 100;
                c.AlphaPlus = -15;
            }
        }
        // The waving logo fades out with the last page.
        if (c.CreditFlg == 6 && c.AlphaPlus == -15) {
            c.LogoAlpha += 15;
            if (c.LogoAlpha > 255) c.LogoAlpha = 255;
        }
    } else {
        c.Alpha -= 5;
        if (c.Alpha < 0) c.Alpha = 0;
        c.LogoAlpha += 5;
        if (c.LogoAlpha > 255) c.LogoAlpha = 255;
        c.SkipAlpha += 5;
    }
    if (c.Alpha < 0) {
        c.CreditSceneFlg = 0;
        c.Alpha = 0;
        c.AlphaPlus = 10;
        c.CreditFlg += 1;
    }
}

}  // namespace

void Credit() {
    CreditState& c = credit;
    if (!PassFrameGate(&c.Gate)) return;
    plat::Device* d = app.lpD3DDevice;
    Matrix id;
    plat::MatrixIdentity(&id);
    d->SetTransform(plat::TS_WORLD, id);
    d->SetViewport(app.GameScreen);
    d->Clear(plat::CLEAR_TARGET | plat::CLEAR_ZBUFFER, 0xFF000000, 1.0f);
    d->BeginScene();
    const Vec3 eye(300, 280, -800), at(300, 280, -799), up(0, 1, 0);
    Matrix view, proj;
    plat::MatrixLookAtLH(&view, &eye, &at, &up);
    plat::MatrixPerspectiveFovLH(&proj, 3.14159265f / 3, 4.0f / 3.0f, 1, 1000);
    d->SetTransform(plat::TS_VIEW, view);
    d->SetTransform(plat::TS_PROJECTION, proj);
    d->SetRenderState(plat::RS_LIGHTING, 0);
    d->SetFVF(kTlVertexFvf);
    d->SetTexture(0, c.lpLogo);

    if (c.CreditInitFlg == 0) {
        c.CreditInitFlg = 1;
        c.CreditSceneFlg = 0;
        c.SkipAlpha = 0;
        c.LogoAlpha = 0;
        c.CreditFlg = 0;
        c.Alpha = 0;
        c.AlphaPlus = 10;
    }
    c.A += 5;
    if (c.A >= 360) c.A = 0;
    WavingLogo();

    if (app.lpSprite) {
        app.lpSprite->Begin();
        Page(c.CreditFlg);
        plat::Texture* white = app.lpWhite;
        if (white) {
            const Vec2 s(640.0f / float(white->width), 480.0f / float(white->height)), origin(0, 0);
            app.lpSprite->Draw(white, nullptr, &s, nullptr, 0, &origin, uint32_t(c.SkipAlpha & 255) << 24);
        }
        app.lpSprite->End();
    }

    Advance();
    if (c.CreditFlg >= 7 || c.SkipAlpha > 255) {
        c.CreditInitFlg = 0;
        CreditEnd();
        StartInit();
        app.Mode = 0;
        MusicChange("Mid/Opening2.mid");
    }
    d->EndScene();
    PresentFrame(StartLightSet);
}

void CreditInit() {
    CreditEnd();
    LoadText(&credit.lpText, "bitmap/Select.bmp", 1024, 1024, 0xFFFF00FF);
    LoadText(&credit.lpLogo, "bitmap/logo.bmp", 64, 64, 0);
    LoadText(&credit.lpCredit, "bitmap/Credit.bmp", 1024, 1024, 0);
}

void CreditEnd() {
    ReleaseText(&credit.lpText);
    ReleaseText(&credit.lpCredit);
    ReleaseText(&credit.lpLogo);
}
