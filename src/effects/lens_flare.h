// The sun's lens flare on the outdoor stages: eight sprites strung along the line from the
// sun's point on the screen through the screen centre. One instance, CLens, for the whole run.
#pragma once

#include "platform/math.h"
#include "platform/sprite.h"
#include "platform/texture.h"

class CLensFlare {
public:
    plat::Vec3 Pos;               // the sun in the world
    plat::Matrix mWorld;          // identity at each draw, for projecting Pos
    plat::Rect rcFlare[8];        // each element's rectangle on the sheet
    plat::Texture* lpTexture = nullptr;  // "bitmap/Lens.bmp", 512 x 512

    CLensFlare();
    ~CLensFlare();

    // Loads the flare sheet.
    void Init();
    void SetPos(const plat::Vec3* Pos);
    // Draws the flare for this camera; nothing when the sun's point is off the 640 x 480
    // screen or the sun is behind the camera.
    void Draw(const plat::Matrix* mProj, const plat::Matrix* mView, const plat::Viewport* Viewport);
    // Releases the sheet; safe to call again.
    void End();
};
extern CLensFlare CLens;

// Where each element sits on the line from the sun (0) through the screen centre (1).
extern const float kLensFlareFactor[8];
