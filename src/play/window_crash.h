// The classroom's six glass panes: a can whose last movement crosses a pane smashes it into
// eight dark shards that spin and fall away; the pane stays gone for the rest of the stage.
// The glass never touches the can's flight. Reset with windowCrash = WindowCrashState{}.
#pragma once

#include <cstdint>

#include "platform/math.h"

// Position and colour: FVF_XYZ | FVF_DIFFUSE, 16 bytes.
struct MY_VERTEX {
    plat::Vec3 Pos;
    uint32_t Color;
};
static_assert(sizeof(MY_VERTEX) == 16, "MY_VERTEX is drawn from memory with a 16-byte stride");

struct WindowPane {
    plat::Vec3 centre;
    int W, H;
};
constexpr int kWindowPanes = 6;
constexpr int kWindowShards = 8;
extern const WindowPane kWindowPane[kWindowPanes];

struct WindowCrashState {
    int Crash[kWindowPanes] = {};  // per pane: 0 whole, 1 breaking, 2 gone
    plat::Vec3 WindowSetPos;       // centre of the pane being handled
    plat::Vec3 CrashPointPos;      // where the can went through, from that pane's centre

    // The shards, shared by all panes.
    plat::Vec3 WindowPos[kWindowShards];      // offset from the resting place
    plat::Vec3 WindowPosPlus[kWindowShards];  // velocity per frame
    int CrashFlg = 0;                         // 1 while shards fly
    int SoundFlg = 0;                         // 1 once the crash sound has started
    float TriRot[kWindowShards] = {};         // spin in degrees
    plat::Vec3 RotAxis[kWindowShards];
};
extern WindowCrashState windowCrash;

// Tests the panes against the can's last movement and draws them; once a frame on stage 2,
// before the stage, with lighting off.
void WindowCrash();
// Advances and draws the shards of one breaking pane; sets *Crash to 2 when they are gone.
void Break(plat::Vec3 CrashPointPos, int* Crash, plat::Vec3 WindowSetPos, int WindowWidth,
           int WindowHeight);
