// The front end's state. TitleState is what StartInit sets up on every visit of the title
// (plus the resources it loads); TitleRunState and TitleBurst live for the whole program run,
// so the opening plays once and the animations carry on from visit to visit.
// The shared round tables the menus fill (Ninzu, StageNo, SelectStageType, Player, Not,
// CharGet, No, the character meshes, the camera, KeyFlg, lpGameText) stay in game.*.
#pragma once

#include <cstdint>

#include "app/frame_gate.h"
#include "gfx/xfile.h"
#include "platform/math.h"
#include "platform/texture.h"

// A slide animation: Now steps by Plus each frame until it equals Target.
struct _MOVE {
    int Now = 0;
    int Target = 0;
    int Plus = 1;
};

// A play-mode board of the mode screen.
struct _PALYMODE {
    plat::Vec3 Pos;                   // recomputed every frame
    plat::Texture* lpTex = nullptr;
};

struct TitleState {
    // -1 options, 0 opening logo, 1 title menu, 2 number of players, 3 character select,
    // 4 play mode, 5 stage select, 6 set-up fade-out, 7 stage intro
    int SceneFlg = 0;
    int StartMenuFlg = 0;           // 0 start, 1 options, 2 credits, 3 exit
    int8_t OptionTriangleFlg = 0;   // 0 music row, 1 full-screen row
    int8_t OptionMusicFlg = 0;      // the music choice being edited: 0 on, 1 off
    int FadeFlg = 0;                // 1 while the fade to the credits runs
    int SelectPlayerNo = 0;         // player whose character is being chosen
    int CharNo = 0;                 // highlighted character
    int WorkFlg = 0;                // 1 once the last player has chosen
    int Rot = 0;                    // carousel angle in degrees
    int RPuls = 1;                  // direction of the running carousel turn (never reset)
    float ArrowSize[4] = {1, 1, 1, 1};  // left, right, up, down
    int SelectAlpha = 255;          // opacity of the set-up screens

    // The horizontal strip and the headings, panels and cursors that move on their own.
    _MOVE Slide, TitleMoji, CharMoji, SelectMoji, ModeMoji, StageMoji, ArrowMove, OptionMoji, Onpu;

    // Tables.
    float SetRot[4] = {};           // carousel angle of each character
    int StageSetRot[3] = {};        // carousel angle of each stage preview
    int Parameters[4][6] = {};      // Power, Control, PowerShot, Luck per character

    // Resources held while the front end runs.
    plat::Texture* lpText = nullptr;         // the title and menu sheet
    plat::Texture* lpSell = nullptr;         // text box
    plat::Texture* lpEffectCircle = nullptr; // spark of the opening burst
    _PALYMODE PlayMode[2];
    XFILE StageMesh[3];
};
extern TitleState title;

// Start's own counters, kept for the whole run (StartInit leaves them alone).
struct TitleRunState {
    FrameGate Gate;
    // The opening.
    int Alpha = 254;        // its opacity counter; 0 once it is over, for good
    int AlphaPlus = 0;      // subtracted from Alpha every frame
    int Flg = 0;            // logo stage: 0 spin, 1 grow, 2 hold, 3 fade
    int TitleRot = 0;
    float TitleSize = 0.1f;
    int Scene = 0;          // frames the logo has been held
    float WaveSize = 0;     // the logo's shake
    int WaveSceneFlg = 0;   // its frame divider
    // The fade to the credits.
    int FadeAlpha = 0;
    // Drawing.
    float SkyRotY = 0;
    int CharRot = 0;        // swing of the highlighted character
    int SwingRotPlus = 2;
    int kaiten = 0;         // spin of the highlighted stage preview
    int Ang = 0;            // wobble of headings and title icons
    plat::Vec2 WavePos;
    float OnpuY = 0;        // bob of the note cursors, 0..5
    int8_t Y = 1;           // its direction
};
extern TitleRunState titleRun;

// The opening's burst of sparks, set up once per run.
constexpr int kBurstSparks = 600;
struct TitleBurst {
    plat::Vec2 CirclePos[kBurstSparks];
    plat::Vec2 CirclePosPlus[kBurstSparks];
    float CircleSize[kBurstSparks] = {};
    plat::Color CircleColor[kBurstSparks];  // channels 0..255
    int CircleInitFlg = 0;
    int Flg = 0;            // 1 once the burst has started
    int Ang = 0;            // burst angle counter
};
extern TitleBurst titleBurst;
