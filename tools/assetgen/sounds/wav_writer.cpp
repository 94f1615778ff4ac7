#include "sounds/wav_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "file_out.h"

namespace assetgen {

namespace {

void Put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

void PutTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

bool WriteWav(const std::string& path, const synth::Buffer& samples, int rate) {
    constexpr uint16_t kChannels = 1;
    constexpr uint16_t kBits = 16;
    constexpr uint16_t kBlockAlign = kChannels * kBits / 8;
    const uint32_t dataBytes = uint32_t(samples.size()) * kBlockAlign;

    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    PutTag(out, "RIFF");
    Put32(out, 4 + (8 + 16) + (8 + dataBytes));
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, kChannels);
    Put32(out, uint32_t(rate));
    Put32(out, uint32_t(rate) * kBlockAlign);
    Put16(out, kBlockAlign);
    Put16(out, kBits);
    PutTag(out, "data");
    Put32(out, dataBytes);
    for (float s : samples) {
        const long v = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
        Put16(out, uint16_t(int16_t(v)));
    }
    return WriteFile(path, out);
}

}  // namespace assetgen
