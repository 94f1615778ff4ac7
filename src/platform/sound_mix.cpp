// The mixing core: any PCM the WAV reader delivers (8 or 16 bits, mono or stereo, any rate)
// resampled and summed into a float stereo mix, then written in the output's format.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/sound_internal.h"

namespace plat {

namespace {

// One channel of frame i, in -1..1.
inline float SampleAt(const MixVoice& v, uint32_t frame, int channel) {
    const uint8_t* p = v.data.data() + size_t(frame) * v.format.nBlockAlign;
    if (v.format.wBitsPerSample == 8) return (int(p[channel]) - 128) / 128.0f;
    int16_t s;
    std::memcpy(&s, p + 2 * channel, 2);
    return s / 32768.0f;
}

float GainOfCentibels(int32_t hundredthsDb) {
    if (hundredthsDb <= SOUND_VOLUME_MIN) return 0.0f;
    return std::pow(10.0f, hundredthsDb / 2000.0f);
}

}  // namespace

bool Mixable(const WaveFormat& f) {
    return f.wFormatTag == WAVE_FORMAT_PCM && (f.nChannels == 1 || f.nChannels == 2) &&
           (f.wBitsPerSample == 8 || f.wBitsPerSample == 16) && f.nSamplesPerSec >= 100 &&
           f.nSamplesPerSec <= 200000 && f.nBlockAlign == f.nChannels * f.wBitsPerSample / 8;
}

void GainsOf(int32_t volume, int32_t pan, float* left, float* right) {
    const float g = GainOfCentibels(volume);
    *left = g * (pan > 0 ? GainOfCentibels(-pan) : 1.0f);
    *right = g * (pan < 0 ? GainOfCentibels(pan) : 1.0f);
}

void MixVoices(MixVoice* const* voices, size_t count, uint32_t outRate, float* stereo, int frames) {
    for (size_t k = 0; k < count; ++k) {
        MixVoice& v = *voices[k];
        if (!v.playing) continue;
        if (v.frames == 0) {
            v.playing = false;
            v.pos = 0;
            continue;
        }
        const double step = double(v.format.nSamplesPerSec) / outRate;
        const bool mono = v.format.nChannels == 1;
        for (int i = 0; i < frames; ++i) {
            if (v.pos >= v.frames) {
                v.playing = false;
                v.pos = 0;
                break;
            }
            const uint32_t f0 = static_cast<uint32_t>(v.pos);
            const uint32_t f1 = std::min(f0 + 1, v.frames - 1);
            const float t = static_cast<float>(v.pos - f0);
            float l = SampleAt(v, f0, 0) + t * (SampleAt(v, f1, 0) - SampleAt(v, f0, 0));
            float r = mono ? l : SampleAt(v, f0, 1) + t * (SampleAt(v, f1, 1) - SampleAt(v, f0, 1));
            stereo[2 * i] += l * v.gainLeft;
            stereo[2 * i + 1] += r * v.gainRight;
            v.pos += step;
        }
        if (v.playing && v.pos >= v.frames) {
            v.playing = false;
            v.pos = 0;
        }
    }
}

void ConvertMix(const float* stereo, int frames, float gainLeft, float gainRight,
                const WaveFormat& format, uint8_t* out) {
    const bool mono = format.nChannels == 1;
    const bool eight = format.wBitsPerSample == 8;
    for (int i = 0; i < frames; ++i) {
        float l = std::clamp(stereo[2 * i] * gainLeft, -1.0f, 1.0f);
        float r = std::clamp(stereo[2 * i + 1] * gainRight, -1.0f, 1.0f);
        float side[2] = {l, r};
        if (mono) side[0] = 0.5f * (l + r);
        for (int c = 0; c < format.nChannels; ++c) {
            if (eight) {
                *out++ = static_cast<uint8_t>(std::lround(side[c] * 127.0f) + 128);
            } else {
                int16_t s = static_cast<int16_t>(std::lround(side[c] * 32767.0f));
                std::memcpy(out, &s, 2);
                out += 2;
            }
        }
    }
}

void MixDevice(SoundDevice* device, uint8_t* out, int bytes) {
    const WaveFormat& f = device->output;
    const int frames = bytes / f.nBlockAlign;
    thread_local std::vector<float> mix;
    thread_local std::vector<MixVoice*> voices;
    mix.assign(size_t(frames) * 2, 0.0f);
    if (device->music) device->music(device->musicUser, mix.data(), frames);
    voices.clear();
    for (SoundBuffer* b : device->buffers) voices.push_back(&b->voice);
    MixVoices(voices.data(), voices.size(), f.nSamplesPerSec, mix.data(), frames);
    float gl, gr;
    GainsOf(device->volume, device->pan, &gl, &gr);
    ConvertMix(mix.data(), frames, gl, gr, f, out);
    const int done = frames * f.nBlockAlign;
    if (done < bytes) std::memset(out + done, f.wBitsPerSample == 8 ? 0x80 : 0, bytes - done);
}

}  // namespace plat
