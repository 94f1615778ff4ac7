// The maths library against values worked out by hand.
#include "platform/math.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using plat::Matrix;
using plat::Vec3;

constexpr float kEps = 1e-5f;
constexpr float k90 = 90.0f * plat::kDegToRad;

#define EXPECT_VEC3_NEAR(actual, ex, ey, ez)        \
    do {                                            \
        const Vec3 v_ = (actual);                   \
        EXPECT_NEAR(v_.x, (ex), kEps) << "x";       \
        EXPECT_NEAR(v_.y, (ey), kEps) << "y";       \
        EXPECT_NEAR(v_.z, (ez), kEps) << "z";       \
    } while (0)

Vec3 Coord(const Vec3& v, const Matrix& m) {
    Vec3 out;
    plat::Vec3TransformCoord(&out, &v, &m);
    return out;
}

void ExpectMatrixNear(const Matrix& a, const Matrix& b, float eps = kEps) {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) EXPECT_NEAR(a.m[i][j], b.m[i][j], eps) << "m[" << i << "][" << j << "]";
}

Matrix Identity() {
    Matrix m;
    plat::MatrixIdentity(&m);
    return m;
}
Matrix RotX(float a) { Matrix m; plat::MatrixRotationX(&m, a); return m; }
Matrix RotY(float a) { Matrix m; plat::MatrixRotationY(&m, a); return m; }
Matrix RotZ(float a) { Matrix m; plat::MatrixRotationZ(&m, a); return m; }
Matrix Translate(float x, float y, float z) { Matrix m; plat::MatrixTranslation(&m, x, y, z); return m; }
Matrix Scale(float x, float y, float z) { Matrix m; plat::MatrixScaling(&m, x, y, z); return m; }
Matrix Axis(Vec3 axis, float a) { Matrix m; plat::MatrixRotationAxis(&m, &axis, a); return m; }
Matrix Ypr(float y, float p, float r) { Matrix m; plat::MatrixRotationYawPitchRoll(&m, y, p, r); return m; }

TEST(Colour, FromArgbSplitsChannels) {
    plat::Color c(0x80FF4000u);
    EXPECT_FLOAT_EQ(c.a, 128.0f / 255.0f);
    EXPECT_FLOAT_EQ(c.r, 1.0f);
    EXPECT_FLOAT_EQ(c.g, 64.0f / 255.0f);
    EXPECT_FLOAT_EQ(c.b, 0.0f);
}

TEST(Colour, ToArgbRoundsAndClamps) {
    struct Case { plat::Color c; unsigned argb; };
    const Case cases[] = {
        {{0.2f, 0.4f, 0.6f, 0.8f}, 0xCC336699u},
        {{1.5f, -0.2f, 0.5f, 1.0f}, 0xFFFF0080u},  // over 1 and under 0 clamp; 127.5 rounds up
        {{0, 0, 0, 0}, 0x00000000u},
        {{1, 1, 1, 1}, 0xFFFFFFFFu},
    };
    for (const Case& k : cases) EXPECT_EQ(k.c.ToArgb(), k.argb) << std::hex << k.argb;
    for (unsigned argb : {0xFFFF00FFu, 0x12345678u, 0x00010203u, 0xFEDCBA98u})
        EXPECT_EQ(plat::Color(argb).ToArgb(), argb) << std::hex << argb;
}

