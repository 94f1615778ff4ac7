// Shared pieces of the sheets' look: lettering styles, panels, player colours, and the small
// props (can, umbrella) several pictures show.
#pragma once

#include <vector>

#include "pictures/canvas.h"
#include "pictures/text.h"

namespace assetgen::pic {

const Color kInk = Rgb(0x141826);     // outlines
const Color kGold = Rgb(0xFFE060), kOrange = Rgb(0xFF8A1E), kSky = Rgb(0xBFE8FF);

// Bold lettering with a vertical gradient and a dark outline.
TextStyle Lettering(float size, Color top, Color bottom, float outline = 3, Face face = Face::Gothic);

// Small print for keyed sheets: light letters on a dark plate, so that the letters keep their
// antialiasing and only the plate's edge meets the key.
void SmallLabel(const View& v, float x, float y, float w, float h, const std::string& text, Face face = Face::Gothic,
                Color plate = Rgb(0x101830), Color letters = Rgb(0xF4F6FA));

// A rounded panel with a vertical gradient and a rim.
void Panel(const View& v, float l, float t, float r, float b, float radius, Color top, Color bottom, Color rim,
           float rimWidth);

// The points scaled about a centre.
std::vector<P> Stretch(std::vector<P> pts, P centre, float sx, float sy);

// The colour of player p (0..3): 1P red, 2P blue, 3P green, 4P yellow.
Color PlayerColor(int p);

// A drink can standing at centre c, height h, leaning by angle (radians, clockwise).
void DrawCan(const View& v, P c, float h, float angle, Color body, Color band);
// An open umbrella with its tip at the top, canopy width w, leaning by angle.
void DrawUmbrella(const View& v, P c, float w, float angle, Color canopy, Color stripe);

}  // namespace assetgen::pic
