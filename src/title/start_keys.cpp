// What each menu screen does with a key, and the two hand-overs that leave the menus: the end
// of character selection and the start of the stage.
#include "app/app_state.h"
#include "audio/music.h"
#include "gfx/gfx.h"
#include "round/round_state.h"
#include "round/stage.h"
#include "title/key_get.h"
#include "title/start.h"
#include "title/title_state.h"

namespace {

void In(_MOVE* m, int plus) {
    m->Plus = plus;
    m->Target = 20;
}
void Out(_MOVE* m, int plus) {
    m->Plus = plus;
    m->Target = 0;
}
void SlideForward() {
    title.Slide.Plus = 1;
    title.Slide.Target += 20;
}
void SlideBack() {
    title.Slide.Plus = -1;
    title.Slide.Target -= 20;
}

// Wraps v into lo..hi when it has just stepped one past either end.
int Wrap(int v, int lo, int hi) {
    if (v < lo) return hi;
    if (v > hi) return lo;
    return v;
}

// The title music makes way for the stage's, which LoadStageInit loads with the stage.
void StartStage() {
    MusicStop();
    ReleaseMesh(&game.Stage);
    LoadStageInit(&game.Stage, game.StageNo);
    MusicPlayLoaded();
}

// Leaving the options applies the music choice: on starts the title music, off stops it.
// The music calls only act while music is on, so the flag changes around them.
void ApplyMusicChoice() {
    if (title.OptionMusicFlg == app.PlayMusicFlg) return;
    if (title.OptionMusicFlg == 0) {
        app.PlayMusicFlg = 0;
        MusicStart("Mid/Opening2.mid");
    } else {
        MusicStop();
    }
    app.PlayMusicFlg = uint8_t(title.OptionMusicFlg);
}

void ToggleCom(int player) {
    CharParameter& c = game.CharGet[player];
    c.Com = c.Com == 0 ? 1 : 0;
}

}  // namespace

void StartSelectKey(int KeyNo) {
    switch (KeyNo) {
    case kKeyUp: title.StartMenuFlg = Wrap(title.StartMenuFlg - 1, 0, 3); break;
    case kKeyDown: title.StartMenuFlg = Wrap(title.StartMenuFlg + 1, 0, 3); break;
    case kKeyDecide:
        switch (title.StartMenuFlg) {
        case 0:
            title.Slide.Plus = 1;
            title.Slide.Target = 20;
            In(&title.Onpu, 1);
            title.SceneFlg += 1;
            break;
        case 1:
            title.Slide.Plus = -1;
            title.Slide.Target = -20;
            In(&title.Onpu, 1);
            In(&title.OptionMoji, 1);
            title.SceneFlg = -1;
            break;
        case 2: title.FadeFlg = 1; break;
        case 3:
            MusicStop();
            app.OwariFlg = 1;
            break;
        default: break;
        }
        break;
    default: break;
    }
}

void OptionSelectKey(int KeyNo) {
    const bool musicRow = title.OptionTriangleFlg == 0;
    switch (KeyNo) {
    case kKeyUp: title.OptionTriangleFlg = 0; break;
    case kKeyDown: title.OptionTriangleFlg = 1; break;
    case kKeyRight:
        if (musicRow) title.OptionMusicFlg = 1;
        else app.FullScreenFlg = 1;
        break;
    case kKeyLeft:
        if (musicRow) title.OptionMusicFlg = 0;
        else app.FullScreenFlg = 0;
        break;
    case kKeyDecide:
        title.Slide.Plus = 1;
        title.Slide.Target = 0;
        Out(&title.Onpu, -1);
        Out(&title.OptionMoji, -1);
        title.SceneFlg = 1;
        ApplyMusicChoice();
        break;
    default: break;
    }
}

void NinzuSelectKey(int KeyNo, int* Ninzu) {
    switch (KeyNo) {
    case kKeyUp: *Ninzu = Wrap(*Ninzu - 1, 1, 4); break;
    case kKeyDown: *Ninzu = Wrap(*Ninzu + 1, 1, 4); break;
    case kKeyDecide:
        SlideForward();
        In(&title.CharMoji, 1);
        In(&title.SelectMoji, 1);
        In(&title.TitleMoji, 1);
        In(&title.ArrowMove, 1);
        In(&title.Onpu, 1);
        title.SceneFlg += 1;
        break;
    case kKeyBack:
        *Ninzu = 1;
        SlideBack();
        In(&title.Onpu, 1);
        title.SceneFlg -= 1;
        break;
    default: break;
    }
}

