// The strike's effects: the shot sparks with their trails, and the perfect power shot's charge
// particles and closing ring (whose closing releases the shot).
// Reset with shotEfe = ShotEfeState{} and powerShot = PowerShotState{}.
#pragma once

#include "platform/math.h"

constexpr int kShotEfeMax = 40;     // sparks
constexpr int kShotEfeTrail = 20;   // history entries drawn per spark (the head and 19 behind)

struct ShotEfeState {
    plat::Vec3 EfePos[kShotEfeMax];
    plat::Vec3 EfePosPlus[kShotEfeMax];              // velocity in the burst's frame: z forward, y up
    plat::Vec3 SaveEfePos[kShotEfeMax][kShotEfeTrail + 1];  // newest first; 0..19 used
    int EfeInitFlg = 0;  // 1 while the sparks run
    float Rot = 0;       // heading of the burst: the camera's when it began
    int Color = 0;       // 255 at the start, 1 less a frame; the trails fade with it
    int kazu = 0;        // sparks that stay hidden
};
extern ShotEfeState shotEfe;

struct _POWERSHOTEFFECT {
    plat::Vec3 Pos;
    plat::Vec3 Move;     // velocity per frame
    plat::Color Color;   // unused
    int Flg = 0;         // 1 alive
    int Alpha = 0;
    float Size = 0;
};

constexpr int kPowerShotEffectMax = 300;

struct PowerShotState {
    _POWERSHOTEFFECT PowerShotEffect[kPowerShotEffectMax];
    int PowerShotFlg = 0;   // the ring: 0 none, 1 requested, 2 running
    int Rot = 0;            // ring spin in degrees
    float Size = 0;         // ring progress; the ring is 50 - Size times its quad
    float SizePlus = 0.5f;
    int Alpha = 0;          // ring opacity
    plat::Vec3 StarTexPos;  // ring centre, on the ground under the can
};
extern PowerShotState powerShot;

// One frame of the sparks (Power is the power-gauge value; ShotRot has no effect). The first
// call starts them at the current can; the last one clears GoFlg.
void ShotEfe(int Power, int Level, int ShotRot);
// Adds one charge particle around the current can and requests the ring.
void PowerShotFullEfeInit();
// One frame of the charge particles and the ring; the ring's closing sets GoFlg 1 and ShotFlg 6.
void PowerShotFullEfe();
