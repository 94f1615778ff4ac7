// Every model family of the game, each built from code in its own file. A family returns
// its meshes with the file names the game opens (relative to the asset root, exact case).
#pragma once

#include <string>
#include <vector>

#include "meshes/kit.h"

namespace assetgen::mesh {

struct NamedMesh {
    std::string file;  // e.g. "XFile/Stage1.x"
    Mesh mesh;
};

std::vector<NamedMesh> StageMeshes();       // Stage1.x, Stage2.x, Stage3.x
std::vector<NamedMesh> CharacterMeshes();   // Foot/Body/Head 1..4 and the four right hands
std::vector<NamedMesh> CanMeshes();         // Can.x
std::vector<NamedMesh> CarMeshes();         // Track1.x .. Track4.x
std::vector<NamedMesh> SkyMeshes();         // Sky.x
std::vector<NamedMesh> ArrowMeshes();       // Arrow.x
std::vector<NamedMesh> PreviewMeshes();     // StageSelect/steation.x, bridge.x, school.x
std::vector<NamedMesh> EndingMeshes();      // Ending/*.x

// The characters' colours, shared by their round and ending models (0 man, 1 girl, 2 office
// worker, 3 cook).
struct Palette {
    Rgb top, sleeve, cuff, trousers, shoes, hair, umbrella;
    Rgb accent;  // cap, scarf, tie or neckerchief
};
const Palette& CharacterPalette(int no);

// The stages themselves, for the previews that miniaturise them.
Mesh StationStage();
Mesh BridgeStage();
Mesh ClassroomStage();

}  // namespace assetgen::mesh
