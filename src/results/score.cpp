// The score screen: set-up, the per-frame driver with its camera, and the way out.
#include "results/score.h"

#include "app/app_state.h"
#include "app/frame_gate.h"
#include "app/render_init.h"
#include "audio/music.h"
#include "audio/sounds.h"
#include "gfx/gfx.h"
#include "results/ending.h"
#include "results/score_overlay.h"
#include "results/score_state.h"
#include "round/round_state.h"
#include "title/start.h"

using plat::Matrix;
using plat::Vec3;

ScoreState score;
ScoreFrameState scoreFrame;
ScoreRunState scoreRun;
ScoreAssets scoreAssets;
ScoreSoundLog scoreSounds;

namespace {

struct EndingFiles {
    const char *Body, *AsiHidari, *AsiMigi;
};
const EndingFiles kEndingFiles[4] = {
    {"XFile/Ending/Man.x", "XFile/Ending/Man Asi Hidari.x", "XFile/Ending/Man Asi Migi.x"},
    {"XFile/Ending/Girl.x", "XFile/Ending/Girl Asi Hidari.x", "XFile/Ending/Girl Asi Migi.x"},
    {"XFile/Ending/Sara.x", "XFile/Ending/Sara Asi Hidari.x", "XFile/Ending/Sara Asi Migi.x"},
    {"XFile/Ending/Shef.x", "XFile/Ending/Shef Asi Hidari.x", "XFile/Ending/Shef Asi Migi.x"},
};

// The scenery in its loading order.
const char* const kScenery[9] = {
    "XFile/Ending/list.x", "XFile/Ending/jimen.x", "XFile/Ending/biri.x",
    "XFile/Ending/kyu.x",  "XFile/Ending/Naku.x",  "XFile/Ending/Futuu.x",
    "XFile/Ending/cup0.x", "XFile/Ending/cup1.x",  "XFile/Ending/cup2.x",
};
XFILE* SceneryMeshes(ScoreAssets& a, int i) {
    XFILE* m[9] = {&a.List, &a.Jimen, &a.Biri, &a.Rock, &a.Naku, &a.Futuu, &a.Cup0, &a.Cup1, &a.Cup2};
    return m[i];
}

void ReleaseChara(ENDCHARA* c) {
    ReleaseMesh(&c->Body);
    ReleaseMesh(&c->AsiHidari);
    ReleaseMesh(&c->AsiMigi);
}

// The look-at point sinks to the podium; the eye moves in on the winner and back out when the
// second place stands, or pans to the last place; each cup shrinks once its finisher stands.
void MoveCamera() {
    ScoreState& s = score;
    ScoreFrameState& f = scoreFrame;
    if (s.XFlg == 1) {
        f.X += 0.1f;
        if (f.X >= 5.0f) {
            f.X -= 0.1f;
            s.RockFlg = 1;
        }
    }
    if (s.YFlg == 0) {
        f.CameraY -= 0.1f;
        if (f.CameraY <= -1.5f) {
            f.CameraY += 0.1f;
            s.YFlg = 1;
        }
    }
    if (s.JFlg[0] == 2) {
        f.Y += 0.1f;
        f.Z += 0.1f;
        s.Kaku[0] -= 0.01f;
        if (f.Y >= 1.3f) f.Y -= 0.1f;
        if (f.Z >= -7.5f) {
            f.Z -= 0.1f;
            f.flg = 1;
        }
        if (s.Kaku[0] <= 0.8f) s.Kaku[0] += 0.01f;
    }
    if (s.JFlg[1] == 2) {
        f.flg = 2;
        f.Z -= 0.2f;
        f.Y -= 0.2f;
        s.Kaku[1] -= 0.01f;
        if (f.Y <= 0) f.Y += 0.1f;
        if (f.Z < -9.5f) f.Z += 0.1f;
        if (s.Kaku[1] <= 0.8f) s.Kaku[1] += 0.01f;
    }
    if (s.JFlg[2] == 2) {
        s.Kaku[2] -= 0.01f;
        if (s.Kaku[2] <= 0.8f) s.Kaku[2] += 0.01f;
    }
}

void SetCamera() {
    const ScoreFrameState& f = scoreFrame;
    Vec3 eye(f.X, f.Y, f.Z), at(0, f.CameraY, 0);
    // The last-place gag looks at the crying last place from close by.
    if (score.EnFlg >= 2 && score.EnFlg <= 4) {
        eye = Vec3(6, -1, -7.5f);
        at = Vec3(1, -1, 0);
    }
    const Vec3 up(0, 1, 0);
    Matrix view, proj;
    plat::MatrixLookAtLH(&view, &eye, &at, &up);
    plat::MatrixPerspectiveFovLH(&proj, 3.14159265f / 3, 4.0f / 3.0f, 1, 1500);
    app.lpD3DDevice->SetTransform(plat::TS_VIEW, view);
    app.lpD3DDevice->SetTransform(plat::TS_PROJECTION, proj);
}

}  // namespace

