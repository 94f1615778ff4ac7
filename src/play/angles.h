// Positions into headings and pitches, in degrees.
#pragma once

#include "platform/math.h"

// Heading of the horizontal direction from Pos2 to Pos1: +z 0, +x 90, -x -90, -z 180.
float KakudoYnosa(const plat::Vec3& Pos1, const plat::Vec3& Pos2);
// Pitch of the camera's view from Pos to LookPos: looking down is positive.
float KakudoXnosa();

// (x, y, z) turned by heading a degrees: (x cos a + z sin a, y, z cos a - x sin a).
plat::Vec3 TurnByHeading(const plat::Vec3& v, float a);
