// The round's sounds through the sound layer; every trigger is also counted for tests.
#include "round/round_sound.h"

#include "platform/rand.h"

#if __has_include("audio/sounds.h")
#include "audio/audio_state.h"
#include "audio/music.h"
#include "audio/sounds.h"
#define POMELANE_ROUND_AUDIO 1
#endif

RoundSoundLog roundSounds;

#ifdef POMELANE_ROUND_AUDIO

void LoadRoundSounds() { LoadGameSounds(); }
void ReleaseRoundSounds() { ReleaseGameSounds(); }

void PlayRoundSound(RoundSound s) {
    roundSounds.Triggered[int(s)]++;
    switch (s) {
    case RoundSound::lpSShot: PlaySound(audio.lpSShot); break;
    case RoundSound::lpSPowerShot: PlaySound(audio.lpSPowerShot); break;
    case RoundSound::lpSPowerShotFull: PlaySound(audio.lpSPowerShotFull); break;
    case RoundSound::lpSPowerShotFull2: PlaySound(audio.lpSPowerShotFull2); break;
    case RoundSound::lpSNotPowerShot: PlaySound(audio.lpSNotPowerShot); break;
    case RoundSound::lpSGoal: PlaySound(audio.lpSGoal); break;
    case RoundSound::lpSOB: PlaySound(audio.lpSOB); break;
    case RoundSound::lpSClearStar: PlaySound(audio.lpSClearStar); break;
    case RoundSound::lpSCanTrade: PlaySound(audio.lpSCanTrade); break;
    case RoundSound::lpSGlass: PlaySound(audio.lpSGlass); break;
    case RoundSound::lpSCan0: PlaySound(audio.lpSCan[0]); break;
    case RoundSound::lpSCan1: PlaySound(audio.lpSCan[1]); break;
    case RoundSound::lpSMissShot: PlaySound(audio.lpSMissShot); break;
    case RoundSound::lpSShotSwitch: PlaySound(audio.lpSShotSwitch); break;
    case RoundSound::lpSChaim: PlaySound(audio.lpSChaim); break;
    case RoundSound::lpSMenuSelect: PlaySoundSet(audio.lpSMenuSelect); break;
    case RoundSound::lpSMenuEnter: PlaySoundSet(audio.lpSMenuEnter); break;
    case RoundSound::lpSParaEnter: PlaySoundSet(audio.lpSParaEnter); break;
    case RoundSound::Count: break;
    }
}

void LoadStageMusic(const char* file) { LoadMIDI(&audio.DMSegment1, file); }
void PlayLoadedMusic() { MusicPlayLoaded(); }
void StopMusic() { MusicStop(); }
void SwitchMusic(const char* file) { MusicChange(file); }

#else  // no sound layer in this build: triggers are only counted

void LoadRoundSounds() {}
void ReleaseRoundSounds() {}
void PlayRoundSound(RoundSound s) { roundSounds.Triggered[int(s)]++; }
void LoadStageMusic(const char*) {}
void PlayLoadedMusic() {}
void StopMusic() {}
void SwitchMusic(const char*) {}

#endif

void PlayCanSound() {
    PlayRoundSound(plat::Rand() % 2 == 0 ? RoundSound::lpSCan0 : RoundSound::lpSCan1);
}
