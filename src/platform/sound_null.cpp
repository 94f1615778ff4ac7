// The headless sound backend: nothing is heard; a buffer plays for its length on the game
// clock, so the play rules behave as they do with sound.
#include "platform/clock.h"
#include "platform/sound_internal.h"

namespace plat {

namespace {

class NullSoundBackend : public SoundBackend {
public:
    bool Reopen(const WaveFormat&) override { return true; }
    bool IsNull() const override { return true; }

    void Started(SoundBuffer* b) override {
        b->startMs = TimeGetTime();
        b->startPos = b->voice.pos;
    }

    void Update(SoundBuffer* b) override {
        MixVoice& v = b->voice;
        if (!v.playing) return;
        const uint32_t elapsedMs = TimeGetTime() - b->startMs;
        const double pos = b->startPos + double(elapsedMs) * v.format.nSamplesPerSec / 1000.0;
        if (pos >= v.frames) {
            v.playing = false;
            v.pos = 0;
        } else {
            v.pos = pos;
        }
    }
};

}  // namespace

std::unique_ptr<SoundBackend> CreateNullSoundBackend() {
    return std::make_unique<NullSoundBackend>();
}

}  // namespace plat
