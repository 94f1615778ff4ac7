// The real sound backend: one SDL audio device whose callback runs the mixer.
#include <SDL.h>
#include <dlfcn.h>

#include <string>

#include "platform/sound_internal.h"

namespace plat {

namespace {

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// With no sound card, ALSA's library prints a screenful of configuration errors while SDL
// probes it; our own line on stderr says all there is to say. SDL loads the library itself
// later: this keeps it loaded with a handler that says nothing.
void QuietAlsa() {
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
    if (!alsa) return;
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    auto setHandler = reinterpret_cast<int (*)(Handler)>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (setHandler) setHandler(&IgnoreAlsaError);
}

class SdlSoundBackend : public SoundBackend {
public:
    explicit SdlSoundBackend(SoundDevice* device) : device_(device) {}
    ~SdlSoundBackend() override {
        Close();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    bool Open(const WaveFormat& f) {
        SDL_AudioSpec want{}, have{};
        want.freq = static_cast<int>(f.nSamplesPerSec);
        want.format = f.wBitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16SYS;
        want.channels = static_cast<Uint8>(f.nChannels);
        want.samples = 1024;
        want.callback = &SdlSoundBackend::Callback;
        want.userdata = device_;
        // No changes allowed: SDL converts our format to the hardware's.
        id_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
        if (id_ == 0) return false;
        opened_ = f;
        SDL_PauseAudioDevice(id_, 0);
        return true;
    }

    void Close() {
        if (id_ != 0) SDL_CloseAudioDevice(id_);
        id_ = 0;
    }

    void LockMix() override {
        if (id_ != 0) SDL_LockAudioDevice(id_);
    }
    void UnlockMix() override {
        if (id_ != 0) SDL_UnlockAudioDevice(id_);
    }

    bool Reopen(const WaveFormat& f) override {
        const WaveFormat old = opened_;
        Close();
        if (Open(f)) return true;
        Open(old);  // keep sounding as before
        return false;
    }

    bool IsNull() const override { return false; }

private:
    static void SDLCALL Callback(void* user, Uint8* stream, int len) {
        MixDevice(static_cast<SoundDevice*>(user), stream, len);
    }

    SoundDevice* device_;
    SDL_AudioDeviceID id_ = 0;
    WaveFormat opened_;
};

}  // namespace

std::unique_ptr<SoundBackend> CreateSdlSoundBackend(SoundDevice* device, const WaveFormat& format,
                                                    std::string* whyNot) {
    QuietAlsa();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        *whyNot = SDL_GetError();
        return nullptr;
    }
    auto backend = std::make_unique<SdlSoundBackend>(device);
    if (!backend->Open(format)) {
        *whyNot = SDL_GetError();
        return nullptr;
    }
    return backend;
}

}  // namespace plat
