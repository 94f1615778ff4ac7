// .x loading (subsets, materials, shared vertices, both file forms, damaged files) and ray
// queries against the mesh's index.
#include "platform/mesh.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "platform/math_tri.h"
#include "platform/mesh_bvh.h"

namespace {

using plat::Color;
using plat::Mesh;
using plat::MeshVertex;
using plat::Vec2;
using plat::Vec3;

// ---------------------------------------------------------------------------------------
// Writing .x fixtures, text and binary, from one description.

struct XMat {
    std::string name;  // empty: anonymous
    Color diffuse{1, 1, 1, 1};
    float power = 0;
    Vec3 specular, emissive;
    std::string texture;  // written between the quotes as it stands
};

XMat Named(const std::string& name) {
    XMat m;
    m.name = name;
    return m;
}

struct XEntry {  // one entry of a mesh's material list
    bool reference = false;
    std::string refName;
    XMat inlined;
};

struct XFixture {
    std::vector<XMat> globals;  // top-level materials, before the mesh
    std::vector<Vec3> pos;
    std::vector<std::vector<uint32_t>> faces;
    std::vector<Vec3> normals;  // none when empty
    std::vector<std::vector<uint32_t>> normalFaces;
    std::vector<Vec2> uv;  // none when empty
    std::vector<uint32_t> faceMaterial;  // no material list when empty
    std::vector<XEntry> list;
};

std::string F(float v) {
    char b[32];
    std::snprintf(b, sizeof b, "%.6f", double(v));
    return b;
}

std::string MatText(const XMat& m) {
    std::string s = "Material " + m.name + " {\n " + F(m.diffuse.r) + ";" + F(m.diffuse.g) + ";" + F(m.diffuse.b) + ";" +
                    F(m.diffuse.a) + ";;\n " + F(m.power) + ";\n " + F(m.specular.x) + ";" + F(m.specular.y) + ";" +
                    F(m.specular.z) + ";;\n " + F(m.emissive.x) + ";" + F(m.emissive.y) + ";" + F(m.emissive.z) + ";;\n";
    if (!m.texture.empty()) s += " TextureFilename {\n  \"" + m.texture + "\";\n }\n";
    return s + "}\n";
}

std::string FacesText(const std::vector<std::vector<uint32_t>>& faces) {
    std::string s = " " + std::to_string(faces.size()) + ";\n";
    for (size_t f = 0; f < faces.size(); ++f) {
        s += " " + std::to_string(faces[f].size()) + ";";
        for (size_t k = 0; k < faces[f].size(); ++k) s += std::to_string(faces[f][k]) + (k + 1 < faces[f].size() ? "," : "");
        s += f + 1 < faces.size() ? ";,\n" : ";;\n";
    }
    return s;
}

std::string VectorsText(const std::vector<Vec3>& v) {
    std::string s = " " + std::to_string(v.size()) + ";\n";
    for (size_t i = 0; i < v.size(); ++i)
        s += " " + F(v[i].x) + ";" + F(v[i].y) + ";" + F(v[i].z) + (i + 1 < v.size() ? ";,\n" : ";;\n");
    return s;
}

std::string ToText(const XFixture& x) {
    std::string s = "xof 0303txt 0032\n// written by the test\n";
    for (const XMat& m : x.globals) s += MatText(m);
    s += "Mesh Thing {\n" + VectorsText(x.pos) + FacesText(x.faces);
    if (!x.normals.empty()) s += " MeshNormals {\n" + VectorsText(x.normals) + FacesText(x.normalFaces) + " }\n";
    if (!x.uv.empty()) {
        s += " MeshTextureCoords {\n  " + std::to_string(x.uv.size()) + ";\n";
        for (size_t i = 0; i < x.uv.size(); ++i)
            s += "  " + F(x.uv[i].x) + ";" + F(x.uv[i].y) + (i + 1 < x.uv.size() ? ";,\n" : ";;\n");
        s += " }\n";
    }
    if (!x.faceMaterial.empty()) {
        s += " MeshMaterialList {\n  " + std::to_string(x.list.size()) + ";\n  " + std::to_string(x.faceMaterial.size()) +
             ";\n";
        for (size_t i = 0; i < x.faceMaterial.size(); ++i)
            s += "  " + std::to_string(x.faceMaterial[i]) + (i + 1 < x.faceMaterial.size() ? ",\n" : ";;\n");
        for (const XEntry& e : x.list) s += e.reference ? "  {" + e.refName + "}\n" : MatText(e.inlined);
        s += " }\n";
    }
    return s + "}\n";
}

class BinX {
public:
    explicit BinX(bool doubles) : doubles_(doubles) { s_ = doubles ? "xof 0303bin 0064" : "xof 0303bin 0032"; }
    BinX& Name(const std::string& n) { return W16(1).W32(uint32_t(n.size())).Raw(n); }
    BinX& Str(const std::string& n) { return W16(2).W32(uint32_t(n.size())).Raw(n).W16(0x14); }
    BinX& Open() { return W16(0x0a); }
    BinX& Close() { return W16(0x0b); }
    BinX& Ints(const std::vector<uint32_t>& v) {
        W16(6).W32(uint32_t(v.size()));
        for (uint32_t x : v) W32(x);
        return *this;
    }
    BinX& Floats(const std::vector<float>& v) {
        W16(7).W32(uint32_t(v.size()));
        for (float f : v) {
            if (doubles_) {
                double d = f;
                Raw(std::string(reinterpret_cast<const char*>(&d), 8));
            } else {
                Raw(std::string(reinterpret_cast<const char*>(&f), 4));
            }
        }
        return *this;
    }
    BinX& W16(unsigned v) { s_ += char(v & 0xff); s_ += char(v >> 8); return *this; }
    BinX& W32(uint32_t v) { for (int i = 0; i < 4; ++i) s_ += char((v >> (8 * i)) & 0xff); return *this; }
    BinX& Raw(const std::string& r) { s_ += r; return *this; }
    const std::string& Bytes() const { return s_; }

private:
    bool doubles_;
    std::string s_;
};

void MatBin(BinX& b, const XMat& m) {
    b.Name("Material");
    if (!m.name.empty()) b.Name(m.name);
    b.Open().Floats({m.diffuse.r, m.diffuse.g, m.diffuse.b, m.diffuse.a, m.power, m.specular.x, m.specular.y,
                     m.specular.z, m.emissive.x, m.emissive.y, m.emissive.z});
    if (!m.texture.empty()) b.Name("TextureFilename").Open().Str(m.texture).Close();
    b.Close();
}

void VectorsAndFacesBin(BinX& b, const std::vector<Vec3>& v, const std::vector<std::vector<uint32_t>>& faces) {
    b.Ints({uint32_t(v.size())});
    std::vector<float> f;
    for (const Vec3& p : v) f.insert(f.end(), {p.x, p.y, p.z});
    b.Floats(f);
    std::vector<uint32_t> ints{uint32_t(faces.size())};
    for (const auto& face : faces) {
        ints.push_back(uint32_t(face.size()));
        ints.insert(ints.end(), face.begin(), face.end());
    }
    b.Ints(ints);
}

std::string ToBinary(const XFixture& x, bool doubles) {
    BinX b(doubles);
    for (const XMat& m : x.globals) MatBin(b, m);
    b.Name("Mesh").Name("Thing").Open();
    VectorsAndFacesBin(b, x.pos, x.faces);
    if (!x.normals.empty()) {
        b.Name("MeshNormals").Open();
        VectorsAndFacesBin(b, x.normals, x.normalFaces);
        b.Close();
    }
    if (!x.uv.empty()) {
        std::vector<float> f;
        for (const Vec2& t : x.uv) f.insert(f.end(), {t.x, t.y});
        b.Name("MeshTextureCoords").Open().Ints({uint32_t(x.uv.size())}).Floats(f).Close();
    }
    if (!x.faceMaterial.empty()) {
        std::vector<uint32_t> ints{uint32_t(x.list.size()), uint32_t(x.faceMaterial.size())};
        ints.insert(ints.end(), x.faceMaterial.begin(), x.faceMaterial.end());
        b.Name("MeshMaterialList").Open().Ints(ints);
        for (const XEntry& e : x.list) {
            if (e.reference) {
                b.Open().Name(e.refName).Close();
            } else {
                MatBin(b, e.inlined);
            }
        }
        b.Close();
    }
    b.Close();
    return b.Bytes();
}

class MeshFiles : public ::testing::Test {
protected:
    std::string dir_;
    void SetUp() override {
        std::string tmpl = ::testing::TempDir() + "pomelane_mesh_XXXXXX";
        std::vector<char> buf(tmpl.begin(), tmpl.end());
        buf.push_back('\0');
        ASSERT_NE(mkdtemp(buf.data()), nullptr);
        dir_ = buf.data();
    }
    void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }
    std::string Write(const std::string& name, const std::string& bytes) {
        std::string path = dir_ + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    Mesh* Load(const std::string& name, const std::string& bytes) { return plat::LoadXMesh(Write(name, bytes)); }
};

struct MeshDeleter {
    void operator()(Mesh* m) const { plat::ReleaseMeshObject(m); }
};
using MeshPtr = std::unique_ptr<Mesh, MeshDeleter>;

// ---------------------------------------------------------------------------------------
// A cube of side 2 around the origin, corners numbered x + 2y + 4z, every face wound
// clockwise as seen from outside (the face normal (p1 - p0) x (p2 - p0) points out).

Vec3 Corner(uint32_t i) { return {i & 1 ? 1.f : -1.f, i & 2 ? 1.f : -1.f, i & 4 ? 1.f : -1.f}; }

std::vector<std::vector<uint32_t>> CubeQuads() {
    std::vector<std::vector<uint32_t>> quads;
    for (int axis = 0; axis < 3; ++axis) {
        for (int side = 0; side < 2; ++side) {
            uint32_t bit = 1u << axis, u = 1u << ((axis + 1) % 3), v = 1u << ((axis + 2) % 3);
            uint32_t base = side ? bit : 0;
            std::vector<uint32_t> q{base, base | u, base | u | v, base | v};
            Vec3 out = Corner(base | u | v) * 0;  // along the axis, outwards
            (&out.x)[axis] = side ? 1.f : -1.f;
            Vec3 n = plat::Vec3Cross(Corner(q[1]) - Corner(q[0]), Corner(q[2]) - Corner(q[0]));
            if (plat::Vec3Dot(n, out) < 0) std::swap(q[1], q[3]);
            quads.push_back(q);
        }
    }
    return quads;
}

std::vector<std::vector<uint32_t>> CubeTriangles() {
    std::vector<std::vector<uint32_t>> tris;
    for (const auto& q : CubeQuads()) {
        tris.push_back({q[0], q[1], q[2]});
        tris.push_back({q[0], q[2], q[3]});
    }
    return tris;
}

XFixture Cube() {
    XFixture x;
    for (uint32_t i = 0; i < 8; ++i) x.pos.push_back(Corner(i));
    x.faces = CubeTriangles();
    return x;
}

// ---------------------------------------------------------------------------------------

TEST_F(MeshFiles, SubsetsFollowTheMaterialListWithMaterialsAsWritten) {
    XMat red{"Red", {1, 0, 0, 0.5f}, 12.5f, {0.25f, 0.5f, 0.75f}, {0.1f, 0.2f, 0.3f}, "XFile/tex/Station Floor.BMP"};
    XMat green{"Green", {0, 1, 0, 1}, 0, {}, {}, ""};
    XMat blue{"Blue", {0, 0, 1, 0.25f}, 3, {}, {0, 0, 0.5f}, "tex\\Can.bmp"};
    XMat unused{"", {0.5f, 0.5f, 0.5f, 1}, 0, {}, {}, "never.bmp"};
    XFixture x;
    x.globals = {red, green};
    // Four separate triangles, each told apart by its x offset (face f sits at x = 10 f).
    for (int f = 0; f < 4; ++f) {
        x.pos.insert(x.pos.end(), {{10.f * f, 0, 0}, {10.f * f, 1, 0}, {10.f * f + 1, 0, 0}});
        x.faces.push_back({uint32_t(3 * f), uint32_t(3 * f + 1), uint32_t(3 * f + 2)});
    }
    // List: Green by reference, Blue inline, Red by reference, an unused inline one.
    x.list = {{true, "Green", {}}, {false, "", blue}, {true, "Red", {}}, {false, "", unused}};
    x.faceMaterial = {2, 0, 2, 1};

    for (bool binary : {false, true}) {
        SCOPED_TRACE(binary ? "binary" : "text");
        MeshPtr m(Load("list.x", binary ? ToBinary(x, false) : ToText(x)));
        ASSERT_TRUE(m);
        ASSERT_EQ(m->materials.size(), 4u);  // the file's list, globals not counted twice
        ASSERT_EQ(m->subsets.size(), 4u);
        // Which file faces each subset draws, by their x offsets.
        std::vector<std::vector<int>> facesOf(4);
        for (size_t s = 0; s < 4; ++s) {
            const plat::MeshSubset& sub = m->subsets[s];
            ASSERT_EQ(sub.indexCount % 3, 0u);
            for (unsigned i = sub.firstIndex; i < sub.firstIndex + sub.indexCount; i += 3)
                facesOf[s].push_back(int(std::lround(m->vertices[m->indices[i]].pos.x / 10)));
        }
        EXPECT_EQ(facesOf[0], std::vector<int>{1});
        EXPECT_EQ(facesOf[1], std::vector<int>{3});
        EXPECT_EQ(facesOf[2], (std::vector<int>{0, 2}));
        EXPECT_TRUE(facesOf[3].empty());
        EXPECT_EQ(m->subsets[3].firstIndex, m->indices.size());

        const plat::Material& r = m->materials[2].material;
        EXPECT_FLOAT_EQ(r.Diffuse.r, 1);
        EXPECT_FLOAT_EQ(r.Diffuse.a, 0.5f);
        EXPECT_FLOAT_EQ(r.Power, 12.5f);
        EXPECT_FLOAT_EQ(r.Specular.g, 0.5f);
        EXPECT_FLOAT_EQ(r.Specular.b, 0.75f);
        EXPECT_FLOAT_EQ(r.Emissive.r, 0.1f);
        EXPECT_FLOAT_EQ(r.Emissive.b, 0.3f);
        EXPECT_EQ(r.Ambient.r, 0);  // not the loader's business
        EXPECT_FLOAT_EQ(m->materials[1].material.Diffuse.a, 0.25f);
        EXPECT_FLOAT_EQ(m->materials[1].material.Emissive.b, 0.5f);
        EXPECT_FLOAT_EQ(m->materials[0].material.Diffuse.g, 1);
        EXPECT_EQ(m->materials[0].textureFile, "");
        EXPECT_EQ(m->materials[1].textureFile, "tex\\Can.bmp");
        EXPECT_EQ(m->materials[2].textureFile, "XFile/tex/Station Floor.BMP");
        EXPECT_EQ(m->materials[3].textureFile, "never.bmp");
    }
}

TEST_F(MeshFiles, IdenticalCornersAreOneVertexAcrossSubsets) {
    struct Case { const char* name; bool smoothNormals, flatNormals, uv; unsigned vertices; };
    const Case cases[] = {
        {"normals and uv per corner", true, false, true, 8},
        {"no normals given", false, false, true, 8},
        {"a normal per face", false, true, false, 24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        XFixture x = Cube();
        if (c.smoothNormals) {
            for (uint32_t i = 0; i < 8; ++i) x.normals.push_back(Corner(i) / std::sqrt(3.0f));
            x.normalFaces = x.faces;
        }
        if (c.flatNormals) {
            for (const auto& tri : x.faces) {
                Vec3 n = plat::Vec3Cross(Corner(tri[1]) - Corner(tri[0]), Corner(tri[2]) - Corner(tri[0]));
                plat::Vec3Normalize(&n, &n);
                x.normalFaces.push_back({uint32_t(x.normals.size()), uint32_t(x.normals.size()), uint32_t(x.normals.size())});
                x.normals.push_back(n);
            }
        }
        if (c.uv)
            for (uint32_t i = 0; i < 8; ++i) x.uv.push_back({float(i) / 8, float(i % 3) / 4});
        // The top face in a second material: the seam must not split the corners.
        x.list = {{false, "", Named("A")}, {false, "", Named("B")}};
        for (const auto& tri : x.faces) {
            bool top = Corner(tri[0]).y > 0 && Corner(tri[1]).y > 0 && Corner(tri[2]).y > 0;
            x.faceMaterial.push_back(top ? 1 : 0);
        }
        MeshPtr m(Load("cube.x", ToText(x)));
        ASSERT_TRUE(m);
        EXPECT_EQ(m->NumVertices(), c.vertices);
        EXPECT_EQ(m->indices.size(), 36u);
        EXPECT_EQ(m->subsets[1].indexCount, 6u);
        for (const MeshVertex& v : m->vertices) {
            EXPECT_NEAR(plat::Vec3Length(v.normal), 1.0f, 1e-5f);
            if (!c.flatNormals) {  // given or made, a corner's normal points out of the cube
                EXPECT_GT(plat::Vec3Dot(v.normal, v.pos), 0.9f);
            }
        }
    }
}

TEST_F(MeshFiles, KeepsCoordinatesWindingNormalsAndTextureCoordinates) {
    XFixture x;
    x.pos = {{0.5f, -1.25f, 3}, {0, 0.125f, 5}, {0, 4, 5}, {3, 0.125f, 5}, {3, 4, 5}};
    x.faces = {{0, 2, 1}, {1, 2, 4, 3}};  // a triangle and a (convex) quad, as the file winds them
    x.normals = {{0, 0, -1}, {0.6f, 0.8f, 0}};
    x.normalFaces = {{0, 0, 0}, {1, 1, 1, 1}};
    x.uv = {{0.1f, 0.9f}, {0.3f, 0.7f}, {1, 0}, {0.25f, 0.5f}, {0.75f, 1}};
    for (bool binary : {false, true}) {
        SCOPED_TRACE(binary ? "binary" : "text");
        MeshPtr m(Load("shape.x", binary ? ToBinary(x, false) : ToText(x)));
        ASSERT_TRUE(m);
        ASSERT_EQ(m->indices.size(), 9u);
        // The quad is cut into a fan from its first corner; each triangle keeps its winding,
        // perhaps starting from another corner.
        const std::vector<std::vector<uint32_t>> expect = {{0, 2, 1}, {1, 2, 4}, {1, 4, 3}};
        for (size_t t = 0; t < 3; ++t) {
            SCOPED_TRACE("triangle " + std::to_string(t));
            const MeshVertex* got[3] = {&m->vertices[m->indices[3 * t]], &m->vertices[m->indices[3 * t + 1]],
                                        &m->vertices[m->indices[3 * t + 2]]};
            int shift = -1;
            for (int s = 0; s < 3; ++s)
                if (got[s]->pos == x.pos[expect[t][0]]) shift = s;
            ASSERT_GE(shift, 0);
            for (int k = 0; k < 3; ++k) {
                uint32_t file = expect[t][k];
                const MeshVertex& v = *got[(shift + k) % 3];
                EXPECT_EQ(v.pos, x.pos[file]);
                EXPECT_NEAR(v.uv.x, x.uv[file].x, 1e-6f);
                EXPECT_NEAR(v.uv.y, x.uv[file].y, 1e-6f);
                Vec3 n = t == 0 ? x.normals[0] : x.normals[1];
                EXPECT_NEAR(v.normal.x, n.x, 1e-6f);
                EXPECT_NEAR(v.normal.y, n.y, 1e-6f);
                EXPECT_NEAR(v.normal.z, n.z, 1e-6f);
            }
        }
    }
}

TEST_F(MeshFiles, BinaryFormsReadLikeText) {
    XFixture x = Cube();
    x.uv.assign(8, {0.5f, 0.25f});
    x.list = {{false, "", {"M", {0.2f, 0.4f, 0.6f, 0.8f}, 7, {}, {}, "XFile/tex/Can.bmp"}}};
    x.faceMaterial = {0};  // one index for all faces
    MeshPtr text(Load("t.x", ToText(x)));
    MeshPtr bin32(Load("b32.x", ToBinary(x, false)));
    MeshPtr bin64(Load("b64.x", ToBinary(x, true)));
    ASSERT_TRUE(text && bin32 && bin64);
    for (const Mesh* m : {bin32.get(), bin64.get()}) {
        ASSERT_EQ(m->NumVertices(), text->NumVertices());
        ASSERT_EQ(m->indices, text->indices);
        for (unsigned i = 0; i < m->NumVertices(); ++i) {
            EXPECT_EQ(m->vertices[i].pos, text->vertices[i].pos);
            EXPECT_EQ(m->vertices[i].uv, text->vertices[i].uv);
        }
        ASSERT_EQ(m->materials.size(), 1u);
        EXPECT_FLOAT_EQ(m->materials[0].material.Diffuse.a, 0.8f);
        EXPECT_EQ(m->materials[0].textureFile, "XFile/tex/Can.bmp");
        EXPECT_EQ(m->subsets[0].indexCount, 36u);
    }
}

TEST_F(MeshFiles, FramesPlaceTheirMeshes) {
    // Outer frame moves by (10, 20, 30); inner turns x into -z (row vectors).
    const std::string file =
        "xof 0303txt 0032\n"
        "Frame Root {\n FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 10,20,30,1;; }\n"
        " Frame Child {\n  FrameTransformMatrix { 0,0,-1,0, 0,1,0,0, 1,0,0,0, 0,0,0,1;; }\n"
        "  Mesh { 3; 1;0;0;, 0;1;0;, 0;0;1;; 1; 3;0,1,2;;\n"
        "   MeshNormals { 1; 1;0;0;; 1; 3;0,0,0;; } }\n }\n}\n";
    MeshPtr m(Load("frames.x", file));
    ASSERT_TRUE(m);
    ASSERT_EQ(m->NumVertices(), 3u);
    const Vec3 expect[3] = {{10, 20, 29}, {10, 21, 30}, {11, 20, 30}};
    for (int k = 0; k < 3; ++k) {
        const MeshVertex& v = m->vertices[m->indices[k]];
        EXPECT_NEAR(v.pos.x, expect[k].x, 1e-5f);
        EXPECT_NEAR(v.pos.y, expect[k].y, 1e-5f);
        EXPECT_NEAR(v.pos.z, expect[k].z, 1e-5f);
        EXPECT_NEAR(v.normal.z, -1, 1e-5f);
    }
    ASSERT_EQ(m->materials.size(), 1u);  // no list: one default material
}

TEST_F(MeshFiles, DamagedFilesGiveNullAndSayWhy) {
    XFixture x = Cube();
    x.uv.assign(8, {0, 0});
    x.list = {{false, "", Named("M")}};
    x.faceMaterial.assign(12, 0);
    const std::string text = ToText(x);
    const std::string bin = ToBinary(x, false);
    auto replace = [](std::string s, const std::string& from, const std::string& to) {
        size_t at = s.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? s : s.replace(at, from.size(), to);
    };
    auto binPatch = [&](size_t at, uint32_t value) {  // a 32-bit field of the binary file
        std::string s = bin;
        std::memcpy(&s[at], &value, 4);
        return s;
    };
    // Binary layout: header 16, name "Mesh" 10, name "Thing" 11, '{' 2, then the vertex
    // count list (token 2, count 4, value 4) and the position list (token 2, count 4).
    const size_t vertexCount = 16 + 10 + 11 + 2 + 6, positionCount = vertexCount + 4 + 2;
    struct Case { const char* name; std::string bytes; };
    const Case cases[] = {
        {"empty", ""},
        {"not an .x file", "hello, world, this is not a mesh"},
        {"header only", "xof 0303txt 0032"},
        {"compressed", "xof 0303bzip0032" + std::string(40, '\1')},
        {"text cut in the vertices", text.substr(0, text.find("1.000000;1.000000;1.000000"))},
        {"text vertex count of two billion", replace(text, " 8;\n", " 2000000000;\n")},
        {"text face count of two billion", replace(text, " 12;\n", " 2000000000;\n")},
        {"corner equal to the vertex count", replace(text, "3;0,", "3;8,")},
        {"face of two corners", replace(text, "3;0,", "2;")},
        {"material named but never defined", replace(text, "Material M {", "{Nowhere}\n Material M {")},
        {"face material out of range", replace(text, "  0,\n", "  5,\n")},
        {"texture coordinate count off", replace(text, "  8;\n  0.000000", "  7;\n  0.000000")},
        {"unbalanced braces", text + "}\n"},
        {"binary cut in half", bin.substr(0, bin.size() / 2)},
        {"binary vertex count of two billion", binPatch(vertexCount, 2000000000u)},
        {"binary list longer than the file", binPatch(positionCount, 0x40000000u)},
        {"binary unknown token", binPatch(16, 0x0000abcdu)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = Write("bad.x", c.bytes);
        ::testing::internal::CaptureStderr();
        Mesh* m = plat::LoadXMesh(path);
        std::string err = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(m, nullptr);
        plat::ReleaseMeshObject(m);
        EXPECT_NE(err.find(path), std::string::npos) << err;
    }
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(plat::LoadXMesh(dir_ + "/missing.x"), nullptr);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("missing.x"), std::string::npos);

    // Every cut of either form short of its last brace is refused, and none crashes.
    const struct { std::string bytes; size_t keep; } forms[] = {{text, text.rfind('}')}, {bin, bin.size()}};
    ::testing::internal::CaptureStderr();
    for (const auto& form : forms) {
        for (size_t n = 0; n < form.keep; ++n) {
            Mesh* m = plat::LoadXMesh(Write("cut.x", form.bytes.substr(0, n)));
            EXPECT_EQ(m, nullptr) << "kept " << n << " bytes";
            plat::ReleaseMeshObject(m);
        }
    }
    ::testing::internal::GetCapturedStderr();
}

// ---------------------------------------------------------------------------------------
// Ray queries.

Mesh MeshOf(const std::vector<Vec3>& pos, const std::vector<std::vector<uint32_t>>& tris) {
    Mesh m;
    for (const Vec3& p : pos) m.vertices.push_back({p, {}, {}});
    for (const auto& t : tris) m.indices.insert(m.indices.end(), t.begin(), t.end());
    m.subsets.push_back({0, unsigned(m.indices.size())});
    return m;
}

Mesh CubeMesh() {
    std::vector<Vec3> pos;
    for (uint32_t i = 0; i < 8; ++i) pos.push_back(Corner(i));
    return MeshOf(pos, CubeTriangles());
}

TEST(IntersectMesh, FixedRaysAgainstTheCube) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case { const char* name; Vec3 pos, dir; bool hit; float dist; };
    const Case cases[] = {
        {"front", {0.3f, 0.2f, -5}, {0, 0, 1}, true, 4},
        {"in units of the direction", {0.3f, 0.2f, -5}, {0, 0, 2}, true, 2},
        {"from inside, the back of the top", {0, 0, 0}, {0, 1, 0}, true, 1},
        {"oblique from a corner's side", {-3, 0, -3}, {1, 0.25f, 1}, true, 2},
        {"starting on the surface", {0.5f, -1, 0.5f}, {0, -1, 0}, true, 0},
        {"along the top face's plane", {5, 1, 0.5f}, {-1, 0, 0}, true, 4},
        {"through an edge", {5, 0, 5}, {-1, 0, -1}, true, 4},
        {"pointing away", {0.3f, 0.2f, -5}, {0, 0, -1}, false, 0},
        {"passing by", {3, 3, 3}, {1, 0, 0}, false, 0},
        {"zero direction", {0, 0, -5}, {0, 0, 0}, false, 0},
        {"not-a-number direction", {0, 0, -5}, {nan, nan, nan}, false, 0},
        {"not-a-number origin", {nan, 0, -5}, {0, 0, 1}, false, 0},
    };
    Mesh indexed = CubeMesh();
    plat::MeshVerticesChanged(&indexed);
    Mesh plain = CubeMesh();  // never indexed: the query tests every triangle
    for (const Mesh* m : {&indexed, &plain}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (m->bvh ? " (index)" : " (plain)"));
            bool hit = !c.hit;
            float dist = -1;
            unsigned face = 99;
            EXPECT_EQ(plat::IntersectMesh(m, c.pos, c.dir, &hit, &dist, &face), c.hit);
            EXPECT_EQ(hit, c.hit);
            if (!c.hit) continue;
            EXPECT_NEAR(dist, c.dist, 1e-5f);
            ASSERT_LT(face, 12u);
            // The face named is one that lies at that distance.
            const Vec3& p0 = m->vertices[m->indices[3 * face]].pos;
            Vec3 at = c.pos + c.dir * dist;
            Vec3 n = plat::Vec3Cross(m->vertices[m->indices[3 * face + 1]].pos - p0,
                                     m->vertices[m->indices[3 * face + 2]].pos - p0);
            EXPECT_NEAR(plat::Vec3Dot(at - p0, n), 0, 1e-4f);
        }
    }
    bool hit = true;
    EXPECT_FALSE(plat::IntersectMesh(nullptr, {0, 0, -5}, {0, 0, 1}, &hit, nullptr));
    EXPECT_FALSE(hit);
}

