// Until the sound layer is linked in, the round's triggers are counted and nothing sounds.
#include "round/round_sound.h"

#include "platform/rand.h"

RoundSoundLog roundSounds;

void LoadRoundSounds() {}
void ReleaseRoundSounds() {}

void PlayRoundSound(RoundSound s) { roundSounds.Triggered[int(s)]++; }

void PlayCanSound() {
    PlayRoundSound(plat::Rand() % 2 == 0 ? RoundSound::lpSCan0 : RoundSound::lpSCan1);
}

void LoadStageMusic(const char*) {}
void PlayLoadedMusic() {}
void SwitchMusic(const char*) {}
