// The sounds the effects start. The round's sound set owns the buffers; these calls follow
// the single-buffer rule (a buffer still playing is not restarted). The counts let tests see
// what was started.
#pragma once

struct EffectSoundState {
    int GlassStarts = 0;            // the classroom window breaking
    int PowerShotFull2Starts = 0;   // the perfect power shot's ring
};
extern EffectSoundState effectSounds;

void PlayGlassSound();
void PlayPowerShotFull2Sound();
