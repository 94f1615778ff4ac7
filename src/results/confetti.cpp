// Confetti over the ceremony: one coloured square a frame starts at height 50 and spins
// down to below -5, drawn so that it adds light.
#include "app/app_state.h"
#include "gfx/gfx.h"
#include "platform/rand.h"
#include "results/ending.h"

using plat::Matrix;
using plat::Vec3;

ConfettiState confetti;

namespace {

void Spawn(_OBJ* o) {
    o->Flg = 1;
    const float px = float(plat::Rand() % 100 - 50);
    const float pz = float(plat::Rand() % 20 - 5);
    o->Pos = Vec3(px, 50, pz);
    const uint32_t r = uint32_t(plat::Rand() % 255);
    const uint32_t g = uint32_t(plat::Rand() % 255);
    const uint32_t b = uint32_t(plat::Rand() % 255);
    o->Color = 0xFF000000u | r << 16 | g << 8 | b;
    o->Rot = float(plat::Rand() % 360);
    o->RotPlus = float(plat::Rand() % 100) / 10;
    const float yaw = float(plat::Rand() % 360);
    const float pitch = float(plat::Rand() % 360);
    const float roll = float(plat::Rand() % 360);
    Matrix m;
    plat::MatrixRotationYawPitchRoll(&m, yaw * plat::kDegToRad, pitch * plat::kDegToRad, roll * plat::kDegToRad);
    const Vec3 z(0, 0, 1);
    plat::Vec3TransformCoord(&o->Axis, &z, &m);
}

}  // namespace

void Confetti() {
    plat::Device* d = app.lpD3DDevice;
    d->SetRenderState(plat::RS_SRCBLEND, plat::BLEND_SRCALPHA);
    d->SetRenderState(plat::RS_DESTBLEND, plat::BLEND_DESTALPHA);
    d->SetFVF(kTlVertexFvf);
    d->SetRenderState(plat::RS_LIGHTING, 0);
    d->SetTexture(0, nullptr);
    Matrix id;
    plat::MatrixIdentity(&id);
    d->SetTransform(plat::TS_WORLD, id);

    TLVERTEX v[4] = {{Vec3(-0.15f, 0.15f, 0), 0, {}},
                     {Vec3(0.15f, 0.15f, 0), 0, {}},
                     {Vec3(0.15f, -0.15f, 0), 0, {}},
                     {Vec3(-0.15f, -0.15f, 0), 0, {}}};
    for (_OBJ& o : confetti.Fubuki) {
        if (o.Flg != 1) continue;
        for (TLVERTEX& c : v) c.color = o.Color;
        o.Rot += o.RotPlus;
        Matrix spin, at, world;
        plat::MatrixRotationAxis(&spin, &o.Axis, o.Rot * plat::kDegToRad);
        plat::MatrixTranslation(&at, o.Pos.x, o.Pos.y, o.Pos.z);
        world = spin * at;
        d->SetTransform(plat::TS_WORLD, world);
        d->DrawPrimitiveUP(plat::PT_TRIANGLEFAN, 2, v, sizeof(TLVERTEX));
        o.Pos.y -= 0.2f;
        if (o.Pos.y < -5) o.Flg = 0;
    }
    for (_OBJ& o : confetti.Fubuki) {
        if (o.Flg == 1) continue;
        Spawn(&o);
        break;
    }

    d->SetRenderState(plat::RS_SRCBLEND, plat::BLEND_SRCALPHA);
    d->SetRenderState(plat::RS_DESTBLEND, plat::BLEND_INVSRCALPHA);
}