// A bumpy terrain with a soup of loose triangles over it.
Mesh Terrain(std::mt19937& rng, int n, int soup) {
    std::uniform_real_distribution<float> h(-20, 20), u(0, 1);
    std::vector<Vec3> pos;
    std::vector<std::vector<uint32_t>> tris;
    const float cell = 25;
    for (int z = 0; z <= n; ++z)
        for (int x = 0; x <= n; ++x) pos.push_back({x * cell, h(rng), z * cell});
    for (int z = 0; z < n; ++z)
        for (int x = 0; x < n; ++x) {
            uint32_t a = uint32_t(z * (n + 1) + x), b = a + 1, c = a + uint32_t(n + 1), d = c + 1;
            tris.push_back({a, c, d});
            tris.push_back({a, d, b});
        }
    for (int i = 0; i < soup; ++i) {
        Vec3 centre(u(rng) * n * cell, u(rng) * 200 - 50, u(rng) * n * cell);
        uint32_t first = uint32_t(pos.size());
        for (int k = 0; k < 3; ++k) pos.push_back(centre + Vec3(h(rng), h(rng), h(rng)) * 2);
        tris.push_back({first, first + 1, first + 2});
    }
    return MeshOf(pos, tris);
}

// The nearest hit over every triangle, with the index's own kernel (slack 0 is the plain
// ray-triangle test).
bool BruteForce(const Mesh& m, const Vec3& pos, const Vec3& dir, float slack, float* best) {
    bool found = false;
    for (size_t f = 0; f < m.indices.size() / 3; ++f) {
        const Vec3& p0 = m.vertices[m.indices[3 * f]].pos;
        const Vec3& p1 = m.vertices[m.indices[3 * f + 1]].pos;
        const Vec3& p2 = m.vertices[m.indices[3 * f + 2]].pos;
        float u, v, t;
        bool hit = slack == 0 ? plat::IntersectTri(&p0, &p1, &p2, &pos, &dir, &u, &v, &t)
                              : plat::detail::RayTriangle(p0, p1 - p0, p2 - p0, pos, dir, slack, &u, &v, &t);
        if (hit && (!found || t < *best)) {
            *best = t;
            found = true;
        }
    }
    return found;
}

