// Bitmaps, fonts, the two full-screen fades and the two light set-ups.
#include "gfx/gfx.h"

#include "app/app_state.h"

using namespace plat;

GfxState gfx;

void LoadText(Texture** lpTex, const char* fname, int W, int H, uint32_t Color) {
    *lpTex = LoadTextureFromBmp(fname, W, H, Color);
}

void ReleaseText(Texture** lpTex) {
    ReleaseTexture(*lpTex);
    *lpTex = nullptr;
}

void SetFont(Font** lpFont, const char* Font, int Height) {
    *lpFont = CreateFont(Font, Height, 1000);
    if (*lpFont) (*lpFont)->OnResetDevice();
}

namespace {

// lpWhite stretched over the whole back buffer in one sprite batch of its own.
void DrawCurtain(uint32_t argb) {
    Texture* white = app.lpWhite;
    if (!app.lpSprite || !white) return;
    const Vec2 scale(640.0f / float(white->width), 480.0f / float(white->height));
    const Vec2 pos(0, 0);
    app.lpSprite->Begin();
    app.lpSprite->Draw(white, nullptr, &scale, nullptr, 0.0f, &pos, argb);
    app.lpSprite->End();
}

}  // namespace

int FadeOut(uint32_t Color) {
    gfx.FadeOutCount += 15;
    if (gfx.FadeOutCount > 255) {
        gfx.FadeOutCount = 0;
        return 1;
    }
    const uint32_t c = Color & 255;
    DrawCurtain(uint32_t(gfx.FadeOutCount) << 24 | c << 16 | c << 8 | c);
    return 0;
}

int FadeIn() {
    DrawCurtain(uint32_t(gfx.FadeInCount) << 24);
    gfx.FadeInCount -= 5;
    if (gfx.FadeInCount < 0) {
        gfx.FadeInCount = 255;
        return 1;
    }
    return 0;
}

namespace {

void SetLight0(float ambient, const Vec3& direction) {
    Device* d = app.lpD3DDevice;
    if (!d) return;
    Light light;
    light.Type = LIGHT_DIRECTIONAL;
    light.Diffuse = Color(1.0f, 1.0f, 1.0f, 0.0f);
    light.Ambient = Color(ambient, ambient, ambient, 0.0f);
    light.Direction = direction;
    d->SetLight(0, light);
    d->LightEnable(0, true);
}

}  // namespace

void StartLightSet() { SetLight0(0.2f, Vec3(0.0f, 0.0f, 1.0f)); }

void GameSetLight() { SetLight0(0.5f, Vec3(1.0f, -0.7f, 0.2f)); }
