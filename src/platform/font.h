// Text through SDL2_ttf and fontconfig, glyphs cached in textures, drawn on top of the scene.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/sprite.h"

namespace plat {

enum DrawTextFormat : uint32_t { DT_LEFT = 0, DT_TOP = 0, DT_CENTER = 1, DT_NOCLIP = 0x100 };

struct FontImpl;

class Font {
public:
    // face "" picks a Japanese-capable default face; "HG丸ｺﾞｼｯｸM-PRO" a rounded Japanese one.
    // height in pixels; weight 1000 is the heaviest.
    Font(const std::string& face, int height, int weight);
    ~Font();
    // UTF-8 text into rect, '\n' breaks lines; color ARGB.
    void DrawText(const std::string& text, const Rect& rect, uint32_t format, uint32_t color);
    void OnLostDevice();
    void OnResetDevice();
    bool Valid() const;

private:
    std::unique_ptr<FontImpl> impl_;
};

// Null when no face could be opened.
Font* CreateFont(const std::string& face, int height, int weight);
void ReleaseFont(Font* font);

}  // namespace plat
