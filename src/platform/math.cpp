// Left-handed, row-vector, single-precision maths: v' = v * M, translation in row 3.
#include "platform/math.h"

#include <cmath>

#include "platform/math_tri.h"

namespace plat {

Color::Color(unsigned argb)
    : r(float((argb >> 16) & 0xff) / 255.0f),
      g(float((argb >> 8) & 0xff) / 255.0f),
      b(float(argb & 0xff) / 255.0f),
      a(float((argb >> 24) & 0xff) / 255.0f) {}

namespace {
unsigned ToByte(float c) {
    if (!(c > 0.0f)) return 0;  // also catches NaN
    if (c >= 1.0f) return 0xff;
    return unsigned(c * 255.0f + 0.5f);
}
}  // namespace

unsigned Color::ToArgb() const {
    return (ToByte(a) << 24) | (ToByte(r) << 16) | (ToByte(g) << 8) | ToByte(b);
}

Matrix Matrix::operator*(const Matrix& o) const {
    Matrix r;
    MatrixMultiply(&r, this, &o);
    return r;
}

bool Matrix::operator==(const Matrix& o) const {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (m[i][j] != o.m[i][j]) return false;
    return true;
}

float Vec2Length(const Vec2& v) { return std::sqrt(v.x * v.x + v.y * v.y); }

Vec2* Vec2Normalize(Vec2* out, const Vec2* v) {
    float len = Vec2Length(*v);
    if (len == 0.0f) {
        *out = Vec2(0, 0);
    } else {
        *out = Vec2(v->x / len, v->y / len);
    }
    return out;
}

float Vec3Length(const Vec3& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

float Vec3Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vec3 Vec3Cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vec3* Vec3Normalize(Vec3* out, const Vec3* v) {
    float len = Vec3Length(*v);
    if (len == 0.0f) {
        *out = Vec3(0, 0, 0);
    } else {
        *out = Vec3(v->x / len, v->y / len, v->z / len);
    }
    return out;
}

Vec3* Vec3TransformCoord(Vec3* out, const Vec3* v, const Matrix* m) {
    const auto& a = m->m;
    float x = v->x * a[0][0] + v->y * a[1][0] + v->z * a[2][0] + a[3][0];
    float y = v->x * a[0][1] + v->y * a[1][1] + v->z * a[2][1] + a[3][1];
    float z = v->x * a[0][2] + v->y * a[1][2] + v->z * a[2][2] + a[3][2];
    float w = v->x * a[0][3] + v->y * a[1][3] + v->z * a[2][3] + a[3][3];
    *out = Vec3(x / w, y / w, z / w);
    return out;
}

Vec3* Vec3TransformNormal(Vec3* out, const Vec3* v, const Matrix* m) {
    const auto& a = m->m;
    float x = v->x * a[0][0] + v->y * a[1][0] + v->z * a[2][0];
    float y = v->x * a[0][1] + v->y * a[1][1] + v->z * a[2][1];
    float z = v->x * a[0][2] + v->y * a[1][2] + v->z * a[2][2];
    *out = Vec3(x, y, z);
    return out;
}

Vec3* Vec3Project(Vec3* out, const Vec3* v, const Viewport* vp, const Matrix* proj,
                  const Matrix* view, const Matrix* world) {
    // Null matrices count as identity.
    Matrix m;
    MatrixIdentity(&m);
    if (world) m = m * *world;
    if (view) m = m * *view;
    if (proj) m = m * *proj;
    Vec3 c;
    Vec3TransformCoord(&c, v, &m);
    if (vp) {
        c.x = float(vp->X) + (1.0f + c.x) * float(vp->Width) * 0.5f;
        c.y = float(vp->Y) + (1.0f - c.y) * float(vp->Height) * 0.5f;
        c.z = vp->MinZ + c.z * (vp->MaxZ - vp->MinZ);
    }
    *out = c;
    return out;
}

Matrix* MatrixIdentity(Matrix* out) {
    *out = Matrix{};
    for (int i = 0; i < 4; ++i) out->m[i][i] = 1.0f;
    return out;
}

Matrix* MatrixMultiply(Matrix* out, const Matrix* a, const Matrix* b) {
    Matrix r;  // out may alias a or b
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            r.m[i][j] = a->m[i][0] * b->m[0][j] + a->m[i][1] * b->m[1][j] +
                        a->m[i][2] * b->m[2][j] + a->m[i][3] * b->m[3][j];
    *out = r;
    return out;
}

Matrix* MatrixTranslation(Matrix* out, float x, float y, float z) {
    MatrixIdentity(out);
    out->m[3][0] = x;
    out->m[3][1] = y;
    out->m[3][2] = z;
    return out;
}

Matrix* MatrixScaling(Matrix* out, float x, float y, float z) {
    *out = Matrix{};
    out->m[0][0] = x;
    out->m[1][1] = y;
    out->m[2][2] = z;
    out->m[3][3] = 1.0f;
    return out;
}

Matrix* MatrixRotationX(Matrix* out, float radians) {
    float c = std::cos(radians), s = std::sin(radians);
    MatrixIdentity(out);
    out->m[1][1] = c;
    out->m[1][2] = s;
    out->m[2][1] = -s;
    out->m[2][2] = c;
    return out;
}

Matrix* MatrixRotationY(Matrix* out, float radians) {
    float c = std::cos(radians), s = std::sin(radians);
    MatrixIdentity(out);
    out->m[0][0] = c;
    out->m[0][2] = -s;
    out->m[2][0] = s;
    out->m[2][2] = c;
    return out;
}

Matrix* MatrixRotationZ(Matrix* out, float radians) {
    float c = std::cos(radians), s = std::sin(radians);
    MatrixIdentity(out);
    out->m[0][0] = c;
    out->m[0][1] = s;
    out->m[1][0] = -s;
    out->m[1][1] = c;
    return out;
}

Matrix* MatrixRotationAxis(Matrix* out, const Vec3* axis, float radians) {
    Vec3 n;
    Vec3Normalize(&n, axis);
    float c = std::cos(radians), s = std::sin(radians), t = 1.0f - c;
    MatrixIdentity(out);
    out->m[0][0] = t * n.x * n.x + c;
    out->m[0][1] = t * n.x * n.y + s * n.z;
    out->m[0][2] = t * n.x * n.z - s * n.y;
    out->m[1][0] = t * n.y * n.x - s * n.z;
    out->m[1][1] = t * n.y * n.y + c;
    out->m[1][2] = t * n.y * n.z + s * n.x;
    out->m[2][0] = t * n.z * n.x + s * n.y;
    out->m[2][1] = t * n.z * n.y - s * n.x;
    out->m[2][2] = t * n.z * n.z + c;
    return out;
}

Matrix* MatrixRotationYawPitchRoll(Matrix* out, float yaw, float pitch, float roll) {
    Matrix z, x, y;
    MatrixRotationZ(&z, roll);
    MatrixRotationX(&x, pitch);
    MatrixRotationY(&y, yaw);
    *out = z * x * y;
    return out;
}

Matrix* MatrixLookAtLH(Matrix* out, const Vec3* eye, const Vec3* at, const Vec3* up) {
    Vec3 zaxis = *at - *eye;
    Vec3Normalize(&zaxis, &zaxis);
    Vec3 xaxis = Vec3Cross(*up, zaxis);
    Vec3Normalize(&xaxis, &xaxis);
    Vec3 yaxis = Vec3Cross(zaxis, xaxis);
    MatrixIdentity(out);
    out->m[0][0] = xaxis.x; out->m[0][1] = yaxis.x; out->m[0][2] = zaxis.x;
    out->m[1][0] = xaxis.y; out->m[1][1] = yaxis.y; out->m[1][2] = zaxis.y;
    out->m[2][0] = xaxis.z; out->m[2][1] = yaxis.z; out->m[2][2] = zaxis.z;
    out->m[3][0] = -Vec3Dot(xaxis, *eye);
    out->m[3][1] = -Vec3Dot(yaxis, *eye);
    out->m[3][2] = -Vec3Dot(zaxis, *eye);
    return out;
}

Matrix* MatrixPerspectiveFovLH(Matrix* out, float fovy, float aspect, float zn, float zf) {
    float yScale = 1.0f / std::tan(fovy * 0.5f);
    float xScale = yScale / aspect;
    *out = Matrix{};
    out->m[0][0] = xScale;
    out->m[1][1] = yScale;
    out->m[2][2] = zf / (zf - zn);
    out->m[2][3] = 1.0f;
    out->m[3][2] = -zn * zf / (zf - zn);
    return out;
}

Matrix* MatrixInverse(Matrix* out, float* determinant, const Matrix* m) {
    // Cofactors by 2 x 2 sub-determinants of the upper and lower row pairs.
    const auto& a = m->m;
    float s0 = a[0][0] * a[1][1] - a[1][0] * a[0][1];
    float s1 = a[0][0] * a[1][2] - a[1][0] * a[0][2];
    float s2 = a[0][0] * a[1][3] - a[1][0] * a[0][3];
    float s3 = a[0][1] * a[1][2] - a[1][1] * a[0][2];
    float s4 = a[0][1] * a[1][3] - a[1][1] * a[0][3];
    float s5 = a[0][2] * a[1][3] - a[1][2] * a[0][3];
    float c5 = a[2][2] * a[3][3] - a[3][2] * a[2][3];
    float c4 = a[2][1] * a[3][3] - a[3][1] * a[2][3];
    float c3 = a[2][1] * a[3][2] - a[3][1] * a[2][2];
    float c2 = a[2][0] * a[3][3] - a[3][0] * a[2][3];
    float c1 = a[2][0] * a[3][2] - a[3][0] * a[2][2];
    float c0 = a[2][0] * a[3][1] - a[3][0] * a[2][1];
    float det = s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0;
    if (determinant) *determinant = det;
    if (det == 0.0f || !std::isfinite(det)) return nullptr;
    float inv = 1.0f / det;
    Matrix r;
    r.m[0][0] = (a[1][1] * c5 - a[1][2] * c4 + a[1][3] * c3) * inv;
    r.m[0][1] = (-a[0][1] * c5 + a[0][2] * c4 - a[0][3] * c3) * inv;
    r.m[0][2] = (a[3][1] * s5 - a[3][2] * s4 + a[3][3] * s3) * inv;
    r.m[0][3] = (-a[2][1] * s5 + a[2][2] * s4 - a[2][3] * s3) * inv;
    r.m[1][0] = (-a[1][0] * c5 + a[1][2] * c2 - a[1][3] * c1) * inv;
    r.m[1][1] = (a[0][0] * c5 - a[0][2] * c2 + a[0][3] * c1) * inv;
    r.m[1][2] = (-a[3][0] * s5 + a[3][2] * s2 - a[3][3] * s1) * inv;
    r.m[1][3] = (a[2][0] * s5 - a[2][2] * s2 + a[2][3] * s1) * inv;
    r.m[2][0] = (a[1][0] * c4 - a[1][1] * c2 + a[1][3] * c0) * inv;
    r.m[2][1] = (-a[0][0] * c4 + a[0][1] * c2 - a[0][3] * c0) * inv;
    r.m[2][2] = (a[3][0] * s4 - a[3][1] * s2 + a[3][3] * s0) * inv;
    r.m[2][3] = (-a[2][0] * s4 + a[2][1] * s2 - a[2][3] * s0) * inv;
    r.m[3][0] = (-a[1][0] * c3 + a[1][1] * c1 - a[1][2] * c0) * inv;
    r.m[3][1] = (a[0][0] * c3 - a[0][1] * c1 + a[0][2] * c0) * inv;
    r.m[3][2] = (-a[3][0] * s3 + a[3][1] * s1 - a[3][2] * s0) * inv;
    r.m[3][3] = (a[2][0] * s3 - a[2][1] * s1 + a[2][2] * s0) * inv;
    *out = r;
    return out;
}

bool IntersectTri(const Vec3* p0, const Vec3* p1, const Vec3* p2, const Vec3* rayPos,
                  const Vec3* rayDir, float* u, float* v, float* dist) {
    float bu, bv, t;
    if (!detail::RayTriangle(*p0, *p1 - *p0, *p2 - *p0, *rayPos, *rayDir, 0.0f, &bu, &bv, &t))
        return false;
    if (u) *u = bu;
    if (v) *v = bv;
    if (dist) *dist = t;
    return true;
}

}  // namespace plat
