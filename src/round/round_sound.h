// The round's sound effects and stage music, as the round asks for them. The sound layer
// owns the buffers and their play rules; this is the one place the round talks to it.
#pragma once

enum class RoundSound {
    lpSShot,
    lpSPowerShot,
    lpSPowerShotFull,
    lpSPowerShotFull2,
    lpSNotPowerShot,
    lpSGoal,
    lpSOB,
    lpSClearStar,
    lpSCanTrade,
    lpSGlass,
    lpSCan0,
    lpSCan1,
    lpSMissShot,
    lpSShotSwitch,
    lpSChaim,
    lpSMenuSelect,  // sets of three: the first idle buffer plays
    lpSMenuEnter,
    lpSParaEnter,
    Count
};

// Every trigger the round made, by sound; tests read and reset it (roundSounds = {}).
struct RoundSoundLog {
    int Triggered[int(RoundSound::Count)] = {};
    int Count(RoundSound s) const { return Triggered[int(s)]; }
};
extern RoundSoundLog roundSounds;

// Loads the round's buffers in their table order, the sets of three last.
void LoadRoundSounds();
void ReleaseRoundSounds();
// A single buffer still playing is not restarted; a set plays its first idle buffer.
void PlayRoundSound(RoundSound s);
// The can hitting something: one of its two sounds at random.
void PlayCanSound();

// Stage music into the one music segment (not started); skipped while music is off.
void LoadStageMusic(const char* file);
// Repeats the loaded segment forever and plays it; skipped while music is off.
void PlayLoadedMusic();
// Stops and releases the current segment.
void StopMusic();
// Stops and releases the current segment, loads file and plays it.
void SwitchMusic(const char* file);
