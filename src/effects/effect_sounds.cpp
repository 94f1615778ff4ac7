#include "effects/effect_sounds.h"

EffectSoundState effectSounds;

void PlayGlassSound() { ++effectSounds.GlassStarts; }

void PlayPowerShotFull2Sound() { ++effectSounds.PowerShotFull2Starts; }
