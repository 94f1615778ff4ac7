#include "effects/goal_point.h"

#include "app/app_state.h"
#include "effects/effect_quad.h"
#include "platform/rand.h"
#include "round/round_state.h"

using namespace plat;

GoalPointState goalPoint;

namespace {

struct StageLook {
    int records;         // records handled
    float fall;          // per frame
    float floor;         // dies at or below (stage 0) / below (others)
    float scale;         // of Size; 0 = flat, facing -z, unscaled beyond Size
    uint32_t topRgb;     // colour of the top two corners
};

const StageLook kLooks[3] = {
    {kGoalPointMax, 1, 800, 0, 0xFFFFFF},
    {kGoalPointMax, 2, 0, 2.5f, 0x96FF00},
    {kGoalPointClassroom, 1, 0, 0.5f, 0xFFFFFF},
};

bool Dies(const _GOALPOINTEFFECT& e, int stage) {
    if (e.Alpha <= 0) return true;
    return stage == 0 ? e.Pos.y <= kLooks[0].floor : e.Pos.y < 0;
}

void Spawn(int stage) {
    const int records = kLooks[stage].records;
    for (int i = 0; i < records; ++i) {
        _GOALPOINTEFFECT& e = goalPoint.GoalPointEffect[i];
        if (e.Flg != 0) continue;
        e.Flg = 1;
        const Vec3& goal = game.GoalPos;
        if (stage == 0) {
            const float x = float(Rand() % 2000 - 1000);
            const float y = float(Rand() % 300);
            e.Pos = goal + Vec3(x, y, -330);
        } else if (stage == 1) {
            // A random point of the goal box, whose floor is at height 0 on this stage.
            const Vec3& mn = game.Judge.Min;
            const Vec3& mx = game.Judge.Max;
            const int w = int(mx.x - mn.x), h = int(mx.y), dd = int(mx.z - mn.z);
            const float x = float(w > 0 ? Rand() % w : 0);
            const float y = float(h > 0 ? Rand() % h : 0);
            const float z = float(dd > 0 ? Rand() % dd : 0);
            e.Pos = mn + Vec3(x, y, z);
        } else {
            const float x = float(Rand() % 20 - 10);
            const float y = float(Rand() % 300 + 100);
            e.Pos = goal + Vec3(x, y, 0);
        }
        e.Alpha = 1;
        e.AlphaPlus = Rand() % 5;
        e.Size = float(Rand() % 1000 + 200) / 100;
        return;
    }
}

void SetQuad(TLVERTEX v[4], uint32_t top, uint32_t bottom) {
    effects::SetSquare(v, 5);
    effects::SetColors(v, top, top, bottom, bottom);
}

void DrawPanel(Device* d) {
    d->SetTexture(0, app.lpWhite);
    TLVERTEX v[4];
    SetQuad(v, 0x9A00FFFF, 0x9A0000C8);
    Matrix scale, move;
    MatrixScaling(&scale, 200, 70, 0);
    MatrixTranslation(&move, game.GoalPos.x, game.GoalPos.y - 10, game.GoalPos.z - 330);
    d->SetTransform(TS_WORLD, scale * move);
    effects::DrawQuad(d, v);
}

void DrawBeam(Device* d) {
    d->SetTexture(0, game.lpEffectCircle);
    // One pixel row from the middle of the 128-pixel circle, stretched into a beam.
    constexpr float kRowTop = 0.4921875f, kRowBottom = 0.5f;
    TLVERTEX v[4];
    v[0].p = {-20, 190, 0};
    v[1].p = {20, 190, 0};
    v[2].p = {20, -190, 0};
    v[3].p = {-20, -190, 0};
    v[0].t = {0, kRowTop};
    v[1].t = {1, kRowTop};
    v[2].t = {1, kRowBottom};
    v[3].t = {0, kRowBottom};
    effects::SetColors(v, 0xFF00FF00, 0xFF64FF64, 0xFF64FF64, 0xFF00FF00);
    Matrix turn, move;
    MatrixRotationY(&turn, game.Yng * kDegToRad);
    MatrixTranslation(&move, game.GoalPos.x, game.GoalPos.y + 170, game.GoalPos.z);
    d->SetTransform(TS_WORLD, turn * move);
    effects::DrawQuad(d, v);
}

}  // namespace

void GoalPointEfeInit() { goalPoint = GoalPointState{}; }

void GoalPointEfe() {
    const int stage = game.StageNo;
    if (stage < 0 || stage > 2) return;
    const StageLook& look = kLooks[stage];
    Device* d = app.lpD3DDevice;

    d->SetRenderState(RS_SRCBLEND, BLEND_SRCALPHA);
    d->SetRenderState(RS_DESTBLEND, BLEND_DESTALPHA);
    d->SetRenderState(RS_ZWRITEENABLE, 0);
    d->SetFVF(kTlVertexFvf);
    d->SetTexture(0, game.lpShotEffect);

    Spawn(stage);

    if (stage == 0) d->SetRenderState(RS_CULLMODE, CULL_NONE);
    const Matrix face = effects::FaceCamera(game.Yng, game.Xng);
    for (int i = 0; i < look.records; ++i) {
        _GOALPOINTEFFECT& e = goalPoint.GoalPointEffect[i];
        if (e.Flg != 1) continue;
        e.Pos.y -= look.fall;
        e.Alpha += e.AlphaPlus;
        if (e.Alpha >= 254) e.AlphaPlus = -e.AlphaPlus;
        if (Dies(e, stage)) {
            e.Flg = 0;
            continue;
        }
        const int a = effects::ClampAlpha(e.Alpha);
        TLVERTEX v[4];
        SetQuad(v, (uint32_t(a) << 24) | look.topRgb, (uint32_t(a) << 24) | 0xFFFFFF);
        const Matrix world = stage == 0 ? effects::Scaling(e.Size) * effects::Translation(e.Pos)
                                        : effects::Scaling(look.scale * e.Size) * face *
                                              effects::Translation(e.Pos);
        d->SetTransform(TS_WORLD, world);
        effects::DrawQuad(d, v);
    }

    if (stage == 0) {
        DrawPanel(d);
        d->SetRenderState(RS_CULLMODE, CULL_CCW);
    } else if (stage == 2) {
        DrawBeam(d);
    }

    d->SetRenderState(RS_SRCBLEND, BLEND_SRCALPHA);
    d->SetRenderState(RS_DESTBLEND, BLEND_INVSRCALPHA);
    d->SetRenderState(RS_ZWRITEENABLE, 1);
}
