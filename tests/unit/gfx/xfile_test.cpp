#include "gfx/xfile.h"

#include "gfx_fixture.h"
#include "round/round_state.h"

namespace {

using namespace plat;

// A three-subset mesh: subset 1 has no texture, subset 2 an emissive red of 0.25.
struct MeshDraws : NullScene {
    XFILE x;
    Texture* tex0 = CreateTexture(2, 2);
    Texture* tex2 = CreateTexture(2, 2);

    MeshDraws() {
        Mesh* mesh = new Mesh;
        mesh->vertices.resize(3);
        mesh->indices = {0, 1, 2, 0, 1, 2, 0, 1, 2};
        for (unsigned i = 0; i < 3; ++i) mesh->subsets.push_back(MeshSubset{3 * i, 3});
        mesh->materials.resize(3);
        x.lpMesh = mesh;
        x.MatNum = 3;
        for (int i = 0; i < 3; ++i) {
            Material m;
            m.Diffuse = Color(0.8f, 0.6f, 0.4f + 0.1f * i, 1.0f);
            m.Ambient = m.Diffuse;
            m.Emissive = Color(i == 2 ? 0.25f : 0.0f, 0.1f, 0.0f, 0.0f);
            x.lpMat.push_back(m);
        }
        x.lpTex = {tex0, nullptr, tex2};
    }
    ~MeshDraws() override { ReleaseMesh(&x); }

