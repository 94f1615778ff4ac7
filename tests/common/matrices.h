// Matrices made in one call, angles in degrees, for tests that place models by hand.
#pragma once

#include "platform/math.h"

namespace test {

inline plat::Matrix Identity() {
    plat::Matrix m;
    plat::MatrixIdentity(&m);
    return m;
}
inline plat::Matrix Translate(float x, float y, float z) {
    plat::Matrix m;
    plat::MatrixTranslation(&m, x, y, z);
    return m;
}
inline plat::Matrix Scale(float s) {
    plat::Matrix m;
    plat::MatrixScaling(&m, s, s, s);
    return m;
}
inline plat::Matrix RotX(float deg) {
    plat::Matrix m;
    plat::MatrixRotationX(&m, deg * plat::kDegToRad);
    return m;
}
inline plat::Matrix RotY(float deg) {
    plat::Matrix m;
    plat::MatrixRotationY(&m, deg * plat::kDegToRad);
    return m;
}
inline plat::Matrix RotZ(float deg) {
    plat::Matrix m;
    plat::MatrixRotationZ(&m, deg * plat::kDegToRad);
    return m;
}

}  // namespace test