TEST(Vectors, LengthDotCrossNormalize) {
    EXPECT_FLOAT_EQ(plat::Vec3Length({3, 4, 12}), 13.0f);
    EXPECT_FLOAT_EQ(plat::Vec2Length({-3, 4}), 5.0f);
    EXPECT_FLOAT_EQ(plat::Vec3Dot({1, 2, 3}, {4, -5, 6}), 12.0f);
    EXPECT_VEC3_NEAR(plat::Vec3Cross({1, 0, 0}, {0, 1, 0}), 0, 0, 1);
    EXPECT_VEC3_NEAR(plat::Vec3Cross({1, 2, 3}, {4, 5, 6}), -3, 6, -3);

    Vec3 v(0, 3, -4), n;
    plat::Vec3Normalize(&n, &v);
    EXPECT_VEC3_NEAR(n, 0, 0.6f, -0.8f);
    Vec3 zero;
    n = Vec3(9, 9, 9);
    plat::Vec3Normalize(&n, &zero);
    EXPECT_EQ(n, Vec3(0, 0, 0));
    plat::Vec3Normalize(&v, &v);  // in place
    EXPECT_VEC3_NEAR(v, 0, 0.6f, -0.8f);

    plat::Vec2 w(6, 8), wn;
    plat::Vec2Normalize(&wn, &w);
    EXPECT_FLOAT_EQ(wn.x, 0.6f);
    EXPECT_FLOAT_EQ(wn.y, 0.8f);
    plat::Vec2 w0;
    plat::Vec2Normalize(&wn, &w0);
    EXPECT_EQ(wn, plat::Vec2(0, 0));
}

