// Entering and leaving the front end: its start values and the resources it holds.
#include "app/app_state.h"
#include "audio/sounds.h"
#include "gfx/gfx.h"
#include "round/round_state.h"
#include "title/start.h"
#include "title/title_state.h"

namespace {

const char* const kStageMeshFiles[3] = {
    "XFile/StageSelect/steation.x",
    "XFile/StageSelect/bridge.x",
    "XFile/StageSelect/school.x",
};

struct CharacterMeshFiles {
    const char *Foot, *Body, *Head;
};
const CharacterMeshFiles kCharacterMeshFiles[4] = {
    {"XFile/Foot1.x", "XFile/Body1.x", "XFile/Head1.x"},
    {"XFile/Foot2.x", "XFile/Body2.x", "XFile/Head2.x"},
    {"XFile/Foot3.x", "XFile/Body3.x", "XFile/Head3.x"},
    {"XFile/Foot4.x", "XFile/Body4.x", "XFile/Head4.x"},
};

// Base abilities of the four characters: Power, Control, PowerShot, Luck.
const int kParameters[4][4] = {
    {3, 2, 4, 4},
    {3, 3, 3, 5},
    {3, 1, 5, 2},
    {5, 5, 2, 1},
};

// A texture still held (a visit that ended without StartEnd) is let go before reloading.
void Reload(plat::Texture** tex, const char* file, int w, int h, uint32_t key) {
    ReleaseText(tex);
    LoadText(tex, file, w, h, key);
}

void ResetMove(_MOVE* m) { *m = _MOVE{}; }

}  // namespace

void StartInit() {
    TitleState& t = title;
    t.OptionMusicFlg = int8_t(app.PlayMusicFlg);
    game.Pos = plat::Vec3(0, 0, -10);
    game.LookPos = game.Pos + plat::Vec3(0, 0, 1);

    t.OptionTriangleFlg = 0;
    t.FadeFlg = 0;
    t.StartMenuFlg = 0;
    t.SelectAlpha = 255;
    const float setRot[4] = {90, 0, 270, 180};
    for (int i = 0; i < 4; i++) t.SetRot[i] = setRot[i];
    for (int c = 0; c < 4; c++)
        for (int k = 0; k < 6; k++) t.Parameters[c][k] = k < 4 ? kParameters[c][k] : 0;

    for (_MOVE* m : {&t.Slide, &t.TitleMoji, &t.CharMoji, &t.SelectMoji, &t.ModeMoji, &t.StageMoji,
                     &t.ArrowMove, &t.OptionMoji, &t.Onpu})
        ResetMove(m);
    t.SceneFlg = 0;
    t.Rot = 0;
    t.CharNo = 0;
    t.SelectPlayerNo = 0;
    game.Ninzu = 1;
    t.WorkFlg = 0;
    for (int i = 0; i < 4; i++) {
        t.ArrowSize[i] = 1;
        game.Not[i] = 0;
        game.Player[i] = PLAYERSLOT{};
        game.CharGet[i].Com = 0;
    }
    game.SelectStageType = 0;
    game.StageNo = 0;
    const int stageSetRot[3] = {120, 0, 240};
    for (int i = 0; i < 3; i++) t.StageSetRot[i] = stageSetRot[i];

    Reload(&t.lpEffectCircle, "bitmap/tama.bmp", 128, 128, 0);
    Reload(&game.lpGameText, "bitmap/GameText.bmp", 1024, 1024, 0xFFFF00FF);
    Reload(&t.lpText, "bitmap/Select.bmp", 1024, 1024, 0xFFFF00FF);
    Reload(&t.lpSell, "bitmap/Sell.bmp", 256, 128, 0xFFFFFFFF);
    Reload(&t.PlayMode[0].lpTex, "bitmap/Stage.bmp", 512, 256, 0);
    Reload(&t.PlayMode[1].lpTex, "bitmap/Round.bmp", 512, 256, 0);
    for (int i = 0; i < 3; i++) LoadMesh(&t.StageMesh[i], kStageMeshFiles[i]);
    for (int i = 0; i < 4; i++) {
        CHARBOX& box = game.CharBox[i];
        LoadMesh(&box.Foot, kCharacterMeshFiles[i].Foot);
        LoadMesh(&box.Body, kCharacterMeshFiles[i].Body);
        LoadMesh(&box.Head, kCharacterMeshFiles[i].Head);
    }

    StartLightSet();

    ReleaseStartSounds();  // a visit that ended without StartEnd
    LoadStartSounds();
}

void StartEnd() {
    TitleState& t = title;
    ReleaseText(&t.lpEffectCircle);
    for (CHARBOX& box : game.CharBox) {
        ReleaseMesh(&box.Foot);
        ReleaseMesh(&box.Body);
        ReleaseMesh(&box.Head);
    }
    ReleaseStartSounds();
    for (_PALYMODE& m : t.PlayMode) ReleaseText(&m.lpTex);
    ReleaseText(&t.lpText);
    ReleaseText(&t.lpSell);
    for (XFILE& m : t.StageMesh) ReleaseMesh(&m);
}
