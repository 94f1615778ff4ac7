// Sound effects: loading a WAV file whole into a buffer, the play rules every screen follows,
// and the three screens' sound sets.
#pragma once

#include "platform/sound.h"

// Creates a buffer holding the whole file's samples in pDSData. A file that cannot be read,
// or a format the device cannot play, leaves pDSData empty.
void LoadWAVE(plat::SoundBuffer*& pDSData, const char* fname);

// Plays a single buffer once; one that is still playing goes on and this trigger is lost.
// An empty buffer plays nothing.
void PlaySound(plat::SoundBuffer* lpS);
// Plays the first buffer of a set of three whose status has no playing bit; false when all
// three are playing (nothing plays then).
bool PlaySoundSet(plat::SoundBuffer* const (&lpS)[3]);
void StopSound(plat::SoundBuffer* lpS);
// Releases the buffer if held and empties the reference.
void ReleaseSound(plat::SoundBuffer*& lpS);

// The front end's sounds: StartInit loads them, StartEnd releases them.
void LoadStartSounds();
void ReleaseStartSounds();
// The round's: GameInit and GameEnd.
void LoadGameSounds();
void ReleaseGameSounds();
// The score table's and ending's: ScoreInit and ScoreEnd.
void LoadScoreSounds();
void ReleaseScoreSounds();
