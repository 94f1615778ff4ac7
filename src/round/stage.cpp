#include "round/stage.h"

#include "round/round_start.h"

#include "app/app_state.h"
#include "effects/goal_point.h"
#include "effects/lens_flare.h"
#include "gfx/gfx.h"
#include "platform/rand.h"
#include "round/pending.h"
#include "round/round_sound.h"
#include "round/round_state.h"
#include "title/start.h"

using plat::Vec3;

const CharacterBase kCharacterBase[4] = {
    {3, 2, 4, 4},
    {3, 3, 3, 5},
    {3, 1, 5, 2},
    {5, 5, 2, 1},
};

namespace {

const char* const kCanLabels[10] = {
    "bitmap/Orange.bmp", "bitmap/Soda.bmp", "bitmap/U-Cola.bmp", "bitmap/Tea.bmp",
    "bitmap/Coffee.bmp", "bitmap/Black.bmp", "bitmap/Corn.bmp",  "bitmap/Grape.bmp",
    "bitmap/Oden.bmp",   "bitmap/Potion.bmp",
};

struct CharacterFiles {
    const char *Foot, *Body, *Head, *RightHand, *Effect;
};
const CharacterFiles kCharacterFiles[4] = {
    {"XFile/Foot1.x", "XFile/Body1.x", "XFile/Head1.x", "XFile/ManRightHand.x", "bitmap/Effect1.bmp"},
    {"XFile/Foot2.x", "XFile/Body2.x", "XFile/Head2.x", "XFile/GirlRightHand.x", "bitmap/Effect2.bmp"},
    {"XFile/Foot3.x", "XFile/Body3.x", "XFile/Head3.x", "XFile/SalaryRightHand.x", "bitmap/Effect3.bmp"},
    {"XFile/Foot4.x", "XFile/Body4.x", "XFile/Head4.x", "XFile/ChefRightHand.x", "bitmap/Effect4.bmp"},
};

const char* const kTrackFiles[4] = {"XFile/Track1.x", "XFile/Track2.x", "XFile/Track3.x",
                                    "XFile/Track4.x"};

struct StageData {
    const char* mesh;
    const char* music;
    Vec3 max, min;
    float miniMapScale;
    bool lens;
    Vec3 lensPos;
};
const StageData kStages[3] = {
    {"XFile/Stage1.x", "Mid/town1.mid", Vec3(1660, 1500, 3500), Vec3(-320, 811, 2600), 0.08f, true,
     Vec3(10, 1200, 4000)},
    {"XFile/Stage2.x", "Mid/town2.mid", Vec3(1990, 1300, 4900), Vec3(-550, 0, 2500), 0.05f, true,
     Vec3(2000, 2300, 4000)},
    {"XFile/Stage3.x", "Mid/town3.mid", Vec3(-90, 50, 2095), Vec3(-155, 0, 2060), 0.3f, false, Vec3()},
};

}  // namespace

void LoadStageInit(XFILE* Stage, int StageNo) {
    if (StageNo == 2) {
        game.ChaimFlg = ((plat::Rand() % 290) + 10) * 60;
        game.WindowCrashFlg = 0;
    }
    if (StageNo >= 0 && StageNo <= 2) {
        const StageData& s = kStages[StageNo];
        LoadMesh(Stage, s.mesh);
        if (StageNo == 1)
            for (int l = 0; l < 4; l++) LoadMesh(&game.Track[l], kTrackFiles[l]);
        if (app.PlayMusicFlg == 0) LoadStageMusic(s.music);
        game.Judge.Max = s.max;
        game.Judge.Min = s.min;
        game.MiniMapScale = s.miniMapScale;
        if (s.lens) CLens.SetPos(&s.lensPos);
        GoalPointEfeInit();
    }
    game.GoalPos = (game.Judge.Max + game.Judge.Min) / 2;
}

void WindInit() {
    game.Wind = Vec3(0, 0, 0);
    game.WindMeter = 0;
    plat::MatrixIdentity(&game.WindRot);
    if (game.StageNo != 2) {
        game.WindMeter = plat::Rand() % 80;
        game.Wind.z = (float(game.WindMeter) / 2.66f) / 1000.0f;
        plat::MatrixRotationY(&game.WindRot, float(plat::Rand() % 360) * plat::kDegToRad);
    }
    plat::Vec3TransformCoord(&game.Wind, &game.Wind, &game.WindRot);
}

void CanTexShuffle() {
    for (int i = 0; i < 10; i++) game.CanTexNo[i] = i;
    for (int i = 0; i < 10; i++) {
        int j = plat::Rand() % 10;
        int t = game.CanTexNo[i];
        game.CanTexNo[i] = game.CanTexNo[j];
        game.CanTexNo[j] = t;
    }
}

