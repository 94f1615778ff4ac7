// The effects' hand-built quads: a square of TLVERTEX corners in the order top-left,
// top-right, bottom-right, bottom-left, drawn as a fan of two triangles.
#pragma once

#include <cstdint>

#include "gfx/gfx.h"
#include "platform/device.h"
#include "platform/math.h"

namespace effects {

inline uint32_t Argb(int a, int r, int g, int b) {
    return (uint32_t(a & 0xFF) << 24) | (uint32_t(r & 0xFF) << 16) | (uint32_t(g & 0xFF) << 8) |
           uint32_t(b & 0xFF);
}

// Opacity 0..255 with out-of-range values held at the ends.
inline int ClampAlpha(int a) { return a < 0 ? 0 : a > 255 ? 255 : a; }

// A square of side 2s in the xy plane with the whole texture on it.
inline void SetSquare(TLVERTEX v[4], float s) {
    v[0].p = {-s, s, 0};
    v[1].p = {s, s, 0};
    v[2].p = {s, -s, 0};
    v[3].p = {-s, -s, 0};
    v[0].t = {0, 0};
    v[1].t = {1, 0};
    v[2].t = {1, 1};
    v[3].t = {0, 1};
}

inline void SetColors(TLVERTEX v[4], uint32_t c0, uint32_t c1, uint32_t c2, uint32_t c3) {
    v[0].color = c0;
    v[1].color = c1;
    v[2].color = c2;
    v[3].color = c3;
}

inline void DrawQuad(plat::Device* d, const TLVERTEX v[4]) {
    d->DrawPrimitiveUP(plat::PT_TRIANGLEFAN, 2, v, sizeof(TLVERTEX));
}

// Turns a sprite to face a camera with heading yaw and pitch (degrees): pitch about x, then
// yaw about y.
inline plat::Matrix FaceCamera(float yawDeg, float pitchDeg) {
    plat::Matrix m;
    plat::MatrixRotationYawPitchRoll(&m, yawDeg * plat::kDegToRad, pitchDeg * plat::kDegToRad, 0);
    return m;
}

inline plat::Matrix Translation(const plat::Vec3& p) {
    plat::Matrix m;
    plat::MatrixTranslation(&m, p.x, p.y, p.z);
    return m;
}

inline plat::Matrix Scaling(float s) {
    plat::Matrix m;
    plat::MatrixScaling(&m, s, s, s);
    return m;
}

// The additive-looking blend (source alpha over destination alpha) without depth writes.
inline void BeginGlow(plat::Device* d) {
    d->SetRenderState(plat::RS_SRCBLEND, plat::BLEND_SRCALPHA);
    d->SetRenderState(plat::RS_DESTBLEND, plat::BLEND_DESTALPHA);
    d->SetRenderState(plat::RS_ZWRITEENABLE, 0);
}

// Back to the drawing defaults.
inline void EndGlow(plat::Device* d) {
    d->SetRenderState(plat::RS_SRCBLEND, plat::BLEND_SRCALPHA);
    d->SetRenderState(plat::RS_DESTBLEND, plat::BLEND_INVSRCALPHA);
    d->SetRenderState(plat::RS_ZWRITEENABLE, 1);
}

}  // namespace effects
