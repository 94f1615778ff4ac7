// The can's trail: camera-facing flares (normal shot) or smoke puffs (power shot) dropped
// behind the flying can, fading over 85 draws. Reset with tail = TailState{}.
#pragma once

#include "platform/math.h"

struct _TAILEFFECT {
    plat::Vec3 Pos;     // where the can was when the sprite was dropped
    plat::Color Color;  // red, green, blue held as 0..255; the fourth is unused
    int Alpha = 0;      // 255 when dropped, 3 less per draw; 0 = free slot
    float Size = 0;     // uniform scale
    int Rot = 0;        // roll in degrees
};

constexpr int kTailEffectMax = 200;

struct TailState {
    _TAILEFFECT TailEffect[kTailEffectMax];
    int SmokeNo[kTailEffectMax] = {};  // smoke cell 0..31 per slot; kept when a slot is reused
};
extern TailState tail;

// Drops one sprite at Pos; Power is the power-gauge value (0 = full power: random colours).
void TailEfeInit(const plat::Vec3& Pos, int Level, int Power);
// Draws and ages every live sprite; Level 2 shows them as smoke.
void TailEfeDraw(int Power, int Level);
