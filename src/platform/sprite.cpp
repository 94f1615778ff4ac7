// The sprite batch. Each sprite becomes one screen quad on the current device, taking the
// blend factors and filter in force at its draw; the device batches consecutive quads.
#include "platform/sprite.h"

#include <cmath>

#include "platform/device.h"
#include "platform/texture.h"

namespace plat {

void Sprite::Begin() { begun_ = true; }

void Sprite::Draw(Texture* texture, const Rect* src, const Vec2* scaling, const Vec2* rotationCenter,
                  float rotation, const Vec2* translation, uint32_t color) {
    Device* device = CurrentDevice();
    if (!texture || !device || texture->width < 1 || texture->height < 1) return;
    float l = 0, t = 0, r = float(texture->width), b = float(texture->height);
    if (src) {
        l = float(src->left);
        t = float(src->top);
        r = float(src->right);
        b = float(src->bottom);
    }
    const float sx = scaling ? scaling->x : 1.0f, sy = scaling ? scaling->y : 1.0f;
    const float cx = rotationCenter ? rotationCenter->x : 0.0f;
    const float cy = rotationCenter ? rotationCenter->y : 0.0f;
    const float tx = translation ? translation->x : 0.0f, ty = translation ? translation->y : 0.0f;
    // Screen y points down, so a counter-clockwise turn on the screen takes +x towards -y.
    const float c = rotation != 0.0f ? std::cos(rotation) : 1.0f;
    const float s = rotation != 0.0f ? std::sin(rotation) : 0.0f;
    const float w = (r - l) * sx, h = (b - t) * sy;
    const float px[4] = {0, w, w, 0}, py[4] = {0, 0, h, h};
    const float iw = 1.0f / float(texture->width), ih = 1.0f / float(texture->height);
    const float pu[4] = {l * iw, r * iw, r * iw, l * iw}, pv[4] = {t * ih, t * ih, b * ih, b * ih};
    ScreenVertex q[4];
    for (int i = 0; i < 4; ++i) {
        const float x = px[i] - cx, y = py[i] - cy;
        q[i].x = x * c + y * s + cx + tx;
        q[i].y = -x * s + y * c + cy + ty;
        q[i].color = color;
        q[i].u = pu[i];
        q[i].v = pv[i];
    }
    device->DrawScreenQuad(texture, q, true);
    ++drawCount_;
}

void Sprite::End() { begun_ = false; }

// Nothing of the sprite lives on the device between frames.
void Sprite::OnLostDevice() {}
void Sprite::OnResetDevice() {}

Sprite* CreateSprite() { return new Sprite; }

void ReleaseSprite(Sprite* sprite) { delete sprite; }

}  // namespace plat
