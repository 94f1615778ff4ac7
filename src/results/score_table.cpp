// The score screen's overlays: banner, results table, white curtain and closing iris.
#include <cstdio>

#include "app/app_state.h"
#include "audio/audio_state.h"
#include "audio/music.h"
#include "audio/sounds.h"
#include "platform/font.h"
#include "platform/keys.h"
#include "platform/sprite.h"
#include "results/score_overlay.h"
#include "results/score_state.h"
#include "round/round_state.h"

using plat::Rect;
using plat::Vec2;

namespace {

const Rect kHeading{0, 0, 380, 51};
const Rect kBanner{1, 52, 380, 108};
const Rect kRows[3] = {{0, 111, 505, 188}, {0, 191, 505, 268}, {0, 271, 505, 348}};
const float kRowY[3] = {150, 260, 370};
const Rect kCaption{260, 351, 462, 415};
const Rect kIrisMask{0, 0, 100, 100};

Rect FaceIcon(int no) { return Rect{65 * no, 351, 65 * no + 63, 415}; }

bool ZHeld() { return plat::GetAsyncKeyState('Z') & 0x8000; }

void Sprite(plat::Texture* tex, const Rect& src, float scale, float x, float y, uint32_t color = 0xFFFFFFFF) {
    if (!app.lpSprite) return;
    const Vec2 s(scale, scale), at(x, y);
    app.lpSprite->Draw(tex, &src, &s, nullptr, 0, &at, color);
}

// lpWhite stretched to w x h at (x, y).
void Panel(float x, float y, float w, float h, uint32_t color) {
    plat::Texture* white = app.lpWhite;
    if (!app.lpSprite || !white) return;
    const Vec2 s(w / float(white->width), h / float(white->height)), at(x, y);
    app.lpSprite->Draw(white, nullptr, &s, nullptr, 0, &at, color);
}

// The black outside the square of side EnSize centred on (Enx, Eny), and the mask's disc in it.
void DrawIrisShape() {
    const ScoreState& s = score;
    const float half = s.EnSize / 2;
    const float below = 480 - (s.Eny + half), above = s.Eny - half;
    const float left = s.Enx - half, right = 640 - (s.Enx + half);
    if (below > 0) Panel(0, s.Eny + half, 640, below, 0xFF000000);
    if (above > 0) Panel(0, 0, 640, above, 0xFF000000);
    if (left > 0) Panel(0, 0, left, 480, 0xFF000000);
    if (right > 0) Panel(s.Enx + half, 0, right, 480, 0xFF000000);
    if (s.EnSize > 0) Sprite(scoreAssets.lpEn, kIrisMask, s.EnSize / 100, s.Enx - half, s.Eny - half);
}

// One step of the iris; true when the screen has been left.
bool IrisStep() {
    ScoreState& s = score;
    ScoreFrameState& f = scoreFrame;
    switch (s.EnFlg) {
        case 0:
            if (game.Ninzu != 4) {
                s.Enx = 320;
                s.Eny = 240;
            }
            s.EnSize -= 20;
            if (s.EnSize >= -20) return false;
            // Four players: the last place gets its caption and a last close-up first.
            if (game.Ninzu == 4 && s.BiriAng != -35) {
                s.EnFlg = 1;
                s.EnSize = 0;
                return false;
            }
            ScoreExit();
            return true;
        case 1:
            s.EnSize = 0;
            f.Alpha3 += 5;
            if (f.Alpha3 % 255 == 0) {
                f.Alpha3 -= 5;
                s.EnFlg = 2;
            }
            return false;
        case 2:
            f.AL4 += 5;
            s.BiriAng = -35;
            if (f.AL4 % 255 == 0) {
                f.AL4 -= 5;
                if (game.Ninzu == 4) s.EnFlg = 3;
            }
            return false;
        case 3:
            s.Enx = 320;
            s.Eny = 240;
            s.EnSize += 40;
            if (s.EnSize > 250) s.EnSize = 250;
            // A fresh press: the one that started the iris may still be held.
            if (!ZHeld()) s.EnterFlg1 = 0;
            else if (s.EnterFlg1 == 0) {
                s.EnterFlg1 = 1;
                s.EnFlg = 4;
            }
            return false;
        default:
            s.EnSize -= 20;
            if (s.EnSize >= -20) return false;
            ScoreExit();
            return true;
    }
}

}  // namespace