TEST(IntersectMesh, AgreesWithEveryTriangleForRandomRays) {
    std::mt19937 rng(20240601);
    Mesh m = Terrain(rng, 30, 400);  // 1800 + 400 triangles
    plat::MeshVerticesChanged(&m);
    std::uniform_real_distribution<float> u(-1, 1), span(-100, 850);
    int hits = 0, plainDisagree = 0;
    const int rays = 3000;
    for (int i = 0; i < rays; ++i) {
        Vec3 pos(span(rng), span(rng) * 0.3f, span(rng));
        Vec3 dir;
        switch (i % 4) {
            case 0: dir = Vec3(0, u(rng) < 0 ? -1.f : 1.f, 0); break;     // the floor and ceiling rays
            case 1: dir = Vec3(u(rng), 0, u(rng)) * 7; break;             // level motion, not unit
            default: dir = Vec3(u(rng), u(rng), u(rng)); break;
        }
        bool hit = false;
        float dist = -1;
        unsigned face = 0;
        plat::IntersectMesh(&m, pos, dir, &hit, &dist, &face);
        float brute = 0;
        bool bruteHit = BruteForce(m, pos, dir, plat::kMeshEdgeSlack, &brute);
        ASSERT_EQ(hit, bruteHit) << "ray " << i;
        if (hit) {
            ++hits;
            ASSERT_EQ(dist, brute) << "ray " << i;
        }
        float exact = 0;
        bool exactHit = BruteForce(m, pos, dir, 0, &exact);
        if (exactHit != hit || (hit && std::fabs(exact - dist) > 1e-4f * (1 + exact))) ++plainDisagree;
    }
    EXPECT_GT(hits, rays / 4);  // the rays do find the mesh
    EXPECT_LE(plainDisagree, rays / 200);  // the edge slack changes next to nothing
}

