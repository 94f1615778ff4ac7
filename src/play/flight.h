// The can's flight: launch speed, the strike's dent, and the per-frame move with its
// collision tests against the stage and the cars.
#pragma once

#include "gfx/xfile.h"
#include "platform/math.h"

// Launch speed in units per frame for a power-gauge value (0 strongest), shot level and
// character power: ((100 - Power) / 10 + (Level - 1) * 2) * (1.6 + CharPowerLevel / 10).
float Speed(int Power, int Level, int CharPowerLevel);
// The launch velocity in the shot's own frame: p.z and p.y set, p.x left alone.
void HeadSpeed(int Power, float Ang, int Level, plat::Vec3* p);
// One frame of the current player's can; the first call of a shot launches it.
void tama(int Ang, int Power, int Control, int Level);
// Dents the current player's can for a strike.
void pot(int PowerGauge, int Level);
// One collision test against lpMesh placed by mTrans, with this frame's displacement Fow
// (read and changed). 1 on a floor or ceiling contact.
int rei3(const plat::Matrix& mTrans, XFILE* lpMesh, plat::Vec3* Fow);
// The tumble while the can flies: (100 - PowerGauge) / 5 degrees a frame.
void CanSpin(int PowerGauge);
