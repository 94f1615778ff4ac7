#include "platform/image_file.h"

#include <zlib.h>

#include <cstdio>
#include <vector>

namespace plat {
namespace {

void PutU32(std::vector<unsigned char>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back((unsigned char)(v >> s));
}

void PutChunk(FILE* f, const char* type, const std::vector<unsigned char>& data) {
    std::vector<unsigned char> chunk;
    PutU32(chunk, uint32_t(data.size()));
    chunk.insert(chunk.end(), type, type + 4);
    chunk.insert(chunk.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, chunk.data() + 4, uInt(chunk.size() - 4));
    PutU32(chunk, uint32_t(crc));
    std::fwrite(chunk.data(), 1, chunk.size(), f);
}

}  // namespace

bool SavePng(const char* path, const uint32_t* argb, int width, int height) {
    std::vector<unsigned char> raw;
    raw.reserve(size_t(height) * (size_t(width) * 3 + 1));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // no filter
        for (int x = 0; x < width; ++x) {
            const uint32_t p = argb[size_t(y) * width + x];
            raw.push_back((unsigned char)(p >> 16));
            raw.push_back((unsigned char)(p >> 8));
            raw.push_back((unsigned char)p);
        }
    }
    uLongf packedSize = compressBound(uLong(raw.size()));
    std::vector<unsigned char> packed(packedSize);
    if (compress(packed.data(), &packedSize, raw.data(), uLong(raw.size())) != Z_OK) return false;
    packed.resize(packedSize);

    FILE* f = std::fopen(path, "wb");
    if (!f) {
        std::perror(path);
        return false;
    }
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::fwrite(kSignature, 1, 8, f);
    std::vector<unsigned char> header;
    PutU32(header, uint32_t(width));
    PutU32(header, uint32_t(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
    PutChunk(f, "IHDR", header);
    PutChunk(f, "IDAT", packed);
    PutChunk(f, "IEND", {});
    return std::fclose(f) == 0;
}

}  // namespace plat
