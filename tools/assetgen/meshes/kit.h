// A small kit for building meshes from code: materials, shared vertices, triangles, transforms
// and the primitives the models are made of (boxes, quads, lathes, extrusions, stairs).
//
// Conventions are the game's: left-handed, y up, row vectors (p' = p * M, so A * B applies A
// first). A face is seen from its front when its corners wind clockwise, and its normal is
// cross(b - a, c - a) of its corners a, b, c.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/math.h"

namespace assetgen::mesh {

using plat::Vec2;
using plat::Vec3;

constexpr float kPi = 3.14159265358979f;

inline float Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float Length(const Vec3& v) { return std::sqrt(Dot(v, v)); }
inline Vec3 Unit(const Vec3& v) {
    float l = Length(v);
    return l > 0 ? v / l : Vec3{};
}
inline Vec3 Lerp(const Vec3& a, const Vec3& b, float t) { return a + (b - a) * t; }

struct Rgb {
    float r = 0, g = 0, b = 0;
};
inline Rgb operator*(const Rgb& c, float s) { return {c.r * s, c.g * s, c.b * s}; }

// A material as the .x file stores it: diffuse (alpha 1), no specular, an emissive colour and
// an optional texture named relative to the asset root, as the game resolves it.
struct Material {
    std::string name;  // an identifier: letters, digits, underscores
    Rgb diffuse;
    Rgb emissive;
    std::string texture;
};

// Plain colour; glow adds that share of the colour as emissive.
Material Flat(const std::string& name, Rgb colour, float glow = 0);
Material Textured(const std::string& name, Rgb colour, const std::string& texture, float glow = 0);

struct Vertex {
    Vec3 pos;
    Vec3 normal;
    Vec2 uv;
};

struct Triangle {
    uint32_t v[3];
    int material;
};

// An affine transform in the row-vector convention: p' = p * m + t.
struct Xform {
    float m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    Vec3 t;

    static Xform Translate(const Vec3& v);
    static Xform Translate(float x, float y, float z) { return Translate(Vec3{x, y, z}); }
    static Xform Scale(float s) { return Scale(Vec3{s, s, s}); }
    static Xform Scale(const Vec3& s);
    static Xform RotX(float degrees);
    static Xform RotY(float degrees);  // a heading: +z turns towards +x
    static Xform RotZ(float degrees);

    Xform operator*(const Xform& o) const;  // this first, then o
    Vec3 Point(const Vec3& p) const;
    Vec3 Direction(const Vec3& d) const;
    Vec3 Normal(const Vec3& n) const;  // by the inverse transpose, renormalised
    float Determinant() const;
};

class Mesh {
public:
    // Index of the material of this name, added when new.
    int Mat(const Material& material);
    uint32_t Vert(const Vec3& pos, const Vec3& normal, const Vec2& uv);
    void Tri(uint32_t a, uint32_t b, uint32_t c, int material);
    // Appends another mesh, placed by xf, merging materials by name.
    void Append(const Mesh& other, const Xform& xf = Xform{});
    void Transform(const Xform& xf);