TEST(IntersectMesh, RaysAtSharedEdgesNeverSlipThrough) {
    // Floor rays aimed at points of edges two triangles share, on a bent grid: rounding must
    // not let any pass between the two.
    std::mt19937 rng(7);
    Mesh m = Terrain(rng, 20, 0);
    plat::MeshVerticesChanged(&m);
    std::uniform_real_distribution<float> t(0, 1), off(-30, 30);
    int misses = 0;
    for (int i = 0; i < 4000; ++i) {
        size_t f = rng() % (m.indices.size() / 3);
        uint32_t a = m.indices[3 * f], b = m.indices[3 * f + 1 + (i & 1)];  // an edge of face f
        Vec3 pa = m.vertices[a].pos, pb = m.vertices[b].pos;
        Vec3 target = pa + (pb - pa) * t(rng);
        Vec3 from = i % 3 ? Vec3(target.x, 300, target.z) : Vec3(target.x + off(rng), 300, target.z + off(rng));
        bool hit = false;
        float dist;
        plat::IntersectMesh(&m, from, target - from, &hit, &dist);
        if (!hit) ++misses;
    }
    EXPECT_EQ(misses, 0);
}

TEST(IntersectMesh, AwkwardShapesStillIndexAndAnswer) {
    std::vector<Vec3> pos;
    std::vector<std::vector<uint32_t>> tris;
    // 3000 copies of one triangle, a long strip of slivers, and a triangle with a NaN corner.
    for (uint32_t i = 0; i < 3000; ++i) {
        pos.insert(pos.end(), {{0, 0, 0}, {1, 0, 0}, {0, 0, 1}});
        tris.push_back({3 * i, 3 * i + 1, 3 * i + 2});
    }
    for (uint32_t i = 0; i < 5000; ++i) {
        uint32_t first = uint32_t(pos.size());
        pos.insert(pos.end(), {{10.f + i, 5, 0}, {11.f + i, 5, 0}, {10.5f + i, 5, 1e-3f}});
        tris.push_back({first, first + 1, first + 2});
    }
    uint32_t first = uint32_t(pos.size());
    pos.insert(pos.end(), {{0, -5, 0}, {std::numeric_limits<float>::quiet_NaN(), -5, 0}, {0, -5, 1}});
    tris.push_back({first, first + 1, first + 2});
    Mesh m = MeshOf(pos, tris);
    plat::MeshVerticesChanged(&m);
    ASSERT_TRUE(m.bvh);
    EXPECT_LT(m.bvh->depth, plat::MeshBvh::kMaxDepth);

    bool hit;
    float dist;
    unsigned face;
    EXPECT_TRUE(plat::IntersectMesh(&m, {0.25f, 3, 0.25f}, {0, -1, 0}, &hit, &dist, &face));
    EXPECT_FLOAT_EQ(dist, 3);
    EXPECT_LT(face, 3000u);
    EXPECT_TRUE(plat::IntersectMesh(&m, {4010.5f, 9, 5e-4f}, {0, -2, 0}, &hit, &dist, &face));
    EXPECT_FLOAT_EQ(dist, 2);
    EXPECT_EQ(face, 3000u + 4000u);
    // From below, the NaN triangle is passed through and the copies are hit.
    EXPECT_TRUE(plat::IntersectMesh(&m, {0.1f, -10, 0.1f}, {0, 1, 0}, &hit, &dist, &face));
    EXPECT_FLOAT_EQ(dist, 10);
}

