// Writes a mesh as a DirectX .x file in text form ("xof 0303txt 0032"): one top-level Mesh
// with its material list, normals and texture coordinates, nothing else.
#pragma once

#include <string>

#include "meshes/kit.h"

namespace assetgen::mesh {

// The file's text. Identical vertices are merged (in first-use order) and materials that no
// face uses are dropped, so every material is one non-empty subset for the game's loader.
std::string XFileText(const Mesh& mesh, const std::string& name);
// Writes the file; false, after saying why on stderr, when it cannot.
bool WriteXFile(const std::string& path, const Mesh& mesh);

}  // namespace assetgen::mesh