void GameInit() {
    game.DrawMissionFlg = 1;
    game.TitleFlg = 0;
    game.Iniflg = 0;
    game.CharParaInit = 0;
    game.ShotFlg = 0;
    game.PlayerNo = 0;
    game.CameraConditionFlg = 0;
    game.FinishFlg = 0;
    game.FlyPos = Vec3(0, 0, 0);
    game.CheckFlg = 0;
    for (int i = 0; i < 4; i++) game.CBox[i].Pos = Vec3(0, 0, 0);

    WindInit();
    CanTexShuffle();

    for (int i = 0; i < 10; i++) LoadText(&game.lpCanTex[i], kCanLabels[i], 128, 128, 0);
    LoadText(&game.lpGauge, "bitmap/Gauge.bmp", 256, 256, 0xFFFF00FF);
    LoadText(&game.lpBg2, "bitmap/Bg2.bmp", 256, 256, 0xFFFF00FF);
    LoadText(&game.lpShotEffect, "bitmap/flare12.bmp", 128, 128, 0);
    LoadText(&game.lpEffectCircle, "bitmap/tama.bmp", 128, 128, 0);
    LoadText(&game.lpSmoke, "bitmap/Smoke.bmp", 256, 256, 0);
    LoadText(&game.lpCanOB, "bitmap/push.bmp", 512, 256, 0xFFFF00FF);
    LoadText(&game.lpCanShadow, "bitmap/CanShadow.bmp", 64, 64, 0);
    LoadMesh(&game.Arrow, "XFile/Arrow.x");

    for (int i = 0; i < game.Ninzu && i < 4; i++) {
        CHARBOX& box = game.CharBox[i];
        for (int& d : box.Dasu) d = 0;
        game.Can[i].Hekomi = 0;
        game.Can[i].Pos = Vec3(0, 7, 0);
        box.GoalFlg = 0;
        box.OBFlg = 0;
        box.GiveUpFlg = 0;
        box.Rank = 1;
        LoadMesh(&game.Can[i].Mesh, "XFile/Can.x");
        int no = game.No[i];
        if (no >= 0 && no < 4) {
            const CharacterFiles& f = kCharacterFiles[no];
            LoadMesh(&box.Foot, f.Foot);
            LoadMesh(&box.Body, f.Body);
            LoadMesh(&box.Head, f.Head);
            LoadMesh(&box.RightHand, f.RightHand);
            LoadText(&box.lpEffect, f.Effect, 1024, 512, 0);
        }
    }
    LoadRoundSounds();
}

void GameEnd() {
    for (int i = 0; i < game.Ninzu && i < 4; i++) {
        CHARBOX& box = game.CharBox[i];
        ReleaseText(&box.lpEffect);
        ReleaseMesh(&box.Foot);
        ReleaseMesh(&box.Body);
        ReleaseMesh(&box.Head);
        ReleaseMesh(&box.RightHand);
        ReleaseMesh(&game.Can[i].Mesh);
    }
    ReleaseMesh(&game.Stage);
    ReleaseMesh(&game.Arrow);
    if (game.StageNo == 1)
        for (XFILE& t : game.Track) ReleaseMesh(&t);
    ReleaseText(&game.lpGameText);
    ReleaseText(&game.lpCanShadow);
    ReleaseText(&game.lpShotEffect);
    ReleaseText(&game.lpEffectCircle);
    ReleaseText(&game.lpGauge);
    ReleaseText(&game.lpBg2);
    ReleaseText(&game.lpSmoke);
    ReleaseText(&game.lpCanOB);
    for (plat::Texture*& t : game.lpCanTex) ReleaseText(&t);
    ReleaseRoundSounds();
}

bool StartRoundForTest(int ninzu, const int* chars, const int* com, int stage) {
    if (ninzu < 1 || ninzu > 4 || stage < 0 || stage > 2) return false;
    for (int i = 0; chars && i < ninzu; i++)
        if (chars[i] < 0 || chars[i] > 3) return false;
    game.Ninzu = ninzu;
    for (int i = 0; i < game.Ninzu; i++) {
        int no = chars ? chars[i] : i;
        game.No[i] = no;
        const CharacterBase& b = kCharacterBase[no];
        CharParameter& c = game.CharGet[i];
        c.Power = b.Power;
        c.Control = b.Control;
        c.PowerShot = b.PowerShot;
        c.Luck = b.Luck;
        c.Com = com ? com[i] : 0;
    }
    StartEnd();  // the front end's resources go, as when its set-up fade ends
    game.SelectStageType = 0;
    game.StageNo = stage;
    if (!game.lpGameText) LoadText(&game.lpGameText, "bitmap/GameText.bmp", 1024, 1024, 0xFFFF00FF);
    ReleaseMesh(&game.Stage);
    StopMusic();
    LoadStageInit(&game.Stage, stage);
    PlayLoadedMusic();
    GameSetLight();
    GameInit();
    GameSetLight();
    app.Mode = 1;
    return true;
}
