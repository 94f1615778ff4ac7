#include "meshes/models.h"
namespace assetgen::mesh {
std::vector<NamedMesh> CharacterMeshes() { return {}; }
std::vector<NamedMesh> CarMeshes() { return {}; }
std::vector<NamedMesh> PreviewMeshes() { return {}; }
std::vector<NamedMesh> EndingMeshes() { return {}; }
}
