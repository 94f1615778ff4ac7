// The BMP loader on any bytes: as a picture of the game (power-of-two texture and a fixed one,
// with and without a colour key) and as a mesh texture.
#include <cstdint>

#include "fuzz_input.h"
#include "platform/texture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = fuzz::ScratchPath(".bmp");
    if (!fuzz::WriteInput(path, data, size)) return 0;
    plat::ReleaseTexture(plat::LoadTextureFromBmp(path, 0, 0, 0));
    plat::ReleaseTexture(plat::LoadTextureFromBmp(path, 64, 32, 0xFF000000u));
    plat::ReleaseTexture(plat::LoadMeshTextureFromBmp(path));
    return 0;
}
