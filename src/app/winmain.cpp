#include "app/winmain.h"

#include <cstdio>

#include "app/app_state.h"
#include "app/frame_gate.h"
#include "app/render_init.h"
#include "app/settings.h"
#include "app/wndfunc.h"
#include "audio/audio_lifecycle.h"
#include "effects/lens_flare.h"
#include "gfx/gfx.h"
#include "platform/clock.h"
#include "platform/keys.h"
#include "platform/message_box.h"
#include "platform/rand.h"
#include "platform/window.h"
#include "results/credit.h"
#include "results/score.h"
#include "round/game.h"
#include "title/start.h"

using namespace plat;

namespace {

constexpr const char* kSettingsFile = "data.txt";

void SetViewport(Viewport* vp, unsigned x, unsigned y, unsigned w, unsigned h) {
    vp->X = x;
    vp->Y = y;
    vp->Width = w;
    vp->Height = h;
    vp->MinZ = 0;
    vp->MaxZ = 1;
}

void ShowLoadingMessage() {
    Device* d = app.lpD3DDevice;
    d->Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF000000, 1.0f);
    d->BeginScene();
    if (app.lpFont) {
        Rect r{420, 410, 640, 480};
        app.lpFont->DrawText("読み込み中...\n(ゴミはゴミ箱へ)", r, DT_NOCLIP, 0xFFFFFF00);
    }
    d->EndScene();
    ReleaseFont(app.lpFont);
    app.lpFont = nullptr;
    SetFont(&app.lpFont, "", 12);
    if (d->Present() != DeviceStatus::Ok) d->Reset();
}

void CallMode() {
    switch (app.Mode) {
        case 0: Start(); break;
        case 1: Game(); break;
        case 2: Score(); break;
        case 3: Credit(); break;
        default: break;
    }
}

}  // namespace

bool AppStartup(const RunOptions& options) {
    const Settings settings = ReadSettings(kSettingsFile);
    app.FullScreenFlg = settings.FullScreenFlg;
    app.PlayMusicFlg = settings.PlayMusicFlg;

    if (options.headlessWindow) {
        UseHeadlessWindow();
    } else if (!CreateGameWindow("Pomelane", app.FullScreenFlg == 0)) {
        std::fprintf(stderr, "pomelane: cannot open the game window\n");
        return false;
    }
    if (options.scriptedInput) {
        UseFakeClock(0);
        UseScriptedKeys(true);
    }

    Device* device = options.nullDevice ? reinterpret_cast<Device*>(CreateNullDevice()) : CreateGlDevice();
    if (!device) {
        ShowErrorMessage("DirectX9が初期化できません。\n未対応のパソコンと思われます。", "ERROR");
        DestroyGameWindow();
        return false;
    }
    app.lpD3DDevice = device;
    SetCurrentDevice(device);

    RenderInit();
    device->SetRenderState(RS_LIGHTING, 0);
    device->SetFVF(kTlVertexFvf);

    SetFont(&app.lpFont, "", 30);
    SetFont(&app.lpFont1, "HG丸ｺﾞｼｯｸM-PRO", 30);
    SetFont(&app.lpFont2, "HG丸ｺﾞｼｯｸM-PRO", 23);
    ShowLoadingMessage();

    if (options.nullAudio) UseNullAudio();
    app.lpSprite = CreateSprite();
    if (app.lpSprite) app.lpSprite->OnResetDevice();
    AudioStartup();

    SRand(TimeGetTime() % 32767);

    SetViewport(&app.GameScreen, 0, 0, 640, 480);
    SetViewport(&app.MiniScreen, 4, 134, 292, 342);
    SetViewport(&app.ArrowScreen, 530, 0, 100, 100);

    LoadMesh(&app.Sky, "XFile/Sky.x");
    LoadText(&app.lpWhite, "bitmap/White.bmp", 1, 1, 0);

    PlayTitleMusic();
    StartInit();
    CLens.Init();
    return true;
}

bool AppFramePass() {
    Message msg;
    frameLoop.FrameRan = false;
    frameLoop.MessageHandled = PeekMessage(&msg);
    if (frameLoop.MessageHandled) {
        if (msg.message == WM_QUIT) return false;
        WndFunc(msg);
    } else {
        CallMode();
    }
    return app.OwariFlg != 1;
}

void AppShutdown() {
    ReleaseMesh(&app.Sky);
    ReleaseText(&app.lpWhite);

    StartEnd();
    GameEnd();
    ScoreEnd();
    CreditEnd();

    ReleaseMusicSegment();
    WriteSettings(kSettingsFile, Settings{app.FullScreenFlg, app.PlayMusicFlg});
    CLens.End();

    ReleaseSprite(app.lpSprite);
    app.lpSprite = nullptr;
    for (Font** f : {&app.lpFont, &app.lpFont1, &app.lpFont2}) {
        ReleaseFont(*f);
        *f = nullptr;
    }

    AudioShutdown();

    SetCurrentDevice(nullptr);
    DestroyDevice(app.lpD3DDevice);
    app.lpD3DDevice = nullptr;
    DestroyGameWindow();
}

int WinMain() {
    if (!AppStartup(RunOptions{})) return 0;
    for (;;) {
        if (!AppFramePass()) break;
        // Nothing to do until the next frame is due: sleep instead of spinning.
        if (!frameLoop.FrameRan && !frameLoop.MessageHandled) {
            if (app.PauseFlg == 1)
                SleepUntil(TimeGetTime() + kFrameMs);
            else
                SleepUntil(frameLoop.NextDue);
        }
    }
    AppShutdown();
    return 0;
}
