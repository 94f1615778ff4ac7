#include "app/render_init.h"

#include "app/app_state.h"

using namespace plat;

void RenderInit() {
    Device* d = app.lpD3DDevice;
    d->SetRenderState(RS_ZENABLE, 1);
    d->SetRenderState(RS_ZWRITEENABLE, 1);
    d->SetRenderState(RS_ALPHABLENDENABLE, 1);
    d->SetRenderState(RS_SRCBLEND, BLEND_SRCALPHA);
    d->SetRenderState(RS_DESTBLEND, BLEND_INVSRCALPHA);
    d->SetTextureStageState(0, TSS_ALPHAOP, TOP_MODULATE);
    d->SetTextureStageState(0, TSS_ALPHAARG1, TA_TEXTURE);
    d->SetTextureStageState(0, TSS_ALPHAARG2, TA_DIFFUSE);
    d->SetTextureStageState(0, TSS_COLOROP, TOP_MODULATE);
    d->SetRenderState(RS_CULLMODE, CULL_CCW);
    d->SetSamplerState(0, SAMP_MIPFILTER, TEXF_LINEAR);
    d->SetSamplerState(0, SAMP_MINFILTER, TEXF_LINEAR);
    d->SetSamplerState(0, SAMP_MAGFILTER, TEXF_LINEAR);
}

void PresentFrame(void (*setLight)()) {
    Device* d = app.lpD3DDevice;
    if (d->Present() == DeviceStatus::Ok) return;
    if (d->TestCooperativeLevel() != DeviceStatus::NotReset) return;
    for (Font* f : {app.lpFont, app.lpFont1, app.lpFont2})
        if (f) f->OnLostDevice();
    if (app.lpSprite) app.lpSprite->OnLostDevice();
    d->Reset();
    RenderInit();
    if (setLight) setLight();
    if (app.lpSprite) app.lpSprite->OnResetDevice();
    for (Font* f : {app.lpFont, app.lpFont1, app.lpFont2})
        if (f) f->OnResetDevice();
}
