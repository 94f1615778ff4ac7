// Inside the sound device: the buffer and device records both backends share, the mixing
// core, and the hooks through which the music is mixed into the same output.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/sound.h"

namespace plat {

// One secondary buffer as the mixer sees it.
struct MixVoice {
    WaveFormat format;             // PCM, 8 or 16 bits, 1 or 2 channels
    std::vector<uint8_t> data;     // the buffer's bytes
    uint32_t frames = 0;           // whole sample frames in data
    double pos = 0;                // play position in frames (fractional while resampling)
    bool playing = false;
    float gainLeft = 1, gainRight = 1;
};

// Adds frames frames of every playing voice, resampled to outRate, into stereo (interleaved
// left, right floats in -1..1). A voice that reaches its end stops and rewinds to 0.
void MixVoices(MixVoice* const* voices, size_t count, uint32_t outRate, float* stereo, int frames);
// Writes the stereo mix as format's samples (8-bit unsigned or 16-bit signed, mono as the
// mean of both sides), scaled by the side gains and clipped.
void ConvertMix(const float* stereo, int frames, float gainLeft, float gainRight,
                const WaveFormat& format, uint8_t* out);
// The side gains of a volume and pan, both in hundredths of a decibel.
void GainsOf(int32_t volume, int32_t pan, float* left, float* right);
// Whether the mixer can play format: PCM, 8 or 16 bits, 1 or 2 channels, a rate.
bool Mixable(const WaveFormat& format);

// Renders frames stereo frames at the device's rate, adding nothing it does not play.
using MusicRenderFn = void (*)(void* user, float* stereo, int frames);

// What differs between the SDL mixer and the null backend.
class SoundBackend {
public:
    virtual ~SoundBackend() = default;
    // Keeps the mixing thread out while buffers change (the null backend has none).
    virtual void LockMix() {}
    virtual void UnlockMix() {}
    // Opens the output in format; false when it cannot.
    virtual bool Reopen(const WaveFormat& format) = 0;
    // Brings a buffer's position and playing state up to now (the null backend's clock).
    virtual void Update(SoundBuffer* buffer) {}
    // Called with the mixer locked when Play starts a buffer.
    virtual void Started(SoundBuffer* buffer) {}
    virtual bool IsNull() const = 0;
};

struct SoundDevice {
    std::unique_ptr<SoundBackend> backend;
    int refs = 1;
    WaveFormat output;                  // the primary buffer's format
    int32_t volume = 0, pan = 0;        // the primary buffer's volume and pan
    std::vector<SoundBuffer*> buffers;  // live secondary buffers
    MusicRenderFn music = nullptr;      // the music mixed into the output, if any
    void* musicUser = nullptr;
    void (*musicRateChanged)(void* user, uint32_t rate) = nullptr;
};

struct SoundBuffer {
    SoundDevice* device = nullptr;
    bool primary = false;
    bool lost = false;
    int32_t volume = 0, pan = 0;
    MixVoice voice;
    // The null backend's clock: when Play started and from which frame.
    uint32_t startMs = 0;
    double startPos = 0;
};

// Backends, made by CreateSoundDevice.
std::unique_ptr<SoundBackend> CreateSdlSoundBackend(SoundDevice* device, const WaveFormat& format,
                                                    std::string* whyNot);
std::unique_ptr<SoundBackend> CreateNullSoundBackend();

// The SDL mixer's output callback body: mixes every playing buffer and the music into out.
void MixDevice(SoundDevice* device, uint8_t* out, int bytes);

// For the music: a reference that keeps the device open, and the render hook.
void AddRefSoundDevice(SoundDevice* device);
bool SoundDeviceIsNull(SoundDevice* device);
uint32_t SoundDeviceRate(SoundDevice* device);
void AttachMusic(SoundDevice* device, MusicRenderFn render, void (*rateChanged)(void*, uint32_t),
                 void* user);
void DetachMusic(SoundDevice* device);
void LockSoundDevice(SoundDevice* device);
void UnlockSoundDevice(SoundDevice* device);

}  // namespace plat
