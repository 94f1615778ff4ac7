// The music synthesiser: FluidSynth with a General MIDI sound font, its MIDI player timed by
// the samples it renders, mixed into the sound device's output (it has no audio driver of
// its own).
#include <fluidsynth.h>

#include <algorithm>
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
        playsLeft_ = loops;
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
        const bool playing = player_ && fluid_player_get_status(player_) == FLUID_PLAYER_PLAYING &&
                             !(playsLeft_ == 0 && PlayEnded());
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

    // One play of the file; the repeats are ours (see Render). FluidSynth's own endless loop
    // spins for ever inside one render on a file that ends where it starts.
    void StartPlayer() {
        DeletePlayer();
        framesPlayed_ = 0;
        if (!synth_) return;
        player_ = new_fluid_player(synth_);
        if (!player_) return;
        if (playsLeft_ > 0) --playsLeft_;
        fluid_player_add_mem(player_, bytes_.data(), bytes_.size());
        fluid_player_set_loop(player_, 0);  // FluidSynth counts the plays after the first
        fluid_player_play(player_);
    }

    // The player has sent the last event of the file (it reports no end of its own while it
    // is not looping: its ticks just run on).
    bool PlayEnded() const {
        return fluid_player_get_status(player_) == FLUID_PLAYER_DONE ||
               fluid_player_get_current_tick(player_) >= fluid_player_get_total_ticks(player_);
    }

    // Starts the next play when the last one has ended and plays are left; a file that ended
    // within its first block has nothing to repeat and stays silent.
    void RepeatIfDone() {
        if (!player_ || playsLeft_ == 0 || !PlayEnded()) return;
        if (framesPlayed_ <= kBlock) {
            playsLeft_ = 0;
            return;
        }
        fluid_synth_system_reset(synth_);
        StartPlayer();
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
        // In the synthesiser's own blocks, so that a repeat starts where FluidSynth's would.
        for (int done = 0; done < frames;) {
            const int n = std::min(kBlock, frames - done);
            fluid_synth_write_float(self->synth_, n, s + 2 * done, 0, 2, s + 2 * done, 1, 2);
            done += n;
            self->framesPlayed_ += n;
            self->RepeatIfDone();
        }
        const float gain = self->gain_.load();
        for (int i = 0; i < 2 * frames; ++i) stereo[i] += gain * s[i];
    }

    // Game thread, mixer locked: the synthesiser is made anew for the new rate.
    static void RateChanged(void* user, uint32_t rate) {
        auto* self = static_cast<FluidSynthBackend*>(user);
        const bool wasPlaying = self->player_ != nullptr;
        if (wasPlaying && self->playsLeft_ >= 0) ++self->playsLeft_;  // the play starts again
        self->DeleteSynth();
        if (self->MakeSynth(rate) && wasPlaying) self->StartPlayer();
    }

    SoundDevice* device_;
    const char* sf_ = nullptr;
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_player_t* player_ = nullptr;
    static constexpr int kBlock = 64;  // FluidSynth's block: its player runs once a block
    std::vector<uint8_t> bytes_;
    int playsLeft_ = -1;  // plays still to start, -1 without end
    long framesPlayed_ = 0;  // since the current play started
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
