// The music synthesiser: FluidSynth with a General MIDI sound font, its MIDI player timed by
// the samples it renders, mixed into the sound device's output (it has no audio driver of
// its own).
#include <fluidsynth.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/music_internal.h"
#include "platform/sound_internal.h"

namespace plat {

namespace {

constexpr const char* kDefaultSoundFont = "/usr/share/sounds/sf2/default-GM.sf2";
constexpr const char* kFallbackSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

const char* SoundFontPath() {
    const char* env = std::getenv("POMELANE_SOUNDFONT");
    if (env && *env) return env;
    if (fluid_is_soundfont(kDefaultSoundFont)) return kDefaultSoundFont;
    return kFallbackSoundFont;
}

void QuietFluidSynth() {
    // Our own single line says what went wrong; FluidSynth's messages would only repeat it.
    for (int level : {FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
        fluid_set_log_function(level, nullptr, nullptr);
}

class FluidSynthBackend : public MusicBackend {
public:
    explicit FluidSynthBackend(SoundDevice* device) : device_(device) {}

    ~FluidSynthBackend() override {
        DetachMusic(device_);  // the mixer no longer calls us
        DeleteSynth();
        if (settings_) delete_fluid_settings(settings_);
        ReleaseSoundDevice(device_);
    }

    bool Start() {
        QuietFluidSynth();
        settings_ = new_fluid_settings();
        if (!settings_) return false;
        fluid_settings_setstr(settings_, "player.timing-source", "sample");
        fluid_settings_setint(settings_, "player.reset-synth", 1);
        fluid_settings_setint(settings_, "synth.threadsafe-api", 0);  // the mixer lock guards it
        fluid_settings_setnum(settings_, "synth.gain", 0.5);
        sf_ = SoundFontPath();
        if (!MakeSynth(SoundDeviceRate(device_))) {
            std::fprintf(stderr, "pomelane: cannot load the General MIDI sound font %s; music is silent\n",
                         sf_);
            return false;
        }
        AttachMusic(device_, &FluidSynthBackend::Render, &FluidSynthBackend::RateChanged, this);
        return true;
    }

    void Play(const std::vector<uint8_t>& bytes, int loops) override {
        LockSoundDevice(device_);
        bytes_ = bytes;
        loops_ = loops;
        StartPlayer();
        UnlockSoundDevice(device_);
    }

    void Stop() override {
        LockSoundDevice(device_);
        DeletePlayer();
        bytes_.clear();
        fluid_synth_all_notes_off(synth_, -1);
        UnlockSoundDevice(device_);
    }

    bool Playing() const override {
        LockSoundDevice(device_);
        const bool playing = player_ && fluid_player_get_status(player_) == FLUID_PLAYER_PLAYING;
        UnlockSoundDevice(device_);
        return playing;
    }

    void SetGain(float gain) override { gain_.store(gain); }

private:
    bool MakeSynth(uint32_t rate) {
        fluid_settings_setnum(settings_, "synth.sample-rate", double(rate));
        synth_ = new_fluid_synth(settings_);
        if (!synth_) return false;
        if (fluid_synth_sfload(synth_, sf_, 1) == FLUID_FAILED) {
            DeleteSynth();
            return false;
        }
        return true;
    }

    void DeleteSynth() {
        DeletePlayer();
        if (synth_) delete_fluid_synth(synth_);
        synth_ = nullptr;
    }

    void StartPlayer() {
        DeletePlayer();
        if (!synth_) return;
        player_ = new_fluid_player(synth_);
        if (!player_) return;
        fluid_player_add_mem(player_, bytes_.data(), bytes_.size());
        fluid_player_set_loop(player_, loops_);
        fluid_player_play(player_);
    }

    void DeletePlayer() {
        if (!player_) return;
        fluid_player_stop(player_);
        delete_fluid_player(player_);
        player_ = nullptr;
    }

    // Mixer thread, mixer locked.
    static void Render(void* user, float* stereo, int frames) {
        auto* self = static_cast<FluidSynthBackend*>(user);
        if (!self->synth_) return;
        if (!self->player_ && fluid_synth_get_active_voice_count(self->synth_) == 0) return;
        self->scratch_.assign(size_t(frames) * 2, 0.0f);
        float* s = self->scratch_.data();
        fluid_synth_write_float(self->synth_, frames, s, 0, 2, s, 1, 2);
        const float gain = self->gain_.load();
        for (int i = 0; i < 2 * frames; ++i) stereo[i] += gain * s[i];
    }

    // Game thread, mixer locked: the synthesiser is made anew for the new rate.
    static void RateChanged(void* user, uint32_t rate) {
        auto* self = static_cast<FluidSynthBackend*>(user);
        const bool wasPlaying = self->player_ != nullptr;
        self->DeleteSynth();
        if (self->MakeSynth(rate) && wasPlaying) self->StartPlayer();
    }

    SoundDevice* device_;
    const char* sf_ = nullptr;
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_player_t* player_ = nullptr;
    std::vector<uint8_t> bytes_;
    int loops_ = -1;
    std::atomic<float> gain_{1.0f};
    std::vector<float> scratch_;
};

}  // namespace

std::unique_ptr<MusicBackend> CreateFluidSynthBackend(SoundDevice* device) {
    auto backend = std::make_unique<FluidSynthBackend>(device);
    AddRefSoundDevice(device);  // the destructor lets go of it
    if (!backend->Start()) return nullptr;
    return backend;
}

}  // namespace plat
