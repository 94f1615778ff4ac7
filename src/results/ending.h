// The award ceremony behind the score screen: its motion, its 3-D scene and the confetti.
// It reads and writes the screen state in score_state.h.
#pragma once

#include <cstdint>

#include "platform/math.h"

// Set on the first ceremony update of a visit.
struct EndUpdateState {
    float py1 = 0, py2 = 0, py0 = 0;                // vertical speed of the 1st, 2nd, 3rd-place jump
    float DaiYb = 0.3f, DaiYc = -0.45f, DaiYa = -0.8f;  // height of the 1st, 2nd, 3rd step
    float Ryo1 = 0, Ryo2 = 0, Ryo0 = 0;             // forward step per frame of each jump
};
extern EndUpdateState endUpdate;

// Set on the first ceremony drawing of a visit.
struct EndRenderState {
    float SkyAng = 0;
    float AsiFlg = 0;    // 0 the left legs swing forward, 1 back
    float AsiAng = 0;    // swing of the left legs, degrees
    float AsiAng2 = 15;  // of the right legs
};
extern EndRenderState endRender;

// A piece of confetti.
struct _OBJ {
    int Flg = 0;  // 1 = slot in use
    plat::Vec3 Pos;
    uint32_t Color = 0;
    plat::Vec3 Axis;  // unit axis it spins about
    float Rot = 0;
    float RotPlus = 0;
};

// The confetti pool lives for the whole run: pieces still falling when a score screen ends
// go on falling at the start of the next.
constexpr int kFubukiSlots = 10000;
struct ConfettiState {
    _OBJ Fubuki[kFubukiSlots];
};
extern ConfettiState confetti;

// One frame of the ceremony's motion; Score calls it first thing in each frame.
void EndUpdateProc();
// The whole 3-D scene of one frame, confetti included; Score calls it after setting the camera.
void EndRenderProc();
// Draws, drops and frees the pieces in use, then spawns one (the confetti step of EndRenderProc).
void Confetti();
