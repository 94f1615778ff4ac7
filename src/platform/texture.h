// Textures: ARGB pixels kept in memory (they survive a device reset), uploaded by the device
// when first drawn or after a change.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plat {

struct Texture {
    int width = 0, height = 0;
    std::vector<uint32_t> argb;  // width * height, top row first
    uint32_t deviceHandle = 0;   // the device backend's own name for it; 0 = not uploaded
    bool dirty = true;           // pixels changed since the last upload
    bool mipmaps = false;        // the device builds a full mip chain (mesh textures)
};

// Reads a BMP file (8-bit palette, 24-bit, 32-bit) into a texture of width x height
// (0 = the bitmap's size rounded up to a power of two). The picture sits 1:1 in the top-left
// corner, the rest is transparent black; pixels exactly equal to colorKey (ARGB, 0 = no key)
// become transparent black. Null when the file cannot be read or decoded.
Texture* LoadTextureFromBmp(const std::string& path, int width, int height, uint32_t colorKey);

// Reads a BMP file at its own size with a full mip chain, for mesh materials: texture
// coordinates 0..1 span the whole picture. Null when the file cannot be read or decoded.
Texture* LoadMeshTextureFromBmp(const std::string& path);

// A texture of the given size, all transparent black (null for a size below 1).
Texture* CreateTexture(int width, int height);

// Frees the texture (the current device forgets it first); null does nothing.
void ReleaseTexture(Texture* texture);

}  // namespace plat
