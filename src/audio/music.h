// Music: one endlessly repeating MIDI segment at a time, in DMSegment1. Every operation here
// does nothing while app.PlayMusicFlg is not 0: then no MIDI file is even opened.
#pragma once

#include <cstdint>

#include "platform/music.h"

// Loads a MIDI file as a segment into *DMSegment and makes it ready to play on DMPerf.
// A file that cannot be loaded leaves *DMSegment empty.
void LoadMIDI(plat::MusicSegment** DMSegment, const char* fname);

// Loads fname into DMSegment1, sets it to repeat without end and plays it.
void MusicStart(const char* fname);
// The same for music already in DMSegment1 (the stage music LoadStageInit loads).
void MusicPlayLoaded();
// Unloads and releases DMSegment1 and empties it. Always before the next piece is loaded.
void MusicStop();
// MusicStop, then MusicStart(fname).
void MusicChange(const char* fname);
// The performance's master volume, in hundredths of a decibel.
void SetMusicVolume(int32_t Vol);

// Unloads and releases DMSegment1 if it is held, whatever PlayMusicFlg says (at exit).
void ReleaseMusicSegment();
