// Reading an .x file far enough to hand Assimp a clean copy of it.
//
// Assimp's .x reader is trusted with the geometry (triangulation, frames, the left-handed
// round trip, joining vertices) but not with the rest, for what it does on its own:
// - a material named by reference ("{Red}") in a mesh's material list is given the wrong
//   index: the faces get another material, or one past the end of the scene's list;
// - a damaged binary file makes it read past the end of its buffer or spin for ever, and a
//   damaged count in either form makes it allocate what the count says (gigabytes) first;
// - a face corner equal to the vertex count slips through its range check;
// - it rewrites "\\" in texture names.
// So the file is tokenized here (text or binary), its frames and meshes checked number by
// number, and written out again as plain text with only what the game uses: frames and
// their matrices, meshes with normals, texture coordinates and material lists. Every
// material of a list is written inline under a tag name that says its place, and the
// materials themselves (colours, power, texture name exactly as written) are read here.
#pragma once

#include <string>
#include <vector>

#include "platform/mesh.h"

namespace plat {

struct XCleanFile {
    std::string text;                     // a text .x for Assimp
    std::vector<MeshMaterial> materials;  // every mesh's material list, in file order
};

// Assimp's material name for materials[k] is kXMaterialTag followed by k.
constexpr const char* kXMaterialTag = "pomelane_m";

// False, with the reason, for a file that is not an .x file or is damaged.
bool CleanXFile(const std::vector<char>& data, XCleanFile* out, std::string* why);

}  // namespace plat
