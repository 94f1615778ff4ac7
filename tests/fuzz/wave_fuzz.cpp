// The WAV reader on any bytes: the reader alone (open, then every piece of the data chunk, then
// back to the start), and the game's whole load into a sound buffer on the null device, whose
// samples are then mixed.
#include <cstdint>
#include <vector>

#include "audio/audio_state.h"
#include "audio/sounds.h"
#include "audio/wave_read.h"
#include "fuzz_input.h"
#include "platform/sound.h"
#include "platform/sound_internal.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    plat::UseNullAudio();
    audio.lpDSound = plat::CreateSoundDevice();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = fuzz::ScratchPath(".wav");
    if (!fuzz::WriteInput(path, data, size)) return 0;

    {
        CWaveSoundRead reader;
        if (reader.Open(path.c_str()) == S_OK) {
            uint8_t piece[4096];
            uint32_t got = 0;
            for (int i = 0; i < 64 && reader.Read(sizeof piece, piece, &got) == S_OK && got > 0; ++i) {
            }
            reader.Reset();
            reader.Read(7, piece, &got);
        }
        reader.Open(path.c_str());  // a second Open on the same reader
    }

    plat::SoundBuffer* buffer = nullptr;
    LoadWAVE(buffer, path.c_str());
    if (buffer) {
        plat::MixVoice* voice = &buffer->voice;
        voice->playing = true;
        std::vector<float> stereo(2 * 1024, 0.0f);
        plat::MixVoices(&voice, 1, 22050, stereo.data(), 1024);
        ReleaseSound(buffer);
    }
    return 0;
}
