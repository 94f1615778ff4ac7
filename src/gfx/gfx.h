// Shared drawing helpers: bitmaps into textures, fonts, the two screen fades, the two lights,
// and the hand-built vertex.
#pragma once

#include <cstdint>

#include "platform/font.h"
#include "platform/math.h"
#include "platform/texture.h"

// Position, ARGB colour, one texture coordinate: FVF_XYZ | FVF_DIFFUSE | FVF_TEX1, 24 bytes.
struct TLVERTEX {
    plat::Vec3 p;
    uint32_t color;
    plat::Vec2 t;
};
static_assert(sizeof(TLVERTEX) == 24, "TLVERTEX is drawn from memory with a 24-byte stride");
constexpr uint32_t kTlVertexFvf = 0x142;

// The fades' shared counters. Reset with gfx = GfxState{}.
struct GfxState {
    int FadeOutCount = 0;   // alpha of the fade-out, +15 a call
    int FadeInCount = 255;  // alpha of the fade-in, -5 a call
};
extern GfxState gfx;

// Loads bitmap fname into *lpTex at W x H (0 = from the file); Color is the ARGB colour key
// (0 = none). *lpTex is null when the file cannot be loaded.
void LoadText(plat::Texture** lpTex, const char* fname, int W, int H, uint32_t Color);
// Releases *lpTex and sets it to null; null does nothing.
void ReleaseText(plat::Texture** lpTex);
// Creates *lpFont (face Font, Height pixels, weight 1000) and calls its reset hook.
void SetFont(plat::Font** lpFont, const char* Font, int Height);

// One step of the fade to grey level Color & 255: 1 when done (that call draws nothing).
int FadeOut(uint32_t Color);
// One step of the fade from black: 1 when done.
int FadeIn();

void StartLightSet();
void GameSetLight();
