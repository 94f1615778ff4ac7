// The sound calls over either backend: buffers, their locks, play, status and stop.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/sound.h"
#include "platform/sound_internal.h"

namespace plat {

namespace {

bool gUseNull = false;

bool NullWanted() {
    if (gUseNull) return true;
    const char* env = std::getenv("POMELANE_AUDIO");
    return env && std::strcmp(env, "null") == 0;
}

WaveFormat DefaultOutput() {
    WaveFormat f;
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = 2;
    f.nSamplesPerSec = 44100;
    f.wBitsPerSample = 16;
    f.nBlockAlign = 4;
    f.nAvgBytesPerSec = 44100 * 4;
    return f;
}

void Silence(MixVoice& v) {
    std::fill(v.data.begin(), v.data.end(), v.format.wBitsPerSample == 8 ? 0x80 : 0x00);
}

void DropDeviceRef(SoundDevice* device) {
    if (--device->refs > 0) return;
    device->backend.reset();  // closes the output
    delete device;
}

// Keeps the mixing thread out for the scope.
class Guard {
public:
    explicit Guard(SoundDevice* d) : d_(d) { d_->backend->LockMix(); }
    ~Guard() { d_->backend->UnlockMix(); }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

private:
    SoundDevice* d_;
};

void ApplyGains(SoundBuffer* b) {
    GainsOf(b->volume, b->pan, &b->voice.gainLeft, &b->voice.gainRight);
}

}  // namespace

void UseNullAudio(bool null) { gUseNull = null; }
bool NullAudioInUse() { return NullWanted(); }

SoundDevice* CreateSoundDevice() {
    auto* device = new SoundDevice;
    device->output = DefaultOutput();
    if (!NullWanted()) {
        std::string whyNot;
        device->backend = CreateSdlSoundBackend(device, device->output, &whyNot);
        if (!device->backend)
            std::fprintf(stderr, "pomelane: no audio device (%s); playing without sound\n",
                         whyNot.c_str());
    }
    if (!device->backend) device->backend = CreateNullSoundBackend();
    return device;
}

void ReleaseSoundDevice(SoundDevice* device) {
    if (device) DropDeviceRef(device);
}

void AddRefSoundDevice(SoundDevice* device) { ++device->refs; }
bool SoundDeviceIsNull(SoundDevice* device) { return device->backend->IsNull(); }
uint32_t SoundDeviceRate(SoundDevice* device) { return device->output.nSamplesPerSec; }
void LockSoundDevice(SoundDevice* device) { device->backend->LockMix(); }
void UnlockSoundDevice(SoundDevice* device) { device->backend->UnlockMix(); }

void AttachMusic(SoundDevice* device, MusicRenderFn render, void (*rateChanged)(void*, uint32_t),
                 void* user) {
    Guard g(device);
    device->music = render;
    device->musicRateChanged = rateChanged;
    device->musicUser = user;
}

void DetachMusic(SoundDevice* device) {
    Guard g(device);
    device->music = nullptr;
    device->musicRateChanged = nullptr;
    device->musicUser = nullptr;
}

SoundBuffer* CreatePrimaryBuffer(SoundDevice* device) {
    if (!device) return nullptr;
    auto* b = new SoundBuffer;
    b->device = device;
    b->primary = true;
    ++device->refs;
    return b;
}

int32_t SetFormat(SoundBuffer* primary, const WaveFormat& format) {
    if (!primary || !primary->primary) return SOUNDERR_INVALIDPARAM;
    if (!Mixable(format)) return SOUNDERR_BADFORMAT;
    SoundDevice* d = primary->device;
    WaveFormat f = format;
    f.cbSize = 0;
    f.nBlockAlign = static_cast<uint16_t>(f.nChannels * f.wBitsPerSample / 8);
    f.nAvgBytesPerSec = f.nSamplesPerSec * f.nBlockAlign;
    if (std::memcmp(&f, &d->output, sizeof f) == 0) return SOUND_OK;
    const WaveFormat old = d->output;
    {
        // The reopened output mixes in the new format from its first callback.
        Guard g(d);
        d->output = f;
    }
    if (!d->backend->Reopen(f)) {
        Guard g(d);
        d->output = old;
        return SOUNDERR_GENERIC;
    }
    if (f.nSamplesPerSec != old.nSamplesPerSec && d->musicRateChanged) {
        Guard g(d);
        d->musicRateChanged(d->musicUser, f.nSamplesPerSec);
    }
    return SOUND_OK;
}

int32_t GetFormat(SoundBuffer* primary, WaveFormat* format) {
    if (!primary || !primary->primary || !format) return SOUNDERR_INVALIDPARAM;
    *format = primary->device->output;
    return SOUND_OK;
}

int32_t CreateSoundBuffer(SoundDevice* device, const WaveFormat& format, uint32_t bytes,
                          SoundBuffer** buffer) {
    if (!device || !buffer) return SOUNDERR_INVALIDPARAM;
    if (!Mixable(format)) return SOUNDERR_BADFORMAT;
    if (bytes == 0) return SOUNDERR_INVALIDPARAM;
    auto* b = new SoundBuffer;
    b->device = device;
    b->voice.format = format;
    b->voice.format.cbSize = 0;
    b->voice.data.resize(bytes);
    b->voice.frames = bytes / format.nBlockAlign;
    Silence(b->voice);
    ApplyGains(b);
    ++device->refs;
    {
        Guard g(device);
        device->buffers.push_back(b);
    }
    *buffer = b;
    return SOUND_OK;
}

void ReleaseSoundBuffer(SoundBuffer* buffer) {
    if (!buffer) return;
    SoundDevice* d = buffer->device;
    if (!buffer->primary) {
        Guard g(d);
        d->buffers.erase(std::remove(d->buffers.begin(), d->buffers.end(), buffer), d->buffers.end());
    }
    delete buffer;
    DropDeviceRef(d);
}

int32_t Lock(SoundBuffer* buffer, uint32_t offset, uint32_t bytes, void** ptr1, uint32_t* bytes1,
             void** ptr2, uint32_t* bytes2, uint32_t flags) {
    if (!buffer || buffer->primary || !ptr1 || !bytes1) return SOUNDERR_INVALIDPARAM;
    if (buffer->lost) return SOUNDERR_BUFFERLOST;
    auto& data = buffer->voice.data;
    const uint32_t size = static_cast<uint32_t>(data.size());
    if (flags & SOUNDLOCK_ENTIREBUFFER) {
        offset = 0;
        bytes = size;
    }
    if (offset >= size || bytes == 0 || bytes > size) return SOUNDERR_INVALIDPARAM;
    const uint32_t first = std::min(bytes, size - offset);
    *ptr1 = data.data() + offset;
    *bytes1 = first;
    if (ptr2) *ptr2 = first < bytes ? data.data() : nullptr;
    if (bytes2) *bytes2 = bytes - first;
    if (first < bytes && !ptr2) return SOUNDERR_INVALIDPARAM;
    return SOUND_OK;
}

int32_t Unlock(SoundBuffer* buffer, void*, uint32_t, void*, uint32_t) {
    if (!buffer || buffer->primary) return SOUNDERR_INVALIDPARAM;
    return SOUND_OK;  // the samples were written in place
}

int32_t Restore(SoundBuffer* buffer) {
    if (!buffer) return SOUNDERR_INVALIDPARAM;
    Guard g(buffer->device);
    if (buffer->lost) {
        buffer->lost = false;
        buffer->voice.pos = 0;
        Silence(buffer->voice);
    }
    return SOUND_OK;
}

int32_t Play(SoundBuffer* buffer) {
    if (!buffer || buffer->primary) return SOUNDERR_INVALIDPARAM;
    Guard g(buffer->device);
    if (buffer->lost) return SOUNDERR_BUFFERLOST;
    buffer->device->backend->Update(buffer);
    if (buffer->voice.playing) return SOUND_OK;
    buffer->voice.playing = true;
    buffer->device->backend->Started(buffer);
    return SOUND_OK;
}

int32_t Stop(SoundBuffer* buffer) {
    if (!buffer || buffer->primary) return SOUNDERR_INVALIDPARAM;
    Guard g(buffer->device);
    buffer->device->backend->Update(buffer);
    buffer->voice.playing = false;
    return SOUND_OK;
}

int32_t GetStatus(SoundBuffer* buffer, uint32_t* status) {
    if (!buffer || !status) return SOUNDERR_INVALIDPARAM;
    if (buffer->primary) {
        *status = 0;
        return SOUND_OK;
    }
    Guard g(buffer->device);
    buffer->device->backend->Update(buffer);
    *status = (buffer->voice.playing ? SOUNDSTATUS_PLAYING : 0) |
              (buffer->lost ? SOUNDSTATUS_BUFFERLOST : 0);
    return SOUND_OK;
}

int32_t GetCurrentPosition(SoundBuffer* buffer, uint32_t* playByte) {
    if (!buffer || buffer->primary || !playByte) return SOUNDERR_INVALIDPARAM;
    Guard g(buffer->device);
    buffer->device->backend->Update(buffer);
    *playByte = static_cast<uint32_t>(buffer->voice.pos) * buffer->voice.format.nBlockAlign;
    return SOUND_OK;
}

int32_t SetVolume(SoundBuffer* buffer, int32_t volume) {
    if (!buffer || volume < SOUND_VOLUME_MIN || volume > SOUND_VOLUME_MAX)
        return SOUNDERR_INVALIDPARAM;
    Guard g(buffer->device);
    if (buffer->primary) {
        buffer->device->volume = volume;
    } else {
        buffer->volume = volume;
        ApplyGains(buffer);
    }
    return SOUND_OK;
}

int32_t GetVolume(SoundBuffer* buffer, int32_t* volume) {
    if (!buffer || !volume) return SOUNDERR_INVALIDPARAM;
    *volume = buffer->primary ? buffer->device->volume : buffer->volume;
    return SOUND_OK;
}

int32_t SetPan(SoundBuffer* buffer, int32_t pan) {
    if (!buffer || pan < SOUND_PAN_LEFT || pan > SOUND_PAN_RIGHT) return SOUNDERR_INVALIDPARAM;
    Guard g(buffer->device);
    if (buffer->primary) {
        buffer->device->pan = pan;
    } else {
        buffer->pan = pan;
        ApplyGains(buffer);
    }
    return SOUND_OK;
}

int32_t GetPan(SoundBuffer* buffer, int32_t* pan) {
    if (!buffer || !pan) return SOUNDERR_INVALIDPARAM;
    *pan = buffer->primary ? buffer->device->pan : buffer->pan;
    return SOUND_OK;
}

void LoseSoundBuffers(SoundDevice* device) {
    if (!device) return;
    Guard g(device);
    for (SoundBuffer* b : device->buffers) {
        b->lost = true;
        b->voice.playing = false;
    }
}

}  // namespace plat
