#include "effects/lens_flare.h"

#include "app/app_state.h"
#include "gfx/gfx.h"
#include "platform/device.h"

using namespace plat;

CLensFlare CLens;

const float kLensFlareFactor[8] = {0.0f, 0.2f, 0.4f, 0.6f, 0.8f, 0.9f, 1.3f, 1.8f};

namespace {
constexpr float kScreenW = 640, kScreenH = 480;
}

CLensFlare::CLensFlare()
    : rcFlare{{2, 2, 233, 240},   {2, 243, 257, 498}, {236, 2, 246, 14}, {249, 2, 296, 49},
              {299, 2, 307, 10},  {310, 2, 314, 6},   {317, 2, 345, 30}, {236, 52, 335, 152}} {}

CLensFlare::~CLensFlare() { End(); }

void CLensFlare::Init() { LoadText(&lpTexture, "bitmap/Lens.bmp", 512, 512, 0); }

void CLensFlare::SetPos(const Vec3* p) { Pos = *p; }

void CLensFlare::Draw(const Matrix* mProj, const Matrix* mView, const Viewport* Viewport) {
    MatrixIdentity(&mWorld);

    // A sun behind the camera can still project onto the screen: its clip w is not positive.
    const Matrix clip = mWorld * *mView * *mProj;
    const float w = Pos.x * clip.m[0][3] + Pos.y * clip.m[1][3] + Pos.z * clip.m[2][3] + clip.m[3][3];
    if (w <= 0) return;

    Vec3 L;
    Vec3Project(&L, &Pos, Viewport, mProj, mView, &mWorld);
    L.z = 0;
    if (L.x < 0 || L.x > kScreenW || L.y < 0 || L.y > kScreenH) return;

    const Vec2 sun(L.x, L.y);
    const Vec2 d = Vec2(kScreenW / 2, kScreenH / 2) - sun;
    const float len = Vec2Length(d);
    int a = 255 - int(len);
    if (a < 200) a = 200;
    const uint32_t color = (uint32_t(a) << 24) | 0xFFFFFF;

    Sprite* sprite = app.lpSprite;
    Device* dev = app.lpD3DDevice;
    if (!sprite || !dev) return;
    sprite->Begin();
    dev->SetRenderState(RS_SRCBLEND, BLEND_SRCALPHA);
    dev->SetRenderState(RS_DESTBLEND, BLEND_DESTALPHA);
    for (int k = 0; k < 8; ++k) {
        const Rect& r = rcFlare[k];
        const Vec2 centre = sun + d * kLensFlareFactor[k];
        const Vec2 topLeft = centre - Vec2(float(r.right - r.left) / 2, float(r.bottom - r.top) / 2);
        sprite->Draw(lpTexture, &r, nullptr, nullptr, 0, &topLeft, color);
    }
    dev->SetRenderState(RS_SRCBLEND, BLEND_SRCALPHA);
    dev->SetRenderState(RS_DESTBLEND, BLEND_INVSRCALPHA);
    sprite->End();
}

void CLensFlare::End() { ReleaseText(&lpTexture); }
