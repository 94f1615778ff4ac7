// Until the score table and ceremony lands: an empty frame at the mode's own pace.
#include "results/score.h"

#include "app/app_state.h"
#include "app/frame_gate.h"
#include "app/render_init.h"
#include "gfx/gfx.h"

namespace {
FrameGate scoreGate;
}

void Score() {
    if (!PassFrameGate(&scoreGate)) return;
    plat::Device* d = app.lpD3DDevice;
    d->SetViewport(app.GameScreen);
    d->Clear(plat::CLEAR_TARGET | plat::CLEAR_ZBUFFER, 0xFF000000, 1.0f);
    d->BeginScene();
    d->EndScene();
    PresentFrame(GameSetLight);
}

void ScoreInit() {}
void ScoreEnd() {}
