// The four characters' faces (0 man, 1 girl, 2 office worker, 3 cook), drawn from shapes at
// any size: the select, menu and score icons and the cut-in close-ups all use them.
#pragma once

#include "pictures/canvas.h"

namespace assetgen::pic {

constexpr int kCharacters = 4;

// Each character's own colour (icon plates, cut-in accents).
Color CharacterColor(int character);

struct FaceLook {
    Color ink = Rgb(0x201814);  // outlines and features
    float line = 2.5f;          // outline width per 100 px of face
    bool shoulders = false;     // draw collar and shoulders below the chin (large pictures)
};

// Draws the face filling the square of side `size` whose top-left is (x, y) in v.
void DrawFace(const View& v, float x, float y, float size, int character, const FaceLook& look = {});

// A face on a round plate of the character's colour, with a dark rim: reads on any background.
void DrawFaceBadge(const View& v, float x, float y, float size, int character);

}  // namespace assetgen::pic