TEST(IntersectMesh, FollowsVerticesMovedInPlace) {
    Mesh m = CubeMesh();
    plat::MeshVerticesChanged(&m);
    Mesh copy = m;  // shares the index until one of them changes
    m.dirty = false;
    for (MeshVertex& v : m.vertices) v.pos *= 2;  // cube of side 4
    plat::MeshVerticesChanged(&m);
    EXPECT_TRUE(m.dirty);
    bool hit;
    float dist;
    ASSERT_TRUE(plat::IntersectMesh(&m, {0, 10, 0}, {0, -1, 0}, &hit, &dist));
    EXPECT_FLOAT_EQ(dist, 8);
    ASSERT_TRUE(plat::IntersectMesh(&copy, {0, 10, 0}, {0, -1, 0}, &hit, &dist));
    EXPECT_FLOAT_EQ(dist, 9);  // the copy keeps its own vertices and answers for them
}

TEST_F(MeshFiles, ReleaseTellsTheCurrentDeviceFirst) {
    plat::Device* before = plat::CurrentDevice();
    plat::NullDevice* nd = plat::CreateNullDevice();
    plat::Device* device = reinterpret_cast<plat::Device*>(nd);  // the null device is a Device
    plat::SetCurrentDevice(device);
    Mesh* m = Load("cube.x", ToText(Cube()));
    ASSERT_NE(m, nullptr);
    char name[32];
    std::snprintf(name, sizeof name, "%p", static_cast<void*>(m));
    plat::NullDeviceClearLog(nd);
    plat::ReleaseMeshObject(m);
    plat::ReleaseMeshObject(nullptr);
    const auto& log = plat::NullDeviceLog(nd);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].name, "ForgetMesh");
    EXPECT_EQ(log[0].args, name);
    plat::SetCurrentDevice(nullptr);
    plat::ReleaseMeshObject(Load("cube.x", ToText(Cube())));  // no device: nothing to tell
    plat::SetCurrentDevice(before);
    plat::DestroyDevice(device);
}

}  // namespace
