// One frame of the front end, in the order the menus' timing rests on: the opening, the
// screens, the credits fade, the keys and the slide records, the set-up fade, the stage intro.
#include "title/start.h"

#include "app/app_state.h"
#include "app/frame_gate.h"
#include "app/render_init.h"
#include "audio/audio_state.h"
#include "audio/music.h"
#include "audio/sounds.h"
#include "gfx/gfx.h"
#include "results/credit.h"
#include "results/mission_intro.h"
#include "round/game.h"
#include "round/pending.h"
#include "round/round_state.h"
#include "title/key_get.h"
#include "title/start_draw.h"
#include "title/title_state.h"

namespace {

plat::Device* Dev() { return app.lpD3DDevice; }

// The logo spins, grows with a hit, is held, then fades; Alpha at 0 ends the opening.
void OpeningStep() {
    TitleRunState& r = titleRun;
    switch (r.Flg) {
    case 0:
        r.TitleRot += 10;
        if (r.TitleRot >= 737) {
            r.Flg = 1;
            r.TitleRot = 17;
        }
        break;
    case 1:
        r.TitleSize += 0.05f;
        if (r.TitleSize >= 1.0f) {
            r.TitleSize = 1.0f;
            PlaySound(audio.lpSLogoHit);
            r.Flg = 2;
        }
        break;
    case 2:
        r.Scene += 1;
        if (r.Scene >= 120) {
            r.Flg = 3;
            r.AlphaPlus = 1;
        }
        break;
    default: break;
    }
    if (r.Alpha <= 0) {
        r.Alpha = 0;
        title.SceneFlg = 1;
    }
}

// Black creeps over the menus; when it is complete the credits take over.
void CreditsFade() {
    TitleRunState& r = titleRun;
    DrawCreditsCurtain(r.FadeAlpha);
    r.FadeAlpha += 5;
    if (r.FadeAlpha > 255) {
        r.FadeAlpha = 0;
        app.Mode = 3;
        StartEnd();
        CreditInit();
        MusicChange("Mid/vok-g11.mid");
    }
}

void HandleKey(int key) {
    switch (title.SceneFlg) {
    case -1: OptionSelectKey(key); break;
    case 0:
        if (key == kKeyDecide) titleRun.AlphaPlus = 10;  // cuts the opening short
        break;
    case 1: StartSelectKey(key); break;
    case 2: NinzuSelectKey(key, &game.Ninzu); break;
    case 3: CharSelectKey(key, game.Ninzu); break;
    case 4: ModeSelectKey(key); break;
    case 5: StageSelectKey(key); break;
    default: break;
    }
}

void StepMoves() {
    TitleState& t = title;
    for (_MOVE* m : {&t.Slide, &t.TitleMoji, &t.CharMoji, &t.SelectMoji, &t.ModeMoji, &t.StageMoji,
                     &t.ArrowMove, &t.OptionMoji, &t.Onpu}) {
        if (m->Now != m->Target) m->Now += m->Plus;
    }
    // On the title menu and the players screen the notes hop: ten steps out, ten back.
    if (t.SceneFlg == 1 || t.SceneFlg == 2) {
        if (t.Onpu.Now == 10) t.Onpu.Plus = -1;
        if (t.Onpu.Now == 0) t.Onpu.Target = 0;
    }
    if (t.Rot % 90 != 0) t.Rot += t.RPuls * 9;
}

}  // namespace

void Start() {
    if (!PassFrameGate(&titleRun.Gate)) return;
    StartFrame();
}

void StartFrame() {
    TitleState& t = title;
    TitleRunState& r = titleRun;

    BeginStartScene();
    if (r.Alpha != 0) r.Alpha -= r.AlphaPlus;
    if (t.SceneFlg == 0) {
        if (r.Alpha == 0) {
            // A later visit: straight to the title menu, this frame not shown.
            t.SceneFlg = 1;
            Dev()->EndScene();
            return;
        }
        OpeningStep();
        if (r.Alpha != 0) DrawOpening();
    }

    DrawStartScreens();
    if (t.FadeFlg == 1) CreditsFade();

    if (t.SceneFlg >= -1 && t.SceneFlg <= 5) {
        int key = kKeyNone;
        if (t.Slide.Now == t.Slide.Target && t.Rot % 90 == 0) key = KeyGet();
        HandleKey(key);
        StepMoves();
    }

    if (t.SceneFlg == 6) {
        t.SelectAlpha -= 15;
        if (t.SelectAlpha < 0) {
            t.SelectAlpha = 0;
            StartEnd();
            t.SceneFlg = 7;
        }
    }
    if (t.SceneFlg == 7 && DrawMission() != 0) {
        app.Mode = 1;
        t.SceneFlg = 0;
        GameInit();
        Dev()->EndScene();
        return;
    }

    Dev()->EndScene();
    // From the set-up fade on, the round's light is in force: a reset must put that one back.
    PresentFrame(t.SceneFlg >= 6 ? GameSetLight : StartLightSet);
}
