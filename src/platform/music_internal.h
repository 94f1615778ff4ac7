// Inside the music performance: the records both backends share.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/music.h"

namespace plat {

struct MusicSegment {
    std::string path;
    std::vector<uint8_t> bytes;      // the whole Standard MIDI File
    uint32_t repeats = 0;
    MusicPerformance* playingOn = nullptr;
    std::vector<MusicPerformance*> downloadedTo;
};

// What differs between the synthesiser and the null performance.
class MusicBackend {
public:
    virtual ~MusicBackend() = default;
    // Starts bytes from the beginning, playing loops times (-1: without end), replacing
    // whatever plays.
    virtual void Play(const std::vector<uint8_t>& bytes, int loops) = 0;
    virtual void Stop() = 0;
    // Still sounding the last Play (false once a finite segment ran out).
    virtual bool Playing() const = 0;
    // Linear gain of the master volume.
    virtual void SetGain(float gain) = 0;
};

struct MusicPerformance {
    std::unique_ptr<MusicBackend> backend;  // null until InitAudio and after CloseDown
    MusicSegment* current = nullptr;        // the primary segment
    int32_t volume = 0;
};

// Backends, made by InitAudio. The synthesiser is null when no sound font can be loaded
// (after saying so on stderr).
std::unique_ptr<MusicBackend> CreateFluidSynthBackend(SoundDevice* device);
std::unique_ptr<MusicBackend> CreateNullMusicBackend();

}  // namespace plat
