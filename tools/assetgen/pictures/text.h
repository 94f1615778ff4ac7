// Lettering for the picture sheets: the game's Japanese faces, found through fontconfig and
// rasterised by SDL2_ttf, composited onto a canvas with fill gradient, outline and shadow.
#pragma once

#include <string>

#include "pictures/canvas.h"

namespace assetgen::pic {

enum class Face {
    Gothic,   // the default Japanese face (VL Gothic)
    Rounded,  // the rounded gothic the game asks for by name (Motoya L Maru)
    Latin,    // the default face's proportional cut, for words in Latin letters (VL PGothic)
};

struct TextStyle {
    Face face = Face::Gothic;
    float size = 32;  // pixel height asked of the face; shrunk to fit the box
    bool bold = true;
    Color fill = Rgb(0xF8F8F8);
    Color fill2{-1, 0, 0, 0};  // bottom colour of a vertical gradient; r < 0: plain fill
    Color outline = Rgb(0x101018);
    float outlineWidth = 0;   // px
    Color shadow = Rgb(0x000000, 0.0f);
    float shadowDx = 0, shadowDy = 0;
    float squeeze = 1;  // horizontal scale of the lettering (0.5: half as wide)
};

enum class Align { Left, Center, Right };

// Opens the faces. False (after saying why on stderr) when no Japanese-capable face is found.
bool OpenFonts();
void CloseFonts();

// The text (UTF-8, lines split at '\n') as a canvas trimmed to its ink.
Canvas RenderText(const std::string& text, const TextStyle& style);

// The largest size, at most style.size, at which the text's ink fits w x h.
int FitSize(const std::string& text, const TextStyle& style, float w, float h);

// Draws the text as large as style.size allows, shrunk until its ink fits the box, aligned
// horizontally as asked and centred vertically. Returns the size used.
float DrawText(const View& v, float x, float y, float w, float h, const std::string& text,
               TextStyle style, Align align = Align::Center);

}  // namespace assetgen::pic
