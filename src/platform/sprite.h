// The 2-D sprite batch: textured rectangles in pixels of the 640 x 480 back buffer, drawn on
// top of the scene (no depth test or write, no culling) with alpha blending on, each sprite
// with the blend factors in force on the device when it was drawn.
#pragma once

#include <cstdint>

#include "platform/math.h"

namespace plat {

struct Texture;

struct Rect {
    long left = 0, top = 0, right = 0, bottom = 0;
};

class Sprite {
public:
    void Begin();
    // Draws src (null = the whole texture) of texture: scaled by *scaling about the sprite's
    // top-left corner, turned by rotation radians (positive turns counter-clockwise on the
    // screen) about *rotationCenter (in scaled sprite pixels), then moved so its top-left
    // corner lands at *translation. Null pointers mean identity; color tints (ARGB).
    // A null texture draws nothing.
    void Draw(Texture* texture, const Rect* src, const Vec2* scaling, const Vec2* rotationCenter,
              float rotation, const Vec2* translation, uint32_t color);
    void End();
    void OnLostDevice();
    void OnResetDevice();
    unsigned DrawCount() const { return drawCount_; }

private:
    bool begun_ = false;
    unsigned drawCount_ = 0;
};

Sprite* CreateSprite();
void ReleaseSprite(Sprite* sprite);

}  // namespace plat
