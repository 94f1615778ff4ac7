// Mode function of the credits, with its set-up and release, and the state it keeps.
#pragma once

#include <cstdint>

#include "app/frame_gate.h"
#include "platform/texture.h"

struct CreditState {
    FrameGate Gate;
    int8_t CreditInitFlg = 0;  // 0 = the next frame starts a new run of the credits
    int8_t CreditFlg = 0;      // page 0..6; 7 = over
    int Alpha = 0;             // of the page's images
    int AlphaPlus = 10;        // 10 fading in, -15 fading out
    int CreditSceneFlg = 0;    // frames the page has been held at full alpha, up to 100
    int LogoAlpha = 0;         // how far the waving logo has faded out
    int SkipAlpha = 0;         // the black skip curtain
    int A = 0;                 // phase of the logo's wave, degrees; carries on from run to run
    plat::Texture* lpText = nullptr;    // the title sheet (the last page's logo)
    plat::Texture* lpLogo = nullptr;    // the waving flag
    plat::Texture* lpCredit = nullptr;  // headings and names
};
extern CreditState credit;

// One frame of the credits (Mode 3); at the end, back to the title with its music.
void Credit();
// Loads the three textures; the title starts the credits music.
void CreditInit();
// Releases them; safe when nothing is loaded.
void CreditEnd();