ENDCHARA* CharaOfPlace(int place) {
    ScoreAssets& a = scoreAssets;
    switch (place) {
        case 1: return &a.Chara1;
        case 2: return &a.Chara2;
        case 3: return &a.Chara0;
        case 4: return &a.Chara3;
        default: return nullptr;
    }
}

void ScoreInit() {
    score = ScoreState{};
    game.KeyFlg = 0;
    ScoreAssets& a = scoreAssets;
    for (int i = 0; i < 9; i++) LoadMesh(SceneryMeshes(a, i), kScenery[i]);
    // Records are in place order by now; a slot nobody holds stays empty.
    for (int p = 1; p <= 4; p++) ReleaseChara(CharaOfPlace(p));
    for (int i = 0; i < game.Ninzu && i < 4; i++) {
        const int no = game.No[i];
        ENDCHARA* c = CharaOfPlace(game.CharBox[i].Rank);
        if (!c || no < 0 || no > 3) continue;
        LoadMesh(&c->Body, kEndingFiles[no].Body);
        LoadMesh(&c->AsiHidari, kEndingFiles[no].AsiHidari);
        LoadMesh(&c->AsiMigi, kEndingFiles[no].AsiMigi);
    }
    ReleaseText(&a.lpScore);
    ReleaseText(&a.lpEn);
    LoadText(&a.lpScore, "bitmap/Score.bmp", 512, 512, 0xFFFFFFFF);
    LoadText(&a.lpEn, "bitmap/En.bmp", 512, 512, 0xFFFFFFFF);
    ReleaseScoreSounds();
    LoadScoreSounds();
}

void ScoreEnd() {
    ReleaseScoreSounds();
    ScoreAssets& a = scoreAssets;
    for (int i = 0; i < 9; i++) ReleaseMesh(SceneryMeshes(a, i));
    for (int p = 1; p <= 4; p++) ReleaseChara(CharaOfPlace(p));
    ReleaseText(&a.lpScore);
    ReleaseText(&a.lpEn);
    for (int i = 0; i < game.Ninzu && i < 4; i++) {
        CHARBOX& b = game.CharBox[i];
        for (int& d : b.Dasu) d = 0;
        b.TotalDasu = 0;
        game.No[i] = 0;
    }
}

void ScoreExit() {
    if (app.PlayMusicFlg == 0) {
        scoreFrame.Vol = 500;
        SetMusicVolume(scoreFrame.Vol);
    }
    scoreRun.ScoreInitFlg = 0;
    scoreRun.EndUpdateProcFlg = 0;
    scoreRun.EndRenderProcFlg = 0;
    app.Mode = 0;
    ScoreEnd();
    StartInit();
    MusicChange("Mid/Opening2.mid");
}

void Score() {
    if (!PassFrameGate(&scoreRun.Gate)) return;
    if (scoreRun.ScoreInitFlg == 0) {
        scoreRun.ScoreInitFlg = 1;
        scoreFrame = ScoreFrameState{};
    }
    EndUpdateProc();

    plat::Device* d = app.lpD3DDevice;
    d->SetViewport(app.GameScreen);
    d->Clear(plat::CLEAR_TARGET | plat::CLEAR_ZBUFFER, 0xFF002333, 1.0f);
    d->BeginScene();
    MoveCamera();
    SetCamera();
    EndRenderProc();

    if (app.lpSprite) app.lpSprite->Begin();
    if (scoreFrame.flg == 1) ScoreBanner();
    if (game.KeyFlg == 1) ScoreTable();
    ScoreCurtain();
    if (game.KeyFlg == 3) ScoreIris();
    if (app.lpSprite) app.lpSprite->End();
    d->EndScene();
    // On the frame that leaves, the title's light is the one to restore.
    PresentFrame(app.Mode == 2 ? GameSetLight : StartLightSet);
}
