#include "results/mission_intro.h"

#include "app/app_state.h"
#include "gfx/gfx.h"
#include "round/round_state.h"

using namespace plat;

MissionIntroState missionIntro;

namespace {

constexpr Rect kHeading{2, 2, 407, 64};
// Titles by stage number.
constexpr Rect kStageTitle[3] = {{2, 67, 486, 130}, {2, 199, 367, 262}, {2, 133, 480, 196}};

void DrawStageModel(const MissionIntroState& m) {
    Device* d = app.lpD3DDevice;
    d->SetRenderState(RS_LIGHTING, 1);
    Matrix scale, rot, move;
    const float s = 1.0f - m.StageScale;
    MatrixScaling(&scale, s, s, s);
    MatrixRotationY(&rot, m.StageRot * kDegToRad);
    MatrixTranslation(&move, game.Pos.x, game.Pos.y - 100, game.Pos.z);
    d->SetTransform(TS_WORLD, scale * rot * move);
    DrawMesh(&game.Stage);
    d->SetRenderState(RS_LIGHTING, 0);
}

void DrawTexts(const MissionIntroState& m) {
    Sprite* sp = app.lpSprite;
    if (!sp) return;
    const uint32_t color = (uint32_t(m.ClearMojiAlpha) << 24) | 0xFFFFFF;
    const Vec2 one(1, 1);
    sp->Begin();
    const Vec2 headingPos(108, 150);
    sp->Draw(game.lpGameText, &kHeading, &one, nullptr, 0, &headingPos, color);
    const int stage = game.StageNo >= 0 && game.StageNo < 3 ? game.StageNo : 0;
    const Rect& title = kStageTitle[stage];
    const Vec2 titlePos(320 - float(title.right - title.left) / 2, 250);
    sp->Draw(game.lpGameText, &title, &one, nullptr, 0, &titlePos, color);
    sp->End();
}

}  // namespace

int DrawMission() {
    MissionIntroState& m = missionIntro;
    if (m.MissionFlg == 0) {
        m.MissionFlg = 1;
        m.StageScale = 1.0f;
        m.StageRot = 45;
        m.ClearMojiAlpha = 0;
        m.Scene = 0;
    }
    DrawStageModel(m);
    DrawTexts(m);
    if (m.MissionFlg == 1) {
        m.StageScale = 1 - m.StageRot / 400;
        m.StageRotPlus -= 0.05f;
        m.StageRot += m.StageRotPlus;
        if (m.StageRotPlus <= 0) {
            m.StageRotPlus = 6.0f;
            m.MissionFlg = 2;
        }
    }
    if (m.MissionFlg == 2) {
        m.ClearMojiAlpha += 15;
        if (m.ClearMojiAlpha >= 255) {
            m.ClearMojiAlpha = 255;
            m.Scene += 1;
            if (m.Scene >= 150 && FadeOut(0) == 1) {
                m.MissionFlg = 0;
                return 1;
            }
        }
    }
    return 0;
}
