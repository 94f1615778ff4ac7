// The application shell's state: the device and the objects shared by every screen, the
// viewports, the two settings and the top-level mode. Lives for the whole run.
#pragma once

#include <cstdint>

#include "gfx/xfile.h"
#include "platform/device.h"
#include "platform/font.h"
#include "platform/math.h"
#include "platform/sprite.h"
#include "platform/texture.h"

struct AppState {
    plat::Device* lpD3DDevice = nullptr;  // the one device; every screen draws through it
    plat::Sprite* lpSprite = nullptr;     // the one sprite batch for screen-space drawing
    plat::Font* lpFont = nullptr;         // small default face (height 12 after start-up)
    plat::Font* lpFont1 = nullptr;        // rounded face, height 30
    plat::Font* lpFont2 = nullptr;        // rounded face, height 23
    plat::Viewport GameScreen;            // whole screen
    plat::Viewport MiniScreen;            // in-game menu's mini map
    plat::Viewport ArrowScreen;           // wind arrow, top right
    XFILE Sky;                            // sky dome, shared by every screen
    plat::Texture* lpWhite = nullptr;     // 1 x 1 white, stretched for fades and flashes
    uint8_t FullScreenFlg = 0;            // 0 full screen, else windowed
    uint8_t PlayMusicFlg = 0;             // 0 music plays, else no music at all
    uint8_t PauseFlg = 0;                 // 1 while the window is inactive: every frame skips
    int Mode = 0;                         // 0 Start, 1 Game, 2 Score, 3 Credit
    int OwariFlg = 0;                     // 1 ends the frame loop
};
extern AppState app;
