// Small WAV and MIDI files made by the tests themselves, and a scratch folder to put them in.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace audiotest {

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
inline void Put32(Bytes& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
inline void PutId(Bytes& b, const char* id) { b.insert(b.end(), id, id + 4); }

// A chunk: identifier, size (the data's length unless given), data, a pad byte when odd.
inline Bytes Chunk(const char* id, const Bytes& data, int64_t claimedSize = -1) {
    Bytes b;
    PutId(b, id);
    Put32(b, claimedSize < 0 ? uint32_t(data.size()) : uint32_t(claimedSize));
    b.insert(b.end(), data.begin(), data.end());
    if (data.size() & 1) b.push_back(0);
    return b;
}

// "RIFF", the size of the rest (or the one given), the form type, the chunks.
inline Bytes Riff(const std::vector<Bytes>& chunks, const char* form = "WAVE",
                  const char* magic = "RIFF", int64_t claimedSize = -1) {
    Bytes body;
    PutId(body, form);
    for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
    Bytes b;
    PutId(b, magic);
    Put32(b, claimedSize < 0 ? uint32_t(body.size()) : uint32_t(claimedSize));
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

// The six fields of a fmt chunk; tag 1 is PCM.
inline Bytes FmtFields(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
    Bytes b;
    const uint16_t align = uint16_t(channels * bits / 8);
    Put16(b, tag);
    Put16(b, channels);
    Put32(b, rate);
    Put32(b, rate * align);
    Put16(b, align);
    Put16(b, bits);
    return b;
}

// A PCM WAV file with the samples as they are.
inline Bytes PcmWav(uint16_t channels, uint32_t rate, uint16_t bits, const Bytes& samples) {
    return Riff({Chunk("fmt ", FmtFields(1, channels, rate, bits)), Chunk("data", samples)});
}

// seconds of a sine at hz, amplitude amp (0..1), in the given PCM layout (both sides alike).
inline Bytes Sine(uint16_t channels, uint32_t rate, uint16_t bits, double hz, double seconds,
                  double amp) {
    Bytes b;
    const int frames = int(std::lround(rate * seconds));
    for (int i = 0; i < frames; ++i) {
        const double v = amp * std::sin(2 * M_PI * hz * i / rate);
        for (int c = 0; c < channels; ++c) {
            if (bits == 8) b.push_back(uint8_t(std::lround(128 + 127 * v)));
            else Put16(b, uint16_t(int16_t(std::lround(32767 * v))));
        }
    }
    return b;
}

inline Bytes Sequence(size_t n, uint8_t start = 1) {
    Bytes b(n);
    for (size_t i = 0; i < n; ++i) b[i] = uint8_t(start + i * 7);
    return b;
}

inline void PutVarLen(Bytes& b, uint32_t v) {
    uint8_t tmp[4];
    int n = 0;
    do {
        tmp[n++] = uint8_t(v & 0x7F);
        v >>= 7;
    } while (v);
    while (n--) b.push_back(uint8_t(tmp[n] | (n ? 0x80 : 0)));
}

// A Standard MIDI File, format 0, 96 ticks a quarter at 120 beats a minute: a piano holding
// one note for beats beats.
inline Bytes HeldNoteMidi(int beats = 4, uint8_t note = 60, uint8_t program = 0) {
    Bytes track;
    PutVarLen(track, 0);
    track.insert(track.end(), {0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20});  // tempo 500000 us
    PutVarLen(track, 0);
    track.insert(track.end(), {0xC0, program});
    PutVarLen(track, 0);
    track.insert(track.end(), {0x90, note, 100});
    PutVarLen(track, uint32_t(96 * beats));
    track.insert(track.end(), {0x80, note, 64});
    PutVarLen(track, 0);
    track.insert(track.end(), {0xFF, 0x2F, 0x00});
    Bytes b;
    PutId(b, "MThd");
    b.insert(b.end(), {0, 0, 0, 6, 0, 0, 0, 1, 0, 96});
    PutId(b, "MTrk");
    b.push_back(uint8_t(track.size() >> 24));
    b.push_back(uint8_t(track.size() >> 16));
    b.push_back(uint8_t(track.size() >> 8));
    b.push_back(uint8_t(track.size()));
    b.insert(b.end(), track.begin(), track.end());
    return b;
}

inline void WriteBytes(const std::string& path, const Bytes& b) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), b.size());
}

inline Bytes ReadBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

// A fresh folder under /tmp, made the current directory for the scope (the game reads
// "Wave/..." and "Mid/..." relative to it), with Wave/ and Mid/ inside; removed at the end.
class ScratchDir {
public:
    ScratchDir() {
        char tmpl[] = "/tmp/pomelane-audio-XXXXXX";
        path_ = mkdtemp(tmpl);
        char* old = getcwd(nullptr, 0);
        old_ = old;
        std::free(old);
        mkdir((path_ + "/Wave").c_str(), 0755);
        mkdir((path_ + "/Mid").c_str(), 0755);
        if (chdir(path_.c_str()) != 0) std::perror("chdir");
    }
    ~ScratchDir() {
        if (chdir(old_.c_str()) != 0) std::perror("chdir");
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string Path(const std::string& name) const { return path_ + "/" + name; }
    void Write(const std::string& name, const Bytes& b) const { WriteBytes(Path(name), b); }

private:
    std::string path_, old_;
};

}  // namespace audiotest
