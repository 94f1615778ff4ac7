// The mesh part of the asset builder: every model the game opens, written into XFile/.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "assetgen.h"
#include "meshes/models.h"
#include "meshes/xfile.h"

namespace assetgen {

bool BuildMeshes(const std::string& root) {
    using namespace mesh;
    std::vector<std::vector<NamedMesh> (*)()> families = {
        StageMeshes, CharacterMeshes, CanMeshes, CarMeshes,
        SkyMeshes,   ArrowMeshes,     PreviewMeshes, EndingMeshes,
    };
    bool ok = true;
    for (auto family : families)
        for (const NamedMesh& nm : family()) {
            std::filesystem::path path = std::filesystem::path(root) / nm.file;
            std::error_code ec;
            std::filesystem::create_directories(path.parent_path(), ec);
            if (ec) {
                std::fprintf(stderr, "pomelane-assets: cannot make %s: %s\n",
                             path.parent_path().c_str(), ec.message().c_str());
                ok = false;
                continue;
            }
            ok = WriteXFile(path.string(), nm.mesh) && ok;
        }
    return ok;
}

}  // namespace assetgen