    // Subset draws since the last call.
    std::vector<NullDraw> Take() {
        std::vector<NullDraw> out;
        for (const NullDraw& d : Draws())
            if (d.kind == NullDraw::MeshSubset) out.push_back(d);
        NullDeviceClearLog(nd);
        return out;
    }
};

TEST_F(MeshDraws, DrawMeshUsesEachSubsetsMaterialAndTexture) {
    DrawMesh(&x);
    const auto d = Take();
    ASSERT_EQ(d.size(), 3u);
    for (unsigned i = 0; i < 3; ++i) {
        EXPECT_EQ(d[i].subset, i);
        EXPECT_EQ(d[i].mesh, x.lpMesh);
        EXPECT_EQ(d[i].material.Diffuse.b, x.lpMat[i].Diffuse.b);
        EXPECT_EQ(d[i].texture, x.lpTex[i]);
    }
    EXPECT_EQ(d[1].texture, nullptr);  // no texture name: stage 0 empty
    // The device is left with the last subset's material and texture.
    EXPECT_EQ(device->GetTexture(0), tex2);
    EXPECT_EQ(device->GetMaterial().Emissive.r, 0.25f);
}

TEST_F(MeshDraws, VariantsChangeOnlyTheirCopyOfTheMaterial) {
    DrawMeshRed(&x, 0, 0.5f);
    auto d = Take();
    ASSERT_EQ(d.size(), 3u);
    EXPECT_EQ(d[2].material.Emissive.r, 0.25f);  // Red 0 keeps the stored emissive
    EXPECT_EQ(d[0].material.Diffuse.a, 0.5f);
    EXPECT_EQ(d[2].texture, tex2);

    DrawMeshRed(&x, 10, 1.0f);
    d = Take();
    EXPECT_FLOAT_EQ(d[0].material.Emissive.r, 1.0f);  // Red 10 is full red whatever was stored
    EXPECT_FLOAT_EQ(d[2].material.Emissive.r, 1.0f);
    EXPECT_EQ(d[2].material.Emissive.g, 0.1f);

    DrawMeshRed(&x, 5, 1.0f);
    d = Take();
    EXPECT_FLOAT_EQ(d[2].material.Emissive.r, 0.625f);

    DrawMeshAlpha(&x, 0.3f);
    d = Take();
    EXPECT_EQ(d[1].material.Diffuse.a, 0.3f);
    EXPECT_EQ(d[1].material.Ambient.a, 1.0f);
    EXPECT_EQ(d[1].material.Diffuse.r, 0.8f);

    DrawMeshDiffuse(&x, 0.5f, 0.25f);
    d = Take();
    EXPECT_FLOAT_EQ(d[2].material.Diffuse.r, 0.4f);
    EXPECT_FLOAT_EQ(d[2].material.Diffuse.b, 0.3f);
    EXPECT_FLOAT_EQ(d[2].material.Ambient.g, 0.3f);
    EXPECT_EQ(d[2].material.Diffuse.a, 0.25f);
    EXPECT_EQ(d[2].material.Ambient.a, 0.25f);
    EXPECT_EQ(d[2].material.Emissive.r, 0.25f);

    DrawMeshDiffuse(&x, 1.0f, 1.0f);  // like DrawMesh, both alphas forced to 1
    d = Take();
    EXPECT_EQ(d[0].material.Diffuse.r, x.lpMat[0].Diffuse.r);
    EXPECT_EQ(d[0].material.Ambient.a, 1.0f);

    // The stored materials never change.
    EXPECT_EQ(x.lpMat[2].Emissive.r, 0.25f);
    EXPECT_EQ(x.lpMat[0].Diffuse.a, 1.0f);
    EXPECT_EQ(x.lpMat[0].Diffuse.r, 0.8f);
}

TEST_F(MeshDraws, NoMatKeepsTheMaterialInForce) {
    XFILE other;
    other.lpMesh = new Mesh;
    other.lpMesh->subsets.push_back(MeshSubset{0, 0});
    other.MatNum = 1;
    Material glow;
    glow.Diffuse.a = 1;
    glow.Emissive.r = 1;
    other.lpMat = {glow};
    other.lpTex = {nullptr};
    DrawMesh(&other);
    NullDeviceClearLog(nd);

    DrawMeshNoMat(&x);
    for (const DeviceCall& c : NullDeviceLog(nd)) EXPECT_NE(c.name, "SetMaterial");
    const auto d = Take();
    ASSERT_EQ(d.size(), 3u);
    for (const NullDraw& draw : d) {
        EXPECT_EQ(draw.material.Emissive.r, 1.0f);
        EXPECT_EQ(draw.material.Diffuse.r, 0.0f);
    }
    EXPECT_EQ(d[0].texture, tex0);
    ReleaseMesh(&other);
}

TEST_F(MeshDraws, CanMeshTakesTheLabelForEverySubset) {
    Texture* label = CreateTexture(1, 1);
    game.lpCanTex[7] = label;
    DrawCanMesh(&x, 7);
    auto d = Take();
    ASSERT_EQ(d.size(), 3u);
    for (const NullDraw& draw : d) EXPECT_EQ(draw.texture, label);
    EXPECT_EQ(d[2].material.Emissive.r, 0.25f);
    DrawCanMesh(&x, 10);  // no such label: drawn untextured
    d = Take();
    EXPECT_EQ(d[0].texture, nullptr);
    game.lpCanTex[7] = nullptr;
    ReleaseTexture(label);
}

TEST_F(MeshDraws, EmptyRecordsDrawNothingAndReleaseOnce) {
    XFILE empty;
    DrawMesh(&empty);
    DrawMeshRed(&empty, 3, 1);
    ReleaseMesh(&empty);
    EXPECT_TRUE(NullDeviceLog(nd).empty());

    ReleaseMesh(&x);
    EXPECT_EQ(x.lpMesh, nullptr);
    EXPECT_EQ(x.MatNum, 0u);
    const size_t forgotten = NullDeviceLog(nd).size();
    EXPECT_GE(forgotten, 3u);  // two textures and the mesh forgotten by the device
    ReleaseMesh(&x);
    EXPECT_EQ(NullDeviceLog(nd).size(), forgotten);
    DrawMesh(&x);
    EXPECT_TRUE(Take().empty());
}

TEST_F(NullScene, LoadMeshOfAMissingFileLeavesTheRecordEmpty) {
    XFILE x;
    LoadMesh(&x, "XFile/NoSuchMesh.x");
    EXPECT_EQ(x.lpMesh, nullptr);
    EXPECT_EQ(x.MatNum, 0u);
    DrawMesh(&x);
    ReleaseMesh(&x);
    EXPECT_TRUE(Draws().empty());
}

}  // namespace