// Each row: a matrix, a point, where the point lands.
TEST(Matrices, TransformsMovePointsAsWorkedOut) {
    struct Case { const char* name; Matrix m; Vec3 in, out; };
    const float s = std::sqrt(0.5f);
    const Case cases[] = {
        {"identity", Identity(), {1, 2, 3}, {1, 2, 3}},
        {"translation", Translate(1, -2, 3), {1, 1, 1}, {2, -1, 4}},
        {"scaling", Scale(2, 3, -1), {1, 1, 1}, {2, 3, -1}},
        // Left-handed: +x turns y into z, +y turns z into x, +z turns x into y.
        {"rotation x", RotX(k90), {0, 1, 0}, {0, 0, 1}},
        {"rotation y", RotY(k90), {0, 0, 1}, {1, 0, 0}},
        {"rotation z", RotZ(k90), {1, 0, 0}, {0, 1, 0}},
        // The game's heading rule: (x cos a + z sin a, y, z cos a - x sin a).
        {"heading 45", RotY(45 * plat::kDegToRad), {1, 5, 1}, {2 * s, 5, 0}},
        {"axis y unnormalised", Axis({0, 2, 0}, k90), {0, 0, 1}, {1, 0, 0}},
        {"axis x negative", Axis({-1, 0, 0}, k90), {0, 1, 0}, {0, 0, -1}},
        {"axis diagonal 120", Axis({1, 1, 1}, 120 * plat::kDegToRad), {1, 0, 0}, {0, 1, 0}},
        // Roll (z) first, then pitch (x), then yaw (y).
        {"ypr x axis", Ypr(k90, k90, k90), {1, 0, 0}, {1, 0, 0}},
        {"ypr y axis", Ypr(k90, k90, k90), {0, 1, 0}, {0, 0, 1}},
        {"ypr yaw only", Ypr(k90, 0, 0), {0, 0, 1}, {1, 0, 0}},
        // A applies first in A * B.
        {"translate then rotate", Translate(1, 0, 0) * RotZ(k90), {0, 0, 0}, {0, 1, 0}},
        {"rotate then translate", RotZ(k90) * Translate(1, 0, 0), {0, 0, 0}, {1, 0, 0}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        EXPECT_VEC3_NEAR(Coord(k.in, k.m), k.out.x, k.out.y, k.out.z);
    }
}

TEST(Matrices, MultiplyMayAliasItsOperands) {
    Matrix a = Translate(1, 2, 3), b = RotY(k90);
    Matrix expect = a * b;
    plat::MatrixMultiply(&a, &a, &b);
    EXPECT_TRUE(a == expect);
    Matrix c = Translate(1, 2, 3);
    plat::MatrixMultiply(&b, &c, &b);
    EXPECT_TRUE(b == expect);
    Matrix d = Translate(1, 2, 3);
    d *= RotY(k90);
    EXPECT_TRUE(d == expect);
}

TEST(Matrices, TransformNormalIgnoresTranslationAndCoordDividesByW) {
    Matrix m = Scale(2, 2, 2) * Translate(5, 6, 7);
    Vec3 d(1, 2, 3), out;
    plat::Vec3TransformNormal(&out, &d, &m);
    EXPECT_VEC3_NEAR(out, 2, 4, 6);
    Matrix w = Identity();
    w.m[3][3] = 4;  // w = 4 for every point
    EXPECT_VEC3_NEAR(Coord({4, 8, 12}, w), 1, 2, 3);
}

TEST(Matrices, LookAtLH) {
    Vec3 up(0, 1, 0), at(0, 0, 0);
    Matrix m;
    // From behind on -z: no rotation, the origin lies 10 ahead.
    Vec3 eye(0, 0, -10);
    plat::MatrixLookAtLH(&m, &eye, &at, &up);
    ExpectMatrixNear(m, Translate(0, 0, 10));
    // From +x looking at the origin: world +z is to the viewer's right.
    eye = Vec3(5, 0, 0);
    plat::MatrixLookAtLH(&m, &eye, &at, &up);
    EXPECT_VEC3_NEAR(Coord({0, 0, 0}, m), 0, 0, 5);
    EXPECT_VEC3_NEAR(Coord({0, 0, 1}, m), 1, 0, 5);
    EXPECT_VEC3_NEAR(Coord({0, 1, 0}, m), 0, 1, 5);
    EXPECT_VEC3_NEAR(Coord({5, 3, 0}, m), 0, 3, 0);  // eye maps to the origin
}

TEST(Matrices, PerspectiveFovLHMapsNearToZeroAndFarToOne) {
    Matrix p;
    plat::MatrixPerspectiveFovLH(&p, k90, 2.0f, 1.0f, 101.0f);
    EXPECT_NEAR(p.m[0][0], 0.5f, kEps);
    EXPECT_NEAR(p.m[1][1], 1.0f, kEps);
    EXPECT_NEAR(p.m[2][2], 1.01f, kEps);
    EXPECT_EQ(p.m[2][3], 1.0f);
    EXPECT_NEAR(p.m[3][2], -1.01f, kEps);
    EXPECT_EQ(p.m[3][3], 0.0f);
    EXPECT_VEC3_NEAR(Coord({2, 1, 1}, p), 1, 1, 0);       // corner of the near plane
    EXPECT_VEC3_NEAR(Coord({0, 0, 101}, p), 0, 0, 1);     // far plane
    EXPECT_VEC3_NEAR(Coord({-202, 0, 101}, p), -1, 0, 1);
}

TEST(Matrices, ProjectToViewportPixels) {
    Matrix p;
    plat::MatrixPerspectiveFovLH(&p, k90, 2.0f, 1.0f, 101.0f);
    Matrix id = Identity();
    plat::Viewport full{0, 0, 640, 480, 0, 1};
    plat::Viewport part{10, 20, 100, 50, 0.5f, 1};
    struct Case { plat::Viewport vp; Vec3 in, out; };
    const Case cases[] = {
        {full, {0, 0, 1}, {320, 240, 0}},
        {full, {2, 1, 1}, {640, 0, 0}},  // +y is up, pixels go down
        {part, {-2, -1, 1}, {10, 70, 0.5f}},
        {part, {0, 0, 101}, {60, 45, 1}},
    };
    for (const Case& k : cases) {
        Vec3 out;
        plat::Vec3Project(&out, &k.in, &k.vp, &p, &id, &id);
        EXPECT_NEAR(out.x, k.out.x, 1e-3f);
        EXPECT_NEAR(out.y, k.out.y, 1e-3f);
        EXPECT_NEAR(out.z, k.out.z, 1e-5f);
    }
    // View and world take part, world first.
    Matrix view = Translate(0, 0, 1), world = Translate(2, 1, 0);
    Vec3 origin, out;
    plat::Vec3Project(&out, &origin, &full, &p, &view, &world);
    EXPECT_NEAR(out.x, 640, 1e-3f);
    EXPECT_NEAR(out.y, 0, 1e-3f);
}

TEST(Matrices, Inverse) {
    // Scale then translate: the inverse translates back then scales down.
    Matrix m = Scale(2, 4, 8) * Translate(1, 2, 3), inv;
    float det = 0;
    ASSERT_NE(plat::MatrixInverse(&inv, &det, &m), nullptr);
    EXPECT_NEAR(det, 64.0f, kEps);
    Matrix expect = Identity();
    expect.m[0][0] = 0.5f; expect.m[1][1] = 0.25f; expect.m[2][2] = 0.125f;
    expect.m[3][0] = -0.5f; expect.m[3][1] = -0.5f; expect.m[3][2] = -0.375f;
    ExpectMatrixNear(inv, expect);

    // A full camera chain comes back to identity, also in place.
    Vec3 eye(3, 4, -5), at(1, 0, 2), up(0, 1, 0);
    Matrix view, proj;
    plat::MatrixLookAtLH(&view, &eye, &at, &up);
    plat::MatrixPerspectiveFovLH(&proj, 0.8f, 4.0f / 3.0f, 1.0f, 1000.0f);
    Matrix chain = Ypr(0.3f, -0.7f, 1.1f) * Translate(7, -3, 2) * view * proj;
    Matrix ci = chain;
    ASSERT_NE(plat::MatrixInverse(&ci, nullptr, &ci), nullptr);
    ExpectMatrixNear(chain * ci, Identity(), 1e-4f);

    // Singular: null, out untouched, determinant 0.
    Matrix flat = Scale(1, 0, 1), out = Translate(9, 9, 9);
    EXPECT_EQ(plat::MatrixInverse(&out, &det, &flat), nullptr);
    EXPECT_EQ(det, 0.0f);
    EXPECT_TRUE(out == Translate(9, 9, 9));
}

TEST(IntersectTri, HitsAndMisses) {
    const Vec3 p0(0, 0, 0), p1(1, 0, 0), p2(0, 1, 0);  // in the plane z = 0
    struct Case { const char* name; Vec3 pos, dir; bool hit; float u, v, dist; };
    const Case cases[] = {
        {"front", {0.25f, 0.5f, -2}, {0, 0, 1}, true, 0.25f, 0.5f, 2},
        {"distance in units of dir", {0.25f, 0.5f, -2}, {0, 0, 2}, true, 0.25f, 0.5f, 1},
        {"back face", {0.25f, 0.25f, 3}, {0, 0, -1}, true, 0.25f, 0.25f, 3},
        {"oblique", {0, 0, -1}, {0.5f, 0.25f, 1}, true, 0.5f, 0.25f, 1},
        {"on a corner", {1, 0, -1}, {0, 0, 1}, true, 1, 0, 1},
        {"origin on the plane", {0.2f, 0.2f, 0}, {0, 0, 1}, true, 0.2f, 0.2f, 0},
        {"pointing away", {0.25f, 0.25f, -2}, {0, 0, -1}, false, 0, 0, 0},
        {"beside the hypotenuse", {0.6f, 0.6f, -1}, {0, 0, 1}, false, 0, 0, 0},
        {"left of the triangle", {-0.1f, 0.5f, -1}, {0, 0, 1}, false, 0, 0, 0},
        {"parallel in the plane", {-1, 0.2f, 0}, {1, 0, 0}, false, 0, 0, 0},
        {"zero direction", {0.2f, 0.2f, -1}, {0, 0, 0}, false, 0, 0, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        float u = -1, v = -1, d = -1;
        ASSERT_EQ(plat::IntersectTri(&p0, &p1, &p2, &k.pos, &k.dir, &u, &v, &d), k.hit);
        if (!k.hit) continue;
        EXPECT_NEAR(u, k.u, kEps);
        EXPECT_NEAR(v, k.v, kEps);
        EXPECT_NEAR(d, k.dist, kEps);
    }
    // A degenerate triangle is never hit.
    Vec3 pos(0.5f, 0, -1), dir(0, 0, 1);
    float u, v, d;
    EXPECT_FALSE(plat::IntersectTri(&p0, &p1, &p1, &pos, &dir, &u, &v, &d));
}

}  // namespace
