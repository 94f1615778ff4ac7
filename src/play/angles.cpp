#include "play/angles.h"

#include <algorithm>
#include <cmath>

#include "round/round_state.h"

using plat::Vec3;

float KakudoYnosa(const Vec3& Pos1, const Vec3& Pos2) {
    Vec3 v = Pos1 - Pos2;
    v.y = 0;
    plat::Vec3Normalize(&v, &v);
    float c = std::clamp(v.z, -1.0f, 1.0f);
    float a = std::acos(c) * plat::kRadToDeg;
    if (v.x < 0) a = -a;
    return a;
}

float KakudoXnosa() {
    Vec3 v = game.LookPos - game.Pos;
    Vec3 h(v.x, 0, v.z);
    plat::Vec3Normalize(&h, &h);
    Vec3 n;
    plat::Vec3Normalize(&n, &v);
    float c = std::clamp(plat::Vec3Dot(h, n), -1.0f, 1.0f);
    float a = std::acos(c) * plat::kRadToDeg;
    if (n.y > 0) a = -a;
    return a;
}

Vec3 TurnByHeading(const Vec3& v, float a) {
    float r = a * plat::kDegToRad;
    float c = std::cos(r), s = std::sin(r);
    return Vec3(v.x * c + v.z * s, v.y, v.z * c - v.x * s);
}