    std::vector<Vertex> verts;
    std::vector<Triangle> tris;
    std::vector<Material> mats;
};

// How texture coordinates are made for flat faces: planar, from the placed positions, one
// texture repeat per `scale` units along the face's two dominant axes.
struct Planar {
    float scale = 100;
};

// The primitives. Every one takes the material index to use and a placement xf that is
// applied to its local coordinates (a mirroring placement keeps the faces facing out).

// A flat quad, corners clockwise as seen from its front.
void Quad(Mesh& m, int mat, Vec3 a, Vec3 b, Vec3 c, Vec3 d, const Xform& xf = {},
          Planar uv = {});
// The same with texture coordinates given per corner.
void QuadUv(Mesh& m, int mat, Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec2 ua, Vec2 ub, Vec2 uc, Vec2 ud,
            const Xform& xf = {});
void TriFace(Mesh& m, int mat, Vec3 a, Vec3 b, Vec3 c, const Xform& xf = {}, Planar uv = {});

enum BoxFace : unsigned {
    kNegX = 1, kPosX = 2, kNegY = 4, kPosY = 8, kNegZ = 16, kPosZ = 32, kAllFaces = 63,
};
// An axis-aligned box between lo and hi, faces outward.
void Box(Mesh& m, int mat, Vec3 lo, Vec3 hi, const Xform& xf = {}, unsigned faces = kAllFaces,
         Planar uv = {});
// A rectangle in a plane of constant x, y or z, facing one way along that axis. Its extent is
// given in the plane's other two coordinates: (z, y) for x planes, (x, y) for z planes and
// (x, z) for y planes.
enum class Facing { PosX, NegX, PosY, NegY, PosZ, NegZ };
struct Rect {
    float a0, a1, b0, b1;
};
void Panel(Mesh& m, int mat, Facing f, float at, Rect r, const Xform& xf = {}, Planar uv = {});
// The same rectangle with rectangular holes cut out of it.
void PanelWithHoles(Mesh& m, int mat, Facing f, float at, Rect whole, const std::vector<Rect>& holes,
                    const Xform& xf = {}, Planar uv = {});

// A box centred on c with the given size.
void BoxAt(Mesh& m, int mat, Vec3 c, Vec3 size, const Xform& xf = {}, unsigned faces = kAllFaces);
// A box from a to b along its own axis with a square-ish cross-section w x h, the h side
// kept towards `up` where it can be.
void Beam(Mesh& m, int mat, Vec3 a, Vec3 b, float w, float h, Vec3 up = {0, 1, 0});

// A profile point of a lathe: radius r at height y. A sharp point splits the normals there.
struct ProfilePoint {
    float r, y;
    bool sharp = false;
};
// Turns the profile about local y. Faces face to the right of the profile's direction of
// travel in the (r, y) half-plane: a profile that climbs the outside faces outward. Texture u
// goes once round (0 at -z, growing towards +x as seen from outside), v along the profile.
void Lathe(Mesh& m, int mat, const std::vector<ProfilePoint>& profile, int segments,
           const Xform& xf = {});
// A closed cylinder (or frustum) about local y from y0 to y1.
void Cylinder(Mesh& m, int mat, float r0, float r1, float y0, float y1, int segments,
              const Xform& xf = {}, bool caps = true);
// A cylinder from a to b.
void Rod(Mesh& m, int mat, Vec3 a, Vec3 b, float r, int segments, bool caps = true);
// A closed frustum from a (radius ra) to b (radius rb).
void Limb(Mesh& m, int mat, Vec3 a, Vec3 b, float ra, float rb, int segments);
void Sphere(Mesh& m, int mat, Vec3 c, Vec3 radii, int segments, int rings);

// A simple polygon (counter-clockwise in x right, y up) extruded along local z from z0 to z1,
// with flat caps and sides.
void Extrude(Mesh& m, int mat, const std::vector<Vec2>& outline, float z0, float z1,
             const Xform& xf = {}, Planar uv = {}, int sideMat = -1);

// Stairs rising along +z from (z0, y0) to (z1, y1) in `steps` equal risers between x0 and x1:
// riser i stands at z0 + i * run, and its tread, at y0 + (i + 1) * rise, reaches the next.
// Solid stairs also get the side faces and an underside; open ones only treads and risers.
struct StairMats {
    int tread, riser, side = -1;
};
void Stairs(Mesh& m, StairMats mats, float x0, float x1, float z0, float y0, float z1, float y1,
            int steps, const Xform& xf = {}, bool solid = false);

// The part of a mesh inside the box lo..hi, its triangles cut at the box's faces.
Mesh ClipToBox(const Mesh& m, Vec3 lo, Vec3 hi);

// Points of a circle of radius r in the xy-plane, counter-clockwise, starting at +x.
std::vector<Vec2> Circle(float r, int segments);

}  // namespace assetgen::mesh
