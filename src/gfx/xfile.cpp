// Mesh records and their seven ways to draw: they differ only in the material each subset
// is drawn with.
#include "gfx/xfile.h"

#include <cstdio>

#include "app/app_state.h"
#include "round/round_state.h"

using namespace plat;

void LoadMesh(XFILE* XFile, const char* FName) {
    ReleaseMesh(XFile);  // loading over a loaded record would leak it
    Mesh* mesh = LoadXMesh(FName);
    if (!mesh) {
        std::fprintf(stderr, "pomelane: cannot load mesh %s\n", FName);
        *XFile = XFILE{};
        return;
    }
    XFile->lpMesh = mesh;
    XFile->MatNum = uint32_t(mesh->materials.size());
    XFile->lpMat.assign(XFile->MatNum, Material{});
    XFile->lpTex.assign(XFile->MatNum, nullptr);
    for (uint32_t i = 0; i < XFile->MatNum; ++i) {
        const MeshMaterial& m = mesh->materials[i];
        XFile->lpMat[i] = m.material;
        XFile->lpMat[i].Ambient = m.material.Diffuse;
        // Names are resolved against the current directory, as the file writes them.
        if (!m.textureFile.empty()) XFile->lpTex[i] = LoadMeshTextureFromBmp(m.textureFile);
    }
}

void ReleaseMesh(XFILE* XFile) {
    if (!XFile->lpMesh) return;
    for (Texture* t : XFile->lpTex) ReleaseTexture(t);
    XFile->lpTex.clear();
    XFile->lpMat.clear();
    ReleaseMeshObject(XFile->lpMesh);
    XFile->lpMesh = nullptr;
    XFile->MatNum = 0;
}

namespace {

// Subsets that have both a material and geometry.
uint32_t SubsetCount(const XFILE* x) {
    const uint32_t n = uint32_t(x->lpMesh->subsets.size());
    return x->MatNum < n ? x->MatNum : n;
}

// Draws every subset; material(i) gives the material to set, or null to leave the current one.
template <typename MaterialFor, typename TextureFor>
void DrawSubsets(XFILE* x, MaterialFor material, TextureFor texture) {
    Device* d = app.lpD3DDevice;
    if (!x->lpMesh || !d) return;
    const uint32_t n = SubsetCount(x);
    for (uint32_t i = 0; i < n; ++i) {
        Material m;
        if (material(i, &m)) d->SetMaterial(m);
        d->SetTexture(0, texture(i));
        d->DrawMeshSubset(*x->lpMesh, i);
    }
}

}  // namespace

void DrawMesh(XFILE* XFile) {
    DrawSubsets(
        XFile, [&](uint32_t i, Material* m) { *m = XFile->lpMat[i]; return true; },
        [&](uint32_t i) { return XFile->lpTex[i]; });
}

void DrawCanMesh(XFILE* XFile, int TexNo) {
    Texture* label = (TexNo >= 0 && TexNo < 10) ? game.lpCanTex[TexNo] : nullptr;
    DrawSubsets(
        XFile, [&](uint32_t i, Material* m) { *m = XFile->lpMat[i]; return true; },
        [&](uint32_t) { return label; });
}

void DrawMeshNoMat(XFILE* XFile) {
    DrawSubsets(
        XFile, [](uint32_t, Material*) { return false; }, [&](uint32_t i) { return XFile->lpTex[i]; });
}

void DrawMeshAlpha(XFILE* XFile, float Rate) {
    DrawSubsets(
        XFile,
        [&](uint32_t i, Material* m) {
            *m = XFile->lpMat[i];
            m->Diffuse.a = Rate;
            return true;
        },
        [&](uint32_t i) { return XFile->lpTex[i]; });
}

void DrawMeshRed(XFILE* XFile, int Red, float Alpha) {
    DrawSubsets(
        XFile,
        [&](uint32_t i, Material* m) {
            *m = XFile->lpMat[i];
            m->Diffuse.a = Alpha;
            const float e = m->Emissive.r;
            m->Emissive.r = e + (1.0f - e) * Red / 10;
            return true;
        },
        [&](uint32_t i) { return XFile->lpTex[i]; });
}

void DrawMeshDiffuse(XFILE* XFile, float Rate, float Alpha) {
    DrawSubsets(
        XFile,
        [&](uint32_t i, Material* m) {
            *m = XFile->lpMat[i];
            m->Diffuse.r *= Rate;
            m->Diffuse.g *= Rate;
            m->Diffuse.b *= Rate;
            m->Ambient.r *= Rate;
            m->Ambient.g *= Rate;
            m->Ambient.b *= Rate;
            m->Diffuse.a = Alpha;
            m->Ambient.a = Alpha;
            return true;
        },
        [&](uint32_t i) { return XFile->lpTex[i]; });
}