void CharSelectKey(int KeyNo, int Ninzu) {
    const int p = title.SelectPlayerNo;
    switch (KeyNo) {
    case kKeyUp:
        title.ArrowSize[2] = 0.5f;
        ToggleCom(p);
        break;
    case kKeyDown:
        title.ArrowSize[3] = 0.5f;
        ToggleCom(p);
        break;
    case kKeyRight:
        title.RPuls = 1;
        title.Rot += 9;
        title.ArrowSize[1] = 0.5f;
        title.CharNo = Wrap(title.CharNo + 1, 0, 3);
        break;
    case kKeyLeft:
        title.RPuls = -1;
        title.Rot -= 9;
        title.ArrowSize[0] = 0.5f;
        title.CharNo = Wrap(title.CharNo - 1, 0, 3);
        break;
    case kKeyDecide:
        if (game.Not[title.CharNo] != 0) break;  // taken: the error sound already said so
        game.Player[p].DecideFlg = 1;
        game.Player[p].CharaNo = title.CharNo;
        game.Not[title.CharNo] = 1;
        if (p != Ninzu - 1) title.SelectPlayerNo += 1;
        break;
    case kKeyBack:
        if (p > 0) {
            const int q = --title.SelectPlayerNo;
            game.Player[q].DecideFlg = 0;
            game.Not[game.Player[q].CharaNo] = 0;
            game.Player[q].CharaNo = 0;
            game.CharGet[q].Com = 0;
        } else if (game.Player[0].DecideFlg == 0) {
            SlideBack();
            Out(&title.CharMoji, -1);
            Out(&title.SelectMoji, -1);
            Out(&title.TitleMoji, -1);
            Out(&title.ArrowMove, -1);
            Out(&title.Onpu, -1);
            title.SceneFlg -= 1;
            title.Rot = 0;
            game.CharGet[0].Com = 0;
            title.CharNo = 0;
        }
        break;
    default: break;
    }
}

void CharSelectEnd() {
    for (int i = 0; i < game.Ninzu && i < 4; i++) {
        const int c = game.Player[i].CharaNo;
        CharParameter& g = game.CharGet[i];
        g.Power = title.Parameters[c][0];
        g.Control = title.Parameters[c][1];
        g.PowerShot = title.Parameters[c][2];
        g.Luck = title.Parameters[c][3];
        game.No[i] = c;
    }
    title.Rot = 0;
    SlideForward();
    Out(&title.CharMoji, -1);
    In(&title.ModeMoji, 1);
    title.SceneFlg += 1;
}

void ModeSelectKey(int KeyNo) {
    switch (KeyNo) {
    case kKeyRight:
        title.RPuls = 1;
        title.Rot += 9;
        title.ArrowSize[1] = 0.5f;
        game.SelectStageType = Wrap(game.SelectStageType - 1, 0, 1);
        break;
    case kKeyLeft:
        title.RPuls = -1;
        title.Rot -= 9;
        title.ArrowSize[0] = 0.5f;
        game.SelectStageType = Wrap(game.SelectStageType + 1, 0, 1);
        break;
    case kKeyDecide:
        if (game.SelectStageType == 0) {
            SlideForward();
            Out(&title.ModeMoji, -1);
            In(&title.StageMoji, 1);
            title.Rot = game.StageNo * 90;
            title.SceneFlg += 1;
        } else {
            StartStage();
            GameSetLight();
            title.SceneFlg = 6;
        }
        break;
    case kKeyBack: {
        const int p = title.SelectPlayerNo;
        title.Rot = game.No[p] * 90;
        game.SelectStageType = 0;
        title.WorkFlg = 0;
        SlideBack();
        In(&title.CharMoji, 1);
        Out(&title.ModeMoji, -1);
        game.Not[game.Player[p].CharaNo] = 0;
        game.Player[p] = PLAYERSLOT{};
        title.SceneFlg -= 1;
        break;
    }
    default: break;
    }
}

void StageSelectKey(int KeyNo) {
    switch (KeyNo) {
    case kKeyRight:
        title.RPuls = 1;
        title.Rot += 9;
        title.ArrowSize[1] = 0.5f;
        game.StageNo = Wrap(game.StageNo + 1, 0, 2);
        break;
    case kKeyLeft:
        title.RPuls = -1;
        title.Rot -= 9;
        title.ArrowSize[0] = 0.5f;
        game.StageNo = Wrap(game.StageNo - 1, 0, 2);
        break;
    case kKeyDecide:
        StartStage();
        GameSetLight();  // the round's light, ahead of the stage intro
        title.SceneFlg = 6;
        break;
    case kKeyBack:
        title.Rot = game.SelectStageType * 90;
        SlideBack();
        In(&title.ModeMoji, 1);
        Out(&title.StageMoji, -1);
        title.SceneFlg -= 1;
        break;
    default: break;
    }
}
