// The texture files the meshes name, relative to the asset root as the game resolves them.
// The picture part of the builder paints them; each is an opaque, power-of-two BMP meant to be
// modulated by its material's colour, so it is drawn in light tones (near white where the
// material alone gives the colour).
#pragma once

namespace assetgen::mesh::tex {

constexpr const char* kSky = "XFile/tex/Sky.bmp";                    // 256 x 256: blue gradient, clouds
constexpr const char* kStationFloor = "XFile/tex/StationFloor.bmp";  // 128 x 128: square tiles
constexpr const char* kStationWall = "XFile/tex/StationWall.bmp";    // 128 x 128: wall panels
constexpr const char* kStationStep = "XFile/tex/StationStep.bmp";    // 128 x 128: tread, nosing strip
constexpr const char* kStationSign = "XFile/tex/StationSign.bmp";    // 256 x 64: station name board
constexpr const char* kAsphalt = "XFile/tex/Asphalt.bmp";            // 128 x 128: road grain
constexpr const char* kPavement = "XFile/tex/Pavement.bmp";          // 128 x 128: paving slabs
constexpr const char* kBuilding = "XFile/tex/Building.bmp";          // 128 x 128: facade, windows
constexpr const char* kGrass = "XFile/tex/Grass.bmp";                // 128 x 128: lawn
constexpr const char* kWater = "XFile/tex/Water.bmp";                // 128 x 128: ripples
constexpr const char* kClassFloor = "XFile/tex/ClassFloor.bmp";      // 128 x 128: wooden boards
constexpr const char* kClassWall = "XFile/tex/ClassWall.bmp";        // 128 x 128: plaster
constexpr const char* kBlackboard = "XFile/tex/Blackboard.bmp";      // 256 x 128: chalk writing
constexpr const char* kWood = "XFile/tex/Wood.bmp";                  // 128 x 128: wood grain

}  // namespace assetgen::mesh::tex
