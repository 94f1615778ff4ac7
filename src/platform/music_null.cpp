// The headless music: remembers what it was told to play and renders nothing. A segment
// counts as playing until it is replaced or stopped.
#include "platform/music_internal.h"

namespace plat {

namespace {

class NullMusicBackend : public MusicBackend {
public:
    void Play(const std::vector<uint8_t>&, int) override { playing_ = true; }
    void Stop() override { playing_ = false; }
    bool Playing() const override { return playing_; }
    void SetGain(float) override {}

private:
    bool playing_ = false;
};

}  // namespace

std::unique_ptr<MusicBackend> CreateNullMusicBackend() { return std::make_unique<NullMusicBackend>(); }

}  // namespace plat
