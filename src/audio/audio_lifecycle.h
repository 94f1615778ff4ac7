// Set-up and shutdown of the sound device and the music performance, for the program entry.
#pragma once

// Before AudioStartup: the headless backend, whose buffers play silently for their length on
// the game clock (POMELANE_AUDIO=null in the environment does the same).
void UseNullAudio();
// The sound device, its primary buffer at 44100 Hz, 16 bits, stereo (its volume and pan
// saved), the music performance on that device and the loader.
void AudioStartup();
// The title music, when music is on.
void PlayTitleMusic();
// Unloads and releases the current music segment if one is held.
void ReleaseMusicSegment();
// Puts the primary buffer's volume and pan back and releases the device, the performance
// and the loader.
void AudioShutdown();