void ScoreBanner() {
    ScoreFrameState& f = scoreFrame;
    f.x += 10;
    if (f.x >= -20) f.x -= 5;
    if (f.x >= 50) {
        f.x -= 5;
        if (game.Ninzu == 1) game.KeyFlg = 3;
        if (score.OnFlg1 == 0) {
            PlaySound(audio.lpSSample5);
            scoreSounds.Voice++;
            f.x = 51;
            score.OnFlg1 = 1;
        }
    }
    Sprite(scoreAssets.lpScore, kBanner, 1.5f, f.x, 300);
}

void ScoreTable() {
    ScoreState& s = score;
    ScoreFrameState& f = scoreFrame;
    f.Alpha += 5;
    if (f.Alpha % 150 == 0) f.Alpha -= 5;
    f.y += 5;
    if (f.y >= 20) {
        f.y -= 5;
        f.stx[0] -= 10;
        if (f.stx[0] <= 400) f.stx[1] -= 10;
        if (f.stx[1] <= 400) f.stx[2] -= 10;
    }
    Panel(0, 0, 640, 480, uint32_t(f.Alpha) << 24);
    Sprite(scoreAssets.lpScore, kHeading, 1.5f, 30, f.y);
    if (game.Ninzu != 1) {
        Sprite(scoreAssets.lpScore, kRows[0], 1, f.stx[0], kRowY[0]);
        Sprite(scoreAssets.lpScore, kRows[1], 1, f.stx[1], kRowY[1]);
    }
    if (game.Ninzu == 3 || game.Ninzu == 4) Sprite(scoreAssets.lpScore, kRows[2], 1, f.stx[2], kRowY[2]);

    for (int k = 0; k < 3; k++) {
        if (f.stx[k] > 150) continue;
        f.stx[k] = 150;
        for (int i = 0; i < game.Ninzu && i < 4; i++) {
            if (game.CharBox[i].Rank != k + 1) continue;
            const int no = game.No[i];
            if (no >= 0 && no <= 3) Sprite(scoreAssets.lpScore, FaceIcon(no), 1.5f, 260, float(120 + 110 * k));
            if (app.lpFont) {
                char text[64];
                std::snprintf(text, sizeof text, "クリア打数:%d", game.CharBox[i].TotalDasu);
                const Rect at{360, 160 + 110 * k, 640, 480};
                app.lpFont->DrawText(text, at, plat::DT_NOCLIP, 0xFFFF0000);
            }
        }
    }

    if (!ZHeld()) s.EnterFlg1 = 0;
    if (ZHeld() && s.EnterFlg1 == 0) {
        s.EnterFlg1 = 1;
        game.KeyFlg = 2;
        if (game.Ninzu == 4) s.XFlg = 1;
        else game.KeyFlg = 3;
    }
}

void ScoreCurtain() {
    ScoreFrameState& f = scoreFrame;
    f.Alpha2 += 5;
    if (f.Alpha2 > 255) f.Alpha2 = 255;
    const float a = float(f.Alpha2);
    Panel(0, -240 * a / 255, 640, 240, 0xFFFFFFFF);
    Panel(0, 240 + 240 * a / 255, 640, 240, 0xFFFFFFFF);
    Panel(320 + 320 * a / 255, 0, 320, 480, 0xFFFFFFFF);
    Panel(-320 * a / 255, 0, 320, 480, 0xFFFFFFFF);
}

void ScoreIris() {
    const bool left = IrisStep();
    if (!left && score.EnFlg != 0) {
        scoreFrame.Vol -= 100;
        SetMusicVolume(scoreFrame.Vol);
    }
    DrawIrisShape();
    if (left) return;  // the title's now: nothing of this screen's pictures is left
    const int alpha = scoreFrame.Alpha3 - scoreFrame.AL4;
    Sprite(scoreAssets.lpScore, kCaption, 1, 400, 400, uint32_t(alpha < 0 ? 0 : alpha) << 24 | 0xFFFFFF);
}
