#include "audio/audio_lifecycle.h"

#include "audio/audio_state.h"
#include "audio/music.h"

AudioState audio;

void UseNullAudio() { plat::UseNullAudio(true); }

void AudioStartup() {
    audio.lpDSound = plat::CreateSoundDevice();

    audio.lpSPrimary = plat::CreatePrimaryBuffer(audio.lpDSound);
    plat::WaveFormat wfx;
    wfx.wFormatTag = plat::WAVE_FORMAT_PCM;
    wfx.nChannels = 2;
    wfx.nSamplesPerSec = 44100;
    wfx.wBitsPerSample = 16;
    wfx.nBlockAlign = 4;
    wfx.nAvgBytesPerSec = 44100 * 4;
    plat::SetFormat(audio.lpSPrimary, wfx);
    plat::GetVolume(audio.lpSPrimary, &audio.NowVolume);
    plat::GetPan(audio.lpSPrimary, &audio.NowPan);

    audio.DMPerf = plat::CreateMusicPerformance();
    plat::InitAudio(audio.DMPerf, audio.lpDSound);
    audio.DMLoader = plat::CreateMusicLoader();
}

void PlayTitleMusic() { MusicStart("Mid/Opening2.mid"); }

void AudioShutdown() {
    if (audio.lpSPrimary) {
        plat::SetVolume(audio.lpSPrimary, audio.NowVolume);
        plat::SetPan(audio.lpSPrimary, audio.NowPan);
        plat::ReleaseSoundBuffer(audio.lpSPrimary);
        audio.lpSPrimary = nullptr;
    }
    plat::ReleaseSoundDevice(audio.lpDSound);
    audio.lpDSound = nullptr;
    if (audio.DMPerf) {
        plat::CloseDown(audio.DMPerf);
        plat::ReleaseMusicPerformance(audio.DMPerf);
        audio.DMPerf = nullptr;
    }
    plat::ReleaseMusicLoader(audio.DMLoader);
    audio.DMLoader = nullptr;
}
