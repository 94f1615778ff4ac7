// Vector and matrix maths in the game's conventions: left-handed, y up, row vectors
// (v' = v * M, so A * B applies A first), single precision throughout.
#pragma once

namespace plat {

constexpr float kDegToRad = 0.0174532924f;  // pi/180 as the game rounds it
constexpr float kRadToDeg = 57.2957764f;

struct Vec2 {
    float x = 0, y = 0;
    Vec2() = default;
    Vec2(float x_, float y_) : x(x_), y(y_) {}
    Vec2 operator+(const Vec2& o) const { return {x + o.x, y + o.y}; }
    Vec2 operator-(const Vec2& o) const { return {x - o.x, y - o.y}; }
    Vec2 operator-() const { return {-x, -y}; }
    Vec2 operator*(float s) const { return {x * s, y * s}; }
    Vec2 operator/(float s) const { float r = 1.0f / s; return {x * r, y * r}; }
    Vec2& operator+=(const Vec2& o) { x += o.x; y += o.y; return *this; }
    Vec2& operator-=(const Vec2& o) { x -= o.x; y -= o.y; return *this; }
    Vec2& operator*=(float s) { x *= s; y *= s; return *this; }
    bool operator==(const Vec2& o) const { return x == o.x && y == o.y; }
};

struct Vec3 {
    float x = 0, y = 0, z = 0;
    Vec3() = default;
    Vec3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}
    Vec3 operator+(const Vec3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vec3 operator-(const Vec3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vec3 operator-() const { return {-x, -y, -z}; }
    Vec3 operator*(float s) const { return {x * s, y * s, z * s}; }
    Vec3 operator/(float s) const { float r = 1.0f / s; return {x * r, y * r, z * r}; }
    Vec3& operator+=(const Vec3& o) { x += o.x; y += o.y; z += o.z; return *this; }
    Vec3& operator-=(const Vec3& o) { x -= o.x; y -= o.y; z -= o.z; return *this; }
    Vec3& operator*=(float s) { x *= s; y *= s; z *= s; return *this; }
    Vec3& operator/=(float s) { float r = 1.0f / s; x *= r; y *= r; z *= r; return *this; }
    bool operator==(const Vec3& o) const { return x == o.x && y == o.y && z == o.z; }
    bool operator!=(const Vec3& o) const { return !(*this == o); }
};
inline Vec2 operator*(float s, const Vec2& v) { return v * s; }
inline Vec3 operator*(float s, const Vec3& v) { return v * s; }

// Floating-point colour, components 0..1 (more is allowed and kept).
struct Color {
    float r = 0, g = 0, b = 0, a = 0;
    Color() = default;
    Color(float r_, float g_, float b_, float a_) : r(r_), g(g_), b(b_), a(a_) {}
    // From a 32-bit ARGB word.
    explicit Color(unsigned argb);
    // To a 32-bit ARGB word, each channel clamped to 0..1 first.
    unsigned ToArgb() const;
};

// 4 x 4 matrix, m[row][col]; the translation sits in row 3.
struct Matrix {
    float m[4][4] = {};
    Matrix operator*(const Matrix& o) const;
    Matrix& operator*=(const Matrix& o) { return *this = *this * o; }
    bool operator==(const Matrix& o) const;
};

struct Viewport {
    unsigned X = 0, Y = 0, Width = 0, Height = 0;
    float MinZ = 0, MaxZ = 1;
};

float Vec2Length(const Vec2& v);
Vec2* Vec2Normalize(Vec2* out, const Vec2* v);  // a zero vector stays zero
float Vec3Length(const Vec3& v);
float Vec3Dot(const Vec3& a, const Vec3& b);
Vec3 Vec3Cross(const Vec3& a, const Vec3& b);
Vec3* Vec3Normalize(Vec3* out, const Vec3* v);  // a zero vector stays zero
// (x, y, z, 1) * m, divided by w.
Vec3* Vec3TransformCoord(Vec3* out, const Vec3* v, const Matrix* m);
// (x, y, z, 0) * m: a direction, no translation.
Vec3* Vec3TransformNormal(Vec3* out, const Vec3* v, const Matrix* m);
// World point to viewport pixels; z is the viewport depth MinZ..MaxZ.
Vec3* Vec3Project(Vec3* out, const Vec3* v, const Viewport* vp, const Matrix* proj,
                  const Matrix* view, const Matrix* world);

Matrix* MatrixIdentity(Matrix* out);
Matrix* MatrixMultiply(Matrix* out, const Matrix* a, const Matrix* b);
Matrix* MatrixTranslation(Matrix* out, float x, float y, float z);
Matrix* MatrixScaling(Matrix* out, float x, float y, float z);
Matrix* MatrixRotationX(Matrix* out, float radians);
Matrix* MatrixRotationY(Matrix* out, float radians);
Matrix* MatrixRotationZ(Matrix* out, float radians);
Matrix* MatrixRotationAxis(Matrix* out, const Vec3* axis, float radians);
// Roll about z, then pitch about x, then yaw about y.
Matrix* MatrixRotationYawPitchRoll(Matrix* out, float yaw, float pitch, float roll);
Matrix* MatrixLookAtLH(Matrix* out, const Vec3* eye, const Vec3* at, const Vec3* up);
// Depth maps near..far to 0..1.
Matrix* MatrixPerspectiveFovLH(Matrix* out, float fovy, float aspect, float zn, float zf);
// Returns null (and leaves out alone) when m is singular.
Matrix* MatrixInverse(Matrix* out, float* determinant, const Matrix* m);

// Ray against one triangle, either face. On a hit: *u, *v barycentric weights of p1 and p2,
// *dist the ray parameter (distance in units of |dir|), which is >= 0.
bool IntersectTri(const Vec3* p0, const Vec3* p1, const Vec3* p2, const Vec3* rayPos,
                  const Vec3* rayDir, float* u, float* v, float* dist);

}  // namespace plat
