// Mesh records: a loaded .x mesh with its materials and textures, and its seven ways to draw.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/device.h"
#include "platform/mesh.h"
#include "platform/texture.h"

struct XFILE {
    plat::Mesh* lpMesh = nullptr;          // null when nothing is loaded
    uint32_t MatNum = 0;                   // materials, one per subset
    std::vector<plat::Material> lpMat;     // as stored, Ambient replaced by Diffuse
    std::vector<plat::Texture*> lpTex;     // null where there is no texture
};

// Loads FName (relative to the current directory); a file that cannot be read leaves the
// record empty, so it draws nothing.
void LoadMesh(XFILE* XFile, const char* FName);
// Releases what the record holds; safe on an empty record and when called twice.
void ReleaseMesh(XFILE* XFile);

void DrawMesh(XFILE* XFile);
// Draws with the can label lpCanTex[TexNo] in place of the mesh's own textures.
void DrawCanMesh(XFILE* XFile, int TexNo);
void DrawMeshNoMat(XFILE* XFile);
void DrawMeshAlpha(XFILE* XFile, float Rate);
void DrawMeshRed(XFILE* XFile, int Red, float Alpha);
void DrawMeshDiffuse(XFILE* XFile, float Rate, float Alpha);
