// The MIDI path on any bytes, on the real backend: SDL's dummy audio driver and FluidSynth
// with the General MIDI sound font. The file is loaded and played as the game plays music
// (repeating without end), and a second of it is mixed here, so that the synthesiser's player
// parses and plays it. POMELANE_AUDIO=null runs the null backend instead.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/app_state.h"
#include "audio/audio_state.h"
#include "audio/music.h"
#include "fuzz_input.h"
#include "platform/music.h"
#include "platform/sound.h"
#include "platform/sound_internal.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    audio.lpDSound = plat::CreateSoundDevice();
    audio.DMPerf = plat::CreateMusicPerformance();
    plat::InitAudio(audio.DMPerf, audio.lpDSound);
    audio.DMLoader = plat::CreateMusicLoader();
    app.PlayMusicFlg = 0;  // music on
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = fuzz::ScratchPath(".mid");
    if (!fuzz::WriteInput(path, data, size)) return 0;
    MusicStart(path.c_str());
    if (audio.DMSegment1 && !plat::SoundDeviceIsNull(audio.lpDSound)) {
        // 16-bit stereo at the device's rate: a second in blocks as the mixer takes them.
        std::vector<uint8_t> out(4096);
        const uint32_t blocks = plat::SoundDeviceRate(audio.lpDSound) / 1024 + 1;
        for (uint32_t i = 0; i < blocks; ++i) {
            plat::LockSoundDevice(audio.lpDSound);
            plat::MixDevice(audio.lpDSound, out.data(), int(out.size()));
            plat::UnlockSoundDevice(audio.lpDSound);
        }
    }
    MusicStop();
    return 0;
}
