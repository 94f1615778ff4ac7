// Until the title and menus lands: an empty frame at the mode's own pace.
#include "title/start.h"

#include "app/app_state.h"
#include "app/frame_gate.h"
#include "app/render_init.h"
#include "gfx/gfx.h"

namespace {
FrameGate startGate;
}

void Start() {
    if (!PassFrameGate(&startGate)) return;
    plat::Device* d = app.lpD3DDevice;
    d->SetViewport(app.GameScreen);
    d->Clear(plat::CLEAR_TARGET | plat::CLEAR_ZBUFFER, 0xFF000000, 1.0f);
    d->BeginScene();
    d->EndScene();
    PresentFrame(StartLightSet);
}

void StartInit() {}
void StartEnd() {}
